// The bus as an ASPI manager: request blocks, statuses, pending requests,
// injected faults and the wire log.
#include <gtest/gtest.h>

#include "vscsi/tests/harness.h"
#include "vscsi/wirelog.h"

using namespace vt;

namespace {

const std::vector<uint8_t> kInquiry = Cdb6(0x12, 0, 0, 0, 36);
const std::vector<uint8_t> kTur = Cdb6(0x00);

class Aspi : public ::testing::Test {
 protected:
  void SetUp() override {
    Configure(
        "adapter 0 id=7 manager=\"ASPI for WIN32\" identifier=\"FIRST\"\n"
        "adapter 1 id=255 identifier=\"SECOND\" unique=0300020C00000100AA00000000000000\n"
        "device 0:1 generic type=disk vendor=DISKCO product=\"DISK ONE\" revision=0.1\n"
        "device 0:2 generic type=cdrom removable=1\n"
        "device 1:0 generic type=tape\n");
    VscsiWireClear();
  }
};

TEST_F(Aspi, SupportInfoCountsAdaptersAndTakesAConfiguredStatus) {
  EXPECT_EQ(VscsiGetSupportInfo(), 0x0102u);
  Configure("bus status=0xE3\nadapter 0\n");
  EXPECT_EQ(VscsiGetSupportInfo(), 0xE301u);
}

TEST_F(Aspi, HostAdapterInquiryFillsTheAdapterFields) {
  aspi::SRB_HAInquiry h{};
  h.SRB_Cmd = aspi::SC_HA_INQUIRY;
  h.SRB_HaId = 1;
  EXPECT_EQ(VscsiSendCommand(&h), aspi::SS_COMP);
  EXPECT_EQ(h.SRB_Status, aspi::SS_COMP);
  EXPECT_EQ(h.HA_Count, 2);
  EXPECT_EQ(h.HA_SCSI_ID, 255);
  EXPECT_EQ(std::string((char*)h.HA_ManagerId, 16), "ASPI for WIN32  ");
  EXPECT_EQ(std::string((char*)h.HA_Identifier, 16), "SECOND          ");
  EXPECT_EQ(h.HA_Unique[0], 0x03);  // alignment mask
  EXPECT_EQ(h.HA_Unique[3], 12);    // targets
  EXPECT_EQ(wq::GetLE32(h.HA_Unique + 4), 0x10000u);
  EXPECT_EQ(h.HA_Unique[8], 0xAA);

  h.SRB_HaId = 0;
  VscsiSendCommand(&h);
  EXPECT_EQ(h.HA_SCSI_ID, 7);
  EXPECT_EQ(h.HA_Unique[3], 8);  // default: eight targets, residual count, 16 MB transfers
  EXPECT_EQ(h.HA_Unique[2], 0x02);
  EXPECT_EQ(wq::GetLE32(h.HA_Unique + 4), 0xFFFFFFu);

  h.SRB_HaId = 2;
  EXPECT_EQ(VscsiSendCommand(&h), aspi::SS_INVALID_HA);
  EXPECT_EQ(h.SRB_Status, aspi::SS_INVALID_HA);
}

TEST_F(Aspi, DeviceTypeOfPresentAndMissingDevices) {
  aspi::SRB_GDEVBlock g{};
  g.SRB_Cmd = aspi::SC_GET_DEV_TYPE;
  g.SRB_Target = 2;
  EXPECT_EQ(VscsiSendCommand(&g), aspi::SS_COMP);
  EXPECT_EQ(g.SRB_DeviceType, 5);
  g.SRB_Target = 3;
  EXPECT_EQ(VscsiSendCommand(&g), aspi::SS_NO_DEVICE);
  g.SRB_Target = 1;
  g.SRB_Lun = 1;
  EXPECT_EQ(VscsiSendCommand(&g), aspi::SS_NO_DEVICE);
  g.SRB_HaId = 9;
  EXPECT_EQ(VscsiSendCommand(&g), aspi::SS_INVALID_HA);
}

TEST_F(Aspi, UnknownCommandsAndNullBlocks) {
  aspi::SRB_Header h{};
  h.SRB_Cmd = aspi::SC_GET_DISK_INFO;
  EXPECT_EQ(VscsiSendCommand(&h), aspi::SS_INVALID_CMD);
  h.SRB_Cmd = 0x77;
  EXPECT_EQ(VscsiSendCommand(&h), aspi::SS_INVALID_CMD);
  EXPECT_EQ(h.SRB_Status, aspi::SS_INVALID_CMD);
  EXPECT_EQ(VscsiSendCommand(nullptr), aspi::SS_INVALID_SRB);
}

TEST_F(Aspi, MalformedExecuteBlocksAreRefused) {
  aspi::SRB_ExecSCSICmd srb;
  uint8_t buf[64];
  FillBlock(&srb, 5, 1, kInquiry, aspi::SRB_DIR_IN, buf, 36);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_INVALID_HA);
  FillBlock(&srb, 0, 1, kInquiry, aspi::SRB_DIR_IN, buf, 36);
  srb.SRB_CDBLen = 0;
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_INVALID_SRB);
  srb.SRB_CDBLen = 17;
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_INVALID_SRB);
  FillBlock(&srb, 0, 1, kInquiry, aspi::SRB_DIR_IN | aspi::SRB_DIR_OUT, buf, 36);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_INVALID_SRB);
  FillBlock(&srb, 0, 1, kInquiry, aspi::SRB_DIR_IN, nullptr, 36);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_INVALID_SRB);
  // Adapter 1 allows 64 KB transfers on 4-byte boundaries.
  std::vector<uint8_t> big(0x10001 + 4);
  FillBlock(&srb, 1, 0, kInquiry, aspi::SRB_DIR_IN, big.data(), 0x10001);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_BUFFER_TO_BIG);
  uint8_t* odd = big.data();
  if ((reinterpret_cast<uintptr_t>(odd) & 3) == 0) ++odd;
  FillBlock(&srb, 1, 0, kInquiry, aspi::SRB_DIR_IN, odd, 36);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_BUFFER_ALIGN);
  EXPECT_EQ(VscsiWireCount(), 0u);  // none of these reached a device
}

