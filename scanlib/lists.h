// The two device lists the library owns and hangs in the parameter block.
#pragma once
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

struct FoundDevice {
  int16_t type;
  char name[kDeviceNameSize];
  DeviceAddress address;
};

// New lists from found entries (count > 0); null when memory runs out.
ScannerList* NewScannerList(const FoundDevice* found, int count);
DeviceList* NewDeviceList(const FoundDevice* found, int count);
void FreeScannerList(ScannerList* list);
void FreeDeviceList(DeviceList* list);

// Replaces the library's list of one kind (the old one is freed).
void ReplaceScannerList(ScannerList* list);
void ReplaceDeviceList(DeviceList* list);

}  // namespace wqscsi
