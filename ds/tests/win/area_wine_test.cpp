// The Area window through Wine's TWAIN manager, driven as a user drives it:
// opened from the area menu's "Optional...", a field clicked, its text
// selected by dragging across it and typed over, OK pressed by Enter or by
// a click on the button. The page scanned afterwards must have the typed
// size, in inches, in centimetres with a comma and in pixels; wrong entries
// name their field in a message and change nothing; keys a number does not
// have are swallowed; with the zoom on a change asks first. In English and
// in Japanese (country 81).
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ds/res/ui_ids.h"
#include "ds/tests/win/ui_fixture.h"

namespace wq {
namespace {

using namespace wine;
using namespace uitest;

constexpr int kFields[] = {IDC_AREA_ORIGIN_X, IDC_AREA_WIDTH, IDC_AREA_ORIGIN_Y, IDC_AREA_HEIGHT};
constexpr int kUnits[] = {IDC_AREA_UNIT_OX, IDC_AREA_UNIT_W, IDC_AREA_UNIT_OY, IDC_AREA_UNIT_H};

// The scan area as the application sees it (inches, the session's unit).
struct Frame {
  double Left, Top, Right, Bottom;
};

std::wstring Inches(double v) {
  wchar_t text[32];
  swprintf(text, 32, L"%.2f", v);
  return text;
}

HWND g_AreaFound;
BOOL CALLBACK FindArea(HWND w, LPARAM) {
  if (IsWindowVisible(w) && GetDlgItem(w, IDC_AREA_ORIGIN_X)) {
    g_AreaFound = w;
    return FALSE;
  }
  return TRUE;
}

class AreaTest : public UiFixture {
 protected:
  void TearDown() override {
    SetIntl("sDecimal", ".");
    SetIntl("iMeasure", "1");
    UiFixture::TearDown();
  }

  // The source enabled with its window, at `resCommand`.
  HWND OpenWindow(int resCommand) {
    EXPECT_EQ(Open(), TWRC_SUCCESS);
    EXPECT_EQ(EnableWithWindow(), TWRC_SUCCESS);
    HWND main = MainWindow();
    EXPECT_NE(main, nullptr);
    if (main) Choose(main, resCommand);
    return main;
  }
  void CloseWindow() {
    EXPECT_EQ(Disable(), TWRC_SUCCESS);
    EXPECT_EQ(Close(), TWRC_SUCCESS);
  }

  Frame Layout() {
    TW_IMAGELAYOUT l{};
    EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l), TWRC_SUCCESS);
    auto v = [](TW_FIX32 f) { return f.Whole + f.Frac / 65536.0; };
    return {v(l.Frame.Left), v(l.Frame.Top), v(l.Frame.Right), v(l.Frame.Bottom)};
  }
  void ExpectLayout(const Frame& f, double left, double top, double right, double bottom) {
    EXPECT_NEAR(f.Left, left, 0.01);
    EXPECT_NEAR(f.Top, top, 0.01);
    EXPECT_NEAR(f.Right, right, 0.01);
    EXPECT_NEAR(f.Bottom, bottom, 0.01);
  }

  // The Area dialog of the application's thread.
  HWND AreaDialog() {
    g_AreaFound = nullptr;
    EnumThreadWindows(loopThread, FindArea, 0);
    return g_AreaFound;
  }

