// Keeps a Wine prefix's desktop open between the programs that scripts run
// one after another. Wine closes a desktop one second after the last program
// on it ends; a program that starts in that moment joins the closing desktop
// and can make no window for the rest of its life. This program stays on the
// desktop, and leaves once no other program has run in the prefix for a
// while, so that the Wine server still goes idle as usual.
//   desktopkeeper [IDLE-SECONDS]     (60 unless given, at most a day)
#include <windows.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <cwchar>

namespace {

// Wine's own background programs: they run whether or not anything else does.
constexpr const wchar_t* kWineServices[] = {
    L"explorer.exe", L"services.exe", L"winedevice.exe", L"plugplay.exe",
    L"svchost.exe",  L"rpcss.exe",    L"conhost.exe",
};

bool IsWineService(const wchar_t* exe) {
  for (const wchar_t* name : kWineServices)
    if (_wcsicmp(exe, name) == 0) return true;
  return false;
}

// Whether any program other than this one, its launcher (Wine's start.exe
// where Wine runs both word sizes) and Wine's services is running. A failed
// snapshot counts as activity: leaving early is the worse mistake.
bool OthersRunning(DWORD self) {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return true;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD launcher = 0;
  for (BOOL more = Process32FirstW(snap, &entry); more; more = Process32NextW(snap, &entry))
    if (entry.th32ProcessID == self) launcher = entry.th32ParentProcessID;
  bool others = false;
  for (BOOL more = Process32FirstW(snap, &entry); more && !others;
       more = Process32NextW(snap, &entry))
    others = entry.th32ProcessID != self && entry.th32ProcessID != launcher &&
             !IsWineService(entry.szExeFile);
  CloseHandle(snap);
  return others;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR args, int) {
  // One keeper per prefix: named objects belong to the prefix's server.
  HANDLE once = CreateMutexW(nullptr, FALSE, L"Local\\wq-desktop-keeper");
  if (!once) return 1;
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  // Loading user32 put this thread on the desktop; without one there is
  // nothing to keep.
  if (!GetThreadDesktop(GetCurrentThreadId())) return 1;
  // The desktop window comes up now, started from here: Wine's explorer.exe
  // that serves it inherits this program's streams, which hold nothing.
  GetDesktopWindow();
  long idleLimit = args && *args ? std::strtol(args, nullptr, 10) : 60;
  if (idleLimit < 1 || idleLimit > 86400) idleLimit = 60;
  const DWORD self = GetCurrentProcessId();
  for (long idle = 0; idle < idleLimit;) {
    Sleep(1000);
    idle = OthersRunning(self) ? 0 : idle + 1;
  }
  CloseHandle(once);
  return 0;
}
