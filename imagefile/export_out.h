// Sequential output of the exporters through a 4,096-byte buffer, with the
// first failure kept so that a writer can check once per row.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "imagefile/file_status.h"

namespace wq {

struct ExportOut {
  const WqIo* io = nullptr;
  uint64_t pos = 0;  // file offset of buf[0]
  size_t used = 0;
  FileStatus status = FileStatus::kOk;
  uint8_t buf[4096];
};

void ExportOutBegin(ExportOut* o, const WqIo& io, uint64_t at = 0);
void ExportPut(ExportOut* o, const void* data, size_t n);
inline void ExportPutByte(ExportOut* o, uint8_t b) {
  if (o->used == sizeof o->buf) ExportPut(o, nullptr, 0);
  if (o->used < sizeof o->buf) o->buf[o->used++] = b;
}
inline void ExportPutText(ExportOut* o, std::string_view s) { ExportPut(o, s.data(), s.size()); }
// Writes what is buffered; the status of everything written.
FileStatus ExportFlush(ExportOut* o);
// Offset of the next byte.
inline uint64_t ExportTell(const ExportOut& o) { return o.pos + o.used; }

}  // namespace wq