  // Opens the dialog from the area menu's "Optional..." and gives it to
  // `user` on a thread of its own (the user's hand) while this thread runs
  // the dialog's modal loop. A dialog the user left open is cancelled.
  void WithAreaDialog(HWND main, const std::function<void(HWND)>& user) {
    std::atomic<bool> done{false};
    std::thread hand([&] {
      HWND dialog = nullptr;
      for (int i = 0; i < 200 && !(dialog = AreaDialog()); ++i) Sleep(25);
      if (dialog) {
        Sleep(100);
        user(dialog);
      } else {
        ADD_FAILURE() << "the Area dialog did not open";
      }
      for (int i = 0; i < 100 && AreaDialog(); ++i) Sleep(20);
      if (HWND left = AreaDialog()) {
        ADD_FAILURE() << "the Area dialog stayed open";
        PostMessageW(left, WM_COMMAND, IDCANCEL, 0);
      }
      done = true;
    });
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(CMD_AREA_CUSTOM, 0), 0);
    for (int i = 0; i < 3000 && !done; ++i) Pump(20);
    hand.join();
    Pump(200);
  }

  // The user's hand: a field's text selected by dragging across it, then
  // typed over.
  void TypeInto(HWND dialog, int id, const wchar_t* text) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    const POINT from{r.right - 3, (r.top + r.bottom) / 2};
    // A second press at the same spot soon after the first is a double
    // click, as a user's would be.
    if (from.x == lastPress.x && from.y == lastPress.y)
      while (GetTickCount() - lastPressTime <= GetDoubleClickTime() + 50) Sleep(20);
    Drag(from, POINT{r.left - 6, from.y}, 3);
    lastPress = from;
    lastPressTime = GetTickCount();
    Type(text);
  }
  POINT lastPress{-1, -1};
  DWORD lastPressTime = 0;
  // The focus of the application's thread.
  HWND Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(loopThread, &info) ? info.hwndFocus : nullptr;
  }
  bool FocusReaches(HWND window) {
    for (int i = 0; i < 50 && Focus() != window; ++i) Sleep(20);
    return Focus() == window;
  }
  // The boxes shown once `count` have come (or after 5 s), and the focus
  // settled after them.
  std::vector<std::wstring> Boxes(size_t count = 1) {
    std::vector<std::wstring> all;
    for (int i = 0; i < 250 && all.size() < count; ++i) {
      for (const std::wstring& t : BoxWatchTake(&boxes)) all.push_back(t);
      if (all.size() < count) Sleep(20);
    }
    Sleep(300);
    return all;
  }
  // A wrong entry: its message, then the focus on its field with the
  // whole text selected; the dialog stays open.
  void ExpectRefused(HWND dialog, int field, const std::string& message) {
    const std::vector<std::wstring> shown = Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Utf8(shown[0]), message);
    HWND edit = GetDlgItem(dialog, field);
    EXPECT_TRUE(FocusReaches(edit)) << "field " << field;
    DWORD start = 1, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, DWORD(GetWindowTextLengthW(edit)));
    EXPECT_TRUE(IsWindowVisible(dialog));
  }

  test::XferResult ScanPage(HWND main) {
    Click(main, IDC_SCAN);
    test::XferResult r;
    if (!TwAppWaitForRequest(&app, MSG_XFERREADY, 20000)) {
      ADD_FAILURE() << "no transfer-ready request";
      return r;
    }
    r = test::MemoryXfer(kChannel);
    EXPECT_EQ(r.Rc, TWRC_XFERDONE) << r.Error;
    EXPECT_EQ(Pending(MSG_ENDXFER), 0);
    return r;
  }
};

