// The two blocks of a banded operation within its memory budget: a band
// of output rows and a block of source rows, each at least one row.
#pragma once
#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "imagefile/file_status.h"

namespace wq {

struct Bands {
  std::vector<uint8_t> band, block;
  uint32_t bandRows = 1, blockRows = 1;
};

inline FileStatus AllocateBands(uint64_t outStride, uint32_t outRows, uint64_t inStride, uint32_t inRows,
                                uint64_t memoryBytes, Bands* b) {
  const uint64_t half = memoryBytes / 2;
  b->bandRows = uint32_t(std::clamp<uint64_t>(half / outStride, 1, std::max<uint32_t>(outRows, 1)));
  b->blockRows = uint32_t(std::clamp<uint64_t>(half / inStride, 1, std::max<uint32_t>(inRows, 1)));
  try {
    b->band.resize(size_t(outStride * b->bandRows));
    b->block.resize(size_t(inStride * b->blockRows));
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
  return FileStatus::kOk;
}

}  // namespace wq
