// The source's entry in order: owner and application guards, events offered to
// the source's windows, dispatch by group and data type, and the trace after
// each handler (DAT_CAPABILITY traces itself; the custom types go untraced).
#include "ds/core/dsentry.h"

#include <cstring>

#include "ds/core/capability.h"
#include "ds/base/host.h"
#include "ds/core/report.h"
#include "ds/core/session.h"
#include "ds/core/trace.h"

namespace wq {
namespace {

// How a handled triplet is traced: by the dispatcher once the handler has
// returned, or not here. DAT_CAPABILITY writes its own record (the
// capability and its containers); the two custom data types are not traced.
enum TraceWay : uint8_t { kTraceAfter, kNotTraced };

struct DispatchRow {
  TW_UINT16 dat;
  TripletProc proc;
  TraceWay trace;
};

constexpr DispatchRow kControlTable[] = {
    {DAT_IDENTITY, IdentityProc, kTraceAfter},
    {DAT_USERINTERFACE, UserInterfaceProc, kTraceAfter},
    {DAT_CAPABILITY, DatCapabilityProc, kNotTraced},
    {DAT_STATUS, StatusProc, kTraceAfter},
    {DAT_PENDINGXFERS, PendingXfersProc, kTraceAfter},
    {DAT_SETUPMEMXFER, SetupMemXferProc, kTraceAfter},
    {DAT_SETUPFILEXFER, SetupFileXferProc, kTraceAfter},
    {DAT_XFERGROUP, XferGroupProc, kTraceAfter},
    {0xFF00, ColourCorrectionProc, kNotTraced},
    {0xFF01, EdgeEnhancementProc, kNotTraced},
    {0, nullptr, kNotTraced},
};

constexpr DispatchRow kImageTable[] = {
    {DAT_IMAGEINFO, ImageInfoProc, kTraceAfter},
    {DAT_IMAGELAYOUT, ImageLayoutProc, kTraceAfter},
    {DAT_IMAGEMEMXFER, ImageMemXferProc, kTraceAfter},
    {DAT_IMAGENATIVEXFER, ImageNativeXferProc, kTraceAfter},
    {DAT_IMAGEFILEXFER, ImageFileXferProc, kTraceAfter},
    {DAT_PALETTE8, Palette8Proc, kTraceAfter},
    {0, nullptr, kNotTraced},
};

const DispatchRow* Find(const DispatchRow* table, TW_UINT16 dat) {
  for (; table->dat != 0; ++table)
    if (table->dat == dat) return table;
  return nullptr;
}

}  // namespace

TW_UINT16 Refuse(TW_UINT16 cc, const char* leadIn) {
  g_Session.Status.ConditionCode = cc;
  ShowSourceError(leadIn, cc);
  return TWRC_FAILURE;
}

TW_UINT16 DsEntryProc(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                      TW_MEMREF data) {
  // 1. Owner guard: another process and another thread than the opener.
  if (g_Session.OwnerProcess && g_Host.CurrentProcess() != g_Session.OwnerProcess &&
      g_Session.OwnerThread && g_Host.CurrentThread() != g_Session.OwnerThread) {
    g_Session.Status.ConditionCode = TWCC_MAXCONNECTIONS;
    return TWRC_FAILURE;
  }
  // 2. Application guard: only the connected application; Status untouched.
  if (g_Session.AppIdentity.Id != 0) {
    TW_UINT32 id = 0;
    if (origin) memcpy(&id, &origin->Id, sizeof id);
    if (!origin || id != g_Session.AppIdentity.Id) return TWRC_FAILURE;
  }
  // 3. The application's messages go to the source's windows first.
  if (msg == MSG_PROCESSEVENT) {
    if (!data) return TWRC_NOTDSEVENT;
    TW_EVENT event;
    memcpy(&event, data, sizeof event);
    if (!event.pEvent || !g_Host.OfferEvent(event.pEvent))
      return TWRC_NOTDSEVENT;
    TW_UINT16 null = MSG_NULL;
    memcpy(static_cast<uint8_t*>(data) + offsetof(TW_EVENT, TWMessage), &null, sizeof null);
    return TWRC_DSEVENT;
  }
  // 4. Dispatch by group and data type.
  const DispatchRow* table = nullptr;
  switch (dg & 0xF) {
    case DG_CONTROL: table = kControlTable; break;
    case DG_IMAGE: table = kImageTable; break;
    default: return TWRC_FAILURE;
  }
  const DispatchRow* row = Find(table, dat);
  if (!row) {
    g_Session.Status.ConditionCode = TWCC_BADPROTOCOL;
    return TWRC_FAILURE;
  }
  const TW_UINT16 rc = row->proc(origin, dg, dat, msg, data);
  if (row->trace == kTraceAfter)
    TraceTriplet(dg, dat, msg, data, rc, g_Session.Status.ConditionCode, origin,
                 &g_Session.SourceIdentity);
  return rc;
}

}  // namespace wq
