// The read loop on the virtual scanner, through the scanner library's
// core: what the scan job starts is read in strips and delivered row by row.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "ds/core/dsentry.h"
#include "ds/core/session.h"
#include "ds/base/memory.h"
#include "ds/pipeline/process.h"
#include "ds/pipeline/tests/reference.h"
#include "ds/scan/progress.h"
#include "ds/scan/scanjob.h"
#include "ds/core/stripbind.h"
#include "ds/tests/test_host.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "vscsi/description.h"
#include "vscsi/vscsi.h"

namespace wq {
namespace {

using ref::Bytes;

struct Rows {
  std::vector<Bytes> rows;
};
bool Keep(void* c, uint32_t, const uint8_t* row, uint32_t bytes) {
  static_cast<Rows*>(c)->rows.emplace_back(row, row + bytes);
  return true;
}

int g_Polls;
int g_CancelAtPoll = -1;
bool Poll() { return g_Polls++ == g_CancelAtPoll; }

std::map<std::string, std::string> Describe(int adapter, int target) {
  char buf[8192];
  VscsiDescribe(adapter, target, buf, sizeof buf);
  return vscsi::ParseDescription(buf);
}

class VirtualScannerRead : public ::testing::Test {
 protected:
  void SetUp() override { Open("adapter 0\ndevice 0:2 scanner model=WQ140\n"); }
  void TearDown() override {
    EndStripRead();
    g_Progress = ProgressProcs{};
    test::ShutDownDataSource();
  }

  void Open(const char* bus) {
    test::ResetDataSource(bus);
    TW_IDENTITY app = test::AppIdentity(7);
    TW_IDENTITY source = test::ManagerSourceIdentity(3);
    ASSERT_EQ(DsEntryProc(&app, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source), TWRC_SUCCESS);
    ASSERT_NE(g_Settings, nullptr);
    ScanSettings& s = *g_Settings;
    s.ADF = s.Mirror = 0;
    s.Gamma = 1;
    s.Edges = 1;
    s.ThresholdW = 128;
    s.Resolution = 2;  // 100 dpi on the WQ140
    s.ZoomOnOff = 0;
    s.AreaLeft = 3;    // the bed's origin
    s.AreaTop = 10;
    s.AreaWidth = 100; // 400 pixels
    s.AreaHeight = 100;
    g_Polls = 0;
    g_CancelAtPoll = -1;
    g_Progress = ProgressProcs{};
    g_Progress.PollCancel = Poll;
    UseScannerForStrips();
  }

