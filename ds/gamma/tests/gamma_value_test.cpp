// The "Gamma:" field's text: the range ends, the user's separator, and
// texts that are no gamma value.
#include <gtest/gtest.h>

#include "ds/gamma/gamma_value.h"

namespace wq {
namespace {

TEST(GammaValueTest, TakesZeroTenToNineNinetyNineInTheUsersSeparator) {
  int v = -1;
  EXPECT_TRUE(ParseGammaValue("0.10", ".", &v));
  EXPECT_EQ(v, 10);
  EXPECT_TRUE(ParseGammaValue("9.99", ".", &v));
  EXPECT_EQ(v, 999);
  EXPECT_TRUE(ParseGammaValue("1,5", ",", &v));
  EXPECT_EQ(v, 150);
  EXPECT_TRUE(ParseGammaValue("2", ".", &v));
  EXPECT_EQ(v, 200);
  v = -1;
  for (const char* bad : {"0.09", "10", "10.00", "-1.00", "", "1.2.3", "1,5", "abc"})
    EXPECT_FALSE(ParseGammaValue(bad, ".", &v)) << bad;
  EXPECT_EQ(v, -1) << "a refused text changed the value";
}

TEST(GammaValueTest, ShowsTwoDecimals) {
  char buf[16];
  FormatGammaValue(100, ".", buf, sizeof buf);
  EXPECT_STREQ(buf, "1.00");
  FormatGammaValue(10, ",", buf, sizeof buf);
  EXPECT_STREQ(buf, "0,10");
}

}  // namespace
}  // namespace wq
