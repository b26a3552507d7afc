// Taking the tone windows' restore point from the settings.
#include "ds/settings/restore_point.h"

#include <cstring>

#include "ds/settings/settings.h"

namespace wq {

ToneRestorePoint g_ToneRestore;
GammaRestorePoint g_GammaRestore;

void TakeToneRestorePoint(const ScanSettings& s) {
  ToneRestorePoint& r = g_ToneRestore;
  r.ThresholdW = s.ThresholdW;
  r.ExposureR = s.ExposureR;
  r.ExposureG = s.ExposureG;
  r.ExposureB = s.ExposureB;
  r.ExposureW = s.ExposureW;
  r.ExposLock = s.ExposLock;
  r.Select = s.Select;
  r.Brightnes = s.Brightnes;
  r.Contrast = s.Contrast;
  r.InputColor = s.InputColor;
  memcpy(r.InputBlack, s.InputBlack, sizeof r.InputBlack);
  memcpy(r.InputWhite, s.InputWhite, sizeof r.InputWhite);
  memcpy(r.OutputBlack, s.OutputBlack, sizeof r.OutputBlack);
  memcpy(r.OutputWhite, s.OutputWhite, sizeof r.OutputWhite);
  r.FilmType = s.FilmType;
  memcpy(r.FilmColor, s.FilmColor, sizeof r.FilmColor);
  memcpy(r.FilmTone, s.FilmTone, sizeof r.FilmTone);
}

void TakeGammaRestorePoint(const ScanSettings& s) {
  GammaRestorePoint& r = g_GammaRestore;
  r.GammaLock = s.GammaLock;
  r.GammaColor = s.GammaColor;
  memcpy(r.GammaInput, s.GammaInput, sizeof r.GammaInput);
  memcpy(r.GammaVal, s.GammaVal, sizeof r.GammaVal);
  memcpy(r.Curves, s.Curves, sizeof r.Curves);
}

void RestoreGamma(ScanSettings& s, const GammaRestorePoint& r) {
  s.GammaLock = r.GammaLock;
  memcpy(s.GammaInput, r.GammaInput, sizeof s.GammaInput);
  memcpy(s.GammaVal, r.GammaVal, sizeof s.GammaVal);
  memcpy(s.Curves, r.Curves, sizeof s.Curves);
}

}  // namespace wq
