// The Zoom and Resolution windows' arithmetic: the scanner's resolution
// range per model, the output sizes a zoom may ask for, the zoom's values
// as the settings keep them, and the custom resolution.
#pragma once
#include <cstdint>

namespace wq {

struct ScanSettings;

// Resolutions the scanner can scan at (interpolated beyond its optics).
void ResolutionLimits(int model, int* lowest, int* highest);

// Output pixels a zoom of the scan area may ask for in each direction: the
// sizes the scanner's resolution range gives for the area.
struct ZoomLimits {
  int32_t MinWidth, MaxWidth, MinHeight, MaxHeight;
};
ZoomLimits ZoomOutputLimits(const ScanSettings& s);
bool ZoomWidthValid(const ScanSettings& s, int64_t width);
bool ZoomHeightValid(const ScanSettings& s, int64_t height);

// The zoom's output size in pixels into the settings with its other forms:
// per cent of the image, inches and centimetres at the final resolution.
void SetZoomOutput(ScanSettings& s, int32_t width, int32_t height);
// With "Keep Aspect Ratio": the other side for one side.
int32_t AspectHeight(const ScanSettings& s, int32_t width);
int32_t AspectWidth(const ScanSettings& s, int32_t height);

// The custom resolution: inside the scanner's range; with the lock the
// vertical value follows the horizontal one.
bool CustomResolutionValid(int model, int64_t dpi);
void SetCustomResolution(ScanSettings& s, int x, int y);

// "300 dpi", or "400 x 300 dpi" when the two differ.
void ResolutionText(int x, int y, char* buf, unsigned size);
// "WQ140" .. "WQ490", "" for an unknown model.
const char* ModelName(int model);

}  // namespace wq
