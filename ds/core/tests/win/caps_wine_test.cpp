// The capabilities through Wine's TWAIN source manager: a test application
// opens the installed source on the virtual scanner of each configuration
// and checks every capability's replies in real global memory; then the
// edge cases, the containers that cannot be trusted, and what one session
// leaves for the next.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ds/core/tests/cap_checks.h"
#include "ds/tests/win/manager_fixture.h"

namespace wq {
namespace {

using namespace test;

constexpr double kStep = 1.0 / 65536;

// The application of the running test, for the channel's plain functions.
TwApp* g_App;

Reply Finish(TW_UINT16 rc, const TW_CAPABILITY& cap, bool reply) {
  Reply r;
  r.rc = rc;
  r.cc = rc == TWRC_SUCCESS ? TW_UINT16(TWCC_SUCCESS) : TwAppSourceCondition(g_App);
  if (rc == TWRC_SUCCESS && reply) {
    r.conType = cap.ConType;
    HGLOBAL h = static_cast<HGLOBAL>(cap.hContainer);
    const SIZE_T size = GlobalSize(h);
    if (const void* p = GlobalLock(h)) {
      r.bytes.assign(static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size);
      GlobalUnlock(h);
    }
    // The block is the application's to free.
    EXPECT_EQ(GlobalFree(h), nullptr);
  }
  return r;
}

Reply Message(TW_UINT16 msg, TW_UINT16 capId) {
  TW_CAPABILITY cap{};
  cap.Cap = capId;
  cap.ConType = TWON_DONTCARE16;
  TW_UINT16 rc = TwAppCall(g_App, DG_CONTROL, DAT_CAPABILITY, msg, &cap);
  return Finish(rc, cap, true);
}

// A MSG_SET with the container in a block of `blockSize` bytes (cut short
// or padded with zeros).
Reply SetIn(TW_UINT16 capId, TW_UINT16 conType, const std::vector<uint8_t>& container,
            size_t blockSize) {
  TW_CAPABILITY cap{};
  cap.Cap = capId;
  cap.ConType = conType;
  HGLOBAL h = GlobalAlloc(GHND, blockSize);
  if (void* p = GlobalLock(h)) {
    memcpy(p, container.data(), container.size() < blockSize ? container.size() : blockSize);
    GlobalUnlock(h);
  }
  cap.hContainer = h;
  TW_UINT16 rc = TwAppCall(g_App, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap);
  Reply r = Finish(rc, cap, false);
  GlobalFree(h);
  return r;
}

Reply Set(TW_UINT16 capId, TW_UINT16 conType, const std::vector<uint8_t>& container) {
  return SetIn(capId, conType, container, container.size());
}

Reply SetOne(TW_UINT16 capId, TW_UINT16 itemType, uint32_t item) {
  return Set(capId, TWON_ONEVALUE, OneValue(itemType, item));
}

const CapChannel kWine = {Message, Set};

double Current(TW_UINT16 cap) { return Message(MSG_GETCURRENT, cap).Fix(); }
int32_t CurrentInt(TW_UINT16 cap) { return Message(MSG_GETCURRENT, cap).Int(); }

// The manager's test application, the source opened on one scanner; every
// message box of the source would be a failure.
class CapsWine : public ManagerTest {
 protected:
  void SetUp() override {
    ManagerTest::SetUp();
    g_App = &app;
    SetIni(MainIni(), "TWAIN", "WQ215", "1");
  }
  void OpenOn(const char* model, const char* options = "") {
    ASSERT_TRUE(ConfigureBus(OneScanner(model, options).c_str()));
    ASSERT_EQ(Open(), TWRC_SUCCESS) << model << " " << options;
  }
};

class CapsWineTable : public CapsWine, public ::testing::WithParamInterface<Config> {
 protected:
  void SetUp() override {
    CapsWine::SetUp();
    OpenOn(GetParam().model, GetParam().options);
  }
};

TEST_P(CapsWineTable, GetReplies) {
  CheckTransferAndFormat(kWine, GetParam());
  CheckImageQuality(kWine, GetParam());
  CheckGeometry(kWine, GetParam());
  CheckFeederAndFilmUnit(kWine, GetParam());
}

TEST_P(CapsWineTable, SetAndReset) { CheckSetAndReset(kWine, GetParam()); }

INSTANTIATE_TEST_SUITE_P(Scanners, CapsWineTable, ::testing::ValuesIn(kConfigs),
                         [](const ::testing::TestParamInfo<Config>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(CapsWine, QuerySupportAndChangesOutsideState4AreRefused) {
  OpenOn("WQ140");
  EXPECT_EQ(Message(MSG_QUERYSUPPORT, ICAP_XRESOLUTION).cc, TWCC_BADPROTOCOL);
  EXPECT_EQ(Message(MSG_GET, ICAP_ROTATION).cc, TWCC_BADCAP);
  // Enabled without the window the source is ready to transfer (state 6):
  // still readable, no longer changeable, supported or not.
  TW_USERINTERFACE ui{};
  ui.ShowUI = FALSE;
  ASSERT_EQ(TwAppCall(g_App, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_SUCCESS);
  ASSERT_TRUE(TwAppWaitForRequest(g_App, MSG_XFERREADY, 5000));
  EXPECT_EQ(Message(MSG_GETCURRENT, ICAP_PIXELTYPE).Int(), TWPT_RGB);
  EXPECT_EQ(SetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY).cc, TWCC_SEQERROR);
  EXPECT_EQ(SetOne(ICAP_ROTATION, TWTY_FIX32, 0).cc, TWCC_SEQERROR);
  EXPECT_EQ(Message(MSG_RESET, ICAP_UNITS).cc, TWCC_SEQERROR);
  ASSERT_EQ(TwAppCall(g_App, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
  EXPECT_EQ(SetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY).rc, TWRC_SUCCESS);
}

TEST_F(CapsWine, ResolutionThresholdPixelTypeSizeCountAndScalingEdges) {
  OpenOn("WQ140");
  // Resolutions: above the maximum, below 30, and a listed value for both axes.
  EXPECT_EQ(SetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(5000, 0)).rc, TWRC_SUCCESS);
  EXPECT_NEAR(Current(ICAP_XRESOLUTION), 1600, kStep);
  EXPECT_EQ(SetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(10, 0)).rc, TWRC_SUCCESS);
  EXPECT_NEAR(Current(ICAP_XRESOLUTION), 30, kStep);
  EXPECT_EQ(SetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(300, 0)).rc, TWRC_SUCCESS);
  EXPECT_NEAR(Current(ICAP_XRESOLUTION), 300, kStep);
  EXPECT_NEAR(Current(ICAP_YRESOLUTION), 300, kStep);
  // Thresholds are kept to 1..254; one step short of 100 is 100.
  EXPECT_EQ(SetOne(ICAP_THRESHOLD, TWTY_FIX32, Fix(0, 0)).rc, TWRC_SUCCESS);
  EXPECT_NEAR(Current(ICAP_THRESHOLD), 1, kStep);
  EXPECT_EQ(SetOne(ICAP_THRESHOLD, TWTY_FIX32, Fix(300, 0)).rc, TWRC_SUCCESS);
  EXPECT_NEAR(Current(ICAP_THRESHOLD), 254, kStep);
  EXPECT_EQ(SetOne(ICAP_THRESHOLD, TWTY_FIX32, Fix(99, 0xFFFF)).rc, TWRC_SUCCESS);
  EXPECT_NEAR(Current(ICAP_THRESHOLD), 100, kStep);
  // Index 2 of the source's pixel types is RGB, whatever the items say.
  ASSERT_EQ(SetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY).rc, TWRC_SUCCESS);
  EXPECT_EQ(Set(ICAP_PIXELTYPE, TWON_ENUMERATION,
                Enumeration(TWTY_UINT16, 2, 0, {TWPT_BW, TWPT_BW, TWPT_BW}))
                .rc,
            TWRC_SUCCESS);
  EXPECT_EQ(CurrentInt(ICAP_PIXELTYPE), TWPT_RGB);
  EXPECT_EQ(SetOne(ICAP_SUPPORTEDSIZES, TWTY_UINT16, TWSS_NONE).cc, TWCC_BADVALUE);
  EXPECT_EQ(SetOne(CAP_XFERCOUNT, TWTY_INT16, 1).rc, TWRC_SUCCESS);
  EXPECT_EQ(CurrentInt(CAP_XFERCOUNT), -1);
  // Scaling factors are factors.
  EXPECT_EQ(SetOne(ICAP_XSCALING, TWTY_FIX32, Fix(1, 0x8000)).rc, TWRC_SUCCESS);
  EXPECT_NEAR(Current(ICAP_XSCALING), 1.5, kStep);
  EXPECT_EQ(SetOne(ICAP_YSCALING, TWTY_FIX32, Fix(0, 0x8000)).rc, TWRC_SUCCESS);
  EXPECT_NEAR(Current(ICAP_YSCALING), 0.5, kStep);
  EXPECT_EQ(SetOne(ICAP_YSCALING, TWTY_FIX32, Fix(0, 0x0100)).rc, TWRC_SUCCESS);
  EXPECT_NEAR(Current(ICAP_YSCALING), 0.07, kStep);
}

TEST_F(CapsWine, FilmUnitNotReadyAndNoFeeder) {
  OpenOn("WQ140", "fsu=1 fsuready=0");
  EXPECT_EQ(SetOne(ICAP_LIGHTPATH, TWTY_UINT16, TWLP_TRANSMISSIVE).cc, TWCC_BADVALUE);
  EXPECT_EQ(CurrentInt(ICAP_LIGHTPATH), 0);
  EXPECT_NEAR(Current(ICAP_PHYSICALHEIGHT), 11.72, kStep);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  OpenOn("WQ215");
  EXPECT_EQ(Message(MSG_GET, CAP_FEEDERENABLED).cc, TWCC_BADCAP);
  EXPECT_EQ(SetOne(CAP_FEEDERENABLED, TWTY_BOOL, 1).cc, TWCC_BADCAP);
}

TEST_F(CapsWine, ContainersThatDoNotHoldWhatTheyClaimAreRefused) {
  OpenOn("WQ220");
  // An index past the source's own list.
  EXPECT_EQ(Set(ICAP_UNITS, TWON_ENUMERATION, Enumeration(TWTY_UINT16, 3, 0, {0, 1, 5, 5})).cc,
            TWCC_BADVALUE);
  // A one-value cut short, an item list longer than its block.
  EXPECT_EQ(SetIn(ICAP_UNITS, TWON_ONEVALUE, OneValue(TWTY_UINT16, 1), 4).cc, TWCC_BADVALUE);
  std::vector<uint8_t> en = Enumeration(TWTY_UINT16, 1, 0, {0, 1, 5});
  en[2] = 200;
  EXPECT_EQ(Set(ICAP_UNITS, TWON_ENUMERATION, en).cc, TWCC_BADVALUE);
  // No block at all.
  TW_CAPABILITY cap{};
  cap.Cap = ICAP_UNITS;
  cap.ConType = TWON_ONEVALUE;
  EXPECT_EQ(TwAppCall(g_App, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap), TWRC_FAILURE);
  EXPECT_EQ(TwAppSourceCondition(g_App), TWCC_BADVALUE);
  EXPECT_EQ(CurrentInt(ICAP_UNITS), TWUN_INCHES);
  // A block larger than the container is read as far as the container goes.
  EXPECT_EQ(SetIn(ICAP_UNITS, TWON_ONEVALUE, OneValue(TWTY_UINT16, 1), 64).rc, TWRC_SUCCESS);
  EXPECT_EQ(CurrentInt(ICAP_UNITS), TWUN_CENTIMETERS);
}

TEST_F(CapsWine, TheLightSourceOutlivesTheSessionTheModeDoesNot) {
  OpenOn("WQ490");
  ASSERT_EQ(SetOne(ICAP_LIGHTSOURCE, TWTY_UINT16, TWLS_BLUE).rc, TWRC_SUCCESS);
  ASSERT_EQ(SetOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_GRAY).rc, TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  EXPECT_EQ(GetIni(MainIni(), "Preference", "DropOut"), "4");
  OpenOn("WQ490");
  EXPECT_EQ(CurrentInt(ICAP_LIGHTSOURCE), TWLS_BLUE);
  EXPECT_EQ(Message(MSG_GET, ICAP_LIGHTSOURCE).CurrentIndex(), 2u);
  EXPECT_EQ(CurrentInt(ICAP_PIXELTYPE), TWPT_RGB);
}

}  // namespace
}  // namespace wq
