// The gamma editor's curve model: each of the five channels either a gamma
// value or a curve drawn through control points, held in the grid
// coordinates of the editor's 256-pixel-wide drawing area, and the edits a
// click makes to the points.
#pragma once
#include <cstdint>

namespace wq {

struct ScanSettings;

// The drawing area: one pixel per input level; output v is drawn at
// y = Bottom - 1 - v.
struct CurveGrid {
  int Left, Top, Right, Bottom;
};

struct CurveState {
  int16_t Y[256];     // grid y of the curve at each input level
  int16_t X[256];     // grid x of each input level
  uint8_t Point[256]; // 1 where a control point sits
  int PointCount;
};

// Channels 1 red, 2 green, 3 blue, 4 common RGB, 5 grey.
constexpr int kCurveChannels = 5;
struct GammaEditor {
  CurveGrid Grid;
  CurveState Curves[kCurveChannels];
};
extern GammaEditor g_GammaEditor;

// Output value <-> grid y: 0 at or below the bottom, 255 above the top.
int ValueOfY(const CurveGrid& g, int y);
int YOfValue(const CurveGrid& g, int value);

// The curve of a gamma value (hundredths, kept within 10-999): points at
// 0 and 255 only.
void MakeGammaCurve(const CurveGrid& g, int gammaValue, CurveState* c);
// A drawn curve from its control points: a line through two, the line
// again through three on one line, otherwise passes of the spline until
// every level has a value.
void RegenerateCurve(const CurveGrid& g, CurveState* c);

// The editor state from the settings: gamma-value channels from their
// value, drawn ones from their stored levels and points.
void LoadEditor(const ScanSettings& s, const CurveGrid& g, GammaEditor* e);
// The curve records (levels and points) from the editor state.
void StoreEditor(const GammaEditor& e, ScanSettings& s);

// A click released at grid (x, y) on a drawn curve: the control points
// within 12 levels go, a point at the click comes, the curve is drawn
// again; on the RGB curve red, green and blue follow. The settings take
// every channel's curve.
void AddPoint(GammaEditor* e, ScanSettings& s, int channel, int x, int y);
// The channel becomes a drawn curve (on RGB, red, green and blue too),
// starting from the curve it shows.
void ResetCurve(GammaEditor* e, ScanSettings& s, int channel);

}  // namespace wq
