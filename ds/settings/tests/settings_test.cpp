// The settings store against an in-memory profile: defaults, text formats,
// round trips of the files, the first-use table and the validity check.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/strutil.h"
#include "ds/tests/builtin_text.h"
#include "ds/tests/memory_profile.h"
#include "ds/settings/settings_store.h"

namespace wq {
namespace {

using test::GetValue;
using test::SetValue;

constexpr const char* kMain = "@WQSC32.INI";
constexpr const char* kDir = "C:\\WINDOWS\\TWAIN_32\\WQSCAN32\\";

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseMemoryProfile();
    test::UseBuiltinTexts();
    memset(&env, 0, sizeof env);
    env.Measure = 1;
    CopyString(env.WindowsDir, "C:\\WINDOWS");
    CopyString(env.SourceDir, kDir);
    s.reset(new ScanSettings);
    m.reset(new MainFileValues);
    SettingsDefaults(*s, env);
    MainValuesDefaults(*m, env);
  }
  std::string Preset(const char* name) { return std::string(kDir) + name; }

  SettingsEnvironment env;
  std::unique_ptr<ScanSettings> s;
  std::unique_ptr<MainFileValues> m;
};

TEST_F(SettingsTest, NoFilesGiveEveryDefault) {
  s->Model = 1;
  ReadMainFile(*s, *m, env);
  EXPECT_FALSE(ReadPresetFile(*s, env));
  ReadGammaFile(*s, env);

  EXPECT_EQ(s->Model, -1);  // read from the missing main file
  EXPECT_EQ(s->ScannerType, 0);
  EXPECT_EQ(s->OldScannerType, -1);
  EXPECT_EQ(s->Mode, 6);
  EXPECT_EQ(s->Resolution, -1);
  EXPECT_EQ(s->ResoLock, 1);
  EXPECT_EQ(s->XResoCustom, 400);
  EXPECT_EQ(s->YFinalRes, 400);
  EXPECT_EQ(s->Gamma, 2);
  EXPECT_EQ(s->InputColor, 1);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(s->InputBlack[i], 0);
    EXPECT_EQ(s->InputWhite[i], 255);
    EXPECT_EQ(s->OutputWhite[i], 255);
    EXPECT_EQ(s->GammaVal[i], 100);
    EXPECT_EQ(s->GammaInput[i], 1);
  }
  EXPECT_EQ(s->ThresholdW, -1);
  EXPECT_EQ(s->ThreshLock, 1);
  EXPECT_EQ(s->Aspect, 1);
  EXPECT_EQ(s->NegaPosi, 1);
  EXPECT_EQ(s->FilmType, 1);
  EXPECT_EQ(s->FilmColor[2][1], 100);
  EXPECT_EQ(s->FilmTone[1][3], 5);
  EXPECT_EQ(s->Edges, 2);
  EXPECT_EQ(s->Binary, 1);
  EXPECT_EQ(s->DropOut, 1);
  EXPECT_EQ(s->ShowInfo, 1);
  EXPECT_EQ(s->Interactive, 1);
  EXPECT_EQ(s->ExposureW, 40);
  EXPECT_EQ(s->ExposLock, 1);
  EXPECT_EQ(s->Range1, -1);
  EXPECT_EQ(s->Range2, -1);
  EXPECT_EQ(s->ZoomCmV, 0.0);
  EXPECT_EQ(s->MainRect.Right, 0);
  EXPECT_EQ(s->Units, 0);  // inches: the system is not metric
  for (int ch = 0; ch < kGammaChannels; ++ch)
    for (int i = 0; i < 256; ++i) {
      ASSERT_EQ(s->Curves[ch].Data[i], i);
      ASSERT_EQ(s->Curves[ch].Points[i], i == 0 || i == 255 ? 1 : 0);
    }
  EXPECT_EQ(m->Debug, 0);
  EXPECT_EQ(m->DebugSH, 0);
  EXPECT_EQ(m->AutoErrorCheck, 1);
  EXPECT_EQ(m->NearFull, 215104u);
  EXPECT_EQ(m->ScanMemory, 32768u);
  EXPECT_STREQ(m->WorkDrive, kDir);
  EXPECT_EQ(m->Scanner.Name[0], 0);
  // Reading never creates a file.
  EXPECT_EQ(test::g_MemoryProfile.writes, 0);
}

