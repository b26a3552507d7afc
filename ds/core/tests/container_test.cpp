// Containers as bytes: the replies the source builds, the application's
// containers it reads, and the values it takes out of them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ds/core/container.h"
#include "ds/core/tests/cap_harness.h"

namespace wq {
namespace {

using test::Fix;

std::vector<uint8_t> Bytes(const CapContainer& c) { return {c.Bytes, c.Bytes + c.Size}; }

TEST(ContainerBuild, OneValueHoldsSmallTypesInTheLowBytes) {
  CapContainer c{};
  PutOneValue(&c, TWTY_INT16, uint16_t(-1));
  EXPECT_EQ(c.ConType, TWON_ONEVALUE);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00}));
  PutOneValue(&c, TWTY_BOOL, 1);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x06, 0x00, 0x01, 0x00, 0x00, 0x00}));
}

TEST(ContainerBuild, Fix32ValuesRoundHalfAwayFromZero) {
  // 2.2, 0.01 and -1.5 as the application finds them in the item.
  CapContainer c{};
  PutFix32(&c, 2.2);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x07, 0x00, 0x02, 0x00, 0x33, 0x33}));
  PutFix32(&c, 0.01);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x07, 0x00, 0x00, 0x00, 0x8F, 0x02}));  // 655
  PutFix32(&c, -1.5);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x07, 0x00, 0xFE, 0xFF, 0x00, 0x80}));
  // Half a step rounds outward on both sides.
  PutFix32(&c, 0.5 / 65536);
  EXPECT_EQ(Bytes(c)[4], 1);
  PutFix32(&c, -0.5 / 65536);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x07, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(ContainerBuild, Fix32ValuesOutsideTheirRangeSaturate) {
  CapContainer c{};
  PutFix32(&c, 17.0 * 30000);  // a length in pixels at an absurd resolution
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x07, 0x00, 0xFF, 0x7F, 0xFF, 0xFF}));
  PutFix32(&c, -1e12);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x07, 0x00, 0x00, 0x80, 0x00, 0x00}));
  PutFix32(&c, 32767.5);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x07, 0x00, 0xFF, 0x7F, 0x00, 0x80}));
}

TEST(ContainerBuild, RangeIsFiveFix32Values) {
  CapContainer c{};
  PutRange(&c, -1000, 1000, 1, 0, -2.5);
  ASSERT_EQ(c.Size, 22u);
  EXPECT_EQ(c.ConType, TWON_RANGE);
  const std::vector<uint8_t> expected = {0x07, 0x00,                    // FIX32
                                         0x18, 0xFC, 0x00, 0x00,        // -1000
                                         0xE8, 0x03, 0x00, 0x00,        // 1000
                                         0x01, 0x00, 0x00, 0x00,        // 1
                                         0x00, 0x00, 0x00, 0x00,        // 0
                                         0xFD, 0xFF, 0x00, 0x80};       // -2.5
  EXPECT_EQ(Bytes(c), expected);
}

TEST(ContainerBuild, EnumerationAndArrayOfSixteenBitItems) {
  CapContainer c{};
  const uint16_t items[] = {2, 0, 0xFFFF};
  ASSERT_TRUE(PutEnumeration(&c, TWTY_INT16, items, 3, 1, 0));
  EXPECT_EQ(c.ConType, TWON_ENUMERATION);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x01, 0x00, 3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,  //
                                            2, 0, 0, 0, 0xFF, 0xFF}));
  ASSERT_TRUE(PutArray(&c, TWTY_UINT16, items, 2));
  EXPECT_EQ(c.ConType, TWON_ARRAY);
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x04, 0x00, 2, 0, 0, 0, 2, 0, 0, 0}));
  // Byte-sized items take one byte each.
  ASSERT_TRUE(PutArray(&c, TWTY_UINT8, items, 2));
  EXPECT_EQ(Bytes(c), (std::vector<uint8_t>{0x03, 0x00, 2, 0, 0, 0, 2, 0}));
}

TEST(ContainerBuild, ListsThatDoNotFitBuildNothing) {
  CapContainer c{};
  std::vector<uint16_t> many(64, 7);
  EXPECT_FALSE(PutEnumeration(&c, TWTY_UINT16, many.data(), 64, 0, 0));
  EXPECT_FALSE(PutArray(&c, TWTY_UINT16, many.data(), 64));
  EXPECT_EQ(c.ConType, 0);
  EXPECT_FALSE(PutArray(&c, TWTY_FRAME, many.data(), 1));  // no 16-bit source for a frame
  EXPECT_TRUE(PutArray(&c, TWTY_UINT16, many.data(), 45));  // the largest that fits
  EXPECT_EQ(c.Size, 96u);
}

TEST(ContainerRead, EachKindFromItsBytes) {
  AppContainer a;
  std::vector<uint8_t> one = test::OneValue(TWTY_UINT32, 0x12345678);
  ASSERT_EQ(ReadAppContainer(TWON_ONEVALUE, one.data(), one.size(), &a), TWCC_SUCCESS);
  EXPECT_EQ(a.ItemType, TWTY_UINT32);
  EXPECT_EQ(a.Item, 0x12345678u);

  std::vector<uint8_t> range = test::Range(TWTY_FIX32, 1, 2, 3, 4, Fix(-7, 0x4000));
  ASSERT_EQ(ReadAppContainer(TWON_RANGE, range.data(), range.size(), &a), TWCC_SUCCESS);
  EXPECT_EQ(a.Range[0], 1u);
  EXPECT_EQ(a.Range[3], 4u);
  EXPECT_EQ(Fix32Whole(a.Range[4]), -7);

  std::vector<uint8_t> en = test::Enumeration(TWTY_INT16, 2, 1, {5, 6, 7});
  ASSERT_EQ(ReadAppContainer(TWON_ENUMERATION, en.data(), en.size(), &a), TWCC_SUCCESS);
  EXPECT_EQ(a.NumItems, 3u);
  EXPECT_EQ(a.CurrentIndex, 2u);
  EXPECT_EQ(a.DefaultIndex, 1u);
}

