// The source's entry natively: guards, the state table, opening and closing
// against the real scanner library core on the virtual bus, pending
// transfers, the file-transfer set-up and the failure paths.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/strutil.h"
#include "ds/core/dsentry.h"
#include "ds/core/report.h"
#include "ds/core/session.h"
#include "ds/scan/scanjob.h"
#include "ds/tests/memory_profile.h"
#include "ds/tests/test_host.h"
#include "ds/settings/settings.h"
#include "scanlib/state.h"

namespace wq {
namespace {

using test::g_TestHost;

constexpr const char* kMain = "@WQSC32.INI";

// A bus holding one scanner of each kind asked for, and a disk.
std::string OneScanner(const char* model, const char* options = "") {
  return std::string("adapter 0\ndevice 0:4 scanner model=") + model + " " + options +
         "\ndevice 0:5 generic type=disk\n";
}

class DsEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDataSource();
    source = test::ManagerSourceIdentity(3);  // built from the texts just installed
  }
  void TearDown() override { test::ShutDownDataSource(); }

  TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    return DsEntryProc(&app, dg, dat, msg, data);
  }
  TW_UINT16 Condition() {
    TW_STATUS st{};
    EXPECT_EQ(Call(DG_CONTROL, DAT_STATUS, MSG_GET, &st), TWRC_SUCCESS);
    return st.ConditionCode;
  }
  TW_UINT16 Open() { return Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source); }
  TW_UINT16 Close() { return Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source); }
  TW_UINT16 EnableWithoutUI() {
    TW_USERINTERFACE ui{};
    ui.ShowUI = 0;
    return Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
  }
  int16_t Pending(TW_UINT16 msg, TW_UINT16* rc = nullptr) {
    TW_PENDINGXFERS p{};
    p.Count = 0x5555;
    TW_UINT16 r = Call(DG_CONTROL, DAT_PENDINGXFERS, msg, &p);
    if (rc) *rc = r;
    return int16_t(p.Count);
  }
  std::string MainValue(const char* section, const char* key) {
    std::string v;
    test::GetValue(kMain, section, key, &v);
    return v;
  }

  TW_IDENTITY app = test::AppIdentity(7);
  TW_IDENTITY source{};
};

TEST_F(DsEntryTest, IdentityAtLoadIsTheDocumentedOneInEveryState) {
  TW_IDENTITY id;
  memset(&id, 0xCC, sizeof id);
  ASSERT_EQ(DsEntryProc(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GET, &id), TWRC_SUCCESS);
  EXPECT_EQ(id.Id, 0u);
  EXPECT_EQ(id.Version.MajorNum, 2);
  EXPECT_EQ(id.Version.MinorNum, 0);
  EXPECT_EQ(id.Version.Language, TWLG_USA);
  EXPECT_EQ(id.Version.Country, TWCY_JAPAN);
  EXPECT_STREQ(id.Version.Info, "Version 2.00 Aug.6,1997");
  EXPECT_EQ(id.ProtocolMajor, 1);
  EXPECT_EQ(id.ProtocolMinor, 5);
  TW_UINT32 groups;
  memcpy(&groups, &id.SupportedGroups, sizeof groups);
  EXPECT_EQ(groups, 3u);
  EXPECT_STREQ(id.Manufacturer, "KORVA Corpration");
  EXPECT_STREQ(id.ProductFamily, "WQ Series");
  EXPECT_STREQ(id.ProductName, "KORVA TWAIN32");

  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, &id), TWRC_SUCCESS);
  EXPECT_EQ(id.Id, 3u);  // the manager's identity replaced the built one
}

