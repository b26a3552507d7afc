// The Threshold and Lightness windows through the TWAIN manager on the
// virtual bus, driven as a user drives them (the slider's thumb dragged and
// its track clicked, numbers typed): the preview on the screen after the
// 500 ms refresh and the pages scanned afterwards are held against the same
// area scanned in grey at the default values; typed values out of range,
// Cancel and Default, the windows following a change of mode and of the
// interactive preview, and the values in the preset file after Scan.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ds/tests/win/screen_pixels.h"
#include "ds/tests/win/ui_fixture.h"

namespace wq {
namespace {

using namespace uitest;

// The WQ220's preview frame: its 213 x 350 units of bed at 4 frame pixels
// per 5 units, 8 pixels in from the preview window's client corner.
constexpr RECT kPreviewFrame{8, 8, 8 + 170, 8 + 280};
constexpr int kAreaWidth = 256, kAreaHeight = 100;

std::string PresetIni() { return SourceDir() + "@PRE220.INI"; }

bool White(uint32_t p) { return p == 0xFFFFFF; }

class ThresholdTest : public UiFixture {
 protected:
  // The window, grey without a curve (the scanner's tables are straight
  // lines), a 4 x 5 inch area at 100 dpi, and a preview.
  void OpenWindow(bool preview = true) {
    ASSERT_EQ(Open(), TWRC_SUCCESS);
    ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
    main = MainWindow();
    ASSERT_NE(main, nullptr);
    Choose(main, CMD_ADJUST_NONE);
    Choose(main, CMD_MODE_GREY);
    Choose(main, CMD_RES_100);
    Choose(main, CMD_AREA_4X5);
    previewWindow = FindWindowW(L"PreviewWndClass32", nullptr);
    ASSERT_NE(previewWindow, nullptr);
    if (preview) TakePreview();
  }
  // A preview by the main window's button, or by another window's.
  void TakePreview(HWND window = nullptr, int button = IDC_PREVIEW) {
    TakePreviewBy(window ? window : main, button);
  }
  void CloseAll() {
    if (app.SourceOpen) {
      Disable();
      Close();
    }
  }
  // A tool window opened from the "More Settings" menu, kept clear of the
  // preview so that the screen shows both.
  HWND OpenTool(int command, int control) {
    Choose(main, command);
    HWND w = WindowWith(control);
    if (!w) return nullptr;
    RECT t, p, both;
    GetWindowRect(w, &t);
    GetWindowRect(previewWindow, &p);
    if (IntersectRect(&both, &t, &p))
      SetWindowPos(w, nullptr, p.right + 4, t.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump(200);
    return w;
  }
  ScreenPixels Preview() { return CaptureClient(previewWindow, kPreviewFrame); }
  // The histogram area of the Threshold window, from the screen.
  ScreenPixels Histogram(HWND dialog) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, IDC_THRESH_HISTOGRAM), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return CaptureClient(dialog, r);
  }
  // The marker at `level`: dashes in a column above the histogram's bars,
  // which stay low beside the paper's white.
  static bool MarkerAt(const ScreenPixels& area, int level) {
    int dark = 0, light = 0;
    for (int y = 0; y < 40; ++y) (White(area.At(level, y)) ? light : dark)++;
    return dark >= 10 && light >= 10;
  }
  // A point of the slider's value `v` on the screen: one pixel a value
  // from 8 pixels in.
  POINT SliderAt(HWND dialog, int v) {
    RECT r;
    HWND slider = GetDlgItem(dialog, IDC_THRESH_SLIDER);
    GetClientRect(slider, &r);
    POINT p{8 + v, 6};
    ClientToScreen(slider, &p);
    return p;
  }
  // A press on a standard scroll bar runs the bar's own loop until the
  // button comes up: another hand lets go before the bar repeats.
  void ClickHeld(POINT p) { PressHeld(p, p, 100, 0, 200); }
  // The page the Scan button delivers; an empty page when the source
  // refused to scan.
  test::RgbPage ScanPage(TW_UINT16* bits = nullptr, DWORD wait = 20000) {
    return ScanPageOf(main, bits, wait);
  }
  HWND main = nullptr;
  HWND previewWindow = nullptr;
};

// Mismatching pixels of `page` against white where `white` says so.
template <typename Rule>
int Mismatches(const test::RgbPage& page, Rule white) {
  int wrong = 0;
  for (uint32_t y = 0; y < page.Height; ++y)
    for (uint32_t x = 0; x < page.Width; ++x)
      if ((page.At(x, y)[0] == 255) != white(x, y)) ++wrong;
  return wrong;
}

TEST_F(ThresholdTest, TheLevelShowsOnThePreviewAndInThePagesWithTheExposure) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  const ScreenPixels grey = Preview();
  // The pages at the default values: the scanner's grey g.
  const test::RgbPage base = ScanPage();
  ASSERT_EQ(base.Width, 400u);
  ASSERT_EQ(base.Height, 500u);

