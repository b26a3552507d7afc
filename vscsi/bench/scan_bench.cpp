// How fast the virtual scanner delivers a page, next to a memcpy of the
// same bytes: a 600-dpi A4 colour page (about 100 MB), read the way the
// data source reads it (32 KB requests), and the same page in grey and
// line art.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "common/aspi.h"
#include "common/bytes.h"
#include "vscsi/vscsi.h"

namespace {

constexpr int kTarget = 2;
constexpr uint32_t kRequest = 32768;

uint8_t Exec(std::vector<uint8_t> cdb, uint8_t flags, uint8_t* buf, uint32_t len) {
  aspi::SRB_ExecSCSICmd s{};
  s.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  s.SRB_Target = kTarget;
  s.SRB_Flags = flags;
  s.SRB_BufLen = len;
  s.SRB_BufPointer = len ? buf : nullptr;
  s.SRB_SenseLen = 18;
  s.SRB_CDBLen = uint8_t(cdb.size());
  memcpy(s.CDBByte, cdb.data(), cdb.size());
  VscsiSendCommand(&s);
  return s.SRB_Status;
}

std::vector<uint8_t> Cdb10(uint8_t op, uint8_t type, uint8_t q, uint32_t n) {
  std::vector<uint8_t> c(10, 0);
  c[0] = op;
  c[2] = type;
  c[5] = q;
  wq::PutBE24(&c[6], n);
  return c;
}

void Send(uint8_t type, uint8_t q, const std::string& text = "") {
  std::vector<uint8_t> data(text.begin(), text.end());
  Exec(Cdb10(0x2A, type, q, uint32_t(data.size())), data.empty() ? 0 : aspi::SRB_DIR_OUT, data.data(),
       uint32_t(data.size()));
}

// Sets up an A4 window at 600 dpi in the given data format and returns the
// bytes of one line.
uint32_t Prepare(uint8_t format) {
  char err[200];
  VscsiConfigure("adapter 0\ndevice 0:2 scanner model=WQ210\n", err, sizeof err);
  std::vector<uint8_t> unit = {0, 0, 0, 0, 3, 6, 0, 0, 0, 25, 0, 0};
  Exec({0x15, 0x10, 0, 0, 12, 0}, aspi::SRB_DIR_OUT, unit.data(), 12);
  Send(0x81, 0, "0,206,0,292");
  Send(0x84, 7);  // 600 dpi
  Send(0x83, format);
  uint32_t pixels = 206 * 600 / 25;
  switch (format) {
    case 1: return pixels * 3;
    case 3: return pixels;
  }
  return (pixels + 7) / 8;
}

using Clock = std::chrono::steady_clock;

// Seconds to memcpy `total` bytes in pieces of `piece` (best of three).
double CopySeconds(size_t total, size_t piece) {
  std::vector<uint8_t> src(piece, 0x5A), dst(piece);
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    auto t0 = Clock::now();
    for (size_t done = 0; done < total; done += piece) {
      memcpy(dst.data(), src.data(), piece);
      benchmark::DoNotOptimize(dst.data());
      benchmark::ClobberMemory();
    }
    best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
  }
  return best;
}

void ScanPage(benchmark::State& state) {
  uint32_t lineBytes = Prepare(uint8_t(state.range(0)));
  uint32_t lines = 292 * 600 / 25;
  uint32_t perRead = kRequest / lineBytes ? kRequest / lineBytes : 1;
  std::vector<uint8_t> buf(size_t(perRead) * lineBytes);
  double copy = CopySeconds(size_t(lines) * lineBytes, buf.size());
  auto t0 = Clock::now();
  for (auto _ : state) {
    Exec({0x1B, 0, 0, 0, 0, 0}, 0, nullptr, 0);
    for (uint32_t done = 0; done < lines;) {
      uint32_t n = std::min(perRead, lines - done);
      if (Exec(Cdb10(0x28, 0, 0, n * lineBytes), aspi::SRB_DIR_IN, buf.data(), n * lineBytes) != aspi::SS_COMP) {
        state.SkipWithError("read failed");
        return;
      }
      done += n;
    }
    benchmark::DoNotOptimize(buf.data());
  }
  double each = std::chrono::duration<double>(Clock::now() - t0).count() / double(state.iterations());
  state.SetBytesProcessed(int64_t(state.iterations()) * lines * lineBytes);
  state.counters["page_MB"] = double(lines) * lineBytes / 1e6;
  // How many memcpy's of the page one scan of it costs.
  state.counters["x_memcpy"] = each / copy;
}
BENCHMARK(ScanPage)->Arg(1)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond)->ArgNames({"format"});

// The yardstick: copying the same bytes in the same requests.
void CopyPage(benchmark::State& state) {
  uint32_t lineBytes = 206 * 600 / 25 * 3, lines = 292 * 600 / 25;
  uint32_t perRead = kRequest / lineBytes ? kRequest / lineBytes : 1;
  std::vector<uint8_t> src(size_t(perRead) * lineBytes, 0x5A), dst(src.size());
  for (auto _ : state) {
    for (uint32_t done = 0; done < lines; done += perRead) {
      memcpy(dst.data(), src.data(), dst.size());
      benchmark::DoNotOptimize(dst.data());
      benchmark::ClobberMemory();
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * lines * lineBytes);
}
BENCHMARK(CopyPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
