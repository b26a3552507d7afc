// Rotation by 90 degrees, flips, a crop and a free rotation by 30 degrees of
// whole pages, the program's operations (BMP file to BMP file) against netpbm
// (pamflip, pamcut, pnmrotate without antialiasing, on a PNM
// of the same page, file to file) and ImageMagick (convert -rotate 90, BMP
// to BMP), in one run: a 600-dpi A4 grey page (4,960 x 7,016) and a 300-dpi
// A4 colour page (2,480 x 3,508). Prints the ratios of the best times
// (target for the rotation: at most 0.33 of pamflip) and how much the
// peak memory grows from an A6 page to the A4 one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "imagefile/bench/bench_page.h"
#include "imagefile/bmp_writer.h"
#include "imageops/crop.h"
#include "imageops/rotate.h"
#include "imageops/turn.h"
#include "common/io_file.h"

namespace {

struct Page {
  const char* name;
  uint32_t width, height;
  bool grey;
  std::string bmp, pnm;
};
Page g_pages[] = {{"grey600", 4960, 7016, true, "", ""}, {"colour300", 2480, 3508, false, "", ""}};
std::string g_dir;
bool g_ready = false;

enum Op { kRight, kHorizontal, kVertical, kCrop, kFree, kOps };
constexpr const char* kOpName[kOps] = {"rotate90", "flip-lr", "flip-tb", "cut", "rotate30"};
constexpr const char* kNetpbm[kOps] = {"pamflip -r90", "pamflip -lr", "pamflip -tb", "", "pnmrotate -noantialias 30"};
double g_ours[2][kOps], g_netpbm[2][kOps], g_magick[2];

// An 8-bit grey page: gradients and grain, as a scan would be.
bool WriteGreyPage(const std::string& path, uint32_t w, uint32_t h) {
  wq::FileWriter f;
  if (wq::FileWriterCreate(&f, path.c_str()) != wq::IoStatus::kOk) return false;
  wq::FileWriterGuard guard{&f};
  std::vector<uint8_t> table(1024);
  for (int i = 0; i < 256; ++i) table[i * 4] = table[i * 4 + 1] = table[i * 4 + 2] = uint8_t(i);
  wq::BmpWriter bw;
  if (wq::BmpWriterBegin(&bw, wq::FileWriterIo(&f), w, h, 8, table, 256, 23622, 23622) != wq::FileStatus::kOk)
    return false;
  std::vector<uint8_t> row(w);
  uint32_t seed = 12345;
  for (uint32_t y = 0; y < h; ++y) {
    for (uint32_t x = 0; x < w; ++x) {
      seed = seed * 1103515245u + 12345u;
      row[x] = uint8_t((x * 255 / w + y * 128 / h + (seed >> 28)) & 0xFF);
    }
    if (wq::BmpWriterPutRow(&bw, row.data()) != wq::FileStatus::kOk) return false;
  }
  return wq::BmpWriterFinish(&bw) == wq::FileStatus::kOk && wq::FileWriterCommit(&f) == wq::IoStatus::kOk;
}

bool Prepare() {
  if (g_ready) return true;
  g_dir = wqbench::BenchDir();
  if (g_dir.empty() || !wqbench::RunTool("pamflip -version 2>/dev/null; convert -version > /dev/null")) return false;
  for (Page& p : g_pages) {
    p.bmp = g_dir + "/" + p.name + ".bmp";
    p.pnm = g_dir + "/" + p.name + ".pnm";
    const bool made = p.grey ? WriteGreyPage(p.bmp, p.width, p.height) : wqbench::WriteBenchPage(p.bmp, p.width, p.height);
    if (!made || !wqbench::RunTool("bmptopnm " + p.bmp + " > " + p.pnm + " 2>/dev/null")) return false;
  }
  return g_ready = true;
}

bool Ours(const Page& p, int op, const std::string& target) {
  const char *t = target.c_str(), *s = p.bmp.c_str();
  if (op == kCrop) return wq::CropBmpFile(t, s, {p.width / 4, p.height / 4, p.width / 2, p.height / 2}, {}) == wq::FileStatus::kOk;
  if (op == kFree) return wq::RotateBmpFile(t, s, 30, p.grey ? 255 : 0xFFFFFF, {}) == wq::FileStatus::kOk;
  const wq::Turn turn = op == kRight ? wq::Turn::kRight : op == kHorizontal ? wq::Turn::kHorizontal : wq::Turn::kVertical;
  return wq::TurnBmpFile(t, s, turn, {}) == wq::FileStatus::kOk;
}

std::string NetpbmCommand(const Page& p, int op) {
  const std::string out = " > " + g_dir + "/peer.pnm";
  if (op == kCrop)
    return "pamcut -left " + std::to_string(p.width / 4) + " -top " + std::to_string(p.height / 4) + " -width " +
           std::to_string(p.width / 2) + " -height " + std::to_string(p.height / 2) + " " + p.pnm + out;
  return std::string(kNetpbm[op]) + " " + p.pnm + out;
}

void BM_Program(benchmark::State& state) {
  const int page = int(state.range(0)), op = int(state.range(1));
  state.SetLabel(std::string(g_pages[page].name) + " " + kOpName[op]);
  wqbench::Timed(state, Prepare(), &g_ours[page][op], 0, [&] { return Ours(g_pages[page], op, g_dir + "/ours.bmp"); });
}

void BM_Netpbm(benchmark::State& state) {
  const int page = int(state.range(0)), op = int(state.range(1));
  state.SetLabel(std::string(g_pages[page].name) + " " + kOpName[op]);
  wqbench::Timed(state, Prepare(), &g_netpbm[page][op], 0, [&] { return wqbench::RunTool(NetpbmCommand(g_pages[page], op)); });
}

void BM_Magick(benchmark::State& state) {
  const int page = int(state.range(0));
  state.SetLabel(std::string(g_pages[page].name) + " rotate90");
  wqbench::Timed(state, Prepare(), &g_magick[page], 0, [&] {
    return wqbench::RunTool("convert " + g_pages[page].bmp + " -rotate 90 " + g_dir + "/magick.bmp");
  });
}

BENCHMARK(BM_Program)->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4}})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Netpbm)->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4}})->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Magick)->DenseRange(0, 1)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  for (auto& row : g_ours) for (double& v : row) v = 1e30;
  for (auto& row : g_netpbm) for (double& v : row) v = 1e30;
  g_magick[0] = g_magick[1] = 1e30;
  // Memory first: the peak after every operation on an A6 grey page, then
  // after them on the 600-dpi A4 one.
  long small = -1, large = -1;
  if (Prepare()) {
    Page a6{"a6", 2480, 3508, true, g_dir + "/a6.bmp", ""};  // A6 at 600 dpi
    if (WriteGreyPage(a6.bmp, a6.width, a6.height)) {
      for (int op = 0; op < kOps; ++op) Ours(a6, op, g_dir + "/mem.bmp");
      small = wqbench::PeakKb();
      for (int op = 0; op < kOps; ++op) Ours(g_pages[0], op, g_dir + "/mem.bmp");
      large = wqbench::PeakKb();
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_ready) wqbench::RunTool("rm -rf " + g_dir);
  if (small < 0) return 1;
  std::printf("\npeak memory of the operations: A6 grey page %ld KB, 600-dpi A4 grey page %ld KB (growth %ld KB for a page 4 x larger)\n",
              small, large, large - small);
  for (int page = 0; page < 2; ++page) {
    std::printf("%s: best times (s)", g_pages[page].name);
    for (int op = 0; op < kOps; ++op) std::printf(", %s %.3f / netpbm %.3f", kOpName[op], g_ours[page][op], g_netpbm[page][op]);
    std::printf(", ImageMagick rotate %.3f\n", g_magick[page]);
    std::printf("  ratio program/netpbm (target for rotate90: at most 0.33):");
    for (int op = 0; op < kOps; ++op) std::printf(" %s %.2f", kOpName[op], g_ours[page][op] / g_netpbm[page][op]);
    std::printf("; rotate90 program/ImageMagick %.2f\n", g_ours[page][0] / g_magick[page]);
  }
  return 0;
}
