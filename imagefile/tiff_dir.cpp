// Reading the header and first directory of a TIFF file in either byte order:
// the tags the converter uses as BYTE, SHORT or LONG values, and the strip
// offsets and counts on demand, all checked against the file.
#include "imagefile/tiff_dir.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "imagefile/tiff_tags.h"

namespace wq {
namespace {

uint32_t TypeSize(uint16_t type) {
  switch (type) {
    case kTiffByte: return 1;
    case kTiffShort: return 2;
    case kTiffLong: return 4;
    default: return 0;
  }
}

// Reads the first count values of an integer entry (BYTE, SHORT or LONG).
FileStatus ReadNumbers(const WqIo& io, ByteOrder o, uint16_t type, uint32_t entryCount,
                       const uint8_t field[4], uint32_t count, uint32_t* out) {
  const uint32_t size = TypeSize(type);
  if (size == 0 || entryCount < count) return FileStatus::kCorrupt;
  if (count == 0) return FileStatus::kOk;
  const uint64_t bytes = uint64_t(entryCount) * size;
  uint64_t offset = 0;
  if (bytes > 4) {
    offset = Get32(field, o);
    if (offset + bytes > IoSize(io)) return FileStatus::kCorrupt;
  }
  uint8_t chunk[1024];
  uint32_t done = 0;
  while (done < count) {
    const uint32_t n = std::min<uint32_t>(count - done, sizeof chunk / size);
    const uint8_t* p = field;
    if (bytes > 4) {
      IoStatus s = IoReadExact(io, offset + uint64_t(done) * size, chunk, n * size);
      if (s != IoStatus::kOk) return ReadFailure(s);
      p = chunk;
    } else {
      p += done * size;
    }
    for (uint32_t i = 0; i < n; ++i, p += size)
      out[done + i] = size == 1 ? *p : size == 2 ? Get16(p, o) : Get32(p, o);
    done += n;
  }
  return FileStatus::kOk;
}

}  // namespace

FileStatus TiffReadDir(const WqIo& io, TiffDir* dir) {
  *dir = TiffDir{};
  uint8_t head[kTiffHeaderSize];
  IoStatus s = IoReadExact(io, 0, head, sizeof head);
  if (s != IoStatus::kOk) return s == IoStatus::kEnd ? FileStatus::kRefused : ReadFailure(s);
  if (head[0] == 'I' && head[1] == 'I') dir->order = ByteOrder::kIntel;
  else if (head[0] == 'M' && head[1] == 'M') dir->order = ByteOrder::kMotorola;
  else return FileStatus::kRefused;
  const ByteOrder o = dir->order;
  if (Get16(head + 2, o) != 42) return FileStatus::kCorrupt;
  const uint32_t ifd = Get32(head + 4, o);

  uint8_t countBytes[2];
  s = IoReadExact(io, ifd, countBytes, 2);
  if (s != IoStatus::kOk) return ReadFailure(s);
  const uint32_t n = Get16(countBytes, o);
  if (n == 0 || n > kTiffMaxEntries) return FileStatus::kCorrupt;
  uint8_t entries[12 * kTiffMaxEntries];
  s = IoReadExact(io, uint64_t(ifd) + 2, entries, 12 * n);
  if (s != IoStatus::kOk) return ReadFailure(s);

  bool haveWidth = false, haveHeight = false, haveOffsets = false;
  for (uint32_t i = 0; i < n; ++i) {
    const uint8_t* e = entries + 12 * i;
    const uint16_t tag = Get16(e, o);
    const uint16_t type = Get16(e + 2, o);
    const uint32_t count = Get32(e + 4, o);
    const uint8_t* field = e + 8;
    uint32_t v = 0;
    FileStatus st = FileStatus::kOk;
    auto scalar = [&](uint32_t* dst) {
      st = ReadNumbers(io, o, type, count, field, 1, &v);
      if (st == FileStatus::kOk) *dst = v;
    };
    switch (tag) {
      case kTagNewSubfileType:
      case kTagSubfileType: scalar(&dir->subfileType); break;
      case kTagImageWidth: scalar(&dir->width); haveWidth = true; break;
      case kTagImageLength: scalar(&dir->height); haveHeight = true; break;
      case kTagSamplesPerPixel: scalar(&dir->samplesPerPixel); break;
      case kTagCompression: scalar(&dir->compression); break;
      case kTagPhotometric: scalar(&dir->photometric); break;
      case kTagPlanarConfiguration: scalar(&dir->planar); break;
      case kTagT4Options: scalar(&dir->t4Options); break;
      case kTagPredictor: scalar(&dir->predictor); break;
      case kTagFillOrder: scalar(&dir->fillOrder); break;
      case kTagRowsPerStrip: scalar(&dir->rowsPerStrip); break;
      case kTagBitsPerSample:
        if (count == 0 || count > 4) {
          st = FileStatus::kRefused;
          break;
        }
        dir->bitsCount = count;
        st = ReadNumbers(io, o, type, count, field, count, dir->bitsPerSample);
        break;
      case kTagStripOffsets:
      case kTagStripByteCounts: {
        TiffDir::Array& a = tag == kTagStripOffsets ? dir->offsetsEntry : dir->countsEntry;
        if (TypeSize(type) == 0 || count == 0) {
          st = FileStatus::kCorrupt;
          break;
        }
        a.type = type;
        a.count = count;
        std::memcpy(a.field, field, 4);
        if (tag == kTagStripOffsets) haveOffsets = true;
        else dir->haveByteCounts = true;
        break;
      }
      case kTagColorMap: {
        if (count > kTiffMaxColorMap) {
          st = FileStatus::kRefused;
          break;
        }
        uint32_t values[kTiffMaxColorMap];
        st = ReadNumbers(io, o, type, count, field, count, values);
        if (st != FileStatus::kOk) break;
        try {
          dir->colorMap.assign(values, values + count);
        } catch (const std::bad_alloc&) {
          st = FileStatus::kNoMemory;
        }
        break;
      }
      default: break;  // tags the converter does not use
    }
    if (st != FileStatus::kOk) return st;
  }
  if (!haveWidth || !haveHeight || !haveOffsets) return FileStatus::kCorrupt;
  return FileStatus::kOk;
}

FileStatus TiffReadStrips(const WqIo& io, TiffDir* dir, uint32_t count) {
  try {
    dir->stripOffsets.assign(count, 0);
    dir->stripByteCounts.assign(count, 0);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  const TiffDir::Array& a = dir->offsetsEntry;
  FileStatus st = ReadNumbers(io, dir->order, a.type, a.count, a.field, count,
                              dir->stripOffsets.data());
  if (st != FileStatus::kOk || !dir->haveByteCounts) return st;
  const TiffDir::Array& b = dir->countsEntry;
  return ReadNumbers(io, dir->order, b.type, b.count, b.field, count, dir->stripByteCounts.data());
}

}  // namespace wq
