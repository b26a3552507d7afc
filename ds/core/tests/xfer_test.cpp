// The image triplets and the three transfers natively, through the source's
// entry, on the virtual scanner: what each mechanism delivers, read back by
// the tests' own decoders and held against the test page and each other;
// the edge cases of image information, layout and palette; the feeder, a
// jam, cancel, a full disk and a failing write.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "ds/base/memory.h"
#include "ds/core/dsentry.h"
#include "ds/core/fix32.h"
#include "ds/core/scanloop.h"
#include "ds/core/session.h"
#include "ds/core/tests/cap_harness.h"
#include "ds/base/text.h"
#include "ds/scan/geometry.h"
#include "ds/scan/progress.h"
#include "ds/scan/scanjob.h"
#include "ds/core/stripbind.h"
#include "ds/scan/strips.h"
#include "ds/tests/page_facts.h"
#include "ds/tests/test_host.h"
#include "ds/tests/xfer_driver.h"
#include "ds/settings/settings.h"
#include "vscsi/description.h"
#include "vscsi/vscsi.h"

namespace wq {
namespace {

using test::g_TestHost;
using test::RgbPage;
using test::XferResult;

TW_IDENTITY g_App;
TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
  return DsEntryProc(&g_App, dg, dat, msg, data);
}
bool ReadOutput(const std::string& path, std::vector<uint8_t>* bytes) {
  auto it = g_TestHost.outputFiles.find(path);
  if (it == g_TestHost.outputFiles.end()) return false;
  *bytes = it->second;
  return true;
}
const test::XferChannel kChannel = {Call, nullptr, nullptr, nullptr, nullptr, nullptr, ReadOutput};

std::map<std::string, std::string> Describe() {
  char buf[8192];
  VscsiDescribe(0, 4, buf, sizeof buf);
  return vscsi::ParseDescription(buf);
}

int g_Polls;
int g_CancelAtPoll = -1;
bool Poll() { return g_Polls++ == g_CancelAtPoll; }

class XferTest : public ::testing::Test {
 protected:
  void SetUp() override { Start("WQ140"); }
  void TearDown() override {
    g_Progress = ProgressProcs{};
    test::ShutDownDataSource();
  }

  void Start(const char* model, const char* options = "", bool metric = false) {
    test::ResetDataSource();
    g_TestHost.env.Measure = metric ? 0 : 1;
    test::UseFakeGlobalMemory();
    g_App = test::AppIdentity(7);
    c = kChannel;
    c.Alloc = [](size_t n) { return test::NewBlock(std::vector<uint8_t>(n)); };
    c.Lock = g_Memory.Lock;
    c.Unlock = g_Memory.Unlock;
    c.Size = g_Memory.Size;
    c.Free = test::FreeBlock;
    g_Polls = 0;
    g_CancelAtPoll = -1;
    g_Progress = ProgressProcs{};
    g_Progress.PollCancel = Poll;
    UseScannerForStrips();
    ASSERT_EQ(test::OpenSource(test::ScannerBus(model, options)), TWRC_SUCCESS);
    Frame(200, 100, 50);
  }

  // The scan area from the bed's origin, `width` x `height` units, at a
  // custom resolution.
  void Frame(int32_t width, int32_t height, int dpi, int32_t left = 0, int32_t top = 0) {
    ScanSettings& s = *g_Settings;
    s.AreaLeft = kBedLeft + left;
    s.AreaTop = kBedTop + top;
    s.AreaWidth = width;
    s.AreaHeight = height;
    s.Resolution = int16_t(ResolutionCount(s.Model));
    s.XResoCustom = s.YResoCustom = int16_t(dpi);
    s.ZoomOnOff = 0;
    frame = test::ScanFrame{left, top, dpi, dpi};
  }
  void Mode(int mode) { g_Settings->Mode = int16_t(mode); }

  TW_UINT16 Enable() {
    TW_USERINTERFACE ui{};
    ui.ShowUI = 0;
    return Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
  }
  TW_UINT16 Disable() {
    TW_USERINTERFACE ui{};
    return Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
  }
  // From state 4 to 6; from 5 or 6 back to 4 first.
  void ReadyForTransfer() {
    if (g_Session.State >= 5) ASSERT_EQ(Disable(), TWRC_SUCCESS);
    ASSERT_EQ(Enable(), TWRC_SUCCESS);
    ASSERT_EQ(g_Session.State, 6);
  }
  void ExpectPageFacts(const RgbPage& page, int kind, const char* what) {
    for (const std::string& t : test::CheckPageFacts(page, frame, kind)) ADD_FAILURE() << what << ": " << t;
  }

