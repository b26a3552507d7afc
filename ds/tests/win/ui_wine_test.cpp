// The scanning window through Wine's TWAIN manager, driven as a user drives
// it: the application enables the source with its user interface, chooses
// a mode, a resolution and an area from the menus, takes a preview, presses
// Scan, receives the transfer-ready request through its message loop and
// takes the page by memory transfer; the page must have what was chosen.
// Closing the window asks the application to close the source; disabling
// hides it and enabling again shows the same window. In English and in
// Japanese (country 81).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ds/res/ui_ids.h"
#include "ds/scan/geometry.h"
#include "ds/tests/page_facts.h"
#include "ds/tests/win/ui_fixture.h"

namespace wq {
namespace {

using namespace wine;

using namespace uitest;

class UiTest : public UiFixture {
 protected:
  std::string WorkFile() { return SourceDir() + "@PRTMP1.IMG"; }

  // Everything from enabling to the transferred page and the close request.
  void Session(int modeCommand, int resCommand, int dpi, int kind, TW_INT16 pixelType,
               TW_INT16 bitDepth) {
    ASSERT_EQ(Open(), TWRC_SUCCESS);
    ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
    EXPECT_EQ(modal, 0);  // always modeless
    HWND main = MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
    wchar_t title[64];
    GetWindowTextW(main, title, 64);
    EXPECT_EQ(std::wstring(title), L"KORVA WQ220");

    // Enabled (state 5): capabilities still answer, but only an application
    // in state 4 may change them; the window's settings stay as they are.
    TW_CAPABILITY cap{ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
    ASSERT_EQ(TwAppCall(&app, DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &cap), TWRC_SUCCESS);
    GlobalFree(cap.hContainer);
    EXPECT_EQ(TwAppSetOneValue(&app, ICAP_PIXELTYPE, TWTY_UINT16, TWPT_BW), TWRC_FAILURE);
    EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SEQERROR);

    // The source already in use: nothing is asked (a box would fail the test).
    const std::wstring source = Text(main, IDC_SOURCE_TEXT);
    EXPECT_FALSE(source.empty());
    Choose(main, CMD_SOURCE_FLATBED);
    EXPECT_EQ(Text(main, IDC_SOURCE_TEXT), source);

    if (modeCommand == CMD_MODE_FULL) Choose(main, CMD_MODE_GREY);  // full colour is the default
    const std::wstring modeBefore = Text(main, IDC_MODE_TEXT);
    Choose(main, modeCommand);
    EXPECT_NE(Text(main, IDC_MODE_TEXT), modeBefore);
    EXPECT_FALSE(Text(main, IDC_MODE_TEXT).empty());
    Choose(main, resCommand);
    EXPECT_EQ(Text(main, IDC_RES_TEXT), std::to_wstring(dpi) + L" dpi");
    Choose(main, CMD_AREA_4X5);
    EXPECT_FALSE(Text(main, IDC_AREA_TEXT).empty());

    // The preview: scanned, kept in its work file.
    DeleteFileA(WorkFile().c_str());
    Click(main, IDC_PREVIEW);
    Pump(500);
    for (int i = 0; i < 100 && !FileExists(WorkFile()); ++i) Pump(100);
    EXPECT_TRUE(FileExists(WorkFile()));

    // Scan: the request arrives through the loop; state 6.
    Click(main, IDC_SCAN);
    ASSERT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 20000));
    EXPECT_EQ(Pending(MSG_GET), 0);
    const test::XferResult r = test::MemoryXfer(kChannel);
    ASSERT_EQ(r.Rc, TWRC_XFERDONE) << r.Error;
    EXPECT_EQ(r.Info.PixelType, pixelType);
    EXPECT_EQ(r.Info.BitsPerPixel, bitDepth);
    EXPECT_EQ(r.Info.XResolution.Whole, dpi);
    EXPECT_EQ(r.Info.YResolution.Whole, dpi);
    // The 4 x 5 inch paper.
    EXPECT_EQ(r.Info.ImageWidth, 4 * dpi);
    EXPECT_EQ(r.Info.ImageLength, 5 * dpi);
    EXPECT_EQ(r.Page.Width, uint32_t(4 * dpi));
    EXPECT_EQ(r.Page.Height, uint32_t(5 * dpi));
    // And the page's content where the paper lies on the bed.
    AreaRect paper;
    ASSERT_TRUE(PaperRect(2, 6, &paper));
    const test::ScanFrame frame{paper.Left - kBedLeft, paper.Top - kBedTop, dpi, dpi};
    for (const std::string& fault : test::CheckPageFacts(r.Page, frame, kind)) {
      // The paper's 4 inches hold only part of the grey ramp: it rises,
      // but not by as much as across the whole page.
      if (fault.rfind("grey ramp rises only", 0) == 0) continue;
      ADD_FAILURE() << fault;
    }
    EXPECT_EQ(Pending(MSG_ENDXFER), 0);
    EXPECT_TRUE(IsWindowVisible(main));  // state 5: the window stays for the next page

    // Closing the window asks the application to close the source.
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(TwAppWaitForRequest(&app, MSG_CLOSEDSREQ, 5000));
    EXPECT_TRUE(IsWindow(main));  // the application decides

    // Disabled: hidden; enabled again: the same window comes back.
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
    EXPECT_FALSE(IsWindowVisible(main));
    ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
    EXPECT_EQ(MainWindow(), main);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(Text(main, IDC_RES_TEXT), std::to_wstring(dpi) + L" dpi");
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
    ASSERT_EQ(Close(), TWRC_SUCCESS);
    EXPECT_EQ(MainWindow(), nullptr);
    // Closing the source deletes the preview's work files.
    EXPECT_FALSE(FileExists(WorkFile()));
  }
};

