// DAT_IMAGENATIVEXFER: the page as a device-independent bitmap in one
// movable global block (header, colour table, rows bottom-up, colour rows
// blue-green-red) that the application owns and frees.
#include <cstring>

#include "ds/base/memory.h"
#include "ds/core/dib.h"
#include "ds/core/dsentry.h"
#include "ds/base/host.h"
#include "ds/core/exchange.h"
#include "ds/core/report.h"
#include "ds/core/scanloop.h"
#include "ds/core/session.h"
#include "ds/base/text.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

struct NativeSink {
  uint8_t* Bits;  // first byte after the colour table
  uint32_t Rows, RowBytes, Stride;
};

bool StoreRow(void* context, uint32_t y, const uint8_t* row, uint32_t bytes) {
  const NativeSink& s = *static_cast<NativeSink*>(context);
  if (y >= s.Rows) return false;
  memcpy(s.Bits + size_t(s.Rows - 1 - y) * s.Stride, row, bytes < s.Stride ? bytes : s.Stride);
  return true;
}

void FreeBlock(void* handle, bool locked) {
  if (!handle) return;
  if (locked) g_Memory.Unlock(handle);
  g_Memory.Free(handle);
}

}  // namespace

// DG_IMAGE / DAT_IMAGENATIVEXFER / MSG_GET
TW_UINT16 ImageNativeXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg,
                              TW_MEMREF data) {
  g_Session.Status.ConditionCode = TWCC_SUCCESS;
  auto refuse = [&](TW_UINT16 cc) { return Refuse(cc, lead::kImageNativeXfer); };
  if (msg != MSG_GET) return refuse(TWCC_BADPROTOCOL);
  if (!InStates(g_Session.State, 6, 7)) return refuse(TWCC_SEQERROR);
  if (!data || !g_Settings) return refuse(TWCC_BADVALUE);
  StartTransferRequest(TWSX_NATIVE);
  RecomputeXferGeometry();

  const XferGeometry& g = g_Session.Geometry;
  const int kind = g_Settings->Mode & 0xFF;
  // A page whose size does not fit the bitmap's fields, or memory, is a
  // memory shortage to the user.
  const uint64_t size = uint64_t(g.HeaderBytes) + uint64_t(g.ImageRows) * g.DibRowBytes;
  void* handle = size <= 0x7FFFFFFFu ? g_Memory.Alloc(size_t(size)) : nullptr;
  uint8_t* block = handle ? static_cast<uint8_t*>(g_Memory.Lock(handle)) : nullptr;
  if (!block || !WriteDibHeader(block, size_t(size), kind, g, g_Settings->XFinalRes, g_Settings->YFinalRes)) {
    FreeBlock(handle, block != nullptr);
    AbandonPage();
    ShowMessageById(msg::kNoXferMemory, kButtonsOk);
    return refuse(TWCC_LOWMEMORY);
  }

  NativeSink sink{block + g.HeaderBytes, g.ImageRows, g.RowBytes, g.DibRowBytes};
  XferOutcome outcome = BeginPageScan(true);
  if (outcome == kXferDone) outcome = ScanRows(g.ImageRows, RowSink{&sink, StoreRow});
  if (outcome != kXferDone) {
    FreeBlock(handle, true);
    AbandonPage();
    if (outcome == kXferCancelled) return TWRC_CANCEL;
    return Refuse(g_Session.Status.ConditionCode, lead::kImageNativeXfer);
  }
  EndPageScan(false);
  g_Memory.Unlock(handle);
  memcpy(data, &handle, sizeof handle);
  return TWRC_XFERDONE;
}

}  // namespace wq
