// Image documents through the program's windows: opening BMP and TIFF
// files, the refusals, titles and zoom, saving as BMP and TIFF, exporting
// EPS, PCX and Targa, rotating, flipping and undoing, and the work files a
// document leaves behind (none).
#include <gtest/gtest.h>

#include <cstring>

#include "app/tests/pixel_support.h"
#include "app/tests/win/app_harness.h"
#include "imagefile/pcx_writer.h"
#include "imageops/crop.h"
#include "imageops/rotate.h"
#include "imageops/turn.h"
#include "imagefile/tiff_writer.h"
#include "app/win/resource.h"
#include "imagefile/bmp.h"
#include "common/bytes.h"

namespace apptest {
namespace {

// A BMP whose pixel (x, y) is a function of its position.
std::vector<uint8_t> MakeBmp(uint32_t w, uint32_t h, uint16_t bits) {
  wq::BmpHeader head;
  wq::BmpMakeHeader(w, h, bits, 0, 2835, 2835, &head);
  std::vector<uint8_t> out(head.fileSize);
  wq::BmpEncodeHeader(head, out.data());
  const uint32_t colours = wq::BmpDefaultColours(bits);
  for (uint32_t i = 0; i < colours; ++i) {
    out[54 + i * 4] = uint8_t(i * 3);
    out[54 + i * 4 + 1] = uint8_t(255 - i);
    out[54 + i * 4 + 2] = uint8_t(i * 5);
  }
  const uint64_t stride = wq::BmpStride(bits, w);
  for (uint32_t y = 0; y < h; ++y)
    for (uint64_t b = 0; b < wq::BmpRowBytes(bits, w); ++b)
      out[head.offBits + y * stride + b] = uint8_t(b * 11 + y * 7);
  return out;
}

// The same pixels, whatever the file's colour table or layout.
bool SamePixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  if (a.size() < 54 || b.size() < 54) return false;
  const uint32_t w = wq::GetLE32(&a[18]), h = wq::GetLE32(&a[22]);
  if (wq::GetLE32(&b[18]) != w || wq::GetLE32(&b[22]) != h) return false;
  auto pixel = [](const std::vector<uint8_t>& f, uint32_t x, uint32_t y) {
    const uint32_t bits = wq::GetLE16(&f[28]), width = wq::GetLE32(&f[18]);
    const uint32_t stride = (bits * width + 31) / 32 * 4;
    const uint8_t* row = &f[wq::GetLE32(&f[10]) + size_t(y) * stride];
    if (bits == 24) return uint32_t(row[x * 3] | row[x * 3 + 1] << 8 | row[x * 3 + 2] << 16);
    uint32_t i = bits == 8 ? row[x] : bits == 4 ? (row[x / 2] >> (x % 2 ? 0 : 4)) & 15
                                                : (row[x / 8] >> (7 - x % 8)) & 1;
    const uint8_t* e = &f[54 + i * 4];
    return uint32_t(e[0] | e[1] << 8 | e[2] << 16);
  };
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x)
      if (pixel(a, x, y) != pixel(b, x, y)) return false;
  return true;
}

std::wstring Message(int n) {
  HMODULE m = LoadLibraryExA("C:\\KORVA\\SCANWQ32.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  wchar_t text[512] = L"";
  LoadStringW(m, UINT(IDS_MSG_EN + n), text, 512);
  FreeLibrary(m);
  return text;
}

class Documents : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = ScratchDir("docs");
    WriteIni("0");
    ASSERT_TRUE(Launch(&app_));
  }
  void TearDown() override {
    CloseApp(&app_, 10000);
  }
  // Open through the dialog; true when the dialog took the name.
  bool Open(const std::string& path) {
    Command(app_, IDM_OPEN);
    HWND dlg = WaitDialog(app_, L"Open");
    return dlg && ChooseFile(dlg, path) && WaitUntil([&] { return !IsWindow(dlg); });
  }
  std::string File(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = dir_ + "\\" + name;
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }
  std::string dir_;
  App app_;
};

