// The "Image Adjust" window driven as a user drives it, through Wine's TWAIN
// manager on the virtual bus, with a preview taken and the linear curve (so
// that the preview shows the raw scan): the preview's pixels after each
// change equal the pixels before it passed through tables this test
// computes from the values the window shows, and a scanned page equals the
// page scanned before passed through the same tables. Brightness and
// contrast by a dragged thumb and a typed number; the levels by dragged
// thumbs and typed numbers, 16037 with its range after 500 ms, the check on
// a tab change, "Cancel" and "Auto"; the pickers on the preview.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "ds/tests/win/screen_pixels.h"
#include "ds/tests/win/ui_fixture.h"

namespace wq {
namespace {

using namespace uitest;

// The WQ220's bed (213 x 350 units) in the preview window: 4 frame pixels
// per 5 units, 8 pixels in from the client corner.
constexpr RECT kFrame{8, 8, 8 + 170, 8 + 280};
// The selection the tests drag, in frame pixels; its dotted outline and
// handles are drawn over the preview and take no table.
constexpr RECT kSelection{40, 80, 120, 200};

using Table = std::vector<int>;  // 256 entries

// Levels as a scan makes them: below the input black the output black,
// above the input white the output white, between a straight line with a
// single-precision slope, truncated.
Table Levels(int ib, int iw, int ob, int ow) {
  Table t(256);
  const int span = iw - ib < 1 ? 1 : iw - ib;
  const float slope = float(ow - ob) / float(span);
  for (int v = 0; v < 256; ++v) {
    if (v <= ib) t[size_t(v)] = ob;
    else if (v >= iw) t[size_t(v)] = ow;
    else t[size_t(v)] = std::min(255, int(float(v - ib) * slope + float(ob)));
  }
  return t;
}

// Brightness and contrast: the contrast turns the line's angle from 45
// degrees toward atan(255) (or toward its mirror), the brightness moves it
// up or down around the middle.
Table BrightnessContrast(int b, int c) {
  Table t(256);
  const double pi = std::acos(-1.0);
  const double steepest = std::atan(255.0) * 180.0 / pi;
  const double slope = std::tan(((c / 127.0) * (steepest - 45.0) + 45.0) * pi / 180.0);
  const double offset = b * (255.0 - (1.0 - slope) * 128.0) / 127.0 + (1.0 - slope) * 128.0;
  for (int i = 0; i < 256; ++i) {
    const double v = i * slope + offset;
    t[size_t(i)] = v < 0 ? 0 : v > 255 ? 255 : int(v);
  }
  return t;
}

bool OnSelectionOutline(int x, int y) {
  auto within = [](int a, int b) { return a >= b - 3 && a <= b + 3; };
  const bool inX = x >= kSelection.left - 3 && x <= kSelection.right + 3;
  const bool inY = y >= kSelection.top - 3 && y <= kSelection.bottom + 3;
  return (inX && (within(y, kSelection.top) || within(y, kSelection.bottom - 1))) ||
         (inY && (within(x, kSelection.left) || within(x, kSelection.right - 1)));
}

// A control of the window or of one of its pages.
HWND g_Sought;
int g_SoughtId;
BOOL CALLBACK FindControl(HWND w, LPARAM) {
  if (GetDlgCtrlID(w) == g_SoughtId) {
    g_Sought = w;
    return FALSE;
  }
  return TRUE;
}
HWND Control(HWND window, int id) {
  g_Sought = nullptr;
  g_SoughtId = id;
  EnumChildWindows(window, FindControl, 0);
  return g_Sought;
}

class AdjustTest : public UiFixture {
 protected:
  // The source's window at 100 dpi with the linear curve, a whole-bed
  // preview, the selection dragged on it, and "Image Adjust" open.
  void OpenWindow(int modeCommand) {
    ASSERT_NO_FATAL_FAILURE(OpenWithLinearPreview(modeCommand, CMD_RES_100, &main, &preview));
    ClickAt(At(165, 272));  // below the paper: no selection
    Drag(At(kSelection.left, kSelection.top), At(kSelection.right - 1, kSelection.bottom - 1));
    Choose(main, CMD_IMAGE_ADJUST);
    adjust = WindowWith(IDC_ADJUST_TAB_LEVELS);
    ASSERT_NE(adjust, nullptr);
    Pump(300);
  }
  POINT At(int x, int y) const { return OnScreen(preview, kFrame.left + x, kFrame.top + y); }
  HWND Item(int id) { return Control(adjust, id); }
  std::wstring Value(int id) {
    wchar_t text[32] = L"";
    GetWindowTextW(Item(id), text, 32);
    return text;
  }
  int Number(int id) { return std::stoi(Value(id)); }
  bool Checked(int id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) != 0; }
  // Replaces an edit's text as typed: the caret to the end, the old text
  // deleted, the new typed.
  void TypeInto(int id, const wchar_t* text) {
    ClickAt(CentreOf(GetParent(Item(id)), id));
    for (int i = 0; i < 5; ++i) Key(VK_RIGHT, true);
    for (int i = 0; i < 5; ++i) Key(VK_BACK);
    Type(text);
  }
  // A drag the system tracks in a loop of its own inside the button's
  // message (a scroll bar's thumb): another hand moves and lets go.
  void DragAside(POINT from, POINT to) {
    PressHeld(from, to, 300, 80, 900);
    Pump(200);
  }
  ScreenPixels Shot() {
    SetWindowPos(preview, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump(100);
    return CaptureClient(preview, kFrame);
  }
  // After the 500 ms refresh: every preview pixel off the selection's
  // outline is the one before through the channel's table.
  void ExpectPreview(const ScreenPixels& before, const Table& r, const Table& g, const Table& b,
                     const char* what) {
    Pump(900);
    const ScreenPixels after = Shot();
    ASSERT_EQ(after.Pixels.size(), before.Pixels.size());
    int wrong = 0;
    std::string first;
    for (int y = 0; y < before.Height; ++y)
      for (int x = 0; x < before.Width; ++x) {
        if (OnSelectionOutline(x, y)) continue;
        const uint32_t p = before.At(x, y), q = after.At(x, y);
        if (RedOf(q) == r[size_t(RedOf(p))] && GreenOf(q) == g[size_t(GreenOf(p))] &&
            BlueOf(q) == b[size_t(BlueOf(p))])
          continue;
        if (!wrong++)
          first = std::to_string(x) + "," + std::to_string(y) + ": " + std::to_string(p) + " -> " +
                  std::to_string(q);
      }
    EXPECT_EQ(wrong, 0) << what << ", first at " << first;
  }
  // The page the Scan button delivers.
  test::XferResult ScanPage() {
    MouseTo(CentreOf(main, IDC_SCAN));
    Button(true);
    Button(false, false);
    test::XferResult r;
    if (!TwAppWaitForRequest(&app, MSG_XFERREADY, 20000)) {
      ADD_FAILURE() << "no transfer-ready request";
      return r;
    }
    r = test::MemoryXfer(kChannel);
    EXPECT_EQ(r.Rc, TWRC_XFERDONE) << r.Error;
    EXPECT_EQ(Pending(MSG_ENDXFER), 0);
    Pump(300);
    return r;
  }
  std::vector<std::wstring> Boxes(size_t count) {
    std::vector<std::wstring> all;
    for (int i = 0; i < 150 && all.size() < count; ++i) {
      for (const std::wstring& t : BoxWatchTake(&boxes)) all.push_back(t);
      if (all.size() < count) Pump(20);
    }
    Pump(200);
    return all;
  }
  void CloseAll() {
    if (app.SourceOpen) {
      Disable();
      Close();
    }
  }
  HWND main = nullptr, preview = nullptr, adjust = nullptr;
};

TEST_F(AdjustTest, BrightnessAndContrastShowOnThePreviewAndInTheScan) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(CMD_MODE_FULL));
  const test::XferResult plain = ScanPage();
  ASSERT_EQ(plain.Rc, TWRC_XFERDONE);
  EXPECT_TRUE(IsWindowVisible(Item(IDC_BRIGHT_BAR)));
  EXPECT_EQ(Value(IDC_BRIGHT_EDIT), L"0");
  const ScreenPixels before = Shot();

