// "SCSI Information" through Wine's TWAIN manager on the virtual bus, worked
// as a user works it: opened from the Preferences window of the scanning
// window (or by an open that found no scanner of the family), read, its
// board menu, radio buttons, ReScan, OK and Cancel clicked at their places on
// the screen. The dialog is modal on the test's thread, so a second thread
// works it (scsi_watch.h). In English and in Japanese (country 81).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ds/res/ui_ids.h"
#include "ds/tests/builtin_text.h"
#include "ds/tests/win/scsi_watch.h"
#include "ds/tests/win/ui_fixture.h"

namespace wq {
namespace {

using namespace wine;
using namespace uitest;
using namespace scsitest;

// What the dialog showed at one moment.
struct RowSeen {
  bool Label, Radio, RadioShown, Checked;
  std::wstring Type, Vendor, Product, Revision;
};
struct Seen {
  std::wstring Caption, Adapter;
  bool Board = false, Ok = false;
  RowSeen Rows[8];
};
Seen Look(HWND d) {
  Seen s;
  wchar_t caption[64] = L"";
  GetWindowTextW(d, caption, 64);
  s.Caption = caption;
  s.Adapter = TextOf(d, IDC_SCSI_ADAPTER);
  s.Board = IsWindowEnabled(GetDlgItem(d, IDC_SCSI_BOARD));
  s.Ok = IsWindowEnabled(GetDlgItem(d, IDOK));
  for (int id = 0; id < 8; ++id) {
    RowSeen& r = s.Rows[id];
    r.Label = IsWindowEnabled(GetDlgItem(d, IDC_SCSI_ID_FIRST + id));
    r.Radio = IsWindowEnabled(GetDlgItem(d, IDC_SCSI_RADIO_FIRST + id));
    r.RadioShown = IsWindowVisible(GetDlgItem(d, IDC_SCSI_RADIO_FIRST + id));
    r.Checked = SendDlgItemMessageW(d, IDC_SCSI_RADIO_FIRST + id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    r.Type = TextOf(d, IDC_SCSI_TYPE_FIRST + id);
    r.Vendor = TextOf(d, IDC_SCSI_VENDOR_FIRST + id);
    r.Product = TextOf(d, IDC_SCSI_PRODUCT_FIRST + id);
    r.Revision = TextOf(d, IDC_SCSI_REVISION_FIRST + id);
  }
  return s;
}

// A device the bus has at an id (the others are empty).
struct Want {
  int Id;
  const wchar_t* Type;
  const wchar_t* Vendor;
  const wchar_t* Product;
  const wchar_t* Revision;
  bool Radio;
};
// vscsi/default.cfg, whose adapters have their own id 7, and the WQ215
// switch off.
const std::vector<Want> kDefaultBoard0 = {
    {2, L"SCAN", L"KORVA", L"WQ140/131", L"1.00", true},
    {3, L"SCAN", L"KORVA", L"WQ215/121", L"1.00", false},
    {4, L"DISK", L"VIRTDISK", L"VD-1080S", L"1.10", false},
    {5, L"ROM", L"VIRTCD", L"VCD-ROM 4X", L"2.00", false},
    {7, L"CPU", L"ASPI for", L"VSCSI 2940 #0", L"", false},
};
const std::vector<Want> kDefaultBoard1 = {
    {1, L"SCAN", L"KORVA", L"WQ220/221", L"1.00", true},
    {2, L"SCAN", L"KORVA", L"WQ490/101", L"1.00", true},
    {3, L"SCAN", L"KORVA", L"WQ210/205", L"1.00", false},  // no identity code
    {4, L"SCAN", L"ACMEIMG", L"FLATBED 2400", L"3.01", false},
    {7, L"CPU", L"ASPI for", L"VSCSI 1542 #1", L"", false},
};

void ExpectRows(const Seen& s, const std::vector<Want>& want, int checked) {
  for (int id = 0; id < 8; ++id) {
    SCOPED_TRACE(testing::Message() << "id " << id);
    const RowSeen& r = s.Rows[id];
    const Want* w = nullptr;
    for (const Want& c : want)
      if (c.Id == id) w = &c;
    EXPECT_EQ(r.Label, w != nullptr);
    EXPECT_EQ(r.RadioShown, w != nullptr);  // greyed where a device cannot be chosen
    EXPECT_EQ(r.Checked, id == checked);
    if (!w) {
      EXPECT_FALSE(r.Radio);
      EXPECT_EQ(r.Type + r.Vendor + r.Product + r.Revision, L"");
      continue;
    }
    EXPECT_EQ(Utf8(r.Type), Utf8(w->Type));
    EXPECT_EQ(Utf8(r.Vendor), Utf8(w->Vendor));
    EXPECT_EQ(Utf8(r.Product), Utf8(w->Product));
    EXPECT_EQ(Utf8(r.Revision), Utf8(w->Revision));
    EXPECT_EQ(r.Radio, w->Radio);
  }
}

class ScsiTest : public UiFixture {
 protected:
  void SetUp() override {
    UiFixture::SetUp();
    ASSERT_TRUE(ConfigureBus(DefaultBus()));
  }
  // Opens the source with its window and the Preferences window.
  HWND OpenPreferences() {
    if (Open() != TWRC_SUCCESS || EnableWithWindow() != TWRC_SUCCESS) return nullptr;
    HWND main = MainWindow();
    if (!main) return nullptr;
    ClickAt(CentreOf(main, IDC_PREF_BUTTON));
    Pump(300);
    return WindowWith(IDC_PREF_SCSI);
  }
  // Clicks "SCSI Information..." and lets `script` work the dialog from the
  // watching thread; the click returns when the dialog has closed. False
  // when no dialog came.
  bool RunDialog(HWND preferences, std::function<void(HWND)> script) {
    ScsiWatch watch;
    ScsiWatchStart(&watch, std::move(script));
    app.Requests.clear();
    ClickAt(CentreOf(preferences, IDC_PREF_SCSI));
    for (int i = 0; i < 100 && Dialog(); ++i) Pump(100);
    return ScsiWatchFinish(&watch);
  }
  // The application was asked to close the source (perhaps while the
  // dialog's click was still being handled).
  bool CloseRequested(DWORD ms) {
    for (TW_UINT16 r : app.Requests)
      if (r == MSG_CLOSEDSREQ) return true;
    return TwAppWaitForRequest(&app, MSG_CLOSEDSREQ, ms);
  }
  std::wstring Title() {
    wchar_t title[64] = L"";
    GetWindowTextW(MainWindow(), title, 64);
    return title;
  }
  void Reopen() {
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
    ASSERT_EQ(Close(), TWRC_SUCCESS);
    ASSERT_EQ(Open(), TWRC_SUCCESS);
    ASSERT_EQ(EnableWithWindow(), TWRC_SUCCESS);
  }

  // Every device on both adapters, the first one's scanner in use.
  void ListsBothAdapters(bool japanese) {
    if (japanese) SetCountry(81);
    HWND pref = OpenPreferences();
    ASSERT_NE(pref, nullptr);
    Seen first, second, afterBack;
    std::vector<std::wstring> menu, menuAgain;
    LOGFONTW font{};
    ASSERT_TRUE(RunDialog(pref, [&](HWND d) {
      first = Look(d);
      HFONT f = reinterpret_cast<HFONT>(SendDlgItemMessageW(d, IDC_SCSI_PRODUCT_FIRST, WM_GETFONT, 0, 0));
      if (f) GetObjectW(f, sizeof font, &font);
      menu = UseBoardMenu(d, 1);
      second = Look(d);
      menuAgain = UseBoardMenu(d, 0);
      afterBack = Look(d);
      ClickCancel(d);
    }));
    EXPECT_EQ(Utf8(first.Caption), japanese ? "SCSI情報" : "SCSI Information");
    EXPECT_EQ(Utf8(first.Adapter), "VSCSI 2940 #0");
    EXPECT_TRUE(first.Board);  // two adapters
    EXPECT_TRUE(first.Ok);
    {
      SCOPED_TRACE("adapter 0");
      ExpectRows(first, kDefaultBoard0, 2);
    }
    const std::string board = japanese ? "ボード #" : "Board #";
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(Utf8(menu[0]), "*" + board + "0");
    EXPECT_EQ(Utf8(menu[1]), board + "1");
    EXPECT_EQ(Utf8(second.Adapter), "VSCSI 1542 #1");
    {
      SCOPED_TRACE("adapter 1");
      ExpectRows(second, kDefaultBoard1, -1);  // the scanner in use is on adapter 0
    }
    ASSERT_EQ(menuAgain.size(), 2u);
    EXPECT_EQ(Utf8(menuAgain[1]), "*" + board + "1");
    EXPECT_EQ(afterBack.Rows[2].Checked, true);
    if (japanese) {
      EXPECT_EQ(std::wstring(font.lfFaceName), L"MS UI Gothic");
      EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    }
    // Cancel: nothing asked, nothing stored, the source goes on.
    EXPECT_FALSE(CloseRequested(500));
    EXPECT_EQ(GetIni(MainIni(), "SCSI", "ScannerName"), "<missing>");
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
    ASSERT_EQ(Close(), TWRC_SUCCESS);
  }

  // Another scanner: asked first; Cancel keeps the one in use, OK stores the
  // choice, asks the application to close the source, and the next open
  // uses it.
  void AnotherScanner(bool japanese) {
    if (japanese) SetCountry(81);
    HWND pref = OpenPreferences();
    ASSERT_NE(pref, nullptr);
    EXPECT_EQ(Utf8(Title()), "KORVA WQ140");
    BoxWatchAnswer(&boxes, IDCANCEL);  // the first 16006; the second gets OK
    Seen chosen, cancelled;
    ASSERT_TRUE(RunDialog(pref, [&](HWND d) {
      UseBoardMenu(d, 1);
      HandClick(d, IDC_SCSI_RADIO_FIRST + 1);  // the WQ220
      chosen = Look(d);
      HandClick(d, IDOK);
      WaitUntil([] { return false; }, 800);    // the box is answered meanwhile
      cancelled = Look(d);
      UseBoardMenu(d, 1);
      HandClick(d, IDC_SCSI_RADIO_FIRST + 1);
      HandClick(d, IDOK);
      WaitUntil([&] { return !IsWindow(d); }, 5000);
    }));
    EXPECT_TRUE(chosen.Rows[1].Checked);
    // Cancel restored the scanner in use, on its own adapter.
    EXPECT_EQ(Utf8(cancelled.Adapter), "VSCSI 2940 #0");
    EXPECT_TRUE(cancelled.Rows[2].Checked);
    EXPECT_FALSE(cancelled.Rows[1].Checked);
    EXPECT_EQ(Dialog(), nullptr);
    const std::vector<std::wstring> asked = BoxWatchTake(&boxes);
    ASSERT_EQ(asked.size(), 2u);
    for (const std::wstring& t : asked)
      EXPECT_EQ(t, Wide(test::FindBuiltinText(japanese ? 17006 : 16006)));
    EXPECT_TRUE(CloseRequested(5000));
    for (const char* suffix : {"", "2"}) {
      SCOPED_TRACE(suffix);
      const std::string s(suffix);
      EXPECT_EQ(GetIni(MainIni(), "SCSI", ("ScannerName" + s).c_str()), "KORVA   WQ220/221       1.00");
      EXPECT_EQ(GetIni(MainIni(), "SCSI", ("BoardID" + s).c_str()), "1");
      EXPECT_EQ(GetIni(MainIni(), "SCSI", ("TargetID" + s).c_str()), "1");
    }
    // The application closes the source and opens it again: the WQ220.
    Reopen();
    EXPECT_EQ(Utf8(Title()), "KORVA WQ220");
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
    ASSERT_EQ(Close(), TWRC_SUCCESS);
  }
};

TEST_F(ScsiTest, ListsEveryDeviceOfBothAdaptersInEnglish) { ListsBothAdapters(false); }
TEST_F(ScsiTest, ListsEveryDeviceOfBothAdaptersInJapanese) { ListsBothAdapters(true); }
TEST_F(ScsiTest, AnotherScannerIsAskedForAndUsedAtTheNextOpen) { AnotherScanner(false); }
TEST_F(ScsiTest, AnotherScannerIsAskedForInJapanese) { AnotherScanner(true); }

TEST_F(ScsiTest, TheScannerInUseClosesWithoutTheMessage) {
  HWND pref = OpenPreferences();
  ASSERT_NE(pref, nullptr);
  bool checked = false;
  ASSERT_TRUE(RunDialog(pref, [&](HWND d) {
    checked = Look(d).Rows[2].Checked;
    HandClick(d, IDC_SCSI_RADIO_FIRST + 2);  // chosen again
    HandClick(d, IDOK);
    WaitUntil([&] { return !IsWindow(d); }, 3000);
  }));
  EXPECT_TRUE(checked);
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_TRUE(BoxWatchTake(&boxes).empty());
  EXPECT_FALSE(CloseRequested(1000));
  EXPECT_EQ(GetIni(MainIni(), "SCSI", "ScannerName"), "<missing>");
  // The scanner in use still scans.
  Click(MainWindow(), IDC_SCAN);
  EXPECT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 20000));
  TW_UINT16 rc;
  Pending(MSG_RESET, &rc);
  EXPECT_EQ(rc, TWRC_SUCCESS);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

TEST_F(ScsiTest, AWQ215IsChosenOnlyWithItsSwitch) {
  HWND pref = OpenPreferences();
  ASSERT_NE(pref, nullptr);
  Seen off;
  ASSERT_TRUE(RunDialog(pref, [&](HWND d) {
    HandClick(d, IDC_SCSI_RADIO_FIRST + 3);  // disabled: nothing happens
    off = Look(d);
    ClickCancel(d);
  }));
  EXPECT_FALSE(off.Rows[3].Radio);
  EXPECT_FALSE(off.Rows[3].Checked);
  EXPECT_TRUE(off.Rows[2].Checked);
  EXPECT_TRUE(BoxWatchTake(&boxes).empty());
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);

