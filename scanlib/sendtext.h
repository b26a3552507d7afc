// The SEND parameter commands of the text-command scanners: data type codes,
// qualifiers, preset codes and the ASCII texts built from the block.
#pragma once
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

constexpr uint8_t kSendGamma = 0x03;          // also brightness (qualifier 255)
constexpr uint8_t kSendInitialize = 0x80;
constexpr uint8_t kSendScanRange = 0x81;
constexpr uint8_t kSendGradation = 0x82;      // also reverse image
constexpr uint8_t kSendDataFormat = 0x83;
constexpr uint8_t kSendResolution = 0x84;
constexpr uint8_t kSendEdgeEmphasis = 0x85;
constexpr uint8_t kSendTransferFormat = 0x86;
constexpr uint8_t kSendMovement = 0x87;
constexpr uint8_t kSendLightSource = 0x88;
constexpr uint8_t kSendHalftone = 0x90;
constexpr uint8_t kSendScanningTime = 0x91;
constexpr uint8_t kSendLightness = 0x93;
constexpr uint8_t kSendZoom = 0x94;
constexpr uint8_t kSendMoire = 0x95;

constexpr uint16_t kBrightnessQualifier = 255;

struct ParamText {
  char text[96];
  uint32_t length;
};

void ScanRangeText(const ScanParamBlock& b, ParamText& out);
// "+n" or "-n"; only sent when the brightness is not 0.
void BrightnessText(const ScanParamBlock& b, ParamText& out);
// Composition 2 -> 3, 3/4 -> 2, 5 -> 1, 0/1 -> 4; -1 for any other.
int DataFormatQualifier(int composition);
// GradationParam[0] 8 -> 0, 10 -> 3, 12 -> 4, otherwise 255.
uint16_t GradationQualifier(int gradation0);
// Line art "///" + threshold; colour line art "g1/g2/g3/".
void GradationText(const ScanParamBlock& b, ParamText& out);
// Colour compositions (3..5) "l0/l1/l2/", others "///l3".
void LightnessText(const ScanParamBlock& b, ParamText& out);
void ZoomText(const ScanParamBlock& b, ParamText& out);
uint16_t MoireQualifier(int moire);
// Whole hundredths of a dpi the text carries for one fraction field.
int FractionHundredths(int16_t fraction, bool raw);
// Preset code for equal resolutions without fractions, 0 when there is none
// (the text-command model has none for 1200 and 2400).
uint16_t ResolutionPreset(int32_t kind, const ScanParamBlock& b);
// "x[.ff],y[.ff]" and the log label "Set Resolution x DPI".
void ResolutionText(const ScanParamBlock& b, ParamText& out);
void ResolutionLabel(const ScanParamBlock& b, ParamText& out);

}  // namespace wqscsi
