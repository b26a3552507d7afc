// The Area window: the scan area's origin and size typed in, a modal
// dialog over the scanning window.
#pragma once
#include <windows.h>

namespace wq {

INT_PTR CALLBACK SetAreaProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Runs the dialog over `owner` until it closes; true when the area changed.
bool RunAreaDialog(HWND owner);

}  // namespace wq
