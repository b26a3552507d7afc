// Feeder batches through the program's windows, with the real source on a
// virtual WQ140 whose feeder holds ten sheets, each marked with its number:
// the ADF question and settings, the batch's save dialog, the numbered
// files of Scan and Save and the windows of Scan and Display, every page
// held against the source's own native transfer of the same sheet; and
// what a batch meets: an empty feeder, a jam, a full work drive, a target
// that exists or is shown.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/tests/pixel_support.h"
#include "app/tests/win/app_harness.h"
#include "app/win/resource.h"
#include "common/bytes.h"
#include "imagefile/eps_writer.h"
#include "imagefile/pcx_writer.h"
#include "imagefile/tga_writer.h"
#include "imagefile/tiff_to_bmp.h"
#include "imageops/turn.h"

namespace apptest {
namespace {

constexpr char kFeeder[] = "adapter 0 id=7\ndevice 0:2 scanner model=WQ140 adf=1 sheets=10\n";

struct BatchChoice {
  bool all = true;
  int pages = 1;
  bool save = true;
  int start = 1;
  int step = 1;
};

std::string Chars(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

std::string Four(int n) {
  char t[8];
  std::snprintf(t, sizeof t, "%04d", n);
  return t;
}

// An exported file's bytes without what depends on the clock: the EPS
// creation date line, the Targa trailer after the pixels.
std::vector<uint8_t> Timeless(const std::string& path) {
  std::vector<uint8_t> b;
  if (!ReadFileBytes(path, &b)) return b;
  if (path.size() > 4 && _stricmp(path.c_str() + path.size() - 4, ".EPS") == 0) {
    const std::string s = Chars(b);
    const size_t at = s.find("%%CreationDate:");
    if (at != std::string::npos)
      for (size_t i = at; i < b.size() && b[i] != '\n' && b[i] != '\r'; ++i) b[i] = ' ';
  } else if (path.size() > 4 && _stricmp(path.c_str() + path.size() - 4, ".TGA") == 0 && b.size() >= 18) {
    const size_t pixels = 18 + b[0] + size_t(wq::GetLE16(&b[5])) * ((b[7] + 7) / 8) +
                          size_t(wq::GetLE16(&b[12])) * wq::GetLE16(&b[14]) * ((b[16] + 7) / 8);
    if (pixels < b.size()) b.resize(pixels);
  }
  return b;
}

class AcquireBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!UsesRealSource()) GTEST_SKIP() << "the feeder batches need the real source";
    dir_ = ScratchDir("batch");
    tray_ = dir_ + "\\tray.txt";
    Configure(kFeeder);
    SetEnvironmentVariableA("VSCSI_TRAY", tray_.c_str());
    for (int n = 1; n < 10; ++n) DeleteFileA(("C:\\WQ-image000" + std::to_string(n)).c_str());
  }
  void TearDown() override {
    SetEnvironmentVariableA("VSCSI_TRAY", nullptr);
    CloseApp(&app_, 15000);
  }
  void Configure(const std::string& cfg) {
    const std::string path = dir_ + "\\feeder.cfg";
    ASSERT_TRUE(WriteFileBytes(path, std::vector<uint8_t>(cfg.begin(), cfg.end())));
    SetEnvironmentVariableA("VSCSI_CONFIG", path.c_str());
  }
  // The program with acquisition at start-up; the ADF question comes first.
  // The source scans grey pages at 50 dpi (its saved set, as its window
  // leaves it for the scanner it found last).
  void Start(const std::string& workDrive = "C:") {
    const std::string main = WindowsDir() + "\\@WQSC32.INI";
    const std::string preset = WindowsDir() + "\\TWAIN_32\\WQSCAN32\\@PRE140.INI";
    // The virtual WQ140 at 0:2, as the source records the scanner it found.
    const char* const found[][2] = {{"ScannerName", "KORVA   WQ140/131       1.00"}, {"BoardID", "0"},
                                    {"TargetID", "2"}, {"TargetLUN", "0"}};
    for (const auto& k : found) {
      WritePrivateProfileStringA("SCSI", k[0], k[1], main.c_str());
      WritePrivateProfileStringA("SCSI", (std::string(k[0]) + "2").c_str(), k[1], main.c_str());
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, main.c_str());
    const char* const keys[][3] = {{"ScanMode", "Mode", "3"},          {"Resolution", "Resolution", "10"},
                                   {"Resolution", "XResoCustom", "50"}, {"Resolution", "YResoCustom", "50"},
                                   {"Resolution", "XFinalRes", "50"},   {"Resolution", "YFinalRes", "50"},
                                   {"Gamma", "Gamma", "1"}};
    for (const auto& k : keys) WritePrivateProfileStringA(k[0], k[1], k[2], preset.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, preset.c_str());
    WriteIni("1", "1", workDrive);
    ASSERT_TRUE(Launch(&app_));
  }
  // "Use ADF" and the ADF Setting dialog filled in as the user would.
  void ChooseAdf(const BatchChoice& c) {
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      question = FindTop(app_, L"#32770");
      return question && GetDlgItem(question, IDC_ADF_USE);
    }, 20000)) << "no ADF question";
    Press(question, IDC_ADF_USE);
    HWND s = WaitDialog(app_, L"ADF Setting");
    ASSERT_NE(s, nullptr);
    SendMessageW(GetDlgItem(s, c.all ? IDC_ADF_ALL : IDC_ADF_PAGES), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(s, c.save ? IDC_ADF_SCANSAVE : IDC_ADF_SCANDISPLAY), BM_CLICK, 0, 0);
    SetDlgItemTextA(s, IDC_ADF_PAGECOUNT, std::to_string(c.pages).c_str());
    SetDlgItemTextA(s, IDC_ADF_START, std::to_string(c.start).c_str());
    SetDlgItemTextA(s, IDC_ADF_INCREMENT, std::to_string(c.step).c_str());
    Press(s, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(s) && !IsWindow(question); }));
  }
  // Scan in the source's window; in Scan and Save the batch file is typed
  // into the save dialog (and the TIFF options taken as they come).
  void Scan(const std::string& file = "") {
    HWND button = SourceScanButton(app_);
    ASSERT_NE(button, nullptr) << "no Scan button in the source's window";
    source_ = GetAncestor(button, GA_ROOT);
    ASSERT_TRUE(PressSourceScan(app_));
    if (file.empty()) return;
    HWND save = WaitDialog(app_, L"Save As", 30000);
    ASSERT_NE(save, nullptr) << "no batch save dialog";
    ASSERT_TRUE(ChooseFile(save, file));
    if (file.size() > 4 && _stricmp(file.c_str() + file.size() - 4, ".TIF") == 0) {
      HWND options = WaitDialog(app_, L"TIFF Options");
      ASSERT_NE(options, nullptr);
      Press(options, IDOK);
    }
  }
  // A batch ends by closing the source and the manager.
  bool WaitBatchEnd() {
    return WaitUntil([&] { return !IsWindow(source_); }, 240000);
  }
  // The native transfers of the ten sheets, by the command-line tool on a
  // scanner of its own with the settings the source saved, once a test.
  const std::vector<uint8_t>& Sheet(int n) {
    std::vector<std::vector<uint8_t>>& sheets = sheets_;
    if (sheets.empty()) {
      // A scanner with all ten sheets, whatever the test's own holds.
      const std::string cfg = dir_ + "\\reference.cfg";
      EXPECT_TRUE(WriteFileBytes(cfg, std::vector<uint8_t>(kFeeder, kFeeder + std::strlen(kFeeder))));
      char own[MAX_PATH] = "";
      GetEnvironmentVariableA("VSCSI_CONFIG", own, MAX_PATH);
      SetEnvironmentVariableA("VSCSI_CONFIG", cfg.c_str());
      EXPECT_TRUE(NativeReference("--saved --xfer native --feeder all", dir_ + "\\sheet##.bmp"));
      SetEnvironmentVariableA("VSCSI_CONFIG", own);
      for (int i = 1; i <= 10; ++i) {
        std::vector<uint8_t> b;
        char name[16];
        std::snprintf(name, sizeof name, "\\sheet%02d.bmp", i);
        EXPECT_TRUE(ReadFileBytes(dir_ + name, &b)) << name;
        sheets.push_back(b);
      }
    }
    return sheets[size_t(n - 1)];
  }
  // A saved page against the native transfer of its sheet.
  void ExpectPage(const std::string& path, int sheet) {
    SCOPED_TRACE(path);
    const size_t dot = path.find_last_of('.');
    const std::string ext = dot != std::string::npos && dot > path.find_last_of('\\') ? path.substr(dot) : ".BMP";
    std::vector<uint8_t> got;
    if (_stricmp(ext.c_str(), ".TIF") == 0) {
      const std::string bmp = dir_ + "\\readback.bmp";
      wq::TiffSourceInfo info;
      ASSERT_EQ(wq::TiffConvertFile(bmp.c_str(), path.c_str(), wq::ProgressSink{}, &info), wq::FileStatus::kOk);
      ASSERT_TRUE(ReadFileBytes(bmp, &got));
      EXPECT_EQ(wqtest::FirstDifference(Sheet(sheet), got), "");
      return;
    }
    if (_stricmp(ext.c_str(), ".BMP") == 0) {
      ASSERT_TRUE(ReadFileBytes(path, &got));
      EXPECT_EQ(got, Sheet(sheet));
      return;
    }
    // The exporters are held against real readers natively; here the
    // page must be what they make of the sheet's own transfer.
    // Of the same name, which the EPS title carries.
    CreateDirectoryA((dir_ + "\\reference").c_str(), nullptr);
    const std::string ref = dir_ + "\\reference\\" + path.substr(path.find_last_of('\\') + 1);
    const std::string bmp = dir_ + "\\sheet.bmp";
    ASSERT_TRUE(WriteFileBytes(bmp, Sheet(sheet)));
    const wq::ProgressSink none;
    const wq::FileStatus s = _stricmp(ext.c_str(), ".EPS") == 0 ? wq::EpsWriteFile(ref.c_str(), bmp.c_str(), none)
                             : _stricmp(ext.c_str(), ".PCX") == 0 ? wq::PcxWriteFile(ref.c_str(), bmp.c_str(), none)
                                                                  : wq::TgaWriteFile(ref.c_str(), bmp.c_str(), none);
    ASSERT_EQ(s, wq::FileStatus::kOk);
    got = Timeless(path);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got, Timeless(ref));
  }
  // Paper put into the feeder, as a user's hand would.
  void LoadPaper(int sheets) {
    const std::string t = "0:2 " + std::to_string(sheets) + "\n";
    ASSERT_TRUE(WriteFileBytes(tray_, std::vector<uint8_t>(t.begin(), t.end())));
  }

  std::string dir_, tray_;
  App app_;
  HWND source_ = nullptr;  // the source's scanning window
  std::vector<std::vector<uint8_t>> sheets_;
};

