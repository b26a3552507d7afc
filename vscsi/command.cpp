// Sense data and the data phase of one command.
#include "vscsi/command.h"

#include <cstring>

#include "common/aspi.h"
#include "common/bytes.h"

namespace vscsi {

void MakeSense(uint8_t* s, uint8_t key, uint8_t asc, uint8_t ascq) {
  memset(s, 0, kSenseBytes);
  s[0] = 0x70;  // current error, fixed format
  s[2] = key & 0x0F;
  s[7] = kSenseBytes - 8;
  s[12] = asc;
  s[13] = ascq;
}

void Fail(CommandResult* r, uint8_t key, uint8_t asc, uint8_t ascq) {
  r->targetStatus = kCheckCondition;
  r->senseValid = true;
  r->transferred = 0;
  MakeSense(r->sense, key, asc, ascq);
}

static void FailField(CommandResult* r, uint8_t asc, bool inCdb, uint32_t offset) {
  Fail(r, kIllegalRequest, asc);
  // Sense-key specific: the field pointer says which byte was refused.
  r->sense[15] = uint8_t(0x80 | (inCdb ? 0x40 : 0));
  wq::PutBE16(r->sense + 16, offset > 0xFFFF ? 0xFFFF : offset);
}

void FailCdbField(CommandResult* r, uint32_t byteOffset) {
  FailField(r, kAscInvalidCdbField, true, byteOffset);
}

void FailParamField(CommandResult* r, uint32_t byteOffset) {
  FailField(r, kAscInvalidParamField, false, byteOffset);
}

bool DataIn(const CommandIO& io, CommandResult* r, uint32_t n) {
  if (n == 0) return true;
  // A block that announced data out cannot take data in, and a buffer
  // shorter than what the target sends is an overrun: both are faults of
  // the adapter, reported as data over/underrun.
  if ((io.flags & aspi::SRB_DIR_OUT) || n > io.bufferLength || !io.buffer) {
    r->hostStatus = aspi::HASTAT_DO_DU;
    return false;
  }
  r->dataIn = true;
  return true;
}

bool DataOut(const CommandIO& io, CommandResult* r, uint32_t n) {
  if (n == 0) return true;
  if ((io.flags & aspi::SRB_DIR_IN) || n > io.bufferLength || !io.buffer) {
    r->hostStatus = aspi::HASTAT_DO_DU;
    return false;
  }
  r->transferred = n;
  return true;
}

void ReplyIn(const CommandIO& io, CommandResult* r, const uint8_t* data, uint32_t n) {
  if (!DataIn(io, r, n)) return;
  if (n) memcpy(io.buffer, data, n);
  r->transferred = n;
}

uint32_t CdbTransferLength(const uint8_t* cdb) { return wq::GetBE24(cdb + 6); }
uint16_t CdbQualifier(const uint8_t* cdb) { return wq::GetBE16(cdb + 4); }

uint8_t CdbLengthFor(uint8_t opcode) {
  if (opcode == 0xFF) return 10;
  switch (opcode >> 5) {
    case 0: return 6;
    case 1:
    case 2: return 10;
    case 4: return 16;
    case 5: return 12;
  }
  return 6;  // reserved and vendor groups: the header is all we need
}

}  // namespace vscsi
