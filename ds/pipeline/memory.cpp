#include "ds/pipeline/memory.h"

#include <cstdlib>

namespace wq {

namespace {
void* HeapAlloc(size_t bytes) { return calloc(1, bytes ? bytes : 1); }
void HeapFree(void* block) { free(block); }
}  // namespace

PipelineMemoryProcs g_PipelineMemory = {HeapAlloc, HeapFree};

void* PipelineAlloc(size_t bytes) { return g_PipelineMemory.Alloc ? g_PipelineMemory.Alloc(bytes) : nullptr; }

void PipelineFree(void* block) {
  if (block && g_PipelineMemory.Free) g_PipelineMemory.Free(block);
}

}  // namespace wq
