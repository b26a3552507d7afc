// The scanning window: a thin dialog procedure over the portable command
// logic (menus.h, commands.h, scan_command.h) and the preview scans.
#include <windows.h>
#include <windowsx.h>

#include <cstdio>
#include <cwchar>

#include "ds/core/report.h"
#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/base/text.h"
#include "ds/core/win/host_win.h"
#include "ds/pipeline/clrmatch.h"
#include "ds/preview/preview.h"
#include "ds/preview/preview_file.h"
#include "ds/preview/preview_render.h"
#include "ds/res/ui_ids.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/ui/commands.h"
#include "ds/ui/display_check.h"
#include "ds/ui/placement.h"
#include "ds/ui/scan_command.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/uishell.h"
#include "ds/ui/win/areadlg.h"
#include "ds/ui/win/uishell_win.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"
#include "ds/base/win/source_windows.h"
#include "ds/ui/zoom_calc.h"

namespace wq {
namespace {

constexpr int kPopupButtons[] = {IDC_SOURCE_BUTTON, IDC_MODE_BUTTON,   IDC_RES_BUTTON,
                                 IDC_AREA_BUTTON,   IDC_ADJUST_BUTTON, IDC_MORE_BUTTON};

int SubMenuOfButton(int id) {
  for (int i = 0; i < 6; ++i)
    if (kPopupButtons[i] == id) return i;
  return -1;
}

constexpr int kZoomRegionChanged = 16007;

void SetText(HWND dialog, int id, const std::wstring& text) {
  SetDlgItemTextW(dialog, id, text.c_str());
}

// The "Monitor" entry of the adjust menu: the colour-matching files, or a
// greyed sub-menu without them.
void FillColourMatchMenu() {
  HMENU adjust = GetSubMenu(g_UiWin.Menu, kMenuAdjust);
  HMENU monitor = adjust ? GetSubMenu(adjust, 1) : nullptr;
  if (!monitor) return;
  while (GetMenuItemCount(monitor) > 0) DeleteMenu(monitor, 0, MF_BYPOSITION);
  const ColourMatchList* list = g_ColourMatch.List;
  if (!list || list->Count == 0) {
    EnableMenuItem(adjust, 1, MF_BYPOSITION | MF_GRAYED);
    return;
  }
  EnableMenuItem(adjust, 1, MF_BYPOSITION | MF_ENABLED);
  // Titles come from the files: Shift-JIS for the Japanese ones.
  const UINT codePage = g_UiWin.Japanese ? 932 : 1252;
  for (int i = 0; i < list->Count && i < kClmMaxEntries; ++i) {
    char title[sizeof list->Entries[i].Title + 1] = {};
    memcpy(title, list->Entries[i].Title, sizeof list->Entries[i].Title);
    wchar_t wide[64];
    if (MultiByteToWideChar(codePage, 0, title, -1, wide, 64) == 0) wcscpy(wide, L"?");
    AppendMenuW(monitor, MF_STRING, CMD_COLOUR_MATCH_FIRST + i, wide);
  }
}

void LoadMenus() {
  if (g_UiWin.Menu) DestroyMenu(g_UiWin.Menu);
  const int id = MenuResourceId(g_ScanJob.Model, g_UiWin.Japanese);
  g_UiWin.Menu = id ? LoadMenuW(g_Instance, MAKEINTRESOURCEW(id)) : nullptr;
  FillColourMatchMenu();
}

// Check marks and greyed entries from the settings of now.
void UpdateMenuStates() {
  if (!g_UiWin.Menu || !g_Settings) return;
  const MenuContext context = CurrentMenuContext();
  const int* commands;
  const int count = MenuCommands(g_ScanJob.Model, &commands);
  auto apply = [&](int command) {
    const MenuItemState st = QueryMenuItem(command, *g_Settings, context);
    CheckMenuItem(g_UiWin.Menu, UINT(command), MF_BYCOMMAND | (st.Checked ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(g_UiWin.Menu, UINT(command), MF_BYCOMMAND | (st.Enabled ? MF_ENABLED : MF_GRAYED));
  };
  for (int i = 0; i < count; ++i) apply(commands[i]);
  for (int i = 0; i < context.ColourMatchCount; ++i) apply(CMD_COLOUR_MATCH_FIRST + i);
}

void TrackMenuUnder(HWND dialog, int buttonId) {
  const int sub = SubMenuOfButton(buttonId);
  HMENU menu = sub >= 0 && g_UiWin.Menu ? GetSubMenu(g_UiWin.Menu, sub) : nullptr;
  HWND button = GetDlgItem(dialog, buttonId);
  if (menu && button) {
    UpdateMenuStates();
    RECT r;
    GetWindowRect(button, &r);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, r.left, r.bottom, 0,
                   dialog, nullptr);
  }
  if (button) SendMessageW(button, BM_SETCHECK, 0, 0);
}

void UpdateTitle(HWND dialog, bool minimised) {
  if (minimised) {
    SetWindowTextW(dialog, UiText(IDS_MINIMISED_TITLE).c_str());
    return;
  }
  // The title text holds one "%s" for the model's name.
  wchar_t model[16];
  MultiByteToWideChar(CP_ACP, 0, ModelName(g_ScanJob.Model), -1, model, 16);
  std::wstring title = UiText(IDS_MAIN_TITLE);
  const size_t at = title.find(L"%s");
  if (at != std::wstring::npos) title.replace(at, 2, model);
  SetWindowTextW(dialog, title.c_str());
}

void DrawFrames(HWND dialog, HDC dc) {
  for (int id = IDC_FRAME_FIRST; id <= IDC_FRAME_LAST; ++id) {
    HWND frame = GetDlgItem(dialog, id);
    if (!frame) continue;
    RECT r;
    GetWindowRect(frame, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const bool raised = id == 135 || (id >= 138 && id <= 142);
    DrawEdge(dc, &r, raised ? EDGE_RAISED : EDGE_ETCHED, BF_RECT);
  }
}

void ExamineDisplay(HWND dialog) {
  HDC dc = GetDC(dialog);
  DisplayFacts facts{};
  facts.PaletteSize = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) ? GetDeviceCaps(dc, SIZEPALETTE) : 0;
  facts.ScreenWidth = GetDeviceCaps(dc, HORZRES);
  facts.ScreenHeight = GetDeviceCaps(dc, VERTRES);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  TEXTMETRICW tm;
  facts.FontHeight = GetTextMetricsW(dc, &tm) ? tm.tmHeight : 0;
  if (old) SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  g_MainWnd.PaletteDisplay = IsPaletteDisplay(facts.PaletteSize);
  CheckDisplay(facts, g_Main, *g_Settings);
}

void PlaceMainWindow(HWND dialog) {
  RECT r;
  GetWindowRect(dialog, &r);
  const RECT work = WorkArea();
  const ScreenRect screen{work.left, work.top, work.right, work.bottom};
  int left, top;
  DefaultMainOrigin(screen, &left, &top);
  const ScreenRect placed = PlaceWindow(g_Settings->MainRect, r.right - r.left, r.bottom - r.top,
                                        left, top, screen);
  SetWindowPos(dialog, nullptr, placed.Left, placed.Top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool InitDialog(HWND dialog) {
  g_Windows.Main = dialog;
  ShowWindow(dialog, SW_HIDE);
  UseJapaneseFont(dialog);
  if (!g_Settings) return false;
  ScanSettings& s = *g_Settings;
  s.ScanRunning = 0;
  s.ScanButtonDown = 0;
  // Without a scanner there is nothing to offer.
  if (!ScannerLibraryLoaded() || g_ScanJob.Model < 0) return false;
  ReadGammaFile(s, g_Env);
  SettleForWindow(s);
  ExamineDisplay(dialog);
  HICON icon = LoadIconW(g_Instance, MAKEINTRESOURCEW(IDI_SOURCE));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  // The movement button is the WQ490's.
  ShowWindow(GetDlgItem(dialog, IDC_MOVEMENT), g_ScanJob.Model == 3 ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(dialog, 141), g_ScanJob.Model == 3 ? SW_SHOW : SW_HIDE);
  PlaceMainWindow(dialog);
  LoadMenus();
  UpdateTitle(dialog, false);
  UpdateMainTexts();
  g_Windows.Preview = CreatePreviewWindow(dialog);
  LoadPreviewFile();
  return true;
}

void RunPreview(HWND dialog) {
  if (g_MainWnd.PreviewRunning || (g_Settings && g_Settings->ScanRunning)) return;
  // The preview goes into the preview window: the zoom window gives way.
  CloseZoomWindow(true);
  g_MainWnd.PreviewRunning = true;
  SendDlgItemMessageW(dialog, IDC_PREVIEW, BM_SETCHECK, 1, 0);
  TakePreview();
  SendDlgItemMessageW(dialog, IDC_PREVIEW, BM_SETCHECK, 0, 0);
  g_MainWnd.PreviewRunning = false;
  RedrawPreviewWindow();
  RefreshHistograms(nullptr);  // a new image: new counts
}

// The zoom preview of the crop frame, shown in its own window. A region
// other than the last zoom preview's loses that one, if the user agrees.
void RunZoomPreview(HWND dialog) {
  if (g_MainWnd.PreviewRunning || !g_Settings || g_Settings->ScanRunning) return;
  const SettingsRect& crop = g_Settings->PreCropRect;
  if (crop.Right <= crop.Left || crop.Bottom <= crop.Top) return;
  if (ZoomPreviewExists() && ZoomRegionChanged(*g_Settings) &&
      ShowMessageById(kZoomRegionChanged, kButtonsOkCancel) != kAnswerOk)
    return;
  g_MainWnd.PreviewRunning = true;
  SendDlgItemMessageW(dialog, IDC_ZOOM_PREVIEW, BM_SETCHECK, 1, 0);
  const bool taken = TakeZoomPreview();
  SendDlgItemMessageW(dialog, IDC_ZOOM_PREVIEW, BM_SETCHECK, 0, 0);
  g_MainWnd.PreviewRunning = false;
  if (taken) OpenZoomWindow();
  else if (ZoomWindowShown()) RefreshZoomWindow();
  if (taken) RefreshHistograms(nullptr);
  UpdateMainTexts();
}

// The switch: the zoom window and the preview window take turns.
void SwitchPreview() {
  if (ZoomWindowShown()) CloseZoomWindow(true);
  else if (ZoomPreviewExists()) OpenZoomWindow();
  UpdateMainTexts();
}

// The zoom preview needs a crop frame; the switch needs a zoom preview.
void UpdateZoomButtons(HWND dialog) {
  const SettingsRect& crop = g_Settings->PreCropRect;
  const bool framed = crop.Right > crop.Left && crop.Bottom > crop.Top;
  EnableWindow(GetDlgItem(dialog, IDC_ZOOM_PREVIEW), framed);
  EnableWindow(GetDlgItem(dialog, IDC_PREVIEW_SWITCH), ZoomPreviewExists());
  SendDlgItemMessageW(dialog, IDC_PREVIEW_SWITCH, BM_SETCHECK, ZoomWindowShown() ? 1 : 0, 0);
}

void Movement(HWND dialog) {
  if (g_ScanJob.Model == 3) {
    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    g_UiWin.MovementAlternate = !g_UiWin.MovementAlternate;
    if (!SetMovement(g_UiWin.MovementAlternate))
      CheckScannerStatus(LastScannerResult(), false, false);
    SetCursor(old);
  }
  SendDlgItemMessageW(dialog, IDC_MOVEMENT, BM_SETCHECK, 0, 0);
}

void OpenHelp(HWND dialog, int id, UINT command, ULONG_PTR data) {
  char name[32];
  LoadText(id, name);
  char path[MAX_PATH];
  snprintf(path, sizeof path, "%s%s", g_Env.SourceDir, name);
  WinHelpA(dialog, path, command, data);
}

void OnCommand(HWND dialog, int id) {
  if (SubMenuOfButton(id) >= 0) {
    TrackMenuUnder(dialog, id);
    return;
  }
  switch (id) {
    case IDC_PREF_BUTTON:
      OpenTool(kToolPreference);
      SendDlgItemMessageW(dialog, IDC_PREF_BUTTON, BM_SETCHECK, 0, 0);
      return;
    case IDC_PREVIEW: RunPreview(dialog); return;
    case IDC_ZOOM_PREVIEW: RunZoomPreview(dialog); return;
    case IDC_PREVIEW_SWITCH: SwitchPreview(); return;
    case IDC_MOVEMENT: Movement(dialog); return;
    case IDC_SCAN: RunScanCommand(); return;
    case IDC_HELP_BUTTON:
      OpenHelp(dialog, 55, HELP_CONTENTS, 0);
      SendDlgItemMessageW(dialog, IDC_HELP_BUTTON, BM_SETCHECK, 0, 0);
      return;
    case IDOK:
    case IDCANCEL:
      return;  // Enter and Esc do not close the source's window
  }
  if (id >= CMD_SOURCE_FLATBED) {
    const CommandOutcome out = RunMenuCommand(id);
    if (out.Effects & kEffectMenus) {
      LoadMenus();
      FitPreviewWindow();
    }
    ApplyEffects(out.Effects);
    // The area is typed into a modal dialog; the other tools are windows.
    if (out.OpenTool == kToolArea) RunAreaDialog(dialog);
    else if (out.OpenTool >= 0) OpenTool(out.OpenTool);
  }
}

// After the menu closed: the pop-up buttons not under the pointer come up.
void MenuClosed(HWND dialog) {
  POINT p;
  GetCursorPos(&p);
  for (int id : kPopupButtons) {
    HWND b = GetDlgItem(dialog, id);
    if (!b || SendMessageW(b, BM_GETCHECK, 0, 0) == 0) continue;
    RECT r;
    GetWindowRect(b, &r);
    if (!PtInRect(&r, p)) SendMessageW(b, BM_SETCHECK, 0, 0);
  }
  RedrawPreviewWindow();
}

void Destroyed() {
  StoreToolPlacements();
  if (g_Settings && g_Settings->KeepPrescan && PreviewExists()) SavePreviewFile();
  DestroyTools();
  ShowInfoWindow(false);
  CloseZoomWindow(false);
  if (g_Windows.Preview && IsWindow(g_Windows.Preview)) DestroyWindow(g_Windows.Preview);
  g_Windows.Preview = nullptr;
  if (g_UiWin.Menu) DestroyMenu(g_UiWin.Menu);
  g_UiWin.Menu = nullptr;
  DiscardPreviews();
  g_Windows.Main = nullptr;
}

}  // namespace

RECT WorkArea() {
  RECT r;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
    r = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return r;
}

void UpdateMainTexts() {
  HWND dialog = g_Windows.Main;
  if (!dialog || !g_Settings) return;
  const ScanSettings& s = *g_Settings;
  const int model = g_ScanJob.Model;
  SetText(dialog, IDC_SOURCE_TEXT, MenuText(SourceCommand(s, model)));
  SetText(dialog, IDC_MODE_TEXT, MenuText(ModeCommand(s.Mode)));
  char res[32];
  ResolutionText(TableResolution(model, s.Resolution, s.XResoCustom),
                 TableResolution(model, s.Resolution, s.YResoCustom), res, sizeof res);
  wchar_t wres[32];
  MultiByteToWideChar(CP_ACP, 0, res, -1, wres, 32);
  SetText(dialog, IDC_RES_TEXT, s.Resolution >= 1 ? std::wstring(wres) : std::wstring());
  SetText(dialog, IDC_AREA_TEXT, MenuText(AreaCommand(model, model == 3 ? s.Range1 : s.Range2)));
  std::wstring adjust = MenuText(AdjustCommand(s, CurrentMenuContext()));
  if (adjust.empty() && s.Gamma == 2 && g_UiWin.Menu) {
    // Colour matching chosen but no table loaded: the "Monitor" entry's name.
    wchar_t text[64];
    HMENU menu = GetSubMenu(g_UiWin.Menu, kMenuAdjust);
    if (menu && GetMenuStringW(menu, 1, text, 64, MF_BYPOSITION) > 0) adjust = text;
  }
  SetText(dialog, IDC_ADJUST_TEXT, adjust);
  UpdateZoomButtons(dialog);
  RefreshInfoWindow();
}

void ApplyEffects(uint32_t effects, HWND except) {
  if (effects & kEffectTexts) UpdateMainTexts();
  if (effects & kEffectTools) RefreshTools(except);
  if (effects & kEffectLayout) FitPreviewWindow();
  if (effects & (kEffectRender | kEffectPreviewLost)) {
    RenderPreview();
    RedrawPreviewWindow();
    RefreshHistograms(nullptr);
  }
  if (effects & (kEffectRender | kEffectPreviewLost | kEffectLayout)) {
    if (!ZoomPreviewExists()) CloseZoomWindow(IsWindowVisible(g_Windows.Main) != FALSE);
    else RefreshZoomWindow();
  }
}

INT_PTR CALLBACK UserIFProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      if (!InitDialog(dialog)) {
        MarkMainWindowFailed();
        DestroyWindow(dialog);
      }
      return FALSE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam));
      return TRUE;
    case WM_MENUSELECT:
      if (HIWORD(wParam) == 0xFFFF && lParam == 0) MenuClosed(dialog);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(dialog, &ps);
      DrawFrames(dialog, dc);
      EndPaint(dialog, &ps);
      return TRUE;
    }
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        UpdateTitle(dialog, true);
        ShowTools(false);
      } else if (wParam == SIZE_RESTORED) {
        UpdateTitle(dialog, false);
        if (IsWindowVisible(dialog)) ShowTools(true);
      }
      return TRUE;
    case WM_ACTIVATEAPP:
      if (!wParam) ShowInfoWindow(false);
      else if (g_Settings && g_Settings->ShowInfo && IsWindowVisible(dialog)) ShowInfoWindow(true);
      return FALSE;
    case WM_CONTEXTMENU: {
      // Topics by control; the preview area has its own.
      static const DWORD kTopics[] = {IDC_SOURCE_BUTTON, 104, IDC_MODE_BUTTON, 108,
                                      IDC_RES_BUTTON, 111, IDC_AREA_BUTTON, 114,
                                      IDC_ADJUST_BUTTON, 117, IDC_MORE_BUTTON, 120,
                                      IDC_PREF_BUTTON, 123, IDC_PREVIEW, 128, IDC_SCAN, 130, 0, 0};
      OpenHelp(reinterpret_cast<HWND>(wParam), IDS_CONTEXT_HELP_FILE, HELP_CONTEXTMENU,
               reinterpret_cast<ULONG_PTR>(kTopics));
      return TRUE;
    }
    case WM_CLOSE:
      PostCloseRequest();
      return TRUE;
    case WM_SYSCOLORCHANGE:
      InvalidateRect(dialog, nullptr, TRUE);
      return FALSE;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == dialog) {
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    case kMsgAreaChoice:
      ApplyEffects(StoreAreaChoice(int(wParam)).Effects);
      return TRUE;
    case kMsgStartPreview:
      RunPreview(dialog);
      return TRUE;
    case WM_MOUSEWHEEL: {
      // The wheel turns at the focus; over the preview it is the preview's.
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT r;
      if (g_Windows.Preview && IsWindowVisible(g_Windows.Preview) &&
          GetWindowRect(g_Windows.Preview, &r) && PtInRect(&r, p))
        SendMessageW(g_Windows.Preview, message, wParam, lParam);
      return TRUE;
    }
    case WM_DESTROY:
      Destroyed();
      return FALSE;
  }
  return FALSE;
}

}  // namespace wq
