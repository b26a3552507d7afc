// The table of TIFF compressions: uncompressed strips, the two CCITT codings,
// LZW, and the JPEG codings, which are known but refused.
#include "imagefile/tiff_codecs.h"

#include "imagefile/tiff_tags.h"

namespace wq {
namespace {

FileStatus AcceptAny(const TiffDir&, TiffClass, TiffLayout*) { return FileStatus::kOk; }
FileStatus Refuse(const TiffDir&, TiffClass, TiffLayout*) { return FileStatus::kRefused; }

constexpr TiffCodec kNone = {kTiffNone, AcceptAny, nullptr, nullptr, nullptr};
// The later JPEG coding is refused as the old one is.
constexpr TiffCodec kOldJpeg = {kTiffOldJpeg, Refuse, nullptr, nullptr, nullptr};
constexpr TiffCodec kJpeg = {kTiffJpeg, Refuse, nullptr, nullptr, nullptr};

const TiffCodec* const kCodecs[] = {&kNone, &kTiffCcittRleCodec, &kTiffCcittG3Codec,
                                    &kTiffLzwCodec, &kOldJpeg, &kJpeg};

}  // namespace

const TiffCodec* FindTiffCodec(uint16_t compression) {
  for (const TiffCodec* c : kCodecs)
    if (c->Compression == compression) return c;
  return nullptr;
}

}  // namespace wq
