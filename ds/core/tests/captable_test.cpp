// Every capability's MSG_GET, MSG_GETCURRENT and MSG_GETDEFAULT reply right
// after the source opened, for each model with no option, with its feeder
// (paper in or not) and with each film-unit type. The expected values are
// written out per configuration from the scanner's data, not computed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ds/core/tests/cap_harness.h"
#include "ds/tests/test_host.h"

namespace wq {
namespace {

using namespace test;

struct Config {
  const char* name;
  const char* model;
  const char* options;
  int n, m;                  // optical and maximum dpi
  double width, length;      // largest area, inches
  std::vector<int> sizes;    // TWSS_ list
  int defaultSize;           // with iMeasure 1 (inches)
  int reportedSize;          // what GETCURRENT reports at open
  int resolution;            // the first-use resolution, dpi
  int yNativeGet;
  int feeder;                // -1: CAP_FEEDERENABLED refused, else its value
  bool loaded;               // CAP_FEEDERLOADED / CAP_AUTOFEED answer
  std::vector<int> paths;    // empty: ICAP_LIGHTPATH refused
  int pathIndex, pathCurrent, pathDefault;
};

constexpr int kNone = TWSS_NONE, kA4 = TWSS_A4LETTER, kB5 = TWSS_B5LETTER,
              kLetter = TWSS_USLETTER, kLegal = TWSS_USLEGAL, kB4 = TWSS_B4;

const Config kConfigs[] = {
    {"WQ140", "WQ140", "", 400, 1600, 8.52, 11.72, {kNone, kA4, kB5, kLetter}, kLetter, kLetter,
     400, 800, -1, false, {}, 0, 0, 0},
    {"WQ140_feeder", "WQ140", "adf=1 sheets=5", 400, 1600, 8.52, 14.00,
     {kNone, kA4, kB5, kLetter, kLegal}, kLetter, kLetter, 400, 800, 1, true, {}, 0, 0, 0},
    {"WQ140_emptyfeeder", "WQ140", "adf=1 sheets=0", 400, 1600, 8.52, 11.72,
     {kNone, kA4, kB5, kLetter}, kLetter, kLetter, 400, 800, 0, false, {}, 0, 0, 0},
    {"WQ140_film", "WQ140", "fsu=1", 400, 1600, 8.52, 11.00, {kNone, kB5, kLetter}, kNone, kNone,
     400, 800, -1, false, {0, 1}, 1, 1, 0},
    {"WQ215", "WQ215", "", 300, 600, 8.52, 11.72, {kNone, kA4, kB5, kLetter}, kLetter, kLetter,
     300, 300, -1, false, {}, 0, 0, 0},
    {"WQ215_film0", "WQ215", "fsu=5", 300, 600, 8.52, 11.00, {kNone, kB5, kLetter}, kLetter,
     kLetter, 300, 300, -1, false, {0, 1}, 1, 1, 0},
    {"WQ215_film1", "WQ215", "fsu=1", 600, 1200, 8.32, 11.00, {kNone, kB5}, kB5, kB5, 600, 600,
     -1, false, {0, 1}, 1, 1, 0},
    {"WQ215_film2", "WQ215", "fsu=2", 1200, 2400, 4.16, 11.00, {kNone}, kNone, kNone, 1200, 1200,
     -1, false, {0, 1}, 1, 1, 0},
    {"WQ220", "WQ220", "", 600, 2400, 8.52, 14.00, {kNone, kA4, kB5, kLetter, kLegal}, kLetter,
     kLetter, 600, 600, -1, false, {}, 0, 0, 0},
    {"WQ220_feeder", "WQ220", "adf=1 sheets=5", 600, 2400, 8.52, 14.00,
     {kNone, kA4, kB5, kLetter, kLegal}, kLetter, kLetter, 600, 600, 1, true, {}, 0, 0, 0},
    {"WQ220_emptyfeeder", "WQ220", "adf=1 sheets=0", 600, 2400, 8.52, 14.00,
     {kNone, kA4, kB5, kLetter, kLegal}, kLetter, kLetter, 600, 600, 0, false, {}, 0, 0, 0},
    {"WQ220_film3", "WQ220", "fsu=3", 600, 1200, 8.32, 11.00, {kNone, kB5}, kB5, kB5, 600, 600,
     -1, false, {0, 1}, 1, 1, 0},
    {"WQ220_film4", "WQ220", "fsu=4", 1200, 2400, 4.16, 11.00, {kNone}, kNone, kNone, 1200, 1200,
     -1, false, {0, 1}, 1, 1, 0},
    {"WQ490", "WQ490", "", 600, 1200, 12.00, 17.00, {kNone, kA4, kB5, kLetter, kLegal, kB4},
     kLetter, kLetter, 600, 600, -1, false, {}, 0, 0, 0},
    {"WQ490_film", "WQ490", "fsu=1", 600, 1200, 12.00, 17.00,
     {kNone, kA4, kB5, kLetter, kLegal, kB4}, kLetter, kLetter, 600, 600, -1, false, {1}, 0, 1,
     1},
};

constexpr double kFixStep = 1.0 / 65536;

void ExpectOne(const Reply& r, TW_UINT16 type, int32_t value, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(r.rc, TWRC_SUCCESS) << "condition " << r.cc;
  EXPECT_EQ(r.conType, TWON_ONEVALUE);
  EXPECT_EQ(r.bytes.size(), 6u);
  EXPECT_EQ(r.ItemType(), type);
  EXPECT_EQ(r.Int(), value);
}

void ExpectFix(const Reply& r, double value, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(r.rc, TWRC_SUCCESS) << "condition " << r.cc;
  EXPECT_EQ(r.conType, TWON_ONEVALUE);
  EXPECT_EQ(r.ItemType(), TWTY_FIX32);
  EXPECT_NEAR(r.Fix(), value, kFixStep);
}

void ExpectRange(const Reply& r, std::vector<double> values, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(r.rc, TWRC_SUCCESS) << "condition " << r.cc;
  EXPECT_EQ(r.conType, TWON_RANGE);
  EXPECT_EQ(r.bytes.size(), 22u);
  EXPECT_EQ(r.ItemType(), TWTY_FIX32);
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(r.RangeValue(i), values[i], kFixStep) << "value " << i;
}

void ExpectEnum(const Reply& r, TW_UINT16 type, std::vector<int32_t> items, uint32_t cur,
                uint32_t def, const char* what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(r.rc, TWRC_SUCCESS) << "condition " << r.cc;
  EXPECT_EQ(r.conType, TWON_ENUMERATION);
  EXPECT_EQ(r.ItemType(), type);
  EXPECT_EQ(r.bytes.size(), 14 + 2 * items.size());
  EXPECT_EQ(r.Items(), items);
  EXPECT_EQ(r.CurrentIndex(), cur);
  EXPECT_EQ(r.DefaultIndex(), def);
}

void ExpectRefused(const Reply& r, TW_UINT16 cc, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(r.rc, TWRC_FAILURE);
  EXPECT_EQ(r.cc, cc);
  EXPECT_TRUE(r.bytes.empty());
}

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

TEST_P(CapTableTest, TransferAndFormat) {
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT})
    ExpectOne(CapMessage(msg, CAP_XFERCOUNT), TWTY_INT16, -1, "XFERCOUNT");
  ExpectOne(CapMessage(MSG_GETDEFAULT, CAP_XFERCOUNT), TWTY_INT16, -1, "XFERCOUNT default");
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
    ExpectOne(CapMessage(msg, ICAP_COMPRESSION), TWTY_UINT16, TWCP_NONE, "COMPRESSION");

