// The command line of TWACQUIRE: defaults, every setting, the refusals, the
// page files' names and the exit status of a failure.
#include <gtest/gtest.h>

#include <vector>

#include "tools/twacquire/options.h"

namespace wq {
namespace {

bool Parse(std::vector<const char*> args, AcquireOptions* o, std::string* error) {
  args.insert(args.begin(), "TWACQUIRE");
  return ParseAcquireOptions(int(args.size()), args.data(), o, error);
}

TEST(AcquireOptions, DefaultIsOneColourPageAt150DpiIntoABmpByNativeTransfer) {
  AcquireOptions o;
  std::string error;
  ASSERT_TRUE(Parse({}, &o, &error)) << error;
  EXPECT_EQ(o.Source, "KORVA TWAIN32");
  EXPECT_EQ(o.PixelType, TWPT_RGB);
  EXPECT_EQ(o.Dpi, 150);
  EXPECT_EQ(o.Mechanism, XferMech::kNative);
  EXPECT_EQ(o.Pages, 1);
  EXPECT_FALSE(o.Feeder);
  EXPECT_FALSE(o.HasFrame);
  EXPECT_EQ(o.Format, PageFormat::kBmp);
  EXPECT_EQ(PageFileName(o.Output, 1), "scan001.bmp");
  EXPECT_FALSE(o.Saved);
  EXPECT_EQ(o.Manager, ManagerChoice::kDefault);
  AcquireOptions saved;
  ASSERT_TRUE(Parse({"--saved", "-x", "memory"}, &saved, &error)) << error;
  EXPECT_TRUE(saved.Saved);
  EXPECT_EQ(saved.Mechanism, XferMech::kMemory);
}

TEST(AcquireOptions, EverySettingIsTaken) {
  AcquireOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"--source", "Other Scanner", "--mode", "GRAY", "--dpi", "300", "--frame",
                     "0.5,1,4.25,6", "--brightness", "-20", "--contrast", "35.5", "--threshold", "90",
                     "--xfer", "memory", "--feeder", "3", "-o", "out\\page##.TIF", "--timeout", "5"},
                    &o, &error))
      << error;
  EXPECT_EQ(o.Source, "Other Scanner");
  EXPECT_EQ(o.PixelType, TWPT_GRAY);
  EXPECT_EQ(o.Dpi, 300);
  ASSERT_TRUE(o.HasFrame);
  EXPECT_EQ(o.Frame[0], 0.5);
  EXPECT_EQ(o.Frame[3], 6);
  EXPECT_TRUE(o.HasBrightness && o.HasContrast && o.HasThreshold);
  EXPECT_EQ(o.Brightness, -20);
  EXPECT_EQ(o.Contrast, 35.5);
  EXPECT_EQ(o.Threshold, 90);
  EXPECT_EQ(o.Mechanism, XferMech::kMemory);
  EXPECT_TRUE(o.Feeder);
  EXPECT_EQ(o.Pages, 3);
  EXPECT_EQ(o.Format, PageFormat::kTiff);
  EXPECT_EQ(o.TimeoutSeconds, 5);

  AcquireOptions all;
  ASSERT_TRUE(Parse({"--feeder", "all", "--mode", "bw", "--xfer", "file"}, &all, &error)) << error;
  EXPECT_TRUE(all.Feeder);
  EXPECT_EQ(all.Pages, 0);
  EXPECT_EQ(all.PixelType, TWPT_BW);
  EXPECT_EQ(all.Mechanism, XferMech::kFile);
  // A bare --feeder before another option takes every sheet.
  AcquireOptions bare;
  ASSERT_TRUE(Parse({"--feeder", "--mode", "palette", "--list"}, &bare, &error)) << error;
  EXPECT_EQ(bare.Pages, 0);
  EXPECT_EQ(bare.PixelType, TWPT_PALETTE);
  EXPECT_TRUE(bare.List);

  AcquireOptions dsm, wine;
  ASSERT_TRUE(Parse({"--manager", "TWAINDSM"}, &dsm, &error)) << error;
  EXPECT_EQ(dsm.Manager, ManagerChoice::kTwainDsm);
  ASSERT_TRUE(Parse({"--manager", "twain_32.dll"}, &wine, &error)) << error;
  EXPECT_EQ(wine.Manager, ManagerChoice::kTwain32);
}

