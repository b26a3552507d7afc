// Reading what a window shows: a rectangle of a window's client area copied
// from the screen as 0x00RRGGBB pixels, rows from the top, for tests that
// compare the preview's pixels with an independent computation.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace wq {
namespace uitest {

struct ScreenPixels {
  int Width = 0, Height = 0;
  std::vector<uint32_t> Pixels;  // 0x00RRGGBB
  uint32_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
};

// `r` in the window's client coordinates; the window must be on top.
inline ScreenPixels CaptureClient(HWND window, const RECT& r) {
  ScreenPixels out;
  out.Width = r.right - r.left;
  out.Height = r.bottom - r.top;
  if (out.Width <= 0 || out.Height <= 0) return out;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = out.Width;
  bi.bmiHeader.biHeight = -out.Height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) {
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, out.Width, out.Height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    out.Pixels.assign(p, p + size_t(out.Width) * size_t(out.Height));
    for (uint32_t& v : out.Pixels) v &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(dib);
  }
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return out;
}

inline int RedOf(uint32_t p) { return int((p >> 16) & 0xFF); }
inline int GreenOf(uint32_t p) { return int((p >> 8) & 0xFF); }
inline int BlueOf(uint32_t p) { return int(p & 0xFF); }

}  // namespace uitest
}  // namespace wq
