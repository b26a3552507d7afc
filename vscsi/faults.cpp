// Matching commands against the configured faults.
#include "vscsi/faults.h"

namespace vscsi {
namespace {

bool InStage(FaultKind k, FaultStage s) {
  bool submit = k == FaultKind::AspiBusy || k == FaultKind::Pending || k == FaultKind::Hang;
  return submit == (s == FaultStage::Submit);
}

bool Matches(const FaultRule& f, const Device& d, const uint8_t* cdb, uint32_t imageRead) {
  uint8_t op = cdb[0];
  if (f.opcode >= 0 && f.opcode != op) return false;
  if (f.dataType >= 0 && !((op == 0x28 || op == 0x2A) && cdb[2] == f.dataType)) return false;
  if (d.commands < f.after) return false;
  if (f.readIndex && f.readIndex != imageRead) return false;
  if (f.sheet && !(d.scanner.sheetLoaded && d.scanner.sheetNumber == f.sheet)) return false;
  // A short transfer only means something for a read, unless told otherwise.
  if (f.kind == FaultKind::Short && f.opcode < 0 && op != 0x28) return false;
  // Unit attention lets INQUIRY and REQUEST SENSE through.
  if (f.sparesInquiry && (op == 0x12 || op == 0x03)) return false;
  return true;
}

}  // namespace

const FaultRule* TakeFault(Device* d, const uint8_t* cdb, FaultStage stage, uint32_t imageRead) {
  for (FaultRule& f : d->faults) {
    if (f.times == 0 || !InStage(f.kind, stage) || !Matches(f, *d, cdb, imageRead)) continue;
    if (f.times > 0) --f.times;
    return &f;
  }
  return nullptr;
}

}  // namespace vscsi
