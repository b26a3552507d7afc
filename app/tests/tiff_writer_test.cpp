// The TIFF writer on memory: layout rules, round trips through the
// converter, cancel, full disks and bad sources.
#include <gtest/gtest.h>

#include "app/file_messages.h"
#include "imagefile/tests/bmp_support.h"
#include "imagefile/tests/test_images.h"
#include "imagefile/tests/tool_support.h"
#include "imagefile/tiff_to_bmp.h"
#include "imagefile/tiff_writer.h"
#include "common/bytes.h"

namespace {

using wq::FileStatus;
using namespace wqtest;

std::vector<uint8_t> BmpBytes(const TestImage& im, int32_t pels = 0) {
  wq::MemWriter m;
  EXPECT_EQ(WriteBmp(im, wq::MemWriterIo(&m), pels), FileStatus::kOk);
  return m.bytes;
}

FileStatus WriteTiff(const std::vector<uint8_t>& bmp, wq::MemWriter* out, wq::ByteOrder order,
                     bool lzw, wq::ProgressSink progress = {}) {
  wq::MemReader in{bmp};
  wq::TiffWriteOptions o;
  o.order = order;
  o.lzw = lzw;
  o.documentName = "C:\\SCANS\\PAGE.TIF";
  o.dateTime = "2001:02:03 04:05:06";
  o.progress = progress;
  return wq::TiffWriteFromBmp(wq::MemReaderIo(&in), wq::MemWriterIo(out), o);
}

TEST(TiffWriter, StripAndResolutionRules) {
  EXPECT_EQ(wq::TiffLzwRowsPerStrip(13, 100), 100u);   // 630 rows limited to the image
  EXPECT_EQ(wq::TiffLzwRowsPerStrip(7650, 3507), 8u);  // an A4 colour row: at least 8
  EXPECT_EQ(wq::TiffLzwRowsPerStrip(1, 10000), 8192u);
  EXPECT_EQ(wq::TiffLzwRowsPerStrip(100, 5), 5u);
  EXPECT_EQ(wq::TiffResolutionFromBmp(11811), 3000761u);  // trunc(11811 x 254.065 + 0.005)
  EXPECT_EQ(wq::TiffResolutionFromBmp(2835), 720274u);
  EXPECT_EQ(wq::TiffResolutionFromBmp(0), 0u);
  EXPECT_EQ(wq::TiffResolutionFromBmp(-5), 0u);
}

TEST(TiffWriter, EveryClassComesBackThroughTheConverter) {
  for (Kind k : {Kind::kBilevel, Kind::kPalette4, Kind::kGrey8, Kind::kPalette8, Kind::kRgb}) {
    for (uint32_t w : {1u, 9u, 300u}) {
      const TestImage im = MakeImage(k, w, 41);
      const std::vector<uint8_t> bmp = BmpBytes(im);
      for (bool lzw : {false, true}) {
        for (wq::ByteOrder o : {wq::ByteOrder::kIntel, wq::ByteOrder::kMotorola}) {
          const std::string what = std::string(KindName(k)) + " " + std::to_string(w) +
                                   (lzw ? " lzw" : "") + (o == wq::ByteOrder::kIntel ? " II" : " MM");
          wq::MemWriter tiff, back;
          ASSERT_EQ(WriteTiff(bmp, &tiff, o, lzw), FileStatus::kOk) << what;
          EXPECT_EQ(wq::GetLE32(tiff.bytes.data() + 4) & 1, 0u) << what;
          wq::MemReader in{tiff.bytes};
          wq::TiffSourceInfo info;
          ASSERT_EQ(wq::TiffConvertToBmp(wq::MemReaderIo(&in), wq::MemWriterIo(&back), {}, &info),
                    FileStatus::kOk)
              << what;
          EXPECT_EQ(info.lzw, lzw);
          EXPECT_EQ(info.byteOrderCode, o == wq::ByteOrder::kIntel ? 1 : 2);
          wq::MemReader r{back.bytes};
          RgbImage got;
          ASSERT_EQ(ReadBmpRgb(wq::MemReaderIo(&r), &got), FileStatus::kOk) << what;
          EXPECT_EQ(FirstDifference(got.rgb, ExpectedRgb(im)), -1) << what;
        }
      }
    }
  }
}

TEST(TiffWriter, DirectoryStartsOnAWordAfterOddStripData) {
  // 3 x 3 bilevel: three 1-byte rows, then one pad byte.
  const std::vector<uint8_t> bmp = BmpBytes(MakeImage(Kind::kBilevel, 3, 3));
  wq::MemWriter tiff;
  ASSERT_EQ(WriteTiff(bmp, &tiff, wq::ByteOrder::kIntel, false), FileStatus::kOk);
  EXPECT_EQ(wq::GetLE32(tiff.bytes.data() + 4), 12u);
  EXPECT_EQ(tiff.bytes[11], 0);
}

struct ProgressLog {
  std::vector<std::pair<uint32_t, uint32_t>> calls;
  size_t cancelAt = SIZE_MAX;
};

bool Record(void* ctx, uint32_t done, uint32_t total) {
  auto* log = static_cast<ProgressLog*>(ctx);
  log->calls.push_back({done, total});
  return log->calls.size() < log->cancelAt;
}

TEST(TiffWriter, ProgressCountsStripsOrRowsAndCancels) {
  // 1,100 x 40 colour: rows of 3,300 bytes, LZW strips of 8 rows: 5 strips.
  const std::vector<uint8_t> bmp = BmpBytes(MakeImage(Kind::kRgb, 1100, 40));
  ProgressLog log;
  wq::MemWriter tiff;
  ASSERT_EQ(WriteTiff(bmp, &tiff, wq::ByteOrder::kIntel, true, {Record, &log}), FileStatus::kOk);
  ASSERT_EQ(log.calls.size(), 5u);
  EXPECT_EQ(log.calls.back(), std::make_pair(5u, 5u));
  log = {};
  ASSERT_EQ(WriteTiff(bmp, &tiff, wq::ByteOrder::kIntel, false, {Record, &log}), FileStatus::kOk);
  ASSERT_EQ(log.calls.size(), 40u);
  EXPECT_EQ(log.calls.back(), std::make_pair(40u, 40u));
  log = {};
  log.cancelAt = 3;
  EXPECT_EQ(WriteTiff(bmp, &tiff, wq::ByteOrder::kIntel, true, {Record, &log}), FileStatus::kCancelled);
  EXPECT_EQ(log.calls.size(), 3u);
}

TEST(TiffWriter, FailedSavesLeaveTheOldFileAndNoOther) {
  ScratchDir dir;
  const std::string bmp = dir.File("in.bmp"), target = dir.File("OUT.TIF");
  ASSERT_TRUE(WriteFile(bmp, BmpBytes(MakeImage(Kind::kRgb, 200, 30))));
  ASSERT_TRUE(WriteFile(target, {'o', 'l', 'd'}));
  ProgressLog log;
  log.cancelAt = 1;
  EXPECT_EQ(wq::TiffWriteFile(target.c_str(), bmp.c_str(), 1, true, {Record, &log}),
            FileStatus::kCancelled);
  std::vector<uint8_t> kept;
  ASSERT_TRUE(ReadFile(target, &kept));
  EXPECT_EQ(kept, (std::vector<uint8_t>{'o', 'l', 'd'}));
  EXPECT_EQ(ListDir(dir.path).size(), 2u);
  // A missing source, a bad byte-order code.
  const std::string other = dir.File("NEW.TIF");
  EXPECT_EQ(wq::FileStatusMessage(wq::TiffWriteFile(other.c_str(), dir.File("none.bmp").c_str(), 1,
                                                    false, {})),
            13);
  EXPECT_EQ(wq::FileStatusMessage(wq::TiffWriteFile(other.c_str(), bmp.c_str(), 3, false, {})), 13);
  EXPECT_FALSE(FileExists(other));
  EXPECT_EQ(ListDir(dir.path).size(), 2u);
  // A successful save replaces the old file.
  ASSERT_EQ(wq::TiffWriteFile(target.c_str(), bmp.c_str(), 2, false, {}), FileStatus::kOk);
  ASSERT_TRUE(ReadFile(target, &kept));
  EXPECT_EQ(kept[0], 'M');
}

TEST(TiffWriter, FullDiskAndUnusableSourcesGiveTheirMessages) {
  const std::vector<uint8_t> bmp = BmpBytes(MakeImage(Kind::kPalette8, 300, 100));
  for (uint64_t limit : {4u, 100u, 20000u, 29900u}) {
    wq::MemWriter tiff;
    tiff.limit = limit;
    EXPECT_EQ(wq::FileStatusMessage(WriteTiff(bmp, &tiff, wq::ByteOrder::kIntel, false)), 4) << limit;
  }
  std::vector<uint8_t> rle = bmp;
  wq::PutLE32(&rle[30], 1);
  wq::MemWriter tiff;
  EXPECT_EQ(wq::FileStatusMessage(WriteTiff(rle, &tiff, wq::ByteOrder::kIntel, true)), 13);
  std::vector<uint8_t> cut(bmp.begin(), bmp.begin() + bmp.size() / 2);
  EXPECT_EQ(wq::FileStatusMessage(WriteTiff(cut, &tiff, wq::ByteOrder::kIntel, true)), 13);
  std::vector<uint8_t> os2 = bmp;
  wq::PutLE32(&os2[14], 12);
  EXPECT_EQ(wq::FileStatusMessage(WriteTiff(os2, &tiff, wq::ByteOrder::kIntel, true)), 13);
}

}  // namespace
