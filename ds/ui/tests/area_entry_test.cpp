// The Area dialog's logic without its window: measurements in each unit and
// back, the fields of the current area, the checks of OK in their order with
// their messages, the selection the values make on the preview frame, what
// OK changes (and asks while the zoom is on), and the numeric key filter.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "ds/base/host.h"
#include "ds/scan/geometry.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/tests/test_host.h"
#include "ds/ui/area_entry.h"
#include "ds/ui/key_filter.h"
#include "ds/ui/menus.h"
#include "ds/ui/units.h"

namespace wq {
namespace {

using test::g_TestHost;

// Model 2's resolution list: index 7 is 300 dpi, index 12 the custom value.
constexpr int kRes300 = 7;
constexpr int kResCustom = 12;

std::unique_ptr<ScanSettings> Settings(int model, int unit) {
  std::unique_ptr<ScanSettings> s(new ScanSettings{});
  SettingsEnvironment env{};
  SettingsDefaults(*s, env);
  s->Model = int16_t(model);
  s->Units = int16_t(unit);
  s->Resolution = kRes300;
  s->ADF = s->Mirror = s->MirrorType = 0;
  s->PreCropRect = SettingsRect{0, 0, 0, 0};
  s->PreScanRect = SettingsRect{0, 0, 0, 0};
  s->ZoomOnOff = 0;
  s->Range1 = s->Range2 = 1;
  SetAreaFromPaper(*s);
  UpdateImageSize(*s);
  return s;
}

struct Fields {
  std::string Text[kAreaFieldCount];
  const char* Ptr[kAreaFieldCount];
  Fields(const char* ox, const char* w, const char* oy, const char* h) {
    const char* in[] = {ox, w, oy, h};
    for (int i = 0; i < kAreaFieldCount; ++i) {
      Text[i] = in[i];
      Ptr[i] = Text[i].c_str();
    }
  }
};

// --- Measurements, fields, checks and the selection ---------------------

// The entry's edge cases, and every value a bed can hold back from its
// text as the same number of units, in every unit.
TEST(AreaUnits, EdgeCasesAndEveryBedValueThroughItsText) {
  int64_t v;
  ASSERT_TRUE(ParseDisplayValue("1.00", kUnitInches, ".", &v));
  EXPECT_EQ(DisplayToAreaUnits(v, kUnitInches, 0), 25);
  ASSERT_TRUE(ParseDisplayValue("2,54", kUnitCm, ",", &v));
  EXPECT_EQ(DisplayToAreaUnits(v, kUnitCm, 0), 25);
  ASSERT_TRUE(ParseDisplayValue("300", kUnitPixels, ".", &v));
  EXPECT_EQ(DisplayToAreaUnits(v, kUnitPixels, 300), 25);
  char text[32];
  FormatDisplayValue(AreaUnitsToDisplay(0, kUnitCm, 300), kUnitCm, ",", text, sizeof text);
  EXPECT_STREQ(text, "0,00");
  for (int unit : {kUnitInches, kUnitCm, kUnitPixels})
    for (int res : {72, 75, 100, 300, 1200})
      for (const char* sep : {".", ","})
        for (int64_t units = 0; units <= 435; ++units) {
          FormatDisplayValue(AreaUnitsToDisplay(units, unit, res), unit, sep, text, sizeof text);
          ASSERT_TRUE(ParseDisplayValue(text, unit, sep, &v)) << text;
          ASSERT_EQ(DisplayToAreaUnits(v, unit, res), units) << unit << " " << res << " " << text;
        }
}

TEST(AreaUnits, AnUnknownUnitIsInchesAndExtremesFormat) {
  char text[32];
  FormatDisplayValue(AreaUnitsToDisplay(25, 7, 300), 7, ".", text, sizeof text);
  EXPECT_STREQ(text, "1.00");
  EXPECT_EQ(PixelsToDisplay(300, 7, 300), 100);
  FormatHundredths(INT64_MIN, ".", text, sizeof text);
  EXPECT_STREQ(text, "-92233720368547758.08");
  int64_t v;
  EXPECT_FALSE(ParseHundredths("99999999999999999999999", ".", &v));
}

TEST(AreaFields, FromTheBedOriginAtEachDirectionsResolution) {
  auto s = Settings(2, kUnitCm);
  s->AreaLeft = kBedLeft + 25;
  s->AreaTop = kBedTop + 50;
  s->AreaWidth = 100;
  s->AreaHeight = 125;
  AreaFieldTexts t;
  FormatAreaFields(CurrentAreaValues(*s), AreaEntryScaleOf(*s, ","), &t);
  EXPECT_STREQ(t.Text[kAreaOriginX], "2,54");
  EXPECT_STREQ(t.Text[kAreaWidth], "10,16");
  EXPECT_STREQ(t.Text[kAreaHeight], "12,70");
  s->Units = kUnitPixels;
  s->Resolution = kResCustom;
  s->XResoCustom = 400;
  s->YResoCustom = 200;
  FormatAreaFields(CurrentAreaValues(*s), AreaEntryScaleOf(*s, ","), &t);
  EXPECT_STREQ(t.Text[kAreaOriginX], "400");
  EXPECT_STREQ(t.Text[kAreaWidth], "1600");
  EXPECT_STREQ(t.Text[kAreaOriginY], "400");
  EXPECT_STREQ(t.Text[kAreaHeight], "1000");
}

struct Verdict {
  const char* Fields[4];  // origin X, width, origin Y, height
  int Field, Message;     // Message 0: valid
  const char* Minimum;
  const char* Maximum;
};

void ExpectVerdicts(const AreaEntryScale& m, const Verdict* cases, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const Verdict& v = cases[i];
    const AreaEntryCheck c = CheckAreaFields(m, v.Fields);
    SCOPED_TRACE(std::string(v.Fields[0]) + "|" + v.Fields[1] + "|" + v.Fields[2] + "|" +
                 v.Fields[3]);
    EXPECT_EQ(c.Valid, v.Message == 0);
    if (v.Message == 0) continue;
    EXPECT_EQ(c.Field, v.Field);
    EXPECT_EQ(c.Message, v.Message);
    EXPECT_STREQ(c.Minimum, v.Minimum);
    EXPECT_STREQ(c.Maximum, v.Maximum);
  }
}

// The WQ220's flatbed: 213 x 350 units, 8.52 x 14.00 inches.
TEST(AreaCheck, InchesInTheirOrderWithTheirMessages) {
  auto s = Settings(2, kUnitInches);
  const Verdict cases[] = {
      // X before Y; the origin before the width.
      {{"x", "1.00", "y", "1.00"}, kAreaOriginX, kAreaNeedsNumber, "0.04", ""},
      {{"0", "", "0", "1"}, kAreaWidth, kAreaNeedsNumber, "0.04", ""},
      {{"-1", "-1", "0", "1"}, kAreaOriginX, kAreaRangeX, "0.04", "8.52"},
      {{"0", "-0.5", "0", "1"}, kAreaWidth, kAreaRangeX, "0.04", "8.52"},
      {{"8.53", "0.04", "0", "1"}, kAreaOriginX, kAreaRangeX, "0.04", "8.52"},
      {{"4.00", "4.53", "0", "1"}, kAreaWidth, kAreaRangeX, "0.04", "8.52"},
      {{"8.52", "0", "0", "1"}, kAreaWidth, kAreaNeedsNumber, "0.04", ""},
      {{"0", "0.03", "0", "1"}, kAreaWidth, kAreaNeedsNumber, "0.04", ""},
      // X right: Y's turn.
      {{"0", "8.52", "1,0", "1"}, kAreaOriginY, kAreaNeedsNumber, "0.04", ""},
      {{"0", "8.52", "14.01", "1"}, kAreaOriginY, kAreaRangeY, "0.04", "14.00"},
      {{"0", "8.52", "7", "7.01"}, kAreaHeight, kAreaRangeY, "0.04", "14.00"},
      {{"0", "8.52", "1", "1 2"}, kAreaHeight, kAreaNeedsNumber, "0.04", ""},
      // The whole bed and the smallest area at its far corner.
      {{" 0 ", "8.52", "+0", "14.00"}, 0, 0, "", ""},
      {{"8.48", "0.04", "13.96", "0.04"}, 0, 0, "", ""},
  };
  ExpectVerdicts(AreaEntryScaleOf(*s, "."), cases, sizeof cases / sizeof cases[0]);
}

TEST(AreaCheck, CentimetresAndPixelsInTheirOwnTerms) {
  auto s = Settings(2, kUnitCm);
  const Verdict cm[] = {
      {{"0", "2.54", "0", "2,54"}, kAreaWidth, kAreaNeedsNumber, "0,10", ""},
      {{"0", "21,65", "0", "2,54"}, kAreaWidth, kAreaRangeX, "0,10", "21,64"},
      {{"0", "2,54", "0", "2,54"}, 0, 0, "", ""},
  };
  ExpectVerdicts(AreaEntryScaleOf(*s, ","), cm, 3);
  s->Units = kUnitPixels;
  s->Resolution = kResCustom;
  s->XResoCustom = 300;
  s->YResoCustom = 150;
  const Verdict px[] = {
      {{"0", "12.5", "0", "100"}, kAreaWidth, kAreaNeedsNumber, "12", ""},
      {{"0", "300", "0", "2101"}, kAreaHeight, kAreaRangeY, "6", "2100"},
      {{"0", "300", "0", "150"}, 0, 0, "", ""},
  };
  const AreaEntryScale m = AreaEntryScaleOf(*s, ".");
  ExpectVerdicts(m, px, 3);
  const AreaEntryCheck c = CheckAreaFields(m, px[2].Fields);
  EXPECT_EQ(c.Values.Width, 25);  // 300 pixels at 300 dpi
  EXPECT_EQ(c.Values.Height, 25);  // 150 at 150
}

// Each edge is the smallest frame pixel at or past its value, and a
// selection keeps one pixel where a 1-unit size falls inside one (an empty
// selection would be the whole bed).
TEST(AreaSelection, EdgesRoundUpAndKeepAPixel) {
  for (int model : {2, 3}) {
    auto s = Settings(model, kUnitInches);
    s->PreScanRect = SettingsRect{8, 9, 8 + 170, 9 + 280};
    int n, d;
    FrameScale(model, &n, &d);
    for (int32_t u = 0; u <= 300; ++u) {
      const SettingsRect r = SelectionOfValues(*s, AreaValues{u, u, 301 - u, 1});
      const int64_t x = r.Left - 8, right = r.Right - 8;
      ASSERT_TRUE(x * n >= int64_t(u) * d && (x - 1) * n < int64_t(u) * d) << u;
      ASSERT_TRUE(right * n >= 301 * d && (right - 1) * n < 301 * d) << u;
      ASSERT_EQ(r.Top - 9, x);
      ASSERT_GT(r.Bottom, r.Top);
      s->PreCropRect = r;
      SelectionToArea(*s);
      ASSERT_LE(s->AreaHeight, 2) << model << " " << u;
    }
  }
}

// --- OK ------------------------------------------------------------------

class AreaAccept : public ::testing::Test {
 protected:
  void SetUp() override { test::ResetDataSource(); }
  void TearDown() override { test::ShutDownDataSource(); }
  AreaEntryOutcome Ok(ScanSettings& s, const Fields& f, const char* sep = ".") {
    return AcceptAreaFields(s, sep, f.Ptr, &check);
  }
  AreaEntryCheck check{};
};

TEST_F(AreaAccept, TheFieldsAsShownChangeNothing) {
  for (int unit : {kUnitInches, kUnitCm, kUnitPixels}) {
    auto s = Settings(2, unit);
    s->Range2 = 1;  // A4, chosen from the menu: the stored selection is not its area
    s->ZoomOnOff = 1;
    s->PreCropRect = SettingsRect{10, 10, 20, 20};
    SetAreaFromPaper(*s);
    AreaFieldTexts t;
    FormatAreaFields(CurrentAreaValues(*s), AreaEntryScaleOf(*s, ","), &t);
    Fields shown(t.Text[0], t.Text[1], t.Text[2], t.Text[3]);
    const ScanSettings before = *s;
    EXPECT_EQ(Ok(*s, shown, ","), kAreaEntryUnchanged);
    EXPECT_EQ(memcmp(&before, s.get(), sizeof before), 0);
    EXPECT_TRUE(g_TestHost.messages.empty());
  }
}

TEST_F(AreaAccept, ANewAreaBecomesTheSelectionAndItsImage) {
  auto s = Settings(2, kUnitInches);
  s->PreScanRect = SettingsRect{8, 8, 8 + 170, 8 + 280};
  ASSERT_EQ(Ok(*s, Fields("1.00", "1.00", "2.00", "3.00")), kAreaEntryApplied);
  EXPECT_TRUE(g_TestHost.messages.empty());
  // 25 units are 20 frame pixels on this model.
  EXPECT_EQ(s->PreCropRect.Left, 8 + 20);
  EXPECT_EQ(s->PreCropRect.Right, 8 + 40);
  EXPECT_EQ(s->PreCropRect.Top, 8 + 40);
  EXPECT_EQ(s->PreCropRect.Bottom, 8 + 100);
  EXPECT_EQ(s->AreaLeft, kBedLeft + 25);
  EXPECT_EQ(s->AreaTop, kBedTop + 50);
  EXPECT_EQ(s->AreaWidth, 25);
  EXPECT_EQ(s->AreaHeight, 75);
  EXPECT_EQ(s->ImageWidth, 300);
  EXPECT_EQ(s->ImageHeight, 900);
  EXPECT_EQ(AreaCommand(2, s->Range2), CMD_AREA_CUSTOM);

  // The WQ490 keeps its paper choice in Range1.
  auto big = Settings(3, kUnitCm);
  const int16_t range2 = big->Range2;
  ASSERT_EQ(Ok(*big, Fields("0", "2,54", "0", "2,54"), ","), kAreaEntryApplied);
  EXPECT_EQ(AreaCommand(3, big->Range1), CMD_AREA_CUSTOM);
  EXPECT_EQ(big->Range2, range2);
  EXPECT_EQ(big->AreaWidth, 25);
  EXPECT_EQ(big->AreaHeight, 25);
}

// The area is worked out from the paper choice again at the next open:
// "Optional..." is the typed selection then.
TEST_F(AreaAccept, OptionalKeepsTheTypedAreaWhenWorkedOutAgain) {
  for (int model : {2, 3}) {
    auto s = Settings(model, kUnitInches);
    ASSERT_EQ(Ok(*s, Fields("1.00", "2.00", "0.40", "3.00")), kAreaEntryApplied);
    SetAreaFromPaper(*s);
    const AreaValues again = CurrentAreaValues(*s);
    EXPECT_EQ(again.OriginX, 25) << model;
    EXPECT_EQ(again.Width, 50);
    EXPECT_EQ(again.OriginY, 10);
    EXPECT_EQ(again.Height, 75);
    // Without a selection "Optional..." is the whole bed; a paper is itself.
    s->PreCropRect = SettingsRect{0, 0, 0, 0};
    SetAreaFromPaper(*s);
    const AreaRect bed = BedRect(model, false, false, 0);
    EXPECT_EQ(s->AreaWidth, bed.Right - bed.Left);
    EXPECT_EQ(s->AreaHeight, bed.Bottom - bed.Top);
    s->PreCropRect = SettingsRect{1, 1, 9, 9};
    if (model == 3) s->Range1 = 2;
    else s->Range2 = 1;
    SetAreaFromPaper(*s);
    EXPECT_EQ(s->AreaWidth, 210 - kBedLeft);  // A4
  }
}

TEST_F(AreaAccept, WithTheZoomOnCancelKeepsTheAreaAndOkTurnsItOff) {
  auto s = Settings(2, kUnitInches);
  s->ZoomOnOff = 1;
  const ScanSettings before = *s;
  g_TestHost.answers.push_back(kAnswerCancel);
  EXPECT_EQ(Ok(*s, Fields("0", "1.00", "0", "1.00")), kAreaEntryRefused);
  ASSERT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(g_TestHost.messages[0], 16031);
  EXPECT_EQ(memcmp(&before, s.get(), sizeof before), 0);

  // A wrong field asks nothing either.
  g_TestHost.messages.clear();
  EXPECT_EQ(Ok(*s, Fields("0", "1.00", "0", "99")), kAreaEntryInvalid);
  EXPECT_EQ(check.Field, kAreaHeight);
  EXPECT_TRUE(g_TestHost.messages.empty());
  EXPECT_EQ(memcmp(&before, s.get(), sizeof before), 0);

  EXPECT_EQ(Ok(*s, Fields("0", "1.00", "0", "1.00")), kAreaEntryApplied);
  ASSERT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(s->ZoomOnOff, 0);
  EXPECT_EQ(s->AreaWidth, 25);
}

// --- Keys --------------------------------------------------------------

// The keys a numeric field takes, whatever the separator.
std::set<int> AlwaysPassing() {
  std::set<int> keys = {vk::kBack,   vk::kTab,      vk::kReturn, vk::kShift,  vk::kControl,
                        vk::kAlt,    vk::kEscape,   vk::kSpace,  vk::kPageUp, vk::kPageDown,
                        vk::kLeft,   vk::kUp,       vk::kRight,  vk::kDown,   vk::kInsert,
                        vk::kDelete, vk::kSubtract, vk::kF4,     vk::kNumLock, vk::kMinus};
  for (int k = '0'; k <= '9'; ++k) keys.insert(k);
  for (int k = 0x60; k <= 0x69; ++k) keys.insert(k);
  return keys;
}

// The character a US layout gives each key, enough for the filter's test.
int UsCharOf(int key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return key;
  if (key == vk::kComma) return ',';
  if (key == vk::kPeriod) return '.';
  if (key == vk::kMinus) return '-';
  if (key == vk::kDecimal) return '.';
  return 0;
}

// Every key code, for whole numbers and with either separator; letters,
// F1 and the other function keys are among those that never pass.
TEST(KeyFilter, EveryKeyByTheSeparator) {
  const std::set<int> whole = AlwaysPassing();
  std::set<int> dot = whole, comma = whole;
  dot.insert({vk::kPeriod, vk::kDecimal});
  comma.insert({vk::kComma, vk::kSeparator});
  for (int key = 1; key < 256; ++key) {
    const int c = UsCharOf(key);
    EXPECT_EQ(NumericKeyPasses(key, c, false, "."), whole.count(key) == 1) << key;
    EXPECT_EQ(NumericKeyPasses(key, c, false, ","), whole.count(key) == 1) << key;
    EXPECT_EQ(NumericKeyPasses(key, c, true, "."), dot.count(key) == 1) << key;
    EXPECT_EQ(NumericKeyPasses(key, c, true, ","), comma.count(key) == 1) << key;
    EXPECT_EQ(NumericKeyPasses(key, c, true, ""), dot.count(key) == 1) << key;
  }
}

TEST(KeyFilter, AnotherLayoutsSeparatorKeyPassesByItsCharacter) {
  EXPECT_TRUE(NumericKeyPasses(0xDF, '\'', true, "'"));
  EXPECT_FALSE(NumericKeyPasses(0xDF, '\'', false, "'"));
  EXPECT_FALSE(NumericKeyPasses(0xDF, '\'', true, "."));
  // The keypad's point where it types a comma.
  EXPECT_TRUE(NumericKeyPasses(vk::kDecimal, ',', true, ","));
  EXPECT_FALSE(NumericKeyPasses(vk::kDecimal, '.', true, ","));
}

}  // namespace
}  // namespace wq
