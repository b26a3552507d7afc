// The native capability harness: global memory as byte blocks that count
// allocations, locks and bad handles and fail on demand, and capability
// messages and opens through the entry.
#include "ds/core/tests/cap_harness.h"

#include <cstring>
#include <map>
#include <memory>

#include "ds/base/memory.h"
#include "ds/core/dsentry.h"
#include "ds/tests/memory_profile.h"
#include "ds/tests/test_host.h"

namespace wq::test {

FakeGlobalMemory g_FakeMemory;

namespace {

struct Block {
  std::vector<uint8_t> bytes;
  int locks = 0;
};
std::map<void*, std::unique_ptr<Block>> g_Blocks;

Block* Find(void* h) {
  auto it = g_Blocks.find(h);
  if (it == g_Blocks.end()) {
    ++g_FakeMemory.badHandles;
    return nullptr;
  }
  return it->second.get();
}

void* AllocProc(size_t size) {
  ++g_FakeMemory.allocs;
  if (g_FakeMemory.failAllocs != 0) {
    if (g_FakeMemory.failAllocs > 0) --g_FakeMemory.failAllocs;
    return nullptr;
  }
  auto b = std::make_unique<Block>();
  b->bytes.assign(size, 0);
  void* h = b.get();
  g_Blocks[h] = std::move(b);
  return h;
}
void* LockProc(void* h) {
  Block* b = Find(h);
  if (!b || g_FakeMemory.failLocks) return nullptr;
  ++b->locks;
  // A zero-sized block still has an address to hand out.
  return b->bytes.empty() ? static_cast<void*>(b) : b->bytes.data();
}
void UnlockProc(void* h) {
  if (Block* b = Find(h)) --b->locks;
}
size_t SizeProc(void* h) {
  Block* b = Find(h);
  return b ? b->bytes.size() : 0;
}
void FreeProc(void* h) {
  if (Find(h)) g_Blocks.erase(h);
}

TW_IDENTITY g_App;

TW_UINT16 Entry(TW_UINT16 dat, TW_UINT16 msg, void* data) {
  return DsEntryProc(&g_App, DG_CONTROL, dat, msg, data);
}

}  // namespace

void UseFakeGlobalMemory() {
  g_Blocks.clear();
  g_FakeMemory = FakeGlobalMemory{};
  g_Memory = MemoryProcs{AllocProc, LockProc, UnlockProc, SizeProc, FreeProc};
  g_App = AppIdentity(7);
}

void* NewBlock(const std::vector<uint8_t>& bytes) {
  auto b = std::make_unique<Block>();
  b->bytes = bytes;
  void* h = b.get();
  g_Blocks[h] = std::move(b);
  return h;
}

std::vector<uint8_t> BlockBytes(void* h) {
  Block* b = Find(h);
  return b ? b->bytes : std::vector<uint8_t>{};
}

void FreeBlock(void* h) { FreeProc(h); }
size_t LiveBlocks() { return g_Blocks.size(); }
int LockedBlocks() {
  int n = 0;
  for (auto& [h, b] : g_Blocks) n += b->locks != 0;
  return n;
}

TW_UINT16 StatusCode() {
  TW_STATUS st{};
  Entry(DAT_STATUS, MSG_GET, &st);
  return st.ConditionCode;
}

namespace {
Reply Finish(TW_UINT16 rc, const TW_CAPABILITY& cap, bool expectBlock) {
  Reply r;
  r.rc = rc;
  r.cc = rc == TWRC_SUCCESS ? TW_UINT16(TWCC_SUCCESS) : StatusCode();
  if (rc == TWRC_SUCCESS && expectBlock) {
    r.conType = cap.ConType;
    r.bytes = BlockBytes(cap.hContainer);
    FreeBlock(cap.hContainer);
  }
  return r;
}
}  // namespace

Reply CapMessage(TW_UINT16 msg, TW_UINT16 capId) {
  TW_CAPABILITY cap{};
  cap.Cap = capId;
  cap.ConType = TWON_DONTCARE16;
  return Finish(Entry(DAT_CAPABILITY, msg, &cap), cap, true);
}

Reply CapSet(TW_UINT16 capId, TW_UINT16 conType, const std::vector<uint8_t>& container) {
  TW_CAPABILITY cap{};
  cap.Cap = capId;
  cap.ConType = conType;
  cap.hContainer = NewBlock(container);
  TW_UINT16 rc = Entry(DAT_CAPABILITY, MSG_SET, &cap);
  FreeBlock(cap.hContainer);
  return Finish(rc, cap, false);
}

Reply CapSetOne(TW_UINT16 capId, TW_UINT16 itemType, uint32_t item) {
  return CapSet(capId, TWON_ONEVALUE, OneValue(itemType, item));
}

const CapChannel kNative = {CapMessage, CapSet};

std::string ScannerBus(const char* model, const char* options) {
  return std::string("adapter 0\ndevice 0:4 scanner model=") + model + " " + options + "\n";
}

TW_UINT16 OpenSource(const std::string& bus) {
  Reconfigure(bus.c_str());
  // The WQ215 is only taken for what it is with this switch on.
  SetValue("@WQSC32.INI", "TWAIN", "WQ215", "1");
  TW_IDENTITY source = ManagerSourceIdentity(3);
  return Entry(DAT_IDENTITY, MSG_OPENDS, &source);
}

TW_UINT16 CloseSource() {
  TW_IDENTITY source = ManagerSourceIdentity(3);
  return Entry(DAT_IDENTITY, MSG_CLOSEDS, &source);
}

}  // namespace wq::test
