// The source's entry: guards, the modeless-window event pump and dispatch
// of every triplet to its handler. The exported DS_Entry calls this.
#pragma once
#include "twain/twain.h"

namespace wq {

TW_UINT16 DsEntryProc(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                      TW_MEMREF data);

// Handlers of the DG_CONTROL triplets (control.cpp, identity.cpp).
typedef TW_UINT16 (*TripletProc)(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                                 TW_MEMREF data);
TW_UINT16 IdentityProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 UserInterfaceProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 StatusProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 PendingXfersProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 SetupFileXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 XferGroupProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 SetupMemXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
// The custom data types 0xFF00 and 0xFF01 (custom.cpp).
TW_UINT16 ColourCorrectionProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 EdgeEnhancementProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
// DG_IMAGE: the image's description (image.cpp) and the three transfers.
TW_UINT16 ImageInfoProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 ImageLayoutProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 Palette8Proc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 ImageNativeXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 ImageMemXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);
TW_UINT16 ImageFileXferProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

// A handler's refusal: the condition code into Status and the lead-in to the
// box; returns TWRC_FAILURE. Handlers return their code; the dispatcher
// writes the trace record.
TW_UINT16 Refuse(TW_UINT16 conditionCode, const char* leadIn);

// Whether the state is one of the listed ones.
inline bool InStates(int state, int a, int b = -1, int c = -1, int d = -1) {
  return state == a || state == b || state == c || state == d;
}

}  // namespace wq
