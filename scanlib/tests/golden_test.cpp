// The diagnostics log of a scripted session, line by line, against a file
// written by hand from the log formats.
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "scanlib/state.h"
#include "scanlib/tests/bus_harness.h"

namespace {

constexpr const char* kBus = R"(
adapter 0
device 0:2 scanner model=WQ215
fault adfcover 1 op=0x16
fault lamp op=0x17
)";

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

// What a file sink receives: each line, then CR LF; lines may carry their
// own CR LF. Returned with LF line ends.
std::string FileText(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& l : lines) all += l + "\r\n";
  std::string out;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i] == '\r' && i + 1 < all.size() && all[i + 1] == '\n') continue;
    out += all[i];
  }
  return out;
}

class Golden : public lt::Bus {
 protected:
  void RunSession() {
    Configure(kBus);
    ASSERT_EQ(Call(kSelDeviceSearch), 0);
    std::memcpy(block.DeviceName, block.ScannerList->Names[0], kDeviceNameSize);
    block.DeviceAddress = block.ScannerList->Addresses[0];
    ASSERT_EQ(Call(kSelDeviceEqlByte), 0);
    ASSERT_EQ(Call(kSelScannerReset), 0);
    ASSERT_EQ(Call(kSelGetParameters), 0);
    block.MeasurementUnit = 25;
    block.ResolutionFractionRaw = 1;
    block.XResolution = block.YResolution = 75;
    block.XResolutionFraction = block.YResolutionFraction = 0;
    block.WindowLeft = block.WindowTop = 0;
    block.WindowWidth = 4;
    block.WindowLength = 2;
    block.ImageComposition = 2;
    block.BitsPerPixel = 8;
    block.Brightness = 0;
    block.EdgeEmphasis = 0;
    block.LightSource = 3;
    for (int16_t& l : block.Lightness) l = 0;
    block.ZoomX = block.ZoomY = 0;
    block.Moire = 0;
    block.ScanningTimeSet = 0;
    block.ScanningTime = 0;
    block.TransferFormat = 2;
    block.VendorByte = 0;
    block.GammaMode = 100;
    block.AdfSelected = block.FsuSelected = 0;
    ASSERT_EQ(Call(kSelStartScan), 0);
    ASSERT_EQ(block.ControlWord0, 12);
    ASSERT_EQ(block.ControlWord1, 6);
    uint8_t image[72];
    block.ReadBuffer = image;
    block.ReadSize = 72;
    block.BytesPerLine = 12;
    block.LinesRemaining = 6;
    ASSERT_EQ(Call(kSelReadData), 0);
    EXPECT_EQ(Call(kSelScannerReserve), -18);
    block.ExplicitSense = 1;
    EXPECT_EQ(Call(kSelScannerRelease), -18);
    Call(kSelClose);
  }
  static std::string Expected() {
    std::ifstream in(std::string(WQ_SOURCE_DIR) + "/scanlib/tests/golden/session.log",
                     std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void CompareLines(const std::string& expected, const std::string& actual) {
    const auto e = SplitLines(expected), a = SplitLines(actual);
    for (size_t i = 0; i < e.size() && i < a.size(); ++i)
      ASSERT_EQ(a[i], e[i]) << "log line " << i + 1;
    EXPECT_EQ(a.size(), e.size());
  }
};

}  // namespace

TEST_F(Golden, SessionLogToTheFileMatchesLineForLine) {
  g_testPlatform.workDrive = "D:\\TRACE\\";
  block.DebugSCSI = 2;
  RunSession();
  const std::string expected = Expected();
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(g_testPlatform.logPath, "D:\\TRACE\\SCSILOG.TXT");
  const std::string actual = FileText(g_testPlatform.fileLines);
  EXPECT_EQ(actual.find('\r'), std::string::npos);  // no stray CR
  CompareLines(expected, actual);
  EXPECT_TRUE(g_testPlatform.debugOutput.empty());
}

TEST_F(Golden, DebuggerOutputCarriesTheSameLines) {
  block.DebugSCSI = 1;
  RunSession();
  std::vector<std::string> lines;
  // Each line arrives as the text, then a separate CR LF.
  ASSERT_EQ(g_testPlatform.debugOutput.size() % 2, 0u);
  for (size_t i = 0; i < g_testPlatform.debugOutput.size(); i += 2) {
    EXPECT_EQ(g_testPlatform.debugOutput[i + 1], "\r\n");
    lines.push_back(g_testPlatform.debugOutput[i]);
  }
  CompareLines(Expected(), FileText(lines));
  EXPECT_TRUE(g_testPlatform.fileLines.empty());
}

TEST_F(Golden, NothingIsTracedWithDebugScsiOff) {
  block.DebugSCSI = 0;
  RunSession();
  EXPECT_TRUE(g_testPlatform.fileLines.empty());
  EXPECT_TRUE(g_testPlatform.debugOutput.empty());
}

TEST_F(Golden, TooLittleFreeSpaceWritesNothingAndReportsNothing) {
  const ScanPlatform* p = ResetTestPlatform(2000, 2000);
  g_testPlatform.supportInfo = VscsiGetSupportInfo;
  g_testPlatform.sendCommand = VscsiSendCommand;
  g_testPlatform.poll = VscsiPoll;
  g_testPlatform.freeBytes = 0x4FFFFF;
  ScanLibSetPlatform(p);
  block.DebugSCSI = 2;
  RunSession();  // every status as with a log
  EXPECT_TRUE(g_testPlatform.fileLines.empty());
  EXPECT_EQ(g_testPlatform.askedDrive, 'C');  // the Windows directory's drive
}

TEST_F(Golden, AllDeviceSearchMarksSilentTargets) {
  Configure("adapter 0 id=1\ndevice 0:0 generic type=disk\n");
  block.DebugSCSI = 2;
  ASSERT_EQ(Call(kSelDeviceAllSearch), 0);
  std::vector<std::string> quiet;
  for (const std::string& l : g_testPlatform.fileLines)
    if (l.find("Bus Not Terminated") != std::string::npos) quiet.push_back(l);
  ASSERT_EQ(quiet.size(), 6u);  // targets 2..7
  EXPECT_EQ(quiet[0], "  0.2.0  Bus Not Terminated");
  EXPECT_EQ(quiet[5], "  0.7.0  Bus Not Terminated");
}
