#include "testing/RootFiles.h"

#include <fstream>
#include <iterator>

#include "host/Platform.h"

namespace test_support {

std::filesystem::path RootFile(const sim::Simulator& simulator, const std::string& path) {
    const std::string spelled = simulator.Root().string() + "/" + path;
    char opened[MAX_PATH];
    if (!platform::NativePath(spelled.c_str(), opened, sizeof opened)) return spelled;
    return opened;
}

std::filesystem::path WriteRootFile(const sim::Simulator& simulator, const std::string& path,
                                    const std::string& content) {
    const std::filesystem::path file = RootFile(simulator, path);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(content.data(), static_cast<std::streamsize>(content.size()));
    return file;
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace test_support
