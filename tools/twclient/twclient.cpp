// The test application's TWAIN calls: the manager loaded (TWAINDSM.DLL from the
// system directory, else TWAIN_32.DLL) and opened on a hidden window, sources
// listed and opened, one-value MSG_SETs, the message loop and the shutdown.
#include "tools/twclient/twclient.h"

#include <cstring>
#include <string>

#include "common/strutil.h"

namespace {

constexpr const char* kWindowClass = "TwAppWindow32";

ATOM RegisterWindowClass() {
  static ATOM atom = 0;
  if (atom) return atom;
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kWindowClass;
  atom = RegisterClassA(&wc);
  return atom;
}

void FillIdentity(TW_IDENTITY* id, TW_UINT32 number) {
  memset(id, 0, sizeof *id);
  id->Id = number;
  id->Version.MajorNum = 1;
  id->Version.MinorNum = 0;
  id->Version.Language = TWLG_USA;
  id->Version.Country = 1;
  wq::CopyString(id->Version.Info, "twapp 1.0");
  id->ProtocolMajor = 1;
  id->ProtocolMinor = 5;
  id->SupportedGroups = DG_CONTROL | DG_IMAGE;
  wq::CopyString(id->Manufacturer, "KORVA tests");
  wq::CopyString(id->ProductFamily, "Tools");
  wq::CopyString(id->ProductName, "twapp");
}

}  // namespace

bool TwAppLoad(TwApp* app, TwManager which) {
  *app = TwApp{};
  auto bind = [app](HMODULE module, const char* name) {
    if (!module) return false;
    auto entry = reinterpret_cast<DSMENTRYPROC>(
        reinterpret_cast<void*>(GetProcAddress(module, "DSM_Entry")));
    if (!entry) {
      FreeLibrary(module);
      return false;
    }
    app->Manager = module;
    app->Entry = entry;
    app->ManagerName = name;
    return true;
  };
  if (which != TwManager::kTwain32) {
    // From the system directory only, as Windows applications load it.
    char dir[MAX_PATH];
    const UINT n = GetSystemDirectoryA(dir, MAX_PATH);
    if (n && n < MAX_PATH - 16) {
      const std::string path = std::string(dir, n) + "\\TWAINDSM.DLL";
      if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES &&
          bind(LoadLibraryA(path.c_str()), "TWAINDSM.DLL"))
        return true;
    }
    if (which == TwManager::kTwainDsm) return false;
  }
  return bind(LoadLibraryA("TWAIN_32.DLL"), "TWAIN_32.DLL");
}

TW_UINT16 TwAppOpenManager(TwApp* app, TW_UINT32 id) {
  if (!app->Entry) return TWRC_FAILURE;
  RegisterWindowClass();
  if (!app->Window)
    app->Window = CreateWindowA(kWindowClass, "twapp", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  FillIdentity(&app->App, id);
  HWND parent = app->Window;
  TW_UINT16 rc = app->Entry(&app->App, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent);
  app->ManagerOpen = rc == TWRC_SUCCESS;
  return rc;
}

std::vector<TW_IDENTITY> TwAppListSources(TwApp* app) {
  std::vector<TW_IDENTITY> list;
  if (!app->Entry) return list;
  TW_IDENTITY id;
  memset(&id, 0, sizeof id);
  TW_UINT16 rc = app->Entry(&app->App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &id);
  // Bounded: a manager that never ends its list cannot keep a test waiting.
  for (int n = 0; rc == TWRC_SUCCESS && n < 64; ++n) {
    list.push_back(id);
    memset(&id, 0, sizeof id);
    rc = app->Entry(&app->App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &id);
  }
  return list;
}

TW_UINT16 TwAppOpenSource(TwApp* app, const char* productName) {
  for (const TW_IDENTITY& id : TwAppListSources(app)) {
    if (strncmp(id.ProductName, productName, sizeof id.ProductName) != 0) continue;
    app->Source = id;
    TW_UINT16 rc =
        app->Entry(&app->App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &app->Source);
    app->SourceOpen = rc == TWRC_SUCCESS;
    return rc;
  }
  return TWRC_FAILURE;
}

TW_UINT16 TwAppCall(TwApp* app, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
  if (!app->Entry) return TWRC_FAILURE;
  return app->Entry(&app->App, &app->Source, dg, dat, msg, data);
}

TW_UINT16 TwAppSetOneValue(TwApp* app, TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 item) {
  TW_CAPABILITY c{};
  c.Cap = cap;
  c.ConType = TWON_ONEVALUE;
  c.hContainer = GlobalAlloc(GHND, sizeof(TW_ONEVALUE));
  if (!c.hContainer) return TWRC_FAILURE;
  auto* p = static_cast<TW_ONEVALUE*>(GlobalLock(c.hContainer));
  p->ItemType = itemType;
  std::memcpy(&p->Item, &item, sizeof item);
  GlobalUnlock(c.hContainer);
  const TW_UINT16 rc = TwAppCall(app, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &c);
  GlobalFree(c.hContainer);
  return rc;
}

TW_UINT16 TwAppCallManager(TwApp* app, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
  if (!app->Entry) return TWRC_FAILURE;
  return app->Entry(&app->App, nullptr, dg, dat, msg, data);
}

TW_UINT16 TwAppSourceCondition(TwApp* app) {
  TW_STATUS st{};
  st.ConditionCode = 0xFFFF;
  TwAppCall(app, DG_CONTROL, DAT_STATUS, MSG_GET, &st);
  return st.ConditionCode;
}

TW_UINT16 TwAppManagerCondition(TwApp* app) {
  TW_STATUS st{};
  st.ConditionCode = 0xFFFF;
  TwAppCallManager(app, DG_CONTROL, DAT_STATUS, MSG_GET, &st);
  return st.ConditionCode;
}

bool TwAppWaitForRequest(TwApp* app, TW_UINT16 request, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TW_EVENT event{};
      event.pEvent = &msg;
      event.TWMessage = MSG_NULL;
      TW_UINT16 rc = TWRC_NOTDSEVENT;
      if (app->SourceOpen) rc = TwAppCall(app, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
      if (event.TWMessage != MSG_NULL) app->Requests.push_back(event.TWMessage);
      if (rc != TWRC_DSEVENT) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      if (event.TWMessage == request) return true;
    }
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

void TwAppShutDown(TwApp* app) {
  if (app->SourceOpen) {
    TW_USERINTERFACE ui{};
    TwAppCall(app, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
    TwAppCallManager(app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &app->Source);
    app->SourceOpen = false;
  }
  if (app->ManagerOpen) {
    HWND parent = app->Window;
    TwAppCallManager(app, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
    app->ManagerOpen = false;
  }
  if (app->Window) DestroyWindow(app->Window);
  app->Window = nullptr;
  // The manager stays loaded: sources it loaded may still be mapped.
}
