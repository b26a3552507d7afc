// Colour matching: the .CLM file's header, titles and length, the list of files
// offered (twenty at most, ordered, titled by language), loading a chosen
// table, the pixel correction and the files shipped with the source.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "common/strutil.h"
#include "ds/pipeline/clrmatch.h"
#include "ds/pipeline/files.h"
#include "ds/pipeline/lines.h"
#include "ds/pipeline/tests/reference.h"

namespace wq {
namespace {

using ref::Bytes;

// A directory of files in memory, listed in insertion order.
struct FakeDirectory {
  std::vector<std::pair<std::string, Bytes>> files;  // full paths
  std::vector<uint32_t> readSizes;
};
FakeDirectory g_Dir;

bool Matches(const char* pattern, const char* name) {
  if (!*pattern) return !*name;
  if (*pattern == '*') return Matches(pattern + 1, name) || (*name && Matches(pattern, name + 1));
  if (!*name) return false;
  if (*pattern == '?' || toupper(*pattern) == toupper(*name)) return Matches(pattern + 1, name + 1);
  return false;
}

bool List(const char* wildcard, void* user, void (*found)(void*, const char*)) {
  std::string w = wildcard;
  const size_t cut = w.rfind('\\');
  const std::string dir = w.substr(0, cut), pattern = w.substr(cut + 1);
  for (auto& [path, data] : g_Dir.files) {
    const size_t c = path.rfind('\\');
    if (path.substr(0, c) == dir && Matches(pattern.c_str(), path.c_str() + c + 1))
      found(user, path.c_str() + c + 1);
  }
  return true;
}

int64_t Read(const char* path, uint64_t offset, void* buffer, uint32_t size) {
  g_Dir.readSizes.push_back(size);
  for (auto& [p, data] : g_Dir.files) {
    if (p != path) continue;
    if (offset >= data.size()) return 0;
    const size_t n = std::min<size_t>(size, data.size() - offset);
    memcpy(buffer, data.data() + offset, n);
    return int64_t(n);
  }
  return -1;
}

const char* kDir = "C:\\WINDOWS\\TWAIN_32\\WQSCAN32\\CLRMATCH";

Bytes ClmFile(const char* english, const char* japanese, uint32_t length, size_t dataBytes,
              uint32_t seed = 1) {
  Bytes f(48, 0);
  memcpy(f.data(), "WQCM", 4);
  memcpy(f.data() + 4, english, strlen(english));
  memcpy(f.data() + 24, japanese, strlen(japanese));
  f[44] = uint8_t(length);
  f[45] = uint8_t(length >> 8);
  f[46] = uint8_t(length >> 16);
  f[47] = uint8_t(length >> 24);
  const Bytes data = ref::Random(dataBytes, seed);
  f.insert(f.end(), data.begin(), data.end());
  return f;
}

void AddFile(const std::string& name, Bytes data) {
  g_Dir.files.emplace_back(std::string(kDir) + "\\" + name, std::move(data));
}

class ColourMatchListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_Dir = FakeDirectory{};
    g_FileAccess = FileAccessProcs{List, Read};
    DiscardColourMatchList();
  }
  void TearDown() override { DiscardColourMatchList(); }
  bool Build(bool japanese = false) { return BuildColourMatchListIn(kDir, "\\WQC0??.CLM", japanese, 5000); }
};

TEST(ClmFile, HeaderTitlesAndLengthLimit) {
  Bytes f = ClmFile("Standard", "\x95\x57\x8f\x80", kClmTableBytes, 0);
  ClmHeader h;
  ASSERT_EQ(ParseClmHeader(f.data(), f.size(), &h), kClmOk);
  EXPECT_STREQ(h.English, "Standard");
  EXPECT_STREQ(h.Japanese, "\x95\x57\x8f\x80");
  EXPECT_EQ(h.Length, kClmTableBytes);
  EXPECT_EQ(ParseClmHeader(f.data(), 47, &h), kClmShortHeader);
  // A title filling its whole field has no terminator of its own.
  memset(f.data() + 4, 'A', 20);
  ASSERT_EQ(ParseClmHeader(f.data(), f.size(), &h), kClmOk);
  EXPECT_EQ(strlen(h.English), 20u);
  f[44] = 1;  // 196609
  EXPECT_EQ(ParseClmHeader(f.data(), f.size(), &h), kClmTooLong);
}

