// The "SCSI Information" dialog and its bus-scan box: a thin shell over the
// rows, candidates and OK of ds/ui/scsi_info.h.
#include "ds/ui/win/scsiwnd.h"

#include <cstdio>
#include <string>

#include "ds/base/host.h"
#include "ds/base/text.h"
#include "ds/core/report.h"
#include "ds/core/win/host_win.h"
#include "ds/res/ui_ids.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/scsi_info.h"
#include "ds/base/win/source_windows.h"

namespace wq {
namespace {

// The bus-scan box stays up at least this long, so that it can be read.
constexpr DWORD kBusScanShownMs = 1000;
constexpr UINT_PTR kTimerScan = 1;     // the box is on the screen: scan
constexpr UINT_PTR kTimerBoxDone = 2;  // the box has been up long enough

struct ScsiDialog {
  ScsiSelection Sel;
  bool Japanese;
  HFONT Font;  // Japanese windows: the template's face with the Shift-JIS set
  bool Scanning;
  HWND Box;
  DWORD BoxShownAt;
};
ScsiDialog g_Scsi;

std::wstring Widen(const char* text) {
  wchar_t wide[64];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 64) == 0) wide[0] = 0;
  return wide;
}

std::wstring Loaded(int id) {
  wchar_t text[128];
  const int n = LoadStringW(g_Instance, UINT(id), text, 128);
  return n > 0 ? std::wstring(text, size_t(n)) : std::wstring();
}

// A template's character set is not carried into the font it makes.
HFONT MakeJapaneseFont() {
  HDC dc = GetDC(nullptr);
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(9, dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96, 72);
  if (dc) ReleaseDC(nullptr, dc);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  wcscpy(lf.lfFaceName, L"MS UI Gothic");
  return CreateFontIndirectW(&lf);
}

BOOL CALLBACK SetChildFont(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, WPARAM(font), FALSE);
  return TRUE;
}

void ApplyFont(HWND window) {
  if (!g_Scsi.Font) return;
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(g_Scsi.Font), FALSE);
  EnumChildWindows(window, SetChildFont, reinterpret_cast<LPARAM>(g_Scsi.Font));
}

void Fill(HWND dialog);

