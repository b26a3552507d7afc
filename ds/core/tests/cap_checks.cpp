// The capability checks by group (transfer and format, image quality, geometry,
// feeder and film unit, set and reset), each reply held against the
// configuration's expected values.
#include "ds/core/tests/cap_checks.h"

#include <gtest/gtest.h>

namespace wq::test {

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

void ExpectDone(const Reply& r, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(r.rc, TWRC_SUCCESS) << "condition " << r.cc;
}

void ExpectRefused(const Reply& r, TW_UINT16 cc, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(r.rc, TWRC_FAILURE);
  EXPECT_EQ(r.cc, cc);
  EXPECT_TRUE(r.bytes.empty());
}


void CheckTransferAndFormat(const CapChannel& ch, const Config&) {
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT})
    ExpectOne(ch.Message(msg, CAP_XFERCOUNT), TWTY_INT16, -1, "XFERCOUNT");
  ExpectOne(ch.Message(MSG_GETDEFAULT, CAP_XFERCOUNT), TWTY_INT16, -1, "XFERCOUNT default");
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
    ExpectOne(ch.Message(msg, ICAP_COMPRESSION), TWTY_UINT16, TWCP_NONE, "COMPRESSION");

  ExpectEnum(ch.Message(MSG_GET, ICAP_PIXELTYPE), TWTY_UINT16, {0, 1, 2, 3}, 2, 2, "PIXELTYPE");
  ExpectOne(ch.Message(MSG_GETCURRENT, ICAP_PIXELTYPE), TWTY_UINT16, TWPT_RGB, "PIXELTYPE cur");
  ExpectOne(ch.Message(MSG_GETDEFAULT, ICAP_PIXELTYPE), TWTY_UINT16, TWPT_RGB, "PIXELTYPE def");

  ExpectEnum(ch.Message(MSG_GET, ICAP_UNITS), TWTY_UINT16, {0, 1, 5}, 0, 0, "UNITS");
  ExpectOne(ch.Message(MSG_GETCURRENT, ICAP_UNITS), TWTY_UINT16, 0, "UNITS cur");
  ExpectOne(ch.Message(MSG_GETDEFAULT, ICAP_UNITS), TWTY_UINT16, 0, "UNITS def");

  ExpectEnum(ch.Message(MSG_GET, ICAP_XFERMECH), TWTY_UINT16, {0, 1, 2}, 0, 0, "XFERMECH");
  ExpectOne(ch.Message(MSG_GETCURRENT, ICAP_XFERMECH), TWTY_UINT16, 0, "XFERMECH cur");
  ExpectOne(ch.Message(MSG_GETDEFAULT, ICAP_XFERMECH), TWTY_UINT16, 0, "XFERMECH def");

  ExpectEnum(ch.Message(MSG_GET, ICAP_IMAGEFILEFORMAT), TWTY_UINT16, {TWFF_BMP, TWFF_TIFF}, 0, 0,
             "IMAGEFILEFORMAT");
  ExpectOne(ch.Message(MSG_GETCURRENT, ICAP_IMAGEFILEFORMAT), TWTY_UINT16, TWFF_BMP, "fmt cur");
  ExpectOne(ch.Message(MSG_GETDEFAULT, ICAP_IMAGEFILEFORMAT), TWTY_UINT16, TWFF_BMP, "fmt def");

  const std::vector<int32_t> supported = {
      CAP_XFERCOUNT,          ICAP_COMPRESSION,     ICAP_PIXELTYPE,      ICAP_UNITS,
      ICAP_XFERMECH,          CAP_FEEDERENABLED,    CAP_FEEDERLOADED,    CAP_SUPPORTEDCAPS,
      CAP_AUTOFEED,           CAP_INDICATORS,       ICAP_BRIGHTNESS,     ICAP_CONTRAST,
      ICAP_GAMMA,             ICAP_IMAGEFILEFORMAT, ICAP_LIGHTSOURCE,    ICAP_PHYSICALWIDTH,
      ICAP_PHYSICALHEIGHT,    ICAP_XNATIVERESOLUTION, ICAP_YNATIVERESOLUTION,
      ICAP_XRESOLUTION,       ICAP_YRESOLUTION,     ICAP_LIGHTPATH,      ICAP_PIXELFLAVOR,
      ICAP_SUPPORTEDSIZES,    ICAP_THRESHOLD,       ICAP_XSCALING,       ICAP_YSCALING,
      ICAP_BITDEPTH,          ICAP_PLANARCHUNKY,    ICAP_BITORDER,       CAP_UICONTROLLABLE,
      CAP_DEVICEONLINE};
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT}) {
    Reply r = ch.Message(msg, CAP_SUPPORTEDCAPS);
    ASSERT_EQ(r.rc, TWRC_SUCCESS);
    EXPECT_EQ(r.conType, TWON_ARRAY);
    EXPECT_EQ(r.ItemType(), TWTY_UINT16);
    EXPECT_EQ(r.bytes.size(), 6u + 2 * 32);
    EXPECT_EQ(r.Items(), supported);
  }
  ExpectRefused(ch.Message(MSG_GETDEFAULT, CAP_SUPPORTEDCAPS), TWCC_BADCAP, "SUPPORTEDCAPS def");

  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}) {
    ExpectOne(ch.Message(msg, CAP_INDICATORS), TWTY_BOOL, 1, "INDICATORS");
    ExpectOne(ch.Message(msg, ICAP_PIXELFLAVOR), TWTY_UINT16, TWPF_CHOCOLATE, "PIXELFLAVOR");
    // Full colour at open: eight bits a sample, side by side; line art
    // would have its leftmost pixel in the high bit.
    ExpectOne(ch.Message(msg, ICAP_BITDEPTH), TWTY_UINT16, 8, "BITDEPTH");
    ExpectOne(ch.Message(msg, ICAP_PLANARCHUNKY), TWTY_UINT16, TWPC_CHUNKY, "PLANARCHUNKY");
    ExpectOne(ch.Message(msg, ICAP_BITORDER), TWTY_UINT16, TWBO_MSBFIRST, "BITORDER");
    ExpectOne(ch.Message(msg, CAP_UICONTROLLABLE), TWTY_BOOL, 1, "UICONTROLLABLE");
    ExpectOne(ch.Message(msg, CAP_DEVICEONLINE), TWTY_BOOL, 1, "DEVICEONLINE");
  }
}

