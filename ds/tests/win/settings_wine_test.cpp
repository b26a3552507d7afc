// The settings store on real profile files through the Windows profile
// functions: defaults without files, what the files hold after writing, and
// round trips of the preset and gamma files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "common/strutil.h"
#include "ds/tests/builtin_text.h"
#include "ds/tests/win/wine_support.h"
#include "ds/settings/settings_store.h"
#include "ds/settings/win/profile_win.h"

namespace wq {
namespace {

using namespace wine;

class SettingsFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseBuiltinTexts();
    UseWindowsProfile();
    RemoveSettingsFiles();
    memset(&env, 0, sizeof env);
    env.Measure = 1;
    CopyString(env.WindowsDir, WindowsDir().c_str());
    CopyString(env.SourceDir, SourceDir().c_str());
    s.reset(new ScanSettings);
    m.reset(new MainFileValues);
    SettingsDefaults(*s, env);
    MainValuesDefaults(*m, env);
  }
  void TearDown() override { RemoveSettingsFiles(); }
  SettingsEnvironment env;
  std::unique_ptr<ScanSettings> s;
  std::unique_ptr<MainFileValues> m;
};

TEST_F(SettingsFilesTest, NoFilesGiveTheDefaultsAndCreateNothing) {
  s->Model = 2;
  ReadMainFile(*s, *m, env);
  EXPECT_FALSE(ReadPresetFile(*s, env));
  ReadGammaFile(*s, env);
  EXPECT_EQ(s->Model, -1);
  EXPECT_EQ(s->OldScannerType, -1);
  EXPECT_EQ(s->Mode, 6);
  EXPECT_EQ(s->ThresholdW, -1);
  EXPECT_EQ(s->Units, 0);
  EXPECT_EQ(s->Curves[kGammaB].Data[200], 200);
  EXPECT_EQ(m->ScanMemory, 32768u);
  EXPECT_EQ(m->NearFull, 215104u);
  EXPECT_EQ(m->AutoErrorCheck, 1);
  EXPECT_EQ(std::string(m->WorkDrive), SourceDir());
  EXPECT_FALSE(FileExists(MainIni()));
  EXPECT_FALSE(FileExists(SourceDir() + "@PRE220.INI"));
}

TEST_F(SettingsFilesTest, TheMainFileAsWritten) {
  SetIni(MainIni(), "TWAIN", "DebugSH", "2");
  SetIni(MainIni(), "TWAIN", "ScanMemory", "4096");
  SetIni(MainIni(), "TWAIN", "NearFull", "98x");
  SetIni(MainIni(), "Preference", "PrefRect", "5, 6, 7");
  ReadMainFile(*s, *m, env);
  EXPECT_EQ(m->DebugSH, 2);
  EXPECT_EQ(m->ScanMemory, 8192u);
  EXPECT_EQ(m->NearFull, 215104u);
  EXPECT_EQ(s->PrefRect.Right, 0);
  s->Model = 3;
  s->Units = 2;
  s->PrefRect = SettingsRect{-10, 20, 300, 400};
  memcpy(m->Scanner.Name, "KORVA   WQ490/101       1.00", 28);
  m->Scanner.Address[1] = 1;
  m->Scanner.Address[2] = 2;
  m->Scanner2 = m->Scanner;
  WriteMainFile(*s, *m);
  EXPECT_EQ(GetIni(MainIni(), "Scanner", "Model"), "3");
  EXPECT_EQ(GetIni(MainIni(), "Preference", "Units"), "2");
  EXPECT_EQ(GetIni(MainIni(), "Preference", "PrefRect"), "-10, 20, 300, 400");
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "ScanMemory"), "8192");
  EXPECT_EQ(GetIni(MainIni(), "SCSI", "ScannerName"), "KORVA   WQ490/101       1.00");
  EXPECT_EQ(GetIni(MainIni(), "SCSI", "BoardID2"), "1");
  EXPECT_EQ(GetIni(MainIni(), "SCSI", "TargetLUN"), "0");
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "DebugSH"), "2");  // left as the user wrote it
  RemoveSettingsFiles();
  WriteMainFile(*s, *m);
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "DebugSH"), "<missing>");
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "WQ215"), "<missing>");
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "DebugSCSI"), "<missing>");

  std::unique_ptr<ScanSettings> r(new ScanSettings);
  std::unique_ptr<MainFileValues> rm(new MainFileValues);
  SettingsDefaults(*r, env);
  MainValuesDefaults(*rm, env);
  ReadMainFile(*r, *rm, env);
  EXPECT_EQ(r->Model, 3);
  EXPECT_EQ(r->PrefRect.Left, -10);
  EXPECT_EQ(memcmp(&rm->Scanner, &m->Scanner, sizeof m->Scanner), 0);
}

