// FAKEDS.ds: the test source as a TWAIN data source for Wine's manager.
// Its configuration is the file named by WQ_FAKEDS_CONFIG (read again at
// every MSG_OPENDS); its window has a Scan and a Close button, which the
// tests press by window messages.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/tests/fakeds/fake_source.h"

namespace {

struct FakeDs {
  HINSTANCE instance = nullptr;
  wqfake::FakeSource source;
  bool loaded = false;
  TW_IDENTITY app{};
  HWND parent = nullptr;
  HWND window = nullptr;
};
FakeDs g_ds;

std::string ReadConfigText() {
  char path[MAX_PATH] = "";
  if (!GetEnvironmentVariableA("WQ_FAKEDS_CONFIG", path, MAX_PATH)) return {};
  std::string text;
  if (FILE* f = std::fopen(path, "rb")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    std::fclose(f);
  }
  return text;
}

void Request(void*, TW_UINT16 msg) {
  HMODULE manager = GetModuleHandleA("twain_32.dll");
  if (!manager) manager = GetModuleHandleA("TWAINDSM.dll");
  auto entry = reinterpret_cast<DSMENTRYPROC>(
      reinterpret_cast<void*>(GetProcAddress(manager, "DSM_Entry")));
  if (entry) entry(&g_ds.source.identity, &g_ds.app, DG_CONTROL, DAT_NULL, msg, nullptr);
}

void Log(void*, const std::string& line) {
  if (g_ds.source.cfg.log.empty()) return;
  if (FILE* f = std::fopen(g_ds.source.cfg.log.c_str(), "ab")) {
    std::fprintf(f, "%s\r\n", line.c_str());
    std::fclose(f);
  }
}

LRESULT CALLBACK FakeSourceProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && LOWORD(wp) == 1) {
    wqfake::FakeSourceScan(&g_ds.source);
    return 0;
  }
  if ((msg == WM_COMMAND && LOWORD(wp) == 2) || msg == WM_CLOSE) {
    wqfake::FakeSourceClose(&g_ds.source);
    return 0;
  }
  return DefWindowProcW(w, msg, wp, lp);
}

void ShowWindowOfSource(void*, bool show) {
  if (!show) {
    if (g_ds.window) DestroyWindow(g_ds.window);
    g_ds.window = nullptr;
    return;
  }
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = FakeSourceProc;
    wc.hInstance = g_ds.instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"FakeSource32";
    registered = RegisterClassW(&wc) != 0;
  }
  g_ds.window = CreateWindowW(L"FakeSource32", L"Test source",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 620, 80, 220, 110,
                              g_ds.parent, nullptr, g_ds.instance, nullptr);
  CreateWindowW(L"BUTTON", L"&Scan", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 20, 20, 80, 26,
                g_ds.window, reinterpret_cast<HMENU>(1), g_ds.instance, nullptr);
  CreateWindowW(L"BUTTON", L"&Close", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 112, 20, 80, 26,
                g_ds.window, reinterpret_cast<HMENU>(2), g_ds.instance, nullptr);
}

void Load() {
  wqfake::FakeConfig cfg;
  std::string bad;
  wqfake::FakeConfigParse(ReadConfigText(), &cfg, &bad);
  wqfake::FakeHost host;
  host.alloc = [](void*, size_t n) -> void* { return GlobalAlloc(GHND, n); };
  host.lock = [](void*, void* b) { return GlobalLock(b); };
  host.unlock = [](void*, void* b) { GlobalUnlock(b); };
  host.request = Request;
  host.showWindow = ShowWindowOfSource;
  host.log = Log;
  wqfake::FakeSourceInit(&g_ds.source, cfg, host);
  g_ds.loaded = true;
}

}  // namespace

extern "C" TW_UINT16 TW_CALLINGSTYLE DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat,
                                              TW_UINT16 msg, TW_MEMREF data) {
  if (!g_ds.loaded || (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_OPENDS)) {
    const TW_UINT32 id = g_ds.source.identity.Id;
    Load();
    g_ds.source.identity.Id = id;
  }
  if (origin) g_ds.app = *origin;
  if (dg == DG_CONTROL && dat == DAT_USERINTERFACE && msg == MSG_ENABLEDS && data)
    g_ds.parent = static_cast<HWND>(static_cast<TW_USERINTERFACE*>(data)->hParent);
  // The window's keys and clicks arrive through the application's loop.
  if (dg == DG_CONTROL && dat == DAT_EVENT && data && g_ds.window) {
    MSG* m = static_cast<MSG*>(static_cast<TW_EVENT*>(data)->pEvent);
    if (m && IsDialogMessageW(g_ds.window, m)) {
      static_cast<TW_EVENT*>(data)->TWMessage = MSG_NULL;
      return TWRC_DSEVENT;
    }
  }
  return wqfake::FakeSourceEntry(&g_ds.source, origin, dg, dat, msg, data);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_ds.instance = instance;
  return TRUE;
}
