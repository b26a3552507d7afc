// The data source through Wine's TWAIN manager, as an application meets it:
// listing, opening on the virtual bus, states and pending transfers, the
// transfer-ready request through the message loop, the settings file, the
// message boxes of the failure paths (read off the screen) and the trace.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ds/tests/builtin_text.h"
#include "ds/tests/win/manager_fixture.h"
#include "ds/tests/win/scsi_watch.h"

namespace wq {
namespace {

using namespace wine;

TEST_F(ManagerTest, ListsTheSourceOnceWithItsIdentity) {
  int found = 0;
  for (const TW_IDENTITY& id : TwAppListSources(&app)) {
    if (strcmp(id.ProductName, "KORVA TWAIN32") != 0) continue;
    ++found;
    EXPECT_STREQ(id.Manufacturer, "KORVA Corpration");
    EXPECT_STREQ(id.ProductFamily, "WQ Series");
    EXPECT_EQ(id.Version.MajorNum, 2);
    EXPECT_EQ(id.Version.MinorNum, 0);
    EXPECT_EQ(id.Version.Language, TWLG_USA);
    EXPECT_EQ(id.Version.Country, TWCY_JAPAN);
    EXPECT_STREQ(id.Version.Info, "Version 2.00 Aug.6,1997");
    EXPECT_EQ(id.ProtocolMajor, 1);
    EXPECT_EQ(id.ProtocolMinor, 5);
    TW_UINT32 groups;
    memcpy(&groups, &id.SupportedGroups, sizeof groups);
    EXPECT_EQ(groups, TW_UINT32(DG_CONTROL | DG_IMAGE));
  }
  EXPECT_EQ(found, 1) << "through " << app.ManagerName;
}

// The application holds both managers, as one may (Windows' own beside the
// official one it opened): the source's requests come through the one
// that opened it, and nothing reaches the other.
TEST_F(ManagerTest, RequestsComeThroughTheManagerThatOpenedTheSource) {
  const char* other = strcmp(app.ManagerName, "TWAINDSM.DLL") == 0 ? "TWAIN_32.DLL" : "TWAINDSM.DLL";
  HMODULE second = LoadLibraryA(other);
  if (!second && strcmp(other, "TWAINDSM.DLL") == 0)  // the official one, from the tree
    second = LoadLibraryA(SourceTreePath(sizeof(void*) == 8 ? "third_party/twain-dsm/win64/TWAINDSM.dll"
                                                            : "third_party/twain-dsm/win32/TWAINDSM.dll")
                              .c_str());
  if (!second) GTEST_SKIP() << "no " << other << " beside " << app.ManagerName;
  ASSERT_NO_FATAL_FAILURE(OpenAndEnable());  // MSG_XFERREADY arrived
  TW_UINT16 rc;
  Pending(MSG_ENDXFER, &rc);
  EXPECT_EQ(rc, TWRC_SUCCESS);  // state 6
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  FreeLibrary(second);
}

TEST_F(ManagerTest, OpensAndIdentifiesEachModel) {
  struct Case {
    const char* model;
    const char* index;
  } cases[] = {{"WQ140", "0"}, {"WQ215", "1"}, {"WQ220", "2"}, {"WQ490", "3"}};
  for (const Case& c : cases) {
    RemoveSettingsFiles();
    ASSERT_TRUE(ConfigureBus(OneScanner(c.model).c_str()));
    SetIni(MainIni(), "TWAIN", "WQ215", "1");
    ASSERT_EQ(Open(), TWRC_SUCCESS) << c.model;
    EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SUCCESS);
    ASSERT_EQ(Close(), TWRC_SUCCESS) << c.model;
    EXPECT_EQ(GetIni(MainIni(), "Scanner", "Model"), c.index) << c.model;
    EXPECT_EQ(GetIni(MainIni(), "SCSI", "TargetID2"), "4") << c.model;
    EXPECT_EQ(GetIni(MainIni(), "SCSI", "ScannerName2").substr(0, 13),
              std::string("KORVA   ") + c.model);
  }
}

TEST_F(ManagerTest, StatusAndPendingTransfersOnAFlatbed) {
  ASSERT_TRUE(ConfigureBus(OneScanner("WQ220").c_str()));
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(Pending(MSG_GET), -1);  // state 4
  TW_UINT16 rc;
  Pending(MSG_ENDXFER, &rc);
  EXPECT_EQ(rc, TWRC_FAILURE);
  EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SEQERROR);
  EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SUCCESS);  // reported once

  ASSERT_EQ(Enable(false), TWRC_SUCCESS);
  ASSERT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 5000));
  EXPECT_EQ(Pending(MSG_GET), 0);  // state 6
  EXPECT_EQ(Pending(MSG_ENDXFER, &rc), 0);
  EXPECT_EQ(rc, TWRC_SUCCESS);
  EXPECT_EQ(Pending(MSG_GET), -1);  // state 5
  EXPECT_EQ(Enable(false), TWRC_FAILURE);
  EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SEQERROR);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  EXPECT_EQ(Disable(), TWRC_FAILURE);  // state 4 now
  EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SEQERROR);
  // A different application identity is turned away; the status stays.
  // (The official manager hands the source its own record of the
  // application whatever the caller claims, so the source sees no other.)
  TW_IDENTITY other = app.App;
  other.Id = 77;
  TW_STATUS st{};
  if (strcmp(app.ManagerName, "TWAIN_32.DLL") == 0) {
    EXPECT_EQ(app.Entry(&other, &app.Source, DG_CONTROL, DAT_STATUS, MSG_GET, &st), TWRC_FAILURE);
  }
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

