// Facts of the virtual scanner's test page (vscsi/README.md), checked on a
// scanned page: the white margin, the eight colour bars in their order, the
// grey ramp rising to the right, the photo-like gradient rising to the
// right (red) and downwards (green), and the feeder sheets' black squares.
// Checked against the page, not against the pipeline's own output.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ds/tests/image_decode.h"

namespace wq::test {

// Where the scan lies: the window's origin from the bed's origin in 1/25
// inch (the scan area less 3 and 10) and the resolutions.
struct ScanFrame {
  int32_t Left, Top;
  int XRes, YRes;
};

// The pixel of the page position (x, y) in 1/1200 inch; false outside the scan.
bool PagePixel(const RgbPage& page, const ScanFrame& f, int32_t x, int32_t y, uint8_t rgb[3]);

// The facts the scanned part of the page shows for an image kind (the low
// byte of Mode: 1 black and white, 2 eight colours, 3 grey, 4 and 5
// palette, 6 colour). One text per fact that does not hold.
std::vector<std::string> CheckPageFacts(const RgbPage& page, const ScanFrame& f, int kind);

// Black squares of the feeder's n-th sheet (rows 12900-13500, 600 wide every
// 1200 from column 600): how many are dark.
int CountSheetSquares(const RgbPage& page, const ScanFrame& f);

}  // namespace wq::test