TEST(ClmFile, DataShorterThanClaimedIsRefused) {
  std::vector<uint8_t> table(kClmTableBytes, 0xCC);
  Bytes whole = ClmFile("A", "B", 1000, 1000);
  EXPECT_EQ(ParseClmFile(whole.data(), whole.size(), table.data()), kClmOk);
  EXPECT_EQ(0, memcmp(table.data(), whole.data() + 48, 1000));
  EXPECT_EQ(table[1000], 0);  // the rest of the tables is zero
  EXPECT_EQ(ParseClmFile(whole.data(), whole.size() - 1, table.data()), kClmShortData);
  Bytes tooLong = ClmFile("A", "B", kClmTableBytes + 4, kClmTableBytes + 4);
  EXPECT_EQ(ParseClmFile(tooLong.data(), tooLong.size(), table.data()), kClmTooLong);
}

TEST_F(ColourMatchListTest, TwentyFiveFilesListTwenty) {
  for (int i = 0; i < 25; ++i) {
    char name[16];
    snprintf(name, sizeof name, "WQC0%02d.CLM", i);
    AddFile(name, ClmFile(name, "J", 0, 0));
  }
  AddFile("WQC101.CLM", ClmFile("other model", "", 0, 0));
  ASSERT_TRUE(Build());
  const ColourMatchList* l = g_ColourMatch.List;
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Count, 20);
  EXPECT_EQ(l->Loaded, kClmNoneLoaded);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(l->Entries[i].CommandId, 5000u + i);
    EXPECT_EQ(strncmp(l->Entries[i].FileName, "WQC0", 4), 0);
  }
}

TEST_F(ColourMatchListTest, OneOrderingPassAndTitlesByLanguage) {
  AddFile("WQC003.CLM", ClmFile("Three", "san", 0, 0));
  AddFile("WQC001.CLM", ClmFile("One", "ichi", 0, 0));
  AddFile("WQC002.CLM", ClmFile("Two", "ni", 0, 0));
  ASSERT_TRUE(Build());
  const ColourMatchList* l = g_ColourMatch.List;
  // From the end: 002 stays after 001; 001 moves before 003. One pass only.
  EXPECT_STREQ(l->Entries[0].FileName, "WQC001.CLM");
  EXPECT_STREQ(l->Entries[1].FileName, "WQC003.CLM");
  EXPECT_STREQ(l->Entries[2].FileName, "WQC002.CLM");
  EXPECT_STREQ(l->Entries[0].Title, "One");
  ASSERT_TRUE(Build(true));
  EXPECT_STREQ(g_ColourMatch.List->Entries[0].Title, "ichi");
  EXPECT_STREQ(g_ColourMatch.List->Entries[2].Title, "ni");
}

TEST_F(ColourMatchListTest, NoFilesOrNoPatternMeansNoList) {
  EXPECT_FALSE(Build());
  EXPECT_EQ(g_ColourMatch.List, nullptr);
  EXPECT_FALSE(SelectColourMatch(0, nullptr));
  AddFile("WQC001.CLM", ClmFile("One", "", 0, 0));
  // The WQ215 has no pattern of its own.
  EXPECT_FALSE(BuildColourMatchList(1, false, 1));
  EXPECT_EQ(g_ColourMatch.List, nullptr);
}

