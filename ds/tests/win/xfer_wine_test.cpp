// The image triplets and the three transfers through Wine's TWAIN manager,
// against the installed source and the virtual bus, as an application sees
// them: every pixel mode on every model by every mechanism, held against
// the test page and each other (the files are left in WQ_XFER_OUT for the
// interoperability check with libtiff, ImageMagick and Pillow); the edge
// cases; feeder batches, a jam, a cancel with ESC and a full disk.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/bytes.h"
#include "ds/tests/page_facts.h"
#include "ds/tests/win/manager_fixture.h"
#include "ds/tests/xfer_driver.h"

namespace wq {
namespace {

using namespace wine;
using test::RgbPage;
using test::XferResult;

TwApp* g_Twapp;
TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
  return TwAppCall(g_Twapp, dg, dat, msg, data);
}
void* Alloc(size_t n) { return GlobalAlloc(GHND, n); }
void* Lock(void* h) { return GlobalLock(h); }
void Unlock(void* h) { GlobalUnlock(h); }
size_t Size(void* h) { return GlobalSize(h); }
void Free(void* h) { GlobalFree(h); }
bool ReadBytes(const std::string& path, std::vector<uint8_t>* bytes) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  bytes->assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  return true;
}
const test::XferChannel kChannel = {Call, Alloc, Lock, Unlock, Size, Free, ReadBytes};

// Where the files for the interoperability check go.
std::string OutputDir() {
  const char* out = getenv("WQ_XFER_OUT");
  if (!out || !*out) return "";
  const std::string dir = WindowsPathOf(out);
  CreateDirectoryA(dir.c_str(), nullptr);
  return dir + "\\";
}

// The native transfer's pixels as a binary PPM: the reference the other
// tools' readings are held against.
void WritePpm(const std::string& path, const RgbPage& page) {
  std::ofstream f(path, std::ios::binary);
  f << "P6\n" << page.Width << " " << page.Height << "\n255\n";
  f.write(reinterpret_cast<const char*>(page.Rgb.data()), std::streamsize(page.Rgb.size()));
}

struct Model {
  const char* Name;
  int Index;
  const char* Preset;  // preset file of the source directory
  int CustomIndex;     // the resolution list's custom entry
};
constexpr Model kModels[] = {{"WQ140", 0, "@PRE140.INI", 10},
                             {"WQ215", 1, "@PRE215.INI", 12},
                             {"WQ220", 2, "@PRE220.INI", 12},
                             {"WQ490", 3, "@PRE490.INI", 9}};

TW_FIX32 Fix(double v) {
  const int32_t bits = int32_t(v * 65536 + (v >= 0 ? 0.5 : -0.5));
  TW_FIX32 f;
  f.Whole = TW_INT16(bits >> 16);
  f.Frac = TW_UINT16(bits & 0xFFFF);
  return f;
}
double Real(TW_FIX32 f) { return f.Whole + f.Frac / 65536.0; }

class XferWineTest : public ManagerTest {
 protected:
  void SetUp() override {
    ManagerTest::SetUp();
    g_Twapp = &app;
  }

  // A session that remembers its scanner, then a preset file as the
  // source's window would have left it: the mode, a custom resolution, a
  // threshold in the middle, linear tone.
  void Prepare(const Model& m, const char* options = "") {
    RemoveSettingsFiles();
    ASSERT_TRUE(ConfigureBus(OneScanner(m.Name, options).c_str()));
    SetIni(MainIni(), "TWAIN", "WQ215", "1");
    ASSERT_EQ(Open(), TWRC_SUCCESS) << m.Name;
    ASSERT_EQ(Close(), TWRC_SUCCESS);
    model = m;
  }
  void Preset(int mode, int dpi) {
    // The set is the saved one only when it was saved for the scanner
    // the source found last.
    const char* const keys[][2] = {{"ScannerName2", "ScannerName"}, {"BoardID2", "BoardID"},
                                   {"TargetID2", "TargetID"}, {"TargetLUN2", "TargetLUN"}};
    for (const auto& k : keys) {
      char v[64] = "";
      GetPrivateProfileStringA("SCSI", k[0], "", v, sizeof v, MainIni().c_str());
      SetIni(MainIni(), "SCSI", k[1], v);
    }
    const std::string f = SourceDir() + model.Preset;
    SetIni(f, "ScannerOption", "ADF", "0");
    SetIni(f, "ScannerOption", "Mirror", "0");
    SetIni(f, "ScannerOption", "MirrorType", "0");
    SetIni(f, "ScanMode", "Mode", std::to_string(mode).c_str());
    SetIni(f, "Resolution", "Resolution", std::to_string(model.CustomIndex).c_str());
    SetIni(f, "Resolution", "XResoCustom", std::to_string(dpi).c_str());
    SetIni(f, "Resolution", "YResoCustom", std::to_string(dpi).c_str());
    SetIni(f, "ScanArea", "Range1", "2");
    SetIni(f, "ScanArea", "Range2", "1");
    SetIni(f, "Threshold", "ThresholdW", "128");
    SetIni(f, "Gamma", "Gamma", "1");
  }

