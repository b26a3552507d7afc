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

// --- Measurements -------------------------------------------------------

TEST(AreaUnits, TheEdgeCasesOfTheEntry) {
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
  // Leading zeros up to three digits; the separator as the user has it.
  FormatDisplayValue(AreaUnitsToDisplay(1, kUnitInches, 300), kUnitInches, ",", text, sizeof text);
  EXPECT_STREQ(text, "0,04");
  FormatDisplayValue(AreaUnitsToDisplay(1, kUnitCm, 300), kUnitCm, ".", text, sizeof text);
  EXPECT_STREQ(text, "0.10");  // (254 + 12) / 25 hundredths
  FormatDisplayValue(AreaUnitsToDisplay(25, kUnitPixels, 72), kUnitPixels, ",", text, sizeof text);
  EXPECT_STREQ(text, "72");
}

// Every value a bed can hold comes back from its text as the same number
// of units, in every unit, at every resolution of the lists.
TEST(AreaUnits, EveryBedValueSurvivesItsText) {
  for (int unit : {kUnitInches, kUnitCm, kUnitPixels}) {
    for (int res : {72, 75, 100, 150, 300, 400, 1200}) {
      for (const char* sep : {".", ","}) {
        for (int64_t units = 0; units <= 435; ++units) {
          char text[32];
          FormatDisplayValue(AreaUnitsToDisplay(units, unit, res), unit, sep, text, sizeof text);
          int64_t back;
          ASSERT_TRUE(ParseDisplayValue(text, unit, sep, &back)) << text;
          ASSERT_EQ(DisplayToAreaUnits(back, unit, res), units)
              << "unit " << unit << " at " << res << " dpi: " << text;
        }
      }
    }
  }
}

TEST(AreaUnits, AnUnknownUnitIsInchesInNumberAndText) {
  char text[32];
  const int64_t shown = AreaUnitsToDisplay(25, 7, 300);
  FormatDisplayValue(shown, 7, ".", text, sizeof text);
  EXPECT_STREQ(text, "1.00");
  int64_t v;
  ASSERT_TRUE(ParseDisplayValue(text, 7, ".", &v));
  EXPECT_EQ(DisplayToAreaUnits(v, 7, 300), 25);
  EXPECT_EQ(PixelsToDisplay(300, 7, 300), 100);
  EXPECT_EQ(DisplayToPixels(100, 7, 300), 300);
}

TEST(AreaUnits, ExtremeValuesFormatWithoutOverflow) {
  char text[32];
  FormatHundredths(INT64_MIN, ".", text, sizeof text);
  EXPECT_STREQ(text, "-92233720368547758.08");
  FormatHundredths(INT64_MAX, ",", text, sizeof text);
  EXPECT_STREQ(text, "92233720368547758,07");
  int64_t v;
  EXPECT_FALSE(ParseHundredths("99999999999999999999999", ".", &v));
  EXPECT_FALSE(ParseWhole("99999999999999999999999", &v));
}

// --- The fields of the current area -----------------------------------

