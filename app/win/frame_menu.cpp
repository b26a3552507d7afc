// The main menu: which items are enabled and what the changing items say,
// and, in Japanese, items drawn by the program in a Japanese face (the
// system's menu font may have no Japanese).
#include <windows.h>

#include <vector>

#include "app/view_math.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"

namespace {

struct DrawnMenu {
  bool active = false;
  std::vector<std::wstring> texts;  // by item data
  std::vector<bool> onBar;
};
DrawnMenu g_drawn;

void OwnerDraw(HMENU menu, bool bar) {
  const int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    wchar_t text[256] = L"";
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
    mi.dwTypeData = text;
    mi.cch = 256;
    if (!GetMenuItemInfoW(menu, UINT(i), TRUE, &mi) || (mi.fType & MFT_SEPARATOR)) continue;
    MENUITEMINFOW set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE | MIIM_DATA;
    set.fType = MFT_OWNERDRAW;
    set.dwItemData = g_drawn.texts.size();
    g_drawn.texts.push_back(text);
    g_drawn.onBar.push_back(bar);
    SetMenuItemInfoW(menu, UINT(i), TRUE, &set);
    if (mi.hSubMenu) OwnerDraw(mi.hSubMenu, false);
  }
}

void SetItemText(HMENU menu, UINT id, const std::wstring& text) {
  MENUITEMINFOW mi{};
  mi.cbSize = sizeof mi;
  if (g_drawn.active) {
    mi.fMask = MIIM_DATA;
    if (GetMenuItemInfoW(menu, id, FALSE, &mi) && mi.dwItemData < g_drawn.texts.size())
      g_drawn.texts[mi.dwItemData] = text;
    return;
  }
  mi.fMask = MIIM_STRING;
  mi.dwTypeData = const_cast<wchar_t*>(text.c_str());
  SetMenuItemInfoW(menu, id, FALSE, &mi);
}

