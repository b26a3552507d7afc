// The test platform's procedures: the virtual bus as the ASPI binding, a clock
// that moves a tick at each reading, counted memory blocks, and log lines,
// directories and free space kept in the test's record.
#include "scanlib/tests/test_platform.h"

#include <cstdlib>

TestPlatform g_testPlatform;

namespace {

ScanPlatform g_platform;

bool BindAspi(aspi::GetASPI32SupportInfoFn* s, aspi::SendASPI32CommandFn* c) {
  if (!g_testPlatform.supportInfo || !g_testPlatform.sendCommand) return false;
  *s = g_testPlatform.supportInfo;
  *c = g_testPlatform.sendCommand;
  return true;
}
void Idle() {
  ++g_testPlatform.idleCalls;
  if (g_testPlatform.poll) g_testPlatform.poll();
}
uint32_t Milliseconds() { return g_testPlatform.now += g_testPlatform.tick; }
void BusyWait(uint32_t ms) {
  g_testPlatform.busyWaited += ms;
  g_testPlatform.now += ms;
}
void* Alloc(size_t n) {
  void* p = std::calloc(1, n);
  if (p) ++g_testPlatform.liveBlocks;
  return p;
}
void Free(void* p) {
  --g_testPlatform.liveBlocks;
  std::free(p);
}
void DebugOutput(const char* t) { g_testPlatform.debugOutput.emplace_back(t); }
size_t Copy(const std::string& s, char* buf, size_t size) {
  if (s.size() + 1 > size) return 0;
  s.copy(buf, s.size());
  buf[s.size()] = 0;
  return s.size();
}
size_t GetWorkDrive(char* buf, size_t size) { return Copy(g_testPlatform.workDrive, buf, size); }
size_t WindowsDirectory(char* buf, size_t size) { return Copy(g_testPlatform.windowsDir, buf, size); }
bool DriveFreeSpace(char drive, uint64_t* bytes) {
  g_testPlatform.askedDrive = drive;
  *bytes = g_testPlatform.freeBytes;
  return g_testPlatform.freeSpaceAnswers;
}
bool AppendLine(const char* path, const char* text) {
  g_testPlatform.logPath = path;
  g_testPlatform.fileLines.emplace_back(text);
  return true;
}

}  // namespace

const ScanPlatform* ResetTestPlatform(uint32_t completionLimitMs, uint32_t busyLimitMs) {
  g_testPlatform = TestPlatform{};
  g_platform = ScanPlatform{BindAspi,     Idle,       Milliseconds,     BusyWait,
                            Alloc,        Free,       DebugOutput,      GetWorkDrive,
                            WindowsDirectory, DriveFreeSpace, AppendLine,
                            completionLimitMs, busyLimitMs};
  return &g_platform;
}
