// The "Color Adjust" window: the gamma curve of one channel on a 256 x 256
// grid, drawn through the points a click places or given by a gamma value,
// the channel and RGB lock, and the curves saved to and loaded from ".GMA"
// files. Every change reaches the preview through the tone tables.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "common/strutil.h"
#include "ds/adjust/tone_values.h"
#include "ds/base/environment.h"
#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/base/text.h"
#include "ds/base/win/source_windows.h"
#include "ds/core/win/host_win.h"
#include "ds/gamma/curve.h"
#include "ds/gamma/gamma_value.h"
#include "ds/gamma/gma_file.h"
#include "ds/pipeline/files.h"
#include "ds/res/ui_ids.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"
#include "ds/ui/win/gammafile_win.h"
#include "ds/ui/win/keyhook.h"
#include "ds/ui/win/tonetools.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"

namespace wq {
namespace {

constexpr int kGridSize = 256;
constexpr int kColumnGap = 14;       // between the grid and the controls
constexpr int kOutlineHalf = 4;      // the drag outline: a 9 x 9 cross
constexpr int kPointHalf = 2;        // a control point: a 5 x 5 square
constexpr int kGreyChannel = 5, kRgbChannel = 4;
// The levels page's colour commands are channels 1-5 in this order.
constexpr int kChannelCommandBase = CMD_LEVELS_RED - 1;
constexpr int kColumn[] = {IDC_GAMMA_CHANNEL_LABEL, IDC_GAMMA_CHANNEL_MENU, IDC_GAMMA_CHANNEL,
                           IDC_GAMMA_LOCK_LABEL,    IDC_GAMMA_LOCK,         IDC_GAMMA_CHECK,
                           IDC_GAMMA_EDIT,          IDC_GAMMA_RANGE};
constexpr int kButtons[] = {IDC_GAMMA_LOAD, IDC_GAMMA_SAVE, IDCANCEL};

struct GammaWindowState {
  HMENU Menu;         // the channel pop-up
  bool Dragging;      // the button went down in the grid and is held
  bool OutlineShown;
  POINT Outline;      // where the outline was drawn
};
GammaWindowState g_GammaWnd;

// The channel shown: grey in the grey and black-and-white modes, else the
// chosen colour channel (RGB when the choice was grey). While the lock ties
// red, green and blue to the RGB curve their own curves take no part, so
// RGB is the one to edit.
int ShownChannel() {
  if (ToneIsGrey(g_Settings->Mode)) return kGreyChannel;
  const int c = g_Settings->GammaColor;
  if (c < 1 || c >= kRgbChannel || g_Settings->GammaLock == 1) return kRgbChannel;
  return c;
}

CurveState& Curve(int channel) { return g_GammaEditor.Curves[channel - 1]; }

RECT ChildRect(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void MoveBy(HWND dialog, int id, int dx, int dy, RECT* extent) {
  RECT r = ChildRect(dialog, id);
  OffsetRect(&r, dx, dy);
  MoveWindow(GetDlgItem(dialog, id), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
  extent->right = std::max(extent->right, r.right);
  extent->bottom = std::max(extent->bottom, r.bottom);
}

// The grid 256 x 256 pixels where the template puts it, the controls in a
// column beside it with the buttons' last one level with its bottom; the
// window fits round them.
void Layout(HWND dialog) {
  const RECT place = ChildRect(dialog, IDC_GAMMA_GRID);
  MoveWindow(GetDlgItem(dialog, IDC_GAMMA_GRID), place.left, place.top, kGridSize, kGridSize, FALSE);
  const int gridRight = place.left + kGridSize, gridBottom = place.top + kGridSize;
  int columnLeft = INT32_MAX;
  for (int id : kColumn) columnLeft = std::min<int>(columnLeft, ChildRect(dialog, id).left);
  for (int id : kButtons) columnLeft = std::min<int>(columnLeft, ChildRect(dialog, id).left);
  const int dx = gridRight + kColumnGap - columnLeft;
  const int dy = gridBottom - ChildRect(dialog, kButtons[2]).bottom;
  RECT extent{0, 0, gridRight, gridBottom};
  for (int id : kColumn) MoveBy(dialog, id, dx, 0, &extent);
  for (int id : kButtons) MoveBy(dialog, id, dx, dy, &extent);
  RECT size{0, 0, extent.right + place.left, extent.bottom + place.top};
  AdjustWindowRectEx(&size, DWORD(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongW(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, size.right - size.left, size.bottom - size.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT GridRect(HWND dialog) { return ChildRect(dialog, IDC_GAMMA_GRID); }

CurveGrid GridOf(HWND dialog) {
  const RECT r = GridRect(dialog);
  return CurveGrid{r.left, r.top, r.right, r.bottom};
}

void RedrawGrid(HWND dialog) {
  RECT r = GridRect(dialog);
  InflateRect(&r, 1, 1);
  InvalidateRect(dialog, &r, FALSE);
}

// White, quarter lines, the curve in black and its points as small squares,
// drawn off the screen and copied in one piece.
void PaintGrid(HWND dialog, HDC dc) {
  const RECT grid = GridRect(dialog);
  RECT frame = grid;
  InflateRect(&frame, 1, 1);
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, kGridSize, kGridSize);
  if (!memory || !bitmap) {
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    return;
  }
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  RECT all{0, 0, kGridSize, kGridSize};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HPEN light = CreatePen(PS_SOLID, 1, RGB(208, 208, 208));
  HGDIOBJ oldPen = SelectObject(memory, light);
  for (int q = 64; q < kGridSize; q += 64) {
    MoveToEx(memory, q, 0, nullptr);
    LineTo(memory, q, kGridSize);
    MoveToEx(memory, 0, q, nullptr);
    LineTo(memory, kGridSize, q);
  }
  SelectObject(memory, GetStockObject(BLACK_PEN));
  const CurveState& c = Curve(ShownChannel());
  POINT line[kGridSize];
  for (int i = 0; i < kGridSize; ++i) line[i] = POINT{c.X[i] - grid.left, c.Y[i] - grid.top};
  Polyline(memory, line, kGridSize);
  // A point is marked only where the curve is drawn through it.
  if (g_Settings->GammaInput[ShownChannel() - 1] == 0) {
    SelectObject(memory, GetStockObject(NULL_BRUSH));
    for (int i = 0; i < kGridSize; ++i)
      if (c.Point[i])
        Rectangle(memory, line[i].x - kPointHalf, line[i].y - kPointHalf, line[i].x + kPointHalf + 1,
                  line[i].y + kPointHalf + 1);
  }
  BitBlt(dc, grid.left, grid.top, kGridSize, kGridSize, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldPen);
  SelectObject(memory, oldBitmap);
  DeleteObject(light);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

// The outline under the pointer while the button is held, drawn by
// inverting the screen: drawing it twice takes it away.
void InvertOutline(HWND dialog, POINT p) {
  const RECT grid = GridRect(dialog);
  HDC dc = GetDC(dialog);
  IntersectClipRect(dc, grid.left, grid.top, grid.right, grid.bottom);
  PatBlt(dc, p.x - kOutlineHalf, p.y, 2 * kOutlineHalf + 1, 1, DSTINVERT);
  PatBlt(dc, p.x, p.y - kOutlineHalf, 1, kOutlineHalf, DSTINVERT);
  PatBlt(dc, p.x, p.y + 1, 1, kOutlineHalf, DSTINVERT);
  ReleaseDC(dialog, dc);
}

void HideOutline(HWND dialog) {
  if (!g_GammaWnd.OutlineShown) return;
  InvertOutline(dialog, g_GammaWnd.Outline);
  g_GammaWnd.OutlineShown = false;
}

void ShowOutline(HWND dialog, POINT p) {
  HideOutline(dialog);
  InvertOutline(dialog, p);
  g_GammaWnd.Outline = p;
  g_GammaWnd.OutlineShown = true;
}

void WriteGammaField(HWND dialog, int value) {
  char text[16];
  FormatGammaValue(value, g_Env.Decimal, text, sizeof text);
  const bool before = g_UiWin.Filling;
  g_UiWin.Filling = true;
  SetDlgItemTextA(dialog, IDC_GAMMA_EDIT, text);
  g_UiWin.Filling = before;
}

// The controls from the settings: channel name, lock, "Gamma:" and its
// value; the grid drawn again.
void Show(HWND dialog) {
  ScanSettings& s = *g_Settings;
  const int channel = ShownChannel();
  // The settings and a saved file name the channel shown.
  s.GammaColor = int16_t(channel);
  const int command = kChannelCommandBase + channel;
  for (int c = CMD_LEVELS_RED; c <= CMD_LEVELS_GRAY; ++c)
    CheckMenuItem(g_GammaWnd.Menu, UINT(c), MF_BYCOMMAND | (c == command ? MF_CHECKED : MF_UNCHECKED));
  wchar_t name[64] = L"";
  GetMenuStringW(g_GammaWnd.Menu, UINT(command), name, 64, MF_BYCOMMAND);
  SetDlgItemTextW(dialog, IDC_GAMMA_CHANNEL, name);
  const bool grey = channel == kGreyChannel;
  EnableWindow(GetDlgItem(dialog, IDC_GAMMA_CHANNEL_MENU), !grey);
  EnableWindow(GetDlgItem(dialog, IDC_GAMMA_LOCK), !grey);
  EnableWindow(GetDlgItem(dialog, IDC_GAMMA_LOCK_LABEL), !grey);
  SendDlgItemMessageW(dialog, IDC_GAMMA_LOCK, BM_SETCHECK, s.GammaLock == 1 ? 1 : 0, 0);
  const bool byValue = s.GammaInput[channel - 1] == 1;
  CheckDlgButton(dialog, IDC_GAMMA_CHECK, byValue ? BST_CHECKED : BST_UNCHECKED);
  EnableWindow(GetDlgItem(dialog, IDC_GAMMA_EDIT), byValue);
  WriteGammaField(dialog, std::clamp<int>(s.GammaVal[channel - 1], kGammaValueMinimum,
                                          kGammaValueMaximum));
  RedrawGrid(dialog);
}

// The editor from the settings, as a change made elsewhere left them.
void Reload(HWND dialog) {
  LoadEditor(*g_Settings, GridOf(dialog), &g_GammaEditor);
  Show(dialog);
}

void Changed(HWND dialog, bool immediate) {
  RedrawGrid(dialog);
  if (immediate) {
    UpdateWindow(dialog);
    RefreshPreview(true);
  } else {
    RestartRefreshTimer(dialog);
  }
}

// The channel's curve of its gamma value; on RGB red, green and blue take
// the same value and curve, as they take its drawn curve.
void UseGammaValue(int channel, int value) {
  ScanSettings& s = *g_Settings;
  const int first = channel == kRgbChannel ? 1 : channel;
  for (int c = first; c <= channel; ++c) {
    s.GammaInput[c - 1] = 1;
    s.GammaVal[c - 1] = int16_t(value);
    MakeGammaCurve(g_GammaEditor.Grid, value, &Curve(c));
  }
  StoreEditor(g_GammaEditor, s);
}

void GammaChecked(HWND dialog) {
  ScanSettings& s = *g_Settings;
  const int channel = ShownChannel();
  if (IsDlgButtonChecked(dialog, IDC_GAMMA_CHECK) == BST_CHECKED) {
    char text[32] = "";
    GetDlgItemTextA(dialog, IDC_GAMMA_EDIT, text, int(sizeof text));
    int value = 0;
    if (!ParseGammaValue(text, g_Env.Decimal, &value))
      value = std::clamp<int>(s.GammaVal[channel - 1], kGammaValueMinimum, kGammaValueMaximum);
    UseGammaValue(channel, value);
  } else {
    ResetCurve(&g_GammaEditor, s, channel);
  }
  Show(dialog);
  Changed(dialog, true);
}

void GammaTyped(HWND dialog) {
  const int channel = ShownChannel();
  if (g_Settings->GammaInput[channel - 1] != 1) return;
  char text[32] = "";
  GetDlgItemTextA(dialog, IDC_GAMMA_EDIT, text, int(sizeof text));
  int value = 0;
  // Not yet a value in range: the check on closing or scanning refuses it.
  if (!ParseGammaValue(text, g_Env.Decimal, &value)) return;
  UseGammaValue(channel, value);
  Changed(dialog, false);
}

void ChannelMenu(HWND dialog) {
  HWND button = GetDlgItem(dialog, IDC_GAMMA_CHANNEL_MENU);
  if (ShownChannel() != kGreyChannel && GammaEntriesValid(dialog)) {
    const UINT single = g_Settings->GammaLock == 1 ? MF_GRAYED : MF_ENABLED;
    for (int c = CMD_LEVELS_RED; c <= CMD_LEVELS_BLUE; ++c)
      EnableMenuItem(g_GammaWnd.Menu, UINT(c), MF_BYCOMMAND | single);
    RECT r;
    GetWindowRect(button, &r);
    const int command = TrackPopupMenu(GetSubMenu(g_GammaWnd.Menu, 0),
                                       TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD |
                                           TPM_NONOTIFY,
                                       r.left, r.bottom, 0, dialog, nullptr);
    if (command >= CMD_LEVELS_RED && command <= CMD_LEVELS_RGB) {
      g_Settings->GammaColor = int16_t(command - kChannelCommandBase);
      Show(dialog);
    }
  }
  SendMessageW(button, BM_SETCHECK, 0, 0);
}

void Lock(HWND dialog) {
  ScanSettings& s = *g_Settings;
  s.GammaLock = s.GammaLock == 1 ? 0 : 1;
  Show(dialog);
  Changed(dialog, true);
}

bool InGrid(HWND dialog, POINT p) {
  const RECT grid = GridRect(dialog);
  return PtInRect(&grid, p) != FALSE;
}

void ButtonDown(HWND dialog, POINT p) {
  if (!InGrid(dialog, p)) return;
  g_GammaWnd.Dragging = true;
  SetCapture(dialog);
  ShowOutline(dialog, p);
}

void MouseMoved(HWND dialog, POINT p) {
  if (!g_GammaWnd.Dragging) return;
  if (InGrid(dialog, p)) ShowOutline(dialog, p);
  else HideOutline(dialog);
}

// Released inside the grid on a drawn curve: a point there.
void ButtonUp(HWND dialog, POINT p) {
  if (!g_GammaWnd.Dragging) return;
  g_GammaWnd.Dragging = false;
  HideOutline(dialog);
  ReleaseCapture();
  const int channel = ShownChannel();
  if (!InGrid(dialog, p) || g_Settings->GammaInput[channel - 1] != 0) return;
  AddPoint(&g_GammaEditor, *g_Settings, channel, p.x, p.y);
  Changed(dialog, true);
}

// The file used before, or none yet: the model's own gamma settings file
// is what the settings name until a ".GMA" has been used.
void LastFile(char* path, size_t size) {
  path[0] = 0;
  const char* f = g_Settings->GammaFile;
  const size_t n = strlen(f);
  if (n > 4 && _stricmp(f + n - 4, ".GMA") == 0) CopyString(path, size, f);
}

void Save(HWND dialog) {
  if (!GammaEntriesValid(dialog)) return;
  char path[MAX_PATH];
  LastFile(path, sizeof path);
  if (!AskGammaFile(dialog, true, path, sizeof path)) return;
  ScanSettings& s = *g_Settings;
  StoreEditor(g_GammaEditor, s);
  static GammaFileContent content;
  TakeGammaFileContent(s, &content);
  static uint8_t bytes[kGmaFileBytes];
  EncodeGammaFile(content, bytes);
  if (WriteGammaBytes(path, bytes, sizeof bytes) != GammaWrite::kWritten) {
    ShowMessageWithArg(msg::kGammaFileLocked, path, kButtonsOk);
    return;
  }
  CopyString(s.GammaFile, sizeof s.GammaFile, path);
}

void Load(HWND dialog) {
  char path[MAX_PATH];
  LastFile(path, sizeof path);
  if (!AskGammaFile(dialog, false, path, sizeof path)) return;
  // One byte more than a gamma file: a longer file shows as one.
  static uint8_t bytes[kGmaFileBytes + 1];
  const int64_t n = g_FileAccess.ReadFile(path, 0, bytes, sizeof bytes);
  static GammaFileContent content;
  if (n < 0 || DecodeGammaFile(bytes, size_t(n), &content) != GmaStatus::kOk) {
    ShowMessageWithArg(msg::kGammaFileRefused, path, kButtonsOk);
    return;
  }
  ScanSettings& s = *g_Settings;
  ApplyGammaFileContent(content, s);
  CopyString(s.GammaFile, sizeof s.GammaFile, path);
  Reload(dialog);
  Changed(dialog, true);
}

void Cancel(HWND dialog) {
  RestoreGamma(*g_Settings, g_GammaRestore);
  Reload(dialog);
  Changed(dialog, true);
}

void Init(HWND dialog) {
  g_GammaWnd = GammaWindowState{};
  Layout(dialog);
  g_GammaWnd.Menu = LoadMenuW(g_Instance, MAKEINTRESOURCEW(g_UiWin.Japanese ? IDM_LEVELS_COLOUR_JA
                                                                            : IDM_LEVELS_COLOUR));
  SendDlgItemMessageW(dialog, IDC_GAMMA_EDIT, EM_LIMITTEXT, 4 + strlen(g_Env.Decimal), 0);
  g_Settings->GammaOpen = 1;
  Reload(dialog);
}

void Close(HWND dialog) {
  KillTimer(dialog, kRefreshTimer);
  if (!GammaEntriesValid(dialog)) return;
  if (g_Windows.Main && IsWindowVisible(g_Windows.Main)) SetActiveWindow(g_Windows.Main);
  CloseTool(kToolGamma);
}

POINT PointOf(LPARAM lParam) {
  return POINT{short(LOWORD(lParam)), short(HIWORD(lParam))};
}

// While the window is active the keyboard gives its edit a number's keys,
// the decimal separator included.
void Activated(HWND dialog, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) {
    if (g_KeyHook.Mode != kKeyHookProgress) InstallKeyHook(kKeyHookDecimals, dialog);
  } else if (g_KeyHook.Target == dialog && g_KeyHook.Mode == kKeyHookDecimals) {
    RemoveKeyHook();
  }
}

}  // namespace

bool GammaEntriesValid(HWND dialog) {
  if (!g_Settings || !dialog || g_Settings->GammaInput[ShownChannel() - 1] != 1) return true;
  char text[32] = "";
  GetDlgItemTextA(dialog, IDC_GAMMA_EDIT, text, int(sizeof text));
  int value = 0;
  if (ParseGammaValue(text, g_Env.Decimal, &value)) return true;
  RejectField(dialog, IDC_GAMMA_EDIT);
  return false;
}

INT_PTR CALLBACK GammaProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_Settings) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog);
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(dialog, &ps);
      PaintGrid(dialog, dc);
      EndPaint(dialog, &ps);
      g_GammaWnd.OutlineShown = false;
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      ButtonDown(dialog, PointOf(lParam));
      return TRUE;
    case WM_MOUSEMOVE:
      MouseMoved(dialog, PointOf(lParam));
      return TRUE;
    case WM_LBUTTONUP:
      ButtonUp(dialog, PointOf(lParam));
      return TRUE;
    case WM_CAPTURECHANGED:
      if (g_GammaWnd.Dragging) {
        g_GammaWnd.Dragging = false;
        HideOutline(dialog);
      }
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_GAMMA_EDIT:
          if (HIWORD(wParam) == EN_CHANGE && TypedChange(dialog, IDC_GAMMA_EDIT)) GammaTyped(dialog);
          return TRUE;
        case IDC_GAMMA_CHECK:
          if (HIWORD(wParam) == BN_CLICKED) GammaChecked(dialog);
          return TRUE;
        case IDC_GAMMA_CHANNEL_MENU: ChannelMenu(dialog); return TRUE;
        case IDC_GAMMA_LOCK: Lock(dialog); return TRUE;
        case IDC_GAMMA_LOAD: Load(dialog); return TRUE;
        case IDC_GAMMA_SAVE: Save(dialog); return TRUE;
        case IDCANCEL: Cancel(dialog); return TRUE;
      }
      return FALSE;
    case WM_TIMER:
      if (wParam == kRefreshTimer) {
        KillTimer(dialog, kRefreshTimer);
        RefreshPreview(false);
      }
      return TRUE;
    case kMsgRefresh:
      Reload(dialog);
      return TRUE;
    case WM_ACTIVATE:
      Activated(dialog, wParam);
      return FALSE;
    case WM_CLOSE:
      Close(dialog);
      return TRUE;
    case WM_DESTROY:
      KillTimer(dialog, kRefreshTimer);
      if (g_GammaWnd.Menu) DestroyMenu(g_GammaWnd.Menu);
      g_GammaWnd.Menu = nullptr;
      if (g_KeyHook.Target == dialog) RemoveKeyHook();
      return FALSE;
  }
  return FALSE;
}

}  // namespace wq
