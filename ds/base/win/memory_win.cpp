// The source's memory in Windows global memory: movable, zero-filled blocks.
#include <windows.h>

#include "ds/base/memory.h"

namespace wq {
namespace {

void* Alloc(size_t size) { return GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size); }
void* Lock(void* handle) { return GlobalLock(handle); }
void Unlock(void* handle) { GlobalUnlock(handle); }
size_t Size(void* handle) { return GlobalSize(handle); }
void Free(void* handle) { GlobalFree(handle); }

// Filled when the source is loaded, before the manager can call it.
struct Installer {
  Installer() { g_Memory = MemoryProcs{Alloc, Lock, Unlock, Size, Free}; }
} g_Installer;

}  // namespace
}  // namespace wq
