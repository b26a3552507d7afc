// Drawing of the controls into a device context (a window's, or a memory
// one for WM_PRINTCLIENT).
#pragma once
#include <windows.h>

#include "controls/button.h"
#include "controls/face.h"
#include "controls/twoscroll.h"

namespace wq {

// Draws the whole client area and records the drawn thumb positions.
void PaintTwoScroll(HDC dc, const RECT& client, TwoScrollRecord& r);

void PaintButtonFace(HDC dc, const RECT& client, const ButtonRecord& b, FaceLook look);

// The glyph as a screen-compatible bitmap of width x height, recoloured to
// the system colours; nullptr when the resource is missing or unusable.
HBITMAP LoadGlyph(HINSTANCE inst, uint16_t id, int width, int height);

// Solid rectangle without a brush object.
void FillSolid(HDC dc, int x, int y, int w, int h, COLORREF c);

// Runs draw(memoryDc) on an off-screen copy of the client and shows it.
template <typename Draw>
void PaintBuffered(HDC dc, const RECT& client, Draw draw) {
  int w = client.right - client.left, h = client.bottom - client.top;
  if (w <= 0 || h <= 0) return;
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = mem ? CreateCompatibleBitmap(dc, w, h) : nullptr;
  if (!bmp) {  // no memory for a buffer: draw directly
    if (mem) DeleteDC(mem);
    draw(dc);
    return;
  }
  HGDIOBJ old = SelectObject(mem, bmp);
  draw(mem);
  BitBlt(dc, client.left, client.top, w, h, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
}

}  // namespace wq
