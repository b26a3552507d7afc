// The scanning window's portable logic: menus per model, what commands do
// to the settings and what they ask, the Scan button's checks, the display
// check, placements, measurements and the information texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>

#include "ds/core/session.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/tests/test_host.h"
#include "ds/ui/commands.h"
#include "ds/ui/display_check.h"
#include "ds/ui/info_text.h"
#include "ds/ui/menus.h"
#include "ds/ui/placement.h"
#include "ds/ui/scan_command.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/units.h"
#include "ds/ui/uishell.h"
#include "twain/twain.h"

namespace wq {
namespace {

using test::g_TestHost;

TEST(Menus, EveryCommandOfAModelMapsBackToItsSetting) {
  for (int model = 0; model < 4; ++model) {
    const int* commands;
    const int n = MenuCommands(model, &commands);
    ASSERT_GT(n, 20);
    std::set<int> distinct(commands, commands + n);
    EXPECT_EQ(int(distinct.size()), n) << "model " << model;
    const int resolutions = ResolutionCount(model);
    for (int i = 1; i <= resolutions; ++i) {
      const int c = ResolutionCommand(model, i);
      ASSERT_NE(c, 0);
      EXPECT_EQ(ResolutionIndexOfCommand(model, c), i);
      EXPECT_TRUE(distinct.count(c));
    }
    EXPECT_EQ(ResolutionCommand(model, 0), 0);
    EXPECT_EQ(ResolutionCommand(model, resolutions + 1), 0);
    const int areas = model == 3 ? 10 : 7;
    for (int r = 1; r <= areas; ++r) {
      const int c = AreaCommand(model, r);
      ASSERT_NE(c, 0);
      EXPECT_EQ(AreaRangeOfCommand(model, c), r);
      EXPECT_TRUE(distinct.count(c));
    }
    EXPECT_EQ(AreaCommand(model, areas + 1), 0);
  }
  for (int mode : {0x101, 0x201, 0x301, 0x401, 0x501, 0x102, 0x502, 3, 4, 6})
    EXPECT_EQ(ModeOfCommand(ModeCommand(mode)), mode);
  EXPECT_EQ(ModeCommand(5), 0);
}

TEST(Menus, ResourcePerModelAndLanguage) {
  EXPECT_NE(MenuResourceId(0, false), MenuResourceId(0, true));
  EXPECT_EQ(MenuResourceId(1, false), MenuResourceId(2, false));
  EXPECT_NE(MenuResourceId(0, false), MenuResourceId(3, false));
  EXPECT_EQ(MenuResourceId(4, false), 0);
  EXPECT_EQ(MenuResourceId(-1, true), 0);
}

// The data source's session with settings and a scanner model, without
// windows.
class UiCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDataSource();
    settings.reset(new ScanSettings);
    SettingsDefaults(*settings, g_Env);
    g_Settings = settings.get();
    g_ScanJob.Model = 1;
    g_ScanJob.AdfAvailable = 1;
    g_ScanJob.FsuAvailable = 1;
    g_ScanJob.FsuKind = 1;
    settings->Model = 1;
    g_UiShell = UiShellProcs{};
    ApplyFirstUse(*settings, false);
    RefreshAreaAndSize(*settings);
  }
  void TearDown() override {
    g_Settings = nullptr;
    g_UiShell = UiShellProcs{};
    test::ShutDownDataSource();
  }
  std::unique_ptr<ScanSettings> settings;
};

TEST_F(UiCommands, ChoosingTheActiveSourceAsksNothing) {
  const int active = SourceCommand(*settings, 1);
  ASSERT_EQ(active, CMD_SOURCE_FLATBED);
  const ScanSettings before = *settings;
  const CommandOutcome o = RunMenuCommand(active);
  EXPECT_EQ(o.Effects, 0u);
  EXPECT_TRUE(g_TestHost.messages.empty());
  EXPECT_EQ(memcmp(&before, settings.get(), sizeof before), 0);
}

TEST_F(UiCommands, AnotherSourceAsksFirstAndCancelKeepsEverything) {
  settings->Mode = 3;
  g_TestHost.answers.push_back(kAnswerCancel);
  const CommandOutcome o = RunMenuCommand(CMD_SOURCE_ADF);
  EXPECT_EQ(o.Effects, 0u);
  ASSERT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(g_TestHost.messages[0], 16038);
  EXPECT_EQ(settings->ADF, 0);
  EXPECT_EQ(settings->Mode, 3);
}

