// Selectors 1 to 5 and 23, the prologue and the epilogue, on the virtual bus.
#include <cstring>
#include <string>

#include "scanlib/state.h"
#include "scanlib/tests/bus_harness.h"

using lt::Bus;

namespace {
std::string NameOf(const char* name32) { return std::string(name32, 28); }
}  // namespace

TEST_F(Bus, OpenSucceedsWithAWorkingManager) {
  Configure(lt::kOneOfEachBus);
  EXPECT_EQ(Call(kSelOpen), 0);
  EXPECT_EQ(Call(kSelOpen), 0);  // already open: nothing happens
  EXPECT_EQ(VscsiWireCount(), 0u);
}

TEST_F(Bus, OpenFailsWithoutAManagerAndRunsNothing) {
  Configure(lt::kOneOfEachBus);
  g_testPlatform.supportInfo = nullptr;  // the manager file is missing
  g_testPlatform.sendCommand = nullptr;
  EXPECT_EQ(Call(kSelOpen), -41);
  // Any later call tries to open again and still reports the missing manager.
  EXPECT_EQ(Call(kSelDeviceSearch), -41);
  EXPECT_EQ(Call(kSelGetParameters), -41);
  EXPECT_EQ(VscsiWireCount(), 0u);
  EXPECT_EQ(block.ScannerList, nullptr);
}

TEST_F(Bus, OpenFailsWhenTheManagerReportsAnotherSupportStatus) {
  Configure("bus status=0xE8\nadapter 0\ndevice 0:2 scanner model=WQ140\n");
  EXPECT_EQ(Call(kSelOpen), -41);
  // A working manager later: the same state is used, nothing leaks.
  Configure(lt::kOneOfEachBus);
  EXPECT_EQ(Call(kSelOpen), 0);
}

TEST_F(Bus, FamilySearchListsOnlyThisFamilysScannersInBusOrder) {
  Configure(lt::kOneOfEachBus);
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  const ScannerList* list = block.ScannerList;
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count, 5);
  EXPECT_EQ(list->Selected, 0);
  const int where[5][2] = {{0, 2}, {0, 3}, {1, 1}, {1, 2}, {1, 3}};
  const char* names[5] = {"KORVA   WQ140/131       1.00", "KORVA   WQ215/121       1.00",
                          "KORVA   WQ220/221       1.00", "KORVA   WQ490/101       1.00",
                          "KORVA   WQ210/205       1.00"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(list->Addresses[i].HostAdapter, where[i][0]) << i;
    EXPECT_EQ(list->Addresses[i].Target, where[i][1]) << i;
    EXPECT_EQ(list->Addresses[i].Lun, 0) << i;
    EXPECT_EQ(NameOf(list->Names[i]), names[i]) << i;
    for (int k = 28; k < 32; ++k) EXPECT_EQ(list->Names[i][k], 0);
  }
  EXPECT_EQ(block.DeviceList, nullptr);
}

TEST_F(Bus, AllDeviceSearchListsEveryAnsweringDeviceAndEachAdapterOnce) {
  Configure(lt::kOneOfEachBus);
  ASSERT_EQ(Call(kSelDeviceAllSearch), 0);
  const DeviceList* list = block.DeviceList;
  ASSERT_NE(list, nullptr);
  // Adapter 0: 2, 3, 4, 5, its own id 7; adapter 1: 1, 2, 3, 4, 7.
  ASSERT_EQ(list->Count, 10);
  const int types[10] = {6, 6, 0, 5, 3, 6, 6, 6, 6, 3};
  const int targets[10] = {2, 3, 4, 5, 7, 1, 2, 3, 4, 7};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(list->Types[i], types[i]) << i;
    EXPECT_EQ(list->Addresses[i].Target, targets[i]) << i;
    EXPECT_EQ(list->Addresses[i].HostAdapter, i < 5 ? 0 : 1) << i;
  }
  EXPECT_EQ(NameOf(list->Names[8]), std::string("ACMEIMG FLATBED 2400    3.01"));
  // An adapter's own entry: manager id (8), adapter identifier (16), four
  // bytes of its unique parameters, four zero bytes.
  char expect[32] = {};
  std::memcpy(expect, "ASPI for", 8);
  std::memcpy(expect + 8, "VSCSI 1542 #1   ", 16);
  expect[26] = 0x02;
  expect[27] = 8;
  EXPECT_EQ(std::memcmp(list->Names[9], expect, 32), 0);
  EXPECT_EQ(block.ScannerList, nullptr);
}