TEST_F(SettingsTest, UnitsFollowTheMeasurementSystemOnlyWhenMissing) {
  env.Measure = 0;
  ReadMainFile(*s, *m, env);
  EXPECT_EQ(s->Units, 1);
  SetValue(kMain, "Preference", "Units", "0");
  ReadMainFile(*s, *m, env);
  EXPECT_EQ(s->Units, 0);
  SetValue(kMain, "Preference", "Units", "2");
  env.Measure = 1;
  ReadMainFile(*s, *m, env);
  EXPECT_EQ(s->Units, 2);
}

TEST_F(SettingsTest, ScanMemoryIsClampedAndNumbersMustBePlainDigits) {
  struct Case {
    const char* text;
    uint32_t scanMemory;
  } cases[] = {
      {"4096", 8192},   {"65536", 32768}, {"16384", 16384}, {" 20000 ", 20000},
      {"12x", 32768},   {"-5", 32768},    {"", 32768},      {"99999999999", 32768},
      {"1e4", 32768},
  };
  for (const Case& c : cases) {
    SetValue(kMain, "TWAIN", "ScanMemory", c.text);
    ReadMainFile(*s, *m, env);
    EXPECT_EQ(m->ScanMemory, c.scanMemory) << '"' << c.text << '"';
  }
  SetValue(kMain, "TWAIN", "NearFull", "100000");
  ReadMainFile(*s, *m, env);
  EXPECT_EQ(m->NearFull, 100000u);
  for (const char* bad : {"21a5", "+5", "0x10", "5 5", "4294967296"}) {
    SetValue(kMain, "TWAIN", "NearFull", bad);
    ReadMainFile(*s, *m, env);
    EXPECT_EQ(m->NearFull, kNearFullDefault) << bad;
  }
}

TEST_F(SettingsTest, ProfileNumbersAndRectangles) {
  uint32_t v = 7;
  EXPECT_TRUE(ParseProfileNumber("0", &v));
  EXPECT_EQ(v, 0u);
  EXPECT_TRUE(ParseProfileNumber("4294967295", &v));
  EXPECT_EQ(v, 4294967295u);
  EXPECT_FALSE(ParseProfileNumber("", &v));
  EXPECT_FALSE(ParseProfileNumber("   ", &v));

  SettingsRect r{9, 9, 9, 9};
  EXPECT_TRUE(ParseRect("10, 20, 300, -4", &r));
  EXPECT_EQ(r.Left, 10);
  EXPECT_EQ(r.Top, 20);
  EXPECT_EQ(r.Right, 300);
  EXPECT_EQ(r.Bottom, -4);
  EXPECT_TRUE(ParseRect("1,2,3,4", &r));
  EXPECT_EQ(r.Bottom, 4);
  SettingsRect kept{5, 6, 7, 8};
  for (const char* bad : {"1, 2, 3", "1, 2, 3, 4, 5", "a, b, c, d", "", "1,, 3, 4", "1, 2, 3, 4x",
                          "1, 2, 3, 99999999999"}) {
    r = kept;
    EXPECT_FALSE(ParseRect(bad, &r)) << bad;
    EXPECT_EQ(r.Left, 5) << bad;
  }
  char text[64];
  FormatRect(SettingsRect{-1, 0, 1024, 768}, text, sizeof text);
  EXPECT_STREQ(text, "-1, 0, 1024, 768");
}

TEST_F(SettingsTest, MalformedRectangleInTheFileLeavesTheDefault) {
  s->Model = 2;
  SetValue(Preset("@PRE220.INI"), "MainTools", "MainRect", "10, 20");
  SetValue(Preset("@PRE220.INI"), "MainTools", "PreRect", "1, 2, 3, 4");
  s->MainRect = SettingsRect{1, 1, 1, 1};
  EXPECT_TRUE(ReadPresetFile(*s, env));
  EXPECT_EQ(s->MainRect.Left, 0);
  EXPECT_EQ(s->MainRect.Right, 0);
  EXPECT_EQ(s->PreRect.Bottom, 4);
}