TEST_F(UiCommands, ModeChangeNeedsARenderNotAQuestion) {
  settings->Mode = 6;
  const CommandOutcome o = RunMenuCommand(CMD_MODE_GREY);
  EXPECT_EQ(settings->Mode, 3);
  EXPECT_TRUE(o.Effects & kEffectRender);
  EXPECT_TRUE(g_TestHost.messages.empty());
  // The same mode again changes nothing.
  EXPECT_EQ(RunMenuCommand(CMD_MODE_GREY).Effects, 0u);
}

TEST_F(UiCommands, ResolutionWithTheZoomOnAsksToTurnItOff) {
  settings->Resolution = 1;
  settings->ZoomOnOff = 1;
  const int command = ResolutionCommand(1, 3);
  g_TestHost.answers.push_back(kAnswerCancel);
  RunMenuCommand(command);
  ASSERT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(g_TestHost.messages[0], 16031);
  EXPECT_EQ(settings->Resolution, 1);
  EXPECT_EQ(settings->ZoomOnOff, 1);
  RunMenuCommand(command);  // answered OK
  EXPECT_EQ(settings->Resolution, 3);
  EXPECT_EQ(settings->ZoomOnOff, 0);
  // The image size follows: resolution x height / 25.
  const int dpi = TableResolution(1, 3, 0);
  EXPECT_EQ(settings->ImageHeight, dpi * settings->AreaHeight / 25);
}

TEST_F(UiCommands, CustomResolutionOpensItsWindow) {
  // Offered only where the build has the window.
  settings->Resolution = 1;
  EXPECT_EQ(RunMenuCommand(CMD_RES_CUSTOM).OpenTool, -1);
  EXPECT_EQ(settings->Resolution, 1);
  g_UiShell.ToolAvailable = [](int) { return true; };
  const int last = ResolutionCount(1);
  const CommandOutcome o = RunMenuCommand(CMD_RES_CUSTOM);
  EXPECT_EQ(settings->Resolution, last);
  EXPECT_EQ(o.OpenTool, kToolResolution);
}

TEST_F(UiCommands, ZoomStartsAtTheImageSizeWithItsScale) {
  g_UiShell.ToolAvailable = [](int) { return true; };
  ASSERT_GT(settings->ImageWidth, 0);
  const CommandOutcome o = RunMenuCommand(CMD_ZOOM_ON);
  EXPECT_EQ(o.OpenTool, kToolZoom);
  EXPECT_EQ(settings->ZoomOnOff, 1);
  EXPECT_EQ(settings->ZoomWidth, settings->ImageWidth);
  EXPECT_EQ(settings->ZoomHeight, settings->ImageHeight);
  EXPECT_DOUBLE_EQ(settings->ZoomH, 100.0);
  EXPECT_DOUBLE_EQ(settings->ZoomV, 100.0);
  EXPECT_NEAR(settings->ZoomInchH, double(settings->AreaWidth) / 25, 0.05);
  RunMenuCommand(CMD_ZOOM_OFF);
  EXPECT_EQ(settings->ZoomOnOff, 0);
}

TEST_F(UiCommands, TheWindowGivesAFreshThresholdAValue) {
  for (int bad : {-1, 0, 255}) {
    settings->ThresholdW = int16_t(bad);
    SettleForWindow(*settings);
    EXPECT_EQ(settings->ThresholdW, 128) << bad;
  }
  for (int good : {1, 77, 254}) {
    settings->ThresholdW = int16_t(good);
    SettleForWindow(*settings);
    EXPECT_EQ(settings->ThresholdW, good);
  }
}

TEST_F(UiCommands, AreaPresetSetsThePaperRectangle) {
  const int range = AreaRangeOfCommand(1, CMD_AREA_B5);
  ASSERT_GT(range, 0);
  RunMenuCommand(CMD_AREA_B5);
  AreaRect paper;
  ASSERT_TRUE(PaperRect(1, range, &paper));
  EXPECT_EQ(settings->Range2, range);
  EXPECT_EQ(settings->AreaWidth, paper.Right - paper.Left);
  EXPECT_EQ(settings->AreaHeight, paper.Bottom - paper.Top);
}

