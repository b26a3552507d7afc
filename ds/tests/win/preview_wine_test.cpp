// The scan area chosen with the mouse on the preview window, as a user
// chooses it, through Wine's TWAIN manager on the virtual bus: a rectangle
// dragged over the preview and scanned (the page equals the same area
// transferred through DAT_IMAGELAYOUT), each of the eight handles with its
// cursor, moves against each edge, a click that leaves the whole bed, the
// zoom check 16031 with Cancel and OK, a drag in the magnified frame that
// scrolls it, and the rulers; then the preview output window: the zoom
// preview at screen scale, a frame drawn there, its marching-dash timer,
// and sizing it larger (a fresh preview) or smaller (the normal preview).
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>
#include <vector>

#include "ds/tests/win/ui_fixture.h"

namespace wq {
namespace {

using namespace uitest;

// The WQ220's bed: 213 x 350 units of 1/25 inch from (3, 10), drawn at 4
// frame pixels per 5 units, 8 pixels in from the window's client corner.
constexpr int kMargin = 8;
constexpr int kBedWidth = 213, kBedHeight = 350;
constexpr int kDpi = 100;

int UnitsOfPixels(int pixels) { return pixels * 5 / 4; }

TW_FIX32 Fix(double v) {
  TW_FIX32 f;
  const int32_t x = int32_t(std::lround(v * 65536.0));
  f.Whole = TW_INT16(x >> 16);
  f.Frac = TW_UINT16(x & 0xFFFF);
  return f;
}
double Real(TW_FIX32 f) { return f.Whole + f.Frac / 65536.0; }

// The scan area as DAT_IMAGELAYOUT tells it, in units from the bed's origin.
struct Area {
  int Left, Top, Width, Height;
};

HCURSOR SystemCursor(LPCTSTR name) { return LoadCursor(nullptr, name); }

class PreviewTest : public UiFixture {
 protected:
  // The source with its window, grey at 100 dpi, and a preview taken.
  void OpenWindow(bool preview = true) {
    ASSERT_EQ(Open(), TWRC_SUCCESS);
    ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
    main = MainWindow();
    ASSERT_NE(main, nullptr);
    Choose(main, CMD_MODE_GREY);
    Choose(main, CMD_RES_100);
    window = FindWindowW(L"PreviewWndClass32", nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(IsWindowVisible(window));
    if (preview) TakePreview();
  }
  void TakePreview() { TakePreviewBy(main); }
  // A frame pixel of the preview window on the screen.
  POINT At(int x, int y) const { return OnScreen(window, kMargin + ruler + x, kMargin + ruler + y); }
  Area Layout() {
    TW_IMAGELAYOUT l{};
    EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l), TWRC_SUCCESS);
    const int left = int(std::lround(Real(l.Frame.Left) * 25));
    const int top = int(std::lround(Real(l.Frame.Top) * 25));
    return Area{left, top, int(std::lround(Real(l.Frame.Right) * 25)) - left,
                int(std::lround(Real(l.Frame.Bottom) * 25)) - top};
  }
  // A click below the fresh settings' paper (A4 or letter): no selection,
  // so that the next drag draws a new one.
  void Clear() { ClickAt(At(165, 272)); }
  HCURSOR CursorNow() {
    CURSORINFO ci{};
    ci.cbSize = sizeof ci;
    GetCursorInfo(&ci);
    return ci.hCursor;
  }
  std::wstring InfoLine(int line) {
    HWND info = FindWindowW(L"InfoWndClass32", nullptr);
    return info ? Text(info, IDC_INFO_VALUE_FIRST + line) : std::wstring();
  }
  // The page the Scan button delivers, by memory transfer.
  test::XferResult ScanPage() {
    const POINT scan = CentreOf(main, IDC_SCAN);
    HWND under = WindowFromPoint(scan);
    wchar_t cls[64] = L"";
    GetClassNameW(under, cls, 64);
    EXPECT_EQ(under, GetDlgItem(main, IDC_SCAN)) << Utf8(cls);
    MouseTo(scan);
    Button(true);
    Button(false, false);
    EXPECT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 20000));
    test::XferResult r = test::MemoryXfer(kChannel);
    EXPECT_EQ(r.Rc, TWRC_XFERDONE) << r.Error;
    EXPECT_EQ(Pending(MSG_ENDXFER), 0);
    return r;
  }
  // The user sizes a window by its bottom-right corner. The system's sizing
  // loop runs inside the button's message, so another hand moves and lets go.
  void SizeByCorner(HWND w, int dx, int dy) {
    RECT r;
    GetWindowRect(w, &r);
    const POINT from{r.right - 2, r.bottom - 2};
    PressHeld(from, POINT{from.x + dx, from.y + dy}, 400, 100, 1200);
    Pump(300);
  }
  void CloseAll() {
    if (app.SourceOpen) {
      Disable();
      Close();
    }
  }
  HWND main = nullptr;
  HWND window = nullptr;
  int ruler = 0;
};

