// The Threshold, Lightness and film tool windows: their dialog procedures, the
// validity checks the Scan button asks of them, and the keyboard hook that
// follows whichever of them is active.
#pragma once
#include <windows.h>

namespace wq {

INT_PTR CALLBACK ThresholdProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LightnessProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// False (the field focused and selected, the error beep) while a value is
// out of range or not a number.
bool ThresholdEntriesValid(HWND dialog);
bool LightnessEntriesValid(HWND dialog);
// The film window (the same checks).
INT_PTR CALLBACK FilmProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
bool FilmEntriesValid(HWND dialog);
// The gamma curve editor ("Color Adjust"); its gamma edit must hold 0.10 to
// 9.99 while the shown curve is of a gamma value.
INT_PTR CALLBACK GammaProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
bool GammaEntriesValid(HWND dialog);

// WM_ACTIVATE of a numeric tool window: while it is active the keyboard
// hook passes only the keys of a whole number to it.
void FollowActivation(HWND dialog, WPARAM wParam);
// The window goes: the hook lets it go too.
void ReleaseKeyHookOf(HWND dialog);

}  // namespace wq