TEST(AcquireOptions, RefusesWhatItCannotDoWithAReason) {
  const std::vector<std::vector<const char*>> bad = {
      {"--mode", "sepia"},         {"--mode"},
      {"--dpi", "0"},              {"--dpi", "150x"},
      {"--dpi", "nan"},            {"--frame", "1,1,1,2"},
      {"--frame", "0,0,3"},        {"--frame", "0,0,3,4,5"},
      {"--frame", "-1,0,3,4"},     {"--threshold", "256"},
      {"--brightness", "1001"},    {"--xfer", "fax"},
      {"--feeder", "0"},           {"--feeder", "2.5"},
      {"-o", "page.jpg"},          {"-o", "dir.bmp/page"},
      {"--source", ""},            {"--source", "a name far longer than thirty-three characters"},
      {"--colour"},                {"--timeout", "0"},
      {"--manager"},               {"--manager", "twain.dll"}};
  for (const auto& args : bad) {
    AcquireOptions o;
    std::string error;
    EXPECT_FALSE(Parse(args, &o, &error)) << args[0];
    EXPECT_FALSE(error.empty()) << args[0];
    EXPECT_EQ(error.find('\n'), std::string::npos) << "one line: " << error;
  }
}

TEST(AcquireOptions, PageFilesAreNumbered) {
  EXPECT_EQ(PageFileName("scan###.bmp", 7), "scan007.bmp");
  EXPECT_EQ(PageFileName("scan#.bmp", 12), "scan12.bmp");  // the number may outgrow the run
  EXPECT_EQ(PageFileName("p##-x##.tif", 3), "p03-x##.tif");  // only the first run
  EXPECT_EQ(PageFileName("page.bmp", 1), "page.bmp");
  EXPECT_EQ(PageFileName("page.bmp", 2), "page-2.bmp");
  EXPECT_EQ(PageFileName("c:\\a.b\\page", 3), "c:\\a.b\\page-3");
  EXPECT_EQ(PageFileName("c:\\a#\\page.tif", 2), "c:\\a#\\page-2.tif");  // '#' of a folder stays
  PageFormat f;
  EXPECT_TRUE(FormatOfName("X.TIFF", &f));
  EXPECT_EQ(f, PageFormat::kTiff);
  EXPECT_TRUE(FormatOfName("x.Dib", &f));
  EXPECT_EQ(f, PageFormat::kBmp);
  EXPECT_FALSE(FormatOfName("bmp", &f));
}

TEST(AcquireOptions, FailuresExitWithTheConditionCode) {
  EXPECT_EQ(FailureExitCode(TWCC_OPERATIONERROR), 5);
  EXPECT_EQ(FailureExitCode(TWCC_SUCCESS), 1);  // never 0 for a failure
  EXPECT_EQ(ConditionName(TWCC_BADVALUE), "TWCC_BADVALUE");
  EXPECT_EQ(ConditionName(TWCC_SEQERROR), "TWCC_SEQERROR");
  EXPECT_EQ(ConditionName(7), "condition 7");
  EXPECT_EQ(ConditionName(0x8001), "condition 32769");
  // 150.5 as TWAIN's fixed point: whole 150, half of 65536.
  const TW_FIX32 f = ToFix32(150.5);
  EXPECT_EQ(f.Whole, 150);
  EXPECT_EQ(f.Frac, 32768);
  const TW_FIX32 n = ToFix32(-0.25);
  EXPECT_EQ(n.Whole, -1);
  EXPECT_EQ(n.Frac, 49152);
}

}  // namespace
}  // namespace wq
