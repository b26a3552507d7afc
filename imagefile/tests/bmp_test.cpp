// The BMP headers: file and image sizes by depth and colours, the round trip
// through encoding, and the variants the decoder tells apart.
#include <gtest/gtest.h>

#include "imagefile/bmp.h"
#include "common/bytes.h"

namespace {

TEST(Bmp, HeaderSizesFollowDepthAndColours) {
  wq::BmpHeader h;
  // 100 x 100, 1 bit: rows of 16 bytes, two colours.
  ASSERT_TRUE(wq::BmpMakeHeader(100, 100, 1, 0, 11811, 11811, &h));
  EXPECT_EQ(h.offBits, 14u + 40 + 8);
  EXPECT_EQ(h.sizeImage, 1600u);
  EXPECT_EQ(h.fileSize, 62u + 1600);
  // 3 x 2, 24 bits: rows of 9 bytes padded to 12, no table.
  ASSERT_TRUE(wq::BmpMakeHeader(3, 2, 24, 0, 0, 0, &h));
  EXPECT_EQ(h.offBits, 54u);
  EXPECT_EQ(h.sizeImage, 24u);
  // An 8-bit image with a short table of 5 entries.
  ASSERT_TRUE(wq::BmpMakeHeader(5, 1, 8, 5, 0, 0, &h));
  EXPECT_EQ(h.offBits, 54u + 20);
  EXPECT_EQ(h.clrUsed, 5u);
  EXPECT_EQ(wq::BmpColourCount(h), 5u);
  // Sizes that do not fit the 32-bit fields.
  EXPECT_FALSE(wq::BmpMakeHeader(70000, 70000, 24, 0, 0, 0, &h));
}

TEST(Bmp, EncodedHeaderDecodesToTheSameFields) {
  wq::BmpHeader h, back;
  ASSERT_TRUE(wq::BmpMakeHeader(37, 5, 4, 0, 2835, 3937, &h));
  uint8_t b[54];
  wq::BmpEncodeHeader(h, b);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(wq::GetLE32(b + 2), h.fileSize);
  EXPECT_EQ(wq::GetLE32(b + 14), 40u);
  EXPECT_EQ(wq::GetLE16(b + 28), 4);
  ASSERT_EQ(wq::BmpDecodeHeader(b, sizeof b, &back), wq::BmpHeaderStatus::kOk);
  EXPECT_EQ(back.width, 37);
  EXPECT_EQ(back.height, 5);
  EXPECT_EQ(back.bitCount, 4);
  EXPECT_EQ(back.sizeImage, h.sizeImage);
  EXPECT_EQ(back.xPelsPerMeter, 2835);
  EXPECT_EQ(back.yPelsPerMeter, 3937);
  EXPECT_EQ(back.offBits, h.offBits);
}

TEST(Bmp, VariantsAreToldApart) {
  wq::BmpHeader h;
  uint8_t b[54];
  ASSERT_TRUE(wq::BmpMakeHeader(8, 8, 8, 0, 0, 0, &h));
  wq::BmpEncodeHeader(h, b);
  EXPECT_EQ(wq::BmpDecodeHeader(b, 20, &h), wq::BmpHeaderStatus::kTruncated);
  wq::PutLE32(b + 30, 1);
  EXPECT_EQ(wq::BmpDecodeHeader(b, 54, &h), wq::BmpHeaderStatus::kRunLength);
  wq::PutLE32(b + 30, 2);
  EXPECT_EQ(wq::BmpDecodeHeader(b, 54, &h), wq::BmpHeaderStatus::kRunLength);
  wq::PutLE32(b + 14, 12);  // OS/2 core header
  EXPECT_EQ(wq::BmpDecodeHeader(b, 54, &h), wq::BmpHeaderStatus::kNotInfoHeader);
  wq::PutLE32(b + 14, 124);  // version 5 header
  EXPECT_EQ(wq::BmpDecodeHeader(b, 54, &h), wq::BmpHeaderStatus::kNotInfoHeader);
  b[1] = 'A';
  EXPECT_EQ(wq::BmpDecodeHeader(b, 54, &h), wq::BmpHeaderStatus::kNotBmp);
  EXPECT_EQ(wq::BmpDecodeHeader(b, 1, &h), wq::BmpHeaderStatus::kNotBmp);
}

}  // namespace
