// Preview geometry (regions, resolutions, frame sizes) and the kept preview
// file: its layout as a bitmap reader sees it, the scanner-configuration
// check, and every way a damaged file is turned away.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/io.h"
#include "common/strutil.h"
#include "ds/preview/preview.h"
#include "ds/preview/preview_file.h"
#include "ds/preview/preview_render.h"
#include "ds/tests/test_host.h"
#include "ds/settings/settings_store.h"

namespace wq {
namespace {

TEST(PreviewGeometry, ResolutionPerModel) {
  EXPECT_EQ(PreviewResolution(0), 40);
  EXPECT_EQ(PreviewResolution(1), 75);
  EXPECT_EQ(PreviewResolution(2), 40);
  EXPECT_EQ(PreviewResolution(3), 75);
}

TEST(PreviewGeometry, StrideIsRowBytesRoundedToFour) {
  EXPECT_EQ(PreviewStride(1), 4u);
  EXPECT_EQ(PreviewStride(4), 12u);
  EXPECT_EQ(PreviewStride(5), 16u);   // 15 bytes -> 16
  EXPECT_EQ(PreviewStride(340), 1020u);
}

TEST(PreviewGeometry, GrowthIsATenthEachSideAtLeastOneUnit) {
  const AreaRect bed{3, 10, 3 + 215, 10 + 297};
  bool clipped[4];
  // 100 x 50: (120 - 100) / 2 = 10 and (60 - 50) / 2 = 5.
  AreaRect r = GrowSelection({50, 60, 150, 110}, bed, clipped);
  EXPECT_EQ(r.Left, 40);
  EXPECT_EQ(r.Top, 55);
  EXPECT_EQ(r.Right, 160);
  EXPECT_EQ(r.Bottom, 115);
  for (bool c : clipped) EXPECT_FALSE(c);
  // A tiny selection still grows by one unit.
  r = GrowSelection({50, 60, 53, 62}, bed, clipped);
  EXPECT_EQ(r.Left, 49);
  EXPECT_EQ(r.Right, 54);
  EXPECT_EQ(r.Top, 59);
  EXPECT_EQ(r.Bottom, 63);
}

TEST(PreviewGeometry, GrownRegionAtTheBedEdgeIsClipped) {
  const AreaRect bed{3, 10, 218, 307};
  bool clipped[4];
  // At the top-left corner: left and top cut, right and bottom free.
  AreaRect r = GrowSelection({3, 10, 103, 110}, bed, clipped);
  EXPECT_EQ(r.Left, 3);
  EXPECT_EQ(r.Top, 10);
  EXPECT_EQ(r.Right, 113);
  EXPECT_EQ(r.Bottom, 120);
  EXPECT_TRUE(clipped[0]);
  EXPECT_TRUE(clipped[1]);
  EXPECT_FALSE(clipped[2]);
  EXPECT_FALSE(clipped[3]);
  // The whole bed selected: every side cut, the region is the bed.
  r = GrowSelection(bed, bed, clipped);
  EXPECT_EQ(r.Left, bed.Left);
  EXPECT_EQ(r.Top, bed.Top);
  EXPECT_EQ(r.Right, bed.Right);
  EXPECT_EQ(r.Bottom, bed.Bottom);
  for (bool c : clipped) EXPECT_TRUE(c);
}

TEST(PreviewGeometry, ZoomPreviewResolution) {
  // 1,024 pixels, a 50-unit landscape selection: 614 * 25 / 60 = 255 -> 250.
  EXPECT_EQ(ZoomPreviewResolution(1024, 768, {10, 10, 60, 40}, 0), 250);
  // Portrait: the height decides. 768 * 3 / 5 = 460; 460 * 25 / 120 = 95 -> 75.
  EXPECT_EQ(ZoomPreviewResolution(1024, 768, {10, 10, 60, 110}, 0), 75);
  // A square counts as portrait.
  EXPECT_EQ(ZoomPreviewResolution(2000, 768, {0, 0, 100, 100}, 0), 75);
  // Below 50 after rounding: 25 more. 614 * 25 / 360 = 42 -> 25 -> 50.
  EXPECT_EQ(ZoomPreviewResolution(1024, 768, {0, 0, 300, 10}, 0), 50);
  // Small selections hit the model's cap.
  EXPECT_EQ(ZoomPreviewResolution(1024, 768, {0, 0, 5, 2}, 0), 600);
  EXPECT_EQ(ZoomPreviewResolution(1024, 768, {0, 0, 5, 2}, 2), 1200);
  EXPECT_EQ(ZoomPreviewResolution(1024, 768, {0, 0, 5, 2}, 3), 600);
}

TEST(PreviewImageAlloc, WhiteAndSizedFromTheRegion) {
  PreviewImage image;
  ASSERT_TRUE(AllocatePreviewImage(&image, {3, 10, 3 + 50, 10 + 25}, 40));
  EXPECT_EQ(image.Width, 80);   // 50 / 25 * 40
  EXPECT_EQ(image.Height, 40);
  EXPECT_EQ(image.Stride, 240u);
  for (uint32_t i = 0; i < image.Stride * uint32_t(image.Height); ++i) {
    ASSERT_EQ(image.Raw[i], 255);
    ASSERT_EQ(image.Screen[i], 255);
  }
  FreePreviewImage(&image);
  EXPECT_EQ(image.Raw, nullptr);
  EXPECT_FALSE(AllocatePreviewImage(&image, {3, 10, 3, 20}, 40));  // no width
  EXPECT_EQ(image.Raw, nullptr);
}

// A white bed previews white in every mode, black black, with the tone
// settings a fresh settings file has.
TEST(PreviewRender, WhiteStaysWhiteAndBlackStaysBlack) {
  std::unique_ptr<ScanSettings> s(new ScanSettings{});
  SettingsEnvironment env{};
  env.Measure = 1;
  SettingsDefaults(*s, env);
  s->Model = 2;
  ApplyFirstUse(*s, false);
  s->ThresholdW = 128;
  constexpr int32_t w = 137, h = 90;
  const uint32_t stride = PreviewStride(w);
  for (uint8_t level : {uint8_t(255), uint8_t(0)}) {
    std::vector<uint8_t> raw(size_t(stride) * h, level), screen(raw.size(), 77);
    for (int mode : {0x101, 0x201, 0x301, 0x401, 0x501, 0x102, 0x202, 0x502, 3, 4, 6}) {
      s->Mode = int16_t(mode);
      RenderSetup setup;
      PrepareRender(*s, nullptr, &setup);
      ASSERT_TRUE(RenderImage(setup, raw.data(), screen.data(), w, h, stride));
      int wrong = 0;
      for (int32_t y = 0; y < h; ++y)
        for (int32_t i = 0; i < w * 3; ++i) wrong += screen[size_t(y) * stride + size_t(i)] != level;
      EXPECT_EQ(wrong, 0) << "mode " << std::hex << mode << " level " << int(level);
    }
  }
}

// A small image with recognisable pixels.
struct TestImage {
  PreviewImage image{};
  TestImage(int32_t w, int32_t h) {
    EXPECT_TRUE(AllocatePreviewImage(&image, {0, 0, w, h}, 25));  // a pixel a unit
    for (uint32_t i = 0; i < image.Stride * uint32_t(image.Height); ++i)
      image.Raw[i] = uint8_t(i * 7 + 3);
  }
  ~TestImage() { FreePreviewImage(&image); }
  AreaRect Covers() const { return image.Covers; }
};

constexpr PreviewFileKey kFeederKey{1, 1, 0, 0};
constexpr PreviewFileKey kFilmKey{1, 0, 1, 2};

std::vector<uint8_t> Written(const PreviewFileKey& key, const PreviewImage& image) {
  MemWriter w;
  EXPECT_EQ(WritePreview(MemWriterIo(&w), key, image), PreviewFileStatus::kOk);
  return w.bytes;
}

PreviewFileStatus Read(const std::vector<uint8_t>& bytes, const PreviewFileKey& key,
                       const AreaRect& covers, PreviewImage* out) {
  MemReader r{bytes};
  return ReadPreview(MemReaderIo(&r), key, covers, 25, out);
}

TEST(PreviewFile, LayoutIsAHeaderThenABitmapFile) {
  TestImage t(10, 8);  // 30-byte rows -> stride 32
  const std::vector<uint8_t> f = Written(kFeederKey, t.image);
  ASSERT_EQ(f.size(), 28u + 14 + 40 + 32 * 8);
  EXPECT_EQ(GetLE16(f.data() + 0), 1);  // model
  EXPECT_EQ(GetLE16(f.data() + 2), 1);  // feeder
  EXPECT_EQ(GetLE16(f.data() + 4), 0);
  EXPECT_EQ(GetLE16(f.data() + 6), 0);
  EXPECT_EQ(GetLE16(f.data() + 8), 32);  // stride
  EXPECT_EQ(GetLE16(f.data() + 10), 0);
  EXPECT_EQ(GetLE32(f.data() + 12), 0u);
  EXPECT_EQ(GetLE32(f.data() + 16), 0u);
  EXPECT_EQ(GetLE32(f.data() + 20), 10u);
  EXPECT_EQ(GetLE32(f.data() + 24), 8u);
  // From byte 28 on: a bitmap file any reader takes.
  const uint8_t* bmp = f.data() + 28;
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(GetLE32(bmp + 2), f.size() - 28);
  EXPECT_EQ(GetLE32(bmp + 10), 54u);
  EXPECT_EQ(GetLE32(bmp + 14), 40u);
  EXPECT_EQ(int32_t(GetLE32(bmp + 18)), 10);
  EXPECT_EQ(int32_t(GetLE32(bmp + 22)), 8);  // positive: bottom-up
  EXPECT_EQ(GetLE16(bmp + 26), 1);
  EXPECT_EQ(GetLE16(bmp + 28), 24);
  EXPECT_EQ(memcmp(f.data() + 28 + 54, t.image.Raw, 32 * 8), 0);
}

TEST(PreviewFile, RoundTrip) {
  TestImage t(13, 7);
  const std::vector<uint8_t> f = Written(kFilmKey, t.image);
  PreviewImage back{};
  ASSERT_EQ(Read(f, kFilmKey, t.Covers(), &back), PreviewFileStatus::kOk);
  ASSERT_EQ(back.Width, 13);
  ASSERT_EQ(back.Height, 7);
  EXPECT_EQ(memcmp(back.Raw, t.image.Raw, t.image.Stride * 7), 0);
  FreePreviewImage(&back);
}

TEST(PreviewFile, AnotherScannerConfigurationIsIgnored) {
  TestImage t(8, 8);
  // Written with the feeder selected, read with the film unit selected.
  const std::vector<uint8_t> f = Written(kFeederKey, t.image);
  PreviewImage back{};
  EXPECT_EQ(Read(f, kFilmKey, t.Covers(), &back), PreviewFileStatus::kOtherScanner);
  EXPECT_EQ(back.Raw, nullptr);
  for (PreviewFileKey k : {PreviewFileKey{2, 1, 0, 0}, PreviewFileKey{1, 0, 0, 0},
                           PreviewFileKey{1, 1, 1, 0}, PreviewFileKey{1, 1, 0, 3}})
    EXPECT_EQ(Read(f, k, t.Covers(), &back), PreviewFileStatus::kOtherScanner);
  EXPECT_EQ(back.Raw, nullptr);
}

TEST(PreviewFile, DamagedFilesAreTurnedAway) {
  TestImage t(9, 6);
  const std::vector<uint8_t> good = Written(kFeederKey, t.image);
  PreviewImage back{};
  auto expect = [&](std::vector<uint8_t> f, PreviewFileStatus st, const char* what) {
    EXPECT_EQ(Read(f, kFeederKey, t.Covers(), &back), st) << what;
    EXPECT_EQ(back.Raw, nullptr) << what;
  };
  // Every truncation is corrupt, never a partial image.
  for (size_t n : {size_t(0), size_t(10), size_t(27), size_t(28), size_t(60), good.size() - 1})
    expect(std::vector<uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n)),
           PreviewFileStatus::kCorrupt, "truncated");
  auto patched = [&](size_t at, uint32_t v, int bytes) {
    std::vector<uint8_t> f = good;
    if (bytes == 2) PutLE16(f.data() + at, uint16_t(v));
    else PutLE32(f.data() + at, v);
    return f;
  };
  expect(patched(8, 32, 2), PreviewFileStatus::kCorrupt, "stride");  // 28 is right
  expect(patched(12, 1, 4), PreviewFileStatus::kCorrupt, "left");
  expect(patched(20, 10, 4), PreviewFileStatus::kCorrupt, "width disagrees with the bitmap");
  expect(patched(24, 0xFFFFFFFFu, 4), PreviewFileStatus::kCorrupt, "negative height");
  expect(patched(28 + 2, 9999, 4), PreviewFileStatus::kCorrupt, "file size");
  expect(patched(28 + 10, 58, 4), PreviewFileStatus::kCorrupt, "pixel offset");
  expect(patched(28 + 28, 8, 2), PreviewFileStatus::kCorrupt, "8-bit");
  expect(patched(28 + 30, 1, 4), PreviewFileStatus::kCorrupt, "compressed");
  std::vector<uint8_t> notBmp = good;
  notBmp[28] = 'X';
  expect(notBmp, PreviewFileStatus::kCorrupt, "no BM");
  // A sound file of another size than the bed's preview.
  EXPECT_EQ(Read(good, kFeederKey, {0, 0, 50, 50}, &back), PreviewFileStatus::kWrongSize);
  EXPECT_EQ(back.Raw, nullptr);
}