TEST_F(AcquireBatch, AllSheetsScanAndSaveToNumberedTiffs) {
  const std::string dir = "C:\\SCAN";
  CreateDirectoryA(dir.c_str(), nullptr);
  for (int n = 1; n <= 11; ++n) DeleteFileA((dir + "\\DOC" + Four(n) + ".TIF").c_str());
  Start();
  ASSERT_NO_FATAL_FAILURE(ChooseAdf({}));
  ASSERT_NO_FATAL_FAILURE(Scan(dir + "\\DOC.TIF"));
  ASSERT_TRUE(WaitBatchEnd());
  EXPECT_TRUE(ChildTitles(app_).empty());  // Scan and Save opens no window
  for (int n = 1; n <= 10; ++n) ExpectPage(dir + "\\DOC" + Four(n) + ".TIF", n);
  EXPECT_FALSE(Exists(dir + "\\DOC0011.TIF"));
  EXPECT_FALSE(Exists("C:\\Scanning.dat"));
  EXPECT_FALSE(Exists("C:\\WQ-image0001"));
}

TEST_F(AcquireBatch, NumberingAndEveryFileType) {
  Start();
  // Start 1, increment 2, three pages: the proposed name keeps its number
  // for page 1, and the batch stops with paper left.
  ASSERT_NO_FATAL_FAILURE(ChooseAdf({false, 3, true, 1, 2}));
  ASSERT_NO_FATAL_FAILURE(Scan(dir_ + "\\WQ-image0001.BMP"));
  ASSERT_TRUE(WaitBatchEnd());
  ExpectPage(dir_ + "\\WQ-image0001.BMP", 1);
  ExpectPage(dir_ + "\\WQ-image0003.BMP", 2);
  ExpectPage(dir_ + "\\WQ-image0005.BMP", 3);
  EXPECT_FALSE(Exists(dir_ + "\\WQ-image0007.BMP"));
  EXPECT_FALSE(Exists(dir_ + "\\WQ-image00010001.BMP"));

  // Start 9999, increment 10: the second page is 0009.
  struct Batch {
    BatchChoice choice;
    const char* file;
    std::vector<const char*> pages;
  } const batches[] = {
      {{false, 2, true, 9999, 10}, "DOC.PCX", {"DOC9999.PCX", "DOC0009.PCX"}},
      {{false, 1, true, 1, 1}, "DOC.EPS", {"DOC0001.EPS"}},
      {{false, 1, true, 1, 1}, "DOC.TGA", {"DOC0001.TGA"}},
      {{true, 1, true, 5, 1}, "DOC.TIF", {"DOC0005.TIF", "DOC0006.TIF", "DOC0007.TIF"}},
  };
  int sheet = 4;
  for (const Batch& b : batches) {
    SCOPED_TRACE(b.file);
    Command(app_, IDM_ACQUIRE);
    ASSERT_NO_FATAL_FAILURE(ChooseAdf(b.choice));
    ASSERT_NO_FATAL_FAILURE(Scan(dir_ + "\\" + b.file));
    ASSERT_TRUE(WaitBatchEnd());
    for (const char* page : b.pages) ExpectPage(dir_ + "\\" + page, sheet++);
  }
  // The feeder is empty now: "ALL" took the last three sheets.
  EXPECT_EQ(sheet, 11);
  EXPECT_FALSE(Exists(dir_ + "\\DOC0008.TIF"));
}