  SetIni(MainIni(), "TWAIN", "WQ215", "1");
  pref = OpenPreferences();
  ASSERT_NE(pref, nullptr);
  Seen on;
  ASSERT_TRUE(RunDialog(pref, [&](HWND d) {
    HandClick(d, IDC_SCSI_RADIO_FIRST + 3);
    on = Look(d);
    HandClick(d, IDOK);  // 16006, answered OK
    WaitUntil([&] { return !IsWindow(d); }, 5000);
  }));
  EXPECT_TRUE(on.Rows[3].Radio);
  EXPECT_TRUE(on.Rows[3].Checked);
  EXPECT_FALSE(on.Rows[2].Checked);
  EXPECT_EQ(BoxWatchTake(&boxes).size(), 1u);
  EXPECT_TRUE(CloseRequested(5000));
  Reopen();
  EXPECT_EQ(Utf8(Title()), "KORVA WQ215");
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

// No scanner of the family: the open shows the dialog (modal, inside
// MSG_OPENDS) with OK disabled and fails when it is closed. ReScan finds
// what the bus gained meanwhile.
TEST_F(ScsiTest, AnOpenWithoutAFamilyScannerShowsTheDialog) {
  ASSERT_TRUE(ConfigureBus(
      "adapter 0 id=7 identifier=\"VSCSI 2940 #0\"\ndevice 0:2 generic type=disk\n"
      "device 0:5 generic type=scanner vendor=\"ACMEIMG\" product=\"FLATBED 2400\" revision=\"3.01\"\n"));
  const std::string gained =
      "adapter 0 id=7 identifier=\"VSCSI 2940 #0\"\ndevice 0:2 generic type=disk\n"
      "device 0:3 scanner model=WQ220\n"
      "device 0:5 generic type=scanner vendor=\"ACMEIMG\" product=\"FLATBED 2400\" revision=\"3.01\"\n";
  SetIni(MainIni(), "TWAIN", "Debug", "1");
  Seen before, after;
  bool boxSeen = false, owned = true, boxOverRows = true, disabledMeanwhile = false,
       stillOpen = false;
  DWORD rescanMs = 0;
  ScsiWatch watch;
  ScsiWatchStart(&watch, [&](HWND d) {
    before = Look(d);
    owned = GetWindow(d, GW_OWNER) != nullptr;
    ConfigureBus(gained.c_str());
    const DWORD start = GetTickCount();
    HandClick(d, IDC_SCSI_RESCAN);
    HWND box = nullptr;
    boxSeen = WaitUntil([&] { return (box = BusScanBox()) != nullptr; }, 1000);
    if (boxSeen) {
      // Beside the rows, not over them; the dialog takes no input meanwhile.
      RECT b{}, dr{}, both{};
      GetWindowRect(box, &b);
      GetWindowRect(d, &dr);
      boxOverRows = IntersectRect(&both, &b, &dr) != FALSE;
      disabledMeanwhile = !IsWindowEnabled(d);
      HandClick(d, IDCANCEL);
    }
    WaitUntil([] { return BusScanBox() == nullptr; }, 5000);
    rescanMs = GetTickCount() - start;
    stillOpen = IsWindow(d) != FALSE;
    Sleep(200);
    after = Look(d);
    ClickCancel(d);
  });
  EXPECT_EQ(Open(), TWRC_FAILURE);
  ASSERT_TRUE(ScsiWatchFinish(&watch));
  // The condition-code box (switched on here) says why the open failed.
  const std::vector<std::wstring> failure = BoxWatchTake(&errors);
  ASSERT_EQ(failure.size(), 1u);
  EXPECT_EQ(Utf8(failure[0]), "General failure in response to MSG_OPENDS.  No Data Source found error.");
  EXPECT_FALSE(owned);
  EXPECT_FALSE(before.Ok);
  EXPECT_FALSE(before.Board);  // one adapter
  {
    SCOPED_TRACE("before");
    ExpectRows(before,
               {{2, L"DISK", L"VIRTUAL", L"VIRTUAL DISK", L"1.00", false},
                {5, L"SCAN", L"ACMEIMG", L"FLATBED 2400", L"3.01", false},
                {7, L"CPU", L"ASPI for", L"VSCSI 2940 #0", L"", false}},
               -1);
  }
  EXPECT_TRUE(boxSeen);
  EXPECT_GE(rescanMs, 1000u);
  EXPECT_FALSE(boxOverRows);
  EXPECT_TRUE(disabledMeanwhile);
  EXPECT_TRUE(stillOpen);  // the click on Cancel during the scan did nothing
  EXPECT_TRUE(after.Ok);
  EXPECT_EQ(Utf8(after.Rows[3].Product), "WQ220/221");
  EXPECT_TRUE(after.Rows[3].Radio);
  EXPECT_TRUE(after.Rows[3].Label);
  EXPECT_TRUE(BoxWatchTake(&boxes).empty());
  // Cancelled: nothing chosen; the bus's new scanner opens as the first found.
  EXPECT_EQ(GetIni(MainIni(), "SCSI", "ScannerName"), "");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

}  // namespace
}  // namespace wq
