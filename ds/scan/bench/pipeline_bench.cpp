// Pipeline throughput on a 600-dpi A4 page (5,100 x 7,020 pixels): each
// mode's ProcessStrip over the whole page, strip by strip as the strip
// reader runs it, in megapixels per second and as a multiple of a memcpy of
// the same bytes (page-sized buffers); and the same kind of work done by
// netpbm and ImageMagick on the same page, run as programs on a file in
// /tmp. Colour matching also alone, on the photo-like page and on a
// document page, beside LittleCMS transforming the same pages between two
// RGB profiles (where it is installed).
//
//   build/bench/bin/pipeline_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "ds/pipeline/clrmatch.h"
#include "ds/pipeline/lines.h"
#include "ds/pipeline/process.h"
#include "ds/scan/edge.h"
#include "ds/scan/stripsize.h"

#if WQ_HAVE_LCMS2
#include <lcms2.h>
#endif

namespace {

constexpr uint32_t kWidth = 5100;
constexpr uint32_t kHeight = 7020;
constexpr double kMegapixels = kWidth * double(kHeight) / 1e6;

using Clock = std::chrono::steady_clock;

// The page as the scanner would send it in a mode (colour as triples, the
// strip reader having rearranged the planes): a photo-like gradient with
// some texture, the same for every run.
std::vector<uint8_t> Page(int mode) {
  const uint32_t S = wq::ScannerLineBytes(mode, kWidth);
  std::vector<uint8_t> page(size_t(S) * kHeight);
  uint32_t noise = 12345;
  for (uint32_t y = 0; y < kHeight; ++y) {
    uint8_t* line = &page[size_t(y) * S];
    for (uint32_t i = 0; i < S; ++i) {
      noise = noise * 1103515245u + 12345u;
      const uint32_t x = mode == 0x102 || mode == 0x101 ? i * 8 : (S == kWidth ? i : i / 3);
      const int c = mode == 0x102 || mode == 0x101 ? 0 : (S == kWidth ? 0 : int(i % 3));
      int v = int((x * 255 / kWidth + y * 255 / kHeight * (c + 1)) / (c + 2)) + int(noise >> 28) - 8;
      if (mode == 0x102 || mode == 0x101) v = int(noise >> 24);
      line[i] = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
    }
  }
  return page;
}

// Seconds for one memcpy of `bytes` between page-sized buffers (best of 10:
// the machine is shared).
double MemcpySeconds(size_t bytes) {
  static std::map<size_t, double> known;
  auto it = known.find(bytes);
  if (it != known.end()) return it->second;
  std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
  double best = 1e9;
  for (int round = 0; round < 10; ++round) {
    auto t0 = Clock::now();
    memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return known[bytes] = best;
}

std::vector<uint8_t>& MatchTable() {
  static std::vector<uint8_t> table = [] {
    std::vector<uint8_t> t(wq::kClmTableBytes);
    for (size_t i = 0; i < t.size(); ++i) t[i] = uint8_t((i * 7) % 5 - 2);  // small offsets and slopes
    return t;
  }();
  return table;
}

// Bytes of one output line of a mode.
uint32_t ProducedBytes(int mode, bool pack) {
  switch (mode) {
    case 0x101: case 0x201: case 0x301: case 0x401: case 0x501: return (kWidth + 7) / 8;
    case 0x102: return wq::PipelineLineBytes(mode, kWidth, pack);
    case 0x202: case 0x302: case 0x402: return pack ? (kWidth + 1) / 2 : kWidth;
    case 6: return 3 * kWidth;
    default: return kWidth;
  }
}

// Megapixels a second and the multiple of a memcpy of `bytes` (the larger
// of what the mode reads and writes; x_memcpy_in counts what it reads), from the
// best page of the run (the machine is shared; the best is the least
// disturbed).
void Report(benchmark::State& state, double bestSeconds, size_t bytes) {
  state.counters["MPix_per_s"] = kMegapixels / bestSeconds;
  state.counters["x_memcpy"] = MemcpySeconds(bytes) / bestSeconds;
}

// One mode over the page. adjust: a software table is applied (brightness
// +10); match: colour matching first.
void ProcessPage(benchmark::State& state, int mode, bool pack, bool adjust, bool match) {
  wq::SettingsInEffect e{};
  e.Mode = int16_t(mode);
  e.Gamma = match ? 2 : 1;
  e.NegaPosi = 1;
  e.Binary = 1;
  e.ThresholdW = 128;
  e.Brightnes = adjust ? 10 : 0;
  for (int c = 0; c < 5; ++c) e.InputWhite[c] = e.OutputWhite[c] = 255;
  static wq::ToneTables tables;
  wq::SnapshotTables(e, &tables);
  wq::PipelineJob job{};
  wq::SetUpPipeline(&job, e, tables, match ? MatchTable().data() : nullptr, kWidth, pack);
  if (!wq::AllocatePipelineBuffers(&job)) {
    state.SkipWithError("no memory");
    return;
  }
  const uint32_t S = wq::ScannerLineBytes(mode, kWidth);
  const uint32_t P = wq::PipelineLineBytes(mode, kWidth, pack);
  uint32_t rowBytes = P;
  if (mode == 4 || mode == 5) rowBytes = kWidth;
  if (mode == 0x502) rowBytes = pack ? (4 * kWidth + 31) / 32 * 4 : kWidth;
  // Lines a strip holds by the memory rule with the default NearFull.
  const uint32_t strip = uint32_t(wq::StripBufferLines(uint64_t(1) << 31, 0, 215104, P));
  const std::vector<uint8_t> source = Page(mode);
  // The page laid out as consecutive strip buffers (pipeline line spacing).
  std::vector<uint8_t> work(size_t(P) * kHeight);
  auto refill = [&] {
    for (uint32_t y = 0; y < kHeight; ++y) {
      // Colour line art is converted from the scanner's spacing in place.
      const uint32_t first = y - y % strip;
      const size_t at = mode == 0x102 ? size_t(first) * P + size_t(y - first) * S : size_t(y) * P;
      memcpy(&work[at], &source[size_t(y) * S], S);
    }
  };
  double best = 1e9;
  for (auto _ : state) {
    refill();
    wq::RestartPipelineImage(&job);
    const auto t0 = Clock::now();
    for (uint32_t y = 0; y < kHeight; y += strip) {
      const uint32_t lines = std::min(strip, kHeight - y);
      uint8_t* buffer = &work[size_t(y) * P];
      if (!wq::ProcessStrip(&job, buffer, size_t(lines) * P, lines, P, S, rowBytes)) {
        state.SkipWithError("ProcessStrip refused the strip");
        break;
      }
    }
    benchmark::DoNotOptimize(work.data());
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    state.SetIterationTime(seconds);
    best = std::min(best, seconds);
  }
  wq::FreePipelineBuffers(&job);
  // Bytes the mode takes in and gives out; the yardstick moves the larger.
  const size_t in = size_t(S) * kHeight;
  const size_t out = size_t(mode == 4 || mode == 5 || mode == 0x502 ? rowBytes : ProducedBytes(mode, pack)) * kHeight;
  Report(state, best, std::max(in, out));
  state.counters["x_memcpy_in"] = MemcpySeconds(in) / best;
  state.counters["in_MB"] = double(in) / 1e6;
  state.counters["out_MB"] = double(out) / 1e6;
}

// A colour document: white paper (as the white level clips it) and lines of
// dark text.
std::vector<uint8_t> DocumentPage() {
  std::vector<uint8_t> page(size_t(3) * kWidth * kHeight, 255);
  uint32_t noise = 1;
  for (uint32_t y = 0; y < kHeight; ++y) {
    if ((y / 60) % 2 == 0) continue;  // between lines of text
    for (uint32_t x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245u + 12345u;
      if ((x / 9) % 3 == 0 && (noise >> 29) < 5) {
        uint8_t* p = &page[(size_t(y) * kWidth + x) * 3];
        p[0] = p[1] = p[2] = uint8_t(20 + (noise >> 27));
      }
    }
  }
  return page;
}

const std::vector<uint8_t>& ColourPage(bool document) {
  static const std::vector<uint8_t> photo = Page(6), paper = DocumentPage();
  return document ? paper : photo;
}

// `work` over a fresh copy of the colour page each round, in place; reports
// the best round against a memcpy of the page.
template <typename Work>
void ColourPageRounds(benchmark::State& state, bool document, Work work) {
  const std::vector<uint8_t>& source = ColourPage(document);
  std::vector<uint8_t> page(source.size());
  double best = 1e9;
  for (auto _ : state) {
    memcpy(page.data(), source.data(), source.size());
    const auto t0 = Clock::now();
    work(page.data());
    benchmark::DoNotOptimize(page.data());
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    state.SetIterationTime(seconds);
    best = std::min(best, seconds);
  }
  Report(state, best, source.size());
}

// ColourMatchStrip alone over the page, in place as the pipeline runs it.
void MatchPage(benchmark::State& state, bool document) {
  ColourPageRounds(state, document, [](uint8_t* page) {
    wq::ColourMatchStrip(MatchTable().data(), page, 3 * kWidth, kHeight, kWidth);
  });
}

#if WQ_HAVE_LCMS2
// LittleCMS with its defaults (an optimised 8-bit device link, one-pixel
// cache) from sRGB to an RGB space of other primaries and gamma, in place.
void LcmsPage(benchmark::State& state, bool document) {
  const cmsCIExyY d50 = {0.3457, 0.3585, 1.0};
  const cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
  cmsToneCurve* gamma = cmsBuildGamma(nullptr, 1.8);
  cmsToneCurve* curves[3] = {gamma, gamma, gamma};
  cmsHPROFILE in = cmsCreate_sRGBProfile();
  cmsHPROFILE out = cmsCreateRGBProfile(&d50, &primaries, curves);
  cmsHTRANSFORM xf = cmsCreateTransform(in, TYPE_RGB_8, out, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
  ColourPageRounds(state, document, [&](uint8_t* page) {
    for (uint32_t y = 0; y < kHeight; ++y) {
      uint8_t* line = page + size_t(y) * 3 * kWidth;
      cmsDoTransform(xf, line, line, kWidth);
    }
  });
  cmsDeleteTransform(xf);
  cmsCloseProfile(in);
  cmsCloseProfile(out);
  cmsFreeToneCurve(gamma);
}
#endif

// Planes to triples and the software edge filter, as the strip reader runs
// them before the pipeline.
void PlanarPage(benchmark::State& state) {
  const uint32_t S = 3 * kWidth;
  std::vector<uint8_t> page = Page(6), scratch(S);
  double best = 1e9;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    wq::PlanarToInterleaved(page.data(), kHeight, S, scratch.data());
    benchmark::DoNotOptimize(page.data());
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    state.SetIterationTime(seconds);
    best = std::min(best, seconds);
  }
  Report(state, best, size_t(S) * kHeight);
}

// Red and blue exchanged for a bitmap's rows, as the native and BMP file
// transfers deliver them.
void SwapPage(benchmark::State& state) {
  ColourPageRounds(state, false, [](uint8_t* page) {
    for (uint32_t y = 0; y < kHeight; ++y) wq::SwapRedBlue(page + size_t(y) * 3 * kWidth, kWidth);
  });
}

void EdgePage(benchmark::State& state) {
  const uint32_t S = 3 * kWidth;
  std::vector<uint8_t> page = Page(6), out(S);
  double best = 1e9;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (uint32_t u = 0; u + 2 < kHeight; ++u) {
      wq::EdgeFilterLine(page.data() + size_t(u / 3 * 3) * S, out.data(), S, u % 3, 2, true);
      benchmark::DoNotOptimize(out.data());
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    state.SetIterationTime(seconds);
    best = std::min(best, seconds);
  }
  Report(state, best, size_t(S) * kHeight);
}

// The same page as files for the peers: grey (PGM) and colour (PPM).
const std::string& PeerFile(bool colour) {
  static std::string grey, rgb;
  std::string& path = colour ? rgb : grey;
  if (!path.empty()) return path;
  path = colour ? "/tmp/wq_pipeline_bench_page.ppm" : "/tmp/wq_pipeline_bench_page.pgm";
  const std::vector<uint8_t> page = Page(colour ? 6 : 3);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return path;
  std::fprintf(f, "P%d\n%u %u\n255\n", colour ? 6 : 5, kWidth, kHeight);
  std::fwrite(page.data(), 1, page.size(), f);
  std::fclose(f);
  return path;
}

// A peer program on the page file, timed by the wall clock.
void Peer(benchmark::State& state, const char* commandFormat, bool colour) {
  char command[512];
  std::snprintf(command, sizeof command, commandFormat, PeerFile(colour).c_str());
  double best = 1e9;
  for (auto _ : state) {
    auto t0 = Clock::now();
    const int rc = std::system(command);
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    state.SetIterationTime(seconds);
    best = std::min(best, seconds);
    if (rc != 0) {
      state.SkipWithError(command);
      break;
    }
  }
  state.counters["MPix_per_s"] = kMegapixels / best;
}

void RegisterAll() {
  struct Mode {
    const char* name;
    int mode;
    bool pack;
  } modes[] = {
      {"lut_grey/3", 3, false},
      {"lut_rgb/6", 6, false},
      {"dither_mono/0x201", 0x201, false},
      {"dither_mono/0x301", 0x301, false},
      {"dither_mono/0x401", 0x401, false},
      {"diffuse_mono/0x501", 0x501, false},
      {"planes_packed/0x102", 0x102, true},
      {"planes_bytes/0x102", 0x102, false},
      {"dither_colour_nibbles/0x202", 0x202, true},
      {"dither_colour_bytes/0x302", 0x302, false},
      {"dither_colour_nibbles/0x402", 0x402, true},
      {"diffuse_colour_nibbles/0x502", 0x502, true},
      {"diffuse_colour_bytes/0x502", 0x502, false},
      {"reduce/4", 4, false},
      {"reduce/5", 5, false},
  };
  for (const Mode& m : modes) {
    benchmark::RegisterBenchmark((std::string("pipeline/") + m.name).c_str(), ProcessPage, m.mode, m.pack, true, false)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
  }
  benchmark::RegisterBenchmark("pipeline/colour_match+lut_rgb/6", ProcessPage, 6, false, true, true)
      ->UseManualTime()->Unit(benchmark::kMillisecond);
  for (bool document : {false, true}) {
    const std::string page = document ? "document" : "photo";
    benchmark::RegisterBenchmark(("colour_match/" + page).c_str(), MatchPage, document)
        ->UseManualTime()->Unit(benchmark::kMillisecond);
#if WQ_HAVE_LCMS2
    benchmark::RegisterBenchmark(("colour_match/lcms2_" + page).c_str(), LcmsPage, document)
        ->UseManualTime()->Unit(benchmark::kMillisecond);
#endif
  }
  benchmark::RegisterBenchmark("pipeline/no_table/0x201", ProcessPage, 0x201, false, false, false)
      ->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("strips/planar_to_interleaved", PlanarPage)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("strips/swap_red_blue", SwapPage)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("strips/edge_filter_colour", EdgePage)->UseManualTime()->Unit(benchmark::kMillisecond);

  const char* quiet = " >/dev/null 2>&1";
  static const std::string fs = std::string("pamditherbw -fs %s") + quiet;
  static const std::string threshold = std::string("pamditherbw -threshold %s") + quiet;
  // ImageMagick on one thread, as the pipeline runs.
  static const std::string imFs = std::string("MAGICK_THREAD_LIMIT=1 convert %s -dither FloydSteinberg -monochrome pbm:-") + quiet;
  static const std::string imColors = std::string("MAGICK_THREAD_LIMIT=1 convert %s -colors 256 ppm:-") + quiet;
  benchmark::RegisterBenchmark("peer/pamditherbw_-fs", Peer, fs.c_str(), false)
      ->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("peer/pamditherbw_-threshold", Peer, threshold.c_str(), false)
      ->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("peer/magick_-dither_FloydSteinberg_-monochrome", Peer, imFs.c_str(), false)
      ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("peer/magick_-colors_256", Peer, imColors.c_str(), true)
      ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove("/tmp/wq_pipeline_bench_page.pgm");
  std::remove("/tmp/wq_pipeline_bench_page.ppm");
  return 0;
}