  test::XferChannel c;
  test::ScanFrame frame{};
};

// --- The four forms of one page ---------------------------------------------

TEST_F(XferTest, EveryModeGivesTheSamePixelsByEveryMechanism) {
  const int modes[] = {0x101, 0x201, 0x301, 0x401, 0x501, 0x102, 0x202,
                       0x302, 0x402, 0x502, 3,     4,     6};
  for (int mode : modes) {
    SCOPED_TRACE(testing::Message() << "mode 0x" << std::hex << mode);
    Mode(mode);
    ReadyForTransfer();
    const XferResult native = test::NativeXfer(c);
    ASSERT_EQ(native.Rc, TWRC_XFERDONE) << native.Cc;
    ASSERT_EQ(native.Error, "");
    ExpectPageFacts(native.Page, mode & 0xFF, "native");
    EXPECT_EQ(native.Page.Width, 400u);
    EXPECT_EQ(native.Page.Height, 200u);
    EXPECT_EQ(native.Info.ImageWidth, 400);
    EXPECT_EQ(native.Info.ImageLength, 200);

    const XferResult memory = test::MemoryXfer(c);
    ASSERT_EQ(memory.Rc, TWRC_XFERDONE) << memory.Cc;
    EXPECT_EQ(test::FirstDifference(native.Page, memory.Page), "") << "memory " << memory.Error;
    const XferResult bmp = test::FileXfer(c, "C:\\SCANS\\PAGE.BMP", TWFF_BMP);
    ASSERT_EQ(bmp.Rc, TWRC_XFERDONE) << bmp.Cc;
    EXPECT_EQ(test::FirstDifference(native.Page, bmp.Page), "") << "BMP " << bmp.Error;
    const XferResult tiff = test::FileXfer(c, "C:\\SCANS\\PAGE.TIF", TWFF_TIFF);
    ASSERT_EQ(tiff.Rc, TWRC_XFERDONE) << tiff.Cc;
    EXPECT_EQ(test::FirstDifference(native.Page, tiff.Page), "") << "TIFF " << tiff.Error;
    // The BMP file is the native bitmap behind a file header.
    ASSERT_GT(bmp.Bytes.size(), 14u);
    EXPECT_TRUE(std::equal(native.Bytes.begin(), native.Bytes.end(), bmp.Bytes.begin() + 14));
  }
}

TEST_F(XferTest, BitmapHeaderRowsAndPalettesByKind) {
  struct Case {
    int mode;
    uint16_t bits;
    uint32_t colours;
    uint32_t dibRow, memRow;  // for 401 pixels
    TW_INT16 pixelType, bitsPerPixel, samples;
  } cases[] = {
      {0x101, 1, 2, 52, 52, TWPT_BW, 1, 1},      {0x102, 4, 16, 204, 404, TWPT_PALETTE, 8, 1},
      {3, 8, 256, 404, 404, TWPT_GRAY, 8, 1},    {4, 8, 256, 404, 404, TWPT_PALETTE, 8, 1},
      {6, 24, 0, 1204, 1204, TWPT_RGB, 24, 3},
  };
  Frame(10, 4, 1003);  // 401 x 160 pixels at 1003 dpi
  g_Settings->XResoCustom = 1003;
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "mode 0x" << std::hex << k.mode);
    Mode(k.mode);
    ReadyForTransfer();
    const XferResult n = test::NativeXfer(c);
    ASSERT_EQ(n.Rc, TWRC_XFERDONE);
    EXPECT_EQ(n.Dib.Size, 40u);
    EXPECT_EQ(n.Dib.Width, 401);
    EXPECT_EQ(n.Dib.Height, 160);  // positive: bottom-up
    EXPECT_EQ(n.Dib.Planes, 1);
    EXPECT_EQ(n.Dib.BitCount, k.bits);
    EXPECT_EQ(n.Dib.Compression, 0u);
    EXPECT_EQ(n.Dib.SizeImage, k.dibRow * 160);
    EXPECT_EQ(n.Dib.ClrUsed, k.colours);
    EXPECT_EQ(n.Dib.ClrImportant, 0u);
    // 1003 dpi: 1003 x 10000 / 254 pixels a metre.
    EXPECT_EQ(n.Dib.XPelsPerMeter, 39488);
    EXPECT_EQ(n.Bytes.size(), 40 + 4 * k.colours + size_t(k.dibRow) * 160);
    EXPECT_EQ(n.Info.PixelType, k.pixelType);
    EXPECT_EQ(n.Info.BitsPerPixel, k.bitsPerPixel);
    EXPECT_EQ(n.Info.SamplesPerPixel, k.samples);
    EXPECT_EQ(n.Info.XResolution.Whole, 1003);
    EXPECT_EQ(n.Info.XResolution.Frac, 0);
    const XferResult m = test::MemoryXfer(c);
    ASSERT_EQ(m.Rc, TWRC_XFERDONE);
    ASSERT_FALSE(m.Strips.empty());
    EXPECT_EQ(m.Strips[0].BytesPerRow, k.memRow);
    EXPECT_EQ(m.Strips[0].Columns, 401u);
  }
  // The colour tables: eight colours with their half-intensity twins, the
  // 3-3-2 cube.
  Mode(0x102);
  ReadyForTransfer();
  const XferResult eight = test::NativeXfer(c);
  const uint8_t* t = &eight.Bytes[40];
  EXPECT_EQ(std::vector<uint8_t>(t, t + 8), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 255, 0}));
  EXPECT_EQ(std::vector<uint8_t>(t + 4 * 6, t + 4 * 9),
            (std::vector<uint8_t>{255, 255, 0, 0, 255, 255, 255, 0, 192, 192, 192, 0}));
  EXPECT_EQ(std::vector<uint8_t>(t + 4 * 13, t + 4 * 14), (std::vector<uint8_t>{128, 0, 128, 0}));
  Mode(4);
  ReadyForTransfer();
  const XferResult cube = test::NativeXfer(c);
  const uint8_t* q = &cube.Bytes[40 + 4 * 0xB6];  // 101 101 10: red 5, green 5, blue 2
  EXPECT_EQ(std::vector<uint8_t>(q, q + 4), (std::vector<uint8_t>{170, 182, 182, 0}));
}