  TW_UINT16 SetOne(TW_UINT16 cap, TW_UINT16 type, uint32_t item) {
    return TwAppSetOneValue(g_Twapp, cap, type, item);
  }
  TW_UINT16 Resolution(double dpi) {
    const TW_FIX32 f = Fix(dpi);
    const uint32_t bits = uint32_t(uint16_t(f.Whole)) | uint32_t(f.Frac) << 16;
    TW_UINT16 rc = SetOne(ICAP_XRESOLUTION, TWTY_FIX32, bits);
    return rc == TWRC_SUCCESS ? SetOne(ICAP_YRESOLUTION, TWTY_FIX32, bits) : rc;
  }
  // The frame in inches through DAT_IMAGELAYOUT.
  TW_UINT16 Frame(double left, double top, double right, double bottom) {
    TW_IMAGELAYOUT l{};
    l.Frame = TW_FRAME{Fix(left), Fix(top), Fix(right), Fix(bottom)};
    return Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &l);
  }
  void EnableAndWait() {
    ASSERT_EQ(Enable(false), TWRC_SUCCESS);
    ASSERT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 5000));
  }
  // After a page: the transfer ended, disabled and enabled again.
  void Again() {
    Pending(MSG_ENDXFER);
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
    EnableAndWait();
  }
  void ExpectFacts(const RgbPage& page, int kind, const test::ScanFrame& f, const std::string& what) {
    for (const std::string& t : test::CheckPageFacts(page, f, kind)) ADD_FAILURE() << what << ": " << t;
  }
  // The film unit's raw negative (vscsi/README.md), scanned as a positive:
  // the chart shrunk into the frame, inverted behind the orange mask, in a
  // film edge of (16, 16, 16). On the WQ490's bed an 8 x 4 inch frame at
  // 50 dpi holds the colour bars from row 13 to 136 (red, green, blue the
  // first three, 72 pixels each from column 13) and the grey ramp from row
  // 178 down.
  void ExpectFilmFacts(const RgbPage& page, int kind) {
    if (kind != 3 && kind != 6) return;  // line art and palettes: compared across mechanisms only
    if (page.Width != 400 || page.Height != 200) return ADD_FAILURE() << "film page size";
    const uint8_t* edge = page.At(1, 1);
    EXPECT_TRUE(edge[0] == 16 && edge[1] == 16 && edge[2] == 16)
        << "film edge " << int(edge[0]) << "," << int(edge[1]) << "," << int(edge[2]);
    const uint8_t* left = page.At(80, 190);
    const uint8_t* right = page.At(320, 190);
    if (kind == 3) {
      EXPECT_GT(left[0], right[0] + 10) << "film: the negative ramp should fall to the right";
      return;
    }
    EXPECT_GT(left[0], right[0] + 40) << "film: red should fall to the right";
    EXPECT_GT(left[1], right[1] + 10) << "film: green should fall to the right";
    for (const uint8_t* p : {left, right})
      EXPECT_TRUE(p[0] > p[1] && p[1] > p[2] && p[0] <= 132 && p[1] <= 52 && p[2] <= 12)
          << "film: behind the orange mask " << int(p[0]) << "," << int(p[1]) << "," << int(p[2]);
    // A primary's negative lacks that primary and keeps the mask's other two.
    const int bars[3] = {48, 120, 192};
    const int mask[3] = {132, 52, 12};
    for (int c = 0; c < 3; ++c) {
      const uint8_t* bar = page.At(bars[c], 70);
      for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(bar[k], k == c ? 0 : mask[k], 2) << "film bar " << c << " channel " << k;
    }
  }
  std::vector<std::wstring> TakeBoxes() { return BoxWatchTake(&boxes); }

  Model model{};
  test::XferChannel c = kChannel;
};

// --- Every mode, model and mechanism ----------------------------------------