TEST_F(AreaTest, InchesTypedBecomeTheScanArea) {
  HWND main = OpenWindow(CMD_RES_100);
  ASSERT_NE(main, nullptr);
  const Frame before = Layout();
  WithAreaDialog(main, [&](HWND d) {
    wchar_t title[32];
    GetWindowTextW(d, title, 32);
    EXPECT_EQ(std::wstring(title), L"Area");
    EXPECT_EQ(Text(d, IDC_AREA_LABEL_X), L"Origin X:");
    EXPECT_EQ(Text(d, IDC_AREA_LABEL_H), L"Height:");
    for (int id : kUnits) EXPECT_EQ(Text(d, id), L" inches");
    // The area the application sees, from the bed's origin.
    EXPECT_EQ(Text(d, IDC_AREA_ORIGIN_X), Inches(before.Left));
    EXPECT_EQ(Text(d, IDC_AREA_ORIGIN_Y), Inches(before.Top));
    EXPECT_EQ(Text(d, IDC_AREA_WIDTH), Inches(before.Right - before.Left));
    EXPECT_EQ(Text(d, IDC_AREA_HEIGHT), Inches(before.Bottom - before.Top));
    for (int id : kFields)
      EXPECT_EQ(SendDlgItemMessageW(d, id, EM_GETLIMITTEXT, 0, 0), 5) << id;
    TypeInto(d, IDC_AREA_ORIGIN_X, L"1.00");
    TypeInto(d, IDC_AREA_WIDTH, L"1.00");
    TypeInto(d, IDC_AREA_ORIGIN_Y, L"0.40");
    TypeInto(d, IDC_AREA_HEIGHT, L"2.00");
    EXPECT_EQ(Text(d, IDC_AREA_HEIGHT), L"2.00");
    Key(VK_RETURN);
  });
  EXPECT_EQ(Text(main, IDC_AREA_TEXT), L"Optional");
  ExpectLayout(Layout(), 1.0, 0.4, 2.0, 2.4);
  // Typed once more, the same area: the fields show it as it was typed.
  WithAreaDialog(main, [&](HWND d) {
    EXPECT_EQ(Text(d, IDC_AREA_ORIGIN_X), L"1.00");
    EXPECT_EQ(Text(d, IDC_AREA_WIDTH), L"1.00");
    EXPECT_EQ(Text(d, IDC_AREA_ORIGIN_Y), L"0.40");
    EXPECT_EQ(Text(d, IDC_AREA_HEIGHT), L"2.00");
    Key(VK_ESCAPE);
  });
  const test::XferResult r = ScanPage(main);
  EXPECT_EQ(r.Info.ImageWidth, 100);  // 1.00 inch at 100 dpi: 25 units
  EXPECT_EQ(r.Info.ImageLength, 200);
  EXPECT_EQ(r.Page.Width, 100u);
  EXPECT_EQ(r.Page.Height, 200u);
  CloseWindow();
  // The next session with the same scanner keeps the saved set: it starts
  // with the area typed, as "Optional..." says.
  for (const char* key : {"ScannerName", "BoardID", "TargetID", "TargetLUN"}) {
    const std::string found = GetIni(MainIni(), "SCSI", (std::string(key) + "2").c_str());
    SetIni(MainIni(), "SCSI", key, found.c_str());
  }
  main = OpenWindow(CMD_RES_100);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(Text(main, IDC_AREA_TEXT), L"Optional");
  ExpectLayout(Layout(), 1.0, 0.4, 2.0, 2.4);
  CloseWindow();
}

TEST_F(AreaTest, CentimetresWithACommaTakeOnlyTheCommasKeys) {
  SetIntl("sDecimal", ",");
  SetIntl("iMeasure", "0");
  HWND main = OpenWindow(CMD_RES_100);
  ASSERT_NE(main, nullptr);
  WithAreaDialog(main, [&](HWND d) {
    for (int id : kUnits) EXPECT_EQ(Text(d, id), L" cm");
    EXPECT_EQ(Text(d, IDC_AREA_ORIGIN_X), L"0,00");
    EXPECT_EQ(Text(d, IDC_AREA_ORIGIN_Y), L"0,00");
    // The full stop and letters are not a number's: the field keeps its text.
    TypeInto(d, IDC_AREA_ORIGIN_X, L".");
    EXPECT_EQ(Text(d, IDC_AREA_ORIGIN_X), L"0,00");
    TypeInto(d, IDC_AREA_ORIGIN_X, L"a");
    EXPECT_EQ(Text(d, IDC_AREA_ORIGIN_X), L"0,00");
    TypeInto(d, IDC_AREA_WIDTH, L"2,54");
    EXPECT_EQ(Text(d, IDC_AREA_WIDTH), L"2,54");
    TypeInto(d, IDC_AREA_HEIGHT, L"2,54");
    ClickAt(CentreOf(d, IDOK));
  });
  ExpectLayout(Layout(), 0, 0, 1.0, 1.0);
  const test::XferResult r = ScanPage(main);
  EXPECT_EQ(r.Info.ImageWidth, 100);  // 2.54 cm: 25 units
  EXPECT_EQ(r.Info.ImageLength, 100);
  CloseWindow();
}

TEST_F(AreaTest, PixelsAtTheScanResolutionAreWhole) {
  SetIni(MainIni(), "Preference", "Units", "2");
  HWND main = OpenWindow(CMD_RES_300);
  ASSERT_NE(main, nullptr);
  const Frame before = Layout();
  WithAreaDialog(main, [&](HWND d) {
    for (int id : kUnits) EXPECT_EQ(Text(d, id), L" pixels");
    EXPECT_EQ(Text(d, IDC_AREA_WIDTH),
              std::to_wstring(int((before.Right - before.Left) * 300 + 0.5)));
    TypeInto(d, IDC_AREA_WIDTH, L"300");
    // No separator for whole numbers.
    Type(L".");
    Type(L",");
    EXPECT_EQ(Text(d, IDC_AREA_WIDTH), L"300");
    TypeInto(d, IDC_AREA_HEIGHT, L"300");
    Key(VK_RETURN);
  });
  const test::XferResult r = ScanPage(main);
  EXPECT_EQ(r.Info.XResolution.Whole, 300);
  EXPECT_EQ(r.Info.ImageWidth, 300);  // 25 units at 300 dpi
  EXPECT_EQ(r.Info.ImageLength, 300);
  CloseWindow();
}

