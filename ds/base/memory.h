// The source's memory: movable, zero-filled global blocks. Capability
// containers and native bitmaps go to the application in blocks it owns
// and frees; the application's containers arrive as blocks the source only
// locks and reads; the scan path's work areas are blocks locked from their
// allocation to their release. The Windows side fills the record with the
// global-memory functions (base/win/memory_win.cpp); tests and fuzz targets
// with blocks of their own. By default blocks come from the heap and their
// handle is the block itself (its size unknown).
#pragma once
#include <cstddef>

namespace wq {

struct MemoryProcs {
  void* (*Alloc)(size_t size);  // a movable, zero-filled block; null when none
  void* (*Lock)(void* handle);  // null when the handle cannot be locked
  void (*Unlock)(void* handle);
  size_t (*Size)(void* handle);  // the block's size; 0 when unknown
  void (*Free)(void* handle);
};
extern MemoryProcs g_Memory;

// The default: heap blocks whose handle is the block itself, so locking
// gives it back, unlocking does nothing and the size is unknown. Tests that
// count or refuse allocations replace its Alloc and Free.
extern const MemoryProcs kHeapMemory;

// A work area of `bytes` zero-filled bytes, locked until WorkFree; null when
// there is no memory.
void* WorkAlloc(size_t bytes);
void WorkFree(void* area);

}  // namespace wq
