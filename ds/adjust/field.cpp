// The tone windows' field parser and value ranges.
#include "ds/adjust/field.h"

#include <cstring>
#include <initializer_list>

namespace wq {

FieldNumber ParseField(const char* text) {
  if (!text || !*text) return {false, 0};
  const size_t n = strnlen(text, 32);
  if (n > 31) return {false, 0};
  int dashes = 0;
  size_t dashAt = 0;
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c == '-') {
      ++dashes;
      dashAt = i;
    } else if (c < '0' || c > '9') {
      return {false, 0};
    }
  }
  if (dashes > 1) return {false, 0};
  if (dashes == 1 && dashAt != 0) return {true, 32767};
  const size_t first = dashes ? 1 : 0;
  if (first == n) return {false, 0};  // "-" alone
  // Digits beyond what an int holds saturate; every range refuses them.
  long long v = 0;
  for (size_t i = first; i < n; ++i) {
    v = v * 10 + (text[i] - '0');
    if (v > 32767) v = 32767 + 1;
  }
  if (v > 32767) return {true, dashes ? -32768 : 32767};
  return {true, int(dashes ? -v : v)};
}

int ThresholdMaximum(int model) { return model >= 0 && model <= 3 ? 254 : 0; }
int ThresholdDefault(int model) { return model >= 0 && model <= 3 ? 128 : 0; }
int ThresholdFieldLength(int model) { return model >= 0 && model <= 2 ? 3 : 4; }

int ExposureMaximum(int model) { return model == 3 ? 440 : 1040; }

int16_t ExposureFromField(int n, int model) {
  const long v = long(n) + kExposureShift;
  if (v > ExposureMaximum(model)) return 32767;
  return int16_t(v < -32768 ? -32768 : v);
}

LevelsCheck CheckLevels(const FieldNumber f[4]) {
  const int inBlack = f[kLevelInBlack].Value, inWhite = f[kLevelInWhite].Value;
  const bool whiteKnown = f[kLevelInWhite].IsNumber;
  // Input black: 0 .. input white - 1 (up to 254 while input white is no number).
  const int blackMax = (whiteKnown ? inWhite : 255) - 1;
  if (!f[kLevelInBlack].IsNumber || inBlack < 0 || inBlack > blackMax)
    return {kLevelInBlack, 0, blackMax < 0 ? 0 : blackMax};
  if (!whiteKnown || inWhite < inBlack + 1 || inWhite > 255)
    return {kLevelInWhite, inBlack + 1, 255};
  for (LevelField k : {kLevelOutBlack, kLevelOutWhite})
    if (!f[k].IsNumber || f[k].Value < 0 || f[k].Value > 255) return {k, 0, 255};
  return {kLevelsValid, 0, 0};
}

}  // namespace wq
