// Everything the library core needs from the platform, as one record of
// function pointers. The Win32 shell fills it with Win32 calls; native tests
// fill it with the virtual bus and their own clock, memory and log sinks.
#pragma once
#include <cstddef>
#include <cstdint>

#include "common/aspi.h"

namespace wqscsi {

struct ScanPlatform {
  // Finds and binds the ASPI manager (ordinals 1 and 2). False when it is
  // missing; the support status is checked by the core.
  bool (*BindAspi)(aspi::GetASPI32SupportInfoFn* supportInfo,
                   aspi::SendASPI32CommandFn* sendCommand);
  // Called while a request is pending: lets the thread's queue be peeked.
  void (*Idle)();
  // A millisecond clock (wraps; only differences are used).
  uint32_t (*Milliseconds)();
  // Spins for the given time (spacing of busy retries).
  void (*BusyWait)(uint32_t ms);
  // Zero-filled memory for the state and the device lists; null on failure.
  void* (*Alloc)(size_t bytes);
  void (*Free)(void* block);
  // Diagnostics: the debugger output (DebugSCSI = 1) ...
  void (*DebugOutput)(const char* text);
  // ... or the log file: [User] WorkDrive of the settings file, the Windows
  // directory, the free bytes of a drive and appending one line to a file
  // (text then CR LF; the file is deleted when a write fails).
  size_t (*GetWorkDrive)(char* buffer, size_t size);
  size_t (*WindowsDirectory)(char* buffer, size_t size);
  bool (*DriveFreeSpace)(char driveLetter, uint64_t* freeBytes);
  bool (*AppendLine)(const char* path, const char* text);

  // Bounds on waits the device or manager could otherwise stretch for ever:
  // how long one request may stay pending (or the manager stay busy), and how
  // long TEST UNIT READY and READ keep retrying a BUSY target.
  uint32_t completionLimitMs;
  uint32_t busyLimitMs;
};

// Defaults of the two bounds. A scanner warming its lamp or returning its
// carriage answers within seconds; a minute means it is not coming back.
constexpr uint32_t kDefaultCompletionLimitMs = 60000;
constexpr uint32_t kDefaultBusyLimitMs = 60000;
// Spacing of control-word read retries on the text-command model.
constexpr uint32_t kBusyRetrySpacingMs = 60;

}  // namespace wqscsi

// Filled by every program that links the core in-process.
using wqscsi::ScanPlatform;
