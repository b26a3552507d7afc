// Painting an image window: the rows under the invalid area are read from
// the document's BMP file strip by strip and stretched onto the window.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "imagefile/bmp_reader.h"
#include "app/view_math.h"
#include "app/win/app_shell.h"
#include "common/io_file.h"

namespace {

void FillOutside(HDC dc, const RECT& dirty, int64_t right, int64_t bottom) {
  HBRUSH grey = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  if (right < dirty.right) {
    RECT r{int(std::max<int64_t>(dirty.left, right)), dirty.top, dirty.right, dirty.bottom};
    FillRect(dc, &r, grey);
  }
  if (bottom < dirty.bottom) {
    RECT r{dirty.left, int(std::max<int64_t>(dirty.top, bottom)), dirty.right, dirty.bottom};
    FillRect(dc, &r, grey);
  }
}

// Tells about a shortage after the paint, not from inside it.
constexpr UINT kPaintMemoryShort = WM_APP + 17;

}  // namespace

void PaintImage(HWND child, HDC dc, const RECT& dirty, wq::ImageDocument* doc) {
  const int step = doc->view.zoomStep;
  const int64_t right = int64_t(wq::ZoomedLength(doc->width, step)) - doc->scrollX;
  const int64_t bottom = int64_t(wq::ZoomedLength(doc->height, step)) - doc->scrollY;
  FillOutside(dc, dirty, right, bottom);

  wq::FileReader file;
  if (wq::FileReaderOpen(&file, wq::CurrentImagePath(*doc, g_app.workDirectory).c_str()) != wq::IoStatus::kOk) {
    FillRect(dc, &dirty, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    return;
  }
  const wq::WqIo io = wq::FileReaderIo(&file);
  wq::BmpImage img;
  if (wq::BmpOpen(io, &img) != wq::FileStatus::kOk) {
    wq::FileReaderClose(&file);
    return;
  }
  const wq::Span rows = wq::VisibleSpan(img.height, step, doc->scrollY, dirty.top, dirty.bottom);
  const wq::Span cols = wq::VisibleSpan(img.width, step, doc->scrollX, dirty.left, dirty.right);
  if (rows.count && cols.count) {
    HPALETTE old = nullptr;
    if (doc->palette && g_app.displayClass == 8) {
      old = SelectPalette(dc, static_cast<HPALETTE>(doc->palette), FALSE);
      RealizePalette(dc);
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    struct {
      BITMAPINFOHEADER h;
      RGBQUAD colours[256];
    } info{};
    info.h.biSize = sizeof(BITMAPINFOHEADER);
    info.h.biWidth = LONG(img.width);
    info.h.biPlanes = 1;
    info.h.biBitCount = img.bits;
    info.h.biClrUsed = img.colours;
    std::copy(img.colourTable.begin(), img.colourTable.begin() + img.colours * 4,
              reinterpret_cast<uint8_t*>(info.colours));
    const uint32_t stripRows = wq::PaintStripRows(img.stride, step, img.height);
    std::unique_ptr<uint8_t[]> strip(new (std::nothrow) uint8_t[size_t(stripRows * img.stride)]);
    if (!strip) {
      PostMessageW(child, kPaintMemoryShort, 0, 0);
    } else {
      for (uint32_t y = rows.first; y < rows.first + rows.count;) {
        const uint32_t n = std::min(stripRows, rows.first + rows.count - y);
        if (wq::BmpReadRowBlock(io, img, y, n, strip.get()) != wq::FileStatus::kOk) break;
        const wq::Span place = wq::SpanPlacement(step, doc->scrollY, y, n);
        info.h.biHeight = img.topDown ? -LONG(n) : LONG(n);
        StretchDIBits(dc, int(cols.destStart), int(place.destStart), int(cols.destLength),
                      int(place.destLength), int(cols.first), 0, int(cols.count), int(n),
                      strip.get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
        y += n;
      }
    }
    if (old) SelectPalette(dc, old, FALSE);
  }
  wq::FileReaderClose(&file);
}
