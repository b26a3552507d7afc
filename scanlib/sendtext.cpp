// Building the text-command scanners' SEND parameter texts, qualifiers and
// preset codes from the block.
#include "scanlib/sendtext.h"

#include <cstdio>

#include "scanlib/model.h"

namespace wqscsi {

namespace {

template <typename... Args>
void Format(ParamText& out, const char* format, Args... args) {
  int n = std::snprintf(out.text, sizeof out.text, format, args...);
  if (n < 0) n = 0;
  if (size_t(n) >= sizeof out.text) n = int(sizeof out.text - 1);
  out.length = uint32_t(n);
}

// One resolution with its fraction in hundredths, always two digits so the
// scanner reads 300.05 rather than 300.5.
int AppendResolution(char* p, size_t n, int whole, int hundredths) {
  if (hundredths == 0) return std::snprintf(p, n, "%d", whole);
  return std::snprintf(p, n, "%d.%02d", whole, hundredths);
}

}  // namespace

void ScanRangeText(const ScanParamBlock& b, ParamText& out) {
  Format(out, "%ld,%ld,%ld,%ld", long(b.WindowLeft), long(b.WindowWidth), long(b.WindowTop),
         long(b.WindowLength));
}

void BrightnessText(const ScanParamBlock& b, ParamText& out) {
  const int v = b.Brightness;
  Format(out, "%c%d", v < 0 ? '-' : '+', v < 0 ? -v : v);
}

int DataFormatQualifier(int composition) {
  switch (composition) {
    case 2: return 3;
    case 3: case 4: return 2;
    case 5: return 1;
    case 0: case 1: return 4;
    default: return -1;
  }
}

uint16_t GradationQualifier(int gradation0) {
  switch (gradation0) {
    case 8: return 0;
    case 10: return 3;
    case 12: return 4;
    default: return 255;
  }
}

void GradationText(const ScanParamBlock& b, ParamText& out) {
  if (b.ImageComposition == 3)
    Format(out, "%d/%d/%d/", b.GradationParam[1], b.GradationParam[2], b.GradationParam[3]);
  else
    Format(out, "///%d", b.Threshold);
}

void LightnessText(const ScanParamBlock& b, ParamText& out) {
  if (b.ImageComposition >= 3 && b.ImageComposition <= 5)
    Format(out, "%d/%d/%d/", b.Lightness[0], b.Lightness[1], b.Lightness[2]);
  else
    Format(out, "///%d", b.Lightness[3]);
}

void ZoomText(const ScanParamBlock& b, ParamText& out) { Format(out, "%d,%d", b.ZoomX, b.ZoomY); }

uint16_t MoireQualifier(int moire) { return uint16_t(((moire >> 8) & 3) + 1); }

int FractionHundredths(int16_t fraction, bool raw) {
  if (raw) return int(uint32_t(uint16_t(fraction)) * 100 / 65536);
  return fraction >= 1 && fraction <= 99 ? fraction : 0;
}

uint16_t ResolutionPreset(int32_t kind, const ScanParamBlock& b) {
  const bool raw = b.ResolutionFractionRaw != 0;
  if (FractionHundredths(b.XResolutionFraction, raw) != 0 ||
      FractionHundredths(b.YResolutionFraction, raw) != 0 || b.XResolution != b.YResolution)
    return 0;
  switch (b.XResolution) {
    case 300: return 1;
    case 200: return 2;
    case 150: return 3;
    case 100: return 4;
    case 75: return 5;
    case 400: return 6;
    case 600: return 7;
    case 1200: return kind == kModelWQ490 ? 0 : 8;
    case 2400: return kind == kModelWQ490 ? 0 : 9;
    default: return 0;
  }
}

void ResolutionText(const ScanParamBlock& b, ParamText& out) {
  const bool raw = b.ResolutionFractionRaw != 0;
  char* p = out.text;
  size_t left = sizeof out.text;
  int n = AppendResolution(p, left, b.XResolution, FractionHundredths(b.XResolutionFraction, raw));
  p += n;
  left -= size_t(n);
  n = std::snprintf(p, left, ",");
  p += n;
  left -= size_t(n);
  n = AppendResolution(p, left, b.YResolution, FractionHundredths(b.YResolutionFraction, raw));
  p += n;
  out.length = uint32_t(p - out.text);
}

void ResolutionLabel(const ScanParamBlock& b, ParamText& out) {
  Format(out, "Set Resolution %d DPI", b.XResolution);
}

}  // namespace wqscsi
