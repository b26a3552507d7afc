// The acquisition against fake sources behind a stand-in manager: choosing
// and opening the source, the negotiation, memory transfers into the scan
// file, and every way a transfer can stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/tests/acquire_support.h"
#include "app/batch.h"
#include "app/document.h"
#include "app/transfer.h"
#include "common/bytes.h"
#include "common/strutil.h"

namespace wqtest {
namespace {

using wqfake::FakeConfig;

class Acquire : public ::testing::Test {
 protected:
  void Start(const std::vector<FakeConfig>& cfgs) {
    ManagerSetUp(&manager_, &host_, cfgs);
    wq::TwainLinkInit(&link_, &frame_);
    link_.adfChoice = wq::kAdfNone;
    wq::StartAcquire(&link_, host(), true);
  }
  void Start(const FakeConfig& cfg) { Start(std::vector<FakeConfig>{cfg}); }
  const wq::AcquireHost& host() {
    if (!hostRecord_.ctx) hostRecord_ = host_.Host();
    return hostRecord_;
  }
  wqfake::FakeSource* Source() { return manager_.open; }
  void Scan() {
    ASSERT_NE(Source(), nullptr);
    wqfake::FakeSourceScan(Source());
    Pump(&link_, host());
  }
  // Buffer lengths the source was offered.
  std::vector<uint32_t> Lengths() const {
    std::vector<uint32_t> out;
    for (const std::string& l : manager_.logs)
      if (l.rfind("memxfer length=", 0) == 0) out.push_back(uint32_t(std::stoul(l.substr(15))));
    return out;
  }
  void TearDown() override {
    wq::CloseTwain(&link_, host());
    // Nothing the program allocated is left behind.
    EXPECT_EQ(host_.LiveBlocks(), 0u);
    g_manager = nullptr;
  }

