// The bus fixture: a bus with one device of each kind, the library core bound
// to the virtual bus on the test platform, selectors called, a family scanner
// chosen, and the wire log and device state read back.
#include "scanlib/tests/bus_harness.h"

#include <cstring>
#include <sstream>

#include "scanlib/state.h"

namespace lt {

const char* const kOneOfEachBus = R"(
adapter 0 id=7 identifier="VSCSI 2940 #0"
adapter 1 id=7 identifier="VSCSI 1542 #1"
device 0:2 scanner model=WQ140 adf=1 sheets=3
device 0:3 scanner model=WQ215 fsu=1
device 0:4 generic type=disk vendor="VIRTDISK" product="VD-1080S" revision="1.10"
device 0:5 generic type=cdrom vendor="VIRTCD" product="VCD-ROM 4X" revision="2.00"
device 1:1 scanner model=WQ220 adf=1 sheets=2 fsu=5
device 1:2 scanner model=WQ490 fsu=2
device 1:3 scanner model=WQ210
device 1:4 generic type=scanner vendor="ACMEIMG" product="FLATBED 2400" revision="3.01"
)";

void Bus::SetUp() {
  ScanParamBlock closer{};
  ScanLibEntry(kSelClose, &closer);
  const ScanPlatform* p = ResetTestPlatform(2000, 2000);
  g_testPlatform.supportInfo = VscsiGetSupportInfo;
  g_testPlatform.sendCommand = VscsiSendCommand;
  g_testPlatform.poll = VscsiPoll;
  ScanLibSetPlatform(p);
  std::memset(&block, 0, sizeof block);
}

void Bus::TearDown() {
  ScanLibEntry(kSelClose, &block);
  EXPECT_EQ(g_testPlatform.liveBlocks, 0) << "memory left after close";
}

void Bus::Configure(const char* text) {
  char err[200];
  ASSERT_TRUE(VscsiConfigure(text, err, sizeof err)) << err;
  VscsiWireClear();
}

int16_t Bus::Call(int32_t selector) {
  ScanLibEntry(selector, &block);
  return block.Status;
}

void Bus::UseScanner(int adapter, int target) {
  ASSERT_EQ(Call(kSelDeviceSearch), 0);
  const ScannerList* list = block.ScannerList;
  for (int i = 0; i < list->Count; ++i) {
    if (list->Addresses[i].HostAdapter == adapter && list->Addresses[i].Target == target) {
      std::memcpy(block.DeviceName, list->Names[i], kDeviceNameSize);
      block.DeviceAddress = list->Addresses[i];
      ASSERT_EQ(Call(kSelDeviceEqlByte), 0);
      ClearWires();
      return;
    }
  }
  FAIL() << "no family scanner at " << adapter << ":" << target;
}

std::vector<Wire> Bus::Wires() const {
  std::vector<Wire> out;
  for (size_t i = 0, n = VscsiWireCount(); i < n; ++i) {
    Wire w{};
    uint8_t data[65536];
    VscsiWireGet(i, &w.record, data, sizeof data);
    w.data.assign(data, data + std::min<size_t>(w.record.dataLength, sizeof data));
    out.push_back(std::move(w));
  }
  return out;
}

std::vector<Wire> Bus::WiresOf(uint8_t opcode) const {
  std::vector<Wire> out;
  for (Wire& w : Wires())
    if (w.op() == opcode) out.push_back(std::move(w));
  return out;
}

std::map<std::string, std::string> Bus::Describe(int adapter, int target) const {
  char buf[8192];
  const size_t n = VscsiDescribe(adapter, target, buf, sizeof buf);
  std::map<std::string, std::string> out;
  std::istringstream in(std::string(buf, n));
  std::string line;
  while (std::getline(in, line)) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) out[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return out;
}

void Bus::ClearWires() { VscsiWireClear(); }

}  // namespace lt
