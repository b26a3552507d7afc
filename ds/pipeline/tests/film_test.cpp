// Negative film correction: the exposures and inverting curves of the
// colour and black-and-white film models against values worked out by hand
// from the model's words, and the scanner's resources behind them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "ds/base/host.h"
#include "ds/pipeline/effect.h"
#include "ds/pipeline/film.h"
#include "ds/pipeline/tone.h"

namespace wq {
namespace {

// The colour model of resource 22006.
constexpr ColourFilmModel kModel22006{{100, 21, 17, 4, 10000, 13100, 26400, 114, 114, 114, 100, 100,
                                       100, 518, 442, 384, 334, 288, 249, 212, 181, 153, 124, 100}};
constexpr int kBase22004[3] = {100, 52, 24};

FilmValues Defaults() { return FilmValues{5, 5, 5, 5, {100, 100, 100}}; }

int CutOff(const uint8_t table[256]) {  // the first input that gives 0
  for (int i = 1; i < 256; ++i)
    if (table[i] == 0) return i;
  return 256;
}

TEST(FilmModel, ColourExposuresGrowWithLowerTones) {
  uint8_t tables[3][256];
  int16_t e[3];
  FilmValues v = Defaults();
  v.Tone = 10;
  BuildColourFilmTables(v, kBase22004, kModel22006, tables, e);
  EXPECT_EQ(e[0], 0);
  EXPECT_EQ(e[1], 31);
  EXPECT_EQ(e[2], 164);
  BuildColourFilmTables(Defaults(), kBase22004, kModel22006, tables, e);
  EXPECT_EQ(e[0], 93);   // ceiling(100 x 1.14^5) - 100
  EXPECT_EQ(e[1], 153);
  EXPECT_EQ(e[2], 409);
}

TEST(FilmModel, ColourCurvesInvertAndCutOffRelativeToRed) {
  uint8_t tables[3][256];
  int16_t e[3];
  FilmValues v = Defaults();
  v.Shadow = 0;  // S = 0.5: red cut at 127.5
  BuildColourFilmTables(v, kBase22004, kModel22006, tables, e);
  EXPECT_EQ(CutOff(tables[0]), 128);
  EXPECT_GT(tables[0][127], 0);
  EXPECT_EQ(CutOff(tables[1]), int(52 / 100.0 * 127.5) + 1);
  EXPECT_EQ(CutOff(tables[2]), int(24 / 100.0 * 127.5) + 1);
  // Highlight 5: h = 5 x 0.021 + 1 for red, above 1; mid-tone 5: p = 2.49.
  const double h = 5 * 0.021 + 1.0;
  EXPECT_EQ(tables[0][0], 255);
  EXPECT_EQ(tables[0][40], std::min(255, int(std::ceil(255 * std::pow((127.5 - 40) * h / 127.5, 2.49)))));
  for (int i = 1; i < 128; ++i) ASSERT_LE(tables[0][i], tables[0][i - 1]) << i;

  // Red balance 120 raises red's level by 20 % x k: the others cut earlier.
  v.Colour[0] = 120;
  BuildColourFilmTables(v, kBase22004, kModel22006, tables, e);
  EXPECT_EQ(CutOff(tables[0]), 128);
  EXPECT_EQ(CutOff(tables[1]), int(52 / 120.0 * 127.5) + 1);
  ColourFilmModel half = kModel22006;
  half.Words[0] = 50;  // k = 0.5: red at 110
  BuildColourFilmTables(v, kBase22004, half, tables, e);
  EXPECT_EQ(CutOff(tables[1]), int(52 / 110.0 * 127.5) + 1);
}

TEST(FilmModel, BlackAndWhiteFilmOnTheGreyTable) {
  uint8_t table[256];
  int16_t e;
  FilmValues v = Defaults();
  BuildGreyFilmTable(v, table, &e);
  EXPECT_EQ(e, int(std::ceil(60 * std::pow(1.22, 5))) - 100);
  // h = 1.0, p = 1.00 (highlight 5): a straight falling line to 255 x S.
  const double l = 255.0;
  EXPECT_EQ(table[0], 255);
  EXPECT_EQ(table[100], int(std::ceil(255 * (l - 100) / l)));
  v.Tone = 10;
  v.Shadow = 0;
  BuildGreyFilmTable(v, table, &e);
  EXPECT_EQ(e, -40);
  EXPECT_EQ(CutOff(table), 128);
}

// The scanner's resources, as the source's module would give them.
std::vector<uint8_t> g_Resource;
int g_ResourceId;
size_t FakeData(int id, const uint8_t** data) {
  if (id != g_ResourceId) return 0;
  *data = g_Resource.data();
  return g_Resource.size();
}

TEST(FilmModel, JobsTakeTheScannersPresetOrTheBuiltInOne) {
  const DsHost saved = g_Host;
  int base[3];
  LoadFilmPreset(2, 0, 1, base);  // no resource: built in
  EXPECT_EQ(base[1], 49);
  g_ResourceId = 22004;
  const int16_t words[21] = {100, 52, 24, 0, 0, 0, 0, 100, 42, 24, 0, 0, 0, 0, 100, 60, 31};
  g_Resource.assign(reinterpret_cast<const uint8_t*>(words), reinterpret_cast<const uint8_t*>(words) + 42);
  g_Host.LoadData = FakeData;
  LoadFilmPreset(2, 0, 2, base);
  EXPECT_EQ(base[1], 42);
  EXPECT_EQ(FilmPresetId(1, 1), 22003);
  EXPECT_EQ(FilmPresetId(3, 0), 0);

  // A whole job: colour film of type 1 on red, green and blue, W straight.
  SettingsInEffect e{};
  e.Mode = 6;
  e.NegaPosi = 2;
  e.Model = 2;
  e.FilmType = 1;
  for (auto& t : e.FilmTone) t[0] = t[1] = t[2] = t[3] = 5;
  for (auto& c : e.FilmColor) c[0] = c[1] = c[2] = 100;
  ToneTables t;
  memset(&t, 0x33, sizeof t);
  BuildFilmTables(e, &t);
  EXPECT_EQ(t.FilmExposure[0], int(std::ceil(135 * std::pow(1.14, 5))) - 100);  // built-in model
  EXPECT_EQ(t.FilmExposure[3], 0);
  EXPECT_EQ(t.Download[kToneW][77], 77);
  EXPECT_GT(t.Download[kToneR][0], t.Download[kToneR][50]);
  // Grey modes: the black-and-white film's type-3 values on W.
  e.Mode = 0x301;
  e.FilmTone[2][0] = 10;
  BuildFilmTables(e, &t);
  EXPECT_EQ(t.FilmExposure[3], -40);
  EXPECT_EQ(t.Download[kToneR][77], 77);
  EXPECT_GT(t.Download[kToneW][0], t.Download[kToneW][50]);
  g_Host = saved;
}

}  // namespace
}  // namespace wq
