// KorvaSCANLIB through the DLL boundary under Wine, on the installed
// virtual bus: binding the manager, searches, verification, faults,
// bounded waits, close and implicit reopen.
#include <cstring>

#include "scanlib/win/tests/wine_harness.h"

namespace {

constexpr const char* kBus = R"(
adapter 0 identifier="WINE TEST HA 0"
adapter 1 id=255
adapter 2
device 0:2 scanner model=WQ140 adf=1 sheets=1
device 0:4 generic type=scanner vendor="ACMEIMG" product="FLATBED 2400"
device 1:3 scanner model=WQ220
device 2:5 scanner model=WQ490
device 2:6 generic type=cdrom
)";

class Boundary : public ::testing::Test {
 protected:
  void SetUp() override {
    lib = &wt::Load(true);
    ASSERT_NE(lib->korva, nullptr) << "WQSCSI32.DLL or its export is missing";
    Close();
    wt::Configure(kBus);
  }
  void TearDown() override { Close(); }
  void Close() {
    ScanParamBlock closer{};
    lib->korva(kSelClose, &closer);
    std::memset(&b, 0, sizeof b);
  }
  int16_t Call(int32_t selector) {
    lib->korva(selector, &b);
    return b.Status;
  }
  void UseScanner(int adapter, int target) {
    ASSERT_EQ(Call(kSelDeviceSearch), 0);
    for (int i = 0; i < b.ScannerList->Count; ++i)
      if (b.ScannerList->Addresses[i].HostAdapter == adapter &&
          b.ScannerList->Addresses[i].Target == target) {
        std::memcpy(b.DeviceName, b.ScannerList->Names[i], kDeviceNameSize);
        b.DeviceAddress = b.ScannerList->Addresses[i];
        ASSERT_EQ(Call(kSelDeviceEqlByte), 0);
        lib->wireClear();
        return;
      }
    FAIL() << "no scanner at " << adapter << ":" << target;
  }
  wt::Library* lib = nullptr;
  ScanParamBlock b{};
};

}  // namespace

TEST_F(Boundary, ExportIsStdcallAndANullBlockDoesNothing) {
  // A wrong convention would unbalance the stack around this call.
  EXPECT_EQ(lib->korva(kSelDeviceSearch, nullptr), 0);
  EXPECT_EQ(lib->wireCount(), 0u);
  EXPECT_EQ(Call(kSelOpen), 0);
}

TEST_F(Boundary, ManagerWithAnotherSupportStatusGivesMinus41) {
  wt::Configure("bus status=0xE8\nadapter 0\n");
  EXPECT_EQ(Call(kSelOpen), -41);
  EXPECT_EQ(Call(kSelDeviceSearch), -41);
  wt::Configure(kBus);
  EXPECT_EQ(Call(kSelOpen), 0);
}

TEST_F(Boundary, SearchesListFamilyScannersAndEveryDevice) {
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  ASSERT_NE(b.ScannerList, nullptr);
  // Adapter 1 (own id 255) is skipped; the other maker's scanner is not listed.
  ASSERT_EQ(b.ScannerList->Count, 2);
  EXPECT_EQ(b.ScannerList->Addresses[0].HostAdapter, 0);
  EXPECT_EQ(b.ScannerList->Addresses[0].Target, 2);
  EXPECT_EQ(std::string(b.ScannerList->Names[0], 28), "KORVA   WQ140/131       1.00");
  EXPECT_EQ(b.ScannerList->Addresses[1].HostAdapter, 2);
  EXPECT_EQ(b.ScannerList->Addresses[1].Target, 5);

  ASSERT_EQ(Call(kSelDeviceAllSearch), 0);
  const DeviceList* all = b.DeviceList;
  ASSERT_NE(all, nullptr);
  ASSERT_EQ(all->Count, 6);  // 0:2 0:4 0:7(adapter) 2:5 2:6 2:7(adapter)
  EXPECT_EQ(all->Types[1], 6);
  EXPECT_EQ(std::string(all->Names[1], 8), "ACMEIMG ");
  EXPECT_EQ(all->Types[2], 3);
  EXPECT_EQ(std::string(all->Names[2], 8), "ASPI for");
  EXPECT_EQ(std::string(all->Names[2] + 8, 16), "WINE TEST HA 0  ");
  EXPECT_EQ(all->Types[5], 3);
  for (const VscsiWireRecord& r : wt::Wires()) EXPECT_NE(r.hostAdapter, 1);
  // The family list is still there.
  EXPECT_EQ(b.ScannerList->Count, 2);
}

TEST_F(Boundary, VerifyReplacesTheListByOneEntry) {
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  std::memcpy(b.DeviceName, "KORVA   WQ490/101       1.00", 28);
  b.DeviceAddress = DeviceAddress{0, 2, 5, 0};
  ASSERT_EQ(Call(kSelDeviceEqlByte), 0);
  ASSERT_EQ(b.ScannerList->Count, 1);
  EXPECT_EQ(b.ScannerList->Addresses[0].Target, 5);
  b.DeviceAddress = DeviceAddress{0, 0, 4, 0};  // the other maker's scanner
  EXPECT_EQ(Call(kSelDeviceEqlByte), -1);
}

