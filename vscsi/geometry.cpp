// Bed sizes, resolution limits and image sizes.
#include "vscsi/geometry.h"

namespace vscsi {
namespace {

// Sizes are given in 1/25 inch, the unit the data source lays its beds
// out in, and kept in page units.
constexpr uint32_t kFromTwentyFifths = kPageUnit / 25;

BedSize Bed25(uint32_t w, uint32_t l) { return {w * kFromTwentyFifths, l * kFromTwentyFifths}; }

BedSize FilmBed(const ScannerOptions& o) {
  if (o.kind == kWQ490) return Bed25(300, 425);
  switch (o.fsuType) {
    case 1:
    case 3:
    case 5: return Bed25(208, 275);
    case 2:
    case 4: return Bed25(104, 275);
  }
  return Bed25(213, 275);
}

}  // namespace

BedSize BedFor(const ScannerOptions& o, Source s) {
  if (s == Source::Film) return FilmBed(o);
  switch (o.kind) {
    case kWQ490: return Bed25(300, 425);
    case kWQ220: return Bed25(213, 350);
  }
  if (s == Source::Feeder) return Bed25(213, 350);
  return Bed25(213, 293);
}

uint16_t MinResolution(uint16_t kind) { return kind == kWQ140 ? 25 : 30; }

uint16_t MaxResolution(uint16_t kind) {
  switch (kind) {
    case kWQ140: return 1600;
    case kWQ210: return 1200;
    case kWQ490: return 1200;
  }
  return 2400;  // WQ215 with its film unit of type 2, WQ220
}

uint32_t ToUnits(uint32_t pageUnits, uint16_t unit) {
  return uint32_t(uint64_t(pageUnits) * unit / kPageUnit);
}

double UnitsToPage(double units, uint16_t unit) { return units * kPageUnit / unit; }

uint64_t EffectiveResolution(uint16_t whole, uint16_t fraction, uint16_t zoom, bool zoomEnabled) {
  uint64_t r = (uint64_t(whole) << 16) | fraction;
  if (zoomEnabled && zoom) r = r * zoom / 100;
  return r;
}

void ImageSize(const ScanParams& p, uint16_t unit, uint64_t* pixels, uint64_t* lines) {
  if (unit == 0) {
    *pixels = *lines = 0;
    return;
  }
  uint64_t rx = EffectiveResolution(p.xres, p.xfrac, p.zoomX, p.zoomEnabled);
  uint64_t ry = EffectiveResolution(p.yres, p.yfrac, p.zoomY, p.zoomEnabled);
  // width <= 2^32 and resolution < 2^32 (with zoom), so the products fit.
  *pixels = uint64_t(p.width) * rx / (uint64_t(unit) << 16);
  *lines = uint64_t(p.length) * ry / (uint64_t(unit) << 16);
}

uint32_t LineBytes(uint8_t composition, uint32_t pixels) {
  uint32_t packed = (pixels + 7) / 8;
  switch (composition) {
    case 0:
    case 1: return packed;
    case 2: return pixels;
    case 3:
    case 4: return packed * 3;
    case 5: return pixels * 3;
  }
  return 0;
}

}  // namespace vscsi
