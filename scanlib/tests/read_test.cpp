// Selectors 8, 9, 10, 19 to 22: whole scans for every model and
// composition, line rounding, feeder unload, read errors, resets.
#include <string>
#include <vector>

#include "scanlib/tests/bus_harness.h"

namespace {

constexpr const char* kBus = R"(
adapter 0
device 0:1 scanner model=WQ140 adf=1 sheets=2
device 0:2 scanner model=WQ210 adf=1 sheets=2
device 0:3 scanner model=WQ215
device 0:4 scanner model=WQ220 adf=1 sheets=2
device 0:5 scanner model=WQ490
)";

// Raw line bytes per composition, from the scanner's line formats.
uint32_t LineBytes(int composition, uint32_t pixels) {
  switch (composition) {
    case 0: return (pixels + 7) / 8;
    case 3: return ((pixels - 1) / 8) * 3 + 3;
    case 5: return pixels * 3;
    default: return pixels;
  }
}

class Read : public lt::Bus {
 protected:
  void SetUp() override {
    Bus::SetUp();
    Configure(kBus);
  }
  // Chooses the scanner and source, sets a 4 x 3 inch window at 50 dpi
  // from the bed's corner and starts the scan (selector 19).
  void Start(int target, int composition, int32_t sourceSelector = kSelSetScannerRefl) {
    UseScanner(0, target);
    ASSERT_EQ(Call(sourceSelector), 0);
    block.MeasurementUnit = 25;
    block.ResolutionFractionRaw = 1;
    block.XResolution = block.YResolution = 50;
    block.XResolutionFraction = block.YResolutionFraction = 0;
    block.WindowLeft = block.WindowTop = 0;
    block.WindowWidth = 100;
    block.WindowLength = 75;
    block.ImageComposition = int16_t(composition);
    block.BitsPerPixel = composition == 0 || composition == 3 ? 1 : 8;
    block.Brightness = 0;
    block.GradationParam[0] = 8;
    block.GradationParam[1] = block.GradationParam[2] = block.GradationParam[3] = 128;
    block.Threshold = 128;
    block.ReverseImage = 0;
    block.EdgeEmphasis = 0;
    block.LightSource = 3;
    block.TransferFormat = 2;
    block.ScanningTime = 0;
    block.ScanningTimeSet = 0;
    block.ZoomX = block.ZoomY = 0;
    for (int16_t& l : block.Lightness) l = 0;
    block.VendorByte = 0;
    block.GammaMode = 100;
    block.GammaEntries = 256;
    ClearWires();
    ASSERT_EQ(Call(kSelStartScan), 0);
    lineBytes = LineBytes(composition, uint16_t(block.ControlWord0));
    block.LinesRemaining = uint16_t(block.ControlWord1);
    block.BytesPerLine = lineBytes;
  }
  // Selector 9 until no line remains, asking for 7 lines and a few bytes
  // more each time. Returns the image.
  std::vector<uint8_t> ReadAll() {
    std::vector<uint8_t> image;
    std::vector<uint8_t> buf(lineBytes * 7 + 5);
    while (block.LinesRemaining > 0) {
      block.ReadBuffer = buf.data();
      block.ReadSize = uint32_t(buf.size());
      const uint32_t before = block.LinesRemaining;
      if (Call(kSelReadData) != 0) break;
      const uint32_t lines = before < 7 ? before : 7;
      EXPECT_EQ(block.BytesRead, 7 * lineBytes);  // whole lines only
      image.insert(image.end(), buf.begin(), buf.begin() + lines * lineBytes);
      EXPECT_EQ(block.LinesRemaining, before > 7 ? before - 7 : 0u);
    }
    return image;
  }
  uint32_t lineBytes = 0;
};

}  // namespace

TEST_F(Read, WholeScansForEveryModelAndComposition) {
  for (int target = 1; target <= 5; ++target) {
    for (int composition : {0, 2, 3, 5}) {
      SCOPED_TRACE("target " + std::to_string(target) + " composition " +
                   std::to_string(composition));
      Start(target, composition);
      ASSERT_EQ(block.ControlWord0, 200);  // 4 inches at 50 dpi
      ASSERT_EQ(block.ControlWord1, 150);
      auto dev = Describe(0, target);
      EXPECT_EQ(dev["line_bytes"], std::to_string(lineBytes));
      // The last read may ask beyond the lines left; the scanner sends what
      // is asked for whole lines, so read exactly what remains at the end.
      std::vector<uint8_t> image = ReadAll();
      ASSERT_GE(image.size(), size_t(150) * lineBytes - 7 * lineBytes);
      // The page's top margin is white: no dark bits, full values.
      const uint8_t white = composition == 0 || composition == 3 ? 0x00 : 0xFF;
      for (uint32_t i = 0; i < lineBytes; ++i) ASSERT_EQ(image[i], white) << i;
      if (composition == 5) {
        // Row 30, column 40 lies in the red bar.
        const uint8_t* row = image.data() + 30 * lineBytes;
        EXPECT_EQ(row[40], 255);
        EXPECT_EQ(row[200 + 40], 0);
        EXPECT_EQ(row[400 + 40], 0);
      }
      EXPECT_TRUE(WiresOf(0x31).empty());
    }
  }
}

