// The TIFF writer: the BMP's rows as TIFF stores them, in one uncompressed
// strip or in LZW strips of about 8 KB of rows (RGB with differencing), then
// the directory on a word boundary, and the header last.
#include "imagefile/tiff_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "imagefile/bmp_reader.h"
#include "imagefile/bmp_rows.h"
#include "imagefile/export_class.h"
#include "imagefile/export_file.h"
#include "imagefile/lzw_encode.h"
#include "imagefile/tiff_ifd.h"
#include "imagefile/tiff_predictor.h"
#include "imagefile/tiff_tags.h"

namespace wq {
namespace {

constexpr char kMake[] = "Korva Coporation";
constexpr char kSoftware[] = "ScanWQ V4.3 Scanner Utility";
constexpr uint64_t kReadBlockBytes = 524288;
constexpr uint32_t kLzwStripBytes = 8192;

struct WriteJob {
  const WqIo* bmp;
  const WqIo* tiff;
  const TiffWriteOptions* options;
  BmpImage image;
  uint32_t rowBytes = 0;
  uint32_t rowsPerStrip = 0;
  uint32_t strips = 0;
  uint64_t pos = kTiffHeaderSize;  // where the next strip byte goes
  std::vector<uint32_t> stripOffsets;
  std::vector<uint32_t> stripByteCounts;
  BmpRowCursor rows;
};

// Row y of the image as TIFF stores it: no padding, RGB order, pad bits 0.
FileStatus NextRow(WriteJob* job, uint32_t y, uint8_t* out) {
  const BmpImage& img = job->image;
  const uint8_t* src = nullptr;
  FileStatus st = BmpRowAt(&job->rows, y, &src);
  if (st != FileStatus::kOk) return st;
  if (img.bits == 24) {
    for (uint32_t x = 0; x < img.width; ++x) {
      out[3 * x] = src[3 * x + 2];
      out[3 * x + 1] = src[3 * x + 1];
      out[3 * x + 2] = src[3 * x];
    }
  } else {
    std::memcpy(out, src, job->rowBytes);
    const uint32_t usedBits = (img.bits * img.width) & 7;
    if (usedBits) out[job->rowBytes - 1] &= uint8_t(0xFF00 >> usedBits);
  }
  return FileStatus::kOk;
}

FileStatus PutBytes(WriteJob* job, const uint8_t* p, size_t n) {
  if (job->pos + n > 0xFFFFFFFFu) return FileStatus::kImageTooLarge;  // beyond 32-bit offsets
  IoStatus s = IoWrite(*job->tiff, job->pos, p, n);
  if (s != IoStatus::kOk) return WriteFailure(s);
  job->pos += n;
  return FileStatus::kOk;
}

FileStatus WritePlain(WriteJob* job, std::vector<uint8_t>& row) {
  const uint32_t h = job->image.height;
  job->stripOffsets.push_back(uint32_t(job->pos));
  for (uint32_t y = 0; y < h; ++y) {
    FileStatus st = NextRow(job, y, row.data());
    if (st == FileStatus::kOk) st = PutBytes(job, row.data(), job->rowBytes);
    if (st != FileStatus::kOk) return st;
    if (!ProgressStep(job->options->progress, y + 1, h)) return FileStatus::kCancelled;
  }
  job->stripByteCounts.push_back(uint32_t(job->pos - job->stripOffsets[0]));
  return FileStatus::kOk;
}

FileStatus WriteLzw(WriteJob* job, std::vector<uint8_t>& row) {
  const uint32_t h = job->image.height;
  const bool rgb = job->image.bits == 24;
  auto encoder = std::make_unique<LzwEncoder>();
  std::vector<uint8_t> coded;
  coded.reserve(kLzwStripBytes * 2);
  for (uint32_t s = 0; s < job->strips; ++s) {
    coded.clear();
    if (!LzwEncodeBegin(encoder.get(), &coded)) return FileStatus::kNoMemory;
    const uint32_t first = s * job->rowsPerStrip;
    const uint32_t last = std::min(h, first + job->rowsPerStrip);
    for (uint32_t y = first; y < last; ++y) {
      FileStatus st = NextRow(job, y, row.data());
      if (st != FileStatus::kOk) return st;
      if (rgb) PredictorDifferenceRow(row.data(), job->rowBytes, 3);
      if (!LzwEncodeBytes(encoder.get(), row.data(), job->rowBytes)) return FileStatus::kNoMemory;
    }
    if (!LzwEncodeEnd(encoder.get())) return FileStatus::kNoMemory;
    job->stripOffsets.push_back(uint32_t(job->pos));
    job->stripByteCounts.push_back(uint32_t(coded.size()));
    FileStatus st = PutBytes(job, coded.data(), coded.size());
    if (st != FileStatus::kOk) return st;
    if (!ProgressStep(job->options->progress, s + 1, job->strips)) return FileStatus::kCancelled;
  }
  return FileStatus::kOk;
}

bool BuildIfd(const WriteJob& job, TiffIfd* ifd) {
  const BmpImage& img = job.image;
  const TiffWriteOptions& o = *job.options;
  const bool bilevel = img.bits == 1, rgb = img.bits == 24, palette = !bilevel && !rgb;
  const uint8_t* table = img.colourTable.data();
  uint16_t photometric = kPhotoRgb;
  if (bilevel) photometric = table[0] >= table[4] ? kPhotoWhiteIsZero : kPhotoBlackIsZero;
  else if (palette) photometric = kPhotoPalette;
  const uint32_t xRes = TiffResolutionFromBmp(img.header.xPelsPerMeter);
  const uint32_t yRes = TiffResolutionFromBmp(img.header.yPelsPerMeter);
  static constexpr uint16_t kRgbBits[3] = {8, 8, 8};

  // Added in tag order, so that the value area follows it; the strip arrays
  // go last, after the other values.
  bool ok = TiffIfdAddLong(ifd, kTagNewSubfileType, 0) &&
            TiffIfdAddLong(ifd, kTagImageWidth, img.width) &&
            TiffIfdAddLong(ifd, kTagImageLength, img.height) &&
            (rgb ? TiffIfdAddShorts(ifd, kTagBitsPerSample, kRgbBits)
                 : TiffIfdAddShort(ifd, kTagBitsPerSample, img.bits)) &&
            TiffIfdAddShort(ifd, kTagCompression, o.lzw ? kTiffLzw : kTiffNone) &&
            TiffIfdAddShort(ifd, kTagPhotometric, photometric) &&
            (!bilevel || TiffIfdAddShort(ifd, kTagFillOrder, 1)) &&
            TiffIfdAddAscii(ifd, kTagDocumentName, o.documentName) &&
            TiffIfdAddAscii(ifd, kTagMake, kMake) &&
            TiffIfdAddShort(ifd, kTagSamplesPerPixel, rgb ? 3 : 1) &&
            TiffIfdAddLong(ifd, kTagRowsPerStrip, job.rowsPerStrip) &&
            TiffIfdAddRational(ifd, kTagXResolution, xRes, 10000) &&
            TiffIfdAddRational(ifd, kTagYResolution, yRes, 10000) &&
            (!rgb || TiffIfdAddShort(ifd, kTagPlanarConfiguration, 1)) &&
            TiffIfdAddShort(ifd, kTagResolutionUnit, 2) &&
            TiffIfdAddAscii(ifd, kTagSoftware, kSoftware) &&
            TiffIfdAddAscii(ifd, kTagDateTime, o.dateTime) &&
            (!o.lzw || TiffIfdAddShort(ifd, kTagPredictor, rgb ? 2 : 1));
  if (ok && palette) {
    const uint32_t n = 1u << img.bits;
    std::vector<uint16_t> map(3 * n);
    for (uint32_t i = 0; i < n; ++i) {
      map[i] = uint16_t(table[4 * i + 2] * 257);
      map[n + i] = uint16_t(table[4 * i + 1] * 257);
      map[2 * n + i] = uint16_t(table[4 * i] * 257);
    }
    ok = TiffIfdAddShorts(ifd, kTagColorMap, map);
  }
  return ok && TiffIfdAddLongs(ifd, kTagStripOffsets, job.stripOffsets) &&
         TiffIfdAddLongs(ifd, kTagStripByteCounts, job.stripByteCounts);
}

FileStatus Write(WriteJob* job) {
  FileStatus st = BmpOpen(*job->bmp, &job->image);
  if (st == FileStatus::kNoMemory || st == FileStatus::kImageTooLarge || st == FileStatus::kReadError)
    return st;
  if (st != FileStatus::kOk) return FileStatus::kRefused;
  const BmpImage& img = job->image;
  job->rowBytes = uint32_t(BmpRowBytes(img.bits, img.width));
  if (job->options->lzw) {
    job->rowsPerStrip = TiffLzwRowsPerStrip(job->rowBytes, img.height);
  } else {
    job->rowsPerStrip = img.height;
    if (8 + uint64_t(job->rowBytes) * img.height > 0xFFFFFFFFu) return FileStatus::kImageTooLarge;
  }
  job->strips = (img.height + job->rowsPerStrip - 1) / job->rowsPerStrip;

  st = BmpRowsBegin(&job->rows, *job->bmp, img, kReadBlockBytes);
  if (st != FileStatus::kOk) return st;
  std::vector<uint8_t> row;
  try {
    job->stripOffsets.reserve(job->strips);
    job->stripByteCounts.reserve(job->strips);
    row.resize(job->rowBytes);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  st = job->options->lzw ? WriteLzw(job, row) : WritePlain(job, row);
  if (st != FileStatus::kOk) return st;

  // TIFF 6.0 wants the directory on a word boundary.
  if (job->pos & 1) {
    const uint8_t zero = 0;
    st = PutBytes(job, &zero, 1);
    if (st != FileStatus::kOk) return st;
  }
  TiffIfd ifd;
  ifd.order = job->options->order;
  std::vector<uint8_t> bytes;
  try {
    if (!BuildIfd(*job, &ifd)) return FileStatus::kNoMemory;
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  const uint32_t ifdOffset = uint32_t(job->pos);
  if (job->pos + TiffIfdByteSize(ifd) > 0xFFFFFFFFu) return FileStatus::kImageTooLarge;
  if (!TiffIfdEncode(ifd, ifdOffset, 0, &bytes)) return FileStatus::kNoMemory;
  st = PutBytes(job, bytes.data(), bytes.size());
  if (st != FileStatus::kOk) return st;

  uint8_t header[kTiffHeaderSize];
  TiffEncodeHeader(job->options->order, ifdOffset, header);
  IoStatus s = IoWrite(*job->tiff, 0, header, sizeof header);
  return s == IoStatus::kOk ? FileStatus::kOk : WriteFailure(s);
}

}  // namespace

uint32_t TiffLzwRowsPerStrip(uint32_t rowBytes, uint32_t height) {
  uint32_t rows = rowBytes ? kLzwStripBytes / rowBytes : height;
  rows = std::max<uint32_t>(rows, 8);
  return std::max<uint32_t>(1, std::min(rows, height));
}

uint32_t TiffResolutionFromBmp(int32_t pelsPerMeter) {
  if (pelsPerMeter <= 0) return 0;
  const double v = std::trunc(double(pelsPerMeter) * 254.065 + 0.005);
  return v >= 4294967295.0 ? 0xFFFFFFFFu : uint32_t(v);
}

FileStatus TiffWriteFromBmp(const WqIo& bmp, const WqIo& tiff, const TiffWriteOptions& options) {
  WriteJob job;
  job.bmp = &bmp;
  job.tiff = &tiff;
  job.options = &options;
  // An 8-byte placeholder keeps the file whole should the header never come.
  const uint8_t zeros[kTiffHeaderSize] = {};
  IoStatus s = IoWrite(tiff, 0, zeros, sizeof zeros);
  if (s != IoStatus::kOk) return WriteFailure(s);
  try {
    return Write(&job);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
}

FileStatus TiffWriteFile(const char* target, const char* sourceBmp, int byteOrderCode, bool lzw,
                         const ProgressSink& progress) {
  if (byteOrderCode != 1 && byteOrderCode != 2) return FileStatus::kRefused;
  std::string dateTime = TiffDateTimeNow();
  TiffWriteOptions options;
  options.order = byteOrderCode == 1 ? ByteOrder::kIntel : ByteOrder::kMotorola;
  options.lzw = lzw;
  options.documentName = target;
  options.dateTime = dateTime;
  options.progress = progress;

  return ExportWriteFile(target, sourceBmp, [&](const WqIo& in, const WqIo& out) {
    return TiffWriteFromBmp(in, out, options);
  });
}

std::string TiffDateTimeNow() {
  const std::tm t = ExportLocalTimeNow();
  char text[32];
  std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", t.tm_year + 1900,
                t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

}  // namespace wq
