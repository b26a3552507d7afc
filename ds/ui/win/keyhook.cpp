// The keyboard hook on the source's thread: ESC going down in the progress mode
// posts the cancel message to the progress window.
#include "ds/ui/win/keyhook.h"

namespace wq {

KeyHookState g_KeyHook;

LRESULT CALLBACK KeyHookProc(int code, WPARAM key, LPARAM flags) {
  // Bit 31 of the flags is set while a key goes up.
  const bool down = (flags & 0x80000000L) == 0;
  if (code == HC_ACTION && down && key == VK_ESCAPE && g_KeyHook.Mode == kKeyHookProgress &&
      g_KeyHook.Target && IsWindow(g_KeyHook.Target))
    PostMessageA(g_KeyHook.Target, kMsgEscapePressed, 0, 0);
  return CallNextHookEx(g_KeyHook.Hook, code, key, flags);
}

bool InstallKeyHook(int mode, HWND target) {
  RemoveKeyHook();
  g_KeyHook.Hook = SetWindowsHookExA(WH_KEYBOARD, KeyHookProc, nullptr, GetCurrentThreadId());
  if (!g_KeyHook.Hook) return false;
  g_KeyHook.Mode = mode;
  g_KeyHook.Target = target;
  return true;
}

void RemoveKeyHook() {
  if (g_KeyHook.Hook) UnhookWindowsHookEx(g_KeyHook.Hook);
  g_KeyHook = KeyHookState{};
}

}  // namespace wq
