// Text inside an XML document (element content and quoted attribute values). Names come from
// scenario files and scripts, so any byte string must give well-formed XML: the five markup
// characters become entities, control characters (which XML 1.0 forbids even as character
// references) become their visible control pictures, and bytes that are not well-formed UTF-8
// become U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace sim {

void AppendXmlText(std::string& out, std::string_view text);
std::string XmlText(std::string_view text);

}  // namespace sim