TEST_F(AcquireBatch, ScanAndDisplayOpensAWindowPerPage) {
  Start();
  ASSERT_NO_FATAL_FAILURE(ChooseAdf({false, 3, false}));
  ASSERT_NO_FATAL_FAILURE(Scan());
  ASSERT_TRUE(WaitChildTitles(app_, {L"WQ-image0001 (1:1)", L"WQ-image0002 (1:1)", L"WQ-image0003 (1:1)"},
                              240000));
  ASSERT_TRUE(WaitBatchEnd());
  for (int n = 1; n <= 3; ++n) ExpectPage("C:\\WQ-image000" + std::to_string(n), n);
  // A scanned page turns like any picture: its work file is the page turned.
  HWND third = FindWindowExW(MdiClient(app_), nullptr, L"MyDIBMDI", L"WQ-image0003 (1:1)");
  ASSERT_NE(third, nullptr);
  SendMessageW(MdiClient(app_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(third), 0);
  Command(app_, IDM_ROTATERIGHT);
  wq::MemReader page{Sheet(3)};
  wq::MemWriter turned;
  ASSERT_EQ(wq::TurnBmp(wq::MemReaderIo(&page), wq::MemWriterIo(&turned), wq::Turn::kRight, {}), wq::FileStatus::kOk);
  EXPECT_TRUE(WaitUntil([&] {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("C:\\WQtmp*.$$$", &fd);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    std::vector<uint8_t> work;
    return ReadFileBytes(std::string("C:\\") + fd.cFileName, &work) && work == turned.bytes;
  }, 20000));
  // Its pages have no file of their own yet: closing asks.
  Command(app_, IDM_CLOSE);
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box));
  EXPECT_NE(box.text.find(L"WQ-image000"), std::wstring::npos) << std::string(box.text.begin(), box.text.end());
  Press(box.window, IDNO);
}

