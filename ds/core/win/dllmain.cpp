// WQSCAN32.ds: the exported entry of the data source.
#include <windows.h>

#include "ds/core/dsentry.h"
#include "ds/core/session.h"
#include "ds/core/win/host_win.h"

namespace {
// The identity is built from the string table at the first call rather than
// inside DllMain, where only the loader's own work is safe.
bool g_Started;
}  // namespace

extern "C" TW_UINT16 TW_CALLINGSTYLE DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat,
                                              TW_UINT16 msg, TW_MEMREF data) {
  if (!g_Started) {
    wq::ResetSessionAtLoad();
    g_Started = true;
  }
  const TW_UINT16 rc = wq::DsEntryProc(origin, dg, dat, msg, data);
  if ((dg & 0xF) == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_OPENDS && rc == TWRC_SUCCESS)
    wq::NoteOpeningManager(__builtin_return_address(0));
  return rc;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    wq::InstallWindowsHost(instance);
  }
  return TRUE;
}
