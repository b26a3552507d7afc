// The I/O record on memory: a reader over bytes, and a writer that grows up to
// its limit and reads back what it holds.
#include "common/io.h"

#include <cstring>
#include <new>

namespace wq {

IoStatus IoReadExact(const WqIo& io, uint64_t offset, void* buf, size_t len) {
  size_t got = 0;
  IoStatus s = io.read(io.ctx, offset, buf, len, &got);
  if (s != IoStatus::kOk) return s;
  return got == len ? IoStatus::kOk : IoStatus::kEnd;
}

namespace {

IoStatus MemRead(void* ctx, uint64_t offset, void* buf, size_t len, size_t* got) {
  auto* m = static_cast<MemReader*>(ctx);
  *got = 0;
  if (offset >= m->data.size()) return IoStatus::kOk;
  size_t n = m->data.size() - size_t(offset);
  if (n > len) n = len;
  if (n) std::memcpy(buf, m->data.data() + offset, n);
  *got = n;
  return IoStatus::kOk;
}

uint64_t MemReaderSize(void* ctx) { return static_cast<MemReader*>(ctx)->data.size(); }

IoStatus MemReadBack(void* ctx, uint64_t offset, void* buf, size_t len, size_t* got) {
  auto* m = static_cast<MemWriter*>(ctx);
  MemReader r{m->bytes};
  return MemRead(&r, offset, buf, len, got);
}

IoStatus MemWrite(void* ctx, uint64_t offset, const void* buf, size_t len) {
  auto* m = static_cast<MemWriter*>(ctx);
  if (offset > m->limit || len > m->limit - offset) return IoStatus::kNoSpace;
  uint64_t end = offset + len;
  if (end > SIZE_MAX) return IoStatus::kNoSpace;
  try {
    if (end > m->bytes.size()) m->bytes.resize(size_t(end));
  } catch (const std::bad_alloc&) {
    return IoStatus::kNoMemory;
  }
  if (len) std::memcpy(m->bytes.data() + offset, buf, len);
  return IoStatus::kOk;
}

uint64_t MemWriterSize(void* ctx) { return static_cast<MemWriter*>(ctx)->bytes.size(); }

}  // namespace

WqIo MemReaderIo(MemReader* m) {
  WqIo io;
  io.ctx = m;
  io.read = MemRead;
  io.size = MemReaderSize;
  io.write = [](void*, uint64_t, const void*, size_t) { return IoStatus::kError; };
  return io;
}

WqIo MemWriterIo(MemWriter* m) {
  WqIo io;
  io.ctx = m;
  io.read = MemReadBack;
  io.write = MemWrite;
  io.size = MemWriterSize;
  return io;
}

}  // namespace wq
