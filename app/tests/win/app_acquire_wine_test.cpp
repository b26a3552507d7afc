// Acquisition through the program's windows: Wine's TWAIN manager, the
// source installed in the prefix, its window's Scan button pressed as a
// user would. The source under test is WQ_APP_SOURCE: "fake" (FAKEDS.ds,
// the default) or "real" (WQSCAN32.ds on the virtual scanner); the cases
// that need what only the fake source can be told to do skip with the
// real one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/tests/pixel_support.h"
#include "app/tests/win/app_harness.h"
#include "app/win/resource.h"
#include "imagefile/bmp.h"
#include "common/bytes.h"

namespace apptest {
namespace {

bool RealSource() { return UsesRealSource(); }

std::wstring Message(int n) {
  HMODULE m = LoadLibraryExA("C:\\KORVA\\SCANWQ32.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  wchar_t text[512] = L"";
  LoadStringW(m, UINT(IDS_MSG_EN + n), text, 512);
  FreeLibrary(m);
  return text;
}

class Acquire : public ::testing::Test {
 protected:
  std::vector<uint8_t> reference_;  // the real source's native transfer
  void SetUp() override {
    dir_ = ScratchDir("acquire");
    for (int n = 1; n < 10; ++n) DeleteFileA(("C:\\Scanned image No" + std::to_string(n)).c_str());
    DeleteFileA("C:\\Scanning.dat");
    if (RealSource()) {
      // One flatbed scanner: every scan, the program's and the reference,
      // then sees the same page (a feeder marks each sheet it feeds).
      const std::string cfg = "adapter 0 id=7\ndevice 0:2 scanner model=WQ140\n";
      ASSERT_TRUE(WriteFileBytes(dir_ + "\\flatbed.cfg", std::vector<uint8_t>(cfg.begin(), cfg.end())));
      SetEnvironmentVariableA("VSCSI_CONFIG", (dir_ + "\\flatbed.cfg").c_str());
    }
  }
  void TearDown() override {
    CloseApp(&app_, 15000);
  }
  // Starts the program with acquisition at start-up and the fake source
  // configured by these lines.
  void Start(const std::string& config, const std::string& blackIsZero = "1") {
    if (!RealSource()) {
      config_ = wqfake::FakeConfig{};
      std::string bad;
      ASSERT_TRUE(wqfake::FakeConfigParse(config, &config_, &bad)) << bad;
      ASSERT_TRUE(WriteFileBytes(dir_ + "\\source.cfg",
                                 std::vector<uint8_t>(config.begin(), config.end())));
    }
    WriteIni("1", blackIsZero);
    ASSERT_TRUE(Launch(&app_, {"WQ_FAKEDS_CONFIG=" + dir_ + "\\source.cfg"}));
  }
  HWND ScanButton() { return SourceScanButton(app_); }
  void PressScan() { ASSERT_TRUE(PressSourceScan(app_)) << "no Scan button in the source's window"; }
  void ExpectScanPixels(const std::string& path) {
    std::vector<uint8_t> bmp;
    ASSERT_TRUE(ReadFileBytes(path, &bmp)) << path;
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(wq::GetLE32(&bmp[2]), bmp.size());
    if (RealSource()) {
      // The real source's reference is its own native transfer of the same settings.
      if (reference_.empty()) {
        const std::string ref = dir_ + "\\native.bmp";
        ASSERT_TRUE(NativeReference("--saved --xfer native", ref)) << "TWACQUIRE gave no native transfer";
        ASSERT_TRUE(ReadFileBytes(ref, &reference_));
      }
      EXPECT_EQ(wqtest::FirstDifference(reference_, bmp), "") << path;
      return;
    }
    EXPECT_EQ(wqtest::FirstDifference(config_, bmp), "") << path;
  }
  // Save As of the active image under a name; TIFF options when asked.
  void SaveAs(const std::string& name, int byteOrder = 1, bool lzw = false) {
    Command(app_, IDM_SAVEAS);
    HWND save = WaitDialog(app_, L"Save As");
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(ChooseFile(save, dir_ + "\\" + name));
    if (name.find(".tif") != std::string::npos) {
      HWND options = WaitDialog(app_, L"TIFF Options");
      ASSERT_NE(options, nullptr);
      SendMessageW(GetDlgItem(options, IDC_IBMPC), BM_SETCHECK, byteOrder == 1, 0);
      SendMessageW(GetDlgItem(options, IDC_MACINTOSH), BM_SETCHECK, byteOrder == 2, 0);
      SendMessageW(GetDlgItem(options, IDC_LZW), BM_SETCHECK, lzw, 0);
      Press(options, IDOK);
    }
  }
  bool Open(const std::string& path) {
    Command(app_, IDM_OPEN);
    HWND dlg = WaitDialog(app_, L"Open");
    return dlg && ChooseFile(dlg, path) && WaitUntil([&] { return !IsWindow(dlg); });
  }

  std::string dir_;
  wqfake::FakeConfig config_;
  App app_;
};

TEST_F(Acquire, ScansBecomeDocumentsThatSaveAndReopenWithTheSamePixels) {
  // Above 64 KB, in buffers of a few rows.
  Start("type=rgb\nwidth=301\nheight=97\nrows_per_buffer=5");
  PressScan();
  ASSERT_TRUE(WaitChildTitles(app_, {L"Scanned image No1 (1:1)"}, 30000));
  ExpectScanPixels("C:\\Scanned image No1");
  EXPECT_FALSE(Exists("C:\\Scanning.dat"));
  PressScan();
  ASSERT_TRUE(WaitChildTitles(app_, {L"Scanned image No1 (1:1)", L"Scanned image No2 (1:1)"},
                              30000));
  ExpectScanPixels("C:\\Scanned image No2");

  const struct {
    const char* name;
    int order;
    bool lzw;
  } saves[] = {{"ii.tif", 1, false}, {"mm.tif", 2, false}, {"iilzw.tif", 1, true},
               {"mmlzw.tif", 2, true}, {"page.bmp", 1, false}};
  std::wstring last = L"Scanned image No2 (1:1)";
  for (const auto& s : saves) {
    SCOPED_TRACE(s.name);
    SaveAs(s.name, s.order, s.lzw);
    const std::string n = s.name;
    const std::wstring title = std::wstring(n.begin(), n.end()) + L" (1:1)";
    ASSERT_TRUE(WaitChildTitles(app_, {L"Scanned image No1 (1:1)", title}, 20000));
    last = title;
  }
  std::vector<uint8_t> bmp;
  ASSERT_TRUE(ReadFileBytes(dir_ + "\\page.bmp", &bmp));
  std::vector<uint8_t> scan;
  ASSERT_TRUE(ReadFileBytes("C:\\Scanned image No2", &scan));
  EXPECT_EQ(bmp, scan);

  // Reopened, each TIFF converts back to the same pixels.
  for (const char* name : {"ii.tif", "mm.tif", "iilzw.tif", "mmlzw.tif"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(Open(dir_ + "\\" + name));
    const std::string base = std::string(name).substr(0, std::string(name).size() - 4);
    std::vector<uint8_t> converted;
    ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes("C:\\" + base + ".$T$", &converted); }));
    Sleep(200);
    ASSERT_TRUE(ReadFileBytes("C:\\" + base + ".$T$", &converted));
    EXPECT_EQ(RealSource() ? wqtest::FirstDifference(scan, converted)
                           : wqtest::FirstDifference(config_, converted), "");
    Command(app_, IDM_CLOSE);
    EXPECT_TRUE(WaitUntil([&] { return !Exists("C:\\" + base + ".$T$"); }));
  }

