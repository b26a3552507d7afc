// Computations of the core: TW_FIX32, the transfer geometry, path
// splitting, the settings exchange and the condition-code box text.
#include <gtest/gtest.h>

#include <cstring>

#include "ds/core/exchange.h"
#include "ds/core/fix32.h"
#include "ds/core/pathsplit.h"
#include "ds/core/report.h"
#include "ds/core/session.h"
#include "ds/core/xfergeom.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

TEST(Fix32, RoundingAndTheBiasAwayFromZero) {
  TW_FIX32 f = RealToFix32(2.2);
  EXPECT_EQ(f.Whole, 2);
  EXPECT_EQ(f.Frac, 0x3333);
  EXPECT_EQ(RealToFix32(0.01).Frac, 655);
  f = RealToFix32(-1.5);
  EXPECT_EQ(f.Whole, -2);
  EXPECT_EQ(f.Frac, 0x8000);
  // 99 + 65535/65536 reads back as 100 when truncated.
  TW_FIX32 almost{99, 0xFFFF};
  EXPECT_EQ(int(Fix32ToReal(almost)), 100);
  TW_FIX32 negative{-3, 0};
  EXPECT_EQ(int(Fix32ToReal(negative)), -3);
  EXPECT_LT(Fix32ToReal(negative), -3.0);
  EXPECT_EQ(Fix32FromBits(0x8000FFFEu).Whole, -2);
  EXPECT_EQ(Fix32FromBits(0x8000FFFEu).Frac, 0x8000);
}

TEST(XferGeometry, RowsAndHeadersByKind) {
  XferGeometry g = ComputeXferGeometry(1, 1, 10, TWSX_NATIVE, TWFF_BMP);
  EXPECT_EQ(g.DibRowBytes, 4u);
  EXPECT_EQ(g.RowBytes, 1u);
  EXPECT_EQ(g.HeaderBytes, 48u);
  g = ComputeXferGeometry(1, 33, 10, TWSX_MEMORY, TWFF_BMP);
  EXPECT_EQ(g.XferRowBytes, 8u);
  EXPECT_EQ(g.RowBytes, 5u);
  // Eight colours: 4 bits a pixel natively and in BMP, 8 in memory and TIFF.
  g = ComputeXferGeometry(2, 9, 1, TWSX_NATIVE, TWFF_TIFF);
  EXPECT_EQ(g.DibRowBytes, 8u);
  EXPECT_EQ(g.XferRowBytes, 12u);
  EXPECT_EQ(g.RowBytes, 8u);
  EXPECT_EQ(g.HeaderBytes, 104u);
  EXPECT_EQ(ComputeXferGeometry(2, 9, 1, TWSX_FILE, TWFF_BMP).RowBytes, 8u);
  EXPECT_EQ(ComputeXferGeometry(2, 9, 1, TWSX_FILE, TWFF_TIFF).RowBytes, 9u);
  EXPECT_EQ(ComputeXferGeometry(2, 9, 1, TWSX_MEMORY, TWFF_BMP).RowBytes, 9u);
  for (int kind : {3, 4, 5}) {
    g = ComputeXferGeometry(kind, 5, 1, TWSX_NATIVE, TWFF_BMP);
    EXPECT_EQ(g.DibRowBytes, 8u);
    EXPECT_EQ(g.RowBytes, 5u);
    EXPECT_EQ(g.HeaderBytes, 1064u);
  }
  g = ComputeXferGeometry(6, 5, 7, TWSX_NATIVE, TWFF_BMP);
  EXPECT_EQ(g.DibRowBytes, 16u);
  EXPECT_EQ(g.RowBytes, 15u);
  EXPECT_EQ(g.HeaderBytes, 40u);
  EXPECT_EQ(g.ImageRows, 7u);
}

TEST(XferGeometry, MemoryTransferSizes) {
  uint32_t min, pref, max;
  MemXferSizes(1000, &min, &pref, &max);
  EXPECT_EQ(min, 2000u);
  EXPECT_EQ(max, 65000u);
  EXPECT_EQ(pref, max);
  MemXferSizes(20000, &min, &pref, &max);  // 32768 / r is 1
  EXPECT_EQ(min, 32768u);
  EXPECT_EQ(max, 65535u);
  MemXferSizes(16384, &min, &pref, &max);  // k = 32768, not above min
  EXPECT_EQ(min, 32768u);
  EXPECT_EQ(max, 65535u);
  MemXferSizes(16000, &min, &pref, &max);  // k = 32000, not above min either
  EXPECT_EQ(min, 32000u);
  EXPECT_EQ(max, 65535u);
  MemXferSizes(10000, &min, &pref, &max);
  EXPECT_EQ(min, 20000u);
  EXPECT_EQ(max, 60000u);
  MemXferSizes(0, &min, &pref, &max);  // an empty image still gets sizes
  EXPECT_GT(max, 0u);
}

