// Walking the SCSI buses: the host-adapter table, the family and all-device
// searches, and verifying the scanner a caller remembered.
#include "scanlib/search.h"

#include <cstring>

#include "scanlib/command.h"
#include "scanlib/lists.h"
#include "scanlib/state.h"
#include "scanlib/trace.h"
#include "scanlib/transport.h"

namespace wqscsi {

void AdapterEntryFromInquiry(const aspi::SRB_HAInquiry& r, uint8_t* e) {
  std::memset(e, 0, kAdapterEntrySize);
  std::memcpy(e + 8, r.HA_ManagerId, 4);
  std::memcpy(e + 16, r.HA_ManagerId + 4, 8);
  std::memcpy(e + 32, r.HA_ManagerId + 12, 4);
  std::memcpy(e + 36, r.HA_Identifier, 16);
  std::memcpy(e + 52, r.HA_Unique, 4);
}

void AdapterEntryName(const uint8_t* e, char* name) {
  std::memset(name, 0, kDeviceNameSize);
  std::memcpy(name, e + 8, 4);
  std::memcpy(name + 4, e + 16, 4);
  std::memcpy(name + 8, e + 36, 16);
  std::memcpy(name + 24, e + 52, 4);
}

namespace {
// A new list may select another scanner: what was started belongs to the old.
void ForgetScanProgress(LibraryState* s) {
  s->unitStarted = false;
  s->savedValid = false;
}
}  // namespace

bool IsFamilyScanner(const uint8_t* inquiry) {
  return inquiry[0] == 6 && std::memcmp(inquiry + 8, kFamilyPrefix, 10) == 0;
}

void FillAdapterTable(AdapterTable& table) {
  std::memset(&table, 0, sizeof table);
  aspi::SRB_HAInquiry reply;
  if (!InquireAdapter(0, &reply)) return;
  int count = reply.HA_Count;
  if (count > kMaxAdapters) count = kMaxAdapters;
  for (int a = 0; a < count; ++a)
    if (InquireAdapter(uint8_t(a), &reply)) AdapterEntryFromInquiry(reply, table.entries[a]);
  table.count = count;
}

int16_t DeviceSearch(int mode) {
  LibraryState* s = g_scan.state;
  if (mode == 1) ReplaceScannerList(nullptr);
  else ReplaceDeviceList(nullptr);
  s->searchMode = int16_t(mode);

  AdapterTable table;
  FillAdapterTable(table);
  aspi::SRB_HAInquiry reply;
  int adapters = InquireAdapter(0, &reply) ? reply.HA_Count : 0;
  if (adapters > kMaxAdapters) adapters = kMaxAdapters;

  FoundDevice found[kMaxAdapters * (kMaxTargetId + 1)];
  int n = 0;
  for (int a = 0; a < adapters; ++a) {
    DeviceAddress address{0, uint8_t(a), 0, 0};
    const int ownId = InquireAdapter(uint8_t(a), &reply) ? reply.HA_SCSI_ID : 7;
    if (ownId == 255) continue;
    for (int t = 0; t <= kMaxTargetId; ++t) {
      address.Target = uint8_t(t);
      if (t == ownId) {
        if (mode == 0) {
          found[n].type = 3;
          AdapterEntryName(table.entries[a], found[n].name);
          found[n].address = address;
          ++n;
        }
        continue;
      }
      s->target = address;
      uint8_t inquiry[kInquiryLength] = {};
      if (IssueCommand(CmdInquiry(inquiry)) != kScanOk) {
        // An empty position; the search goes on.
        s->status = kScanOk;
        if (mode == 0) TraceNotTerminated(address);
        continue;
      }
      TraceDevice(address, inquiry);
      if (mode == 1) {
        if (!IsFamilyScanner(inquiry)) continue;
        TraceText("\tFound KORVA Scanner");
      }
      found[n].type = inquiry[0];
      std::memset(found[n].name, 0, kDeviceNameSize);
      std::memcpy(found[n].name, inquiry + 8, 28);
      found[n].address = address;
      ++n;
    }
  }

  if (n > 0) {
    if (mode == 1) {
      if (ScannerList* list = NewScannerList(found, n)) {
        ReplaceScannerList(list);
        ForgetScanProgress(s);
        return kScanOk;
      }
    } else if (DeviceList* list = NewDeviceList(found, n)) {
      ReplaceDeviceList(list);
      return kScanOk;
    }
  }
  ReplaceScannerList(nullptr);
  ReplaceDeviceList(nullptr);
  TraceText(mode == 1 ? "\tKORVA Scanner Not found !!" : "\tDevice Not found !!");
  return kScanNotFound;
}

int16_t VerifyDevice(ScanParamBlock* block) {
  LibraryState* s = g_scan.state;
  s->target = block->DeviceAddress;
  uint8_t inquiry[kInquiryLength] = {};
  const int16_t status = IssueCommand(CmdInquiry(inquiry));
  s->status = kScanOk;
  if (status != kScanOk) return kScanNotFound;
  TraceDevice(block->DeviceAddress, inquiry);
  if (inquiry[0] != 6 || std::memcmp(inquiry + 8, block->DeviceName, 27) != 0)
    return kScanNotFound;
  FoundDevice one{};
  one.type = 6;
  std::memcpy(one.name, block->DeviceName, kDeviceNameSize);
  one.address = block->DeviceAddress;
  ScannerList* list = NewScannerList(&one, 1);
  if (!list) return kScanNotFound;
  ReplaceScannerList(list);
  ForgetScanProgress(s);
  return kScanOk;
}

}  // namespace wqscsi