TEST(AreaFields, TheAreaFromTheBedOriginInTheUnit) {
  auto s = Settings(2, kUnitInches);
  s->AreaLeft = kBedLeft + 25;
  s->AreaTop = kBedTop + 50;
  s->AreaWidth = 100;
  s->AreaHeight = 125;
  AreaFieldTexts t;
  FormatAreaFields(CurrentAreaValues(*s), AreaEntryScaleOf(*s, "."), &t);
  EXPECT_STREQ(t.Text[kAreaOriginX], "1.00");
  EXPECT_STREQ(t.Text[kAreaOriginY], "2.00");
  EXPECT_STREQ(t.Text[kAreaWidth], "4.00");
  EXPECT_STREQ(t.Text[kAreaHeight], "5.00");

  s->Units = kUnitCm;
  FormatAreaFields(CurrentAreaValues(*s), AreaEntryScaleOf(*s, ","), &t);
  EXPECT_STREQ(t.Text[kAreaOriginX], "2,54");
  EXPECT_STREQ(t.Text[kAreaWidth], "10,16");
  EXPECT_STREQ(t.Text[kAreaHeight], "12,70");

  // Pixels by each direction's own resolution.
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

TEST(AreaFields, EveryBedFitsTheFieldsFiveCharacters) {
  // The largest bed (the WQ490's 300 x 425 units) at its finest resolution.
  for (int unit : {kUnitInches, kUnitCm, kUnitPixels}) {
    auto s = Settings(3, unit);
    s->Resolution = 8;  // 1200 dpi
    AreaFieldTexts t;
    FormatAreaFields(CurrentAreaValues(*s), AreaEntryScaleOf(*s, ","), &t);
    for (int f = 0; f < kAreaFieldCount; ++f)
      EXPECT_LE(strlen(t.Text[f]), size_t(kAreaFieldChars)) << t.Text[f];
  }
}

// --- OK's checks ---------------------------------------------------------

struct Verdict {
  const char* Fields[4];  // origin X, width, origin Y, height
  int Field, Message;
  const char* Minimum;
  const char* Maximum;
};

// The WQ220's flatbed: 213 x 350 units, 8.52 x 14.00 inches.
TEST(AreaCheck, InchesInTheirOrderWithTheirMessages) {
  auto s = Settings(2, kUnitInches);
  const AreaEntryScale m = AreaEntryScaleOf(*s, ".");
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
      {{"0", "8.52", "-0.01", "1"}, kAreaOriginY, kAreaRangeY, "0.04", "14.00"},
      {{"0", "8.52", "7", "7.01"}, kAreaHeight, kAreaRangeY, "0.04", "14.00"},
      {{"0", "8.52", "1", "0.02"}, kAreaHeight, kAreaNeedsNumber, "0.04", ""},
      {{"0", "8.52", "1", "1 2"}, kAreaHeight, kAreaNeedsNumber, "0.04", ""},
  };
  for (const Verdict& v : cases) {
    const AreaEntryCheck c = CheckAreaFields(m, v.Fields);
    const std::string at = std::string(v.Fields[0]) + "|" + v.Fields[1] + "|" + v.Fields[2] +
                           "|" + v.Fields[3];
    EXPECT_FALSE(c.Valid) << at;
    EXPECT_EQ(c.Field, v.Field) << at;
    EXPECT_EQ(c.Message, v.Message) << at;
    EXPECT_STREQ(c.Minimum, v.Minimum) << at;
    EXPECT_STREQ(c.Maximum, v.Maximum) << at;
  }
}

TEST(AreaCheck, TheWholeBedAndTheSmallestAreaAreValid) {
  auto s = Settings(2, kUnitInches);
  const AreaEntryScale m = AreaEntryScaleOf(*s, ".");
  Fields whole(" 0 ", "8.52", "+0", "14.00");
  AreaEntryCheck c = CheckAreaFields(m, whole.Ptr);
  ASSERT_TRUE(c.Valid);
  EXPECT_EQ(c.Values.OriginX, 0);
  EXPECT_EQ(c.Values.Width, 213);
  EXPECT_EQ(c.Values.OriginY, 0);
  EXPECT_EQ(c.Values.Height, 350);
  Fields smallest("8.48", "0.04", "13.96", "0.04");
  c = CheckAreaFields(m, smallest.Ptr);
  ASSERT_TRUE(c.Valid);
  EXPECT_EQ(c.Values.OriginX, 212);
  EXPECT_EQ(c.Values.Width, 1);
  EXPECT_EQ(c.Values.OriginY, 349);
  EXPECT_EQ(c.Values.Height, 1);
}

TEST(AreaCheck, CentimetresTakeOnlyTheUsersSeparator) {
  auto s = Settings(2, kUnitCm);
  const AreaEntryScale m = AreaEntryScaleOf(*s, ",");
  Fields dotted("0", "2.54", "0", "2,54");
  AreaEntryCheck c = CheckAreaFields(m, dotted.Ptr);
  EXPECT_FALSE(c.Valid);
  EXPECT_EQ(c.Field, kAreaWidth);
  EXPECT_EQ(c.Message, kAreaNeedsNumber);
  EXPECT_STREQ(c.Minimum, "0,10");
  Fields wide("0", "21,65", "0", "2,54");
  c = CheckAreaFields(m, wide.Ptr);
  EXPECT_EQ(c.Message, kAreaRangeX);
  EXPECT_STREQ(c.Maximum, "21,64");
  Fields right("0", "2,54", "0", "2,54");
  c = CheckAreaFields(m, right.Ptr);
  ASSERT_TRUE(c.Valid);
  EXPECT_EQ(c.Values.Width, 25);
  EXPECT_EQ(c.Values.Height, 25);
}