TEST_F(SettingsTest, ModelSelectsTheFilesAndFourSelectsNone) {
  char path[300];
  ASSERT_TRUE(PresetFilePath(0, env, path, sizeof path));
  EXPECT_EQ(std::string(path), Preset("@PRE140.INI"));
  ASSERT_TRUE(PresetFilePath(3, env, path, sizeof path));
  EXPECT_EQ(std::string(path), Preset("@PRE490.INI"));
  ASSERT_TRUE(GammaFilePath(1, env, path, sizeof path));
  EXPECT_EQ(std::string(path), Preset("@GMA215.INI"));
  EXPECT_FALSE(PresetFilePath(4, env, path, sizeof path));
  EXPECT_FALSE(PresetFilePath(-1, env, path, sizeof path));

  // Model 4: no file is read or written, every preset key is its default.
  SetValue(Preset("@PRE490.INI"), "ScanMode", "Mode", "3");
  s->Model = 4;
  s->Mode = 3;
  EXPECT_FALSE(ReadPresetFile(*s, env));
  EXPECT_EQ(s->Mode, 6);
  int writes = test::g_MemoryProfile.writes;
  WritePresetFile(*s, env);
  WriteGammaFile(*s, env);
  EXPECT_EQ(test::g_MemoryProfile.writes, writes);
}

// Fills every preset field with a value no default has.
void FillPreset(ScanSettings& s) {
  s.ADF = 1;
  s.Mirror = 1;
  s.MirrorType = 2;
  s.MainRect = {1, 2, 3, 4};
  s.PreRect = {-5, 6, 7, 8};
  s.InfoRect = {9, 10, 11, 12};
  s.Mode = 0x302;
  s.Resolution = 11;
  s.ResoLock = 0;
  s.XResoCustom = 1234;
  s.YResoCustom = 567;
  s.XFinalRes = 890;
  s.YFinalRes = 321;
  s.Gamma = 3;
  s.ColorMatch = 1;
  s.GammaOpen = 1;
  s.GammaRect = {13, 14, 15, 16};
  CopyString(s.ColorMatchFile, "WQC007.CLM");
  s.ImageAdjustOpen = 1;
  s.Select = 1;
  s.Brightnes = -100;
  s.Contrast = 77;
  s.InputColor = 3;
  for (int i = 0; i < 5; ++i) {
    s.InputBlack[i] = int16_t(i + 1);
    s.InputWhite[i] = int16_t(200 + i);
    s.OutputBlack[i] = int16_t(10 + i);
    s.OutputWhite[i] = int16_t(240 - i);
  }
  s.ImageAdjustRect = {17, 18, 19, 20};
  s.ThresholdW = 99;
  s.ThreshLock = 0;
  s.ThresholdOpen = 1;
  s.ThresholdRect = {21, 22, 23, 24};
  s.ZoomOnOff = 1;
  s.ZoomH = 123.456;
  s.ZoomV = 0.1;
  s.ZoomInchH = 8.52;
  s.ZoomInchV = 1e-3;
  s.ZoomCmH = 21.64;
  s.ZoomCmV = 1.0 / 3.0;
  s.Aspect = 0;
  s.ZoomOpen = 1;
  s.ZoomRect = {25, 26, 27, 28};
  s.NegaPosi = 2;
  s.FilmType = 3;
  for (int k = 0; k < 3; ++k) {
    for (int c = 0; c < 3; ++c) s.FilmColor[k][c] = int16_t(50 + 10 * k + c);
    for (int t = 0; t < 4; ++t) s.FilmTone[k][t] = int16_t(k * 4 + t);
  }
  s.FilmOpen = 1;
  s.FilmRect = {29, 30, 31, 32};
  s.ExposureR = 10;
  s.ExposureG = 20;
  s.ExposureB = 30;
  s.ExposureW = 70;
  s.ExposLock = 0;
  s.LightnessOpen = 1;
  s.LightnessRect = {33, 34, 35, 36};
  s.Range1 = 5;
  s.Range2 = 3;
  s.PreCropRect = {37, 38, 39, 40};
  s.PreScanRect = {41, 42, 43, 44};
}

TEST_F(SettingsTest, PresetFileWrittenByTheScanPathReadsBackIdentically) {
  for (int model = 0; model < 4; ++model) {
    test::UseMemoryProfile();
    ScanSettings& w = *s;
    SettingsDefaults(w, env);
    w.Model = int16_t(model);
    FillPreset(w);
    WritePresetFile(w, env);

    std::unique_ptr<ScanSettings> r(new ScanSettings);
    SettingsDefaults(*r, env);
    r->Model = int16_t(model);
    ASSERT_TRUE(ReadPresetFile(*r, env));
    // Every byte of the record matches: preset keys were read back, the
    // rest kept the same defaults on both sides.
    EXPECT_EQ(memcmp(r.get(), &w, sizeof w), 0) << "model " << model;
    EXPECT_EQ(r->ZoomCmV, 1.0 / 3.0);
  }
}