TEST_F(Bus, AnotherMakersScannerIsAnyDeviceButNotAFamilyScanner) {
  Configure("adapter 0\ndevice 0:4 generic type=scanner vendor=\"ACMEIMG\" product=\"WQ140\"\n"
            "device 0:5 generic type=disk vendor=\"KORVA\" product=\"WQ140/131\"\n");
  EXPECT_EQ(Call(kSelDeviceSearch), -1);
  EXPECT_EQ(block.ScannerList, nullptr);
  ASSERT_EQ(Call(kSelDeviceAllSearch), 0);
  EXPECT_EQ(block.DeviceList->Count, 3);  // two devices and the adapter
}

TEST_F(Bus, AdaptersWhoseOwnIdIs255AreSkipped) {
  Configure("adapter 0 id=255\nadapter 1\n"
            "device 0:2 scanner model=WQ140\ndevice 1:3 scanner model=WQ220\n");
  ASSERT_EQ(Call(kSelDeviceAllSearch), 0);
  ASSERT_EQ(block.DeviceList->Count, 2);  // 1:3 and adapter 1 itself
  EXPECT_EQ(block.DeviceList->Addresses[0].HostAdapter, 1);
  for (const lt::Wire& w : Wires()) EXPECT_EQ(w.record.hostAdapter, 1);
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  ASSERT_EQ(block.ScannerList->Count, 1);
  EXPECT_EQ(block.ScannerList->Addresses[0].Target, 3);
}

TEST_F(Bus, OnlyTheFirstTenAdaptersAreSearched) {
  std::string text;
  for (int a = 0; a < 12; ++a) text += "adapter " + std::to_string(a) + "\n";
  text += "device 9:1 scanner model=WQ140\ndevice 10:1 scanner model=WQ220\n";
  Configure(text.c_str());
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  ASSERT_EQ(block.ScannerList->Count, 1);
  EXPECT_EQ(block.ScannerList->Addresses[0].HostAdapter, 9);
}

TEST_F(Bus, EmptyBusesGiveNotFoundAndNoLists) {
  Configure("adapter 0\n");
  EXPECT_EQ(Call(kSelDeviceSearch), -1);
  EXPECT_EQ(block.ScannerList, nullptr);
  EXPECT_EQ(Call(kSelDeviceAllSearch), 0);  // the adapter itself answers
  Configure("adapter 0 id=255\n");
  EXPECT_EQ(Call(kSelDeviceAllSearch), -1);
  EXPECT_EQ(block.DeviceList, nullptr);
}

TEST_F(Bus, SelectorSixBeforeAnySearchOnAnEmptyBusRunsNothingElse) {
  Configure("adapter 0 id=255\n");
  block.DebugSCSI = 2;
  g_testPlatform.workDrive = "C:\\";
  EXPECT_EQ(Call(kSelGetParameters), -1);
  EXPECT_EQ(VscsiWireCount(), 0u);
  ASSERT_EQ(g_testPlatform.fileLines.size(), 1u);
  EXPECT_EQ(g_testPlatform.fileLines[0], "\tDevice Not found !!");
}

TEST_F(Bus, DeviceOperationsWithoutAChosenScannerReportNotFound) {
  Configure(lt::kOneOfEachBus);
  // The implicit search lists all devices; no scanner has been chosen.
  EXPECT_EQ(Call(kSelScannerReserve), -1);
  EXPECT_NE(block.DeviceList, nullptr);
  EXPECT_TRUE(WiresOf(0x16).empty());
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  block.ScannerList->Selected = 5;  // out of range
  EXPECT_EQ(Call(kSelScannerReserve), -1);
  block.ScannerList->Selected = -1;
  EXPECT_EQ(Call(kSelScannerReserve), -1);
  EXPECT_TRUE(WiresOf(0x16).empty());
  block.ScannerList->Selected = 1;
  EXPECT_EQ(Call(kSelScannerReserve), 0);
  ASSERT_EQ(WiresOf(0x16).size(), 1u);
  EXPECT_EQ(WiresOf(0x16)[0].record.target, 3);
}

