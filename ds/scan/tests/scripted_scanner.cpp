// The scripted scanner's side of the read loop (lines, calls, faults, resets,
// progress), a row sink that collects what it is handed, and memory that counts
// its live blocks and fails on demand.
#include "ds/scan/tests/scripted_scanner.h"

#include <cstdlib>
#include <cstring>

#include "ds/base/memory.h"

namespace st {

ScriptedScanner g_Scanner;
int g_LiveBlocks;
int g_AllocsLeft = -1;

namespace {

int ReadData(uint8_t* buffer, uint32_t lines, uint32_t lineBytes) {
  ScriptedScanner& s = g_Scanner;
  s.readLines.push_back(lines);
  s.readBytes.push_back(lines * lineBytes);
  for (uint32_t i = 0; i < lines; ++i) {
    const Bytes line = s.Line(s.nextLine++);
    memcpy(buffer + size_t(i) * lineBytes, line.data(), lineBytes);
  }
  return 0;
}

int CheckStatus() { return g_Scanner.calls == g_Scanner.errorAtCall ? 1 : 0; }

bool Poll() { return g_Scanner.calls++ == g_Scanner.cancelAtCall; }

void Reset() { ++g_Scanner.resets; }

void Progress(uint32_t done, uint32_t) { g_Scanner.progress.push_back(done); }

bool Row(void* context, uint32_t y, const uint8_t* row, uint32_t bytes) {
  auto* c = static_cast<Collected*>(context);
  if (int(c->rows.size()) == c->failAt) return false;
  c->rows.emplace_back(row, row + bytes);
  c->ys.push_back(y);
  return true;
}

void* Alloc(size_t n) {
  if (g_AllocsLeft == 0) return nullptr;
  if (g_AllocsLeft > 0) --g_AllocsLeft;
  ++g_LiveBlocks;
  return calloc(1, n ? n : 1);
}
void Free(void* p) {
  --g_LiveBlocks;
  free(p);
}

}  // namespace

void UseScriptedScanner(uint32_t lineBytes) {
  g_Scanner = ScriptedScanner{};
  g_Scanner.lineBytes = lineBytes;
  // The status check runs after each read and before the cancel poll; both
  // count the same call.
  wq::g_ScanRead = wq::ScanReadOps{ReadData, CheckStatus, Poll, Reset, Progress};
}

wq::RowSink CollectInto(Collected* c) { return wq::RowSink{c, Row}; }

void UseCountingMemory() {
  g_LiveBlocks = 0;
  g_AllocsLeft = -1;
  wq::g_Memory = wq::MemoryProcs{Alloc, wq::kHeapMemory.Lock, wq::kHeapMemory.Unlock, wq::kHeapMemory.Size, Free};
}

}  // namespace st