// Another source asks first and switches only when the user agrees; the
// source in use asks nothing.
TEST_F(UiTest, ChoosingTheFeederAsksFirst) {
  ASSERT_TRUE(ConfigureBus(OneScanner("WQ220", "adf=1 sheets=0").c_str()));
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
  HWND main = MainWindow();
  ASSERT_NE(main, nullptr);
  // No paper: the flatbed is in use (looking for paper leaves the feeder
  // chosen on the scanner; every scan chooses its source again).
  EXPECT_EQ(Text(main, IDC_SOURCE_TEXT), L"Reflective");

  BoxWatchAnswer(&boxes, IDCANCEL);
  Choose(main, CMD_SOURCE_ADF);
  std::vector<std::wstring> asked = BoxWatchTake(&boxes);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(Utf8(asked[0]), "Each setting becomes a default.");
  EXPECT_EQ(Text(main, IDC_SOURCE_TEXT), L"Reflective");

  Choose(main, CMD_SOURCE_ADF);  // answered OK
  EXPECT_EQ(BoxWatchTake(&boxes).size(), 1u);
  EXPECT_EQ(Text(main, IDC_SOURCE_TEXT), L"ADF");
  EXPECT_EQ(Describe()["source"], "feeder");

  Choose(main, CMD_SOURCE_ADF);
  EXPECT_TRUE(BoxWatchTake(&boxes).empty());
  Choose(main, CMD_SOURCE_FLATBED);
  EXPECT_EQ(BoxWatchTake(&boxes).size(), 1u);
  EXPECT_EQ(Text(main, IDC_SOURCE_TEXT), L"Reflective");
  EXPECT_EQ(Describe()["source"], "flatbed");
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

TEST_F(UiTest, EnglishGreyPageFromTheWindow) {
  Session(CMD_MODE_GREY, CMD_RES_100, 100, 3, TWPT_GRAY, 8);
  EXPECT_EQ(GetIni(MainIni(), "Scanner", "Model"), "2");
}

TEST_F(UiTest, JapaneseColourPageFromTheWindow) {
  SetCountry(81);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
  HWND main = MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(Text(main, IDC_MODE_LABEL), Wide("モード :"));
  // The font the texts are drawn in.
  HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageW(main, IDC_MODE_LABEL, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  ASSERT_TRUE(font && GetObjectW(font, sizeof lf, &lf));
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"MS UI Gothic");
  EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET) << Utf8(lf.lfFaceName) << " " << lf.lfHeight;
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  Session(CMD_MODE_FULL, CMD_RES_72, 72, 6, TWPT_RGB, 24);
}

TEST_F(UiTest, BlackAndWhiteFromFreshSettings) {
  Session(CMD_MODE_MONO_THRESHOLD, CMD_RES_72, 72, 1, TWPT_BW, 1);
}

TEST_F(UiTest, DisplayChangeForgetsOpenToolWindows) {
  auto session = [&](bool* prefShown) {
    ASSERT_EQ(Open(), TWRC_SUCCESS);
    ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
    Pump(200);
    *prefShown = WindowWith(IDC_PREF_SHOWINFO) != nullptr;
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
    ASSERT_EQ(Close(), TWRC_SUCCESS);
  };
  bool shown = true;
  session(&shown);
  EXPECT_FALSE(shown);
  const std::string width = GetIni(MainIni(), "Preview", "MoniterWidth");
  ASSERT_NE(width, "<missing>");
  ASSERT_NE(width, "0");
  // The same display: the preferences window left open comes back open.
  SetIni(MainIni(), "Preference", "PrefOpen", "1");
  session(&shown);
  EXPECT_TRUE(shown);
  EXPECT_EQ(GetIni(MainIni(), "Preference", "PrefOpen"), "1");
  // Another screen width: placements and open flags are forgotten.
  SetIni(MainIni(), "Preview", "MoniterWidth", std::to_string(std::stoi(width) + 1).c_str());
  session(&shown);
  EXPECT_FALSE(shown);
  EXPECT_EQ(GetIni(MainIni(), "Preference", "PrefOpen"), "0");
  EXPECT_EQ(GetIni(MainIni(), "Preview", "MoniterWidth"), width);
}

TEST_F(UiTest, AnImageTallerThan32767LinesIsRefused) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
  HWND main = MainWindow();
  ASSERT_NE(main, nullptr);
  // Legal paper, 14 inches of the bed, at a custom 2,400 dpi: 33,600 lines.
  Choose(main, CMD_AREA_LEGAL);
  Choose(main, CMD_RES_CUSTOM);
  HWND res = WindowWith(IDC_RESO_X);
  ASSERT_NE(res, nullptr);
  SetDlgItemTextW(res, IDC_RESO_X, L"2400");
  Pump(200);
  EXPECT_EQ(Text(main, IDC_RES_TEXT), L"2400 dpi");
  Click(main, IDC_SCAN);
  EXPECT_FALSE(TwAppWaitForRequest(&app, MSG_XFERREADY, 2000));
  const std::vector<std::wstring> shown = BoxWatchTake(&boxes);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find(L"too long(>32767 pixels)"), std::wstring::npos) << Utf8(shown[0]);
  EXPECT_EQ(SendDlgItemMessageW(main, IDC_SCAN, BM_GETCHECK, 0, 0), 0);  // released
  // 1,200 dpi (16,800 lines) is accepted.
  SetDlgItemTextW(res, IDC_RESO_X, L"1200");
  Pump(200);
  Click(main, IDC_SCAN);
  EXPECT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 5000));
  EXPECT_TRUE(BoxWatchTake(&boxes).empty());
  TW_UINT16 rc;
  Pending(MSG_RESET, &rc);
  EXPECT_EQ(rc, TWRC_SUCCESS);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

}  // namespace
}  // namespace wq
