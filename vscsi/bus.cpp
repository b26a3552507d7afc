// The bus as an ASPI for Win32 manager: support information, host-adapter
// inquiry, device type, execute (with pending completion through
// VscsiPoll), abort and device reset.
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <new>
#include <vector>

#include "common/aspi.h"
#include "vscsi/config.h"
#include "vscsi/describe.h"
#include "vscsi/device.h"
#include "vscsi/faults.h"
#include "vscsi/vscsi.h"
#include "vscsi/wirelog.h"

namespace vscsi {
namespace {

constexpr size_t kNoDevice = size_t(-1);

struct PendingRequest {
  aspi::SRB_ExecSCSICmd* srb;
  size_t device;  // index into the devices, or kNoDevice for an absent LUN
  uint8_t cdb[16];
  uint8_t cdbLength;
  uint8_t flags;
  uint8_t* buffer;
  uint32_t bufferLength;
  uint8_t lun;
  uint8_t senseLength;
  uint32_t pollsLeft;
  bool hang;
  uint64_t wireId;
};

// A completion the caller hears of after the bus is unlocked.
struct Notice {
  void* srb;
  void* proc;
  bool event;
};

struct Bus {
  std::mutex lock;
  bool configured = false;
  BusConfig config;
  std::vector<Device> devices;
  std::deque<PendingRequest> pending;
  WireLog wire;
  void (*signalEvent)(void*) = nullptr;
};

Bus& TheBus() {
  static Bus bus;
  return bus;
}

void Build(Bus& bus, BusConfig&& cfg) {
  bus.config = std::move(cfg);
  bus.devices.clear();
  bus.devices.resize(bus.config.devices.size());
  for (size_t i = 0; i < bus.devices.size(); ++i) InitDevice(&bus.devices[i], bus.config.devices[i]);
  // Requests of the old bus are forgotten: their blocks may be gone.
  bus.pending.clear();
  WireClear(&bus.wire);
  bus.configured = true;
}

// Called with the lock held.
void EnsureConfigured(Bus& bus) {
  if (bus.configured) return;
  BusConfig cfg;
  char err[160];
  if (!ParseConfig(VscsiDefaultConfig(), &cfg, err, sizeof err)) cfg = BusConfig{};
  Build(bus, std::move(cfg));
}

bool TargetPresent(const Bus& bus, uint8_t ha, uint8_t target) {
  for (const Device& d : bus.devices)
    if (d.config.adapter == ha && d.config.target == target) return true;
  return false;
}

size_t FindDevice(const Bus& bus, uint8_t ha, uint8_t target, uint8_t lun) {
  for (size_t i = 0; i < bus.devices.size(); ++i) {
    const DeviceConfig& c = bus.devices[i].config;
    if (c.adapter == ha && c.target == target && c.lun == lun) return i;
  }
  return kNoDevice;
}

void StoreStatus(uint8_t* field, uint8_t status) { __atomic_store_n(field, status, __ATOMIC_RELEASE); }

void Notify(const PendingRequest& p, std::vector<Notice>* notices) {
  void* proc = p.srb->SRB_PostProc;
  if (!proc) return;
  if (p.flags & aspi::SRB_POSTING) notices->push_back({p.srb, proc, false});
  else if (p.flags & aspi::SRB_EVENT_NOTIFY) notices->push_back({p.srb, proc, true});
}

uint8_t Complete(Bus& bus, const PendingRequest& p, std::vector<Notice>* notices) {
  CommandIO io;
  io.cdb = p.cdb;
  io.cdbLength = p.cdbLength;
  io.flags = p.flags;
  io.buffer = p.buffer;
  io.bufferLength = p.bufferLength;
  io.lun = p.lun;
  CommandResult r;
  if (p.device == kNoDevice) ExecuteOnAbsentLun(io, &r);
  else ExecuteOnDevice(&bus.devices[p.device], io, &r);

  aspi::SRB_ExecSCSICmd* srb = p.srb;
  bool residual = (p.flags & aspi::SRB_ENABLE_RESIDUAL_COUNT) != 0;
  uint8_t hostStatus = r.hostStatus;
  // A target that sends less than it owes is an underrun, unless the
  // caller asked for the residual count.
  if (!hostStatus && r.shortTransfer && !residual) hostStatus = aspi::HASTAT_DO_DU;
  if (residual && r.dataIn) srb->SRB_BufLen = p.bufferLength - r.transferred;
  srb->SRB_HaStat = hostStatus;
  srb->SRB_TargStat = r.targetStatus;
  size_t senseCap = sizeof srb->SenseArea;
  size_t n = p.senseLength < senseCap ? p.senseLength : senseCap;
  memset(srb->SenseArea, 0, n);
  if (r.targetStatus == 0x02 && r.senseValid) memcpy(srb->SenseArea, r.sense, n < size_t(kSenseBytes) ? n : size_t(kSenseBytes));
  uint8_t status = (hostStatus || r.targetStatus) ? aspi::SS_ERR : aspi::SS_COMP;
  WireComplete(&bus.wire, p.wireId, r.targetStatus, status);
  StoreStatus(&srb->SRB_Status, status);
  Notify(p, notices);
  return status;
}

// Returns the request's status; *stored tells whether the block's status
// field already holds it (set last, after everything else the caller reads).
uint8_t Exec(Bus& bus, aspi::SRB_ExecSCSICmd* srb, std::vector<Notice>* notices, bool* stored) {
  if (srb->SRB_HaId >= bus.config.adapters.size()) return aspi::SS_INVALID_HA;
  const AdapterConfig& a = bus.config.adapters[srb->SRB_HaId];
  uint8_t dir = srb->SRB_Flags & (aspi::SRB_DIR_IN | aspi::SRB_DIR_OUT);
  if (srb->SRB_CDBLen == 0 || srb->SRB_CDBLen > 16) return aspi::SS_INVALID_SRB;
  if (dir == (aspi::SRB_DIR_IN | aspi::SRB_DIR_OUT)) return aspi::SS_INVALID_SRB;
  if (srb->SRB_BufLen && !srb->SRB_BufPointer) return aspi::SS_INVALID_SRB;
  if (srb->SRB_BufLen > AdapterMaxTransfer(a)) return aspi::SS_BUFFER_TO_BIG;
  if (srb->SRB_BufLen && (reinterpret_cast<uintptr_t>(srb->SRB_BufPointer) & AdapterAlignMask(a)))
    return aspi::SS_BUFFER_ALIGN;
  srb->SRB_HaStat = 0;
  srb->SRB_TargStat = 0;
  if (!TargetPresent(bus, srb->SRB_HaId, srb->SRB_Target)) {
    srb->SRB_HaStat = aspi::HASTAT_SEL_TO;  // nobody answers selection
    return aspi::SS_ERR;
  }
  // A command shorter than its opcode group leaves the target waiting.
  if (srb->SRB_CDBLen < CdbLengthFor(srb->CDBByte[0])) {
    srb->SRB_HaStat = aspi::HASTAT_PHASE_ERR;
    return aspi::SS_ERR;
  }
  PendingRequest p{};
  p.srb = srb;
  memcpy(p.cdb, srb->CDBByte, 16);
  p.cdbLength = srb->SRB_CDBLen;
  p.flags = srb->SRB_Flags;
  p.buffer = srb->SRB_BufPointer;
  p.bufferLength = srb->SRB_BufLen;
  // The LUN travels in the block or, the older way, in CDB byte 1.
  p.lun = srb->SRB_Lun ? srb->SRB_Lun : uint8_t(p.cdb[1] >> 5);
  p.senseLength = srb->SRB_SenseLen;
  p.device = FindDevice(bus, srb->SRB_HaId, srb->SRB_Target, p.lun);

  const FaultRule* f = nullptr;
  if (p.device != kNoDevice) {
    Device& d = bus.devices[p.device];
    f = TakeFault(&d, p.cdb, FaultStage::Submit, 0);
    if (f && f->kind == FaultKind::AspiBusy) return aspi::SS_ASPI_IS_BUSY;
  }
  VscsiWireRecord rec{};
  rec.hostAdapter = srb->SRB_HaId;
  rec.target = srb->SRB_Target;
  rec.lun = srb->SRB_Lun;
  rec.cdbLength = p.cdbLength;
  memcpy(rec.cdb, p.cdb, 16);
  rec.direction = dir == aspi::SRB_DIR_IN ? 1 : dir == aspi::SRB_DIR_OUT ? 2 : 0;
  rec.requestStatus = aspi::SS_PENDING;
  rec.transferLength = p.bufferLength;
  bool out = dir == aspi::SRB_DIR_OUT && p.buffer;
  p.wireId = WireAppend(&bus.wire, rec, out ? p.buffer : nullptr, out ? p.bufferLength : 0);

  if (f && (f->kind == FaultKind::Pending || f->kind == FaultKind::Hang)) {
    p.hang = f->kind == FaultKind::Hang;
    p.pollsLeft = f->polls;
    bus.pending.push_back(p);
    StoreStatus(&srb->SRB_Status, aspi::SS_PENDING);
    *stored = true;
    return aspi::SS_PENDING;
  }
  *stored = true;
  return Complete(bus, p, notices);
}

uint8_t HaInquiry(Bus& bus, aspi::SRB_HAInquiry* h) {
  if (h->SRB_HaId >= bus.config.adapters.size()) return aspi::SS_INVALID_HA;
  const AdapterConfig& a = bus.config.adapters[h->SRB_HaId];
  h->HA_Count = uint8_t(bus.config.adapters.size());
  h->HA_SCSI_ID = a.scsiId;
  memcpy(h->HA_ManagerId, a.managerId, 16);
  memcpy(h->HA_Identifier, a.identifier, 16);
  memcpy(h->HA_Unique, a.unique, 16);
  return aspi::SS_COMP;
}

uint8_t DeviceType(Bus& bus, aspi::SRB_GDEVBlock* g) {
  if (g->SRB_HaId >= bus.config.adapters.size()) return aspi::SS_INVALID_HA;
  size_t i = FindDevice(bus, g->SRB_HaId, g->SRB_Target, g->SRB_Lun);
  if (i == kNoDevice) {
    g->SRB_DeviceType = 0x1F;  // unknown
    return aspi::SS_NO_DEVICE;
  }
  g->SRB_DeviceType = bus.devices[i].config.type;
  return aspi::SS_COMP;
}

void AbortPending(Bus& bus, const PendingRequest& p, std::vector<Notice>* notices) {
  p.srb->SRB_HaStat = 0;
  p.srb->SRB_TargStat = 0;
  WireComplete(&bus.wire, p.wireId, 0, aspi::SS_ABORTED);
  StoreStatus(&p.srb->SRB_Status, aspi::SS_ABORTED);
  Notify(p, notices);
}

uint8_t Abort(Bus& bus, aspi::SRB_Abort* a, std::vector<Notice>* notices) {
  if (a->SRB_HaId >= bus.config.adapters.size()) return aspi::SS_INVALID_HA;
  for (auto it = bus.pending.begin(); it != bus.pending.end(); ++it) {
    if (it->srb != a->SRB_ToAbort) continue;
    PendingRequest p = *it;
    bus.pending.erase(it);
    AbortPending(bus, p, notices);
    return aspi::SS_COMP;
  }
  return aspi::SS_ABORT_FAIL;  // not (or no longer) pending
}

uint8_t Reset(Bus& bus, aspi::SRB_BusDeviceReset* b, std::vector<Notice>* notices) {
  if (b->SRB_HaId >= bus.config.adapters.size()) return aspi::SS_INVALID_HA;
  b->SRB_HaStat = 0;
  b->SRB_TargStat = 0;
  if (!TargetPresent(bus, b->SRB_HaId, b->SRB_Target)) {
    b->SRB_HaStat = aspi::HASTAT_SEL_TO;
    return aspi::SS_ERR;
  }
  for (auto it = bus.pending.begin(); it != bus.pending.end();) {
    aspi::SRB_ExecSCSICmd* s = it->srb;
    if (s->SRB_HaId == b->SRB_HaId && s->SRB_Target == b->SRB_Target) {
      PendingRequest p = *it;
      it = bus.pending.erase(it);
      AbortPending(bus, p, notices);
    } else {
      ++it;
    }
  }
  for (Device& d : bus.devices)
    if (d.config.adapter == b->SRB_HaId && d.config.target == b->SRB_Target) ResetDevice(&d);
  return aspi::SS_COMP;
}

void Deliver(Bus& bus, const std::vector<Notice>& notices) {
  for (const Notice& n : notices) {
    if (n.event) {
      if (bus.signalEvent) bus.signalEvent(n.proc);
    } else {
      reinterpret_cast<void (*)(void*)>(n.proc)(n.srb);
    }
  }
}

}  // namespace
}  // namespace vscsi

