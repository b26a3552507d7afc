// The test page: colour bars, a grey ramp, fine lines and a photo-like
// gradient on white (geometry in page.h and vscsi/README.md).
#include "vscsi/page.h"

#include <cstring>

namespace vscsi {
namespace {

using namespace chart;

constexpr Rgb kWhite = {255, 255, 255};
constexpr Rgb kBlack = {0, 0, 0};

// Columns of a row that the gradient does not cover.
constexpr int16_t kColumnWhite = -2;
constexpr int16_t kColumnBase = -1;

enum Band : uint32_t {
  kBandWhite,
  kBandBars,
  kBandRamp,
  kBandLinesOn,   // rows crossed by the horizontal fine lines
  kBandLinesOff,
  kBandMark,
  kBandFilmEdge,
  kCachedBands,
  kBandPhoto = kCachedBands,  // computed row by row
  kBandFilm,
};

bool InBed(const PageLayout& p, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < p.width && y < p.length;
}

bool InFilmFrame(int32_t v, int32_t size) {
  return v >= kFilmEdge && v < size - kFilmEdge;
}

uint8_t Scale255(int32_t offset, int32_t span) {
  if (span <= 1) return 0;
  return uint8_t(int64_t(offset) * 255 / (span - 1));
}

Band BandOf(const PageLayout& p, int32_t y) {
  if (y < 0 || y >= p.length) return kBandWhite;
  if (p.content == PageContent::Film)
    return InFilmFrame(y, p.length) ? kBandFilm : kBandFilmEdge;
  if (y >= kBarsTop && y < kBarsBottom) return kBandBars;
  if (y >= kRampTop && y < kRampBottom) return kBandRamp;
  if (y >= kLinesTop && y < kLinesBottom)
    return (y - kLinesTop) % kLinePitch < kLineWidth ? kBandLinesOn : kBandLinesOff;
  if (y >= kPhotoTop && y < kPhotoBottom) return kBandPhoto;
  if (p.content == PageContent::Sheet && p.sheet > 0 && y >= kMarkTop && y < kMarkBottom) return kBandMark;
  return kBandWhite;
}

// A row of each cached band is rendered at one of its rows.
int32_t BandRow(Band b) {
  switch (b) {
    case kBandBars: return kBarsTop;
    case kBandRamp: return kRampTop;
    case kBandLinesOn: return kLinesTop;
    case kBandLinesOff: return kLinesTop + kLineWidth;
    case kBandMark: return kMarkTop;
    case kBandFilmEdge: return 0;
    default: return -1;
  }
}

Rgb PhotoColour(uint8_t red, uint8_t green) {
  return {red, green, uint8_t(255 - (red + green) / 2)};
}

}  // namespace

Rgb PageColour(const PageLayout& p, int32_t x, int32_t y) {
  if (!InBed(p, x, y)) return kWhite;
  if (p.content == PageContent::Film) {
    if (!InFilmFrame(x, p.width) || !InFilmFrame(y, p.length)) return kFilmBase;
    // The chart shrunk into the frame, as a colour negative: light where the
    // scene is dark, behind the film's orange mask.
    const int32_t frameW = p.width - 2 * kFilmEdge, frameL = p.length - 2 * kFilmEdge;
    const PageLayout scene{PageContent::Flatbed, 0, kRight + kMargin, kPhotoBottom + kMargin};
    const Rgb pos = PageColour(scene, kLeft + int32_t(int64_t(x - kFilmEdge) * (kRight - kLeft) / frameW),
                               kBarsTop + int32_t(int64_t(y - kFilmEdge) * (kPhotoBottom - kBarsTop) / frameL));
    const auto negative = [](uint8_t v, uint8_t mask) { return uint8_t((255 - v) * mask / 255); };
    return {negative(pos.r, kFilmMask.r), negative(pos.g, kFilmMask.g), negative(pos.b, kFilmMask.b)};
  }
  if (x < kLeft || x >= kRight) return kWhite;
  int32_t cx = x - kLeft;
  switch (BandOf(p, y)) {
    case kBandBars: return kBars[cx / kBarWidth];
    case kBandRamp: {
      uint8_t v = uint8_t(int64_t(cx) * 256 / (kRight - kLeft));
      return {v, v, v};
    }
    case kBandLinesOn:
    case kBandLinesOff:
      if (x < kLinesSplit) return cx % kLinePitch < kLineWidth ? kBlack : kWhite;
      return (y - kLinesTop) % kLinePitch < kLineWidth ? kBlack : kWhite;
    case kBandPhoto:
      return PhotoColour(Scale255(cx, kRight - kLeft), Scale255(y - kPhotoTop, kPhotoBottom - kPhotoTop));
    case kBandMark: {
      int32_t k = cx / kMarkPitch;
      int32_t marks = p.sheet < uint32_t(kMaxMarks) ? int32_t(p.sheet) : kMaxMarks;
      return (k < marks && cx % kMarkPitch < kMarkWidth) ? kBlack : kWhite;
    }
    default: return kWhite;
  }
}

void PreparePage(PageRenderer* pr, const PageLayout& page, std::vector<int32_t> columns) {
  pr->page = page;
  pr->columns = std::move(columns);
  size_t n = pr->columns.size();
  pr->cache.assign(size_t(kCachedBands) * 3 * n, 0);
  pr->cachedBands = 0;
  pr->columnRed.assign(n, kColumnWhite);
  for (size_t i = 0; i < n; ++i) {
    int32_t x = pr->columns[i];
    if (page.content == PageContent::Film) {
      if (x < 0 || x >= page.width) continue;
      pr->columnRed[i] = InFilmFrame(x, page.width)
                             ? Scale255(x - kFilmEdge, page.width - 2 * kFilmEdge)
                             : kColumnBase;
    } else if (x >= kLeft && x < kRight && x < page.width) {
      pr->columnRed[i] = Scale255(x - kLeft, kRight - kLeft);
    }
  }
}

void RenderRow(PageRenderer* pr, int32_t y, uint8_t* r, uint8_t* g, uint8_t* b) {
  const PageLayout& p = pr->page;
  size_t n = pr->columns.size();
  Band band = BandOf(p, y);
  if (band < kCachedBands) {
    uint8_t* row = pr->cache.data() + size_t(band) * 3 * n;
    if (!(pr->cachedBands & (1u << band))) {
      int32_t at = BandRow(band);
      for (size_t i = 0; i < n; ++i) {
        Rgb c = band == kBandWhite ? kWhite : PageColour(p, pr->columns[i], at);
        row[i] = c.r;
        row[n + i] = c.g;
        row[2 * n + i] = c.b;
      }
      pr->cachedBands |= 1u << band;
    }
    memcpy(r, row, n);
    memcpy(g, row + n, n);
    memcpy(b, row + 2 * n, n);
    return;
  }
  if (band == kBandFilm) {
    // Frames are small: the negative point by point.
    for (size_t i = 0; i < n; ++i) {
      const Rgb c = PageColour(p, pr->columns[i], y);
      r[i] = c.r;
      g[i] = c.g;
      b[i] = c.b;
    }
    return;
  }
  uint8_t green = Scale255(y - kPhotoTop, kPhotoBottom - kPhotoTop);
  for (size_t i = 0; i < n; ++i) {
    int16_t red = pr->columnRed[i];
    Rgb c = red == kColumnWhite ? kWhite : PhotoColour(uint8_t(red), green);
    r[i] = c.r;
    g[i] = c.g;
    b[i] = c.b;
  }
}

}  // namespace vscsi