void CheckImageQuality(const CapChannel& ch, const Config& c) {
  for (TW_UINT16 cap : {ICAP_BRIGHTNESS, ICAP_CONTRAST}) {
    ExpectRange(ch.Message(MSG_GET, cap), {-1000, 1000, 1, 0, 0}, "level");
    ExpectFix(ch.Message(MSG_GETCURRENT, cap), 0, "level cur");
    ExpectFix(ch.Message(MSG_GETDEFAULT, cap), 0, "level def");
  }
  // The factory threshold setting is -1 until the user chooses one; the
  // application starts from the middle of the range instead.
  ExpectRange(ch.Message(MSG_GET, ICAP_THRESHOLD), {0, 255, 1, 128, 128}, "THRESHOLD");
  ExpectFix(ch.Message(MSG_GETCURRENT, ICAP_THRESHOLD), 128, "THRESHOLD cur");
  ExpectFix(ch.Message(MSG_GETDEFAULT, ICAP_THRESHOLD), 128, "THRESHOLD def");
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
    ExpectFix(ch.Message(msg, ICAP_GAMMA), 2.2, "GAMMA");

  ExpectEnum(ch.Message(MSG_GET, ICAP_LIGHTSOURCE), TWTY_UINT16,
             {TWLS_RED, TWLS_GREEN, TWLS_BLUE, TWLS_WHITE}, 3, 3, "LIGHTSOURCE");
  ExpectOne(ch.Message(MSG_GETCURRENT, ICAP_LIGHTSOURCE), TWTY_UINT16, TWLS_WHITE, "ls cur");
  ExpectOne(ch.Message(MSG_GETDEFAULT, ICAP_LIGHTSOURCE), TWTY_UINT16, TWLS_WHITE, "ls def");

  // From 30 dpi up to M, in factors of N, to 1/100.
  const double lo = (3000 / c.n) / 100.0;
  const double hi = (c.m * 100 / c.n) / 100.0;
  for (TW_UINT16 cap : {ICAP_XSCALING, ICAP_YSCALING}) {
    ExpectRange(ch.Message(MSG_GET, cap), {lo, hi, 0.01, 1.0, 1.0}, "SCALING");
    ExpectFix(ch.Message(MSG_GETCURRENT, cap), 1.0, "SCALING cur");
    ExpectFix(ch.Message(MSG_GETDEFAULT, cap), 1.0, "SCALING def");
  }
}

