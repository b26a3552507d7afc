// The program as a TWAIN application: the source manager, the choice of
// the KORVA source, the negotiation before enabling it, the events the
// source sends through the message loop, and the teardown.
#pragma once
#include <cstdint>

#include "app/acquire_host.h"
#include "twain/twain.h"

namespace wq {

// What happens after a transfer (AcquireState).
constexpr int kAcquireIdle = 0;      // a MSG_XFERREADY is ignored
constexpr int kAcquireCloseAll = 1;  // feeder batches: close source and manager
constexpr int kAcquireKeepOpen = 3;  // single pages: the source's window stays up

// The ADF choice.
constexpr int kAdfNone = 217;
constexpr int kAdfUse = 218;
constexpr int kAdfCancelled = 2;

// The product name of the source the program works with.
constexpr const char kSourceProductName[] = "KORVA TWAIN32";

struct TwainLink {
  DSMENTRYPROC entry = nullptr;
  bool managerOpen = false;
  bool sourceOpen = false;
  bool sourceEnabled = false;
  TW_IDENTITY app{};
  TW_IDENTITY source{};
  void* parent = nullptr;  // the frame window
  int acquireState = kAcquireIdle;
  int adfChoice = kAdfNone;
  int singlePageCount = 0;  // single-page scans of this run (names "Scanned image No")
  int feederPageCount = 0;  // feeder pages shown in windows this run (names "WQ-image")
  uint16_t pending = 0;
  int diagnosticLevel = 0;
};

// The application's identity, filled once at start-up.
void TwainLinkInit(TwainLink* link, void* parentWindow);

// The Acquire command and the automatic acquisition at start-up.
void StartAcquire(TwainLink* link, const AcquireHost& host, bool showUI);

// What one window message offered to the source came to.
struct TwainEventOutcome {
  bool consumed = false;       // the source took it: it is not for the windows
  bool transferReady = false;  // the source has images and the program takes them
};

// Offers one window message (a pointer to the platform's MSG) to the open
// source. When the outcome says transfer ready, the caller runs
// TransferPendingImages and then FinishTransfers, before anything else;
// a page the program refuses is reset and finished here.
TwainEventOutcome ProcessTwainEvent(TwainLink* link, const AcquireHost& host, void* msg);

// After the images of a transfer-ready event: a feeder batch closes source
// and manager; a single page keeps the source's window up.
void FinishTransfers(TwainLink* link, const AcquireHost& host);

// Teardown, each step only when its state holds.
void DisableSource(TwainLink* link, const AcquireHost& host);
void CloseSource(TwainLink* link, const AcquireHost& host);
void CloseManager(TwainLink* link, const AcquireHost& host);
// All three in order, each only when the previous one succeeded.
void CloseTwain(TwainLink* link, const AcquireHost& host);

// A triplet to the source (or to the manager with toSource false).
TW_UINT16 TwainCall(TwainLink* link, bool toSource, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                    void* data);
// Back from "transfer ready" to waiting for the user: MSG_RESET of the
// pending transfers; nothing is pending afterwards.
void ResetTransfers(TwainLink* link);
// MSG_GET or MSG_GETCURRENT of a capability answered with a one-value
// container, whose Item is read and the container freed; false when the
// source refuses or answers with something else.
bool GetOneValueItem(TwainLink* link, const AcquireHost& host, TW_UINT16 cap, TW_UINT16 msg,
                     TW_UINT32* item);
// The source's condition code of its last failure.
TW_UINT16 SourceCondition(TwainLink* link);

}  // namespace wq