TEST_F(DsEntryTest, ProcessEventReachesOnlyExistingWindows) {
  char msg[48] = {};
  TW_EVENT ev{};
  ev.pEvent = msg;
  ev.TWMessage = 0x1234;
  EXPECT_EQ(Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &ev), TWRC_NOTDSEVENT);
  EXPECT_EQ(ev.TWMessage, 0x1234);
  EXPECT_EQ(g_TestHost.offered, static_cast<void*>(msg));
  g_TestHost.consumeEvents = true;
  EXPECT_EQ(Call(DG_IMAGE, DAT_NULL, MSG_PROCESSEVENT, &ev), TWRC_DSEVENT);
  EXPECT_EQ(ev.TWMessage, MSG_NULL);
  EXPECT_EQ(Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, nullptr), TWRC_NOTDSEVENT);
  ev.pEvent = nullptr;
  EXPECT_EQ(Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &ev), TWRC_NOTDSEVENT);
}

TEST_F(DsEntryTest, DispatchRefusesUnknownGroupsAndDataTypes) {
  ASSERT_EQ(Call(DG_CONTROL, DAT_XFERGROUP, MSG_SET, nullptr), TWRC_FAILURE);
  // An unknown group leaves the condition code alone.
  EXPECT_EQ(Call(DG_AUDIO, DAT_IDENTITY, MSG_GET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);
  EXPECT_EQ(Call(DG_CONTROL, DAT_PASSTHRU, MSG_GET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);
  EXPECT_EQ(Call(DG_IMAGE, DAT_CIECOLOR, MSG_GET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);
  // The image triplets and the custom types reach their handlers, which
  // refuse them in state 3 by their own rules.
  EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  EXPECT_EQ(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);
  EXPECT_EQ(Call(DG_CONTROL, 0xFF00, MSG_GET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  EXPECT_EQ(Call(DG_CONTROL, 0xFF01, MSG_SET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
}

TEST_F(DsEntryTest, StatusIsReportedOnceThenSuccess) {
  EXPECT_EQ(Close(), TWRC_FAILURE);  // state 3
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  EXPECT_EQ(Condition(), TWCC_SUCCESS);
  EXPECT_EQ(Call(DG_CONTROL, DAT_STATUS, MSG_SET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);
}

TEST_F(DsEntryTest, OpenFindsTheFirstScannerAndCloseWritesTheMainFile) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(g_Session.State, 4);
  EXPECT_EQ(g_Session.AppIdentity.Id, 7u);
  EXPECT_STREQ(g_Session.AppIdentity.ProductName, "dsentry_test");
  EXPECT_EQ(g_Session.OwnerProcess, 100u);
  EXPECT_EQ(g_Session.OwnerThread, 200u);
  ASSERT_NE(g_Settings, nullptr);
  EXPECT_EQ(g_Settings->Model, 0);  // the default bus lists a WQ140 first
  EXPECT_EQ(g_ScanJob.AdfAvailable, 1);
  EXPECT_TRUE(g_Session.FeederLoaded);  // ten sheets in its tray
  EXPECT_EQ(g_Settings->ADF, 1);
  EXPECT_EQ(g_Session.PendingCount, -1);
  EXPECT_EQ(g_Session.XferMech, TWSX_NATIVE);
  EXPECT_EQ(g_Session.FileFormat, TWFF_BMP);
  EXPECT_EQ(g_Session.PaperSize, TWSS_USLETTER);
  // No threshold in a fresh settings file (-1): the middle one.
  EXPECT_EQ(g_Settings->ThresholdW, -1);
  EXPECT_EQ(g_Session.TwThreshold, 128);
  EXPECT_EQ(g_Session.TotalPhysMemory, 64u << 20);
  EXPECT_EQ(g_Settings->Gamma, 1);  // no colour matching
  EXPECT_EQ(g_Settings->Resolution, 9);  // first use of the WQ140
  EXPECT_EQ(g_Settings->XFinalRes, 400);
  EXPECT_EQ(g_TestHost.liveSettings, 1);
  EXPECT_TRUE(g_TestHost.messages.empty());
  EXPECT_EQ(g_TestHost.connectStatus, (std::vector<bool>{true, false}));
  EXPECT_FALSE(test::GetValue(kMain, "Scanner", "Model", nullptr));

  ASSERT_EQ(Close(), TWRC_SUCCESS);
  EXPECT_EQ(g_Session.State, 3);
  EXPECT_EQ(g_Session.AppIdentity.Id, 0u);
  EXPECT_EQ(g_Session.OwnerProcess, 0u);
  EXPECT_EQ(g_Settings, nullptr);
  EXPECT_EQ(g_TestHost.liveSettings, 0);
  EXPECT_EQ(g_TestHost.liveModules, 0);
  EXPECT_FALSE(g_scan.open);
  EXPECT_EQ(MainValue("Scanner", "Model"), "0");
  EXPECT_EQ(MainValue("SCSI", "ScannerName2"), "KORVA   WQ140/131       1.00");
  EXPECT_EQ(MainValue("SCSI", "TargetID2"), "2");

  // The next session starts from the scanner the file remembers.
  test::SetValue(kMain, "SCSI", "ScannerName", "KORVA   WQ220/221       1.00");
  test::SetValue(kMain, "SCSI", "BoardID", "1");
  test::SetValue(kMain, "SCSI", "TargetID", "1");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(g_Settings->Model, 2);
  EXPECT_TRUE(g_ScanJob.FoundConfigured);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

TEST_F(DsEntryTest, IdentitiesFromTheCallerAreBoundedByTheirFields) {
  memset(app.ProductName, 'A', sizeof app.ProductName);
  memset(app.Version.Info, 'I', sizeof app.Version.Info);
  memset(source.ProductName, 'S', sizeof source.ProductName);
  memset(source.Manufacturer, 'M', sizeof source.Manufacturer);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(strlen(g_Session.AppIdentity.ProductName), sizeof app.ProductName - 1);
  EXPECT_EQ(strlen(g_Session.AppIdentity.Version.Info), sizeof app.Version.Info - 1);
  TW_IDENTITY id;
  memset(&id, 0x55, sizeof id);
  ASSERT_EQ(Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, &id), TWRC_SUCCESS);
  EXPECT_EQ(std::string(id.ProductName), std::string(33, 'S'));
  EXPECT_EQ(std::string(id.Manufacturer), std::string(33, 'M'));
  EXPECT_EQ(std::string(id.ProductFamily), "WQ Series");
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

TEST_F(DsEntryTest, EachModelIsIdentified) {
  struct Case {
    const char* model;
    int index;
  } cases[] = {{"WQ140", 0}, {"WQ215", 1}, {"WQ220", 2}, {"WQ490", 3}};
  for (const Case& c : cases) {
    test::ResetDataSource(OneScanner(c.model).c_str());
    test::SetValue(kMain, "TWAIN", "WQ215", "1");
    ASSERT_EQ(Open(), TWRC_SUCCESS) << c.model;
    EXPECT_EQ(g_Settings->Model, c.index) << c.model;
    EXPECT_EQ(g_ScanJob.Remembered.Address[2], 4) << c.model;
    ASSERT_EQ(Close(), TWRC_SUCCESS) << c.model;
    EXPECT_EQ(MainValue("Scanner", "Model"), std::to_string(c.index)) << c.model;
  }
}

TEST_F(DsEntryTest, AWQ215NeedsItsSwitchToBeEnabled) {
  test::ResetDataSource(OneScanner("WQ215").c_str());
  ASSERT_EQ(Open(), TWRC_SUCCESS);  // found and opened, but not usable
  EXPECT_EQ(g_Settings->Model, -1);
  EXPECT_EQ(EnableWithoutUI(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  EXPECT_EQ(g_Session.State, 4);
  EXPECT_FALSE(ScannerLibraryLoaded());
  EXPECT_EQ(Close(), TWRC_SUCCESS);
  EXPECT_EQ(g_TestHost.liveModules, 0);
}

TEST_F(DsEntryTest, SecondOpenAndOtherApplications) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);

  // Another application is turned away without touching the status.
  EXPECT_EQ(Close(), TWRC_SUCCESS);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(Call(DG_CONTROL, DAT_XFERGROUP, MSG_SET, nullptr), TWRC_FAILURE);
  TW_IDENTITY other = test::AppIdentity(99);
  EXPECT_EQ(DsEntryProc(&other, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source), TWRC_FAILURE);
  EXPECT_EQ(DsEntryProc(&other, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source), TWRC_FAILURE);
  TW_STATUS st{};
  EXPECT_EQ(DsEntryProc(&other, DG_CONTROL, DAT_STATUS, MSG_GET, &st), TWRC_FAILURE);
  EXPECT_EQ(DsEntryProc(nullptr, DG_CONTROL, DAT_STATUS, MSG_GET, &st), TWRC_FAILURE);
  EXPECT_EQ(g_Session.State, 4);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);  // the application's own last failure

  // The owner guard needs both another process and another thread.
  g_TestHost.process = 101;
  EXPECT_EQ(Condition(), TWCC_SUCCESS);
  g_TestHost.thread = 201;
  TW_STATUS guarded{};
  EXPECT_EQ(Call(DG_CONTROL, DAT_STATUS, MSG_GET, &guarded), TWRC_FAILURE);
  g_TestHost.process = 100;
  EXPECT_EQ(Condition(), TWCC_MAXCONNECTIONS);
}

TEST_F(DsEntryTest, StateTableOfTheControlTriplets) {
  TW_UINT16 rc;
  TW_USERINTERFACE ui{};
  uint32_t group = 0;
  TW_SETUPFILEXFER file{};
  // State 3.
  EXPECT_EQ(Pending(MSG_GET, &rc), 0x5555);
  EXPECT_EQ(rc, TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  EXPECT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  EXPECT_EQ(Call(DG_CONTROL, DAT_XFERGROUP, MSG_GET, &group), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  EXPECT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &file), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  EXPECT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GETCURRENT, &file), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);

  ASSERT_EQ(Open(), TWRC_SUCCESS);
  // State 4.
  EXPECT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  Pending(MSG_ENDXFER, &rc);
  EXPECT_EQ(rc, TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  Pending(MSG_RESET, &rc);
  EXPECT_EQ(rc, TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  Pending(MSG_SET, &rc);
  EXPECT_EQ(rc, TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);
  EXPECT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_GET, &ui), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);

  // State 6.
  ASSERT_EQ(EnableWithoutUI(), TWRC_SUCCESS);
  EXPECT_EQ(g_Session.State, 6);
  EXPECT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  EXPECT_EQ(Call(DG_CONTROL, DAT_XFERGROUP, MSG_GET, &group), TWRC_SUCCESS);
  ASSERT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
  EXPECT_EQ(g_Session.State, 4);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  EXPECT_EQ(Close(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
}

TEST_F(DsEntryTest, EnableWithoutTheWindowReachesStateSixAndCallsTheManager) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(EnableWithoutUI(), TWRC_SUCCESS);
  EXPECT_EQ(g_Session.State, 6);
  EXPECT_EQ(g_Session.PendingCount, -1);
  ASSERT_EQ(g_TestHost.managerCalls.size(), 1u);
  EXPECT_EQ(g_TestHost.managerCalls[0], MSG_XFERREADY);
  EXPECT_FALSE(g_Session.ShowUI);
  EXPECT_EQ(g_Session.AdjustRect[2], -1);

  // Without a manager to call, the state is reached all the same.
  TW_USERINTERFACE ui{};
  ASSERT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
  g_TestHost.managerPresent = false;
  ASSERT_EQ(EnableWithoutUI(), TWRC_SUCCESS);
  EXPECT_EQ(g_Session.State, 6);
}

TEST_F(DsEntryTest, CloseRequestGoesToTheManagerAndLeavesTheState) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(EnableWithoutUI(), TWRC_SUCCESS);
  PostCloseRequest();
  EXPECT_EQ(g_TestHost.managerCalls, (std::vector<TW_UINT16>{MSG_XFERREADY, MSG_CLOSEDSREQ}));
  EXPECT_EQ(g_Session.State, 6);
  // Transfer ready again after a page: a count of 0 becomes -1.
  g_Session.PendingCount = 0;
  g_Session.State = 5;
  PostXferReady();
  EXPECT_EQ(g_Session.State, 6);
  EXPECT_EQ(g_Session.PendingCount, -1);
  g_Session.PendingCount = 4;
  PostXferReady();
  EXPECT_EQ(g_Session.PendingCount, 4);
}

TEST_F(DsEntryTest, EnableWithTheWindowFailsCleanlyUntilTheWindowExists) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  TW_USERINTERFACE ui{};
  ui.ShowUI = 1;
  ui.ModalUI = 1;
  ui.hParent = reinterpret_cast<TW_HANDLE>(0x1234);
  EXPECT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_LOWMEMORY);
  EXPECT_EQ(ui.ModalUI, 0);  // the source runs modeless
  EXPECT_EQ(g_Session.State, 4);
  EXPECT_EQ(g_Session.ParentWindow, reinterpret_cast<void*>(0x1234));
  EXPECT_TRUE(g_TestHost.managerCalls.empty());
  // The source stays usable without the window.
  EXPECT_EQ(EnableWithoutUI(), TWRC_SUCCESS);
}

TEST_F(DsEntryTest, PendingTransfersOnAFlatbed) {
  test::ResetDataSource(OneScanner("WQ220").c_str());
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(Pending(MSG_GET), -1);  // state 4
  ASSERT_EQ(EnableWithoutUI(), TWRC_SUCCESS);
  g_Session.ProgressCount = 17;
  EXPECT_EQ(Pending(MSG_GET), 0);  // state 6
  EXPECT_EQ(g_Session.ProgressCount, 0u);
  ASSERT_EQ(EnableWithoutUI(), TWRC_FAILURE);  // still 6
  TW_UINT16 rc;
  EXPECT_EQ(Pending(MSG_ENDXFER, &rc), 0);
  EXPECT_EQ(rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.State, 5);
  EXPECT_EQ(g_Session.PageIndex, 1u);
  EXPECT_EQ(g_Session.BatchCount, 0u);
  EXPECT_EQ(Pending(MSG_GET), -1);  // state 5
  Pending(MSG_ENDXFER, &rc);
  EXPECT_EQ(rc, TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);

  // MSG_RESET ends a transfer-ready state too.
  TW_USERINTERFACE ui{};
  ASSERT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
  ASSERT_EQ(EnableWithoutUI(), TWRC_SUCCESS);
  EXPECT_EQ(Pending(MSG_RESET, &rc), 0);
  EXPECT_EQ(rc, TWRC_SUCCESS);
  EXPECT_EQ(g_Session.State, 5);
}

TEST_F(DsEntryTest, PendingTransfersWithTheFeeder) {
  const std::string withPaper = OneScanner("WQ140", "adf=1 sheets=3");
  test::ResetDataSource(withPaper.c_str());
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(g_Settings->ADF, 1);
  EXPECT_EQ(Pending(MSG_GET), -1);  // paper in the tray: as many as it holds
  ASSERT_EQ(EnableWithoutUI(), TWRC_SUCCESS);
  EXPECT_EQ(Pending(MSG_GET), -1);
  // Paper present: -1 is kept and the source stays ready for the next page.
  EXPECT_EQ(Pending(MSG_ENDXFER), -1);
  EXPECT_EQ(g_Session.State, 6);
  EXPECT_EQ(g_Session.PageIndex, 1u);
  EXPECT_EQ(g_Session.BatchCount, 0u);
  EXPECT_EQ(Pending(MSG_ENDXFER), -1);
  EXPECT_EQ(g_Session.PageIndex, 2u);

  // The tray runs empty: the batch ends.
  test::Reconfigure(OneScanner("WQ140", "adf=1 sheets=0").c_str());
  EXPECT_EQ(Pending(MSG_ENDXFER), 0);
  EXPECT_EQ(g_Session.State, 5);
  EXPECT_EQ(g_Session.PageIndex, 1u);
  EXPECT_EQ(g_Session.BatchCount, 1u);
  EXPECT_EQ(Pending(MSG_GET), 0);  // state 5, feeder still chosen and empty

  // A count set by the application counts down, and an empty tray ends it.
  test::Reconfigure(withPaper.c_str());
  TW_USERINTERFACE ui{};
  ASSERT_EQ(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
  ASSERT_EQ(EnableWithoutUI(), TWRC_SUCCESS);
  g_Session.PendingCount = 3;
  EXPECT_EQ(Pending(MSG_ENDXFER), 2);
  EXPECT_EQ(g_Session.State, 6);
  test::Reconfigure(OneScanner("WQ140", "adf=1 sheets=0").c_str());
  EXPECT_EQ(Pending(MSG_GET), 0);
  EXPECT_EQ(g_Session.State, 6);
}

TEST_F(DsEntryTest, FileTransferSetUp) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  TW_SETUPFILEXFER f;
  memset(&f, 0, sizeof f);
  ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &f), TWRC_SUCCESS);
  EXPECT_STREQ(f.FileName, "C:\\WINDOWS\\TWAIN_32\\TWAIN000.TMP");
  EXPECT_EQ(f.Format, TWFF_BMP);
  EXPECT_EQ(f.VRefNum, -1);

  CopyString(f.FileName, "D:\\Scans\\page1.tif");
  f.Format = TWFF_TIFF;
  ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &f), TWRC_SUCCESS);
  EXPECT_EQ(g_Session.XferMech, TWSX_FILE);
  memset(&f, 0, sizeof f);
  ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &f), TWRC_SUCCESS);
  EXPECT_STREQ(f.FileName, "D:\\Scans\\page1.tif");
  EXPECT_EQ(f.Format, TWFF_TIFF);

  // Only TIFF and BMP.
  f.Format = TWFF_JFIF;
  EXPECT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &f), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);

  // No base name, or no drive: the Windows-directory default stays.
  for (const char* bad : {"D:\\Scans\\", "page.bmp", "\\\\server\\share\\page.bmp"}) {
    CopyString(f.FileName, bad);
    f.Format = TWFF_BMP;
    EXPECT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &f), TWRC_FAILURE) << bad;
    EXPECT_EQ(Condition(), TWCC_BADVALUE) << bad;
    ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &f), TWRC_SUCCESS);
    EXPECT_STREQ(f.FileName, "C:\\WINDOWS\\TWAIN\\TWAIN000.TMP") << bad;
  }

  // A name filling the whole field without a terminator is read within it.
  memset(f.FileName, 'a', sizeof f.FileName);
  f.FileName[0] = 'C';
  f.FileName[1] = ':';
  f.FileName[2] = '\\';
  f.Format = TWFF_BMP;
  EXPECT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &f), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADVALUE);
  // A directory and name that fit are kept whole.
  std::string longDir = "C:\\" + std::string(200, 'd') + "\\scan.bmp";
  CopyString(f.FileName, longDir.c_str());
  ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &f), TWRC_SUCCESS);
  ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, &f), TWRC_SUCCESS);
  EXPECT_EQ(std::string(f.FileName), longDir);

  memset(&f, 0, sizeof f);
  ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GETDEFAULT, &f), TWRC_SUCCESS);
  EXPECT_STREQ(f.FileName, "C:\\WINDOWS\\TWAIN_32\\TWAIN000.TMP");
  EXPECT_EQ(f.Format, TWFF_BMP);
  ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_RESET, &f), TWRC_SUCCESS);
  EXPECT_EQ(g_Session.FileFormat, TWFF_BMP);
  EXPECT_STREQ(g_Session.FileName, "TWAIN000.TMP");
  EXPECT_EQ(Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, nullptr), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADVALUE);
}

