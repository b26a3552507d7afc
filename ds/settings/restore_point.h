// The values the tone windows' "Cancel" buttons put back: a copy of the
// threshold, the exposures, the image adjustment and the film values, taken
// whenever the settings are read from or written to the preset file.
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
  // The film window's values.
  int16_t FilmType;
  int16_t FilmColor[3][3];
  int16_t FilmTone[3][4];
};
extern ToneRestorePoint g_ToneRestore;

void TakeToneRestorePoint(const ScanSettings& s);

}  // namespace wq
