// The Threshold window: the preview's histogram with a marker at the level
// that divides black from white, a one-thumb slider and an edit for
// ThresholdW, and the delayed preview refresh that shows the new level.
#include <windows.h>

#include <algorithm>

#include "ds/adjust/field.h"
#include "ds/adjust/tone_values.h"
#include "ds/base/win/source_windows.h"
#include "ds/preview/preview.h"
#include "ds/res/ui_ids.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/restore_point.h"
#include "ds/settings/settings.h"
#include "ds/ui/toollib.h"
#include "ds/ui/win/keyhook.h"
#include "ds/ui/win/tonetools.h"
#include "ds/ui/win/tonewnd.h"
#include "ds/ui/win/uiwin.h"

namespace wq {
namespace {

// The bound functions of WQTOOL32.DLL, by their place in kToolProcNames.
enum SliderProc { kSetRange = 0, kSetLeftPos = 2, kSetStyle = 8 };
constexpr int kSingleThumb = 4;
// The slider's value v sits v pixels from 8 pixels in (its thumbs are 16
// wide): 8 pixels left of the histogram's level 0 it lines up with it.
constexpr int kSliderMargin = 8;
constexpr int kAreaWidth = 256, kAreaHeight = 100;
constexpr int kAreaIndent = 15;  // from the frame's left edge
constexpr int kSumOfChannels = 1;

struct ThresholdWindowState {
  int Maximum, Default;  // 0 until the model is known
  int MarkerAt;          // the level the marker was last drawn at, -1 none
  int Mode;              // the Mode at the last synchronisation
  bool Forced;           // closing without the range check
};
ThresholdWindowState g_ThresholdWnd;

LONG CallSlider(SliderProc proc, HWND slider, int a, int b = 0) {
  void* f = g_ToolLib.Procs[proc];
  if (!f || !slider) return 0;
  if (proc == kSetRange) return reinterpret_cast<LONG(WINAPI*)(HWND, int, int)>(f)(slider, a, b);
  return reinterpret_cast<LONG(WINAPI*)(HWND, int)>(f)(slider, a);
}

bool InRange(int value) { return value >= kThresholdMinimum && value <= g_ThresholdWnd.Maximum; }

RECT ChildRect(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void Place(HWND dialog, int id, int x, int y, int w, int h) {
  MoveWindow(GetDlgItem(dialog, id), x, y, w, h, FALSE);
}

// The histogram area 256 x 100 inside the frame, the slider under it, the
// label and edit below the frame and the buttons at the bottom right; the
// window fits round them.
void Layout(HWND dialog) {
  const RECT frame = ChildRect(dialog, IDC_THRESH_FRAME);
  const int left = frame.left + kAreaIndent, top = frame.top + kAreaIndent;
  Place(dialog, IDC_THRESH_HISTOGRAM, left, top, kAreaWidth, kAreaHeight);
  const RECT slider = ChildRect(dialog, IDC_THRESH_SLIDER);
  const int sliderHeight = std::max<int>(slider.bottom - slider.top, 13);
  const int sliderTop = top + kAreaHeight + 3;
  Place(dialog, IDC_THRESH_SLIDER, left - kSliderMargin, sliderTop, kAreaWidth + 2 * kSliderMargin,
        sliderHeight);
  const int frameRight = left + kAreaWidth + kAreaIndent;
  const int frameBottom = sliderTop + sliderHeight + 6;
  Place(dialog, IDC_THRESH_FRAME, frame.left, frame.top, frameRight - frame.left,
        frameBottom - frame.top);

  const RECT label = ChildRect(dialog, IDC_THRESH_LABEL), edit = ChildRect(dialog, IDC_THRESH_EDIT);
  const RECT button = ChildRect(dialog, IDCANCEL);
  const int labelW = label.right - label.left, labelH = label.bottom - label.top;
  const int editW = edit.right - edit.left, editH = edit.bottom - edit.top;
  const int buttonW = button.right - button.left, buttonH = button.bottom - button.top;
  const int rowTop = frameBottom + 8;
  const int rowH = std::max({labelH, editH, buttonH});
  Place(dialog, IDC_THRESH_LABEL, frame.left, rowTop + (rowH - labelH) / 2, labelW, labelH);
  const int editRight = frame.left + labelW + 4 + editW;
  Place(dialog, IDC_THRESH_EDIT, frame.left + labelW + 4, rowTop + (rowH - editH) / 2, editW, editH);
  // The buttons beside the edit when there is room, else on a row of their own.
  int buttonTop = rowTop + (rowH - buttonH) / 2;
  const int defaultLeft = frameRight - 2 * buttonW - 6;
  if (defaultLeft < editRight + 10) buttonTop = rowTop + rowH + 6;
  Place(dialog, IDC_THRESH_DEFAULT, defaultLeft, buttonTop, buttonW, buttonH);
  Place(dialog, IDCANCEL, frameRight - buttonW, buttonTop, buttonW, buttonH);

  RECT size{0, 0, frameRight + frame.left, std::max(rowTop + rowH, buttonTop + buttonH) + frame.top};
  AdjustWindowRectEx(&size, DWORD(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongW(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, size.right - size.left, size.bottom - size.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Inverting the screen: drawing at the old level again erases the old marker.
void MoveMarker(HWND dialog, int level) {
  ThresholdWindowState& t = g_ThresholdWnd;
  if (level == t.MarkerAt) return;
  const RECT area = HistogramArea(dialog, IDC_THRESH_HISTOGRAM);
  HDC dc = GetDC(dialog);
  if (t.MarkerAt >= 0) InvertMarker(dc, area, t.MarkerAt);
  InvertMarker(dc, area, level);
  ReleaseDC(dialog, dc);
  t.MarkerAt = level;
}

void Paint(HWND dialog) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dialog, &ps);
  RECT frame = ChildRect(dialog, IDC_THRESH_FRAME);
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const RECT area = HistogramArea(dialog, IDC_THRESH_HISTOGRAM);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawHistogram(dialog, dc, IDC_THRESH_HISTOGRAM, kSumOfChannels);
  if (g_ThresholdWnd.MarkerAt >= 0) InvertMarker(dc, area, g_ThresholdWnd.MarkerAt);
  EndPaint(dialog, &ps);
}

void SetSlider(HWND dialog, int value) {
  CallSlider(kSetLeftPos, GetDlgItem(dialog, IDC_THRESH_SLIDER), value);
}

// Slider, edit and marker from ThresholdW; a value out of range is shown in
// the edit only.
void Show(HWND dialog) {
  const int value = g_Settings->ThresholdW;
  WriteField(dialog, IDC_THRESH_EDIT, value);
  SetSlider(dialog, value);
  if (InRange(value)) MoveMarker(dialog, value);
}

void Init(HWND dialog) {
  ScanSettings& s = *g_Settings;
  ThresholdWindowState& t = g_ThresholdWnd;
  const int model = g_ScanJob.Model;
  t = ThresholdWindowState{ThresholdMaximum(model), ThresholdDefault(model), -1, s.Mode, false};
  Layout(dialog);
  s.ThresholdOpen = 1;
  HWND slider = GetDlgItem(dialog, IDC_THRESH_SLIDER);
  CallSlider(kSetStyle, slider, kSingleThumb);
  CallSlider(kSetRange, slider, kThresholdMinimum, t.Maximum);
  SendDlgItemMessageW(dialog, IDC_THRESH_EDIT, EM_LIMITTEXT, WPARAM(ThresholdFieldLength(model)), 0);
  Show(dialog);
  RefreshHistograms(dialog);
  // Reopened with the settings of an earlier session in a mode without a
  // threshold: the window goes again.
  if (!ThresholdApplies(s.Mode)) PostMessageW(dialog, kMsgRefresh, 0, 0);
}

void Slid(HWND dialog, int position) {
  g_Settings->ThresholdW = int16_t(position);
  WriteField(dialog, IDC_THRESH_EDIT, position);
  if (position != g_ThresholdWnd.MarkerAt) {
    MoveMarker(dialog, position);
    RestartRefreshTimer(dialog);
  }
}

void Edited(HWND dialog) {
  const FieldNumber f = ReadField(dialog, IDC_THRESH_EDIT);
  if (!f.IsNumber) {
    RestartRefreshTimer(dialog);
    return;
  }
  const int value = std::clamp(f.Value, -32768, 32767);
  g_Settings->ThresholdW = int16_t(value);
  // Out of range: stored, not drawn; the timer refuses it.
  if (!InRange(value)) {
    RestartRefreshTimer(dialog);
    return;
  }
  if (value != g_ThresholdWnd.MarkerAt) {
    SetSlider(dialog, value);
    MoveMarker(dialog, value);
    RestartRefreshTimer(dialog);
  }
}

void TimerFired(HWND dialog) {
  KillTimer(dialog, kRefreshTimer);
  if (InRange(g_Settings->ThresholdW) && ReadField(dialog, IDC_THRESH_EDIT).IsNumber)
    RefreshPreview(false);
  else
    RejectField(dialog, IDC_THRESH_EDIT);
}

// "Default" and "Cancel": the value put back, shown, and on the preview.
void Reset(HWND dialog, bool toDefault) {
  ScanSettings& s = *g_Settings;
  const int16_t before = s.ThresholdW;
  if (toDefault) DefaultThreshold(s);
  else CancelThreshold(s, g_ToneRestore);
  Show(dialog);
  if (s.ThresholdW != before && (PreviewExists() || ZoomPreviewExists()))
    RestartRefreshTimer(dialog);
}

void Close(HWND dialog) {
  KillTimer(dialog, kRefreshTimer);
  if (!g_ThresholdWnd.Forced && !InRange(g_Settings->ThresholdW)) {
    RejectField(dialog, IDC_THRESH_EDIT);
    return;
  }
  if (g_Windows.Main && IsWindowVisible(g_Windows.Main)) SetActiveWindow(g_Windows.Main);
  CloseTool(kToolThreshold);
}

void ModeChanged(HWND dialog) {
  const int mode = g_Settings->Mode;
  if (!ThresholdApplies(mode)) {
    g_ThresholdWnd.Forced = true;
    Close(dialog);
    return;
  }
  Show(dialog);
  g_ThresholdWnd.Mode = mode;
  const RECT area = HistogramArea(dialog, IDC_THRESH_HISTOGRAM);
  InvalidateRect(dialog, &area, FALSE);
}

}  // namespace

bool ThresholdEntriesValid(HWND dialog) {
  if (!g_Settings || InRange(g_Settings->ThresholdW)) return true;
  RejectField(dialog, IDC_THRESH_EDIT);
  return false;
}

INT_PTR CALLBACK ThresholdProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_Settings) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      Init(dialog);
      return TRUE;
    case WM_PAINT:
      Paint(dialog);
      return TRUE;
    case WM_HSCROLL: {
      // Codes 0 and 1 come from the mouse; 5 answers our own settings.
      const int code = LOWORD(wParam);
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_THRESH_SLIDER) &&
          (code == 0 || code == 1))
        Slid(dialog, HIWORD(wParam));
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_THRESH_EDIT:
          if (HIWORD(wParam) == EN_CHANGE && TypedChange(dialog, IDC_THRESH_EDIT)) Edited(dialog);
          return TRUE;
        case IDC_THRESH_DEFAULT:
          if (HIWORD(wParam) == BN_CLICKED) Reset(dialog, true);
          return TRUE;
        case IDCANCEL:
          Reset(dialog, false);
          return TRUE;
      }
      return FALSE;
    case WM_TIMER:
      if (wParam == kRefreshTimer) TimerFired(dialog);
      return TRUE;
    case kMsgHistogram: {
      const RECT area = HistogramArea(dialog, IDC_THRESH_HISTOGRAM);
      InvalidateRect(dialog, &area, FALSE);
      return TRUE;
    }
    case kMsgRefresh:
      ModeChanged(dialog);
      return TRUE;
    case WM_ACTIVATE:
      FollowActivation(dialog, wParam);
      return FALSE;
    case WM_CLOSE:
      Close(dialog);
      return TRUE;
    case WM_DESTROY:
      KillTimer(dialog, kRefreshTimer);
      ReleaseKeyHookOf(dialog);
      return FALSE;
  }
  return FALSE;
}

void FollowActivation(HWND dialog, WPARAM wParam) {
  if (LOWORD(wParam) != WA_INACTIVE) {
    // A scan's progress window keeps the hook for its ESC key.
    if (g_KeyHook.Mode != kKeyHookProgress) InstallKeyHook(kKeyHookWhole, dialog);
  } else {
    ReleaseKeyHookOf(dialog);
  }
}

void ReleaseKeyHookOf(HWND dialog) {
  if (g_KeyHook.Target == dialog && g_KeyHook.Mode == kKeyHookWhole) RemoveKeyHook();
}

}  // namespace wq
