// The "Image Adjust" window: two tab buttons over the brightness-and-
// contrast page and the levels page (child dialogs, one shown at a time),
// "Auto", and "Default" and "Cancel" for the visible page; and the pickers
// as the preview windows use them.
#include "ds/ui/win/adjustwnd.h"

#include <windows.h>

#include "ds/adjust/auto_levels.h"
#include "ds/adjust/histogram.h"
#include "ds/adjust/tone_values.h"
#include "ds/base/win/source_windows.h"
#include "ds/core/win/host_win.h"
#include "ds/pipeline/effect.h"
#include "ds/pipeline/tone.h"
#include "ds/preview/preview.h"
#include "ds/res/ui_ids.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"

namespace wq {

ImageAdjustState g_ImageAdjust;

namespace {

constexpr int kMargin = 10;
constexpr int kButtonWidth = 80, kButtonHeight = 24, kAutoSize = 28;

HWND VisiblePage() {
  const int page = g_Settings && g_Settings->Select != 0 ? kPageLevels : kPageBrightness;
  return g_ImageAdjust.Pages[page];
}

void MarkTabs(HWND dialog, int select) {
  CheckDlgButton(dialog, IDC_ADJUST_TAB_BC, select == 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_ADJUST_TAB_LEVELS, select != 0 ? BST_CHECKED : BST_UNCHECKED);
}

// The page of Select shown, the other hidden; the keyboard hook follows.
void ShowPage(HWND dialog) {
  HWND shown = VisiblePage();
  for (HWND page : g_ImageAdjust.Pages)
    if (page && page != shown) ShowWindow(page, SW_HIDE);
  if (shown) ShowWindow(shown, SW_SHOWNA);
  g_Windows.ImageAdjustPage = shown;
  if (g_ImageAdjust.Hooked) g_KeyHook.Target = shown;
  MarkTabs(dialog, g_Settings ? g_Settings->Select : 0);
}

// Both pages at (10, twice the caption height), the buttons beside them,
// the window around them all.
void Layout(HWND dialog) {
  const int top = 2 * GetSystemMetrics(SM_CYCAPTION);
  int width = 0, height = 0;
  for (HWND page : g_ImageAdjust.Pages) {
    if (!page) continue;
    RECT r;
    GetWindowRect(page, &r);
    if (r.right - r.left > width) width = r.right - r.left;
    if (r.bottom - r.top > height) height = r.bottom - r.top;
    SetWindowPos(page, nullptr, kMargin, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const int tabWidth = width / 2, tabHeight = top - 12 > 20 ? top - 12 : 20;
  MoveWindow(GetDlgItem(dialog, IDC_ADJUST_TAB_BC), kMargin, 6, tabWidth, tabHeight, FALSE);
  MoveWindow(GetDlgItem(dialog, IDC_ADJUST_TAB_LEVELS), kMargin + tabWidth, 6, width - tabWidth,
             tabHeight, FALSE);
  const int x = kMargin + width + kMargin;
  MoveWindow(GetDlgItem(dialog, IDC_ADJUST_AUTO), x + (kButtonWidth - kAutoSize) / 2, top,
             kAutoSize, kAutoSize, FALSE);
  MoveWindow(GetDlgItem(dialog, IDC_ADJUST_DEFAULT), x, top + kAutoSize + 16, kButtonWidth,
             kButtonHeight, FALSE);
  MoveWindow(GetDlgItem(dialog, IDCANCEL), x, top + kAutoSize + 16 + kButtonHeight + 8,
             kButtonWidth, kButtonHeight, FALSE);
  RECT frame{0, 0, x + kButtonWidth + kMargin, top + height + kMargin};
  AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Init(HWND dialog) {
  if (!g_Settings) return false;
  g_ImageAdjust.Forced = false;
  g_ImageAdjust.BlackPick = g_ImageAdjust.WhitePick = false;
  g_ImageAdjust.Picked = kNothingPicked;
  const bool ja = g_UiWin.Japanese;
  g_ImageAdjust.Pages[kPageBrightness] = CreateDialogParamW(
      g_Instance, MAKEINTRESOURCEW(ja ? IDD_BRIGHTNESS_JA : IDD_BRIGHTNESS), dialog, BrightnessProc, 0);
  g_ImageAdjust.Pages[kPageLevels] = CreateDialogParamW(
      g_Instance, MAKEINTRESOURCEW(ja ? IDD_LEVELS_JA : IDD_LEVELS), dialog, InputOutputProc, 0);
  Layout(dialog);
  UpdateAutoButton();
  RefreshHistograms(nullptr);
  ShowPage(dialog);
  return true;
}

// A tab pressed: the visible page must hold valid entries before the other
// one shows.
void Tab(HWND dialog, int select) {
  ScanSettings& s = *g_Settings;
  if ((s.Select != 0) == (select != 0)) {
    MarkTabs(dialog, s.Select);
    return;
  }
  MarkTabs(dialog, select);
  const bool valid = s.Select != 0 ? LevelsPageValid(g_ImageAdjust.Pages[kPageLevels])
                                   : BrightnessPageValid(g_ImageAdjust.Pages[kPageBrightness]);
  if (!valid) {
    MarkTabs(dialog, s.Select);
    return;
  }
  SwitchPickersOff();
  s.Select = int16_t(select);
  if (select != 0) SendMessageW(g_ImageAdjust.Pages[kPageLevels], kMsgRefresh, 1, 0);
  ShowPage(dialog);
  RefreshPreview(false);
}

void Auto(HWND dialog) {
  HWND page = VisiblePage();
  const bool valid = g_Settings->Select != 0 ? LevelsPageValid(page) : BrightnessPageValid(page);
  if (valid) {
    SwitchPickersOff();
    AutoValues values;
    if (HRSRC found = FindResourceW(g_Instance, MAKEINTRESOURCEW(IDR_AUTO_VALUES),
                                   MAKEINTRESOURCEW(10)))
      if (HGLOBAL loaded = LoadResource(g_Instance, found))
        values = AutoValuesFrom(static_cast<const uint8_t*>(LockResource(loaded)),
                                SizeofResource(g_Instance, found));
    AutoAdjust(*g_Settings, g_Histogram, values);
  }
  SendDlgItemMessageW(dialog, IDC_ADJUST_AUTO, BM_SETCHECK, 0, 0);
  if (valid) PostMessageW(page, kMsgReloadPage, 0, 0);
}

void Close(HWND dialog) {
  if (!g_ImageAdjust.Forced && !ImageAdjustEntriesValid(dialog)) return;
  SwitchPickersOff();
  CloseTool(kToolImageAdjust);
  if (g_Windows.Main && IsWindow(g_Windows.Main)) SetActiveWindow(g_Windows.Main);
}

void Destroyed() {
  if (g_ImageAdjust.Hooked) RestoreKeyHook(g_ImageAdjust.HookBefore);
  g_ImageAdjust.Hooked = false;
  g_ImageAdjust.BlackPick = g_ImageAdjust.WhitePick = false;
  g_ImageAdjust.Pages[kPageBrightness] = g_ImageAdjust.Pages[kPageLevels] = nullptr;
  g_Windows.ImageAdjustPage = nullptr;
}

// Keys of whole numbers only while the window is active, for the page shown.
void Activated(bool active) {
  if (active && !g_ImageAdjust.Hooked) {
    g_ImageAdjust.HookBefore = PushKeyHook(kKeyHookWhole, VisiblePage());
    g_ImageAdjust.Hooked = true;
  } else if (!active && g_ImageAdjust.Hooked) {
    g_ImageAdjust.Hooked = false;
    RestoreKeyHook(g_ImageAdjust.HookBefore);
  }
}

}  // namespace

void UpdateAutoButton() {
  HWND w = g_Windows.ImageAdjust;
  if (w && IsWindow(w))
    EnableWindow(GetDlgItem(w, IDC_ADJUST_AUTO), PreviewExists() || ZoomWindowShown());
}

bool ImageAdjustEntriesValid(HWND) {
  if (!g_Settings) return true;
  return g_Settings->Select != 0 ? LevelsPageValid(g_ImageAdjust.Pages[kPageLevels])
                                 : BrightnessPageValid(g_ImageAdjust.Pages[kPageBrightness]);
}

INT_PTR CALLBACK ImageAdjustProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      g_Windows.ImageAdjust = dialog;
      if (!Init(dialog)) DestroyWindow(dialog);
      return FALSE;
    case WM_COMMAND:
      if (!g_Settings) return FALSE;
      switch (LOWORD(wParam)) {
        case IDC_ADJUST_DEFAULT:
        case IDCANCEL:
          if (HWND page = VisiblePage()) SendMessageW(page, WM_COMMAND, LOWORD(wParam), 0);
          return TRUE;
        case IDC_ADJUST_TAB_BC:
          if (HIWORD(wParam) == BN_CLICKED) Tab(dialog, 0);
          return TRUE;
        case IDC_ADJUST_TAB_LEVELS:
          if (HIWORD(wParam) == BN_CLICKED) Tab(dialog, 1);
          return TRUE;
        case IDC_ADJUST_AUTO:
          Auto(dialog);
          return TRUE;
      }
      return FALSE;
    case kMsgRefresh:
      if (!g_Settings) return TRUE;
      if (g_Settings->Mode == 0x101 || g_Settings->Mode == 0x102 || g_Settings->NegaPosi == 2) {
        g_ImageAdjust.Forced = true;
        Close(dialog);
      } else if (g_Settings->Select != 0) {
        PostMessageW(g_ImageAdjust.Pages[kPageLevels], kMsgRefresh, 0, 0);
      }
      return TRUE;
    case WM_ACTIVATE:
      Activated(LOWORD(wParam) != WA_INACTIVE);
      if (LOWORD(wParam) != WA_INACTIVE) UpdateAutoButton();
      return FALSE;
    case WM_CLOSE:
      Close(dialog);
      return TRUE;
    case WM_DESTROY:
      Destroyed();
      return FALSE;
  }
  return FALSE;
}

void SwitchPickersOff() {
  g_ImageAdjust.BlackPick = g_ImageAdjust.WhitePick = false;
  if (HWND page = g_ImageAdjust.Pages[kPageLevels]) {
    SendDlgItemMessageW(page, IDC_LEVELS_PICK_BLACK, BM_SETCHECK, 0, 0);
    SendDlgItemMessageW(page, IDC_LEVELS_PICK_WHITE, BM_SETCHECK, 0, 0);
  }
}

bool PickerOn() {
  return (g_ImageAdjust.BlackPick || g_ImageAdjust.WhitePick) && g_Windows.ImageAdjust &&
         IsWindow(g_Windows.ImageAdjust);
}

void PickAt(const PreviewImage& image, int32_t x, int32_t y) {
  g_ImageAdjust.Picked = kNothingPicked;
  if (!g_Settings || !image.Raw || x < 0 || y < 0 || x >= image.Width || y >= image.Height) return;
  // The tables of now: the pick reads the value that enters the adjustment.
  static SettingsInEffect effect;
  static ToneTables tables;
  TakeSettingsInEffect(*g_Settings, &effect);
  SnapshotTables(effect, &tables);
  g_ImageAdjust.Picked = PickColour(image.Raw, image.Width, image.Height, image.Stride, x, y,
                                    tables, ToneIsGrey(g_Settings->Mode));
}

void ApplyPickAt(const PreviewImage& image, int32_t x, int32_t y) {
  PickAt(image, x, y);
  if (!PickerOn() || g_ImageAdjust.Picked.R < 0) return;
  ApplyPickedPoint(*g_Settings, g_ImageAdjust.Picked, g_ImageAdjust.BlackPick);
  if (HWND page = g_ImageAdjust.Pages[kPageLevels]) SendMessageW(page, kMsgLevelsChanged, 0, 0);
  SetWindowPos(g_Windows.ImageAdjust, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HCURSOR PickerCursor() {
  const int id = g_ImageAdjust.BlackPick ? IDC_PICK_BLACK_CURSOR : IDC_PICK_WHITE_CURSOR;
  HCURSOR own = LoadCursorW(g_Instance, MAKEINTRESOURCEW(id));
  return own ? own : LoadCursorW(nullptr, MAKEINTRESOURCEW(32515));
}

}  // namespace wq
