// CDB builders and issuing one traced command with its BUSY retries and
// REQUEST SENSE.
#include "scanlib/command.h"

#include <cstring>

#include "common/bytes.h"
#include "scanlib/logformat.h"
#include "scanlib/trace.h"
#include "scanlib/transport.h"

namespace wqscsi {

ScsiCommand CmdSimple(uint8_t opcode) {
  ScsiCommand c{};
  c.cdb[0] = opcode;
  return c;
}

ScsiCommand CmdInquiry(uint8_t* reply36) {
  ScsiCommand c = CmdSimple(kOpInquiry);
  c.cdb[4] = kInquiryLength;
  c.data = reply36;
  c.length = kInquiryLength;
  c.direction = kDirIn;
  return c;
}

ScsiCommand CmdRequestSense(uint8_t* reply, uint8_t length) {
  ScsiCommand c = CmdSimple(kOpRequestSense);
  c.cdb[4] = length;
  c.data = reply;
  c.length = length;
  c.direction = kDirIn;
  return c;
}

ScsiCommand CmdModeSense(uint8_t page, uint8_t* reply, uint8_t allocation) {
  ScsiCommand c = CmdSimple(kOpModeSense);
  c.cdb[1] = 0x08;  // no block descriptors
  c.cdb[2] = page;
  c.cdb[4] = allocation;
  c.data = reply;
  c.length = allocation;
  c.direction = kDirIn;
  c.targetNote = ModePageName(page);
  return c;
}

ScsiCommand CmdModeSelect(uint8_t* list, uint8_t length) {
  ScsiCommand c = CmdSimple(kOpModeSelect);
  c.cdb[1] = 0x10;  // page format
  c.cdb[4] = length;
  c.data = list;
  c.length = length;
  c.direction = kDirOut;
  c.targetNote = ModePageName(length > 4 ? list[4] & 0x3F : 0);
  return c;
}

ScsiCommand CmdObjectPosition(uint8_t function) {
  ScsiCommand c = CmdSimple(kOpObjectPosition);
  c.cdb[1] = function & 7;
  return c;
}

ScsiCommand CmdGetWindow(uint8_t* reply, uint32_t allocation) {
  ScsiCommand c = CmdSimple(kOpGetWindow);
  wq::PutBE24(c.cdb + 6, allocation);
  c.data = reply;
  c.length = allocation;
  c.direction = kDirIn;
  return c;
}

ScsiCommand CmdSetWindow(uint8_t* data, uint32_t length) {
  ScsiCommand c = CmdSimple(kOpSetWindow);
  wq::PutBE24(c.cdb + 6, length);
  c.data = data;
  c.length = length;
  c.direction = kDirOut;
  return c;
}

ScsiCommand CmdRead(uint8_t typeCode, uint16_t qualifier, uint8_t* reply, uint32_t length) {
  ScsiCommand c = CmdSimple(kOpRead);
  c.cdb[2] = typeCode;
  c.cdb[5] = uint8_t(qualifier);
  wq::PutBE24(c.cdb + 6, length);
  c.data = reply;
  c.length = length;
  c.direction = kDirIn;
  if (typeCode == 0x81) c.targetNote = "Read 4Bytes";
  if (typeCode == 0x82) c.targetNote = "Read Mode parameter";
  return c;
}

ScsiCommand CmdSend(uint8_t typeCode, uint16_t qualifier, uint8_t* data, uint32_t length,
                    const char* label) {
  ScsiCommand c = CmdSimple(kOpSend);
  c.cdb[2] = typeCode;
  c.cdb[5] = uint8_t(qualifier);
  wq::PutBE24(c.cdb + 6, length);
  c.data = length ? data : nullptr;
  c.length = data ? length : 0;
  c.direction = c.length ? kDirOut : kDirNone;
  c.label = label;
  return c;
}

namespace {

// REQUEST SENSE after a CHECK CONDITION, into the state's sense buffer. The
// command record and raw status of the failed command are kept.
int16_t FetchSense(LibraryState* s) {
  const uint8_t savedTargetStatus = s->targetStatus;
  uint8_t* savedData = s->data;
  const uint32_t savedLength = s->dataLength;
  const DataDirection savedDirection = s->direction;
  uint8_t savedCdb[kCdbSize];
  std::memcpy(savedCdb, s->cdb, kCdbSize);
  uint8_t before[kSenseBufferSize];
  std::memcpy(before, s->sense, kSenseBufferSize);

  uint8_t reply[kSenseBufferSize] = {};
  ScsiCommand rs = CmdRequestSense(reply, kSenseBufferSize);
  std::memcpy(s->cdb, rs.cdb, kCdbSize);
  s->data = reply;
  s->dataLength = rs.length;
  s->direction = kDirIn;
  TraceTarget(s->target, nullptr);
  TraceCommand(s->cdb, nullptr);
  const int16_t result = ExecuteOnce(s);
  TraceStatus(result);
  std::memcpy(s->sense, result == kScanOk ? reply : before, kSenseBufferSize);

  s->targetStatus = savedTargetStatus;
  s->data = savedData;
  s->dataLength = savedLength;
  s->direction = savedDirection;
  std::memcpy(s->cdb, savedCdb, kCdbSize);
  return result;
}

}  // namespace

int16_t IssueCommand(const ScsiCommand& c) {
  LibraryState* s = g_scan.state;
  const ScanPlatform* p = g_scan.platform;
  std::memcpy(s->cdb, c.cdb, kCdbSize);
  s->data = c.data;
  s->dataLength = c.length;
  s->direction = c.direction;

  TraceTarget(s->target, c.targetNote);
  TraceCommand(s->cdb, c.label);
  if (c.direction == kDirOut && c.data && c.length) TraceParameterList(c.data, c.length);

  const bool retryBusy = c.cdb[0] == kOpTestUnitReady || c.cdb[0] == kOpRead;
  const uint32_t start = p->Milliseconds();
  uint32_t retries = 0;
  int16_t status;
  for (;;) {
    status = ExecuteOnce(s);
    if (!retryBusy || s->targetStatus != aspi::STATUS_BUSY) break;
    if (p->Milliseconds() - start >= p->busyLimitMs) break;
    ++retries;
    if (c.busySpacingMs) p->BusyWait(c.busySpacingMs);
  }
  if (c.countBusy && retries) TraceBusyCount(retries);
  TraceStatus(status);
  if (status == kScanCheckCondition) {
    if (s->explicitSense) {
      const int16_t fetched = FetchSense(s);
      // The command failed whatever REQUEST SENSE says; only a failure of
      // REQUEST SENSE itself replaces the status.
      if (fetched != kScanOk) status = fetched;
    }
    TraceSense(s->sense);
  }
  s->status = status;
  return status;
}

int16_t TestUnitReady() {
  LibraryState* s = g_scan.state;
  int16_t status = IssueCommand(CmdSimple(kOpTestUnitReady));
  if (status == kScanCheckCondition && (s->sense[2] & 15) == 6) status = kScanOk;
  s->status = status;
  return status;
}

}  // namespace wqscsi