TEST_F(XferWineTest, EveryModeOnEveryModelByEveryMechanism) {
  const int modes[] = {0x101, 0x201, 0x301, 0x401, 0x501, 0x102, 0x202,
                       0x302, 0x402, 0x502, 3,     4,     6};
  const std::string out = OutputDir();
  const test::ScanFrame frame{0, 0, 50, 50};
  for (const Model& m : kModels) {
    // The WQ490 keeps a saved set only with its film unit fitted.
    // The WQ490 scans film only: its set is saved for the film unit, and
    // what it shows is the unit's negative.
    ASSERT_NO_FATAL_FAILURE(Prepare(m, m.Index == 3 ? "fsu=1" : ""));
    for (int mode : modes) {
      char tag[32];
      snprintf(tag, sizeof tag, "%s_%04X", m.Name, mode);
      SCOPED_TRACE(tag);
      Preset(mode, 50);
      if (m.Index == 3) {
        SetIni(SourceDir() + model.Preset, "ScannerOption", "Mirror", "1");
        SetIni(SourceDir() + model.Preset, "ScannerOption", "MirrorType", "2");  // its unit reports type 2
      }
      ASSERT_EQ(Open(), TWRC_SUCCESS);
      ASSERT_EQ(Frame(0, 0, 8, 4), TWRC_SUCCESS);  // 400 x 200 pixels
      ASSERT_NO_FATAL_FAILURE(EnableAndWait());
      const XferResult native = test::NativeXfer(c);
      ASSERT_EQ(native.Rc, TWRC_XFERDONE) << native.Cc;
      ASSERT_EQ(native.Error, "");
      EXPECT_EQ(native.Page.Width, 400u);
      EXPECT_EQ(native.Page.Height, 200u);
      EXPECT_EQ(native.Dib.XPelsPerMeter, 50 * 10000 / 254);
      EXPECT_EQ(native.Dib.BitCount, (mode & 0xFF) == 1 ? 1 : (mode & 0xFF) == 2 ? 4 : (mode & 0xFF) == 6 ? 24 : 8);
      if (m.Index == 3)
        ExpectFilmFacts(native.Page, mode & 0xFF);
      else
        ExpectFacts(native.Page, mode & 0xFF, frame, "native");
      ASSERT_NO_FATAL_FAILURE(Again());
      const XferResult memory = test::MemoryXfer(c);
      ASSERT_EQ(memory.Rc, TWRC_XFERDONE) << memory.Cc;
      EXPECT_EQ(test::FirstDifference(native.Page, memory.Page), "") << "memory " << memory.Error;
      ASSERT_NO_FATAL_FAILURE(Again());
      const std::string bmpPath = (out.empty() ? SourceDir() : out) + tag + ".BMP";
      const XferResult bmp = test::FileXfer(c, bmpPath, TWFF_BMP);
      ASSERT_EQ(bmp.Rc, TWRC_XFERDONE) << bmp.Cc;
      EXPECT_EQ(test::FirstDifference(native.Page, bmp.Page), "") << "BMP " << bmp.Error;
      ASSERT_NO_FATAL_FAILURE(Again());
      const std::string tifPath = (out.empty() ? SourceDir() : out) + tag + ".TIF";
      const XferResult tif = test::FileXfer(c, tifPath, TWFF_TIFF);
      ASSERT_EQ(tif.Rc, TWRC_XFERDONE) << tif.Cc;
      EXPECT_EQ(test::FirstDifference(native.Page, tif.Page), "") << "TIFF " << tif.Error;
      if (!out.empty()) WritePpm(out + tag + ".PPM", native.Page);
      ASSERT_EQ(Close(), TWRC_SUCCESS);
    }
  }
}

// A full page where it matters: the gradient below the ramp, at 100 dpi.
TEST_F(XferWineTest, FullColourPageShowsTheWholeTestPage) {
  ASSERT_NO_FATAL_FAILURE(Prepare(kModels[2]));
  Preset(6, 100);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Frame(0, 0, 8.5, 11), TWRC_SUCCESS);
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  const XferResult n = test::NativeXfer(c);
  ASSERT_EQ(n.Rc, TWRC_XFERDONE);
  EXPECT_EQ(n.Page.Width, 848u);  // 8.5 inches is 212 whole units of 1/25 inch
  EXPECT_EQ(n.Page.Height, 1100u);
  ExpectFacts(n.Page, 6, test::ScanFrame{0, 0, 100, 100}, "full page");
}