  // A scan that was never saved asks before it closes; No drops it and its file.
  std::vector<std::wstring> titles = ChildTitles(app_);
  ASSERT_EQ(titles.size(), 2u);
  HWND first = FindWindowExW(MdiClient(app_), nullptr, L"MyDIBMDI", L"Scanned image No1 (1:1)");
  SendMessageW(MdiClient(app_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  Command(app_, IDM_CLOSE);
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box));
  EXPECT_EQ(box.text, L"\"Save changes to 'Scanned image No1' before closing ?\"");
  Press(box.window, IDNO);
  EXPECT_TRUE(WaitChildTitles(app_, {L"page.bmp (1:1)"}));
  EXPECT_FALSE(Exists("C:\\Scanned image No1"));
  // The saved one is now a file of its own: closing it asks nothing.
  Command(app_, IDM_CLOSE);
  EXPECT_TRUE(WaitChildTitles(app_, {}));
  EXPECT_FALSE(WaitBox(app_, &box, 500));
  EXPECT_FALSE(Exists("C:\\Scanned image No2"));
  EXPECT_TRUE(Exists(dir_ + "\\page.bmp"));
}

TEST_F(Acquire, ExitWithThreeScansCancelledAtTheSecondKeepsTwo) {
  Start("type=gray\nwidth=40\nheight=30");
  for (int n = 1; n <= 3; ++n) {
    PressScan();
    ASSERT_TRUE(WaitUntil([&] { return ChildTitles(app_).size() == size_t(n); }, 30000));
  }
  Command(app_, IDM_EXIT);
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box));
  Press(box.window, IDNO);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
  ASSERT_TRUE(WaitBox(app_, &box));
  Press(box.window, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
  Sleep(300);
  EXPECT_EQ(ChildTitles(app_).size(), 2u);
  EXPECT_EQ(WaitForSingleObject(app_.process.hProcess, 0), WAIT_TIMEOUT);  // still running
}