TEST_F(DsEntryTest, TransferGroupWritesOnlyItsLowHalf) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_RESET}) {
    uint32_t group = 0xABCD0000u;
    ASSERT_EQ(Call(DG_CONTROL, DAT_XFERGROUP, msg, &group), TWRC_SUCCESS);
    EXPECT_EQ(group, 0xABCD0002u);
  }
  uint32_t group = 0;
  EXPECT_EQ(Call(DG_CONTROL, DAT_XFERGROUP, MSG_SET, &group), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);
}

TEST_F(DsEntryTest, MemoryTransferSetUpFollowsTheImage) {
  TW_SETUPMEMXFER m{};
  EXPECT_EQ(Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &m), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_SEQERROR);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  // A WQ140 starts at 400 dpi in full colour on US letter (213 x 275 units).
  const uint32_t width = 400 * 213 / 25;
  const uint32_t row = (24 * width + 31) / 32 * 4;
  const uint32_t min = 32768 / row < 2 ? 32768 : 2 * row;
  const uint32_t max = 32768 / row * row <= min ? 65535 : 65535 / row * row;
  for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT}) {
    memset(&m, 0, sizeof m);
    ASSERT_EQ(Call(DG_CONTROL, DAT_SETUPMEMXFER, msg, &m), TWRC_SUCCESS);
    EXPECT_EQ(m.MinBufSize, min);
    EXPECT_EQ(m.MaxBufSize, max);
    EXPECT_EQ(m.Preferred, max);
  }
  EXPECT_EQ(g_Session.Geometry.ImageRows, 400u * 275 / 25);
  EXPECT_EQ(Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_SET, &m), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_BADPROTOCOL);
}