TEST_F(UiCommands, ScanRefusesMoreThan32767Lines) {
  // A custom resolution of 25 dpi: one line per area unit.
  settings->Resolution = int16_t(ResolutionCount(1));
  settings->XResoCustom = settings->YResoCustom = 25;
  settings->AreaHeight = 32768;
  EXPECT_EQ(RunScanCommand(), kScanTooLong);
  ASSERT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(g_TestHost.messages[0], 16027);
  EXPECT_EQ(settings->ScanRunning, 0);
  EXPECT_NE(g_Session.State, 6);

  settings->AreaHeight = 32767;
  EXPECT_EQ(OutputLines(*settings), 32768) << "not yet recomputed";
  EXPECT_EQ(RunScanCommand(), kScanStarted);
  EXPECT_EQ(settings->ImageHeight, 32767);
  EXPECT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(g_Session.State, 6);
  ASSERT_FALSE(g_TestHost.managerCalls.empty());
  EXPECT_EQ(g_TestHost.managerCalls.back(), MSG_XFERREADY);
  // A second press while the scan runs is ignored.
  EXPECT_EQ(RunScanCommand(), kScanIgnored);
}

TEST_F(UiCommands, ZoomedHeightCountsForTheLimit) {
  settings->ZoomOnOff = 1;
  settings->ZoomHeight = 40000;
  EXPECT_EQ(RunScanCommand(), kScanTooLong);
  settings->ZoomHeight = 300;
  EXPECT_EQ(RunScanCommand(), kScanStarted);
}

bool g_InvalidTool;
TEST_F(UiCommands, AnInvalidToolEntryStopsTheScan) {
  g_UiShell.ToolWindowsValid = [] { return !g_InvalidTool; };
  g_InvalidTool = true;
  EXPECT_EQ(RunScanCommand(), kScanInvalidEntry);
  EXPECT_EQ(settings->ScanRunning, 0);
  EXPECT_TRUE(g_TestHost.managerCalls.empty());
  g_InvalidTool = false;
  EXPECT_EQ(RunScanCommand(), kScanStarted);
}

TEST(DisplayCheck, AChangeResetsPlacementsAndOpenFlags) {
  std::unique_ptr<ScanSettings> s(new ScanSettings{});
  MainFileValues main{};
  main.FontHeight = 16;
  main.MoniterWidth = 1024;
  main.MoniterHeight = 768;
  s->ZoomRect = {10, 20, 200, 300};
  s->PrefRect = {1, 2, 3, 4};
  s->MainRect = {5, 6, 70, 80};
  s->ZoomOpen = 1;
  s->PrefOpen = 1;
  s->GammaOpen = 1;
  // The same display keeps everything.
  EXPECT_FALSE(CheckDisplay({0, 16, 1024, 768}, main, *s));
  EXPECT_EQ(s->ZoomRect.Right, 200);
  EXPECT_EQ(s->ZoomOpen, 1);
  // Another width.
  EXPECT_TRUE(CheckDisplay({0, 16, 1280, 768}, main, *s));
  EXPECT_EQ(main.MoniterWidth, 1280);
  EXPECT_FALSE(PlacementSaved(s->ZoomRect));
  EXPECT_FALSE(PlacementSaved(s->PrefRect));
  EXPECT_FALSE(PlacementSaved(s->MainRect));
  EXPECT_EQ(s->ZoomOpen, 0);
  EXPECT_EQ(s->PrefOpen, 0);
  EXPECT_EQ(s->GammaOpen, 0);
  // Another font size alone counts too.
  s->ZoomOpen = 1;
  EXPECT_TRUE(CheckDisplay({0, 20, 1280, 768}, main, *s));
  EXPECT_EQ(s->ZoomOpen, 0);
  EXPECT_TRUE(IsPaletteDisplay(256));
  EXPECT_TRUE(IsPaletteDisplay(16));
  EXPECT_FALSE(IsPaletteDisplay(0));
  EXPECT_FALSE(IsPaletteDisplay(65536));
}