TEST_F(Bus, VerifyMatchesTheFirst27NameBytesAndLeavesAOneEntryList) {
  Configure(lt::kOneOfEachBus);
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  std::memcpy(block.DeviceName, "KORVA   WQ220/221       1.0X", 28);  // byte 27 differs
  block.DeviceAddress = DeviceAddress{0, 1, 1, 0};
  ASSERT_EQ(Call(kSelDeviceEqlByte), 0);
  ASSERT_EQ(block.ScannerList->Count, 1);
  EXPECT_EQ(block.ScannerList->Addresses[0].Target, 1);
  EXPECT_EQ(NameOf(block.ScannerList->Names[0]), "KORVA   WQ220/221       1.0X");

  std::memcpy(block.DeviceName, "KORVA   WQ220/221       1.X0", 28);  // byte 26 differs
  EXPECT_EQ(Call(kSelDeviceEqlByte), -1);
  std::memcpy(block.DeviceName, "VIRTDISK", 8);
  block.DeviceAddress = DeviceAddress{0, 0, 4, 0};  // a disk, not type 6
  EXPECT_EQ(Call(kSelDeviceEqlByte), -1);
  block.DeviceAddress = DeviceAddress{0, 0, 6, 0};  // nobody there
  EXPECT_EQ(Call(kSelDeviceEqlByte), -1);
  EXPECT_EQ(block.SenseKey, 0);
  // The list of the successful verification stays.
  ASSERT_NE(block.ScannerList, nullptr);
  EXPECT_EQ(block.ScannerList->Count, 1);
}

TEST_F(Bus, CloseFreesBothListsAndTheNextCallOpensAgain) {
  Configure(lt::kOneOfEachBus);
  ASSERT_EQ(Call(kSelDeviceAllSearch), 0);
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  EXPECT_GT(g_testPlatform.liveBlocks, 0);
  ScanLibEntry(kSelClose, &block);
  EXPECT_EQ(block.ScannerList, nullptr);
  EXPECT_EQ(block.DeviceList, nullptr);
  EXPECT_EQ(g_testPlatform.liveBlocks, 0);
  EXPECT_FALSE(g_scan.open);
  // Implicit open, then the search.
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  EXPECT_TRUE(g_scan.open);
  EXPECT_EQ(block.ScannerList->Count, 5);
}

TEST_F(Bus, ANullBlockDoesNothing) {
  Configure(lt::kOneOfEachBus);
  ScanLibEntry(kSelDeviceSearch, nullptr);
  ScanLibEntry(kSelOpen, nullptr);
  EXPECT_FALSE(g_scan.open);
  EXPECT_EQ(g_scan.state, nullptr);
  EXPECT_EQ(VscsiWireCount(), 0u);
}

TEST_F(Bus, AdapterIdentifierOfTheFirstListedScanner) {
  Configure(lt::kOneOfEachBus);
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  std::memcpy(block.DeviceName, "KORVA   WQ490/101       1.00", 28);
  block.DeviceAddress = DeviceAddress{0, 1, 2, 0};
  ASSERT_EQ(Call(kSelDeviceEqlByte), 0);
  uint8_t buf[40];
  std::memset(buf, 0xEE, sizeof buf);
  block.ReadBuffer = buf;
  block.ReadSize = 5;
  ASSERT_EQ(Call(kSelAdapterIdentifier), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 5), "VSCSI");
  EXPECT_EQ(buf[5], 0xEE);
  // More than the 16 identifier bytes asked: the 16 come, nothing beyond.
  block.ReadSize = 40;
  ASSERT_EQ(Call(kSelAdapterIdentifier), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 16), "VSCSI 1542 #1   ");
  EXPECT_EQ(buf[16], 0xEE);
  block.ReadBuffer = nullptr;
  EXPECT_EQ(Call(kSelAdapterIdentifier), -1);
}

TEST_F(Bus, SelectorsOutsideTheTableOnlyRunPrologueAndEpilogue) {
  Configure(lt::kOneOfEachBus);
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  ClearWires();
  block.SenseKey = 9;
  EXPECT_EQ(Call(24), 0);
  EXPECT_EQ(Call(-3), 0);
  EXPECT_EQ(block.SenseKey, 0);
  EXPECT_EQ(VscsiWireCount(), 0u);
}
