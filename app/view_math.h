// The zoom model of image windows and the arithmetic of showing an image:
// window titles, zoomed sizes, screen fit, the strip memory check, and which
// image rows a part of the window shows.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wq {

// Zoom steps run from -15 (1:16) to 15 (16:1); the factor is |step| + 1,
// a magnification above 0 and a reduction below.
constexpr int kZoomMin = -15;
constexpr int kZoomMax = 15;

constexpr uint32_t ZoomFactor(int step) { return uint32_t(step < 0 ? -step : step) + 1; }
constexpr bool CanZoomIn(int step) { return step < kZoomMax; }
constexpr bool CanZoomOut(int step) { return step > kZoomMin; }

// "SCAN.BMP (1:1)", "SCAN.BMP (3:1)", "SCAN.BMP (1:4)".
std::string ZoomTitle(std::string_view fileTitle, int step);

// Image pixels to window pixels along one side: times the factor when
// magnifying, divided (rounded up, at least 1) when reducing.
uint64_t ZoomedLength(uint32_t pixels, int step);

// The display needs factor x stride bytes of strip buffer; the zoom is
// refused (message 17) when the available memory cannot hold that.
bool ZoomMemoryOk(uint64_t availableBytes, uint64_t stride, int step);

// The largest zoom at which the whole image fits into a client area of
// the given size; a reduction when the image is larger. Within the steps.
int FitZoomStep(uint32_t clientWidth, uint32_t clientHeight, uint32_t imageWidth,
                uint32_t imageHeight);

// Scroll range along one side: what the zoomed image has beyond the client.
uint32_t ScrollRange(uint64_t zoomedLength, uint32_t clientLength);

// The image rows (or columns) [first, first + count) that window pixels
// [from, to) show at scroll position scroll, and where their picture starts
// in the window (destStart, possibly before from) and how long it is.
struct Span {
  uint32_t first = 0;
  uint32_t count = 0;
  int64_t destStart = 0;
  uint64_t destLength = 0;
};
Span VisibleSpan(uint32_t imageLength, int step, uint32_t scroll, int32_t from, int32_t to);
// Where image rows [first, first + count) appear in the window. With a
// reduction, first must be a multiple of the factor.
Span SpanPlacement(int step, uint32_t scroll, uint32_t first, uint32_t count);

// Rows of one strip read for painting: about 256 KB of rows, a whole
// multiple of the reduction factor so that no output row is split, at least
// one factor's worth.
uint32_t PaintStripRows(uint64_t stride, int step, uint32_t imageLength);

}  // namespace wq