TEST(AreaCheck, PixelsAreWholeAtEachDirectionsResolution) {
  auto s = Settings(2, kUnitPixels);
  s->Resolution = kResCustom;
  s->XResoCustom = 300;
  s->YResoCustom = 150;
  const AreaEntryScale m = AreaEntryScaleOf(*s, ".");
  Fields fraction("0", "12.5", "0", "100");
  AreaEntryCheck c = CheckAreaFields(m, fraction.Ptr);
  EXPECT_EQ(c.Field, kAreaWidth);
  EXPECT_EQ(c.Message, kAreaNeedsNumber);
  EXPECT_STREQ(c.Minimum, "12");  // 1 unit at 300 dpi
  Fields tall("0", "300", "0", "2101");
  c = CheckAreaFields(m, tall.Ptr);
  EXPECT_EQ(c.Field, kAreaHeight);
  EXPECT_EQ(c.Message, kAreaRangeY);
  EXPECT_STREQ(c.Minimum, "6");     // 1 unit at 150 dpi
  EXPECT_STREQ(c.Maximum, "2100");  // 350 units at 150 dpi
  Fields right("0", "300", "0", "150");
  c = CheckAreaFields(m, right.Ptr);
  ASSERT_TRUE(c.Valid);
  EXPECT_EQ(c.Values.Width, 25);
  EXPECT_EQ(c.Values.Height, 25);
}

TEST(AreaCheck, TheNarrowFilmUnitsBedIs104UnitsWide) {
  auto s = Settings(1, kUnitInches);
  s->Mirror = 1;
  s->MirrorType = 2;
  const AreaEntryScale m = AreaEntryScaleOf(*s, ".");
  EXPECT_EQ(m.Bed.Right - m.Bed.Left, 104);
  Fields wide("0", "4.17", "0", "1");
  const AreaEntryCheck c = CheckAreaFields(m, wide.Ptr);
  EXPECT_EQ(c.Message, kAreaRangeX);
  EXPECT_STREQ(c.Maximum, "4.16");
}

// --- The selection on the frame -----------------------------------------

TEST(AreaSelection, EachEdgeIsTheSmallestPixelAtOrPastItsValue) {
  for (int model : {2, 3}) {
    auto s = Settings(model, kUnitInches);
    s->PreScanRect = SettingsRect{8, 9, 8 + 170, 9 + 280};
    int n, d;
    FrameScale(model, &n, &d);
    for (int32_t u = 0; u <= 300; ++u) {
      const SettingsRect r = SelectionOfValues(*s, AreaValues{u, u, 300 - u + 1, 1});
      const int64_t x = r.Left - 8, y = r.Top - 9;
      ASSERT_GE(x * n, int64_t(u) * d) << u;
      ASSERT_LT((x - 1) * n, int64_t(u) * d) << u;
      ASSERT_EQ(y, x);
      const int64_t right = r.Right - 8;
      ASSERT_GE(right * n, int64_t(301) * d);
      ASSERT_LT((right - 1) * n, int64_t(301) * d);
    }
  }
}

// Values on whole frame pixels (5 units are 4 pixels, or 3 on the WQ490)
// come back from the selection as they were typed.
TEST(AreaSelection, WholePixelValuesComeBackAsTheyWere) {
  for (int model : {0, 2, 3}) {
    auto s = Settings(model, kUnitInches);
    s->PreScanRect = SettingsRect{8, 8, 300, 400};
    const AreaRect bed = BedRect(model, false, false, 0);
    for (int32_t o = 0; o + 5 <= bed.Right - bed.Left; o += 15) {
      const AreaValues v{o, o / 2 / 5 * 5, bed.Right - bed.Left - o, 50};
      s->PreCropRect = SelectionOfValues(*s, v);
      SelectionToArea(*s);
      const AreaValues back = CurrentAreaValues(*s);
      EXPECT_EQ(back.OriginX, v.OriginX) << model << " " << o;
      EXPECT_EQ(back.OriginY, v.OriginY);
      EXPECT_EQ(back.Width, v.Width);
      EXPECT_EQ(back.Height, v.Height);
    }
  }
}