TEST_F(DsEntryTest, NoScannerLibraryGives16029AndAllowsARetry) {
  g_TestHost.scanLibMissing = true;
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_NODS);
  ASSERT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(g_TestHost.messages[0], 16029);
  EXPECT_EQ(g_Session.State, 3);
  EXPECT_EQ(g_Settings, nullptr);
  EXPECT_EQ(g_TestHost.liveSettings, 0);
  EXPECT_EQ(g_TestHost.liveModules, 0);

  // The same application may try again (not refused as a second connection).
  g_TestHost.messages.clear();
  g_TestHost.scanLibMissing = false;
  g_TestHost.scanLibWithoutEntry = true;
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_NODS);
  ASSERT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(g_TestHost.messages[0], 16029);
  EXPECT_EQ(g_TestHost.liveModules, 0);
  g_TestHost.scanLibWithoutEntry = false;
  EXPECT_EQ(Open(), TWRC_SUCCESS);

  // Japanese twins with the country code 81.
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  g_TestHost.env.Country = 81;
  g_TestHost.scanLibMissing = true;
  g_TestHost.messages.clear();
  EXPECT_EQ(Open(), TWRC_FAILURE);
  ASSERT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(g_TestHost.messages[0], 17029);
}

TEST_F(DsEntryTest, MemoryAndControlsFailuresGive16030) {
  g_TestHost.allocFails = true;
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_LOWMEMORY);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16030});
  g_TestHost.allocFails = false;
  g_TestHost.toolLibMissing = true;
  g_TestHost.messages.clear();
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_LOWMEMORY);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16030});
  EXPECT_EQ(g_TestHost.liveSettings, 0);
  EXPECT_EQ(g_Session.State, 3);
}

