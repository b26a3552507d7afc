// CCITT strips of the TIFF reader: modified Huffman (compression 2, rows
// byte-aligned) and Group 3 one-dimensional coding (3), bilevel images only.
#include "imagefile/tiff_codecs.h"
#include "imagefile/tiff_rows.h"
#include "imagefile/tiff_tags.h"

namespace wq {
namespace {

FileStatus AcceptRle(const TiffDir&, TiffClass cls, TiffLayout*) {
  return cls == TiffClass::kBilevel ? FileStatus::kOk : FileStatus::kRefused;
}

// T4Options bit 0 is 2-D coding, bit 1 uncompressed mode; bit 2 (fill bits)
// is read.
FileStatus AcceptG3(const TiffDir& d, TiffClass cls, TiffLayout* l) {
  if (d.t4Options & 3) return FileStatus::kRefused;
  return AcceptRle(d, cls, l);
}

void StartRle(TiffRowReader* r) {
  CcittBegin(&r->ccitt, r->raw, r->dir->width, CcittMode::kModifiedHuffman);
}
void StartG3(TiffRowReader* r) { CcittBegin(&r->ccitt, r->raw, r->dir->width, CcittMode::kGroup3); }

FileStatus DecodeRow(TiffRowReader* r, uint8_t* out) {
  return CcittDecodeRow(&r->ccitt, out) == CcittStatus::kOk ? FileStatus::kOk : FileStatus::kCorrupt;
}

}  // namespace

const TiffCodec kTiffCcittRleCodec = {kTiffCcittRle, AcceptRle, nullptr, StartRle, DecodeRow};
const TiffCodec kTiffCcittG3Codec = {kTiffCcittG3, AcceptG3, nullptr, StartG3, DecodeRow};

}  // namespace wq
