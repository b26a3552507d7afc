// The ASPI transport: binding the manager, sending and waiting within the
// bounds, executing one command and mapping its outcome to a status.
#include "scanlib/transport.h"

#include <atomic>
#include <cstring>

namespace wqscsi {

namespace {

// One block for 6-byte CDBs, one for 10-byte CDBs; requests are strictly one
// at a time.
aspi::SRB_ExecSCSICmd g_srb6;
aspi::SRB_ExecSCSICmd g_srb10;

// The manager may complete the request from another thread.
uint8_t LoadStatus(aspi::SRB_Header* srb) {
  return std::atomic_ref<uint8_t>(srb->SRB_Status).load(std::memory_order_acquire);
}
void StoreStatus(aspi::SRB_Header* srb, uint8_t value) {
  std::atomic_ref<uint8_t>(srb->SRB_Status).store(value, std::memory_order_release);
}

}  // namespace

int CdbLengthForOpcode(uint8_t opcode) {
  if (opcode <= 0x1F) return 6;
  if (opcode <= 0x5F) return 10;
  if (opcode == 0xFF) return 10;
  return 0;
}

int16_t MapRequestStatus(uint8_t requestStatus, uint8_t hostAdapterStatus, uint8_t targetStatus) {
  if (hostAdapterStatus != aspi::HASTAT_OK) return kScanCheckCondition;
  // Managers report a target's own failure as SS_ERR with its status byte;
  // that is a completed request too, so BUSY stays BUSY.
  const bool completed = requestStatus == aspi::SS_COMP ||
                         (requestStatus == aspi::SS_ERR && targetStatus != aspi::STATUS_GOOD);
  if (!completed) return kScanCheckCondition;
  switch (targetStatus) {
    case aspi::STATUS_GOOD: return kScanOk;
    case aspi::STATUS_CHKCOND: return kScanCheckCondition;
    case aspi::STATUS_BUSY: return kScanBusy;
    default: return kScanTargetError;
  }
}

bool BindManager(LibraryState* state) {
  const ScanPlatform* p = g_scan.platform;
  state->supportInfo = nullptr;
  state->sendCommand = nullptr;
  if (!p || !p->BindAspi) return false;
  aspi::GetASPI32SupportInfoFn support = nullptr;
  aspi::SendASPI32CommandFn send = nullptr;
  if (!p->BindAspi(&support, &send) || !support || !send) return false;
  // Bits 15-8 are the status; the adapter count is not used here.
  if (((support() >> 8) & 0xFF) != aspi::SS_COMP) return false;
  state->supportInfo = support;
  state->sendCommand = send;
  return true;
}

uint8_t SendAndWait(aspi::SRB_Header* srb) {
  const ScanPlatform* p = g_scan.platform;
  LibraryState* s = g_scan.state;
  if (!s || !s->sendCommand) return aspi::SS_NO_ASPI;
  const uint32_t start = p->Milliseconds();
  const uint32_t limit = p->completionLimitMs;
  for (;;) {
    StoreStatus(srb, aspi::SS_PENDING);
    s->sendCommand(srb);
    while (LoadStatus(srb) == aspi::SS_PENDING) {
      if (p->Milliseconds() - start >= limit) {
        // Given up: take the request back so the manager stops working on it.
        aspi::SRB_Abort abort{};
        abort.SRB_Cmd = aspi::SC_ABORT_SRB;
        abort.SRB_HaId = srb->SRB_HaId;
        abort.SRB_ToAbort = srb;
        s->sendCommand(&abort);
        return LoadStatus(srb);
      }
      p->Idle();
    }
    uint8_t st = LoadStatus(srb);
    if (st != aspi::SS_ASPI_IS_BUSY) return st;
    if (p->Milliseconds() - start >= limit) return st;
    p->Idle();
  }
}

bool InquireAdapter(uint8_t hostAdapter, aspi::SRB_HAInquiry* reply) {
  std::memset(reply, 0, sizeof *reply);
  reply->SRB_Cmd = aspi::SC_HA_INQUIRY;
  reply->SRB_HaId = hostAdapter;
  return SendAndWait(reinterpret_cast<aspi::SRB_Header*>(reply)) == aspi::SS_COMP;
}

int16_t ExecuteOnce(LibraryState* s) {
  const int length = CdbLengthForOpcode(s->cdb[0]);
  if (length == 0) return kScanNotFound;
  s->cdb[1] = uint8_t((s->cdb[1] & 0x9F) | ((s->target.Lun & 3) << 5));
  aspi::SRB_ExecSCSICmd& srb = length == 6 ? g_srb6 : g_srb10;
  std::memset(&srb, 0, sizeof srb);
  srb.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  srb.SRB_HaId = s->target.HostAdapter;
  const bool hasData = s->data && s->dataLength > 0;
  if (hasData)
    srb.SRB_Flags = s->direction == kDirIn ? aspi::SRB_DIR_IN
                    : s->direction == kDirOut ? aspi::SRB_DIR_OUT : 0;
  srb.SRB_Target = s->target.Target;
  srb.SRB_Lun = 0;  // the LUN travels in the CDB
  srb.SRB_BufLen = hasData ? s->dataLength : 0;
  srb.SRB_BufPointer = hasData ? s->data : nullptr;
  srb.SRB_SenseLen = aspi::SENSE_LEN;
  srb.SRB_CDBLen = uint8_t(length);
  std::memcpy(srb.CDBByte, s->cdb, size_t(length));
  const uint8_t requestStatus = SendAndWait(reinterpret_cast<aspi::SRB_Header*>(&srb));
  s->targetStatus = srb.SRB_TargStat;
  std::memcpy(s->sense, srb.SenseArea, aspi::SENSE_LEN);
  return MapRequestStatus(requestStatus, srb.SRB_HaStat, srb.SRB_TargStat);
}

}  // namespace wqscsi
