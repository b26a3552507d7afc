// LZW TIFF writing and reading of a 300-dpi A4 colour page (2,550 x 3,507),
// the program's codecs against libtiff's tiffcp on the same pixels, both on
// files in /tmp. Reports the ratios of the best times (below 1: faster than
// libtiff) next to a memcpy of the page.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "imagefile/bench/bench_page.h"
#include "imagefile/tiff_to_bmp.h"
#include "imagefile/tiff_writer.h"
#include "common/io_file.h"

namespace {

constexpr uint32_t kWidth = 2550, kHeight = 3507;

struct BenchFiles {
  std::string dir, bmp, plainTiff, lzwTiff, out;
  bool ready = false;
} g_files;

struct BestTimes {
  double memcpy = 1e30, oursWrite = 1e30, toolWrite = 1e30, oursRead = 1e30, toolRead = 1e30;
} g_best;

bool Prepare() {
  if (g_files.ready) return true;
  g_files.dir = wqbench::BenchDir();
  if (g_files.dir.empty()) return false;
  g_files.bmp = g_files.dir + "/page.bmp";
  g_files.plainTiff = g_files.dir + "/page.tif";
  g_files.lzwTiff = g_files.dir + "/page_lzw.tif";
  g_files.out = g_files.dir + "/out";
  if (!wqbench::WriteBenchPage(g_files.bmp, kWidth, kHeight)) return false;
  // The same pixels as tiffcp's input (uncompressed) and as its LZW output.
  if (wq::TiffWriteFile(g_files.plainTiff.c_str(), g_files.bmp.c_str(), 1, false, {}) !=
      wq::FileStatus::kOk)
    return false;
  const std::string cmd = "tiffcp -c lzw:2 " + g_files.plainTiff + " " + g_files.lzwTiff;
  if (std::system(cmd.c_str()) != 0) return false;
  g_files.ready = true;
  return true;
}

template <typename Body>
void Timed(benchmark::State& state, double* best, Body body) {
  wqbench::Timed(state, Prepare(), best, uint64_t(kWidth) * kHeight * 3, body);
}

bool Tool(const std::string& cmd) { return wqbench::RunTool(cmd); }

void BM_Memcpy(benchmark::State& state) {
  std::vector<uint8_t> a(size_t(kWidth) * kHeight * 3, 1), b(a.size());
  Timed(state, &g_best.memcpy, [&] {
    std::memcpy(b.data(), a.data(), a.size());
    benchmark::DoNotOptimize(b.data());
    return true;
  });
}

void BM_WriteLzw_Program(benchmark::State& state) {
  Timed(state, &g_best.oursWrite, [] {
    return wq::TiffWriteFile((g_files.out + "1.tif").c_str(), g_files.bmp.c_str(), 1, true, {}) ==
           wq::FileStatus::kOk;
  });
}

void BM_WriteLzw_Tiffcp(benchmark::State& state) {
  Timed(state, &g_best.toolWrite, [] {
    return Tool("tiffcp -c lzw:2 " + g_files.plainTiff + " " + g_files.out + "2.tif");
  });
}

void BM_ReadLzw_Program(benchmark::State& state) {
  Timed(state, &g_best.oursRead, [] {
    return wq::TiffConvertFile((g_files.out + "3.bmp").c_str(), g_files.lzwTiff.c_str(), {},
                               nullptr) == wq::FileStatus::kOk;
  });
}

void BM_ReadLzw_Tiffcp(benchmark::State& state) {
  Timed(state, &g_best.toolRead, [] {
    return Tool("tiffcp -c none " + g_files.lzwTiff + " " + g_files.out + "4.tif");
  });
}

BENCHMARK(BM_Memcpy)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_WriteLzw_Program)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_WriteLzw_Tiffcp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_ReadLzw_Program)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(BM_ReadLzw_Tiffcp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

void RemoveFiles() {
  if (g_files.dir.empty()) return;
  for (const char* n : {"/page.bmp", "/page.tif", "/page_lzw.tif", "/out1.tif", "/out2.tif",
                        "/out3.bmp", "/out4.tif"})
    std::remove((g_files.dir + n).c_str());
  rmdir(g_files.dir.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The coded sizes, so that speed is not bought with weaker compression.
  auto size = [](const std::string& path) {
    long n = -1;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
      std::fseek(f, 0, SEEK_END);
      n = std::ftell(f);
      std::fclose(f);
    }
    return n;
  };
  const long ours = size(g_files.out + "1.tif"), tool = size(g_files.lzwTiff);
  if (ours > 0 && tool > 0)
    std::printf("\nLZW file size: program %ld bytes, tiffcp %ld bytes (ratio %.3f)\n", ours, tool,
                double(ours) / double(tool));
  RemoveFiles();
  const BestTimes& t = g_best;
  if (t.oursWrite < 1e30 && t.toolWrite < 1e30 && t.oursRead < 1e30 && t.toolRead < 1e30) {
    std::printf("\nbest times (s): memcpy %.4f, write program %.3f / tiffcp %.3f, read program %.3f / tiffcp %.3f\n",
                t.memcpy, t.oursWrite, t.toolWrite, t.oursRead, t.toolRead);
    std::printf("ratio program/tiffcp: LZW write %.2f, LZW read %.2f (target: at most 1.00)\n",
                t.oursWrite / t.toolWrite, t.oursRead / t.toolRead);
    std::printf("ratio to memcpy of the page: write program %.1f, tiffcp %.1f; read program %.1f, tiffcp %.1f\n",
                t.oursWrite / t.memcpy, t.toolWrite / t.memcpy, t.oursRead / t.memcpy,
                t.toolRead / t.memcpy);
  }
  return 0;
}