// --- Edge cases -------------------------------------------------------------

TEST_F(XferWineTest, ImageInfoLayoutPaletteAndTheCustomTypes) {
  ASSERT_NO_FATAL_FAILURE(Prepare(kModels[0]));
  Preset(6, 100);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  // Left 1.0 inch is 25 units: it comes back as 1.0 inch.
  ASSERT_EQ(Frame(1.0, 0.5, 3.0, 2.5), TWRC_SUCCESS);
  TW_IMAGELAYOUT l{};
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l), TWRC_SUCCESS);
  EXPECT_NEAR(Real(l.Frame.Left), 1.0, 1e-4);
  EXPECT_NEAR(Real(l.Frame.Right), 3.0, 1e-4);
  EXPECT_NEAR(Real(l.Frame.Top), 0.48, 1e-4);  // 12 units
  // Full colour has no palette.
  TW_PALETTE8 p;
  memset(&p, 0x55, sizeof p);
  ASSERT_EQ(Call(DG_IMAGE, DAT_PALETTE8, MSG_GET, &p), TWRC_SUCCESS);
  EXPECT_EQ(p.NumColors, 0);
  // Edge enhancement 4 does not exist; 0 turns it off.
  uint8_t record[20] = {};
  PutLE32(record + 4, 4);
  EXPECT_EQ(Call(DG_CONTROL, 0xFF01, MSG_SET, record), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADVALUE);
  PutLE32(record + 4, 0);
  ASSERT_EQ(Call(DG_CONTROL, 0xFF01, MSG_SET, record), TWRC_SUCCESS);
  memset(record, 0xEE, sizeof record);
  ASSERT_EQ(Call(DG_CONTROL, 0xFF01, MSG_GET, record), TWRC_SUCCESS);
  EXPECT_EQ(GetLE32(record), 4u);
  EXPECT_EQ(GetLE32(record + 4), 0u);
  // Zoom: the information has the scaled size, the layout the frame.
  ASSERT_EQ(SetOne(ICAP_XSCALING, TWTY_FIX32, 0x80000000u), TWRC_SUCCESS);  // 0.5
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  TW_IMAGEINFO info{};
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
  EXPECT_EQ(info.ImageWidth, 100);
  EXPECT_EQ(info.ImageLength, 200);
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l), TWRC_SUCCESS);
  EXPECT_NEAR(Real(l.Frame.Right) - Real(l.Frame.Left), 2.0, 1e-4);
  const XferResult n = test::NativeXfer(c);
  ASSERT_EQ(n.Rc, TWRC_XFERDONE);
  EXPECT_EQ(n.Dib.Width, 100);
  // In state 5 there is no image to describe.
  Pending(MSG_ENDXFER);
  EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_SEQERROR);
}

TEST_F(XferWineTest, StripsRowPaddingAndResolutionFields) {
  ASSERT_NO_FATAL_FAILURE(Prepare(kModels[1]));
  Preset(3, 75);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  // 85 x 68 units of 1/25 inch at 75 dpi: 255 grey pixels a row, 204 rows.
  ASSERT_EQ(Frame(0, 0, 3.4, 2.72), TWRC_SUCCESS);
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  // Buffers of exactly the minimum: two rows of 256 bytes each time.
  XferResult m = test::MemoryXfer(c, 0);
  ASSERT_EQ(m.Rc, TWRC_XFERDONE);
  ASSERT_EQ(m.Info.ImageWidth, 255);
  ASSERT_EQ(m.Info.ImageLength, 204);
  ASSERT_EQ(m.Setup.MinBufSize, 512u);
  ASSERT_NO_FATAL_FAILURE(Again());
  m = test::MemoryXfer(c, m.Setup.MinBufSize);
  ASSERT_EQ(m.Rc, TWRC_XFERDONE);
  ASSERT_EQ(m.Strips.size(), 102u);
  EXPECT_EQ(m.Strips.back().Rows, 2u);
  EXPECT_EQ(m.Strips.back().BytesPerRow, 256u);
  EXPECT_EQ(m.Strips.back().YOffset, 202u);
  ASSERT_NO_FATAL_FAILURE(Again());
  // And five rows a time: 40 strips of 5 and the remainder of 4.
  m = test::MemoryXfer(c, 5 * 256, true);
  ASSERT_EQ(m.Rc, TWRC_XFERDONE);
  ASSERT_EQ(m.Strips.size(), 41u);
  EXPECT_EQ(m.Strips.back().Rows, 4u);
  EXPECT_EQ(m.Strips.back().YOffset, 200u);
  EXPECT_EQ(m.Strips.back().BytesWritten, 1024u);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  // A one-pixel black-and-white image: rows of 4 bytes.
  ASSERT_EQ(SetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_BW), TWRC_SUCCESS);
  ASSERT_EQ(Resolution(30), TWRC_SUCCESS);
  ASSERT_EQ(Frame(0, 0, 0.04, 0.04), TWRC_SUCCESS);  // one unit
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  const XferResult one = test::NativeXfer(c);
  ASSERT_EQ(one.Rc, TWRC_XFERDONE);
  EXPECT_EQ(one.Dib.Width, 1);
  EXPECT_EQ(one.Dib.SizeImage, 4u * uint32_t(one.Dib.Height));
  ASSERT_NO_FATAL_FAILURE(Again());
  const XferResult oneMemory = test::MemoryXfer(c);
  ASSERT_EQ(oneMemory.Rc, TWRC_XFERDONE);
  EXPECT_EQ(oneMemory.Strips[0].BytesPerRow, 4u);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  // 300 dpi: 11811 pixels a metre.
  ASSERT_EQ(Resolution(300), TWRC_SUCCESS);
  ASSERT_EQ(Frame(0, 0, 1, 1), TWRC_SUCCESS);
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  const XferResult three = test::NativeXfer(c);
  EXPECT_EQ(three.Dib.XPelsPerMeter, 11811);
  EXPECT_EQ(three.Dib.YPelsPerMeter, 11811);
}

