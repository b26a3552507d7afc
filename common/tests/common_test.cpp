// The shared helpers: byte-order round trips, bounded string copies and the
// sizes of the ASPI request blocks.
#include <gtest/gtest.h>

#include "common/aspi.h"
#include "common/bytes.h"
#include "common/strutil.h"

TEST(Bytes, BigAndLittleEndianRoundTrip) {
  uint8_t b[4];
  wq::PutBE32(b, 0x01020304);
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(b[3], 4);
  EXPECT_EQ(wq::GetBE32(b), 0x01020304u);
  EXPECT_EQ(wq::GetLE32(b), 0x04030201u);
  wq::PutBE24(b, 0xABCDEF);
  EXPECT_EQ(wq::GetBE24(b), 0xABCDEFu);
  wq::PutLE16(b, 0xBEEF);
  EXPECT_EQ(b[0], 0xEF);
  EXPECT_EQ(wq::GetLE16(b), 0xBEEF);
}

TEST(StrUtil, CopyStringTruncatesAndTerminates) {
  char small[4];
  wq::CopyString(small, "KORVA");
  EXPECT_STREQ(small, "KOR");
  wq::CopyString(small, nullptr);
  EXPECT_STREQ(small, "");
  const char field[3] = {'a', 'b', 'c'};
  EXPECT_EQ(wq::FieldLength(field, 3), 3u);
}

TEST(Aspi, SenseAreaHoldsWhatTheLibraryAsksFor) {
  aspi::SRB_ExecSCSICmd srb{};
  EXPECT_GE(sizeof(srb.SenseArea), 18u);
  EXPECT_EQ(sizeof(aspi::SRB_HAInquiry), 60u);
}