TEST_F(Documents, RefusedFilesShowTheirMessageAndOpenNothing) {
  std::vector<uint8_t> os2 = MakeBmp(8, 8, 24);
  wq::PutLE32(&os2[14], 12);
  std::vector<uint8_t> rle = MakeBmp(8, 8, 8);
  wq::PutLE32(&rle[30], 1);
  std::vector<uint8_t> wide = MakeBmp(8, 1, 1);
  wq::PutLE32(&wide[18], 32768);
  std::vector<uint8_t> notBmp = MakeBmp(8, 8, 24);
  notBmp[0] = 'X';
  const std::vector<uint8_t> notTiff = {'I', 'I', 43, 0, 8, 0, 0, 0, 0, 0};
  const struct {
    const char* name;
    std::vector<uint8_t> bytes;
    int message;
  } cases[] = {{"os2.bmp", os2, 25},      {"rle.bmp", rle, 24},       {"wide.bmp", wide, 41},
               {"notbmp.bmp", notBmp, 29}, {"bad.tif", notTiff, 11}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Open(File(c.name, c.bytes)));
    Box box;
    ASSERT_TRUE(WaitBox(app_, &box));
    EXPECT_EQ(box.text, Message(c.message));
    Press(box.window, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.window); }));
    EXPECT_TRUE(ChildTitles(app_).empty());
  }
  EXPECT_FALSE(Exists("C:\\bad.$T$"));
}

TEST_F(Documents, TitlesFollowTheZoomWithinItsLimits) {
  const std::string path = File("SCAN.BMP", MakeBmp(40, 30, 24));
  ASSERT_TRUE(Open(path));
  ASSERT_TRUE(WaitChildTitles(app_, {L"SCAN.BMP (1:1)"}));
  for (int i = 0; i < 3; ++i) Command(app_, IDM_ZOOMOUT);
  EXPECT_TRUE(WaitChildTitles(app_, {L"SCAN.BMP (1:4)"}));
  for (int i = 0; i < 5; ++i) Command(app_, IDM_ZOOMIN);
  EXPECT_TRUE(WaitChildTitles(app_, {L"SCAN.BMP (3:1)"}));
  for (int i = 0; i < 13; ++i) Command(app_, IDM_ZOOMIN);
  EXPECT_TRUE(WaitChildTitles(app_, {L"SCAN.BMP (16:1)"}));
  // At the largest step zoom in does nothing: one step out after it is 15:1.
  Command(app_, IDM_ZOOMIN);
  Command(app_, IDM_ZOOMOUT);
  EXPECT_TRUE(WaitChildTitles(app_, {L"SCAN.BMP (15:1)"}));

  // The same file again: the window comes to the top, message 12.
  ASSERT_TRUE(Open(path));
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box));
  EXPECT_EQ(box.text, Message(12));
  Press(box.window, IDOK);
  EXPECT_EQ(ChildTitles(app_).size(), 1u);
}

TEST_F(Documents, TiffIsConvertedAndItsWorkFileGoesWithTheWindow) {
  const std::vector<uint8_t> bmp = MakeBmp(33, 21, 8);
  const std::string source = File("src.bmp", bmp);
  const std::string tiff = dir_ + "\\PAGE.TIF";
  ASSERT_EQ(wq::TiffWriteFile(tiff.c_str(), source.c_str(), 2, true, {}), wq::FileStatus::kOk);
  ASSERT_TRUE(Open(tiff));
  ASSERT_TRUE(WaitChildTitles(app_, {L"PAGE.TIF (1:1)"}));
  std::vector<uint8_t> work;
  ASSERT_TRUE(ReadFileBytes("C:\\PAGE.$T$", &work));
  EXPECT_TRUE(SamePixels(bmp, work));
  // Unchanged and opened from a file: closing asks nothing.
  Command(app_, IDM_CLOSE);
  EXPECT_TRUE(WaitChildTitles(app_, {}));
  EXPECT_FALSE(Exists("C:\\PAGE.$T$"));
  EXPECT_TRUE(Exists(tiff));
}

