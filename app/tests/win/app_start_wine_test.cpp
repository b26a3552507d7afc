// SCANWQ32.EXE starting and ending: the settings file, the single-instance
// rule, and its texts in both languages as the resources carry them.
#include <gtest/gtest.h>

#include "app/tests/win/app_harness.h"
#include "app/win/resource.h"

namespace apptest {
namespace {

class Start : public ::testing::Test {
 protected:
  void TearDown() override {
    if (app_.process.hProcess) {
      Command(app_, IDM_EXIT);
      if (!WaitExit(&app_, 10000)) Kill(&app_);
    }
    SetCountry(1);
  }
  App app_;
};

TEST_F(Start, FirstRunWritesTheDefaults) {
  RemoveIni();
  ASSERT_TRUE(Launch(&app_));
  EXPECT_TRUE(WaitUntil([] { return IniValue("ScanWQ Optional Setting", "BlackIsZero") == "1"; }));
  EXPECT_EQ(IniValue("File process", "List Files of Type"), "BMP");
  EXPECT_EQ(IniValue("File process", "Directories"), "C:\\KORVA");
  EXPECT_EQ(IniValue("File process", "Drives"), "C:\\");
  EXPECT_EQ(IniValue("File process", "Tiff option"), "IBM PC");
  EXPECT_EQ(IniValue("ScanWQ Optional Setting", "Workdrive"), "C:");
  EXPECT_EQ(IniValue("ScanWQ Optional Setting", "AutoAquire"), "1");
  EXPECT_EQ(Text(app_.frame), L"ScanWQ32/WIN V1.01");
}

TEST_F(Start, MissingWorkDriveIsReplacedAndWrittenBack) {
  WriteIni("0", "1", "Q");
  ASSERT_TRUE(Launch(&app_));
  EXPECT_TRUE(WaitUntil([] { return IniValue("ScanWQ Optional Setting", "Workdrive") == "C:"; }));
}

TEST_F(Start, SecondStartEndsSilently) {
  WriteIni("0");
  ASSERT_TRUE(Launch(&app_));
  App second;
  Launch(&second);  // finds no frame of its own
  DWORD code = 99;
  ASSERT_TRUE(WaitExit(&second, 15000, &code));
  EXPECT_EQ(code, 0u);
  // The first copy is still the only one, and shows no box.
  Box box;
  EXPECT_FALSE(WaitBox(app_, &box, 500));
  EXPECT_TRUE(IsWindow(app_.frame));
}

TEST_F(Start, ExitEndsTheProgram) {
  WriteIni("0");
  ASSERT_TRUE(Launch(&app_));
  Command(app_, IDM_EXIT);
  DWORD code = 99;
  EXPECT_TRUE(WaitExit(&app_, 10000, &code));
  EXPECT_EQ(code, 0u);
}

TEST_F(Start, AboutBoxShowsTheVersion) {
  WriteIni("0");
  ASSERT_TRUE(Launch(&app_));
  Command(app_, IDM_ABOUT);
  HWND about = WaitDialog(app_, L"About KORVA ScanWQ");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Text(GetDlgItem(about, IDC_VERSION)), L"Version V1.01");
  Press(about, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
}

// The status bar's progress: the part done of the message field turns dark.
TEST_F(Start, ProgressInvertsTheMessageField) {
  WriteIni("0");
  ASSERT_TRUE(Launch(&app_));
  HWND bar = FindWindowExW(app_.frame, nullptr, L"StatusBar", nullptr);
  ASSERT_NE(bar, nullptr);
  RECT r{};
  ASSERT_TRUE(WaitUntil([&] { return GetClientRect(bar, &r) && r.right > 100 && IsWindowVisible(bar); }));
  Sleep(500);  // its first paint
  SendMessageW(bar, WM_COMMAND, IDM_PROGRESS, MAKELPARAM(40, 100));
  // Read off the screen: another program's window has no pixels for us.
  auto brightness = [&](double at) {
    POINT p{LONG(r.right * at), r.bottom / 2};
    ClientToScreen(bar, &p);
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
  };
  // Other tests' windows share the display: the frame stays on top while
  // its pixels are read.
  SetWindowPos(app_.frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // The message field runs from about a tenth of the bar to about four fifths.
  EXPECT_TRUE(WaitUntil([&] { return brightness(0.2) < 100; }, 20000)) << brightness(0.2);
  EXPECT_GT(brightness(0.7), 300);
  SendMessageW(bar, WM_COMMAND, IDM_PROGRESS, MAKELPARAM(100, 100));
  EXPECT_TRUE(WaitUntil([&] { return brightness(0.7) < 100; }));
}

// The texts through windres and LoadStringW: every message in both
// languages, the drive placeholder where it is filled, and a Japanese text
// byte for byte.
class Resources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA("C:\\KORVA\\SCANWQ32.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }
  std::wstring String(UINT id) {
    wchar_t text[512] = L"";
    const int n = LoadStringW(module_, id, text, 512);
    return std::wstring(text, size_t(n));
  }
  HMODULE module_ = nullptr;
};

TEST_F(Resources, EveryMessageInBothLanguages) {
  for (int n = 0; n <= 43; ++n) {
    const std::wstring en = String(IDS_MSG_EN + n), ja = String(IDS_MSG_JA + n);
    EXPECT_FALSE(en.empty()) << n;
    EXPECT_FALSE(ja.empty()) << n;
    bool japanese = false;
    for (wchar_t c : ja) japanese = japanese || c >= 0x3000;
    EXPECT_TRUE(japanese) << n;
    // Line breaks survive the resource compiler.
    EXPECT_EQ(en.find(L"\\n"), std::wstring::npos) << n;
  }
  EXPECT_EQ(String(IDS_MSG_EN + 12), L"Can't open a file.\nThis file is already open.");
  EXPECT_EQ(String(IDS_MSG_JA + 12),
            L"\u30d5\u30a1\u30a4\u30eb\u3092\u958b\u3051\u307e\u305b\u3093\u3002\n"
            L"\u3053\u306e\u30d5\u30a1\u30a4\u30eb\u306f\u3059\u3067\u306b\u958b\u3044\u3066"
            L"\u3044\u307e\u3059\u3002");
  for (int n : {2, 13, 14, 15, 16}) {
    EXPECT_EQ(String(IDS_MSG_EN + n).substr(31, 6), L"     .") << n;
    EXPECT_EQ(String(IDS_MSG_JA + n).substr(8, 4), L"    ") << n;
  }
  EXPECT_EQ(String(IDS_TITLE), L"ScanWQ32/WIN V1.01");
  EXPECT_EQ(String(IDS_TWAIN32), L"TWAIN_32.DLL");
}

// The Japanese dialogs name a Japanese face and character set.
TEST_F(Resources, JapaneseDialogsNameAJapaneseFace) {
  for (const wchar_t* name : {L"AboutDlg_japan", L"TIFFOPTION_Japan", L"FILEOPEN_Japan",
                              L"FILESAVE_Japan"}) {
    HRSRC res = FindResourceW(module_, name, reinterpret_cast<LPCWSTR>(RT_DIALOG));
    ASSERT_NE(res, nullptr);
    const auto* p = static_cast<const WORD*>(LockResource(LoadResource(module_, res)));
    ASSERT_EQ(p[1], 0xFFFF);  // DLGTEMPLATEEX
    // After the fixed part: menu, class and title strings, then the font.
    const WORD* q = p + 13;
    for (int i = 0; i < 3; ++i) {
      if (*q == 0xFFFF) q += 2;
      else while (*q++) {}
    }
    const BYTE charset = reinterpret_cast<const BYTE*>(q)[5];
    EXPECT_EQ(charset, SHIFTJIS_CHARSET) << name;
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(q + 3)), L"MS UI Gothic") << name;
  }
  HMENU menu = LoadMenuW(module_, L"MainMenu_Japan");
  ASSERT_NE(menu, nullptr);
  wchar_t text[64] = L"";
  GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(text), L"\u30d5\u30a1\u30a4\u30eb(&F)");
  DestroyMenu(menu);
}

}  // namespace
}  // namespace apptest