TEST(PreviewFile, FullDiskFailsTheWrite) {
  TestImage t(16, 16);
  MemWriter w;
  w.limit = 100;
  EXPECT_EQ(WritePreview(MemWriterIo(&w), kFeederKey, t.image), PreviewFileStatus::kWriteFailed);
  PreviewImage empty{};
  MemWriter w2;
  EXPECT_EQ(WritePreview(MemWriterIo(&w2), kFeederKey, empty), PreviewFileStatus::kWriteFailed);
}

// The kept file on disk, through the data source's settings: taken with the
// feeder selected, then offered when the film unit is selected.
class KeptPreview : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetDataSource();
    settings.reset(new ScanSettings);
    SettingsDefaults(*settings, g_Env);
    g_Settings = settings.get();
    char dir[] = "/tmp/wqpreviewXXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    this->dir = std::string(dir) + "/";
    CopyString(g_Env.SourceDir, this->dir.c_str());
    CopyString(g_Main.WorkDrive, this->dir.c_str());
  }
  void TearDown() override {
    DiscardPreviews();
    char path[300];
    PreviewFilePath(path, sizeof path);
    remove(path);
    PreviewWorkFilePath(path, sizeof path);
    remove(path);
    rmdir(dir.c_str());
    g_Settings = nullptr;
    test::ShutDownDataSource();
  }
  void Select(int adf, int mirror, int type) {
    settings->Model = 1;
    settings->ADF = int16_t(adf);
    settings->Mirror = int16_t(mirror);
    settings->MirrorType = int16_t(type);
  }
  std::unique_ptr<ScanSettings> settings;
  std::string dir;
};

