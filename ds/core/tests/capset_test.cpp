// MSG_SET and MSG_RESET of the capabilities, the message and state rules,
// the application's containers that cannot be trusted, memory failures, the
// refresh from the window's settings and what outlives a session.
#include <gtest/gtest.h>

#include <string>

#include "ds/core/capcall.h"
#include "ds/core/dsentry.h"
#include "ds/core/session.h"
#include "ds/core/tests/cap_harness.h"
#include "ds/scan/scanjob.h"
#include "ds/tests/memory_profile.h"
#include "ds/tests/test_host.h"
#include "ds/settings/settings.h"
#include "vscsi/vscsi.h"

namespace wq {
namespace {

using namespace test;

constexpr double kStep = 1.0 / 65536;

class CapSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDataSource();
    UseFakeGlobalMemory();
  }
  void TearDown() override {
    CloseSource();
    EXPECT_EQ(LiveBlocks(), 0u) << "a block was left behind";
    EXPECT_EQ(LockedBlocks(), 0) << "a block was left locked";
    ShutDownDataSource();
  }
  void Open(const char* model, const char* options = "") {
    ASSERT_EQ(OpenSource(ScannerBus(model, options)), TWRC_SUCCESS);
  }
  TW_UINT16 Enable(bool showUI) {
    TW_USERINTERFACE ui{};
    ui.ShowUI = showUI;
    g_TestHost.windowCreated = true;
    TW_IDENTITY app = AppIdentity(7);
    return DsEntryProc(&app, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
  }
  TW_UINT16 Disable() {
    TW_USERINTERFACE ui{};
    ui.ShowUI = 1;
    TW_IDENTITY app = AppIdentity(7);
    return DsEntryProc(&app, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
  }
  static int32_t Current(TW_UINT16 cap) { return CapMessage(MSG_GETCURRENT, cap).Int(); }
  static double CurrentReal(TW_UINT16 cap) { return CapMessage(MSG_GETCURRENT, cap).Fix(); }
  static TW_UINT16 SetCode(const Reply& r) { return r.rc == TWRC_SUCCESS ? TWCC_SUCCESS : r.cc; }
  ScanSettings& S() { return *g_Settings; }
};

// ---------------------------------------------------------------------------
// Messages, states and containers

TEST_F(CapSetTest, MessagesOutsideTheTableAndStatesAreRefused) {
  // Before the open every message is out of sequence, unknown ones aside.
  EXPECT_EQ(CapMessage(MSG_GET, ICAP_XRESOLUTION).cc, TWCC_SEQERROR);
  EXPECT_EQ(CapMessage(MSG_QUERYSUPPORT, ICAP_XRESOLUTION).cc, TWCC_BADPROTOCOL);
  Open("WQ140");
  for (TW_UINT16 msg : {MSG_QUERYSUPPORT, MSG_GETFIRST, MSG_GETNEXT, MSG_ENDXFER})
    EXPECT_EQ(CapMessage(msg, ICAP_XRESOLUTION).cc, TWCC_BADPROTOCOL) << msg;
  // Not supported, or not for this message.
  EXPECT_EQ(CapMessage(MSG_GET, ICAP_ROTATION).cc, TWCC_BADCAP);
  EXPECT_EQ(CapMessage(MSG_RESET, CAP_SUPPORTEDCAPS).cc, TWCC_BADCAP);
  EXPECT_EQ(CapSetOne(CAP_SUPPORTEDCAPS, TWTY_UINT16, 0).cc, TWCC_BADCAP);
  EXPECT_EQ(CapSetOne(ICAP_PHYSICALWIDTH, TWTY_FIX32, Fix(5, 0)).cc, TWCC_BADCAP);
  EXPECT_EQ(CapMessage(MSG_RESET, CAP_FEEDERLOADED).cc, TWCC_BADCAP);
  // No TW_CAPABILITY at all.
  TW_IDENTITY app = AppIdentity(7);
  EXPECT_EQ(DsEntryProc(&app, DG_CONTROL, DAT_CAPABILITY, MSG_GET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(StatusCode(), TWCC_BADVALUE);

  // Enabled with the window: reading goes on, changing is out of sequence,
  // whether the capability is supported or not.
  ASSERT_EQ(Enable(true), TWRC_SUCCESS);
  ASSERT_EQ(g_Session.State, 5);
  EXPECT_EQ(CapMessage(MSG_GET, ICAP_PIXELTYPE).rc, TWRC_SUCCESS);
  EXPECT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY).cc, TWCC_SEQERROR);
  EXPECT_EQ(CapSetOne(ICAP_ROTATION, TWTY_FIX32, 0).cc, TWCC_SEQERROR);
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_PIXELTYPE).cc, TWCC_SEQERROR);
  EXPECT_EQ(S().Mode, 6);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  // Transfer ready without the window.
  ASSERT_EQ(Enable(false), TWRC_SUCCESS);
  ASSERT_EQ(g_Session.State, 6);
  EXPECT_EQ(CapMessage(MSG_GETDEFAULT, ICAP_UNITS).rc, TWRC_SUCCESS);
  EXPECT_EQ(CapSetOne(ICAP_UNITS, TWTY_UINT16, 1).cc, TWCC_SEQERROR);
}

