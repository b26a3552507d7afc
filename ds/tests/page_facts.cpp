// The test page's facts checked in 1/1200 inch from the bed origin: the white
// margin, the colour bars, the rising grey ramp and the gradient; and the
// feeder sheets' black squares counted.
#include "ds/tests/page_facts.h"

#include <cstdio>

namespace wq::test {
namespace {

// 1/1200 inch from the bed origin to the pixel column / row.
bool Index(int32_t pos, int32_t originUnits, int res, uint32_t count, uint32_t* i) {
  const int64_t rel = int64_t(pos) - int64_t(originUnits) * 48;
  if (rel < 0 || res <= 0) return false;
  const int64_t v = rel * res / 1200;
  if (v >= count) return false;
  *i = uint32_t(v);
  return true;
}

int Luma(const uint8_t* p) { return (77 * p[0] + 150 * p[1] + 29 * p[2] + 128) >> 8; }

std::string Text(const char* what, int32_t x, int32_t y, const uint8_t* p) {
  char buf[160];
  snprintf(buf, sizeof buf, "%s at page (%d, %d): (%d, %d, %d)", what, x, y, p[0], p[1], p[2]);
  return buf;
}

// Mean luminance of the page rectangle [x0, x1) x [y0, y1), over the pixels
// whose centres fall inside; -1 when none does.
double MeanLuma(const RgbPage& page, const ScanFrame& f, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
  double sum = 0;
  int n = 0;
  for (uint32_t y = 0; y < page.Height; ++y) {
    const int64_t py = int64_t(f.Top) * 48 + (int64_t(y) * 1200 + 600) / f.YRes;
    if (py < y0 || py >= y1) continue;
    for (uint32_t x = 0; x < page.Width; ++x) {
      const int64_t px = int64_t(f.Left) * 48 + (int64_t(x) * 1200 + 600) / f.XRes;
      if (px < x0 || px >= x1) continue;
      sum += Luma(page.At(x, y));
      ++n;
    }
  }
  return n ? sum / n : -1;
}

}  // namespace

bool PagePixel(const RgbPage& page, const ScanFrame& f, int32_t x, int32_t y, uint8_t rgb[3]) {
  uint32_t i, j;
  if (!Index(x, f.Left, f.XRes, page.Width, &i) || !Index(y, f.Top, f.YRes, page.Height, &j)) return false;
  const uint8_t* p = page.At(i, j);
  rgb[0] = p[0];
  rgb[1] = p[1];
  rgb[2] = p[2];
  return true;
}

std::vector<std::string> CheckPageFacts(const RgbPage& page, const ScanFrame& f, int kind) {
  std::vector<std::string> wrong;
  uint8_t p[3];
  const bool colour = kind == 2 || kind == 4 || kind == 5 || kind == 6;
  // The margin above everything is white.
  for (int32_t x = 700; x < 9600; x += 450)
    if (PagePixel(page, f, x, 300, p) && (p[0] < 230 || p[1] < 230 || p[2] < 230))
      wrong.push_back(Text("margin not white", x, 300, p));
  // The bars: red, green, blue, cyan, magenta, yellow, black, white.
  static const int kBars[8][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 1, 1},
                                  {1, 0, 1}, {1, 1, 0}, {0, 0, 0}, {1, 1, 1}};
  for (int b = 0; b < 8; ++b) {
    const int32_t x = 600 + 1125 * b + 562, y = 1500;
    if (!PagePixel(page, f, x, y, p)) continue;
    if (colour) {
      for (int c = 0; c < 3; ++c)
        if (kBars[b][c] ? p[c] < 160 : p[c] > 96) {
          wrong.push_back(Text("colour bar wrong", x, y, p));
          break;
        }
    } else if ((b == 6 && Luma(p) > 40) || (b == 7 && Luma(p) < 215)) {
      wrong.push_back(Text(b == 6 ? "black bar not black" : "white bar not white", x, y, p));
    }
  }
  // The grey ramp rises left to right: eight stretches, each at least as
  // light as the one before, and a clear rise over all.
  double last = -1, first = -1;
  for (int s = 0; s < 8; ++s) {
    const int32_t x0 = 600 + 1125 * s;
    const double m = MeanLuma(page, f, x0 + 100, x0 + 1025, 3200, 4600);
    if (m < 0) continue;
    if (first < 0) first = m;
    if (last >= 0 && m + 3 < last) {
      char buf[96];
      snprintf(buf, sizeof buf, "grey ramp falls at stretch %d: %.1f after %.1f", s, m, last);
      wrong.push_back(buf);
    }
    last = m;
  }
  if (first >= 0 && last - first < 150) {
    char buf[96];
    snprintf(buf, sizeof buf, "grey ramp rises only from %.1f to %.1f", first, last);
    wrong.push_back(buf);
  }
  // The gradient: red rises to the right, green downwards, where colour is kept.
  if (kind == 6 || kind == 4 || kind == 5) {
    uint8_t a[3], b[3];
    if (PagePixel(page, f, 1200, 10200, a) && PagePixel(page, f, 9000, 10200, b) && b[0] < a[0] + 120)
      wrong.push_back(Text("gradient's red does not rise to the right", 9000, 10200, b));
    if (PagePixel(page, f, 4800, 8200, a) && PagePixel(page, f, 4800, 12200, b) && b[1] < a[1] + 120)
      wrong.push_back(Text("gradient's green does not rise downwards", 4800, 12200, b));
  }
  return wrong;
}

int CountSheetSquares(const RgbPage& page, const ScanFrame& f) {
  int n = 0;
  for (int k = 0; k < 8; ++k) {
    const int32_t x0 = 600 + 1200 * k;
    const double m = MeanLuma(page, f, x0 + 100, x0 + 500, 13000, 13400);
    if (m >= 0 && m < 60) ++n;
  }
  return n;
}

}  // namespace wq::test
