// The computed curve against integer reference values; word and text forms.
#include <gtest/gtest.h>

#include <string>

#include "scanlib/gamma.h"

using namespace wqscsi;

TEST(GammaCurve, ModeOneHundredIsAStraightLine) {
  uint8_t t[256];
  ComputeGammaCurve(100, t);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(t[i], i) << i;
}

TEST(GammaCurve, ExponentTwoIsTheCeilingOfISquaredOver255) {
  uint8_t t[256];
  ComputeGammaCurve(50, t);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(t[i], (i * i + 254) / 255) << i;
}

TEST(GammaCurve, ExponentOneHalfIsTheSmallestRootNotBelow) {
  uint8_t t[256];
  ComputeGammaCurve(200, t);
  for (int i = 0; i < 256; ++i) {
    int n = 0;
    while (n * n < 255 * i) ++n;  // smallest n with n^2 >= 255 i
    EXPECT_EQ(t[i], n) << i;
  }
}

TEST(GammaCurve, NegativeModesStayWithinAByte) {
  uint8_t t[256];
  ComputeGammaCurve(-100, t);
  EXPECT_EQ(t[0], 0);
  for (int i = 1; i < 256; ++i) EXPECT_EQ(t[i], 255) << i;
}

TEST(GammaWords, BigEndianWordPerEntry) {
  uint8_t e[256], w[512];
  for (int i = 0; i < 256; ++i) e[i] = uint8_t(255 - i);
  BuildGammaWords(e, w);
  EXPECT_EQ(w[0], 0);
  EXPECT_EQ(w[1], 255);
  EXPECT_EQ(w[510], 0);
  EXPECT_EQ(w[511], 0);
  EXPECT_EQ(w[2 * 100 + 1], 155);
  EXPECT_EQ(GammaWordQualifier(kGammaGray), 16);
  EXPECT_EQ(GammaWordQualifier(kGammaRed), 17);
  EXPECT_EQ(GammaWordQualifier(kGammaGreen), 18);
  EXPECT_EQ(GammaWordQualifier(kGammaBlue), 19);
}

TEST(GammaText, ChannelFramingAroundCommaSeparatedEntries) {
  const uint8_t e[3] = {0, 1, 255};
  char out[64];
  auto text = [&](GammaChannel c) {
    const size_t n = BuildGammaText(e, 3, c, out, sizeof out);
    return std::string(out, n);
  };
  EXPECT_EQ(text(kGammaGray), "///0,1,255");
  EXPECT_EQ(text(kGammaRed), "0,1,255///");
  EXPECT_EQ(text(kGammaGreen), "/0,1,255//");
  EXPECT_EQ(text(kGammaBlue), "//0,1,255/");
  EXPECT_EQ(BuildGammaText(e, 3, kGammaGray, out, 10), 0u);  // does not fit
}

TEST(GammaText, FourThousandEntriesFitTheirCapacity) {
  static uint8_t e[4096];
  for (int i = 0; i < 4096; ++i) e[i] = 255;
  static char out[GammaTextCapacity(4096)];
  const size_t n = BuildGammaText(e, 4096, kGammaBlue, out, sizeof out);
  EXPECT_EQ(n, 2u + 4096u * 3 + 4095u + 1u);
  EXPECT_EQ(out[n - 1], '/');
}