TEST_F(XferWineTest, FileTransferToAFullDiskFailsBeforeTheScannerMoves) {
  const std::string drive = "S:\\";
  if (GetDriveTypeA(drive.c_str()) == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no small drive S:";
  ASSERT_NO_FATAL_FAILURE(Prepare(kModels[0]));
  Preset(6, 300);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Frame(0, 0, 8, 10), TWRC_SUCCESS);  // 21 MB of colour
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  const std::string starts = Describe()["starts"];
  for (TW_UINT16 format : {TW_UINT16(TWFF_BMP), TW_UINT16(TWFF_TIFF)}) {
    const XferResult r = test::FileXfer(c, "S:\\BIG.IMG", format);
    EXPECT_EQ(r.Rc, TWRC_FAILURE);
    EXPECT_EQ(r.Cc, TWCC_OPERATIONERROR);
    EXPECT_EQ(Describe()["starts"], starts);  // the scanner never started
    const auto texts = TakeBoxes();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(Utf8(texts[0]), "Insufficient disk space.\n Please reduce the scan size or resolution\nand then try again.");
    EXPECT_FALSE(FileExists("S:\\BIG.IMG"));
    EXPECT_FALSE(FileExists("S:\\BIG.IMG.$wq"));
    ASSERT_NO_FATAL_FAILURE(Again());
  }
}

// As a client that reads only the standard's TWTY_UINT16 enumerations does:
// the enumeration the source gave, sent back with CurrentIndex at `want`.
// False when the list is not one such a client can read or lacks `want`.
bool ChooseFromEnumeration(TW_UINT16 capId, TW_UINT16 want) {
  TW_CAPABILITY cap{};
  cap.Cap = capId;
  cap.ConType = TWON_DONTCARE16;
  if (Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &cap) != TWRC_SUCCESS) return false;
  HGLOBAL h = static_cast<HGLOBAL>(cap.hContainer);
  bool found = false;
  if (auto* e = static_cast<TW_ENUMERATION*>(GlobalLock(h))) {
    const auto* items = reinterpret_cast<const TW_UINT16*>(e->ItemList);
    if (cap.ConType == TWON_ENUMERATION && e->ItemType == TWTY_UINT16)
      for (TW_UINT32 i = 0; i < e->NumItems && !found; ++i)
        if (items[i] == want) {
          e->CurrentIndex = i;
          found = true;
        }
    GlobalUnlock(h);
  }
  if (found) found = Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap) == TWRC_SUCCESS;
  GlobalFree(h);
  return found;
}

