// The "SCSI Information" logic: rows and candidates from device lists built
// by hand and from the scanner library's real bus scan of the virtual bus,
// what OK does with a choice, and the dialog's place in a failed open.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ds/core/dsentry.h"
#include "ds/core/session.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings_store.h"
#include "ds/tests/memory_profile.h"
#include "ds/tests/test_host.h"
#include "ds/ui/scsi_info.h"

namespace wq {
namespace {

using test::g_TestHost;

constexpr const char* kMain = "@WQSC32.INI";

// A device list as the library builds it, from (type, adapter, target, name).
struct Entry {
  int16_t Type;
  uint8_t Board, Target;
  const char* Name;  // up to 28 characters; the rest of the 32 bytes is zero
  size_t Length = 0;  // bytes of Name, when it holds zero bytes
};
struct HandList {
  std::vector<int16_t> types;
  std::vector<char> names;  // 32 bytes an entry
  std::vector<DeviceAddress> addresses;
  DeviceList list{};
  explicit HandList(std::initializer_list<Entry> entries) {
    names.assign(entries.size() * kDeviceNameSize, 0);
    size_t i = 0;
    for (const Entry& e : entries) {
      types.push_back(e.Type);
      memcpy(&names[i++ * kDeviceNameSize], e.Name, e.Length ? e.Length : strnlen(e.Name, 28));
      addresses.push_back(DeviceAddress{0, e.Board, e.Target, 0});
    }
    list.Count = int16_t(types.size());
    list.Types = types.data();
    list.Names = reinterpret_cast<DeviceNameField*>(names.data());
    list.Addresses = addresses.data();
  }
};

TEST(ScsiRows, TypeTextsByPeripheralType) {
  // 0 DISK .. 8 "????"; the qualifier bits (7-5) do not count, and every
  // type above 8 shares the last text.
  const int expected[][2] = {{0, 18064}, {1, 18065}, {5, 18069}, {6, 18070}, {7, 18071},
                             {8, 18072}, {9, 18072}, {31, 18072}, {0x26, 18070}, {0x7F, 18072},
                             {0x60, 18064}};
  for (const auto& e : expected) EXPECT_EQ(TypeTextId(int16_t(e[0])), e[1]) << e[0];
}

TEST(ScsiRows, FieldsCandidatesAndEmptyRows) {
  test::ResetDataSource();
  HandList hand({
      {6, 0, 0, "KORVA   WQ140/131       1.00"},
      {6, 0, 1, "KORVA   WQ210/205       1.00"},  // family, but no identity code
      {6, 0, 2, "KORVA   WQ215/121       1.00"},  // needs the WQ215 switch
      {6, 0, 3, "ACMEIMG FLATBED 2400    3.01"},  // another maker's scanner
      {5, 0, 4, "KORVA   WQ220/221       1.00"},  // not a scanner, whatever its name
      {0x26, 0, 5, "KORVA   WQ490/101       1.00"},  // qualifier bits set
      // Bytes a device may send, in its vendor, product and revision.
      {0, 0, 6, "DISK\x01\x02  " "\x7F   X           " "12\t "},
      // An adapter's own entry: manager, identifier, its parameter bytes.
      {3, 0, 7, "ASPI for" "VSCSI 2940 #0   " "\x00\x00\x02\x08", 28},
      {6, 1, 2, "KORVA   WQ220/081       2.10"},
  });
  BusDevices bus;
  CopyDeviceList(&hand.list, &bus);
  ASSERT_EQ(bus.Count, 9);

  ScsiRow rows[kScsiIdCount];
  AdapterRows(bus, 0, false, rows);
  EXPECT_TRUE(rows[0].Candidate);
  EXPECT_EQ(rows[0].Model, 0);
  EXPECT_STREQ(rows[0].Vendor, "KORVA");
  EXPECT_STREQ(rows[0].Product, "WQ140/131");
  EXPECT_STREQ(rows[0].Revision, "1.00");
  EXPECT_EQ(rows[0].TypeText, 18070);
  // Listed with its texts, but not to be chosen.
  EXPECT_TRUE(rows[1].Exists);
  EXPECT_STREQ(rows[1].Product, "WQ210/205");
  EXPECT_FALSE(rows[1].Candidate);
  EXPECT_EQ(rows[1].Model, -1);
  EXPECT_FALSE(rows[2].Candidate);
  EXPECT_TRUE(rows[3].Exists);
  EXPECT_STREQ(rows[3].Vendor, "ACMEIMG");
  EXPECT_FALSE(rows[3].Candidate);
  EXPECT_EQ(rows[4].TypeText, 18069);
  EXPECT_FALSE(rows[4].Candidate);
  EXPECT_FALSE(rows[5].Candidate);
  EXPECT_EQ(rows[5].TypeText, 18070);
  // Control bytes become blanks; trailing blanks go.
  EXPECT_STREQ(rows[6].Vendor, "DISK");
  EXPECT_STREQ(rows[6].Product, "    X");
  EXPECT_STREQ(rows[6].Revision, "12");
  // The adapter itself is the row of its own id.
  EXPECT_EQ(rows[7].TypeText, 18067);
  EXPECT_STREQ(rows[7].Vendor, "ASPI for");
  EXPECT_STREQ(rows[7].Revision, "");

  // With the switch the "121" scanner is model index 1.
  AdapterRows(bus, 0, true, rows);
  EXPECT_TRUE(rows[2].Candidate);
  EXPECT_EQ(rows[2].Model, 1);
  EXPECT_FALSE(rows[1].Candidate);

  // Adapter 1 is not listed by an entry of its own: no board, but its rows.
  uint8_t boards[4];
  ASSERT_EQ(BusAdapters(bus, boards, 4), 1);
  EXPECT_EQ(boards[0], 0);
  char name[32];
  AdapterName(bus, 0, name, sizeof name);
  EXPECT_STREQ(name, "VSCSI 2940 #0");
  AdapterName(bus, 1, name, sizeof name);
  EXPECT_STREQ(name, "");
  AdapterRows(bus, 1, false, rows);
  for (int id = 0; id < kScsiIdCount; ++id) {
    EXPECT_EQ(rows[id].Exists, id == 2) << id;
    if (id != 2) {
      EXPECT_EQ(rows[id].TypeText, 0);
      EXPECT_STREQ(rows[id].Product, "");
    }
  }
  EXPECT_EQ(rows[2].Model, 2);  // "081"
}

TEST(ScsiRows, BrokenListsGiveAnEmptyBus) {
  test::ResetDataSource();
  BusDevices bus;
  bus.Count = 5;
  CopyDeviceList(nullptr, &bus);
  EXPECT_EQ(bus.Count, 0);
  HandList hand({{6, 0, 0, "KORVA   WQ140/131       1.00"}});
  hand.list.Count = -3;
  CopyDeviceList(&hand.list, &bus);
  EXPECT_EQ(bus.Count, 0);
  hand.list.Count = 1;
  hand.list.Names = nullptr;
  CopyDeviceList(&hand.list, &bus);
  EXPECT_EQ(bus.Count, 0);

  // A list longer than any search can make is cut, not overrun.
  std::vector<int16_t> types(400, 0);
  std::vector<char> names(400 * kDeviceNameSize, 'A');
  std::vector<DeviceAddress> addresses(400);
  DeviceList big{int16_t(400), {}, types.data(), reinterpret_cast<DeviceNameField*>(names.data()),
                 addresses.data()};
  CopyDeviceList(&big, &bus);
  EXPECT_EQ(bus.Count, kBusDevicesMax);
}

// The source opened on the virtual bus through the real scanner library.
class ScsiSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDataSource();
    source = test::ManagerSourceIdentity(3);
  }
  void TearDown() override {
    if (g_Session.State >= 4) Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source);
    test::ShutDownDataSource();
  }
  TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    return DsEntryProc(&app, dg, dat, msg, data);
  }
  TW_UINT16 Open() { return Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source); }
  TW_UINT16 Close() { return Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source); }
  TW_UINT16 Condition() {
    TW_STATUS st{};
    Call(DG_CONTROL, DAT_STATUS, MSG_GET, &st);
    return st.ConditionCode;
  }
  static std::string Value(const char* section, const char* key) {
    std::string v = "<missing>";
    test::GetValue(kMain, section, key, &v);
    return v;
  }
  // Opens the dialog's state as the preference window does.
  void Begin() {
    BeginScsiSelection(&sel, true);
    ASSERT_TRUE(RescanBus(&sel));
  }
  TW_IDENTITY app = test::AppIdentity(7);
  TW_IDENTITY source{};
  ScsiSelection sel;
};

