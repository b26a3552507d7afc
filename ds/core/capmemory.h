// Movable global memory for capability containers. Replies go to the
// application in blocks it owns and frees; its own containers arrive as
// blocks the source only locks and reads. The Windows side fills the record
// with the global-memory functions (win/capmemory_win.cpp); native tests and
// the fuzz target fill it with blocks of their own.
#pragma once
#include <cstddef>

namespace wq {

struct CapMemoryProcs {
  void* (*Alloc)(size_t size);  // a movable, zero-filled block; null when none
  void* (*Lock)(void* handle);  // null when the handle cannot be locked
  void (*Unlock)(void* handle);
  size_t (*Size)(void* handle);  // the block's size; 0 when unknown
  void (*Free)(void* handle);
};
extern CapMemoryProcs g_CapMemory;

}  // namespace wq