TEST_F(AcquireBatch, SaveDialogFollowsTheTypeAndRefusesOtherNames) {
  Start();
  ASSERT_NO_FATAL_FAILURE(ChooseAdf({}));
  HWND button = SourceScanButton(app_);
  ASSERT_NE(button, nullptr);
  source_ = GetAncestor(button, GA_ROOT);
  ASSERT_TRUE(PressSourceScan(app_));
  HWND save = WaitDialog(app_, L"Save As", 30000);
  ASSERT_NE(save, nullptr);
  HWND name = GetDlgItem(save, edt1) ? GetDlgItem(save, edt1) : GetDlgItem(save, cmb13);
  ASSERT_TRUE(WaitUntil([&] { return Text(name) == L"WQ-image0001.BMP"; })) << "the proposed name";
  // A grey page: Targa is offered too; choosing TIFF renames the typed name.
  HWND types = GetDlgItem(save, cmb1);
  EXPECT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), 5);
  SendMessageW(types, CB_SETCURSEL, 1, 0);
  // What the list sends when the user picks an entry.
  for (WORD code : {WORD(CBN_SELENDOK), WORD(CBN_SELCHANGE)})
    SendMessageW(save, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
  EXPECT_TRUE(WaitUntil([&] { return Text(name) == L"WQ-image0001.TIF"; }))
      << Narrow(Text(name)) << " index " << SendMessageW(types, CB_GETCURSEL, 0, 0);
  // A name of another type ends the batch with message 29; nothing is scanned.
  ASSERT_TRUE(ChooseFile(save, dir_ + "\\DOC.XYZ"));
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box, 20000));
  EXPECT_EQ(box.text, L"This file is pack file or OS/2 file.");
  Press(box.window, IDOK);
  ASSERT_TRUE(WaitBatchEnd());
  EXPECT_FALSE(Exists(dir_ + "\\DOC.XYZ"));
  EXPECT_FALSE(Exists(dir_ + "\\DOC0001.XYZ"));
}

