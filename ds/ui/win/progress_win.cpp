// The progress window under Windows: the dialog chosen by kind and language,
// the owner disabled and the mouse captured while it is up, the ten blocks,
// cancel by button or ESC, and the message pump of the cancel poll.
#include "ds/ui/win/progress_win.h"

#include "ds/core/session.h"
#include "ds/core/win/host_win.h"
#include "ds/res/progress_ids.h"
#include "ds/ui/win/keyhook.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/base/win/source_windows.h"

namespace wq {

ProgressWindow g_ProgressWindow;

namespace {

constexpr COLORREF kBlockColour = RGB(0, 0, 128);
constexpr int kBlocks = 10;
constexpr int kGap = 2;
// The scan polls after every read, thousands of times a page; a message
// check costs a round trip to the window system (under Wine, its server),
// so the queue is looked at no more often than this.
constexpr DWORD kPollSpacingMs = 10;

ProgressWindow& P() { return g_ProgressWindow; }

// The 3-D controls library, where the system still has one.
void Register3d(bool on) {
  using Proc = BOOL(WINAPI*)(HINSTANCE);
  if (on) {
    P().Ctl3d = LoadLibraryA("CTL3D32.DLL");
    if (!P().Ctl3d) return;
    auto reg = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(P().Ctl3d, "Ctl3dRegister")));
    auto sub = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(P().Ctl3d, "Ctl3dAutoSubclass")));
    if (reg) reg(g_Instance);
    if (sub) sub(g_Instance);
  } else if (P().Ctl3d) {
    auto unreg = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(P().Ctl3d, "Ctl3dUnregister")));
    if (unreg) unreg(g_Instance);
    FreeLibrary(P().Ctl3d);
    P().Ctl3d = nullptr;
  }
}

// The bar's blocks, as many as have been stepped.
void PaintBar(HDC dc, const RECT& r) {
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &r, face);
  const int width = r.right - r.left;
  const int block = (width - (kBlocks - 1) * kGap) / kBlocks;
  if (block <= 0) return;
  HPEN pen = CreatePen(PS_SOLID, 1, kBlockColour);
  HBRUSH brush = CreateSolidBrush(kBlockColour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  for (int i = 0; i < P().Bar.Blocks && i < kBlocks; ++i) {
    const int x = r.left + i * (block + kGap);
    Rectangle(dc, x, r.top, x + block, r.bottom);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

// Centres the bar in its frame, trimmed to whole blocks.
void PlaceBar(HWND dialog) {
  HWND frame = GetDlgItem(dialog, IDC_PROGRESS_FRAME);
  HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
  if (!frame || !bar) return;
  RECT f, b;
  GetWindowRect(frame, &f);
  GetWindowRect(bar, &b);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&f), 2);
  const int width = b.right - b.left, height = b.bottom - b.top;
  const int block = (width - (kBlocks - 1) * kGap) / kBlocks;
  const int used = block * kBlocks + (kBlocks - 1) * kGap;
  const int x = f.left + ((f.right - f.left) - used) / 2;
  const int y = f.top + ((f.bottom - f.top) - height) / 2;
  MoveWindow(bar, x, y, used, height, FALSE);
}

void RedrawBar() {
  if (!P().Window) return;
  HWND bar = GetDlgItem(P().Window, IDC_PROGRESS_BAR);
  if (!bar) return;
  InvalidateRect(bar, nullptr, TRUE);
  UpdateWindow(bar);
}

void ReleaseWindowState() {
  RemoveKeyHook();
  if (GetCapture() == P().Window) ReleaseCapture();
  if (P().OwnerDisabled && P().Owner && IsWindow(P().Owner)) EnableWindow(P().Owner, TRUE);
  P().OwnerDisabled = false;
  if (P().Template == IDD_SCANNING_NO_UI || P().Template == IDD_SCANNING_NO_UI_JA) Register3d(false);
}

// ESC or the dialog's Cancel: the scan stops at its next poll.
void Cancel(HWND dialog) {
  P().Cancelled = true;
  if (g_Settings) g_Settings->ScanRunning = 0;
  ReleaseWindowState();
  P().Window = nullptr;
  g_Windows.Progress = nullptr;
  DestroyWindow(dialog);
}

