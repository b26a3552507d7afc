// The scan job: identity codes, the resolution table and formulas, the bed
// and paper geometry, every field StartScanJob writes, and the messages of
// CheckScannerStatus. A scripted library stands in where the test needs to
// see the block as the library receives it.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "common/strutil.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/tests/test_host.h"
#include "ds/settings/settings_store.h"
#include "twain/twain.h"

namespace wq {
namespace {

using test::g_TestHost;

TEST(ModelIdentity, CodesAreTriedInTheirOrder) {
  auto model = [](const char* name, bool wq215) {
    char field[32] = {};
    memcpy(field, name, strlen(name));
    return ModelFromIdentity(field, sizeof field, wq215);
  };
  EXPECT_EQ(model("KORVA   WQ140/131       1.00", false), 0);
  EXPECT_EQ(model("KORVA   WQ215/121       1.00", true), 1);
  EXPECT_EQ(model("KORVA   WQ215/121       1.00", false), -1);
  EXPECT_EQ(model("KORVA   WQ220/221       1.00", false), 2);
  EXPECT_EQ(model("KORVA   WQ220/081       1.00", false), 2);
  EXPECT_EQ(model("KORVA   WQ490/101       1.00", false), 3);
  EXPECT_EQ(model("KORVA   WQ210/205       1.00", true), -1);
  // "121" ends the search when it may not be used, even if "221" follows.
  EXPECT_EQ(model("KORVA   WQ121/221       1.00", false), -1);
  // "131" wins over a "101" that comes earlier in the name.
  EXPECT_EQ(model("KORVA   WQ101/131       1.00", false), 0);
  // A code across the end of the field does not count.
  char edge[32];
  memset(edge, ' ', sizeof edge);
  memcpy(edge + 30, "13", 2);
  EXPECT_EQ(ModelFromIdentity(edge, sizeof edge, false), -1);
}

TEST(Resolution, TableRowsAndTheCustomEntry) {
  EXPECT_EQ(TableResolution(0, 1, 999), 72);
  EXPECT_EQ(TableResolution(0, 9, 999), 400);
  EXPECT_EQ(TableResolution(0, 10, 999), 999);
  EXPECT_EQ(TableResolution(0, 11, 999), 0);
  EXPECT_EQ(TableResolution(1, 11, 999), 1200);
  EXPECT_EQ(TableResolution(2, 12, 555), 555);
  EXPECT_EQ(TableResolution(3, 1, 999), 75);
  EXPECT_EQ(TableResolution(3, 8, 999), 1200);
  EXPECT_EQ(TableResolution(3, 9, 321), 321);
  EXPECT_EQ(TableResolution(3, 10, 321), 0);
  EXPECT_EQ(TableResolution(0, 0, 321), 0);
  EXPECT_EQ(TableResolution(0, -1, 321), 0);
  EXPECT_EQ(TableResolution(-1, 1, 321), 0);
}

TEST(Resolution, OutputSizeFormulasPerModel) {
  // WQ140: thousandths turned into a 16-bit fraction.
  BlockResolution r = ZoomResolution(0, 100, 30);  // 83.333 dpi
  EXPECT_EQ(r.Whole, 83);
  EXPECT_EQ(uint16_t(r.Fraction), 22151);  // (333 + 5) * 65536 / 1000
  EXPECT_FALSE(r.Hundredths);
  r = ZoomResolution(0, 300, 25);
  EXPECT_EQ(r.Whole, 300);
  EXPECT_EQ(r.Fraction, 0);
  // 25.995 dpi: (995 + 5) * 65536 / 1000 does not fit 16 bits; it is 26.
  r = ZoomResolution(0, 209, 201);
  EXPECT_EQ(r.Whole, 26);
  EXPECT_EQ(r.Fraction, 0);

  // WQ490: whole dots, rounded up unless exact.
  r = ZoomResolution(3, 300, 25);
  EXPECT_EQ(r.Whole, 300);
  EXPECT_TRUE(r.Hundredths);
  r = ZoomResolution(3, 301, 25);
  EXPECT_EQ(r.Whole, 301);
  r = ZoomResolution(3, 300, 26);  // 288.46
  EXPECT_EQ(r.Whole, 289);
  EXPECT_EQ(r.Fraction, 0);

  // WQ215, WQ220: hundredths, raised by a hundredth unless exact.
  for (int model : {1, 2}) {
    r = ZoomResolution(model, 100, 30);  // 83.333: 83343 / 10
    EXPECT_EQ(r.Whole, 83);
    EXPECT_EQ(r.Fraction, 34);
    EXPECT_TRUE(r.Hundredths);
    r = ZoomResolution(model, 300, 25);
    EXPECT_EQ(r.Whole, 300);
    EXPECT_EQ(r.Fraction, 0);
    r = ZoomResolution(model, 150, 50);  // 75 exactly
    EXPECT_EQ(r.Whole, 75);
    EXPECT_EQ(r.Fraction, 0);
  }
  // An empty area gives 0 dpi instead of a division by zero.
  EXPECT_EQ(ZoomResolution(0, 100, 0).Whole, 0);
  EXPECT_EQ(ZoomResolution(2, 100, 0).Whole, 0);
}

TEST(Resolution, FractionCarryMatchesTheRoundedValue) {
  // Over many sizes the whole number and fraction together are the
  // rounded value; remainders from 995 up carry into the whole number.
  for (int32_t p = 1; p < 3000; ++p) {
    BlockResolution r = ZoomResolution(0, p, 201);
    int64_t v = int64_t(p) * 25000 / 201;
    int64_t rest = v % 1000;
    int64_t fraction = rest ? (rest + 5) * 65536 / 1000 : 0;
    int64_t total = (v / 1000) * 65536 + fraction;  // in 1/65536 dpi
    EXPECT_EQ(int64_t(r.Whole) * 65536 + uint16_t(r.Fraction), total) << p;
  }
}

TEST(Geometry, BedsAndPapers) {
  auto width = [](AreaRect r) { return r.Right - r.Left; };
  auto height = [](AreaRect r) { return r.Bottom - r.Top; };
  EXPECT_EQ(width(BedRect(0, false, false, 0)), 213);
  EXPECT_EQ(height(BedRect(0, false, false, 0)), 293);
  EXPECT_EQ(height(BedRect(0, true, false, 0)), 350);
  EXPECT_EQ(height(BedRect(0, false, true, 0)), 275);
  EXPECT_EQ(width(BedRect(1, false, true, 2)), 104);
  EXPECT_EQ(width(BedRect(1, false, true, 1)), 208);
  EXPECT_EQ(width(BedRect(2, false, true, 4)), 104);
  EXPECT_EQ(height(BedRect(2, false, false, 0)), 350);
  EXPECT_EQ(width(BedRect(3, false, false, 0)), 300);
  EXPECT_EQ(height(BedRect(3, false, false, 0)), 425);

  AreaRect r;
  ASSERT_TRUE(PaperRect(0, 1, &r));  // A4
  EXPECT_EQ(r.Right, 210);
  EXPECT_EQ(r.Bottom, 303);
  ASSERT_TRUE(PaperRect(3, 1, &r));  // A3, only on the WQ490
  EXPECT_EQ(r.Bottom, 424);
  ASSERT_TRUE(PaperRect(3, 8, &r));
  EXPECT_EQ(r.Right, 213);
  EXPECT_FALSE(PaperRect(0, 7, &r));  // "Optional..."
  EXPECT_FALSE(PaperRect(3, 10, &r));
  EXPECT_FALSE(PaperRect(1, -1, &r));

  ScanSettings s{};
  s.Model = 1;
  s.Mirror = 1;
  s.MirrorType = 2;
  s.Range2 = 1;  // A4 on a 104-unit film bed: clipped
  SetAreaFromPaper(s);
  EXPECT_EQ(s.AreaLeft, 3);
  EXPECT_EQ(s.AreaTop, 10);
  EXPECT_EQ(s.AreaWidth, 104);
  EXPECT_EQ(s.AreaHeight, 275);
  s.Model = 0;
  s.Mirror = 0;
  s.Range2 = 7;
  SetAreaFromPaper(s);
  EXPECT_EQ(s.AreaWidth, 213);
  EXPECT_EQ(s.AreaHeight, 293);
  s.Resolution = 7;  // 300 dpi
  UpdateImageSize(s);
  EXPECT_EQ(s.XFinalRes, 300);
  EXPECT_EQ(s.ImageWidth, 300 * 213 / 25);
  EXPECT_EQ(s.ImageHeight, 300 * 293 / 25);
  s.Resolution = 11;  // outside the WQ140's list
  UpdateImageSize(s);
  EXPECT_EQ(s.ImageWidth, 0);
  s.Resolution = 10;
  s.XResoCustom = 32000;  // saturates instead of wrapping
  UpdateImageSize(s);
  EXPECT_EQ(s.ImageWidth, 65535);
}

TEST(Geometry, DefaultPaperSizes) {
  EXPECT_EQ(DefaultPaperSize(0, false, 0, true), TWSS_A4LETTER);
  EXPECT_EQ(DefaultPaperSize(2, false, 0, false), TWSS_USLETTER);
  EXPECT_EQ(DefaultPaperSize(0, true, 0, true), TWSS_NONE);
  EXPECT_EQ(DefaultPaperSize(1, true, 0, true), TWSS_B5LETTER);
  EXPECT_EQ(DefaultPaperSize(1, true, 0, false), TWSS_USLETTER);
  EXPECT_EQ(DefaultPaperSize(1, true, 1, false), TWSS_B5LETTER);
  EXPECT_EQ(DefaultPaperSize(1, true, 2, true), TWSS_NONE);
  EXPECT_EQ(DefaultPaperSize(2, true, 3, false), TWSS_B5LETTER);
  EXPECT_EQ(DefaultPaperSize(2, true, 4, false), TWSS_NONE);
  EXPECT_EQ(DefaultPaperSize(3, true, 0, true), TWSS_A4LETTER);
}

// A library that answers from a script and keeps what it was sent.
struct Scripted {
  std::vector<int32_t> selectors;
  std::map<int32_t, std::vector<ScannerResult>> answers;  // per selector, in order
  ScanParamBlock atStart{};                                // the block at selector 19
};
Scripted g_Script;

int32_t WQ_SCANLIB_CALL ScriptedEntry(int32_t selector, ScanParamBlock* b) {
  g_Script.selectors.push_back(selector);
  if (selector == kSelStartScan) g_Script.atStart = *b;
  ScannerResult r{0, 0, 0, 0};
  auto& q = g_Script.answers[selector];
  if (!q.empty()) {
    r = q.front();
    q.erase(q.begin());
  }
  b->Status = r.Status;
  b->SenseKey = r.SenseKey;
  b->SenseCode = r.SenseCode;
  b->SenseQualifier = r.SenseQualifier;
  return r.Status;
}

class ScanJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDataSource();
    g_Script = Scripted{};
    g_ScanJob.Entry = ScriptedEntry;
    SettingsDefaults(s, g_Env);
    s.Model = 1;
    s.Resolution = 7;
    s.AreaLeft = 13;
    s.AreaTop = 20;
    s.AreaWidth = 100;
    s.AreaHeight = 50;
    s.ThresholdW = 128;
    g_Settings = &s;
    memcpy(g_ScanJob.Remembered.Name, "KORVA   WQ215/121       1.00", 28);
    g_ScanJob.Remembered.Address[2] = 4;
    g_ScanJob.Model = 1;
  }
  void TearDown() override {
    g_Settings = nullptr;
    g_ScanJob.Entry = nullptr;
  }
  const ScanParamBlock& Start(int kind) {
    EXPECT_TRUE(StartScanJob(kind));
    return g_Script.atStart;
  }
  ScanSettings s{};
};

