// The scan path's tables and formulas by model: the model from its name, the
// resolution lists, the resolution of a zoomed output size, bed and paper
// rectangles in 1/25 inch, the selection's area and the image size.
#include "ds/scan/geometry.h"

#include <cstring>

#include "ds/settings/settings.h"
#include "twain/twain.h"

namespace wq {
namespace {

bool Contains(const char* name, size_t size, const char* code) {
  const size_t n = strlen(code);
  for (size_t i = 0; i + n <= size; ++i)
    if (memcmp(name + i, code, n) == 0) return true;
  return false;
}

constexpr int kList0[] = {72, 100, 144, 150, 180, 200, 300, 360, 400};
constexpr int kList12[] = {72, 100, 144, 150, 180, 200, 300, 360, 400, 600, 1200};
constexpr int kList3[] = {75, 100, 150, 200, 300, 400, 600, 1200};

template <size_t N>
int FromList(const int (&list)[N], int index, int custom) {
  if (index >= 1 && index <= int(N)) return list[index - 1];
  if (index == int(N) + 1) return custom;
  return 0;
}

int16_t Clamp16(int64_t v) { return int16_t(v > 32767 ? 32767 : v < 0 ? 0 : v); }

}  // namespace

int ModelFromIdentity(const char* name, size_t size, bool wq215Enabled) {
  if (Contains(name, size, "131")) return 0;
  if (Contains(name, size, "121")) return wq215Enabled ? 1 : -1;
  if (Contains(name, size, "221")) return 2;
  if (Contains(name, size, "081")) return 2;
  if (Contains(name, size, "101")) return 3;
  return -1;
}

int TableResolution(int model, int index, int custom) {
  switch (model) {
    case 0: return FromList(kList0, index, custom);
    case 1:
    case 2: return FromList(kList12, index, custom);
    case 3: return FromList(kList3, index, custom);
    default: return 0;
  }
}

int ResolutionCount(int model) {
  switch (model) {
    case 0: return 10;
    case 1:
    case 2: return 12;
    case 3: return 9;
    default: return 0;
  }
}

BlockResolution ZoomResolution(int model, int32_t pixels, int32_t extent) {
  BlockResolution r{0, 0, false};
  if (extent <= 0 || pixels <= 0) {
    r.Hundredths = model >= 1 && model <= 3;
    return r;
  }
  const int64_t p = pixels;
  const int64_t w = extent;
  if (model == 3) {
    r.Hundredths = true;
    r.Whole = Clamp16((p * 25 + w - 1) / w);
  } else if (model == 1 || model == 2) {
    r.Hundredths = true;
    int64_t v = p * 25000 / w;
    if ((p * 25) % w != 0) v += 10;
    v /= 10;
    r.Whole = Clamp16(v / 100);
    r.Fraction = int16_t(v % 100);
  } else {
    int64_t v = p * 25000 / w;
    int64_t whole = v / 1000;
    int64_t rest = v % 1000;
    int64_t fraction = rest ? (rest + 5) * 65536 / 1000 : 0;
    // Thousandths of 995 and more round up to the next whole dpi.
    if (fraction > 65535) {
      whole += 1;
      fraction -= 65536;
    }
    r.Whole = Clamp16(whole);
    r.Fraction = int16_t(uint16_t(fraction));
  }
  return r;
}

AreaRect BedRect(int model, bool adf, bool film, int filmType) {
  switch (model) {
    case 1:
      if (film) {
        if (filmType == 1) return {kBedLeft, kBedTop, 211, 285};
        if (filmType == 2) return {kBedLeft, kBedTop, 107, 285};
        return {kBedLeft, kBedTop, 216, 285};
      }
      return {kBedLeft, kBedTop, 216, 303};
    case 2:
      if (film && filmType == 3) return {kBedLeft, kBedTop, 211, 285};
      if (film && filmType == 4) return {kBedLeft, kBedTop, 107, 285};
      return {kBedLeft, kBedTop, 216, 360};
    case 3:
      return {kBedLeft, kBedTop, 303, 435};
    default:
      if (adf) return {kBedLeft, kBedTop, 216, 360};
      if (film) return {kBedLeft, kBedTop, 216, 285};
      return {kBedLeft, kBedTop, 216, 303};
  }
}

bool PaperRect(int model, int index, AreaRect* rect) {
  struct Size {
    int32_t right, bottom;
  };
  static constexpr Size kSmall[] = {{210, 303}, {183, 263}, {216, 360}, {216, 285},
                                    {216, 148}, {103, 135}};
  static constexpr Size kLarge[] = {{296, 424}, {210, 303}, {256, 369}, {183, 263}, {278, 435},
                                    {216, 360}, {216, 285}, {213, 148}, {103, 135}};
  const Size* table = model == 3 ? kLarge : kSmall;
  const int count = model == 3 ? 9 : 6;
  if (index < 1 || index > count) return false;
  *rect = AreaRect{kBedLeft, kBedTop, table[index - 1].right, table[index - 1].bottom};
  return true;
}

int PaperIndex(const ScanSettings& s) { return s.Model == 3 ? s.Range1 : s.Range2; }

void SetPaperIndex(ScanSettings& s, int index) {
  if (s.Model == 3) s.Range1 = int16_t(index);
  else s.Range2 = int16_t(index);
}

void SetAreaFromPaper(ScanSettings& s) {
  const int index = PaperIndex(s);
  // "Optional..." (the entry after the last paper) is the selection, once
  // there is one; without one it is the whole bed.
  const SettingsRect& c = s.PreCropRect;
  if (index == OptionalPaperIndex(s.Model) && c.Right > c.Left && c.Bottom > c.Top) {
    SelectionToArea(s);
    return;
  }
  const AreaRect bed = BedRect(s.Model, s.ADF == 1, s.Mirror == 1, s.MirrorType);
  AreaRect area = bed;
  PaperRect(s.Model, index, &area);
  if (area.Right > bed.Right) area.Right = bed.Right;
  if (area.Bottom > bed.Bottom) area.Bottom = bed.Bottom;
  s.AreaLeft = area.Left;
  s.AreaTop = area.Top;
  s.AreaWidth = area.Right - area.Left;
  s.AreaHeight = area.Bottom - area.Top;
}

void FrameScale(int model, int* n, int* d) {
  *n = 5;
  *d = model == 3 ? 3 : 4;
}

void SelectionToArea(ScanSettings& s) {
  const AreaRect bed = BedRect(s.Model, s.ADF == 1, s.Mirror == 1, s.MirrorType);
  int n, d;
  FrameScale(s.Model, &n, &d);
  int64_t x0 = int64_t(s.PreCropRect.Left) - s.PreScanRect.Left;
  int64_t y0 = int64_t(s.PreCropRect.Top) - s.PreScanRect.Top;
  int64_t x1 = int64_t(s.PreCropRect.Right) - s.PreScanRect.Left;
  int64_t y1 = int64_t(s.PreCropRect.Bottom) - s.PreScanRect.Top;
  if (x1 <= x0 || y1 <= y0) {
    // No selection: the whole bed, not the frame's pixels of it, which
    // may fall short of it by a unit.
    s.AreaLeft = bed.Left;
    s.AreaTop = bed.Top;
    s.AreaWidth = bed.Right - bed.Left;
    s.AreaHeight = bed.Bottom - bed.Top;
    return;
  }
  // A selection reaching left of or above the frame starts at its edge.
  if (x0 < 0) x0 = 0;
  if (y0 < 0) y0 = 0;
  auto clampTo = [](int64_t v, int64_t hi) { return v < 0 ? 0 : v > hi ? hi : v; };
  const int64_t left = clampTo(bed.Left + x0 * n / d, bed.Right);
  const int64_t top = clampTo(bed.Top + y0 * n / d, bed.Bottom);
  s.AreaLeft = int32_t(left);
  s.AreaTop = int32_t(top);
  s.AreaWidth = int32_t(clampTo(x1 > x0 ? (x1 - x0) * n / d : 0, bed.Right - left));
  s.AreaHeight = int32_t(clampTo(y1 > y0 ? (y1 - y0) * n / d : 0, bed.Bottom - top));
}

SettingsRect SelectionOfArea(const ScanSettings& s, int32_t x, int32_t y, int32_t width,
                             int32_t height) {
  int n, d;
  FrameScale(s.Model, &n, &d);
  auto edge = [&](int32_t frameOrigin, int64_t units) {
    return int32_t(frameOrigin + ((units < 0 ? 0 : units) * d + n - 1) / n);
  };
  SettingsRect r{edge(s.PreScanRect.Left, x), edge(s.PreScanRect.Top, y),
                 edge(s.PreScanRect.Left, int64_t(x) + width),
                 edge(s.PreScanRect.Top, int64_t(y) + height)};
  if (r.Right <= r.Left) r.Right = r.Left + 1;
  if (r.Bottom <= r.Top) r.Bottom = r.Top + 1;
  return r;
}

void AreaToSelection(ScanSettings& s) {
  const AreaRect bed = BedRect(s.Model, s.ADF == 1, s.Mirror == 1, s.MirrorType);
  if (s.AreaLeft == bed.Left && s.AreaTop == bed.Top && s.AreaWidth == bed.Right - bed.Left &&
      s.AreaHeight == bed.Bottom - bed.Top) {
    s.PreCropRect = SettingsRect{0, 0, 0, 0};
    return;
  }
  s.PreCropRect =
      SelectionOfArea(s, s.AreaLeft - bed.Left, s.AreaTop - bed.Top, s.AreaWidth, s.AreaHeight);
}

void UpdateImageSize(ScanSettings& s) {
  const int x = TableResolution(s.Model, s.Resolution, s.XResoCustom);
  const int y = TableResolution(s.Model, s.Resolution, s.YResoCustom);
  s.XFinalRes = int16_t(x);
  s.YFinalRes = int16_t(y);
  // Kept to 16 bits; a width that does not fit saturates rather than wraps.
  auto pixels = [](int64_t res, int64_t extent) -> int32_t {
    int64_t v = res * extent / 25;
    return int32_t(v < 0 ? 0 : v > 65535 ? 65535 : v);
  };
  s.ImageWidth = pixels(int16_t(x), s.AreaWidth);
  s.ImageHeight = pixels(int16_t(y), s.AreaHeight);
}

uint16_t DefaultPaperSize(int model, bool filmInUse, int filmType, bool metric) {
  const uint16_t plain = metric ? TWSS_A4LETTER : TWSS_USLETTER;
  if (!filmInUse || model == 3) return plain;
  switch (model) {
    case 0: return TWSS_NONE;
    case 1:
      if (filmType == 1) return TWSS_B5LETTER;
      if (filmType == 2) return TWSS_NONE;
      return metric ? TWSS_B5LETTER : TWSS_USLETTER;
    case 2:
      if (filmType == 3) return TWSS_B5LETTER;
      if (filmType == 4) return TWSS_NONE;
      return plain;
    default:
      return plain;
  }
}

}  // namespace wq
