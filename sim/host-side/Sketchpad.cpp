// The host's Sketchpad base: what a drawing surface does with a call it does not draw. A surface
// that draws overrides the calls it supports.
#include "host/Sketchpad.h"

namespace oapi {

Sketchpad::Sketchpad(SURFHANDLE s) : surf(s) {}
Sketchpad::~Sketchpad() = default;

Font* Sketchpad::SetFont(Font*) { return nullptr; }
Pen* Sketchpad::SetPen(Pen*) { return nullptr; }
Brush* Sketchpad::SetBrush(Brush*) { return nullptr; }
void Sketchpad::SetTextAlign(TAlign_horizontal, TAlign_vertical) {}
DWORD Sketchpad::SetTextColor(DWORD) { return 0; }
DWORD Sketchpad::SetBackgroundColor(DWORD) { return 0; }
void Sketchpad::SetBackgroundMode(BkgMode) {}
DWORD Sketchpad::GetCharSize() { return 0; }
DWORD Sketchpad::GetTextWidth(const char*, int) { return 0; }
void Sketchpad::SetOrigin(int, int) {}
void Sketchpad::GetOrigin(int* x, int* y) const {
    if (x != nullptr) *x = 0;
    if (y != nullptr) *y = 0;
}
bool Sketchpad::Text(int, int, const char*, int) { return false; }
bool Sketchpad::TextBox(int x1, int y1, int, int, const char* str, int len) {
    return Text(x1, y1, str, len);
}

}  // namespace oapi
