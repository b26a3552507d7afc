// A scripted scanner for the read loop: deterministic lines in the
// scanner's formats, a record of every call, and faults at chosen calls.
#pragma once
#include <cstdint>
#include <vector>

#include "ds/pipeline/tests/reference.h"
#include "ds/scan/strips.h"

namespace st {

using ref::Bytes;

struct ScriptedScanner {
  uint32_t lineBytes = 0;          // scanner line bytes
  uint32_t nextLine = 0;
  std::vector<uint32_t> readLines; // lines asked for, per ReadData call
  std::vector<uint32_t> readBytes;
  int errorAtCall = -1;            // the status check reports an error at this call
  int cancelAtCall = -1;           // the user cancels at this call
  int calls = 0;
  int resets = 0;
  std::vector<uint32_t> progress;

  // Scanner line y as the scanner sends it (colour lines as planes).
  Bytes Line(uint32_t y) const { return ref::Random(lineBytes, y * 7 + 1); }
};
extern ScriptedScanner g_Scanner;

// Installs the scripted scanner as g_ScanRead.
void UseScriptedScanner(uint32_t lineBytes);

// A sink that keeps every row.
struct Collected {
  std::vector<Bytes> rows;
  std::vector<uint32_t> ys;
  int failAt = -1;  // refuse this row
};
wq::RowSink CollectInto(Collected* c);

// Memory that counts live blocks and can run out.
extern int g_LiveBlocks;
extern int g_AllocsLeft;  // -1: unlimited
void UseCountingMemory();

}  // namespace st