TEST_F(ScanJobTest, FinalScanFillsTheBlock) {
  s.Mode = 6;
  s.Edges = 3;
  s.ExposureR = 50;
  s.ExposureG = 40;
  s.ExposureB = 30;
  s.ExposureW = 41;
  const ScanParamBlock& b = Start(kFinalScan);
  EXPECT_EQ(memcmp(b.DeviceName, "KORVA   WQ215/121", 17), 0);
  EXPECT_EQ(b.DeviceAddress.Target, 4);
  EXPECT_EQ(b.XResolution, 300);
  EXPECT_EQ(b.YResolution, 300);
  EXPECT_EQ(b.XResolutionFraction, 0);
  EXPECT_EQ(b.ResolutionFractionRaw, 1);
  EXPECT_EQ(b.WindowLeft, 10);
  EXPECT_EQ(b.WindowTop, 10);
  EXPECT_EQ(b.WindowWidth, 100);
  EXPECT_EQ(b.WindowLength, 50);
  EXPECT_EQ(b.MeasurementUnit, 25);
  EXPECT_EQ(b.ImageComposition, 5);
  EXPECT_EQ(b.BitsPerPixel, 8);
  EXPECT_EQ(b.TransferFormat, 2);
  EXPECT_EQ(b.GammaMode, 0);
  EXPECT_EQ(b.GammaEntries, 256);
  EXPECT_EQ(b.GammaTable[0], g_ScanJob.Tone[0]);
  EXPECT_EQ(b.GammaTable[3], g_ScanJob.Tone[3]);
  EXPECT_EQ(b.VendorByte, 0);
  EXPECT_EQ(b.VendorFlag, 0);
  EXPECT_EQ(b.EdgeEmphasis, 2);
  EXPECT_EQ(b.Lightness[0], 10);
  EXPECT_EQ(b.Lightness[1], 0);
  EXPECT_EQ(b.Lightness[2], -10);
  EXPECT_EQ(b.Lightness[3], 1);
  EXPECT_EQ(g_ParamBlock.LinesRemaining, 600u);  // 50 units at 300 dpi
  EXPECT_EQ(g_Script.selectors,
            (std::vector<int32_t>{kSelDeviceEqlByte, kSelSetScannerRefl, kSelStartScan}));
}

