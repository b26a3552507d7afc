// Memory of the scan path (strip buffer, edge ring, per-job work areas):
// zero-filled blocks from the platform. The Windows side gives movable
// global memory, locked while the job runs; tests may make it fail.
#pragma once
#include <cstddef>

namespace wq {

struct PipelineMemoryProcs {
  void* (*Alloc)(size_t bytes);  // zero-filled; null when there is none
  void (*Free)(void* block);
};
extern PipelineMemoryProcs g_PipelineMemory;

void* PipelineAlloc(size_t bytes);
void PipelineFree(void* block);

}  // namespace wq
