#include "sim/world/ClassConfig.h"

#include <string>
#include <system_error>
#include <vector>

#include "sim/text/TextParsing.h"

namespace sim {
namespace {

namespace fs = std::filesystem;

// The file `components[next...]` below `folder`, each component matched ignoring letter case;
// empty when there is none. Every entry that matches is tried (a case-sensitive file system may
// hold "config" and "Config" side by side).
fs::path ResolveNoCase(const fs::path& folder, const std::vector<std::string>& components,
                       std::size_t next) {
    if (next == components.size()) {
        std::error_code error;
        return fs::is_regular_file(folder, error) ? folder : fs::path();
    }
    const std::string& name = components[next];
    if (name.empty() || name == "." || name == "..") return {};
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!text::EqualsNoCase(it->path().filename().string(), name)) continue;
        fs::path found = ResolveNoCase(it->path(), components, next + 1);
        if (!found.empty()) return found;
    }
    return {};
}

}  // namespace

fs::path FindClassConfig(const fs::path& root, std::string_view className) {
    if (className.empty()) return {};
    // A class name may name a sub-folder ("Folder\Class"), with either kind of slash.
    std::vector<std::string> classPath;
    std::string part;
    for (const char c : className) {
        if (c == '\\' || c == '/') {
            classPath.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    classPath.push_back(part + ".cfg");
    for (const auto& folder :
         {std::vector<std::string>{"Config", "Vessels"}, std::vector<std::string>{"Config"}}) {
        std::vector<std::string> components = folder;
        components.insert(components.end(), classPath.begin(), classPath.end());
        fs::path found = ResolveNoCase(root, components, 0);
        if (!found.empty()) return found;
    }
    return {};
}

}  // namespace sim
