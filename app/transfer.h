// Fetching the pending images of the source with buffered memory
// transfers into the scan file, a BMP built from its end towards its
// header, and handing each finished image to the frame.
#pragma once
#include <array>
#include <cstdint>

#include "app/acquire_host.h"
#include "twain/twain.h"

namespace wq {

struct TwainLink;

// The scan file in the work directory.
constexpr const char kScanFileName[] = "Scanning.dat";
// The header block: BITMAPINFOHEADER and room for 256 colour entries.
constexpr size_t kHeaderBlockSize = 40 + 256 * 4;

// How an image of the source becomes a DIB.
struct XferImage {
  uint32_t width = 0;
  uint32_t height = 0;
  uint16_t bits = 0;
  uint16_t pixelType = 0;
  uint64_t stride = 0;      // DIB row: ((bits x width + 31) / 32) x 4
  uint64_t imageSize = 0;   // height x stride
  uint32_t rowBytes = 0;    // data bytes of one source row
};

// Checks what the program can store: uncompressed, chunky, 1-bit BW,
// 4/8-bit grey, 1/4/8-bit palette, 24-bit RGB, sides 1 to 32,767. False
// with the message to show (0 for a kind of bitmap, 41 for a size) when
// it cannot.
bool DescribeImage(const TW_IMAGEINFO& info, XferImage* out, int* message);

// Bytes of the finished file: 14 + 40 + 4 x colours + image size.
constexpr uint64_t ScanFileBytes(uint32_t colours, uint64_t imageSize) {
  return 14 + 40 + uint64_t(colours) * 4 + imageSize;
}

// The transfer buffer length from the source's limits; 0 when no whole
// row fits (the source must be refused with message 17). Images below
// 65,536 bytes have their limits rounded down to whole rows first.
uint32_t ChooseBufferLength(uint64_t imageSize, uint64_t stride, uint32_t minBufSize,
                            uint32_t maxBufSize);

// The memory a transfer may use: 16 MiB, or 80 % of what is free when less.
uint64_t TransferMemoryBudget(uint64_t availableBytes);

// biXPelsPerMeter from a TWAIN resolution in ICAP_UNITS (inches or
// centimetres; other units give 0).
int32_t PelsPerMeter(uint16_t units, TW_FIX32 resolution);

// The colour table of the DIB (blue, green, red, 0 per entry) and whether
// the source's data bytes are inverted on the way: bilevel images with
// white as colour 0 (blackIsZero false).
struct ColourPlan {
  uint32_t colours = 0;
  std::array<uint8_t, 1024> table{};
  bool invert = false;
  bool swapRgb = false;
};
// palette is the source's DAT_PALETTE8 answer for palette images (null
// when the query failed).
ColourPlan PlanColours(const XferImage& image, bool blackIsZero, const TW_PALETTE8* palette);

// One source row into its DIB form (stride bytes, padding zero).
void ConvertRow(const XferImage& image, const ColourPlan& colours, const uint8_t* in,
                uint8_t* out);

// Runs until the source has no image pending or the transfer stops.
void TransferPendingImages(TwainLink* link, const AcquireHost& host);

}  // namespace wq
