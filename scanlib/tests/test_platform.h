// A native platform for the library core: captured log sinks, settings and
// free space chosen by the test, counted memory, a clock the test controls.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "scanlib/platform.h"

struct TestPlatform {
  std::vector<std::string> debugOutput;  // each DebugOutput call
  std::string logPath;                   // last file appended to
  std::vector<std::string> fileLines;    // text of each appended line
  std::string workDrive;
  std::string windowsDir = "C:\\WINDOWS";
  bool freeSpaceAnswers = true;
  uint64_t freeBytes = uint64_t(1) << 32;
  char askedDrive = 0;
  int liveBlocks = 0;
  uint32_t now = 0;
  uint32_t tick = 1;          // the clock advances this much per reading
  uint32_t busyWaited = 0;    // total of BusyWait calls, ms
  int idleCalls = 0;
  // ASPI binding: null entry points make the bind fail.
  aspi::GetASPI32SupportInfoFn supportInfo = nullptr;
  aspi::SendASPI32CommandFn sendCommand = nullptr;
  void (*poll)() = nullptr;   // called from Idle
};

extern TestPlatform g_testPlatform;

// Resets the record and returns a platform that reports into it.
const ScanPlatform* ResetTestPlatform(uint32_t completionLimitMs = 2000,
                                      uint32_t busyLimitMs = 2000);
