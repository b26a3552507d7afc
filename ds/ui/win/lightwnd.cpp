// The Lightness window: the scanner's exposure for red, green and blue (tied
// by the lock) or for grey, in per cent, and "Apply", which takes a new
// preview since the screen cannot show an exposure change.
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "ds/adjust/field.h"
#include "ds/adjust/tone_values.h"
#include "ds/base/win/source_windows.h"
#include "ds/preview/preview.h"
#include "ds/res/ui_ids.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"
#include "ds/ui/win/tonetools.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"

namespace wq {
namespace {

constexpr int kChannels = 4;  // R, G, B, W
constexpr int kW = 3;
constexpr int kBars[kChannels] = {IDC_LIGHT_BAR_R, IDC_LIGHT_BAR_G, IDC_LIGHT_BAR_B, IDC_LIGHT_BAR_W};
constexpr int kEdits[kChannels] = {IDC_LIGHT_EDIT_R, IDC_LIGHT_EDIT_G, IDC_LIGHT_EDIT_B,
                                   IDC_LIGHT_EDIT_W};
constexpr int kEditChars = 4;

struct LightnessWindowState {
  int Maximum;  // of every exposure; the minimum is 0
  int Page;     // the bars' page step
  bool Forced;  // closing without the checks
};
LightnessWindowState g_LightnessWnd;

bool Locked() { return g_Settings->ExposLock == 1; }

int ChannelOfBar(HWND dialog, HWND bar) {
  for (int c = 0; c < kChannels; ++c)
    if (GetDlgItem(dialog, kBars[c]) == bar) return c;
  return -1;
}

int ChannelOfEdit(int id) {
  for (int c = 0; c < kChannels; ++c)
    if (kEdits[c] == id) return c;
  return -1;
}

void SetBar(HWND dialog, int c) {
  const int value = std::clamp<int>(*Exposure(*g_Settings, c), 0, g_LightnessWnd.Maximum);
  SetScrollPos(GetDlgItem(dialog, kBars[c]), SB_CTL, value, TRUE);
}

// A channel's bar and its edit (value - 40 per cent).
void ShowChannel(HWND dialog, int c) {
  SetBar(dialog, c);
  WriteField(dialog, kEdits[c], *Exposure(*g_Settings, c) - kExposureShift);
}

void ShowAll(HWND dialog) {
  for (int c = 0; c < kChannels; ++c) ShowChannel(dialog, c);
  SendDlgItemMessageW(dialog, IDC_LIGHT_LOCK, BM_SETCHECK, Locked() ? 1 : 0, 0);
}

// The locked channels show the text typed into one of them.
void CopyText(HWND dialog, int from) {
  wchar_t text[32];
  GetDlgItemTextW(dialog, kEdits[from], text, 32);
  const bool before = g_UiWin.Filling;
  g_UiWin.Filling = true;
  for (int c = 0; c < kW; ++c)
    if (c != from) SetDlgItemTextW(dialog, kEdits[c], text);
  g_UiWin.Filling = before;
}

// Grey and black-and-white modes expose W only; the others R, G, B and
// their lock.
void EnableForMode(HWND dialog) {
  const bool grey = ToneIsGrey(g_Settings->Mode);
  for (int c = 0; c < kChannels; ++c) {
    const bool on = (c == kW) == grey;
    for (int id : {kBars[c], kEdits[c], IDC_LIGHT_LABEL_FIRST + c, IDC_LIGHT_PERCENT_FIRST + c})
      EnableWindow(GetDlgItem(dialog, id), on);
  }
  EnableWindow(GetDlgItem(dialog, IDC_LIGHT_LOCK), !grey);
}

void EnableApply(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDC_LIGHT_APPLY), g_Settings->Interactive == 1);
}

void SetRangeText(HWND dialog, int id, int textId, int value) {
  wchar_t text[64];
  swprintf(text, 64, UiText(textId).c_str(), value);
  SetDlgItemTextW(dialog, id, text);
}

void Init(HWND dialog) {
  ScanSettings& s = *g_Settings;
  LightnessWindowState& l = g_LightnessWnd;
  l.Maximum = ExposureMaximum(g_ScanJob.Model);
  l.Page = std::max(l.Maximum / 10, 1);
  l.Forced = false;
  s.LightnessOpen = 1;
  SetRangeText(dialog, IDC_LIGHT_MIN, IDS_LIGHT_MIN, kExposureMinimum - kExposureShift);
  SetRangeText(dialog, IDC_LIGHT_MAX, IDS_LIGHT_MAX, l.Maximum - kExposureShift);
  for (int c = 0; c < kChannels; ++c) {
    SetScrollRange(GetDlgItem(dialog, kBars[c]), SB_CTL, kExposureMinimum, l.Maximum, FALSE);
    SendDlgItemMessageW(dialog, kEdits[c], EM_LIMITTEXT, kEditChars, 0);
  }
  ShowAll(dialog);
  EnableForMode(dialog);
  EnableApply(dialog);
  // Reopened from an earlier session's settings on negative film, whose
  // exposures come from the film correction: the window goes again.
  if (s.NegaPosi == 2) PostMessageW(dialog, kMsgRefresh, 0, 0);
}

