// Page files: a memory transfer's strips checked for order and size and
// converted row by row into the BMP writer, black and white given a palette by
// the flavour, and the BMP file header of a native transfer's DIB.
#include "tools/twacquire/pagefile.h"

#include <cstring>

#include "imagefile/bmp.h"
#include "common/bytes.h"

namespace wq {

FileStatus PageFileBegin(PageFile* p, const WqIo& io, const TW_IMAGEINFO& info, bool blackIsZero,
                         const TW_PALETTE8* palette) {
  DibRefusal why = DibRefusal::kNone;
  if (!DescribeTwainImage(info, &p->Image, &why)) return FileStatus::kUnsupportedBmp;
  // A source that describes its black-and-white or grey values by a palette
  // is taken at its word; otherwise the flavour decides.
  XferImage plan = p->Image;
  TW_PALETTE8 bw{};
  if ((!palette || palette->NumColors == 0) && plan.pixelType == TWPT_BW) {
    bw.NumColors = 2;
    const uint8_t zero = blackIsZero ? 0 : 255;
    bw.Colors[0] = TW_ELEMENT8{0, zero, zero, zero};
    bw.Colors[1] = TW_ELEMENT8{1, uint8_t(255 - zero), uint8_t(255 - zero), uint8_t(255 - zero)};
    palette = &bw;
  }
  if (palette && palette->NumColors && plan.pixelType != TWPT_RGB) plan.pixelType = TWPT_PALETTE;
  p->Colours = PlanColours(plan, blackIsZero, palette);
  p->RowsDone = 0;
  try {
    p->Row.assign(size_t(p->Image.stride), 0);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  return BmpWriterBegin(&p->Bmp, io, p->Image.width, p->Image.height, p->Image.bits,
                        std::span<const uint8_t>(p->Colours.table.data(), p->Colours.colours * 4),
                        p->Colours.colours, PelsPerMeter(TWUN_INCHES, info.XResolution),
                        PelsPerMeter(TWUN_INCHES, info.YResolution));
}

FileStatus PageFilePutStrip(PageFile* p, const uint8_t* data, uint32_t bytesPerRow, uint32_t rows,
                            uint32_t yOffset, uint32_t bytesWritten) {
  if (yOffset != p->RowsDone || rows > p->Image.height - p->RowsDone ||
      bytesPerRow < p->Image.rowBytes || uint64_t(bytesPerRow) * rows > bytesWritten)
    return FileStatus::kCorrupt;
  for (uint32_t r = 0; r < rows; ++r) {
    ConvertRow(p->Image, p->Colours, data + size_t(r) * bytesPerRow, p->Row.data());
    const FileStatus s = BmpWriterPutRow(&p->Bmp, p->Row.data());
    if (s != FileStatus::kOk) return s;
  }
  p->RowsDone += rows;
  return FileStatus::kOk;
}

FileStatus PageFileFinish(PageFile* p) {
  if (p->RowsDone != p->Image.height) return FileStatus::kCorrupt;
  return BmpWriterFinish(&p->Bmp);
}

bool BmpFileHeaderOfDib(const uint8_t* dib, uint64_t size, uint8_t out[14]) {
  if (size < kBmpInfoHeaderSize || GetLE32(dib) != kBmpInfoHeaderSize) return false;
  const int32_t width = int32_t(GetLE32(dib + 4));
  const int32_t height = int32_t(GetLE32(dib + 8));
  const uint16_t bits = GetLE16(dib + 14);
  const uint32_t compression = GetLE32(dib + 16);
  const uint32_t clrUsed = GetLE32(dib + 32);
  if (width <= 0 || height == 0 || compression != 0 ||
      (bits != 1 && bits != 4 && bits != 8 && bits != 24))
    return false;
  const uint32_t colours = clrUsed ? clrUsed : BmpDefaultColours(bits);
  if (colours > 256) return false;
  const uint64_t offBits = kBmpFileHeaderSize + kBmpInfoHeaderSize + uint64_t(colours) * 4;
  const uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : height);
  const uint64_t total = offBits - kBmpFileHeaderSize + BmpStride(bits, uint32_t(width)) * rows;
  if (total > size || kBmpFileHeaderSize + total > 0xFFFFFFFFu) return false;
  out[0] = 'B';
  out[1] = 'M';
  PutLE32(out + 2, uint32_t(kBmpFileHeaderSize + total));
  PutLE32(out + 6, 0);
  PutLE32(out + 10, uint32_t(offBits));
  return true;
}

}  // namespace wq