  // Lightness +20 % on W (grey): the scanner multiplies by 120 / 100
  // before its (straight) curve, so each pixel is min(255, g x 120 / 100).
  HWND light = OpenTool(CMD_LIGHTNESS, IDC_LIGHT_LOCK);
  ASSERT_NE(light, nullptr);
  TypeInto(light, IDC_LIGHT_EDIT_W, L"20");
  EXPECT_EQ(GetScrollPos(GetDlgItem(light, IDC_LIGHT_BAR_W), SB_CTL), 60);
  const test::RgbPage bright = ScanPage();
  ASSERT_EQ(bright.Width, base.Width);
  int wrong = 0;
  for (size_t i = 0; i < base.Rgb.size(); ++i)
    if (bright.Rgb[i] != std::min(255, base.Rgb[i] * 120 / 100)) ++wrong;
  EXPECT_EQ(wrong, 0) << "pixels off min(255, g x 1.2)";
  EXPECT_EQ(GetIni(PresetIni(), "Lightness", "ExposureW"), "60");

  // Black and white by threshold, the level dragged from 128 to 100.
  Choose(main, CMD_MODE_MONO_THRESHOLD);
  HWND dialog = OpenTool(CMD_THRESHOLD, IDC_THRESH_SLIDER);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindow(light)) << "black and white has a W exposure too";
  EXPECT_EQ(Text(dialog, IDC_THRESH_EDIT), L"128");
  EXPECT_TRUE(MarkerAt(Histogram(dialog), 128));
  Drag(SliderAt(dialog, 128), SliderAt(dialog, 100), 7);
  EXPECT_EQ(Text(dialog, IDC_THRESH_EDIT), L"100");
  const ScreenPixels moved = Histogram(dialog);
  ASSERT_EQ(moved.Width, kAreaWidth);
  ASSERT_EQ(moved.Height, kAreaHeight);
  EXPECT_TRUE(MarkerAt(moved, 100));
  EXPECT_FALSE(MarkerAt(moved, 128)) << "the old marker stays";
  Pump(900);
  // The screen's grey, unchanged by the threshold mode's tables, white
  // from 100 up.
  const ScreenPixels shown = Preview();
  ASSERT_EQ(shown.Pixels.size(), grey.Pixels.size());
  wrong = 0;
  for (size_t i = 0; i < grey.Pixels.size(); ++i)
    if (White(shown.Pixels[i]) != (RedOf(grey.Pixels[i]) >= 100)) ++wrong;
  EXPECT_EQ(wrong, 0) << "preview pixels against grey >= 100";

  // The scanner's black and white: white where its exposed grey reaches
  // the level, min(255, g x 1.2) >= 100.
  TW_UINT16 bits = 0;
  const test::RgbPage bw = ScanPage(&bits);
  EXPECT_EQ(bits, 1);
  ASSERT_EQ(bw.Width, base.Width);
  EXPECT_EQ(Mismatches(bw, [&](uint32_t x, uint32_t y) { return bright.At(x, y)[0] >= 100; }), 0);
  EXPECT_EQ(GetIni(PresetIni(), "Threshold", "ThresholdW"), "100");

  // A click on the track puts the thumb there; Cancel puts back the level
  // of the last preset file (the Scan), Default 128, and the preview follows.
  ClickAt(SliderAt(dialog, 160));
  EXPECT_EQ(Text(dialog, IDC_THRESH_EDIT), L"160");
  Pump(900);
  const ScreenPixels at160 = Preview();
  Click(dialog, IDCANCEL);
  Pump(900);
  EXPECT_EQ(Text(dialog, IDC_THRESH_EDIT), L"100");
  EXPECT_TRUE(Preview().Pixels == shown.Pixels) << "Cancel did not bring back the preview at 100";
  EXPECT_FALSE(at160.Pixels == shown.Pixels);
  Click(dialog, IDC_THRESH_DEFAULT);
  Pump(900);
  EXPECT_EQ(Text(dialog, IDC_THRESH_EDIT), L"128");
  EXPECT_TRUE(MarkerAt(Histogram(dialog), 128));

  // Grey again: the Threshold window has nothing to set and goes.
  Choose(main, CMD_MODE_GREY);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(IsWindow(light));
  CloseAll();
}

