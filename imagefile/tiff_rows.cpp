// The TIFF rows in order: uncompressed rows read straight from their strip
// (three plane strips interleaved for planar RGB), coded strips read whole and
// decoded row by row, and FillOrder 2 bytes reversed first.
#include "imagefile/tiff_rows.h"

#include <new>

#include "imagefile/tiff_codecs.h"

namespace wq {
namespace {

constexpr auto kReversedBits = [] {
  std::array<uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) {
    int r = 0;
    for (int b = 0; b < 8; ++b) r |= ((i >> b) & 1) << (7 - b);
    t[i] = uint8_t(r);
  }
  return t;
}();

// FillOrder 2 stores the first pixel in the least significant bit.
void ReverseBits(uint8_t* p, size_t n) {
  for (size_t i = 0; i < n; ++i) p[i] = kReversedBits[p[i]];
}

// Reads a row of uncompressed strip data: row r of strip s.
FileStatus ReadPlainRow(TiffRowReader* rd, uint32_t s, uint32_t r, uint32_t bytes, uint8_t* out) {
  const TiffDir& d = *rd->dir;
  const uint64_t start = uint64_t(r) * bytes;
  if (d.haveByteCounts && start + bytes > d.stripByteCounts[s]) return FileStatus::kCorrupt;
  IoStatus st = IoReadExact(*rd->io, d.stripOffsets[s] + start, out, bytes);
  if (st != IoStatus::kOk) return ReadFailure(st);
  if (d.fillOrder == 2) ReverseBits(out, bytes);
  return FileStatus::kOk;
}

// A coded strip is read whole, its bits put in order, and handed to its
// codec.
FileStatus OpenCodedStrip(TiffRowReader* rd, uint32_t s) {
  const TiffDir& d = *rd->dir;
  const uint64_t fileSize = IoSize(*rd->io);
  const uint64_t offset = d.stripOffsets[s];
  if (offset >= fileSize) return FileStatus::kCorrupt;
  uint64_t n = fileSize - offset;
  if (d.haveByteCounts && d.stripByteCounts[s] < n) n = d.stripByteCounts[s];
  if (n > SIZE_MAX) return FileStatus::kNoMemory;
  try {
    rd->raw.resize(size_t(n));
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  IoStatus st = IoReadExact(*rd->io, offset, rd->raw.data(), size_t(n));
  if (st != IoStatus::kOk) return ReadFailure(st);
  if (d.fillOrder == 2) ReverseBits(rd->raw.data(), rd->raw.size());
  rd->codec->StartStrip(rd);
  return FileStatus::kOk;
}

}  // namespace

FileStatus TiffRowsBegin(TiffRowReader* r, const WqIo& io, const TiffDir& dir,
                         const TiffLayout& layout) {
  r->io = &io;
  r->dir = &dir;
  r->layout = &layout;
  r->row = 0;
  r->strip = 0;
  r->stripOpen = false;
  // The directory was classified: its compression is one the table knows.
  r->codec = FindTiffCodec(dir.compression);
  if (!r->codec) return FileStatus::kUnknownCompression;
  try {
    if (layout.planes > 1) r->plane.resize(dir.width);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  return r->codec->Begin ? r->codec->Begin(r) : FileStatus::kOk;
}

FileStatus TiffRowsNext(TiffRowReader* r, uint8_t* out) {
  const TiffLayout& l = *r->layout;
  if (r->row >= r->dir->height) return FileStatus::kCorrupt;
  const uint32_t s = r->row / l.rowsPerStrip;
  const uint32_t inStrip = r->row % l.rowsPerStrip;
  ++r->row;
  if (!r->codec->DecodeRow) {
    if (l.planes == 1) return ReadPlainRow(r, s, inStrip, l.rowBytes, out);
    // Separate planes: red, green and blue strips of the same rows.
    const uint32_t w = r->dir->width;
    for (uint32_t p = 0; p < 3; ++p) {
      FileStatus st = ReadPlainRow(r, p * l.stripsPerPlane + s, inStrip, w, r->plane.data());
      if (st != FileStatus::kOk) return st;
      for (uint32_t x = 0; x < w; ++x) out[3 * x + p] = r->plane[x];
    }
    return FileStatus::kOk;
  }
  if (!r->stripOpen || s != r->strip) {
    FileStatus st = OpenCodedStrip(r, s);
    if (st != FileStatus::kOk) return st;
    r->strip = s;
    r->stripOpen = true;
  }
  return r->codec->DecodeRow(r, out);
}

}  // namespace wq
