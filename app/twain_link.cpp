// The program's side of the TWAIN session, from opening the manager to the
// teardown; fetching the images is the caller's, in transfer.cpp.
#include "app/twain_link.h"

#include <cstring>
#include <string>

#include "app/document.h"
#include "app/feeder.h"
#include "common/strutil.h"

namespace wq {
namespace {

bool IsProduct(const TW_IDENTITY& id) {
  const std::string_view name(id.ProductName, FieldLength(id.ProductName, sizeof id.ProductName));
  return SamePath(name, kSourceProductName);
}

TW_UINT16 ManagerCondition(TwainLink* link) {
  TW_STATUS status{};
  TwainCall(link, false, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
  return status.ConditionCode;
}

bool OpenManager(TwainLink* link, const AcquireHost& host) {
  if (link->managerOpen) return true;
  link->entry = host.loadManager(host.ctx);
  if (!link->entry) {
    host.message(host.ctx, 6);
    return false;
  }
  if (TwainCall(link, false, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &link->parent) != TWRC_SUCCESS) {
    host.unloadManager(host.ctx);
    link->entry = nullptr;
    return false;
  }
  link->managerOpen = true;
  return true;
}

bool SelectSource(TwainLink* link, const AcquireHost& host) {
  TW_IDENTITY work{};
  TwainCall(link, false, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &work);
  TW_UINT16 rc = TwainCall(link, false, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &work);
  bool match = false;
  if (rc == TWRC_SUCCESS) {
    match = IsProduct(work);
  } else if (rc == TWRC_ENDOFLIST ||
             (rc == TWRC_FAILURE && ManagerCondition(link) == TWCC_NODS)) {
    host.message(host.ctx, 7);
  }
  while (rc == TWRC_SUCCESS && !match) {
    rc = TwainCall(link, false, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &work);
    if (rc == TWRC_SUCCESS) {
      match = IsProduct(work);
    } else if (rc == TWRC_ENDOFLIST) {
      match = IsProduct(work);
      if (!match) host.message(host.ctx, 7);
    }
  }
  if (match) link->source = work;
  return match && rc == TWRC_SUCCESS;
}

bool OpenSource(TwainLink* link, const AcquireHost& host) {
  const TW_UINT16 rc =
      TwainCall(link, false, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &link->source);
  if (rc == TWRC_SUCCESS) {
    link->sourceOpen = true;
    return true;
  }
  if (rc == TWRC_FAILURE && ManagerCondition(link) == TWCC_BUMMER) host.message(host.ctx, 42);
  return false;
}

// Sends a capability as a one-value container of the program's own.
TW_UINT16 SetOneValue(TwainLink* link, const AcquireHost& host, TW_UINT16 cap,
                      TW_UINT16 itemType, TW_UINT32 item) {
  void* block = host.alloc(host.ctx, sizeof(TW_ONEVALUE));
  if (!block) return TWRC_FAILURE;
  uint8_t* p = static_cast<uint8_t*>(host.lock(host.ctx, block));
  if (!p) {
    host.release(host.ctx, block);
    return TWRC_FAILURE;
  }
  std::memcpy(p + offsetof(TW_ONEVALUE, ItemType), &itemType, sizeof itemType);
  std::memcpy(p + offsetof(TW_ONEVALUE, Item), &item, sizeof item);
  host.unlock(host.ctx, block);
  TW_CAPABILITY c{};
  c.Cap = cap;
  c.ConType = TWON_ONEVALUE;
  c.hContainer = block;
  const TW_UINT16 rc = TwainCall(link, true, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &c);
  host.release(host.ctx, block);
  return rc;
}

// MSG_GET of a capability whose answer only tells whether it exists; the
// source's container is the program's to free.
TW_UINT16 GetAndFree(TwainLink* link, const AcquireHost& host, TW_UINT16 cap, TW_UINT16 conType) {
  TW_CAPABILITY c{};
  c.Cap = cap;
  c.ConType = conType;
  const TW_UINT16 rc = TwainCall(link, true, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &c);
  if (rc == TWRC_SUCCESS && c.hContainer) host.release(host.ctx, c.hContainer);
  return rc;
}

bool SetMemoryTransfer(TwainLink* link, const AcquireHost& host) {
  return SetOneValue(link, host, ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY) == TWRC_SUCCESS;
}

// The feeder: a source without one answers TWCC_BADCAP, and no question
// is asked.
bool NegotiateFeeder(TwainLink* link, const AcquireHost& host) {
  if (GetAndFree(link, host, CAP_FEEDERENABLED, TWON_ONEVALUE) != TWRC_SUCCESS)
    return SourceCondition(link) == TWCC_BADCAP;
  if (SetOneValue(link, host, CAP_FEEDERENABLED, TWTY_BOOL, 1) != TWRC_SUCCESS)
    return SourceCondition(link) == TWCC_BADCAP;
  link->adfChoice = host.askAdfMode(host.ctx);
  if (link->adfChoice == kAdfCancelled) return false;
  if (link->adfChoice == kAdfUse) return true;
  link->adfChoice = kAdfNone;
  if (GetAndFree(link, host, CAP_FEEDERENABLED, TWON_DONTCARE16) != TWRC_SUCCESS) return false;
  return SetOneValue(link, host, CAP_FEEDERENABLED, TWTY_BOOL, 0) == TWRC_SUCCESS;
}

bool EnableSource(TwainLink* link, const AcquireHost& host, bool showUI) {
  if (SetOneValue(link, host, CAP_INDICATORS, TWTY_BOOL, 0) != TWRC_SUCCESS) {
    const TW_UINT16 cc = SourceCondition(link);
    if (cc != TWCC_BADCAP && cc != TWCC_BADVALUE) return false;
  }
  host.enableAcquire(host.ctx, false);
  TW_USERINTERFACE ui{};
  ui.ShowUI = showUI ? 1 : 0;
  ui.ModalUI = 0;
  ui.hParent = link->parent;
  if (TwainCall(link, true, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS) {
    host.enableAcquire(host.ctx, true);
    return false;
  }
  link->sourceEnabled = true;
  return true;
}

}  // namespace

TW_UINT16 TwainCall(TwainLink* link, bool toSource, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                    void* data) {
  if (!link->entry) return TWRC_FAILURE;
  return link->entry(&link->app, toSource ? &link->source : nullptr, dg, dat, msg, data);
}

void ResetTransfers(TwainLink* link) {
  TW_PENDINGXFERS pending{};
  TwainCall(link, true, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
  link->pending = 0;
}

bool GetOneValueItem(TwainLink* link, const AcquireHost& host, TW_UINT16 cap, TW_UINT16 msg,
                     TW_UINT32* item) {
  TW_CAPABILITY c{};
  c.Cap = cap;
  c.ConType = TWON_ONEVALUE;
  if (TwainCall(link, true, DG_CONTROL, DAT_CAPABILITY, msg, &c) != TWRC_SUCCESS || !c.hContainer)
    return false;
  bool ok = false;
  if (const uint8_t* p = static_cast<const uint8_t*>(host.lock(host.ctx, c.hContainer))) {
    ok = host.blockSize(host.ctx, c.hContainer) >= sizeof(TW_ONEVALUE);
    if (ok) std::memcpy(item, p + offsetof(TW_ONEVALUE, Item), sizeof *item);
    host.unlock(host.ctx, c.hContainer);
  }
  host.release(host.ctx, c.hContainer);
  return ok;
}

TW_UINT16 SourceCondition(TwainLink* link) {
  TW_STATUS status{};
  TwainCall(link, true, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
  return status.ConditionCode;
}

void TwainLinkInit(TwainLink* link, void* parentWindow) {
  *link = TwainLink{};
  link->parent = parentWindow;
  TW_IDENTITY& id = link->app;
  id.Id = 0;
  id.Version.MajorNum = 1;
  id.Version.MinorNum = 0;
  id.Version.Language = TWLG_USA;
  id.Version.Country = TWCY_JAPAN;
  CopyString(id.Version.Info, "1996,January.1-Aplpha Version");
  id.ProtocolMajor = 1;
  id.ProtocolMinor = 5;
  id.SupportedGroups = DG_CONTROL | DG_IMAGE;
  CopyString(id.Manufacturer, "Korva Corporation");
  CopyString(id.ProductFamily, "WQ Series");
  CopyString(id.ProductName, "KORVA WQ SERIES");
}

void StartAcquire(TwainLink* link, const AcquireHost& host, bool showUI) {
  link->acquireState = kAcquireIdle;
  if (!OpenManager(link, host)) return;
  bool ok = true;
  if (!link->sourceOpen) ok = SelectSource(link, host) && OpenSource(link, host);
  ok = ok && SetMemoryTransfer(link, host) && NegotiateFeeder(link, host);
  if (ok && !link->sourceEnabled) ok = EnableSource(link, host, showUI);
  if (link->sourceEnabled) {
    link->acquireState = link->adfChoice == kAdfUse ? kAcquireCloseAll : kAcquireKeepOpen;
    return;
  }
  CloseTwain(link, host);
}

TwainEventOutcome ProcessTwainEvent(TwainLink* link, const AcquireHost& host, void* msg) {
  TwainEventOutcome outcome;
  if (!link->managerOpen || !link->sourceOpen) return outcome;
  TW_EVENT event{};
  event.pEvent = msg;
  event.TWMessage = MSG_NULL;
  const TW_UINT16 rc = TwainCall(link, true, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  if (event.TWMessage == MSG_XFERREADY && link->acquireState != kAcquireIdle) {
    bool go = true;
    if (link->adfChoice == kAdfUse) {
      // A batch the user cancels or that has no paper closes the session.
      go = StartFeederBatch(link, host);
      if (!go) link->acquireState = kAcquireCloseAll;
    } else {
      const int next = link->singlePageCount + 1;
      const char* work = host.workDirectory(host.ctx);
      if (!ScannedImagePathFits(work, next)) {
        host.message(host.ctx, 8);
        go = false;
      } else if (next > kMaxScanNumber) {
        host.messageForDrive(host.ctx, 13, work[0]);
        go = false;
      }
    }
    // A refused page sends the source back to waiting for the user rather
    // than leaving it ready for ever.
    if (go) {
      outcome.transferReady = true;
    } else {
      ResetTransfers(link);
      FinishTransfers(link, host);
    }
  } else if (event.TWMessage == MSG_CLOSEDSREQ) {
    CloseTwain(link, host);
    host.realisePalette(host.ctx);
  }
  outcome.consumed = rc == TWRC_DSEVENT;
  return outcome;
}

void FinishTransfers(TwainLink* link, const AcquireHost& host) {
  if (link->acquireState == kAcquireCloseAll) {
    CloseTwain(link, host);
    link->acquireState = kAcquireIdle;
  } else if (link->acquireState != kAcquireKeepOpen) {
    link->acquireState = kAcquireIdle;
  }
}

void DisableSource(TwainLink* link, const AcquireHost& host) {
  if (!link->sourceEnabled) return;
  TW_USERINTERFACE ui{};
  ui.hParent = link->parent;
  if (TwainCall(link, true, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui) == TWRC_SUCCESS) {
    link->sourceEnabled = false;
    host.enableAcquire(host.ctx, true);
  }
}

void CloseSource(TwainLink* link, const AcquireHost&) {
  if (!link->sourceOpen || link->sourceEnabled) return;
  if (TwainCall(link, false, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &link->source) ==
      TWRC_SUCCESS)
    link->sourceOpen = false;
}

void CloseManager(TwainLink* link, const AcquireHost& host) {
  if (!link->managerOpen || link->sourceOpen) return;
  if (TwainCall(link, false, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &link->parent) !=
      TWRC_SUCCESS)
    return;
  link->managerOpen = false;
  host.unloadManager(host.ctx);
  link->entry = nullptr;
}

void CloseTwain(TwainLink* link, const AcquireHost& host) {
  DisableSource(link, host);
  if (link->sourceEnabled) return;
  CloseSource(link, host);
  if (link->sourceOpen) return;
  CloseManager(link, host);
  if (!link->managerOpen) link->acquireState = kAcquireIdle;
}

}  // namespace wq
