// What the EPS, PCX and Targa exporters share: the class of a document's BMP
// (bilevel, 16 colours, grey, 256 colours, true colour), its resolution in
// dots per inch, and the creation-date and creator texts they write.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

#include "imagefile/bmp_reader.h"

namespace wq {

enum class ExportClass : uint8_t { kBilevel, kColour16, kGrey, kColour256, kTrueColour };

// 8 bits whose every colour-table entry i is (i, i, i) are grey; other
// 8-bit tables 256 colours.
ExportClass ExportClassOf(const BmpImage& image);
// ceil(pels per metre x 254 / 10000); none counts as 2834 (72 dpi).
uint32_t ExportDpi(int32_t pelsPerMeter);
// A bilevel image whose colour 0 is white: its bits are stored inverted so
// that 0 is black.
bool ExportBilevelWhiteIsZero(const BmpImage& image);

// Pixel x of a BMP row (file layout): its colour-table index (1, 4, 8
// bits) and its red, green, blue.
uint8_t ExportPixelIndex(const BmpImage& image, const uint8_t* row, uint32_t x);
void ExportPixelRgb(const BmpImage& image, const uint8_t* row, uint32_t x, uint8_t rgb[3]);

constexpr char kExportCreator[] = "ScanWQ V4.00 Scanner Utility";
// "%%CreationDate: Wed Dec 09 2026 00:32:49\n".
std::string ExportCreationDateLine(const std::tm& t);
std::tm ExportLocalTimeNow();

}  // namespace wq
