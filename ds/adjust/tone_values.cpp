// "Default", "Cancel" and the exposure lock on the settings.
#include "ds/adjust/tone_values.h"

#include <cstring>

#include "ds/adjust/field.h"
#include "ds/pipeline/modes.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"

namespace wq {

bool ToneIsGrey(int mode) { return (mode & 0xFF) == 1 || (mode & 0xFF) == 3; }

int LevelSet(const ScanSettings& s) {
  const int c = s.InputColor;
  return c >= 1 && c <= 5 ? c - 1 : 0;
}

void DefaultThreshold(ScanSettings& s) { s.ThresholdW = int16_t(ThresholdDefault(s.Model)); }
void CancelThreshold(ScanSettings& s, const ToneRestorePoint& r) { s.ThresholdW = r.ThresholdW; }

int16_t* Exposure(ScanSettings& s, int channel) {
  switch (channel) {
    case 0: return &s.ExposureR;
    case 1: return &s.ExposureG;
    case 2: return &s.ExposureB;
    default: return &s.ExposureW;
  }
}

void SetExposure(ScanSettings& s, int channel, int16_t value) {
  if (channel >= 0 && channel <= 2 && s.ExposLock == 1)
    s.ExposureR = s.ExposureG = s.ExposureB = value;
  else
    *Exposure(s, channel) = value;
}

void DefaultExposure(ScanSettings& s) {
  if (ToneIsGrey(s.Mode)) {
    s.ExposureW = kExposureDefault;
    return;
  }
  s.ExposLock = 1;
  s.ExposureR = s.ExposureG = s.ExposureB = kExposureDefault;
}

void CancelExposure(ScanSettings& s, const ToneRestorePoint& r) {
  if (ToneIsGrey(s.Mode)) {
    s.ExposureW = r.ExposureW;
    return;
  }
  s.ExposLock = r.ExposLock;
  if (s.ExposLock == 1) {
    s.ExposureR = s.ExposureG = s.ExposureB = r.ExposureR;
  } else {
    s.ExposureR = r.ExposureR;
    s.ExposureG = r.ExposureG;
    s.ExposureB = r.ExposureB;
  }
}

void DefaultBrightnessContrast(ScanSettings& s) { s.Brightnes = s.Contrast = 0; }

void CancelBrightnessContrast(ScanSettings& s, const ToneRestorePoint& r) {
  s.Brightnes = r.Brightnes;
  s.Contrast = r.Contrast;
}

void DefaultLevels(ScanSettings& s) {
  if (!IsGreyMode(s.Mode)) s.InputColor = 1;
  for (int i = 0; i < 5; ++i) {
    s.InputBlack[i] = s.OutputBlack[i] = 0;
    s.InputWhite[i] = s.OutputWhite[i] = 255;
  }
}

void CancelLevels(ScanSettings& s, const ToneRestorePoint& r) {
  memcpy(s.InputBlack, r.InputBlack, sizeof s.InputBlack);
  memcpy(s.InputWhite, r.InputWhite, sizeof s.InputWhite);
  memcpy(s.OutputBlack, r.OutputBlack, sizeof s.OutputBlack);
  memcpy(s.OutputWhite, r.OutputWhite, sizeof s.OutputWhite);
}

}  // namespace wq
