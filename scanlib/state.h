// The library's process-wide state: one record allocated at open, the two
// device lists, the open flag and the bound platform. Single-threaded: the
// library is called from one thread at a time.
#pragma once
#include <cstdint>

#include "scanlib/platform.h"
#include "scanlib/scanlib.h"

namespace wqscsi {

constexpr int kSenseBufferSize = 118;
constexpr int kCdbSize = 12;

enum DataDirection : uint8_t { kDirNone = 0, kDirIn = 1, kDirOut = 2 };

// The record allocated (zero-filled) at open.
struct LibraryState {
  // The current command.
  DeviceAddress target;
  uint8_t* data;
  uint32_t dataLength;
  DataDirection direction;
  uint8_t cdb[kCdbSize];
  uint8_t targetStatus;   // raw target status of the last request
  int16_t status;         // library status of the last failing command
  uint8_t sense[kSenseBufferSize];
  // A failed selector 8 leaves its result here for the next selector 9.
  bool savedValid;
  int16_t savedStatus;
  uint8_t savedSense[kSenseBufferSize];
  // Copied from the block at every call.
  int16_t debugScsi;
  int16_t explicitSense;
  int16_t reservedA0;
  int16_t searchMode;      // 1 family scanners, 0 all devices
  bool aspiAvailable;
  bool unitStarted;        // START/STOP UNIT sent since open or reset
  bool logQuiet;           // tracing held off (selector 13's capability read)
  int32_t kind;            // ModelKind of the selected device
  aspi::GetASPI32SupportInfoFn supportInfo;
  aspi::SendASPI32CommandFn sendCommand;
};

struct ScanLibGlobals {
  LibraryState* state;
  ScannerList* scanners;
  DeviceList* devices;
  bool open;
  const ScanPlatform* platform;
};

// The one global record of the library.
extern ScanLibGlobals g_scan;

// Installs the platform the core runs on (before the first call).
void ScanLibSetPlatform(const ScanPlatform* platform);

}  // namespace wqscsi

// For programs that link the core in-process: installing their platform, and
// whether the library is open.
using wqscsi::g_scan;
using wqscsi::ScanLibSetPlatform;
