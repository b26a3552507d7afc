// The tool's short scan over the library core and the virtual bus.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scanlib/entry.h"
#include "scanlib/state.h"
#include "scanlib/tests/test_platform.h"
#include "tools/scsilist/scanjob.h"
#include "vscsi/vscsi.h"

namespace {

int32_t WQ_SCANLIB_CALL Entry(int32_t selector, ScanParamBlock* block) {
  ScanLibEntry(selector, block);
  return block ? block->Status : 0;
}

class ScanJob : public ::testing::Test {
 protected:
  void SetUp() override {
    const ScanPlatform* p = ResetTestPlatform();
    g_testPlatform.supportInfo = VscsiGetSupportInfo;
    g_testPlatform.sendCommand = VscsiSendCommand;
    g_testPlatform.poll = VscsiPoll;
    ScanLibSetPlatform(p);
    out = std::tmpfile();
    ASSERT_NE(out, nullptr);
  }
  void TearDown() override {
    ScanParamBlock b{};
    ScanLibEntry(kSelClose, &b);
    std::fclose(out);
  }
  void Bus(const char* text) {
    char err[200];
    ASSERT_TRUE(VscsiConfigure(text, err, sizeof err)) << err;
  }
  std::vector<uint8_t> Written() {
    std::vector<uint8_t> data(size_t(std::ftell(out)));
    std::rewind(out);
    EXPECT_EQ(std::fread(data.data(), 1, data.size(), out), data.size());
    return data;
  }
  ScanRequest Request(int target, int composition) {
    return ScanRequest{{0, 0, uint8_t(target), 0}, composition, 50, 0, 0, 50, 25, 0};
  }
  ScanParamBlock block{};
  std::FILE* out = nullptr;
};

}  // namespace

TEST_F(ScanJob, GreyScanWritesEveryLine) {
  Bus("adapter 0\ndevice 0:3 scanner model=WQ220\n");
  const ScanOutcome r = RunScan(Entry, block, Request(3, 2), out);
  ASSERT_EQ(r.failedSelector, 0) << r.status;
  EXPECT_EQ(r.pixelsPerLine, 100u);  // 2 inches at 50 dpi
  EXPECT_EQ(r.lines, 50u);
  EXPECT_EQ(r.lineBytes, 100u);
  const std::vector<uint8_t> data = Written();
  ASSERT_EQ(data.size(), 5000u);
  EXPECT_EQ(data[0], 255);  // the page's white margin
}

TEST_F(ScanJob, LineArtFromTheFeederOfTheTextModel) {
  Bus("adapter 0\ndevice 0:2 scanner model=WQ215 adf=1 sheets=1\n");
  ScanRequest req = Request(2, 0);
  req.source = 1;
  const ScanOutcome r = RunScan(Entry, block, req, out);
  ASSERT_EQ(r.failedSelector, 0) << r.status;
  EXPECT_EQ(r.lineBytes, 13u);  // (100 + 7) / 8
  EXPECT_EQ(Written().size(), 13u * 50);
}

TEST_F(ScanJob, FailuresNameTheSelectorAndCarryTheSense) {
  Bus("adapter 0\ndevice 0:2 generic type=disk\n");
  ScanOutcome r = RunScan(Entry, block, Request(2, 2), out);
  EXPECT_EQ(r.failedSelector, kSelDeviceSearch);
  EXPECT_EQ(r.status, -1);

  Bus("adapter 0\ndevice 0:4 scanner model=WQ490\nfault lamp read=1\n");
  std::rewind(out);
  r = RunScan(Entry, block, Request(4, 5), out);
  EXPECT_EQ(r.failedSelector, kSelReadData);
  EXPECT_EQ(r.status, -18);
  EXPECT_EQ(r.senseKey, 4);
  EXPECT_EQ(r.senseCode, 0x60);
}
