// The source's window handles, and the application's message offered to each of
// them in turn as a dialog message.
#include "ds/base/win/source_windows.h"

namespace wq {

SourceWindows g_Windows;

bool OfferToWindows(MSG* msg) {
  HWND order[] = {g_Windows.Main,      g_Windows.ZoomPreview, g_Windows.Gamma,
                  g_Windows.ImageAdjust, g_Windows.ImageAdjustPage, g_Windows.Threshold,
                  g_Windows.Lightness, g_Windows.Film,        g_Windows.Preference,
                  g_Windows.Zoom,      g_Windows.Resolution,  g_Windows.Search,
                  g_Windows.Progress};
  for (HWND w : order)
    if (w && IsWindow(w) && IsDialogMessageA(w, msg)) return true;
  return false;
}

}  // namespace wq
