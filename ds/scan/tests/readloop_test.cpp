// The read loop against the scripted scanner: every mode over several strips
// and reads, the edge filter across strip borders, long lines, surplus lines,
// cancel, scanner errors, short memory and the rows' final form.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ds/base/memory.h"
#include "ds/pipeline/modes.h"
#include "ds/pipeline/process.h"
#include "ds/pipeline/tests/reference.h"
#include "ds/scan/strips.h"
#include "ds/scan/stripsize.h"
#include "ds/scan/tests/scripted_scanner.h"

namespace wq {
namespace {

using ref::Bytes;
using st::Collected;
using st::g_Scanner;

class ReadLoop : public ::testing::Test {
 protected:
  void SetUp() override { st::UseCountingMemory(); }
  void TearDown() override {
    EndStripRead();
    EXPECT_EQ(st::g_LiveBlocks, 0);
  }

  // A job with no adjustment; lines of `pixels`, `height` rows.
  StripGeometry Geometry(int mode, uint32_t pixels, uint32_t height, bool pack) {
    SettingsInEffect e{};
    e.Mode = int16_t(mode);
    e.Gamma = 1;
    e.NegaPosi = 1;
    e.Binary = 1;
    e.ThresholdW = 128;
    for (int c = 0; c < 5; ++c) e.InputWhite[c] = e.OutputWhite[c] = 255;
    tables = ToneTables{};
    SnapshotTables(e, &tables);
    SetUpPipeline(&job, e, tables, nullptr, pixels, pack);
    StripGeometry s{};
    s.Mode = mode;
    s.Model = 1;
    s.Edges = 1;
    s.Pack = pack;
    s.Pixels = pixels;
    s.ScannerLines = height;
    s.Height = height;
    s.Width = pixels;
    s.RowBytes = ref::RowBytes(mode, pixels, pack);
    s.TotalPhys = 64u << 20;
    s.NearFull = 215104;
    s.ScanMemory = 32768;
    st::UseScriptedScanner(ScannerLineBytes(mode, pixels));
    return s;
  }

  // The rows the scanner's lines should give, padded to the row size.
  std::vector<Bytes> Expected(const StripGeometry& s, int edges = 1) {
    std::vector<Bytes> lines;
    for (uint32_t y = 0; y < s.Height; ++y) {
      Bytes line = g_Scanner.Line(y);
      if (IsColourMode(s.Mode)) line = ref::Interleave(line);
      lines.push_back(line);
    }
    if (edges != 1) {
      std::vector<Bytes> filtered = lines;
      const int channels = IsColourMode(s.Mode) ? 3 : 1;
      for (size_t y = 1; y + 1 < lines.size(); ++y)
        filtered[y] = ref::EdgeFilter(lines[y - 1], lines[y], lines[y + 1], edges, channels);
      lines = filtered;
    }
    std::vector<Bytes> rows = ref::ExpectedRows(s.Mode, lines, s.Pack, false);
    for (auto& r : rows) r.resize(s.RowBytes, 0);
    return rows;
  }

  ToneTables tables{};
  PipelineJob job{};
};

TEST_F(ReadLoop, EveryModeInSeveralStripsAndReads) {
  const int modes[] = {0x101, 0x201, 0x301, 0x401, 0x501, 0x102, 0x202,
                       0x302, 0x402, 0x502, 3,     4,     5,     6};
  for (int mode : modes) {
    for (bool pack : {false, true}) {
      StripGeometry s = Geometry(mode, 37, 23, pack);
      const uint32_t P = PipelineLineBytes(mode, 37, pack);
      s.NearFull = 256 + 11 * P;  // a strip buffer of about ten lines
      s.ScanMemory = 2 * P + 1;   // two lines a read
      ASSERT_EQ(BeginStripRead(s, &job), kStripDone) << std::hex << mode;
      const uint32_t bufferLines = g_Strips.BufferLines;
      EXPECT_GT(bufferLines, 2u);
      EXPECT_LT(bufferLines, 23u);
      EXPECT_EQ(g_Strips.StripLines, 2u);
      Collected c;
      ASSERT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripDone) << std::hex << mode;
      const auto want = Expected(s);
      ASSERT_EQ(c.rows.size(), 23u);
      for (uint32_t y = 0; y < 23; ++y) {
        ASSERT_EQ(c.ys[y], y);
        ASSERT_EQ(c.rows[y], want[y]) << std::hex << mode << std::dec << " pack " << pack << " row " << y;
      }
      uint32_t total = 0;
      for (size_t i = 0; i < g_Scanner.readLines.size(); ++i) {
        EXPECT_LE(g_Scanner.readLines[i], 2u);
        EXPECT_LE(g_Scanner.readBytes[i], s.ScanMemory);
        total += g_Scanner.readLines[i];
      }
      EXPECT_EQ(total, 23u);
      EXPECT_EQ(g_Scanner.progress.back(), 23u);
      EXPECT_EQ(st::g_LiveBlocks, 0);  // everything freed with the last row
    }
  }
}

TEST_F(ReadLoop, EdgeFilterOnAnImageOfExactlyOneStrip) {
  StripGeometry s = Geometry(3, 20, 12, false);
  s.Model = 0;
  s.Edges = 2;
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  EXPECT_TRUE(g_Strips.EdgeFilter);
  EXPECT_EQ(g_Strips.BufferLines, 12u);  // capped at the image height
  Collected c;
  ASSERT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripDone);
  ASSERT_EQ(g_Scanner.readLines.size(), 1u);  // one strip, one read
  const auto want = Expected(s, 2);
  ASSERT_EQ(c.rows.size(), 12u);
  EXPECT_EQ(c.rows[0], g_Scanner.Line(0));    // first line unfiltered
  EXPECT_EQ(c.rows[11], g_Scanner.Line(11));  // last line unfiltered
  EXPECT_NE(c.rows[5], g_Scanner.Line(5));
  for (int y = 0; y < 12; ++y) EXPECT_EQ(c.rows[y], want[y]) << y;
}

