// The preview's screen copy on a mode change: a full-bed preview of the
// WQ490 (75 dpi, 900 x 1,275 pixels) rendered in each mode with the
// settings' default tone tables, in milliseconds per render and as a
// multiple of a memcpy of the same bytes. A render well under the ~100 ms a
// user notices is a mode change without a visible pause.
//
// ToneRefresh is what a tone window's delayed refresh costs: the settings'
// own gamma and edge choice, a levels adjustment and the histogram counted
// as the pixels enter it; `x_budget` is the time over the 50 ms a refresh
// may take.
//
//   build/bench/bin/preview_render_bench
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "ds/preview/preview.h"
#include "ds/preview/preview_render.h"
#include "ds/scan/geometry.h"
#include "ds/settings/settings_store.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Bed {
  int32_t width = 0, height = 0;
  uint32_t stride = 0;
  std::vector<uint8_t> raw, screen;
};

// A photo-like gradient with some texture, red, green, blue bytes.
const Bed& FullBed() {
  static Bed b = [] {
    Bed bed;
    const wq::AreaRect r = wq::BedRect(3, false, false, 0);
    const int res = wq::PreviewResolution(3);
    bed.width = (r.Right - r.Left) * res / 25;
    bed.height = (r.Bottom - r.Top) * res / 25;
    bed.stride = wq::PreviewStride(bed.width);
    bed.raw.resize(size_t(bed.stride) * size_t(bed.height));
    bed.screen.resize(bed.raw.size());
    uint32_t noise = 99;
    for (int32_t y = 0; y < bed.height; ++y)
      for (int32_t x = 0; x < bed.width; ++x)
        for (int c = 0; c < 3; ++c) {
          noise = noise * 1103515245u + 12345u;
          const int v = (x * 255 / bed.width * (c + 1) + y * 255 / bed.height) / (c + 2) +
                        int(noise >> 28) - 8;
          bed.raw[size_t(y) * bed.stride + size_t(x) * 3 + size_t(c)] =
              uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
        }
    return bed;
  }();
  return b;
}

double MemcpySeconds(size_t bytes) {
  std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
  double best = 1e9;
  for (int i = 0; i < 10; ++i) {
    const auto t0 = Clock::now();
    memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

// The WQ490's settings in a mode: the defaults, or a fresh user's.
std::unique_ptr<wq::ScanSettings> WQ490Settings(int mode, bool firstUse) {
  std::unique_ptr<wq::ScanSettings> s(new wq::ScanSettings{});
  wq::SettingsEnvironment env{};
  env.Measure = 1;
  wq::SettingsDefaults(*s, env);
  s->Model = 3;
  if (firstUse) wq::ApplyFirstUse(*s, false);
  s->Mode = int16_t(mode);
  return s;
}

void Render(benchmark::State& state) {
  const int mode = int(state.range(0));
  const Bed& bed = FullBed();
  std::unique_ptr<wq::ScanSettings> s = WQ490Settings(mode, false);
  s->Gamma = 1;
  wq::RenderSetup setup;
  wq::PrepareRender(*s, nullptr, &setup);
  std::vector<uint8_t> screen(bed.raw.size());
  double seconds = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    wq::RenderImage(setup, bed.raw.data(), screen.data(), bed.width, bed.height, bed.stride);
    seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    benchmark::DoNotOptimize(screen.data());
  }
  const double per = seconds / double(state.iterations());
  state.counters["ms_per_render"] = per * 1e3;
  state.counters["x_memcpy"] = per / MemcpySeconds(bed.raw.size());
  state.SetLabel(std::to_string(bed.width) + "x" + std::to_string(bed.height));
}

void ToneRefresh(benchmark::State& state) {
  const int mode = int(state.range(0));
  const Bed& bed = FullBed();
  std::unique_ptr<wq::ScanSettings> s = WQ490Settings(mode, true);
  s->ThresholdW = 100;
  s->Select = 1;
  for (int set = 0; set < 5; ++set) {
    s->InputBlack[set] = 20;
    s->InputWhite[set] = 230;
  }
  std::vector<uint8_t> screen(bed.raw.size());
  wq::ToneHistogram histogram;
  const wq::ImageRegion all{0, 0, bed.width, bed.height};
  double seconds = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    // The settings are read afresh at every refresh.
    wq::RenderSetup setup;
    wq::PrepareRender(*s, nullptr, &setup);
    wq::RenderImage(setup, bed.raw.data(), screen.data(), bed.width, bed.height, bed.stride,
                    &histogram, &all);
    seconds += std::chrono::duration<double>(Clock::now() - t0).count();
    benchmark::DoNotOptimize(screen.data());
  }
  const double per = seconds / double(state.iterations());
  state.counters["ms_per_refresh"] = per * 1e3;
  state.counters["x_budget"] = per / 0.050;
  state.SetLabel(std::to_string(bed.width) + "x" + std::to_string(bed.height));
}

}  // namespace

BENCHMARK(ToneRefresh)
    ->ArgName("mode")
    ->Arg(0x101)->Arg(0x201)->Arg(0x301)->Arg(0x401)->Arg(0x501)
    ->Arg(0x102)->Arg(0x202)->Arg(0x502)->Arg(3)->Arg(4)->Arg(6)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(Render)
    ->ArgName("mode")
    ->Arg(0x101)->Arg(0x201)->Arg(0x301)->Arg(0x401)->Arg(0x501)
    ->Arg(0x102)->Arg(0x202)->Arg(0x502)->Arg(3)->Arg(4)->Arg(6)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