TEST_F(DsEntryTest, EmptyBusLeavesStateThreeAndNoSettings) {
  test::ResetDataSource("adapter 0\n");
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_NODS);
  EXPECT_EQ(g_Session.State, 3);
  EXPECT_EQ(g_Settings, nullptr);
  EXPECT_EQ(g_TestHost.liveSettings, 0);
  EXPECT_EQ(g_TestHost.liveModules, 0);
  EXPECT_FALSE(g_scan.open);
  // The search failed: the settings were written back.
  EXPECT_EQ(MainValue("TWAIN", "ScanMemory"), "32768");
  EXPECT_EQ(g_Session.AppIdentity.Id, 0u);
}

TEST_F(DsEntryTest, NoUsableFamilyScannerGives16011) {
  test::ResetDataSource(
      "adapter 0\ndevice 0:1 scanner model=WQ140 product=\"WQ999\"\n"
      "device 0:2 generic type=cdrom\n");
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_NODS);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16011});
  EXPECT_EQ(g_Session.State, 3);
  EXPECT_EQ(g_TestHost.liveSettings, 0);
  EXPECT_EQ(g_TestHost.liveModules, 0);
}

TEST_F(DsEntryTest, ScannerErrorsDuringAttachShowTheirSenseText) {
  struct Case {
    const char* fault;
    int message;
  } cases[] = {
      {"fault lamp op=0xFF", 16010},
      {"fault empty op=0xFF", 16021},
      {"fault adfcover 1 op=0xFF", 16025},
      {"fault adfcover 0 op=0xFF", 16040},
      {"fault fsucover 0 op=0xFF", 16041},
      {"fault fsucover 2 op=0xFF", 16043},
  };
  for (const Case& c : cases) {
    test::ResetDataSource(
        (std::string("adapter 0\ndevice 0:2 scanner model=WQ140\n") + c.fault + "\n").c_str());
    EXPECT_EQ(Open(), TWRC_SUCCESS) << c.fault;  // the scanner was found
    EXPECT_EQ(g_TestHost.messages, std::vector<int>{c.message}) << c.fault;
    EXPECT_EQ(Close(), TWRC_SUCCESS);
  }
  // The misplaced-film text depends on the model being attached.
  test::ResetDataSource("adapter 0\ndevice 0:2 scanner model=WQ220 fsu=3\nfault fsucover 2 op=0x2A\n");
  EXPECT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16044});
}