TEST_F(ReadLoop, EdgeFilterAcrossStripsOfOneAndTwoLines) {
  for (uint32_t lines : {1u, 2u, 3u}) {
    for (int mode : {6, 0x302, 4}) {
      StripGeometry s = Geometry(mode, 11, 9, true);
      s.Model = 0;
      s.Edges = 3;
      s.TotalPhys = 2 * uint64_t(lines) * ScannerLineBytes(mode, 11) +
                    PipelineScratchSize(mode, mode == 6 ? 33 : 11, 3, false) + 1;
      ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
      ASSERT_EQ(g_Strips.BufferLines, lines);
      Collected c;
      ASSERT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripDone);
      const auto want = Expected(s, 3);
      ASSERT_EQ(c.rows.size(), 9u);
      for (int y = 0; y < 9; ++y) EXPECT_EQ(c.rows[y], want[y]) << mode << " lines " << lines << " row " << y;
    }
  }
}

TEST_F(ReadLoop, LineLongerThanScanMemoryIsReadOneAtATime) {
  StripGeometry s = Geometry(6, 4000, 6, false);  // 12000-byte lines
  s.ScanMemory = 8192;
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  EXPECT_EQ(g_Strips.StripLines, 1u);
  Collected c;
  ASSERT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripDone);
  EXPECT_EQ(g_Scanner.readLines, std::vector<uint32_t>(6, 1u));
  EXPECT_EQ(c.rows.size(), 6u);
}

TEST_F(ReadLoop, SurplusLinesAreDrainedOneByOne) {
  StripGeometry s = Geometry(3, 100, 1000, false);
  s.ScannerLines = 1002;
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  Collected c;
  ASSERT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripDone);
  EXPECT_EQ(c.rows.size(), 1000u);
  EXPECT_EQ(g_Scanner.nextLine, 1002u);
  const size_t n = g_Scanner.readLines.size();
  ASSERT_GE(n, 3u);
  EXPECT_EQ(g_Scanner.readLines[n - 1], 1u);
  EXPECT_EQ(g_Scanner.readLines[n - 2], 1u);
  EXPECT_GT(g_Scanner.readLines[n - 3], 1u);  // the last strip of the image
  // Fewer lines reported than rows: nothing extra.
  s = Geometry(3, 100, 10, false);
  s.ScannerLines = 4;
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  ASSERT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripDone);
  EXPECT_EQ(g_Scanner.nextLine, 10u);
}

TEST_F(ReadLoop, CancelDuringTheSecondStripResetsAndFreesEverything) {
  StripGeometry s = Geometry(6, 200, 100, false);
  s.NearFull = 20 * 600;
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  const uint32_t perStrip = g_Strips.BufferLines;
  const uint32_t perRead = g_Strips.StripLines;
  ASSERT_LT(perStrip, 50u);
  const int readsPerStrip = int((perStrip + perRead - 1) / perRead);
  g_Scanner.cancelAtCall = readsPerStrip;  // the first read of the second strip
  Collected c;
  EXPECT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripCancelled);
  EXPECT_EQ(g_Scanner.resets, 1);
  EXPECT_EQ(c.rows.size(), perStrip);  // rows of the first strip only
  EXPECT_EQ(st::g_LiveBlocks, 0);
  EXPECT_FALSE(g_Strips.Active);
  EXPECT_EQ(DeliverRows(1, st::CollectInto(&c)), kStripBadGeometry);  // nothing left to read
}

