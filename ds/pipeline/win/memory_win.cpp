// Memory of the scan path: movable global blocks, zero-filled, locked from
// allocation to release.
#include <windows.h>

#include "ds/pipeline/memory.h"
#include "ds/pipeline/win/pipeline_win.h"

namespace wq {

namespace {

void* Alloc(size_t bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes ? bytes : 1);
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  if (!p) GlobalFree(block);
  return p;
}

void Free(void* p) {
  HGLOBAL block = GlobalHandle(p);
  if (!block) return;
  GlobalUnlock(block);
  GlobalFree(block);
}

}  // namespace

void InstallPipelineMemory() { g_PipelineMemory = PipelineMemoryProcs{Alloc, Free}; }

}  // namespace wq
