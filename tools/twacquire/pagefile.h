// A page of the memory transfer written as a BMP while its strips arrive
// (the rows go straight to the file, so memory does not grow with the
// page), and the file header that makes a native transfer's DIB a BMP.
#pragma once
#include <cstdint>
#include <vector>

#include "imagefile/bmp_writer.h"
#include "imagefile/file_status.h"
#include "imagefile/twain_dib.h"
#include "common/io.h"
#include "twain/twain.h"

namespace wq {

struct PageFile {
  XferImage Image;
  ColourPlan Colours;
  BmpWriter Bmp;
  std::vector<uint8_t> Row;
  uint32_t RowsDone = 0;
};

// The image as DAT_IMAGEINFO describes it; blackIsZero from
// ICAP_PIXELFLAVOR (chocolate), the palette from DAT_PALETTE8 (null when
// the source has none). kUnsupportedBmp for images a BMP cannot hold.
FileStatus PageFileBegin(PageFile* p, const WqIo& io, const TW_IMAGEINFO& info, bool blackIsZero,
                         const TW_PALETTE8* palette);
// One strip: `rows` rows of `bytesPerRow` bytes, the first being row
// `yOffset` of the page. Strips must come top-down without gaps; kCorrupt
// for one that does not fit the page.
FileStatus PageFilePutStrip(PageFile* p, const uint8_t* data, uint32_t bytesPerRow, uint32_t rows,
                            uint32_t yOffset, uint32_t bytesWritten);
// Fails unless every row of the page came.
FileStatus PageFileFinish(PageFile* p);

// The 14-byte BMP file header of a packed DIB of `size` bytes; false when
// the block does not hold a whole uncompressed DIB.
bool BmpFileHeaderOfDib(const uint8_t* dib, uint64_t size, uint8_t out[14]);

}  // namespace wq
