// Strips of every mode through the pipeline against the reference rows, and its
// rules: adjustment tables in dither modes, when colour matching applies,
// refused sizes, restarts and work areas.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ds/base/memory.h"
#include "ds/pipeline/lines.h"
#include "ds/pipeline/modes.h"
#include "ds/pipeline/process.h"
#include "ds/pipeline/tests/reference.h"
#include "ds/res/tone_tables.h"

namespace wq {
namespace {

using ref::Bytes;

SettingsInEffect Settings(int mode) {
  SettingsInEffect e{};
  e.Mode = int16_t(mode);
  e.Gamma = 1;
  e.NegaPosi = 1;
  e.Binary = 1;
  e.ThresholdW = 128;
  for (int c = 0; c < 5; ++c) e.InputWhite[c] = e.OutputWhite[c] = 255;
  return e;
}

const uint8_t* MatrixOf(int mode) {
  switch (mode >> 8) {
    case 2: return res::kDitherMethod2.data();
    case 3: return res::kDitherMethod3.data();
    default: return res::kDitherMethod4.data();
  }
}

// A job with its own random adjustment tables.
struct Fixture {
  SettingsInEffect e;
  ToneTables t{};
  PipelineJob job{};
  Bytes grey = ref::RandomTable(21), red = ref::RandomTable(22), green = ref::RandomTable(23),
        blue = ref::RandomTable(24);

  Fixture(int mode, uint32_t pixels, bool pack, bool reversed = false, bool tables = true) : e(Settings(mode)) {
    if (reversed) e.Binary = 2;
    SetUpPipeline(&job, e, t, nullptr, pixels, pack);
    if (tables) {
      job.AdjustIdentity = false;
      job.AdjustGrey = grey.data();
      job.AdjustR = red.data();
      job.AdjustG = green.data();
      job.AdjustB = blue.data();
    }
    EXPECT_TRUE(AllocatePipelineBuffers(&job));
  }
  ~Fixture() { FreePipelineBuffers(&job); }