TEST_F(ThresholdTest, TypedLevelsOutOfRangeAreStoredNotDrawnAndRefused) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  Choose(main, CMD_MODE_MONO_THRESHOLD);
  HWND dialog = OpenTool(CMD_THRESHOLD, IDC_THRESH_SLIDER);
  ASSERT_NE(dialog, nullptr);
  TypeInto(dialog, IDC_THRESH_EDIT, L"90");
  Pump(900);
  const ScreenPixels at90 = Preview();
  EXPECT_TRUE(MarkerAt(Histogram(dialog), 90));
  // The marker follows the valid numbers on the way: "9" as "90" is rubbed
  // out, "2" and "25" as "255" is typed.
  const struct {
    const wchar_t* typed;
    int marker;
  } cases[] = {{L"0", 9}, {L"255", 25}};
  for (const auto& c : cases) {
    const std::string name = Utf8(c.typed);
    TypeInto(dialog, IDC_THRESH_EDIT, c.typed);
    EXPECT_FALSE(Refused(dialog, IDC_THRESH_EDIT)) << "refused before the timer";
    Pump(900);
    EXPECT_TRUE(Refused(dialog, IDC_THRESH_EDIT)) << name;
    EXPECT_TRUE(Preview().Pixels == at90.Pixels) << name << " reached the preview";
    const ScreenPixels area = Histogram(dialog);
    EXPECT_TRUE(MarkerAt(area, c.marker)) << name;
    EXPECT_FALSE(MarkerAt(area, 0)) << name;
    // Stored: the window will not close over it, and Scan is refused.
    EXPECT_FALSE(CloseBox(dialog)) << name;
    EXPECT_TRUE(ScanPage(nullptr, 1500).Rgb.empty()) << name;
    EXPECT_TRUE(Refused(dialog, IDC_THRESH_EDIT)) << name;
  }
  // A valid value clears it: no refusal after the timer, the window closes
  // and keeps its place and open flag for the next time.
  // While the window is active the keyboard takes a number's keys only.
  TypeInto(dialog, IDC_THRESH_EDIT, L"2x00");
  EXPECT_EQ(Text(dialog, IDC_THRESH_EDIT), L"200");
  Pump(900);
  EXPECT_FALSE(Refused(dialog, IDC_THRESH_EDIT));
  EXPECT_TRUE(MarkerAt(Histogram(dialog), 200));
  EXPECT_FALSE(Preview().Pixels == at90.Pixels);
  RECT placed;
  GetWindowRect(dialog, &placed);
  ASSERT_TRUE(CloseBox(dialog));
  dialog = OpenTool(CMD_THRESHOLD, IDC_THRESH_SLIDER);
  ASSERT_NE(dialog, nullptr);
  RECT again;
  GetWindowRect(dialog, &again);
  EXPECT_EQ(again.left, placed.left);
  EXPECT_EQ(again.top, placed.top);
  EXPECT_EQ(Text(dialog, IDC_THRESH_EDIT), L"200");
  CloseAll();
}