TEST_F(XferTest, OnePixelWideAndThreeHundredDpi) {
  Mode(0x101);
  Frame(1, 1, 25);  // one pixel
  ReadyForTransfer();
  const XferResult n = test::NativeXfer(c);
  ASSERT_EQ(n.Rc, TWRC_XFERDONE);
  EXPECT_EQ(n.Dib.Width, 1);
  EXPECT_EQ(g_Session.Geometry.DibRowBytes, 4u);
  EXPECT_EQ(g_Session.Geometry.RowBytes, 1u);
  EXPECT_EQ(n.Bytes.size(), 48u + 4);
  g_Settings->Resolution = 7;  // 300 dpi from the list
  ReadyForTransfer();
  const XferResult three = test::NativeXfer(c);
  EXPECT_EQ(three.Dib.XPelsPerMeter, 11811);
  EXPECT_EQ(three.Dib.YPelsPerMeter, 11811);
}

// --- Memory transfers -------------------------------------------------------

TEST_F(XferTest, MinimumBufferGivesWholeStripsAndTheRemainder) {
  Mode(3);
  Frame(200, 100, 50);  // 400-byte rows, 200 of them
  ReadyForTransfer();
  XferResult m = test::MemoryXfer(c, 800);  // the minimum: two rows
  ASSERT_EQ(m.Setup.MinBufSize, 800u);
  ASSERT_EQ(m.Rc, TWRC_XFERDONE);
  ASSERT_EQ(m.Strips.size(), 100u);
  for (size_t i = 0; i < m.Strips.size(); ++i) {
    EXPECT_EQ(m.Strips[i].Rows, 2u);
    EXPECT_EQ(m.Strips[i].YOffset, 2 * i);
    EXPECT_EQ(m.Strips[i].BytesWritten, 800u);
    EXPECT_EQ(m.Strips[i].XOffset, 0u);
    EXPECT_EQ(m.Strips[i].Compression, TWCP_NONE);
  }
  // 200 rows in buffers of 3 rows: 66 full strips and one of 2.
  Frame(200, 100, 50);
  m = test::MemoryXfer(c, 1200);
  ASSERT_EQ(m.Rc, TWRC_XFERDONE);
  ASSERT_EQ(m.Strips.size(), 67u);
  EXPECT_EQ(m.Strips[65].Rows, 3u);
  EXPECT_EQ(m.Strips[66].Rows, 2u);
  EXPECT_EQ(m.Strips[66].YOffset, 198u);
  EXPECT_EQ(m.Strips[66].BytesWritten, 800u);
  // A handle given as the buffer is locked for each call and gives the same.
  const XferResult viaHandle = test::MemoryXfer(c, 1200, true);
  ASSERT_EQ(viaHandle.Rc, TWRC_XFERDONE);
  EXPECT_EQ(test::FirstDifference(m.Page, viaHandle.Page), "");
  EXPECT_EQ(test::LockedBlocks(), 0);
}

TEST_F(XferTest, MemoryBufferOutsideTheSizesOrNotTheApplicationsIsRefused) {
  Mode(3);
  ReadyForTransfer();
  TW_SETUPMEMXFER setup{};
  ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
  std::vector<uint8_t> buffer(setup.MaxBufSize + 1);
  auto call = [&](uint32_t length, uint32_t flags) {
    TW_IMAGEMEMXFER x{};
    x.Memory.Flags = flags;
    x.Memory.Length = length;
    x.Memory.TheMem = buffer.data();
    return Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &x);
  };
  EXPECT_EQ(call(setup.MinBufSize - 1, TWMF_APPOWNS | TWMF_POINTER), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADVALUE);
  EXPECT_EQ(call(setup.MaxBufSize + 1, TWMF_APPOWNS | TWMF_POINTER), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADVALUE);
  EXPECT_EQ(call(setup.MinBufSize, TWMF_DSOWNS | TWMF_POINTER), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADVALUE);
  EXPECT_EQ(Describe()["starts"], "0");  // the scanner never moved
  // Outside state 6 the memory transfer is a protocol error.
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  EXPECT_EQ(call(setup.MinBufSize, TWMF_APPOWNS), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADPROTOCOL);
  void* handle = nullptr;
  EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_SEQERROR);
}

TEST_F(XferTest, RowWiderThanTheLargestBufferIsAMemoryShortage) {
  // 2400 dpi over the whole bed width: rows of 61344 bytes; the minimum of
  // 32768 bytes holds none of them.
  Mode(6);
  Frame(213, 1, 1600);
  ReadyForTransfer();
  TW_SETUPMEMXFER setup{};
  Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup);
  ASSERT_EQ(setup.MinBufSize, 32768u);
  ASSERT_GT(g_Session.Geometry.XferRowBytes, 32768u);
  std::vector<uint8_t> buffer(32768);
  TW_IMAGEMEMXFER x{};
  x.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
  x.Memory.Length = 32768;
  x.Memory.TheMem = buffer.data();
  EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &x), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_LOWMEMORY);
  EXPECT_EQ(g_TestHost.messages.back(), msg::kNoXferMemory);
  EXPECT_EQ(g_Session.PendingCount, 0);
  EXPECT_EQ(Describe()["starts"], "0");
}

