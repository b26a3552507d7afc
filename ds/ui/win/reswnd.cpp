// The custom Resolution window: the horizontal and vertical resolution with
// the lock that ties them, kept inside the scanner's range.
#include <windows.h>

#include <cwchar>

#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/res/ui_ids.h"
#include "ds/scan/scanjob.h"
#include "ds/ui/commands.h"
#include "ds/settings/settings.h"
#include "ds/ui/win/uiwin.h"
#include "ds/base/win/source_windows.h"
#include "ds/ui/zoom_calc.h"

namespace wq {
namespace {

constexpr int kInvalidEntryMessage = 16037;

bool Locked(HWND dialog) { return SendDlgItemMessageW(dialog, IDC_RESO_LOCK, BM_GETCHECK, 0, 0) != 0; }

void Fill(HWND dialog) {
  if (!g_Settings) return;
  const ScanSettings& s = *g_Settings;
  g_UiWin.Filling = true;
  SetDlgItemInt(dialog, IDC_RESO_X, UINT(s.XResoCustom), FALSE);
  SetDlgItemInt(dialog, IDC_RESO_Y, UINT(s.YResoCustom), FALSE);
  SendDlgItemMessageW(dialog, IDC_RESO_LOCK, BM_SETCHECK, s.ResoLock ? 1 : 0, 0);
  EnableWindow(GetDlgItem(dialog, IDC_RESO_Y), !s.ResoLock);
  int lo, hi;
  ResolutionLimits(g_ScanJob.Model, &lo, &hi);
  wchar_t range[64];
  swprintf(range, 64, UiText(IDS_RANGE_DPI).c_str(), lo, hi);
  SetDlgItemTextW(dialog, IDC_RESO_RANGE, range);
  g_UiWin.Filling = false;
}

bool ReadField(HWND dialog, int id, int* value) {
  BOOL ok = FALSE;
  const UINT v = GetDlgItemInt(dialog, id, &ok, FALSE);
  if (!ok || !CustomResolutionValid(g_ScanJob.Model, int64_t(v))) return false;
  *value = int(v);
  return true;
}

// A valid entry takes effect at once; an invalid one waits for the check.
void Edited(HWND dialog) {
  if (!g_Settings || g_UiWin.Filling) return;
  int x, y;
  if (!ReadField(dialog, IDC_RESO_X, &x)) return;
  if (Locked(dialog)) {
    y = x;
    g_UiWin.Filling = true;
    SetDlgItemInt(dialog, IDC_RESO_Y, UINT(y), FALSE);
    g_UiWin.Filling = false;
  } else if (!ReadField(dialog, IDC_RESO_Y, &y)) {
    return;
  }
  SetCustomResolution(*g_Settings, x, y);
  ApplyEffects(kEffectTexts | kEffectTools, dialog);
}

}  // namespace

bool ResolutionEntriesValid(HWND dialog) {
  int v;
  for (int id : {IDC_RESO_X, IDC_RESO_Y}) {
    if (id == IDC_RESO_Y && Locked(dialog)) continue;
    if (ReadField(dialog, id, &v)) continue;
    ShowMessageById(kInvalidEntryMessage, kButtonsOk);
    SetFocus(GetDlgItem(dialog, id));
    SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
    return false;
  }
  return true;
}

INT_PTR CALLBACK OptResolutionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Fill(dialog);
      return TRUE;
    case kMsgRefresh:
      Fill(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_RESO_X:
        case IDC_RESO_Y:
          if (HIWORD(wParam) == EN_CHANGE) Edited(dialog);
          return TRUE;
        case IDC_RESO_LOCK:
          if (g_Settings) {
            g_Settings->ResoLock = Locked(dialog) ? 0 : 1;
            SendDlgItemMessageW(dialog, IDC_RESO_LOCK, BM_SETCHECK, g_Settings->ResoLock, 0);
            EnableWindow(GetDlgItem(dialog, IDC_RESO_Y), !g_Settings->ResoLock);
            Edited(dialog);
          }
          return TRUE;
        case IDCANCEL:
          CloseTool(kToolResolution);
          return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      CloseTool(kToolResolution);
      return TRUE;
  }
  return FALSE;
}

}  // namespace wq
