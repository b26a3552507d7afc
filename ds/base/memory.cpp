// The source's one memory record, its heap default, and work areas kept
// locked with their block's handle in front of them.
#include "ds/base/memory.h"

#include <cstdlib>
#include <cstring>

namespace wq {
namespace {

void* HeapBlock(size_t size) { return calloc(1, size ? size : 1); }
void HeapRelease(void* handle) { free(handle); }
void* SameBlock(void* handle) { return handle; }
void NoUnlock(void*) {}
size_t UnknownSize(void*) { return 0; }

// Room for the handle, keeping the area as aligned as the block.
constexpr size_t kHandleRoom = 16;

}  // namespace

const MemoryProcs kHeapMemory = {HeapBlock, SameBlock, NoUnlock, UnknownSize, HeapRelease};
// Constant-initialized, so the Windows installer (another file's static
// object) cannot run before it.
MemoryProcs g_Memory = {HeapBlock, SameBlock, NoUnlock, UnknownSize, HeapRelease};

void* WorkAlloc(size_t bytes) {
  if (bytes > size_t(-1) - kHandleRoom) return nullptr;
  void* handle = g_Memory.Alloc(bytes + kHandleRoom);
  if (!handle) return nullptr;
  auto* p = static_cast<unsigned char*>(g_Memory.Lock(handle));
  if (!p) {
    g_Memory.Free(handle);
    return nullptr;
  }
  memcpy(p, &handle, sizeof handle);
  return p + kHandleRoom;
}

void WorkFree(void* area) {
  if (!area) return;
  void* handle;
  memcpy(&handle, static_cast<unsigned char*>(area) - kHandleRoom, sizeof handle);
  g_Memory.Unlock(handle);
  g_Memory.Free(handle);
}

}  // namespace wq
