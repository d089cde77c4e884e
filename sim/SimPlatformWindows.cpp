// The simulator's operating-system calls on Windows. The HUD canvas is a GDI memory device
// context holding a 32-bit bitmap; the module draws on it with gdi32's own TextOutA. To know the
// texts, the simulator watches the module's calls as an API monitor does: it points the loaded
// library's import slot for TextOutA at a function that records the call and then draws it.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "sim/SimPlatform.h"

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

// The canvases alive now, so a drawing call can find the recorder of its device context.
constexpr int kMaxCanvases = 8;
HudCanvas::Impl* liveCanvases[kMaxCanvases] = {};

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
    explicit Impl(TextRecorder& recorder) : recorder(recorder) {}

    // Rows [top, bottom) hold what was drawn since the last clear. The height is that of the
    // font selected now, which the module may have changed.
    void Touch(int y) {
        TEXTMETRICA metrics = {};
        const int height = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : kHeight;
        top = std::max(0, std::min(top, y));
        bottom = std::min(kHeight, std::max(bottom, y + height));
    }

    TextRecorder& recorder;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previousBitmap = nullptr;
    std::uint32_t* pixels = nullptr;
    int top = kHeight;
    int bottom = 0;
};

HudCanvas::HudCanvas(TextRecorder& recorder) : impl_(std::make_unique<Impl>(recorder)) {
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

    for (auto& slot : liveCanvases) {
        if (slot == nullptr) {
            slot = &canvas;
            return;
        }
    }
    SelectObject(canvas.dc, canvas.previousBitmap);
    DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
    throw std::runtime_error("too many HUD canvases");
}

HudCanvas::~HudCanvas() {
    Impl& canvas = *impl_;
    for (auto& slot : liveCanvases) {
        if (slot == &canvas) slot = nullptr;
    }
    SelectObject(canvas.dc, canvas.previousBitmap);
    DeleteObject(canvas.bitmap);
    DeleteDC(canvas.dc);
}

HDC HudCanvas::Hdc() const { return impl_->dc; }

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

namespace {

// Takes the module's TextOutA calls: hands the text to the canvas's recorder, then draws it.
BOOL WINAPI RecordedTextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    for (HudCanvas::Impl* canvas : liveCanvases) {
        if (canvas != nullptr && canvas->dc == dc && text != nullptr && length >= 0) {
            canvas->recorder.Record(x, y, text, length);
            canvas->Touch(y);
            break;
        }
    }
    return TextOutA(dc, x, y, text, length);
}

template <typename T>
T* At(BYTE* base, DWORD offset) {
    return reinterpret_cast<T*>(base + offset);
}

}  // namespace

void ObserveTextOutput(void* library) {
    auto* base = static_cast<BYTE*>(library);
    const auto* dos = At<IMAGE_DOS_HEADER>(base, 0);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) throw std::runtime_error("not a loaded library");
    const auto* headers = At<IMAGE_NT_HEADERS>(base, static_cast<DWORD>(dos->e_lfanew));
    if (headers->Signature != IMAGE_NT_SIGNATURE) throw std::runtime_error("not a loaded library");
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return;  // imports nothing, so draws nothing

    const auto textOut = reinterpret_cast<ULONG_PTR>(&TextOutA);
    const auto recorded = reinterpret_cast<ULONG_PTR>(&RecordedTextOutA);
    for (auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); entry->Name != 0;
         ++entry) {
        if (lstrcmpiA(At<char>(base, entry->Name), "gdi32.dll") != 0) continue;
        auto* slots = At<IMAGE_THUNK_DATA>(base, entry->FirstThunk);
        const IMAGE_THUNK_DATA* names = entry->OriginalFirstThunk != 0
                                            ? At<IMAGE_THUNK_DATA>(base, entry->OriginalFirstThunk)
                                            : nullptr;
        for (std::size_t i = 0; slots[i].u1.Function != 0; ++i) {
            bool isTextOut = false;
            if (names != nullptr && !IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) {
                const auto* byName =
                    At<IMAGE_IMPORT_BY_NAME>(base, static_cast<DWORD>(names[i].u1.AddressOfData));
                isTextOut =
                    std::strcmp(reinterpret_cast<const char*>(byName->Name), "TextOutA") == 0;
            } else {
                isTextOut = slots[i].u1.Function == textOut;
            }
            if (!isTextOut) continue;
            DWORD protection = 0;
            if (!VirtualProtect(&slots[i].u1.Function, sizeof slots[i].u1.Function, PAGE_READWRITE,
                                &protection)) {
                throw std::runtime_error("cannot watch the module's TextOutA calls: " +
                                         ErrorText(GetLastError()));
            }
            slots[i].u1.Function = recorded;
            VirtualProtect(&slots[i].u1.Function, sizeof slots[i].u1.Function, protection,
                           &protection);
        }
    }
}

}  // namespace sim::os
