// A whole file read as text, as the scenario and script readers take their files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sim {

// The file's bytes, unchanged. Throws InputError "FILE: cannot open the KIND file" when it cannot
// be opened.
std::string ReadTextFile(const std::filesystem::path& file, std::string_view kind);

}  // namespace sim
