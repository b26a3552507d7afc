// A stand-in for the custom-controls library in the data source's Wine
// tests: the ten scroll-bar functions the source binds by name. Nothing here
// is called until the scanning window exists; the source only needs the
// library to load and bind.
#include <windows.h>

extern "C" {
__declspec(dllexport) LONG WINAPI TSetScrollRange(HWND, int, int, BOOL) { return 0; }
__declspec(dllexport) LONG WINAPI TGetScrollRange(HWND, LPINT, LPINT) { return 0; }
__declspec(dllexport) LONG WINAPI TSetLeftScrollPos(HWND, int, BOOL) { return 0; }
__declspec(dllexport) LONG WINAPI TGetLeftScrollPos(HWND) { return 0; }
__declspec(dllexport) LONG WINAPI TSetRightScrollPos(HWND, int, BOOL) { return 0; }
__declspec(dllexport) LONG WINAPI TGetRightScrollPos(HWND) { return 0; }
__declspec(dllexport) LONG WINAPI TSetScrollSelect(HWND, int, int, BOOL) { return 0; }
__declspec(dllexport) LONG WINAPI TGetScrollSelect(HWND, LPINT, LPINT) { return 0; }
__declspec(dllexport) LONG WINAPI TSetScrollStyle(HWND, DWORD) { return 0; }
__declspec(dllexport) LONG WINAPI TGetScrollStyle(HWND) { return 0; }
}