using namespace vscsi;

extern "C" {

bool VscsiConfigure(const char* text, char* err, size_t errSize) {
  try {
    BusConfig cfg;
    if (!ParseConfig(text, &cfg, err, errSize)) return false;
    Bus& bus = TheBus();
    std::lock_guard<std::mutex> guard(bus.lock);
    Build(bus, std::move(cfg));
    return true;
  } catch (const std::bad_alloc&) {
    if (err && errSize) snprintf(err, errSize, "out of memory");
    return false;
  }
}

uint32_t VscsiGetSupportInfo() {
  Bus& bus = TheBus();
  std::lock_guard<std::mutex> guard(bus.lock);
  EnsureConfigured(bus);
  uint32_t count = uint32_t(bus.config.adapters.size());
  uint32_t status = bus.config.statusGiven ? bus.config.supportStatus
                    : count               ? aspi::SS_COMP
                                          : aspi::SS_NO_ADAPTERS;
  return status << 8 | count;
}

uint32_t VscsiSendCommand(void* block) {
  if (!block) return aspi::SS_INVALID_SRB;
  Bus& bus = TheBus();
  std::vector<Notice> notices;
  uint8_t status;
  {
    std::lock_guard<std::mutex> guard(bus.lock);
    EnsureConfigured(bus);
    auto* header = static_cast<aspi::SRB_Header*>(block);
    bool stored = false;
    try {
      switch (header->SRB_Cmd) {
        case aspi::SC_HA_INQUIRY: status = HaInquiry(bus, static_cast<aspi::SRB_HAInquiry*>(block)); break;
        case aspi::SC_GET_DEV_TYPE: status = DeviceType(bus, static_cast<aspi::SRB_GDEVBlock*>(block)); break;
        case aspi::SC_EXEC_SCSI_CMD:
          status = Exec(bus, static_cast<aspi::SRB_ExecSCSICmd*>(block), &notices, &stored);
          break;
        case aspi::SC_ABORT_SRB: status = Abort(bus, static_cast<aspi::SRB_Abort*>(block), &notices); break;
        case aspi::SC_RESET_DEV: status = Reset(bus, static_cast<aspi::SRB_BusDeviceReset*>(block), &notices); break;
        default: status = aspi::SS_INVALID_CMD; break;
      }
    } catch (const std::bad_alloc&) {
      status = aspi::SS_INSUFFICIENT_RESOURCES;
      stored = false;
    }
    if (!stored) StoreStatus(&header->SRB_Status, status);
  }
  Deliver(bus, notices);
  return status;
}

void VscsiPoll() {
  Bus& bus = TheBus();
  std::vector<Notice> notices;
  {
    std::lock_guard<std::mutex> guard(bus.lock);
    for (auto it = bus.pending.begin(); it != bus.pending.end();) {
      if (it->hang || (it->pollsLeft && --it->pollsLeft)) {
        ++it;
        continue;
      }
      PendingRequest p = *it;
      it = bus.pending.erase(it);
      try {
        Complete(bus, p, &notices);
      } catch (const std::bad_alloc&) {
        p.srb->SRB_HaStat = 0;
        StoreStatus(&p.srb->SRB_Status, aspi::SS_INSUFFICIENT_RESOURCES);
      }
    }
  }
  Deliver(bus, notices);
}

size_t VscsiPendingCount() {
  Bus& bus = TheBus();
  std::lock_guard<std::mutex> guard(bus.lock);
  return bus.pending.size();
}

void VscsiSetEventSignal(void (*signal)(void* handle)) {
  Bus& bus = TheBus();
  std::lock_guard<std::mutex> guard(bus.lock);
  bus.signalEvent = signal;
}

size_t VscsiWireCount() {
  Bus& bus = TheBus();
  std::lock_guard<std::mutex> guard(bus.lock);
  return bus.wire.entries.size();
}

bool VscsiWireGet(size_t index, VscsiWireRecord* record, uint8_t* data, size_t dataCap) {
  Bus& bus = TheBus();
  std::lock_guard<std::mutex> guard(bus.lock);
  if (index >= bus.wire.entries.size()) return false;
  const WireEntry& e = bus.wire.entries[index];
  if (record) *record = e.record;
  if (data && dataCap && !e.data.empty())
    memcpy(data, e.data.data(), e.data.size() < dataCap ? e.data.size() : dataCap);
  return true;
}

void VscsiWireClear() {
  Bus& bus = TheBus();
  std::lock_guard<std::mutex> guard(bus.lock);
  WireClear(&bus.wire);
}

bool VscsiLoadSheets(int hostAdapter, int target, uint32_t sheets) {
  Bus& bus = TheBus();
  std::lock_guard<std::mutex> guard(bus.lock);
  EnsureConfigured(bus);
  if (hostAdapter < 0 || target < 0 || hostAdapter > 255 || target > 255) return false;
  const size_t i = FindDevice(bus, uint8_t(hostAdapter), uint8_t(target), 0);
  if (i == kNoDevice) return false;
  Device& d = bus.devices[i];
  if (!d.config.scanner || d.scanner.options.adfType == 0) return false;
  d.scanner.sheetsLeft = sheets;
  return true;
}

size_t VscsiDescribe(int hostAdapter, int target, char* buf, size_t bufSize) {
  Bus& bus = TheBus();
  std::lock_guard<std::mutex> guard(bus.lock);
  EnsureConfigured(bus);
  if (hostAdapter < 0 || target < 0 || hostAdapter > 255 || target > 255) return 0;
  size_t i = FindDevice(bus, uint8_t(hostAdapter), uint8_t(target), 0);
  if (i == kNoDevice || !buf || !bufSize) return 0;
  return DescribeDevice(bus.devices[i], buf, bufSize);
}

}  // extern "C"