  TestHost host_;
  TestManager manager_;
  wq::TwainLink link_;
  wq::AcquireHost hostRecord_;
  int frame_ = 0;
};

void ExpectSamePixels(const FakeConfig& cfg, const std::vector<uint8_t>& bmp) {
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(wq::GetLE32(&bmp[2]), bmp.size());  // bfSize is the file's length
  EXPECT_EQ(FirstDifference(cfg, bmp), "");
}

TEST_F(Acquire, EnablesTheSourceAndKeepsItAfterASinglePage) {
  FakeConfig cfg;
  Start(cfg);
  EXPECT_TRUE(link_.sourceEnabled);
  EXPECT_FALSE(host_.acquireEnabled);  // Acquire is greyed while enabled
  EXPECT_EQ(link_.acquireState, wq::kAcquireKeepOpen);
  EXPECT_TRUE(Source()->memoryMech);
  Scan();
  ASSERT_EQ(host_.scans.size(), 1u);
  ExpectSamePixels(cfg, host_.scans[0].file);
  // The header block is the file's info header and colour table.
  EXPECT_TRUE(std::equal(host_.scans[0].header.begin(), host_.scans[0].header.begin() + 40,
                         host_.scans[0].file.begin() + 14));
  EXPECT_EQ(host_.files.count("C:\\Scanning.dat"), 0u);  // taken, or deleted
  EXPECT_TRUE(link_.sourceEnabled);
  EXPECT_EQ(Source()->state, 5);
  EXPECT_TRUE(host_.messages.empty());
  // A second press of Scan gives a second page.
  Scan();
  EXPECT_EQ(host_.scans.size(), 2u);
}

TEST_F(Acquire, ResolutionBecomesPelsPerMetre) {
  FakeConfig cfg;
  cfg.xres = 300;
  cfg.yres = 150;
  Start(cfg);
  Scan();
  ASSERT_EQ(host_.scans.size(), 1u);
  EXPECT_EQ(wq::GetLE32(&host_.scans[0].file[38]), 11811u);  // 300 x 10000 / 254
  EXPECT_EQ(wq::GetLE32(&host_.scans[0].file[42]), 5905u);
}

struct Kind {
  const char* name;
  const char* config;
  bool blackIsZero;
};

class AcquireKinds : public Acquire, public ::testing::WithParamInterface<Kind> {};

TEST_P(AcquireKinds, PixelsEqualWhatTheSourceSent) {
  FakeConfig cfg;
  std::string bad;
  ASSERT_TRUE(wqfake::FakeConfigParse(GetParam().config, &cfg, &bad)) << bad;
  host_.blackIsZero = GetParam().blackIsZero;
  Start(cfg);
  Scan();
  ASSERT_EQ(host_.scans.size(), 1u) << "messages: " << host_.messages.size();
  ExpectSamePixels(cfg, host_.scans[0].file);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, AcquireKinds,
    ::testing::Values(
        Kind{"bw", "type=bw\nwidth=45\nheight=17", true},
        Kind{"bw_white_zero", "type=bw\nwidth=45\nheight=17", false},
        Kind{"gray", "type=gray\nwidth=33\nheight=20", true},
        Kind{"gray4", "type=gray4\nwidth=31\nheight=9", true},
        Kind{"rgb_odd_width", "type=rgb\nwidth=33\nheight=21", true},
        Kind{"palette", "type=palette\nwidth=40\nheight=12\npalette_colours=200", true},
        Kind{"palette4", "type=palette4\nwidth=21\nheight=12", true},
        // Unpadded rows, and buffers of a few rows the source chooses.
        Kind{"unpadded_rows", "type=rgb\nwidth=33\nheight=21\npad_rows=0\nminbuf=400", true},
        Kind{"three_rows_a_buffer", "type=rgb\nwidth=30\nheight=22\nrows_per_buffer=3", true},
        Kind{"unpadded_odd_buffers",
             "type=gray\nwidth=37\nheight=50\npad_rows=0\nrows_per_buffer=7\nminbuf=80",
             true},
        // Large enough (>= 64 KB) that the limits are not rounded to rows.
        Kind{"large_rgb", "type=rgb\nwidth=301\nheight=90\nminbuf=5000\nmaxbuf=47000", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Acquire, BilevelWithWhiteAsZeroInvertsTheStoredBits) {
  FakeConfig cfg;
  cfg.pixelType = TWPT_BW;
  cfg.bits = 1;
  cfg.width = 16;
  cfg.height = 2;
  host_.blackIsZero = false;
  Start(cfg);
  Scan();
  ASSERT_EQ(host_.scans.size(), 1u);
  const auto& f = host_.scans[0].file;
  // Colour 0 white, colour 1 black.
  EXPECT_EQ(f[54], 255);
  EXPECT_EQ(f[56], 255);
  EXPECT_EQ(f[58], 0);
  EXPECT_EQ(wq::GetLE32(&f[46]), 2u);
  // The top row is stored last, its bytes inverted.
  uint8_t sent[2];
  wqfake::FakeRow(cfg, 0, sent);
  EXPECT_EQ(f[62 + 4], uint8_t(~sent[0]));
  EXPECT_EQ(f[62 + 5], uint8_t(~sent[1]));
}

TEST_F(Acquire, BufferLengthFollowsTheSourcesLimits) {
  // 64 x 48 RGB is 9,216 bytes: the limits are rounded to rows of 192 bytes.
  FakeConfig cfg;
  cfg.minBuf = 192 * 2;
  cfg.maxBuf = 192 * 20;  // 10 x MinBufSize
  Start(cfg);
  Scan();
  ASSERT_EQ(host_.scans.size(), 1u);
  const auto lengths = Lengths();
  ASSERT_FALSE(lengths.empty());
  EXPECT_EQ(lengths[0], 4u * cfg.minBuf);
  // The progress total is the number of buffers an image takes.
  EXPECT_EQ(host_.progress.back().second, (9216u + 4 * 384 - 1) / (4 * 384));
}

TEST_F(Acquire, SourceWhoseMinimumIsBelowOneRowIsRefused) {
  FakeConfig cfg;
  cfg.minBuf = 100;  // a row is 192 bytes
  cfg.maxBuf = 150;
  Start(cfg);
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{17});
  EXPECT_TRUE(host_.scans.empty());
  EXPECT_TRUE(host_.files.empty());
  EXPECT_EQ(Source()->state, 5);  // back to waiting for the user
  EXPECT_TRUE(Lengths().empty());
}

TEST_F(Acquire, FailureOrCancelMidTransferLeavesNoFile) {
  for (const char* how : {"fail_after=2", "cancel_after=1", "fail_after=0"}) {
    SCOPED_TRACE(how);
    TestHost fresh;
    host_ = std::move(fresh);
    hostRecord_ = {};
    manager_ = TestManager{};
    FakeConfig cfg;
    std::string bad;
    ASSERT_TRUE(wqfake::FakeConfigParse(std::string(how) + "\nrows_per_buffer=4\nimages=2", &cfg,
                                        &bad));
    Start(cfg);
    Scan();
    EXPECT_TRUE(host_.scans.empty());
    EXPECT_TRUE(host_.files.empty());
    EXPECT_TRUE(host_.messages.empty());  // a failed triplet says nothing
    EXPECT_EQ(Source()->state, 5);
    EXPECT_EQ(Source()->pending, 0);  // the second page is not attempted
    EXPECT_TRUE(link_.sourceEnabled);
    wq::CloseTwain(&link_, host());
    EXPECT_EQ(host_.LiveBlocks(), 0u);
  }
}

TEST_F(Acquire, WriteErrorShowsDiskMessageAndDeletesTheFile) {
  FakeConfig cfg;
  cfg.rowsPerBuffer = 4;
  host_.writeFailAt = 4;  // header writes first, then row blocks
  Start(cfg);
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{13});
  EXPECT_EQ(host_.messageDrives, std::vector<char>{'C'});
  EXPECT_TRUE(host_.files.empty());
  EXPECT_TRUE(host_.scans.empty());
  EXPECT_EQ(Source()->state, 5);
}

TEST_F(Acquire, MemoryDoesNotGrowWithTheImage) {
  // A 2,000 x 1,500 colour page (9 MB) through buffers of at most 64 KB:
  // the transfer holds two buffers and the header block, whatever the size.
  FakeConfig cfg;
  cfg.width = 2000;
  cfg.height = 1500;
  cfg.minBuf = 6000;
  cfg.maxBuf = 64 * 1024;
  host_.keepFiles = false;
  Start(cfg);
  const uint64_t before = host_.liveBytes;
  host_.peakBytes = before;
  Scan();
  ASSERT_EQ(host_.scans.size(), 1u);
  const uint32_t length = Lengths().at(0);
  EXPECT_LE(length, cfg.maxBuf);
  EXPECT_LE(host_.peakBytes - before, 2ull * length + wq::kHeaderBlockSize + 64);
  EXPECT_EQ(host_.liveBytes, before);
}

TEST_F(Acquire, ScanFileThatCannotBeSizedIsRefused) {
  host_.writeFailAt = 0;
  Start(FakeConfig{});
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{13});
  EXPECT_TRUE(host_.files.empty());
}

TEST_F(Acquire, SeveralPendingImagesArriveOneAfterAnother) {
  FakeConfig cfg;
  cfg.images = 3;
  Start(cfg);
  Scan();
  EXPECT_EQ(host_.scans.size(), 3u);
  EXPECT_EQ(Source()->state, 5);
}

TEST_F(Acquire, DiskSpace) {
  // Too little on the work drive, no image open: the work moves to a drive
  // with room.
  host_.freeBytes = 100;
  host_.roomyDrive = 'D';
  Start(FakeConfig{});
  Scan();
  EXPECT_EQ(host_.scans.size(), 1u);
  EXPECT_EQ(host_.workDirectory, "D:\\");
  // With an image open it does not move: message 4.
  host_.documents = 1;
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{4});
  EXPECT_EQ(host_.scans.size(), 1u);
  EXPECT_EQ(Source()->state, 5);
}