TEST_F(AcquireBatch, EmptyFeederAsksAndRetryGoesOnUntilCancel) {
  Configure("adapter 0 id=7\ndevice 0:2 scanner model=WQ140 adf=1 sheets=2\n");
  Start();
  ASSERT_NO_FATAL_FAILURE(ChooseAdf({false, 5}));
  ASSERT_NO_FATAL_FAILURE(Scan(dir_ + "\\DOC.BMP"));
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box, 240000));
  // The prompt names the page about to come and the last one saved.
  EXPECT_NE(box.text.find(L"0003/0005"), std::wstring::npos);
  EXPECT_NE(box.text.find(L"DOC0002.BMP"), std::wstring::npos);
  EXPECT_TRUE(GetDlgItem(box.window, IDRETRY) && GetDlgItem(box.window, IDCANCEL));
  ASSERT_NO_FATAL_FAILURE(LoadPaper(1));
  Press(box.window, IDRETRY);
  ASSERT_TRUE(WaitUntil([&] { return Exists(dir_ + "\\DOC0003.BMP"); }, 120000));
  ASSERT_TRUE(WaitBox(app_, &box, 120000));
  EXPECT_NE(box.text.find(L"0004/0005"), std::wstring::npos);
  Press(box.window, IDCANCEL);
  ASSERT_TRUE(WaitBatchEnd());
  for (int n = 1; n <= 3; ++n) ExpectPage(dir_ + "\\DOC" + Four(n) + ".BMP", n);
  EXPECT_FALSE(Exists(dir_ + "\\DOC0004.BMP"));
}

TEST_F(AcquireBatch, JamOnTheFourthSheetKeepsTheThreeBefore) {
  Configure(std::string(kFeeder) + "fault jam read=2 sheet=4\n");
  Start();
  ASSERT_NO_FATAL_FAILURE(ChooseAdf({}));
  ASSERT_NO_FATAL_FAILURE(Scan(dir_ + "\\DOC.BMP"));
  // The source says what happened.
  HWND jam = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (jam = FindBoxWithText(app_, L"paper jam")) != nullptr; }, 240000));
  Press(jam, IDOK);
  ASSERT_TRUE(WaitBatchEnd());
  for (int n = 1; n <= 3; ++n) ExpectPage(dir_ + "\\DOC" + Four(n) + ".BMP", n);
  EXPECT_FALSE(Exists(dir_ + "\\DOC0004.BMP"));
  EXPECT_FALSE(Exists("C:\\Scanning.dat"));
}

