// The library's one global record: its module, the face look chosen at
// load time, and where its slots sit in the class and window extra bytes.
#pragma once
#include <windows.h>

#include <new>

#include "controls/face.h"

namespace wq {

struct ToolLib {
  HINSTANCE inst;
  FaceLook look;
  int clsSlot;  // after the "Button" class's own extra bytes
  int wndSlot;
};

extern ToolLib g_tool;

BOOL RegisterToolClasses(HINSTANCE inst);
void UnregisterToolClasses();

// A class-wide default record, created with the first window of a class
// and freed with the last; each window copies it.
template <typename Rec>
struct ClassDefault {
  Rec rec;
  long users;
};

template <typename Rec>
const Rec* AcquireClassDefault(HWND hwnd, const Rec& initial) {
  auto* d = reinterpret_cast<ClassDefault<Rec>*>(GetClassLongPtrA(hwnd, g_tool.clsSlot));
  if (!d) {
    d = new (std::nothrow) ClassDefault<Rec>{initial, 0};
    if (!d) return nullptr;
    SetClassLongPtrA(hwnd, g_tool.clsSlot, reinterpret_cast<LONG_PTR>(d));
  }
  ++d->users;
  return &d->rec;
}

template <typename Rec>
void ReleaseClassDefault(HWND hwnd) {
  auto* d = reinterpret_cast<ClassDefault<Rec>*>(GetClassLongPtrA(hwnd, g_tool.clsSlot));
  if (d && --d->users <= 0) {
    SetClassLongPtrA(hwnd, g_tool.clsSlot, 0);
    delete d;
  }
}

template <typename Win>
Win* WindowRecord(HWND hwnd) {
  return reinterpret_cast<Win*>(GetWindowLongPtrA(hwnd, g_tool.wndSlot));
}

template <typename Win>
void SetWindowRecord(HWND hwnd, Win* w) {
  SetWindowLongPtrA(hwnd, g_tool.wndSlot, reinterpret_cast<LONG_PTR>(w));
}

// Mouse capture taken on button down and handed back on release.
inline HWND TakeCapture(HWND hwnd) {
  HWND prev = SetCapture(hwnd);
  SetFocus(hwnd);
  return prev == hwnd ? nullptr : prev;
}

inline void GiveBackCapture(HWND hwnd, HWND& prev) {
  HWND back = prev;
  prev = nullptr;
  if (GetCapture() == hwnd) ReleaseCapture();
  if (back && IsWindow(back)) SetCapture(back);
}

}  // namespace wq
