// What the capabilities report about the scanner: optical and maximum
// resolution, the largest scan area, the paper sizes, and lengths and
// resolutions in the application's unit. Pure functions of the model and the
// options in use, so they are tested on their own.
#pragma once
#include <cstdint>

namespace wq {

struct ScanSettings;

// The scanner as the capabilities see it. The feeder wins over the film unit
// when both are switched on, as it does when a scan starts.
struct ScannerOptions {
  int Model;     // 0 WQ140, 1 WQ215, 2 WQ220, 3 WQ490
  bool Feeder;   // the feeder is the light source in use
  bool Film;     // the film unit is
  int FilmType;  // MirrorType
};
ScannerOptions OptionsInUse(const ScanSettings& s);

// N and M in dpi; 0 for an unknown model.
int OpticalResolution(const ScannerOptions& o);
int MaximumResolution(const ScannerOptions& o);
// Width W and length L of the largest scan area, 1/25 inch.
void MaximumArea(const ScannerOptions& o, int* width, int* length);

// TWSS_ sizes the model offers with these options, TWSS_NONE first.
struct SizeList {
  uint16_t Items[6];
  uint32_t Count;
};
SizeList SupportedSizes(const ScannerOptions& o);
// The size a session starts with (and MSG_RESET restores).
uint16_t DefaultSize(const ScannerOptions& o, bool metric);
// What MSG_GETCURRENT reports for the current size: the film units with
// their own frame report that instead.
uint16_t ReportedCurrentSize(const ScannerOptions& o, uint16_t current);
// The settings' paper index for a TWSS_ size (Range1 on the WQ490, Range2
// on the others); -1 when the size has none.
int PaperIndexOfSize(int model, uint16_t size);

// The list index (1-based, as the settings keep it) of a listed resolution;
// 0 when the value is not in the model's list. 180 is never listed: it is
// always kept as a custom value.
int ListedResolutionIndex(int model, int dpi);

// TWUN_ units: 0 inches, 1 centimetres, 5 pixels (at `pixelsPerInch`).
double LengthInUnits(double inches, int units, int pixelsPerInch);
// A resolution: dpi, dots per centimetre, or 1 in pixels.
double ResolutionInUnits(double dpi, int units);

}  // namespace wq
