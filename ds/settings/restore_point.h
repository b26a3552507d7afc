// The values the tone windows' "Cancel" buttons put back: a copy of the
// threshold, the exposures and the image adjustment, taken whenever the
// settings are read from or written to the preset file.
#pragma once
#include <cstdint>

namespace wq {

struct ScanSettings;

struct ToneRestorePoint {
  int16_t ThresholdW;
  int16_t ExposureR, ExposureG, ExposureB, ExposureW;
  int16_t ExposLock;
  int16_t Select;
  int16_t Brightnes, Contrast;
  int16_t InputColor;
  int16_t InputBlack[5], InputWhite[5], OutputBlack[5], OutputWhite[5];
};
extern ToneRestorePoint g_ToneRestore;

void TakeToneRestorePoint(const ScanSettings& s);

}  // namespace wq
