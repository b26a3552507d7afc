// Capability tests natively: global memory blocks as an application and the
// source share them, and capability triplets through the entry.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ds/core/tests/cap_checks.h"
#include "twain/twain.h"

namespace wq::test {

// Global memory: blocks with a size and a lock count. Handles are checked,
// so a handle the source made up or freed twice is seen.
struct FakeGlobalMemory {
  int failAllocs = 0;  // this many allocations fail from now on (-1: all)
  bool failLocks = false;
  int allocs = 0;
  int badHandles = 0;  // calls with a handle that is not a live block
};
extern FakeGlobalMemory g_FakeMemory;

// Installs the blocks as the source's capability memory and forgets all.
void UseFakeGlobalMemory();
// A block holding `bytes`, as an application allocates it.
void* NewBlock(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> BlockBytes(void* handle);
void FreeBlock(void* handle);
size_t LiveBlocks();
int LockedBlocks();

// One capability message through the entry, as application 7. The reply
// block is freed after it was read; the condition code is fetched with
// DAT_STATUS after a failure.
Reply CapMessage(TW_UINT16 msg, TW_UINT16 cap);
Reply CapSet(TW_UINT16 cap, TW_UINT16 conType, const std::vector<uint8_t>& container);
// A MSG_SET with a one-value of `itemType`.
Reply CapSetOne(TW_UINT16 cap, TW_UINT16 itemType, uint32_t item);
TW_UINT16 StatusCode();
// The two as a channel for the shared checks.
extern const CapChannel kNative;

// A bus with one scanner at 0:4 of this model and options.
std::string ScannerBus(const char* model, const char* options = "");
// Opens the source (as application 7) on such a bus, with the settings
// switch that lets a WQ215 be used; the environment (metric or not) is the
// test host's.
TW_UINT16 OpenSource(const std::string& bus);
TW_UINT16 CloseSource();

}  // namespace wq::test
