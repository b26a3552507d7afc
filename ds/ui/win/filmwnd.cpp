// The "Negative Film Correction" window: the colour balance and the four
// adjustments of the film type in use, the type menu, and "Apply", which
// takes a new preview since the scanner applies the correction.
#include <windows.h>

#include <algorithm>

#include "ds/adjust/field.h"
#include "ds/adjust/film_values.h"
#include "ds/base/win/source_windows.h"
#include "ds/core/win/host_win.h"
#include "ds/res/ui_ids.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"
#include "ds/ui/win/tonetools.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"

namespace wq {
namespace {

constexpr int kBars[kFilmFields] = {IDC_FILM_BAR_R,         IDC_FILM_BAR_G,       IDC_FILM_BAR_B,
                                    IDC_FILM_BAR_TONE,      IDC_FILM_BAR_HIGHLIGHT,
                                    IDC_FILM_BAR_MIDTONE,   IDC_FILM_BAR_SHADOW};
constexpr int kEdits[kFilmFields] = {IDC_FILM_EDIT_R,       IDC_FILM_EDIT_G,        IDC_FILM_EDIT_B,
                                     IDC_FILM_EDIT_TONE,    IDC_FILM_EDIT_HIGHLIGHT,
                                     IDC_FILM_EDIT_MIDTONE, IDC_FILM_EDIT_SHADOW};
// The buttons beside the adjustment labels, one per adjustment field.
constexpr int kGlyphs[4] = {IDC_FILM_GLYPH_TONE, IDC_FILM_GLYPH_HIGHLIGHT, IDC_FILM_GLYPH_MIDTONE,
                            IDC_FILM_GLYPH_SHADOW};
// What grey modes disable beside the bars and edits.
constexpr int kColourOnly[] = {IDC_FILM_TYPE_MENU,  IDC_FILM_LABEL_R,    IDC_FILM_LABEL_G,
                               IDC_FILM_LABEL_B,    IDC_FILM_PERCENT_R,  IDC_FILM_PERCENT_G,
                               IDC_FILM_PERCENT_B,  IDC_FILM_COLOUR_MIN, IDC_FILM_COLOUR_MAX};

struct FilmWindowState {
  HMENU Menu;   // the film type menu
  bool Forced;  // closing without the checks
};
FilmWindowState g_FilmWnd;

int Type() { return FilmTypeForMode(g_Settings->Mode, g_Settings->FilmType); }

int FieldOfBar(HWND dialog, HWND bar) {
  for (int f = 0; f < kFilmFields; ++f)
    if (GetDlgItem(dialog, kBars[f]) == bar) return f;
  return -1;
}

template <size_t N>
int IndexOf(const int (&ids)[N], int id) {
  for (size_t i = 0; i < N; ++i)
    if (ids[i] == id) return int(i);
  return -1;
}

void SetBar(HWND dialog, int f) {
  const FilmRange r = FilmFieldRange(f);
  const int value = std::clamp(FilmValue(*g_Settings, Type(), f), r.Minimum, r.Maximum);
  SetScrollPos(GetDlgItem(dialog, kBars[f]), SB_CTL, value, TRUE);
}

void ShowField(HWND dialog, int f) {
  SetBar(dialog, f);
  WriteField(dialog, kEdits[f], FilmValue(*g_Settings, Type(), f));
}

// The type's name and its seven values.
void ShowType(HWND dialog) {
  const int type = Type();
  wchar_t name[64] = L"";
  if (type == 3) {
    lstrcpynW(name, UiText(IDS_FILM_MONOCHROME).c_str(), 64);
  } else {
    const int command = type == 2 ? CMD_FILM_SPECIAL : CMD_FILM_GENERAL;
    for (int c : {CMD_FILM_GENERAL, CMD_FILM_SPECIAL})
      CheckMenuItem(g_FilmWnd.Menu, UINT(c), MF_BYCOMMAND | (c == command ? MF_CHECKED : MF_UNCHECKED));
    GetMenuStringW(g_FilmWnd.Menu, UINT(command), name, 64, MF_BYCOMMAND);
  }
  SetDlgItemTextW(dialog, IDC_FILM_TYPE_NAME, name);
  for (int f = 0; f < kFilmFields; ++f) ShowField(dialog, f);
}

// Grey modes use the black-and-white film: no colour balance, no menu.
void EnableForMode(HWND dialog) {
  const bool colour = !FilmGrey(g_Settings->Mode);
  for (int f = kFilmRed; f <= kFilmBlue; ++f) {
    EnableWindow(GetDlgItem(dialog, kBars[f]), colour);
    EnableWindow(GetDlgItem(dialog, kEdits[f]), colour);
  }
  for (int id : kColourOnly) EnableWindow(GetDlgItem(dialog, id), colour);
}

void EnableApply(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDC_FILM_APPLY), g_Settings->Interactive == 1);
}

