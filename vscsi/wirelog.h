// The record of every command that reached a device, oldest first.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "vscsi/vscsi.h"

namespace vscsi {

struct WireEntry {
  uint64_t id;
  VscsiWireRecord record;
  std::vector<uint8_t> data;  // out data, possibly cut short
};

struct WireLog {
  std::deque<WireEntry> entries;
  uint64_t nextId = 1;
  size_t dataBytes = 0;
};

// Keeps at most this many records and bytes of data; the oldest go first.
constexpr size_t kWireMaxRecords = 100000;
constexpr size_t kWireMaxData = 64u << 20;
constexpr size_t kWireMaxDataPerRecord = 1u << 20;

// Appends a record; returns its id.
uint64_t WireAppend(WireLog* log, const VscsiWireRecord& rec, const uint8_t* data, size_t n);
// Fills in how a recorded command ended (no effect once it was dropped).
void WireComplete(WireLog* log, uint64_t id, uint8_t targetStatus, uint8_t requestStatus);
void WireClear(WireLog* log);

}  // namespace vscsi