void Scrolled(HWND dialog, int c, int code, int thumb) {
  const LightnessWindowState& l = g_LightnessWnd;
  int value = GetScrollPos(GetDlgItem(dialog, kBars[c]), SB_CTL);
  switch (code) {
    case SB_LINELEFT: value -= 1; break;
    case SB_LINERIGHT: value += 1; break;
    case SB_PAGELEFT: value -= l.Page; break;
    case SB_PAGERIGHT: value += l.Page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: value = thumb; break;
    case SB_LEFT: value = kExposureMinimum; break;
    case SB_RIGHT: value = l.Maximum; break;
    default: return;
  }
  value = std::clamp(value, kExposureMinimum, l.Maximum);
  SetExposure(*g_Settings, c, int16_t(value));
  if (Locked() && c != kW)
    for (int k = 0; k < kW; ++k) ShowChannel(dialog, k);
  else
    ShowChannel(dialog, c);
}

void Edited(HWND dialog, int c) {
  const FieldNumber f = ReadField(dialog, kEdits[c]);
  if (!f.IsNumber) return;
  SetExposure(*g_Settings, c, ExposureFromField(f.Value, g_ScanJob.Model));
  if (Locked() && c != kW) {
    CopyText(dialog, c);
    for (int k = 0; k < kW; ++k) SetBar(dialog, k);
  } else {
    SetBar(dialog, c);
  }
}

void Lock(HWND dialog) {
  ScanSettings& s = *g_Settings;
  s.ExposLock = Locked() ? 0 : 1;
  SendDlgItemMessageW(dialog, IDC_LIGHT_LOCK, BM_SETCHECK, s.ExposLock, 0);
  if (!Locked()) return;
  const FieldNumber f = ReadField(dialog, kEdits[0]);
  if (!f.IsNumber) return;
  SetExposure(s, 0, ExposureFromField(f.Value, g_ScanJob.Model));
  CopyText(dialog, 0);
  for (int k = 0; k < kW; ++k) SetBar(dialog, k);
}

void Reset(HWND dialog, bool toDefault) {
  if (toDefault) DefaultExposure(*g_Settings);
  else CancelExposure(*g_Settings, g_ToneRestore);
  ShowAll(dialog);
}

// The enabled channels, R, G, B or W: each must hold a number in range.
bool Check(HWND dialog) {
  const bool grey = ToneIsGrey(g_Settings->Mode);
  for (int c = grey ? kW : 0; c < (grey ? kChannels : kW); ++c) {
    const int value = *Exposure(*g_Settings, c);
    if (!ReadField(dialog, kEdits[c]).IsNumber || value < kExposureMinimum ||
        value > g_LightnessWnd.Maximum) {
      RejectField(dialog, kEdits[c]);
      return false;
    }
  }
  return true;
}

void Close(HWND dialog) {
  if (!g_LightnessWnd.Forced && !Check(dialog)) return;
  if (g_Windows.Main && IsWindowVisible(g_Windows.Main)) SetActiveWindow(g_Windows.Main);
  CloseTool(kToolLightness);
}

void Refresh(HWND dialog) {
  if (g_Settings->NegaPosi == 2) {
    g_LightnessWnd.Forced = true;
    Close(dialog);
    return;
  }
  EnableForMode(dialog);
}

}  // namespace

bool LightnessEntriesValid(HWND dialog) { return !g_Settings || Check(dialog); }

INT_PTR CALLBACK LightnessProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_Settings) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog);
      return TRUE;
    case WM_HSCROLL: {
      const int c = ChannelOfBar(dialog, reinterpret_cast<HWND>(lParam));
      if (c >= 0) Scrolled(dialog, c, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int c = ChannelOfEdit(id);
      if (c >= 0) {
        if (HIWORD(wParam) == EN_CHANGE && TypedChange(dialog, id)) Edited(dialog, c);
        return TRUE;
      }
      switch (id) {
        case IDC_LIGHT_LOCK: Lock(dialog); return TRUE;
        case IDC_LIGHT_DEFAULT: Reset(dialog, true); return TRUE;
        case IDCANCEL: Reset(dialog, false); return TRUE;
        case IDC_LIGHT_APPLY: ApplyScannerSettings(); return TRUE;
      }
      return FALSE;
    }
    case kMsgRefresh:
      Refresh(dialog);
      return TRUE;
    case kMsgInteractive:
      EnableApply(dialog);
      return TRUE;
    case WM_ACTIVATE:
      FollowActivation(dialog, wParam);
      return FALSE;
    case WM_CLOSE:
      Close(dialog);
      return TRUE;
    case WM_DESTROY:
      ReleaseKeyHookOf(dialog);
      return FALSE;
  }
  return FALSE;
}

}  // namespace wq