TEST_F(SettingsFilesTest, PresetAndGammaFilesRoundTrip) {
  s->Model = 1;
  s->Mode = 0x402;
  s->Resolution = 12;
  s->XResoCustom = 777;
  s->MainRect = SettingsRect{1, -2, 3, -4};
  s->ZoomH = 123.456;
  s->ZoomCmV = 1.0 / 3.0;
  s->Brightnes = -127;
  s->OutputWhite[4] = 201;
  s->FilmTone[2][3] = 9;
  s->Range2 = 5;
  CopyString(s->ColorMatchFile, "WQC105.CLM");
  for (int ch = 0; ch < kGammaChannels; ++ch)
    for (int i = 0; i < 256; ++i) {
      s->Curves[ch].Data[i] = uint8_t(255 - ((i * 3 + ch * 17) & 255));
      s->Curves[ch].Points[i] = uint8_t((i + ch) % 5 == 0);
    }
  s->GammaVal[kGammaRGB] = 180;
  CopyString(s->GammaFile, "C:\\MY.GMA");
  WritePresetFile(*s, env);
  WriteGammaFile(*s, env);
  EXPECT_TRUE(FileExists(SourceDir() + "@PRE215.INI"));
  EXPECT_TRUE(FileExists(SourceDir() + "@GMA215.INI"));
  EXPECT_EQ(GetIni(SourceDir() + "@PRE215.INI", "ScanMode", "Mode"), "1026");
  EXPECT_EQ(GetIni(SourceDir() + "@GMA215.INI", "RED", "RGammaD00"),
            "255252249246243240237234");

  std::unique_ptr<ScanSettings> r(new ScanSettings);
  SettingsDefaults(*r, env);
  r->Model = 1;
  ASSERT_TRUE(ReadPresetFile(*r, env));
  ReadGammaFile(*r, env);
  EXPECT_EQ(memcmp(r.get(), s.get(), sizeof *s), 0);

  // Model 4 names no file: nothing is written anywhere.
  RemoveSettingsFiles();
  s->Model = 4;
  WritePresetFile(*s, env);
  WriteGammaFile(*s, env);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((SourceDir() + "@*.INI").c_str(), &fd);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(SettingsFilesTest, DamagedGammaAndRectangleTextsKeepTheirDefaults) {
  const std::string gamma = SourceDir() + "@GMA140.INI";
  SetIni(gamma, "GREEN", "GGammaD03", "12");
  SetIni(gamma, "GREEN", "GGammaD04", "999999999999999999999999");
  SetIni(gamma, "GREEN", "GGammaD05", "010010010010010010010010");
  SetIni(SourceDir() + "@PRE140.INI", "Zoom", "ZoomRect", "1; 2; 3; 4");
  SetIni(SourceDir() + "@PRE140.INI", "Zoom", "ZoomH", "  12.5mm");
  s->Model = 0;
  ASSERT_TRUE(ReadPresetFile(*s, env));
  ReadGammaFile(*s, env);
  EXPECT_EQ(s->Curves[kGammaG].Data[24], 24);
  EXPECT_EQ(s->Curves[kGammaG].Data[32], 32);
  EXPECT_EQ(s->Curves[kGammaG].Data[40], 10);
  EXPECT_EQ(s->ZoomRect.Left, 0);
  EXPECT_EQ(s->ZoomH, 12.5);
}

}  // namespace
}  // namespace wq
