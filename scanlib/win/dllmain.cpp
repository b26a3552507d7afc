// WQSCSI32.DLL: the one export, KorvaSCANLIB, over the portable core.
#include <windows.h>

#include <cstdint>

#include "scanlib/entry.h"
#include "scanlib/state.h"
#include "scanlib/win/platform_win.h"

extern "C" int32_t __stdcall KorvaSCANLIB(int32_t selector, ScanParamBlock* block) {
  if (!g_scan.platform) ScanLibSetPlatform(WinPlatform());
  ScanLibEntry(selector, block);
  return block ? block->Status : 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
