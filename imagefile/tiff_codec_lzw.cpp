// LZW strips of the TIFF reader, with the horizontal differencing of
// predictor 2 undone row by row.
#include <memory>
#include <new>

#include "imagefile/tiff_codecs.h"
#include "imagefile/tiff_predictor.h"
#include "imagefile/tiff_rows.h"
#include "imagefile/tiff_tags.h"

namespace wq {
namespace {

FileStatus Accept(const TiffDir& d, TiffClass cls, TiffLayout* l) {
  if (d.predictor == 2) {
    if (cls != TiffClass::kGrey8 && cls != TiffClass::kPalette8 && cls != TiffClass::kRgb)
      return FileStatus::kRefused;
    l->undoPredictor = true;
    return FileStatus::kOk;
  }
  return d.predictor == 1 ? FileStatus::kOk : FileStatus::kRefused;
}

FileStatus Begin(TiffRowReader* r) {
  try {
    r->lzw = std::make_unique<LzwDecoder>();
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  return FileStatus::kOk;
}

void StartStrip(TiffRowReader* r) { LzwDecodeBegin(r->lzw.get(), r->raw); }

FileStatus DecodeRow(TiffRowReader* r, uint8_t* out) {
  const TiffLayout& l = *r->layout;
  switch (LzwDecode(r->lzw.get(), out, l.rowBytes)) {
    case LzwStatus::kOk: break;
    case LzwStatus::kOldStyle: return FileStatus::kRefused;
    default: return FileStatus::kCorrupt;
  }
  if (l.undoPredictor) PredictorAccumulateRow(out, l.rowBytes, l.cls == TiffClass::kRgb ? 3 : 1);
  return FileStatus::kOk;
}

}  // namespace

const TiffCodec kTiffLzwCodec = {kTiffLzw, Accept, Begin, StartStrip, DecodeRow};

}  // namespace wq
