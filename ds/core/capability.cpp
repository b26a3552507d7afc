// DAT_CAPABILITY's handler: the state and message checks, the application's
// container locked for MSG_SET, the reply copied into a block the application
// owns, and one trace record of each call.
#include "ds/core/capability.h"

#include <cstring>

#include "ds/base/memory.h"
#include "ds/core/dsentry.h"
#include "ds/core/exchange.h"
#include "ds/core/report.h"
#include "ds/core/session.h"
#include "ds/core/trace.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

bool StateAdmits(TW_UINT16 msg, int state) {
  if (msg == MSG_SET || msg == MSG_RESET) return state == 4;
  return InStates(state, 4, 5, 6);
}

// The application's container, locked for the time of one MSG_SET.
struct LockedContainer {
  void* Handle = nullptr;
  const uint8_t* Bytes = nullptr;
  size_t Size = 0;

  explicit LockedContainer(void* handle) {
    if (!handle) return;
    void* p = g_Memory.Lock(handle);
    if (!p) return;
    Handle = handle;
    Bytes = static_cast<const uint8_t*>(p);
    // Only what the block really holds is read.
    Size = g_Memory.Size(handle);
  }
  ~LockedContainer() {
    if (Handle) g_Memory.Unlock(Handle);
  }
  LockedContainer(const LockedContainer&) = delete;
  LockedContainer& operator=(const LockedContainer&) = delete;
};

// A block for a reply of `size` bytes; null when there is no memory.
void* NewBlock(size_t size) { return g_Memory.Alloc(size); }

void FreeBlock(void* handle) {
  if (handle) g_Memory.Free(handle);
}

// Copies the reply into `block` (allocating it when null or too small);
// the block belongs to the application from here on. False when no block
// can be had or locked.
bool Deliver(const CapContainer& reply, void* block, TW_CAPABILITY* cap) {
  if (block && g_Memory.Size(block) < reply.Size) {
    FreeBlock(block);
    block = nullptr;
  }
  if (!block) block = NewBlock(reply.Size);
  if (!block) return false;
  void* p = g_Memory.Lock(block);
  if (!p) {
    FreeBlock(block);
    return false;
  }
  memcpy(p, reply.Bytes, reply.Size);
  g_Memory.Unlock(block);
  cap->ConType = reply.ConType;
  cap->hContainer = block;
  return true;
}

void Trace(const CapCall& call, TW_UINT16 rc, TW_UINT16 cc) {
  TraceItemList own{};
  if (call.Items) own = TraceItemList{call.Items->ItemType, call.Items->Items, call.Items->NumItems};
  const TraceItemList* list = call.Items ? &own : nullptr;
  if (call.Msg == MSG_SET)
    TraceCapability(call.Msg, call.Cap, call.ConType, call.Block, call.BlockSize, list, rc, cc);
  else if (call.Reply.ConType != 0 && cc == TWCC_SUCCESS)
    TraceCapability(call.Msg, call.Cap, call.Reply.ConType, call.Reply.Bytes, call.Reply.Size,
                    list, rc, cc);
  else
    TraceCapability(call.Msg, call.Cap, call.ConType, nullptr, 0, nullptr, rc, cc);
}

}  // namespace

TW_UINT16 AnswerCapability(CapCall* call) {
  const CapRow* row = FindCapability(call->Cap);
  if (!row || !(row->Messages & CapMessageBit(call->Msg))) return TWCC_BADCAP;
  if (!g_Settings) return TWCC_SEQERROR;  // not open
  return row->Proc(call);
}

// DG_CONTROL / DAT_CAPABILITY / MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_SET,
// MSG_RESET. Traced here, with the capability and its containers.
TW_UINT16 DatCapabilityProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF data) {
  g_Session.Status.ConditionCode = TWCC_SUCCESS;
  CapCall call{};
  call.Msg = msg;
  TW_CAPABILITY cap{};
  if (data) memcpy(&cap, data, sizeof cap);
  call.Cap = cap.Cap;
  call.ConType = cap.ConType;

  auto finish = [&call](TW_UINT16 cc) {
    const TW_UINT16 rc = cc == TWCC_SUCCESS ? TW_UINT16(TWRC_SUCCESS) : Refuse(cc, lead::kCaps);
    Trace(call, rc, g_Session.Status.ConditionCode);
    return rc;
  };

  if (!CapMessageBit(msg)) return finish(TWCC_BADPROTOCOL);
  if (!StateAdmits(msg, g_Session.State)) return finish(TWCC_SEQERROR);
  if (!data || !g_Settings) return finish(TWCC_BADVALUE);
  if (msg == MSG_GET || msg == MSG_GETCURRENT) RefreshTwainFromWindow();

  if (msg == MSG_SET) {
    LockedContainer container(cap.hContainer);
    call.Block = container.Bytes;
    call.BlockSize = container.Size;
    // Traced while the block is still locked.
    return finish(AnswerCapability(&call));
  }

  // A reset changes the source: its reply block is had first, so that no
  // change is made that cannot be reported.
  void* block = nullptr;
  const CapRow* row = FindCapability(cap.Cap);
  if (msg == MSG_RESET && row && (row->Messages & kMsgReset)) {
    block = NewBlock(kOneValueBytes);
    if (!block) return finish(TWCC_LOWMEMORY);
  }
  TW_UINT16 cc = AnswerCapability(&call);
  if (cc == TWCC_SUCCESS) {
    if (Deliver(call.Reply, block, &cap)) memcpy(data, &cap, sizeof cap);
    else cc = TWCC_LOWMEMORY;
  } else {
    FreeBlock(block);
  }
  return finish(cc);
}

}  // namespace wq