TEST_F(Acquire, MemoryShortages) {
  // The header block, the transfer buffer, and the budget.
  for (int failAt : {0, 1}) {
    host_ = TestHost{};
    hostRecord_ = {};
    manager_ = TestManager{};
    Start(FakeConfig{});
    host_.allocFailAt = host_.allocs + (failAt == 0 ? 0 : 2);  // units container comes between
    Scan();
    EXPECT_EQ(host_.messages, std::vector<int>{17}) << failAt;
    EXPECT_TRUE(host_.files.empty());
    wq::CloseTwain(&link_, host());
  }
  host_ = TestHost{};
  hostRecord_ = {};
  manager_ = TestManager{};
  host_.availableMemory = 2000;  // a budget of 1,600 bytes, below the 3,072-byte buffer
  Start(FakeConfig{});
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{17});
  EXPECT_TRUE(host_.files.empty());
}

TEST_F(Acquire, ImagesTheProgramCannotStoreAreRefused) {
  FakeConfig cmyk;
  cmyk.pixelType = TWPT_CMYK;
  cmyk.bits = 32;
  Start(cmyk);
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{0});
  EXPECT_EQ(Source()->state, 5);

  wq::CloseTwain(&link_, host());
  host_ = TestHost{};
  hostRecord_ = {};
  manager_ = TestManager{};
  FakeConfig compressed;
  compressed.compression = 1;
  Start(compressed);
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{0});
}

