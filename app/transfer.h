// Fetching the pending images of the source with buffered memory
// transfers into the scan file, a BMP built from its end towards its
// header, and handing each finished image to the frame.
#pragma once
#include <array>
#include <cstdint>

#include "app/acquire_host.h"
#include "imagefile/twain_dib.h"
#include "twain/twain.h"

namespace wq {

struct TwainLink;

// The scan file in the work directory.
constexpr const char kScanFileName[] = "Scanning.dat";
// The header block: BITMAPINFOHEADER and room for 256 colour entries.
constexpr size_t kHeaderBlockSize = 40 + 256 * 4;

// DescribeTwainImage with the message the program shows when it cannot
// store the image: 0 for a kind of bitmap, 41 for a size.
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

// Runs until the source has no image pending or the transfer stops.
void TransferPendingImages(TwainLink* link, const AcquireHost& host);

}  // namespace wq
