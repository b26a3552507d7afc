// The source's keyboard hook. It runs in one mode at a time; in mode 2 (a
// scan or preview in progress) the ESC key asks the progress window to
// cancel; in modes 3 and 4 (a numeric dialog open) only the keys of a
// number reach the dialog, with or without the decimal separator.
#pragma once
#include <windows.h>

namespace wq {

enum KeyHookMode {
  kKeyHookOff = 0,
  kKeyHookProgress = 2,
  kKeyHookDecimals = 3,
  kKeyHookWhole = 4,
};
// The private message the hook sends the progress window for ESC.
constexpr UINT kMsgEscapePressed = WM_USER + 1;

struct KeyHookState {
  HHOOK Hook;
  int Mode;
  HWND Target;
};
extern KeyHookState g_KeyHook;

LRESULT CALLBACK KeyHookProc(int code, WPARAM key, LPARAM flags);
// Installs the hook on this thread for `target` in `mode`; false when the
// system refuses it.
bool InstallKeyHook(int mode, HWND target);
void RemoveKeyHook();
// A mode for the life of a dialog: the state before it, and back to it.
KeyHookState PushKeyHook(int mode, HWND target);
void RestoreKeyHook(const KeyHookState& before);

}  // namespace wq
