// The deterministic test page the virtual scanner "sees" (geometry in
// vscsi/README.md). Rendered a row at a time so that no page is ever held
// in memory.
#pragma once
#include <cstdint>
#include <vector>

namespace vscsi {

enum class PageContent : uint8_t {
  Flatbed,  // the test chart
  Sheet,    // the chart plus a mark counting the feeder sheet
  Film,     // a colour negative of the chart in a dark film edge
};

struct PageLayout {
  PageContent content = PageContent::Flatbed;
  uint32_t sheet = 0;          // 1-based sheet number (Sheet)
  int32_t width = 0, length = 0;  // the bed, page units
};

struct Rgb {
  uint8_t r, g, b;
};

// Chart layout, page units (1/1200 inch).
namespace chart {
constexpr int32_t kMargin = 600;
constexpr int32_t kLeft = 600, kRight = 9600;  // content columns
constexpr int32_t kBarsTop = 600, kBarsBottom = 2400, kBarWidth = 1125;
constexpr int32_t kRampTop = 3000, kRampBottom = 4800;
constexpr int32_t kLinesTop = 5400, kLinesBottom = 7200, kLinesSplit = 5100;
constexpr int32_t kLinePitch = 60, kLineWidth = 12;
constexpr int32_t kPhotoTop = 7800, kPhotoBottom = 12600;
constexpr int32_t kMarkTop = 12900, kMarkBottom = 13500, kMarkPitch = 1200, kMarkWidth = 600;
constexpr int32_t kMaxMarks = 8;
constexpr int32_t kFilmEdge = 300;
constexpr Rgb kBars[8] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255}, {0, 255, 255},
                          {255, 0, 255}, {255, 255, 0}, {0, 0, 0},   {255, 255, 255}};
constexpr Rgb kFilmBase = {16, 16, 16};
// The clear film's light behind its orange mask: red passes best, blue least
// (the scanner's film exposures of a default correction bring each channel
// back to its full range).
constexpr Rgb kFilmMask = {132, 52, 12};
}  // namespace chart

// The colour of one point of the page.
Rgb PageColour(const PageLayout& page, int32_t x, int32_t y);

// Renders rows for a fixed set of columns; rows of the bands that do not
// change down the page are computed once and copied.
struct PageRenderer {
  PageLayout page;
  std::vector<int32_t> columns;  // page x of each pixel
  std::vector<uint8_t> cache;    // cached rows, three planes each
  std::vector<int16_t> columnRed; // the gradient's red by column, or a code (page.cpp)
  uint32_t cachedBands = 0;
};

void PreparePage(PageRenderer* pr, const PageLayout& page, std::vector<int32_t> columns);
// Writes the row at page y as three planes of columns.size() bytes.
void RenderRow(PageRenderer* pr, int32_t y, uint8_t* r, uint8_t* g, uint8_t* b);

}  // namespace vscsi
