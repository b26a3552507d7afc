// The keyboard hook on the source's thread: ESC going down in the progress mode
// posts the cancel message to the progress window; in the numeric modes a
// key the field does not take beeps and goes no further.
#include "ds/ui/win/keyhook.h"

#include "ds/base/environment.h"
#include "ds/ui/key_filter.h"

namespace wq {

KeyHookState g_KeyHook;

namespace {

// Keys for the numeric dialog only: a message box over it takes its own.
bool FocusInTarget() {
  HWND focus = GetFocus();
  HWND target = g_KeyHook.Target;
  return target && focus && (focus == target || IsChild(target, focus));
}

bool Swallowed(WPARAM key, bool down) {
  if (!FocusInTarget()) return false;
  // The character the key types unshifted; the top bit marks a dead key,
  // which types nothing by itself.
  const UINT mapped = MapVirtualKeyA(UINT(key), MAPVK_VK_TO_CHAR);
  const int typed = mapped & 0x80000000u ? 0 : int(mapped & 0xFFFF);
  if (NumericKeyPasses(int(key), typed, g_KeyHook.Mode == kKeyHookDecimals, g_Env.Decimal))
    return false;
  if (down) MessageBeep(MB_OK);
  return true;
}

}  // namespace

LRESULT CALLBACK KeyHookProc(int code, WPARAM key, LPARAM flags) {
  // Bit 31 of the flags is set while a key goes up.
  const bool down = (flags & 0x80000000L) == 0;
  if (code == HC_ACTION) {
    const int mode = g_KeyHook.Mode;
    if (down && key == VK_ESCAPE && mode == kKeyHookProgress && g_KeyHook.Target &&
        IsWindow(g_KeyHook.Target))
      PostMessageA(g_KeyHook.Target, kMsgEscapePressed, 0, 0);
    if ((mode == kKeyHookDecimals || mode == kKeyHookWhole) && Swallowed(key, down)) return 1;
  }
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

KeyHookState PushKeyHook(int mode, HWND target) {
  const KeyHookState before = g_KeyHook;
  InstallKeyHook(mode, target);
  return before;
}

void RestoreKeyHook(const KeyHookState& before) {
  if (before.Hook && before.Mode != kKeyHookOff) InstallKeyHook(before.Mode, before.Target);
  else RemoveKeyHook();
}

}  // namespace wq