TEST_F(XferTest, EightColoursAreFourBitsInBitmapsAndEightInMemory) {
  Mode(0x102);
  Frame(100, 20, 50);  // 200 pixels
  ReadyForTransfer();
  const XferResult n = test::NativeXfer(c);
  EXPECT_EQ(n.Dib.BitCount, 4);
  EXPECT_EQ(g_Session.Geometry.RowBytes, 100u);
  const XferResult m = test::MemoryXfer(c);
  ASSERT_EQ(m.Rc, TWRC_XFERDONE);
  EXPECT_EQ(m.Strips[0].BytesPerRow, 200u);
  for (uint8_t v : m.Bytes) ASSERT_LT(v, 8);  // one index a byte
  const XferResult tiff = test::FileXfer(c, "C:\\A\\EIGHT.TIF", TWFF_TIFF);
  std::vector<test::TiffEntry> d;
  ASSERT_TRUE(test::ReadTiffDirectory(tiff.Bytes, &d, nullptr));
  EXPECT_EQ(test::FindTag(d, 258)->Numbers, std::vector<uint32_t>{8});
  EXPECT_EQ(test::FirstDifference(n.Page, m.Page), "");
}

// --- The file transfer's files ----------------------------------------------

TEST_F(XferTest, TiffDirectoryHoldsTheDocumentedValuesInTagOrder) {
  struct Case {
    int mode;
    std::vector<uint16_t> tags;
    uint32_t photometric;
  } cases[] = {
      {0x101, {255, 256, 257, 258, 259, 262, 269, 271, 273, 277, 279, 282, 283, 305, 306, 316}, 0},
      {3, {255, 256, 257, 258, 259, 262, 269, 271, 273, 277, 279, 282, 283, 305, 306, 316}, 1},
      {4, {255, 256, 257, 258, 259, 262, 269, 271, 273, 277, 279, 282, 283, 305, 306, 316, 320}, 3},
      {6, {254, 256, 257, 258, 259, 262, 269, 271, 273, 277, 278, 279, 282, 283, 305, 306, 316}, 2},
  };
  Frame(20, 10, 100);  // 80 x 40
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "mode 0x" << std::hex << k.mode);
    Mode(k.mode);
    ReadyForTransfer();
    const XferResult t = test::FileXfer(c, "c:\\scans\\page one.tif", TWFF_TIFF, "C:\\SCANS\\PAGE ONE.TIF");
    ASSERT_EQ(t.Rc, TWRC_XFERDONE);
    std::vector<test::TiffEntry> d;
    ASSERT_TRUE(test::ReadTiffDirectory(t.Bytes, &d, nullptr));
    std::vector<uint16_t> tags;
    for (const auto& e : d) tags.push_back(e.Tag);
    EXPECT_EQ(tags, k.tags);  // ascending, as TIFF requires
    EXPECT_EQ(t.Bytes[0], 'I');
    EXPECT_EQ(test::FindTag(d, 262)->Numbers[0], k.photometric);
    EXPECT_EQ(test::FindTag(d, 269)->Text, "PAGE ONE.TIF");  // the name upper-cased
    EXPECT_EQ(test::FindTag(d, 271)->Text, "KORVA CORPORATION");
    EXPECT_EQ(test::FindTag(d, 305)->Text, "ScanWQ V4.0x Scanner Utility");
    EXPECT_EQ(test::FindTag(d, 306)->Text, "2026:12:07 09:05:03");
    EXPECT_EQ(test::FindTag(d, 306)->Count, 20u);
    EXPECT_EQ(test::FindTag(d, 316)->Text, "IBM");
    EXPECT_EQ(test::FindTag(d, 282)->Numbers, (std::vector<uint32_t>{100, 1}));
    const uint32_t rowBytes = k.mode == 6 ? 240 : k.mode == 0x101 ? 10 : 80;
    EXPECT_EQ(test::FindTag(d, 279)->Numbers[0], rowBytes * 40);
    EXPECT_EQ(test::FindTag(d, 273)->Numbers[0] + rowBytes * 40, t.Bytes.size());
    if (k.mode == 6) EXPECT_EQ(test::FindTag(d, 258)->Numbers, (std::vector<uint32_t>{8, 8, 8}));
    if (k.mode == 4) {
      const auto& map = test::FindTag(d, 320)->Numbers;
      ASSERT_EQ(map.size(), 768u);
      EXPECT_EQ(map[0xFF], 65535u);         // red of index 255
      EXPECT_EQ(map[256 + 0x1C], 65535u);   // green of 000 111 00
      EXPECT_EQ(map[512 + 2], 170u * 257);  // blue of index 2
    }
  }
  EXPECT_TRUE(g_TestHost.outputFiles.count("C:\\SCANS\\PAGE ONE.TIF"));
  EXPECT_EQ(g_Session.FileDir, std::string("C:\\SCANS\\"));
}

TEST_F(XferTest, FullDiskFailsBeforeTheScannerMoves) {
  Mode(6);
  Frame(200, 100, 50);  // a BMP of 54 + 200 x 1200 bytes
  ReadyForTransfer();
  g_TestHost.freeBytes = 54 + 200 * 1200 - 1;
  for (TW_UINT16 format : {TW_UINT16(TWFF_BMP), TW_UINT16(TWFF_TIFF)}) {
    ReadyForTransfer();
    g_TestHost.messages.clear();
    const XferResult r = test::FileXfer(c, "C:\\FULL.IMG", format);
    EXPECT_EQ(r.Rc, TWRC_FAILURE);
    EXPECT_EQ(r.Cc, TWCC_OPERATIONERROR);
    EXPECT_EQ(g_TestHost.messages, std::vector<int>{msg::kNoDiskSpace});
    EXPECT_EQ(Describe()["starts"], "0");
    EXPECT_EQ(g_Session.PendingCount, 0);
  }
  EXPECT_TRUE(g_TestHost.outputFiles.empty());
  g_TestHost.freeBytes = 54 + 200 * 1200;
  EXPECT_EQ(test::FileXfer(c, "C:\\FULL.IMG", TWFF_BMP).Rc, TWRC_XFERDONE);
}

