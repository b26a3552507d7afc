// The "Color Adjust" window through the TWAIN manager on the virtual bus,
// driven as a user drives it on the grey preview: clicks on the grid place
// points, and the preview after the refresh and the next page equal the
// preview and page of the linear curve passed through the grey curve the
// source stored; the clicks reach the point rules (replace within 12
// levels, the end point at 0 taken, three points on one line); the curves
// saved to a ".GMA" and loaded back, damaged files refused with nothing
// changed, and a read-only file refused with 16033.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "ds/tests/win/screen_pixels.h"
#include "ds/tests/win/ui_fixture.h"

namespace wq {
namespace {

using namespace uitest;

// The WQ220's bed (213 x 350 units) in the preview window: 4 frame pixels
// per 5 units, 8 pixels in from the client corner.
constexpr RECT kFrame{8, 8, 8 + 170, 8 + 280};
constexpr size_t kGmaBytes = 2602;
constexpr size_t kGreySection = 32 + 4 * 514;  // channel 5: 256 flags, 1, 256 values, 1

std::string GammaIni() { return SourceDir() + "@GMA220.INI"; }
std::string Work(const char* name) { return SourceDir() + name; }

// The grey curve as the source stored it at the last Scan: 32 keys of
// eight three-digit numbers each for the levels and for the points.
struct Curve {
  std::vector<int> Values, Points;  // Points: the levels that carry one
};
Curve StoredGreyCurve() {
  Curve c;
  for (const char* kind : {"D", "P"}) {
    for (int n = 0; n < 32; ++n) {
      char key[16];
      snprintf(key, sizeof key, "WGamma%s%02d", kind, n);
      const std::string text = GetIni(GammaIni(), "B/W", key);
      for (int k = 0; k < 8; ++k) {
        const int v = text.size() >= size_t(3 * k + 3) ? std::stoi(text.substr(size_t(3 * k), 3)) : -1;
        if (*kind == 'D') c.Values.push_back(v);
        else if (v == 1) c.Points.push_back(8 * n + k);
      }
    }
  }
  return c;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              std::streamsize(bytes.size()));
}

// A file dialog of this process: a dialog with a file-name field.
HWND g_FileDialog;
BOOL CALLBACK FindFileDialog(HWND w, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  wchar_t cls[16] = L"";
  GetClassNameW(w, cls, 16);
  if (pid != GetCurrentProcessId() || wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(w)) return TRUE;
  if (!GetDlgItem(w, 0x480) && !GetDlgItem(w, 0x47C)) return TRUE;  // edt1, cmb13
  g_FileDialog = w;
  return FALSE;
}

// Another hand answers the file dialog the window is about to show: its
// title read, the name typed into it, then OK. Cancelled when OK does not
// close it, so that the test goes on.
std::thread AnswerFileDialog(std::wstring* title, const std::string& path) {
  return std::thread([title, path] {
    g_FileDialog = nullptr;
    for (int i = 0; i < 200 && !g_FileDialog; ++i) {
      EnumWindows(FindFileDialog, 0);
      if (!g_FileDialog) Sleep(50);
    }
    HWND dialog = g_FileDialog;
    if (!dialog) return;
    Sleep(300);
    wchar_t text[128] = L"";
    GetWindowTextW(dialog, text, 128);
    *title = text;
    for (HWND name : {GetDlgItem(dialog, 0x480), GetDlgItem(dialog, 0x47C)})
      if (name) SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(50);
    if (IsWindow(dialog)) {
      *title += L" (did not close)";
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
  });
}

class GammaTest : public UiFixture {
 protected:
  // Grey at 72 dpi with the linear curve, the whole bed previewed and
  // selected, then "Optional..." of the Adjust menu.
  void OpenWindow() {
    ASSERT_NO_FATAL_FAILURE(OpenWithLinearPreview(CMD_MODE_GREY, CMD_RES_72, &main, &preview));
    ClickAt(OnScreen(preview, kFrame.left + 165, kFrame.top + 272));
    Pump(300);
  }
  void OpenGamma() {
    Choose(main, CMD_ADJUST_CUSTOM);
    gamma = WindowWith(IDC_GAMMA_GRID);
    ASSERT_NE(gamma, nullptr);
    // Beside the preview, so that the screen shows both.
    RECT g, p;
    GetWindowRect(gamma, &g);
    GetWindowRect(preview, &p);
    SetWindowPos(gamma, nullptr, p.right + 4, p.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump(200);
  }
  // The grid's pixel of input level `level` and output `value`.
  POINT GridAt(int level, int value) {
    RECT r;
    GetWindowRect(GetDlgItem(gamma, IDC_GAMMA_GRID), &r);
    return POINT{r.left + level, r.top + 255 - value};
  }
  // The edit's text rubbed out and a value typed; the 500 ms refresh.
  void TypeGamma(const wchar_t* text) {
    RECT r;
    GetWindowRect(GetDlgItem(gamma, IDC_GAMMA_EDIT), &r);
    ClickAt(POINT{r.right - 3, (r.top + r.bottom) / 2});
    for (int i = 0; i < 6; ++i) Key(VK_BACK);
    Type(text);
    Pump(900);
  }
  void Place(int level, int value) {
    ClickAt(GridAt(level, value));
    Pump(300);
  }
  ScreenPixels Grid() {
    RECT r;
    GetWindowRect(GetDlgItem(gamma, IDC_GAMMA_GRID), &r);
    MapWindowPoints(nullptr, gamma, reinterpret_cast<POINT*>(&r), 2);
    return CaptureClient(gamma, r);
  }
  ScreenPixels Shot() {
    SetWindowPos(preview, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump(100);
    return CaptureClient(preview, kFrame);
  }
  // The Scan button's page.
  test::RgbPage ScanPage() {
    MouseTo(CentreOf(main, IDC_SCAN));
    Button(true);
    Button(false, false);
    if (!TwAppWaitForRequest(&app, MSG_XFERREADY, 20000)) {
      ADD_FAILURE() << "no transfer-ready request";
      return test::RgbPage{};
    }
    const test::XferResult r = test::MemoryXfer(kChannel);
    EXPECT_EQ(r.Rc, TWRC_XFERDONE) << r.Error;
    EXPECT_EQ(Pending(MSG_ENDXFER), 0);
    Pump(300);
    return r.Page;
  }
  // Save... or Load... with the file named by the other hand.
  void UseFile(int button, const std::string& path) {
    std::wstring title;
    std::thread hand = AnswerFileDialog(&title, path);
    ClickAt(CentreOf(gamma, button));
    hand.join();
    Pump(500);
    EXPECT_EQ(title, button == IDC_GAMMA_SAVE ? L"Save Gamma Table" : L"Load Gamma Table");
  }
  std::vector<std::wstring> Boxes() {
    std::vector<std::wstring> all;
    for (int i = 0; i < 100 && all.empty(); ++i) {
      all = BoxWatchTake(&boxes);
      if (all.empty()) Pump(20);
    }
    return all;
  }
  void CloseAll() {
    if (app.SourceOpen) {
      Disable();
      Close();
    }
  }
  HWND main = nullptr, preview = nullptr, gamma = nullptr;
};

// Pixels of `after` that are not `before` through `table`, grey or colour.
int OffTable(const ScreenPixels& before, const ScreenPixels& after, const std::vector<int>& table) {
  if (after.Pixels.size() != before.Pixels.size()) return -1;
  int wrong = 0;
  for (size_t i = 0; i < before.Pixels.size(); ++i) {
    const uint32_t p = before.Pixels[i], q = after.Pixels[i];
    wrong += RedOf(q) != table[size_t(RedOf(p))] || GreenOf(q) != table[size_t(GreenOf(p))] ||
             BlueOf(q) != table[size_t(BlueOf(p))];
  }
  return wrong;
}
int OffTable(const test::RgbPage& before, const test::RgbPage& after, const std::vector<int>& table) {
  if (after.Rgb.size() != before.Rgb.size() || before.Rgb.empty()) return -1;
  int wrong = 0;
  for (size_t i = 0; i < before.Rgb.size(); ++i) wrong += after.Rgb[i] != table[before.Rgb[i]];
  return wrong;
}

std::vector<int> Diagonal() {
  std::vector<int> t(256);
  for (int i = 0; i < 256; ++i) t[size_t(i)] = i;
  return t;
}

TEST_F(GammaTest, ClicksOnTheGridReachThePreviewAndThePage) {
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  const ScreenPixels linear = Shot();
  const test::RgbPage base = ScanPage();
  ASSERT_FALSE(base.Rgb.empty());

  ASSERT_NO_FATAL_FAILURE(OpenGamma());
  EXPECT_EQ(Text(gamma, IDC_GAMMA_CHANNEL), L"Gray");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(gamma, IDC_GAMMA_CHANNEL_MENU)));
  EXPECT_EQ(Text(gamma, IDC_GAMMA_EDIT), L"1.00");
  ASSERT_EQ(IsDlgButtonChecked(gamma, IDC_GAMMA_CHECK), BST_CHECKED);
  // A typed gamma of 2.00 after the refresh: ceiling(255 (i / 255) ^ 0.5);
  // 0.05 is refused on closing; 1.00 again.
  TypeGamma(L"2.00");
  std::vector<int> root(256);
  for (int i = 0; i < 256; ++i) root[size_t(i)] = int(std::ceil(255 * std::pow(i / 255.0, 0.5)));
  EXPECT_EQ(OffTable(linear, Shot(), root), 0) << "preview against gamma 2.00";
  TypeGamma(L"0.05");
  PostMessageW(gamma, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump(300);
  ASSERT_TRUE(IsWindow(gamma)) << "closed over gamma 0.05";
  TypeGamma(L"1.00");
  // A gamma value's curve takes no points.
  const ScreenPixels valueGrid = Grid();
  Place(128, 200);
  EXPECT_TRUE(Grid().Pixels == valueGrid.Pixels) << "a click changed a gamma value's curve";

  // "Gamma:" off: the curve of 1.00 is drawn through its end points.
  ClickAt(CentreOf(gamma, IDC_GAMMA_CHECK));
  EXPECT_EQ(IsDlgButtonChecked(gamma, IDC_GAMMA_CHECK), BST_UNCHECKED);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(gamma, IDC_GAMMA_EDIT)));
  Place(128, 200);
  const ScreenPixels lifted = Shot();
  test::RgbPage page = ScanPage();
  Curve c = StoredGreyCurve();
  EXPECT_EQ(c.Points, (std::vector<int>{0, 128, 255}));
  ASSERT_EQ(c.Values.size(), 256u);
  EXPECT_EQ(c.Values[128], 200);
  EXPECT_EQ(OffTable(linear, lifted, c.Values), 0) << "preview against the stored curve";
  EXPECT_EQ(OffTable(base, page, c.Values), 0) << "page against the stored curve";

  // Within 12 levels the point moves; at level 5 the end point at 0 goes
  // and the curve is flat left of the new point.
  Place(135, 100);
  Place(5, 60);
  const ScreenPixels shaped = Shot();
  page = ScanPage();
  c = StoredGreyCurve();
  EXPECT_EQ(c.Points, (std::vector<int>{5, 135, 255}));
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(c.Values[size_t(i)], 60) << i;
  EXPECT_EQ(c.Values[135], 100);
  EXPECT_EQ(OffTable(linear, shaped, c.Values), 0) << "preview against the stored curve";
  EXPECT_EQ(OffTable(base, page, c.Values), 0) << "page against the stored curve";

  // "Gamma:" on and off again: the diagonal through 0 and 255; a point on
  // it keeps it, and the preview shows the linear scan again.
  ClickAt(CentreOf(gamma, IDC_GAMMA_CHECK));
  ClickAt(CentreOf(gamma, IDC_GAMMA_CHECK));
  Place(100, 100);
  EXPECT_EQ(OffTable(linear, Shot(), Diagonal()), 0);
  page = ScanPage();
  c = StoredGreyCurve();
  EXPECT_EQ(c.Points, (std::vector<int>{0, 100, 255}));
  EXPECT_EQ(c.Values, Diagonal());

  // Cancel: the curves of the last Scan, whatever came after it.
  Place(60, 200);
  EXPECT_NE(OffTable(linear, Shot(), Diagonal()), 0);
  Click(gamma, IDCANCEL);
  Pump(400);
  EXPECT_EQ(OffTable(linear, Shot(), Diagonal()), 0) << "Cancel left the later point";
  CloseAll();
}

TEST_F(GammaTest, CurvesGoToAGammaFileAndComeBackDamagedOrLockedFilesAreRefused) {
  // Red chosen in an earlier session, and the lock on (the default): in
  // colour red, green and blue follow the RGB curve, which is the one
  // shown; the window follows the mode to grey.
  SetIni(GammaIni(), "User", "GammaColor", "1");
  ASSERT_NO_FATAL_FAILURE(OpenWindow());
  Choose(main, CMD_MODE_FULL);
  ASSERT_NO_FATAL_FAILURE(OpenGamma());
  EXPECT_EQ(Text(gamma, IDC_GAMMA_CHANNEL), L"RGB");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(gamma, IDC_GAMMA_CHANNEL_MENU)));
  Choose(main, CMD_MODE_GREY);
  EXPECT_EQ(Text(gamma, IDC_GAMMA_CHANNEL), L"Gray");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(gamma, IDC_GAMMA_CHANNEL_MENU)));
  const std::string saved = Work("SHAPE.GMA"), again = Work("AGAIN.GMA");
  for (const std::string& f : {saved, again, Work("SHORT.GMA"), Work("BADTYPE.GMA")}) {
    SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(f.c_str());
  }
  ClickAt(CentreOf(gamma, IDC_GAMMA_CHECK));
  Place(64, 150);
  Place(192, 90);
  UseFile(IDC_GAMMA_SAVE, saved);
  const std::vector<uint8_t> bytes = ReadBytes(saved);
  ASSERT_EQ(bytes.size(), kGmaBytes);
  EXPECT_EQ(bytes[0], 5) << "the channel shown";
  const uint8_t* grey = bytes.data() + kGreySection;
  std::vector<int> points;
  for (int i = 0; i < 256; ++i)
    if (grey[i]) points.push_back(i);
  EXPECT_EQ(points, (std::vector<int>{0, 64, 192, 255}));
  EXPECT_EQ(grey[257 + 64], 150);
  EXPECT_EQ(grey[257 + 192], 90);
  const ScreenPixels shapeGrid = Grid(), shapePreview = Shot();

  // Another shape, then the file: the grid and the preview of the file,
  // and saved again every byte of it.
  Place(128, 250);
  ASSERT_FALSE(Grid().Pixels == shapeGrid.Pixels);
  UseFile(IDC_GAMMA_LOAD, saved);
  EXPECT_TRUE(Grid().Pixels == shapeGrid.Pixels);
  EXPECT_TRUE(Shot().Pixels == shapePreview.Pixels);
  UseFile(IDC_GAMMA_SAVE, again);
  EXPECT_TRUE(ReadBytes(again) == bytes) << "the five curves did not come back";

  // A byte short, and a curve type of 7: refused by name, nothing changed.
  Place(128, 250);
  const ScreenPixels changedGrid = Grid(), changedPreview = Shot();
  std::vector<uint8_t> damaged(bytes.begin(), bytes.end() - 1);
  WriteBytes(Work("SHORT.GMA"), damaged);
  damaged = bytes;
  damaged[22 + 2 * 4] = 7;
  WriteBytes(Work("BADTYPE.GMA"), damaged);
  for (const char* name : {"SHORT.GMA", "BADTYPE.GMA"}) {
    UseFile(IDC_GAMMA_LOAD, Work(name));
    const std::vector<std::wstring> shown = Boxes();
    ASSERT_EQ(shown.size(), 1u) << name;
    EXPECT_NE(shown[0].find(Wide(name)), std::wstring::npos) << Utf8(shown[0]);
    EXPECT_TRUE(Grid().Pixels == changedGrid.Pixels) << name;
    EXPECT_TRUE(Shot().Pixels == changedPreview.Pixels) << name;
  }

  // A read-only target: 16033 and the file as it was.
  SetFileAttributesA(saved.c_str(), FILE_ATTRIBUTE_READONLY);
  UseFile(IDC_GAMMA_SAVE, saved);
  const std::vector<std::wstring> shown = Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find(L"because file is locked"), std::wstring::npos) << Utf8(shown[0]);
  EXPECT_NE(shown[0].find(L"SHAPE.GMA"), std::wstring::npos) << Utf8(shown[0]);
  EXPECT_TRUE(ReadBytes(saved) == bytes);
  SetFileAttributesA(saved.c_str(), FILE_ATTRIBUTE_NORMAL);
  CloseAll();
}

}  // namespace
}  // namespace wq