  // The brightness thumb dragged right from the middle, the contrast typed.
  const POINT thumb = CentreOf(GetParent(Item(IDC_BRIGHT_BAR)), IDC_BRIGHT_BAR);
  DragAside(thumb, POINT{thumb.x + 40, thumb.y});
  const int b = Number(IDC_BRIGHT_EDIT);
  EXPECT_GT(b, 10);
  EXPECT_LE(b, 127);
  TypeInto(IDC_CONTRAST_EDIT, L"40");
  EXPECT_EQ(Value(IDC_CONTRAST_EDIT), L"40");
  const Table t = BrightnessContrast(b, 40);
  ExpectPreview(before, t, t, t, "brightness and contrast");

  const test::XferResult adjusted = ScanPage();
  ASSERT_EQ(adjusted.Rc, TWRC_XFERDONE);
  ASSERT_EQ(adjusted.Page.Width, plain.Page.Width);
  ASSERT_EQ(adjusted.Page.Height, plain.Page.Height);
  size_t wrong = 0;
  for (size_t i = 0; i < plain.Page.Rgb.size(); ++i)
    if (adjusted.Page.Rgb[i] != t[plain.Page.Rgb[i]]) ++wrong;
  EXPECT_EQ(wrong, 0u) << "of " << plain.Page.Rgb.size() << " samples";

