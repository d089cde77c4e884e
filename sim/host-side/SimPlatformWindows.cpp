// The simulator's operating-system calls on Windows. The HUD canvas is a GDI memory device
// context holding a 32-bit bitmap, on which the HUD's texts are drawn with gdi32's TextOutA.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "sim/host-side/SimPlatform.h"

namespace sim::os {

namespace fs = std::filesystem;

const char kLibrarySuffix[] = ".dll";

namespace {

std::string ErrorText(DWORD code) {
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' ||
                               result.back() == ' ' || result.back() == '.')) {
        result.pop_back();
    }
    return result.empty() ? "system error " + std::to_string(code) : result;
}

}  // namespace

void* LoadLibraryFile(const fs::path& path, std::string* error) {
    HMODULE library = LoadLibraryW(path.c_str());
    if (library == nullptr) *error = ErrorText(GetLastError());
    return reinterpret_cast<void*>(library);
}

void* FindLibraryFunction(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void UnloadLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

fs::path ProgramFolder() {
    wchar_t self[32768];
    const DWORD length = GetModuleFileNameW(nullptr, self, sizeof self / sizeof self[0]);
    if (length == 0 || length >= sizeof self / sizeof self[0]) return {};
    return fs::path(std::wstring(self, length)).parent_path();
}

fs::path MakeTemporaryFolder(std::string_view prefix, std::string* error) {
    std::error_code failed;
    const fs::path parent = fs::temp_directory_path(failed);
    if (failed) {
        *error = failed.message();
        return {};
    }
    // Process id and tick count make the name unlikely to be taken; a taken one is skipped.
    const unsigned long process = GetCurrentProcessId();
    const unsigned long ticks = GetTickCount();
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        char ending[32];
        std::snprintf(ending, sizeof ending, "%lx%lx%x", process, ticks, attempt);
        const fs::path folder = parent / (std::string(prefix) + ending);
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        const DWORD code = GetLastError();
        if (code != ERROR_ALREADY_EXISTS) {
            *error = ErrorText(code);
            return {};
        }
    }
    *error = "every name tried exists already";
    return {};
}

struct HudCanvas::Impl {
    // Rows [top, bottom) hold what was drawn since the last clear. The height is that of the
    // font selected now, which the module may have changed.
    void Touch(int y) {
        TEXTMETRICA metrics = {};
        const int height = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : kHeight;
        top = std::max(0, std::min(top, y));
        bottom = std::min(kHeight, std::max(bottom, y + height));
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    std::uint32_t* pixels = nullptr;
    int top = kHeight;
    int bottom = 0;
};

HudCanvas::HudCanvas() : impl_(std::make_unique<Impl>()) {
    Impl& canvas = *impl_;
    canvas.dc = CreateCompatibleDC(nullptr);
    if (canvas.dc == nullptr) throw std::runtime_error("cannot create the HUD device context");
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    canvas.bitmap = CreateDIBSection(canvas.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (canvas.bitmap == nullptr || bits == nullptr) {
        DeleteDC(canvas.dc);
        throw std::runtime_error("cannot create the HUD bitmap");
    }
    canvas.pixels = static_cast<std::uint32_t*>(bits);
    canvas.previousBitmap = SelectObject(canvas.dc, canvas.bitmap);
    // HUD text: green strokes on whatever lies beneath.
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, RGB(0, 255, 0));
}

HudCanvas::~HudCanvas() {
    Impl& canvas = *impl_;
    SelectObject(canvas.dc, canvas.previousBitmap);
    DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
}

void HudCanvas::DrawText(int x, int y, const char* text, int length) {
    if (text == nullptr || length < 0) return;
    impl_->Touch(y);
    TextOutA(impl_->dc, x, y, text, length);
}

int HudCanvas::LineHeight() const {
    TEXTMETRICA metrics = {};
    return GetTextMetricsA(impl_->dc, &metrics) ? metrics.tmHeight : 0;
}

void HudCanvas::BeginFrame() {
    Impl& canvas = *impl_;
    if (canvas.top >= canvas.bottom) return;
    GdiFlush();
    std::memset(
        canvas.pixels + static_cast<std::size_t>(canvas.top) * kWidth, 0,
        static_cast<std::size_t>(canvas.bottom - canvas.top) * kWidth * sizeof *canvas.pixels);
    canvas.top = kHeight;
    canvas.bottom = 0;
}

const std::uint32_t* HudCanvas::Pixels() const {
    GdiFlush();
    return impl_->pixels;
}

}  // namespace sim::os