TEST_F(ScanJobTest, ModesMapToCompositions) {
  struct Case {
    int mode, composition, bits;
  } cases[] = {{0x101, 0, 1}, {0x102, 3, 1}, {0x201, 2, 8}, {0x501, 2, 8}, {0x302, 5, 8},
               {3, 2, 8},     {4, 5, 8},     {5, 5, 8},     {6, 5, 8}};
  for (const Case& c : cases) {
    s.Mode = int16_t(c.mode);
    const ScanParamBlock& b = Start(kFinalScan);
    EXPECT_EQ(b.ImageComposition, c.composition) << std::hex << c.mode;
    EXPECT_EQ(b.BitsPerPixel, c.bits) << std::hex << c.mode;
  }
}

TEST_F(ScanJobTest, BiLevelThresholdReverseAndLightColour) {
  s.Mode = 0x101;
  s.ThresholdW = 77;
  s.Binary = 1;
  s.DropOut = 2;
  const ScanParamBlock& b = Start(kFinalScan);
  EXPECT_EQ(b.GradationParam[0], 8);
  EXPECT_EQ(b.Threshold, 77);
  EXPECT_EQ(b.ReverseImage, 1);
  EXPECT_EQ(b.LightSource, 1);
  g_ScanJob.InvertOutput = true;
  EXPECT_EQ(Start(kFinalScan).ReverseImage, 0);
  EXPECT_EQ(Start(kPreviewScan).ReverseImage, 0);  // previews are never bi-level

  s.Mode = 0x102;
  s.Binary = 0;
  g_ScanJob.InvertOutput = false;
  const ScanParamBlock& c = Start(kFinalScan);
  EXPECT_EQ(c.GradationParam[1], 77);
  EXPECT_EQ(c.GradationParam[2], 77);
  EXPECT_EQ(c.GradationParam[3], 77);
  EXPECT_EQ(c.ReverseImage, 0);

  // Drop-out colour for grey scans, including those binarised in software.
  const int16_t light[5] = {0, 3, 1, 0, 2};
  for (int16_t d = 1; d <= 4; ++d) {
    s.Mode = 0x301;
    s.DropOut = d;
    EXPECT_EQ(Start(kFinalScan).LightSource, light[d]);
  }
}

