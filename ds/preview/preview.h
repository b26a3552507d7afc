// Previews: a quick 24-bit colour scan of the bed (or of the region around
// the selection) and the zoom preview of the selection at a resolution that
// fills most of the screen. Both are scanned with a straight-line curve; the
// screen copy shows what the chosen mode and tone settings would make of
// them (preview_render.h).
#pragma once
#include <cstdint>

#include "ds/scan/geometry.h"

namespace wq {

struct ScanSettings;

// One 24-bit bitmap, rows bottom-up, stride a multiple of 4. The raw
// pixels are red, green, blue bytes as the scanner delivers them; the
// screen copy is a device-independent bitmap (blue, green, red).
struct PreviewImage {
  uint8_t* Raw;
  uint8_t* Screen;
  int32_t Width, Height;
  uint32_t Stride;
  int Resolution;
  AreaRect Covers;  // the bed area (1/25 inch) the bitmap shows
};

struct PreviewState {
  PreviewImage Preview;  // always the whole bed
  PreviewImage Zoom;     // the region around the selection
  bool ZoomClipped[4];   // sides of the zoom region cut by the bed: left, top, right, bottom
  bool ZoomShown;        // the zoom preview's window is open: it is the image shown
};
extern PreviewState g_Preview;

// Bytes of a 24-bit row.
constexpr uint32_t PreviewStride(int32_t width) { return (uint32_t(width) * 24 + 31) / 32 * 4; }

// 40 dpi on the WQ140 and WQ220, 75 dpi on the WQ215 and WQ490.
int PreviewResolution(int model);
// The bed of the source in use.
AreaRect CurrentBed(const ScanSettings& s);
// The scan area as an absolute rectangle.
AreaRect SelectionRect(const ScanSettings& s);
// The selection grown on each side by a tenth of its size (at least one
// unit), then cut to the bed; `clipped` (may be null) tells which sides the
// bed cut: left, top, right, bottom.
AreaRect GrowSelection(const AreaRect& selection, const AreaRect& bed, bool clipped[4]);
// What a preview scans: the bed, or the grown selection when PrescanSelect
// asks for it.
AreaRect PreviewRegion(const ScanSettings& s);
// The zoom preview's resolution for a screen of width x height pixels and
// the (ungrown) selection.
int ZoomPreviewResolution(int screenWidth, int screenHeight, const AreaRect& selection, int model);

// Whether the zoom preview's region is not the one the selection of now
// would scan.
bool ZoomRegionChanged(const ScanSettings& s);

// A blank (white) image of the region at the resolution; false when memory
// is short (nothing kept then).
bool AllocatePreviewImage(PreviewImage* image, const AreaRect& covers, int resolution);
void FreePreviewImage(PreviewImage* image);
bool PreviewExists();
bool ZoomPreviewExists();
void DiscardPreviews();
void DiscardZoomPreview();

// The preview scan and the zoom preview scan (with the progress window,
// messages on failure); false when nothing new was scanned. A scanner error
// or cancel keeps what was read and white elsewhere.
bool TakePreview();
bool TakeZoomPreview();

}  // namespace wq