  Bytes Grey(const Bytes& in) const {
    Bytes out = in;
    if (!job.AdjustIdentity)
      for (auto& v : out) v = grey[v];
    return out;
  }
  Bytes Rgb(const Bytes& in) const {
    Bytes out = in;
    if (!job.AdjustIdentity)
      for (size_t i = 0; i < out.size(); ++i) out[i] = (i % 3 == 0 ? red : i % 3 == 1 ? green : blue)[out[i]];
    return out;
  }
};

std::vector<int> Channel(const Bytes& rgb, int c) {
  std::vector<int> v;
  for (size_t i = c; i < rgb.size(); i += 3) v.push_back(rgb[i]);
  return v;
}

Bytes Slice(const Bytes& b, size_t at, size_t n) { return Bytes(b.begin() + at, b.begin() + at + n); }

// Two strips of each mode against the reference, the second continuing the
// first's dither rows and errors; colour modes also with colour matching,
// and all in the vector and the plain forms of the line routines.
class EveryMode : public ::testing::TestWithParam<int> {
 protected:
  void TearDown() override { g_LineOptions.Vector = true; }
};

TEST_P(EveryMode, TwoStripsMatchTheReference) {
  const int mode = GetParam();
  const uint32_t n = 45;  // not a multiple of 8
  const Bytes matchTable = ref::Random(196608, 31);
  for (int variant = 0; variant < 8; ++variant) {
    const bool pack = variant & 1, reversed = variant & 2, match = variant & 4;
    if (match && !IsColourMode(mode)) continue;
    Fixture f(mode, n, pack, reversed);
    if (match) f.job.MatchTable = matchTable.data();
    for (bool vector : {true, false}) {
      g_LineOptions.Vector = vector;
      RestartPipelineImage(&f.job);
      const size_t S = ScannerLineBytes(mode, n), P = PipelineLineBytes(mode, n, pack);
      const size_t rowBytes = mode == 4 || mode == 5 ? n + 3 : mode == 0x502 ? (pack ? (n + 1) / 2 : n) + 1 : P;
      std::vector<int> diffuseErr[3];
      for (auto& d : diffuseErr) d.assign(n + kDiffuseSpare, 0);
      std::vector<int> reduceErr[3];
      for (auto& d : reduceErr) d.assign(n + 2, 0);
      int row = 0;
      for (int strip = 0; strip < 2; ++strip) {
        const size_t lines = strip == 0 ? 5 : 3;
        Bytes buffer(lines * P + 7, 0xA5);
        std::vector<Bytes> in;
        for (size_t i = 0; i < lines; ++i) {
          in.push_back(ref::Random(S, uint32_t(mode * 100 + strip * 10 + i + pack)));
          const size_t at = mode == 0x102 ? i * S : i * P;  // colour line art as read
          memcpy(&buffer[at], in.back().data(), S);
          if (match)
            for (size_t k = 0; k + 3 <= S; k += 3) ref::MatchPixel(matchTable, &in.back()[k]);
        }
        ASSERT_TRUE(ProcessStrip(&f.job, buffer.data(), buffer.size(), lines, P, S, rowBytes));
        for (size_t i = 0; i < lines; ++i, ++row) {
          Bytes want;
          size_t at = i * P;
          switch (mode) {
            case 0x201: case 0x301: case 0x401:
              want = ref::PackBits(ref::DitherGrey(f.Grey(in[i]), MatrixOf(mode), row, reversed));
              break;
            case 0x501: {
              const Bytes g = f.Grey(in[i]);
              want = ref::PackBits(ref::DiffuseLine(std::vector<int>(g.begin(), g.end()), diffuseErr[0], reversed));
              break;
            }
            case 0x102:
              want = ref::PackCodes(ref::PlaneCodes(in[i], int(S / 3 * 8)), pack);
              want.resize(P, 0);
              break;
            case 0x202: case 0x302: case 0x402:
              want = ref::PackCodes(ref::DitherColour(f.Rgb(in[i]), MatrixOf(mode), row, reversed), pack);
              break;
            case 0x502: {
              const Bytes c = f.Rgb(in[i]);
              std::vector<int> codes(n, 0);
              for (int ch = 0; ch < 3; ++ch) {
                const auto on = ref::DiffuseLine(Channel(c, ch), diffuseErr[ch], reversed);
                for (size_t k = 0; k < n; ++k) codes[k] += on[k] << ch;
              }
              want = ref::PackCodes(codes, pack);
              at = i * rowBytes;
              break;
            }
            case 3:
              want = f.Grey(in[i]);
              break;
            case 4: case 5:
              want = ref::ReduceLine(f.Rgb(in[i]), reduceErr);
              want.resize(rowBytes, 0);
              at = i * rowBytes;
              break;
            case 6:
              want = f.Rgb(in[i]);
              break;
          }
          ASSERT_EQ(Slice(buffer, at, want.size()), want)
              << std::hex << mode << std::dec << " pack " << pack << " reversed " << reversed
              << " match " << match << " vector " << vector << " strip " << strip << " line " << i;
        }
        EXPECT_EQ(buffer[lines * P], 0xA5);  // nothing beyond the strip
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, EveryMode,
                         ::testing::Values(0x201, 0x301, 0x401, 0x501, 0x102, 0x202, 0x302,
                                           0x402, 0x502, 3, 4, 5, 6),
                         [](const auto& info) {
                           char name[16];
                           snprintf(name, sizeof name, "Mode%X", unsigned(info.param));
                           return std::string(name);
                         });

// Dither modes with the adjustment folded into the thresholds (rising
// tables) or applied first (an inverted table) against the table applied
// to every value and then the dither.
TEST(ProcessStrip, DitherWithAdjustmentTables) {
  struct Adjust {
    int brightness, contrast;
    bool inverted;  // levels with white and black output exchanged
  } adjusts[] = {{60, 0, false}, {-80, 40, false}, {0, -100, false}, {0, 127, false}, {0, 0, true}};
  for (int mode : {0x201, 0x401, 0x302, 0x402}) {
    for (bool pack : {false, true}) {
      for (const Adjust& a : adjusts) {
        SettingsInEffect e = Settings(mode);
        e.Brightnes = int16_t(a.brightness);
        e.Contrast = int16_t(a.contrast);
        if (a.inverted) {
          e.Select = 1;
          for (int c : {0, 4}) {  // the common colour levels and the grey ones
            e.OutputBlack[c] = 255;
            e.OutputWhite[c] = 0;
          }
        }
        ToneTables t{};
        SnapshotTables(e, &t);
        PipelineJob job{};
        SetUpPipeline(&job, e, t, nullptr, 70, pack);
        ASSERT_TRUE(AllocatePipelineBuffers(&job));
        EXPECT_EQ(job.TableInPlan, !a.inverted);
        const bool colour = mode & 2;
        const size_t S = ScannerLineBytes(mode, 70);
        std::vector<Bytes> mapped;
        for (int strip = 0; strip < 2; ++strip) {
          Bytes buffer;
          for (int i = 0; i < 9; ++i) {
            Bytes line = ref::Random(S, uint32_t(strip * 9 + i + mode));
            buffer.insert(buffer.end(), line.begin(), line.end());
            for (size_t k = 0; k < S; ++k)
              line[k] = (colour ? (k % 3 == 0 ? t.AdjustR : k % 3 == 1 ? t.AdjustG : t.AdjustB) : t.AdjustGrey)[line[k]];
            mapped.push_back(line);
          }
          ASSERT_TRUE(ProcessStrip(&job, buffer.data(), buffer.size(), 9, S, S, S));
          const auto want = ref::ExpectedRows(mode, mapped, pack, false);
          for (int i = 0; i < 9; ++i) {
            const Bytes& w = want[strip * 9 + i];
            ASSERT_EQ(Slice(buffer, i * S, w.size()), w)
                << std::hex << mode << std::dec << " b " << a.brightness << " c " << a.contrast << " line " << i;
          }
        }
        FreePipelineBuffers(&job);
      }
    }
  }
}

TEST(ProcessStrip, NativeLineArtIsLeftAsRead) {
  Fixture f(0x101, 20, false);
  Bytes buffer = ref::Random(3 * 4, 5);
  const Bytes before = buffer;
  ASSERT_TRUE(ProcessStrip(&f.job, buffer.data(), buffer.size(), 3, 4, 3, 3));
  EXPECT_EQ(buffer, before);
}

TEST(ProcessStrip, ReversedDitherTurnsAWhitePageBlack) {
  Fixture f(0x201, 64, false, true, false);
  EXPECT_TRUE(f.job.AdjustIdentity);
  Bytes buffer(64 * 10, 255);
  ASSERT_TRUE(ProcessStrip(&f.job, buffer.data(), buffer.size(), 10, 64, 64, 8));
  for (int y = 0; y < 10; ++y)
    for (int k = 0; k < 8; ++k) EXPECT_EQ(buffer[y * 64 + k], 0) << y;
}

TEST(ProcessStrip, ColourLineArtRedBitOfTheFirstPixel) {
  // 8 pixels: planes of one byte each; unpacked, one code a byte.
  Fixture f(0x102, 8, false);
  EXPECT_EQ(ScannerLineBytes(0x102, 8), 3u);
  EXPECT_EQ(PipelineLineBytes(0x102, 8, false), 8u);
  EXPECT_EQ(PipelineLineBytes(0x102, 8, true), 4u);
  Bytes buffer(16, 0);
  const uint8_t lines[6] = {0x80, 0, 0, 0, 0, 0x01};  // line 1: blue bit of pixel 7
  memcpy(buffer.data(), lines, 6);
  ASSERT_TRUE(ProcessStrip(&f.job, buffer.data(), buffer.size(), 2, 8, 3, 8));
  EXPECT_EQ(Slice(buffer, 0, 8), (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Slice(buffer, 8, 8), (Bytes{0, 0, 0, 0, 0, 0, 0, 4}));
}

TEST(ProcessStrip, ColourMatchingOnlyForPositiveStandardCurveColour) {
  const Bytes table = ref::Random(196608, 99);
  const Bytes line = ref::Random(3 * 10, 100);
  Bytes matched = line;
  for (size_t i = 0; i < matched.size(); i += 3) ref::MatchPixel(table, &matched[i]);
  struct Case {
    int mode, gamma, negaPosi;
    bool applies;
  } cases[] = {{6, 2, 1, true}, {0x302, 2, 1, true}, {6, 1, 1, false}, {6, 3, 1, false},
               {6, 2, 2, false}, {3, 2, 1, false}};
  for (const Case& c : cases) {
    SettingsInEffect e = Settings(c.mode);
    e.Gamma = int16_t(c.gamma);
    e.NegaPosi = int16_t(c.negaPosi);
    ToneTables t{};
    IdentityTable(t.AdjustGrey);
    IdentityTable(t.AdjustR);
    IdentityTable(t.AdjustG);
    IdentityTable(t.AdjustB);
    PipelineJob job{};
    SetUpPipeline(&job, e, t, table.data(), 10, false);
    EXPECT_EQ(job.MatchTable != nullptr, c.applies) << c.mode;
  }
  // Mode 6 with matching: the pixels are corrected before the tables.
  SettingsInEffect e = Settings(6);
  e.Gamma = 2;
  ToneTables t{};
  for (int i = 0; i < 256; ++i) t.AdjustR[i] = t.AdjustG[i] = t.AdjustB[i] = uint8_t(255 - i);
  e.Brightnes = 1;  // not the identity
  PipelineJob job{};
  SetUpPipeline(&job, e, t, table.data(), 10, false);
  ASSERT_TRUE(AllocatePipelineBuffers(&job));
  Bytes buffer = line;
  ASSERT_TRUE(ProcessStrip(&job, buffer.data(), buffer.size(), 1, 30, 30, 30));
  for (size_t i = 0; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 255 - matched[i]) << i;
  FreePipelineBuffers(&job);
}

TEST(ProcessStrip, SizesThatDoNotFitAreRefusedUntouched) {
  Fixture reduce(4, 10, false);
  Bytes buffer(300, 7);
  const Bytes before = buffer;
  EXPECT_FALSE(ProcessStrip(&reduce.job, buffer.data(), buffer.size(), 11, 30, 30, 10));   // buffer
  EXPECT_FALSE(ProcessStrip(&reduce.job, buffer.data(), buffer.size(), 2, 33, 33, 11));    // 11 pixels
  EXPECT_FALSE(ProcessStrip(&reduce.job, buffer.data(), buffer.size(), 2, 30, 30, 9));     // short rows
  EXPECT_FALSE(ProcessStrip(&reduce.job, buffer.data(), buffer.size(), 2, 30, 30, 31));    // rows past lines
  EXPECT_FALSE(ProcessStrip(&reduce.job, buffer.data(), buffer.size(), 2, 29, 30, 10));    // line too long
  EXPECT_FALSE(ProcessStrip(&reduce.job, nullptr, 0, 2, 30, 30, 10));
  EXPECT_FALSE(ProcessStrip(&reduce.job, buffer.data(), buffer.size(), SIZE_MAX / 2, 30, 30, 10));
  Fixture diffuse(0x501, 10, false);
  EXPECT_FALSE(ProcessStrip(&diffuse.job, buffer.data(), buffer.size(), 2, 12, 12, 12));
  Fixture planes(0x102, 10, true);
  EXPECT_FALSE(ProcessStrip(&planes.job, buffer.data(), buffer.size(), 2, 12, 9, 12));  // scratch holds 6
  PipelineJob unknown{};
  unknown.Mode = 7;
  EXPECT_FALSE(ProcessStrip(&unknown, buffer.data(), buffer.size(), 1, 3, 3, 3));
  EXPECT_EQ(buffer, before);
  EXPECT_TRUE(ProcessStrip(&reduce.job, buffer.data(), buffer.size(), 0, 30, 30, 10));
}

TEST(ProcessStrip, RestartBeginsANewImage) {
  Fixture f(0x501, 16, false);
  const Bytes line = ref::Random(16, 3);
  Bytes a = line, b = line;
  ASSERT_TRUE(ProcessStrip(&f.job, a.data(), a.size(), 1, 16, 16, 16));
  ASSERT_TRUE(ProcessStrip(&f.job, b.data(), b.size(), 1, 16, 16, 16));
  RestartPipelineImage(&f.job);
  Bytes c = line;
  ASSERT_TRUE(ProcessStrip(&f.job, c.data(), c.size(), 1, 16, 16, 16));
  EXPECT_EQ(Slice(c, 0, 2), Slice(a, 0, 2));
  EXPECT_EQ(f.job.DitherRow, 0u);
}

int g_AllocsLeft;
int g_Live;
void* CountedAlloc(size_t n) {
  if (g_AllocsLeft-- <= 0) return nullptr;
  ++g_Live;
  return calloc(1, n);
}
void CountedFree(void* p) {
  --g_Live;
  free(p);
}

TEST(PipelineBuffers, PerModeAndReleasedOnFailure) {
  const MemoryProcs saved = g_Memory;
  g_Memory = MemoryProcs{CountedAlloc, kHeapMemory.Lock, kHeapMemory.Unlock, kHeapMemory.Size, CountedFree};
  struct Case {
    int mode;
    int blocks;
  } cases[] = {{0x101, 0}, {0x201, 0}, {3, 0}, {6, 0}, {0x501, 1}, {0x502, 3}, {4, 1}, {5, 1}, {0x102, 1}};
  for (const Case& c : cases) {
    for (int allowed = 0; allowed <= c.blocks; ++allowed) {
      g_AllocsLeft = allowed;
      g_Live = 0;
      PipelineJob job{};
      job.Mode = c.mode;
      job.Pixels = 100;
      EXPECT_EQ(AllocatePipelineBuffers(&job), allowed == c.blocks) << c.mode << " " << allowed;
      EXPECT_EQ(g_Live, allowed == c.blocks ? c.blocks : 0) << c.mode;
      FreePipelineBuffers(&job);
      EXPECT_EQ(g_Live, 0);
    }
  }
  g_Memory = saved;
}

}  // namespace
}  // namespace wq