  ExpectEnum(CapMessage(MSG_GET, ICAP_PIXELTYPE), TWTY_INT16, {0, 1, 2, 3}, 2, 2, "PIXELTYPE");
  ExpectOne(CapMessage(MSG_GETCURRENT, ICAP_PIXELTYPE), TWTY_UINT16, TWPT_RGB, "PIXELTYPE cur");
  ExpectOne(CapMessage(MSG_GETDEFAULT, ICAP_PIXELTYPE), TWTY_UINT16, TWPT_RGB, "PIXELTYPE def");

  ExpectEnum(CapMessage(MSG_GET, ICAP_UNITS), TWTY_INT16, {0, 1, 5}, 0, 0, "UNITS");
  ExpectOne(CapMessage(MSG_GETCURRENT, ICAP_UNITS), TWTY_UINT16, 0, "UNITS cur");
  ExpectOne(CapMessage(MSG_GETDEFAULT, ICAP_UNITS), TWTY_UINT16, 0, "UNITS def");

  ExpectEnum(CapMessage(MSG_GET, ICAP_XFERMECH), TWTY_INT16, {0, 1, 2}, 0, 0, "XFERMECH");
  ExpectOne(CapMessage(MSG_GETCURRENT, ICAP_XFERMECH), TWTY_UINT16, 0, "XFERMECH cur");
  ExpectOne(CapMessage(MSG_GETDEFAULT, ICAP_XFERMECH), TWTY_UINT16, 0, "XFERMECH def");

  ExpectEnum(CapMessage(MSG_GET, ICAP_IMAGEFILEFORMAT), TWTY_INT16, {TWFF_BMP, TWFF_TIFF}, 0, 0,
             "IMAGEFILEFORMAT");
  ExpectOne(CapMessage(MSG_GETCURRENT, ICAP_IMAGEFILEFORMAT), TWTY_UINT16, TWFF_BMP, "fmt cur");
  ExpectOne(CapMessage(MSG_GETDEFAULT, ICAP_IMAGEFILEFORMAT), TWTY_UINT16, TWFF_BMP, "fmt def");

