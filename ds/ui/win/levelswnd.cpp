// The levels page of the "Image Adjust" window: the channel's histogram
// with dashed markers at the input levels, the input and output sliders
// (two thumbs each) with their edits, the gradient bar, the colour menu and
// the black-point and white-point pickers; refused entries show 16037 with
// the allowed range.
#include <windows.h>

#include <string>

#include "ds/adjust/field.h"
#include "ds/adjust/tone_values.h"
#include "ds/base/win/source_windows.h"
#include "ds/core/win/host_win.h"
#include "ds/res/ui_ids.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/ui/toollib.h"
#include "ds/ui/win/adjustwnd.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"

namespace wq {
namespace {

constexpr int kInvalidEntryMessage = 16037;
constexpr int kFieldLength = 3;
constexpr int kSliderStyleOrdered = 1;

// The page's state beside the settings: its colour menu, where the two
// markers were last drawn (-1: not drawn) and the mode it last took its
// level set for.
struct LevelsPage {
  HMENU Menu;
  int Marks[2];
  int Mode;
};
LevelsPage g_Levels;

// The custom controls' slider functions, bound by name from WQTOOL32.DLL.
enum SliderProc { kSetRange = 0, kGetRange, kSetLeft, kGetLeft, kSetRight, kGetRight };
LONG Slider(HWND slider, int proc, int a = 0, int b = 0) {
  void* p = g_ToolLib.Procs[proc];
  if (!p || !slider) return 0;
  if (proc == kSetRange) return reinterpret_cast<LONG(WINAPI*)(HWND, int, int)>(p)(slider, a, b);
  if (proc == kSetLeft || proc == kSetRight)
    return reinterpret_cast<LONG(WINAPI*)(HWND, int)>(p)(slider, a);
  return reinterpret_cast<LONG(WINAPI*)(HWND)>(p)(slider);
}
void SetStyle(HWND slider, int style) {
  if (void* p = g_ToolLib.Procs[8]) reinterpret_cast<LONG(WINAPI*)(HWND, int)>(p)(slider, style);
}

// Both thumbs, in the order that keeps them inside each other's bounds.
void SetThumbs(HWND slider, int left, int right) {
  if (left >= Slider(slider, kGetRight)) {
    Slider(slider, kSetRight, right);
    Slider(slider, kSetLeft, left);
  } else {
    Slider(slider, kSetLeft, left);
    Slider(slider, kSetRight, right);
  }
}

// Pixel places: the histogram and the gradient start 8 pixels into the
// sliders, where their thumbs stand for level 0.
struct Place {
  int Id, X, Y, W, H;
};
constexpr Place kPlaces[] = {
    {IDC_LEVELS_FRAME, 10, 6, 272, 28},        {IDC_LEVELS_COLOR_LABEL, 18, 13, 70, 16},
    {IDC_LEVELS_CHANNEL, 90, 13, 130, 16},     {IDC_LEVELS_MENU, 256, 10, 20, 20},
    {IDC_LEVELS_HISTOGRAM, 18, 42, 256, 100},  {IDC_LEVELS_INPUT, 10, 146, 272, 13},
    {IDC_LEVELS_IN_BLACK, 10, 164, 38, 22},    {IDC_LEVELS_INPUT_LABEL, 54, 167, 120, 16},
    {IDC_LEVELS_PICK_BLACK, 188, 163, 24, 24}, {IDC_LEVELS_PICK_WHITE, 214, 163, 24, 24},
    {IDC_LEVELS_IN_WHITE, 244, 164, 38, 22},   {IDC_LEVELS_GRADIENT, 18, 196, 256, 12},
    {IDC_LEVELS_OUTPUT, 10, 208, 272, 13},     {IDC_LEVELS_OUT_BLACK, 10, 226, 38, 22},
    {IDC_LEVELS_OUTPUT_LABEL, 54, 229, 120, 16}, {IDC_LEVELS_OUT_WHITE, 244, 226, 38, 22},
};
constexpr int kPageWidth = 292, kPageHeight = 252;

// The four edits in the order they are checked, and the settings behind them.
constexpr int kEdits[4] = {IDC_LEVELS_IN_BLACK, IDC_LEVELS_IN_WHITE, IDC_LEVELS_OUT_BLACK,
                           IDC_LEVELS_OUT_WHITE};
int16_t* LevelOf(ScanSettings& s, int field) {
  const int set = LevelSet(s);
  switch (field) {
    case 0: return &s.InputBlack[set];
    case 1: return &s.InputWhite[set];
    case 2: return &s.OutputBlack[set];
    default: return &s.OutputWhite[set];
  }
}

int Clamp(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

int CommandOfColour(int inputColor) {
  switch (inputColor) {
    case 2: return CMD_LEVELS_RED;
    case 3: return CMD_LEVELS_GREEN;
    case 4: return CMD_LEVELS_BLUE;
    case 5: return CMD_LEVELS_GRAY;
    default: return CMD_LEVELS_RGB;
  }
}

void Layout(HWND page) {
  for (const Place& p : kPlaces) MoveWindow(GetDlgItem(page, p.Id), p.X, p.Y, p.W, p.H, FALSE);
  // The histogram's and the gradient's places only: the page paints there.
  ShowWindow(GetDlgItem(page, IDC_LEVELS_HISTOGRAM), SW_HIDE);
  ShowWindow(GetDlgItem(page, IDC_LEVELS_GRADIENT), SW_HIDE);
  SetWindowPos(page, nullptr, 0, 0, kPageWidth, kPageHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveMarkers(HWND page) {
  ScanSettings& s = *g_Settings;
  const int levels[2] = {Clamp(*LevelOf(s, 0)), Clamp(*LevelOf(s, 1))};
  if (levels[0] == g_Levels.Marks[0] && levels[1] == g_Levels.Marks[1]) return;
  const RECT area = HistogramArea(page, IDC_LEVELS_HISTOGRAM);
  HDC dc = GetDC(page);
  for (int i = 0; i < 2; ++i) {
    if (levels[i] == g_Levels.Marks[i]) continue;
    if (g_Levels.Marks[i] >= 0) InvertMarker(dc, area, g_Levels.Marks[i]);
    InvertMarker(dc, area, levels[i]);
    g_Levels.Marks[i] = levels[i];
  }
  ReleaseDC(page, dc);
}

// Every control from the chosen level set; the histogram, markers and the
// gradient are drawn again.
void Fill(HWND page) {
  ScanSettings& s = *g_Settings;
  const int command = CommandOfColour(s.InputColor);
  for (int c = CMD_LEVELS_RED; c <= CMD_LEVELS_GRAY; ++c)
    CheckMenuItem(g_Levels.Menu, UINT(c), MF_BYCOMMAND | (c == command ? MF_CHECKED : MF_UNCHECKED));
  wchar_t name[64] = L"";
  GetMenuStringW(g_Levels.Menu, UINT(command), name, 64, MF_BYCOMMAND);
  SetDlgItemTextW(page, IDC_LEVELS_CHANNEL, name);
  EnableWindow(GetDlgItem(page, IDC_LEVELS_MENU), !ToneIsGrey(s.Mode));
  SetThumbs(GetDlgItem(page, IDC_LEVELS_INPUT), Clamp(*LevelOf(s, 0)), Clamp(*LevelOf(s, 1)));
  SetThumbs(GetDlgItem(page, IDC_LEVELS_OUTPUT), Clamp(*LevelOf(s, 2)), Clamp(*LevelOf(s, 3)));
  for (int i = 0; i < 4; ++i) WriteField(page, kEdits[i], *LevelOf(s, i));
  RECT r = HistogramArea(page, IDC_LEVELS_HISTOGRAM);
  InvalidateRect(page, &r, FALSE);
  r = HistogramArea(page, IDC_LEVELS_GRADIENT);
  InvalidateRect(page, &r, FALSE);
}

// The mode's level set: grey for the grey modes (the menu disabled), the
// common colour set otherwise.
void SyncForMode(HWND page) {
  ScanSettings& s = *g_Settings;
  s.InputColor = ToneIsGrey(s.Mode) ? 5 : 1;
  g_Levels.Mode = s.Mode;
  Fill(page);
}

// From black to the channel's colour, one column a level.
void DrawGradient(HWND page, HDC dc) {
  const RECT r = HistogramArea(page, IDC_LEVELS_GRADIENT);
  const int set = LevelSet(*g_Settings);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = 256;
  bi.bmiHeader.biHeight = 1;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  uint8_t row[256 * 3];
  for (int i = 0; i < 256; ++i) {
    const uint8_t v = uint8_t(i);
    row[i * 3 + 0] = set == 0 || set == 3 || set == 4 ? v : 0;  // blue
    row[i * 3 + 1] = set == 0 || set == 2 || set == 4 ? v : 0;  // green
    row[i * 3 + 2] = set == 0 || set == 1 || set == 4 ? v : 0;  // red
  }
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, 256, 1, row, &bi,
                DIB_RGB_COLORS, SRCCOPY);
}

void Paint(HWND page) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(page, &ps);
  ScanSettings& s = *g_Settings;
  DrawHistogram(page, dc, IDC_LEVELS_HISTOGRAM, s.InputColor);
  const RECT area = HistogramArea(page, IDC_LEVELS_HISTOGRAM);
  for (int i = 0; i < 2; ++i) {
    g_Levels.Marks[i] = Clamp(*LevelOf(s, i));
    InvertMarker(dc, area, g_Levels.Marks[i]);
  }
  DrawGradient(page, dc);
  EndPaint(page, &ps);
}

// A thumb moved: both thumbs' values into the chosen set.
void Slid(HWND page, HWND slider) {
  SwitchPickersOff();
  ScanSettings& s = *g_Settings;
  const bool input = slider == GetDlgItem(page, IDC_LEVELS_INPUT);
  const int first = input ? 0 : 2;
  const int values[2] = {int(Slider(slider, kGetLeft)) & 0xFFFF, int(Slider(slider, kGetRight)) & 0xFFFF};
  for (int i = 0; i < 2; ++i) {
    int16_t* level = LevelOf(s, first + i);
    if (*level == values[i]) continue;
    *level = int16_t(values[i]);
    WriteField(page, kEdits[first + i], values[i]);
  }
  if (input) MoveMarkers(page);
  RestartRefreshTimer(page);
}

void Typed(HWND page, int field) {
  SwitchPickersOff();
  ScanSettings& s = *g_Settings;
  const FieldNumber f = ReadField(page, kEdits[field]);
  if (f.IsNumber) {
    *LevelOf(s, field) = int16_t(f.Value);
    const int first = field < 2 ? 0 : 2;
    SetThumbs(GetDlgItem(page, field < 2 ? IDC_LEVELS_INPUT : IDC_LEVELS_OUTPUT),
              Clamp(*LevelOf(s, first)), Clamp(*LevelOf(s, first + 1)));
    if (field < 2) MoveMarkers(page);
  }
  RestartRefreshTimer(page);
}

void ColourMenu(HWND page) {
  HWND button = GetDlgItem(page, IDC_LEVELS_MENU);
  ScanSettings& s = *g_Settings;
  if (!ToneIsGrey(s.Mode) && LevelsPageValid(page)) {
    RECT r;
    GetWindowRect(button, &r);
    const int command = TrackPopupMenu(GetSubMenu(g_Levels.Menu, 0),
                                       TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD |
                                           TPM_NONOTIFY,
                                       r.left, r.bottom, 0, page, nullptr);
    if (command >= CMD_LEVELS_RED && command <= CMD_LEVELS_RGB) {
      SwitchPickersOff();
      s.InputColor = int16_t(command == CMD_LEVELS_RGB ? 1 : command - 10259);
      Fill(page);
    }
  }
  SendMessageW(button, BM_SETCHECK, 0, 0);
}

// A picker button: on turns the other off; a second press turns it off.
void Picker(HWND page, bool black) {
  bool& mine = black ? g_ImageAdjust.BlackPick : g_ImageAdjust.WhitePick;
  bool& other = black ? g_ImageAdjust.WhitePick : g_ImageAdjust.BlackPick;
  mine = !mine;
  if (mine) other = false;
  SendDlgItemMessageW(page, IDC_LEVELS_PICK_BLACK, BM_SETCHECK, g_ImageAdjust.BlackPick ? 1 : 0, 0);
  SendDlgItemMessageW(page, IDC_LEVELS_PICK_WHITE, BM_SETCHECK, g_ImageAdjust.WhitePick ? 1 : 0, 0);
}

void Reset(HWND page, bool cancel) {
  SwitchPickersOff();
  ScanSettings& s = *g_Settings;
  if (cancel) CancelLevels(s, g_ToneRestore);
  else DefaultLevels(s);
  Fill(page);
  RestartRefreshTimer(page);
}

bool Init(HWND page) {
  Layout(page);
  g_Levels.Marks[0] = g_Levels.Marks[1] = -1;
  g_Levels.Menu = LoadMenuW(g_Instance, MAKEINTRESOURCEW(g_UiWin.Japanese ? IDM_LEVELS_COLOUR_JA
                                                                          : IDM_LEVELS_COLOUR));
  for (int id : {IDC_LEVELS_INPUT, IDC_LEVELS_OUTPUT}) {
    HWND slider = GetDlgItem(page, id);
    SetStyle(slider, kSliderStyleOrdered);
    Slider(slider, kSetRange, 0, 255);
  }
  for (int id : kEdits) SendDlgItemMessageW(page, id, EM_LIMITTEXT, kFieldLength, 0);
  // A set saved for another kind of mode gives way to the mode's own.
  ScanSettings& s = *g_Settings;
  g_Levels.Mode = s.Mode;
  if (ToneIsGrey(s.Mode) != (s.InputColor == 5) || s.InputColor < 1 || s.InputColor > 5)
    SyncForMode(page);
  else
    Fill(page);
  return true;
}

}  // namespace

bool LevelsPageValid(HWND page) {
  if (!page) return true;
  FieldNumber fields[4];
  for (int i = 0; i < 4; ++i) fields[i] = ReadField(page, kEdits[i]);
  const LevelsCheck c = CheckLevels(fields);
  if (c.Field == kLevelsValid) return true;
  const std::wstring low = std::to_wstring(c.Minimum), high = std::to_wstring(c.Maximum);
  ShowFormattedMessage(kInvalidEntryMessage, low.c_str(), high.c_str());
  HWND window = GetParent(page);
  if (window) SetForegroundWindow(window);
  HWND edit = GetDlgItem(page, kEdits[c.Field]);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  return false;
}

INT_PTR CALLBACK InputOutputProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_Settings) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Init(page);
      return FALSE;
    case WM_PAINT:
      Paint(page);
      return TRUE;
    case WM_HSCROLL:
      // Code 5 is the slider's answer to a position set here.
      if (LOWORD(wParam) == 0 || LOWORD(wParam) == 1) Slid(page, reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (HIWORD(wParam) == EN_CHANGE) {
        for (int i = 0; i < 4; ++i)
          if (kEdits[i] == id && TypedChange(page, id)) Typed(page, i);
        return TRUE;
      }
      switch (id) {
        case IDC_LEVELS_MENU: ColourMenu(page); return TRUE;
        case IDC_LEVELS_PICK_BLACK: Picker(page, true); return TRUE;
        case IDC_LEVELS_PICK_WHITE: Picker(page, false); return TRUE;
        case IDC_ADJUST_DEFAULT: Reset(page, false); return TRUE;
        case IDCANCEL: Reset(page, true); return TRUE;
      }
      return FALSE;
    }
    case WM_TIMER:
      if (wParam != kRefreshTimer) return FALSE;
      KillTimer(page, kRefreshTimer);
      if (LevelsPageValid(page)) RefreshPreview(false);
      return TRUE;
    case kMsgRefresh:
      // The tab to this page resynchronises always (wParam 1); the scanning
      // window's refresh, which other settings send too, when the mode changed.
      if (wParam == 1 || g_Settings->Mode != g_Levels.Mode) {
        SwitchPickersOff();
        SyncForMode(page);
      }
      return TRUE;
    case kMsgLevelsChanged:
    case kMsgReloadPage:
      Fill(page);
      RestartRefreshTimer(page);
      return TRUE;
    case kMsgHistogram: {
      const RECT r = HistogramArea(page, IDC_LEVELS_HISTOGRAM);
      InvalidateRect(page, &r, FALSE);
      UpdateAutoButton();
      return TRUE;
    }
    case WM_DESTROY:
      KillTimer(page, kRefreshTimer);
      SwitchPickersOff();
      if (g_Levels.Menu) DestroyMenu(g_Levels.Menu);
      g_Levels.Menu = nullptr;
      return FALSE;
  }
  return FALSE;
}

}  // namespace wq