void Enable(HMENU menu, UINT id, bool on) {
  EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

// Position of a popup on the menu bar, not counting a maximised child's
// system menu; -1 for the submenus of a popup.
int BarIndex(HMENU menu) {
  HMENU bar = GetMenu(g_app.frame);
  BOOL maximised = FALSE;
  SendMessageW(g_app.client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
  const int n = GetMenuItemCount(bar);
  for (int i = 0; i < n; ++i)
    if (GetSubMenu(bar, i) == menu) return maximised ? i - 1 : i;
  return -1;
}

// Label and shortcut: separated by a tab, or in the English texts by the
// run of blanks before the shortcut.
void SplitText(const std::wstring& text, std::wstring* label, std::wstring* keys) {
  const size_t tab = text.find(L'\t');
  if (tab != std::wstring::npos) {
    *label = text.substr(0, tab);
    *keys = text.substr(tab + 1);
  } else {
    *label = text;
    keys->clear();
  }
}

int TextWidth(HDC dc, const std::wstring& text) {
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  return r.right - r.left;
}

}  // namespace

void PrepareMenuBar(HWND frame) {
  if (!IsJapanese()) return;
  g_drawn.active = true;
  OwnerDraw(GetMenu(frame), true);
  DrawMenuBar(frame);
}

bool MeasureMenuItem(MEASUREITEMSTRUCT* m) {
  if (m->CtlType != ODT_MENU || !g_drawn.active || m->itemData >= g_drawn.texts.size()) return false;
  std::wstring label, keys;
  SplitText(g_drawn.texts[m->itemData], &label, &keys);
  HDC dc = GetDC(g_app.frame);
  HGDIOBJ old = SelectObject(dc, g_app.japaneseFont);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  const int check = GetSystemMetrics(SM_CXMENUCHECK);
  if (g_drawn.onBar[m->itemData]) {
    m->itemWidth = UINT(TextWidth(dc, label) + 4);
    m->itemHeight = UINT(GetSystemMetrics(SM_CYMENU));
  } else {
    m->itemWidth = UINT(check + TextWidth(dc, label) + (keys.empty() ? 0 : 24 + TextWidth(dc, keys)) + 8);
    m->itemHeight = UINT(tm.tmHeight + 6);
  }
  SelectObject(dc, old);
  ReleaseDC(g_app.frame, dc);
  return true;
}

bool DrawMenuItem(const DRAWITEMSTRUCT* d) {
  if (d->CtlType != ODT_MENU || !g_drawn.active || d->itemData >= g_drawn.texts.size()) return false;
  std::wstring label, keys;
  SplitText(g_drawn.texts[d->itemData], &label, &keys);
  const bool bar = g_drawn.onBar[d->itemData];
  const bool selected = (d->itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  const bool grey = (d->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  HDC dc = d->hDC;
  RECT r = d->rcItem;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  HGDIOBJ old = SelectObject(dc, g_app.japaneseFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(grey ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  const UINT hide = (d->itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  if (bar) {
    DrawTextW(dc, label.c_str(), int(label.size()), &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | hide);
  } else {
    const int check = GetSystemMetrics(SM_CXMENUCHECK);
    if (d->itemState & ODS_CHECKED) {
      // A tick in the margin, in the text's colour.
      HPEN pen = CreatePen(PS_SOLID, 2, GetTextColor(dc));
      HGDIOBJ oldPen = SelectObject(dc, pen);
      const int cx = r.left + check / 2, cy = (r.top + r.bottom) / 2;
      MoveToEx(dc, cx - 4, cy, nullptr);
      LineTo(dc, cx - 1, cy + 3);
      LineTo(dc, cx + 4, cy - 3);
      SelectObject(dc, oldPen);
      DeleteObject(pen);
    }
    RECT text = r;
    text.left += check;
    text.right -= 8;
    DrawTextW(dc, label.c_str(), int(label.size()), &text, DT_SINGLELINE | DT_VCENTER | hide);
    if (!keys.empty())
      DrawTextW(dc, keys.c_str(), int(keys.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
  SelectObject(dc, old);
  return true;
}

void InitMenuPopup(HMENU menu) {
  HWND child = ActiveChild();
  const bool has = child != nullptr;
  const bool minimised = has && IsIconic(child);
  const bool maximised = has && IsZoomed(child);
  switch (BarIndex(menu)) {
    case 0:
      Enable(menu, IDM_CLOSE, has);
      Enable(menu, IDM_SAVEAS, has);
      Enable(menu, IDM_SAVE, has && wq::CanSave(g_app.modFlags));
      Enable(menu, IDM_ACQUIRE, !g_app.twain.sourceEnabled);
      break;
    case 1: {
      static const int kTexts[] = {TXT_CANTUNDO,   TXT_UNDOROTATE, TXT_UNDOFLIP, TXT_UNDOCROP,
                                   TXT_REDOROTATE, TXT_REDOFLIP,   TXT_REDOCROP};
      const wq::UndoText t = wq::UndoMenuText(g_app.undoCode, g_app.redo);
      SetItemText(menu, IDM_UNDO, AppText(kTexts[int(t)]));
      Enable(menu, IDM_UNDO, has && t != wq::UndoText::kCantUndo);
      break;
    }
    case 2: {
      const bool on = has && !minimised;
      for (int i = 0; i < 2; ++i)
        EnableMenuItem(menu, UINT(i), MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
      break;
    }
    case 3:
      Enable(menu, IDM_FIT, has && !maximised && !minimised);
      CheckMenuItem(menu, IDM_FIT, MF_BYCOMMAND | (has && g_app.fitFlag ? MF_CHECKED : MF_UNCHECKED));
      Enable(menu, IDM_ZOOMIN, has && wq::CanZoomIn(g_app.zoomStep));
      Enable(menu, IDM_ZOOMOUT, has && wq::CanZoomOut(g_app.zoomStep));
      SetItemText(menu, IDM_TOOLS, AppText(g_app.toolsVisible ? TXT_HIDETOOLS : TXT_SHOWTOOLS));
      Enable(menu, IDM_TOOLS, true);
      for (UINT id : {IDM_CASCADE, IDM_TILE, IDM_ARRANGE, IDM_CLOSEALL}) Enable(menu, id, has);
      break;
    case 4:  // Help
      break;
    default: {
      // The submenus of Image.
      const bool on = has && !minimised;
      for (UINT id : {IDM_ROTATERIGHT, IDM_ROTATELEFT, IDM_FLIPH, IDM_FLIPV}) Enable(menu, id, on);
    }
  }
}
