// Capability tests natively: global memory blocks as an application and the
// source share them, containers written and read byte by byte (independently
// of the source's own encoder), and capability triplets through the entry.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

// Containers as bytes.
std::vector<uint8_t> OneValue(TW_UINT16 itemType, uint32_t item);
std::vector<uint8_t> Range(TW_UINT16 itemType, uint32_t min, uint32_t max, uint32_t step,
                           uint32_t def, uint32_t current);
std::vector<uint8_t> Enumeration(TW_UINT16 itemType, uint32_t current, uint32_t def,
                                 const std::vector<uint16_t>& items);
// TW_FIX32 as the 32 bits of an item: Whole low, Frac high.
uint32_t Fix(int16_t whole, uint16_t frac);
// A real as TW_FIX32 bits, rounded to the nearest 1/65536.
uint32_t FixOf(double v);

// A reply as the application sees it.
struct Reply {
  TW_UINT16 rc = 0;
  TW_UINT16 cc = 0;
  TW_UINT16 conType = 0;
  std::vector<uint8_t> bytes;  // the container (empty when none came)

  TW_UINT16 ItemType() const;
  uint32_t Item() const;        // ONEVALUE
  int32_t Int() const;          // ONEVALUE item by its type
  double Real(size_t offset) const;  // a TW_FIX32 at a byte offset
  double Fix() const { return Real(2); }
  double RangeValue(int i) const { return Real(2 + 4 * size_t(i)); }  // min .. current
  uint32_t NumItems() const;
  uint32_t CurrentIndex() const;
  uint32_t DefaultIndex() const;
  std::vector<int32_t> Items() const;  // ENUMERATION or ARRAY, 16-bit items
};

// One capability message through the entry, as application 7. The reply
// block is freed after it was read; the condition code is fetched with
// DAT_STATUS after a failure.
Reply CapMessage(TW_UINT16 msg, TW_UINT16 cap);
Reply CapSet(TW_UINT16 cap, TW_UINT16 conType, const std::vector<uint8_t>& container);
// A MSG_SET with a one-value of `itemType`.
Reply CapSetOne(TW_UINT16 cap, TW_UINT16 itemType, uint32_t item);
TW_UINT16 StatusCode();

// A bus with one scanner at 0:4 of this model and options.
std::string ScannerBus(const char* model, const char* options = "");
// Opens the source (as application 7) on such a bus, with the settings
// switch that lets a WQ215 be used; the environment (metric or not) is the
// test host's.
TW_UINT16 OpenSource(const std::string& bus);
TW_UINT16 CloseSource();

}  // namespace wq::test
