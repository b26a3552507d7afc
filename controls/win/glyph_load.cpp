// Glyph bitmaps: read from the library's resources at each paint and
// recoloured to the current system colours.
#include <windows.h>

#include <vector>

#include "controls/glyph_dib.h"
#include "controls/win/paint.h"

namespace wq {
namespace {

uint32_t RgbOf(COLORREF c) { return uint32_t(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); }

}  // namespace

HBITMAP LoadGlyph(HINSTANCE inst, uint16_t id, int width, int height) {
  HRSRC res = FindResourceA(inst, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  if (!res) return nullptr;
  HGLOBAL mem = LoadResource(inst, res);
  const void* data = mem ? LockResource(mem) : nullptr;
  DWORD size = SizeofResource(inst, res);
  if (!data || size == 0) return nullptr;
  std::span<const uint8_t> dib(static_cast<const uint8_t*>(data), size);
  GlyphDib info;
  if (ParseGlyphDib(dib, info) != DibStatus::Ok) return nullptr;

  // Header and colour table are copied so the table can be recoloured; the
  // pixels are used where they lie.
  std::vector<uint8_t> head(dib.begin(), dib.begin() + ptrdiff_t(info.bitsOffset));
  // A BITMAPINFO needs at least one table entry behind the header.
  if (head.size() < sizeof(BITMAPINFO)) head.resize(sizeof(BITMAPINFO), 0);
  GlyphColours colours{RgbOf(GetSysColor(COLOR_BTNTEXT)), RgbOf(GetSysColor(COLOR_BTNSHADOW)),
                       RgbOf(GetSysColor(COLOR_BTNFACE)), RgbOf(GetSysColor(COLOR_BTNHIGHLIGHT))};
  RecolourGlyphTable(std::span<uint8_t>(head.data() + info.tableOffset, size_t(info.colours) * 4),
                     colours);
  auto* bmi = reinterpret_cast<BITMAPINFO*>(head.data());

  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
  HDC dc = bmp ? CreateCompatibleDC(screen) : nullptr;
  if (dc) {
    HGDIOBJ old = SelectObject(dc, bmp);
    FillSolid(dc, 0, 0, width, height, GetSysColor(COLOR_BTNFACE));
    int rows = info.height < 0 ? -info.height : info.height;
    SetDIBitsToDevice(dc, 0, 0, DWORD(info.width), DWORD(rows), 0, 0, 0, UINT(rows),
                      dib.data() + info.bitsOffset, bmi, DIB_RGB_COLORS);
    SelectObject(dc, old);
    DeleteDC(dc);
  } else if (bmp) {
    DeleteObject(bmp);
    bmp = nullptr;
  }
  ReleaseDC(nullptr, screen);
  return bmp;
}

}  // namespace wq