// Each wrong entry in a dialog of its own: the message, the focus on the
// field, and no change once the dialog is cancelled.
TEST_F(AreaTest, WrongEntriesNameTheirFieldAndChangeNothing) {
  HWND main = OpenWindow(CMD_RES_100);
  ASSERT_NE(main, nullptr);
  const Frame before = Layout();
  const std::wstring areaText = Text(main, IDC_AREA_TEXT);
  const std::string rangeX =
      "Invalid number was entered.\nThe range of \"Origin X+Width\" is between 0.04 and 8.52.";
  const std::string rangeY =
      "Invalid number was entered.\nThe range of \"Origin Y+Height\" is between 0.04 and 14.00.";
  const std::string number = "A number more than 0.04 requires by Width or Height.";
  struct Case {
    int Field;
    const wchar_t* Typed;
    const std::string* Message;
    bool Click;  // OK by the mouse, else by Enter
  } cases[] = {
      {IDC_AREA_ORIGIN_X, L"9", &rangeX, false},
      {IDC_AREA_WIDTH, L"8.6", &rangeX, true},
      {IDC_AREA_ORIGIN_Y, L"-1", &rangeY, false},
      {IDC_AREA_HEIGHT, L"14.01", &rangeY, true},
      {IDC_AREA_HEIGHT, L"0", &number, false},
      {IDC_AREA_WIDTH, L"", &number, true},
      {IDC_AREA_ORIGIN_X, L"-", &number, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.Typed));
    WithAreaDialog(main, [&](HWND d) {
      if (c.Field == IDC_AREA_ORIGIN_Y || c.Field == IDC_AREA_HEIGHT) {
        // Y is checked once X is right.
        TypeInto(d, IDC_AREA_ORIGIN_X, L"0");
        TypeInto(d, IDC_AREA_WIDTH, L"1");
      }
      TypeInto(d, c.Field, c.Typed);
      if (!*c.Typed) Key(VK_DELETE);
      if (c.Click) ClickAt(CentreOf(d, IDOK));
      else Key(VK_RETURN);
      ExpectRefused(d, c.Field, *c.Message);
      EXPECT_EQ(Text(d, c.Field), c.Typed);
      Key(VK_ESCAPE);
    });
    EXPECT_EQ(Text(main, IDC_AREA_TEXT), areaText);
    const Frame after = Layout();
    ExpectLayout(after, before.Left, before.Top, before.Right, before.Bottom);
  }
  CloseWindow();
}

TEST_F(AreaTest, TheNarrowFilmUnitsBedIsTheMaximum) {
  ASSERT_TRUE(ConfigureBus(OneScanner("WQ215", "fsu=2").c_str()));
  SetIni(MainIni(), "TWAIN", "WQ215", "1");
  HWND main = OpenWindow(CMD_RES_100);
  ASSERT_NE(main, nullptr);
  // The film unit is the source once it is attached.
  ASSERT_EQ(Text(main, IDC_SOURCE_TEXT), L"FSU(F12)");
  WithAreaDialog(main, [&](HWND d) {
    TypeInto(d, IDC_AREA_ORIGIN_X, L"0");
    TypeInto(d, IDC_AREA_WIDTH, L"4.17");
    Key(VK_RETURN);
    // 104 units: 107 less the bed's left margin of 3.
    ExpectRefused(d, IDC_AREA_WIDTH,
                  "Invalid number was entered.\nThe range of \"Origin X+Width\" is between "
                  "0.04 and 4.16.");
    TypeInto(d, IDC_AREA_WIDTH, L"4.16");
    Key(VK_RETURN);
  });
  const Frame f = Layout();
  EXPECT_NEAR(f.Right - f.Left, 4.16, 0.01);
  CloseWindow();
}

