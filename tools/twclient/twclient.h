// A small TWAIN application for tests and command-line tools: loads the
// source manager, opens it with a hidden window, lists and opens sources,
// sends triplets, and runs a real message loop that passes every message
// through MSG_PROCESSEVENT and collects the source's requests
// (MSG_XFERREADY, MSG_CLOSEDSREQ).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "twain/twain.h"

// Which source manager to load. kDefault is the one a Windows application
// of this word size loads first: the TWAIN Working Group's TWAINDSM.DLL from
// the system directory where there is one, else TWAIN_32.DLL (Wine's
// manager in both word sizes; Windows' own on 32-bit Windows).
enum class TwManager { kDefault, kTwainDsm, kTwain32 };

struct TwApp {
  HMODULE Manager;
  const char* ManagerName;  // "TWAINDSM.DLL" or "TWAIN_32.DLL", once loaded
  DSMENTRYPROC Entry;
  HWND Window;              // hidden parent given to MSG_OPENDSM
  TW_IDENTITY App;          // this application
  TW_IDENTITY Source;       // the opened source
  bool ManagerOpen;
  bool SourceOpen;
  std::vector<TW_UINT16> Requests;  // source requests seen by the message loop
};

// Loads the manager and binds DSM_Entry.
bool TwAppLoad(TwApp* app, TwManager which = TwManager::kDefault);
// MSG_OPENDSM with a hidden window of this thread; `id` is the
// application's identity Id.
TW_UINT16 TwAppOpenManager(TwApp* app, TW_UINT32 id = 1);
// Every source MSG_GETFIRST / MSG_GETNEXT lists.
std::vector<TW_IDENTITY> TwAppListSources(TwApp* app);
// Opens the source whose product name matches; TWRC_FAILURE if none does.
TW_UINT16 TwAppOpenSource(TwApp* app, const char* productName);
// A triplet to the open source / to the manager itself.
TW_UINT16 TwAppCall(TwApp* app, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data);
TW_UINT16 TwAppCallManager(TwApp* app, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data);
// MSG_SET of a capability as a one-value container of the application's
// own (item in the container's four bytes, as TWAIN packs it).
TW_UINT16 TwAppSetOneValue(TwApp* app, TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 item);
// The source's condition code (DAT_STATUS), or the manager's.
TW_UINT16 TwAppSourceCondition(TwApp* app);
TW_UINT16 TwAppManagerCondition(TwApp* app);
// Runs the message loop until the source asks for `request` or the time is
// up; every message goes through MSG_PROCESSEVENT first.
bool TwAppWaitForRequest(TwApp* app, TW_UINT16 request, DWORD timeoutMs);
// Closes the source and the manager as far as they are open, and unloads.
void TwAppShutDown(TwApp* app);
