// Every capability's MSG_GET, MSG_GETCURRENT and MSG_GETDEFAULT reply right
// after the source opened, and its MSG_SET and MSG_RESET, for each model with
// no option, with its feeder (paper in or not) and with each film-unit type.
// The expected values are written out per configuration from the scanner's
// data, not computed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ds/core/tests/cap_harness.h"
#include "ds/tests/test_host.h"

namespace wq {
namespace {

using namespace test;

class CapTableTest : public ::testing::TestWithParam<Config> {
 protected:
  void SetUp() override {
    ResetDataSource();
    UseFakeGlobalMemory();
    ASSERT_EQ(OpenSource(ScannerBus(GetParam().model, GetParam().options)), TWRC_SUCCESS);
  }
  void TearDown() override {
    CloseSource();
    // Every block went back: the replies were freed by the test, nothing
    // else was left behind.
    EXPECT_EQ(LiveBlocks(), 0u);
    EXPECT_EQ(g_FakeMemory.badHandles, 0);
    ShutDownDataSource();
  }
};

TEST_P(CapTableTest, TransferAndFormat) { CheckTransferAndFormat(kNative, GetParam()); }
TEST_P(CapTableTest, ImageQuality) { CheckImageQuality(kNative, GetParam()); }
TEST_P(CapTableTest, Geometry) { CheckGeometry(kNative, GetParam()); }
TEST_P(CapTableTest, FeederAndFilmUnit) { CheckFeederAndFilmUnit(kNative, GetParam()); }
TEST_P(CapTableTest, SetAndReset) { CheckSetAndReset(kNative, GetParam()); }

INSTANTIATE_TEST_SUITE_P(Scanners, CapTableTest, ::testing::ValuesIn(kConfigs),
                         [](const ::testing::TestParamInfo<Config>& info) {
                           return std::string(info.param.name);
                         });

// The same replies in the other two units, and the metric default paper.
class CapUnitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDataSource();
    UseFakeGlobalMemory();
  }
  void TearDown() override {
    CloseSource();
    ShutDownDataSource();
  }
};

TEST_F(CapUnitsTest, CentimetresAndPixels) {
  ASSERT_EQ(OpenSource(ScannerBus("WQ220")), TWRC_SUCCESS);
  ASSERT_EQ(CapSetOne(ICAP_UNITS, TWTY_UINT16, TWUN_CENTIMETERS).rc, TWRC_SUCCESS);
  ExpectFix(CapMessage(MSG_GET, ICAP_PHYSICALWIDTH), 8.52 * 2.54, "width cm");
  ExpectFix(CapMessage(MSG_GET, ICAP_PHYSICALHEIGHT), 14.00 * 2.54, "height cm");
  ExpectFix(CapMessage(MSG_GET, ICAP_XNATIVERESOLUTION), 600 / 2.54, "native cm");
  ExpectRange(CapMessage(MSG_GET, ICAP_XRESOLUTION),
              {30 / 2.54, 2400 / 2.54, 1 / 2.54, 600 / 2.54, 600 / 2.54}, "resolution cm");
  ExpectFix(CapMessage(MSG_GETCURRENT, ICAP_YRESOLUTION), 600 / 2.54, "current cm");

  ASSERT_EQ(CapSetOne(ICAP_UNITS, TWTY_UINT16, TWUN_PIXELS).rc, TWRC_SUCCESS);
  ExpectOne(CapMessage(MSG_GETCURRENT, ICAP_UNITS), TWTY_UINT16, TWUN_PIXELS, "units");
  ExpectEnum(CapMessage(MSG_GET, ICAP_UNITS), TWTY_UINT16, {0, 1, 5}, 2, 0, "units enum");
  // Lengths in pixels at the current final resolution, resolutions 1.
  ExpectFix(CapMessage(MSG_GET, ICAP_PHYSICALWIDTH), 8.52 * 600, "width px");
  ExpectFix(CapMessage(MSG_GET, ICAP_PHYSICALHEIGHT), 14.00 * 600, "height px");
  ExpectFix(CapMessage(MSG_GET, ICAP_XNATIVERESOLUTION), 1, "native px");
  ExpectRange(CapMessage(MSG_GET, ICAP_XRESOLUTION), {1, 1, 0, 1, 1}, "resolution px");
  ExpectFix(CapMessage(MSG_GETCURRENT, ICAP_XRESOLUTION), 1, "current px");
  ExpectFix(CapMessage(MSG_GETDEFAULT, ICAP_XRESOLUTION), 1, "default px");
  // After a resolution change the pixel lengths follow it.
  ASSERT_EQ(CapSetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(300, 0)).rc, TWRC_SUCCESS);
  ExpectFix(CapMessage(MSG_GET, ICAP_PHYSICALWIDTH), 8.52 * 300, "width px at 300");
}

TEST_F(CapUnitsTest, MetricSystemsStartWithTheirPaper) {
  g_TestHost.env.Measure = 0;
  ASSERT_EQ(OpenSource(ScannerBus("WQ215", "fsu=5")), TWRC_SUCCESS);
  ExpectOne(CapMessage(MSG_GETDEFAULT, ICAP_SUPPORTEDSIZES), TWTY_UINT16, TWSS_B5LETTER, "B5");
  CloseSource();
  ASSERT_EQ(OpenSource(ScannerBus("WQ490")), TWRC_SUCCESS);
  ExpectOne(CapMessage(MSG_GETDEFAULT, ICAP_SUPPORTEDSIZES), TWTY_UINT16, TWSS_A4LETTER, "A4");
  ExpectEnum(CapMessage(MSG_GET, ICAP_SUPPORTEDSIZES), TWTY_UINT16, {0, 1, 2, 3, 4, 6}, 1, 1,
             "A4 current");
}

}  // namespace
}  // namespace wq
