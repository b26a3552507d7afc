// The "NoAlpha" class: the system edit class with every character but a digit
// or backspace refused with a beep, and its range kept in four window bytes
// after the edit's own.
#include "app/win/noalpha.h"

#include <cstdlib>

namespace {

// The system edit class this one is built on, and the two messages.
struct NoAlphaClass {
  WNDPROC editProc = nullptr;
  int rangeOffset = 0;  // the minimum and maximum words follow the edit's own bytes
  UINT setRange = 0;
  UINT validRange = 0;
};
NoAlphaClass g_noAlpha;

LRESULT CALLBACK NoAlphaProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  const NoAlphaClass& c = g_noAlpha;
  if (msg == WM_CREATE) {
    SetWindowWord(w, c.rangeOffset, WORD(-32768));
    SetWindowWord(w, c.rangeOffset + 2, WORD(32767));
  } else if (msg == c.setRange) {
    SetWindowWord(w, c.rangeOffset, LOWORD(lp));
    SetWindowWord(w, c.rangeOffset + 2, HIWORD(lp));
    return 0;
  } else if (msg == c.validRange) {
    char text[10] = "";
    GetWindowTextA(w, text, sizeof text);
    const long value = std::atol(text);
    const short low = short(GetWindowWord(w, c.rangeOffset));
    const short high = short(GetWindowWord(w, c.rangeOffset + 2));
    return value >= low && value <= high ? 1 : 0;
  } else if (msg == WM_CHAR && (wp < '0' || wp > '9') && wp != VK_BACK) {
    MessageBeep(0);
    return 0;
  }
  return CallWindowProcA(c.editProc, w, msg, wp, lp);
}

}  // namespace

bool RegisterNoAlpha(HINSTANCE instance, UINT* setRange, UINT* validRange) {
  WNDCLASSA edit{};
  if (!GetClassInfoA(nullptr, "EDIT", &edit)) return false;
  g_noAlpha.editProc = edit.lpfnWndProc;
  g_noAlpha.rangeOffset = edit.cbWndExtra;
  g_noAlpha.setRange = RegisterWindowMessageA("SetRange");
  g_noAlpha.validRange = RegisterWindowMessageA("ValidRange");
  edit.lpfnWndProc = NoAlphaProc;
  edit.cbWndExtra += 4;
  edit.hInstance = instance;
  edit.lpszClassName = "NoAlpha";
  if (!RegisterClassA(&edit)) return false;
  *setRange = g_noAlpha.setRange;
  *validRange = g_noAlpha.validRange;
  return true;
}
