// Bed sizes, resolution limits and image sizes of this family's scanners.
#pragma once
#include <cstdint>

#include "vscsi/config.h"
#include "vscsi/params.h"

namespace vscsi {

// Page coordinates: 1/1200 inch from the bed's origin.
constexpr uint32_t kPageUnit = 1200;

enum class Source : uint8_t { Flatbed, Feeder, Film };

struct BedSize {
  uint32_t width, length;  // page units
};

// The scan area of a model with the given source.
BedSize BedFor(const ScannerOptions& o, Source s);

// Resolutions a model accepts (dpi, whole numbers).
uint16_t MinResolution(uint16_t kind);
uint16_t MaxResolution(uint16_t kind);

// Page units to measurement units (rounded down) and back.
uint32_t ToUnits(uint32_t pageUnits, uint16_t unit);
double UnitsToPage(double units, uint16_t unit);

// Resolution with fraction and zoom, in 1/65536 dpi.
uint64_t EffectiveResolution(uint16_t whole, uint16_t fraction, uint16_t zoom, bool zoomEnabled);

// Pixels per line and lines of the window at the parameters' resolution.
void ImageSize(const ScanParams& p, uint16_t unit, uint64_t* pixels, uint64_t* lines);

// Bytes of one line the scanner sends for a composition.
uint32_t LineBytes(uint8_t composition, uint32_t pixels);

}  // namespace vscsi
