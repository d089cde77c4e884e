// The few things the stand-in simulator asks of the operating system: loading a module library,
// the program's own folder, a fresh temporary folder, and the surface the HUD is drawn on.
// Each platform has its own implementation file (SimPlatformPosix.cpp, SimPlatformWindows.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "host/Platform.h"

namespace sim::os {

// File name ending of a module library (".so", ".dll").
extern const char kLibrarySuffix[];

// Loads a library with the system's loader; null with `error` set when it cannot.
void* LoadLibraryFile(const std::filesystem::path& path, std::string* error);
// The library's export `name`, or null.
void* FindLibraryFunction(void* library, const char* name);
void UnloadLibrary(void* library);

// The folder holding the running program; empty when unknown.
std::filesystem::path ProgramFolder();

// Creates a new, empty folder named `prefix` plus a unique ending in the system's temporary
// folder; empty with `error` set when it cannot.
std::filesystem::path MakeTemporaryFolder(std::string_view prefix, std::string* error);

// The surface the focus vessel's HUD is drawn on. On Windows it is a GDI memory device context
// with a bitmap of kWidth x kHeight, on which texts are drawn with gdi32's TextOutA; elsewhere it
// keeps no pixels.
class HudCanvas {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    HudCanvas();
    ~HudCanvas();
    HudCanvas(const HudCanvas&) = delete;
    HudCanvas& operator=(const HudCanvas&) = delete;

    // Draws `length` characters of `text` with their top left at (x, y).
    void DrawText(int x, int y, const char* text, int length);
    // Clears what the last frame drew.
    void BeginFrame();
    // The canvas pixels (kWidth x kHeight, top row first, 0x00RRGGBB), or null when the platform
    // keeps no pixels.
    const std::uint32_t* Pixels() const;
    // Height in pixels of a line of text as the canvas draws it; 0 when it keeps no pixels.
    int LineHeight() const;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace sim::os
