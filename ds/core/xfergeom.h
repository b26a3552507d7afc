// The transfer geometry: output size and the row and header sizes of the
// three transfer mechanisms, from the image kind and the output size.
#pragma once
#include <cstdint>

namespace wq {

struct XferGeometry {
  uint32_t ImageWidth;    // output pixels per row
  uint32_t ImageRows;
  uint32_t DibRowBytes;   // native bitmap row, padded to 4 bytes
  uint32_t XferRowBytes;  // memory-transfer row, padded to 4 bytes
  uint32_t RowBytes;      // converted row before padding
  uint32_t HeaderBytes;   // bitmap header with its colour table
};

// kind: the low byte of the settings' Mode (1 black and white, 2 eight
// colours, 3 grey, 4 and 5 palette, 6 full colour). Eight-colour rows are
// 4 bits a pixel for native and BMP transfers, 8 bits for memory and TIFF.
XferGeometry ComputeXferGeometry(int kind, uint32_t width, uint32_t rows, uint16_t xferMech,
                                 uint16_t fileFormat);

// Bits of each sample of an image of that kind: 1 for black and white, else
// 8 (the three samples of full colour alike).
constexpr uint16_t BitsPerSampleOfKind(int kind) { return kind == 1 ? 1 : 8; }

// DAT_SETUPMEMXFER sizes for rows of r bytes.
void MemXferSizes(uint32_t xferRowBytes, uint32_t* minSize, uint32_t* preferred, uint32_t* maxSize);

}  // namespace wq