bool Open(int kind) {
  if (P().Window && IsWindow(P().Window)) return true;  // kept open between feeder pages
  const bool shown = g_Session.ShowUI && g_Windows.Main && IsWindow(g_Windows.Main);
  HWND owner = shown ? g_Windows.Main : static_cast<HWND>(g_Session.ParentWindow);
  P().Cancelled = false;
  P().Polled = false;  // a new window's first poll looks at the queue
  ResetProgressBar(&P().Bar);
  P().Bar.Total = 0;
  if (!owner || !IsWindow(owner)) return false;
  P().Owner = owner;
  P().Template = ProgressTemplate(kind, shown, g_Env.JapaneseUI);
  const bool noUi = P().Template == IDD_SCANNING_NO_UI || P().Template == IDD_SCANNING_NO_UI_JA;
  if (noUi) Register3d(true);
  HWND w = CreateDialogParamW(g_Instance, MAKEINTRESOURCEW(P().Template), owner, ScanWaitProc, 0);
  if (!w) {
    if (noUi) Register3d(false);
    return false;
  }
  P().Window = w;
  g_Windows.Progress = w;
  const bool plainScan = P().Template == IDD_SCANNING || P().Template == IDD_SCANNING_JA;
  if (!plainScan) {
    EnableWindow(owner, FALSE);
    P().OwnerDisabled = true;
  }
  InstallKeyHook(kKeyHookProgress, w);
  ShowWindow(w, SW_SHOW);
  SetForegroundWindow(w);
  SetCapture(w);
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  UpdateWindow(w);
  return true;
}

void Close() {
  HWND w = P().Window;
  ReleaseWindowState();
  P().Window = nullptr;
  g_Windows.Progress = nullptr;
  if (w && IsWindow(w)) DestroyWindow(w);
  P().Cancelled = false;
}

void SetTotal(uint32_t total, bool force) {
  P().Bar.Total = total;
  if (force) RedrawBar();
}

void Step(uint32_t done, bool force) {
  if (!P().Window) return;
  if (StepProgressBar(&P().Bar, done) || force)
    SendMessageA(P().Window, WM_COMMAND, MAKEWPARAM(IDM_PROGRESS_STEP, 0), 0);
}

void Reset() {
  if (P().Window) SendMessageA(P().Window, WM_COMMAND, MAKEWPARAM(IDM_PROGRESS_RESET, 0), 0);
}

bool Poll() {
  const DWORD now = GetTickCount();
  if (P().Polled && now - P().LastPoll < kPollSpacingMs) return P().Cancelled;
  P().Polled = true;
  P().LastPoll = now;
  MSG msg;
  while (!P().Cancelled && P().Window && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));  // the application's loop still needs it
      break;
    }
    if (P().Window && IsDialogMessageA(P().Window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return P().Cancelled;
}

}  // namespace

int ProgressTemplate(int kind, bool shown, bool japanese) {
  switch (kind) {
    case kProgressPreview: return japanese ? IDD_PREVIEWING_JA : IDD_PREVIEWING;
    case kProgressZoomPreview: return japanese ? IDD_ZOOM_PREVIEWING_JA : IDD_ZOOM_PREVIEWING;
    default:
      if (!shown) return japanese ? IDD_SCANNING_NO_UI_JA : IDD_SCANNING_NO_UI;
      return japanese ? IDD_SCANNING_JA : IDD_SCANNING;
  }
}

INT_PTR CALLBACK ScanWaitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      PlaceBar(dialog);
      return TRUE;
    case WM_SETCURSOR:
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != IDC_PROGRESS_BAR) return FALSE;
      PaintBar(item->hDC, item->rcItem);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDM_PROGRESS_STEP:
          RedrawBar();
          return TRUE;
        case IDM_PROGRESS_RESET:
          ResetProgressBar(&P().Bar);
          RedrawBar();
          return TRUE;
        case IDCANCEL:
          Cancel(dialog);
          return TRUE;
      }
      return FALSE;
    case kMsgEscapePressed:
      Cancel(dialog);
      return TRUE;
  }
  return FALSE;
}

void InstallProgressWindow() { g_Progress = ProgressProcs{Open, Close, SetTotal, Step, Reset, Poll}; }

}  // namespace wq
