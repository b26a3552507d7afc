// Any text typed into the Area dialog's fields: parsed in each unit with a
// full stop or a comma as the separator, converted to area units, shown
// again and checked as the four fields of OK.
//   byte 0: unit (mod 3); byte 1: separator (even ".", odd ","); bytes 2-3:
//   the resolution (little-endian, 0..65535); the rest: the text, split at
//   '|' into the four fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ds/scan/geometry.h"
#include "ds/settings/settings.h"
#include "ds/ui/area_entry.h"
#include "ds/ui/units.h"

namespace {

void Require(bool ok) {
  if (!ok) abort();
}

// A parsed value shown and parsed again is the same value.
void RoundTrip(const std::string& text, int unit, const char* sep) {
  int64_t v;
  if (!wq::ParseDisplayValue(text.c_str(), unit, sep, &v)) return;
  char shown[48];
  wq::FormatDisplayValue(v, unit, sep, shown, sizeof shown);
  int64_t again;
  Require(wq::ParseDisplayValue(shown, unit, sep, &again));
  Require(again == v);
  int64_t hundredths;
  if (wq::ParseHundredths(text.c_str(), sep, &hundredths)) {
    wq::FormatHundredths(hundredths, sep, shown, sizeof shown);
    Require(wq::ParseHundredths(shown, sep, &again) && again == hundredths);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const int unit = data[0] % 3;
  const char* sep = data[1] % 2 ? "," : ".";
  const int resolution = data[2] | data[3] << 8;
  const std::string text(reinterpret_cast<const char*>(data + 4), size - 4);
  const std::string whole = text.substr(0, text.find('\0'));

  RoundTrip(whole, unit, sep);
  int64_t v;
  if (wq::ParseDisplayValue(whole.c_str(), unit, sep, &v)) {
    const int64_t units = wq::DisplayToAreaUnits(v, unit, resolution);
    char shown[48];
    wq::FormatDisplayValue(wq::AreaUnitsToDisplay(units, unit, resolution), unit, sep, shown,
                           sizeof shown);
  }

  // The four fields of a WQ220 at a custom resolution.
  std::string fields[wq::kAreaFieldCount];
  size_t at = 0;
  for (int i = 0; i < wq::kAreaFieldCount; ++i) {
    const size_t bar = whole.find('|', at);
    fields[i] = whole.substr(at, bar == std::string::npos ? std::string::npos : bar - at);
    at = bar == std::string::npos ? whole.size() : bar + 1;
  }
  const char* ptrs[wq::kAreaFieldCount];
  for (int i = 0; i < wq::kAreaFieldCount; ++i) ptrs[i] = fields[i].c_str();
  static wq::ScanSettings s{};
  s.Model = 2;
  s.Units = int16_t(unit);
  s.Resolution = 12;
  s.XResoCustom = s.YResoCustom = int16_t(resolution & 0x7FFF);
  const wq::AreaEntryScale m = wq::AreaEntryScaleOf(s, sep);
  const wq::AreaEntryCheck c = wq::CheckAreaFields(m, ptrs);
  if (c.Valid) {
    // Valid values lie on the bed.
    Require(c.Values.OriginX >= 0 && c.Values.Width >= 0 && c.Values.OriginY >= 0 &&
            c.Values.Height >= 0);
    Require(c.Values.OriginX <= m.Bed.Right - m.Bed.Left + 1);
    Require(c.Values.OriginY <= m.Bed.Bottom - m.Bed.Top + 1);
    const wq::SettingsRect r = wq::SelectionOfValues(s, c.Values);
    Require(r.Right > r.Left && r.Bottom > r.Top);
  } else {
    Require(c.Field >= 0 && c.Field < wq::kAreaFieldCount);
    Require(c.Message == wq::kAreaRangeX || c.Message == wq::kAreaRangeY ||
            c.Message == wq::kAreaNeedsNumber);
  }
  return 0;
}