TEST_F(Acquire, FailedImageInfoStopsSilently) {
  FakeConfig cfg;
  cfg.imageInfoFails = true;
  Start(cfg);
  Scan();
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(host_.scans.empty());
  EXPECT_EQ(Source()->state, 5);
}

TEST_F(Acquire, SourceIsFoundSecondInTheList) {
  FakeConfig other;
  wq::CopyString(other.product, "Another Scanner");
  FakeConfig korva;
  wq::CopyString(korva.product, "korva twain32");  // the comparison ignores case
  Start({other, korva});
  ASSERT_NE(Source(), nullptr);
  EXPECT_EQ(Source()->identity.Id, 2u);
  EXPECT_TRUE(link_.sourceEnabled);
}

TEST_F(Acquire, NoMatchingSourceGivesMessage7AndClosesTheManager) {
  FakeConfig other;
  wq::CopyString(other.product, "KORVA TWAIN32 Pro");  // equal lengths are required
  Start(other);
  EXPECT_EQ(host_.messages, std::vector<int>{7});
  EXPECT_FALSE(link_.managerOpen);
  EXPECT_EQ(host_.managerUnloads, 1);
  EXPECT_EQ(link_.acquireState, wq::kAcquireIdle);

  host_.messages.clear();
  manager_.sources.clear();
  wq::StartAcquire(&link_, host(), true);  // no source at all: TWCC_NODS
  EXPECT_EQ(host_.messages, std::vector<int>{7});
}

TEST_F(Acquire, MissingManagerGivesMessage6) {
  host_.managerPresent = false;
  Start(FakeConfig{});
  EXPECT_EQ(host_.messages, std::vector<int>{6});
  EXPECT_FALSE(link_.managerOpen);
}

TEST_F(Acquire, SourceInUseGivesMessage42) {
  FakeConfig cfg;
  cfg.openBummer = true;
  Start(cfg);
  EXPECT_EQ(host_.messages, std::vector<int>{42});
  EXPECT_FALSE(link_.sourceOpen);
  EXPECT_FALSE(link_.managerOpen);
}

TEST_F(Acquire, FeederNegotiation) {
  // No feeder (TWCC_BADCAP): no question.
  Start(FakeConfig{});
  EXPECT_EQ(host_.adfQuestions, 0);
  EXPECT_TRUE(link_.sourceEnabled);
  wq::CloseTwain(&link_, host());

  // A feeder: the question, and "Don't use ADF" switches the feeder off.
  host_ = TestHost{};
  hostRecord_ = {};
  manager_ = TestManager{};
  FakeConfig feeder;
  feeder.feeder = true;
  Start(feeder);
  EXPECT_EQ(host_.adfQuestions, 1);
  EXPECT_FALSE(Source()->feederEnabled);
  EXPECT_EQ(link_.acquireState, wq::kAcquireKeepOpen);
  wq::CloseTwain(&link_, host());

  // Closing the question ends the acquisition.
  host_ = TestHost{};
  hostRecord_ = {};
  manager_ = TestManager{};
  host_.adfAnswer = wq::kAdfCancelled;
  Start(feeder);
  EXPECT_FALSE(link_.sourceOpen);
  EXPECT_FALSE(link_.managerOpen);
}

TEST_F(Acquire, IndicatorsRefusedWithBadCapStillEnables) {
  FakeConfig cfg;
  cfg.indicatorsBadCap = true;
  Start(cfg);
  EXPECT_TRUE(link_.sourceEnabled);
}

TEST_F(Acquire, CloseRequestTearsEverythingDown) {
  Start(FakeConfig{});
  wqfake::FakeSourceClose(Source());
  Pump(&link_, host());
  EXPECT_FALSE(link_.sourceEnabled);
  EXPECT_FALSE(link_.sourceOpen);
  EXPECT_FALSE(link_.managerOpen);
  EXPECT_TRUE(host_.acquireEnabled);
  EXPECT_EQ(host_.palettesRealised, 1);
}

