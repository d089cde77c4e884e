// The host's drawing surface, handed to a vessel's HUD callback: oapi::Sketchpad, with the
// simulator's members and the order of its virtual functions. The simulator's class goes on with
// further drawing functions after TextBox; the module draws text only, so this declaration stops
// there: a host may declare the rest after it without moving any slot declared here.
#pragma once

#include "host/HostTypes.h"

namespace oapi {

class Font;
class Pen;
class Brush;

class QM_HOST_API Sketchpad {
  public:
    explicit Sketchpad(SURFHANDLE s);
    virtual ~Sketchpad();

    virtual Font* SetFont(Font* font);
    virtual Pen* SetPen(Pen* pen);
    virtual Brush* SetBrush(Brush* brush);

    enum TAlign_horizontal { LEFT, CENTER, RIGHT };
    enum TAlign_vertical { TOP, BASELINE, BOTTOM };
    virtual void SetTextAlign(TAlign_horizontal tah = LEFT, TAlign_vertical tav = TOP);
    virtual DWORD SetTextColor(DWORD col);
    virtual DWORD SetBackgroundColor(DWORD col);

    enum BkgMode { BK_TRANSPARENT, BK_OPAQUE };
    virtual void SetBackgroundMode(BkgMode mode);
    virtual DWORD GetCharSize();
    virtual DWORD GetTextWidth(const char* str, int len = 0);
    virtual void SetOrigin(int x, int y);
    virtual void GetOrigin(int* x, int* y) const;

    // Draws `len` characters of `str` with the text's top left at (x, y).
    virtual bool Text(int x, int y, const char* str, int len);
    virtual bool TextBox(int x1, int y1, int x2, int y2, const char* str, int len);

    SURFHANDLE GetSurface() const { return surf; }

  private:
    SURFHANDLE surf;
};

}  // namespace oapi
