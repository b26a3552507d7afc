// The scanning window's platform side: creating, showing, hiding and
// destroying the source's windows for the core, the UI shell record for the
// portable logic, window classes, and texts in the user's language.
#include "ds/ui/win/uishell_win.h"

#include "ds/ui/win/progress_win.h"
#include "ds/ui/win/scsiwnd.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/base/text.h"
#include "ds/core/win/host_win.h"
#include "ds/res/ui_ids.h"
#include "ds/scan/progress.h"
#include "ds/ui/scan_command.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/uishell.h"
#include "ds/ui/win/uiwin.h"
#include "ds/base/win/source_windows.h"

namespace wq {

UiShellWindows g_UiWin;

namespace {

bool g_InitFailed;

void PressScanButton(bool pressed) {
  if (g_Windows.Main) SendDlgItemMessageW(g_Windows.Main, IDC_SCAN, BM_SETCHECK, pressed ? 1 : 0, 0);
}

void StorePlacements() { StoreToolPlacements(); }
void RefreshToolWindows() { RefreshTools(nullptr); }
void OpenToolWindow(int tool) { OpenTool(tool); }

HCURSOR g_SavedCursor;
void WaitCursor(bool on) {
  if (on) g_SavedCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  else SetCursor(g_SavedCursor ? g_SavedCursor : LoadCursor(nullptr, IDC_ARROW));
}

void ScreenSize(int* width, int* height) {
  *width = GetSystemMetrics(SM_CXFULLSCREEN);
  *height = GetSystemMetrics(SM_CYFULLSCREEN);
}

// The tool windows this build has; the others come with later work.
bool ToolAvailable(int tool) {
  return tool == kToolZoom || tool == kToolResolution || tool == kToolPreference ||
         tool == kToolArea ||
         tool == kToolThreshold || tool == kToolLightness || tool == kToolImageAdjust ||
         tool == kToolFilm || tool == kToolGamma;
}

bool RegisterClasses() {
  if (g_UiWin.ClassesRegistered) return true;
  // Unicode classes: the window titles are in the user's language.
  WNDCLASSW wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.hInstance = g_Instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpfnWndProc = PreScanProc;
  wc.lpszClassName = kPreviewClassW;
  if (!RegisterClassW(&wc)) return false;
  wc.lpfnWndProc = InformationProc;
  wc.lpszClassName = kInfoClassW;
  if (!RegisterClassW(&wc)) {
    UnregisterClassW(kPreviewClassW, g_Instance);
    return false;
  }
  // Style 11: redrawn on either size change, double clicks.
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = PreOutScanProc;
  wc.lpszClassName = kPreOutClassW;
  if (!RegisterClassW(&wc)) {
    UnregisterClassW(kPreviewClassW, g_Instance);
    UnregisterClassW(kInfoClassW, g_Instance);
    return false;
  }
  g_UiWin.ClassesRegistered = true;
  return true;
}

void UnregisterClasses() {
  if (!g_UiWin.ClassesRegistered) return;
  UnregisterClassW(kPreviewClassW, g_Instance);
  UnregisterClassW(kInfoClassW, g_Instance);
  UnregisterClassW(kPreOutClassW, g_Instance);
  g_UiWin.ClassesRegistered = false;
}

bool OldPlatform() {
  // Win32s and Windows NT 3.x have no common controls to initialise.
  const uint32_t v = g_Env.PlatformVersion;
  const bool win32s = (v & 0x80000000u) && (v & 0xFF) < 4;
  const bool nt3 = !(v & 0x80000000u) && (v & 0xFF) < 4;
  return win32s || nt3;
}

void ShowWindows();

// The common controls are loaded when the window is first made, not with the
// source: applications load every source to list them and open sources
// without a window, and neither needs them. The library stays loaded once
// it is.
void InitCommonControlsNow() {
  static HMODULE library = LoadLibraryA("comctl32.dll");
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto init = library ? reinterpret_cast<InitFn>(reinterpret_cast<void*>(
                                  GetProcAddress(library, "InitCommonControlsEx")))
                            : nullptr;
  if (!init) return;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  init(&icc);
}

bool CreateMainWindow(void* parent) {
  // A later MSG_ENABLEDS: the window kept since MSG_DISABLEDS comes back.
  if (g_Windows.Main && IsWindow(g_Windows.Main)) {
    ShowWindows();
    return true;
  }
  if (!OldPlatform()) InitCommonControlsNow();
  if (!RegisterClasses()) return false;
  g_UiWin.Japanese = g_Env.JapaneseUI;
  g_InitFailed = false;
  HWND w = CreateDialogParamW(g_Instance, MAKEINTRESOURCEW(g_UiWin.Japanese ? IDD_MAIN_JA : IDD_MAIN),
                              static_cast<HWND>(parent), UserIFProc, 0);
  if (g_InitFailed || !w || !IsWindow(w)) {
    g_Windows.Main = nullptr;
    // A window that closed itself was made; one that never came was not.
    const bool made = g_InitFailed || w != nullptr;
    if (!made) UnregisterClasses();
    return made;
  }
  ShowPreviewPane(true);
  ShowWindow(w, SW_SHOW);
  ReopenTools();
  if (g_Settings && g_Settings->ShowInfo) ShowInfoWindow(true);
  SetForegroundWindow(w);
  return true;
}

bool MainWindowExists() { return g_Windows.Main && IsWindow(g_Windows.Main); }

void ShowWindows() {
  if (!MainWindowExists()) return;
  ShowPreviewPane(true);
  ShowWindow(g_Windows.Main, SW_SHOW);
  ShowTools(true);
  if (g_Settings && g_Settings->ShowInfo) ShowInfoWindow(true);
  SetForegroundWindow(g_Windows.Main);
}

void DestroyWindows() {
  HWND* all[] = {&g_Windows.Progress,   &g_Windows.Search,     &g_Windows.Preference,
                 &g_Windows.Film,       &g_Windows.Lightness,  &g_Windows.Threshold,
                 &g_Windows.ImageAdjustPage, &g_Windows.ImageAdjust, &g_Windows.Gamma,
                 &g_Windows.ZoomPreview, &g_Windows.Zoom,      &g_Windows.Resolution,
                 &g_Windows.Info,       &g_Windows.Preview,    &g_Windows.Main};
  g_Progress.Close();
  for (HWND* w : all) {
    if (*w && IsWindow(*w)) DestroyWindow(*w);
    *w = nullptr;
  }
  UnregisterClasses();
  if (g_UiWin.DialogFont) DeleteObject(g_UiWin.DialogFont);
  g_UiWin.DialogFont = nullptr;
}

void HideWindows() {
  HWND all[] = {g_Windows.Main,      g_Windows.ZoomPreview, g_Windows.Gamma,
                g_Windows.ImageAdjust, g_Windows.Threshold, g_Windows.Lightness,
                g_Windows.Film,      g_Windows.Preference,  g_Windows.Zoom,
                g_Windows.Resolution, g_Windows.Preview,    g_Windows.Info};
  for (HWND w : all)
    if (w && IsWindow(w)) ShowWindow(w, SW_HIDE);
}

void ReleaseScanButton() { ReleaseScanMark(); }

}  // namespace

void MarkMainWindowFailed() { g_InitFailed = true; }

static BOOL CALLBACK SetChildFont(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, WPARAM(font), FALSE);
  return TRUE;
}

