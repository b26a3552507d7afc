// The brightness-and-contrast page of the "Image Adjust" window: two scroll
// bars with their edits from -127 to 127, shown on the preview after the
// delayed refresh; refused entries beep and are selected.
#include <windows.h>

#include "ds/adjust/field.h"
#include "ds/adjust/tone_values.h"
#include "ds/res/ui_ids.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/win/adjustwnd.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"

namespace wq {
namespace {

constexpr int kPage = 25;
constexpr int kFieldLength = 4;

struct Channel {
  int Bar, Edit;
  int16_t ScanSettings::*Value;
};
constexpr Channel kChannels[2] = {
    {IDC_BRIGHT_BAR, IDC_BRIGHT_EDIT, &ScanSettings::Brightnes},
    {IDC_CONTRAST_BAR, IDC_CONTRAST_EDIT, &ScanSettings::Contrast},
};

int Clamp(int v) { return v < -kAdjustLimit ? -kAdjustLimit : v > kAdjustLimit ? kAdjustLimit : v; }

// Pixel places, so that the page matches the levels page beside it.
struct Place {
  int Id, X, Y, W, H;
};
constexpr Place kPlaces[] = {
    {IDC_BRIGHT_LABEL, 10, 14, 200, 16},   {IDC_BRIGHT_EDIT, 232, 10, 50, 22},
    {IDC_BRIGHT_BAR, 10, 38, 272, 17},     {IDC_BRIGHT_MIN, 10, 58, 90, 16},
    {IDC_BRIGHT_MAX, 192, 58, 90, 16},     {IDC_CONTRAST_LABEL, 10, 104, 200, 16},
    {IDC_CONTRAST_EDIT, 232, 100, 50, 22}, {IDC_CONTRAST_BAR, 10, 128, 272, 17},
    {IDC_CONTRAST_MIN, 10, 148, 90, 16},   {IDC_CONTRAST_MAX, 192, 148, 90, 16},
};
constexpr int kPageWidth = 292, kPageHeight = 252;

void Layout(HWND page) {
  for (const Place& p : kPlaces) MoveWindow(GetDlgItem(page, p.Id), p.X, p.Y, p.W, p.H, FALSE);
  SetWindowPos(page, nullptr, 0, 0, kPageWidth, kPageHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Fill(HWND page) {
  const ScanSettings& s = *g_Settings;
  for (const Channel& c : kChannels) {
    SetScrollPos(GetDlgItem(page, c.Bar), SB_CTL, Clamp(s.*c.Value), TRUE);
    WriteField(page, c.Edit, s.*c.Value);
  }
}

// A scroll bar moved: its value, both bars and edits, and the delayed refresh.
void Scrolled(HWND page, HWND bar, int code, int track) {
  const Channel* c = nullptr;
  for (const Channel& k : kChannels)
    if (GetDlgItem(page, k.Bar) == bar) c = &k;
  if (!c) return;
  ScanSettings& s = *g_Settings;
  int v = Clamp(s.*c->Value);
  switch (code) {
    case SB_LINELEFT: v -= 1; break;
    case SB_LINERIGHT: v += 1; break;
    case SB_PAGELEFT: v -= kPage; break;
    case SB_PAGERIGHT: v += kPage; break;
    case SB_LEFT: v = -kAdjustLimit; break;
    case SB_RIGHT: v = kAdjustLimit; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: v = track; break;
    default: return;
  }
  v = Clamp(v);
  const bool changed = s.*c->Value != v;
  s.*c->Value = int16_t(v);
  Fill(page);
  if (changed) RestartRefreshTimer(page);
}

void Typed(HWND page, const Channel& c) {
  ScanSettings& s = *g_Settings;
  const FieldNumber f = ReadField(page, c.Edit);
  if (!f.IsNumber) {
    s.*c.Value = -1;
    return;
  }
  const bool changed = s.*c.Value != f.Value;
  s.*c.Value = int16_t(f.Value);
  SetScrollPos(GetDlgItem(page, c.Bar), SB_CTL, Clamp(f.Value), TRUE);
  if (changed) RestartRefreshTimer(page);
}

void Reset(HWND page, bool cancel) {
  ScanSettings& s = *g_Settings;
  const int16_t b = s.Brightnes, c = s.Contrast;
  if (cancel) CancelBrightnessContrast(s, g_ToneRestore);
  else DefaultBrightnessContrast(s);
  Fill(page);
  if (s.Brightnes != b || s.Contrast != c) RestartRefreshTimer(page);
}

}  // namespace

bool BrightnessPageValid(HWND page) {
  if (!page) return true;
  for (const Channel& c : kChannels) {
    const FieldNumber f = ReadField(page, c.Edit);
    if (!f.IsNumber || f.Value < -kAdjustLimit || f.Value > kAdjustLimit) {
      RejectField(page, c.Edit);
      return false;
    }
  }
  return true;
}

INT_PTR CALLBACK BrightnessProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_Settings) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Layout(page);
      for (const Channel& c : kChannels) {
        HWND bar = GetDlgItem(page, c.Bar);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, -kAdjustLimit, kAdjustLimit, 0, 0, 0};
        SetScrollInfo(bar, SB_CTL, &si, FALSE);
        SendDlgItemMessageW(page, c.Edit, EM_LIMITTEXT, kFieldLength, 0);
      }
      Fill(page);
      return FALSE;
    case WM_HSCROLL:
      Scrolled(page, reinterpret_cast<HWND>(lParam), LOWORD(wParam), int(short(HIWORD(wParam))));
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (HIWORD(wParam) == EN_CHANGE) {
        for (const Channel& c : kChannels)
          if (c.Edit == id && TypedChange(page, id)) Typed(page, c);
        return TRUE;
      }
      if (id == IDC_ADJUST_DEFAULT || id == IDCANCEL) {
        Reset(page, id == IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
    case WM_TIMER:
      if (wParam != kRefreshTimer) return FALSE;
      KillTimer(page, kRefreshTimer);
      if (BrightnessPageValid(page)) RefreshPreview(false);
      return TRUE;
    case kMsgReloadPage:
      Fill(page);
      RestartRefreshTimer(page);
      return TRUE;
    case kMsgHistogram:
      UpdateAutoButton();
      return TRUE;
    case WM_DESTROY:
      KillTimer(page, kRefreshTimer);
      return FALSE;
  }
  return FALSE;
}

}  // namespace wq
