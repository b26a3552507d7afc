// The tone windows' shared Windows side: the delayed preview refresh, the
// histogram with its inverted markers, and their numeric fields.
#include "ds/ui/win/tonewnd.h"

#include <cstdio>

#include "ds/adjust/histogram.h"
#include "ds/base/win/source_windows.h"
#include "ds/pipeline/effect.h"
#include "ds/preview/preview.h"
#include "ds/preview/preview_render.h"
#include "ds/settings/settings.h"
#include "ds/res/ui_ids.h"
#include "ds/ui/win/uiwin.h"

namespace wq {

void RefreshPreview(bool immediate) {
  if (!g_Settings || g_Settings->Interactive != 1) return;
  const bool zoom = ZoomWindowShown() && ZoomPreviewExists();
  if (!zoom && !PreviewExists()) return;
  RenderPreview();
  HWND shown = zoom ? g_Windows.ZoomPreview : g_Windows.Preview;
  if (shown && IsWindow(shown)) {
    InvalidateRect(shown, nullptr, FALSE);
    if (zoom) RefreshZoomWindow();
    if (immediate) UpdateWindow(shown);
  }
  RefreshHistograms(nullptr);
}

void ApplyScannerSettings() {
  HWND main = g_Windows.Main;
  if (!main || !g_Settings || g_Settings->Interactive != 1) return;
  const SettingsRect& crop = g_Settings->PreCropRect;
  const bool framed = crop.Right > crop.Left && crop.Bottom > crop.Top;
  if (ZoomWindowShown() && framed) {
    DiscardZoomPreview();
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_ZOOM_PREVIEW, BN_CLICKED), 0);
    // Nothing new came (cancelled, or the scanner failed): the window that
    // would show nothing gives way to the preview.
    if (!ZoomPreviewExists()) {
      CloseZoomWindow(true);
      UpdateMainTexts();
    }
  } else {
    CloseZoomWindow(true);
    SendMessageW(main, kMsgStartPreview, 0, 0);
  }
}

void RefreshHistograms(HWND except) {
  for (HWND w : {g_Windows.Threshold, g_Windows.ImageAdjustPage})
    if (w && w != except && IsWindow(w)) SendMessageW(w, kMsgHistogram, 0, 0);
}

RECT HistogramArea(HWND dialog, int areaId) {
  RECT r{};
  HWND area = GetDlgItem(dialog, areaId);
  if (!area) return r;
  GetWindowRect(area, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void DrawHistogram(HWND dialog, HDC dc, int areaId, int channel) {
  const RECT a = HistogramArea(dialog, areaId);
  FillRect(dc, &a, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (!g_Settings) return;
  // Without the live preview the counts belong to the last scan's mode only.
  if (g_Settings->Interactive != 1 && g_Settings->Mode != g_InEffect.Mode) return;
  uint32_t counts[256];
  int bars[256];
  HistogramOf(g_Histogram, channel, counts);
  const int height = a.bottom - a.top;
  HistogramBars(counts, height, bars);
  HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
  for (int i = 0; i < 256 && a.left + i < a.right; ++i) {
    if (!counts[i]) continue;
    // From the bottom row up to and including the bar's top, inside the area.
    const int top = a.bottom - 1 - bars[i];
    MoveToEx(dc, a.left + i, a.bottom - 1, nullptr);
    LineTo(dc, a.left + i, (top > a.top ? top : a.top) - 1);
  }
  SelectObject(dc, old);
}

void InvertMarker(HDC dc, const RECT& area, int level) {
  const int x = area.left + level;
  if (x < area.left || x >= area.right) return;
  for (int y = area.top + 2; y < area.bottom; y += 4)
    PatBlt(dc, x, y, 1, area.bottom - y < 2 ? area.bottom - y : 2, DSTINVERT);
}

FieldNumber ReadField(HWND dialog, int id) {
  char text[64] = "";
  GetDlgItemTextA(dialog, id, text, int(sizeof text));
  return ParseField(text);
}

void WriteField(HWND dialog, int id, int value) {
  const bool before = g_UiWin.Filling;
  g_UiWin.Filling = true;
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  SetDlgItemTextA(dialog, id, text);
  g_UiWin.Filling = before;
}

bool TypedChange(HWND dialog, int id) {
  return !g_UiWin.Filling && GetFocus() == GetDlgItem(dialog, id);
}

void RejectField(HWND dialog, int id) {
  HWND edit = GetDlgItem(dialog, id);
  if (edit) {
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
  }
  MessageBeep(MB_ICONHAND);
}

}  // namespace wq
