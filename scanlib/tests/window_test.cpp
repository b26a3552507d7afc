// Window descriptor bytes at their offsets, and the fraction rules.
#include <gtest/gtest.h>

#include <cstring>

#include "scanlib/window.h"

using namespace wqscsi;

TEST(WindowFraction, HundredthsGoOutAsSixtyFifthousandthsAndComeBack) {
  EXPECT_EQ(FractionToWire(50, false), 33095);  // (505 * 65536) / 1000
  EXPECT_EQ(FractionFromWire(33095, false), 50);
  EXPECT_EQ(FractionToWire(1, false), 983);     // (15 * 65536) / 1000
  EXPECT_EQ(FractionToWire(99, false), 65208);  // (995 * 65536) / 1000
  for (int f = 1; f <= 99; ++f) EXPECT_EQ(FractionFromWire(FractionToWire(int16_t(f), false), false), f);
}

TEST(WindowFraction, OutOfRangeHundredthsSendZeroAndRawPassesUnchanged) {
  EXPECT_EQ(FractionToWire(0, false), 0);
  EXPECT_EQ(FractionToWire(100, false), 0);
  EXPECT_EQ(FractionToWire(-5, false), 0);
  EXPECT_EQ(FractionToWire(12345, true), 12345);
  EXPECT_EQ(FractionToWire(int16_t(-1), true), 0xFFFF);
  EXPECT_EQ(FractionFromWire(40000, true), int16_t(40000));
  EXPECT_EQ(FractionFromWire(65535, false), 99);
}

TEST(WindowDescriptor, LengthPerModel) {
  uint8_t header[8] = {0, 0, 0, 0, 0, 0, 0x00, 0x44};
  EXPECT_EQ(WindowDescriptorLength(kModelWQ140, header), 68u);
  EXPECT_EQ(WindowDescriptorLength(kModelWQ220, header), 55u);
  EXPECT_EQ(WindowDescriptorLength(kModelWQ210, header), 53u);
  EXPECT_EQ(WindowDescriptorLength(kModelWQ215, header), 53u);
  EXPECT_EQ(WindowDescriptorLength(kModelWQ490, header), 53u);
  // A header that asks for more than any buffer holds is refused.
  header[6] = 0xFF;
  header[7] = 0xFF;
  EXPECT_EQ(WindowDescriptorLength(kModelWQ140, header), 0u);
}

namespace {

ScanParamBlock SampleBlock() {
  ScanParamBlock b{};
  b.XResolution = 300;
  b.YResolution = 600;
  b.WindowLeft = 0x01020304;
  b.WindowTop = 20;
  b.WindowWidth = 200;
  b.WindowLength = 0x00ABCDEF;
  b.Brightness = -1;
  b.Threshold = 128;
  b.ImageComposition = 5;
  b.BitsPerPixel = 8;
  b.HalftonePattern = 0x0102;
  b.ReverseImage = 1;
  b.EdgeEmphasis = 2;
  b.LightSource = 1;
  b.ScanningTimeSet = 1;
  b.TransferFormat = 2;
  b.ZoomX = 100;
  b.ZoomY = 0x1234;
  b.Lightness[0] = -40;
  b.Lightness[1] = 0;
  b.Lightness[2] = 40;
  b.Lightness[3] = -32768;
  b.Moire = 0x0300;
  b.GradationParam[1] = 10;
  b.GradationParam[2] = 20;
  b.GradationParam[3] = 30;
  b.VendorFlag = 1;
  b.ScanningTime = 0x00010203;
  b.VendorByte = 7;
  b.XResolutionFraction = 50;
  b.YResolutionFraction = 0;
  return b;
}

}  // namespace

TEST(WindowDescriptor, EncodePutsEveryFieldAtItsByteAndKeepsTheRest) {
  uint8_t d[80];
  std::memset(d, 0xEE, sizeof d);
  d[29] = 0x15;
  d[40] = 0x0F;
  d[58] = 0x33;
  const ScanParamBlock b = SampleBlock();
  EncodeWindow(b, kModelWQ140, d);
  const uint8_t expect[68] = {
      0xEE, 0xEE, 0x01, 0x2C, 0x02, 0x58,              // 0-5: kept, X 300, Y 600
      0x01, 0x02, 0x03, 0x04, 0, 0, 0, 20,             // 6-13: left, top
      0, 0, 0, 200, 0x00, 0xAB, 0xCD, 0xEF,            // 14-21: width, length
      127, 128, 0xEE, 5, 8, 0x01, 0x02, 0x95,          // 22-29
      0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE,  // 30-39 kept
      0x9E,                                            // 40: edge 2, light 1, bit 3 kept, STS 1, TF 2
      0x00, 100, 0x12, 0x34,                           // 41-44 zoom
      0x7F, 0xD8, 0x80, 0x00, 0x80, 0x28, 0x00, 0x00,  // 45-52 lightness + 0x8000
      0x03, 0x00,                                      // 53-54 moire
      10, 20, 30, 0xB3,                                // 55-58
      0x00, 0x01, 0x02, 0x03, 7,                       // 59-63
      0x81, 0x47, 0x00, 0x00};                         // 64-67: 33095, 0
  for (int i = 0; i < 68; ++i) EXPECT_EQ(d[i], expect[i]) << "descriptor byte " << i;
}