void CheckGeometry(const CapChannel& ch, const Config& c) {
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}) {
    ExpectFix(ch.Message(msg, ICAP_PHYSICALWIDTH), c.width, "PHYSICALWIDTH");
    ExpectFix(ch.Message(msg, ICAP_PHYSICALHEIGHT), c.length, "PHYSICALHEIGHT");
    ExpectFix(ch.Message(msg, ICAP_XNATIVERESOLUTION), c.n, "XNATIVERESOLUTION");
  }
  ExpectFix(ch.Message(MSG_GET, ICAP_YNATIVERESOLUTION), c.yNativeGet, "YNATIVE get");
  ExpectFix(ch.Message(MSG_GETCURRENT, ICAP_YNATIVERESOLUTION), c.n, "YNATIVE cur");
  ExpectFix(ch.Message(MSG_GETDEFAULT, ICAP_YNATIVERESOLUTION), c.n, "YNATIVE def");
  for (TW_UINT16 cap : {ICAP_XRESOLUTION, ICAP_YRESOLUTION}) {
    ExpectRange(ch.Message(MSG_GET, cap), {30, double(c.m), 1, double(c.n), double(c.resolution)},
                "RESOLUTION");
    ExpectFix(ch.Message(MSG_GETCURRENT, cap), c.resolution, "RESOLUTION cur");
    ExpectFix(ch.Message(MSG_GETDEFAULT, cap), c.n, "RESOLUTION def");
  }

  std::vector<int32_t> sizes(c.sizes.begin(), c.sizes.end());
  uint32_t def = 0;
  while (def < sizes.size() && sizes[def] != c.defaultSize) ++def;
  ASSERT_LT(def, sizes.size());
  ExpectEnum(ch.Message(MSG_GET, ICAP_SUPPORTEDSIZES), TWTY_UINT16, sizes, def, def, "SIZES");
  ExpectOne(ch.Message(MSG_GETCURRENT, ICAP_SUPPORTEDSIZES), TWTY_UINT16, c.reportedSize,
            "SIZES cur");
  ExpectOne(ch.Message(MSG_GETDEFAULT, ICAP_SUPPORTEDSIZES), TWTY_UINT16, c.defaultSize,
            "SIZES def");
}

void CheckFeederAndFilmUnit(const CapChannel& ch, const Config& c) {
  if (c.feeder < 0) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
      ExpectRefused(ch.Message(msg, CAP_FEEDERENABLED), TWCC_BADCAP, "FEEDERENABLED");
  } else {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
      ExpectOne(ch.Message(msg, CAP_FEEDERENABLED), TWTY_UINT16, c.feeder, "FEEDERENABLED");
  }
  if (c.loaded) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
      ExpectOne(ch.Message(msg, CAP_FEEDERLOADED), TWTY_UINT16, 1, "FEEDERLOADED");
    // Auto-feed starts off; its default is on.
    ExpectOne(ch.Message(MSG_GET, CAP_AUTOFEED), TWTY_UINT16, 0, "AUTOFEED");
    ExpectOne(ch.Message(MSG_GETCURRENT, CAP_AUTOFEED), TWTY_UINT16, 0, "AUTOFEED cur");
    ExpectOne(ch.Message(MSG_GETDEFAULT, CAP_AUTOFEED), TWTY_UINT16, 1, "AUTOFEED def");
  } else {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}) {
      ExpectRefused(ch.Message(msg, CAP_FEEDERLOADED), TWCC_BADCAP, "FEEDERLOADED");
      ExpectRefused(ch.Message(msg, CAP_AUTOFEED), TWCC_BADCAP, "AUTOFEED");
    }
  }
  if (c.paths.empty()) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT})
      ExpectRefused(ch.Message(msg, ICAP_LIGHTPATH), TWCC_BADCAP, "LIGHTPATH");
  } else {
    std::vector<int32_t> paths(c.paths.begin(), c.paths.end());
    ExpectEnum(ch.Message(MSG_GET, ICAP_LIGHTPATH), TWTY_UINT16, paths, c.pathIndex, 0,
               "LIGHTPATH");
    ExpectOne(ch.Message(MSG_GETCURRENT, ICAP_LIGHTPATH), TWTY_UINT16, c.pathCurrent, "lp cur");
    ExpectOne(ch.Message(MSG_GETDEFAULT, ICAP_LIGHTPATH), TWTY_UINT16, c.pathDefault, "lp def");
  }
}

