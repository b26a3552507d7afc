// The scanner's facts by model and option: optical and maximum resolutions, the
// bed, the paper sizes each configuration lists and reports, and lengths and
// resolutions in the application's unit.
#include "ds/core/capfacts.h"

#include <initializer_list>

#include "ds/scan/geometry.h"
#include "ds/settings/settings.h"
#include "twain/twain.h"

namespace wq {

ScannerOptions OptionsInUse(const ScanSettings& s) {
  ScannerOptions o;
  o.Model = s.Model;
  o.Feeder = s.ADF == 1;
  o.Film = s.Mirror == 1 && !o.Feeder;
  o.FilmType = s.MirrorType;
  return o;
}

int OpticalResolution(const ScannerOptions& o) {
  switch (o.Model) {
    case 0: return 400;
    case 1:
      if (!o.Film) return 300;
      if (o.FilmType == 2) return 1200;
      return o.FilmType == 0 ? 300 : 600;
    case 2: return o.Film && o.FilmType == 4 ? 1200 : 600;
    case 3: return 600;
    default: return 0;
  }
}

int MaximumResolution(const ScannerOptions& o) {
  switch (o.Model) {
    case 0: return 1600;
    case 1:
      if (o.Film && o.FilmType == 1) return 1200;
      if (o.Film && o.FilmType == 2) return 2400;
      return 600;
    case 2: return o.Film && o.FilmType == 3 ? 1200 : 2400;
    case 3: return 1200;
    default: return 0;
  }
}

void MaximumArea(const ScannerOptions& o, int* width, int* length) {
  const AreaRect bed = BedRect(o.Model, o.Feeder, o.Film, o.FilmType);
  *width = bed.Right - bed.Left;
  *length = bed.Bottom - bed.Top;
}

SizeList SupportedSizes(const ScannerOptions& o) {
  SizeList l{};
  auto set = [&l](std::initializer_list<uint16_t> items) {
    for (uint16_t v : items) l.Items[l.Count++] = v;
  };
  switch (o.Model) {
    case 0:
      if (o.Feeder) set({TWSS_NONE, TWSS_A4LETTER, TWSS_B5LETTER, TWSS_USLETTER, TWSS_USLEGAL});
      else if (o.Film) set({TWSS_NONE, TWSS_B5LETTER, TWSS_USLETTER});
      else set({TWSS_NONE, TWSS_A4LETTER, TWSS_B5LETTER, TWSS_USLETTER});
      break;
    case 1:
      if (!o.Film) set({TWSS_NONE, TWSS_A4LETTER, TWSS_B5LETTER, TWSS_USLETTER});
      else if (o.FilmType == 1) set({TWSS_NONE, TWSS_B5LETTER});
      else if (o.FilmType == 2) set({TWSS_NONE});
      else set({TWSS_NONE, TWSS_B5LETTER, TWSS_USLETTER});
      break;
    case 2:
      if (o.Film && o.FilmType == 3) set({TWSS_NONE, TWSS_B5LETTER});
      else if (o.Film && o.FilmType == 4) set({TWSS_NONE});
      else set({TWSS_NONE, TWSS_A4LETTER, TWSS_B5LETTER, TWSS_USLETTER, TWSS_USLEGAL});
      break;
    case 3:
      set({TWSS_NONE, TWSS_A4LETTER, TWSS_B5LETTER, TWSS_USLETTER, TWSS_USLEGAL, TWSS_B4});
      break;
    default:
      set({TWSS_NONE});
      break;
  }
  return l;
}

uint16_t DefaultSize(const ScannerOptions& o, bool metric) {
  return DefaultPaperSize(o.Model, o.Film, o.FilmType, metric);
}

uint16_t ReportedCurrentSize(const ScannerOptions& o, uint16_t current) {
  if (!o.Film) return current;
  switch (o.Model) {
    case 0: return TWSS_NONE;
    case 1:
      if (o.FilmType == 1) return TWSS_B5LETTER;
      if (o.FilmType == 2) return TWSS_NONE;
      return current;
    case 2: return o.FilmType == 4 ? TWSS_NONE : current;
    default: return current;
  }
}

int PaperIndexOfSize(int model, uint16_t size) {
  if (model == 3) {
    switch (size) {
      case TWSS_A4LETTER: return 2;
      case TWSS_B5LETTER: return 4;
      case TWSS_USLETTER: return 7;
      case TWSS_USLEGAL: return 6;
      case TWSS_B4: return 3;
      default: return -1;
    }
  }
  switch (size) {
    case TWSS_A4LETTER: return 1;
    case TWSS_B5LETTER: return 2;
    case TWSS_USLETTER: return 4;
    case TWSS_USLEGAL: return 3;
    default: return -1;
  }
}

int ListedResolutionIndex(int model, int dpi) {
  if (dpi == 180) return 0;
  const int count = ResolutionCount(model);
  // The last index is the custom one.
  for (int i = 1; i < count; ++i)
    if (TableResolution(model, i, 0) == dpi) return i;
  return 0;
}

double LengthInUnits(double inches, int units, int pixelsPerInch) {
  switch (units) {
    case TWUN_CENTIMETERS: return inches * 2.54;
    case TWUN_PIXELS: return inches * pixelsPerInch;
    default: return inches;
  }
}

double ResolutionInUnits(double dpi, int units) {
  switch (units) {
    case TWUN_CENTIMETERS: return dpi / 2.54;
    case TWUN_PIXELS: return 1.0;
    default: return dpi;
  }
}

}  // namespace wq
