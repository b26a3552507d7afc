// The progress and cancel window: one of four dialogs (with Japanese
// twins), a bar of ten blocks, ESC through the keyboard hook.
#pragma once
#include <windows.h>

#include "ds/scan/progress.h"

namespace wq {

struct ProgressWindow {
  HWND Window;
  HWND Owner;
  bool OwnerDisabled;
  int Template;
  bool Cancelled;
  bool Polled;      // the queue has been looked at since the window opened,
  DWORD LastPoll;   // at this tick
  ProgressBar Bar;
  HMODULE Ctl3d;  // the 3-D look of the dialog shown without the source's window
};
extern ProgressWindow g_ProgressWindow;

INT_PTR CALLBACK ScanWaitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog template for a kind, in the user's language.
int ProgressTemplate(int kind, bool sourceWindowShown, bool japanese);
// Fills g_Progress with the window's procedures.
void InstallProgressWindow();

}  // namespace wq