TEST_F(Documents, SaveAsTiffAndBmpThenReopen) {
  const std::vector<uint8_t> bmp = MakeBmp(45, 17, 24);
  ASSERT_TRUE(Open(File("orig.bmp", bmp)));
  ASSERT_TRUE(WaitChildTitles(app_, {L"orig.bmp (1:1)"}));

  Command(app_, IDM_SAVEAS);
  HWND save = WaitDialog(app_, L"Save As");
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(ChooseFile(save, dir_ + "\\copy.tif"));
  HWND options = WaitDialog(app_, L"TIFF Options");
  ASSERT_NE(options, nullptr);
  // The defaults of a BMP document: IBM PC, no LZW.
  EXPECT_EQ(SendMessageW(GetDlgItem(options, IDC_IBMPC), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(GetDlgItem(options, IDC_LZW), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(GetDlgItem(options, IDC_IBMPC), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageW(GetDlgItem(options, IDC_MACINTOSH), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(GetDlgItem(options, IDC_LZW), BM_SETCHECK, BST_CHECKED, 0);
  Press(options, IDOK);
  ASSERT_TRUE(WaitChildTitles(app_, {L"copy.tif (1:1)"}));
  std::vector<uint8_t> tiff;
  ASSERT_TRUE(ReadFileBytes(dir_ + "\\copy.tif", &tiff));
  ASSERT_GE(tiff.size(), 4u);
  EXPECT_EQ(std::string(tiff.begin(), tiff.begin() + 4), std::string("MM\0*", 4));
  EXPECT_EQ(IniValue("File process", "Tiff option"), "Macintosh");

  Command(app_, IDM_SAVEAS);
  save = WaitDialog(app_, L"Save As");
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(ChooseFile(save, dir_ + "\\copy.bmp"));
  ASSERT_TRUE(WaitChildTitles(app_, {L"copy.bmp (1:1)"}));
  std::vector<uint8_t> copy;
  ASSERT_TRUE(ReadFileBytes(dir_ + "\\copy.bmp", &copy));
  EXPECT_EQ(copy, bmp);

  Command(app_, IDM_CLOSE);
  ASSERT_TRUE(WaitChildTitles(app_, {}));
  ASSERT_TRUE(Open(dir_ + "\\copy.tif"));
  ASSERT_TRUE(WaitChildTitles(app_, {L"copy.tif (1:1)"}));
  std::vector<uint8_t> reopened;
  ASSERT_TRUE(ReadFileBytes("C:\\copy.$T$", &reopened));
  EXPECT_TRUE(SamePixels(bmp, reopened));
  EXPECT_EQ(IniValue("File process", "Directories"), dir_);
}

// The exporters from Save As: PCX byte for byte what the library makes of
// the document's BMP (held against outside readers natively), Targa up to
// its dated trailer, EPS with its header and title; each titles the window.
TEST_F(Documents, SaveAsExportsEpsPcxAndTarga) {
  const std::vector<uint8_t> bmp = MakeBmp(45, 17, 8);
  ASSERT_TRUE(Open(File("orig.bmp", bmp)));
  ASSERT_TRUE(WaitChildTitles(app_, {L"orig.bmp (1:1)"}));
  auto saveAs = [&](const char* name, const wchar_t* title) {
    Command(app_, IDM_SAVEAS);
    HWND save = WaitDialog(app_, L"Save As");
    return save && ChooseFile(save, dir_ + "\\" + name) && WaitChildTitles(app_, {title});
  };
  ASSERT_TRUE(saveAs("copy.pcx", L"copy.pcx (1:1)"));
  wq::MemReader in{bmp};
  wq::MemWriter expected;
  ASSERT_EQ(wq::PcxWriteFromBmp(wq::MemReaderIo(&in), wq::MemWriterIo(&expected), {}), wq::FileStatus::kOk);
  std::vector<uint8_t> file;
  ASSERT_TRUE(ReadFileBytes(dir_ + "\\copy.pcx", &file));
  EXPECT_EQ(file, expected.bytes);

  ASSERT_TRUE(saveAs("copy.tga", L"copy.tga (1:1)"));
  ASSERT_TRUE(ReadFileBytes(dir_ + "\\copy.tga", &file));
  const size_t pixels = 18 + 768 + 45 * 17;
  ASSERT_GT(file.size(), pixels);
  EXPECT_EQ(file[2], 1);  // colour-mapped
  for (uint32_t y = 0; y < 17; ++y)  // bottom row first, as the BMP
    EXPECT_EQ(0, memcmp(&file[18 + 768 + y * 45], &bmp[1078 + y * 48], 45)) << y;
  EXPECT_EQ(std::string(file.end() - 39, file.end()), "%%Creator: ScanWQ V4.00 Scanner Utility");

  ASSERT_TRUE(saveAs("copy.eps", L"copy.eps (1:1)"));
  ASSERT_TRUE(ReadFileBytes(dir_ + "\\copy.eps", &file));
  ASSERT_GT(file.size(), 32u);
  EXPECT_EQ(wq::GetLE32(&file[0]), 0xC6D3D0C5u);
  EXPECT_EQ(wq::GetLE32(&file[4]) + wq::GetLE32(&file[8]), file.size());
  const std::string ps(file.begin() + wq::GetLE32(&file[4]), file.end());
  EXPECT_NE(ps.find("%%Title: copy.eps\n"), std::string::npos);
}

// A question box of the Save As dialog: its caption is the dialog's own.
HWND ReplaceQuestion(const App& app) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND w = GetTopWindow(nullptr); w && !found; w = GetWindow(w, GW_HWNDNEXT)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid != app.process.dwProcessId || !IsWindowVisible(w)) continue;
      for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (Text(c).find(L"This file already exist.") != std::wstring::npos) found = w;
    }
    return found != nullptr;
  });
  return found;
}