  // "Default" puts both at 0: the preview as it was.
  ClickAt(CentreOf(adjust, IDC_ADJUST_DEFAULT));
  EXPECT_EQ(Value(IDC_BRIGHT_EDIT), L"0");
  EXPECT_EQ(Value(IDC_CONTRAST_EDIT), L"0");
  const Table identity = Levels(0, 255, 0, 255);
  ExpectPreview(before, identity, identity, identity, "default");

  // The scanner's own bi-level modes have the Threshold window instead.
  Choose(main, CMD_MODE_MONO_THRESHOLD);
  EXPECT_FALSE(IsWindow(adjust));
  CloseAll();
}

TEST_F(AdjustTest, LevelsByThumbsAndEditsWithTheirRangeCheckCancelAndAuto) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(CMD_MODE_FULL));
  ClickAt(CentreOf(adjust, IDC_ADJUST_TAB_LEVELS));
  ASSERT_TRUE(IsWindowVisible(Item(IDC_LEVELS_INPUT)));
  EXPECT_FALSE(IsWindowVisible(Item(IDC_BRIGHT_BAR)));
  EXPECT_EQ(Value(IDC_LEVELS_CHANNEL), L"RGB");
  const ScreenPixels before = Shot();

  // Level v of a slider stands 8 + v pixels into it.
  RECT in;
  GetWindowRect(Item(IDC_LEVELS_INPUT), &in);
  const int y = in.top + 5;
  Drag(POINT{in.left + 8, y}, POINT{in.left + 8 + 40, y});
  Drag(POINT{in.left + 8 + 255, y}, POINT{in.left + 8 + 200, y});
  EXPECT_EQ(Value(IDC_LEVELS_IN_BLACK), L"40");
  EXPECT_EQ(Value(IDC_LEVELS_IN_WHITE), L"200");
  TypeInto(IDC_LEVELS_OUT_WHITE, L"220");
  const Table t = Levels(40, 200, 0, 220);
  ExpectPreview(before, t, t, t, "levels 40, 200, 0, 220");

  // 300 for the input white: after 500 ms the range from input black + 1.
  TypeInto(IDC_LEVELS_IN_WHITE, L"300");
  Pump(700);
  std::vector<std::wstring> shown = Boxes(1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(Utf8(shown[0]), "Invalid number was entered\nThe range is between 41 and 255.");
  // The brightness tab checks the levels first and stays where it is.
  ClickAt(CentreOf(adjust, IDC_ADJUST_TAB_BC));
  shown = Boxes(1);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(IsWindowVisible(Item(IDC_LEVELS_INPUT)));
  EXPECT_FALSE(Checked(IDC_ADJUST_TAB_BC));
  EXPECT_TRUE(Checked(IDC_ADJUST_TAB_LEVELS));

  // "Cancel": the levels of the last preset read, and the preview as it was.
  ClickAt(CentreOf(adjust, IDCANCEL));
  EXPECT_EQ(Value(IDC_LEVELS_IN_BLACK), L"0");
  EXPECT_EQ(Value(IDC_LEVELS_IN_WHITE), L"255");
  EXPECT_EQ(Value(IDC_LEVELS_OUT_WHITE), L"255");
  const Table identity = Levels(0, 255, 0, 255);
  ExpectPreview(before, identity, identity, identity, "cancel");

  // "Auto": the common levels from the selection's histogram, shown and applied.
  ASSERT_TRUE(IsWindowEnabled(Item(IDC_ADJUST_AUTO)));
  ClickAt(CentreOf(adjust, IDC_ADJUST_AUTO));
  Pump(200);
  EXPECT_FALSE(Checked(IDC_ADJUST_AUTO));
  const int black = Number(IDC_LEVELS_IN_BLACK), white = Number(IDC_LEVELS_IN_WHITE);
  EXPECT_LT(black, white);
  EXPECT_EQ(Value(IDC_LEVELS_OUT_BLACK), L"0");
  EXPECT_EQ(Value(IDC_LEVELS_OUT_WHITE), L"255");
  const Table a = Levels(black, white, 0, 255);
  ExpectPreview(before, a, a, a, "auto");
  CloseAll();
}