TEST_F(ScsiSelectionTest, TheDefaultBusByAdapterAndId) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  Begin();
  // Two adapters; the scanner in use (the first usable one, a WQ140 at 0:2)
  // is shown and checked.
  uint8_t boards[8];
  ASSERT_EQ(BusAdapters(sel.Bus, boards, 8), 2);
  EXPECT_EQ(boards[0], 0);
  EXPECT_EQ(boards[1], 1);
  EXPECT_EQ(sel.Board, 0);
  EXPECT_EQ(CheckedId(sel), 2);
  EXPECT_TRUE(OkEnabled(sel));
  char name[32];
  AdapterName(sel.Bus, 1, name, sizeof name);
  EXPECT_STREQ(name, "VSCSI 1542 #1");

  // vscsi/default.cfg: 0:2 WQ140, 0:3 WQ215, 0:4 disk, 0:5 CD-ROM, 0:7 the
  // adapter; 1:1 WQ220, 1:2 WQ490, 1:3 WQ210, 1:4 another maker's scanner.
  struct Want {
    int Board, Id, TypeText;
    const char* Vendor;
    const char* Product;
    const char* Revision;
    bool Candidate;
  } want[] = {
      {0, 2, 18070, "KORVA", "WQ140/131", "1.00", true},
      {0, 3, 18070, "KORVA", "WQ215/121", "1.00", false},
      {0, 4, 18064, "VIRTDISK", "VD-1080S", "1.10", false},
      {0, 5, 18069, "VIRTCD", "VCD-ROM 4X", "2.00", false},
      {0, 7, 18067, "ASPI for", "VSCSI 2940 #0", "", false},
      {1, 1, 18070, "KORVA", "WQ220/221", "1.00", true},
      {1, 2, 18070, "KORVA", "WQ490/101", "1.00", true},
      {1, 3, 18070, "KORVA", "WQ210/205", "1.00", false},
      {1, 4, 18070, "ACMEIMG", "FLATBED 2400", "3.01", false},
      {1, 7, 18067, "ASPI for", "VSCSI 1542 #1", "", false},
  };
  for (int board = 0; board < 2; ++board) {
    ScsiRow rows[kScsiIdCount];
    AdapterRows(sel.Bus, uint8_t(board), sel.WQ215, rows);
    for (int id = 0; id < kScsiIdCount; ++id) {
      const Want* w = nullptr;
      for (const Want& c : want)
        if (c.Board == board && c.Id == id) w = &c;
      SCOPED_TRACE(testing::Message() << board << ":" << id);
      ASSERT_EQ(rows[id].Exists, w != nullptr);
      if (!w) continue;
      EXPECT_EQ(rows[id].TypeText, w->TypeText);
      EXPECT_STREQ(rows[id].Vendor, w->Vendor);
      EXPECT_STREQ(rows[id].Product, w->Product);
      EXPECT_STREQ(rows[id].Revision, w->Revision);
      EXPECT_EQ(rows[id].Candidate, w->Candidate);
    }
  }
  // Another adapter shows no check until a choice is made there; the
  // disabled rows cannot be chosen.
  ASSERT_TRUE(ShowAdapter(&sel, 1));
  EXPECT_EQ(CheckedId(sel), -1);
  EXPECT_FALSE(ChooseId(&sel, 3));  // WQ210
  EXPECT_FALSE(ChooseId(&sel, 4));  // ACMEIMG
  EXPECT_FALSE(ChooseId(&sel, 0));  // nothing there
  EXPECT_FALSE(ChooseId(&sel, 8));
  EXPECT_EQ(CheckedId(sel), -1);
  EXPECT_TRUE(ChooseId(&sel, 2));
  EXPECT_EQ(CheckedId(sel), 2);
  EXPECT_FALSE(ShowAdapter(&sel, 5));
  EXPECT_EQ(sel.Board, 1);
  ASSERT_TRUE(ShowAdapter(&sel, 0));
  EXPECT_EQ(CheckedId(sel), -1);  // the choice is on the other adapter
  EXPECT_FALSE(ChooseId(&sel, 3));  // the WQ215 without its switch
}

