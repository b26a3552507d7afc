// The preview kept between sessions, "@PRESCAN.IMG" in the data source's
// directory, and its work copy "@PRTMP1.IMG" in the work directory: a
// 28-byte header naming the scanner configuration it was taken with (model,
// feeder, film unit and its type), the row stride and the image size, then
// the bitmap as a file holds it (file header, information header, pixel
// rows bottom-up; the pixels are red, green, blue bytes as scanned).
#pragma once
#include <cstdint>

#include "common/io.h"
#include "ds/preview/preview.h"

namespace wq {

constexpr uint32_t kPreviewHeaderBytes = 28;
constexpr uint32_t kPreviewBitmapHeaders = 14 + 40;
// Nothing the source scans as a preview is larger than this either way.
constexpr int32_t kPreviewMaxSide = 16384;

// The scanner configuration a preview belongs to.
struct PreviewFileKey {
  int16_t Model, ADF, Mirror, MirrorType;
};
PreviewFileKey PreviewKeyOf(const ScanSettings& s);

enum class PreviewFileStatus : uint8_t {
  kOk,
  kMissing,       // no such file
  kOtherScanner,  // written with another model, source or film unit
  kCorrupt,       // the headers do not describe the bytes, or the file ends early
  kWrongSize,     // a bitmap that is not of the bed this preview covers
  kNoMemory,
  kWriteFailed,
};

// The header and bitmap headers of an image, as written.
void EncodePreviewHeaders(const PreviewFileKey& key, const PreviewImage& image,
                          uint8_t out[kPreviewHeaderBytes + kPreviewBitmapHeaders]);
// Writes the whole file through io.
PreviewFileStatus WritePreview(const WqIo& io, const PreviewFileKey& key, const PreviewImage& image);
// Reads a file written for `expect` into a fresh raw image covering
// `covers` at `resolution` (the bitmap must have exactly that size). Any
// disagreement leaves `image` untouched.
PreviewFileStatus ReadPreview(const WqIo& io, const PreviewFileKey& expect, const AreaRect& covers,
                              int resolution, PreviewImage* image);

// The files. Paths: the data source's directory and the work directory.
void PreviewFilePath(char* buf, size_t size);
void PreviewWorkFilePath(char* buf, size_t size);
PreviewFileStatus WritePreviewFile(const char* path, const PreviewImage& image);
PreviewFileStatus ReadPreviewFile(const char* path, PreviewImage* image);

// When the preview window opens with KeepPrescan set: the kept preview of
// this scanner configuration, if there is one (16000 when memory is short).
bool LoadPreviewFile();
// The preview (from memory, else from its work copy) into "@PRESCAN.IMG";
// a failed write leaves no file.
bool SavePreviewFile();
// After each preview: its work copy.
bool WritePreviewWorkFile();

}  // namespace wq
