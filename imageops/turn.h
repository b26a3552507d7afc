// Turning a document's BMP by a right angle and mirroring it: rotation by
// 90 degrees either way and the horizontal and vertical flips, file to
// file, in memory that does not grow with the page.
#pragma once
#include <cstdint>

#include "imagefile/file_status.h"
#include "common/io.h"

namespace wq {

enum class Turn : uint8_t {
  kRight,       // 90 degrees clockwise
  kLeft,        // 90 degrees anticlockwise
  kHorizontal,  // each row mirrored
  kVertical,    // the rows in reverse order
};

// The memory an operation takes for its row blocks (at least one row of
// each side).
constexpr uint64_t kTurnMemory = 8ull << 20;

// Writes the turned image of `source` (a document BMP) as a BMP to `target`:
// the same depth, colour table and resolution (swapped for the rotations).
// Progress counts output rows; a cancel stops with kCancelled.
FileStatus TurnBmp(const WqIo& source, const WqIo& target, Turn turn, const ProgressSink& progress,
                   uint64_t memoryBytes = kTurnMemory);
// The same from file to file; no target is left on any failure.
FileStatus TurnBmpFile(const char* target, const char* source, Turn turn, const ProgressSink& progress);

}  // namespace wq
