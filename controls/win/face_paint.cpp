// Painting of the bitmap buttons' 3-D faces in both looks.
#include <windows.h>

#include "controls/win/paint.h"
#include "controls/win/toollib.h"

namespace wq {
namespace {

// Raster operations: pattern where the mask is 0 (emboss), pattern where
// the mask is 1 (checker).
constexpr DWORD kRopPatternOnZero = 0xB8074A;
constexpr DWORD kRopPatternOnOne = 0xE20746;

struct Colours {
  COLORREF face, highlight, shadow, frame;
};

void HLine(HDC dc, int x0, int x1, int y, COLORREF c) { FillSolid(dc, x0, y, x1 - x0, 1, c); }
void VLine(HDC dc, int x, int y0, int y1, COLORREF c) { FillSolid(dc, x, y0, 1, y1 - y0, c); }

void Frame(HDC dc, int x0, int y0, int x1, int y1, COLORREF c) {
  HLine(dc, x0, x1, y0, c);
  HLine(dc, x0, x1, y1 - 1, c);
  VLine(dc, x0, y0, y1, c);
  VLine(dc, x1 - 1, y0, y1, c);
}

// Border, focus frame and bevel; returns the inset of the face inside them.
int DrawFrame(HDC dc, int w, int h, const FacePlan& p, FaceLook look, const Colours& c) {
  if (look == FaceLook::Classic) {
    HLine(dc, 1, w - 1, 0, c.frame);  // corners left out
    HLine(dc, 1, w - 1, h - 1, c.frame);
    VLine(dc, 0, 1, h - 1, c.frame);
    VLine(dc, w - 1, 1, h - 1, c.frame);
  } else {
    HLine(dc, 0, w, 0, c.highlight);
    VLine(dc, 0, 0, h, c.highlight);
    HLine(dc, 0, w, h - 1, c.frame);
    VLine(dc, w - 1, 0, h, c.frame);
  }
  int b = kFaceBorder;
  if (p.focused) {
    Frame(dc, b, b, w - b, h - b, c.frame);
    ++b;
  }
  if (p.down) {
    HLine(dc, b, w - b, b, c.shadow);
    VLine(dc, b, b, h - b, c.shadow);
  } else {
    int depth = look == FaceLook::Classic ? 2 : 1;
    HLine(dc, b, w - b, b, c.highlight);
    VLine(dc, b, b, h - b, c.highlight);
    for (int i = 0; i < depth; ++i) {
      HLine(dc, b + i, w - b, h - b - 1 - i, c.shadow);
      VLine(dc, w - b - 1 - i, b + i, h - b, c.shadow);
    }
  }
  return b + 1;
}

// 1 where the glyph shows background (face or highlight), 0 elsewhere.
HBITMAP GlyphMask(HDC glyphDc, int gw, int gh, const Colours& c) {
  HBITMAP mask = CreateBitmap(gw, gh, 1, 1, nullptr);
  HDC mdc = mask ? CreateCompatibleDC(glyphDc) : nullptr;
  if (!mdc) {
    if (mask) DeleteObject(mask);
    return nullptr;
  }
  HGDIOBJ old = SelectObject(mdc, mask);
  SetBkColor(glyphDc, c.face);
  BitBlt(mdc, 0, 0, gw, gh, glyphDc, 0, 0, SRCCOPY);
  SetBkColor(glyphDc, c.highlight);
  BitBlt(mdc, 0, 0, gw, gh, glyphDc, 0, 0, SRCPAINT);
  SelectObject(mdc, old);
  DeleteDC(mdc);
  return mask;
}

// Paints brush through a mask with one of the two raster operations.
void PaintThrough(HDC dc, int x, int y, int w, int h, HBITMAP mask, int mx, int my, HBRUSH brush,
                  DWORD rop) {
  HDC mdc = CreateCompatibleDC(dc);
  if (!mdc) return;
  HGDIOBJ oldMask = SelectObject(mdc, mask);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF bk = SetBkColor(dc, RGB(255, 255, 255));
  BitBlt(dc, x, y, w, h, mdc, mx, my, rop);
  SetTextColor(dc, text);
  SetBkColor(dc, bk);
  SelectObject(dc, oldBrush);
  SelectObject(mdc, oldMask);
  DeleteDC(mdc);
}

HBRUSH CheckerBrush(HDC dc, const Colours& c) {
  HBITMAP bmp = CreateCompatibleBitmap(dc, 8, 8);
  if (!bmp) return nullptr;
  HDC bdc = CreateCompatibleDC(dc);
  HBRUSH brush = nullptr;
  if (bdc) {
    HGDIOBJ old = SelectObject(bdc, bmp);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) SetPixelV(bdc, x, y, ((x + y) & 1) ? c.highlight : c.face);
    SelectObject(bdc, old);
    DeleteDC(bdc);
    brush = CreatePatternBrush(bmp);
  }
  DeleteObject(bmp);
  return brush;
}

// Dithers the inner face where neither glyph nor bevel is.
void DrawChecker(HDC dc, int inset, int w, int h, const FacePlan& p, HDC glyphDc, HBITMAP glyphMask,
                 int gw, int gh, const Colours& c) {
  int fw = w - 2 * inset + 1, fh = h - 2 * inset + 1;  // down look has no right/bottom bevel
  if (fw <= 0 || fh <= 0) return;
  HBITMAP mask = CreateBitmap(fw, fh, 1, 1, nullptr);
  HDC mdc = mask ? CreateCompatibleDC(dc) : nullptr;
  HBRUSH brush = mdc ? CheckerBrush(dc, c) : nullptr;
  if (brush) {
    HGDIOBJ old = SelectObject(mdc, mask);
    PatBlt(mdc, 0, 0, fw, fh, WHITENESS);
    if (glyphMask && glyphDc) {
      HDC gdc = CreateCompatibleDC(dc);
      if (gdc) {
        HGDIOBJ og = SelectObject(gdc, glyphMask);
        BitBlt(mdc, p.glyphX - inset, p.glyphY - inset, gw, gh, gdc, 0, 0, SRCAND);
        SelectObject(gdc, og);
        DeleteDC(gdc);
      }
    }
    SelectObject(mdc, old);
    POINT org;
    SetBrushOrgEx(dc, p.shift, p.shift, &org);
    PaintThrough(dc, inset, inset, fw, fh, mask, 0, 0, brush, kRopPatternOnOne);
    SetBrushOrgEx(dc, org.x, org.y, nullptr);
    DeleteObject(brush);
  }
  if (mdc) DeleteDC(mdc);
  if (mask) DeleteObject(mask);
}

void DrawFace(HDC dc, int w, int h, const ButtonRecord& b, FaceLook look) {
  Colours c{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT),
            GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_WINDOWFRAME)};
  FacePlan p = PlanFace(b, w, h);
  FillSolid(dc, 0, 0, w, h, c.face);
  int inset = DrawFrame(dc, w, h, p, look, c);
  if (p.glyph < 0) {
    if (p.checker) DrawChecker(dc, inset, w, h, p, nullptr, nullptr, 0, 0, c);
    return;
  }
  int gw = b.glyphs.width, gh = b.glyphs.height;
  HBITMAP glyph = LoadGlyph(g_tool.inst, b.glyphs.id[p.glyph], gw, gh);
  HDC gdc = glyph ? CreateCompatibleDC(dc) : nullptr;
  if (!gdc) {
    if (glyph) DeleteObject(glyph);
    if (p.checker) DrawChecker(dc, inset, w, h, p, nullptr, nullptr, 0, 0, c);
    return;
  }
  HGDIOBJ old = SelectObject(gdc, glyph);
  if (p.copy) BitBlt(dc, p.glyphX, p.glyphY, gw, gh, gdc, 0, 0, SRCCOPY);
  HBITMAP mask = (p.emboss || p.checker) ? GlyphMask(gdc, gw, gh, c) : nullptr;
  if (p.emboss && mask) {
    HBRUSH hl = CreateSolidBrush(c.highlight), sh = CreateSolidBrush(c.shadow);
    PaintThrough(dc, p.glyphX + 1, p.glyphY + 1, gw, gh, mask, 0, 0, hl, kRopPatternOnZero);
    PaintThrough(dc, p.glyphX, p.glyphY, gw, gh, mask, 0, 0, sh, kRopPatternOnZero);
    DeleteObject(hl);
    DeleteObject(sh);
  }
  if (p.checker) DrawChecker(dc, inset, w, h, p, gdc, mask, gw, gh, c);
  if (mask) DeleteObject(mask);
  SelectObject(gdc, old);
  DeleteDC(gdc);
  DeleteObject(glyph);
}

}  // namespace

void FillSolid(HDC dc, int x, int y, int w, int h, COLORREF c) {
  if (w <= 0 || h <= 0) return;
  RECT r{x, y, x + w, y + h};
  COLORREF old = SetBkColor(dc, c);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void PaintButtonFace(HDC dc, const RECT& client, const ButtonRecord& b, FaceLook look) {
  int w = client.right - client.left, h = client.bottom - client.top;
  PaintBuffered(dc, client, [&](HDC m) { DrawFace(m, w, h, b, look); });
}

}  // namespace wq
