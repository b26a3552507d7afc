// Outcome of reading, converting or writing an image file, and the progress
// callback of the long operations.
#pragma once
#include <cstdint>

#include "common/io.h"

namespace wq {

enum class FileStatus : uint8_t {
  kOk,
  kCancelled,          // ESC during the operation: no message
  kNotBmp,             // no "BM" signature
  kOs2Bmp,             // info header of another size than 40 bytes
  kPackedBmp,          // run-length compressed pixels
  kUnsupportedBmp,     // bit fields, embedded JPEG/PNG, depths other than 1, 4, 8, 24
  kImageTooLarge,      // 32,768 pixels or more in either direction
  kUnknownCompression, // a TIFF compression other than 1, 2, 3, 5, 6
  kRefused,            // a TIFF class, byte order or coding the program does not read
  kCorrupt,            // malformed or truncated data
  kReadError,
  kWriteError,
  kNoSpace,
  kNoMemory,
};

// Statuses of failed reads and writes of the I/O record.
constexpr FileStatus ReadFailure(IoStatus s) {
  return s == IoStatus::kEnd ? FileStatus::kCorrupt
         : s == IoStatus::kNoMemory ? FileStatus::kNoMemory
                                    : FileStatus::kReadError;
}
constexpr FileStatus WriteFailure(IoStatus s) {
  return s == IoStatus::kNoSpace ? FileStatus::kNoSpace
         : s == IoStatus::kNoMemory ? FileStatus::kNoMemory
                                    : FileStatus::kWriteError;
}

// Progress of a long operation: units done of total. Returning false cancels.
struct ProgressSink {
  bool (*step)(void* ctx, uint32_t done, uint32_t total) = nullptr;
  void* ctx = nullptr;
};
inline bool ProgressStep(const ProgressSink& p, uint32_t done, uint32_t total) {
  return !p.step || p.step(p.ctx, done, total);
}

}  // namespace wq