TEST_F(XferWineTest, AClientChoosingFromTheEnumerationsItReadGetsEachMechanism) {
  ASSERT_NO_FATAL_FAILURE(Prepare(kModels[1]));
  Preset(6, 50);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Frame(0, 0, 2, 1), TWRC_SUCCESS);
  for (TW_UINT16 cap : {ICAP_PIXELTYPE, ICAP_UNITS, ICAP_IMAGEFILEFORMAT}) {
    TW_CAPABILITY c{};
    c.Cap = cap;
    ASSERT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &c), TWRC_SUCCESS);
    auto* e = static_cast<TW_ENUMERATION*>(GlobalLock(c.hContainer));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->ItemType, TWTY_UINT16) << cap;
    GlobalUnlock(c.hContainer);
    GlobalFree(c.hContainer);
  }
  ASSERT_TRUE(ChooseFromEnumeration(ICAP_XFERMECH, TWSX_MEMORY));
  ASSERT_TRUE(ChooseFromEnumeration(ICAP_PIXELTYPE, TWPT_GRAY));
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  const XferResult memory = test::MemoryXfer(c);
  EXPECT_EQ(memory.Rc, TWRC_XFERDONE);
  EXPECT_EQ(memory.Info.PixelType, TWPT_GRAY);
  Pending(MSG_ENDXFER);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_TRUE(ChooseFromEnumeration(ICAP_XFERMECH, TWSX_FILE));
  ASSERT_TRUE(ChooseFromEnumeration(ICAP_IMAGEFILEFORMAT, TWFF_TIFF));
  TW_CAPABILITY current{};
  current.Cap = ICAP_XFERMECH;
  ASSERT_EQ(Call(DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &current), TWRC_SUCCESS);
  auto* one = static_cast<TW_ONEVALUE*>(GlobalLock(current.hContainer));
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->ItemType, TWTY_UINT16);
  EXPECT_EQ(TW_UINT16(one->Item), TWSX_FILE);
  GlobalUnlock(current.hContainer);
  GlobalFree(current.hContainer);
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  const XferResult file = test::FileXfer(c, SourceDir() + "CHOSEN.TIF", TWFF_TIFF);
  EXPECT_EQ(file.Rc, TWRC_XFERDONE);
  EXPECT_EQ(file.Page.Width, memory.Page.Width);
  EXPECT_EQ(file.Page.Rgb, memory.Page.Rgb);
}

// --- Feeder, jam and cancel ---------------------------------------------------

TEST_F(XferWineTest, FeederBatchOfThreeSheets) {
  ASSERT_NO_FATAL_FAILURE(Prepare(kModels[0], "adf=1 sheets=3"));
  Preset(3, 25);
  SetIni(SourceDir() + model.Preset, "ScannerOption", "ADF", "1");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Frame(0, 0, 8, 11.5), TWRC_SUCCESS);  // down to the sheets' squares
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  const test::ScanFrame frame{0, 0, 25, 25};
  for (int page = 1; page <= 3; ++page) {
    SCOPED_TRACE(page);
    const XferResult r = page == 2 ? test::MemoryXfer(c) : test::NativeXfer(c);
    ASSERT_EQ(r.Rc, TWRC_XFERDONE) << r.Cc;
    EXPECT_EQ(test::CountSheetSquares(r.Page, frame), page);
    TW_IMAGELAYOUT l{};
    ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l), TWRC_SUCCESS);
    EXPECT_EQ(l.PageNumber, uint32_t(page - 1));
    EXPECT_EQ(l.DocumentNumber, 1u);
    EXPECT_EQ(Pending(MSG_ENDXFER), page < 3 ? -1 : 0);
  }
  // State 5: enabling again is out of sequence, disabling is not.
  EXPECT_EQ(Pending(MSG_GET), 0);
  TW_IMAGELAYOUT l{};
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l), TWRC_SUCCESS);
  EXPECT_EQ(l.PageNumber, 1u);
  EXPECT_EQ(l.DocumentNumber, 2u);
  EXPECT_EQ(Enable(false), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_SEQERROR);
  EXPECT_EQ(Describe()["sheets"], "0");
}

// One transfer by mechanism m (0 native, 1 memory, 2 file).
XferResult XferBy(const test::XferChannel& c, int m) {
  if (m == 0) return test::NativeXfer(c);
  if (m == 1) return test::MemoryXfer(c);
  DeleteFileA((SourceDir() + "SHEET.BMP").c_str());
  return test::FileXfer(c, SourceDir() + "SHEET.BMP", TWFF_BMP);
}

