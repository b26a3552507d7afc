// Classifying a TIFF directory (bilevel, 4- or 8-bit grey or palette, or 8-bit
// RGB), the codec's and the layout's consent, the BMP depth and colour table it
// becomes, and the strips per plane.
#include "imagefile/tiff_class.h"

#include "imagefile/bmp_reader.h"
#include "imagefile/tiff_codecs.h"
#include "imagefile/tiff_tags.h"

namespace wq {
namespace {

FileStatus ImageClass(const TiffDir& d, TiffClass* cls) {
  const uint32_t spp = d.samplesPerPixel;
  if (spp != 1 && spp != 3) return FileStatus::kRefused;
  if (d.bitsCount != 1 && d.bitsCount < spp) return FileStatus::kCorrupt;
  for (uint32_t i = 1; i < spp && d.bitsCount > 1; ++i)
    if (d.bitsPerSample[i] != d.bitsPerSample[0]) return FileStatus::kRefused;
  const uint32_t bits = d.bitsPerSample[0];
  const uint32_t photo = d.photometric;
  const bool grey = photo == kPhotoWhiteIsZero || photo == kPhotoBlackIsZero;
  if (spp == 3) {
    if (bits != 8 || photo != kPhotoRgb) return FileStatus::kRefused;
    *cls = TiffClass::kRgb;
  } else if (bits == 1 && grey) {
    *cls = TiffClass::kBilevel;
  } else if (bits == 4 && (grey || photo == kPhotoPalette)) {
    *cls = grey ? TiffClass::kGrey4 : TiffClass::kPalette4;
  } else if (bits == 8 && (grey || photo == kPhotoPalette)) {
    *cls = grey ? TiffClass::kGrey8 : TiffClass::kPalette8;
  } else {
    return FileStatus::kRefused;
  }
  return FileStatus::kOk;
}

FileStatus Coding(const TiffDir& d, TiffClass cls, TiffLayout* l) {
  const TiffCodec* codec = FindTiffCodec(d.compression);
  if (!codec) return FileStatus::kUnknownCompression;
  const FileStatus accepted = codec->Accept(d, cls, l);
  if (accepted != FileStatus::kOk) return accepted;
  if (d.planar != 1 && d.planar != 2) return FileStatus::kCorrupt;
  // With one sample the two layouts are the same.
  if (d.planar == 2 && cls == TiffClass::kRgb) {
    if (d.compression != kTiffNone) return FileStatus::kRefused;
    l->planes = 3;
  }
  if (d.fillOrder != 1 && d.fillOrder != 2) return FileStatus::kCorrupt;
  return FileStatus::kOk;
}

FileStatus ColourTable(const TiffDir& d, TiffLayout* l) {
  uint8_t* t = l->colourTable.data();
  const bool whiteIsZero = d.photometric == kPhotoWhiteIsZero;
  switch (l->cls) {
    case TiffClass::kRgb:
      l->colours = 0;
      return FileStatus::kOk;
    case TiffClass::kBilevel:
    case TiffClass::kGrey4:
    case TiffClass::kGrey8: {
      l->colours = 1u << l->bmpBits;
      const uint32_t top = l->colours - 1;
      for (uint32_t i = 0; i < l->colours; ++i) {
        const uint32_t level = (whiteIsZero ? top - i : i) * 255 / top;
        t[4 * i] = t[4 * i + 1] = t[4 * i + 2] = uint8_t(level);
      }
      return FileStatus::kOk;
    }
    case TiffClass::kPalette4:
    case TiffClass::kPalette8: {
      l->colours = 1u << l->bmpBits;
      const uint32_t n = l->colours;
      if (d.colorMap.size() != 3 * n) return FileStatus::kCorrupt;
      for (uint32_t i = 0; i < n; ++i) {
        t[4 * i] = uint8_t(d.colorMap[2 * n + i] >> 8);
        t[4 * i + 1] = uint8_t(d.colorMap[n + i] >> 8);
        t[4 * i + 2] = uint8_t(d.colorMap[i] >> 8);
      }
      return FileStatus::kOk;
    }
  }
  return FileStatus::kOk;
}

}  // namespace

FileStatus TiffClassify(const TiffDir& d, TiffLayout* l) {
  *l = TiffLayout{};
  if (d.width == 0 || d.height == 0) return FileStatus::kCorrupt;
  if (d.width > kMaxImageSide || d.height > kMaxImageSide) return FileStatus::kImageTooLarge;
  FileStatus st = ImageClass(d, &l->cls);
  if (st != FileStatus::kOk) return st;
  st = Coding(d, l->cls, l);
  if (st != FileStatus::kOk) return st;
  static constexpr uint16_t kBmpBits[] = {1, 4, 4, 8, 8, 24};
  l->bmpBits = kBmpBits[int(l->cls)];
  l->rowBytes = (uint32_t(l->bmpBits) * d.width + 7) / 8;
  st = ColourTable(d, l);
  if (st != FileStatus::kOk) return st;
  // RowsPerStrip 0 is read, as by other readers, as one strip for the image.
  l->rowsPerStrip = d.rowsPerStrip == 0 || d.rowsPerStrip > d.height ? d.height : d.rowsPerStrip;
  l->stripsPerPlane = (d.height + l->rowsPerStrip - 1) / l->rowsPerStrip;
  return FileStatus::kOk;
}

}  // namespace wq
