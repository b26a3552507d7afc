// Positioned byte I/O through a small record of callbacks, so that codecs run
// on files in the program and on memory in tests and fuzzers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace wq {

enum class IoStatus : uint8_t {
  kOk,
  kEnd,       // the data ends before the bytes asked for
  kError,     // the device or file failed
  kNoSpace,   // the disk (or the memory sink's limit) is full
  kNoMemory,
};

struct WqIo {
  void* ctx = nullptr;
  // Reads up to len bytes at offset; *got tells how many (fewer only at the end).
  IoStatus (*read)(void* ctx, uint64_t offset, void* buf, size_t len, size_t* got) = nullptr;
  IoStatus (*write)(void* ctx, uint64_t offset, const void* buf, size_t len) = nullptr;
  uint64_t (*size)(void* ctx) = nullptr;
};

// Reads exactly len bytes or reports kEnd.
IoStatus IoReadExact(const WqIo& io, uint64_t offset, void* buf, size_t len);
inline IoStatus IoWrite(const WqIo& io, uint64_t offset, const void* buf, size_t len) {
  return io.write(io.ctx, offset, buf, len);
}
inline uint64_t IoSize(const WqIo& io) { return io.size(io.ctx); }

// Bytes held by the caller.
struct MemReader {
  std::span<const uint8_t> data;
};
WqIo MemReaderIo(MemReader* m);

// A growing byte vector. Writes that would take it beyond limit fail with
// kNoSpace, which lets tests stand in for a full disk.
struct MemWriter {
  std::vector<uint8_t> bytes;
  uint64_t limit = uint64_t(1) << 32;
};
WqIo MemWriterIo(MemWriter* m);

}  // namespace wq