TEST_F(ThresholdTest, ExposureEditsFollowTheModeTheLockAndTheRange) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(false));
  Choose(main, CMD_MODE_FULL);
  HWND light = OpenTool(CMD_LIGHTNESS, IDC_LIGHT_LOCK);
  ASSERT_NE(light, nullptr);
  EXPECT_EQ(Text(light, IDC_LIGHT_MIN), L"Min -40");
  EXPECT_EQ(Text(light, IDC_LIGHT_MAX), L"Max +1000");
  auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(light, id)) != FALSE; };
  EXPECT_TRUE(enabled(IDC_LIGHT_EDIT_R) && enabled(IDC_LIGHT_BAR_B) && enabled(IDC_LIGHT_LOCK));
  EXPECT_FALSE(enabled(IDC_LIGHT_EDIT_W) || enabled(IDC_LIGHT_BAR_W));
  // Locked (the default): G and B follow R, typed or scrolled.
  TypeInto(light, IDC_LIGHT_EDIT_R, L"-40");
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_G), L"-40");
  EXPECT_EQ(GetScrollPos(GetDlgItem(light, IDC_LIGHT_BAR_B), SB_CTL), 0);
  EXPECT_TRUE(CloseBox(light)) << "-40 is exposure 0, the minimum";
  light = OpenTool(CMD_LIGHTNESS, IDC_LIGHT_LOCK);
  ASSERT_NE(light, nullptr);
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_B), L"-40");
  TypeInto(light, IDC_LIGHT_EDIT_R, L"-41");
  EXPECT_FALSE(CloseBox(light)) << "-41 is exposure -1";
  EXPECT_TRUE(Refused(light, IDC_LIGHT_EDIT_R));
  // Unlocked: each channel its own; 1001 lies above the maximum.
  ClickAt(CentreOf(light, IDC_LIGHT_LOCK));
  EXPECT_EQ(SendDlgItemMessageW(light, IDC_LIGHT_LOCK, BM_GETCHECK, 0, 0), 0);
  TypeInto(light, IDC_LIGHT_EDIT_R, L"1000");
  TypeInto(light, IDC_LIGHT_EDIT_G, L"1001");
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_R), L"1000");
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_B), L"-41");
  TypeInto(light, IDC_LIGHT_EDIT_B, L"5");
  EXPECT_FALSE(CloseBox(light));
  EXPECT_TRUE(Refused(light, IDC_LIGHT_EDIT_G));
  EXPECT_TRUE(ScanPage(nullptr, 1500).Rgb.empty()) << "scanned with an exposure out of range";
  // The lock again: G and B take R's number.
  ClickAt(CentreOf(light, IDC_LIGHT_LOCK));
  EXPECT_EQ(SendDlgItemMessageW(light, IDC_LIGHT_LOCK, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_G), L"1000");
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_B), L"1000");
  EXPECT_EQ(GetScrollPos(GetDlgItem(light, IDC_LIGHT_BAR_G), SB_CTL), 1040);
  // A click on the track left of the thumb is a page, a tenth of the
  // maximum, down: 1040 - 104 for all three.
  RECT bar;
  GetWindowRect(GetDlgItem(light, IDC_LIGHT_BAR_B), &bar);
  ClickHeld(POINT{(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2});
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_R), L"896");
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_B), L"896");
  EXPECT_TRUE(CloseBox(light));

  // Grey while the window is open: W only, the window stays.
  light = OpenTool(CMD_LIGHTNESS, IDC_LIGHT_LOCK);
  ASSERT_NE(light, nullptr);
  Choose(main, CMD_MODE_GREY);
  ASSERT_TRUE(IsWindow(light));
  EXPECT_FALSE(enabled(IDC_LIGHT_EDIT_R) || enabled(IDC_LIGHT_BAR_G) || enabled(IDC_LIGHT_LOCK));
  EXPECT_TRUE(enabled(IDC_LIGHT_EDIT_W) && enabled(IDC_LIGHT_BAR_W));
  TypeInto(light, IDC_LIGHT_EDIT_W, L"-41");
  EXPECT_FALSE(CloseBox(light));
  EXPECT_TRUE(Refused(light, IDC_LIGHT_EDIT_W));
  // Cancel: the preset file's values (none written yet: the defaults).
  Click(light, IDCANCEL);
  Pump(200);
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_W), L"0");
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_R), L"896") << "grey Cancel touches W only";
  Choose(main, CMD_MODE_FULL);
  Click(light, IDC_LIGHT_DEFAULT);
  Pump(200);
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_R), L"0");
  EXPECT_EQ(Text(light, IDC_LIGHT_EDIT_G), L"0");
  EXPECT_EQ(SendDlgItemMessageW(light, IDC_LIGHT_LOCK, BM_GETCHECK, 0, 0), 1);
  EXPECT_TRUE(CloseBox(light));
  CloseAll();
}