TEST(WindowDescriptor, OtherModelsLeaveTheKindOneBytesAsRead) {
  uint8_t d[80];
  std::memset(d, 0xEE, sizeof d);
  d[40] = 0x0F;
  ScanParamBlock b = SampleBlock();
  EncodeWindow(b, kModelWQ210, d);
  EXPECT_EQ(d[40], 0x9F);  // low nibble as read
  EXPECT_EQ(d[53], 0xEE);  // moire is not a kind 2 field
  for (int i = 55; i < 68; ++i) EXPECT_EQ(d[i], 0xEE) << i;
  std::memset(d, 0xEE, sizeof d);
  EncodeWindow(b, kModelWQ220, d);
  EXPECT_EQ(d[53], 0x03);
  EXPECT_EQ(d[54], 0x00);
  EXPECT_EQ(d[55], 0xEE);
}

TEST(WindowDescriptor, BrightnessWrapsAroundOneTwentyEight) {
  uint8_t d[68] = {};
  ScanParamBlock b{};
  b.Brightness = -128;
  EncodeWindow(b, kModelWQ210, d);
  EXPECT_EQ(d[22], 0);
  b.Brightness = 127;
  EncodeWindow(b, kModelWQ210, d);
  EXPECT_EQ(d[22], 255);
  b.Brightness = 0;
  EncodeWindow(b, kModelWQ210, d);
  EXPECT_EQ(d[22], 128);
}

TEST(WindowDescriptor, DecodeOfKindOneRestoresTheBlock) {
  uint8_t d[80] = {};
  const ScanParamBlock in = SampleBlock();
  EncodeWindow(in, kModelWQ140, d);
  ScanParamBlock out{};
  DecodeWindow(d, kModelWQ140, out);
  EXPECT_EQ(out.XResolution, 300);
  EXPECT_EQ(out.YResolution, 600);
  EXPECT_EQ(out.WindowLeft, 0x01020304);
  EXPECT_EQ(out.WindowLength, 0x00ABCDEF);
  EXPECT_EQ(out.Brightness, -1);
  EXPECT_EQ(out.Threshold, 128);
  EXPECT_EQ(out.ImageComposition, 5);
  EXPECT_EQ(out.BitsPerPixel, 8);
  EXPECT_EQ(out.HalftonePattern, 0x0102);
  EXPECT_EQ(out.ReverseImage, 1);
  EXPECT_EQ(out.EdgeEmphasis, 2);
  EXPECT_EQ(out.LightSource, 1);
  EXPECT_EQ(out.ScanningTimeSet, 1);
  EXPECT_EQ(out.TransferFormat, 2);
  EXPECT_EQ(out.ZoomY, 0x1234);
  EXPECT_EQ(out.Lightness[0], -40);
  EXPECT_EQ(out.Lightness[2], 40);
  EXPECT_EQ(out.Lightness[3], -32768);
  EXPECT_EQ(out.Moire, 0x0300);
  EXPECT_EQ(out.GradationParam[3], 30);
  EXPECT_EQ(out.VendorFlag, 1);
  EXPECT_EQ(out.ScanningTime, 0x00010203);
  EXPECT_EQ(out.VendorByte, 7);
  EXPECT_EQ(out.XResolutionFraction, 50);
  EXPECT_EQ(out.YResolutionFraction, 0);
}

TEST(WindowDescriptor, DecodeOfOtherModelsClearsTimeAndFormatOnly) {
  uint8_t d[80] = {};
  d[40] = 0x07;
  d[58] = 0x80;
  d[63] = 9;
  ScanParamBlock out{};
  out.ScanningTime = 55;
  out.TransferFormat = 2;
  out.VendorByte = 4;
  out.VendorFlag = 0;
  DecodeWindow(d, kModelWQ220, out);
  EXPECT_EQ(out.ScanningTime, 0);
  EXPECT_EQ(out.TransferFormat, 0);
  EXPECT_EQ(out.VendorByte, 4);
  EXPECT_EQ(out.VendorFlag, 0);
  EXPECT_EQ(out.Brightness, -128);
}

TEST(WindowDescriptor, RawFractionsReadBackUnchanged) {
  uint8_t d[80] = {};
  ScanParamBlock b{};
  b.ResolutionFractionRaw = 1;
  b.XResolutionFraction = int16_t(0x8000);
  b.YResolutionFraction = 22151;
  EncodeWindow(b, kModelWQ140, d);
  EXPECT_EQ(d[64], 0x80);
  EXPECT_EQ(d[65], 0x00);
  ScanParamBlock out{};
  out.ResolutionFractionRaw = 1;
  DecodeWindow(d, kModelWQ140, out);
  EXPECT_EQ(out.XResolutionFraction, int16_t(0x8000));
  EXPECT_EQ(out.YResolutionFraction, 22151);
}
