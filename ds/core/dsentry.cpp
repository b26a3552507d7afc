#include "ds/core/dsentry.h"

#include <cstring>

#include "ds/core/capability.h"
#include "ds/base/host.h"
#include "ds/core/report.h"
#include "ds/core/session.h"
#include "ds/core/trace.h"

namespace wq {
namespace {

struct DispatchRow {
  TW_UINT16 dat;
  TripletProc proc;
};

constexpr DispatchRow kControlTable[] = {
    {DAT_IDENTITY, IdentityProc},
    {DAT_USERINTERFACE, UserInterfaceProc},
    {DAT_CAPABILITY, DatCapabilityProc},
    {DAT_STATUS, StatusProc},
    {DAT_PENDINGXFERS, PendingXfersProc},
    {DAT_SETUPMEMXFER, SetupMemXferProc},
    {DAT_SETUPFILEXFER, SetupFileXferProc},
    {DAT_XFERGROUP, XferGroupProc},
    {0xFF00, ColourCorrectionProc},
    {0xFF01, EdgeEnhancementProc},
    {0, nullptr},
};

constexpr DispatchRow kImageTable[] = {
    {DAT_IMAGEINFO, ImageInfoProc},
    {DAT_IMAGELAYOUT, ImageLayoutProc},
    {DAT_IMAGEMEMXFER, ImageMemXferProc},
    {DAT_IMAGENATIVEXFER, ImageNativeXferProc},
    {DAT_IMAGEFILEXFER, ImageFileXferProc},
    {DAT_PALETTE8, Palette8Proc},
    {0, nullptr},
};

TripletProc Find(const DispatchRow* table, TW_UINT16 dat) {
  for (; table->dat != 0; ++table)
    if (table->dat == dat) return table->proc;
  return nullptr;
}

}  // namespace

TW_UINT16 Refuse(TW_UINT16 cc, const char* leadIn) {
  g_Session.Status.ConditionCode = cc;
  ShowSourceError(leadIn, cc);
  return TWRC_FAILURE;
}

TW_UINT16 Traced(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, const void* data, TW_UINT16 rc) {
  TraceTriplet(dg, dat, msg, data, rc, g_Session.Status.ConditionCode, nullptr,
               &g_Session.SourceIdentity);
  return rc;
}

TW_UINT16 DsEntryProc(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                      TW_MEMREF data) {
  // 1. Owner guard: another process and another thread than the opener.
  if (g_Session.OwnerProcess && g_Host.CurrentProcess() != g_Session.OwnerProcess && g_Session.OwnerThread &&
      g_Host.CurrentThread() != g_Session.OwnerThread) {
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
  TripletProc proc = Find(table, dat);
  if (!proc) {
    g_Session.Status.ConditionCode = TWCC_BADPROTOCOL;
    return TWRC_FAILURE;
  }
  return proc(origin, dg, dat, msg, data);
}

}  // namespace wq