TEST_F(Documents, SavingOverAFileAsksFirst) {
  const std::vector<uint8_t> bmp = MakeBmp(12, 9, 8);
  const std::vector<uint8_t> other = MakeBmp(5, 5, 24);
  ASSERT_TRUE(Open(File("mine.bmp", bmp)));
  const std::string target = File("theirs.bmp", other);
  ASSERT_TRUE(WaitChildTitles(app_, {L"mine.bmp (1:1)"}));

  // No: back in the dialog; the file stays as it was.
  Command(app_, IDM_SAVEAS);
  HWND save = WaitDialog(app_, L"Save As");
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(ChooseFile(save, target));
  HWND question = ReplaceQuestion(app_);
  ASSERT_NE(question, nullptr);
  Press(question, IDNO);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
  EXPECT_TRUE(IsWindow(save));
  Press(save, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(save); }));
  std::vector<uint8_t> now;
  ASSERT_TRUE(ReadFileBytes(target, &now));
  EXPECT_EQ(now, other);
  EXPECT_EQ(ChildTitles(app_), std::vector<std::wstring>{L"mine.bmp (1:1)"});

  // Yes: replaced.
  Command(app_, IDM_SAVEAS);
  save = WaitDialog(app_, L"Save As");
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(ChooseFile(save, target));
  question = ReplaceQuestion(app_);
  ASSERT_NE(question, nullptr);
  Press(question, IDYES);
  ASSERT_TRUE(WaitChildTitles(app_, {L"theirs.bmp (1:1)"}));
  ASSERT_TRUE(ReadFileBytes(target, &now));
  EXPECT_EQ(now, bmp);
}

// The picture after a turn, by the operations the program uses (held
// against pamflip in their own tests).
std::vector<uint8_t> Turned(const std::vector<uint8_t>& bmp, wq::Turn turn) {
  wq::MemReader in{bmp};
  wq::MemWriter out;
  EXPECT_EQ(wq::TurnBmp(wq::MemReaderIo(&in), wq::MemWriterIo(&out), turn, {}), wq::FileStatus::kOk);
  return out.bytes;
}

// The document's current picture once it has been changed: its work file.
std::vector<uint8_t> WorkPicture() {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA("C:\\WQtmp*.$$$", &fd);
  if (h == INVALID_HANDLE_VALUE) return {};
  FindClose(h);
  std::vector<uint8_t> b;
  ReadFileBytes(std::string("C:\\") + fd.cFileName, &b);
  return b;
}

TEST_F(Documents, RotationsFlipsAndUndoChangeTheWorkFileAndAskOnClose) {
  for (uint16_t bits : {1, 4, 8, 24}) {
    SCOPED_TRACE(bits);
    // An odd width: 1-bit rows end inside a byte.
    const std::vector<uint8_t> start = MakeBmp(37, 13, bits);
    ASSERT_TRUE(Open(File("EDIT.BMP", start)));
    ASSERT_TRUE(WaitChildTitles(app_, {L"EDIT.BMP (1:1)"}));
    std::vector<std::vector<uint8_t>> states{start};
    for (int n = 1; n <= 4; ++n) {
      Command(app_, IDM_ROTATERIGHT);
      states.push_back(Turned(states.back(), wq::Turn::kRight));
      ASSERT_TRUE(WaitUntil([&] { return WorkPicture() == states.back(); })) << "rotation " << n;
    }
    // Four right turns give the start; one undo shows the third.
    EXPECT_TRUE(SamePixels(states.back(), start));
    Command(app_, IDM_UNDO);
    EXPECT_TRUE(WaitUntil([&] { return WorkPicture() == states[3]; }));
    // Undo again is redo.
    Command(app_, IDM_UNDO);
    EXPECT_TRUE(WaitUntil([&] { return WorkPicture() == states[4]; }));
    Command(app_, IDM_FLIPH);
    const std::vector<uint8_t> mirrored = Turned(states[4], wq::Turn::kHorizontal);
    EXPECT_TRUE(WaitUntil([&] { return WorkPicture() == mirrored; }));
    Command(app_, IDM_FLIPV);
    const std::vector<uint8_t> flipped = Turned(mirrored, wq::Turn::kVertical);
    EXPECT_TRUE(WaitUntil([&] { return WorkPicture() == flipped; }));
    Command(app_, IDM_ROTATELEFT);
    const std::vector<uint8_t> left = Turned(flipped, wq::Turn::kLeft);
    EXPECT_TRUE(WaitUntil([&] { return WorkPicture() == left; }));
    EXPECT_EQ(ChildTitles(app_), std::vector<std::wstring>{L"EDIT.BMP (1:1)"});
    // The changes stay in the work files: the document's own file is untouched.
    std::vector<uint8_t> onDisk;
    ASSERT_TRUE(ReadFileBytes(dir_ + "\\EDIT.BMP", &onDisk));
    EXPECT_EQ(onDisk, start);
    // Changed: closing asks, and No leaves the file as it was and no work files.
    Command(app_, IDM_CLOSE);
    Box box;
    ASSERT_TRUE(WaitBox(app_, &box));
    EXPECT_EQ(box.text, L"\"Save changes to 'EDIT.BMP' before closing ?\"");
    Press(box.window, IDNO);
    ASSERT_TRUE(WaitChildTitles(app_, {}));
    EXPECT_TRUE(WorkPicture().empty());
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA("C:\\WQtmp*", &fd);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << fd.cFileName;
    if (h != INVALID_HANDLE_VALUE) FindClose(h);
    ASSERT_TRUE(ReadFileBytes(dir_ + "\\EDIT.BMP", &onDisk));
    EXPECT_EQ(onDisk, start);
  }
}