TEST_F(SettingsTest, GammaFileRoundTripsEveryValueAndPointOfEveryChannel) {
  s->Model = 3;
  for (int ch = 0; ch < kGammaChannels; ++ch)
    for (int i = 0; i < 256; ++i) {
      s->Curves[ch].Data[i] = uint8_t((i * 7 + ch * 31 + 3) & 255);
      s->Curves[ch].Points[i] = uint8_t((i * 13 + ch) % 3 == 0 ? 1 : 0);
    }
  for (int ch = 0; ch < kGammaChannels; ++ch) {
    s->GammaVal[ch] = int16_t(150 + ch);
    s->GammaInput[ch] = int16_t(ch & 1);
  }
  s->GammaLock = 0;
  s->GammaColor = 3;
  CopyString(s->GammaFile, "C:\\CURVES\\MINE.GMA");
  WriteGammaFile(*s, env);

  std::string v;
  ASSERT_TRUE(GetValue(Preset("@GMA490.INI"), "B/W", "WGammaD00", &v));
  EXPECT_EQ(v.size(), 24u);
  ASSERT_TRUE(GetValue(Preset("@GMA490.INI"), "RGB", "RGBGammaP31", &v));

  std::unique_ptr<ScanSettings> r(new ScanSettings);
  SettingsDefaults(*r, env);
  r->Model = 3;
  ReadGammaFile(*r, env);
  for (int ch = 0; ch < kGammaChannels; ++ch) {
    EXPECT_EQ(memcmp(r->Curves[ch].Data, s->Curves[ch].Data, 256), 0) << ch;
    EXPECT_EQ(memcmp(r->Curves[ch].Points, s->Curves[ch].Points, 256), 0) << ch;
    EXPECT_EQ(r->GammaVal[ch], 150 + ch);
    EXPECT_EQ(r->GammaInput[ch], ch & 1);
  }
  EXPECT_EQ(r->GammaLock, 0);
  EXPECT_EQ(r->GammaColor, 3);
  EXPECT_STREQ(r->GammaFile, "C:\\CURVES\\MINE.GMA");
}

TEST_F(SettingsTest, GammaKeysThatAreNotTwentyFourDigitsKeepTheirDefaults) {
  uint8_t v[8] = {};
  EXPECT_TRUE(DecodeGammaKey("000001002003004005006255", v));
  EXPECT_EQ(v[7], 255);
  EXPECT_EQ(v[1], 1);
  char text[25];
  const uint8_t in[8] = {0, 9, 10, 99, 100, 199, 254, 255};
  EncodeGammaKey(in, text);
  EXPECT_STREQ(text, "000009010099100199254255");
  EXPECT_FALSE(DecodeGammaKey("00000100200300400500625", v));    // 23 characters
  EXPECT_FALSE(DecodeGammaKey("0000010020030040050062555", v));  // 25
  EXPECT_FALSE(DecodeGammaKey("000001002003004005006256", v));   // above 255
  EXPECT_FALSE(DecodeGammaKey("000001002003004005006 55", v));

  s->Model = 0;
  std::string file = Preset("@GMA140.INI");
  SetValue(file, "RED", "RGammaD01", "255255255255255255255255");
  SetValue(file, "RED", "RGammaD02", "255255");
  SetValue(file, "GREEN", "GGammaP00", "000000000000000000000000");
  SetValue(file, "GREEN", "GGammaP05", "abcdefghijklmnopqrstuvwx");
  ReadGammaFile(*s, env);
  EXPECT_EQ(s->Curves[kGammaR].Data[8], 255);
  EXPECT_EQ(s->Curves[kGammaR].Data[16], 16);  // the short key kept the identity
  EXPECT_EQ(s->Curves[kGammaG].Points[0], 0);
  EXPECT_EQ(s->Curves[kGammaG].Points[40], 0);
  EXPECT_EQ(s->Curves[kGammaG].Points[255], 1);
  EXPECT_STREQ(s->GammaFile, "@GMA140.INI");  // defaults to the file's own name
}