TEST_F(AreaTest, WithTheZoomOnAChangeAsksFirst) {
  HWND main = OpenWindow(CMD_RES_100);
  ASSERT_NE(main, nullptr);
  Choose(main, CMD_ZOOM_ON);
  ASSERT_NE(WindowWith(IDC_ZOOM_OUT_WIDTH), nullptr);
  const Frame before = Layout();
  const std::wstring areaText = Text(main, IDC_AREA_TEXT);
  const std::string question =
      "The Zoom setting will be turn to OFF because the\nresolution or scan area has been changed.";
  // Cancel: the fields go back to the area there is and the dialog stays.
  WithAreaDialog(main, [&](HWND d) {
    const std::wstring width = Text(d, IDC_AREA_WIDTH);
    TypeInto(d, IDC_AREA_WIDTH, L"1.00");
    BoxWatchAnswer(&boxes, IDCANCEL);
    Key(VK_RETURN);
    const std::vector<std::wstring> shown = Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Utf8(shown[0]), question);
    EXPECT_TRUE(IsWindowVisible(d));
    EXPECT_EQ(Text(d, IDC_AREA_WIDTH), width);
    // The dialog has the keys again, where they were.
    EXPECT_TRUE(FocusReaches(GetDlgItem(d, IDC_AREA_WIDTH)));
    Key(VK_ESCAPE);
  });
  EXPECT_EQ(Text(main, IDC_AREA_TEXT), areaText);
  const Frame kept = Layout();
  ExpectLayout(kept, before.Left, before.Top, before.Right, before.Bottom);
  // OK: the zoom goes off and the area is taken.
  WithAreaDialog(main, [&](HWND d) {
    TypeInto(d, IDC_AREA_WIDTH, L"1.00");
    TypeInto(d, IDC_AREA_HEIGHT, L"1.00");
    Key(VK_RETURN);
    const std::vector<std::wstring> shown = Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Utf8(shown[0]), question);
  });
  EXPECT_EQ(Text(main, IDC_AREA_TEXT), L"Optional");
  // Unzoomed: the page is the area at the resolution.
  const test::XferResult r = ScanPage(main);
  EXPECT_EQ(r.Info.ImageWidth, 100);
  EXPECT_EQ(r.Info.ImageLength, 100);
  CloseWindow();
}

TEST_F(AreaTest, JapaneseTextsMessagesAndFont) {
  SetCountry(81);
  HWND main = OpenWindow(CMD_RES_100);
  ASSERT_NE(main, nullptr);
  WithAreaDialog(main, [&](HWND d) {
    wchar_t title[32];
    GetWindowTextW(d, title, 32);
    EXPECT_EQ(std::wstring(title), Wide("範囲"));
    EXPECT_EQ(Text(d, IDC_AREA_LABEL_X), Wide("原点X:"));
    EXPECT_EQ(Text(d, IDC_AREA_LABEL_Y), Wide("原点Y:"));
    EXPECT_EQ(Text(d, IDC_AREA_LABEL_W), Wide("幅:"));
    EXPECT_EQ(Text(d, IDC_AREA_LABEL_H), Wide("高さ:"));
    EXPECT_EQ(Text(d, IDCANCEL), Wide("キャンセル"));
    for (int id : kUnits) EXPECT_EQ(Text(d, id), Wide(" インチ"));
    HFONT font =
        reinterpret_cast<HFONT>(SendDlgItemMessageW(d, IDC_AREA_LABEL_X, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    ASSERT_TRUE(font && GetObjectW(font, sizeof lf, &lf));
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"MS UI Gothic");
    EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
    TypeInto(d, IDC_AREA_ORIGIN_X, L"0");
    TypeInto(d, IDC_AREA_WIDTH, L"9");
    Key(VK_RETURN);
    ExpectRefused(d, IDC_AREA_WIDTH,
                  "無効な数値が入力されました。\n「原点X＋幅」の範囲は 0.04 から 8.52 までです。");
    TypeInto(d, IDC_AREA_WIDTH, L"1.00");
    TypeInto(d, IDC_AREA_HEIGHT, L"1.00");
    Key(VK_RETURN);
  });
  const test::XferResult r = ScanPage(main);
  EXPECT_EQ(r.Info.ImageWidth, 100);
  EXPECT_EQ(r.Info.ImageLength, 100);
  CloseWindow();
}

}  // namespace
}  // namespace wq