TEST_F(XferTest, WriteFailureMidPageLeavesNoFileAndResetsTheScanner) {
  Mode(3);
  ReadyForTransfer();
  std::vector<uint8_t> old = {1, 2, 3};
  g_TestHost.outputFiles["C:\\KEEP.BMP"] = old;
  g_TestHost.diskLimit = 20000;  // the disk fills up halfway
  g_TestHost.messages.clear();
  const XferResult r = test::FileXfer(c, "C:\\KEEP.BMP", TWFF_BMP);
  EXPECT_EQ(r.Rc, TWRC_FAILURE);
  EXPECT_EQ(r.Cc, TWCC_OPERATIONERROR);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{msg::kNoDiskSpace});
  EXPECT_EQ(g_TestHost.outputFiles["C:\\KEEP.BMP"], old);  // the old file stays
  EXPECT_EQ(g_TestHost.abandonedFiles, 1);
  EXPECT_EQ(Describe()["scanning"], "0");
  EXPECT_FALSE(g_Strips.Active);
  // A file that cannot be created names its drive.
  g_TestHost.diskLimit = uint64_t(1) << 32;
  g_TestHost.createFails = true;
  ReadyForTransfer();
  EXPECT_EQ(test::FileXfer(c, "D:\\NEW.TIF", TWFF_TIFF).Rc, TWRC_FAILURE);
  ASSERT_FALSE(g_TestHost.messagesWith.empty());
  EXPECT_EQ(g_TestHost.messagesWith.back(), (std::pair<int, std::string>{msg::kDiskError, "\"D:\""}));
}

// --- Ending a page ------------------------------------------------------------

TEST_F(XferTest, CancelMidPageFreesEverything) {
  Mode(6);
  g_Main.ScanMemory = 8192;
  g_Main.NearFull = 40000;  // several strips
  for (int mechanism = 0; mechanism < 3; ++mechanism) {
    SCOPED_TRACE(mechanism);
    ReadyForTransfer();
    g_Polls = 0;
    g_CancelAtPoll = 12;
    const size_t liveBefore = test::LiveBlocks();
    XferResult r = mechanism == 0   ? test::NativeXfer(c)
                   : mechanism == 1 ? test::MemoryXfer(c)
                                    : test::FileXfer(c, "C:\\CANCEL.TIF", TWFF_TIFF);
    EXPECT_EQ(r.Rc, TWRC_CANCEL);
    if (mechanism == 2) EXPECT_EQ(r.Cc, TWCC_OPERATIONERROR);
    EXPECT_FALSE(g_Strips.Active);
    EXPECT_EQ(test::LiveBlocks(), liveBefore);  // no bitmap left behind
    EXPECT_EQ(g_Session.PendingCount, 0);
    EXPECT_EQ(g_Session.ProgressCount, 0u);
    EXPECT_EQ(Describe()["scanning"], "0");
    if (mechanism == 1) {
      // Strips went out before the cancel; the last reply is zeroed.
      ASSERT_GT(r.Strips.size(), 1u);
      EXPECT_EQ(r.Strips.back().Rows, 0u);
      EXPECT_EQ(r.Strips.back().BytesWritten, 0u);
    }
  }
  EXPECT_TRUE(g_TestHost.outputFiles.empty());
  g_CancelAtPoll = -1;
}

TEST_F(XferTest, FeederBatchOfThreeSheets) {
  Start("WQ140", "adf=1 sheets=3");
  Mode(3);
  Frame(200, 290, 25);  // down to the sheets' black squares
  ASSERT_EQ(Enable(), TWRC_SUCCESS);
  EXPECT_EQ(g_Session.PendingCount, -1);
  for (int page = 1; page <= 3; ++page) {
    SCOPED_TRACE(page);
    ASSERT_EQ(g_Session.State, 6);
    const XferResult r = page == 2 ? test::MemoryXfer(c) : test::NativeXfer(c);
    ASSERT_EQ(r.Rc, TWRC_XFERDONE);
    EXPECT_EQ(test::CountSheetSquares(r.Page, frame), page);
    // The page number counts the pages ended before this one; the batch
    // number is 1 from the transfer on.
    TW_IMAGELAYOUT l{};
    ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l), TWRC_SUCCESS);
    EXPECT_EQ(l.PageNumber, uint32_t(page - 1));
    EXPECT_EQ(l.DocumentNumber, 1u);
    const int16_t left = test::PendingXfers(c, MSG_ENDXFER);
    EXPECT_EQ(left, page < 3 ? -1 : 0);
  }
  EXPECT_EQ(g_Session.State, 5);
  TW_IMAGELAYOUT l{};
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l), TWRC_SUCCESS);
  EXPECT_EQ(l.PageNumber, 1u);      // the batch ended
  EXPECT_EQ(l.DocumentNumber, 2u);  // 1 again for page 3, + 1 at its end
  EXPECT_EQ(Describe()["sheets"], "0");
}

