// Files of the simulator's root (its working folder), named as the module names them: with
// backslashes, relative to the root.
#pragma once

#include <filesystem>
#include <string>

#include "sim/session/Simulator.h"

namespace test_support {

// The root's file that the module opens as `path`.
std::filesystem::path RootFile(const sim::Simulator& simulator, const std::string& path);

// Writes `content` byte for byte into the root's file, making its folders; the file's path.
std::filesystem::path WriteRootFile(const sim::Simulator& simulator, const std::string& path,
                                    const std::string& content);

// A file's whole content; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

}  // namespace test_support