TEST_F(AdjustTest, PickersOnTheGreyPreviewSetTheInputLevels) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(CMD_MODE_GREY));
  ClickAt(CentreOf(adjust, IDC_ADJUST_TAB_LEVELS));
  EXPECT_EQ(Value(IDC_LEVELS_CHANNEL), L"Gray");
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_LEVELS_MENU)));
  const ScreenPixels before = Shot();
  // A place of the preview, away from the selection, whose 7 x 7 pixels
  // around it all pass the test.
  auto find = [&](const std::function<bool(int)>& wanted, POINT* at) {
    for (int y = 4; y < before.Height - 4; y += 2)
      for (int x = 4; x < before.Width - 4; x += 2) {
        if (x >= kSelection.left - 6 && x < kSelection.right + 6 && y >= kSelection.top - 6 &&
            y < kSelection.bottom + 6)
          continue;
        bool all = true;
        for (int dy = -3; dy <= 3 && all; ++dy)
          for (int dx = -3; dx <= 3 && all; ++dx) all = wanted(RedOf(before.At(x + dx, y + dy)));
        if (all) {
          *at = POINT{x, y};
          return true;
        }
      }
    return false;
  };
  POINT light{-1, -1}, dark{-1, -1};
  ASSERT_TRUE(find([](int v) { return v >= 240; }, &light));
  ASSERT_TRUE(find([](int v) { return v < 16; }, &dark));

  // The two pickers take turns.
  ClickAt(CentreOf(GetParent(Item(IDC_LEVELS_PICK_BLACK)), IDC_LEVELS_PICK_WHITE));
  EXPECT_TRUE(Checked(IDC_LEVELS_PICK_WHITE));
  ClickAt(CentreOf(GetParent(Item(IDC_LEVELS_PICK_BLACK)), IDC_LEVELS_PICK_BLACK));
  EXPECT_TRUE(Checked(IDC_LEVELS_PICK_BLACK));
  EXPECT_FALSE(Checked(IDC_LEVELS_PICK_WHITE));

  // A black point of 240 or more: input black 239; no new selection drawn.
  MouseTo(At(light.x, light.y));
  CURSORINFO ci{};
  ci.cbSize = sizeof ci;
  GetCursorInfo(&ci);
  EXPECT_NE(ci.hCursor, LoadCursor(nullptr, IDC_CROSS));
  EXPECT_NE(ci.hCursor, LoadCursor(nullptr, IDC_ARROW));
  ClickAt(At(light.x, light.y));
  EXPECT_EQ(Value(IDC_LEVELS_IN_BLACK), L"239");
  EXPECT_EQ(Value(IDC_LEVELS_IN_WHITE), L"255");
  const Table t = Levels(239, 255, 0, 255);
  ExpectPreview(before, t, t, t, "black point");

  // A white point below 16 (the value entering the adjustment, not the
  // one shown now): input levels 0 and 16.
  ClickAt(CentreOf(GetParent(Item(IDC_LEVELS_PICK_BLACK)), IDC_LEVELS_PICK_WHITE));
  EXPECT_FALSE(Checked(IDC_LEVELS_PICK_BLACK));
  ClickAt(At(dark.x, dark.y));
  EXPECT_EQ(Value(IDC_LEVELS_IN_BLACK), L"0");
  EXPECT_EQ(Value(IDC_LEVELS_IN_WHITE), L"16");
  const Table w = Levels(0, 16, 0, 255);
  ExpectPreview(before, w, w, w, "white point");
  CloseAll();
}

}  // namespace
}  // namespace wq
