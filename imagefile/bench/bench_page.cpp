// The benchmarks' test page and helpers.
#include "imagefile/bench/bench_page.h"

#include <sys/resource.h>

#include <stdlib.h>

#include <cstdlib>
#include <vector>

#include "imagefile/bmp_writer.h"
#include "common/io_file.h"

namespace wqbench {
namespace {

void PageRow(uint32_t y, uint32_t width, uint32_t height, uint8_t* bgr) {
  uint32_t seed = y * 2654435761u;
  for (uint32_t x = 0; x < width; ++x) {
    seed = seed * 1103515245u + 12345u;
    const int grain = int((seed >> 16) & 7) - 3;
    const bool text = (y / 40) % 3 == 0 && (x / 9 + y / 5) % 4 == 0;
    const int r = text ? 20 : int(128 + 100 * x / width) + grain;
    const int g = text ? 20 : int(60 + 150 * y / height) + grain;
    const int b = text ? 30 : int(200 - 120 * (x + y) / (width + height)) + grain;
    bgr[3 * x] = uint8_t(b);
    bgr[3 * x + 1] = uint8_t(g);
    bgr[3 * x + 2] = uint8_t(r);
  }
}

}  // namespace

bool WriteBenchPage(const std::string& path, uint32_t width, uint32_t height) {
  wq::FileWriter fw;
  wq::FileWriterGuard guard{&fw};
  if (wq::FileWriterCreate(&fw, path.c_str()) != wq::IoStatus::kOk) return false;
  wq::BmpWriter w;
  if (wq::BmpWriterBegin(&w, wq::FileWriterIo(&fw), width, height, 24, {}, 0, 11811, 11811) !=
      wq::FileStatus::kOk)
    return false;
  std::vector<uint8_t> row(size_t(width) * 3);
  for (uint32_t y = 0; y < height; ++y) {
    PageRow(y, width, height, row.data());
    if (wq::BmpWriterPutRow(&w, row.data()) != wq::FileStatus::kOk) return false;
  }
  return wq::BmpWriterFinish(&w) == wq::FileStatus::kOk && wq::FileWriterCommit(&fw) == wq::IoStatus::kOk;
}

std::string BenchDir() {
  char tmpl[] = "/tmp/wq_bench_XXXXXX";
  return mkdtemp(tmpl) ? tmpl : "";
}

bool RunTool(const std::string& command) { return std::system(command.c_str()) == 0; }

long PeakKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

}  // namespace wqbench