TEST_F(KeptPreview, FeederPreviewIsNotLoadedForTheFilmUnit) {
  Select(1, 0, 0);
  settings->KeepPrescan = 1;
  ASSERT_TRUE(AllocatePreviewImage(&g_Preview.Preview, CurrentBed(*settings), 75));
  g_Preview.Preview.Raw[0] = 17;
  ASSERT_TRUE(SavePreviewFile());
  DiscardPreviews();

  // Same configuration: it comes back.
  ASSERT_TRUE(LoadPreviewFile());
  EXPECT_EQ(g_Preview.Preview.Raw[0], 17);
  DiscardPreviews();

  // The film unit selected at the next start: nothing.
  Select(0, 1, 1);
  EXPECT_FALSE(LoadPreviewFile());
  EXPECT_FALSE(PreviewExists());
  // And not without KeepPrescan either.
  Select(1, 0, 0);
  settings->KeepPrescan = 0;
  EXPECT_FALSE(LoadPreviewFile());
}

TEST_F(KeptPreview, SavedFromTheWorkCopyWhenMemoryHasNone) {
  Select(0, 0, 0);
  settings->Model = 0;
  settings->KeepPrescan = 1;
  ASSERT_TRUE(AllocatePreviewImage(&g_Preview.Preview, CurrentBed(*settings), 40));
  g_Preview.Preview.Raw[5] = 99;
  ASSERT_TRUE(WritePreviewWorkFile());
  DiscardPreviews();
  EXPECT_FALSE(WritePreviewWorkFile());  // nothing to write
  ASSERT_TRUE(SavePreviewFile());
  ASSERT_TRUE(LoadPreviewFile());
  EXPECT_EQ(g_Preview.Preview.Raw[5], 99);
}

}  // namespace
}  // namespace wq
