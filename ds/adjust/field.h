// What the tone windows read from their numeric fields, and the ranges of
// the values they edit (threshold, exposure, brightness, contrast, levels).
#pragma once
#include <cstdint>

namespace wq {

struct FieldNumber {
  bool IsNumber;
  int Value;
};

// The numeric windows' field parser: digits with at most one "-". A "-"
// first gives the negative value; a "-" elsewhere gives 32767, which every
// range refuses. Empty, longer than 31 characters or any other character:
// no number.
FieldNumber ParseField(const char* text);

// Threshold: 1 .. 254 on the four models, 128 by default (0 for an unknown
// model).
constexpr int kThresholdMinimum = 1;
int ThresholdMaximum(int model);
int ThresholdDefault(int model);
// The threshold edit's length: 3 characters on models 0-2, 4 otherwise.
int ThresholdFieldLength(int model);

// Exposure: 0 .. 1040 (models 0-2) or 440 (model 3), 40 by default,
// shown as value - 40 per cent.
constexpr int kExposureMinimum = 0;
constexpr int kExposureDefault = 40;
constexpr int kExposureShift = 40;
int ExposureMaximum(int model);
// What a typed number n stores: n + 40, or 32767 above the maximum (so that
// closing refuses it).
int16_t ExposureFromField(int n, int model);

// Brightness and contrast: -127 .. 127.
constexpr int kAdjustLimit = 127;

// The first failing field of the levels page, in the order input black,
// input white, output black, output white, with its allowed range.
enum LevelField { kLevelInBlack = 0, kLevelInWhite, kLevelOutBlack, kLevelOutWhite, kLevelsValid };
struct LevelsCheck {
  LevelField Field;
  int Minimum, Maximum;
};
// The four edits as parsed.
LevelsCheck CheckLevels(const FieldNumber fields[4]);

}  // namespace wq
