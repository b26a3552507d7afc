// WQSCSI32.DLL: the one export, KorvaSCANLIB, over the portable core.
#include <windows.h>

#include <cstdint>

#include "scanlib/entry.h"
#include "scanlib/scanlib.h"
#include "scanlib/state.h"
#include "scanlib/win/platform_win.h"

// C linkage and the calling convention come from the declaration in
// scanlib.h; a definition that strayed from it would leave the export unresolved.
int32_t WQ_SCANLIB_CALL KorvaSCANLIB(int32_t selector, ScanParamBlock* block) {
  if (!wqscsi::g_scan.platform) wqscsi::ScanLibSetPlatform(wqscsi::WinPlatform());
  wqscsi::ScanLibEntry(selector, block);
  return block ? block->Status : 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}
