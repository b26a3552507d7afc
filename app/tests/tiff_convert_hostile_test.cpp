// The converter on damaged and hostile TIFF files: every one ends with a
// status, never beyond a buffer, and a success is always a whole image.
#include <gtest/gtest.h>

#include <random>

#include "app/file_messages.h"
#include "imagefile/tests/bmp_support.h"
#include "imagefile/tests/test_images.h"
#include "imagefile/tiff_to_bmp.h"
#include "imagefile/tiff_writer.h"
#include "imagefile/bmp.h"
#include "common/bytes.h"

namespace {

using wq::FileStatus;
using namespace wqtest;
using Bytes = std::vector<uint8_t>;

// A little-endian TIFF of a test image made by the program's writer.
Bytes MakeTiff(const TestImage& im, bool lzw) {
  wq::MemWriter bmp, tiff;
  EXPECT_EQ(WriteBmp(im, wq::MemWriterIo(&bmp)), FileStatus::kOk);
  wq::MemReader in{bmp.bytes};
  wq::TiffWriteOptions o;
  o.lzw = lzw;
  o.documentName = "X.TIF";
  o.dateTime = "2001:02:03 04:05:06";
  EXPECT_EQ(wq::TiffWriteFromBmp(wq::MemReaderIo(&in), wq::MemWriterIo(&tiff), o), FileStatus::kOk);
  return tiff.bytes;
}

// Offset of the 12-byte entry of tag.
size_t Entry(const Bytes& b, uint16_t tag) {
  const uint32_t ifd = wq::GetLE32(&b[4]);
  const uint32_t n = wq::GetLE16(&b[ifd]);
  for (uint32_t i = 0; i < n; ++i)
    if (wq::GetLE16(&b[ifd + 2 + 12 * i]) == tag) return ifd + 2 + 12 * i;
  ADD_FAILURE() << "no tag " << tag;
  return 0;
}

FileStatus Convert(const Bytes& tiff, Bytes* bmp = nullptr, uint64_t limit = 64u << 20) {
  wq::MemReader in{tiff};
  wq::MemWriter out;
  out.limit = limit;
  FileStatus st = wq::TiffConvertToBmp(wq::MemReaderIo(&in), wq::MemWriterIo(&out), {}, nullptr);
  if (bmp) *bmp = out.bytes;
  return st;
}

int Message(const Bytes& tiff) { return wq::FileStatusMessage(Convert(tiff)); }

TEST(TiffHostile, EveryTruncationOfWhatIsReadIsAnError) {
  for (bool lzw : {false, true}) {
    const Bytes full = MakeTiff(MakeImage(Kind::kRgb, 20, 7), lzw);
    ASSERT_EQ(Convert(full), FileStatus::kOk);
    // The converter reads the strips, the directory and the BitsPerSample
    // triple, the first value after the directory; the text values after it
    // are not needed.
    const uint32_t ifd = wq::GetLE32(&full[4]);
    const size_t needed = ifd + 6 + 12 * wq::GetLE16(&full[ifd]) + 6;
    ASSERT_EQ(wq::GetLE32(&full[Entry(full, 258) + 8]) + 6, needed);
    for (size_t n = 0; n < full.size(); ++n) {
      Bytes cut(full.begin(), full.begin() + long(n));
      if (n < needed) EXPECT_NE(Convert(cut), FileStatus::kOk) << n;
      else EXPECT_EQ(Convert(cut), FileStatus::kOk) << n;
    }
  }
}

TEST(TiffHostile, RandomDamageEndsInAStatusOrAWholeImage) {
  std::mt19937 rng(11);
  const Bytes bases[] = {MakeTiff(MakeImage(Kind::kRgb, 37, 19), true),
                         MakeTiff(MakeImage(Kind::kPalette8, 37, 19), true),
                         MakeTiff(MakeImage(Kind::kBilevel, 37, 19), false)};
  for (const Bytes& base : bases) {
    for (int i = 0; i < 1500; ++i) {
      Bytes b = base;
      for (int k = 1 + int(rng() % 4); k > 0; --k) b[rng() % b.size()] ^= uint8_t(1 + rng() % 255);
      Bytes bmp;
      FileStatus st = Convert(b, &bmp);
      if (st == FileStatus::kOk) {
        ASSERT_GE(bmp.size(), 54u);
        EXPECT_EQ(wq::GetLE32(&bmp[2]), bmp.size()) << i;
      } else {
        EXPECT_GE(wq::FileStatusMessage(st), 0) << i;
      }
    }
  }
}

TEST(TiffHostile, CountsAndOffsetsOutsideTheFile) {
  const Bytes base = MakeTiff(MakeImage(Kind::kRgb, 1100, 40), true);  // five LZW strips
  ASSERT_EQ(Convert(base), FileStatus::kOk);
  Bytes b = base;
  wq::PutLE32(&b[Entry(b, 273) + 4], 0x40000000);  // a billion strip offsets
  EXPECT_EQ(Message(b), 13);
  b = base;
  const uint32_t offsets = wq::GetLE32(&b[Entry(b, 273) + 8]);
  wq::PutLE32(&b[offsets + 8], 0xFFFFFF00);  // third strip far beyond the end
  EXPECT_EQ(Message(b), 13);
  b = base;
  wq::PutLE32(&b[Entry(b, 279) + 4], 2);  // fewer byte counts than strips
  EXPECT_EQ(Message(b), 13);
  b = base;
  wq::PutLE32(&b[4], 0xFFFFFFF0);  // directory beyond the end
  EXPECT_EQ(Message(b), 13);
  b = base;
  wq::PutLE16(&b[wq::GetLE32(&b[4])], 84);  // more entries than the program reads
  EXPECT_EQ(Message(b), 13);
  b = base;
  b[0] = b[1] = 'X';
  EXPECT_EQ(Message(b), 13);
  b = base;
  b[2] = 43;  // BigTIFF
  EXPECT_EQ(Message(b), 13);
}

TEST(TiffHostile, OverlappingStripsDecodeAsTheStripTheyPointAt) {
  const TestImage im = MakeImage(Kind::kRgb, 1100, 40);
  Bytes b = MakeTiff(im, true);
  const uint32_t offsets = wq::GetLE32(&b[Entry(b, 273) + 8]);
  const uint32_t counts = wq::GetLE32(&b[Entry(b, 279) + 8]);
  for (int s = 1; s < 5; ++s) {
    wq::PutLE32(&b[offsets + 4 * s], wq::GetLE32(&b[offsets]));
    wq::PutLE32(&b[counts + 4 * s], wq::GetLE32(&b[counts]));
  }
  Bytes bmp;
  ASSERT_EQ(Convert(b, &bmp), FileStatus::kOk);
  wq::MemReader r{bmp};
  RgbImage got;
  ASSERT_EQ(ReadBmpRgb(wq::MemReaderIo(&r), &got), FileStatus::kOk);
  const std::vector<uint8_t> want = ExpectedRgb(im);
  const size_t row = 1100 * 3;
  for (size_t y = 0; y < 40; ++y)
    ASSERT_TRUE(std::equal(got.rgb.begin() + long(y * row), got.rgb.begin() + long((y + 1) * row),
                           want.begin() + long((y % 8) * row)))
        << y;
}

TEST(TiffHostile, BadCodesAndSizes) {
  const TestImage im = MakeImage(Kind::kGrey8, 64, 16);
  const Bytes base = MakeTiff(im, true);
  Bytes b = base;
  // Clear, 'A', then 511 while the next free code is 259.
  const uint32_t strip = wq::GetLE32(&b[Entry(b, 273) + 8]);
  const uint8_t bad[] = {0x80, 0x10, 0x7F, 0xC0, 0x00};
  std::copy(std::begin(bad), std::end(bad), b.begin() + strip);
  EXPECT_EQ(Message(b), 13);

  for (uint32_t w : {32768u, 100000u, 0u}) {
    b = base;
    wq::PutLE32(&b[Entry(b, 256) + 8], w);
    EXPECT_EQ(Message(b), w ? 41 : 13) << w;
  }
  b = base;
  wq::PutLE32(&b[Entry(b, 257) + 8], 40000);
  EXPECT_EQ(Message(b), 41);
  b = base;
  wq::PutLE32(&b[Entry(b, 320) + 4], 769);  // a ColorMap beyond 768 values
  EXPECT_EQ(Message(b), 13);
  b = base;
  wq::PutLE32(&b[Entry(b, 320) + 4], 700);  // not 3 x 256
  EXPECT_EQ(Message(b), 13);
  // An output that does not fit on the disk.
  EXPECT_EQ(wq::FileStatusMessage(Convert(base, nullptr, 1000)), 4);
}

TEST(TiffHostile, CodingsAndClassesOutsideTheAcceptedOnes) {
  const Bytes rgb = MakeTiff(MakeImage(Kind::kRgb, 16, 4), true);
  struct Case {
    uint16_t tag;
    uint16_t value;
    int message;
  } cases[] = {
      {259, 4, 41}, {259, 8, 41}, {259, 32773, 41}, {259, 6, 13}, {259, 7, 13},
      {259, 2, 13},  // CCITT on a colour image
      {317, 3, 13},  // floating-point predictor
      {284, 2, 13},  // separate planes with LZW
      {262, 6, 13},  // YCbCr
      {277, 4, 13},  // four samples
  };
  for (const Case& c : cases) {
    Bytes b = rgb;
    wq::PutLE16(&b[Entry(b, c.tag) + 8], c.value);
    EXPECT_EQ(Message(b), c.message) << c.tag << "=" << c.value;
  }
  // Bilevel: predictor 2 is not defined for 1-bit samples; 2-D Group 3 is refused.
  const Bytes bw = MakeTiff(MakeImage(Kind::kBilevel, 16, 4), true);
  Bytes b = bw;
  wq::PutLE16(&b[Entry(b, 317) + 8], 2);
  EXPECT_EQ(Message(b), 13);
  b = bw;
  wq::PutLE16(&b[Entry(b, 266) + 8], 3);  // no such fill order
  EXPECT_EQ(Message(b), 13);
  b = bw;
  wq::PutLE16(&b[Entry(b, 259) + 8], 3);
  EXPECT_NE(Message(b), 41);  // Group 3 is read (these bytes are no CCITT data)
}

TEST(TiffHostile, OmittedFieldsTakeTheirDefaults) {
  const TestImage im = MakeImage(Kind::kBilevel, 50, 9);
  const Bytes base = MakeTiff(im, false);
  // Without StripByteCounts an uncompressed strip is as long as its rows;
  // RowsPerStrip 0 counts as one strip for the image.
  Bytes b = base;
  wq::PutLE16(&b[Entry(b, 279)], 65000);
  wq::PutLE32(&b[Entry(b, 278) + 8], 0);
  Bytes bmp;
  ASSERT_EQ(Convert(b, &bmp), FileStatus::kOk);
  wq::MemReader r{bmp};
  RgbImage got;
  ASSERT_EQ(ReadBmpRgb(wq::MemReaderIo(&r), &got), FileStatus::kOk);
  EXPECT_EQ(FirstDifference(got.rgb, ExpectedRgb(im)), -1);
  // Without StripOffsets there is no image.
  b = base;
  wq::PutLE16(&b[Entry(b, 273)], 65001);
  EXPECT_EQ(Message(b), 13);
}

TEST(TiffHostile, CancelStopsTheConversion) {
  const Bytes tiff = MakeTiff(MakeImage(Kind::kRgb, 30, 30), true);
  wq::MemReader in{tiff};
  wq::MemWriter out;
  int calls = 0;
  wq::ProgressSink p{[](void* ctx, uint32_t, uint32_t) { return ++*static_cast<int*>(ctx) < 5; },
                     &calls};
  EXPECT_EQ(wq::TiffConvertToBmp(wq::MemReaderIo(&in), wq::MemWriterIo(&out), p, nullptr),
            FileStatus::kCancelled);
  EXPECT_EQ(calls, 5);
}

}  // namespace