TEST_F(PreviewTest, DraggedRectangleIsWhatTheInformationWindowShowsAndWhatIsScanned) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  Clear();
  MouseTo(At(20, 40));
  EXPECT_EQ(CursorNow(), SystemCursor(IDC_CROSS));
  // From frame pixel (20, 40) to (99, 159): 80 x 120 pixels, 1 inch in and
  // 2 down, 4 by 6 inches.
  Drag(At(20, 40), At(99, 159), 6);
  MouseTo(At(60, 100));
  EXPECT_EQ(CursorNow(), SystemCursor(IDC_SIZEALL));
  const Area a = Layout();
  EXPECT_EQ(a.Left, 25);
  EXPECT_EQ(a.Top, 50);
  EXPECT_EQ(a.Width, 100);
  EXPECT_EQ(a.Height, 150);
  EXPECT_EQ(InfoLine(5), L"400 x 600");
  EXPECT_EQ(InfoLine(4), L"4.00 x 6.00 inches");
  EXPECT_EQ(Text(main, IDC_AREA_TEXT), L"Optional");
  const test::XferResult page = ScanPage();
  EXPECT_EQ(page.Page.Width, 400u);
  EXPECT_EQ(page.Page.Height, 600u);

  // The same area through DAT_IMAGELAYOUT without the window.
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(TwAppSetOneValue(&app, ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY), TWRC_SUCCESS);
  const uint32_t dpi = uint32_t(kDpi);
  ASSERT_EQ(TwAppSetOneValue(&app, ICAP_XRESOLUTION, TWTY_FIX32, dpi), TWRC_SUCCESS);
  ASSERT_EQ(TwAppSetOneValue(&app, ICAP_YRESOLUTION, TWTY_FIX32, dpi), TWRC_SUCCESS);
  TW_IMAGELAYOUT l{};
  l.Frame = TW_FRAME{Fix(1), Fix(2), Fix(5), Fix(8)};
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &l), TWRC_SUCCESS);
  ASSERT_EQ(Enable(false), TWRC_SUCCESS);
  ASSERT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 5000));
  const test::XferResult layout = test::MemoryXfer(kChannel);
  ASSERT_EQ(layout.Rc, TWRC_XFERDONE) << layout.Error;
  EXPECT_EQ(layout.Page.Width, page.Page.Width);
  EXPECT_EQ(layout.Page.Height, page.Page.Height);
  EXPECT_TRUE(layout.Page.Rgb == page.Page.Rgb) << "the window's page differs from the layout's";
  EXPECT_EQ(Pending(MSG_ENDXFER), 0);
  CloseAll();
}

