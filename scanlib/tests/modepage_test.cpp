// Mode page lists sent and the sub-device page decoded into the block.
#include <gtest/gtest.h>

#include <cstring>

#include "scanlib/modepage.h"

using namespace wqscsi;

TEST(ModePages, MeasurementSelectIsAZeroHeaderAndTheUnitPage) {
  ModePage list;
  std::memset(list.list, 0xEE, sizeof list.list);
  BuildMeasurementSelect(25, 12, list);
  const uint8_t expect[12] = {0, 0, 0, 0, 0x03, 6, 0, 0, 0x00, 0x19, 0, 0};
  EXPECT_EQ(list.length, 12u);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(list.list[i], expect[i]) << i;
  BuildMeasurementSelect(1200, 12, list);
  EXPECT_EQ(list.list[8], 0x04);
  EXPECT_EQ(list.list[9], 0xB0);
  EXPECT_EQ(MeasurementUnitOf(list.list + 4), 1200);
}

namespace {
ModePage SensedSubDevice() {
  ModePage m;
  std::memset(m.list, 0, sizeof m.list);
  m.list[0] = 30;  // mode data length
  m.list[1] = 0x11;
  m.list[2] = 0x22;
  uint8_t* p = m.list + 4;
  p[0] = 0xA0;  // PS bit and page code as a device may report them
  p[1] = 25;
  p[2] = 0xC1;  // feeder ready, selected, type 1
  p[3] = 0x42;  // film unit selected, type 2
  p[4] = 0x50;
  p[5] = 0x34;
  p[6] = 0x12;
  p[9] = 0x78;
  p[10] = 0x56;
  p[13] = 0x80;
  p[14] = 0xB5;
  const int words[6] = {300, 600, 1200, 2400, 30, 50};
  for (int i = 0; i < 6; ++i) {
    p[15 + 2 * i] = uint8_t(words[i]);
    p[16 + 2 * i] = uint8_t(words[i] >> 8);
  }
  m.length = 31;
  return m;
}
}  // namespace

TEST(ModePages, SubDeviceSelectCarriesTheChoiceInBitSix) {
  const ModePage sensed = SensedSubDevice();
  ModePage list;
  BuildSubDeviceSelect(sensed, kModelWQ140, true, false, list);
  EXPECT_EQ(list.length, 31u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list.list[i], 0) << "header byte " << i;
  EXPECT_EQ(list.list[4], 0x20);
  EXPECT_EQ(list.list[5], 25);
  EXPECT_EQ(list.list[6], 0x40);
  EXPECT_EQ(list.list[7], 0x00);
  EXPECT_EQ(list.list[8], 0x50);  // the rest as read
  EXPECT_EQ(list.list[9], 0x34);
  BuildSubDeviceSelect(sensed, kModelWQ220, true, true, list);
  EXPECT_EQ(list.list[6], 0x40);
  EXPECT_EQ(list.list[7], 0x40);
  BuildSubDeviceSelect(sensed, kModelWQ220, false, false, list);
  EXPECT_EQ(list.list[6], 0);
  EXPECT_EQ(list.list[7], 0);
}

TEST(ModePages, KindFourPutsTheFilmUnitChoiceInBitSevenAndNoFeeder) {
  const ModePage sensed = SensedSubDevice();
  ModePage list;
  BuildSubDeviceSelect(sensed, kModelWQ215, true, true, list);
  EXPECT_EQ(list.list[6], 0x00);
  EXPECT_EQ(list.list[7], 0x80);
  BuildSubDeviceSelect(sensed, kModelWQ215, true, false, list);
  EXPECT_EQ(list.list[7], 0x00);
}

TEST(ModePages, SubDevicePageOfKindOneFillsOptionsAndCapabilities) {
  const ModePage sensed = SensedSubDevice();
  ScanParamBlock b{};
  DecodeSubDevicePage(sensed.page(), kModelWQ140, b);
  EXPECT_EQ(b.AdfType, 1);
  EXPECT_EQ(b.AdfReady, 1);
  EXPECT_EQ(b.AdfSelected, 1);
  EXPECT_EQ(b.FsuType, 2);
  EXPECT_EQ(b.FsuReady, 0);
  EXPECT_EQ(b.FsuSelected, 1);
  EXPECT_EQ(b.MaxWidth, 0x1234);  // low byte first
  EXPECT_EQ(b.MaxLength, 0x5678);
  EXPECT_EQ(b.CapabilityWord[0], 1);
  EXPECT_EQ(b.CapabilityWord[1], 0);
  EXPECT_EQ(b.CapabilityWord[2], 1);
  EXPECT_EQ(b.CapabilityWord[3], 3);
  EXPECT_EQ(b.CapabilityWord[4], 5);
  EXPECT_EQ(b.BaseResolutionX, 300);
  EXPECT_EQ(b.BaseResolutionY, 600);
  EXPECT_EQ(b.MaxResolutionX, 1200);
  EXPECT_EQ(b.MaxResolutionY, 2400);
  EXPECT_EQ(b.MinResolutionX, 30);
  EXPECT_EQ(b.MinResolutionY, 50);
}

TEST(ModePages, SubDevicePageOfKindEightUsesResolutionCodes) {
  ModePage sensed = SensedSubDevice();
  ScanParamBlock b{};
  DecodeSubDevicePage(sensed.page(), kModelWQ220, b);  // 0x50: base 2, max 4, min 0
  EXPECT_EQ(b.BaseResolutionX, 600);
  EXPECT_EQ(b.BaseResolutionY, 600);
  EXPECT_EQ(b.MaxResolutionX, 1200);
  EXPECT_EQ(b.MaxResolutionY, 1200);
  EXPECT_EQ(b.MinResolutionX, 30);
  EXPECT_EQ(b.CapabilityWord[0], 0);
  sensed.list[8] = 0xFF;  // codes 7, 7, 3: none has a value
  DecodeSubDevicePage(sensed.page(), kModelWQ220, b);
  EXPECT_EQ(b.BaseResolutionX, -1);
  EXPECT_EQ(b.MaxResolutionY, -1);
  EXPECT_EQ(b.MinResolutionY, -1);
  EXPECT_EQ(ResolutionCodeDpi(0), 300);
  EXPECT_EQ(ResolutionCodeDpi(1), 400);
  EXPECT_EQ(ResolutionCodeDpi(3), 800);
  EXPECT_EQ(ResolutionCodeDpi(5), 2400);
  EXPECT_EQ(ResolutionCodeDpi(6), -1);
}

TEST(ModePages, OtherModelsLeaveTheResolutionWords) {
  const ModePage sensed = SensedSubDevice();
  ScanParamBlock b{};
  b.BaseResolutionX = 1234;
  b.MinResolutionY = 4321;
  DecodeSubDevicePage(sensed.page(), kModelWQ215, b);
  EXPECT_EQ(b.BaseResolutionX, 1234);
  EXPECT_EQ(b.MinResolutionY, 4321);
  EXPECT_EQ(b.MaxWidth, 0x1234);
}