// The window shows what the settings hold for the mode of now.
void Settle(HWND dialog) {
  SettleFilmType(*g_Settings);
  ShowType(dialog);
  EnableForMode(dialog);
}

void Init(HWND dialog) {
  g_FilmWnd.Forced = false;
  g_FilmWnd.Menu = LoadMenuW(g_Instance, MAKEINTRESOURCEW(g_UiWin.Japanese ? IDM_FILM_TYPE_JA
                                                                            : IDM_FILM_TYPE));
  g_Settings->FilmOpen = 1;
  for (int f = 0; f < kFilmFields; ++f) {
    const FilmRange r = FilmFieldRange(f);
    SetScrollRange(GetDlgItem(dialog, kBars[f]), SB_CTL, r.Minimum, r.Maximum, FALSE);
    // Room for "-" and the largest value, so that a wrong sign shows.
    SendDlgItemMessageW(dialog, kEdits[f], EM_LIMITTEXT, FilmColourField(f) ? 4 : 3, 0);
  }
  Settle(dialog);
  EnableApply(dialog);
  // Reopened from an earlier session's settings for a positive or a mode
  // without film correction: the window goes again.
  if (!FilmWindowApplies(*g_Settings)) PostMessageW(dialog, kMsgRefresh, 0, 0);
}

void Scrolled(HWND dialog, int f, int code, int thumb) {
  const FilmRange r = FilmFieldRange(f);
  int value = GetScrollPos(GetDlgItem(dialog, kBars[f]), SB_CTL);
  switch (code) {
    case SB_LINELEFT: value -= 1; break;
    case SB_LINERIGHT: value += 1; break;
    case SB_PAGELEFT: value -= r.Page; break;
    case SB_PAGERIGHT: value += r.Page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: value = thumb; break;
    case SB_LEFT: value = r.Minimum; break;
    case SB_RIGHT: value = r.Maximum; break;
    default: return;
  }
  *FilmSetting(*g_Settings, Type(), f) = int16_t(std::clamp(value, r.Minimum, r.Maximum));
  ShowField(dialog, f);
}

void Edited(HWND dialog, int f) {
  const FieldNumber n = ReadField(dialog, kEdits[f]);
  if (!n.IsNumber) return;
  *FilmSetting(*g_Settings, Type(), f) = FilmFromField(n.Value);
  SetBar(dialog, f);
}

// The type's fields, each must hold a number in range (the colour balance
// only in colour modes).
bool Check(HWND dialog) {
  FieldNumber fields[kFilmFields];
  for (int f = 0; f < kFilmFields; ++f) fields[f] = ReadField(dialog, kEdits[f]);
  const int bad = FirstBadFilmField(*g_Settings, fields);
  if (bad == kFilmFields) return true;
  RejectField(dialog, kEdits[bad]);
  return false;
}

// The menu under its button. A type with a refused value is not left, so
// that no value out of range stays behind in the settings.
void TypeMenu(HWND dialog) {
  HWND button = GetDlgItem(dialog, IDC_FILM_TYPE_MENU);
  if (!FilmGrey(g_Settings->Mode) && Check(dialog)) {
    RECT r;
    GetWindowRect(button, &r);
    const int command = TrackPopupMenu(GetSubMenu(g_FilmWnd.Menu, 0),
                                       TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD |
                                           TPM_NONOTIFY,
                                       r.left, r.bottom, 0, dialog, nullptr);
    if (command == CMD_FILM_GENERAL || command == CMD_FILM_SPECIAL) {
      g_Settings->FilmType = int16_t(command == CMD_FILM_SPECIAL ? 2 : 1);
      ShowType(dialog);
    }
  }
  SendMessageW(button, BM_SETCHECK, 0, 0);
}