TEST_F(XferTest, EmptyFeederEndsTheTransferWithItsMessageOrQuietly) {
  Start("WQ140", "adf=1 sheets=1");
  Mode(3);
  ASSERT_EQ(Enable(), TWRC_SUCCESS);
  ASSERT_EQ(test::NativeXfer(c).Rc, TWRC_XFERDONE);
  ASSERT_EQ(test::PendingXfers(c, MSG_ENDXFER), 0);
  const auto starts = [] { return Describe()["starts"]; };
  const std::string before = starts();
  // The indicators on: the empty-feeder message, and the scanner never starts.
  g_TestHost.messages.clear();
  ReadyForTransfer();
  const XferResult shown = test::MemoryXfer(c);
  EXPECT_EQ(shown.Rc, TWRC_FAILURE);
  EXPECT_EQ(shown.Cc, TWCC_OPERATIONERROR);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{msg::kAdfEmpty});
  EXPECT_EQ(starts(), before);
  // Off, with the window hidden: no box at all, the same condition code.
  test::PendingXfers(c, MSG_ENDXFER);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(test::CapSetOne(CAP_INDICATORS, TWTY_BOOL, 0).rc, TWRC_SUCCESS);
  g_TestHost.messages.clear();
  ReadyForTransfer();
  const XferResult quiet = test::NativeXfer(c);
  EXPECT_EQ(quiet.Rc, TWRC_FAILURE);
  EXPECT_EQ(quiet.Cc, TWCC_OPERATIONERROR);
  EXPECT_TRUE(g_TestHost.messages.empty());
  EXPECT_EQ(test::LiveBlocks(), 0u);
  // Paper again: the next transfer scans.
  test::PendingXfers(c, MSG_ENDXFER);
  ASSERT_TRUE(VscsiLoadSheets(0, 4, 1));
  ReadyForTransfer();
  EXPECT_EQ(test::NativeXfer(c).Rc, TWRC_XFERDONE);
}

TEST_F(XferTest, AScannerThatStopsAnsweringEndsTheTransfer) {
  // A READ of image data never completes, once a page: the library gives
  // the request up at its time limit and the page fails; nothing waits on.
  Start("WQ140", "\nfault hang op=0x28 type=0 times=3");
  Mode(3);
  for (int m = 0; m < 3; ++m) {
    SCOPED_TRACE(m);
    g_TestHost.messages.clear();
    ReadyForTransfer();
    const XferResult r = m == 0   ? test::NativeXfer(c)
                         : m == 1 ? test::MemoryXfer(c)
                                  : test::FileXfer(c, "C:\\OUT\\HANG.BMP", TWFF_BMP);
    EXPECT_EQ(r.Rc, TWRC_FAILURE);
    EXPECT_EQ(r.Cc, TWCC_OPERATIONERROR);
    // What the user is told: look at the scanner and its cable.
    EXPECT_EQ(g_TestHost.messages, std::vector<int>{msg::kNoScanner});
    EXPECT_EQ(test::LiveBlocks(), 0u);
    EXPECT_TRUE(g_TestHost.outputFiles.empty());
    test::PendingXfers(c, MSG_ENDXFER);
  }
}

TEST_F(XferTest, JamOnTheSecondSheetKeepsTheFirstPage) {
  Start("WQ140", "adf=1 sheets=3\nfault jam read=3 after=60");
  Mode(3);
  Frame(200, 100, 50);
  ASSERT_EQ(Enable(), TWRC_SUCCESS);
  const XferResult first = test::NativeXfer(c);
  ASSERT_EQ(first.Rc, TWRC_XFERDONE);
  ExpectPageFacts(first.Page, 3, "first page");
  EXPECT_EQ(test::PendingXfers(c, MSG_ENDXFER), -1);
  g_TestHost.messages.clear();
  const XferResult second = test::NativeXfer(c);
  EXPECT_EQ(second.Rc, TWRC_FAILURE);
  EXPECT_EQ(second.Cc, TWCC_OPERATIONERROR);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{msg::kPaperJam});
  EXPECT_EQ(g_Session.PendingCount, 0);
  EXPECT_EQ(test::LiveBlocks(), 0u);
  EXPECT_EQ(test::PendingXfers(c, MSG_ENDXFER), 0);
  EXPECT_EQ(g_Session.State, 5);
}

// --- Image information, layout and palette ------------------------------------

TEST_F(XferTest, ImageInfoOnlyWhenATransferIsReady) {
  TW_IMAGEINFO info{};
  EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_FAILURE);  // state 4
  EXPECT_EQ(test::Condition(c), TWCC_SEQERROR);
  ASSERT_EQ(Enable(), TWRC_SUCCESS);
  ASSERT_EQ(test::PendingXfers(c, MSG_ENDXFER), 0);  // to state 5
  EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_SEQERROR);
  EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_SET, &info), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADPROTOCOL);
}