TEST_F(CapSetTest, ContainersThatCannotBeTrustedAreRefusedUntouched) {
  Open("WQ140");
  TW_IDENTITY app = AppIdentity(7);
  auto set = [&app](void* handle, TW_UINT16 conType) {
    TW_CAPABILITY cap{};
    cap.Cap = ICAP_UNITS;
    cap.ConType = conType;
    cap.hContainer = handle;
    TW_UINT16 rc = DsEntryProc(&app, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap);
    return rc == TWRC_SUCCESS ? TW_UINT16(TWCC_SUCCESS) : StatusCode();
  };
  EXPECT_EQ(set(nullptr, TWON_ONEVALUE), TWCC_BADVALUE);
  // A handle that is no block at all.
  int notABlock = 0;
  EXPECT_EQ(set(&notABlock, TWON_ONEVALUE), TWCC_BADVALUE);
  EXPECT_EQ(g_FakeMemory.badHandles, 1);
  g_FakeMemory.badHandles = 0;

  struct Case {
    TW_UINT16 conType;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> shortOne = OneValue(TWTY_UINT16, 1);
  shortOne.pop_back();
  std::vector<uint8_t> tooMany = Enumeration(TWTY_UINT16, 1, 0, {0, 1, 5});
  tooMany[2] = 4;  // four items in a block that holds three
  std::vector<uint8_t> huge = Enumeration(TWTY_INT16, 1, 0, {0});
  huge[5] = 0x80;  // 2^31 items
  const Case cases[] = {{TWON_ONEVALUE, shortOne},
                        {TWON_ONEVALUE, {}},
                        {TWON_ENUMERATION, tooMany},
                        {TWON_ENUMERATION, huge},
                        {TWON_ENUMERATION, std::vector<uint8_t>(13, 0)}};
  for (const Case& c : cases) {
    void* h = NewBlock(c.bytes);
    EXPECT_EQ(set(h, c.conType), TWCC_BADVALUE) << c.bytes.size();
    FreeBlock(h);
  }
  // A block that cannot be locked.
  void* h = NewBlock(OneValue(TWTY_UINT16, 1));
  g_FakeMemory.failLocks = true;
  EXPECT_EQ(set(h, TWON_ONEVALUE), TWCC_BADVALUE);
  g_FakeMemory.failLocks = false;
  FreeBlock(h);
  EXPECT_EQ(g_Session.TwUnits, TWUN_INCHES);
  EXPECT_EQ(g_FakeMemory.badHandles, 0);
  // The well-formed container is taken; its block stays the application's.
  void* good = NewBlock(Enumeration(TWTY_UINT16, 1, 0, {0, 1, 5}));
  EXPECT_EQ(set(good, TWON_ENUMERATION), TWCC_SUCCESS);
  EXPECT_EQ(BlockBytes(good).size(), 20u);
  FreeBlock(good);
  EXPECT_EQ(g_Session.TwUnits, TWUN_CENTIMETERS);
}

TEST_F(CapSetTest, EnumerationIndexSelectsFromTheSourcesOwnListOnly) {
  Open("WQ140");
  // Index 2 of the source's list is RGB, whatever the application listed.
  S().Mode = 3;
  Reply r = CapSet(ICAP_PIXELTYPE, TWON_ENUMERATION,
                   Enumeration(TWTY_UINT16, 2, 0, {TWPT_BW, TWPT_BW, TWPT_BW}));
  EXPECT_EQ(r.rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Mode, 6);
  // An index past the source's four types selects nothing, even when the
  // application's own list is that long.
  r = CapSet(ICAP_PIXELTYPE, TWON_ENUMERATION, Enumeration(TWTY_UINT16, 4, 0, {0, 1, 2, 3, 1}));
  EXPECT_EQ(r.cc, TWCC_BADVALUE);
  r = CapSet(ICAP_PIXELTYPE, TWON_ENUMERATION, Enumeration(TWTY_UINT16, 0xFFFFFFFF, 0, {}));
  EXPECT_EQ(r.cc, TWCC_BADVALUE);
  EXPECT_EQ(S().Mode, 6);
  for (TW_UINT16 cap : {ICAP_UNITS, ICAP_XFERMECH, ICAP_IMAGEFILEFORMAT, ICAP_LIGHTSOURCE})
    EXPECT_EQ(CapSet(cap, TWON_ENUMERATION, Enumeration(TWTY_UINT16, 7, 0, {})).cc, TWCC_BADVALUE)
        << cap;
}

TEST_F(CapSetTest, AReplyThatCannotBeAllocatedIsLowMemoryAndChangesNothing) {
  Open("WQ140");
  ASSERT_EQ(CapSetOne(ICAP_UNITS, TWTY_UINT16, TWUN_CENTIMETERS).rc, TWRC_SUCCESS);
  TW_IDENTITY app = AppIdentity(7);
  TW_CAPABILITY cap{};
  cap.Cap = ICAP_UNITS;
  cap.ConType = TWON_DONTCARE16;
  g_FakeMemory.failAllocs = -1;
  EXPECT_EQ(DsEntryProc(&app, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &cap), TWRC_FAILURE);
  EXPECT_EQ(StatusCode(), TWCC_LOWMEMORY);
  void* untouched = cap.hContainer;  // a packed field: read by value
  EXPECT_EQ(untouched, nullptr);
  EXPECT_EQ(cap.ConType, TWON_DONTCARE16);
  // The reset's reply block is had before the reset is made.
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_UNITS).cc, TWCC_LOWMEMORY);
  g_FakeMemory.failAllocs = 0;
  EXPECT_EQ(Current(ICAP_UNITS), TWUN_CENTIMETERS);
  // A block that was had but cannot be locked goes back.
  g_FakeMemory.failLocks = true;
  EXPECT_EQ(CapMessage(MSG_GETCURRENT, ICAP_UNITS).cc, TWCC_LOWMEMORY);
  g_FakeMemory.failLocks = false;
  EXPECT_EQ(LiveBlocks(), 0u);
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_UNITS).rc, TWRC_SUCCESS);
  EXPECT_EQ(Current(ICAP_UNITS), TWUN_INCHES);
}

// ---------------------------------------------------------------------------
// Transfer and format

TEST_F(CapSetTest, TransferCount) {
  Open("WQ140");
  EXPECT_EQ(CapSetOne(CAP_XFERCOUNT, TWTY_INT16, 0).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSetOne(CAP_XFERCOUNT, TWTY_INT16, 1).rc, TWRC_SUCCESS);
  EXPECT_EQ(Current(CAP_XFERCOUNT), -1);
  EXPECT_EQ(CapSetOne(CAP_XFERCOUNT, TWTY_INT16, uint16_t(-5)).rc, TWRC_SUCCESS);
  EXPECT_EQ(Current(CAP_XFERCOUNT), -1);
  EXPECT_EQ(CapSetOne(CAP_XFERCOUNT, TWTY_INT16, 4).rc, TWRC_SUCCESS);
  EXPECT_EQ(Current(CAP_XFERCOUNT), 4);
  // Without a feeder nothing else changes.
  EXPECT_FALSE(g_Session.FeederLoaded);
  EXPECT_EQ(S().ADF, 0);
  // A count too large for the record is kept at its largest.
  EXPECT_EQ(CapSetOne(CAP_XFERCOUNT, TWTY_INT32, 100000).rc, TWRC_SUCCESS);
  EXPECT_EQ(Current(CAP_XFERCOUNT), 32767);
  EXPECT_EQ(CapSet(CAP_XFERCOUNT, TWON_ENUMERATION, Enumeration(TWTY_INT16, 0, 0, {2})).cc,
            TWCC_BADCAP);
  Reply r = CapMessage(MSG_RESET, CAP_XFERCOUNT);
  EXPECT_EQ(r.ItemType(), TWTY_INT16);
  EXPECT_EQ(r.Int(), -1);
  EXPECT_EQ(Current(CAP_XFERCOUNT), -1);
}

