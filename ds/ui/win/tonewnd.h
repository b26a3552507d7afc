// What the three tone windows (threshold, lightness, image adjust) share on
// the Windows side: the delayed preview refresh, the histogram and its
// dashed markers, and reading and writing their numeric fields.
#pragma once
#include <windows.h>

#include "ds/adjust/field.h"

namespace wq {

// Private messages of the tone windows (WM_USER + 2 is kMsgRefresh: the mode
// or film setting changed).
constexpr UINT kMsgInteractive = WM_USER + 3;     // Lightness: Interactive changed
constexpr UINT kMsgLevelsChanged = WM_USER + 11;  // levels page: values changed outside
constexpr UINT kMsgReloadPage = WM_USER + 12;     // either page: reload, restart the timer
constexpr UINT kMsgHistogram = WM_USER + 13;      // a new histogram: redraw it

// The refresh timer of the threshold window and the adjust pages.
constexpr UINT_PTR kRefreshTimer = 304;
constexpr UINT kRefreshDelay = 500;
inline void RestartRefreshTimer(HWND window) { SetTimer(window, kRefreshTimer, kRefreshDelay, nullptr); }

// Redraws the preview (or the zoom preview, when its window shows) with the
// settings of now and tells the tone windows of the new histogram. Does
// nothing unless Interactive is 1 and such a preview exists; `immediate`
// paints before returning.
void RefreshPreview(bool immediate);
// "Apply" of the windows whose settings the scanner applies (exposure,
// film): a new preview, of the zoom region while its window shows (its old
// images go first), else of the bed. Only with Interactive 1.
void ApplyScannerSettings();
// Every open tone window but `except` redraws its histogram.
void RefreshHistograms(HWND except);

// The histogram of `channel` (1 sum of red, green and blue; 2 and 5 red; 3
// green; 4 blue) in the area of control `areaId`, on white. Drawn only when
// Interactive is 1 or the mode is that of the last scan or preview.
void DrawHistogram(HWND dialog, HDC dc, int areaId, int channel);
// The area control's rectangle in the dialog's client coordinates.
RECT HistogramArea(HWND dialog, int areaId);
// A dashed vertical marker at `level` in the area, drawn by inverting the
// screen in 1 x 2 pieces at every other 2-pixel step: drawing it twice
// erases it.
void InvertMarker(HDC dc, const RECT& area, int level);

// The text of an edit, parsed.
FieldNumber ReadField(HWND dialog, int id);
// Writes a number into an edit without the change handlers taking it as typed.
void WriteField(HWND dialog, int id, int value);
// True when the edit's change came from the user typing into it.
bool TypedChange(HWND dialog, int id);
// A refused value: the field focused, its text selected, the error beep.
void RejectField(HWND dialog, int id);

}  // namespace wq