TEST_F(PreviewTest, EachHandleShowsItsCursorAndMovesItsEdges) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(false));
  Clear();
  Drag(At(40, 80), At(119, 199));  // 80 x 120 pixels at (40, 80)
  const Area start = Layout();
  ASSERT_EQ(start.Width, 100);
  struct Handle {
    int x, y;            // the handle's point, frame pixels
    LPCTSTR cursor;
    int dl, dt, dr, db;  // which edges follow a drag of (+8, +8)
  };
  // Edges: left 40, top 80, right 120, bottom 200.
  const Handle handles[8] = {
      {40, 80, IDC_SIZENWSE, 1, 1, 0, 0},  {80, 80, IDC_SIZENS, 0, 1, 0, 0},
      {120, 80, IDC_SIZENESW, 0, 1, 1, 0}, {40, 140, IDC_SIZEWE, 1, 0, 0, 0},
      {120, 140, IDC_SIZEWE, 0, 0, 1, 0},  {40, 200, IDC_SIZENESW, 1, 0, 0, 1},
      {80, 200, IDC_SIZENS, 0, 0, 0, 1},   {120, 200, IDC_SIZENWSE, 0, 0, 1, 1},
  };
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE("handle " + std::to_string(i + 1));
    // Back to the start rectangle, then take the handle.
    Clear();
    Drag(At(40, 80), At(119, 199));
    const Handle& h = handles[i];
    MouseTo(At(h.x, h.y));
    EXPECT_EQ(CursorNow(), SystemCursor(h.cursor));
    // Handles on the right and bottom edges lie on the first pixel past
    // the rectangle; the pointer's pixel becomes the last one inside.
    Drag(At(h.x, h.y), At(h.x + 8, h.y + 8));
    const Area a = Layout();
    const int left = 40 + 8 * h.dl, top = 80 + 8 * h.dt;
    const int right = h.dr ? 120 + 8 + 1 : 120, bottom = h.db ? 200 + 8 + 1 : 200;
    EXPECT_EQ(a.Left, UnitsOfPixels(left));
    EXPECT_EQ(a.Top, UnitsOfPixels(top));
    EXPECT_EQ(a.Width, UnitsOfPixels(right - left));
    EXPECT_EQ(a.Height, UnitsOfPixels(bottom - top));
  }
  CloseAll();
}

TEST_F(PreviewTest, MovesStopAgainstEachEdgeWithTheSizeKept) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(false));
  Choose(main, CMD_AREA_4X5);  // a paper: moving keeps its name
  const std::wstring paper = Text(main, IDC_AREA_TEXT);
  const Area start = Layout();
  ASSERT_EQ(start.Width, 100);
  ASSERT_EQ(start.Height, 125);
  // The 4 x 5 inch paper lies at the bed's origin: 80 x 100 frame pixels.
  MouseTo(At(40, 50));
  EXPECT_EQ(CursorNow(), SystemCursor(IDC_SIZEALL));
  struct Move {
    int dx, dy;
    int left, top;  // where it must end, frame pixels
  };
  const int frameW = kBedWidth * 4 / 5, frameH = kBedHeight * 4 / 5;
  const Move moves[] = {
      {+400, 0, frameW - 80, 0},  // right edge
      {0, +600, frameW - 80, frameH - 100},  // bottom
      {-400, 0, 0, frameH - 100},  // left
      {0, -600, 0, 0},  // top
  };
  int x = 40, y = 50;
  for (const Move& m : moves) {
    Drag(At(x, y), At(x + m.dx, y + m.dy), 8);
    const Area a = Layout();
    EXPECT_EQ(a.Width, UnitsOfPixels(80) ) << m.dx << "," << m.dy;
    EXPECT_EQ(a.Height, UnitsOfPixels(100));
    EXPECT_EQ(a.Left, UnitsOfPixels(m.left));
    EXPECT_EQ(a.Top, UnitsOfPixels(m.top));
    x = m.left + 40;
    y = m.top + 50;
  }
  EXPECT_EQ(Text(main, IDC_AREA_TEXT), paper);
  CloseAll();
}

TEST_F(PreviewTest, AClickWithoutMovingScansTheWholeBed) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(false));
  Choose(main, CMD_AREA_4X5);
  ClickAt(At(150, 250));
  const Area a = Layout();
  EXPECT_EQ(a.Left, 0);
  EXPECT_EQ(a.Top, 0);
  EXPECT_EQ(a.Width, kBedWidth);
  EXPECT_EQ(a.Height, kBedHeight);
  EXPECT_EQ(Text(main, IDC_AREA_TEXT), L"Optional");
  const test::XferResult page = ScanPage();
  EXPECT_EQ(page.Page.Width, uint32_t(kBedWidth * kDpi / 25));
  EXPECT_EQ(page.Page.Height, uint32_t(kBedHeight * kDpi / 25));
  CloseAll();
}

