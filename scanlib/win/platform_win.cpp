// The library's platform record filled with Win32 calls, and the wait bounds
// taken from WQSCSI_WAIT_MS.
#include "scanlib/win/platform_win.h"

#include <windows.h>

#include <cstdlib>

namespace wqscsi {

namespace {

void Idle() {
  // Peek only: the caller's messages stay queued for its own loop.
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

uint32_t Milliseconds() { return GetTickCount(); }

void BusyWait(uint32_t ms) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) Idle();
}

void* Alloc(size_t bytes) {
  HGLOBAL h = GlobalAlloc(GHND, bytes);
  if (!h) return nullptr;
  void* p = GlobalLock(h);
  if (!p) GlobalFree(h);
  return p;
}

void Free(void* p) {
  HGLOBAL h = GlobalHandle(p);
  if (!h) return;
  GlobalUnlock(h);
  GlobalFree(h);
}

void DebugOutput(const char* text) { OutputDebugStringA(text); }

size_t GetWorkDrive(char* buffer, size_t size) {
  return GetPrivateProfileStringA("User", "WorkDrive", "", buffer, DWORD(size), "@WQSC32.INI");
}

size_t GetWindowsDir(char* buffer, size_t size) {
  const UINT n = GetWindowsDirectoryA(buffer, UINT(size));
  return n < size ? n : 0;
}

bool DriveFreeSpace(char drive, uint64_t* freeBytes) {
  const char root[4] = {drive, ':', '\\', 0};
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
    return false;
  // In 64 bits: a 32-bit product wraps on large disks and may look nearly full.
  *freeBytes = uint64_t(sectorsPerCluster) * bytesPerSector * freeClusters;
  return true;
}

// Diagnosis aid: WQSCSI_WAIT_MS shortens or lengthens both wait bounds.
uint32_t WaitLimit(uint32_t fallback) {
  char value[32];
  const DWORD n = GetEnvironmentVariableA("WQSCSI_WAIT_MS", value, sizeof value);
  if (n == 0 || n >= sizeof value) return fallback;
  const unsigned long ms = std::strtoul(value, nullptr, 10);
  return ms > 0 && ms <= 3600000 ? uint32_t(ms) : fallback;
}

}  // namespace

const ScanPlatform* WinPlatform() {
  static ScanPlatform platform;
  static bool filled = false;
  if (!filled) {
    platform.BindAspi = WinBindAspi;
    platform.Idle = Idle;
    platform.Milliseconds = Milliseconds;
    platform.BusyWait = BusyWait;
    platform.Alloc = Alloc;
    platform.Free = Free;
    platform.DebugOutput = DebugOutput;
    platform.GetWorkDrive = GetWorkDrive;
    platform.WindowsDirectory = GetWindowsDir;
    platform.DriveFreeSpace = DriveFreeSpace;
    platform.AppendLine = WinAppendLine;
    platform.completionLimitMs = WaitLimit(kDefaultCompletionLimitMs);
    platform.busyLimitMs = WaitLimit(kDefaultBusyLimitMs);
    filled = true;
  }
  return &platform;
}

}  // namespace wqscsi
