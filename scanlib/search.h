// Walking the SCSI buses: the host-adapter table, the two searches (family
// scanners, all devices) and the verification of one remembered scanner.
#pragma once
#include <cstdint>

#include "common/aspi.h"
#include "scanlib/scanlib.h"

namespace wqscsi {

constexpr int kMaxAdapters = 10;
constexpr int kAdapterEntrySize = 96;
constexpr int kMaxTargetId = 7;
constexpr char kFamilyPrefix[] = "KORVA   WQ";  // INQUIRY bytes 8-17

struct AdapterTable {
  int count;
  uint8_t entries[kMaxAdapters][kAdapterEntrySize];
};

// One table entry from a host-adapter inquiry: manager id bytes 0-3 at 8,
// 4-11 at 16, 12-15 at 32; the adapter identifier at 36; the first four
// unique bytes at 52.
void AdapterEntryFromInquiry(const aspi::SRB_HAInquiry& reply, uint8_t* entry);
// The 32-byte name of an adapter's own list entry: manager id (8 bytes),
// adapter identifier (16), unique parameters (4), four zero bytes.
void AdapterEntryName(const uint8_t* entry, char* name);
// INQUIRY data a family scanner answers with (type 6, "KORVA   WQ").
bool IsFamilyScanner(const uint8_t* inquiry);

// Fills the table by inquiring every adapter (at most kMaxAdapters).
void FillAdapterTable(AdapterTable& table);

// Search mode 1 (family scanners into ScannerList) or 0 (all devices into
// DeviceList). Returns the status for the block (0 or -1).
int16_t DeviceSearch(int mode);

// Selector 3: INQUIRY at the block's address; a type-6 device whose
// first 27 name bytes match becomes a one-entry ScannerList.
int16_t VerifyDevice(ScanParamBlock* block);

}  // namespace wqscsi
