// Arbitrary bytes as the crew add-on's version file: reading it never runs past its line buffer
// and gives a number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "crew/AddonVersion.h"
#include "crew/ModuleState.h"

namespace {

constexpr char kVersionFolder[] = "meshes/UMmu";
constexpr char kVersionFile[] = "meshes/UMmu/ver.dtf";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The reader opens the file relative to the working folder: work in a folder of our own.
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "quillmar-version-fuzz";
    fs::create_directories(folder / kVersionFolder);
    fs::current_path(folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(kVersionFile, "wb");
    if (file == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, size, 1, file) != 1) std::abort();
    std::fclose(file);

    crew::TheModuleState().addonVersion = 0.0f;  // read again
    const float version = crew::ReadAddonVersionFile();
    if (std::isnan(version)) std::abort();
    // The number is kept: a second read gives it without opening the file.
    if (version != 0.0f && crew::ReadAddonVersionFile() != version) std::abort();
    return 0;
}