TEST_F(ColourMatchListTest, SelectLoadsOnlyWholeFilesOfExistingEntries) {
  AddFile("WQC001.CLM", ClmFile("Good", "", kClmTableBytes, kClmTableBytes, 3));
  AddFile("WQC002.CLM", ClmFile("Short", "", kClmTableBytes, kClmTableBytes - 1));
  AddFile("WQC003.CLM", ClmFile("Long", "", kClmTableBytes + 1, kClmTableBytes + 1));
  ASSERT_TRUE(Build());
  char name[32] = "";
  EXPECT_FALSE(SelectColourMatch(3, name));  // one past the last entry
  EXPECT_FALSE(SelectColourMatch(-1, name));
  ASSERT_TRUE(SelectColourMatch(0, name));
  EXPECT_STREQ(name, "WQC001.CLM");
  EXPECT_EQ(g_ColourMatch.List->Loaded, 0);
  ASSERT_NE(g_ColourMatch.Table, nullptr);
  EXPECT_EQ(0, memcmp(g_ColourMatch.Table, g_Dir.files[0].second.data() + 48, kClmTableBytes));

  g_Dir.readSizes.clear();
  EXPECT_FALSE(SelectColourMatch(1, name));  // ends a byte early
  EXPECT_EQ(g_ColourMatch.Table, nullptr);
  EXPECT_EQ(g_ColourMatch.List->Loaded, kClmNoneLoaded);
  EXPECT_FALSE(SelectColourMatch(2, name));  // claims more than a table holds
  for (uint32_t size : g_Dir.readSizes) EXPECT_LE(size, kClmTableBytes);
  EXPECT_STREQ(name, "WQC001.CLM");

  // A failed entry is tried again once its file is whole.
  g_Dir.files[1].second = ClmFile("Short", "", 10, 10);
  EXPECT_TRUE(SelectColourMatch(1, name));
  EXPECT_EQ(g_ColourMatch.List->Loaded, 1);
  // The entry already loaded is not read again.
  g_Dir.readSizes.clear();
  EXPECT_TRUE(SelectColourMatch(1, name));
  EXPECT_TRUE(g_Dir.readSizes.empty());
  ReleaseColourMatch();
  EXPECT_EQ(g_ColourMatch.Table, nullptr);
}

TEST(ColourMatchPixels, OffsetsAndSlopesAgainstTheFormula) {
  const Bytes table = ref::Random(kClmTableBytes, 17);
  Bytes strip = ref::Random(3 * 50 * 4, 18);
  // Runs of one colour, a colour coming back after another, and rows that
  // begin with the colour the row above ended with.
  auto copyPixel = [&](size_t to, size_t from) { memcpy(&strip[3 * to], &strip[3 * from], 3); };
  for (size_t i = 10; i < 20; ++i) copyPixel(i, 9);
  copyPixel(21, 19);
  copyPixel(22, 20);
  for (size_t y = 1; y < 4; ++y) copyPixel(50 * y, 50 * y - 1);
  Bytes want = strip;
  for (size_t i = 0; i < want.size(); i += 3) ref::MatchPixel(table, &want[i]);
  // Rows of 50 pixels padded to 152 bytes: the padding is left alone.
  Bytes padded(4 * 152, 0xEE);
  for (int y = 0; y < 4; ++y) memcpy(&padded[y * 152], &strip[y * 150], 150);
  ColourMatchStrip(table.data(), padded.data(), 152, 4, 50);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(0, memcmp(&padded[y * 152], &want[y * 150], 150)) << y;
    EXPECT_EQ(padded[y * 152 + 150], 0xEE);
  }
  // One pixel by its channel values.
  uint8_t c0 = 200, c1 = 9, c2 = 255;
  uint8_t px[3] = {255, 9, 200};
  ref::MatchPixel(table, px);
  ColourMatchPixel(table.data(), &c0, &c1, &c2);
  EXPECT_EQ(c2, px[0]);
  EXPECT_EQ(c1, px[1]);
  EXPECT_EQ(c0, px[2]);
}

