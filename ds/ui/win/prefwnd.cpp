// The Preferences window: edge emphasis, drop-out colour, units and the
// switches of the preview and information windows, applied as changed.
#include <windows.h>

#include "ds/res/ui_ids.h"
#include "ds/ui/commands.h"
#include "ds/settings/settings.h"
#include "ds/ui/win/scsiwnd.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"
#include "ds/base/win/source_windows.h"

namespace wq {
namespace {

struct Combo {
  int id, firstText, count;
  int16_t ScanSettings::*field;
  int base;  // the settings value of the first entry
};
constexpr Combo kCombos[] = {
    {IDC_PREF_EDGES, IDS_EDGES_FIRST, 4, &ScanSettings::Edges, 1},
    {IDC_PREF_DROPOUT, IDS_DROPOUT_FIRST, 4, &ScanSettings::DropOut, 1},
    {IDC_PREF_UNITS, IDS_UNITS_FIRST, 3, &ScanSettings::Units, 0},
};

// A check box and the values it stands for: `Binary` is 1 for black on
// white and 2 reversed; the switches are 1 and 0.
struct Check {
  int id;
  int16_t ScanSettings::*field;
  int16_t on, off;
};
constexpr Check kChecks[] = {
    {IDC_PREF_REVERSE, &ScanSettings::Binary, 2, 1},
    {IDC_PREF_SHOWINFO, &ScanSettings::ShowInfo, 1, 0},
    {IDC_PREF_RULER, &ScanSettings::Ruler, 1, 0},
    {IDC_PREF_KEEP, &ScanSettings::KeepPrescan, 1, 0},
    {IDC_PREF_SELECT, &ScanSettings::PrescanSelect, 1, 0},
    {IDC_PREF_INTERACTIVE, &ScanSettings::Interactive, 1, 0},
};

void Fill(HWND dialog) {
  if (!g_Settings) return;
  const ScanSettings& s = *g_Settings;
  g_UiWin.Filling = true;
  for (const Combo& c : kCombos) {
    HWND box = GetDlgItem(dialog, c.id);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < c.count; ++i)
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UiText(c.firstText + i).c_str()));
    SendMessageW(box, CB_SETCURSEL, WPARAM(s.*c.field - c.base), 0);
  }
  for (const Check& c : kChecks)
    CheckDlgButton(dialog, c.id, s.*c.field == c.on ? BST_CHECKED : BST_UNCHECKED);
  g_UiWin.Filling = false;
}

void Changed(HWND dialog, int id) {
  if (!g_Settings || g_UiWin.Filling) return;
  ScanSettings& s = *g_Settings;
  for (const Combo& c : kCombos)
    if (c.id == id) {
      const LRESULT i = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
      if (i < 0 || i >= c.count) return;
      s.*c.field = int16_t(c.base + i);
    }
  for (const Check& c : kChecks)
    if (c.id == id) s.*c.field = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? c.on : c.off;
  if (id == IDC_PREF_SHOWINFO) ShowInfoWindow(s.ShowInfo == 1);
  // "Apply" of the Lightness and film windows is there for the interactive
  // preview only.
  if (id == IDC_PREF_INTERACTIVE)
    for (HWND w : {g_Windows.Lightness, g_Windows.Film})
      if (w && IsWindow(w)) SendMessageW(w, kMsgInteractive, 0, 0);
  ApplyEffects(PreferenceEffects(id), dialog);
}

}  // namespace

INT_PTR CALLBACK PreferenceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
    case kMsgRefresh:
      Fill(dialog);
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDCANCEL) {
        CloseTool(kToolPreference);
        return TRUE;
      }
      if (id == IDC_PREF_SCSI && code == BN_CLICKED) {
        ChooseScannerFromPreferences(dialog);
        return TRUE;
      }
      if ((code == CBN_SELCHANGE && id >= IDC_PREF_EDGES && id <= IDC_PREF_UNITS) ||
          (code == BN_CLICKED && id >= IDC_PREF_REVERSE && id <= IDC_PREF_INTERACTIVE))
        Changed(dialog, id);
      return TRUE;
    }
    case WM_CLOSE:
      CloseTool(kToolPreference);
      return TRUE;
  }
  return FALSE;
}

}  // namespace wq