TEST_F(Read, ReadSizeIsRoundedDownToWholeLines) {
  Start(3, 2);
  std::vector<uint8_t> buf(1000);
  block.ReadBuffer = buf.data();
  block.ReadSize = 3 * lineBytes + 5;
  ASSERT_EQ(Call(kSelReadData), 0);
  EXPECT_EQ(block.BytesRead, 3 * lineBytes);
  EXPECT_EQ(block.LinesRemaining, 147u);
  const auto reads = WiresOf(0x28);
  ASSERT_EQ(reads.back().cdb(2), 0);
  EXPECT_EQ(reads.back().length24(), 3 * lineBytes);
  // More lines read than remain: none remain.
  block.LinesRemaining = 1;
  ASSERT_EQ(Call(kSelReadData), 0);
  EXPECT_EQ(block.LinesRemaining, 0u);
}

TEST_F(Read, BadReadArgumentsSendNothing) {
  Start(3, 2);
  std::vector<uint8_t> buf(1000);
  ClearWires();
  block.ReadBuffer = buf.data();
  block.BytesPerLine = 0;
  block.ReadSize = 400;
  EXPECT_EQ(Call(kSelReadData), -1);
  block.BytesPerLine = lineBytes;
  block.ReadSize = lineBytes - 1;
  EXPECT_EQ(Call(kSelReadData), -1);
  block.ReadSize = lineBytes;
  block.ReadBuffer = nullptr;
  EXPECT_EQ(Call(kSelReadData), -1);
  EXPECT_EQ(block.BytesRead, 0u);
  EXPECT_TRUE(WiresOf(0x28).empty());
}

TEST_F(Read, FeederPagesAreUnloadedAfterTheirLastLineOnKindsOneAndEight) {
  for (int target : {1, 4}) {
    Start(target, 2, kSelSetScannerAdf);
    ReadAll();
    const auto unloads = WiresOf(0x31);
    ASSERT_EQ(unloads.size(), 1u) << target;
    EXPECT_EQ(unloads[0].cdb(1) & 0x1F, 0);
    EXPECT_EQ(Describe(0, target)["sheets_ejected"], "1");
    // A surplus read after the last line does not unload again.
    ClearWires();
    std::vector<uint8_t> buf(lineBytes);
    block.ReadBuffer = buf.data();
    block.ReadSize = lineBytes;
    Call(kSelReadData);
    EXPECT_TRUE(WiresOf(0x31).empty());
  }
  // The WQ210 ejects its sheets itself.
  Start(2, 2, kSelSetScannerAdf);
  ReadAll();
  EXPECT_TRUE(WiresOf(0x31).empty());
}

TEST_F(Read, AReadErrorResetsTheScannerAndKeepsItsSense) {
  Configure("adapter 0\ndevice 0:2 scanner model=WQ210\nfault lamp read=2\n"
            "device 0:1 scanner model=WQ140\nfault check 3 0x53 read=3\n");
  for (int target : {2, 1}) {
    Start(target, 2);
    std::vector<uint8_t> buf(lineBytes * 4);
    block.ReadBuffer = buf.data();
    block.ReadSize = uint32_t(buf.size());
    int16_t st = 0;
    for (int i = 0; i < 3 && st == 0; ++i) st = Call(kSelReadData);
    EXPECT_EQ(st, -18) << target;
    EXPECT_EQ(block.SenseKey, target == 2 ? 4 : 3);
    EXPECT_EQ(block.SenseCode, target == 2 ? 0x60 : 0x53);
    EXPECT_EQ(block.BytesRead, 0u);
    const auto all = Wires();
    ASSERT_FALSE(all.empty());
    if (target == 2) {
      // The pending scan is ended with a two-byte read.
      EXPECT_EQ(all.back().op(), 0x28);
      EXPECT_EQ(all.back().length24(), 2u);
    } else {
      EXPECT_EQ(all.back().op(), 0xFF);  // vendor initialise, no TEST UNIT READY
    }
  }
}

TEST_F(Read, AFailedStartIsReportedAgainByTheNextReadWhichReadsNothing) {
  Configure("adapter 0\ndevice 0:3 scanner model=WQ215\nfault lamp op=0x1B\n");
  UseScanner(0, 3);
  block.MeasurementUnit = 25;
  block.XResolution = block.YResolution = 50;
  block.WindowWidth = 100;
  block.WindowLength = 75;
  block.ImageComposition = 2;
  block.BitsPerPixel = 8;
  block.GammaMode = 100;
  ASSERT_EQ(Call(kSelStartScan), -18);
  EXPECT_EQ(block.SenseCode, 0x60);
  ClearWires();
  std::vector<uint8_t> buf(400);
  block.ReadBuffer = buf.data();
  block.ReadSize = 400;
  block.BytesPerLine = 200;
  block.SenseCode = 0;
  EXPECT_EQ(Call(kSelReadData), -18);
  EXPECT_EQ(block.SenseKey, 4);
  EXPECT_EQ(block.SenseCode, 0x60);
  EXPECT_EQ(VscsiWireCount(), 0u);
  // A reset forgets it; the scanner then says no scan is running.
  ASSERT_EQ(Call(kSelScannerReset), 0);
  EXPECT_EQ(Call(kSelReadData), -18);
  EXPECT_EQ(block.SenseKey, 5);
  EXPECT_EQ(block.SenseCode, 0x2C);
}

