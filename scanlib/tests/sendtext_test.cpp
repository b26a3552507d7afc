// SEND parameter texts, qualifiers and preset codes.
#include <gtest/gtest.h>

#include <string>

#include "scanlib/sendtext.h"

using namespace wqscsi;

namespace {
std::string Text(const ParamText& t) { return std::string(t.text, t.length); }
}  // namespace

TEST(SendText, ScanRangeIsLeftWidthTopLength) {
  ScanParamBlock b{};
  b.WindowLeft = 10;
  b.WindowTop = 20;
  b.WindowWidth = 200;
  b.WindowLength = 300;
  ParamText t;
  ScanRangeText(b, t);
  EXPECT_EQ(Text(t), "10,200,20,300");
}

TEST(SendText, BrightnessCarriesItsSign) {
  ScanParamBlock b{};
  ParamText t;
  b.Brightness = 5;
  BrightnessText(b, t);
  EXPECT_EQ(Text(t), "+5");
  b.Brightness = -128;
  BrightnessText(b, t);
  EXPECT_EQ(Text(t), "-128");
}

TEST(SendText, DataFormatAndGradationQualifiers) {
  EXPECT_EQ(DataFormatQualifier(2), 3);
  EXPECT_EQ(DataFormatQualifier(3), 2);
  EXPECT_EQ(DataFormatQualifier(4), 2);
  EXPECT_EQ(DataFormatQualifier(5), 1);
  EXPECT_EQ(DataFormatQualifier(0), 4);
  EXPECT_EQ(DataFormatQualifier(1), 4);
  EXPECT_EQ(DataFormatQualifier(6), -1);
  EXPECT_EQ(DataFormatQualifier(-1), -1);
  EXPECT_EQ(GradationQualifier(8), 0);
  EXPECT_EQ(GradationQualifier(10), 3);
  EXPECT_EQ(GradationQualifier(12), 4);
  EXPECT_EQ(GradationQualifier(9), 255);
  EXPECT_EQ(GradationQualifier(0), 255);
}

TEST(SendText, GradationLightnessAndZoomTexts) {
  ScanParamBlock b{};
  ParamText t;
  b.ImageComposition = 0;
  b.Threshold = 128;
  GradationText(b, t);
  EXPECT_EQ(Text(t), "///128");
  b.ImageComposition = 3;
  b.GradationParam[1] = 100;
  b.GradationParam[2] = 110;
  b.GradationParam[3] = 120;
  GradationText(b, t);
  EXPECT_EQ(Text(t), "100/110/120/");

  b.Lightness[0] = -40;
  b.Lightness[1] = -30;
  b.Lightness[2] = 0;
  b.Lightness[3] = 5;
  for (int comp : {3, 4, 5}) {
    b.ImageComposition = int16_t(comp);
    LightnessText(b, t);
    EXPECT_EQ(Text(t), "-40/-30/0/") << comp;
  }
  for (int comp : {0, 1, 2}) {
    b.ImageComposition = int16_t(comp);
    LightnessText(b, t);
    EXPECT_EQ(Text(t), "///5") << comp;
  }
  b.ZoomX = 100;
  b.ZoomY = 250;
  ZoomText(b, t);
  EXPECT_EQ(Text(t), "100,250");
}

TEST(SendText, MoireQualifierFromBitsNineAndEight) {
  EXPECT_EQ(MoireQualifier(0), 1);
  EXPECT_EQ(MoireQualifier(0x00FF), 1);
  EXPECT_EQ(MoireQualifier(0x0100), 2);
  EXPECT_EQ(MoireQualifier(0x0300), 4);
  EXPECT_EQ(MoireQualifier(0x0400), 1);
}

TEST(SendText, ResolutionPresetsOnlyForEqualWholeResolutions) {
  ScanParamBlock b{};
  const int table[][2] = {{300, 1}, {200, 2}, {150, 3}, {100, 4}, {75, 5},
                          {400, 6}, {600, 7}, {1200, 8}, {2400, 9}};
  for (auto& row : table) {
    b.XResolution = b.YResolution = int16_t(row[0]);
    EXPECT_EQ(ResolutionPreset(kModelWQ210, b), row[1]) << row[0];
  }
  b.XResolution = b.YResolution = 1200;
  EXPECT_EQ(ResolutionPreset(kModelWQ490, b), 0);
  b.XResolution = b.YResolution = 2400;
  EXPECT_EQ(ResolutionPreset(kModelWQ490, b), 0);
  b.XResolution = b.YResolution = 600;
  EXPECT_EQ(ResolutionPreset(kModelWQ490, b), 7);
  b.YResolution = 300;
  EXPECT_EQ(ResolutionPreset(kModelWQ210, b), 0);
  b.XResolution = b.YResolution = 300;
  b.XResolutionFraction = 5;
  EXPECT_EQ(ResolutionPreset(kModelWQ210, b), 0);
  b.XResolutionFraction = 0;
  b.XResolution = b.YResolution = 301;
  EXPECT_EQ(ResolutionPreset(kModelWQ210, b), 0);
}

TEST(SendText, ResolutionTextWithTwoDigitHundredths) {
  ScanParamBlock b{};
  ParamText t;
  b.XResolution = 300;
  b.YResolution = 600;
  ResolutionText(b, t);
  EXPECT_EQ(Text(t), "300,600");
  b.XResolution = 83;
  b.XResolutionFraction = 5;
  b.YResolution = 83;
  b.YResolutionFraction = 50;
  ResolutionText(b, t);
  EXPECT_EQ(Text(t), "83.05,83.50");
  // Hundredths outside 1..99 are no fraction at all.
  b.XResolutionFraction = 150;
  b.YResolutionFraction = -3;
  ResolutionText(b, t);
  EXPECT_EQ(Text(t), "83,83");
  // Raw fractions are turned into hundredths first.
  b.ResolutionFractionRaw = 1;
  b.XResolutionFraction = int16_t(0x8000);
  b.YResolutionFraction = 22151;  // 0.338
  ResolutionText(b, t);
  EXPECT_EQ(Text(t), "83.50,83.33");
  ResolutionLabel(b, t);
  EXPECT_EQ(Text(t), "Set Resolution 83 DPI");
}