TEST_F(SettingsTest, MainFileWritesEveryKeyButTheThreeSwitches) {
  SetValue(kMain, "TWAIN", "DebugSH", "2");
  SetValue(kMain, "TWAIN", "DebugSCSI", "1");
  SetValue(kMain, "TWAIN", "WQ215", "1");
  SetValue(kMain, "TWAIN", "Debug", "1");
  SetValue(kMain, "SCSI", "ScannerName", "KORVA   WQ215           1.00");
  SetValue(kMain, "SCSI", "BoardID", "1");
  SetValue(kMain, "SCSI", "TargetID", "5");
  ReadMainFile(*s, *m, env);
  EXPECT_EQ(m->DebugSH, 2);
  EXPECT_EQ(m->DebugSCSI, 1);
  EXPECT_EQ(m->WQ215, 1);
  EXPECT_EQ(m->Scanner.Address[1], 1);
  EXPECT_EQ(m->Scanner.Address[2], 5);

  test::UseMemoryProfile();
  s->Model = 2;
  m->Scanner2 = m->Scanner;
  m->Scanner2.Name[10] = '\n';  // a device may answer with any byte
  WriteMainFile(*s, *m);
  std::string v;
  EXPECT_FALSE(GetValue(kMain, "TWAIN", "DebugSH", &v));
  EXPECT_FALSE(GetValue(kMain, "TWAIN", "DebugSCSI", &v));
  EXPECT_FALSE(GetValue(kMain, "TWAIN", "WQ215", &v));
  ASSERT_TRUE(GetValue(kMain, "TWAIN", "Debug", &v));
  EXPECT_EQ(v, "1");
  ASSERT_TRUE(GetValue(kMain, "Scanner", "Model", &v));
  EXPECT_EQ(v, "2");
  ASSERT_TRUE(GetValue(kMain, "TWAIN", "ScanMemory", &v));
  EXPECT_EQ(v, "32768");
  ASSERT_TRUE(GetValue(kMain, "Preference", "PrefRect", &v));
  EXPECT_EQ(v, "0, 0, 0, 0");
  ASSERT_TRUE(GetValue(kMain, "SCSI", "ScannerName", &v));
  EXPECT_EQ(v, "KORVA   WQ215           1.00");
  ASSERT_TRUE(GetValue(kMain, "SCSI", "ScannerName2", &v));
  EXPECT_EQ(v, "KORVA   WQ 15           1.00");
  ASSERT_TRUE(GetValue(kMain, "User", "WorkDrive", &v));
  EXPECT_EQ(v, kDir);
  EXPECT_GE(test::g_MemoryProfile.flushes, 1);
}

TEST_F(SettingsTest, FirstUseTablePerModel) {
  struct Case {
    int model, mirror, type;
    bool metric;
    int resolution, custom, range1, range2;
  } cases[] = {
      {0, 0, 0, true, 9, 400, -1, 1},   {0, 0, 0, false, 9, 400, -1, 4},
      {0, 1, 0, true, 9, 400, -1, 6},   {1, 0, 0, true, 7, 300, -1, 1},
      {1, 1, 0, true, 7, 300, -1, 6},   {1, 1, 0, false, 7, 300, -1, 4},
      {1, 1, 1, false, 10, 600, -1, 6}, {1, 1, 2, true, 11, 1200, -1, 6},
      {2, 0, 0, false, 10, 600, -1, 4}, {2, 1, 3, false, 10, 600, -1, 6},
      {2, 1, 4, true, 11, 1200, -1, 6}, {3, 0, 0, true, 7, 600, 2, -1},
      {3, 1, 0, false, 7, 600, 7, -1},
  };
  for (const Case& c : cases) {
    SettingsDefaults(*s, env);
    s->Model = int16_t(c.model);
    s->Mirror = int16_t(c.mirror);
    s->MirrorType = int16_t(c.type);
    ApplyFirstUse(*s, c.metric);
    EXPECT_EQ(s->Resolution, c.resolution) << c.model << "/" << c.type;
    EXPECT_EQ(s->XResoCustom, c.custom) << c.model << "/" << c.type;
    EXPECT_EQ(s->YResoCustom, c.custom) << c.model << "/" << c.type;
    EXPECT_EQ(s->Range1, c.range1) << c.model << "/" << c.type;
    EXPECT_EQ(s->Range2, c.range2) << c.model << "/" << c.type;
  }
  // A set that already has a resolution is left alone.
  SettingsDefaults(*s, env);
  s->Model = 0;
  s->Resolution = 3;
  ApplyFirstUse(*s, true);
  EXPECT_EQ(s->Resolution, 3);
  EXPECT_EQ(s->Range2, -1);
}