TEST_F(ReadLoop, ScannerErrorEndsTheImage) {
  StripGeometry s = Geometry(0x501, 64, 50, false);
  s.ScanMemory = 8192;
  s.NearFull = 1024;
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  g_Scanner.errorAtCall = 2;
  Collected c;
  EXPECT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripScannerError);
  EXPECT_EQ(g_Scanner.resets, 0);  // the status check resets, not the loop
  EXPECT_EQ(g_Scanner.readLines.size(), 3u);
  EXPECT_EQ(st::g_LiveBlocks, 0);
}

TEST_F(ReadLoop, MemoryTransferBlocksGiveTheSameRows) {
  for (int mode : {0x502, 5, 3}) {
    StripGeometry s = Geometry(mode, 30, 40, false);
    s.NearFull = 12 * PipelineLineBytes(mode, 30, false);
    ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
    Collected whole;
    ASSERT_EQ(DeliverRows(s.Height, st::CollectInto(&whole)), kStripDone);
    s = Geometry(mode, 30, 40, false);
    s.NearFull = 12 * PipelineLineBytes(mode, 30, false);
    ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
    Collected blocks;
    int calls = 0;
    StripResult r;
    while ((r = DeliverRows(7, st::CollectInto(&blocks))) == kStripMore) {
      ++calls;
      EXPECT_EQ(blocks.rows.size(), size_t(7 * calls));
    }
    EXPECT_EQ(r, kStripDone);
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(blocks.rows, whole.rows) << mode;
  }
}

TEST_F(ReadLoop, ShortMemoryAtAnyStepFreesWhatWasTaken) {
  for (int mode : {6, 0x502, 4, 0x102}) {
    for (int allowed = 0; allowed < 6; ++allowed) {
      StripGeometry s = Geometry(mode, 40, 10, true);
      s.Model = 0;
      s.Edges = 2;
      st::g_AllocsLeft = allowed;
      const StripResult r = BeginStripRead(s, &job);
      st::g_AllocsLeft = -1;
      if (r == kStripDone) {
        Collected c;
        EXPECT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripDone);
      } else {
        EXPECT_EQ(r, kStripNoMemory);
      }
      EXPECT_EQ(st::g_LiveBlocks, 0) << mode << " " << allowed;
    }
  }
}

TEST_F(ReadLoop, BitmapRowsGetBlueFirstAndNarrowLinesArePadded) {
  StripGeometry s = Geometry(6, 5, 3, true);
  s.SwapRedBlue = true;
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  Collected c;
  ASSERT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripDone);
  const Bytes rgb = ref::Interleave(g_Scanner.Line(1));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(c.rows[1][3 * i], rgb[3 * i + 2]);
    EXPECT_EQ(c.rows[1][3 * i + 1], rgb[3 * i + 1]);
    EXPECT_EQ(c.rows[1][3 * i + 2], rgb[3 * i]);
  }
  // The scanner sends 5 pixels for a 7-pixel-wide image.
  s = Geometry(3, 5, 3, false);
  s.Width = 7;
  s.RowBytes = 7;
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  Collected narrow;
  ASSERT_EQ(DeliverRows(s.Height, st::CollectInto(&narrow)), kStripDone);
  Bytes want = g_Scanner.Line(2);
  want.resize(7, 0);
  EXPECT_EQ(narrow.rows[2], want);
}

TEST_F(ReadLoop, RefusedRowAndImpossibleSizes) {
  StripGeometry s = Geometry(3, 10, 10, false);
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  Collected c;
  c.failAt = 4;
  EXPECT_EQ(DeliverRows(s.Height, st::CollectInto(&c)), kStripSinkFailed);
  EXPECT_EQ(st::g_LiveBlocks, 0);

  s = Geometry(3, 0, 10, false);  // the scanner reported no pixels
  EXPECT_EQ(BeginStripRead(s, &job), kStripBadGeometry);
  s = Geometry(7, 10, 10, false);
  EXPECT_EQ(BeginStripRead(s, &job), kStripBadGeometry);
  s = Geometry(3, 10, 10, false);
  s.RowBytes = 0;
  EXPECT_EQ(BeginStripRead(s, &job), kStripBadGeometry);
  s = Geometry(3, 10, 10, false);
  s.TotalPhys = 10;  // less than the side memory (none here): still one line
  ASSERT_EQ(BeginStripRead(s, &job), kStripDone);
  EXPECT_EQ(g_Strips.BufferLines, 1u);
  s = Geometry(4, 10, 10, false);
  s.TotalPhys = 100;  // the palette work area alone needs more
  EXPECT_EQ(BeginStripRead(s, &job), kStripNoMemory);
}

}  // namespace
}  // namespace wq