TEST_F(Acquire, DocumentNameLimits) {
  Start(FakeConfig{});
  link_.singlePageCount = wq::kMaxScanNumber;  // the next would be 32,001
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{13});
  EXPECT_EQ(Source()->state, 5);

  host_.messages.clear();
  link_.singlePageCount = 1;
  host_.workDirectory = "C:\\" + std::string(240, 'd') + "\\";  // + "Scanned image No2" > 256
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{8});
  EXPECT_TRUE(host_.scans.empty());
}

// --- Feeder batches ----------------------------------------------------------

class FeederBatch : public Acquire {
 protected:
  // A feeder source with `sheets` pages and the user's ADF settings.
  void StartBatch(int sheets, int pageChoice, int mode, int pages = 1, int start = 1, int step = 1) {
    wq::g_Adf = wq::AdfSettings{};
    wq::g_Adf.pageChoice = pageChoice;
    wq::g_Adf.mode = mode;
    wq::g_Adf.pageCount = pages;
    wq::g_Adf.startNumber = start;
    wq::g_Adf.increment = step;
    host_.adfAnswer = wq::kAdfUse;
    FakeConfig cfg;
    cfg.feeder = true;
    cfg.images = sheets;
    cfg.width = 20;
    cfg.height = 10;
    Start(cfg);
    ASSERT_EQ(link_.acquireState, wq::kAcquireCloseAll);
  }
  // After a batch the session is over.
  void ExpectClosed() {
    EXPECT_FALSE(link_.sourceOpen);
    EXPECT_FALSE(link_.managerOpen);
    EXPECT_EQ(link_.acquireState, wq::kAcquireIdle);
  }
};

TEST_F(FeederBatch, ScanAndSaveNumbersEachPageAndStopsAtThePageCount) {
  host_.batchFile = "C:\\SCAN\\DOC.TIF";
  StartBatch(5, wq::kAdfPages, wq::kAdfScanSave, 3, 1, 2);
  Scan();
  EXPECT_EQ(host_.batchBits, std::vector<int>{24});
  EXPECT_EQ(host_.targets, (std::vector<std::string>{"C:\\SCAN\\DOC0001.TIF", "C:\\SCAN\\DOC0003.TIF",
                                                     "C:\\SCAN\\DOC0005.TIF"}));
  EXPECT_EQ(host_.scans.size(), 3u);
  EXPECT_EQ(wq::g_Adf.pagesScanned, 3);
  EXPECT_EQ(host_.pageFields,
            (std::vector<std::string>{"0001/0003", "0002/0003", "0003/0003", ""}));
  EXPECT_TRUE(host_.messages.empty());
  ExpectClosed();  // the pages left in the feeder were reset first
}

TEST_F(FeederBatch, CancelledSaveDialogScansNothing) {
  StartBatch(2, wq::kAdfAll, wq::kAdfScanSave);
  Scan();
  EXPECT_EQ(host_.batchBits.size(), 1u);
  EXPECT_TRUE(host_.scans.empty());
  EXPECT_TRUE(host_.targets.empty());
  ExpectClosed();
}

TEST_F(FeederBatch, EmptyFeederInPageModeAsksRetryAndCancelKeepsThePages) {
  host_.batchFile = "C:\\A.BMP";
  StartBatch(1, wq::kAdfPages, wq::kAdfScanSave, 4);
  // Retry after loading a sheet goes on; the next question is cancelled.
  host_.retryAnswers = {true};
  host_.onRetry = [this] { Source()->tray = 1; };
  Scan();
  EXPECT_EQ(host_.messages, (std::vector<int>{9, 9}));
  EXPECT_EQ(host_.scans.size(), 2u);
  EXPECT_EQ(host_.targets, (std::vector<std::string>{"C:\\A0001.BMP", "C:\\A0002.BMP"}));
  ExpectClosed();
}

TEST_F(FeederBatch, EmptyFeederBeforeTheFirstPageAsksAndCancelScansNothing) {
  host_.batchFile = "C:\\A.BMP";
  StartBatch(1, wq::kAdfAll, wq::kAdfScanDisplay);
  wqfake::FakeSourceScan(Source());
  Source()->tray = 0;
  Pump(&link_, host());
  EXPECT_EQ(host_.messages, std::vector<int>{9});
  EXPECT_TRUE(host_.scans.empty());
  EXPECT_TRUE(host_.batchBits.empty());  // Scan and Display asks for no file
  ExpectClosed();
}