TEST_F(XferWineTest, TenSheetBatchesByEveryMechanismEndAtZero) {
  ASSERT_NO_FATAL_FAILURE(Prepare(kModels[2], "adf=1 sheets=10"));
  Preset(3, 30);  // the WQ220's lowest resolution
  SetIni(SourceDir() + model.Preset, "ScannerOption", "ADF", "1");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Frame(0, 0, 8, 11.5), TWRC_SUCCESS);  // down to the sheets' squares
  for (int m = 0; m < 3; ++m) {
    SCOPED_TRACE(m);
    if (m) {
      ASSERT_TRUE(LoadSheets(10));
    }
    ASSERT_NO_FATAL_FAILURE(EnableAndWait());
    int pages = 0;
    int16_t pending = -1;
    // Bounded: a source that never ends the batch fails here.
    while (pending != 0 && pages < 12) {
      const XferResult r = XferBy(c, m);
      ASSERT_EQ(r.Rc, TWRC_XFERDONE) << "page " << pages + 1 << " cc " << r.Cc;
      ++pages;
      // The WQ220 keeps its sheet until unloaded: each page is the next one.
      EXPECT_EQ(test::CountSheetSquares(r.Page, test::ScanFrame{0, 0, 30, 30}),
                std::min(pages + 10 * m, 8));
      pending = Pending(MSG_ENDXFER);
    }
    EXPECT_EQ(pages, 10);
    EXPECT_EQ(Pending(MSG_GET), 0);
    EXPECT_EQ(Describe()["sheets"], "0");
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
  }
}

TEST_F(XferWineTest, AnEmptyFeederEndsTheTransferAndPaperAgainScans) {
  ASSERT_NO_FATAL_FAILURE(Prepare(kModels[0], "adf=1 sheets=1"));
  Preset(3, 25);
  SetIni(SourceDir() + model.Preset, "ScannerOption", "ADF", "1");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Frame(0, 0, 4, 4), TWRC_SUCCESS);
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  ASSERT_EQ(test::NativeXfer(c).Rc, TWRC_XFERDONE);
  ASSERT_EQ(Pending(MSG_ENDXFER), 0);  // the tray is empty: state 5
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  // With the indicators on, the source says why; with them off the
  // application hears it from the condition code alone.
  for (const bool indicators : {true, false}) {
    if (!indicators) {
      ASSERT_EQ(SetOne(CAP_INDICATORS, TWTY_BOOL, 0), TWRC_SUCCESS);
    }
    for (int m = 0; m < 3; ++m) {
      SCOPED_TRACE(m);
      ASSERT_NO_FATAL_FAILURE(EnableAndWait());
      const XferResult r = XferBy(c, m);
      EXPECT_EQ(r.Rc, TWRC_FAILURE);
      EXPECT_EQ(r.Cc, TWCC_OPERATIONERROR);
      const auto texts = TakeBoxes();
      if (indicators) {
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(Utf8(texts[0]), "ADF is empty.\n Place an original in the ADF and try again.");
      } else {
        EXPECT_TRUE(texts.empty());
      }
      if (m == 2) {
        EXPECT_FALSE(FileExists(SourceDir() + "SHEET.BMP"));
      }
      EXPECT_EQ(Pending(MSG_GET), 0);
      Pending(MSG_ENDXFER);
      ASSERT_EQ(Disable(), TWRC_SUCCESS);
    }
  }
  // Paper again: a batch in the same session.
  ASSERT_TRUE(LoadSheets(2));
  ASSERT_NO_FATAL_FAILURE(EnableAndWait());
  for (int page = 1; page <= 2; ++page) {
    SCOPED_TRACE(page);
    const XferResult r = test::MemoryXfer(c);
    ASSERT_EQ(r.Rc, TWRC_XFERDONE) << r.Cc;
    EXPECT_EQ(Pending(MSG_ENDXFER), page < 2 ? -1 : 0);
  }
  EXPECT_EQ(Describe()["sheets"], "0");
}