TEST_F(SettingsTest, SavedSetFitsOnlyTheScannerItWasMadeFor) {
  DetectedScanner hw{1, 0, 3, false, false, false, false, 0};
  s->Model = 1;
  m->Scanner.Address[2] = 3;
  m->Scanner2.Address[2] = 3;
  EXPECT_TRUE(SavedSetFits(*s, *m, true, hw, false));
  EXPECT_FALSE(SavedSetFits(*s, *m, false, hw, false));  // no preset file
  hw.Target = 4;
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, false));
  hw.Target = 3;
  m->Scanner.Address[1] = 1;  // first and second identity disagree
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, false));
  m->Scanner.Address[1] = 0;
  hw.Model = 2;
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, false));
  hw.Model = 1;

  // Feeder chosen at the device (or always): the set must have chosen it.
  hw.AdfAttached = hw.AdfSelected = true;
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, false));
  s->ADF = 1;
  EXPECT_TRUE(SavedSetFits(*s, *m, true, hw, false));
  hw.AdfSelected = false;
  s->ADF = 0;
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, true));
  EXPECT_TRUE(SavedSetFits(*s, *m, true, hw, false));

  // Film unit chosen at the device: the set must have it with that type.
  hw.FsuAttached = hw.FsuSelected = true;
  hw.FsuType = 1;
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, false));
  s->Mirror = 1;
  s->MirrorType = 2;
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, false));
  s->MirrorType = 1;
  EXPECT_TRUE(SavedSetFits(*s, *m, true, hw, false));

  // Nothing chosen at the device: a saved source needs its unit attached.
  hw = DetectedScanner{1, 0, 3, false, false, false, false, 0};
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, false));
  s->Mirror = 0;
  s->ADF = 1;
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, false));
  hw.AdfAttached = true;
  EXPECT_TRUE(SavedSetFits(*s, *m, true, hw, false));
  // The WQ490 works only with its film unit.
  s->Model = 3;
  s->ADF = 0;
  hw = DetectedScanner{3, 0, 3, false, false, false, false, 0};
  EXPECT_FALSE(SavedSetFits(*s, *m, true, hw, false));
}

TEST_F(SettingsTest, ReconcileKeepsAFittingSetAndOtherwiseStartsAfresh) {
  const std::string preset = Preset("@PRE220.INI");
  SetValue(kMain, "Scanner", "Model", "2");
  SetValue(kMain, "SCSI", "TargetID", "2");
  SetValue(kMain, "SCSI", "TargetID2", "2");
  SetValue(preset, "ScanMode", "Mode", "3");
  SetValue(preset, "Resolution", "Resolution", "5");
  SetValue(preset, "ScanArea", "Range2", "3");
  SetValue(Preset("@GMA220.INI"), "B/W", "WGammaD00", "009009009009009009009009");
  ScanSettings live;
  SettingsDefaults(live, env);
  g_Settings = &live;
  g_Env = env;
  MainValuesDefaults(g_Main, env);

  DetectedScanner hw{2, 0, 2, false, false, false, false, 0};
  ASSERT_TRUE(ReconcileSettings(hw));
  EXPECT_EQ(live.Model, 2);
  EXPECT_EQ(live.Mode, 3);
  EXPECT_EQ(live.Resolution, 5);
  EXPECT_EQ(live.Range2, 3);
  EXPECT_EQ(live.Curves[kGammaW].Data[0], 9);

  // Another target: the set is rejected, defaults and the first-use table.
  hw.Target = 6;
  hw.FsuAttached = hw.FsuSelected = true;
  hw.FsuType = 4;
  ASSERT_TRUE(ReconcileSettings(hw));
  EXPECT_EQ(live.Model, 2);
  EXPECT_EQ(live.Mode, 6);
  EXPECT_EQ(live.Mirror, 1);
  EXPECT_EQ(live.MirrorType, 4);
  EXPECT_EQ(live.Resolution, 11);
  EXPECT_EQ(live.XResoCustom, 1200);
  EXPECT_EQ(live.Range2, 6);
  EXPECT_EQ(live.Curves[kGammaW].Data[0], 0);
  EXPECT_STREQ(live.ColorMatchFile, "WQC101.CLM");
  g_Settings = nullptr;
}

}  // namespace
}  // namespace wq