TEST_F(Aspi, MissingTargetsTimeOutAtSelection) {
  Reply r = In(0, 4, kInquiry, 36);
  EXPECT_EQ(r.status, aspi::SS_ERR);
  EXPECT_EQ(r.hostStatus, aspi::HASTAT_SEL_TO);
  EXPECT_EQ(VscsiWireCount(), 0u);
}

TEST_F(Aspi, ACdbShorterThanItsGroupIsAPhaseError) {
  std::vector<uint8_t> cdb = {0x28, 0, 0, 0, 0, 0};  // READ(10) in six bytes
  Reply r = In(0, 1, cdb, 16);
  EXPECT_EQ(r.status, aspi::SS_ERR);
  EXPECT_EQ(r.hostStatus, aspi::HASTAT_PHASE_ERR);
}

TEST_F(Aspi, InquiryOfAGenericDevice) {
  Reply r = In(0, 1, kInquiry, 36);
  ASSERT_TRUE(r.good());
  EXPECT_EQ(r.data[0], 0);
  EXPECT_EQ(r.data[1], 0);
  EXPECT_EQ(r.data[4], 31);
  EXPECT_EQ(std::string(r.data.begin() + 8, r.data.begin() + 36), "DISKCO  DISK ONE        0.1 ");
  r = In(0, 2, kInquiry, 36);
  EXPECT_EQ(r.data[0], 5);
  EXPECT_EQ(r.data[1], 0x80);  // removable
  // A short allocation gets the start of the data; the buffer's rest is untouched.
  r = In(0, 1, Cdb6(0x12, 0, 0, 0, 5), 36);
  ASSERT_TRUE(r.good());
  EXPECT_EQ(r.data[4], 31);
  EXPECT_EQ(r.data[5], 0xEE);
  // Vital product data is not offered.
  r = In(0, 1, Cdb6(0x12, 1, 0x80, 0, 36), 36);
  EXPECT_EQ(r.targetStatus, aspi::STATUS_CHKCOND);
  EXPECT_EQ(r.key(), 5);
  EXPECT_EQ(r.asc(), 0x24);
  EXPECT_EQ(r.field(), 1);
}

TEST_F(Aspi, OtherLunsOfATargetAreAbsent) {
  Reply r = In(0, 1, Cdb6(0x12, 0x20, 0, 0, 36), 36);  // LUN 1 in CDB byte 1
  ASSERT_TRUE(r.good());
  EXPECT_EQ(r.data[0], 0x7F);
  r = None(0, 1, Cdb6(0x00, 0x20));
  EXPECT_EQ(r.targetStatus, aspi::STATUS_CHKCOND);
  EXPECT_EQ(r.asc(), 0x25);
}

