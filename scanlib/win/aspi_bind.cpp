// Finding and binding the ASPI manager (WNASPI32.DLL in the system directory)
// by its two ordinals.
#include <windows.h>

#include <cstring>

#include "scanlib/win/platform_win.h"

namespace wqscsi {

namespace {
HMODULE g_aspi = nullptr;  // kept for the life of the process once loaded
}

bool WinBindAspi(aspi::GetASPI32SupportInfoFn* supportInfo, aspi::SendASPI32CommandFn* sendCommand) {
  char path[MAX_PATH + 16];
  const UINT n = GetSystemDirectoryA(path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  std::memcpy(path + n, "\\WNASPI32.DLL", sizeof "\\WNASPI32.DLL");
  // The manager must be installed in the system directory itself.
  HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  if (!g_aspi) g_aspi = LoadLibraryA(path);
  if (!g_aspi) return false;
  FARPROC support = GetProcAddress(g_aspi, MAKEINTRESOURCEA(1));
  FARPROC send = GetProcAddress(g_aspi, MAKEINTRESOURCEA(2));
  if (!support || !send) return false;
  *supportInfo = reinterpret_cast<aspi::GetASPI32SupportInfoFn>(reinterpret_cast<void*>(support));
  *sendCommand = reinterpret_cast<aspi::SendASPI32CommandFn>(reinterpret_cast<void*>(send));
  return true;
}

}  // namespace wqscsi