TEST(PathSplit, DriveDirectoryBaseExtension) {
  PathParts p = SplitPath("C:\\WINDOWS\\TWAIN_32\\TWAIN000.TMP");
  EXPECT_EQ(p.Drive, "C:");
  EXPECT_EQ(p.Dir, "\\WINDOWS\\TWAIN_32\\");
  EXPECT_EQ(p.Base, "TWAIN000");
  EXPECT_EQ(p.Ext, ".TMP");
  p = SplitPath("d:scan.v1.bmp");
  EXPECT_EQ(p.Drive, "d:");
  EXPECT_EQ(p.Dir, "");
  EXPECT_EQ(p.Base, "scan.v1");
  EXPECT_EQ(p.Ext, ".bmp");
  p = SplitPath("C:\\dir.d\\");
  EXPECT_EQ(p.Base, "");
  EXPECT_EQ(p.Dir, "\\dir.d\\");
  p = SplitPath("\\\\srv\\share\\x");
  EXPECT_EQ(p.Drive, "");
  EXPECT_EQ(p.Base, "x");
  EXPECT_EQ(SplitPath(nullptr).Base, "");
}

class ExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSessionAtLoad();
    memset(&s, 0, sizeof s);
    g_Settings = &s;
  }
  void TearDown() override { g_Settings = nullptr; }
  ScanSettings s;
};

TEST_F(ExchangeTest, HiddenWindowTakesTheTwainValues) {
  g_Session.ShowUI = false;
  g_Session.TwBrightness = 500;
  g_Session.TwContrast = -1000;
  g_Session.TwThreshold = 200;
  ExchangeAtTransfer();
  EXPECT_EQ(s.Brightnes, 63);   // 500 * 127 / 1000
  EXPECT_EQ(s.Contrast, -127);
  EXPECT_EQ(s.ThresholdW, 137);  // 200 - 63
  g_Session.TwBrightness = -999;
  g_Session.TwThreshold = 300;
  ExchangeAtTransfer();
  EXPECT_EQ(s.Brightnes, -126);  // truncated toward zero
  EXPECT_EQ(s.ThresholdW, 254);  // clamped
  g_Session.TwBrightness = 1000;
  g_Session.TwThreshold = 0;
  ExchangeAtTransfer();
  EXPECT_EQ(s.ThresholdW, 1);

  // Scaling set by the application switches zoom on.
  s.ImageWidth = 1000;
  s.ImageHeight = 400;
  EXPECT_EQ(s.ZoomOnOff, 0);
  g_Session.YScaleSet = true;
  g_Session.XScalePercent = 50;
  g_Session.YScalePercent = 250;
  ExchangeAtTransfer();
  EXPECT_EQ(s.ZoomOnOff, 1);
  EXPECT_EQ(s.ZoomWidth, 500);
  EXPECT_EQ(s.ZoomHeight, 1000);
}

TEST_F(ExchangeTest, ShownWindowGivesItsRawValues) {
  g_Session.ShowUI = true;
  s.Brightnes = -40;
  s.Contrast = 12;
  s.ThresholdW = 90;
  ExchangeAtTransfer();
  EXPECT_EQ(g_Session.TwBrightness, -40);
  EXPECT_EQ(g_Session.TwContrast, 12);
  EXPECT_EQ(g_Session.TwThreshold, 90);

  // Refresh before capability queries, only in state 5 with the window.
  g_Session.State = 5;
  s.ADF = 1;
  s.ZoomOnOff = 1;
  s.ImageWidth = 200;
  s.ZoomWidth = 300;
  s.ImageHeight = 100;
  s.ZoomHeight = 50;
  RefreshTwainFromWindow();
  EXPECT_TRUE(g_Session.FeederLoaded);
  EXPECT_EQ(g_Session.XScalePercent, 150);
  EXPECT_EQ(g_Session.YScalePercent, 50);
  EXPECT_EQ(g_Session.TwBrightness, -314);  // -40 * 1000 / 127
  EXPECT_EQ(g_Session.TwContrast, 94);
  g_Session.FeederSetByApp = true;
  s.ADF = 0;
  s.ZoomOnOff = 0;
  RefreshTwainFromWindow();
  EXPECT_TRUE(g_Session.FeederLoaded);  // the application's choice stands
  EXPECT_EQ(g_Session.XScalePercent, 100);
  g_Session.State = 4;
  s.Brightnes = 127;
  RefreshTwainFromWindow();
  EXPECT_EQ(g_Session.TwBrightness, -314);
}

TEST(SourceError, LeadInAndDescription) {
  char text[256];
  SourceErrorText("General failure in response to DAT_STATUS.  ", 7, text, sizeof text);
  EXPECT_STREQ(text,
               "General failure in response to DAT_STATUS.  Unknown Error value in condition code.");
  EXPECT_STREQ(ConditionCodeText(TWCC_SUCCESS), "Success message from detailed error request ??");
  EXPECT_STREQ(ConditionCodeText(TWCC_SEQERROR), "DG DAT MSG is out of expected sequence.");
  EXPECT_STREQ(ConditionCodeText(TWCC_BADDEST), "Unknown Error value in condition code.");
  EXPECT_STREQ(ConditionCodeText(TWCC_MAXCONNECTIONS), "Source is connected to max possible apps.");
}

}  // namespace
}  // namespace wq