TEST_F(Aspi, GenericDevicesRefuseAllButTheCommonCommands) {
  EXPECT_TRUE(None(0, 1, kTur).good());
  Reply r = In(0, 1, Read10(0, 512), 512);
  EXPECT_EQ(r.status, aspi::SS_ERR);
  EXPECT_EQ(r.targetStatus, aspi::STATUS_CHKCOND);
  EXPECT_EQ(r.key(), 5);
  EXPECT_EQ(r.asc(), 0x20);
  EXPECT_EQ(r.sense[0], 0x70);
  EXPECT_EQ(r.sense[7], 10);
  // The sense stays for REQUEST SENSE until the next command.
  r = In(0, 1, Cdb6(0x03, 0, 0, 0, 118), 118);
  ASSERT_TRUE(r.good());
  EXPECT_EQ(r.data[2], 5);
  EXPECT_EQ(r.data[12], 0x20);
  EXPECT_EQ(r.data[18], 0xEE);  // 18 bytes of sense, no more
  r = In(0, 1, Cdb6(0x03, 0, 0, 0, 18), 18);
  EXPECT_EQ(r.data[2], 0);  // taken
  EXPECT_EQ(r.data[12], 0);
}

TEST_F(Aspi, DataPhaseFaultsAreUnderOrOverruns) {
  // Data out announced for a command that sends data in.
  Reply r = In(0, 1, kInquiry, 36, aspi::SRB_DIR_OUT);
  EXPECT_EQ(r.status, aspi::SS_ERR);
  EXPECT_EQ(r.hostStatus, aspi::HASTAT_DO_DU);
  // More data than the buffer holds.
  r = In(0, 1, kInquiry, 20);
  EXPECT_EQ(r.hostStatus, aspi::HASTAT_DO_DU);
  // No direction given: the command decides.
  r = In(0, 1, kInquiry, 36, aspi::SRB_DIR_SCSI);
  EXPECT_TRUE(r.good());
  // Less data than the buffer holds is normal; the residual is reported when asked for.
  r = In(0, 1, kInquiry, 100, aspi::SRB_DIR_IN | aspi::SRB_ENABLE_RESIDUAL_COUNT);
  EXPECT_TRUE(r.good());
  EXPECT_EQ(r.bufLen, 64u);
}

TEST_F(Aspi, SenseAreaHoldsSenseLenBytes) {
  aspi::SRB_ExecSCSICmd srb;
  FillBlock(&srb, 0, 1, Cdb6(0x01), 0, nullptr, 0);
  srb.SRB_SenseLen = 14;
  memset(srb.SenseArea, 0xCC, sizeof srb.SenseArea);
  VscsiSendCommand(&srb);
  EXPECT_EQ(srb.SRB_TargStat, aspi::STATUS_CHKCOND);
  EXPECT_EQ(srb.SenseArea[12], 0x20);
  EXPECT_EQ(srb.SenseArea[13], 0);
  EXPECT_EQ(srb.SenseArea[14], 0xCC);  // beyond SRB_SenseLen: untouched
  // A sense length beyond the area is cut to the area.
  FillBlock(&srb, 0, 1, Cdb6(0x01), 0, nullptr, 0);
  srb.SRB_SenseLen = 255;
  VscsiSendCommand(&srb);
  EXPECT_EQ(srb.SenseArea[12], 0x20);
}

TEST_F(Aspi, WireLogKeepsWhatReachedTheDevices) {
  None(0, 1, kTur);
  In(0, 4, kInquiry, 36);  // no device: not on the wire
  Out(0, 2, Cdb6(0x15, 0x10, 0, 0, 3), {1, 2, 3});
  ASSERT_EQ(VscsiWireCount(), 2u);
  VscsiWireRecord rec;
  uint8_t data[8] = {};
  ASSERT_TRUE(VscsiWireGet(0, &rec, data, sizeof data));
  EXPECT_EQ(rec.target, 1);
  EXPECT_EQ(rec.cdbLength, 6);
  EXPECT_EQ(rec.direction, 0);
  EXPECT_EQ(rec.requestStatus, aspi::SS_COMP);
  ASSERT_TRUE(VscsiWireGet(1, &rec, data, 2));
  EXPECT_EQ(rec.hostAdapter, 0);
  EXPECT_EQ(rec.target, 2);
  EXPECT_EQ(rec.cdb[0], 0x15);
  EXPECT_EQ(rec.direction, 2);
  EXPECT_EQ(rec.transferLength, 3u);
  EXPECT_EQ(rec.dataLength, 3u);
  EXPECT_EQ(rec.targetStatus, aspi::STATUS_CHKCOND);
  EXPECT_EQ(rec.requestStatus, aspi::SS_ERR);
  EXPECT_EQ(data[0], 1);
  EXPECT_EQ(data[1], 2);
  EXPECT_EQ(data[2], 0);  // only dataCap bytes copied
  EXPECT_FALSE(VscsiWireGet(2, &rec, data, 8));
  VscsiWireClear();
  EXPECT_EQ(VscsiWireCount(), 0u);
}