void CheckSetAndReset(const CapChannel& ch, const Config& c) {
  auto one = [&ch](TW_UINT16 cap, TW_UINT16 type, uint32_t v) {
    return ch.Set(cap, TWON_ONEVALUE, OneValue(type, v));
  };
  auto current = [&ch](TW_UINT16 cap) { return ch.Message(MSG_GETCURRENT, cap); };
  auto reset = [&ch](TW_UINT16 cap) { return ch.Message(MSG_RESET, cap); };

  // Transfer and format.
  ExpectDone(one(ICAP_COMPRESSION, TWTY_UINT16, TWCP_NONE), "COMPRESSION set");
  ExpectOne(reset(ICAP_COMPRESSION), TWTY_UINT16, TWCP_NONE, "COMPRESSION reset");
  ExpectDone(one(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_BW), "PIXELTYPE set BW");
  ExpectOne(current(ICAP_BITDEPTH), TWTY_UINT16, 1, "BITDEPTH of line art");
  ExpectDone(one(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY), "PIXELTYPE set");
  ExpectOne(current(ICAP_PIXELTYPE), TWTY_UINT16, TWPT_GRAY, "PIXELTYPE after set");
  ExpectOne(current(ICAP_BITDEPTH), TWTY_UINT16, 8, "BITDEPTH of grey");
  ExpectEnum(ch.Message(MSG_GET, ICAP_PIXELTYPE), TWTY_UINT16, {0, 1, 2, 3}, 1, 2, "PIXELTYPE get");
  ExpectOne(reset(ICAP_PIXELTYPE), TWTY_UINT16, TWPT_RGB, "PIXELTYPE reset");
  ExpectOne(current(ICAP_PIXELTYPE), TWTY_UINT16, TWPT_RGB, "PIXELTYPE after reset");
  ExpectDone(ch.Set(ICAP_UNITS, TWON_ENUMERATION, Enumeration(TWTY_INT16, 1, 0, {0, 1, 5})),
             "UNITS set");
  ExpectOne(current(ICAP_UNITS), TWTY_UINT16, TWUN_CENTIMETERS, "UNITS after set");
  ExpectOne(reset(ICAP_UNITS), TWTY_UINT16, TWUN_INCHES, "UNITS reset");
  ExpectOne(current(ICAP_UNITS), TWTY_UINT16, TWUN_INCHES, "UNITS after reset");
  ExpectDone(one(ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY), "XFERMECH set");
  ExpectOne(current(ICAP_XFERMECH), TWTY_UINT16, TWSX_MEMORY, "XFERMECH after set");
  ExpectOne(reset(ICAP_XFERMECH), TWTY_UINT16, TWSX_NATIVE, "XFERMECH reset");
  ExpectDone(one(ICAP_IMAGEFILEFORMAT, TWTY_UINT16, TWFF_TIFF), "IMAGEFILEFORMAT set");
  ExpectOne(current(ICAP_IMAGEFILEFORMAT), TWTY_UINT16, TWFF_TIFF, "fmt after set");
  ExpectOne(reset(ICAP_IMAGEFILEFORMAT), TWTY_UINT16, TWFF_BMP, "fmt reset");
  ExpectOne(current(ICAP_IMAGEFILEFORMAT), TWTY_UINT16, TWFF_BMP, "fmt after reset");
  ExpectRefused(one(CAP_SUPPORTEDCAPS, TWTY_UINT16, 0), TWCC_BADCAP, "SUPPORTEDCAPS set");
  ExpectRefused(reset(CAP_SUPPORTEDCAPS), TWCC_BADCAP, "SUPPORTEDCAPS reset");
  for (TW_UINT16 cap : {ICAP_BITDEPTH, ICAP_PLANARCHUNKY, ICAP_BITORDER, CAP_UICONTROLLABLE,
                        CAP_DEVICEONLINE}) {
    ExpectRefused(one(cap, TWTY_UINT16, 1), TWCC_BADCAP, "read-only set");
    ExpectRefused(reset(cap), TWCC_BADCAP, "read-only reset");
  }
  ExpectDone(one(CAP_INDICATORS, TWTY_BOOL, 0), "INDICATORS set");
  ExpectOne(current(CAP_INDICATORS), TWTY_BOOL, 0, "INDICATORS after set");
  ExpectOne(reset(CAP_INDICATORS), TWTY_BOOL, 1, "INDICATORS reset");
  ExpectDone(one(ICAP_PIXELFLAVOR, TWTY_UINT16, TWPF_VANILLA), "PIXELFLAVOR set");
  ExpectOne(current(ICAP_PIXELFLAVOR), TWTY_UINT16, TWPF_VANILLA, "flavour after set");
  ExpectOne(reset(ICAP_PIXELFLAVOR), TWTY_UINT16, TWPF_CHOCOLATE, "flavour reset");

  // Image quality.
  ExpectDone(one(ICAP_BRIGHTNESS, TWTY_FIX32, Fix(250, 0)), "BRIGHTNESS set");
  ExpectFix(current(ICAP_BRIGHTNESS), 250, "BRIGHTNESS after set");
  ExpectFix(reset(ICAP_BRIGHTNESS), 0, "BRIGHTNESS reset");
  ExpectFix(current(ICAP_BRIGHTNESS), 0, "BRIGHTNESS after reset");
  ExpectDone(ch.Set(ICAP_CONTRAST, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, Fix(-300, 0))),
             "CONTRAST set");
  ExpectFix(current(ICAP_CONTRAST), -300, "CONTRAST after set");
  ExpectFix(reset(ICAP_CONTRAST), 0, "CONTRAST reset");
  ExpectDone(one(ICAP_THRESHOLD, TWTY_FIX32, Fix(300, 0)), "THRESHOLD set");
  ExpectFix(current(ICAP_THRESHOLD), 254, "THRESHOLD after set");
  ExpectFix(reset(ICAP_THRESHOLD), 128, "THRESHOLD reset");
  ExpectFix(current(ICAP_THRESHOLD), 128, "THRESHOLD after reset");
  ExpectDone(one(ICAP_GAMMA, TWTY_FIX32, FixOf(1.8)), "GAMMA set");
  ExpectFix(current(ICAP_GAMMA), 1.8, "GAMMA after set");
  ExpectFix(reset(ICAP_GAMMA), 2.2, "GAMMA reset");
  ExpectFix(current(ICAP_GAMMA), 2.2, "GAMMA after reset");
  ExpectDone(one(ICAP_LIGHTSOURCE, TWTY_UINT16, TWLS_RED), "LIGHTSOURCE set");
  ExpectOne(current(ICAP_LIGHTSOURCE), TWTY_UINT16, TWLS_RED, "LIGHTSOURCE after set");
  ExpectOne(reset(ICAP_LIGHTSOURCE), TWTY_UINT16, TWLS_WHITE, "LIGHTSOURCE reset");
  ExpectOne(current(ICAP_LIGHTSOURCE), TWTY_UINT16, TWLS_WHITE, "LIGHTSOURCE after reset");
  ExpectDone(one(ICAP_XSCALING, TWTY_FIX32, Fix(1, 0x8000)), "XSCALING set");
  ExpectFix(current(ICAP_XSCALING), 1.5, "XSCALING after set");
  ExpectDone(one(ICAP_YSCALING, TWTY_FIX32, Fix(0, 0x8000)), "YSCALING set");
  ExpectFix(current(ICAP_YSCALING), 0.5, "YSCALING after set");
  ExpectFix(current(ICAP_XSCALING), 1.5, "XSCALING kept");
  ExpectFix(reset(ICAP_XSCALING), 1.0, "XSCALING reset");
  ExpectFix(reset(ICAP_YSCALING), 1.0, "YSCALING reset");
  ExpectFix(current(ICAP_YSCALING), 1.0, "YSCALING after reset");

  // Geometry.
  for (TW_UINT16 cap : {ICAP_PHYSICALWIDTH, ICAP_PHYSICALHEIGHT, ICAP_XNATIVERESOLUTION,
                        ICAP_YNATIVERESOLUTION}) {
    ExpectRefused(one(cap, TWTY_FIX32, Fix(1, 0)), TWCC_BADCAP, "read-only set");
    ExpectRefused(reset(cap), TWCC_BADCAP, "read-only reset");
  }
  // 150 dpi is listed for every model: both axes take it.
  ExpectDone(one(ICAP_XRESOLUTION, TWTY_FIX32, Fix(150, 0)), "XRESOLUTION set");
  ExpectFix(current(ICAP_XRESOLUTION), 150, "X after set");
  ExpectFix(current(ICAP_YRESOLUTION), 150, "Y follows a listed X");
  ExpectDone(one(ICAP_YRESOLUTION, TWTY_FIX32, Fix(5000, 0)), "YRESOLUTION set");
  ExpectFix(current(ICAP_YRESOLUTION), c.m, "Y kept to the maximum");
  ExpectFix(reset(ICAP_XRESOLUTION), c.n, "XRESOLUTION reset");
  ExpectFix(current(ICAP_XRESOLUTION), c.n, "X after reset");
  ExpectFix(reset(ICAP_YRESOLUTION), c.n, "YRESOLUTION reset");
  ExpectFix(current(ICAP_YRESOLUTION), c.n, "Y after reset");

  std::vector<int32_t> sizes(c.sizes.begin(), c.sizes.end());
  uint32_t def = 0;
  while (def < sizes.size() && sizes[def] != c.defaultSize) ++def;
  if (sizes.size() > 1) {
    ExpectDone(one(ICAP_SUPPORTEDSIZES, TWTY_UINT16, uint32_t(sizes.back())), "SIZES set");
    ExpectEnum(ch.Message(MSG_GET, ICAP_SUPPORTEDSIZES), TWTY_UINT16, sizes,
               uint32_t(sizes.size() - 1), def, "SIZES after set");
  }
  ExpectRefused(one(ICAP_SUPPORTEDSIZES, TWTY_UINT16, TWSS_NONE), TWCC_BADVALUE, "SIZES none");
  ExpectOne(reset(ICAP_SUPPORTEDSIZES), TWTY_UINT16, c.defaultSize, "SIZES reset");
  ExpectEnum(ch.Message(MSG_GET, ICAP_SUPPORTEDSIZES), TWTY_UINT16, sizes, def, def,
             "SIZES after reset");

  // Film unit.
  if (c.paths.empty()) {
    ExpectRefused(one(ICAP_LIGHTPATH, TWTY_UINT16, TWLP_TRANSMISSIVE), TWCC_BADCAP, "LIGHTPATH");
    ExpectRefused(reset(ICAP_LIGHTPATH), TWCC_BADCAP, "LIGHTPATH reset");
  } else if (c.paths.size() == 1) {
    ExpectRefused(one(ICAP_LIGHTPATH, TWTY_UINT16, TWLP_REFLECTIVE), TWCC_BADCAP, "reflective");
    ExpectDone(one(ICAP_LIGHTPATH, TWTY_UINT16, TWLP_TRANSMISSIVE), "transmissive");
    ExpectOne(current(ICAP_LIGHTPATH), TWTY_UINT16, 1, "LIGHTPATH after set");
    ExpectOne(reset(ICAP_LIGHTPATH), TWTY_UINT16, 1, "LIGHTPATH reset");
  } else {
    ExpectDone(one(ICAP_LIGHTPATH, TWTY_UINT16, TWLP_REFLECTIVE), "reflective");
    ExpectOne(current(ICAP_LIGHTPATH), TWTY_UINT16, 0, "LIGHTPATH reflective");
    ExpectDone(ch.Set(ICAP_LIGHTPATH, TWON_ENUMERATION, Enumeration(TWTY_UINT16, 1, 0, {})),
               "transmissive");
    ExpectOne(current(ICAP_LIGHTPATH), TWTY_UINT16, 1, "LIGHTPATH transmissive");
    ExpectOne(reset(ICAP_LIGHTPATH), TWTY_UINT16, 0, "LIGHTPATH reset");
    ExpectOne(current(ICAP_LIGHTPATH), TWTY_UINT16, 0, "LIGHTPATH after reset");
  }

  // Feeder: auto-feed while it is loaded, then the feeder itself.
  ExpectRefused(one(CAP_FEEDERLOADED, TWTY_UINT16, 1), TWCC_BADCAP, "FEEDERLOADED set");
  ExpectRefused(reset(CAP_FEEDERLOADED), TWCC_BADCAP, "FEEDERLOADED reset");
  if (c.loaded) {
    ExpectDone(one(CAP_AUTOFEED, TWTY_BOOL, 0), "AUTOFEED set");
    ExpectOne(current(CAP_AUTOFEED), TWTY_UINT16, 0, "AUTOFEED after set");
    ExpectOne(reset(CAP_AUTOFEED), TWTY_UINT16, 1, "AUTOFEED reset");
    ExpectOne(current(CAP_AUTOFEED), TWTY_UINT16, 1, "AUTOFEED after reset");
  } else {
    ExpectRefused(one(CAP_AUTOFEED, TWTY_BOOL, 1), TWCC_BADCAP, "AUTOFEED set");
  }
  if (c.feeder < 0) {
    ExpectRefused(one(CAP_FEEDERENABLED, TWTY_BOOL, 1), TWCC_BADCAP, "FEEDERENABLED set");
    ExpectRefused(reset(CAP_FEEDERENABLED), TWCC_BADCAP, "FEEDERENABLED reset");
  } else {
    ExpectDone(one(CAP_FEEDERENABLED, TWTY_BOOL, 1), "feeder on");
    ExpectOne(current(CAP_FEEDERENABLED), TWTY_UINT16, 1, "FEEDERENABLED on");
    ExpectDone(one(CAP_FEEDERENABLED, TWTY_BOOL, 0), "feeder off");
    ExpectOne(current(CAP_FEEDERENABLED), TWTY_UINT16, 0, "FEEDERENABLED off");
    ExpectOne(reset(CAP_FEEDERENABLED), TWTY_UINT16, 0, "FEEDERENABLED reset");
  }

  // The transfer count: one page changes nothing; several turn a feeder on.
  ExpectDone(one(CAP_XFERCOUNT, TWTY_INT16, 1), "XFERCOUNT 1");
  ExpectOne(current(CAP_XFERCOUNT), TWTY_INT16, -1, "XFERCOUNT unchanged");
  ExpectDone(one(CAP_XFERCOUNT, TWTY_INT16, 3), "XFERCOUNT 3");
  ExpectOne(current(CAP_XFERCOUNT), TWTY_INT16, 3, "XFERCOUNT after set");
  if (c.feeder >= 0) ExpectOne(current(CAP_FEEDERENABLED), TWTY_UINT16, 1, "feeder by count");
  ExpectOne(reset(CAP_XFERCOUNT), TWTY_INT16, -1, "XFERCOUNT reset");
  ExpectOne(current(CAP_XFERCOUNT), TWTY_INT16, -1, "XFERCOUNT after reset");
}

}  // namespace wq::test
