// Request outcome to library status, and CDB groups.
#include <gtest/gtest.h>

#include "scanlib/transport.h"

using namespace wqscsi;

TEST(Transport, StatusOfACompletedRequestFollowsTheTargetStatus) {
  EXPECT_EQ(MapRequestStatus(aspi::SS_COMP, 0, aspi::STATUS_GOOD), 0);
  EXPECT_EQ(MapRequestStatus(aspi::SS_COMP, 0, aspi::STATUS_CHKCOND), -18);
  EXPECT_EQ(MapRequestStatus(aspi::SS_COMP, 0, aspi::STATUS_BUSY), -17);
  EXPECT_EQ(MapRequestStatus(aspi::SS_COMP, 0, aspi::STATUS_RESCONF), -36);
  EXPECT_EQ(MapRequestStatus(aspi::SS_COMP, 0, 0x04), -36);
}

TEST(Transport, AnErrorCarryingATargetStatusIsJudgedByThatStatus) {
  EXPECT_EQ(MapRequestStatus(aspi::SS_ERR, 0, aspi::STATUS_CHKCOND), -18);
  EXPECT_EQ(MapRequestStatus(aspi::SS_ERR, 0, aspi::STATUS_BUSY), -17);
  EXPECT_EQ(MapRequestStatus(aspi::SS_ERR, 0, aspi::STATUS_RESCONF), -36);
  EXPECT_EQ(MapRequestStatus(aspi::SS_ERR, aspi::HASTAT_DO_DU, aspi::STATUS_BUSY), -18);
}

TEST(Transport, AnIncompleteRequestIsACheckConditionWhateverTheTargetSaid) {
  EXPECT_EQ(MapRequestStatus(aspi::SS_ERR, 0, aspi::STATUS_GOOD), -18);
  EXPECT_EQ(MapRequestStatus(aspi::SS_PENDING, 0, aspi::STATUS_BUSY), -18);
  EXPECT_EQ(MapRequestStatus(aspi::SS_ABORTED, 0, aspi::STATUS_GOOD), -18);
  EXPECT_EQ(MapRequestStatus(aspi::SS_ASPI_IS_BUSY, 0, aspi::STATUS_GOOD), -18);
  EXPECT_EQ(MapRequestStatus(aspi::SS_COMP, aspi::HASTAT_SEL_TO, aspi::STATUS_GOOD), -18);
}

TEST(Transport, CdbLengthByOpcodeGroup) {
  EXPECT_EQ(CdbLengthForOpcode(0x00), 6);
  EXPECT_EQ(CdbLengthForOpcode(0x1F), 6);
  EXPECT_EQ(CdbLengthForOpcode(0x20), 10);
  EXPECT_EQ(CdbLengthForOpcode(0x5F), 10);
  EXPECT_EQ(CdbLengthForOpcode(0xFF), 10);
  EXPECT_EQ(CdbLengthForOpcode(0x60), 0);
  EXPECT_EQ(CdbLengthForOpcode(0xA8), 0);
}
