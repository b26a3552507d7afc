// The Area window's procedure: fills the four fields from the scan area,
// keeps their keys to a number's while it is open, and on OK reports the
// first wrong field or hands the new area to the scanning window.
#include "ds/ui/win/areadlg.h"

#include <string>

#include "ds/base/environment.h"
#include "ds/core/win/host_win.h"
#include "ds/res/ui_ids.h"
#include "ds/settings/settings.h"
#include "ds/ui/area_entry.h"
#include "ds/ui/commands.h"
#include "ds/ui/units.h"
#include "ds/ui/win/keyhook.h"
#include "ds/ui/win/uiwin.h"

namespace wq {
namespace {

// By AreaField.
constexpr int kFieldIds[kAreaFieldCount] = {IDC_AREA_ORIGIN_X, IDC_AREA_WIDTH, IDC_AREA_ORIGIN_Y,
                                            IDC_AREA_HEIGHT};
constexpr int kUnitIds[kAreaFieldCount] = {IDC_AREA_UNIT_OX, IDC_AREA_UNIT_W, IDC_AREA_UNIT_OY,
                                           IDC_AREA_UNIT_H};
// " inches", " cm", " pixels", and their Japanese twins.
constexpr int kUnitSuffix = 18000;
constexpr int kUnitSuffixJa = 18061;

struct AreaDialogState {
  KeyHookState HookBefore;  // the hook's mode before the dialog's own
  bool Hooked;
  bool Changed;
};
AreaDialogState g_AreaDlg;

std::wstring Wide(const char* text) {
  wchar_t w[kAreaTextSize];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, w, int(kAreaTextSize)) == 0) w[0] = 0;
  return w;
}

std::wstring UnitSuffix(int unit) {
  wchar_t text[64];
  const int id = (g_UiWin.Japanese ? kUnitSuffixJa : kUnitSuffix) + unit;
  const int n = LoadStringW(g_Instance, UINT(id), text, 64);
  return n > 0 ? std::wstring(text, size_t(n)) : std::wstring();
}

AreaEntryScale Scale() { return AreaEntryScaleOf(*g_Settings, g_Env.Decimal); }

// The fields from the scan area of now.
void Fill(HWND dialog) {
  AreaFieldTexts t;
  FormatAreaFields(CurrentAreaValues(*g_Settings), Scale(), &t);
  for (int i = 0; i < kAreaFieldCount; ++i)
    SetDlgItemTextW(dialog, kFieldIds[i], Wide(t.Text[i]).c_str());
}

void Init(HWND dialog) {
  UseJapaneseFont(dialog);
  const int unit = Scale().Unit;
  const std::wstring suffix = UnitSuffix(unit);
  for (int i = 0; i < kAreaFieldCount; ++i) {
    SendDlgItemMessageW(dialog, kFieldIds[i], EM_LIMITTEXT, kAreaFieldChars, 0);
    SetDlgItemTextW(dialog, kUnitIds[i], suffix.c_str());
  }
  Fill(dialog);
  const int mode = unit == kUnitPixels ? kKeyHookWhole : kKeyHookDecimals;
  g_AreaDlg.HookBefore = PushKeyHook(mode, dialog);
  g_AreaDlg.Hooked = true;
}

void Ok(HWND dialog) {
  char texts[kAreaFieldCount][kAreaTextSize];
  const char* fields[kAreaFieldCount];
  for (int i = 0; i < kAreaFieldCount; ++i) {
    wchar_t wide[kAreaTextSize];
    GetDlgItemTextW(dialog, kFieldIds[i], wide, int(kAreaTextSize));
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, texts[i], int(kAreaTextSize), nullptr,
                                      nullptr);
    if (n == 0) texts[i][0] = 0;
    fields[i] = texts[i];
  }
  // The boxes below have no owner: the dialog takes the focus back after them.
  HWND focused = GetFocus();
  if (!focused || !IsChild(dialog, focused)) focused = GetDlgItem(dialog, kFieldIds[0]);
  AreaEntryCheck check;
  switch (AcceptAreaFields(*g_Settings, g_Env.Decimal, fields, &check)) {
    case kAreaEntryInvalid: {
      ShowFormattedMessage(check.Message, Wide(check.Minimum).c_str(), Wide(check.Maximum).c_str());
      // The wrong field takes the focus with its text selected for typing over.
      HWND field = GetDlgItem(dialog, kFieldIds[check.Field]);
      SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
      SendMessageW(field, EM_SETSEL, 0, -1);
      return;
    }
    case kAreaEntryRefused:
      Fill(dialog);
      SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focused), TRUE);
      return;
    case kAreaEntryApplied:
      g_AreaDlg.Changed = true;
      // The area text, the information window, the tool windows and the
      // preview's outline follow the new area.
      ApplyEffects(kEffectTexts | kEffectTools | kEffectRender);
      EndDialog(dialog, IDOK);
      return;
    case kAreaEntryUnchanged:
      EndDialog(dialog, IDOK);
      return;
  }
}

}  // namespace

INT_PTR CALLBACK SetAreaProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      if (!g_Settings) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      Init(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          Ok(dialog);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      if (g_AreaDlg.Hooked) RestoreKeyHook(g_AreaDlg.HookBefore);
      g_AreaDlg.Hooked = false;
      return FALSE;
  }
  return FALSE;
}

bool RunAreaDialog(HWND owner) {
  if (!g_Settings) return false;
  g_AreaDlg = AreaDialogState{};
  DialogBoxParamW(g_Instance, MAKEINTRESOURCEW(g_UiWin.Japanese ? IDD_AREA_JA : IDD_AREA), owner,
                  SetAreaProc, 0);
  return g_AreaDlg.Changed;
}

}  // namespace wq
