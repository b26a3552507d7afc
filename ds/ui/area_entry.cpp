// The Area dialog's fields: the scan area in the user's unit, the checks of
// OK in their order, and the new selection on the preview frame's scale.
#include "ds/ui/area_entry.h"

#include <cstring>

#include "ds/ui/commands.h"
#include "ds/ui/units.h"

namespace wq {
namespace {

int KnownUnit(int unit) { return unit == kUnitCm || unit == kUnitPixels ? unit : kUnitInches; }

bool IsX(int field) { return field == kAreaOriginX || field == kAreaWidth; }

int ResolutionOf(const AreaEntryScale& m, int field) {
  return IsX(field) ? m.XResolution : m.YResolution;
}

void Format(const AreaEntryScale& m, int field, int64_t units, char* out) {
  FormatDisplayValue(AreaUnitsToDisplay(units, m.Unit, ResolutionOf(m, field)), m.Unit,
                     m.Separator, out, kAreaTextSize);
}

// One axis: origin and size fields, the bed's extent; false with the
// verdict filled when a field is wrong.
bool CheckAxis(const AreaEntryScale& m, const char* const texts[], int originField, int sizeField,
               int32_t bedExtent, int32_t* origin, int32_t* size, AreaEntryCheck* c) {
  const int resolution = ResolutionOf(m, originField);
  const int64_t minimum = AreaUnitsToDisplay(1, m.Unit, resolution);
  const int64_t maximum = AreaUnitsToDisplay(bedExtent, m.Unit, resolution);
  auto wrong = [&](int field, int message) {
    c->Valid = false;
    c->Field = field;
    c->Message = message;
    FormatDisplayValue(minimum, m.Unit, m.Separator, c->Minimum, sizeof c->Minimum);
    if (message == kAreaNeedsNumber) c->Maximum[0] = 0;
    else FormatDisplayValue(maximum, m.Unit, m.Separator, c->Maximum, sizeof c->Maximum);
    return false;
  };
  const int range = IsX(originField) ? kAreaRangeX : kAreaRangeY;
  int64_t o, w;
  if (!ParseDisplayValue(texts[originField], m.Unit, m.Separator, &o))
    return wrong(originField, kAreaNeedsNumber);
  if (!ParseDisplayValue(texts[sizeField], m.Unit, m.Separator, &w))
    return wrong(sizeField, kAreaNeedsNumber);
  if (o < 0) return wrong(originField, range);
  if (w < 0) return wrong(sizeField, range);
  if (o > maximum) return wrong(originField, range);
  if (o + w > maximum) return wrong(sizeField, range);
  if (w < minimum) return wrong(sizeField, kAreaNeedsNumber);
  *origin = int32_t(DisplayToAreaUnits(o, m.Unit, resolution));
  *size = int32_t(DisplayToAreaUnits(w, m.Unit, resolution));
  return true;
}

bool SameRect(const SettingsRect& a, const SettingsRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

}  // namespace

AreaEntryScale AreaEntryScaleOf(const ScanSettings& s, const char* separator) {
  AreaEntryScale m{};
  m.Unit = KnownUnit(s.Units);
  const char* sep = separator && *separator ? separator : ".";
  strncpy(m.Separator, sep, sizeof m.Separator - 1);
  m.XResolution = TableResolution(s.Model, s.Resolution, s.XResoCustom);
  m.YResolution = TableResolution(s.Model, s.Resolution, s.YResoCustom);
  m.Bed = BedRect(s.Model, s.ADF == 1, s.Mirror == 1, s.MirrorType);
  return m;
}

AreaValues CurrentAreaValues(const ScanSettings& s) {
  const AreaRect bed = BedRect(s.Model, s.ADF == 1, s.Mirror == 1, s.MirrorType);
  return AreaValues{s.AreaLeft - bed.Left, s.AreaTop - bed.Top, s.AreaWidth, s.AreaHeight};
}

void FormatAreaFields(const AreaValues& v, const AreaEntryScale& m, AreaFieldTexts* out) {
  Format(m, kAreaOriginX, v.OriginX, out->Text[kAreaOriginX]);
  Format(m, kAreaWidth, v.Width, out->Text[kAreaWidth]);
  Format(m, kAreaOriginY, v.OriginY, out->Text[kAreaOriginY]);
  Format(m, kAreaHeight, v.Height, out->Text[kAreaHeight]);
}

AreaEntryCheck CheckAreaFields(const AreaEntryScale& m, const char* const texts[kAreaFieldCount]) {
  AreaEntryCheck c{};
  c.Valid = true;
  AreaValues& v = c.Values;
  if (CheckAxis(m, texts, kAreaOriginX, kAreaWidth, m.Bed.Right - m.Bed.Left, &v.OriginX,
                &v.Width, &c))
    CheckAxis(m, texts, kAreaOriginY, kAreaHeight, m.Bed.Bottom - m.Bed.Top, &v.OriginY,
              &v.Height, &c);
  return c;
}

SettingsRect SelectionOfValues(const ScanSettings& s, const AreaValues& v) {
  return SelectionOfArea(s, v.OriginX, v.OriginY, v.Width, v.Height);
}

AreaEntryOutcome AcceptAreaFields(ScanSettings& s, const char* separator,
                                  const char* const texts[kAreaFieldCount], AreaEntryCheck* check) {
  *check = CheckAreaFields(AreaEntryScaleOf(s, separator), texts);
  if (!check->Valid) return kAreaEntryInvalid;
  // The area of now stands for the selection of now: a paper size chosen
  // from the menu leaves the stored selection as it was.
  const SettingsRect selection = SelectionOfValues(s, check->Values);
  if (SameRect(selection, SelectionOfValues(s, CurrentAreaValues(s)))) return kAreaEntryUnchanged;
  if (!ZoomCheck(s)) return kAreaEntryRefused;
  s.PreCropRect = selection;
  SelectionToArea(s);
  UpdateImageSize(s);
  SetPaperIndex(s, OptionalPaperIndex(s.Model));
  return kAreaEntryApplied;
}

}  // namespace wq