TEST_F(ScsiSelectionTest, TheScannerInUseClosesWithoutAMessage) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  const ScannerIdentity inUse = g_ScanJob.Remembered;
  Begin();
  g_TestHost.messages.clear();
  EXPECT_EQ(ConfirmScsiChoice(&sel), kScsiOkClose);
  EXPECT_TRUE(g_TestHost.messages.empty());
  EXPECT_FALSE(sel.Reacquire);
  EXPECT_EQ(g_ScanJob.Model, 0);
  EXPECT_EQ(memcmp(&g_ParamBlock.DeviceAddress, inUse.Address, 4), 0);
  EXPECT_EQ(Value("SCSI", "ScannerName"), "<missing>");  // nothing stored
  // The scanner still scans after the bus scan and the re-read.
  EXPECT_TRUE(ScannerResponds());
}

TEST_F(ScsiSelectionTest, AnotherScannerAsksAndCancelRestoresTheChoice) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  Begin();
  ASSERT_TRUE(ShowAdapter(&sel, 1));
  ASSERT_TRUE(ChooseId(&sel, 1));  // the WQ220
  g_TestHost.messages.clear();
  g_TestHost.answers = {kAnswerCancel};
  EXPECT_EQ(ConfirmScsiChoice(&sel), kScsiOkStay);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16006});
  // Back on the scanner in use, shown on its own adapter.
  EXPECT_EQ(sel.Board, 0);
  EXPECT_EQ(CheckedId(sel), 2);
  EXPECT_FALSE(sel.Reacquire);
  EXPECT_EQ(Value("SCSI", "TargetID"), "<missing>");

  ASSERT_TRUE(ShowAdapter(&sel, 1));
  ASSERT_TRUE(ChooseId(&sel, 1));
  g_TestHost.messages.clear();
  EXPECT_EQ(ConfirmScsiChoice(&sel), kScsiOkClose);  // answered OK
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16006});
  EXPECT_TRUE(sel.Reacquire);
  // Both records, in memory and in the file at once.
  for (const char* suffix : {"", "2"}) {
    SCOPED_TRACE(suffix);
    EXPECT_EQ(Value("SCSI", (std::string("ScannerName") + suffix).c_str()),
              "KORVA   WQ220/221       1.00");
    EXPECT_EQ(Value("SCSI", (std::string("BoardID") + suffix).c_str()), "1");
    EXPECT_EQ(Value("SCSI", (std::string("TargetID") + suffix).c_str()), "1");
    EXPECT_EQ(Value("SCSI", (std::string("TargetLUN") + suffix).c_str()), "0");
  }
  EXPECT_EQ(g_Main.Scanner.Address[1], 1);
  EXPECT_EQ(g_Main.Scanner2.Address[2], 1);

  // The next open uses the choice.
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_TRUE(g_ScanJob.FoundConfigured);
  EXPECT_EQ(g_ScanJob.Model, 2);
  EXPECT_EQ(g_ScanJob.Remembered.Address[1], 1);
  EXPECT_EQ(g_ScanJob.Remembered.Address[2], 1);
  // And the dialog now checks it.
  Begin();
  EXPECT_EQ(sel.Board, 1);
  EXPECT_EQ(CheckedId(sel), 1);
}

