// Free rotation of a document's BMP by whole degrees, file to file, in
// memory that does not grow with the page: nearest source pixel, the area
// outside the turned image in a colour of the caller's.
#pragma once
#include <cstdint>

#include "imagefile/file_status.h"
#include "common/io.h"

namespace wq {

// The size of an image of width x height turned by `degrees`: swapped for
// a quarter turn either way, the same for none, else the bounding box of
// the turned image with one pixel more on each side.
void RotatedSize(uint32_t width, uint32_t height, int degrees, uint32_t* outWidth, uint32_t* outHeight);

// Turns `source` by `degrees` (positive: clockwise on the screen, as the
// matrix (cos a, -sin a; sin a, cos a) does with rows running down). Pixels
// that come from outside the image get `outside` (an index, or blue |
// green << 8 | red << 16 for 24 bits). Progress counts output rows.
FileStatus RotateBmp(const WqIo& source, const WqIo& target, int degrees, uint32_t outside,
                     const ProgressSink& progress, uint64_t memoryBytes = 8ull << 20);
// The pixel value closest to white in an image's colours (white itself for
// 24 bits): the outside of a rotation a user expects on a scanned page.
uint32_t WhitestPixel(uint16_t bits, const uint8_t* colourTable, uint32_t colours);

FileStatus RotateBmpFile(const char* target, const char* source, int degrees, uint32_t outside,
                         const ProgressSink& progress);

}  // namespace wq
