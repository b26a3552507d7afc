// The MDI frame: its creation, layout, commands and shutdown.
#include <windows.h>

#include "app/view_math.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"

namespace {

std::string HelpPath() { return std::string(g_app.programDir) + "\\scanwq32.hlp"; }

void OnCreate(HWND frame) {
  g_app.frame = frame;
  CLIENTCREATESTRUCT ccs{};
  ccs.hWindowMenu = GetSubMenu(GetMenu(frame), 3);
  ccs.idFirstChild = IDM_FIRSTCHILD;
  g_app.client = CreateWindowW(L"MDICLIENT", nullptr,
                               WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0,
                               frame, reinterpret_cast<HMENU>(IDC_MDICLIENT), g_app.instance, &ccs);
  ShowWindow(g_app.client, SW_SHOW);
  ResetFrameState();
  g_app.toolsVisible = false;
  g_app.statusBar = CreateStatusBar(frame);
  PrepareMenuBar(frame);
}

void OnSize(int cx, int cy) {
  const int bar = g_app.statusBar ? StatusBarHeight(g_app.statusBar) : 0;
  if (g_app.statusBar) MoveWindow(g_app.statusBar, 0, cy - bar, cx, bar, TRUE);
  if (g_app.client) MoveWindow(g_app.client, 0, 0, cx, cy > bar ? cy - bar : 0, TRUE);
}

void Zoom(int delta) {
  HWND child = ActiveChild();
  if (!child) return;
  const int step = g_app.zoomStep + delta;
  if (step > wq::kZoomMax || step < wq::kZoomMin) return;
  ZoomCommand(child, step);
}

// Commands of the menu; false for those the frame passes on.
bool OnCommand(HWND frame, int id) {
  HWND child = ActiveChild();
  switch (id) {
    case IDM_OPEN: OpenCommand(); return true;
    case IDM_CLOSE: CloseActiveChild(); return true;
    case IDM_SAVE:
      if (child && wq::CanSave(g_app.modFlags)) SaveCommand(child, false);
      return true;
    case IDM_SAVEAS:
      if (child) SaveCommand(child, true);
      return true;
    case IDM_NOP1:
    case IDM_NOP2: return true;
    case IDM_EXIT:
      if (CloseAllChildren()) SendMessageW(frame, WM_CLOSE, 0, 0);
      return true;
    case IDM_ACQUIRE:
      if (!g_app.twain.sourceEnabled) {
        // Single pages; the feeder question may change this.
        g_app.twain.adfChoice = wq::kAdfNone;
        AppStartAcquire(true);
      }
      return true;
    case IDM_FIT:
      if (child) FitCommand(child);
      return true;
    case IDM_ZOOMIN: Zoom(+1); return true;
    case IDM_ZOOMOUT: Zoom(-1); return true;
    case IDM_CASCADE: SendMessageW(g_app.client, WM_MDICASCADE, 0, 0); return true;
    case IDM_TILE: SendMessageW(g_app.client, WM_MDITILE, 0, 0); return true;
    case IDM_ARRANGE: SendMessageW(g_app.client, WM_MDIICONARRANGE, 0, 0); return true;
    case IDM_CLOSEALL: CloseAllChildren(); return true;
    case IDM_HELPINDEX: WinHelpA(frame, HelpPath().c_str(), HELP_INDEX, 0); return true;
    case IDM_HELPKEYS: WinHelpA(frame, HelpPath().c_str(), HELP_CONTEXT, 8); return true;
    case IDM_HELPHELP: WinHelpA(frame, nullptr, HELP_HELPONHELP, 0); return true;
    case IDM_ABOUT: ShowAbout(frame); return true;
    case IDM_UNDO:
      if (child) UndoCommand(child);
      return true;
    case IDM_ROTATERIGHT:
    case IDM_ROTATELEFT:
    case IDM_FLIPH:
    case IDM_FLIPV:
      if (child && !IsIconic(child)) EditCommand(child, id);
      return true;
    case IDM_TOOLS: ShowToolBox(!g_app.toolsVisible); return true;
    default: return false;
  }
}

}  // namespace

LRESULT CALLBACK FrameWndProc(HWND frame, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      OnCreate(frame);
      return 0;
    case WM_SIZE:
      OnSize(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_COMMAND:
      if (OnCommand(frame, LOWORD(wp))) return 0;
      break;
    case WM_NCACTIVATE:
      ToolBoxActive(wp != 0);
      break;
    case WM_INITMENUPOPUP:
      if (!HIWORD(lp)) InitMenuPopup(reinterpret_cast<HMENU>(wp));
      return 0;
    case WM_MEASUREITEM:
      if (MeasureMenuItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (DrawMenuItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
      break;
    case WM_CLOSE:
      // Each image is closed as by Close; a cancelled question keeps the program.
      while (ActiveChild()) {
        g_app.closingAll = true;
        SendMessageW(frame, WM_COMMAND, IDM_CLOSE, 0);
        if (!g_app.closingAll && ActiveChild()) return 0;
      }
      g_app.closingAll = false;
      break;
    case WM_DESTROY:
      WinHelpA(frame, HelpPath().c_str(), HELP_QUIT, 0);
      wq::DisableSource(&g_app.twain, TwainHost());
      wq::CloseSource(&g_app.twain, TwainHost());
      wq::CloseManager(&g_app.twain, TwainHost());
      PostQuitMessage(0);
      return 0;
    case WM_QUERYNEWPALETTE: {
      HWND child = ActiveChild();
      return child ? SendMessageW(child, WM_REALISEPALETTE, reinterpret_cast<WPARAM>(frame), 0) : 0;
    }
    case WM_PALETTECHANGED:
      if (g_app.inPaletteChange) return 0;
      g_app.inPaletteChange = true;
      for (HWND c = GetWindow(g_app.client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageW(c, WM_PALETTECHANGED, wp, lp);
      g_app.inPaletteChange = false;
      return 0;
    case WM_SCANNEDIMAGE:
      return ScannedImageArrived(reinterpret_cast<HGLOBAL>(wp)) ? 1 : 0;
  }
  return DefFrameProcW(frame, g_app.client, msg, wp, lp);
}
