// The values the tone windows' "Cancel" buttons put back: a copy of the
// threshold, the exposures, the image adjustment and the film values, taken
// whenever the settings are read from or written to the preset file; and the
// gamma curves, taken whenever the model's gamma file is read or written.
#pragma once
#include <cstdint>

#include "ds/settings/settings.h"

namespace wq {

struct ToneRestorePoint {
  int16_t ThresholdW;
  int16_t ExposureR, ExposureG, ExposureB, ExposureW;
  int16_t ExposLock;
  int16_t Select;
  int16_t Brightnes, Contrast;
  int16_t InputColor;
  int16_t InputBlack[5], InputWhite[5], OutputBlack[5], OutputWhite[5];
  // The film window's values.
  int16_t FilmType;
  int16_t FilmColor[3][3];
  int16_t FilmTone[3][4];
};
extern ToneRestorePoint g_ToneRestore;

void TakeToneRestorePoint(const ScanSettings& s);

struct GammaRestorePoint {
  int16_t GammaLock, GammaColor;
  int16_t GammaInput[kGammaChannels], GammaVal[kGammaChannels];
  GammaCurve Curves[kGammaChannels];
};
extern GammaRestorePoint g_GammaRestore;

void TakeGammaRestorePoint(const ScanSettings& s);
// The curves, their types and gamma values and the lock put back; the
// channel shown stays.
void RestoreGamma(ScanSettings& s, const GammaRestorePoint& r);

}  // namespace wq
