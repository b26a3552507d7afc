// The directory builder: entries in ascending tag order with values in the
// order of adding, its refusals (duplicate tags, odd offsets, offsets past 4
// GB), and the header's byte order and version.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imagefile/tiff_ifd.h"

namespace {

using wq::ByteOrder;

struct Parsed {
  uint16_t tag, type;
  uint32_t count, field;
};

// Reads the directory back as a reader would: entries and raw value fields.
std::vector<Parsed> Parse(const std::vector<uint8_t>& b, ByteOrder o, uint32_t* next) {
  std::vector<Parsed> out;
  const uint32_t n = wq::Get16(b.data(), o);
  for (uint32_t i = 0; i < n; ++i) {
    const uint8_t* e = b.data() + 2 + 12 * i;
    out.push_back({wq::Get16(e, o), wq::Get16(e + 2, o), wq::Get32(e + 4, o), wq::Get32(e + 8, o)});
  }
  *next = wq::Get32(b.data() + 2 + 12 * n, o);
  return out;
}

wq::TiffIfd Sample(ByteOrder o) {
  wq::TiffIfd ifd;
  ifd.order = o;
  const uint16_t bits[] = {8, 8, 8};
  const uint32_t strips[] = {8, 1000, 2000};
  EXPECT_TRUE(wq::TiffIfdAddAscii(&ifd, wq::kTagSoftware, "ScanWQ"));     // 7 bytes: padded
  EXPECT_TRUE(wq::TiffIfdAddShort(&ifd, wq::kTagCompression, 5));
  EXPECT_TRUE(wq::TiffIfdAddLong(&ifd, wq::kTagImageWidth, 70000));
  EXPECT_TRUE(wq::TiffIfdAddShorts(&ifd, wq::kTagBitsPerSample, bits));   // 6 bytes
  EXPECT_TRUE(wq::TiffIfdAddRational(&ifd, wq::kTagXResolution, 3000761, 10000));
  EXPECT_TRUE(wq::TiffIfdAddAscii(&ifd, wq::kTagMake, "abc"));            // 4 bytes: inline
  EXPECT_TRUE(wq::TiffIfdAddLongs(&ifd, wq::kTagStripOffsets, strips));   // 12 bytes
  return ifd;
}

TEST(TiffIfd, EntriesAscendValuesFollowTheOrderOfAdding) {
  for (ByteOrder o : {ByteOrder::kIntel, ByteOrder::kMotorola}) {
    wq::TiffIfd ifd = Sample(o);
    const uint32_t at = 1000;
    std::vector<uint8_t> b;
    ASSERT_TRUE(wq::TiffIfdEncode(ifd, at, 0, &b));
    // 2 + 7 x 12 + 4 = 90 bytes of directory, then 8 + 6 + 8 + 12 of values.
    ASSERT_EQ(b.size(), 90u + 8 + 6 + 8 + 12);
    EXPECT_EQ(wq::TiffIfdByteSize(ifd), b.size());
    uint32_t next = 1;
    std::vector<Parsed> e = Parse(b, o, &next);
    EXPECT_EQ(next, 0u);
    ASSERT_EQ(e.size(), 7u);
    const uint16_t tags[] = {256, 258, 259, 271, 273, 282, 305};
    for (size_t i = 0; i < e.size(); ++i) EXPECT_EQ(e[i].tag, tags[i]);

    // Inline values are left-justified in the field.
    const uint8_t* field = b.data() + 2 + 12 * 2 + 8;  // Compression
    EXPECT_EQ(wq::Get16(field, o), 5);
    EXPECT_EQ(wq::Get16(field + 2, o), 0);
    EXPECT_EQ(e[0].field, 70000u);
    EXPECT_EQ(e[0].type, wq::kTiffLong);
    EXPECT_EQ(std::memcmp(b.data() + 2 + 12 * 3 + 8, "abc", 4), 0);
    EXPECT_EQ(e[3].count, 4u);

    // Out-of-line values: Software first, as added, then the others.
    EXPECT_EQ(e[6].field, at + 90);
    EXPECT_EQ(e[6].count, 7u);
    EXPECT_EQ(std::memcmp(b.data() + 90, "ScanWQ", 7), 0);
    EXPECT_EQ(e[1].field, at + 98);
    EXPECT_EQ(wq::Get16(b.data() + 98 + 4, o), 8);
    EXPECT_EQ(e[5].field, at + 104);
    EXPECT_EQ(wq::Get32(b.data() + 104, o), 3000761u);
    EXPECT_EQ(wq::Get32(b.data() + 108, o), 10000u);
    EXPECT_EQ(e[4].field, at + 112);
    EXPECT_EQ(wq::Get32(b.data() + 112 + 8, o), 2000u);
    for (size_t i : {1, 4, 5, 6}) EXPECT_EQ(e[i].field % 2, 0u) << e[i].tag;
    EXPECT_EQ(wq::TiffIfdValueOffset(ifd, wq::kTagStripOffsets, at), at + 112);
    EXPECT_EQ(wq::TiffIfdValueOffset(ifd, wq::kTagCompression, at), 0u);
  }
}

TEST(TiffIfd, RefusesDuplicatesOddOffsetsAndOffsetsPast4GB) {
  wq::TiffIfd ifd = Sample(ByteOrder::kIntel);
  EXPECT_FALSE(wq::TiffIfdAddShort(&ifd, wq::kTagCompression, 1));
  std::vector<uint8_t> b;
  EXPECT_FALSE(wq::TiffIfdEncode(ifd, 1001, 0, &b));
  EXPECT_FALSE(wq::TiffIfdEncode(ifd, 0xFFFFFFC0u, 0, &b));
  ASSERT_TRUE(wq::TiffIfdSetNumber(&ifd, wq::kTagStripOffsets, 2, 4242));
  EXPECT_FALSE(wq::TiffIfdSetNumber(&ifd, wq::kTagStripOffsets, 3, 1));
  EXPECT_FALSE(wq::TiffIfdSetNumber(&ifd, wq::kTagSoftware, 0, 1));
  ASSERT_TRUE(wq::TiffIfdEncode(ifd, 8, 0, &b));
  EXPECT_EQ(wq::Get32(b.data() + 112 + 8, ByteOrder::kIntel), 4242u);
}

TEST(TiffIfd, HeaderCarriesByteOrderAndVersion) {
  uint8_t h[8];
  wq::TiffEncodeHeader(ByteOrder::kMotorola, 0x01020304, h);
  const uint8_t mm[8] = {'M', 'M', 0, 42, 1, 2, 3, 4};
  EXPECT_EQ(std::memcmp(h, mm, 8), 0);
  wq::TiffEncodeHeader(ByteOrder::kIntel, 0x01020304, h);
  const uint8_t ii[8] = {'I', 'I', 42, 0, 4, 3, 2, 1};
  EXPECT_EQ(std::memcmp(h, ii, 8), 0);
}

}  // namespace