TEST_F(ManagerTest, PendingTransfersWithTheFeeder) {
  ASSERT_TRUE(ConfigureBus(OneScanner("WQ140", "adf=1 sheets=3").c_str()));
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(Pending(MSG_GET), -1);
  ASSERT_EQ(Enable(false), TWRC_SUCCESS);
  ASSERT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 5000));
  EXPECT_EQ(Pending(MSG_GET), -1);
  // Paper present: the count stays and so does the state.
  EXPECT_EQ(Pending(MSG_ENDXFER), -1);
  TW_UINT16 rc;
  EXPECT_EQ(Pending(MSG_ENDXFER, &rc), -1);
  EXPECT_EQ(rc, TWRC_SUCCESS);  // still state 6
  // The tray is empty: the batch ends in state 5.
  ASSERT_TRUE(ConfigureBus(OneScanner("WQ140", "adf=1 sheets=0").c_str()));
  EXPECT_EQ(Pending(MSG_ENDXFER), 0);
  EXPECT_EQ(Pending(MSG_GET), 0);  // state 5 with the feeder chosen and empty
  Pending(MSG_ENDXFER, &rc);
  EXPECT_EQ(rc, TWRC_FAILURE);
  EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SEQERROR);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

TEST_F(ManagerTest, EnableWithTheWindowWaitsForTheUser) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  TW_USERINTERFACE ui{};
  ui.ShowUI = 1;
  ui.ModalUI = 1;
  ui.hParent = app.Window;
  EXPECT_EQ(TwAppCall(&app, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_SUCCESS);
  EXPECT_EQ(ui.ModalUI, 0);  // the source runs modeless
  // Nothing is ready until the user presses Scan.
  EXPECT_FALSE(TwAppWaitForRequest(&app, MSG_XFERREADY, 300));
  TW_UINT16 rc;
  Pending(MSG_ENDXFER, &rc);
  EXPECT_EQ(rc, TWRC_FAILURE);
  EXPECT_EQ(TwAppSourceCondition(&app), TWCC_SEQERROR);
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  // Back in state 4: enabling without the window works.
  ASSERT_EQ(Enable(false), TWRC_SUCCESS);
  EXPECT_TRUE(TwAppWaitForRequest(&app, MSG_XFERREADY, 5000));
}

TEST_F(ManagerTest, CloseWritesTheMainSettingsFile) {
  EXPECT_FALSE(FileExists(MainIni()));
  SetIni(MainIni(), "TWAIN", "ScanMemory", "4096");
  SetIni(MainIni(), "TWAIN", "NearFull", "12ab");
  SetIni(MainIni(), "TWAIN", "DebugSCSI", "0");
  OpenAndEnable();
  ASSERT_EQ(Disable(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "ScanMemory"), "8192");
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "NearFull"), "215104");
  EXPECT_EQ(GetIni(MainIni(), "Preference", "Edges"), "2");
  EXPECT_EQ(GetIni(MainIni(), "Preference", "Units"), "0");
  EXPECT_EQ(GetIni(MainIni(), "SCSI", "AutoErrorCheck"), "1");
  EXPECT_EQ(GetIni(MainIni(), "User", "WorkDrive"), SourceDir());
  EXPECT_EQ(GetIni(MainIni(), "Scanner", "Model"), "0");
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "DebugSH"), "<missing>");  // never written

  // ScanMemory above the limit comes back as 32768.
  SetIni(MainIni(), "TWAIN", "ScanMemory", "65536");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "ScanMemory"), "32768");
}

struct BoxCase {
  const char* bus;
  bool hideLibrary;
  std::vector<int> buttons;
  TW_UINT16 openResult;
  std::vector<int> messages;  // ids of the texts the boxes show
  const char* errorBox;       // the condition-code box, or null
};

