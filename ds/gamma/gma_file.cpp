// Writing and checking the binary gamma file.
#include "ds/gamma/gma_file.h"

#include <cstring>

namespace wq {

namespace {

constexpr size_t kValuesAt = 12, kTypesAt = 22, kCurvesAt = 32, kCurveBytes = 514;

void Put16(uint8_t* p, int v) {
  p[0] = uint8_t(v & 0xFF);
  p[1] = uint8_t((v >> 8) & 0xFF);
}
int Get16(const uint8_t* p) { return p[0] | p[1] << 8; }

}  // namespace

void TakeGammaFileContent(const ScanSettings& s, GammaFileContent* out) {
  out->GammaColor = s.GammaColor;
  memcpy(out->GammaVal, s.GammaVal, sizeof out->GammaVal);
  memcpy(out->GammaInput, s.GammaInput, sizeof out->GammaInput);
  memcpy(out->Curves, s.Curves, sizeof out->Curves);
}

void EncodeGammaFile(const GammaFileContent& c, uint8_t out[kGmaFileBytes]) {
  memset(out, 0, kGmaFileBytes);
  Put16(out, c.GammaColor);
  for (int ch = 0; ch < kGammaChannels; ++ch) {
    Put16(out + kValuesAt + 2 * ch, c.GammaVal[ch]);
    Put16(out + kTypesAt + 2 * ch, c.GammaInput[ch]);
    uint8_t* curve = out + kCurvesAt + kCurveBytes * ch;
    for (int i = 0; i < 256; ++i) curve[i] = c.Curves[ch].Points[i] ? 1 : 0;
    memcpy(curve + 257, c.Curves[ch].Data, 256);
  }
}

GmaStatus DecodeGammaFile(const uint8_t* data, size_t size, GammaFileContent* out) {
  if (!data || size != kGmaFileBytes) return GmaStatus::kWrongSize;
  GammaFileContent c{};
  c.GammaColor = int16_t(Get16(data));
  if (c.GammaColor < 1 || c.GammaColor > kGammaChannels) return GmaStatus::kBadHeader;
  for (int ch = 0; ch < kGammaChannels; ++ch) {
    const int value = Get16(data + kValuesAt + 2 * ch), type = Get16(data + kTypesAt + 2 * ch);
    if (value < 10 || value > 999 || type > 1) return GmaStatus::kBadHeader;
    c.GammaVal[ch] = int16_t(value);
    c.GammaInput[ch] = int16_t(type);
    const uint8_t* curve = data + kCurvesAt + kCurveBytes * ch;
    int points = 0;
    for (int i = 0; i < 256; ++i) {
      if (curve[i] > 1) return GmaStatus::kBadPoints;
      points += curve[i];
    }
    if (type == 0 && points == 0) return GmaStatus::kBadPoints;
    memcpy(c.Curves[ch].Points, curve, 256);
    memcpy(c.Curves[ch].Data, curve + 257, 256);
  }
  *out = c;
  return GmaStatus::kOk;
}

void ApplyGammaFileContent(const GammaFileContent& c, ScanSettings& s) {
  s.GammaColor = c.GammaColor;
  memcpy(s.GammaVal, c.GammaVal, sizeof s.GammaVal);
  memcpy(s.GammaInput, c.GammaInput, sizeof s.GammaInput);
  memcpy(s.Curves, c.Curves, sizeof s.Curves);
}

}  // namespace wq
