// Where trace lines go: the debugger output, or the log file located through
// the settings file with its free-space rule.
#pragma once
#include <cstddef>
#include <cstdint>

#include "scanlib/platform.h"

namespace wqscsi {

constexpr uint64_t kLogMinFreeBytes = 0x500000;

// The log file's name: WorkDrive + "SCSILOG.TXT" (no separator is added), or
// the Windows directory + "\TWAIN_32\WQSCAN32\SCSILOG.TXT". False when the
// name does not fit.
bool LogFileName(const ScanPlatform& platform, char* name, size_t size);

// Appends one line to the log file, unless the drive named by the file
// name's first character has less than 5 MB free (or cannot be asked).
// Nothing is reported either way.
void LogFileAppend(const ScanPlatform& platform, const char* text);

// Routes one line by the DebugSCSI value: 0 nothing, 1 debugger output
// (text, then CR LF), anything else the log file.
void LogEmit(const ScanPlatform& platform, int debugScsi, const char* text);

}  // namespace wqscsi