TEST_F(ScsiSelectionTest, TheWQ215SwitchDecidesWhetherCode121CanBeChosen) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  Begin();
  EXPECT_FALSE(ChooseId(&sel, 3));
  ASSERT_EQ(Close(), TWRC_SUCCESS);

  test::SetValue(kMain, "TWAIN", "WQ215", "1");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  Begin();
  ASSERT_TRUE(ChooseId(&sel, 3));
  ScsiRow rows[kScsiIdCount];
  AdapterRows(sel.Bus, 0, sel.WQ215, rows);
  EXPECT_EQ(rows[3].Model, 1);
  EXPECT_EQ(ConfirmScsiChoice(&sel), kScsiOkClose);
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(g_ScanJob.Model, 1);
  EXPECT_EQ(g_ScanJob.Remembered.Address[2], 3);

  // The switch gone again: the remembered WQ215 answers selector 3 but has
  // no model index; the dialog does not offer it.
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  test::SetValue(kMain, "TWAIN", "WQ215", "0");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  Begin();
  EXPECT_EQ(CheckedId(sel), -1);
  EXPECT_FALSE(ChooseId(&sel, 3));
}

TEST_F(ScsiSelectionTest, TheSameAddressWithOtherHardwareIsAChange) {
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  // The WQ140 at 0:2 loses its feeder while the source is open.
  test::Reconfigure("adapter 0 id=7\ndevice 0:2 scanner model=WQ140\n");
  Begin();
  ASSERT_EQ(CheckedId(sel), 2);
  g_TestHost.messages.clear();
  g_TestHost.answers = {kAnswerOk};
  EXPECT_EQ(ConfirmScsiChoice(&sel), kScsiOkClose);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16006});
  EXPECT_TRUE(sel.Reacquire);

  // Another model at the address: a change as well (Japanese text now).
  ASSERT_EQ(Close(), TWRC_SUCCESS);
  g_TestHost.env.Country = 81;
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  test::Reconfigure("adapter 0 id=7\ndevice 0:2 scanner model=WQ490\n");
  Begin();
  ASSERT_EQ(CheckedId(sel), 2);
  g_TestHost.messages.clear();
  g_TestHost.answers = {kAnswerCancel};
  EXPECT_EQ(ConfirmScsiChoice(&sel), kScsiOkStay);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{17006});
  EXPECT_FALSE(sel.Reacquire);
}