TEST_F(FeederBatch, AllModeRunsUntilTheSourceHasNoPagesAndAsksNothing) {
  StartBatch(3, wq::kAdfAll, wq::kAdfScanDisplay);
  Scan();
  EXPECT_EQ(host_.scans.size(), 3u);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(host_.targets.empty());
  EXPECT_EQ(host_.pageFields.front(), "0001/ALL");
  ExpectClosed();
}

TEST_F(FeederBatch, RefusedTargetOrFullDriveEndsTheBatchWithThePagesBefore) {
  host_.batchFile = "C:\\A.BMP";
  host_.refuseTarget = 2;
  StartBatch(4, wq::kAdfAll, wq::kAdfScanSave);
  Scan();
  EXPECT_EQ(host_.scans.size(), 1u);
  EXPECT_EQ(host_.targets.size(), 2u);
  ExpectClosed();

  // The batch drive without room for the page: message 5 before anything.
  host_ = TestHost{};
  hostRecord_ = {};
  manager_ = TestManager{};
  host_.batchFile = "D:\\A.BMP";
  host_.freeBytes = 100;
  StartBatch(4, wq::kAdfAll, wq::kAdfScanSave);
  Scan();
  EXPECT_EQ(host_.messages, std::vector<int>{5});
  EXPECT_TRUE(host_.scans.empty());
  EXPECT_FALSE(host_.files.count("C:\\Scanning.dat"));
  ExpectClosed();
}

TEST(TransferRules, BufferLengthLadder) {
  const uint64_t big = 1 << 20, stride = 1000;
  struct {
    uint32_t min, max, want;
  } cases[] = {
      {4000, 7000, 7000},      // below 2 x min: max itself
      {4000, 8000, 8000},      // 2 x min: 2 x min
      {4000, 15999, 8000},     // below 4 x min
      {4000, 40000, 16000},    // 10 x min: 4 x min
      {4000, 64000, 64000},    // 16 x min
      {4000, 255999, 64000},   // below 64 x min
      {4000, 0xFFFFFFFF, 256000},
      {0, 50000, 0},           // no minimum: nothing usable
      {500, 900, 0},           // not one row
  };
  for (const auto& c : cases)
    EXPECT_EQ(wq::ChooseBufferLength(big, stride, c.min, c.max), c.want) << c.min << " " << c.max;
  // Small images: limits rounded down to whole rows first.
  EXPECT_EQ(wq::ChooseBufferLength(9000, 100, 250, 2590), 800u);  // 200, 2500: 4 x 200
  EXPECT_EQ(wq::ChooseBufferLength(9000, 100, 99, 5000), 0u);
}

TEST(TransferRules, ImageGeometry) {
  // A 1-row image of 3 bytes: stride 4, image 4, file 58 + 4 x colours.
  TW_IMAGEINFO info{};
  info.ImageWidth = 3;
  info.ImageLength = 1;
  info.BitsPerPixel = 8;
  info.PixelType = TWPT_GRAY;
  wq::XferImage image;
  int message = -1;
  ASSERT_TRUE(wq::DescribeImage(info, &image, &message));
  EXPECT_EQ(image.stride, 4u);
  EXPECT_EQ(image.imageSize, 4u);
  EXPECT_EQ(wq::ScanFileBytes(256, image.imageSize), 58u + 1024);
  info.ImageWidth = 32768;
  EXPECT_FALSE(wq::DescribeImage(info, &image, &message));
  EXPECT_EQ(message, 41);
  info.ImageWidth = 3;
  info.ImageLength = -1;  // length unknown in advance
  EXPECT_FALSE(wq::DescribeImage(info, &image, &message));
  EXPECT_EQ(message, 41);
}

TEST(TransferRules, ResolutionAndBudget) {
  EXPECT_EQ(wq::PelsPerMeter(TWUN_INCHES, TW_FIX32{300, 0}), 11811);
  EXPECT_EQ(wq::PelsPerMeter(TWUN_INCHES, TW_FIX32{72, 0x8000}), 2854);  // 72.5 dpi
  EXPECT_EQ(wq::PelsPerMeter(TWUN_CENTIMETERS, TW_FIX32{40, 0}), 4000);
  EXPECT_EQ(wq::PelsPerMeter(2 /* picas */, TW_FIX32{300, 0}), 0);
  EXPECT_EQ(wq::TransferMemoryBudget(100ull << 20), 16u << 20);
  EXPECT_EQ(wq::TransferMemoryBudget(1000), 800u);
}

}  // namespace
}  // namespace wqtest