INT_PTR CALLBACK BusScanProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Once the dialog is up, the box goes just below it (above when the screen
// ends there), where it hides none of the rows. Wine also leaves a window
// black that lies wholly inside another one of the process.
void PlaceBesideDialog(HWND box, HWND dialog) {
  if (!IsWindowVisible(dialog)) return;  // centred on the screen by its template
  RECT d{}, b{};
  GetWindowRect(dialog, &d);
  GetWindowRect(box, &b);
  const int width = b.right - b.left, height = b.bottom - b.top;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int top = d.bottom + 4;
  if (top + height > work.bottom) top = d.top - 4 - height;
  if (top < work.top) return;
  int left = (d.left + d.right - width) / 2;
  if (left + width > work.right) left = work.right - width;
  if (left < work.left) left = work.left;
  SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The bus scan (selector 5) under its box. The box goes up first and the
// scan starts once the dialog's loop has drawn it (the library only peeks at
// the queue while a command runs, so a box shown just before the scan would
// stay unpainted through a long one); it stays at least kBusScanShownMs.
// Meanwhile the dialog takes no input.
void StartBusScan(HWND dialog) {
  if (g_Scsi.Scanning) return;
  g_Scsi.Scanning = true;
  EnableWindow(dialog, FALSE);
  g_Scsi.Box = CreateDialogParamW(
      g_Instance, MAKEINTRESOURCEW(g_Scsi.Japanese ? IDD_BUS_SCAN_JA : IDD_BUS_SCAN), dialog,
      BusScanProc, 0);
  if (g_Scsi.Box) {
    ApplyFont(g_Scsi.Box);
    PlaceBesideDialog(g_Scsi.Box, dialog);
    ShowWindow(g_Scsi.Box, SW_SHOWNOACTIVATE);
  }
  g_Scsi.BoxShownAt = GetTickCount();
  SetTimer(dialog, kTimerScan, 10, nullptr);
}

void BusScanTimer(HWND dialog, UINT_PTR timer) {
  KillTimer(dialog, timer);
  if (timer == kTimerScan) {
    HCURSOR cursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    RescanBus(&g_Scsi.Sel);
    SetCursor(cursor);
    const DWORD spent = GetTickCount() - g_Scsi.BoxShownAt;
    SetTimer(dialog, kTimerBoxDone, spent >= kBusScanShownMs ? 1 : kBusScanShownMs - spent, nullptr);
  } else if (timer == kTimerBoxDone) {
    if (g_Scsi.Box) DestroyWindow(g_Scsi.Box);
    g_Scsi.Box = nullptr;
    g_Scsi.Scanning = false;
    EnableWindow(dialog, TRUE);
    Fill(dialog);
    // The keyboard comes back to the dialog, on its default button.
    if (GetActiveWindow() == dialog && !IsChild(dialog, GetFocus())) {
      const LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
      HWND button = HIWORD(def) == DC_HASDEFID ? GetDlgItem(dialog, LOWORD(def)) : nullptr;
      if (button) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
    }
  }
}

void Fill(HWND dialog) {
  const ScsiSelection& s = g_Scsi.Sel;
  uint8_t boards[kBusDevicesMax];
  const int adapters = BusAdapters(s.Bus, boards, kBusDevicesMax);
  char name[32];
  AdapterName(s.Bus, s.Board, name, sizeof name);
  SetDlgItemTextW(dialog, IDC_SCSI_ADAPTER, Widen(name).c_str());
  EnableWindow(GetDlgItem(dialog, IDC_SCSI_BOARD), adapters > 1);
  ScsiRow rows[kScsiIdCount];
  AdapterRows(s.Bus, s.Board, s.WQ215, rows);
  const int checked = CheckedId(s);
  for (int id = 0; id < kScsiIdCount; ++id) {
    const ScsiRow& r = rows[id];
    EnableWindow(GetDlgItem(dialog, IDC_SCSI_ID_FIRST + id), r.Exists);
    HWND radio = GetDlgItem(dialog, IDC_SCSI_RADIO_FIRST + id);
    EnableWindow(radio, r.Candidate);
    // An id without a device has nothing to choose, not even a greyed one.
    ShowWindow(radio, r.Exists ? SW_SHOWNA : SW_HIDE);
    SendMessageW(radio, BM_SETCHECK, id == checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SetDlgItemTextW(dialog, IDC_SCSI_TYPE_FIRST + id,
                    r.TypeText ? Loaded(r.TypeText).c_str() : L"");
    SetDlgItemTextW(dialog, IDC_SCSI_VENDOR_FIRST + id, Widen(r.Vendor).c_str());
    SetDlgItemTextW(dialog, IDC_SCSI_PRODUCT_FIRST + id, Widen(r.Product).c_str());
    SetDlgItemTextW(dialog, IDC_SCSI_REVISION_FIRST + id, Widen(r.Revision).c_str());
  }
  HWND ok = GetDlgItem(dialog, IDOK);
  const bool okEnabled = OkEnabled(s);
  // A disabled button must not keep the focus or the default.
  if (!okEnabled && GetFocus() == ok)
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDCANCEL)), TRUE);
  SendMessageW(dialog, DM_SETDEFID, okEnabled ? IDOK : IDCANCEL, 0);
  EnableWindow(ok, okEnabled);
}

// The "Board #%d" menu under its button.
void BoardMenu(HWND dialog) {
  HWND button = GetDlgItem(dialog, IDC_SCSI_BOARD);
  uint8_t boards[kBusDevicesMax];
  const int n = BusAdapters(g_Scsi.Sel.Bus, boards, kBusDevicesMax);
  HMENU menu = n > 1 ? CreatePopupMenu() : nullptr;
  if (menu) {
    const std::wstring format =
        Loaded(g_Scsi.Japanese ? IDS_SCSI_BOARD + IDS_JA_OFFSET : IDS_SCSI_BOARD);
    for (int i = 0; i < n; ++i) {
      std::wstring text = format;
      const size_t at = text.find(L"%d");
      if (at != std::wstring::npos) text.replace(at, 2, std::to_wstring(boards[i]));
      AppendMenuW(menu, MF_STRING | (boards[i] == g_Scsi.Sel.Board ? MF_CHECKED : 0),
                  UINT_PTR(i + 1), text.c_str());
    }
    RECT r{};
    GetWindowRect(button, &r);
    const int chosen = int(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, r.left,
        r.bottom, 0, dialog, nullptr));
    DestroyMenu(menu);
    if (chosen >= 1 && chosen <= n && ShowAdapter(&g_Scsi.Sel, boards[chosen - 1])) Fill(dialog);
  }
  if (button) SendMessageW(button, BM_SETCHECK, 0, 0);
}

