// The SCSI information rows and the raw line sizes of the short scan.
#include <gtest/gtest.h>

#include <cstring>

#include "tools/scsilist/report.h"

namespace {
void Name(char* name, const char* vpr28) {
  std::memset(name, 0, kDeviceNameSize);
  std::memcpy(name, vpr28, 28);
}
}  // namespace

TEST(ScsiList, TypeWordsFollowThePeripheralTypeWithOverflowShownAsUnknown) {
  EXPECT_STREQ(DeviceTypeWord(0), "DISK");
  EXPECT_STREQ(DeviceTypeWord(5), "ROM");
  EXPECT_STREQ(DeviceTypeWord(6), "SCAN");
  EXPECT_STREQ(DeviceTypeWord(8), "????");
  EXPECT_STREQ(DeviceTypeWord(9), "????");
  EXPECT_STREQ(DeviceTypeWord(0x26), "SCAN");  // qualifier bits ignored
  EXPECT_STREQ(DeviceTypeWord(0x7F), "????");
}

TEST(ScsiList, IdentityCodesAreTriedInOrder) {
  char name[kDeviceNameSize];
  Name(name, "KORVA   WQ140/131       1.00");
  EXPECT_STREQ(IdentityCode(name), "131");
  EXPECT_EQ(ModelKindOf(name), kModelWQ140);
  Name(name, "KORVA   WQ220/081 121   1.00");
  EXPECT_STREQ(IdentityCode(name), "121");  // "121" is tried before "081"
  Name(name, "KORVA   WQ210/000       1.00");
  EXPECT_EQ(IdentityCode(name), nullptr);
  EXPECT_EQ(ModelKindOf(name), kModelWQ210);
  Name(name, "KORVA   WQ999           1.00");
  EXPECT_EQ(ModelKindOf(name), kModelUnknown);
  EXPECT_EQ(ModelName(kModelUnknown), nullptr);
  EXPECT_STREQ(ModelName(kModelWQ490), "WQ490");
}

TEST(ScsiList, RowsShowAddressTypeIdentityAndFamilyModel) {
  char name[kDeviceNameSize];
  Name(name, "KORVA   WQ490/101       2.10");
  EXPECT_EQ(DeviceRow(6, name, {0, 1, 4, 0}, true),
            "  1.4.0    SCAN KORVA     WQ490/101         2.10  <- WQ490 scanner (code 101)");
  Name(name, "OTHERCO SCANMASTER 9000 0100");
  EXPECT_EQ(DeviceRow(6, name, {0, 0, 5, 0}, false),
            "  0.5.0    SCAN OTHERCO   SCANMASTER 9000   0100");
  Name(name, "KORVA   WQ210/000       1.00");
  EXPECT_NE(DeviceRow(6, name, {0, 0, 2, 0}, true).find("not usable"), std::string::npos);
}

TEST(ScsiList, RawLineBytesPerComposition) {
  EXPECT_EQ(RawLineBytes(0, 1), 1u);
  EXPECT_EQ(RawLineBytes(0, 8), 1u);
  EXPECT_EQ(RawLineBytes(0, 9), 2u);
  EXPECT_EQ(RawLineBytes(2, 200), 200u);
  EXPECT_EQ(RawLineBytes(3, 8), 3u);    // three bit planes
  EXPECT_EQ(RawLineBytes(3, 9), 6u);
  EXPECT_EQ(RawLineBytes(5, 200), 600u);
  EXPECT_EQ(RawLineBytes(1, 200), 0u);
  EXPECT_EQ(RawLineBytes(2, 0), 0u);
}

TEST(ScsiList, AddressesParseStrictly) {
  DeviceAddress a{};
  ASSERT_TRUE(ParseAddress("1.3", &a));
  EXPECT_EQ(a.HostAdapter, 1);
  EXPECT_EQ(a.Target, 3);
  EXPECT_EQ(a.Lun, 0);
  ASSERT_TRUE(ParseAddress("0.6.1", &a));
  EXPECT_EQ(a.Lun, 1);
  EXPECT_FALSE(ParseAddress("1", &a));
  EXPECT_FALSE(ParseAddress("1.8", &a));
  EXPECT_FALSE(ParseAddress("1.2.3.4", &a));
  EXPECT_FALSE(ParseAddress("1..2", &a));
  EXPECT_FALSE(ParseAddress("a.b", &a));
  EXPECT_FALSE(ParseAddress("256.1", &a));
  EXPECT_FALSE(ParseAddress("", &a));
}