// The mouse on an image window, in its client pixels, as the pointer's
// messages come.
void Mouse(HWND w, UINT msg, int x, int y) {
  SendMessageW(w, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}
void Drag(HWND w, int x0, int y0, int x1, int y1) {
  Mouse(w, WM_LBUTTONDOWN, x0, y0);
  Mouse(w, WM_MOUSEMOVE, (x0 + x1) / 2, (y0 + y1) / 2);
  Mouse(w, WM_MOUSEMOVE, x1, y1);
  Mouse(w, WM_LBUTTONUP, x1, y1);
}

std::vector<uint8_t> Cropped(const std::vector<uint8_t>& bmp, wq::CropRect r) {
  wq::MemReader in{bmp};
  wq::MemWriter out;
  EXPECT_EQ(wq::CropBmp(wq::MemReaderIo(&in), wq::MemWriterIo(&out), r, {}), wq::FileStatus::kOk);
  return out.bytes;
}

std::vector<uint8_t> FreelyRotated(const std::vector<uint8_t>& bmp, int degrees, uint32_t outside) {
  wq::MemReader in{bmp};
  wq::MemWriter out;
  EXPECT_EQ(wq::RotateBmp(wq::MemReaderIo(&in), wq::MemWriterIo(&out), degrees, outside, {}), wq::FileStatus::kOk);
  return out.bytes;
}

TEST_F(Documents, AnOpenedTiffTurnsFromItsConvertedPicture) {
  const std::string source = File("PAGE.BMP", MakeBmp(29, 11, 8));
  const std::string tiff = dir_ + "\\PAGE.TIF";
  ASSERT_EQ(wq::TiffWriteFile(tiff.c_str(), source.c_str(), 1, true, {}), wq::FileStatus::kOk);
  ASSERT_TRUE(Open(tiff));
  ASSERT_TRUE(WaitChildTitles(app_, {L"PAGE.TIF (1:1)"}));
  std::vector<uint8_t> converted;
  ASSERT_TRUE(ReadFileBytes("C:\\PAGE.$T$", &converted));
  Command(app_, IDM_ROTATELEFT);
  const std::vector<uint8_t> left = Turned(converted, wq::Turn::kLeft);
  EXPECT_TRUE(WaitUntil([&] { return WorkPicture() == left; }));
  Command(app_, IDM_CLOSE);
  Box box;
  ASSERT_TRUE(WaitBox(app_, &box));
  Press(box.window, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return !Exists("C:\\PAGE.$T$") && WorkPicture().empty(); }));
}