TEST_F(ScsiSelectionTest, ABusWithoutFamilyScannersOffersNothing) {
  test::ResetDataSource(
      "adapter 0 id=7\ndevice 0:1 generic type=disk\n"
      "device 0:3 generic type=scanner vendor=\"ACMEIMG\" product=\"FLATBED 2400\"\n");
  BeginScsiSelection(&sel, false);
  // No library: the scan fails and every row is empty.
  EXPECT_FALSE(RescanBus(&sel));
  EXPECT_EQ(sel.Bus.Count, 0);
  EXPECT_FALSE(OkEnabled(sel));

  ASSERT_TRUE(LoadScannerLibrary());
  ASSERT_TRUE(RescanBus(&sel));
  ScsiRow rows[kScsiIdCount];
  AdapterRows(sel.Bus, sel.Board, sel.WQ215, rows);
  EXPECT_TRUE(rows[1].Exists);
  EXPECT_TRUE(rows[3].Exists);
  EXPECT_FALSE(OkEnabled(sel));
  EXPECT_EQ(CheckedId(sel), -1);
  // OK with nothing chosen applies nothing and asks nothing.
  EXPECT_EQ(ConfirmScsiChoice(&sel), kScsiOkClose);
  EXPECT_TRUE(g_TestHost.messages.empty());
  EXPECT_EQ(Value("SCSI", "ScannerName"), "<missing>");
  UnloadScannerLibrary();
}

