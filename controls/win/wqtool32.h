// What WQTOOL32.DLL offers its users: the window classes, the messages of
// the two-thumb scroll bar and the exported functions, for binding by name.
#pragma once
#include <windows.h>

namespace wq {

constexpr const char* kTwoScrollBarClass = "TwoScrollBar32";
constexpr const char* kGraphButtonClass = "GraphButton32";
constexpr const char* kSwitchButtonClass = "SwitchButton32";
constexpr const char* kPopupButtonClass = "PopupButton32";
constexpr const char* kLockButtonClass = "LockButton32";

// Messages of "TwoScrollBar32".
constexpr UINT kTsmSetRange = WM_USER + 1;     // lParam: low word min, high word max
constexpr UINT kTsmGetRange = WM_USER + 2;
constexpr UINT kTsmSetLeftPos = WM_USER + 3;   // wParam: position
constexpr UINT kTsmGetLeftPos = WM_USER + 4;
constexpr UINT kTsmSetRightPos = WM_USER + 5;
constexpr UINT kTsmGetRightPos = WM_USER + 6;
constexpr UINT kTsmSetSelect = WM_USER + 7;    // wParam: 0 left, 1 right
constexpr UINT kTsmGetSelect = WM_USER + 8;
constexpr UINT kTsmSetStyle = WM_USER + 9;     // wParam: bits to add
constexpr UINT kTsmGetStyle = WM_USER + 10;

// The ten exported wrappers, as a user binds them with GetProcAddress.
using TSetScrollRangeFn = LONG(WINAPI*)(HWND, int, int);
using TGetScrollRangeFn = LONG(WINAPI*)(HWND);
using TSetScrollPosFn = LONG(WINAPI*)(HWND, int);
using TGetScrollPosFn = LONG(WINAPI*)(HWND);

}  // namespace wq

extern "C" {
LRESULT CALLBACK TwoScrollBarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK GraphButtonWndFunc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK SwitchButtonWndFunc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PopupButtonWndFunc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK LockButtonWndFunc(HWND, UINT, WPARAM, LPARAM);

LONG WINAPI TSetScrollRange(HWND hwnd, int min, int max);
LONG WINAPI TGetScrollRange(HWND hwnd);
LONG WINAPI TSetLeftScrollPos(HWND hwnd, int pos);
LONG WINAPI TGetLeftScrollPos(HWND hwnd);
LONG WINAPI TSetRightScrollPos(HWND hwnd, int pos);
LONG WINAPI TGetRightScrollPos(HWND hwnd);
LONG WINAPI TSetScrollSelect(HWND hwnd, int select);
LONG WINAPI TGetScrollSelect(HWND hwnd);
LONG WINAPI TSetScrollStyle(HWND hwnd, int style);
LONG WINAPI TGetScrollStyle(HWND hwnd);
}