TEST_F(Read, StartStopsAtTheFirstFailingStep) {
  Configure("adapter 0\ndevice 0:3 scanner model=WQ215\nfault check 5 0x26 op=0x15\n");
  UseScanner(0, 3);
  block.MeasurementUnit = 25;
  EXPECT_EQ(Call(kSelStartScan), -18);
  EXPECT_TRUE(WiresOf(0x2A).empty());
  EXPECT_TRUE(WiresOf(0x1B).empty());
}

TEST_F(Read, BusyControlWordReadsAreCountedAndSpacedOnTheTextModel) {
  Configure("adapter 0\ndevice 0:5 scanner model=WQ490\nfault busy 3 op=0x28 type=0x81\n"
            "device 0:2 scanner model=WQ210\nfault busy 2 op=0x28 type=0x81\n");
  g_testPlatform.workDrive = "C:\\";
  block.DebugSCSI = 2;
  Start(5, 2);
  EXPECT_EQ(g_testPlatform.busyWaited, 3u * 60);
  bool counted = false;
  for (const std::string& l : g_testPlatform.fileLines)
    counted |= l == "  Status -> Scanner Busy Count -> 3";
  EXPECT_TRUE(counted);
  g_testPlatform.busyWaited = 0;
  Start(2, 2);
  EXPECT_EQ(g_testPlatform.busyWaited, 0u);
  EXPECT_EQ(block.ControlWord0, 200);
}

TEST_F(Read, ResetPerModelAndScanState) {
  UseScanner(0, 1);
  ASSERT_EQ(Call(kSelScannerReset), 0);
  auto all = Wires();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].op(), 0xFF);
  EXPECT_EQ(all[0].record.cdbLength, 10);
  EXPECT_EQ(all[1].op(), 0x00);

  Start(1, 2);
  ClearWires();
  ASSERT_EQ(Call(kSelScannerReset), 0);
  all = Wires();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].op(), 0xFF);

  UseScanner(0, 3);
  ASSERT_EQ(Call(kSelScannerReset), 0);
  all = Wires();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].op(), 0x2A);
  EXPECT_EQ(all[0].cdb(2), 0x80);
  EXPECT_EQ(all[0].length24(), 0u);

  Start(3, 2);
  ClearWires();
  ASSERT_EQ(Call(kSelScannerReset), 0);
  all = Wires();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(all[0].op(), 0x28);
  EXPECT_EQ(all[0].length24(), 2u);
  EXPECT_EQ(Describe(0, 3)["scanning"], "0");
  // Once reset, the next reset initialises again.
  ClearWires();
  ASSERT_EQ(Call(kSelScannerReset), 0);
  EXPECT_EQ(Wires()[0].op(), 0x2A);
}

TEST_F(Read, ReserveAndRelease) {
  UseScanner(0, 4);
  ASSERT_EQ(Call(kSelScannerReserve), 0);
  EXPECT_EQ(Describe(0, 4)["reserved"], "1");
  auto all = Wires();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].op(), 0x00);
  EXPECT_EQ(all[1].op(), 0x16);
  ASSERT_EQ(Call(kSelScannerRelease), 0);
  EXPECT_EQ(Describe(0, 4)["reserved"], "0");
}

TEST_F(Read, MovementOnlyOnTheTextModelWithOneOrTwo) {
  UseScanner(0, 5);
  for (int m : {0, 3, -1}) {
    block.Movement = int16_t(m);
    EXPECT_EQ(Call(kSelSetMovement), -1) << m;
  }
  EXPECT_EQ(VscsiWireCount(), 0u);
  block.Movement = 2;
  ASSERT_EQ(Call(kSelSetMovement), 0);
  const auto all = Wires();
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].op(), 0x00);
  EXPECT_EQ(all[1].op(), 0x2A);
  EXPECT_EQ(all[1].cdb(2), 0x87);
  EXPECT_EQ(all[1].cdb(5), 2);
  EXPECT_EQ(all[1].record.direction, 0);
  EXPECT_EQ(all[2].op(), 0x00);
  EXPECT_EQ(Describe(0, 5)["movement"], "2");
  UseScanner(0, 1);
  block.Movement = 1;
  EXPECT_EQ(Call(kSelSetMovement), -1);
  EXPECT_EQ(VscsiWireCount(), 0u);
}
