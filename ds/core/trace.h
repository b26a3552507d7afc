// The triplet trace: every handled triplet as readable text, to the debugger
// output (switch 1) or appended to "WQLOG.TXT" in the work directory (switch
// 2). All wording comes from the English string table. Trace failures never
// affect the triplet.
#pragma once
#include <cstddef>
#include <cstdint>

#include "twain/twain.h"

namespace wq {

struct TraceTime {
  int Weekday;  // 0 Sunday
  int Month;    // 0 January
  int Day, Hour, Minute, Second, Year;
};

// Where the text goes; filled by the Windows side or by tests.
struct TraceSinkProcs {
  void (*DebugOutput)(const char* text) = [](const char*) {};
  // Opens the file for reading and writing (creating it), appends the text
  // at its end and closes it; a failed write deletes the file. False when
  // nothing was written.
  bool (*Append)(const char* path, const char* text) = [](const char*, const char*) {
    return false;
  };
  // Free bytes of the drive holding dir; false when they cannot be read.
  bool (*FreeSpace)(const char* dir, uint64_t* bytes) = [](const char*, uint64_t*) {
    return false;
  };
  void (*LocalTime)(TraceTime* t) = [](TraceTime*) {};
};
extern TraceSinkProcs g_TraceSink;

struct TraceState {
  int Switch;          // 0 off, 1 debugger, 2 log file
  char LogPath[300];
};
extern TraceState g_Trace;

constexpr uint64_t kTraceMinFreeBytes = 5242880;

// Prepares the output for `traceSwitch` with the log in workDir; false (and
// the trace off) when it cannot be prepared.
bool OpenTrace(int traceSwitch, const char* workDir);
void WriteTraceLine(const char* text);

// One handled triplet. `data` is the triplet's structure (null: no dump).
// Identity records show `app` (MSG_OPENDS, MSG_CLOSEDS) and `source`.
void TraceTriplet(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, const void* data, TW_UINT16 rc,
                  TW_UINT16 conditionCode, const TW_IDENTITY* app, const TW_IDENTITY* source);

// The item list of a capability's enumeration, as the source interprets it.
struct TraceItemList {
  TW_UINT16 ItemType;
  const void* Items;  // packed items of ItemType
  uint32_t Count;
};

// One capability message: the container (null or too short: no dump) of
// `size` bytes, and for enumerations optionally the source's own item list.
void TraceCapability(TW_UINT16 msg, TW_UINT16 cap, TW_UINT16 conType, const void* container,
                     size_t size, const TraceItemList* ownList, TW_UINT16 rc,
                     TW_UINT16 conditionCode);

// The name of a capability without its prefix ("XRESOLUTION"); false when
// the capability has no name in the table.
bool CapabilityName(TW_UINT16 cap, char* buf, size_t size);

}  // namespace wq