// The dialog's entry as a failed open calls it: what it finds then.
struct AtSelection {
  int Runs;
  bool LibraryLoaded;
  bool SettingsAlive;
  std::string WrittenBefore;
  bool Choose;  // pick the scanner the bus gains meanwhile
};
AtSelection g_At;

void RecordSelection() {
  ++g_At.Runs;
  g_At.LibraryLoaded = ScannerLibraryLoaded();
  g_At.SettingsAlive = g_Settings != nullptr;
  g_At.WrittenBefore = "<missing>";
  test::GetValue(kMain, "TWAIN", "ScanMemory", &g_At.WrittenBefore);
  if (!g_At.Choose) return;
  ScsiSelection sel;
  BeginScsiSelection(&sel, false);
  test::Reconfigure("adapter 0 id=7\ndevice 0:1 generic type=disk\n"
                    "device 0:6 scanner model=WQ490\n");
  if (!RescanBus(&sel) || !OkEnabled(sel) || !ChooseId(&sel, 6)) return;
  ConfirmScsiChoice(&sel);
}

TEST_F(ScsiSelectionTest, AFailedSearchRunsTheDialogBeforeLettingGo) {
  test::ResetDataSource("adapter 0 id=7\ndevice 0:1 generic type=disk\n");
  g_At = AtSelection{};
  g_Host.SelectScanner = RecordSelection;
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(Condition(), TWCC_NODS);
  EXPECT_EQ(g_At.Runs, 1);
  EXPECT_TRUE(g_At.LibraryLoaded);
  EXPECT_TRUE(g_At.SettingsAlive);
  EXPECT_EQ(g_At.WrittenBefore, "32768");
  // Nothing stays behind.
  EXPECT_EQ(g_TestHost.liveModules, 0);
  EXPECT_EQ(g_TestHost.liveSettings, 0);
  EXPECT_FALSE(ScannerLibraryLoaded());
  EXPECT_EQ(g_Session.State, 3);
  EXPECT_TRUE(g_TestHost.messages.empty());

  // The search finds a family scanner, usable or not: no dialog.
  test::Reconfigure("adapter 0 id=7\ndevice 0:1 scanner model=WQ140 product=\"WQ999\"\n");
  EXPECT_EQ(Open(), TWRC_FAILURE);
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16011});
  EXPECT_EQ(g_At.Runs, 1);
  test::Reconfigure("adapter 0 id=7\ndevice 0:1 scanner model=WQ220\n");
  EXPECT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_EQ(g_At.Runs, 1);
}

TEST_F(ScsiSelectionTest, AChoiceMadeAfterAFailedSearchIsUsedNextTime) {
  test::ResetDataSource("adapter 0 id=7\ndevice 0:1 generic type=disk\n");
  g_At = AtSelection{};
  g_At.Choose = true;
  g_Host.SelectScanner = RecordSelection;
  EXPECT_EQ(Open(), TWRC_FAILURE);  // the open itself still fails
  EXPECT_EQ(Condition(), TWCC_NODS);
  ASSERT_EQ(g_At.Runs, 1);
  EXPECT_EQ(Value("SCSI", "TargetID"), "6");
  EXPECT_EQ(Value("SCSI", "TargetID2"), "6");
  // Asked as any change is: the open fails, the choice counts from the next.
  EXPECT_EQ(g_TestHost.messages, std::vector<int>{16006});
  EXPECT_EQ(g_TestHost.liveModules, 0);
  EXPECT_EQ(g_TestHost.liveSettings, 0);
  // The bus now holds a WQ140 first and the WQ490 at 0:6: the choice wins.
  test::Reconfigure("adapter 0 id=7\ndevice 0:2 scanner model=WQ140\n"
                    "device 0:6 scanner model=WQ490\n");
  ASSERT_EQ(Open(), TWRC_SUCCESS);
  EXPECT_TRUE(g_ScanJob.FoundConfigured);
  EXPECT_EQ(g_ScanJob.Model, 3);
}

}  // namespace
}  // namespace wq
