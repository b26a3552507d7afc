// The file transfer's TIFF head: the header and the page's one directory with
// its tags by kind (bilevel, grey, palette, colour), the strip offset filled in
// once the layout is known.
#include "ds/core/tiffout.h"

#include <cstdio>
#include <new>

#include "imagefile/tiff_ifd.h"
#include "ds/core/dib.h"

namespace wq {

uint64_t TiffRowBytes(int kind, uint32_t width) {
  switch (kind) {
    case 1: return (uint64_t(width) + 7) / 8;
    case 6: return 3 * uint64_t(width);
    default: return width;
  }
}

bool BuildTiffHead(const TiffPage& p, std::vector<uint8_t>* head) {
  const uint64_t imageBytes = TiffRowBytes(p.Kind, p.Width) * p.Rows;
  const bool colour = p.Kind == 6;
  const bool palette = p.Kind == 2 || p.Kind == 4 || p.Kind == 5;
  // The standard's form "YYYY:MM:DD HH:MM:SS": every field two digits.
  char date[32];
  snprintf(date, sizeof date, "%04d:%02d:%02d %02d:%02d:%02d", p.Year % 10000, p.Month % 100,
           p.Day % 100, p.Hour % 100, p.Minute % 100, p.Second % 100);

  TiffIfd ifd;
  ifd.order = ByteOrder::kIntel;
  bool ok = true;
  // Values go to the value area in this order; the directory itself lists
  // the entries by ascending tag, as readers require.
  if (colour)
    ok = ok && TiffIfdAddLong(&ifd, kTagNewSubfileType, 0);
  else
    ok = ok && TiffIfdAddShort(&ifd, kTagSubfileType, 1);
  ok = ok && TiffIfdAddLong(&ifd, kTagImageWidth, p.Width);
  ok = ok && TiffIfdAddLong(&ifd, kTagImageLength, p.Rows);
  if (colour) {
    const uint16_t bits[3] = {8, 8, 8};
    ok = ok && TiffIfdAddShorts(&ifd, kTagBitsPerSample, bits);
  } else {
    ok = ok && TiffIfdAddShort(&ifd, kTagBitsPerSample, p.Kind == 1 ? 1 : 8);
  }
  ok = ok && TiffIfdAddShort(&ifd, kTagCompression, kTiffNone);
  if (palette || colour)
    ok = ok && TiffIfdAddShort(&ifd, kTagPhotometric, colour ? kPhotoRgb : kPhotoPalette);
  ok = ok && TiffIfdAddAscii(&ifd, kTagDocumentName, p.DocumentName ? p.DocumentName : "");
  ok = ok && TiffIfdAddAscii(&ifd, kTagMake, "KORVA CORPORATION");
  ok = ok && TiffIfdAddLong(&ifd, kTagStripOffsets, 0);  // known once the layout is
  ok = ok && TiffIfdAddShort(&ifd, kTagSamplesPerPixel, colour ? 3 : 1);
  if (colour) ok = ok && TiffIfdAddLong(&ifd, kTagRowsPerStrip, p.Rows);
  ok = ok && TiffIfdAddLong(&ifd, kTagStripByteCounts, uint32_t(imageBytes));
  ok = ok && TiffIfdAddRational(&ifd, kTagXResolution, uint32_t(p.XRes), 1);
  ok = ok && TiffIfdAddRational(&ifd, kTagYResolution, uint32_t(p.YRes), 1);
  if (!palette && !colour)
    ok = ok && TiffIfdAddShort(&ifd, kTagPhotometric, p.Kind == 1 ? kPhotoWhiteIsZero : kPhotoBlackIsZero);
  ok = ok && TiffIfdAddAscii(&ifd, kTagSoftware, "ScanWQ V4.0x Scanner Utility");
  ok = ok && TiffIfdAddAscii(&ifd, kTagDateTime, date);
  ok = ok && TiffIfdAddAscii(&ifd, kTagHostComputer, "IBM");
  if (palette) {
    uint16_t map[768];
    TiffColourMap(p.Kind, map);
    ok = ok && TiffIfdAddShorts(&ifd, kTagColorMap, map);
  }
  if (!ok) return false;

  const uint64_t headBytes = kTiffHeaderSize + TiffIfdByteSize(ifd);
  if (headBytes + imageBytes > 0xFFFFFFFFu) return false;
  if (!TiffIfdSetNumber(&ifd, kTagStripOffsets, 0, uint32_t(headBytes))) return false;
  std::vector<uint8_t> dir;
  if (!TiffIfdEncode(ifd, kTiffHeaderSize, 0, &dir)) return false;
  try {
    head->assign(kTiffHeaderSize, 0);
    TiffEncodeHeader(ByteOrder::kIntel, kTiffHeaderSize, head->data());
    head->insert(head->end(), dir.begin(), dir.end());
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace wq
