// WNASPI32.DLL: the virtual bus behind the two ASPI for Win32 entry points.
// At load it takes its configuration from the file named by VSCSI_CONFIG,
// else vscsi.cfg in the system directory, else the built-in default. A
// thread polls the bus while requests are pending. Paper for a feeder can
// come from outside the process: the file VSCSI_TRAY names, when it
// appears, holds "adapter:target sheets" and is taken away.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/aspi.h"
#include "vscsi/vscsi.h"

namespace {

HMODULE g_module;
volatile LONG g_pollerRunning;

constexpr DWORD kMaxConfigBytes = 1 << 20;
constexpr DWORD kPollerIdleMs = 500;

// Reads a whole text file; false when it cannot be read.
bool ReadTextFile(const char* path, std::string* text, std::string* why) {
  HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    *why = "cannot open";
    return false;
  }
  DWORD size = GetFileSize(f, nullptr);
  bool ok = size != INVALID_FILE_SIZE && size <= kMaxConfigBytes;
  if (!ok) *why = "too large";
  if (ok) {
    text->assign(size, '\0');
    DWORD got = 0;
    ok = size == 0 || (ReadFile(f, &(*text)[0], size, &got, nullptr) && got == size);
    if (!ok) *why = "cannot be read";
  }
  CloseHandle(f);
  return ok;
}

void Report(const std::string& line) { OutputDebugStringA(("WNASPI32 (virtual bus): " + line + "\n").c_str()); }

// A configuration that cannot be used leaves a manager that failed to
// start: no adapters, support status SS_FAILED_INIT.
void FailedInit(const std::string& why) {
  Report(why);
  char err[160];
  VscsiConfigure("bus status=0xE4\n", err, sizeof err);
}

void LoadConfiguration() {
  char path[MAX_PATH + 16];
  std::string text, why;
  DWORD n = GetEnvironmentVariableA("VSCSI_CONFIG", path, MAX_PATH);
  bool named = n > 0 && n < MAX_PATH;
  if (!named) {
    UINT len = GetSystemDirectoryA(path, MAX_PATH);
    if (len == 0 || len >= MAX_PATH) return;  // keep the built-in default
    lstrcatA(path, "\\vscsi.cfg");
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return;
  }
  if (!ReadTextFile(path, &text, &why)) return FailedInit(std::string(path) + ": " + why);
  char err[200];
  if (!VscsiConfigure(text.c_str(), err, sizeof err)) return FailedInit(std::string(path) + ": " + err);
}

// The hand that puts paper into a feeder while a program runs.
void TakePaperFromTray() {
  char path[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("VSCSI_TRAY", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return;
  std::string text, why;
  if (!ReadTextFile(path, &text, &why)) return;  // still being written: next time
  DeleteFileA(path);
  int adapter = 0, target = 0;
  unsigned sheets = 0;
  if (sscanf(text.c_str(), "%d:%d %u", &adapter, &target, &sheets) != 3 ||
      !VscsiLoadSheets(adapter, target, sheets))
    Report(std::string(path) + ": not \"adapter:target sheets\" of a feeder");
}

void SignalEvent(void* handle) { SetEvent(static_cast<HANDLE>(handle)); }

// The poller keeps the DLL loaded while it runs and unloads its reference
// when it leaves, so that FreeLibrary never pulls the code from under it.
DWORD WINAPI PollerProc(LPVOID) {
  DWORD idleSince = GetTickCount();
  for (;;) {
    Sleep(1);
    VscsiPoll();
    if (VscsiPendingCount()) {
      idleSince = GetTickCount();
      continue;
    }
    if (GetTickCount() - idleSince < kPollerIdleMs) continue;
    InterlockedExchange(&g_pollerRunning, 0);
    // A request that went pending just now may have found us running.
    if (VscsiPendingCount() && InterlockedCompareExchange(&g_pollerRunning, 1, 0) == 0) {
      idleSince = GetTickCount();
      continue;
    }
    break;
  }
  FreeLibraryAndExitThread(g_module, 0);
  return 0;
}

void StartPoller() {
  if (InterlockedCompareExchange(&g_pollerRunning, 1, 0) != 0) return;
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&StartPoller), &self)) {
    InterlockedExchange(&g_pollerRunning, 0);
    return;
  }
  HANDLE thread = CreateThread(nullptr, 0, PollerProc, nullptr, 0, nullptr);
  if (!thread) {
    FreeLibrary(self);
    InterlockedExchange(&g_pollerRunning, 0);
    return;
  }
  CloseHandle(thread);
}

}  // namespace

extern "C" {

__declspec(dllexport) DWORD __cdecl GetASPI32SupportInfo() { return VscsiGetSupportInfo(); }

__declspec(dllexport) DWORD __cdecl SendASPI32Command(void* srb) {
  TakePaperFromTray();
  DWORD status = VscsiSendCommand(srb);
  if (VscsiPendingCount()) StartPoller();
  return status;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
    VscsiSetEventSignal(SignalEvent);
    LoadConfiguration();
  }
  return TRUE;
}

}  // extern "C"