TEST(WireLog, OldestRecordsGoFirstWhenFull) {
  vscsi::WireLog log;
  VscsiWireRecord rec{};
  uint8_t data[4] = {1, 2, 3, 4};
  for (size_t i = 0; i < vscsi::kWireMaxRecords + 5; ++i) {
    rec.transferLength = uint32_t(i);
    vscsi::WireAppend(&log, rec, data, 4);
  }
  ASSERT_EQ(log.entries.size(), vscsi::kWireMaxRecords);
  EXPECT_EQ(log.entries.front().record.transferLength, 5u);
  EXPECT_EQ(log.dataBytes, 4 * vscsi::kWireMaxRecords);
  // Completing a record already dropped changes nothing; a kept one is found by id.
  vscsi::WireComplete(&log, 1, 2, 4);
  EXPECT_EQ(log.entries.front().record.requestStatus, 0);
  vscsi::WireComplete(&log, log.entries[10].id, 2, 4);
  EXPECT_EQ(log.entries[10].record.targetStatus, 2);
  EXPECT_EQ(log.entries[10].record.requestStatus, 4);
  // Out data is kept up to its limit per record.
  std::vector<uint8_t> big(vscsi::kWireMaxDataPerRecord + 10, 7);
  vscsi::WireAppend(&log, rec, big.data(), big.size());
  EXPECT_EQ(log.entries.back().record.dataLength, vscsi::kWireMaxDataPerRecord);
  vscsi::WireClear(&log);
  EXPECT_EQ(log.dataBytes, 0u);
}

TEST_F(Aspi, DescribeNamesTheDevice) {
  EXPECT_EQ(Describe(0, 1, "vendor"), "DISKCO  ");
  EXPECT_EQ(Describe(0, 1, "product"), "DISK ONE        ");
  None(0, 1, kTur);
  EXPECT_EQ(Describe(0, 1, "commands"), "1");
  char buf[16];
  EXPECT_EQ(VscsiDescribe(0, 3, buf, sizeof buf), 0u);   // nobody there
  EXPECT_EQ(VscsiDescribe(-1, 1, buf, sizeof buf), 0u);
  EXPECT_EQ(VscsiDescribe(0, 1, buf, sizeof buf), 15u);  // cut to the buffer
  EXPECT_EQ(buf[15], 0);
}

// Faults at the manager.
TEST(AspiFaults, PendingRequestsCompleteAfterTheirPolls) {
  Configure("adapter 0\ndevice 0:1 generic type=disk\nfault pending 3 times=2\n");
  aspi::SRB_ExecSCSICmd srb;
  uint8_t buf[36];
  for (int round = 0; round < 2; ++round) {
    FillBlock(&srb, 0, 1, kInquiry, aspi::SRB_DIR_IN, buf, 36);
    EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_PENDING);
    EXPECT_EQ(VscsiPendingCount(), 1u);
    VscsiPoll();
    VscsiPoll();
    EXPECT_EQ(srb.SRB_Status, aspi::SS_PENDING);
    VscsiPoll();
    EXPECT_EQ(srb.SRB_Status, aspi::SS_COMP);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(VscsiPendingCount(), 0u);
  }
  FillBlock(&srb, 0, 1, kInquiry, aspi::SRB_DIR_IN, buf, 36);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_COMP);  // the fault is used up
}