TEST_F(XferTest, ZoomShowsInImageInfoButNotInTheLayout) {
  Mode(6);
  Frame(100, 50, 100);  // 400 x 200 at 100 dpi, 1 inch from the left
  g_Settings->AreaLeft = kBedLeft + 25;
  g_Session.TwUnits = TWUN_PIXELS;
  ASSERT_EQ(test::CapSet(ICAP_XSCALING, TWON_ONEVALUE, test::OneValue(TWTY_FIX32, 0x80000000u)).rc,
            TWRC_SUCCESS);
  ASSERT_EQ(test::CapSet(ICAP_YSCALING, TWON_ONEVALUE, test::OneValue(TWTY_FIX32, 0x40000000u)).rc,
            TWRC_SUCCESS);
  ASSERT_EQ(Enable(), TWRC_SUCCESS);
  TW_IMAGEINFO info{};
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
  EXPECT_EQ(info.ImageWidth, 200);
  EXPECT_EQ(info.ImageLength, 50);
  TW_IMAGELAYOUT l{};
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &l), TWRC_SUCCESS);
  EXPECT_EQ(l.Frame.Left.Whole, 100);
  EXPECT_EQ(l.Frame.Right.Whole, 500);
  EXPECT_EQ(l.Frame.Bottom.Whole, 200);
  // The transfer delivers what the information said.
  const XferResult n = test::NativeXfer(c);
  ASSERT_EQ(n.Rc, TWRC_XFERDONE);
  EXPECT_EQ(n.Dib.Width, 200);
  EXPECT_EQ(n.Dib.Height, 50);
}

TEST_F(XferTest, LayoutSetConvertsUnitsAndScalesIntoThePreview) {
  auto fix = [](double v) { return RealToFix32(v); };
  auto set = [&](double l, double t, double r, double b) {
    TW_IMAGELAYOUT lay{};
    lay.Frame = TW_FRAME{fix(l), fix(t), fix(r), fix(b)};
    return Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &lay);
  };
  // Inches: 1.0 is 25 units, 20 preview pixels, and back 25 units.
  g_Session.TwUnits = TWUN_INCHES;
  ASSERT_EQ(set(1.0, 0.5, 3.0, 2.5), TWRC_SUCCESS);
  EXPECT_EQ(g_Settings->PreCropRect.Left, 20);   // (25 x 4 + 4) div 5
  EXPECT_EQ(g_Settings->PreCropRect.Top, 10);    // 12 units
  EXPECT_EQ(g_Settings->PreCropRect.Right, 60);  // 75 units
  EXPECT_EQ(g_Settings->AreaLeft, kBedLeft + 25);
  EXPECT_EQ(g_Settings->AreaTop, kBedTop + 12);
  EXPECT_EQ(g_Settings->AreaWidth, 50);
  // Centimetres: 2.54 is 25 units; pixels: 300 at 300 dpi is 25 units.
  g_Session.TwUnits = TWUN_CENTIMETERS;
  ASSERT_EQ(set(2.54, 0, 7.62, 2.54), TWRC_SUCCESS);
  EXPECT_EQ(g_Settings->AreaLeft, kBedLeft + 25);
  EXPECT_EQ(g_Settings->AreaWidth, 50);
  g_Settings->Resolution = 7;  // 300 dpi
  g_Session.TwUnits = TWUN_PIXELS;
  ASSERT_EQ(set(300, 300, 900, 600), TWRC_SUCCESS);
  EXPECT_EQ(g_Settings->AreaLeft, kBedLeft + 25);
  EXPECT_EQ(g_Settings->AreaTop, kBedTop + 25);
  TW_IMAGELAYOUT back{};
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &back), TWRC_SUCCESS);
  EXPECT_EQ(back.Frame.Left.Whole, 300);
  EXPECT_EQ(back.Frame.Right.Whole, 900);
  EXPECT_EQ(back.Frame.Bottom.Whole, 600);
  EXPECT_EQ(g_Session.Geometry.ImageWidth, 600u);
  // A frame beyond the bed is cut at its edge.
  g_Session.TwUnits = TWUN_INCHES;
  ASSERT_EQ(set(-2, -1, 30, 40), TWRC_SUCCESS);
  EXPECT_EQ(g_Settings->AreaLeft, kBedLeft);
  EXPECT_EQ(g_Settings->AreaWidth, 213);
  EXPECT_EQ(g_Settings->AreaHeight, 293);
  // Only in state 4.
  ASSERT_EQ(Enable(), TWRC_SUCCESS);
  EXPECT_EQ(set(1, 1, 2, 2), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADPROTOCOL);
}

TEST_F(XferTest, LayoutDefaultAndResetAreThePaperAtTheOpticalResolution) {
  // The WQ220 (N 600) with A4 paper from a metric system: 207 x 293 units.
  test::ShutDownDataSource();
  Start("WQ220", "", true);
  g_Session.TwUnits = TWUN_INCHES;
  TW_IMAGELAYOUT l{};
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GETDEFAULT, &l), TWRC_SUCCESS);
  EXPECT_NEAR(Fix32ToReal(l.Frame.Right), 8.28, 0.02);
  EXPECT_NEAR(Fix32ToReal(l.Frame.Bottom), 11.72, 0.02);
  EXPECT_EQ(l.Frame.Left.Whole, 0);
  EXPECT_EQ(l.PageNumber, 1u);
  g_Session.TwUnits = TWUN_PIXELS;
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GETDEFAULT, &l), TWRC_SUCCESS);
  EXPECT_EQ(l.Frame.Right.Whole, 207 * 600 / 25);
  g_Settings->AreaWidth = 10;
  ASSERT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_RESET, &l), TWRC_SUCCESS);
  EXPECT_EQ(g_Settings->AreaWidth, 207);
  EXPECT_EQ(l.Frame.Right.Whole, 207 * 600 / 25);
}

