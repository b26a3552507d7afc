// The film window's values: which film type a mode edits, where each field
// is kept, "Default", "Cancel" and the checks that keep the window open.
#include <gtest/gtest.h>

#include <memory>

#include "ds/adjust/film_values.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace wq {
namespace {

std::unique_ptr<ScanSettings> Fresh(int mode) {
  std::unique_ptr<ScanSettings> s(new ScanSettings{});
  SettingsEnvironment env{};
  env.Measure = 1;
  SettingsDefaults(*s, env);
  s->Model = 1;
  s->Mode = int16_t(mode);
  s->NegaPosi = 2;
  return s;
}

TEST(FilmValues, GreyModesUseTheBlackAndWhiteTypeAndColourModesNever) {
  EXPECT_EQ(FilmTypeForMode(3, 1), 3);
  EXPECT_EQ(FilmTypeForMode(0x201, 2), 3);  // grey halftone scans grey data
  EXPECT_EQ(FilmTypeForMode(6, 3), 1);
  EXPECT_EQ(FilmTypeForMode(4, 2), 2);
  EXPECT_EQ(FilmTypeForMode(5, 0), 1);
  // The fields land in the settings keys of their type.
  auto s = Fresh(6);
  EXPECT_EQ(FilmSetting(*s, 2, kFilmBlue), &s->FilmColor[1][2]);      // FilmColorB2
  EXPECT_EQ(FilmSetting(*s, 3, kFilmShadow), &s->FilmTone[2][3]);     // FilmShadow3
  EXPECT_EQ(FilmSetting(*s, 1, kFilmHighlight), &s->FilmTone[0][1]);  // FilmHighLight1
}

TEST(FilmValues, DefaultLeavesTheBlackAndWhiteBalanceAndCancelKeepsGreyOnType3) {
  auto s = Fresh(3);
  for (int t = 1; t <= 3; ++t)
    for (int f = 0; f < kFilmFields; ++f) *FilmSetting(*s, t, f) = int16_t(70 + t * 10 + f);
  s->FilmType = 2;
  TakeToneRestorePoint(*s);
  DefaultFilm(*s);
  for (int t = 1; t <= 3; ++t)
    for (int f = 0; f < kFilmFields; ++f) {
      const int expected = FilmColourField(f) ? (t == 3 ? 100 + f : 100) : 5;
      EXPECT_EQ(*FilmSetting(*s, t, f), expected) << "type " << t << " field " << f;
    }
  // Cancel brings every value back; a type 2 saved before stays type 3 in
  // grey and is type 2 again in colour; a saved 3 is type 1 in colour.
  CancelFilm(*s, g_ToneRestore);
  EXPECT_EQ(s->FilmType, 3);
  EXPECT_EQ(s->FilmColor[0][1], 81);
  EXPECT_EQ(s->FilmTone[1][3], 96);
  s->Mode = 6;
  CancelFilm(*s, g_ToneRestore);
  EXPECT_EQ(s->FilmType, 2);
  g_ToneRestore.FilmType = 3;
  CancelFilm(*s, g_ToneRestore);
  EXPECT_EQ(s->FilmType, 1);
}

TEST(FilmValues, ClosingRefusesTheFirstBadFieldOfTheTypeInUse) {
  auto s = Fresh(6);
  s->FilmType = 2;
  FieldNumber fields[kFilmFields];
  const auto reset = [&] {
    for (int f = 0; f < kFilmFields; ++f) fields[f] = FieldNumber{true, FilmFieldRange(f).Default};
    DefaultFilm(*s);
  };
  reset();
  EXPECT_EQ(FirstBadFilmField(*s, fields), kFilmFields);
  // The range ends are allowed, one beyond is not.
  s->FilmColor[1][0] = 50;
  s->FilmColor[1][2] = 150;
  s->FilmTone[1][0] = 0;
  s->FilmTone[1][3] = 10;
  EXPECT_EQ(FirstBadFilmField(*s, fields), kFilmFields);
  s->FilmColor[1][1] = 151;
  s->FilmTone[1][2] = -1;
  EXPECT_EQ(FirstBadFilmField(*s, fields), kFilmGreen);
  s->FilmColor[1][1] = 100;
  EXPECT_EQ(FirstBadFilmField(*s, fields), kFilmMidTone);
  s->FilmColor[0][0] = 49;  // type 1 is not the one in use
  s->FilmTone[1][2] = 5;
  EXPECT_EQ(FirstBadFilmField(*s, fields), kFilmFields);
  fields[kFilmRed].IsNumber = false;
  EXPECT_EQ(FirstBadFilmField(*s, fields), kFilmRed);
  // Grey: the colour balance is disabled and not checked; type 3's
  // adjustments are.
  s->Mode = 3;
  EXPECT_EQ(FirstBadFilmField(*s, fields), kFilmFields);
  s->FilmTone[2][0] = 11;
  EXPECT_EQ(FirstBadFilmField(*s, fields), kFilmTone);
  s->FilmTone[2][0] = 5;
  fields[kFilmShadow].IsNumber = false;
  EXPECT_EQ(FirstBadFilmField(*s, fields), kFilmShadow);
}

TEST(FilmValues, TheWindowGoesOutsideGreyAndColourOrForPositives) {
  auto s = Fresh(6);
  EXPECT_TRUE(FilmWindowApplies(*s));
  s->Mode = 3;
  EXPECT_TRUE(FilmWindowApplies(*s));
  for (int mode : {0x101, 0x102, 0x201, 0x302}) {
    s->Mode = int16_t(mode);
    EXPECT_FALSE(FilmWindowApplies(*s)) << mode;
  }
  s->Mode = 4;
  s->NegaPosi = 1;
  EXPECT_FALSE(FilmWindowApplies(*s));
}

}  // namespace
}  // namespace wq
