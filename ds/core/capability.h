// DG_CONTROL / DAT_CAPABILITY: message and state rules, the application's
// container in and the reply container out, the refresh from the window's
// settings and the capability trace.
#pragma once
#include "ds/core/capcall.h"
#include "twain/twain.h"

namespace wq {

// The triplet's handler (the dispatch table's DAT_CAPABILITY row).
TW_UINT16 DatCapabilityProc(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                            TW_MEMREF data);

// One message for one capability over plain bytes: `call` carries the
// message, the capability, the kind and bytes of the application's container
// (MSG_SET); the reply is built in `call->Reply`. Returns TWCC_SUCCESS or the
// condition code. State rules and the refresh are the caller's.
TW_UINT16 AnswerCapability(CapCall* call);

}  // namespace wq
