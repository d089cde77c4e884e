#include "sim/world/ClassConfig.h"

#include <string>
#include <system_error>

#include "host/Platform.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// Whether each element of the class name ('\' or '/' between them) is a name: none empty, none
// "." or "..", so that the file found is below the root's configuration folder.
bool NamesAFileBelow(std::string_view className) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = className.find_first_of("\\/", start);
        const std::string_view element = className.substr(start, end - start);
        if (element.empty() || element == "." || element == "..") return false;
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

}  // namespace

fs::path FindClassConfig(const fs::path& root, std::string_view className) {
    if (!NamesAFileBelow(className)) return {};
    // A class name may name a sub-folder ("Folder\Class"), with either kind of slash; the
    // platform layer finds each element ignoring letter case, as the simulator's system does.
    for (const char* folder : {"Config\\Vessels\\", "Config\\"}) {
        const std::string spelled = root.string() + "/" + folder + std::string(className) + ".cfg";
        char native[MAX_PATH];
        if (!platform::NativePath(spelled.c_str(), native, sizeof native)) continue;
        std::error_code error;
        if (fs::is_regular_file(native, error)) return native;
    }
    return {};
}

}  // namespace sim