TEST_F(Boundary, SelectorSixBeforeAnySearchOnAnEmptyBus) {
  wt::Configure("adapter 0 id=255\n");
  EXPECT_EQ(Call(kSelGetParameters), -1);
  EXPECT_EQ(lib->wireCount(), 0u);
  EXPECT_EQ(b.ScannerList, nullptr);
}

TEST_F(Boundary, CloseFreesTheListsAndLaterCallsReopen) {
  ASSERT_EQ(Call(kSelDeviceAllSearch), 0);
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  ASSERT_EQ(Call(kSelClose), 0);
  EXPECT_EQ(b.ScannerList, nullptr);
  EXPECT_EQ(b.DeviceList, nullptr);
  ASSERT_EQ(Call(kSelDeviceSearch), 0);  // opens again by itself
  EXPECT_EQ(b.ScannerList->Count, 2);
}

TEST_F(Boundary, TransientFaultsAreRiddenOut) {
  wt::Configure(R"(
adapter 0
device 0:2 scanner model=WQ140
fault busy 2 op=0
fault aspibusy 3 op=0x16
fault pending 20 op=0x17
device 0:3 scanner model=WQ220
fault unitattention
)");
  UseScanner(0, 2);
  EXPECT_EQ(Call(kSelScannerReserve), 0);
  EXPECT_EQ(Call(kSelScannerRelease), 0);
  UseScanner(0, 3);
  EXPECT_EQ(Call(kSelScannerReserve), 0);
  EXPECT_EQ(b.SenseKey, 0);
}

TEST_F(Boundary, CheckConditionCarriesItsSenseWithOrWithoutRequestSense) {
  wt::Configure("adapter 0\ndevice 0:2 scanner model=WQ140\nfault jam op=0x16 times=2\n");
  UseScanner(0, 2);
  EXPECT_EQ(Call(kSelScannerReserve), -18);
  EXPECT_EQ(b.SenseKey, 3);
  EXPECT_EQ(b.SenseCode, 0x53);
  b.ExplicitSense = 1;
  lib->wireClear();
  EXPECT_EQ(Call(kSelScannerReserve), -18);
  EXPECT_EQ(b.SenseKey, 3);
  EXPECT_EQ(b.SenseCode, 0x53);
  bool requestSense = false;
  for (const VscsiWireRecord& r : wt::Wires()) requestSense |= r.cdb[0] == 0x03 && r.cdb[4] == 118;
  EXPECT_TRUE(requestSense);
}

TEST_F(Boundary, ARequestThatNeverCompletesReturnsWithinTheBound) {
  wt::Configure("adapter 0\ndevice 0:2 scanner model=WQ140\nfault hang op=0x16\n");
  UseScanner(0, 2);
  const DWORD start = GetTickCount();
  EXPECT_EQ(Call(kSelScannerReserve), -18);
  const DWORD took = GetTickCount() - start;
  EXPECT_GE(took, 1400u);  // WQSCSI_WAIT_MS=1500
  EXPECT_LT(took, 6000u);
  EXPECT_EQ(Call(kSelScannerReserve), 0);  // the aborted request is gone
}

TEST_F(Boundary, AWholeScanThroughTheDll) {
  UseScanner(0, 2);
  ASSERT_EQ(Call(kSelSetScannerAdf), 0);
  b.MeasurementUnit = 25;
  b.ResolutionFractionRaw = 1;
  b.XResolution = b.YResolution = 50;
  b.WindowWidth = 50;
  b.WindowLength = 25;
  b.ImageComposition = 5;
  b.BitsPerPixel = 8;
  b.TransferFormat = 2;
  b.GammaMode = 100;
  b.GammaEntries = 256;
  ASSERT_EQ(Call(kSelStartScan), 0);
  ASSERT_EQ(b.ControlWord0, 100);
  ASSERT_EQ(b.ControlWord1, 50);
  static uint8_t image[100 * 3 * 50];
  b.BytesPerLine = 300;
  b.LinesRemaining = 50;
  uint32_t total = 0;
  while (b.LinesRemaining > 0) {
    b.ReadBuffer = image + total;
    b.ReadSize = 300 * 8;
    if (b.LinesRemaining < 8) b.ReadSize = 300 * b.LinesRemaining;
    ASSERT_EQ(Call(kSelReadData), 0);
    total += b.BytesRead;
  }
  EXPECT_EQ(total, sizeof image);
  EXPECT_EQ(image[0], 255);  // white margin
  bool unloaded = false;
  for (const VscsiWireRecord& r : wt::Wires()) unloaded |= r.cdb[0] == 0x31;
  EXPECT_TRUE(unloaded);
}
