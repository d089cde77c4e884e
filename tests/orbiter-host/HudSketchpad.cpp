#include "HudSketchpad.h"

#include <cstring>

#include "HostWorld.h"

namespace {

constexpr COLORREF kTextColour = RGB(0, 255, 0);

}  // namespace

HudSketchpad::HudSketchpad() : oapi::Sketchpad(nullptr) {
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_ == nullptr) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;  // negative: rows from the top, as the HUD counts them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr || bits == nullptr) return;
    previousBitmap_ = SelectObject(dc_, bitmap_);
    ::SetTextColor(dc_, kTextColour);
    SetBkMode(dc_, TRANSPARENT);
    pixels_ = static_cast<unsigned int*>(bits);
    Reset();
}

HudSketchpad::~HudSketchpad() {
    if (dc_ != nullptr && previousBitmap_ != nullptr) SelectObject(dc_, previousBitmap_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
}

bool HudSketchpad::Text(int x, int y, const char* str, int len) {
    HostWorld& world = World();
    const int length = str != nullptr && len > 0 ? len : 0;
    texts_.push_back(
        DrawnText{x, y, std::string(str != nullptr ? str : "", static_cast<std::size_t>(length)),
                  len, world.NextEvent()});
    if (!Ready() || length == 0) return false;
    const BOOL drawn = TextOutA(dc_, x, y, str, length);
    GdiFlush();
    return drawn != FALSE;
}

void HudSketchpad::Reset() {
    texts_.clear();
    if (pixels_ != nullptr) {
        std::memset(pixels_, 0, sizeof(unsigned int) * static_cast<std::size_t>(kWidth) * kHeight);
    }
}

int HudSketchpad::LitPixels(int top, int bottom) const {
    if (pixels_ == nullptr) return 0;
    if (top < 0) top = 0;
    if (bottom > kHeight) bottom = kHeight;
    int lit = 0;
    for (int row = top; row < bottom; ++row) {
        const unsigned int* line = pixels_ + static_cast<std::size_t>(row) * kWidth;
        for (int column = 0; column < kWidth; ++column) {
            if ((line[column] & 0x00FFFFFFu) != 0) ++lit;
        }
    }
    return lit;
}