  const std::vector<int32_t> supported = {
      CAP_XFERCOUNT,          ICAP_COMPRESSION,     ICAP_PIXELTYPE,      ICAP_UNITS,
      ICAP_XFERMECH,          CAP_FEEDERENABLED,    CAP_FEEDERLOADED,    CAP_SUPPORTEDCAPS,
      CAP_AUTOFEED,           CAP_INDICATORS,       ICAP_BRIGHTNESS,     ICAP_CONTRAST,
      ICAP_GAMMA,             ICAP_IMAGEFILEFORMAT, ICAP_LIGHTSOURCE,    ICAP_PHYSICALWIDTH,
      ICAP_PHYSICALHEIGHT,    ICAP_XNATIVERESOLUTION, ICAP_YNATIVERESOLUTION,
      ICAP_XRESOLUTION,       ICAP_YRESOLUTION,     ICAP_LIGHTPATH,      ICAP_PIXELFLAVOR,
      ICAP_SUPPORTEDSIZES,    ICAP_THRESHOLD,       ICAP_XSCALING,       ICAP_YSCALING};
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT}) {
    Reply r = CapMessage(msg, CAP_SUPPORTEDCAPS);
    ASSERT_EQ(r.rc, TWRC_SUCCESS);
    EXPECT_EQ(r.conType, TWON_ARRAY);
    EXPECT_EQ(r.ItemType(), TWTY_UINT16);
    EXPECT_EQ(r.bytes.size(), 6u + 2 * 27);
    EXPECT_EQ(r.Items(), supported);
  }
  ExpectRefused(CapMessage(MSG_GETDEFAULT, CAP_SUPPORTEDCAPS), TWCC_BADCAP, "SUPPORTEDCAPS def");

  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}) {
    ExpectOne(CapMessage(msg, CAP_INDICATORS), TWTY_BOOL, 1, "INDICATORS");
    ExpectOne(CapMessage(msg, ICAP_PIXELFLAVOR), TWTY_UINT16, TWPF_CHOCOLATE, "PIXELFLAVOR");
  }
}

TEST_P(CapTableTest, ImageQuality) {
  const Config& c = GetParam();
  for (TW_UINT16 cap : {ICAP_BRIGHTNESS, ICAP_CONTRAST}) {
    ExpectRange(CapMessage(MSG_GET, cap), {-1000, 1000, 1, 0, 0}, "level");
    ExpectFix(CapMessage(MSG_GETCURRENT, cap), 0, "level cur");
    ExpectFix(CapMessage(MSG_GETDEFAULT, cap), 0, "level def");
  }
  // The factory threshold setting is -1 until the user chooses one.
  ExpectRange(CapMessage(MSG_GET, ICAP_THRESHOLD), {0, 255, 1, 128, -1}, "THRESHOLD");
  ExpectFix(CapMessage(MSG_GETCURRENT, ICAP_THRESHOLD), -1, "THRESHOLD cur");
  ExpectFix(CapMessage(MSG_GETDEFAULT, ICAP_THRESHOLD), 128, "THRESHOLD def");
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
    ExpectFix(CapMessage(msg, ICAP_GAMMA), 2.2, "GAMMA");

  ExpectEnum(CapMessage(MSG_GET, ICAP_LIGHTSOURCE), TWTY_INT16,
             {TWLS_RED, TWLS_GREEN, TWLS_BLUE, TWLS_WHITE}, 3, 3, "LIGHTSOURCE");
  ExpectOne(CapMessage(MSG_GETCURRENT, ICAP_LIGHTSOURCE), TWTY_UINT16, TWLS_WHITE, "ls cur");
  ExpectOne(CapMessage(MSG_GETDEFAULT, ICAP_LIGHTSOURCE), TWTY_UINT16, TWLS_WHITE, "ls def");

  // From 30 dpi up to M, in factors of N, to 1/100.
  const double lo = (3000 / c.n) / 100.0;
  const double hi = (c.m * 100 / c.n) / 100.0;
  for (TW_UINT16 cap : {ICAP_XSCALING, ICAP_YSCALING}) {
    ExpectRange(CapMessage(MSG_GET, cap), {lo, hi, 0.01, 1.0, 1.0}, "SCALING");
    ExpectFix(CapMessage(MSG_GETCURRENT, cap), 1.0, "SCALING cur");
    ExpectFix(CapMessage(MSG_GETDEFAULT, cap), 1.0, "SCALING def");
  }
}