TEST_F(ScanJobTest, PreviewsScanInColourAtTheirOwnResolution) {
  s.Mode = 0x101;  // black and white: the preview is still colour
  s.Interactive = 0;
  s.ExposureW = 55;
  const ScanParamBlock& b = Start(kPreviewScan);
  EXPECT_EQ(b.ImageComposition, 5);
  EXPECT_EQ(b.XResolution, 75);  // WQ215
  EXPECT_EQ(b.GammaMode, 100);
  EXPECT_EQ(b.VendorFlag, 1);
  EXPECT_TRUE(g_ScanJob.PackLines);
  for (int model : {0, 2}) {
    s.Model = int16_t(model);
    EXPECT_EQ(Start(kPreviewScan).XResolution, 40);
  }
  s.Model = 3;
  g_ScanJob.ZoomPreviewResolution = 217;
  s.Interactive = 1;
  const ScanParamBlock& z = Start(kZoomPreviewScan);
  EXPECT_EQ(z.XResolution, 217);
  EXPECT_EQ(z.YResolution, 217);
  EXPECT_EQ(z.VendorFlag, 0);
  // Interactive black and white: all four exposures take the grey one.
  EXPECT_EQ(z.Lightness[0], 15);
  EXPECT_EQ(z.Lightness[2], 15);
  // Edge emphasis is left as the last final scan set it.
  s.Mode = 6;
  s.Edges = 4;
  Start(kFinalScan);
  EXPECT_EQ(Start(kPreviewScan).EdgeEmphasis, 3);
}