TEST_F(AcquireBatch, ExistingTargetAsksAndShownTargetRefuses) {
  const std::vector<uint8_t> old = {'o', 'l', 'd'};
  ASSERT_TRUE(WriteFileBytes(dir_ + "\\DOC0002.BMP", old));
  Start();
  ASSERT_NO_FATAL_FAILURE(ChooseAdf({}));
  ASSERT_NO_FATAL_FAILURE(Scan(dir_ + "\\DOC.BMP"));
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box, 240000));
  EXPECT_EQ(box.text.rfind(L"DOC0002.BMP", 0), 0u) << "the prompt begins with the target's name";
  EXPECT_NE(box.text.find(L"0002/ALL"), std::wstring::npos);
  EXPECT_TRUE(GetDlgItem(box.window, IDOK) && GetDlgItem(box.window, IDCANCEL));
  Press(box.window, IDCANCEL);
  ASSERT_TRUE(WaitBatchEnd());
  ExpectPage(dir_ + "\\DOC0001.BMP", 1);
  std::vector<uint8_t> kept;
  ASSERT_TRUE(ReadFileBytes(dir_ + "\\DOC0002.BMP", &kept));
  EXPECT_EQ(kept, old);
  EXPECT_FALSE(Exists(dir_ + "\\DOC0003.BMP"));

  // The first page's target open in a window: message 36, nothing scanned.
  Command(app_, IDM_OPEN);
  HWND open = WaitDialog(app_, L"Open");
  ASSERT_TRUE(open && ChooseFile(open, dir_ + "\\DOC0001.BMP"));
  ASSERT_TRUE(WaitChildTitles(app_, {L"DOC0001.BMP (1:1)"}));
  Command(app_, IDM_ACQUIRE);
  ASSERT_NO_FATAL_FAILURE(ChooseAdf({}));
  ASSERT_NO_FATAL_FAILURE(Scan(dir_ + "\\DOC.BMP"));
  ASSERT_TRUE(WaitBox(app_, &box, 60000));
  EXPECT_EQ(box.text.rfind(L"Could not save as DOC0001.BMP", 0), 0u);
  Press(box.window, IDOK);
  ASSERT_TRUE(WaitBatchEnd());
  ExpectPage(dir_ + "\\DOC0001.BMP", 1);
}

TEST_F(AcquireBatch, FullWorkDriveStopsWithMessage5AndNoHalfPage) {
  if (!Exists("S:\\")) GTEST_SKIP() << "no small drive S: (scripts/smalldisk)";
  Configure("adapter 0 id=7\ndevice 0:2 scanner model=WQ140 adf=1 sheets=1\n");
  Start("S:");
  ASSERT_NO_FATAL_FAILURE(ChooseAdf({false, 3}));
  ASSERT_NO_FATAL_FAILURE(Scan(dir_ + "\\DOC.BMP"));
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box, 240000));  // 9: the feeder is empty
  ASSERT_TRUE(Exists(dir_ + "\\DOC0001.BMP"));
  // The work drive fills up meanwhile; paper goes in; Retry.
  ULARGE_INTEGER free{};
  ASSERT_TRUE(GetDiskFreeSpaceExA("S:\\", &free, nullptr, nullptr));
  const size_t page = Sheet(1).size();
  if (free.QuadPart > page) {
    ASSERT_TRUE(WriteFileBytes("S:\\filler", std::vector<uint8_t>(size_t(free.QuadPart) - page / 2, 0)));
  }
  ASSERT_NO_FATAL_FAILURE(LoadPaper(1));
  Press(box.window, IDRETRY);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
  ASSERT_TRUE(WaitBox(app_, &box, 120000));
  EXPECT_EQ(box.text.rfind(L"Disk may be full.", 0), 0u) << std::string(box.text.begin(), box.text.end());
  EXPECT_NE(box.text.find(L"0002/0003"), std::wstring::npos);
  EXPECT_NE(box.text.find(L"DOC0001.BMP"), std::wstring::npos);
  Press(box.window, IDOK);
  ASSERT_TRUE(WaitBatchEnd());
  DeleteFileA("S:\\filler");
  ExpectPage(dir_ + "\\DOC0001.BMP", 1);
  EXPECT_FALSE(Exists(dir_ + "\\DOC0002.BMP"));
  EXPECT_FALSE(Exists("S:\\Scanning.dat"));
  EXPECT_FALSE(Exists("S:\\WQ-image0001"));
}

}  // namespace
}  // namespace apptest
