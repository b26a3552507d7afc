// The exporters' buffered output.
#include "imagefile/export_out.h"

#include <cstring>

namespace wq {

void ExportOutBegin(ExportOut* o, const WqIo& io, uint64_t at) {
  o->io = &io;
  o->pos = at;
  o->used = 0;
  o->status = FileStatus::kOk;
}

FileStatus ExportFlush(ExportOut* o) {
  if (o->used && o->status == FileStatus::kOk) {
    const IoStatus s = IoWrite(*o->io, o->pos, o->buf, o->used);
    if (s != IoStatus::kOk) o->status = WriteFailure(s);
  }
  o->pos += o->used;
  o->used = 0;
  return o->status;
}

// A full buffer goes out first; nullptr with 0 only makes room.
void ExportPut(ExportOut* o, const void* data, size_t n) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  if (o->used == sizeof o->buf) ExportFlush(o);
  while (n) {
    const size_t k = n < sizeof o->buf - o->used ? n : sizeof o->buf - o->used;
    std::memcpy(o->buf + o->used, p, k);
    o->used += k;
    p += k;
    n -= k;
    if (o->used == sizeof o->buf) ExportFlush(o);
  }
}

}  // namespace wq
