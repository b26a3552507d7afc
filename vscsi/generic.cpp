// What every SCSI device answers: TEST UNIT READY, REQUEST SENSE and
// INQUIRY; a generic device refuses everything else.
#include <cstring>

#include "vscsi/device.h"

namespace vscsi {
namespace {

constexpr uint8_t kInquiryLength = 36;

void Inquiry(const Device& d, const CommandIO& io, CommandResult* r) {
  const uint8_t* cdb = io.cdb;
  if (cdb[1] & 0x01) return FailCdbField(r, 1);  // no vital product data pages
  if (cdb[2]) return FailCdbField(r, 2);
  uint8_t data[kInquiryLength] = {};
  data[0] = d.config.type;
  data[1] = d.config.removable ? 0x80 : 0;
  data[2] = 2;  // SCSI-2
  data[3] = 2;  // response data format
  data[4] = kInquiryLength - 5;
  memcpy(data + 8, d.config.vendor, 8);
  memcpy(data + 16, d.config.product, 16);
  memcpy(data + 32, d.config.revision, 4);
  uint32_t n = cdb[4] < kInquiryLength ? cdb[4] : kInquiryLength;
  ReplyIn(io, r, data, n);
}

void RequestSense(Device* d, const CommandIO& io, CommandResult* r) {
  uint8_t sense[kSenseBytes];
  if (d->senseValid) memcpy(sense, d->sense, kSenseBytes);
  else MakeSense(sense, kNoSense, 0, 0);
  uint32_t n = io.cdb[4] < kSenseBytes ? io.cdb[4] : kSenseBytes;
  ReplyIn(io, r, sense, n);
  if (r->hostStatus == 0) {
    d->senseValid = false;
    d->unitAttention = false;
  }
}

}  // namespace

bool CommonCommand(Device* d, const CommandIO& io, CommandResult* r) {
  switch (io.cdb[0]) {
    case 0x00: return true;  // TEST UNIT READY: always ready
    case 0x03: RequestSense(d, io, r); return true;
    case 0x12: Inquiry(*d, io, r); return true;
  }
  return false;
}

void ExecuteOnAbsentLun(const CommandIO& io, CommandResult* r) {
  if (io.cdb[0] == 0x12) {
    // The target answers for a logical unit it does not have.
    uint8_t data[kInquiryLength] = {0x7F};
    uint32_t n = io.cdb[4] < kInquiryLength ? io.cdb[4] : kInquiryLength;
    ReplyIn(io, r, data, n);
    return;
  }
  if (io.cdb[0] == 0x03) {
    uint8_t sense[kSenseBytes];
    MakeSense(sense, kIllegalRequest, kAscLunNotSupported, 0);
    uint32_t n = io.cdb[4] < kSenseBytes ? io.cdb[4] : kSenseBytes;
    ReplyIn(io, r, sense, n);
    return;
  }
  Fail(r, kIllegalRequest, kAscLunNotSupported);
}

}  // namespace vscsi