void Reset(HWND dialog, bool toDefault) {
  if (toDefault) DefaultFilm(*g_Settings);
  else CancelFilm(*g_Settings, g_ToneRestore);
  Settle(dialog);
}

// A glyph button puts its adjustment back to the default.
void Glyph(HWND dialog, int g) {
  const int f = kFilmTone + g;
  *FilmSetting(*g_Settings, Type(), f) = int16_t(FilmFieldRange(f).Default);
  ShowField(dialog, f);
}

// The glyphs: a small square of what the adjustment moves, the tone a ramp,
// highlight white, mid-tone grey, shadow black.
void DrawGlyph(const DRAWITEMSTRUCT& d, int g) {
  RECT r = d.rcItem;
  FillRect(d.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
  const bool pressed = (d.itemState & ODS_SELECTED) != 0;
  DrawEdge(d.hDC, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  InflateRect(&r, -1, -1);
  const bool enabled = (d.itemState & ODS_DISABLED) == 0;
  const int width = r.right - r.left;
  for (int x = r.left; x < r.right; ++x) {
    int level = 0;
    switch (g) {
      case 0: level = width > 1 ? 255 * (x - r.left) / (width - 1) : 128; break;
      case 1: level = 255; break;
      case 2: level = 128; break;
      default: level = 0; break;
    }
    if (!enabled) level = 128 + level / 4;
    RECT column{x, r.top, x + 1, r.bottom};
    HBRUSH brush = CreateSolidBrush(RGB(level, level, level));
    FillRect(d.hDC, &column, brush);
    DeleteObject(brush);
  }
  FrameRect(d.hDC, &r, GetSysColorBrush(COLOR_BTNSHADOW));
}

void Close(HWND dialog) {
  if (!g_FilmWnd.Forced && !Check(dialog)) return;
  if (g_Windows.Main && IsWindowVisible(g_Windows.Main)) SetActiveWindow(g_Windows.Main);
  CloseTool(kToolFilm);
}

void Refresh(HWND dialog) {
  if (!FilmWindowApplies(*g_Settings)) {
    g_FilmWnd.Forced = true;
    Close(dialog);
    return;
  }
  Settle(dialog);
}

}  // namespace

bool FilmEntriesValid(HWND dialog) { return !g_Settings || Check(dialog); }

INT_PTR CALLBACK FilmProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_Settings) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog);
      return TRUE;
    case WM_HSCROLL: {
      const int f = FieldOfBar(dialog, reinterpret_cast<HWND>(lParam));
      if (f >= 0) Scrolled(dialog, f, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (const int f = IndexOf(kEdits, id); f >= 0) {
        if (HIWORD(wParam) == EN_CHANGE && TypedChange(dialog, id)) Edited(dialog, f);
        return TRUE;
      }
      if (const int g = IndexOf(kGlyphs, id); g >= 0) {
        if (HIWORD(wParam) == BN_CLICKED) Glyph(dialog, g);
        return TRUE;
      }
      switch (id) {
        case IDC_FILM_TYPE_MENU: TypeMenu(dialog); return TRUE;
        case IDC_FILM_DEFAULT: Reset(dialog, true); return TRUE;
        case IDCANCEL: Reset(dialog, false); return TRUE;
        case IDC_FILM_APPLY: ApplyScannerSettings(); return TRUE;
      }
      return FALSE;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int g = IndexOf(kGlyphs, int(wParam));
      if (g < 0) return FALSE;
      DrawGlyph(*d, g);
      return TRUE;
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
      if (g_FilmWnd.Menu) DestroyMenu(g_FilmWnd.Menu);
      g_FilmWnd.Menu = nullptr;
      return FALSE;
  }
  return FALSE;
}

}  // namespace wq
