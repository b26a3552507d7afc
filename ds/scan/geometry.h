// Pure computations of the scan path: model identification, the resolution
// table and the output-size resolution formulas, the bed and paper
// rectangles and the image size.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

struct ScanSettings;
struct SettingsRect;

// The data source's model index from a scanner's 32-byte identity: the codes
// "131" (0), "121" (1, only with the WQ215 switch), "221" and "081" (2),
// "101" (3), tried in that order; -1 when the scanner is not usable.
int ModelFromIdentity(const char* name, size_t size, bool wq215Enabled);

// Resolution list per model; the last index takes the custom value; an index
// outside the list gives 0.
int TableResolution(int model, int index, int custom);
// Number of entries of the model's list (the custom one included).
int ResolutionCount(int model);

// A resolution as the parameter block carries it.
struct BlockResolution {
  int16_t Whole;
  int16_t Fraction;
  bool Hundredths;  // fraction in 1/100 dpi (else 1/65536)
};
// The resolution that turns `extent` units of 1/25 inch into `pixels` output
// pixels, by the model's own rule. A zero extent gives 0 dpi.
BlockResolution ZoomResolution(int model, int32_t pixels, int32_t extent);

// Rectangles in 1/25 inch, absolute; the bed's usable origin is (3, 10).
struct AreaRect {
  int32_t Left, Top, Right, Bottom;
};
constexpr int32_t kBedLeft = 3;
constexpr int32_t kBedTop = 10;

// The physical bed for the model and the light source in use
// (adf / film: the settings' ADF and Mirror, filmType its MirrorType).
AreaRect BedRect(int model, bool adf, bool film, int filmType);
// The paper rectangle of a paper-size index (Range2 for models 0-2, Range1
// for model 3); false for "Optional..." and unknown indexes.
bool PaperRect(int model, int index, AreaRect* rect);

// "Optional...", the free rectangle, is the last paper-size index: 10 in
// the WQ490's list (Range1), 7 in the others' (Range2).
constexpr int OptionalPaperIndex(int model) { return model == 3 ? 10 : 7; }
// The paper-size index of the model's list, read and set.
int PaperIndex(const ScanSettings& s);
void SetPaperIndex(ScanSettings& s, int index);

// The scan area from the settings' paper choice, clipped to the bed: the
// whole bed when no paper size is chosen; "Optional..." is the selection
// when there is one.
void SetAreaFromPaper(ScanSettings& s);
// The preview frame shows the bed at 4 frame pixels per 5 area units (3 per
// 5 on the WQ490): frame pixels x n / d are area units.
void FrameScale(int model, int* n, int* d);
// The scan area from the selection in the preview frame: the crop rectangle
// less the frame's origin (the preview rectangle's top-left corner), in
// frame pixels; an empty selection is the whole frame. The area starts at
// the bed's origin at the least and is cut at the bed's right and bottom.
void SelectionToArea(ScanSettings& s);
// The selection in preview-window pixels (as PreCropRect) of an area given
// from the bed's origin in 1/25 inch: each edge is the frame's origin plus
// the value on the frame's scale, rounded up; it keeps at least one pixel
// each way, since an empty selection stands for the whole frame.
SettingsRect SelectionOfArea(const ScanSettings& s, int32_t x, int32_t y, int32_t width,
                             int32_t height);
// The selection from the scan area by that rule; an area that is the whole
// bed is the empty selection.
void AreaToSelection(ScanSettings& s);
// XFinalRes/YFinalRes from the resolution table and the area size in pixels.
void UpdateImageSize(ScanSettings& s);

// The paper size (TWSS_) a session starts with: A4 on metric systems and US
// letter otherwise, or the film unit's own size while it is in use.
uint16_t DefaultPaperSize(int model, bool filmInUse, int filmType, bool metric);

}  // namespace wq