void UseJapaneseFont(HWND dialog) {
  if (!g_UiWin.Japanese) return;
  if (!g_UiWin.DialogFont) {
    HFONT made = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    if (!made || !GetObjectW(made, sizeof lf, &lf)) lf.lfHeight = -12;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    wcscpy(lf.lfFaceName, L"MS UI Gothic");
    g_UiWin.DialogFont = CreateFontIndirectW(&lf);
    if (!g_UiWin.DialogFont) return;
  }
  const WPARAM font = reinterpret_cast<WPARAM>(g_UiWin.DialogFont);
  SendMessageW(dialog, WM_SETFONT, font, FALSE);
  EnumChildWindows(dialog, SetChildFont, LPARAM(font));
}

std::wstring UiText(int id) {
  const int chosen = g_UiWin.Japanese && id >= IDS_RANGE_DPI ? id + IDS_JA_OFFSET : id;
  wchar_t text[512];
  const int n = LoadStringW(g_Instance, UINT(chosen), text, 512);
  return n > 0 ? std::wstring(text, size_t(n)) : std::wstring();
}

std::wstring MenuText(int command) {
  if (!g_UiWin.Menu || command == 0) return std::wstring();
  wchar_t text[128];
  const int n = GetMenuStringW(g_UiWin.Menu, UINT(command), text, 128, MF_BYCOMMAND);
  std::wstring t(text, size_t(n > 0 ? n : 0));
  if (t.size() > 3 && t.compare(t.size() - 3, 3, L"...") == 0) t.resize(t.size() - 3);
  return t;
}

int ShowFormattedMessage(int id, const wchar_t* a, const wchar_t* b) {
  const int chosen = g_Env.JapaneseUI ? id + text::kJapaneseOffset : id;
  wchar_t format[1024], text[1200], caption[64];
  if (LoadStringW(g_Instance, UINT(chosen), format, 1024) <= 0) format[0] = 0;
  if (LoadStringW(g_Instance, UINT(text::kProductName), caption, 64) <= 0) caption[0] = 0;
  // The formats hold %s only: fill them in order.
  std::wstring out;
  const wchar_t* args[2] = {a, b};
  int next = 0;
  for (const wchar_t* p = format; *p; ++p) {
    if (p[0] == L'%' && p[1] == L's') {
      if (next < 2 && args[next]) out += args[next];
      ++next;
      ++p;
    } else {
      out += *p;
    }
  }
  wcsncpy(text, out.c_str(), 1199);
  text[1199] = 0;
  MessageBeep(MB_ICONHAND);
  return MessageBoxW(nullptr, text, caption, MB_TASKMODAL | MB_ICONSTOP | MB_OK) == IDOK
             ? kAnswerOk
             : kAnswerCancel;
}

void InstallUiShell() {
  InstallProgressWindow();
  InstallScsiInformation();
  g_Host.CreateMainWindow = CreateMainWindow;
  g_Host.MainWindowExists = MainWindowExists;
  g_Host.DestroyWindows = DestroyWindows;
  g_Host.HideWindows = HideWindows;
  g_Host.ReleaseScanButton = ReleaseScanButton;
  g_Host.ErasePreviewFrame = ErasePreviewFrame;
  g_Host.RedrawPreview = RedrawPreviewWindow;
  g_Host.ScreenSize = ScreenSize;
  g_UiShell = UiShellProcs{PressScanButton, ToolsValid,   StorePlacements,
                           RefreshToolWindows, OpenToolWindow, WaitCursor,
                           ToolAvailable};
}

}  // namespace wq