TEST_F(PreviewTest, WithTheZoomOnAChangeAsksAndCancelPutsTheAreaBack) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(false));
  Clear();
  Drag(At(20, 40), At(99, 159));
  const Area before = Layout();
  Choose(main, CMD_ZOOM_ON);  // the zoom window; the zoom is on
  HWND zoomTool = WindowWith(IDC_ZOOM_OUT_WIDTH);
  ASSERT_NE(zoomTool, nullptr);
  PostMessageW(zoomTool, WM_CLOSE, 0, 0);  // out of the way, the zoom kept
  Pump(200);
  BoxWatchAnswer(&boxes, IDCANCEL);
  Drag(At(120, 180), At(160, 260));
  std::vector<std::wstring> asked = BoxWatchTake(&boxes);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NE(asked[0].find(L"The Zoom setting will be turn to OFF"), std::wstring::npos);
  const Area kept = Layout();
  EXPECT_EQ(kept.Left, before.Left);
  EXPECT_EQ(kept.Width, before.Width);
  EXPECT_EQ(kept.Height, before.Height);
  // OK: the new area, and the zoom is off (asked no more).
  BoxWatchAnswer(&boxes, IDOK);
  Drag(At(120, 180), At(159, 259));
  asked = BoxWatchTake(&boxes);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(Layout().Left, UnitsOfPixels(120));
  Drag(At(10, 10), At(89, 129));
  EXPECT_TRUE(BoxWatchTake(&boxes).empty());
  EXPECT_EQ(Layout().Left, UnitsOfPixels(10));
  CloseAll();
}

TEST_F(PreviewTest, TheWheelMagnifiesAndADragPastTheEdgeScrolls) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  Clear();
  SetForegroundWindow(main);
  Pump(100);
  // Four times, around the frame's top-left corner.
  MouseTo(At(0, 0));
  for (int i = 0; i < 2; ++i) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    in.mi.mouseData = WHEEL_DELTA;
    SendInput(1, &in, sizeof in);
    Pump(150);
  }
  // The visible part is a quarter of the frame each way: window pixel
  // (4x, 4y) is frame pixel (x, y).
  Drag(At(40, 40), At(80, 120), 4);
  Area a = Layout();
  EXPECT_EQ(a.Left, UnitsOfPixels(10));
  EXPECT_EQ(a.Top, UnitsOfPixels(10));
  EXPECT_EQ(a.Width, UnitsOfPixels(11));
  EXPECT_EQ(a.Height, UnitsOfPixels(21));
  // Past the right edge: every message scrolls one frame pixel.
  const int frameW = kBedWidth * 4 / 5;
  MouseTo(At(120, 120));  // frame pixel (30, 30): outside the selection
  Button(true);
  for (int i = 0; i < 30; ++i) MouseTo(At(frameW + 20 + (i % 2), 100));
  Button(false);
  a = Layout();
  const int visible = frameW / 4;
  EXPECT_GT(a.Left + a.Width, UnitsOfPixels(visible + 10)) << "no scrolling";
  EXPECT_EQ(a.Left, UnitsOfPixels(30));
  CloseAll();
}

TEST_F(PreviewTest, RulersMoveTheFrameAndTheMouseFollows) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow(false));
  ClickAt(CentreOf(main, IDC_PREF_BUTTON));
  HWND pref = WindowWith(IDC_PREF_RULER);
  ASSERT_NE(pref, nullptr);
  ClickAt(CentreOf(pref, IDC_PREF_RULER));
  ASSERT_EQ(IsDlgButtonChecked(pref, IDC_PREF_RULER), BST_CHECKED);
  PostMessageW(pref, WM_CLOSE, 0, 0);
  Pump(200);
  ruler = 16;
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, kMargin * 2 + ruler + kBedWidth * 4 / 5);
  Clear();
  Drag(At(20, 40), At(99, 159));
  const Area a = Layout();
  EXPECT_EQ(a.Left, 25);
  EXPECT_EQ(a.Top, 50);
  EXPECT_EQ(a.Width, 100);
  CloseAll();
}

HWND ZoomWindow() { return FindWindowW(L"PreOutWndClass32", nullptr); }

