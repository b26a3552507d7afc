// The Area dialog's arithmetic: the scan area as its four fields show it in
// the user's unit, the check of what was typed with the message a wrong
// field gets, and the selection in preview-frame pixels the values make.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/scan/geometry.h"
#include "ds/settings/settings.h"

namespace wq {

// The fields in the order OK checks them: X (origin, width), then Y.
enum AreaField { kAreaOriginX = 0, kAreaWidth, kAreaOriginY, kAreaHeight, kAreaFieldCount };

constexpr int kAreaFieldChars = 5;    // what each field takes
constexpr size_t kAreaTextSize = 32;  // room for any value's text

// The messages of a wrong entry.
constexpr int kAreaRangeX = 16034;      // "Origin X+Width" between %s and %s
constexpr int kAreaRangeY = 16035;      // "Origin Y+Height" between %s and %s
constexpr int kAreaNeedsNumber = 16036; // a number more than %s

// What the fields are measured with.
struct AreaEntryScale {
  int Unit;               // DisplayUnit (Units; unknown values as inches)
  char Separator[4];      // the decimal separator
  int XResolution;        // for pixels: the resolution table's X and Y values
  int YResolution;
  AreaRect Bed;
};
AreaEntryScale AreaEntryScaleOf(const ScanSettings& s, const char* separator);

// Origins from the bed's origin and sizes, in 1/25 inch.
struct AreaValues {
  int32_t OriginX, OriginY, Width, Height;
};
AreaValues CurrentAreaValues(const ScanSettings& s);

struct AreaFieldTexts {
  char Text[kAreaFieldCount][kAreaTextSize];
};
// The values as the fields show them.
void FormatAreaFields(const AreaValues& v, const AreaEntryScale& m, AreaFieldTexts* out);

// The verdict on the fields. A wrong one names the field, the message and
// its arguments in order (16036 has only the minimum); a valid one carries
// the values.
struct AreaEntryCheck {
  bool Valid;
  int Field;
  int Message;
  char Minimum[kAreaTextSize];
  char Maximum[kAreaTextSize];
  AreaValues Values;
};
AreaEntryCheck CheckAreaFields(const AreaEntryScale& m, const char* const texts[kAreaFieldCount]);

// The selection the values make, in the preview window's coordinates like
// PreCropRect: each edge is the frame's origin plus the value on the
// frame's scale, rounded up, and the selection keeps at least one pixel
// each way (an empty one would stand for the whole frame).
SettingsRect SelectionOfValues(const ScanSettings& s, const AreaValues& v);

enum AreaEntryOutcome {
  kAreaEntryInvalid,    // a field is wrong (the check says which); nothing changed
  kAreaEntryUnchanged,  // the values make the selection there is
  kAreaEntryRefused,    // the zoom stays on: nothing changed, the fields go back
  kAreaEntryApplied,    // the selection, area, image size and paper choice are new
};
// OK in the dialog: checks the fields; a new selection is taken once the
// zoom check agrees (ZoomCheck, 16031 while the zoom is on), and the paper
// choice becomes "Optional...".
AreaEntryOutcome AcceptAreaFields(ScanSettings& s, const char* separator,
                                  const char* const texts[kAreaFieldCount], AreaEntryCheck* check);

}  // namespace wq
