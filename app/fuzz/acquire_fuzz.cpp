// The acquisition against a source whose every answer comes from the
// fuzzer's bytes (image information, palettes, buffer limits, capability
// containers, memory transfers with their return codes, row pitches and
// byte counts, and pending counts), where whatever the source says the
// program must not read or write outside its blocks, leak them, or loop
// for ever.
#include <cstdint>
#include <cstring>

#include "app/tests/acquire_support.h"
#include "app/transfer.h"
#include "common/strutil.h"

namespace {

struct Script {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t at = 0;
  bool Empty() const { return at >= size; }
  uint8_t Byte() { return at < size ? data[at++] : 0; }
  uint16_t U16() { return uint16_t(Byte() | Byte() << 8); }
  uint32_t U32() { return uint32_t(U16()) | uint32_t(U16()) << 16; }
  TW_UINT16 Rc() {
    if (Empty()) return TWRC_FAILURE;
    const uint8_t b = Byte();
    return b < 200 ? TWRC_SUCCESS : TW_UINT16(b % 10);
  }
};

struct Fuzz {
  Script script;
  wqtest::TestHost* host = nullptr;
  wq::AcquireHost record;
  TW_IDENTITY source{};
  bool eventSent = false;
};
Fuzz* g_fuzz = nullptr;

void* Container(size_t bytes) {
  void* block = g_fuzz->record.alloc(g_fuzz->record.ctx, bytes);
  if (block) {
    auto* p = static_cast<uint8_t*>(g_fuzz->record.lock(g_fuzz->record.ctx, block));
    for (size_t i = 0; i < bytes; ++i) p[i] = g_fuzz->script.Byte();
    g_fuzz->record.unlock(g_fuzz->record.ctx, block);
  }
  return block;
}

TW_UINT16 TW_CALLINGSTYLE Entry(pTW_IDENTITY, pTW_IDENTITY dest, TW_UINT32, TW_UINT16 dat,
                               TW_UINT16 msg, TW_MEMREF data) {
  Script& s = g_fuzz->script;
  if (!dest) {
    if (dat == DAT_IDENTITY && (msg == MSG_GETFIRST || msg == MSG_GETDEFAULT)) {
      *static_cast<TW_IDENTITY*>(data) = g_fuzz->source;
      return TWRC_SUCCESS;
    }
    if (dat == DAT_STATUS) {
      static_cast<TW_STATUS*>(data)->ConditionCode = s.Byte() % 24;
      return TWRC_SUCCESS;
    }
    return dat == DAT_IDENTITY && msg == MSG_GETNEXT ? TWRC_ENDOFLIST : TWRC_SUCCESS;
  }
  switch (dat) {
    case DAT_EVENT: {
      auto* e = static_cast<TW_EVENT*>(data);
      e->TWMessage = g_fuzz->eventSent ? MSG_NULL : MSG_XFERREADY;
      g_fuzz->eventSent = true;
      return TWRC_DSEVENT;
    }
    case DAT_STATUS:
      static_cast<TW_STATUS*>(data)->ConditionCode = s.Byte() % 24;
      return TWRC_SUCCESS;
    case DAT_USERINTERFACE:
      return TWRC_SUCCESS;
    case DAT_CAPABILITY: {
      auto* cap = static_cast<TW_CAPABILITY*>(data);
      const TW_UINT16 rc = s.Rc();
      if (rc == TWRC_SUCCESS && msg != MSG_SET) {
        cap->ConType = s.Byte() % 8;
        cap->hContainer = Container(s.Byte() % 24);
      }
      return rc;
    }
    case DAT_IMAGEINFO: {
      auto* info = static_cast<TW_IMAGEINFO*>(data);
      const TW_UINT16 rc = s.Rc();
      info->XResolution = TW_FIX32{TW_INT16(s.U16()), s.U16()};
      info->YResolution = TW_FIX32{TW_INT16(s.U16()), s.U16()};
      info->ImageWidth = TW_INT32(s.Byte() % 4 == 0 ? s.U32() : s.U16() % 700);
      info->ImageLength = TW_INT32(s.Byte() % 4 == 0 ? s.U32() : s.U16() % 300);
      static const uint16_t kBits[] = {1, 4, 8, 24};
      info->BitsPerPixel = TW_INT16(s.Byte() % 4 == 0 ? s.U16() : kBits[s.Byte() % 4]);
      info->PixelType = TW_INT16(s.Byte() % 5);
      info->Planar = s.Byte() % 8 == 0;
      info->Compression = s.Byte() % 8 == 0 ? s.Byte() : 0;
      return rc;
    }
    case DAT_PALETTE8: {
      auto* p = static_cast<TW_PALETTE8*>(data);
      const TW_UINT16 rc = s.Rc();
      p->NumColors = s.U16();
      for (int i = 0; i < 256; ++i)
        p->Colors[i] = TW_ELEMENT8{uint8_t(i), s.Byte(), s.Byte(), s.Byte()};
      return rc;
    }
    case DAT_SETUPMEMXFER: {
      auto* m = static_cast<TW_SETUPMEMXFER*>(data);
      const TW_UINT16 rc = s.Rc();
      m->MinBufSize = s.Byte() % 4 == 0 ? s.U32() : s.U16();
      m->MaxBufSize = s.Byte() % 4 == 0 ? s.U32() : s.U32() % 200000;
      m->Preferred = s.U32();
      return rc;
    }
    case DAT_IMAGEMEMXFER: {
      auto* x = static_cast<TW_IMAGEMEMXFER*>(data);
      static const TW_UINT16 kCodes[] = {TWRC_SUCCESS, TWRC_SUCCESS, TWRC_SUCCESS, TWRC_XFERDONE,
                                         TWRC_XFERDONE, TWRC_FAILURE, TWRC_CANCEL, 9};
      const TW_UINT16 rc = s.Empty() ? TWRC_FAILURE : kCodes[s.Byte() % 8];
      x->BytesPerRow = s.Byte() % 4 == 0 ? s.U32() : s.U16();
      x->BytesWritten = s.U32();
      auto* mem = static_cast<uint8_t*>(x->Memory.TheMem);
      const size_t fill = std::min<size_t>(x->Memory.Length, s.size - std::min(s.size, s.at));
      for (size_t i = 0; i < fill; i += 97) mem[i] = s.Byte();
      return rc;
    }
    case DAT_PENDINGXFERS:
      static_cast<TW_PENDINGXFERS*>(data)->Count = s.Byte() % 3;
      return s.Rc();
    default:
      return s.Rc();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  wqtest::TestHost host;
  host.keepFiles = false;
  host.allocLimit = 8u << 20;
  host.availableMemory = 16u << 20;
  Fuzz fuzz;
  fuzz.script.data = data;
  fuzz.script.size = size;
  fuzz.host = &host;
  fuzz.record = host.Host();
  fuzz.record.loadManager = [](void*) -> DSMENTRYPROC { return Entry; };
  wq::CopyString(fuzz.source.ProductName, wq::kSourceProductName);
  fuzz.source.Id = 7;
  g_fuzz = &fuzz;
  wq::TwainLink link;
  wq::TwainLinkInit(&link, nullptr);
  wq::StartAcquire(&link, fuzz.record, true);
  int msg = 0;
  for (int i = 0; i < 3 && link.sourceOpen; ++i) wqtest::OfferEvent(&link, fuzz.record, &msg);
  wq::CloseTwain(&link, fuzz.record);
  // The program's own blocks are all released (containers the source
  // handed over included); the only ones left would be leaks.
  if (host.LiveBlocks() != 0) __builtin_trap();
  g_fuzz = nullptr;
  return 0;
}