// A 1-unit width can fall inside one frame pixel; the selection still has
// one, and does not become the whole bed.
TEST(AreaSelection, TheNarrowestAreaStaysNarrow) {
  for (int model : {2, 3}) {
    auto s = Settings(model, kUnitInches);
    for (int32_t o = 0; o < 30; ++o) {
      s->PreCropRect = SelectionOfValues(*s, AreaValues{o, o, 1, 1});
      EXPECT_GT(s->PreCropRect.Right, s->PreCropRect.Left);
      EXPECT_GT(s->PreCropRect.Bottom, s->PreCropRect.Top);
      SelectionToArea(*s);
      EXPECT_LE(s->AreaWidth, 2) << model << " " << o;
      EXPECT_LE(s->AreaHeight, 2) << model << " " << o;
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
    const AreaValues typed = CurrentAreaValues(*s);
    SetAreaFromPaper(*s);
    const AreaValues again = CurrentAreaValues(*s);
    EXPECT_EQ(again.OriginX, typed.OriginX) << model;
    EXPECT_EQ(again.OriginY, typed.OriginY);
    EXPECT_EQ(again.Width, typed.Width);
    EXPECT_EQ(again.Height, typed.Height);
    EXPECT_EQ(again.Width, 50);
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

  g_TestHost.messages.clear();
  EXPECT_EQ(Ok(*s, Fields("0", "1.00", "0", "1.00")), kAreaEntryApplied);
  ASSERT_EQ(g_TestHost.messages.size(), 1u);
  EXPECT_EQ(s->ZoomOnOff, 0);
  EXPECT_EQ(s->AreaWidth, 25);
}

TEST_F(AreaAccept, AWrongFieldChangesNothingAndAsksNothing) {
  auto s = Settings(2, kUnitInches);
  s->ZoomOnOff = 1;
  const ScanSettings before = *s;
  EXPECT_EQ(Ok(*s, Fields("0", "1.00", "0", "99")), kAreaEntryInvalid);
  EXPECT_EQ(check.Field, kAreaHeight);
  EXPECT_EQ(check.Message, kAreaRangeY);
  EXPECT_TRUE(g_TestHost.messages.empty());
  EXPECT_EQ(memcmp(&before, s.get(), sizeof before), 0);
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

TEST(KeyFilter, WholeNumbersTakeTheListOnly) {
  const std::set<int> pass = AlwaysPassing();
  for (int key = 1; key < 256; ++key)
    for (const char* sep : {".", ","})
      EXPECT_EQ(NumericKeyPasses(key, UsCharOf(key), false, sep), pass.count(key) == 1)
          << "key " << key << " with " << sep;
}

TEST(KeyFilter, DecimalsAddTheSeparatorsKeys) {
  std::set<int> dot = AlwaysPassing(), comma = AlwaysPassing();
  dot.insert({vk::kPeriod, vk::kDecimal});
  comma.insert({vk::kComma, vk::kSeparator});
  for (int key = 1; key < 256; ++key) {
    EXPECT_EQ(NumericKeyPasses(key, UsCharOf(key), true, "."), dot.count(key) == 1) << key;
    EXPECT_EQ(NumericKeyPasses(key, UsCharOf(key), true, ","), comma.count(key) == 1) << key;
    EXPECT_EQ(NumericKeyPasses(key, UsCharOf(key), true, ""), dot.count(key) == 1) << key;
  }
  // Letters, F1 and the other function keys never pass.
  for (int key : {int('A'), int('E'), int('Z'), vk::kF1, 0x74, 0x7B})
    EXPECT_FALSE(NumericKeyPasses(key, UsCharOf(key), true, ".")) << key;
}

TEST(KeyFilter, AnotherLayoutsSeparatorKeyPassesByItsCharacter) {
  // A layout whose key 0xDF types the separator.
  EXPECT_TRUE(NumericKeyPasses(0xDF, '\'', true, "'"));
  EXPECT_FALSE(NumericKeyPasses(0xDF, '\'', false, "'"));
  EXPECT_FALSE(NumericKeyPasses(0xDF, '\'', true, "."));
  // The keypad's point on a layout where it types a comma.
  EXPECT_TRUE(NumericKeyPasses(vk::kDecimal, ',', true, ","));
  EXPECT_FALSE(NumericKeyPasses(vk::kDecimal, '.', true, ","));
  // The full stop does not pass where the separator is a comma.
  EXPECT_FALSE(NumericKeyPasses(vk::kPeriod, '.', true, ","));
}

}  // namespace
}  // namespace wq
