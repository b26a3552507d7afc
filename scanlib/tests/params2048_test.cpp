// The text-command model's parameter text read into a descriptor image.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/bytes.h"
#include "scanlib/params2048.h"

using namespace wqscsi;

namespace {
struct Parsed {
  uint8_t d[kDescriptorImageSize];
};
Parsed Parse(const std::string& text) {
  Parsed p;
  std::memset(p.d, 0, sizeof p.d);
  ParseModeParameters(reinterpret_cast<const uint8_t*>(text.data()), text.size(), p.d);
  return p;
}
}  // namespace

TEST(ModeParameters, EveryLetterFillsItsField) {
  const Parsed p = Parse("A10,20,300,400 B8 C5 D3 E2 F1 G1 L-40/-30/0/5 T128 Y200 Z100 O1");
  EXPECT_EQ(wq::GetBE32(p.d + 6), 10u);
  EXPECT_EQ(wq::GetBE32(p.d + 10), 20u);
  EXPECT_EQ(wq::GetBE32(p.d + 14), 300u);
  EXPECT_EQ(wq::GetBE32(p.d + 18), 400u);
  EXPECT_EQ(p.d[26], 8);
  EXPECT_EQ(p.d[25], 5);
  EXPECT_EQ(wq::GetBE16(p.d + 2), 150);
  EXPECT_EQ(wq::GetBE16(p.d + 4), 150);
  EXPECT_EQ(p.d[40], 0x80 | 0x10);
  EXPECT_EQ(p.d[29], 0x80);
  EXPECT_EQ(wq::GetBE16(p.d + 45), 0x8000 - 40);
  EXPECT_EQ(wq::GetBE16(p.d + 47), 0x8000 - 30);
  EXPECT_EQ(wq::GetBE16(p.d + 49), 0x8000);
  EXPECT_EQ(wq::GetBE16(p.d + 51), 0x8005);
  EXPECT_EQ(p.d[23], 128);
  EXPECT_EQ(wq::GetBE16(p.d + 43), 200);
  EXPECT_EQ(wq::GetBE16(p.d + 41), 100);
}

TEST(ModeParameters, EntriesMayAlsoRunTogetherWithCommasInTheLightness) {
  const Parsed p = Parse("L1,2,3,4T9");
  EXPECT_EQ(wq::GetBE16(p.d + 45), 0x8001);
  EXPECT_EQ(wq::GetBE16(p.d + 51), 0x8004);
  EXPECT_EQ(p.d[23], 9);
}

TEST(ModeParameters, FixedBytesAreSetAfterParsing) {
  const Parsed p = Parse("");
  EXPECT_EQ(p.d[22], 128);
  EXPECT_EQ(p.d[27], 0);
  EXPECT_EQ(p.d[28], 1);
  EXPECT_EQ(p.d[53], 1);
  EXPECT_EQ(p.d[54], 0);
}

TEST(ModeParameters, ResolutionDigitsAndExplicitValues) {
  const int presets[] = {300, 200, 150, 100, 75, 400, 600};
  for (int i = 1; i <= 7; ++i) {
    const Parsed p = Parse("D" + std::to_string(i));
    EXPECT_EQ(wq::GetBE16(p.d + 2), presets[i - 1]) << i;
    EXPECT_EQ(wq::GetBE16(p.d + 4), presets[i - 1]) << i;
  }
  EXPECT_EQ(wq::GetBE16(Parse("D9").d + 2), 600);
  EXPECT_EQ(wq::GetBE16(Parse("D8").d + 4), 600);
  Parsed p = Parse("D0300,1200");
  EXPECT_EQ(wq::GetBE16(p.d + 2), 300);
  EXPECT_EQ(wq::GetBE16(p.d + 4), 1200);
  p = Parse("D0450");
  EXPECT_EQ(wq::GetBE16(p.d + 2), 450);
  EXPECT_EQ(wq::GetBE16(p.d + 4), 450);
  // "D" without a digit changes nothing.
  p = Parse("DX");
  EXPECT_EQ(wq::GetBE16(p.d + 2), 0);
}

TEST(ModeParameters, OtherCharactersAreSkippedAndGarbageIsHarmless) {
  Parsed p = Parse("hello Q9 T77 ;; x");
  EXPECT_EQ(p.d[23], 77);
  p = Parse("T");  // letter at the end
  EXPECT_EQ(p.d[23], 0);
  p = Parse("L-,A,,,B-");
  EXPECT_EQ(wq::GetBE16(p.d + 45), 0);
  // A runaway number neither overflows nor stops the entries after it.
  p = Parse("T99999999999999999999999999B7");
  EXPECT_EQ(p.d[26], 7);
  p = Parse("A1,2");
  EXPECT_EQ(wq::GetBE32(p.d + 6), 1u);
  EXPECT_EQ(wq::GetBE32(p.d + 10), 2u);
  EXPECT_EQ(wq::GetBE32(p.d + 14), 0u);
}

TEST(ModeParameters, ParsingStopsAtTheLengthOrANul) {
  const char text[] = "T12\0T34";
  Parsed p;
  std::memset(p.d, 0, sizeof p.d);
  ParseModeParameters(reinterpret_cast<const uint8_t*>(text), sizeof text, p.d);
  EXPECT_EQ(p.d[23], 12);
  std::memset(p.d, 0, sizeof p.d);
  ParseModeParameters(reinterpret_cast<const uint8_t*>("T56"), 2, p.d);  // "T5"
  EXPECT_EQ(p.d[23], 5);
}

TEST(ModeParameters, FilmUnitMarker) {
  auto has = [](const char* s, size_t n) {
    return HasFilmUnitMarker(reinterpret_cast<const uint8_t*>(s), n);
  };
  EXPECT_TRUE(has("A1O1B8", 6));
  EXPECT_TRUE(has("O1", 2));
  EXPECT_FALSE(has("O2O0", 4));
  EXPECT_FALSE(has("ABO", 3));
  EXPECT_FALSE(has("ABO1", 3));  // the marker lies beyond the length
}