TEST_F(CapSetTest, TransferCountSwitchesTheFeederOnButNotTheArea) {
  Open("WQ140", "adf=1 sheets=0");
  ASSERT_FALSE(g_Session.FeederLoaded);
  const int32_t height = S().AreaHeight;
  EXPECT_EQ(CapSetOne(CAP_XFERCOUNT, TWTY_INT16, 3).rc, TWRC_SUCCESS);
  EXPECT_TRUE(g_Session.FeederLoaded);
  EXPECT_TRUE(g_Session.AutoFeed);
  EXPECT_TRUE(g_Session.FeederSetByApp);
  EXPECT_EQ(S().ADF, 1);
  EXPECT_EQ(S().AreaHeight, height);
  EXPECT_EQ(Current(CAP_AUTOFEED), 1);
}

TEST_F(CapSetTest, CompressionIsNoneOnly) {
  Open("WQ220");
  EXPECT_EQ(CapSetOne(ICAP_COMPRESSION, TWTY_UINT16, TWCP_NONE).rc, TWRC_SUCCESS);
  EXPECT_EQ(CapSetOne(ICAP_COMPRESSION, TWTY_UINT16, TWCP_PACKBITS).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSet(ICAP_COMPRESSION, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, 0)).cc,
            TWCC_BADCAP);
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_COMPRESSION).Int(), TWCP_NONE);
}

TEST_F(CapSetTest, PixelTypeChoosesTheModeAndTheRowSize) {
  Open("WQ140");
  const uint32_t width = g_Session.Geometry.ImageWidth;
  ASSERT_GT(width, 0u);
  EXPECT_EQ(g_Session.Geometry.RowBytes, 3 * width);
  EXPECT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Mode, 3);
  EXPECT_EQ(g_Session.Geometry.RowBytes, width);
  EXPECT_EQ(Current(ICAP_PIXELTYPE), TWPT_GRAY);
  EXPECT_EQ(CapMessage(MSG_GET, ICAP_PIXELTYPE).CurrentIndex(), 1u);
  // The template keeps the index between calls.
  EXPECT_EQ(g_CapTemplates.PixelType.CurrentIndex, 1u);
  EXPECT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_BW).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Mode, 0x101);
  EXPECT_EQ(g_Session.Geometry.RowBytes, (width + 7) / 8);
  EXPECT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_PALETTE).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Mode, 4);
  // Only the low four bits count: 0x12 is RGB.
  EXPECT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, 0x12).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Mode, 6);
  EXPECT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_CMYK).cc, TWCC_BADCAP);
  EXPECT_EQ(CapSet(ICAP_PIXELTYPE, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, 0)).cc, TWCC_BADCAP);
  EXPECT_EQ(S().Mode, 6);
  S().Mode = 3;
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_PIXELTYPE).Int(), TWPT_RGB);
  EXPECT_EQ(S().Mode, 6);
}

TEST_F(CapSetTest, PixelTypeKeepsTheWindowsFinerChoice) {
  Open("WQ140");
  ASSERT_EQ(Enable(true), TWRC_SUCCESS);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);  // state 4, the window was shown
  S().Mode = 0x301;                    // black and white by a dither
  EXPECT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_BW).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Mode, 0x301);
  S().Mode = 2;
  EXPECT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_PALETTE).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Mode, 2);
  S().Mode = 0x301;
  EXPECT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_PALETTE).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Mode, 4);
}

TEST_F(CapSetTest, UnitsMechanismFileFormatIndicatorsFlavour) {
  Open("WQ490");
  EXPECT_EQ(CapSetOne(ICAP_UNITS, TWTY_UINT16, 0x11).rc, TWRC_SUCCESS);  // low bits: 1
  EXPECT_EQ(Current(ICAP_UNITS), TWUN_CENTIMETERS);
  EXPECT_EQ(CapSetOne(ICAP_UNITS, TWTY_UINT16, TWUN_POINTS).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSet(ICAP_UNITS, TWON_ENUMERATION, Enumeration(TWTY_INT16, 2, 0, {})).rc,
            TWRC_SUCCESS);
  EXPECT_EQ(Current(ICAP_UNITS), TWUN_PIXELS);

  EXPECT_EQ(CapSetOne(ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.XferMech, TWSX_MEMORY);
  EXPECT_EQ(CapSetOne(ICAP_XFERMECH, TWTY_UINT16, 3).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSetOne(ICAP_XFERMECH, TWTY_UINT16, 0x12).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_XFERMECH).Int(), TWSX_NATIVE);
  EXPECT_EQ(g_Session.XferMech, TWSX_NATIVE);

  // Eight-colour rows are 4 bits a pixel in BMP files and 8 bits in TIFF.
  S().Mode = 0x102;
  EXPECT_EQ(CapSetOne(ICAP_XFERMECH, TWTY_UINT16, TWSX_FILE).rc, TWRC_SUCCESS);
  const uint32_t w = g_Session.Geometry.ImageWidth;
  EXPECT_EQ(g_Session.Geometry.RowBytes, (4 * w + 31) / 32 * 4);
  EXPECT_EQ(CapSetOne(ICAP_IMAGEFILEFORMAT, TWTY_UINT16, TWFF_TIFF).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.FileFormat, TWFF_TIFF);
  EXPECT_EQ(g_Session.Geometry.RowBytes, w);
  EXPECT_EQ(CapMessage(MSG_GET, ICAP_IMAGEFILEFORMAT).CurrentIndex(), 1u);
  EXPECT_EQ(CapSetOne(ICAP_IMAGEFILEFORMAT, TWTY_UINT16, 0x12).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.FileFormat, TWFF_BMP);
  EXPECT_EQ(CapSetOne(ICAP_IMAGEFILEFORMAT, TWTY_UINT16, TWFF_JFIF).cc, TWCC_BADCAP);
  EXPECT_EQ(CapSet(ICAP_IMAGEFILEFORMAT, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, 0)).cc,
            TWCC_BADPROTOCOL);
  EXPECT_EQ(CapSet(ICAP_IMAGEFILEFORMAT, TWON_ENUMERATION, Enumeration(TWTY_INT16, 1, 0, {})).rc,
            TWRC_SUCCESS);
  EXPECT_EQ(g_Session.FileFormat, TWFF_TIFF);
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_IMAGEFILEFORMAT).Int(), TWFF_BMP);

  EXPECT_EQ(CapSetOne(CAP_INDICATORS, TWTY_BOOL, 0).rc, TWRC_SUCCESS);
  EXPECT_EQ(Current(CAP_INDICATORS), 0);
  EXPECT_EQ(CapSet(CAP_INDICATORS, TWON_ENUMERATION, Enumeration(TWTY_BOOL, 0, 0, {1})).cc,
            TWCC_BADCAP);
  Reply r = CapMessage(MSG_RESET, CAP_INDICATORS);
  EXPECT_EQ(r.ItemType(), TWTY_BOOL);
  EXPECT_EQ(r.Int(), 1);

  EXPECT_EQ(CapSetOne(ICAP_PIXELFLAVOR, TWTY_UINT16, TWPF_VANILLA).rc, TWRC_SUCCESS);
  EXPECT_EQ(Current(ICAP_PIXELFLAVOR), TWPF_VANILLA);
  EXPECT_EQ(CapSetOne(ICAP_PIXELFLAVOR, TWTY_UINT16, 2).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSet(ICAP_PIXELFLAVOR, TWON_ENUMERATION, Enumeration(TWTY_UINT16, 0, 0, {0})).cc,
            TWCC_BADPROTOCOL);
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_PIXELFLAVOR).Int(), TWPF_CHOCOLATE);
  EXPECT_EQ(Current(ICAP_PIXELFLAVOR), TWPF_CHOCOLATE);
}

