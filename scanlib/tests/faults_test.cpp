// Transport faults through a whole selector: BUSY, a busy manager, pending
// requests, UNIT ATTENTION, CHECK CONDITION with and without REQUEST SENSE,
// and requests that never complete.
#include <cstring>
#include <string>

#include "scanlib/tests/bus_harness.h"

using lt::Bus;

namespace {
constexpr const char* kScannerAt2 = "adapter 0\ndevice 0:2 scanner model=WQ140\n";
std::string WithFault(const char* fault) {
  return std::string(kScannerAt2) + "fault " + fault + "\n";
}
}  // namespace

TEST_F(Bus, BusyTestUnitReadyIsRepeatedUntilTheTargetAnswers) {
  Configure(WithFault("busy 3 op=0").c_str());
  UseScanner(0, 2);
  EXPECT_EQ(Call(kSelScannerReserve), 0);
  EXPECT_EQ(WiresOf(0x00).size(), 4u);
  EXPECT_EQ(WiresOf(0x16).size(), 1u);
}

TEST_F(Bus, BusyForEverEndsWithBusyWithinTheBound) {
  Configure(WithFault("busy op=0 times=always").c_str());
  UseScanner(0, 2);
  EXPECT_EQ(Call(kSelScannerReserve), -17);
  EXPECT_TRUE(WiresOf(0x16).empty());
  EXPECT_GT(WiresOf(0x00).size(), 10u);
}

TEST_F(Bus, ABusyManagerIsAskedAgain) {
  Configure(WithFault("aspibusy 4 op=0x16").c_str());
  UseScanner(0, 2);
  EXPECT_EQ(Call(kSelScannerReserve), 0);
  EXPECT_EQ(WiresOf(0x16).size(), 1u);  // the refusals never reached the device
  EXPECT_EQ(Describe(0, 2)["reserved"], "1");
}

TEST_F(Bus, PendingRequestsArePolledToCompletion) {
  Configure(WithFault("pending 5 op=0x16").c_str());
  UseScanner(0, 2);
  const int before = g_testPlatform.idleCalls;
  EXPECT_EQ(Call(kSelScannerReserve), 0);
  EXPECT_GE(g_testPlatform.idleCalls - before, 5);
}

TEST_F(Bus, UnitAttentionCountsAsReady) {
  Configure(WithFault("unitattention").c_str());
  UseScanner(0, 2);
  EXPECT_EQ(Call(kSelScannerRelease), 0);
  EXPECT_EQ(WiresOf(0x17).size(), 1u);
  EXPECT_EQ(block.SenseKey, 0);
}

TEST_F(Bus, CheckConditionGivesMinus18WithTheSenseOfTheRequestBlock) {
  Configure(WithFault("check 4 0x60 0x02 op=0x16").c_str());
  UseScanner(0, 2);
  EXPECT_EQ(Call(kSelScannerReserve), -18);
  EXPECT_EQ(block.SenseKey, 4);
  EXPECT_EQ(block.SenseCode, 0x60);
  EXPECT_EQ(block.SenseQualifier, 0x02);
  EXPECT_TRUE(WiresOf(0x03).empty());
  // The next call starts clean.
  EXPECT_EQ(Call(kSelScannerReserve), 0);
  EXPECT_EQ(block.SenseKey, 0);
  EXPECT_EQ(block.SenseCode, 0);
}

TEST_F(Bus, ExplicitSenseAsksTheTargetWithRequestSense) {
  Configure(WithFault("adfcover 1 op=0x16").c_str());
  UseScanner(0, 2);
  block.ExplicitSense = 1;
  EXPECT_EQ(Call(kSelScannerReserve), -18);
  EXPECT_EQ(block.SenseKey, 2);
  EXPECT_EQ(block.SenseCode, 0x80);
  EXPECT_EQ(block.SenseQualifier, 1);
  const auto rs = WiresOf(0x03);
  ASSERT_EQ(rs.size(), 1u);
  EXPECT_EQ(rs[0].cdb(4), 118);
  EXPECT_EQ(rs[0].record.direction, 1);
}

TEST_F(Bus, ARequestThatNeverCompletesIsAbortedWithinTheBound) {
  Configure(WithFault("hang op=0x16").c_str());
  UseScanner(0, 2);
  const uint32_t start = g_testPlatform.now;
  EXPECT_EQ(Call(kSelScannerReserve), -18);
  // The fake clock moves a millisecond a reading: the bound is 2000 ms.
  EXPECT_LE(g_testPlatform.now - start, 2100u);
  EXPECT_GE(g_testPlatform.now - start, 2000u);
  // The aborted request is gone: the next one goes through.
  EXPECT_EQ(Call(kSelScannerReserve), 0);
}

TEST_F(Bus, AManagerBusyForEverIsGivenUpWithinTheBound) {
  Configure(WithFault("aspibusy op=0x16 times=always").c_str());
  UseScanner(0, 2);
  const uint32_t start = g_testPlatform.now;
  EXPECT_EQ(Call(kSelScannerReserve), -18);
  EXPECT_LE(g_testPlatform.now - start, 2100u);
}

TEST_F(Bus, TheLunTravelsInCdbByteOne) {
  Configure("adapter 0\ndevice 0:2:1 scanner model=WQ140\n");
  std::memcpy(block.DeviceName, "KORVA   WQ140/131       1.00", 28);
  block.DeviceAddress = DeviceAddress{0, 0, 2, 1};
  ASSERT_EQ(Call(kSelDeviceEqlByte), 0);
  ClearWires();
  EXPECT_EQ(Call(kSelScannerReserve), 0);
  for (const lt::Wire& w : Wires()) {
    EXPECT_EQ(w.cdb(1) & 0x60, 0x20) << int(w.op());
    EXPECT_EQ(w.record.lun, 0);  // the request block's LUN stays 0
  }
}
