// What the scanning window's portable logic asks of its windows. The
// Windows side (win/uishell_win.cpp) fills the record; native tests fill it
// with recorders. Each entry starts as a default that carries on without
// the window: nothing shown, every tool window valid, none available.
#pragma once
#include <cstdint>

#include "ds/ui/menus.h"

namespace wq {

struct UiShellProcs {
  // Shows the Scan button pressed or released.
  void (*PressScanButton)(bool pressed) = [](bool) {};
  // The validity check of the open tool windows before a scan: false when
  // one holds an entry out of range (it has told the user and taken the focus).
  bool (*ToolWindowsValid)() = [] { return true; };
  // Stores the placement of the scanning window and of every open tool
  // window into the settings.
  void (*StorePlacements)() = [] {};
  // The open tool windows re-read the settings.
  void (*RefreshToolWindows)() = [] {};
  // Opens (or brings up) a tool window.
  void (*OpenToolWindow)(int tool) = [](int) {};
  // The hourglass while a long step runs.
  void (*WaitCursor)(bool on) = [](bool) {};
  // Which tool windows exist in this build.
  bool (*ToolAvailable)(int tool) = [](int) { return false; };
};
extern UiShellProcs g_UiShell;

// State of the scanning window that outlives single commands.
struct MainWindowState {
  bool PaletteDisplay;  // the display has a palette of 1..256 entries
  bool PreviewRunning;
};
extern MainWindowState g_MainWnd;

// The menu context of now: scanner, colour matching, tool windows.
MenuContext CurrentMenuContext();

}  // namespace wq