// Context help: the id buttons have a table of their own, another for a
// button that is not the one chosen; the other controls share one.
void ContextHelp(HWND dialog, HWND target) {
  static const DWORD kChosenId[] = {1420, 1420, 1421, 1420, 1422, 1420, 1423, 1420, 1424, 1420,
                                    1425, 1420, 1426, 1420, 1427, 1420, 0,    0};
  static const DWORD kOtherId[] = {1420, 1421, 1421, 1421, 1422, 1421, 1423, 1421, 1424, 1421,
                                   1425, 1421, 1426, 1421, 1427, 1421, 0,    0};
  static const DWORD kControls[] = {IDC_SCSI_ADAPTER, 1403, IDC_SCSI_BOARD, 1407,
                                    IDC_SCSI_RESCAN, 1402, IDOK, 1401, IDCANCEL, 1401, 0, 0};
  const int id = GetDlgCtrlID(target);
  const DWORD* table = kControls;
  if (id >= IDC_SCSI_RADIO_FIRST && id < IDC_SCSI_RADIO_FIRST + kScsiIdCount)
    table = id - IDC_SCSI_RADIO_FIRST == CheckedId(g_Scsi.Sel) ? kChosenId : kOtherId;
  char file[32], path[MAX_PATH];
  LoadText(IDS_CONTEXT_HELP_FILE, file);
  snprintf(path, sizeof path, "%s%s", g_Env.SourceDir, file);
  WinHelpA(target ? target : dialog, path, HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(table));
}

INT_PTR CALLBACK ScsiInfoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      ApplyFont(dialog);
      Fill(dialog);
      StartBusScan(dialog);
      return TRUE;
    case WM_TIMER:
      BusScanTimer(dialog, wParam);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      // The keyboard still reaches a disabled dialog.
      if (g_Scsi.Scanning) return TRUE;
      if (id >= IDC_SCSI_RADIO_FIRST && id < IDC_SCSI_RADIO_FIRST + kScsiIdCount) {
        if (HIWORD(wParam) == BN_CLICKED && ChooseId(&g_Scsi.Sel, id - IDC_SCSI_RADIO_FIRST))
          Fill(dialog);
        return TRUE;
      }
      switch (id) {
        case IDC_SCSI_BOARD:
          BoardMenu(dialog);
          return TRUE;
        case IDC_SCSI_RESCAN:
          StartBusScan(dialog);
          return TRUE;
        case IDOK:
          // Enter reaches here even while the button is disabled.
          if (!IsWindowEnabled(GetDlgItem(dialog, IDOK))) return TRUE;
          if (ConfirmScsiChoice(&g_Scsi.Sel) == kScsiOkClose) EndDialog(dialog, IDOK);
          else Fill(dialog);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      KillTimer(dialog, kTimerScan);
      KillTimer(dialog, kTimerBoxDone);
      if (g_Scsi.Box) DestroyWindow(g_Scsi.Box);
      g_Scsi.Box = nullptr;
      g_Scsi.Scanning = false;
      return FALSE;
    case WM_CONTEXTMENU:
      if (g_Scsi.Scanning) return TRUE;
      ContextHelp(dialog, reinterpret_cast<HWND>(wParam));
      return TRUE;
  }
  (void)lParam;
  return FALSE;
}

void SelectScannerAtOpen() { RunScsiInformation(nullptr, false); }

}  // namespace

bool RunScsiInformation(HWND owner, bool sourceOpen) {
  g_Scsi.Japanese = g_Env.JapaneseUI;
  g_Scsi.Scanning = false;
  g_Scsi.Box = nullptr;
  g_Scsi.Font = g_Scsi.Japanese ? MakeJapaneseFont() : nullptr;
  BeginScsiSelection(&g_Scsi.Sel, sourceOpen);
  DialogBoxParamW(g_Instance,
                  MAKEINTRESOURCEW(g_Scsi.Japanese ? IDD_SCSI_INFO_JA : IDD_SCSI_INFO), owner,
                  ScsiInfoProc, 0);
  if (g_Scsi.Font) DeleteObject(g_Scsi.Font);
  g_Scsi.Font = nullptr;
  return g_Scsi.Sel.Reacquire;
}

void ChooseScannerFromPreferences(HWND preferences) {
  // The dialog disables its owner only; the scanning window must not start
  // a scan under it either.
  HWND main = g_Windows.Main;
  const bool mainEnabled = main && IsWindow(main) && IsWindowEnabled(main);
  if (mainEnabled) EnableWindow(main, FALSE);
  const bool restart = RunScsiInformation(preferences, true);
  if (mainEnabled) EnableWindow(main, TRUE);
  if (restart) PostCloseRequest();
}

void InstallScsiInformation() { g_Host.SelectScanner = SelectScannerAtOpen; }

}  // namespace wq
