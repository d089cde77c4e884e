// The HUD surface the test host hands to a module's HUD callback: a Sketchpad that draws text
// with GDI into a real 800 x 600 memory bitmap, as the simulator's GDI client does, and records
// every text with its position so that the checks can compare both.
#pragma once

#include <string>
#include <vector>

#include "host/Sketchpad.h"

struct DrawnText {
    int x;
    int y;
    std::string text;
    int length;
    int event;  // the world's event number when it was drawn
};

class HudSketchpad final : public oapi::Sketchpad {
  public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    HudSketchpad();
    ~HudSketchpad() override;
    HudSketchpad(const HudSketchpad&) = delete;
    HudSketchpad& operator=(const HudSketchpad&) = delete;

    // True when the device context and its bitmap exist.
    bool Ready() const { return pixels_ != nullptr; }

    bool Text(int x, int y, const char* str, int len) override;

    // Back to a black bitmap and no recorded texts.
    void Reset();
    const std::vector<DrawnText>& Texts() const { return texts_; }
    // Pixels that are not black in rows [top, bottom) of the bitmap.
    int LitPixels(int top, int bottom) const;

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    unsigned int* pixels_ = nullptr;  // 32-bit top-down rows
    std::vector<DrawnText> texts_;
};
