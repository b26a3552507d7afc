// Routing trace lines to the debugger or the log file, and the log file's
// name and free-space rule.
#include "scanlib/logfile.h"

#include <cstring>

#include "common/strutil.h"

namespace wqscsi {

namespace {
constexpr size_t kPathMax = 300;
}

bool LogFileName(const ScanPlatform& p, char* name, size_t size) {
  char base[kPathMax] = {};
  const char* tail = "SCSILOG.TXT";
  if (!p.GetWorkDrive || p.GetWorkDrive(base, sizeof base) == 0 || base[0] == 0) {
    if (!p.WindowsDirectory || p.WindowsDirectory(base, sizeof base) == 0) return false;
    tail = "\\TWAIN_32\\WQSCAN32\\SCSILOG.TXT";
  }
  base[sizeof base - 1] = 0;
  const size_t a = std::strlen(base), b = std::strlen(tail);
  if (a + b + 1 > size) return false;
  std::memcpy(name, base, a);
  std::memcpy(name + a, tail, b + 1);
  return true;
}

void LogFileAppend(const ScanPlatform& p, const char* text) {
  char name[kPathMax + 40];
  if (!LogFileName(p, name, sizeof name)) return;
  uint64_t freeBytes = 0;
  if (!p.DriveFreeSpace || !p.DriveFreeSpace(name[0], &freeBytes)) return;
  if (freeBytes < kLogMinFreeBytes) return;
  if (p.AppendLine) p.AppendLine(name, text);
}

void LogEmit(const ScanPlatform& p, int debugScsi, const char* text) {
  if (debugScsi == 0) return;
  if (debugScsi == 1) {
    if (p.DebugOutput) {
      p.DebugOutput(text);
      p.DebugOutput("\r\n");
    }
    return;
  }
  LogFileAppend(p, text);
}

}  // namespace wqscsi
