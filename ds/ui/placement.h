// Where the scanning window and its tool windows go: their saved places
// (kept on the screen), default places beside the scanning window, and the
// size of the preview frame.
#pragma once

#include "ds/scan/geometry.h"

namespace wq {

struct SettingsRect;
struct ScanSettings;

struct ScreenRect {
  int Left, Top, Right, Bottom;
};

// A saved placement is one with an area; the default rectangle has none.
bool PlacementSaved(const SettingsRect& r);
SettingsRect ToSettingsRect(const ScreenRect& r);

// Moves a rectangle (keeping its size) so that it lies inside the screen's
// work area; one larger than the screen keeps its left or top edge on it.
ScreenRect KeepOnScreen(const ScreenRect& r, const ScreenRect& screen);
// A window of the given size at its saved place, or at the default origin.
ScreenRect PlaceWindow(const SettingsRect& saved, int width, int height, int defaultLeft,
                       int defaultTop, const ScreenRect& screen);

// Default places: the scanning window near the top left corner; the preview
// to its right; the information window under the scanning window; the
// tool windows to the right of the preview, each a little lower than the
// one before (slot 0, 1, ...).
constexpr int kWindowGap = 4;
void DefaultMainOrigin(const ScreenRect& screen, int* left, int* top);
void DefaultPreviewOrigin(const ScreenRect& main, int* left, int* top);
void DefaultInfoOrigin(const ScreenRect& main, int* left, int* top);
void DefaultToolOrigin(int slot, const ScreenRect& main, const ScreenRect& preview, int* left,
                       int* top);

// The preview frame (its scale is FrameScale of ds/scan/geometry.h) and
// the margin around it in the preview window.
constexpr int kFrameMargin = 8;
void PreviewFrameSize(int model, const AreaRect& bed, int* width, int* height);
// The rulers above and left of the frame, where the preferences show them.
constexpr int kRulerSize = 16;
int PreviewRulerSize(const ScanSettings& s);

}  // namespace wq