TEST_F(DsEntryTest, PaperJamDuringAttachIsRetriedOnOk) {
  test::ResetDataSource("adapter 0\ndevice 0:2 scanner model=WQ140 adf=1\nfault jam op=0xFF\n");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16022});
  EXPECT_EQ(g_ScanJob.AttachResult, kAttachReady);
  EXPECT_EQ(g_ScanJob.Model, 0);
  ASSERT_EQ(Close(), TWRC_SUCCESS);

  // Jammed twice: asked twice. Cancel gives up (the attach reports it).
  test::ResetDataSource(
      "adapter 0\ndevice 0:2 scanner model=WQ140 adf=1\nfault jam op=0xFF times=3\n");
  g_TestHost.answers = {kAnswerOk, kAnswerCancel};
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(g_TestHost.messages, (std::vector<int>{16022, 16022}));
  EXPECT_EQ(g_ScanJob.AttachResult, kAttachNoScanner);
}

TEST_F(DsEntryTest, ConditionCodeBoxOnlyWithTheDebugSwitch) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(Call(DG_CONTROL, DAT_XFERGROUP, MSG_SET, nullptr), TWRC_FAILURE);
  EXPECT_TRUE(g_TestHost.errorBoxes.empty());
  ASSERT_EQ(Close(), TWRC_SUCCESS);

  test::SetValue(kMain, "TWAIN", "Debug", "1");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  TW_USERINTERFACE ui{};
  ui.hParent = reinterpret_cast<TW_HANDLE>(0x77);
  ui.ShowUI = 1;
  Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
  uint32_t group = 0;
  EXPECT_EQ(Call(DG_CONTROL, DAT_XFERGROUP, MSG_SET, &group), TWRC_FAILURE);
  ASSERT_EQ(g_TestHost.errorBoxes.size(), 2u);
  EXPECT_EQ(g_TestHost.errorBoxes[0],
            "General failure in response to MSG_ENABLEDS.  "
            "Low Memory Condition encountered, free up some memory and try again.");
  EXPECT_EQ(g_TestHost.errorBoxes[1],
            "General failure in response to DAT_XFERGROUP, not supported.  Bad protocol error.");
  EXPECT_EQ(g_TestHost.errorOwners[1], reinterpret_cast<void*>(0x77));
  EXPECT_EQ(MainValue("TWAIN", "Debug"), "1");  // kept in the file
}

}  // namespace
}  // namespace wq