TEST_F(ScanJobTest, ZoomAndFilmValues) {
  s.Model = 0;
  s.ZoomOnOff = 1;
  s.AreaWidth = 30;
  s.AreaHeight = 25;
  s.ZoomWidth = 100;
  s.ZoomHeight = 300;
  s.NegaPosi = 2;
  s.FilmExposure[0] = -7;
  s.FilmExposure[3] = 9;
  const ScanParamBlock& b = Start(kFinalScan);
  EXPECT_EQ(b.ResolutionFractionRaw, 1);
  EXPECT_EQ(b.XResolution, 83);
  EXPECT_EQ(uint16_t(b.XResolutionFraction), 22151);
  EXPECT_EQ(b.YResolution, 300);
  EXPECT_EQ(b.Lightness[0], -7);
  EXPECT_EQ(b.Lightness[3], 9);
  EXPECT_EQ(b.EdgeEmphasis, 0);  // the WQ140 gets it in software

  s.Model = 2;
  const ScanParamBlock& c = Start(kFinalScan);
  EXPECT_EQ(c.ResolutionFractionRaw, 0);
  EXPECT_EQ(c.XResolution, 83);
  EXPECT_EQ(c.XResolutionFraction, 34);
}

TEST_F(ScanJobTest, LightSourceByTheChosenUnit) {
  s.ADF = 1;
  Start(kFinalScan);
  EXPECT_EQ(g_Script.selectors, (std::vector<int32_t>{kSelDeviceEqlByte, kSelSetScannerAdf,
                                                      kSelScannerReadyAdf, kSelStartScan}));
  g_Script.selectors.clear();
  s.ADF = 0;
  s.Mirror = 1;
  Start(kFinalScan);
  EXPECT_EQ(g_Script.selectors, (std::vector<int32_t>{kSelDeviceEqlByte, kSelSetScannerFsu,
                                                      kSelScannerReadyFsu, kSelStartScan}));

  // A feeder without paper: the message, a reset, and no start.
  g_Script = Scripted{};
  s.ADF = 1;
  s.Mirror = 0;
  g_Script.answers[kSelScannerReadyAdf] = {{kScanCheckCondition, 3, 58, 0}};
  EXPECT_FALSE(StartScanJob(kFinalScan));
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16021});
  EXPECT_EQ(g_Script.selectors.back(), kSelScannerReset);
}