TEST_F(XferWineTest, JamOnTheSecondSheetShowsTheJamAndKeepsTheFirstPage) {
  // The commands the device has seen when the second sheet starts, from a
  // run without the fault: the jam goes on that sheet's third READ.
  std::string before;
  for (int run = 0; run < 2; ++run) {
    const std::string jam = run ? "adf=1 sheets=3\nfault jam read=3 after=" + before : "adf=1 sheets=3";
    ASSERT_NO_FATAL_FAILURE(Prepare(kModels[0], jam.c_str()));
    Preset(3, 50);
    SetIni(SourceDir() + model.Preset, "ScannerOption", "ADF", "1");
    SetIni(MainIni(), "TWAIN", "ScanMemory", "8192");
    ASSERT_EQ(Open(), TWRC_SUCCESS);
    ASSERT_EQ(Frame(0, 0, 8, 4), TWRC_SUCCESS);
    ASSERT_NO_FATAL_FAILURE(EnableAndWait());
    if (run) break;
    ASSERT_EQ(test::NativeXfer(c).Rc, TWRC_XFERDONE);
    before = Describe()["commands"];
    ASSERT_FALSE(before.empty());
    Pending(MSG_RESET);
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
    ASSERT_EQ(Close(), TWRC_SUCCESS);
  }
  const XferResult first = test::NativeXfer(c);
  ASSERT_EQ(first.Rc, TWRC_XFERDONE);
  ExpectFacts(first.Page, 3, test::ScanFrame{0, 0, 50, 50}, "first page");
  ASSERT_EQ(Pending(MSG_ENDXFER), -1);
  const XferResult second = test::FileXfer(c, SourceDir() + "SECOND.BMP", TWFF_BMP);
  EXPECT_EQ(second.Rc, TWRC_FAILURE);
  EXPECT_EQ(second.Cc, TWCC_OPERATIONERROR);
  EXPECT_FALSE(FileExists(SourceDir() + "SECOND.BMP"));
  const auto texts = TakeBoxes();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(Utf8(texts[0]),
            "A paper jam has occurred in the ADF. \n Remove the jammed paper.\n Then close ADF cover and try again.");
  EXPECT_EQ(Pending(MSG_ENDXFER), 0);
  EXPECT_EQ(Enable(false), TWRC_FAILURE);  // state 5
}

// Presses ESC while the progress window shows. Other Wine tests share the X
// display and may take the focus, and a key sent then reaches no window; so the
// window is brought forward before each press and the press is repeated until
// the window goes.
struct EscapeWhenScanning {
  std::atomic<bool> stop{false}, pressed{false};
  std::thread thread;
  EscapeWhenScanning()
      : thread([this] {
          while (!stop) {
            HWND w = FindWindowW(L"#32770", L"Scanning Image...");
            if (w && IsWindowVisible(w)) {
              Sleep(pressed ? 250 : 100);
              SetForegroundWindow(w);
              INPUT key[2] = {};
              key[0].type = key[1].type = INPUT_KEYBOARD;
              key[0].ki.wVk = key[1].ki.wVk = VK_ESCAPE;
              key[1].ki.dwFlags = KEYEVENTF_KEYUP;
              SendInput(2, key, sizeof(INPUT));
              pressed = true;
            }
            Sleep(5);
          }
        }) {}
  ~EscapeWhenScanning() {
    stop = true;
    thread.join();
  }
};

TEST_F(XferWineTest, EscapeOnTheProgressWindowCancelsMidPage) {
  // Every READ of image data takes a while, so the page takes seconds.
  ASSERT_NO_FATAL_FAILURE(Prepare(kModels[2], "\nfault pending 40 op=0x28"));
  Preset(6, 100);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Frame(0, 0, 8, 10), TWRC_SUCCESS);
  for (int mechanism = 0; mechanism < 3; ++mechanism) {
    SCOPED_TRACE(mechanism);
    ASSERT_NO_FATAL_FAILURE(EnableAndWait());
    XferResult r;
    {
      EscapeWhenScanning escape;
      r = mechanism == 0   ? test::NativeXfer(c)
          : mechanism == 1 ? test::MemoryXfer(c)
                           : test::FileXfer(c, SourceDir() + "CANCEL.TIF", TWFF_TIFF);
      EXPECT_TRUE(escape.pressed);
    }
    EXPECT_EQ(r.Rc, TWRC_CANCEL);
    // The reply that says cancel carries no rows.
    if (mechanism == 1) {
      ASSERT_FALSE(r.Strips.empty());
      EXPECT_EQ(r.Strips.back().Rows, 0u);
    }
    EXPECT_FALSE(FileExists(SourceDir() + "CANCEL.TIF"));
    EXPECT_EQ(FindWindowW(L"#32770", L"Scanning Image..."), nullptr);
    EXPECT_TRUE(IsWindowEnabled(app.Window));
    EXPECT_EQ(Describe()["scanning"], "0");
    EXPECT_EQ(Pending(MSG_GET), 0);
    Pending(MSG_ENDXFER);
    ASSERT_EQ(Disable(), TWRC_SUCCESS);
  }
}

}  // namespace
}  // namespace wq