TEST_F(XferTest, PaletteByKind) {
  struct Case {
    int mode;
    uint16_t count, type;
    std::vector<uint8_t> entry5;  // index, red, green, blue of entry 5
  } cases[] = {
      {0x101, 2, TWPA_GRAY, {}},
      {0x302, 8, TWPA_RGB, {5, 255, 0, 255}},
      {3, 256, TWPA_GRAY, {5, 5, 5, 5}},
      {5, 256, TWPA_RGB, {5, 0, 36, 85}},
      {6, 0, TWPA_RGB, {}},
  };
  for (const Case& k : cases) {
    Mode(k.mode);
    TW_PALETTE8 p;
    memset(&p, 0xAA, sizeof p);
    ASSERT_EQ(Call(DG_IMAGE, DAT_PALETTE8, MSG_GETDEFAULT, &p), TWRC_SUCCESS);
    EXPECT_EQ(p.NumColors, k.count);
    EXPECT_EQ(p.PaletteType, k.type);
    if (!k.entry5.empty())
      EXPECT_EQ((std::vector<uint8_t>{p.Colors[5].Index, p.Colors[5].Channel1, p.Colors[5].Channel2,
                                      p.Colors[5].Channel3}),
                k.entry5);
  }
  Mode(0x101);
  TW_PALETTE8 bw{};
  ASSERT_EQ(Call(DG_IMAGE, DAT_PALETTE8, MSG_GET, &bw), TWRC_SUCCESS);
  EXPECT_EQ(bw.Colors[1].Channel1, 255);
  EXPECT_EQ(bw.Colors[0].Channel3, 0);
  EXPECT_EQ(Call(DG_IMAGE, DAT_PALETTE8, MSG_SET, &bw), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADPROTOCOL);
}

// --- The custom data types ----------------------------------------------------

std::vector<uint8_t> Record(uint32_t current) {
  std::vector<uint8_t> r(20, 0xCC);
  PutLE32(r.data() + 4, current);
  return r;
}

TEST_F(XferTest, EdgeEnhancementLevels) {
  std::vector<uint8_t> r = Record(0);
  ASSERT_EQ(Call(DG_CONTROL, 0xFF01, MSG_GET, r.data()), TWRC_SUCCESS);
  EXPECT_EQ(GetLE32(r.data()), 4u);
  EXPECT_EQ(GetLE32(r.data() + 4), uint32_t(g_Settings->Edges - 1));
  EXPECT_EQ(GetLE32(r.data() + 8), 1u);
  EXPECT_EQ(std::vector<uint8_t>(r.begin() + 12, r.begin() + 20),
            (std::vector<uint8_t>{0, 0, 1, 0, 2, 0, 3, 0}));
  r = Record(0);
  ASSERT_EQ(Call(DG_CONTROL, 0xFF01, MSG_SET, r.data()), TWRC_SUCCESS);
  EXPECT_EQ(g_Settings->Edges, 1);  // off
  r = Record(4);
  EXPECT_EQ(Call(DG_CONTROL, 0xFF01, MSG_SET, r.data()), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADVALUE);
  EXPECT_EQ(g_Settings->Edges, 1);
  r = Record(9);
  ASSERT_EQ(Call(DG_CONTROL, 0xFF01, MSG_RESET, r.data()), TWRC_SUCCESS);
  EXPECT_EQ(g_Settings->Edges, 2);
  EXPECT_EQ(GetLE32(r.data() + 4), 1u);
  EXPECT_EQ(Call(DG_CONTROL, 0xFF01, MSG_GETCURRENT, r.data()), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADPROTOCOL);
  ASSERT_EQ(Enable(), TWRC_SUCCESS);
  EXPECT_EQ(Call(DG_CONTROL, 0xFF01, MSG_GET, r.data()), TWRC_SUCCESS);
  EXPECT_EQ(Call(DG_CONTROL, 0xFF01, MSG_SET, r.data()), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_SEQERROR);
  // Neither custom type is traced.
  EXPECT_TRUE(g_TestHost.debugOutput.empty() || g_TestHost.debugOutput.back().find("FF01") == std::string::npos);
}

TEST_F(XferTest, ColourCorrectionChoices) {
  std::vector<uint8_t> r = Record(0);
  ASSERT_EQ(Call(DG_CONTROL, 0xFF00, MSG_GET, r.data()), TWRC_SUCCESS);
  EXPECT_EQ(GetLE32(r.data()), 3u);
  EXPECT_EQ(GetLE32(r.data() + 4), 1u);  // after opening
  r = Record(0);
  ASSERT_EQ(Call(DG_CONTROL, 0xFF00, MSG_SET, r.data()), TWRC_SUCCESS);
  EXPECT_EQ(g_Settings->Gamma, 3);
  EXPECT_EQ(g_Settings->NumericGamma, 220);
  EXPECT_EQ(g_Session.StoredGamma, 220);
  r = Record(3);
  EXPECT_EQ(Call(DG_CONTROL, 0xFF00, MSG_SET, r.data()), TWRC_FAILURE);
  EXPECT_EQ(test::Condition(c), TWCC_BADVALUE);
  r = Record(7);
  ASSERT_EQ(Call(DG_CONTROL, 0xFF00, MSG_RESET, r.data()), TWRC_SUCCESS);
  EXPECT_EQ(GetLE32(r.data() + 4), 1u);
  EXPECT_EQ(g_Settings->Gamma, 3);  // the settings stay
}

}  // namespace
}  // namespace wq
