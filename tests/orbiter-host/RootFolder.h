// The simulator's working folder for one run: a fresh temporary copy of a sample root folder,
// made the process's current folder, so that the module's relative paths (config\..., modules\...)
// land there and nothing is written into the sample.
#pragma once

#include <string>

class RootFolder {
  public:
    RootFolder() = default;
    ~RootFolder();
    RootFolder(const RootFolder&) = delete;
    RootFolder& operator=(const RootFolder&) = delete;

    // Copies `sample` (every file and folder in it) to a new temporary folder and changes into
    // it. False, with a message on stderr, when any step fails.
    bool Enter(const char* sample);
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::string previous_;
};

// The full path of `path` relative to the current folder ("" when it cannot be resolved).
std::string FullPath(const char* path);
