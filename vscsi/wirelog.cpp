// Wire log.
#include "vscsi/wirelog.h"

namespace vscsi {

uint64_t WireAppend(WireLog* log, const VscsiWireRecord& rec, const uint8_t* data, size_t n) {
  if (n > kWireMaxDataPerRecord) n = kWireMaxDataPerRecord;
  while (!log->entries.empty() &&
         (log->entries.size() >= kWireMaxRecords || log->dataBytes + n > kWireMaxData)) {
    log->dataBytes -= log->entries.front().data.size();
    log->entries.pop_front();
  }
  WireEntry e;
  e.id = log->nextId++;
  e.record = rec;
  e.record.dataLength = uint32_t(n);
  if (n) e.data.assign(data, data + n);
  log->dataBytes += n;
  log->entries.push_back(std::move(e));
  return log->entries.back().id;
}

void WireComplete(WireLog* log, uint64_t id, uint8_t targetStatus, uint8_t requestStatus) {
  // Records are kept in id order with no gaps, so the place is computed.
  if (log->entries.empty() || id < log->entries.front().id) return;
  size_t index = size_t(id - log->entries.front().id);
  if (index >= log->entries.size()) return;
  log->entries[index].record.targetStatus = targetStatus;
  log->entries[index].record.requestStatus = requestStatus;
}

void WireClear(WireLog* log) {
  log->entries.clear();
  log->dataBytes = 0;
}

}  // namespace vscsi
