// The strip sizes: side memory per mode, the NearFull rule, lines per read,
// when the edge filter runs, and the progress bar's ten blocks.
#include <gtest/gtest.h>

#include "ds/scan/progress.h"
#include "ds/scan/stripsize.h"

namespace wq {
namespace {

TEST(ScratchSize, PerModeAsTheMemoryRuleCountsIt) {
  EXPECT_EQ(PipelineScratchSize(3, 1000, 2, false), 9000u);
  EXPECT_EQ(PipelineScratchSize(3, 1000, 1, false), 0u);
  EXPECT_EQ(PipelineScratchSize(4, 100, 1, true), 98304u + 700 + 780);
  EXPECT_EQ(PipelineScratchSize(5, 100, 2, false), 900u + 700 + 780);
  EXPECT_EQ(PipelineScratchSize(6, 300, 2, true), 900u);  // width in bytes, no matching term
  EXPECT_EQ(PipelineScratchSize(0x102, 10, 2, false), 28u);  // 2 x 8-byte stride + 12
  EXPECT_EQ(PipelineScratchSize(0x302, 100, 3, true), 900u + 98304);
  EXPECT_EQ(PipelineScratchSize(0x502, 100, 1, false), 636u);
  EXPECT_EQ(PipelineScratchSize(0x501, 10, 2, false), 36u);
  EXPECT_EQ(PipelineScratchSize(0x101, 5000, 2, true), 0u);
  EXPECT_EQ(PipelineScratchSize(0x201, 5000, 2, true), 0u);
}

TEST(StripBuffer, NearFullRuleByLineLength) {
  const uint64_t mem = 64u << 20;
  EXPECT_EQ(StripBufferLines(mem, 0, 215104, 64), 3356);    // 256 a multiple: 5 lines spare
  EXPECT_EQ(StripBufferLines(mem, 0, 215104, 256), 838);
  EXPECT_EQ(StripBufferLines(mem, 0, 215104, 100), 2147);   // 4 lines spare
  EXPECT_EQ(StripBufferLines(mem, 0, 215104, 1000), 213);   // 2 lines spare
  // Half of what the side memory leaves, when that is less than NearFull.
  EXPECT_EQ(StripBufferLines(100000, 0, 215104, 100), 500);
  EXPECT_EQ(StripBufferLines(120000, 20000, 215104, 100), 500);
  EXPECT_EQ(StripBufferLines(1000, 2000, 215104, 100), -1);
  EXPECT_EQ(StripBufferLines(mem, 0, 215104, 0), -1);
}

TEST(StripBuffer, NeverNoLinesAndNeverBeyondItsCeiling) {
  EXPECT_EQ(StripBufferLines(64u << 20, 0, 0, 100), 1);
  EXPECT_EQ(StripBufferLines(64u << 20, 0, 215104, 300000), 1);  // a line longer than NearFull
  EXPECT_EQ(StripBufferLines(64u << 20, 0, 150, 100), 1);        // (150 - 400) / 100 < 0
  EXPECT_EQ(StripBufferLines(4000000000u, 0, 4000000000u, 1000), int64_t(kMaxStripBufferBytes / 1000));
}

TEST(StripBuffer, LinesPerRead) {
  EXPECT_EQ(StripLinesFor(32768, 100, 5000), 327u);
  EXPECT_EQ(StripLinesFor(8192, 100, 5000), 81u);
  EXPECT_EQ(StripLinesFor(32768, 40000, 10), 1u);  // a line longer than ScanMemory
  EXPECT_EQ(StripLinesFor(32768, 32768, 10), 1u);
  EXPECT_EQ(StripLinesFor(8192, 100, 50), 50u);    // at most the buffer
  EXPECT_EQ(StripLinesFor(32768, 100, 0), 1u);
  EXPECT_EQ(StripLinesFor(0, 100, 10), 1u);
}

TEST(EdgeFilter, OnlyTheWq140AndGreyOrColourData) {
  EXPECT_TRUE(EdgeFilterOn(2, 3, 0));
  EXPECT_TRUE(EdgeFilterOn(3, 6, 0));
  EXPECT_TRUE(EdgeFilterOn(4, 0x502, 0));
  EXPECT_TRUE(EdgeFilterOn(2, 4, 0));
  EXPECT_FALSE(EdgeFilterOn(1, 3, 0));
  EXPECT_FALSE(EdgeFilterOn(2, 3, 1));
  EXPECT_FALSE(EdgeFilterOn(2, 3, 3));
  EXPECT_FALSE(EdgeFilterOn(2, 0x201, 0));  // grey made bi-level keeps its lines
  EXPECT_FALSE(EdgeFilterOn(2, 0x102, 0));
  EXPECT_FALSE(EdgeFilterOn(0, 3, 0));
}

TEST(ProgressBarSteps, TenBlocksOneACall) {
  ProgressBar bar{200, 0, 0};
  ResetProgressBar(&bar);
  EXPECT_FALSE(StepProgressBar(&bar, 8));    // 4 %: below the first threshold (5 - 1)
  EXPECT_TRUE(StepProgressBar(&bar, 10));    // 5 %
  EXPECT_EQ(bar.Threshold, 15);
  EXPECT_FALSE(StepProgressBar(&bar, 28));   // 14 %
  EXPECT_TRUE(StepProgressBar(&bar, 200));   // 100 %: only one block a call
  EXPECT_EQ(bar.Blocks, 2);
  int calls = 0;
  while (StepProgressBar(&bar, 200)) ++calls;
  EXPECT_EQ(calls, 8);
  EXPECT_EQ(bar.Blocks, 10);
  ResetProgressBar(&bar);
  EXPECT_EQ(bar.Blocks, 0);
  EXPECT_EQ(bar.Threshold, 5);
  ProgressBar none{0, 5, 0};
  EXPECT_FALSE(StepProgressBar(&none, 10));
}

}  // namespace
}  // namespace wq
