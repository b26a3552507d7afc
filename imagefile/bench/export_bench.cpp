// EPS, PCX and Targa export of a 300-dpi A4 colour page (2,480 x 3,508),
// the program's writers against ImageMagick's convert on the same BMP (for
// EPS, which Debian's ImageMagick policy refuses to write, netpbm's
// bmptopnm | pnmtops), both file to file in /tmp. Reports the ratios of the best times (below 1:
// faster than ImageMagick) next to a memcpy of the page, and how much the
// writers' peak memory grows from an A6 page to the A4 one.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "imagefile/bench/bench_page.h"
#include "imagefile/eps_writer.h"
#include "imagefile/pcx_writer.h"
#include "imagefile/tga_writer.h"

namespace {

constexpr uint32_t kWidth = 2480, kHeight = 3508;

struct Files {
  std::string dir, bmp, small;
  bool ready = false;
} g_files;

enum { kPcx, kTga, kEps, kFormats };
constexpr const char* kExt[kFormats] = {"pcx", "tga", "eps"};
double g_memcpy = 1e30, g_ours[kFormats] = {1e30, 1e30, 1e30}, g_magick[kFormats] = {1e30, 1e30, 1e30};

bool Prepare() {
  if (g_files.ready) return true;
  g_files.dir = wqbench::BenchDir();
  g_files.bmp = g_files.dir + "/page.bmp";
  g_files.small = g_files.dir + "/small.bmp";
  g_files.ready = !g_files.dir.empty() && wqbench::WriteBenchPage(g_files.bmp, kWidth, kHeight) &&
                  wqbench::WriteBenchPage(g_files.small, 1240, 1748) && wqbench::RunTool("convert -version > /dev/null");
  return g_files.ready;
}

bool Export(int format, const std::string& source, const std::string& target) {
  const char *t = target.c_str(), *s = source.c_str();
  const wq::FileStatus st = format == kPcx   ? wq::PcxWriteFile(t, s, {})
                            : format == kTga ? wq::TgaWriteFile(t, s, {})
                                             : wq::EpsWriteFile(t, s, {});
  return st == wq::FileStatus::kOk;
}

void BM_Memcpy(benchmark::State& state) {
  std::vector<uint8_t> a(size_t(kWidth) * kHeight * 3, 1), b(a.size());
  wqbench::Timed(state, true, &g_memcpy, a.size(), [&] {
    std::memcpy(b.data(), a.data(), a.size());
    benchmark::DoNotOptimize(b.data());
    return true;
  });
}

void BM_Program(benchmark::State& state) {
  const int f = int(state.range(0));
  state.SetLabel(kExt[f]);
  wqbench::Timed(state, Prepare(), &g_ours[f], uint64_t(kWidth) * kHeight * 3,
                 [&] { return Export(f, g_files.bmp, g_files.dir + "/ours." + kExt[f]); });
}

void BM_Peer(benchmark::State& state) {
  const int f = int(state.range(0));
  state.SetLabel(kExt[f]);
  wqbench::Timed(state, Prepare(), &g_magick[f], uint64_t(kWidth) * kHeight * 3, [&] {
    const std::string out = g_files.dir + "/peer." + kExt[f];
    return wqbench::RunTool(f == kEps ? "bmptopnm " + g_files.bmp + " 2>/dev/null | pnmtops -noturn -nocenter -nosetpage > " + out + " 2>/dev/null"
                                      : "convert " + g_files.bmp + " " + out);
  });
}

BENCHMARK(BM_Memcpy)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_Program)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Peer)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  // Memory first, before any benchmark holds pages: the peak after every
  // writer on an A6 page, then after them on the A4 page.
  long small = -1, large = -1;
  if (Prepare()) {
    for (int f = 0; f < kFormats; ++f) Export(f, g_files.small, g_files.dir + "/mem." + kExt[f]);
    small = wqbench::PeakKb();
    for (int f = 0; f < kFormats; ++f) Export(f, g_files.bmp, g_files.dir + "/mem." + kExt[f]);
    large = wqbench::PeakKb();
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_files.ready) wqbench::RunTool("rm -rf " + g_files.dir);
  if (small < 0) return 1;
  std::printf("\npeak memory of the writers: A6 page %ld KB, A4 page %ld KB (growth %ld KB for a page 4 x larger)\n",
              small, large, large - small);
  std::printf("best times (s): memcpy %.4f", g_memcpy);
  for (int f = 0; f < kFormats; ++f)
    std::printf(", %s program %.3f / %s %.3f", kExt[f], g_ours[f], f == kEps ? "pnmtops" : "ImageMagick", g_magick[f]);
  std::printf("\nratio program/peer (ImageMagick; pnmtops for eps; target: at most 1.00):");
  for (int f = 0; f < kFormats; ++f) std::printf(" %s %.2f", kExt[f], g_ours[f] / g_magick[f]);
  std::printf("\nratio to memcpy of the page:");
  for (int f = 0; f < kFormats; ++f) std::printf(" %s %.1f", kExt[f], g_ours[f] / g_memcpy);
  std::printf("\n");
  return 0;
}