  // Starts a final scan and reads it; `height` rows (0: as many as the scanner has).
  StripResult Scan(int mode, bool pack, bool swap, Rows* out, uint32_t height = 0) {
    g_Settings->Mode = int16_t(mode);
    PrepareScanTables(pack);
    if (!StartScanJob(kFinalScan)) return kStripScannerError;
    const uint32_t pixels = uint32_t(g_ParamBlock.ControlWord0);
    if (height == 0) height = uint32_t(g_ParamBlock.ControlWord1);
    const StripGeometry geom =
        ScanStripGeometry(pack, swap, pixels, height, ref::RowBytes(mode, pixels, pack));
    const StripResult begin = BeginStripRead(geom, &g_Pipeline);
    if (begin != kStripDone) return begin;
    return DeliverRows(height, RowSink{out, Keep});
  }
};

TEST_F(VirtualScannerRead, EveryModeGivesEveryRowOfItsSize) {
  const int modes[] = {0x101, 0x201, 0x301, 0x401, 0x501, 0x102, 0x202,
                       0x302, 0x402, 0x502, 3,     4,     5,     6};
  for (int mode : modes) {
    for (bool pack : {false, true}) {
      Rows r;
      ASSERT_EQ(Scan(mode, pack, false, &r), kStripDone) << std::hex << mode;
      EXPECT_EQ(g_ParamBlock.ControlWord0, 400);
      ASSERT_EQ(r.rows.size(), 400u) << std::hex << mode;
      for (const Bytes& row : r.rows) ASSERT_EQ(row.size(), ref::RowBytes(mode, 400, pack));
      EXPECT_TRUE(test::g_TestHost.messages.empty());
      EXPECT_EQ(Describe(0, 2)["lines_read"], "400");
    }
  }
}

TEST_F(VirtualScannerRead, TheTestPageComesThrough) {
  // Row 100 crosses the colour bars; pixel 60 is in the red one, rows
  // 0-49 are the white margin.
  Rows colour, bgr, grey, palette, art, eight;
  ASSERT_EQ(Scan(6, false, false, &colour), kStripDone);
  EXPECT_EQ(Bytes(&colour.rows[100][180], &colour.rows[100][183]), (Bytes{255, 0, 0}));
  EXPECT_EQ(colour.rows[10], Bytes(1200, 255));
  ASSERT_EQ(Scan(6, true, true, &bgr), kStripDone);
  EXPECT_EQ(Bytes(&bgr.rows[100][180], &bgr.rows[100][183]), (Bytes{0, 0, 255}));
  ASSERT_EQ(Scan(3, false, false, &grey), kStripDone);
  EXPECT_EQ(grey.rows[100][60], 77);  // white light: (77 x 255 + 128) >> 8
  EXPECT_EQ(grey.rows[10], Bytes(400, 255));
  ASSERT_EQ(Scan(4, false, false, &palette), kStripDone);
  EXPECT_EQ(palette.rows[100][60], 224);
  EXPECT_EQ(palette.rows[10][5], 255);
  ASSERT_EQ(Scan(0x101, false, false, &art), kStripDone);
  EXPECT_EQ(art.rows[10], Bytes(50, 0xFF));  // white is 1
  ASSERT_EQ(Scan(0x502, false, false, &eight), kStripDone);
  EXPECT_EQ(eight.rows[100][60], 1);          // red only
  EXPECT_EQ(eight.rows[10][60], 7);
}

TEST_F(VirtualScannerRead, SoftwareEdgeFilterOfTheWq140) {
  g_Settings->Edges = 2;
  Rows plain, sharp;
  g_Settings->Edges = 1;
  ASSERT_EQ(Scan(3, false, false, &plain), kStripDone);
  g_Settings->Edges = 2;
  ASSERT_EQ(Scan(3, false, false, &sharp), kStripDone);
  EXPECT_EQ(g_ParamBlock.EdgeEmphasis, 0);  // not asked of the scanner
  ASSERT_EQ(sharp.rows.size(), 400u);
  EXPECT_EQ(sharp.rows[0], plain.rows[0]);
  EXPECT_EQ(sharp.rows[399], plain.rows[399]);
  for (int y = 1; y < 399; ++y)
    ASSERT_EQ(sharp.rows[y], ref::EdgeFilter(plain.rows[y - 1], plain.rows[y], plain.rows[y + 1], 2, 1)) << y;
}

TEST_F(VirtualScannerRead, SurplusLinesAreReadAndDropped) {
  g_Settings->Resolution = 10;  // custom: 100 x 167 dpi
  g_Settings->XResoCustom = 100;
  g_Settings->YResoCustom = 167;
  g_Settings->AreaHeight = 150;  // 1002 lines
  Rows r;
  ASSERT_EQ(Scan(3, false, false, &r, 1000), kStripDone);
  EXPECT_EQ(g_ParamBlock.ControlWord1, 1002);
  EXPECT_EQ(r.rows.size(), 1000u);
  auto d = Describe(0, 2);
  EXPECT_EQ(d["lines_read"], "1002");
  EXPECT_EQ(g_ParamBlock.LinesRemaining, 0u);
  // The last two reads were single lines.
  std::vector<uint32_t> lengths;
  for (size_t i = 0; i < VscsiWireCount(); ++i) {
    VscsiWireRecord w;
    if (VscsiWireGet(i, &w, nullptr, 0) && w.cdb[0] == 0x28 && w.cdb[2] == 0)
      lengths.push_back(uint32_t(w.cdb[6]) << 16 | uint32_t(w.cdb[7]) << 8 | w.cdb[8]);
  }
  ASSERT_GE(lengths.size(), 3u);
  const uint32_t line = uint32_t(g_ParamBlock.ControlWord0);
  EXPECT_EQ(lengths[lengths.size() - 1], line);
  EXPECT_EQ(lengths[lengths.size() - 2], line);
  EXPECT_GT(lengths[lengths.size() - 3], line);
}

TEST_F(VirtualScannerRead, ScanMemoryBoundsEveryRead) {
  g_Main.ScanMemory = 8192;
  Rows r;
  ASSERT_EQ(Scan(3, false, false, &r), kStripDone);  // 400-byte lines: 20 a read
  size_t reads = 0;
  for (size_t i = 0; i < VscsiWireCount(); ++i) {
    VscsiWireRecord w;
    if (!VscsiWireGet(i, &w, nullptr, 0) || w.cdb[0] != 0x28 || w.cdb[2] != 0) continue;
    const uint32_t len = uint32_t(w.cdb[6]) << 16 | uint32_t(w.cdb[7]) << 8 | w.cdb[8];
    EXPECT_LE(len, 8192u);
    ++reads;
  }
  EXPECT_EQ(reads, 20u);
  // A colour line of 3 x 3008 bytes is longer than ScanMemory: one a read.
  g_Settings->Resolution = 9;  // 400 dpi
  g_Settings->AreaWidth = 188;
  g_Settings->AreaHeight = 2;
  VscsiWireClear();
  Rows wide;
  ASSERT_EQ(Scan(6, false, false, &wide), kStripDone);
  EXPECT_EQ(g_ParamBlock.ControlWord0, 3008);
  EXPECT_EQ(wide.rows.size(), 32u);
  EXPECT_EQ(Describe(0, 2)["reads"], "32");
}

TEST_F(VirtualScannerRead, ReadErrorShowsTheTextOfItsSense) {
  struct Case {
    const char* fault;
    int message;
  } cases[] = {
      {"fault adfcover 1 read=3", 16023},
      {"fault adfcover 0 read=3", 16042},
      {"fault fsucover 0 read=2", 16024},
      {"fault lamp read=2", 16010},
  };
  for (const Case& c : cases) {
    Open((std::string("adapter 0\ndevice 0:2 scanner model=WQ140\n") + c.fault + "\n").c_str());
    g_Main.ScanMemory = 8192;
    Rows r;
    EXPECT_EQ(Scan(3, false, false, &r), kStripScannerError) << c.fault;
    EXPECT_EQ(test::g_TestHost.messages, std::vector<int>{c.message}) << c.fault;
    EXPECT_EQ(g_Session.Status.ConditionCode, TWCC_OPERATIONERROR);
    EXPECT_LT(r.rows.size(), 400u);
    EXPECT_EQ(Describe(0, 2)["scanning"], "0");
  }
}

void* NoMemory(size_t) { return nullptr; }
void NoFree(void*) {}

TEST_F(VirtualScannerRead, ShortMemoryShowsItsMessage) {
  const MemoryProcs saved = g_Memory;
  g_Memory = MemoryProcs{NoMemory, kHeapMemory.Lock, kHeapMemory.Unlock, kHeapMemory.Size, NoFree};
  Rows r;
  const StripResult result = Scan(6, false, false, &r);
  g_Memory = saved;
  EXPECT_EQ(result, kStripNoMemory);
  ReportStripResult(result);
  EXPECT_EQ(test::g_TestHost.messages, std::vector<int>{16028});
  EXPECT_EQ(g_Session.Status.ConditionCode, TWCC_LOWMEMORY);
  CallScanner(kSelScannerReset);  // the transfer ends the scan it started
  ReportStripResult(kStripCancelled);
  EXPECT_EQ(test::g_TestHost.messages.size(), 1u);
}

TEST_F(VirtualScannerRead, CancelResetsTheScanner) {
  g_Main.ScanMemory = 8192;
  g_Main.NearFull = 40000;  // strips of a few reads
  g_CancelAtPoll = 3;
  Rows r;
  EXPECT_EQ(Scan(3, false, false, &r), kStripCancelled);
  EXPECT_LT(r.rows.size(), 400u);
  EXPECT_EQ(Describe(0, 2)["scanning"], "0");
  EXPECT_TRUE(test::g_TestHost.messages.empty());
  EXPECT_FALSE(g_Strips.Active);
}

}  // namespace
}  // namespace wq
