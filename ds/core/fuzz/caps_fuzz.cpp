// libFuzzer target: arbitrary capability triplets and containers against the
// DAT_CAPABILITY handler, with global memory stood in for by byte buffers of
// exactly the size asked for, so the sanitizers see every read past a block.
//
// Input: two bytes of set-up (model, options, state, window), then requests
// until the input ends. A request: message, capability, container kind, a
// flag byte and a length, then that many container bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "ds/core/capability.h"
#include "ds/base/memory.h"
#include "ds/core/dsentry.h"
#include "ds/core/session.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"

namespace {

using namespace wq;

struct Block {
  std::vector<uint8_t> bytes;
  int locks = 0;
};
std::map<void*, std::unique_ptr<Block>> g_Blocks;
bool g_FailAllocs = false;

Block* Find(void* h) {
  auto it = g_Blocks.find(h);
  return it == g_Blocks.end() ? nullptr : it->second.get();
}
void* New(const uint8_t* data, size_t size) {
  auto b = std::make_unique<Block>();
  b->bytes.assign(data, data + size);
  void* h = b.get();
  g_Blocks[h] = std::move(b);
  return h;
}
void* AllocProc(size_t size) {
  if (g_FailAllocs) return nullptr;
  std::vector<uint8_t> zero(size);
  return New(zero.data(), size);
}
void* LockProc(void* h) {
  Block* b = Find(h);
  if (!b || b->bytes.empty()) return nullptr;
  ++b->locks;
  return b->bytes.data();
}
void UnlockProc(void* h) {
  if (Block* b = Find(h)) --b->locks;
}
size_t SizeProc(void* h) {
  Block* b = Find(h);
  return b ? b->bytes.size() : 0;
}
void FreeProc(void* h) { g_Blocks.erase(h); }

const TW_UINT16 kMessages[] = {MSG_GET,      MSG_GETCURRENT, MSG_GETDEFAULT, MSG_SET,
                               MSG_RESET,    MSG_QUERYSUPPORT, MSG_GETFIRST, 0};
const TW_UINT16 kKinds[] = {TWON_ONEVALUE, TWON_ENUMERATION, TWON_RANGE, TWON_ARRAY};

// A reply must be one whole container of a known kind.
void CheckReply(const TW_CAPABILITY& cap) {
  Block* b = Find(cap.hContainer);
  if (!b || b->locks != 0) abort();
  const std::vector<uint8_t>& v = b->bytes;
  size_t need = 0;
  switch (cap.ConType) {
    case TWON_ONEVALUE: need = 6; break;
    case TWON_RANGE: need = 22; break;
    case TWON_ENUMERATION:
    case TWON_ARRAY: {
      const size_t header = cap.ConType == TWON_ARRAY ? 6 : 14;
      if (v.size() < header) abort();
      const uint32_t n = uint32_t(v[2] | v[3] << 8 | v[4] << 16 | uint32_t(v[5]) << 24);
      need = header + size_t(n) * 2;
      if (cap.ConType == TWON_ENUMERATION) {
        const uint32_t cur = uint32_t(v[6] | v[7] << 8 | v[8] << 16 | uint32_t(v[9]) << 24);
        const uint32_t def = uint32_t(v[10] | v[11] << 8 | v[12] << 16 | uint32_t(v[13]) << 24);
        if (n == 0 || cur >= n || def >= n) abort();
      }
      break;
    }
    default: abort();
  }
  if (v.size() != need) abort();
}

void SetUp(uint8_t a, uint8_t b) {
  static ScanSettings settings;
  ResetSessionAtLoad();
  g_ScanJob = ScanJobState{};  // no scanner library: every scanner question says no
  memset(&g_Env, 0, sizeof g_Env);
  g_Env.Measure = a >> 7;
  MainValuesDefaults(g_Main, g_Env);
  g_Main.AlwaysAdf = (b >> 6) & 1;
  memset(&settings, 0, sizeof settings);
  SettingsDefaults(settings, g_Env);
  g_Settings = &settings;
  settings.Model = int16_t(a % 5) - 1;
  settings.ADF = (a >> 3) & 1;
  settings.Mirror = (a >> 4) & 1;
  settings.MirrorType = int16_t((a >> 5) & 3) + ((b >> 5) & 1) * 2;
  settings.Resolution = int16_t(b & 15);
  settings.Mode = int16_t((b >> 4) & 1 ? 0x101 : 6);
  g_ScanJob.AdfAvailable = (b >> 1) & 1;
  g_ScanJob.FsuAvailable = (b >> 2) & 1;
  g_ScanJob.FsuKind = settings.MirrorType;
  g_Session.State = 3 + (b & 3) + ((b >> 3) & 1);
  g_Session.ShowUI = (a >> 6) & 1;
  g_Session.Indicators = true;
  g_Session.StoredGamma = 220;
  g_Session.PaperSize = DefaultPaperSize(settings.Model, settings.Mirror == 1, settings.MirrorType,
                                         g_Env.Measure == 0);
  SetAreaFromPaper(settings);
  RecomputeXferGeometry();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  g_Memory = MemoryProcs{AllocProc, LockProc, UnlockProc, SizeProc, FreeProc};
  SetUp(data[0], data[1]);
  size_t at = 2;
  while (at + 6 <= size) {
    const uint8_t* r = data + at;
    TW_CAPABILITY cap{};
    const TW_UINT16 msg = kMessages[r[0] % (sizeof kMessages / sizeof kMessages[0])];
    cap.Cap = r[1] < 64 ? kSupportedCaps[r[1] % kSupportedCapCount] : TW_UINT16(r[1] | r[2] << 8);
    cap.ConType = r[3] < 200 ? kKinds[r[3] % 4] : TW_UINT16(r[3]);
    const uint8_t flags = r[4];
    size_t length = r[5];
    at += 6;
    if (length > size - at) length = size - at;
    void* block = nullptr;
    int bogus = 0;
    if (flags & 1) block = &bogus;               // a handle that is no block
    else if (!(flags & 2)) block = New(data + at, length);
    at += length;
    cap.hContainer = block;
    g_FailAllocs = (flags & 4) != 0;
    const bool noData = (flags & 0x18) == 0x18;
    const TW_UINT16 rc =
        DsEntryProc(nullptr, DG_CONTROL, DAT_CAPABILITY, msg, noData ? nullptr : &cap);
    if (rc == TWRC_SUCCESS && msg != MSG_SET) {
      CheckReply(cap);
      FreeProc(cap.hContainer);
    }
    if (block != &bogus) FreeProc(block);
    // Nothing stays locked, nothing is left over from the source's side.
    if (!g_Blocks.empty()) abort();
  }
  g_Settings = nullptr;
  return 0;
}
