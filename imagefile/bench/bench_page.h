// What the image-file benchmarks share: a 300-dpi scanned-photo-like colour
// page written to a BMP file row by row, and timing that keeps the best run.
#pragma once
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>

namespace wqbench {

// A 24-bit BMP of width x height at 300 dpi: smooth gradients, grain and
// text-like bands.
bool WriteBenchPage(const std::string& path, uint32_t width, uint32_t height);
// A fresh directory under /tmp ("" when none can be made).
std::string BenchDir();
bool RunTool(const std::string& command);
// The process's peak resident memory so far, in KB.
long PeakKb();

// Runs body once per iteration, records each time and the best in *best.
template <typename Body>
void Timed(benchmark::State& state, bool ready, double* best, uint64_t bytes, Body body) {
  if (!ready) {
    state.SkipWithError("could not prepare the page files (are the reference tools installed?)");
    return;
  }
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = body();
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!ok) {
      state.SkipWithError("operation failed");
      return;
    }
    state.SetIterationTime(s);
    if (s < *best) *best = s;
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

}  // namespace wqbench