TEST(AspiFaults, ANeverCompletingRequestIsAbortedOrReset) {
  Configure("adapter 0\ndevice 0:1 generic type=disk\nfault hang times=2\n");
  aspi::SRB_ExecSCSICmd srb;
  uint8_t buf[36];
  FillBlock(&srb, 0, 1, kInquiry, aspi::SRB_DIR_IN, buf, 36);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_PENDING);
  for (int i = 0; i < 100; ++i) VscsiPoll();
  EXPECT_EQ(srb.SRB_Status, aspi::SS_PENDING);

  aspi::SRB_Abort abort{};
  abort.SRB_Cmd = aspi::SC_ABORT_SRB;
  abort.SRB_ToAbort = &srb;
  EXPECT_EQ(VscsiSendCommand(&abort), aspi::SS_COMP);
  EXPECT_EQ(srb.SRB_Status, aspi::SS_ABORTED);
  EXPECT_EQ(VscsiSendCommand(&abort), aspi::SS_ABORT_FAIL);  // nothing pending any more
  VscsiWireRecord rec;
  ASSERT_TRUE(VscsiWireGet(VscsiWireCount() - 1, &rec, nullptr, 0));
  EXPECT_EQ(rec.requestStatus, aspi::SS_ABORTED);

  // A device reset ends it too, and the device reports the reset once.
  FillBlock(&srb, 0, 1, kTur, 0, nullptr, 0);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_PENDING);
  uint8_t reset[64] = {aspi::SC_RESET_DEV, 0, 0, 0, 0, 0, 0, 0, 1};
  EXPECT_EQ(VscsiSendCommand(reset), aspi::SS_COMP);
  EXPECT_EQ(srb.SRB_Status, aspi::SS_ABORTED);
  EXPECT_TRUE(In(0, 1, kInquiry, 36).good());  // INQUIRY is spared
  Reply r = None(0, 1, kTur);
  EXPECT_EQ(r.key(), 6);
  EXPECT_EQ(r.asc(), 0x29);
  EXPECT_TRUE(None(0, 1, kTur).good());
  reset[8] = 5;  // nobody there
  EXPECT_EQ(VscsiSendCommand(reset), aspi::SS_ERR);
  EXPECT_EQ(reset[22], aspi::HASTAT_SEL_TO);
}

TEST(AspiFaults, ManagerBusyThenTargetBusy) {
  Configure("adapter 0\ndevice 0:1 generic type=disk\nfault aspibusy 2\nfault busy 3\n");
  VscsiWireClear();
  aspi::SRB_ExecSCSICmd srb;
  FillBlock(&srb, 0, 1, kTur, 0, nullptr, 0);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_ASPI_IS_BUSY);
  EXPECT_EQ(srb.SRB_Status, aspi::SS_ASPI_IS_BUSY);
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_ASPI_IS_BUSY);
  EXPECT_EQ(VscsiWireCount(), 0u);  // the manager never passed them on
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_ERR);
    EXPECT_EQ(srb.SRB_TargStat, aspi::STATUS_BUSY);
  }
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_COMP);
  EXPECT_EQ(VscsiWireCount(), 4u);
}

TEST(AspiFaults, CheckConditionWithSenseForOneOpcodeAfterSomeCommands) {
  Configure("adapter 0\ndevice 0:1 generic type=disk\nfault check 4 0x44 9 op=0x00 after=2\n");
  EXPECT_TRUE(None(0, 1, kTur).good());
  EXPECT_TRUE(In(0, 1, kInquiry, 36).good());
  EXPECT_TRUE(In(0, 1, kInquiry, 36).good());  // wrong opcode
  Reply r = None(0, 1, kTur);
  EXPECT_EQ(r.status, aspi::SS_ERR);
  EXPECT_EQ(r.key(), 4);
  EXPECT_EQ(r.asc(), 0x44);
  EXPECT_EQ(r.ascq(), 9);
  r = In(0, 1, Cdb6(0x03, 0, 0, 0, 18), 18);
  EXPECT_EQ(r.data[12], 0x44);
  EXPECT_TRUE(None(0, 1, kTur).good());
}

TEST(AspiFaults, UnitAttentionOnceSparingInquiry) {
  Configure("adapter 0\ndevice 0:1 generic type=disk\nfault unitattention\n");
  EXPECT_TRUE(In(0, 1, kInquiry, 36).good());
  Reply r = None(0, 1, kTur);
  EXPECT_EQ(r.key(), 6);
  EXPECT_EQ(r.asc(), 0x29);
  EXPECT_TRUE(None(0, 1, kTur).good());
}

TEST(AspiFaults, PostRoutineHearsOfCompletion) {
  Configure("adapter 0\ndevice 0:1 generic type=disk\nfault pending 1\n");
  static void* posted;
  static int calls;
  posted = nullptr;
  calls = 0;
  aspi::SRB_ExecSCSICmd srb;
  FillBlock(&srb, 0, 1, kTur, aspi::SRB_POSTING, nullptr, 0);
  srb.SRB_PostProc = reinterpret_cast<void*>(+[](void* s) {
    posted = s;
    ++calls;
  });
  EXPECT_EQ(VscsiSendCommand(&srb), aspi::SS_PENDING);
  EXPECT_EQ(calls, 0);
  VscsiPoll();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(posted, &srb);
  EXPECT_EQ(srb.SRB_Status, aspi::SS_COMP);
}

}  // namespace
