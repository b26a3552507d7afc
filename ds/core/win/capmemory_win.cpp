// Capability containers in Windows global memory.
#include <windows.h>

#include "ds/core/capmemory.h"

namespace wq {
namespace {

void* Alloc(size_t size) { return GlobalAlloc(GHND, size); }
void* Lock(void* handle) { return GlobalLock(handle); }
void Unlock(void* handle) { GlobalUnlock(handle); }
size_t Size(void* handle) { return GlobalSize(handle); }
void Free(void* handle) { GlobalFree(handle); }

// Filled when the source is loaded, before the manager can call it.
struct Installer {
  Installer() { g_CapMemory = CapMemoryProcs{Alloc, Lock, Unlock, Size, Free}; }
} g_Installer;

}  // namespace
}  // namespace wq
