// The film window's values on the settings.
#include "ds/adjust/film_values.h"

#include <algorithm>
#include <cstring>

#include "ds/pipeline/modes.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"

namespace wq {

FilmRange FilmFieldRange(int field) {
  if (FilmColourField(field)) return FilmRange{50, 150, 10, 100};
  return FilmRange{0, 10, 1, 5};
}

bool FilmGrey(int mode) { return IsGreyMode(mode); }

int FilmTypeForMode(int mode, int filmType) {
  if (FilmGrey(mode)) return 3;
  return filmType == 2 ? 2 : 1;
}

void SettleFilmType(ScanSettings& s) { s.FilmType = int16_t(FilmTypeForMode(s.Mode, s.FilmType)); }

int16_t* FilmSetting(ScanSettings& s, int type, int field) {
  const int t = std::clamp(type, 1, 3) - 1;
  if (FilmColourField(field)) return &s.FilmColor[t][field];
  return &s.FilmTone[t][std::clamp(field, int(kFilmTone), int(kFilmShadow)) - kFilmTone];
}

int FilmValue(const ScanSettings& s, int type, int field) {
  return *FilmSetting(const_cast<ScanSettings&>(s), type, field);
}

int16_t FilmFromField(int n) { return int16_t(std::clamp(n, -32768, 32767)); }

void DefaultFilm(ScanSettings& s) {
  for (int t = 1; t <= 3; ++t)
    for (int f = 0; f < kFilmFields; ++f)
      if (t != 3 || !FilmColourField(f)) *FilmSetting(s, t, f) = int16_t(FilmFieldRange(f).Default);
}

void CancelFilm(ScanSettings& s, const ToneRestorePoint& r) {
  memcpy(s.FilmColor, r.FilmColor, sizeof s.FilmColor);
  memcpy(s.FilmTone, r.FilmTone, sizeof s.FilmTone);
  s.FilmType = r.FilmType;
  SettleFilmType(s);
}

bool FilmWindowApplies(const ScanSettings& s) {
  return s.Mode >= 3 && s.Mode <= 6 && s.NegaPosi != 1;
}

int FirstBadFilmField(const ScanSettings& s, const FieldNumber fields[kFilmFields]) {
  const int type = FilmTypeForMode(s.Mode, s.FilmType);
  for (int f = FilmGrey(s.Mode) ? int(kFilmTone) : 0; f < kFilmFields; ++f) {
    const FilmRange r = FilmFieldRange(f);
    const int v = FilmValue(s, type, f);
    if (!fields[f].IsNumber || v < r.Minimum || v > r.Maximum) return f;
  }
  return kFilmFields;
}

}  // namespace wq