// ---------------------------------------------------------------------------
// Image quality

TEST_F(CapSetTest, BrightnessContrastThresholdAreClamped) {
  Open("WQ215");
  EXPECT_EQ(CapSetOne(ICAP_BRIGHTNESS, TWTY_FIX32, Fix(500, 0x8000)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.TwBrightness, 500);
  EXPECT_EQ(CapSetOne(ICAP_BRIGHTNESS, TWTY_FIX32, Fix(5000, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.TwBrightness, 1000);
  // Whatever the item type says, the item is a TW_FIX32.
  EXPECT_EQ(CapSetOne(ICAP_CONTRAST, TWTY_INT32, Fix(-5000, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.TwContrast, -1000);
  // From a range only the current value's whole part counts.
  EXPECT_EQ(CapSet(ICAP_CONTRAST, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, Fix(-4, 0x8000))).rc,
            TWRC_SUCCESS);
  EXPECT_EQ(g_Session.TwContrast, -4);
  EXPECT_NEAR(CurrentReal(ICAP_CONTRAST), -4, kStep);
  EXPECT_EQ(CapSet(ICAP_BRIGHTNESS, TWON_ENUMERATION, Enumeration(TWTY_FIX32, 0, 0, {})).cc,
            TWCC_BADCAP);
  EXPECT_NEAR(CapMessage(MSG_RESET, ICAP_BRIGHTNESS).Fix(), 0, kStep);
  EXPECT_EQ(g_Session.TwBrightness, 0);
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_CONTRAST).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.TwContrast, 0);

  EXPECT_EQ(CapSetOne(ICAP_THRESHOLD, TWTY_FIX32, Fix(0, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.TwThreshold, 1);
  EXPECT_EQ(CapSetOne(ICAP_THRESHOLD, TWTY_FIX32, Fix(300, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.TwThreshold, 254);
  EXPECT_EQ(CapSetOne(ICAP_THRESHOLD, TWTY_FIX32, Fix(99, 0xFFFF)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.TwThreshold, 100);
  EXPECT_NEAR(CapMessage(MSG_GET, ICAP_THRESHOLD).RangeValue(4), 100, kStep);
  EXPECT_NEAR(CapMessage(MSG_RESET, ICAP_THRESHOLD).Fix(), 128, kStep);
  EXPECT_EQ(g_Session.TwThreshold, 128);
}

TEST_F(CapSetTest, GammaGoesIntoEveryChannelAndResetRestoresThem) {
  Open("WQ220");
  EXPECT_EQ(CapSetOne(ICAP_GAMMA, TWTY_FIX32, FixOf(1.8)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.StoredGamma, 180);
  EXPECT_NEAR(CurrentReal(ICAP_GAMMA), 1.8, kStep);
  EXPECT_EQ(S().Gamma, 3);
  EXPECT_EQ(S().GammaSelect, 3);
  EXPECT_EQ(S().NumericGamma, 180);
  for (int ch = 0; ch < kGammaChannels; ++ch) {
    EXPECT_EQ(S().GammaVal[ch], 180) << ch;
    EXPECT_EQ(S().GammaInput[ch], 1) << ch;
  }
  EXPECT_EQ(CapSetOne(ICAP_GAMMA, TWTY_FIX32, FixOf(0.05)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.StoredGamma, 10);
  EXPECT_EQ(CapSetOne(ICAP_GAMMA, TWTY_FIX32, Fix(20, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.StoredGamma, 999);
  EXPECT_EQ(CapSet(ICAP_GAMMA, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, Fix(2, 0))).cc,
            TWCC_BADCAP);
  EXPECT_EQ(g_Session.StoredGamma, 999);
  // The reset brings the curves back to 2.2 as well, not only the report.
  S().Gamma = 1;
  EXPECT_NEAR(CapMessage(MSG_RESET, ICAP_GAMMA).Fix(), 2.2, kStep);
  EXPECT_EQ(g_Session.StoredGamma, 220);
  EXPECT_EQ(S().Gamma, 3);
  EXPECT_EQ(S().NumericGamma, 220);
  for (int ch = 0; ch < kGammaChannels; ++ch) EXPECT_EQ(S().GammaVal[ch], 220) << ch;
}

TEST_F(CapSetTest, LightSourceIsTheDropOutColour) {
  Open("WQ140");
  const std::pair<uint16_t, int16_t> choices[] = {
      {TWLS_RED, 2}, {TWLS_GREEN, 3}, {TWLS_BLUE, 4}, {TWLS_WHITE, 1}};
  for (auto [light, dropOut] : choices) {
    EXPECT_EQ(CapSetOne(ICAP_LIGHTSOURCE, TWTY_UINT16, light).rc, TWRC_SUCCESS);
    EXPECT_EQ(S().DropOut, dropOut);
    EXPECT_EQ(Current(ICAP_LIGHTSOURCE), light);
  }
  EXPECT_EQ(CapSetOne(ICAP_LIGHTSOURCE, TWTY_UINT16, TWLS_NONE).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSet(ICAP_LIGHTSOURCE, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, 0)).cc,
            TWCC_BADPROTOCOL);
  EXPECT_EQ(CapSet(ICAP_LIGHTSOURCE, TWON_ENUMERATION, Enumeration(TWTY_INT16, 1, 0, {})).rc,
            TWRC_SUCCESS);
  EXPECT_EQ(S().DropOut, 3);
  EXPECT_EQ(CapMessage(MSG_GET, ICAP_LIGHTSOURCE).CurrentIndex(), 1u);
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_LIGHTSOURCE).Int(), TWLS_WHITE);
  EXPECT_EQ(S().DropOut, 1);
}

TEST_F(CapSetTest, ScalingTakesTheFactorAsAFactor) {
  Open("WQ140");  // 3000 div 400 = 7 %, 1600 x 100 div 400 = 400 %
  EXPECT_EQ(CapSetOne(ICAP_XSCALING, TWTY_FIX32, Fix(1, 0x8000)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.XScalePercent, 150);
  EXPECT_TRUE(g_Session.XScaleSet);
  EXPECT_FALSE(g_Session.YScaleSet);
  EXPECT_NEAR(CurrentReal(ICAP_XSCALING), 1.5, kStep);
  EXPECT_EQ(CapSetOne(ICAP_YSCALING, TWTY_FIX32, Fix(0, 0x8000)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.YScalePercent, 50);
  EXPECT_EQ(g_Session.XScalePercent, 150);
  EXPECT_EQ(CapSetOne(ICAP_YSCALING, TWTY_FIX32, FixOf(0.05)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.YScalePercent, 7);
  EXPECT_EQ(CapSetOne(ICAP_XSCALING, TWTY_FIX32, Fix(10, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.XScalePercent, 400);
  EXPECT_EQ(CapSetOne(ICAP_XSCALING, TWTY_FIX32, FixOf(1.23)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.XScalePercent, 123);
  EXPECT_EQ(CapSet(ICAP_XSCALING, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, Fix(2, 0x4000))).rc,
            TWRC_SUCCESS);
  EXPECT_EQ(g_Session.XScalePercent, 225);
  Reply r = CapMessage(MSG_GET, ICAP_XSCALING);
  EXPECT_NEAR(r.RangeValue(4), 2.25, kStep);
  EXPECT_EQ(CapSet(ICAP_XSCALING, TWON_ENUMERATION, Enumeration(TWTY_FIX32, 0, 0, {})).cc,
            TWCC_BADCAP);
  EXPECT_NEAR(CapMessage(MSG_RESET, ICAP_XSCALING).Fix(), 1.0, kStep);
  EXPECT_EQ(g_Session.XScalePercent, 100);
  EXPECT_FALSE(g_Session.XScaleSet);
  EXPECT_EQ(g_Session.YScalePercent, 7);
}

TEST_F(CapSetTest, ScalingLimitsFollowTheFilmUnitsResolutions) {
  Open("WQ215", "fsu=2");  // N 1200, M 2400: 2 % .. 200 %
  EXPECT_EQ(CapSetOne(ICAP_XSCALING, TWTY_FIX32, FixOf(0.01)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.XScalePercent, 2);
  EXPECT_EQ(CapSetOne(ICAP_XSCALING, TWTY_FIX32, Fix(3, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.XScalePercent, 200);
}

// ---------------------------------------------------------------------------
// Geometry

TEST_F(CapSetTest, ResolutionSetListAndCustomValues) {
  Open("WQ140");
  // Above the maximum: a custom 1600 dpi.
  EXPECT_EQ(CapSetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(5000, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Resolution, 10);
  EXPECT_EQ(S().XResoCustom, 1600);
  EXPECT_EQ(S().XFinalRes, 1600);
  // Below 30: a custom 30.
  EXPECT_EQ(CapSetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(10, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Resolution, 10);
  EXPECT_EQ(S().XResoCustom, 30);
  EXPECT_NEAR(CurrentReal(ICAP_XRESOLUTION), 30, kStep);
  // A listed value: index 7, both axes.
  S().YResoCustom = 250;
  EXPECT_EQ(CapSetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(300, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Resolution, 7);
  EXPECT_EQ(S().XFinalRes, 300);
  EXPECT_EQ(S().YFinalRes, 300);
  EXPECT_NEAR(CurrentReal(ICAP_YRESOLUTION), 300, kStep);
  // The image and the transfer follow at once.
  EXPECT_EQ(S().ImageWidth, 300 * S().AreaWidth / 25);
  EXPECT_EQ(g_Session.Geometry.ImageWidth, uint32_t(S().ImageWidth));
  EXPECT_EQ(g_Session.Geometry.ImageRows, uint32_t(300 * S().AreaHeight / 25));
  // 180 is in the list but always kept as a custom value; Y has its own.
  EXPECT_EQ(CapSetOne(ICAP_YRESOLUTION, TWTY_FIX32, Fix(180, 0)).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Resolution, 10);
  EXPECT_EQ(S().YResoCustom, 180);
  EXPECT_EQ(S().YFinalRes, 180);
  EXPECT_EQ(S().XFinalRes, 30);
  // A range gives its current value; 144.9 lands on 144.
  EXPECT_EQ(CapSet(ICAP_YRESOLUTION, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, Fix(144, 0xE666))).rc,
            TWRC_SUCCESS);
  EXPECT_EQ(S().Resolution, 3);
  EXPECT_EQ(CapSet(ICAP_XRESOLUTION, TWON_ENUMERATION, Enumeration(TWTY_FIX32, 0, 0, {})).cc,
            TWCC_BADCAP);
  EXPECT_EQ(S().Resolution, 3);
}

TEST_F(CapSetTest, ResolutionResetSelectsTheOpticalResolutionForTheScan) {
  Open("WQ490");  // N 600, listed at index 7
  ASSERT_EQ(CapSetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(150, 0)).rc, TWRC_SUCCESS);
  ASSERT_EQ(S().Resolution, 3);
  Reply r = CapMessage(MSG_RESET, ICAP_XRESOLUTION);
  EXPECT_NEAR(r.Fix(), 600, kStep);
  EXPECT_EQ(S().XFinalRes, 600);
  EXPECT_EQ(S().Resolution, 7);
  // What the scan will use agrees with the reply.
  EXPECT_EQ(S().ImageWidth, 600 * S().AreaWidth / 25);
  ASSERT_EQ(CapSetOne(ICAP_UNITS, TWTY_UINT16, TWUN_CENTIMETERS).rc, TWRC_SUCCESS);
  EXPECT_NEAR(CapMessage(MSG_RESET, ICAP_YRESOLUTION).Fix(), 600 / 2.54, kStep);
}

TEST_F(CapSetTest, PaperSizesChooseTheWindowsPaperAndTheArea) {
  Open("WQ140");
  EXPECT_EQ(CapSetOne(ICAP_SUPPORTEDSIZES, TWTY_UINT16, TWSS_A4LETTER).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Range2, 1);
  EXPECT_EQ(Current(ICAP_SUPPORTEDSIZES), TWSS_A4LETTER);
  // A4 from the bed's corner at (3, 10): 210 x 297 mm, in 1/25 inch.
  EXPECT_EQ(S().AreaWidth, 207);
  EXPECT_EQ(S().AreaHeight, 293);
  EXPECT_EQ(g_Session.Geometry.ImageWidth, uint32_t(400 * 207 / 25));
  EXPECT_EQ(CapSet(ICAP_SUPPORTEDSIZES, TWON_ENUMERATION, Enumeration(TWTY_INT16, 2, 0, {})).rc,
            TWRC_SUCCESS);
  EXPECT_EQ(S().Range2, 2);  // B5
  EXPECT_EQ(CapMessage(MSG_GET, ICAP_SUPPORTEDSIZES).CurrentIndex(), 2u);
  EXPECT_EQ(CapSetOne(ICAP_SUPPORTEDSIZES, TWTY_UINT16, TWSS_NONE).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSetOne(ICAP_SUPPORTEDSIZES, TWTY_UINT16, TWSS_USLEGAL).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSetOne(ICAP_SUPPORTEDSIZES, TWTY_UINT32, 0x10003).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSet(ICAP_SUPPORTEDSIZES, TWON_ENUMERATION, Enumeration(TWTY_INT16, 4, 0, {})).cc,
            TWCC_BADVALUE);
  EXPECT_EQ(CapSet(ICAP_SUPPORTEDSIZES, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, 1)).cc,
            TWCC_BADCAP);
  EXPECT_EQ(S().Range2, 2);
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_SUPPORTEDSIZES).Int(), TWSS_USLETTER);
  EXPECT_EQ(Current(ICAP_SUPPORTEDSIZES), TWSS_USLETTER);
}

TEST_F(CapSetTest, TheWQ490KeepsItsPaperInRange1) {
  Open("WQ490");
  const std::pair<uint16_t, int16_t> sizes[] = {{TWSS_A4LETTER, 2}, {TWSS_B5LETTER, 4},
                                                {TWSS_USLETTER, 7}, {TWSS_USLEGAL, 6},
                                                {TWSS_B4, 3}};
  for (auto [size, range] : sizes) {
    S().Range2 = -5;
    EXPECT_EQ(CapSetOne(ICAP_SUPPORTEDSIZES, TWTY_UINT16, size).rc, TWRC_SUCCESS) << size;
    EXPECT_EQ(S().Range1, range);
    EXPECT_EQ(S().Range2, -5);
  }
  // B4 is 257 x 364 mm.
  EXPECT_EQ(S().AreaWidth, 253);
  EXPECT_EQ(S().AreaHeight, 359);
}

// ---------------------------------------------------------------------------
// Feeder and film unit

TEST_F(CapSetTest, FeederCapabilitiesNeedAFeederOnAWQ140OrWQ220) {
  Open("WQ215");
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_RESET})
    EXPECT_EQ(CapMessage(msg, CAP_FEEDERENABLED).cc, TWCC_BADCAP);
  EXPECT_EQ(CapSetOne(CAP_FEEDERENABLED, TWTY_BOOL, 1).cc, TWCC_BADCAP);
  EXPECT_EQ(CapMessage(MSG_GET, CAP_FEEDERLOADED).cc, TWCC_BADCAP);
  EXPECT_EQ(CapSetOne(CAP_AUTOFEED, TWTY_BOOL, 1).cc, TWCC_BADCAP);
  CloseSource();
  // A WQ215 with a feeder still has no feeder capability.
  Open("WQ215", "adf=1 sheets=2");
  EXPECT_EQ(CapMessage(MSG_GET, CAP_FEEDERENABLED).cc, TWCC_BADCAP);
}

TEST_F(CapSetTest, FeederOnAndOffOnTheWQ140) {
  Open("WQ140", "adf=1 sheets=5 fsu=1");
  ASSERT_TRUE(g_Session.FeederLoaded);
  ASSERT_EQ(S().ADF, 1);
  S().MirrorType = 3;
  EXPECT_EQ(CapSetOne(CAP_FEEDERENABLED, TWTY_UINT16, 0).rc, TWRC_SUCCESS);
  EXPECT_FALSE(g_Session.FeederLoaded);
  EXPECT_FALSE(g_Session.AutoFeed);
  EXPECT_TRUE(g_Session.FeederSetByApp);
  EXPECT_EQ(S().ADF, 0);
  // The film unit takes over again, with the type the scanner reports.
  EXPECT_EQ(S().Mirror, 1);
  EXPECT_EQ(S().MirrorType, g_ScanJob.FsuKind);
  EXPECT_NEAR(CapMessage(MSG_GET, ICAP_PHYSICALHEIGHT).Fix(), 11.00, kStep);
  EXPECT_LE(S().AreaTop + S().AreaHeight, 285);
  EXPECT_EQ(Current(CAP_FEEDERENABLED), 0);
  EXPECT_EQ(CapMessage(MSG_GET, CAP_FEEDERLOADED).cc, TWCC_BADCAP);

  EXPECT_EQ(CapSetOne(CAP_FEEDERENABLED, TWTY_UINT16, 0x21).rc, TWRC_SUCCESS);  // low bits 1
  EXPECT_TRUE(g_Session.FeederLoaded);
  EXPECT_TRUE(g_Session.AutoFeed);
  EXPECT_EQ(S().ADF, 1);
  EXPECT_EQ(S().Mirror, 0);
  EXPECT_NEAR(CapMessage(MSG_GET, ICAP_PHYSICALHEIGHT).Fix(), 14.00, kStep);
  // Anything but 0 and 1 changes nothing.
  g_Session.FeederSetByApp = false;
  EXPECT_EQ(CapSetOne(CAP_FEEDERENABLED, TWTY_UINT16, 2).rc, TWRC_SUCCESS);
  EXPECT_TRUE(g_Session.FeederLoaded);
  EXPECT_FALSE(g_Session.FeederSetByApp);
  EXPECT_EQ(CapSet(CAP_FEEDERENABLED, TWON_ENUMERATION, Enumeration(TWTY_BOOL, 0, 0, {0})).cc,
            TWCC_BADCAP);

  Reply r = CapMessage(MSG_RESET, CAP_FEEDERENABLED);
  EXPECT_EQ(r.Int(), 0);
  EXPECT_FALSE(g_Session.FeederLoaded);
  EXPECT_FALSE(g_Session.AutoFeed);
  EXPECT_FALSE(g_Session.FeederSetByApp);
  EXPECT_EQ(S().ADF, 1);  // there is paper
}

TEST_F(CapSetTest, AlwaysAdfKeepsTheFeederOn) {
  SetValue("@WQSC32.INI", "TWAIN", "AlwaysAdf", "1");
  Open("WQ140", "adf=1 sheets=5");
  S().MirrorType = 2;
  EXPECT_EQ(CapSetOne(CAP_FEEDERENABLED, TWTY_UINT16, 0).rc, TWRC_SUCCESS);
  EXPECT_TRUE(g_Session.FeederLoaded);
  EXPECT_EQ(S().ADF, 1);
  EXPECT_EQ(S().MirrorType, 0);
}

TEST_F(CapSetTest, TheWQ220FollowsThePaper) {
  const std::string withPaper = ScannerBus("WQ220", "adf=1 sheets=5 fsu=3 fsuready=0");
  ASSERT_EQ(OpenSource(withPaper), TWRC_SUCCESS);
  ASSERT_TRUE(g_Session.FeederLoaded);
  // The paper is taken out: MSG_GET switches the feeder off; the film unit
  // is not ready, so it stays off too.
  Reconfigure(ScannerBus("WQ220", "adf=1 sheets=0 fsu=3 fsuready=0").c_str());
  EXPECT_EQ(CapMessage(MSG_GET, CAP_FEEDERENABLED).Int(), 0);
  EXPECT_FALSE(g_Session.FeederLoaded);
  EXPECT_EQ(S().ADF, 0);
  EXPECT_EQ(S().Mirror, 0);
  // Paper put in: on again, the film-unit type left as it was.
  S().MirrorType = 3;
  Reconfigure(withPaper.c_str());
  EXPECT_EQ(CapMessage(MSG_GET, CAP_FEEDERENABLED).Int(), 1);
  EXPECT_TRUE(g_Session.FeederLoaded);
  EXPECT_EQ(S().ADF, 1);
  EXPECT_EQ(S().MirrorType, 3);
  // GETCURRENT only reports; GETDEFAULT takes the paper's word.
  Reconfigure(ScannerBus("WQ220", "adf=1 sheets=0 fsu=3 fsuready=0").c_str());
  EXPECT_EQ(Current(CAP_FEEDERENABLED), 1);
  EXPECT_EQ(CapMessage(MSG_GETDEFAULT, CAP_FEEDERENABLED).Int(), 0);
  EXPECT_FALSE(g_Session.FeederLoaded);
}

TEST_F(CapSetTest, TheWQ220TurnsToAReadyFilmUnitWhenTheFeederGoesOff) {
  ASSERT_EQ(OpenSource(ScannerBus("WQ220", "adf=1 sheets=5 fsu=3")), TWRC_SUCCESS);
  ASSERT_EQ(S().ADF, 1);
  EXPECT_EQ(CapSetOne(CAP_FEEDERENABLED, TWTY_UINT16, 0).rc, TWRC_SUCCESS);
  EXPECT_EQ(S().Mirror, 1);
  EXPECT_EQ(S().MirrorType, 3);
  EXPECT_NEAR(CapMessage(MSG_GET, ICAP_PHYSICALWIDTH).Fix(), 8.32, kStep);
}

TEST_F(CapSetTest, FeederLoadedAndAutoFeed) {
  Open("WQ140", "adf=1 sheets=5");
  EXPECT_EQ(Current(CAP_FEEDERLOADED), 1);
  EXPECT_EQ(CapSetOne(CAP_AUTOFEED, TWTY_BOOL, 0).rc, TWRC_SUCCESS);
  EXPECT_EQ(CapMessage(MSG_GET, CAP_AUTOFEED).Int(), 0);
  // The current value is the flag, not a constant.
  EXPECT_EQ(Current(CAP_AUTOFEED), 0);
  EXPECT_EQ(CapSetOne(CAP_AUTOFEED, TWTY_BOOL, 3).rc, TWRC_SUCCESS);  // bit 0
  EXPECT_EQ(Current(CAP_AUTOFEED), 1);
  EXPECT_TRUE(g_Session.FeederSetByApp);
  EXPECT_EQ(CapSet(CAP_AUTOFEED, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, 0)).cc, TWCC_BADCAP);
  g_Session.AutoFeed = false;
  EXPECT_EQ(CapMessage(MSG_RESET, CAP_AUTOFEED).Int(), 1);
  EXPECT_TRUE(g_Session.AutoFeed);
  // The paper runs out: loaded still reports, from the scanner.
  Reconfigure(ScannerBus("WQ140", "adf=1 sheets=0").c_str());
  EXPECT_EQ(Current(CAP_FEEDERLOADED), 0);
}

TEST_F(CapSetTest, LightPathNeedsAReadyFilmUnit) {
  Open("WQ140", "fsu=1 fsuready=0");
  ASSERT_FALSE(g_Session.FilmUnitOn);
  const int32_t height = S().AreaHeight;
  EXPECT_EQ(CapSetOne(ICAP_LIGHTPATH, TWTY_UINT16, TWLP_TRANSMISSIVE).cc, TWCC_BADVALUE);
  EXPECT_FALSE(g_Session.FilmUnitOn);
  EXPECT_FALSE(g_Session.FilmUnitSetByApp);
  EXPECT_EQ(S().Mirror, 0);
  EXPECT_EQ(S().AreaHeight, height);
  EXPECT_EQ(Current(ICAP_LIGHTPATH), 0);
}

TEST_F(CapSetTest, LightPathSwitchesTheFilmUnit) {
  Open("WQ140", "fsu=1");
  ASSERT_TRUE(g_Session.FilmUnitOn);
  EXPECT_EQ(CapSetOne(ICAP_LIGHTPATH, TWTY_UINT16, TWLP_REFLECTIVE).rc, TWRC_SUCCESS);
  EXPECT_FALSE(g_Session.FilmUnitOn);
  EXPECT_TRUE(g_Session.FilmUnitSetByApp);
  EXPECT_EQ(S().Mirror, 0);
  EXPECT_NEAR(CapMessage(MSG_GET, ICAP_PHYSICALHEIGHT).Fix(), 11.72, kStep);
  EXPECT_EQ(CapMessage(MSG_GET, ICAP_SUPPORTEDSIZES).NumItems(), 4u);
  EXPECT_EQ(CapSet(ICAP_LIGHTPATH, TWON_ENUMERATION, Enumeration(TWTY_UINT16, 1, 0, {})).rc,
            TWRC_SUCCESS);
  EXPECT_TRUE(g_Session.FilmUnitOn);
  EXPECT_EQ(S().Mirror, 1);
  EXPECT_NEAR(CapMessage(MSG_GET, ICAP_PHYSICALHEIGHT).Fix(), 11.00, kStep);
  EXPECT_EQ(CapSet(ICAP_LIGHTPATH, TWON_ENUMERATION, Enumeration(TWTY_UINT16, 2, 0, {})).cc,
            TWCC_BADVALUE);
  EXPECT_EQ(CapSetOne(ICAP_LIGHTPATH, TWTY_UINT16, 5).cc, TWCC_BADVALUE);
  EXPECT_EQ(CapSet(ICAP_LIGHTPATH, TWON_RANGE, Range(TWTY_FIX32, 0, 0, 0, 0, 0)).cc, TWCC_BADCAP);
  Reply r = CapMessage(MSG_RESET, ICAP_LIGHTPATH);
  EXPECT_EQ(r.ItemType(), TWTY_UINT16);
  EXPECT_EQ(r.Int(), 0);
  EXPECT_FALSE(g_Session.FilmUnitOn);
  EXPECT_FALSE(g_Session.FilmUnitSetByApp);
}

TEST_F(CapSetTest, TheWQ490sFilmUnitIsAlwaysInThePath) {
  Open("WQ490", "fsu=1");
  EXPECT_EQ(CapSetOne(ICAP_LIGHTPATH, TWTY_UINT16, TWLP_REFLECTIVE).cc, TWCC_BADCAP);
  EXPECT_EQ(CapSet(ICAP_LIGHTPATH, TWON_ENUMERATION, Enumeration(TWTY_UINT16, 1, 0, {})).cc,
            TWCC_BADVALUE);
  EXPECT_EQ(CapSetOne(ICAP_LIGHTPATH, TWTY_UINT16, TWLP_TRANSMISSIVE).rc, TWRC_SUCCESS);
  g_Session.FilmUnitOn = false;
  EXPECT_EQ(CapMessage(MSG_RESET, ICAP_LIGHTPATH).Int(), 1);
  EXPECT_TRUE(g_Session.FilmUnitOn);
}

// ---------------------------------------------------------------------------
// The window's settings, the trace, and the next session

TEST_F(CapSetTest, GetsTakeTheWindowsSettingsWhileItIsShown) {
  Open("WQ140");
  S().Brightnes = 64;
  EXPECT_NEAR(CurrentReal(ICAP_BRIGHTNESS), 0, kStep);  // state 4: no refresh
  ASSERT_EQ(Enable(true), TWRC_SUCCESS);
  EXPECT_NEAR(CurrentReal(ICAP_BRIGHTNESS), 503, kStep);  // 64 x 1000 / 127
  S().Contrast = -127;
  EXPECT_NEAR(CapMessage(MSG_GET, ICAP_CONTRAST).RangeValue(4), -1000, kStep);
  S().ZoomOnOff = 1;
  S().ZoomWidth = S().ImageWidth * 3 / 2;
  EXPECT_NEAR(CurrentReal(ICAP_XSCALING), 1.5, 0.011);
  S().Brightnes = 127;
  EXPECT_NEAR(CapMessage(MSG_GETDEFAULT, ICAP_BRIGHTNESS).Fix(), 0, kStep);
  EXPECT_EQ(g_Session.TwBrightness, 503);  // GETDEFAULT does not refresh
}

TEST_F(CapSetTest, EveryCapabilityMessageIsTraced) {
  SetValue("@WQSC32.INI", "TWAIN", "DebugSH", "1");
  Open("WQ140");
  g_TestHost.debugOutput.clear();
  CapMessage(MSG_GET, ICAP_XRESOLUTION);
  std::string text;
  for (const std::string& s : g_TestHost.debugOutput) text += s;
  EXPECT_NE(text.find("CAPABILITY XRESOLUTION MSG_GET : SUCCESS"), std::string::npos) << text;
  EXPECT_NE(text.find("TWON_RANGE"), std::string::npos) << text;
  EXPECT_NE(text.find("CurrentValue = 400.0"), std::string::npos) << text;

  // A set enumeration is shown with the source's own items.
  g_TestHost.debugOutput.clear();
  CapSet(ICAP_PIXELTYPE, TWON_ENUMERATION, Enumeration(TWTY_INT16, 1, 0, {9, 9, 9, 9, 9}));
  text.clear();
  for (const std::string& s : g_TestHost.debugOutput) text += s;
  EXPECT_NE(text.find("PIXELTYPE MSG_SET : SUCCESS"), std::string::npos) << text;
  EXPECT_NE(text.find("ItemList = , 0, 1, 2, 3"), std::string::npos) << text;

  g_TestHost.debugOutput.clear();
  CapMessage(MSG_QUERYSUPPORT, ICAP_GAMMA);
  text.clear();
  for (const std::string& s : g_TestHost.debugOutput) text += s;
  EXPECT_NE(text.find("*** KORVA SCANNER CONTROL CAPABILITY GAMMA???? : FAILURE"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("TWCC_BADPROTOCOL"), std::string::npos) << text;
}

TEST_F(CapSetTest, TheLightSourceIsKeptForTheNextSession) {
  Open("WQ140");
  ASSERT_EQ(CapSetOne(ICAP_LIGHTSOURCE, TWTY_UINT16, TWLS_RED).rc, TWRC_SUCCESS);
  ASSERT_EQ(CapSetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY).rc, TWRC_SUCCESS);
  ASSERT_EQ(CloseSource(), TWRC_SUCCESS);
  std::string saved;
  ASSERT_TRUE(GetValue("@WQSC32.INI", "Preference", "DropOut", &saved));
  EXPECT_EQ(saved, "2");
  Open("WQ140");
  EXPECT_EQ(Current(ICAP_LIGHTSOURCE), TWLS_RED);
  // The scan mode lives in the preset file, written only when the window
  // scans: a capability's choice of it ends with the session.
  EXPECT_EQ(Current(ICAP_PIXELTYPE), TWPT_RGB);
}

TEST_F(CapSetTest, DeviceOnlineAsksTheScannerAndBitDepthFollowsTheMode) {
  Open("WQ220");
  EXPECT_EQ(Current(CAP_DEVICEONLINE), 1);
  S().Mode = 0x101;
  EXPECT_EQ(Current(ICAP_BITDEPTH), 1);
  S().Mode = 4;
  EXPECT_EQ(Current(ICAP_BITDEPTH), 8);
  // The scanner gone from the bus: offline, the default stays true.
  ASSERT_TRUE(VscsiConfigure("adapter 0\n", nullptr, 0));
  EXPECT_EQ(Current(CAP_DEVICEONLINE), 0);
  EXPECT_EQ(CapMessage(MSG_GET, CAP_DEVICEONLINE).Int(), 0);
  EXPECT_EQ(CapMessage(MSG_GETDEFAULT, CAP_DEVICEONLINE).Int(), 1);
}

}  // namespace
}  // namespace wq