TEST_F(PreviewTest, TheZoomPreviewWindowTakesAFrameAndGivesWay) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  Clear();
  // Without a crop frame there is nothing to zoom.
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, IDC_ZOOM_PREVIEW)));
  Drag(At(20, 40), At(99, 159));
  ASSERT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_ZOOM_PREVIEW)));
  ClickAt(CentreOf(main, IDC_ZOOM_PREVIEW));
  HWND zoom = nullptr;
  for (int i = 0; i < 100 && !(zoom = ZoomWindow()); ++i) Pump(100);
  ASSERT_NE(zoom, nullptr);
  Pump(300);
  EXPECT_TRUE(IsWindowVisible(zoom));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_PREVIEW_SWITCH)));
  // The region is the selection grown by a fifth: 120 x 180 units, at a
  // resolution that fits it on the screen; the client area is the bitmap.
  RECT client;
  GetClientRect(zoom, &client);
  ASSERT_GT(client.right, 0);
  const double perUnit = client.right / 120.0;
  EXPECT_NEAR(client.bottom / 180.0, perUnit, 0.05);
  // The frame marches: its timer runs.
  EXPECT_TRUE(KillTimer(zoom, 302));
  InvalidateRect(zoom, nullptr, FALSE);
  Pump(200);

  // A new frame drawn here, from outside the one shown: 1/25 inch is
  // perUnit pixels, finer than the preview's. The bitmap starts 10 units
  // left of and 15 above the selection, at (15, 35) on the bed.
  auto z = [&](double ux, double uy) {
    return OnScreen(zoom, int(std::lround(ux * perUnit)), int(std::lround(uy * perUnit)));
  };
  MouseTo(z(50, 80));
  EXPECT_EQ(CursorNow(), SystemCursor(IDC_SIZEALL));
  Drag(z(5, 5), z(60, 100), 6);
  Area a = Layout();
  EXPECT_NEAR(a.Left, 15 + 5, 1);
  EXPECT_NEAR(a.Top, 35 + 5, 1);
  EXPECT_NEAR(a.Width, 55, 1);
  EXPECT_NEAR(a.Height, 95, 1);
  EXPECT_EQ(Text(main, IDC_AREA_TEXT), L"Optional");
  const test::XferResult page = ScanPage();
  EXPECT_EQ(int(page.Page.Width), a.Width * kDpi / 25);
  EXPECT_EQ(int(page.Page.Height), a.Height * kDpi / 25);

  // A click without moving leaves no frame: nothing marches, the area stays.
  ClickAt(z(100, 150));
  Pump(300);
  EXPECT_FALSE(KillTimer(zoom, 302));
  EXPECT_EQ(Layout().Width, a.Width);

  // Another zoom preview of the changed area would lose this one: asked
  // first, and Cancel keeps it.
  BoxWatchAnswer(&boxes, IDCANCEL);
  ClickAt(CentreOf(main, IDC_ZOOM_PREVIEW));
  Pump(300);
  const std::vector<std::wstring> asked = BoxWatchTake(&boxes);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_NE(asked[0].find(L"The scan range was changed from the last Zoom Preview"), std::wstring::npos);
  EXPECT_EQ(ZoomWindow(), zoom);

  // Smaller: the normal preview comes back, no new preview.
  const std::string work = SourceDir() + "@PRTMP1.IMG";
  DeleteFileA(work.c_str());
  SizeByCorner(zoom, -40, -40);
  EXPECT_EQ(ZoomWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_FALSE(FileExists(work));

  // The switch brings it back; larger asks for a fresh preview.
  ClickAt(CentreOf(main, IDC_PREVIEW_SWITCH));
  zoom = ZoomWindow();
  ASSERT_NE(zoom, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  SizeByCorner(zoom, 40, 40);
  for (int i = 0; i < 100 && !FileExists(work); ++i) Pump(100);
  EXPECT_TRUE(FileExists(work));
  EXPECT_EQ(ZoomWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  CloseAll();
}

TEST_F(PreviewTest, JapaneseWindowsTakeTheSameMouse) {
  SetCountry(81);
  ASSERT_NO_FATAL_FAILURE(OpenWindow(false));
  Clear();
  wchar_t title[64];
  GetWindowTextW(window, title, 64);
  EXPECT_NE(std::wstring(title), L"Preview");
  Drag(At(20, 40), At(99, 159));
  const Area a = Layout();
  EXPECT_EQ(a.Width, 100);
  EXPECT_EQ(a.Height, 150);
  EXPECT_EQ(InfoLine(5), L"400 x 600");
  const test::XferResult page = ScanPage();
  EXPECT_EQ(page.Page.Width, 400u);
  CloseAll();
}

}  // namespace
}  // namespace wq