TEST_F(Acquire, BilevelWithWhiteAsColourZero) {
  if (RealSource()) GTEST_SKIP() << "needs the fake source";
  Start("type=bw\nwidth=50\nheight=20", "0");
  PressScan();
  ASSERT_TRUE(WaitChildTitles(app_, {L"Scanned image No1 (1:1)"}, 30000));
  std::vector<uint8_t> bmp;
  ASSERT_TRUE(ReadFileBytes("C:\\Scanned image No1", &bmp));
  ASSERT_GE(bmp.size(), 62u);
  EXPECT_EQ(bmp[54], 255);  // colour 0 white
  EXPECT_EQ(bmp[58], 0);    // colour 1 black
  EXPECT_EQ(wqtest::FirstDifference(config_, bmp), "");  // the same picture
}

TEST_F(Acquire, BufferIsFourMinimumsWhenTheMaximumIsTen) {
  if (RealSource()) GTEST_SKIP() << "needs the fake source";
  const std::string log = dir_ + "\\triplets.log";
  // 64 x 48 RGB: rows of 192 bytes.
  Start("minbuf=384\nmaxbuf=3840\nlog=" + log);
  PressScan();
  ASSERT_TRUE(WaitChildTitles(app_, {L"Scanned image No1 (1:1)"}, 30000));
  std::vector<uint8_t> text;
  ASSERT_TRUE(ReadFileBytes(log, &text));
  const std::string s(text.begin(), text.end());
  EXPECT_NE(s.find("memxfer length=1536 "), std::string::npos) << s;
  EXPECT_EQ(s.find("memxfer length=3840"), std::string::npos);
  ExpectScanPixels("C:\\Scanned image No1");
}

TEST_F(Acquire, SourceWhoseMinimumIsBelowOneRowIsRefused) {
  if (RealSource()) GTEST_SKIP() << "needs the fake source";
  Start("minbuf=100\nmaxbuf=150");
  PressScan();
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box, 20000));
  EXPECT_EQ(box.text, Message(17));
  Press(box.window, IDOK);
  Sleep(300);
  EXPECT_TRUE(ChildTitles(app_).empty());
  EXPECT_FALSE(Exists("C:\\Scanning.dat"));
}

TEST_F(Acquire, FailureOrCancelMidTransferLeavesNothingBehind) {
  if (RealSource()) GTEST_SKIP() << "needs the fake source";
  const std::string log = dir_ + "\\triplets.log";
  for (const char* how : {"fail_after=3", "cancel_after=2"}) {
    SCOPED_TRACE(how);
    DeleteFileA(log.c_str());
    Start(std::string(how) + "\nrows_per_buffer=4\nlog=" + log);
    PressScan();
    // The transfer is over once the program ended it (DAT_PENDINGXFERS, MSG_ENDXFER).
    EXPECT_TRUE(WaitUntil([&] {
      std::vector<uint8_t> text;
      ReadFileBytes(log, &text);
      return std::string(text.begin(), text.end()).find("CONTROL 5 1793 -> 0") != std::string::npos;
    }, 20000));
    // The source's window stays up, ready for another page; nothing opened.
    EXPECT_TRUE(ChildTitles(app_).empty());
    EXPECT_FALSE(Exists("C:\\Scanning.dat"));
    EXPECT_FALSE(Exists("C:\\Scanned image No1"));
    EXPECT_NE(ScanButton(), nullptr);
    Box box;
    EXPECT_FALSE(WaitBox(app_, &box, 200));
    TearDown();
  }
}

TEST_F(Acquire, ClosingTheSourcesWindowEndsTheSession) {
  if (RealSource()) GTEST_SKIP() << "needs the fake source";
  Start("");
  HWND source = WaitTop(app_, L"FakeSource32", nullptr, 20000);
  ASSERT_NE(source, nullptr);
  Press(source, 2);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(source); }));
  // Acquire opens it again.
  Command(app_, IDM_ACQUIRE);
  EXPECT_NE(WaitTop(app_, L"FakeSource32", nullptr, 20000), nullptr);
}

}  // namespace
}  // namespace apptest
