// The source's modeless windows, in the order MSG_PROCESSEVENT offers them
// the application's messages. Each is null while it does not exist.
#pragma once
#include <windows.h>

namespace wq {

struct SourceWindows {
  HWND Main;             // the scanning window
  HWND ZoomPreview;
  HWND Gamma;
  HWND ImageAdjust;
  HWND ImageAdjustPage;  // the image-adjust window's current page
  HWND Threshold;
  HWND Lightness;
  HWND Film;
  HWND Preference;
  HWND Search;           // scanner search
  HWND Progress;         // scan progress
  HWND Zoom;             // the zoom settings
  HWND Resolution;       // the custom resolution
  HWND Preview;          // the preview pane (a plain window: not offered)
  HWND Info;             // the information window (not offered)
};
extern SourceWindows g_Windows;

// Offers one message to every existing window in turn; true when consumed.
bool OfferToWindows(MSG* msg);

}  // namespace wq
