// One command on one device: unit attention, injected faults, the command,
// and the sense kept for REQUEST SENSE.
#include "vscsi/device.h"

#include <cstring>

#include "vscsi/faults.h"
#include "vscsi/scanner.h"

namespace vscsi {

void InitDevice(Device* d, const DeviceConfig& c) {
  d->config = c;
  d->faults = c.faults;
  d->commands = 0;
  d->senseValid = false;
  d->unitAttention = false;
  if (c.scanner) InitScanner(&d->scanner, c.options);
}

void ResetDevice(Device* d) {
  if (d->config.scanner) {
    EndScan(&d->scanner, false);
    ResetScannerParams(&d->scanner);
  }
  d->unitAttention = true;
  d->senseValid = true;
  MakeSense(d->sense, kUnitAttention, kAscPowerOnReset, 0);
}

void ExecuteOnDevice(Device* d, const CommandIO& io, CommandResult* r) {
  uint8_t op = io.cdb[0];
  uint32_t imageRead = d->config.scanner ? NextImageRead(d->scanner, io.cdb) : 0;
  const FaultRule* f = TakeFault(d, io.cdb, FaultStage::Execute, imageRead);
  ++d->commands;

  // After a reset the first command but INQUIRY and REQUEST SENSE learns of it.
  if (d->unitAttention && op != 0x12 && op != 0x03) {
    d->unitAttention = false;
    Fail(r, kUnitAttention, kAscPowerOnReset);
    memcpy(d->sense, r->sense, kSenseBytes);
    d->senseValid = true;
    return;
  }
  if (f && f->kind == FaultKind::Busy) {
    r->targetStatus = kBusy;
    return;
  }
  if (f && f->kind == FaultKind::Check) {
    Fail(r, f->key, f->asc, f->ascq);
    memcpy(d->sense, r->sense, kSenseBytes);
    d->senseValid = true;
    // A fault in the middle of an image ends the scan; the sheet stays in.
    if (imageRead) EndScan(&d->scanner, false);
    return;
  }
  // Any command but REQUEST SENSE clears the sense of the one before.
  if (op != 0x03) d->senseValid = false;

  if (d->config.scanner) {
    ScannerCommand(d, io, r);
  } else if (!CommonCommand(d, io, r)) {
    Fail(r, kIllegalRequest, kAscInvalidOpcode);
  }

  if (f && f->kind == FaultKind::Short && r->targetStatus == kGood && r->hostStatus == 0 &&
      r->transferred > f->shortBytes && r->dataIn) {
    r->transferred = f->shortBytes;
    r->shortTransfer = true;
  }
  if (r->targetStatus == kCheckCondition && r->senseValid) {
    memcpy(d->sense, r->sense, kSenseBytes);
    d->senseValid = true;
  }
}

}  // namespace vscsi