TEST(Placement, WindowsStayOnTheScreen) {
  const ScreenRect screen{0, 0, 1024, 768};
  ScreenRect r = KeepOnScreen({1000, 700, 1100, 800}, screen);
  EXPECT_EQ(r.Left, 924);
  EXPECT_EQ(r.Top, 668);
  EXPECT_EQ(r.Right - r.Left, 100);
  r = KeepOnScreen({-50, -5, 50, 95}, screen);
  EXPECT_EQ(r.Left, 0);
  EXPECT_EQ(r.Top, 0);
  // Larger than the screen: the left and top edges stay visible.
  r = KeepOnScreen({300, 300, 1500, 1300}, screen);
  EXPECT_EQ(r.Left, 0);
  EXPECT_EQ(r.Top, 0);
  // Unsaved (no area): the default place.
  r = PlaceWindow({0, 0, 0, 0}, 200, 100, 40, 50, screen);
  EXPECT_EQ(r.Left, 40);
  EXPECT_EQ(r.Top, 50);
  r = PlaceWindow({300, 200, 500, 300}, 200, 100, 40, 50, screen);
  EXPECT_EQ(r.Left, 300);
  EXPECT_EQ(r.Bottom, 300);
}

TEST(Placement, PreviewFrameScale) {
  int w, h;
  PreviewFrameSize(1, {0, 0, 215, 300}, &w, &h);
  EXPECT_EQ(w, 172);
  EXPECT_EQ(h, 240);
  PreviewFrameSize(3, {0, 0, 300, 450}, &w, &h);
  EXPECT_EQ(w, 180);
  EXPECT_EQ(h, 270);
}

TEST(Units, TextAndBack) {
  char buf[32];
  FormatHundredths(5, ",", buf, sizeof buf);
  EXPECT_STREQ(buf, "0,05");
  FormatHundredths(-1234, ".", buf, sizeof buf);
  EXPECT_STREQ(buf, "-12.34");
  int64_t v;
  EXPECT_TRUE(ParseHundredths(" 8.5 ", ".", &v));
  EXPECT_EQ(v, 850);
  EXPECT_TRUE(ParseHundredths("8,509", ",", &v));
  EXPECT_EQ(v, 850);
  EXPECT_TRUE(ParseHundredths("-0.01", ".", &v));
  EXPECT_EQ(v, -1);
  for (const char* bad : {"", " ", "1.2.3", "1,5", "abc", "1e3", "-", "."})
    EXPECT_FALSE(ParseHundredths(bad, ".", &v)) << bad;
  EXPECT_TRUE(ParseWhole("  640 ", &v));
  EXPECT_EQ(v, 640);
  EXPECT_FALSE(ParseWhole("6.4", &v));
  // 1/25 inch: 25 units are an inch, 2.54 cm, 300 pixels at 300 dpi.
  EXPECT_EQ(AreaUnitsToDisplay(25, kUnitInches, 300), 100);
  EXPECT_EQ(AreaUnitsToDisplay(25, kUnitCm, 300), 254);
  EXPECT_EQ(AreaUnitsToDisplay(25, kUnitPixels, 300), 300);
  EXPECT_EQ(DisplayToAreaUnits(254, kUnitCm, 300), 25);
  EXPECT_EQ(DisplayToAreaUnits(100, kUnitInches, 0), 25);
  EXPECT_EQ(DisplayToAreaUnits(300, kUnitPixels, 300), 25);
}

TEST(InfoText, BitmapBytesAndTheirText) {
  std::unique_ptr<ScanSettings> s(new ScanSettings{});
  s->ImageWidth = 101;
  s->ImageHeight = 10;
  s->Mode = 0x101;  // 1 bit: 13 bytes -> 16 a row
  EXPECT_EQ(OutputBytes(*s), 160u);
  s->Mode = 3;  // 8 bits: 101 -> 104
  EXPECT_EQ(OutputBytes(*s), 1040u);
  s->Mode = 6;  // 24 bits: 303 -> 304
  EXPECT_EQ(OutputBytes(*s), 3040u);
  s->ZoomOnOff = 1;
  s->ZoomWidth = 1;
  s->ZoomHeight = 1;
  EXPECT_EQ(OutputBytes(*s), 4u);
  char buf[32];
  ImageSizeText(0, "---", buf, sizeof buf);
  EXPECT_STREQ(buf, "---");
  ImageSizeText(1, "---", buf, sizeof buf);
  EXPECT_STREQ(buf, "1 KB");
  ImageSizeText(1024 * 1024 + 52429, "---", buf, sizeof buf);
  EXPECT_STREQ(buf, "1.1 MB");
}

}  // namespace
}  // namespace wq
