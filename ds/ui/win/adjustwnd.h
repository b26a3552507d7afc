// The "Image Adjust" window's Windows side as its pages and the preview
// windows reach it: the window's record (its pages, the pickers and the
// colour under the pointer), the three dialog procedures, and what the
// preview windows do while a picker is on.
#pragma once
#include <windows.h>

#include "ds/adjust/picker.h"
#include "ds/ui/win/keyhook.h"

namespace wq {

struct PreviewImage;

enum AdjustPage { kPageBrightness = 0, kPageLevels = 1 };

struct ImageAdjustState {
  HWND Pages[2];          // brightness and contrast, levels (children of the window)
  bool Forced;            // closing without the pages' check
  bool BlackPick;         // the black-point picker is on
  bool WhitePick;         // the white-point picker is on
  PickedColour Picked;    // under the pointer in the shown preview
  KeyHookState HookBefore;
  bool Hooked;            // the keyboard hook serves the visible page
};
extern ImageAdjustState g_ImageAdjust;

INT_PTR CALLBACK ImageAdjustProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK BrightnessProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InputOutputProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The scanning window's check before a scan: the visible page's entries.
bool ImageAdjustEntriesValid(HWND window);
// The pages' own checks, with their reports (beep and selection, or 16037).
bool BrightnessPageValid(HWND page);
bool LevelsPageValid(HWND page);

// "Auto" is usable with a preview or a zoom preview window.
void UpdateAutoButton();

// Both pickers off, their buttons released.
void SwitchPickersOff();
bool PickerOn();
// The pointer over pixel (x, y) of a shown preview image (rows from the
// top); a point outside the image picks nothing.
void PickAt(const PreviewImage& image, int32_t x, int32_t y);
// The left button went down over pixel (x, y) with a picker on: the picked
// colour becomes the black or white point and the levels page follows.
void ApplyPickAt(const PreviewImage& image, int32_t x, int32_t y);
// The preview windows' cursor while a picker is on.
HCURSOR PickerCursor();

}  // namespace wq
