// The settings in effect: the copy of the tone and mode settings that a scan
// job takes when it starts. The pipeline reads only this copy, so the
// windows may change the live settings while a scan runs.
#pragma once
#include <cstdint>

namespace wq {

struct ScanSettings;

struct SettingsInEffect {
  int16_t Mode;
  int16_t Gamma;       // 1 linear, 2 standard curve, 3 custom curves
  int16_t Edges;
  int16_t NegaPosi;    // 1 positive, 2 negative
  // Gamma curve state, channels R, G, B, RGB, W.
  int16_t GammaLock;
  int16_t GammaInput[5];    // 1: gamma value, otherwise the drawn curve
  int16_t GammaVal[5];      // gamma x 100
  uint8_t GammaCurve[5][256];
  int16_t Select;           // 0 brightness/contrast, otherwise levels
  int16_t InputColor;
  // Levels: index 0 common colour, 1 red, 2 green, 3 blue, 4 grey.
  int16_t InputBlack[5];
  int16_t InputWhite[5];
  int16_t OutputBlack[5];
  int16_t OutputWhite[5];
  int16_t Brightnes;
  int16_t Contrast;
  int16_t ThresholdW;
  int16_t Binary;           // 1 normal, 2 reversed
  int16_t DropOut;
  // Negatives: the scanner and film type and the film settings of types 1-3.
  int16_t Model;
  int16_t MirrorType;
  int16_t FilmType;
  int16_t FilmColor[3][3];  // red, green, blue balance
  int16_t FilmTone[3][4];   // tone, highlight, mid-tone, shadow
};

// The copy the running (or last) job uses.
extern SettingsInEffect g_InEffect;

// Copies the fields above out of the live settings.
void TakeSettingsInEffect(const ScanSettings& live, SettingsInEffect* out);

}  // namespace wq