TEST_F(ScanJobTest, StatusMessagesOfTheTable) {
  struct Case {
    ScannerResult r;
    bool duringRead;
    int model;
    int message;
    bool reset;
  } cases[] = {
      {{kScanNoManager, 0, 0, 0}, false, 1, 16030, false},
      {{kScanNotFound, 0, 0, 0}, false, 1, 16011, false},
      {{kScanCheckCondition, 4, 0x60, 0}, false, 1, 16010, true},
      {{kScanCheckCondition, 3, 57, 0}, false, 1, 16010, true},
      {{kScanCheckCondition, 3, 130, 0}, false, 1, 16010, true},
      {{kScanCheckCondition, 3, 100, 0}, false, 1, 16010, true},
      {{kScanCheckCondition, 3, 58, 0}, false, 1, 16021, true},
      {{kScanCheckCondition, 3, 83, 0}, true, 1, 16022, true},
      {{kScanCheckCondition, 2, 128, 1}, true, 1, 16023, true},
      {{kScanCheckCondition, 2, 128, 0}, true, 1, 16042, true},
      {{kScanCheckCondition, 2, 128, 1}, false, 1, 16025, true},
      {{kScanCheckCondition, 2, 128, 0}, false, 1, 16040, true},
      {{kScanCheckCondition, 2, 129, 0}, true, 1, 16024, true},
      {{kScanCheckCondition, 2, 129, 0}, false, 1, 16041, true},
      {{kScanCheckCondition, 2, 129, 5}, false, 1, 16043, true},
      {{kScanCheckCondition, 2, 129, 5}, true, 2, 16044, true},
  };
  for (const Case& c : cases) {
    g_TestHost.messages.clear();
    g_Script.selectors.clear();
    g_ScanJob.Model = c.model;
    EXPECT_EQ(CheckScannerStatus(c.r, c.duringRead, false), 1) << c.message;
    EXPECT_EQ(g_TestHost.messages, std::vector<int>{c.message});
    EXPECT_EQ(!g_Script.selectors.empty() && g_Script.selectors.back() == kSelScannerReset, c.reset)
        << c.message;
  }
  EXPECT_EQ(CheckScannerStatus({0, 3, 58, 0}, false, false), 0);
  g_Env.JapaneseUI = true;
  g_TestHost.messages.clear();
  CheckScannerStatus({kScanCheckCondition, 3, 58, 0}, false, false);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{17021});
}

TEST_F(ScanJobTest, JamRetryJudgesTheResetAgain) {
  struct Case {
    ScannerResult afterReset;
    int message;
  } cases[] = {
      {{kScanNoManager, 0, 0, 0}, 16030},       {{kScanBusy, 0, 0, 0}, 16011},
      {{kScanCheckCondition, 3, 58, 0}, 16021}, {{kScanCheckCondition, 2, 128, 1}, 16025},
      {{kScanCheckCondition, 2, 128, 0}, 16040}, {{kScanCheckCondition, 2, 129, 1}, 16043},
      {{kScanCheckCondition, 2, 129, 0}, 16024}, {{kScanCheckCondition, 4, 0x44, 0}, 16010},
  };
  for (const Case& c : cases) {
    g_TestHost.messages.clear();
    g_Script = Scripted{};
    g_Script.answers[kSelScannerReset] = {c.afterReset};
    EXPECT_EQ(CheckScannerStatus({kScanCheckCondition, 3, 83, 0}, false, true), 1);
    EXPECT_EQ(g_TestHost.messages, (std::vector<int>{16022, c.message}));
  }
  // A reset that clears the jam ends the check without an error.
  g_TestHost.messages.clear();
  g_Script = Scripted{};
  EXPECT_EQ(CheckScannerStatus({kScanCheckCondition, 3, 83, 0}, false, true), 0);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16022});
}

TEST_F(ScanJobTest, MovementModeOfTheWQ490) {
  EXPECT_TRUE(SetMovement(true));
  EXPECT_EQ(g_ParamBlock.Movement, 2);
  EXPECT_EQ(g_Script.selectors.back(), kSelSetMovement);
  g_Script.answers[kSelSetMovement] = {{kScanNotFound, 0, 0, 0}};
  EXPECT_FALSE(SetMovement(false));
  EXPECT_EQ(g_ParamBlock.Movement, 1);
}

TEST_F(ScanJobTest, LibraryLoading) {
  g_ScanJob.Entry = nullptr;
  CopyString(g_Env.WindowsDir, "C:\\WINDOWS");
  ASSERT_TRUE(LoadScannerLibrary());
  EXPECT_EQ(g_TestHost.opened.back(), "C:\\WINDOWS\\TWAIN_32\\WQSCAN32\\WQSCSI32.DLL");
  EXPECT_TRUE(UnloadScannerLibrary());
  EXPECT_EQ(g_TestHost.liveModules, 0);
  g_TestHost.scanLibWithoutEntry = true;
  EXPECT_FALSE(LoadScannerLibrary());
  EXPECT_EQ(g_TestHost.liveModules, 0);
  // A path that would not fit its 260 characters is not tried.
  g_TestHost.scanLibWithoutEntry = false;
  std::string longDir(250, 'x');
  CopyString(g_Env.WindowsDir, longDir.c_str());
  size_t before = g_TestHost.opened.size();
  EXPECT_FALSE(LoadScannerLibrary());
  EXPECT_EQ(g_TestHost.opened.size(), before);
}

}  // namespace
}  // namespace wq