TEST_P(CapTableTest, Geometry) {
  const Config& c = GetParam();
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}) {
    ExpectFix(CapMessage(msg, ICAP_PHYSICALWIDTH), c.width, "PHYSICALWIDTH");
    ExpectFix(CapMessage(msg, ICAP_PHYSICALHEIGHT), c.length, "PHYSICALHEIGHT");
    ExpectFix(CapMessage(msg, ICAP_XNATIVERESOLUTION), c.n, "XNATIVERESOLUTION");
  }
  ExpectFix(CapMessage(MSG_GET, ICAP_YNATIVERESOLUTION), c.yNativeGet, "YNATIVE get");
  ExpectFix(CapMessage(MSG_GETCURRENT, ICAP_YNATIVERESOLUTION), c.n, "YNATIVE cur");
  ExpectFix(CapMessage(MSG_GETDEFAULT, ICAP_YNATIVERESOLUTION), c.n, "YNATIVE def");
  for (TW_UINT16 cap : {ICAP_XRESOLUTION, ICAP_YRESOLUTION}) {
    ExpectRange(CapMessage(MSG_GET, cap), {30, double(c.m), 1, double(c.n), double(c.resolution)},
                "RESOLUTION");
    ExpectFix(CapMessage(MSG_GETCURRENT, cap), c.resolution, "RESOLUTION cur");
    ExpectFix(CapMessage(MSG_GETDEFAULT, cap), c.n, "RESOLUTION def");
  }

  std::vector<int32_t> sizes(c.sizes.begin(), c.sizes.end());
  uint32_t def = 0;
  while (def < sizes.size() && sizes[def] != c.defaultSize) ++def;
  ASSERT_LT(def, sizes.size());
  ExpectEnum(CapMessage(MSG_GET, ICAP_SUPPORTEDSIZES), TWTY_INT16, sizes, def, def, "SIZES");
  ExpectOne(CapMessage(MSG_GETCURRENT, ICAP_SUPPORTEDSIZES), TWTY_UINT16, c.reportedSize,
            "SIZES cur");
  ExpectOne(CapMessage(MSG_GETDEFAULT, ICAP_SUPPORTEDSIZES), TWTY_UINT16, c.defaultSize,
            "SIZES def");
}

TEST_P(CapTableTest, FeederAndFilmUnit) {
  const Config& c = GetParam();
  if (c.feeder < 0) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
      ExpectRefused(CapMessage(msg, CAP_FEEDERENABLED), TWCC_BADCAP, "FEEDERENABLED");
  } else {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
      ExpectOne(CapMessage(msg, CAP_FEEDERENABLED), TWTY_UINT16, c.feeder, "FEEDERENABLED");
  }
  if (c.loaded) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
      ExpectOne(CapMessage(msg, CAP_FEEDERLOADED), TWTY_UINT16, 1, "FEEDERLOADED");
    // Auto-feed starts off; its default is on.
    ExpectOne(CapMessage(MSG_GET, CAP_AUTOFEED), TWTY_UINT16, 0, "AUTOFEED");
    ExpectOne(CapMessage(MSG_GETCURRENT, CAP_AUTOFEED), TWTY_UINT16, 0, "AUTOFEED cur");
    ExpectOne(CapMessage(MSG_GETDEFAULT, CAP_AUTOFEED), TWTY_UINT16, 1, "AUTOFEED def");
  } else {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}) {
      ExpectRefused(CapMessage(msg, CAP_FEEDERLOADED), TWCC_BADCAP, "FEEDERLOADED");
      ExpectRefused(CapMessage(msg, CAP_AUTOFEED), TWCC_BADCAP, "AUTOFEED");
    }
  }
  if (c.paths.empty()) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
      ExpectRefused(CapMessage(msg, ICAP_LIGHTPATH), TWCC_BADCAP, "LIGHTPATH");
  } else {
    std::vector<int32_t> paths(c.paths.begin(), c.paths.end());
    ExpectEnum(CapMessage(MSG_GET, ICAP_LIGHTPATH), TWTY_UINT16, paths, c.pathIndex, 0,
               "LIGHTPATH");
    ExpectOne(CapMessage(MSG_GETCURRENT, ICAP_LIGHTPATH), TWTY_UINT16, c.pathCurrent, "lp cur");
    ExpectOne(CapMessage(MSG_GETDEFAULT, ICAP_LIGHTPATH), TWTY_UINT16, c.pathDefault, "lp def");
  }
}

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
  ExpectEnum(CapMessage(MSG_GET, ICAP_UNITS), TWTY_INT16, {0, 1, 5}, 2, 0, "units enum");
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
  ExpectEnum(CapMessage(MSG_GET, ICAP_SUPPORTEDSIZES), TWTY_INT16, {0, 1, 2, 3, 4, 6}, 1, 1,
             "A4 current");
}

}  // namespace
}  // namespace wq