// Every table entry with every low-bit value of each channel, in rows of
// every length up to 40 and in long rows with runs of repeated blocks, in
// the vector and the plain forms.
TEST(ColourMatchPixels, EveryEntryInBothForms) {
  const Bytes table = ref::Random(kClmTableBytes, 41);  // offsets and slopes of both signs
  Bytes page(3 * 32768 * 8);
  for (size_t j = 0; j < 32768 * 8; ++j) {
    const size_t key = j / 8, low = j % 8;
    page[3 * j + 2] = uint8_t((key >> 10) << 3 | low);            // c0
    page[3 * j + 1] = uint8_t(((key >> 5) & 31) << 3 | (7 - low));  // c1
    page[3 * j] = uint8_t((key & 31) << 3 | (low * 3) % 8);       // c2
  }
  // Blocks of eight pixels repeated, as a white page has them; rows that
  // begin white and rows that begin black.
  for (size_t j = 8000; j < 8000 + 8 * 40; ++j) memcpy(&page[3 * j], &page[3 * (8000 + j % 8)], 3);
  memset(&page[3 * 1024 * 3], 255, 3 * 1024 + 60);
  memset(&page[3 * 1024 * 5], 0, 3 * 1024 + 60);
  Bytes want = page;
  for (size_t i = 0; i < want.size(); i += 3) ref::MatchPixel(table, &want[i]);
  for (bool vector : {true, false}) {
    g_LineOptions.Vector = vector;
    Bytes got = page;
    ColourMatchStrip(table.data(), got.data(), 3 * 1024, got.size() / (3 * 1024), 1024);
    EXPECT_TRUE(got == want) << "vector " << vector;
    // Short rows: 1 to 40 pixels, each row padded by 5 bytes left alone.
    for (size_t n = 1; n <= 40; ++n) {
      const size_t rowBytes = 3 * n + 5, rows = 7;
      Bytes strip(rows * rowBytes, 0x5A);
      const size_t first = n * 100;  // pixels of rows taken from the page
      for (size_t y = 0; y < rows; ++y) memcpy(&strip[y * rowBytes], &page[3 * (first + y * n)], 3 * n);
      ColourMatchStrip(table.data(), strip.data(), rowBytes, rows, n);
      for (size_t y = 0; y < rows; ++y) {
        ASSERT_EQ(0, memcmp(&strip[y * rowBytes], &want[3 * (first + y * n)], 3 * n)) << n << " " << y;
        ASSERT_EQ(strip[y * rowBytes + 3 * n], 0x5A);
      }
    }
  }
  g_LineOptions.Vector = true;
}

TEST(ColourMatchPixels, ClampsAtBothEnds) {
  Bytes table(kClmTableBytes, 0);
  const size_t white = 32767 * 3, black = 0;
  table[white] = table[white + 1] = table[white + 2] = 100;               // offsets up
  table[black] = table[black + 1] = table[black + 2] = uint8_t(-100);    // offsets down
  uint8_t w[3] = {255, 255, 255}, b[3] = {3, 3, 3};
  ColourMatchStrip(table.data(), w, 3, 1, 1);
  ColourMatchStrip(table.data(), b, 3, 1, 1);
  EXPECT_EQ(w[0], 255);
  EXPECT_EQ(b[2], 0);
}

// The project's own files, as installed beside the source.
TEST(ShippedFiles, ParseAndCorrectMildly) {
  const char* names[] = {"WQC001.CLM", "WQC002.CLM", "WQC101.CLM", "WQC102.CLM", "WQC201.CLM",
                         "WQC202.CLM"};
  for (const char* name : names) {
    std::ifstream in(std::string(WQ_SOURCE_DIR "/ds/res/CLRMATCH/") + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    Bytes f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ClmHeader h;
    ASSERT_EQ(ParseClmHeader(f.data(), f.size(), &h), kClmOk) << name;
    EXPECT_EQ(h.Length, kClmTableBytes);
    EXPECT_GT(strlen(h.English), 0u);
    EXPECT_GT(strlen(h.Japanese), 0u);
    EXPECT_GE(static_cast<unsigned char>(h.Japanese[0]), 0x80);  // Shift-JIS, not ASCII
    Bytes table(kClmTableBytes);
    ASSERT_EQ(ParseClmFile(f.data(), f.size(), table.data()), kClmOk);
    int worst = 0;
    for (int v = 0; v < 256; v += 5) {
      for (int k = 0; k < 3; ++k) {
        uint8_t px[3] = {uint8_t(v), uint8_t((v * 7 + 40 * k) & 255), uint8_t((v * 3 + 90 * k) & 255)};
        const uint8_t before[3] = {px[0], px[1], px[2]};
        ColourMatchStrip(table.data(), px, 3, 1, 1);
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(px[c] - before[c]));
      }
      // A grey stays close to grey.
      uint8_t g[3] = {uint8_t(v), uint8_t(v), uint8_t(v)};
      ColourMatchStrip(table.data(), g, 3, 1, 1);
      EXPECT_LE(std::abs(g[0] - g[2]), 12) << name << " grey " << v;
    }
    EXPECT_LE(worst, 40) << name;
    EXPECT_GT(worst, 0) << name;
  }
}

}  // namespace
}  // namespace wq