TEST_F(Documents, ToolBoxCutsRotatesZoomsAndScrollsWithTheMouse) {
  const std::vector<uint8_t> start = MakeBmp(61, 43, 24);
  ASSERT_TRUE(Open(File("TOOLS.BMP", start)));
  ASSERT_TRUE(WaitChildTitles(app_, {L"TOOLS.BMP (1:1)"}));
  HWND child = ActiveChild(app_);
  Command(app_, IDM_TOOLS);
  HWND box = WaitTop(app_, L"ToolBoxClass", nullptr);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(box) != FALSE; }));
  auto choose = [&](int tool) { SendMessageW(GetDlgItem(box, tool), BM_CLICK, 0, 0); };

  // Cut: a rectangle dragged from (3, 2) to (20, 10), then a double click in it.
  choose(IDC_TOOL_CUT);
  Drag(child, 3, 2, 20, 10);
  Mouse(child, WM_LBUTTONDOWN, 10, 5);
  Mouse(child, WM_LBUTTONUP, 10, 5);
  Mouse(child, WM_LBUTTONDBLCLK, 10, 5);
  Mouse(child, WM_LBUTTONUP, 10, 5);
  const std::vector<uint8_t> cut = Cropped(start, {3, 2, 18, 9});
  ASSERT_TRUE(WaitUntil([&] { return WorkPicture() == cut; })) << "the crop";

  // Free rotation: a reference line falling 10 degrees, then a level one.
  choose(IDC_TOOL_ROTATE);
  Drag(child, 1, 1, 15, 4);   // atan2(3, 14): 12 degrees
  Drag(child, 1, 1, 15, 1);   // 0 degrees
  const std::vector<uint8_t> turned = FreelyRotated(cut, -12, 0xFFFFFF);
  ASSERT_TRUE(WaitUntil([&] { return WorkPicture() == turned; })) << "the free rotation";
  // Parallel lines do nothing.
  Drag(child, 1, 1, 15, 4);
  Drag(child, 2, 3, 16, 6);
  Sleep(500);
  EXPECT_EQ(WorkPicture(), turned);
  // Undo shows the crop again.
  Command(app_, IDM_UNDO);
  EXPECT_TRUE(WaitUntil([&] { return WorkPicture() == cut; }));

  // Zoom in by clicks: 1:1, 2:1, 4:1 ... and at 15:1 the next click gives
  // 16:1 and greys the button.
  choose(IDC_TOOL_ZOOMIN);
  Mouse(child, WM_LBUTTONDOWN, 4, 4);
  Mouse(child, WM_LBUTTONUP, 4, 4);
  EXPECT_TRUE(WaitChildTitles(app_, {L"TOOLS.BMP (2:1)"}));
  Mouse(child, WM_LBUTTONDOWN, 4, 4);
  Mouse(child, WM_LBUTTONUP, 4, 4);
  EXPECT_TRUE(WaitChildTitles(app_, {L"TOOLS.BMP (4:1)"}));
  for (int i = 0; i < 11; ++i) Command(app_, IDM_ZOOMIN);
  ASSERT_TRUE(WaitChildTitles(app_, {L"TOOLS.BMP (15:1)"}));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(box, IDC_TOOL_ZOOMIN)));
  Mouse(child, WM_LBUTTONDOWN, 4, 4);
  Mouse(child, WM_LBUTTONUP, 4, 4);
  EXPECT_TRUE(WaitChildTitles(app_, {L"TOOLS.BMP (16:1)"}));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(GetDlgItem(box, IDC_TOOL_ZOOMIN)); }));

  // The hand drags the picture by 50 and 40 window pixels: at 16:1 the
  // window's corner shows image pixel (3, 3) instead of (0, 0). Read off
  // the screen, with the frame on top of other tests' windows.
  choose(IDC_TOOL_HAND);
  SetWindowPos(app_.frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // The box floats over the window's corner: out of the way of the reading.
  SetWindowPos(box, nullptr, 900, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  auto corner = [&] {
    POINT p{8, 8};
    ClientToScreen(child, &p);
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return c;
  };
  auto pixel = [&](uint32_t x, uint32_t y) {
    uint8_t rgb[3];
    wqtest::BmpPixel(cut, x, y, rgb);
    return RGB(rgb[0], rgb[1], rgb[2]);
  };
  Drag(child, 0, 0, 400, 400);  // back to the top left corner
  EXPECT_TRUE(WaitUntil([&] { return corner() == pixel(0, 0); })) << std::hex << corner();
  Drag(child, 60, 50, 10, 10);
  EXPECT_TRUE(WaitUntil([&] { return corner() == pixel(3, 3); })) << std::hex << corner() << " " << pixel(3, 3);

  // The box's own close button hides it.
  SendMessageW(GetDlgItem(box, IDC_TOOL_CLOSE), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }));
}

}  // namespace
}  // namespace apptest