// "Apply" is there for the interactive preview; without it the histogram
// shows only for the mode of the last preview and the threshold never
// redraws the preview.
TEST_F(ThresholdTest, InteractiveOffLeavesHistogramWhiteAndPreviewAlone) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  HWND light = OpenTool(CMD_LIGHTNESS, IDC_LIGHT_LOCK);
  ASSERT_NE(light, nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(light, IDC_LIGHT_APPLY)));
  // Apply takes a new preview with W at +50 %: a brighter screen.
  const ScreenPixels before = Preview();
  TypeInto(light, IDC_LIGHT_EDIT_W, L"50");
  TakePreview(light, IDC_LIGHT_APPLY);
  const ScreenPixels after = Preview();
  // The scanner's exposure darkens nothing and lifts the greys of the
  // ramp (a saturated colour bar stays as it is).
  int mid = 0, lifted = 0, darker = 0;
  for (size_t i = 0; i < before.Pixels.size(); ++i) {
    const int was = RedOf(before.Pixels[i]), now = RedOf(after.Pixels[i]);
    if (now < was) ++darker;
    if (was < 20 || was > 170) continue;
    ++mid;
    if (now > was) ++lifted;
  }
  EXPECT_EQ(darker, 0);
  EXPECT_GT(mid, 100);
  EXPECT_GT(lifted, mid / 3);

  // With the zoom preview's window up, Apply takes the zoom preview again
  // (into the same window; the old images go first, so nothing is asked).
  ClickAt(CentreOf(main, IDC_ZOOM_PREVIEW));
  HWND zoom = nullptr;
  for (int i = 0; i < 100 && !(zoom = FindWindowW(L"PreOutWndClass32", nullptr)); ++i) Pump(100);
  ASSERT_NE(zoom, nullptr);
  Pump(300);
  RECT client;
  GetClientRect(zoom, &client);
  RECT zr;
  GetWindowRect(zoom, &zr);
  SetWindowPos(light, HWND_TOP, 0, zr.bottom + 4, 0, 0, SWP_NOSIZE);
  Pump(200);
  const ScreenPixels zoomBefore = CaptureClient(zoom, client);
  TypeInto(light, IDC_LIGHT_EDIT_W, L"150");
  ASSERT_EQ(WindowFromPoint(CentreOf(light, IDC_LIGHT_APPLY)), GetDlgItem(light, IDC_LIGHT_APPLY));
  ClickAt(CentreOf(light, IDC_LIGHT_APPLY));
  Pump(2000);
  EXPECT_EQ(FindWindowW(L"PreOutWndClass32", nullptr), zoom);
  EXPECT_FALSE(IsWindowVisible(previewWindow));
  const ScreenPixels zoomAfter = CaptureClient(zoom, client);
  ASSERT_EQ(zoomAfter.Pixels.size(), zoomBefore.Pixels.size());
  lifted = darker = 0;
  for (size_t i = 0; i < zoomBefore.Pixels.size(); ++i) {
    const int was = RedOf(zoomBefore.Pixels[i]), now = RedOf(zoomAfter.Pixels[i]);
    lifted += now > was;
    darker += now < was;
  }
  EXPECT_GT(lifted, 100);
  EXPECT_LT(darker, lifted / 20) << "the zoom preview is not brighter";
  // Back to the preview window.
  ClickAt(CentreOf(main, IDC_PREVIEW_SWITCH));
  Pump(300);
  ASSERT_TRUE(IsWindowVisible(previewWindow));

  Click(main, IDC_PREF_BUTTON);
  Pump(300);
  HWND pref = WindowWith(IDC_PREF_INTERACTIVE);
  ASSERT_NE(pref, nullptr);
  ClickAt(CentreOf(pref, IDC_PREF_INTERACTIVE));
  ASSERT_EQ(SendDlgItemMessageW(pref, IDC_PREF_INTERACTIVE, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(light, IDC_LIGHT_APPLY)));
  ASSERT_TRUE(CloseBox(pref));

  // The preview was grey: in black and white the area stays white but
  // for the marker.
  Choose(main, CMD_MODE_MONO_THRESHOLD);
  HWND dialog = OpenTool(CMD_THRESHOLD, IDC_THRESH_SLIDER);
  ASSERT_NE(dialog, nullptr);
  const ScreenPixels blank = Histogram(dialog);
  int marks = 0, bars = 0;
  for (int y = 0; y < kAreaHeight; ++y)
    for (int x = 0; x < kAreaWidth; ++x)
      if (!White(blank.At(x, y))) ++(x == 128 ? marks : bars);
  EXPECT_GT(marks, 20);
  EXPECT_EQ(bars, 0) << "a histogram for another mode than the preview's";
  const ScreenPixels still = Preview();
  Drag(SliderAt(dialog, 128), SliderAt(dialog, 60), 6);
  EXPECT_EQ(Text(dialog, IDC_THRESH_EDIT), L"60");
  Pump(900);
  EXPECT_TRUE(Preview().Pixels == still.Pixels) << "redrawn without the interactive preview";
  // A preview in this mode: its histogram shows.
  TakePreview();
  const ScreenPixels drawn = Histogram(dialog);
  int columns = 0;
  for (int x = 0; x < kAreaWidth; ++x)
    if (x != 60 && !White(drawn.At(x, kAreaHeight - 1))) ++columns;
  EXPECT_GT(columns, 10);
  CloseAll();
}

}  // namespace
}  // namespace wq
