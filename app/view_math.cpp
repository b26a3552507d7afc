// The zoom arithmetic of image windows: titles such as "name (1:2)", zoomed
// lengths, the fit to the client area, scroll ranges, the image rows a band of
// the window shows, and paint strips of about 256 KB.
#include "app/view_math.h"

#include <algorithm>
#include <cstdio>

namespace wq {

std::string ZoomTitle(std::string_view fileTitle, int step) {
  char zoom[16];
  if (step == 0)
    std::snprintf(zoom, sizeof zoom, " (1:1)");
  else if (step > 0)
    std::snprintf(zoom, sizeof zoom, " (%u:1)", ZoomFactor(step));
  else
    std::snprintf(zoom, sizeof zoom, " (1:%u)", ZoomFactor(step));
  return std::string(fileTitle) + zoom;
}

uint64_t ZoomedLength(uint32_t pixels, int step) {
  const uint32_t f = ZoomFactor(step);
  if (step >= 0) return uint64_t(pixels) * f;
  return std::max<uint64_t>(1, (uint64_t(pixels) + f - 1) / f);
}

bool ZoomMemoryOk(uint64_t availableBytes, uint64_t stride, int step) {
  if (stride == 0) return true;
  const uint32_t f = ZoomFactor(step);
  return availableBytes / stride / f >= f;
}

int FitZoomStep(uint32_t clientWidth, uint32_t clientHeight, uint32_t imageWidth,
                uint32_t imageHeight) {
  if (imageWidth == 0 || imageHeight == 0) return 0;
  if (imageWidth <= clientWidth && imageHeight <= clientHeight) {
    const uint32_t f = std::min(clientWidth / imageWidth, clientHeight / imageHeight);
    return int(std::min<uint32_t>(f, kZoomMax + 1)) - 1;
  }
  for (int step = -1; step > kZoomMin; --step)
    if (ZoomedLength(imageWidth, step) <= clientWidth &&
        ZoomedLength(imageHeight, step) <= clientHeight)
      return step;
  return kZoomMin;
}

uint32_t ScrollRange(uint64_t zoomedLength, uint32_t clientLength) {
  return zoomedLength > clientLength ? uint32_t(std::min<uint64_t>(zoomedLength - clientLength,
                                                                   0x7FFFFFFF))
                                     : 0;
}

Span SpanPlacement(int step, uint32_t scroll, uint32_t first, uint32_t count) {
  Span span;
  span.first = first;
  span.count = count;
  const uint32_t f = ZoomFactor(step);
  if (step >= 0) {
    span.destStart = int64_t(uint64_t(first) * f) - scroll;
    span.destLength = uint64_t(count) * f;
  } else {
    span.destStart = int64_t(first / f) - scroll;
    span.destLength = (uint64_t(count) + f - 1) / f;
  }
  return span;
}

Span VisibleSpan(uint32_t imageLength, int step, uint32_t scroll, int32_t from, int32_t to) {
  const uint64_t zoomed = ZoomedLength(imageLength, step);
  const int64_t a = std::max<int64_t>(0, int64_t(from) + scroll);
  const int64_t b = std::min<int64_t>(int64_t(zoomed), int64_t(to) + scroll);
  if (imageLength == 0 || b <= a) return Span{};
  const uint32_t f = ZoomFactor(step);
  uint64_t first, end;  // image rows
  if (step >= 0) {
    first = uint64_t(a) / f;
    end = (uint64_t(b) + f - 1) / f;
  } else {
    first = uint64_t(a) * f;
    end = uint64_t(b) * f;
  }
  end = std::min<uint64_t>(end, imageLength);
  if (first >= end) return Span{};
  return SpanPlacement(step, scroll, uint32_t(first), uint32_t(end - first));
}

uint32_t PaintStripRows(uint64_t stride, int step, uint32_t imageLength) {
  const uint32_t f = step < 0 ? ZoomFactor(step) : 1;
  uint64_t rows = stride ? (uint64_t(256) * 1024) / stride : 1;
  rows = std::max<uint64_t>(rows / f * f, f);
  return uint32_t(std::min<uint64_t>(rows, std::max<uint32_t>(imageLength, 1)));
}

}  // namespace wq