TEST(ContainerRead, BlocksThatDoNotHoldWhatTheyClaimAreRefused) {
  AppContainer a;
  EXPECT_EQ(ReadAppContainer(TWON_ONEVALUE, nullptr, 6, &a), TWCC_BADVALUE);
  std::vector<uint8_t> one = test::OneValue(TWTY_UINT16, 1);
  EXPECT_EQ(ReadAppContainer(TWON_ONEVALUE, one.data(), 5, &a), TWCC_BADVALUE);
  std::vector<uint8_t> range = test::Range(TWTY_FIX32, 0, 0, 0, 0, 0);
  EXPECT_EQ(ReadAppContainer(TWON_RANGE, range.data(), 21, &a), TWCC_BADVALUE);

  // An enumeration of three 16-bit items needs 20 bytes.
  std::vector<uint8_t> en = test::Enumeration(TWTY_UINT16, 0, 0, {1, 2, 3});
  EXPECT_EQ(ReadAppContainer(TWON_ENUMERATION, en.data(), 19, &a), TWCC_BADVALUE);
  EXPECT_EQ(ReadAppContainer(TWON_ENUMERATION, en.data(), 20, &a), TWCC_SUCCESS);
  EXPECT_EQ(ReadAppContainer(TWON_ENUMERATION, en.data(), 13, &a), TWCC_BADVALUE);
  // A count whose byte size overflows 32 bits is no way round the check.
  en[2] = en[3] = en[4] = en[5] = 0xFF;
  EXPECT_EQ(ReadAppContainer(TWON_ENUMERATION, en.data(), en.size(), &a), TWCC_BADVALUE);
  // Items of a type TWAIN sizes are measured by that size.
  std::vector<uint8_t> frames = test::Enumeration(TWTY_FRAME, 0, 0, {});
  frames[2] = 2;  // two frames: 32 bytes
  frames.resize(14 + 31);
  EXPECT_EQ(ReadAppContainer(TWON_ENUMERATION, frames.data(), frames.size(), &a), TWCC_BADVALUE);
  frames.resize(14 + 32);
  EXPECT_EQ(ReadAppContainer(TWON_ENUMERATION, frames.data(), frames.size(), &a), TWCC_SUCCESS);

  std::vector<uint8_t> arr = {0x04, 0x00, 2, 0, 0, 0, 1, 0};  // two items, room for one
  EXPECT_EQ(ReadAppContainer(TWON_ARRAY, arr.data(), arr.size(), &a), TWCC_BADVALUE);
  EXPECT_EQ(ReadAppContainer(TWON_ICONID, one.data(), one.size(), &a), TWCC_BADVALUE);
}

TEST(ContainerRead, OneValueIntegersByItemType) {
  AppContainer a{};
  a.Item = 0x1234FF80;
  a.ItemType = TWTY_INT8;
  EXPECT_EQ(OneValueInteger(a), -128);
  a.ItemType = TWTY_UINT8;
  EXPECT_EQ(OneValueInteger(a), 0x80);
  a.ItemType = TWTY_INT16;
  EXPECT_EQ(OneValueInteger(a), -128);
  a.ItemType = TWTY_UINT16;  // 16-bit types are taken as signed
  EXPECT_EQ(OneValueInteger(a), -128);
  a.ItemType = TWTY_BOOL;
  EXPECT_EQ(OneValueInteger(a), -128);
  a.ItemType = TWTY_UINT32;
  EXPECT_EQ(OneValueInteger(a), 0x1234FF80);
  a.Item = 0xFFFFFFFF;
  a.ItemType = TWTY_INT32;
  EXPECT_EQ(OneValueInteger(a), -1);
}

TEST(ContainerRead, Fix32ValuesLandOnTheMeantWholeNumber) {
  // 99 + 0xFFFF/65536 is one step short of 100: the bias carries it over.
  EXPECT_EQ(Fix32Truncated(Fix(99, 0xFFFF)), 100);
  EXPECT_EQ(Fix32Truncated(Fix(99, 0xFD00)), 99);
  EXPECT_EQ(Fix32Truncated(Fix(2, 0x3333), 100), 220);  // 2.2 as a gamma x 100
  EXPECT_EQ(Fix32Truncated(Fix(1, 0x8000), 100), 150);  // 1.5
  EXPECT_EQ(Fix32Truncated(Fix(0, 0x8000), 100), 50);   // 0.5
  EXPECT_EQ(Fix32Truncated(Fix(-2, 0x8000)), -1);       // -1.5 truncates toward zero
  EXPECT_EQ(Fix32Truncated(Fix(-1000, 0)), -1000);
  EXPECT_EQ(Fix32Truncated(Fix(-32768, 0), 100), -3276800);
  EXPECT_EQ(Fix32Truncated(Fix(32767, 0xFFFF), 100), 3276800);
  EXPECT_EQ(Fix32Whole(Fix(-2, 0x8000)), -2);
}

}  // namespace
}  // namespace wq