class FailureTest : public ManagerTest {
 protected:
  // Runs MSG_OPENDS and returns the texts of both kinds of box.
  void OpenWatched(const BoxCase& c, std::vector<std::wstring>* texts,
                   std::vector<std::wstring>* errorTexts) {
    for (int b : c.buttons) BoxWatchAnswer(&boxes, b);
    ASSERT_TRUE(ConfigureBus(c.bus));
    {
      std::optional<HiddenFile> library;
      if (c.hideLibrary) library.emplace(SourceDir() + "WQSCSI32.DLL");
      EXPECT_EQ(Open(), c.openResult);
    }
    *texts = BoxWatchTake(&boxes);
    *errorTexts = BoxWatchTake(&errors);
  }
  void Check(const BoxCase& c, int offset) {
    std::vector<std::wstring> texts, errorTexts;
    OpenWatched(c, &texts, &errorTexts);
    ASSERT_EQ(texts.size(), c.messages.size());
    for (size_t i = 0; i < texts.size(); ++i)
      EXPECT_EQ(texts[i], Wide(test::FindBuiltinText(c.messages[i] + offset)))
          << Utf8(texts[i]);
    if (c.errorBox) {
      ASSERT_EQ(errorTexts.size(), 1u);
      EXPECT_EQ(Utf8(errorTexts[0]), c.errorBox);
    } else {
      EXPECT_TRUE(errorTexts.empty());
    }
    if (app.SourceOpen) {
      ASSERT_EQ(Close(), TWRC_SUCCESS);
    }
  }
};

TEST_F(FailureTest, MessagesInEnglishAndJapanese) {
  const std::string lamp = "adapter 0\ndevice 0:2 scanner model=WQ140\nfault lamp op=0xFF\n";
  const std::string unusable =
      "adapter 0\ndevice 0:1 scanner model=WQ140 product=\"WQ999\"\ndevice 0:2 generic type=cdrom\n";
  const std::string cover = "adapter 0\ndevice 0:2 scanner model=WQ140 adf=1\nfault adfcover 1 op=0xFF\n";
  const BoxCase cases[] = {
      {DefaultBus(), true, {}, TWRC_FAILURE, {16029},
       "General failure in response to MSG_OPENDS.  No Data Source found error."},
      {unusable.c_str(), false, {}, TWRC_FAILURE, {16011},
       "General failure in response to MSG_OPENDS.  No Data Source found error."},
      {lamp.c_str(), false, {}, TWRC_SUCCESS, {16010}, nullptr},
      {cover.c_str(), false, {}, TWRC_SUCCESS, {16025}, nullptr},
  };
  for (int japanese = 0; japanese < 2; ++japanese) {
    for (const BoxCase& c : cases) {
      RemoveSettingsFiles();
      SetIni(MainIni(), "TWAIN", "Debug", "1");
      SetCountry(japanese ? 81 : 1);
      Check(c, japanese ? 1000 : 0);
    }
  }
}

TEST_F(FailureTest, TheEnglishTextsAreTheDocumentedOnes) {
  std::vector<std::wstring> texts, errorTexts;
  OpenWatched({DefaultBus(), true, {}, TWRC_FAILURE, {16029}, nullptr}, &texts, &errorTexts);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], L"Can't find SCSI manager.\n Please install SCSI manager.");
  SetCountry(81);
  OpenWatched({"adapter 0\ndevice 0:1 scanner model=WQ140 product=\"WQ999\"\n", false, {},
               TWRC_FAILURE, {16011}, nullptr},
              &texts, &errorTexts);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], L"スキャナが見つかりません。\nケーブルの接続またはスキャナを確認してください。");
}

TEST_F(FailureTest, PaperJamDuringAttachIsAskedAndRetried) {
  BoxCase c{"adapter 0\ndevice 0:2 scanner model=WQ140 adf=1\nfault jam op=0xFF times=2\n",
            false, {IDOK, IDOK}, TWRC_SUCCESS, {16022, 16022}, nullptr};
  Check(c, 0);
  BoxCase cancel{"adapter 0\ndevice 0:2 scanner model=WQ140 adf=1\nfault jam op=0xFF\n",
                 false, {IDCANCEL}, TWRC_SUCCESS, {16022}, nullptr};
  Check(cancel, 0);
}

TEST_F(FailureTest, AFailedOpenDoesNotLockTheApplicationOut) {
  BoxCase c{DefaultBus(), true, {}, TWRC_FAILURE, {16029}, nullptr};
  Check(c, 0);
  // The same application tries again once the library is back.
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

TEST_F(FailureTest, AnEmptyBusLeavesTheSourceClosed) {
  BoxCase c{"adapter 0\n", false, {}, TWRC_FAILURE, {}, nullptr};
  // The scanner-selection dialog of a failed search, closed by the user.
  scsitest::ScsiWatch selection;
  scsitest::ScsiWatchStart(&selection, scsitest::ClickCancel);
  Check(c, 0);
  EXPECT_TRUE(scsitest::ScsiWatchFinish(&selection));
  // The settings were written back before the open failed.
  EXPECT_EQ(GetIni(MainIni(), "TWAIN", "ScanMemory"), "32768");
  // Nothing was left behind: a scanner on the bus opens at once.
  ASSERT_TRUE(ConfigureBus(DefaultBus()));
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
}

}  // namespace
}  // namespace wq
