// Allocating, freeing and replacing the two device lists the library owns.
#include "scanlib/lists.h"

#include <cstring>

#include "scanlib/state.h"

namespace wqscsi {

namespace {
void* Alloc(size_t bytes) { return g_scan.platform->Alloc(bytes ? bytes : 1); }
void Free(void* p) {
  if (p) g_scan.platform->Free(p);
}
}  // namespace

ScannerList* NewScannerList(const FoundDevice* found, int count) {
  auto* list = static_cast<ScannerList*>(Alloc(sizeof(ScannerList)));
  if (!list) return nullptr;
  list->Names = static_cast<DeviceNameField*>(Alloc(sizeof(DeviceNameField) * size_t(count)));
  list->Addresses = static_cast<DeviceAddress*>(Alloc(sizeof(DeviceAddress) * size_t(count)));
  if (!list->Names || !list->Addresses) {
    FreeScannerList(list);
    return nullptr;
  }
  list->Count = int16_t(count);
  list->Selected = 0;
  for (int i = 0; i < count; ++i) {
    std::memcpy(list->Names[i], found[i].name, kDeviceNameSize);
    list->Addresses[i] = found[i].address;
  }
  return list;
}

DeviceList* NewDeviceList(const FoundDevice* found, int count) {
  auto* list = static_cast<DeviceList*>(Alloc(sizeof(DeviceList)));
  if (!list) return nullptr;
  list->Types = static_cast<int16_t*>(Alloc(sizeof(int16_t) * size_t(count)));
  list->Names = static_cast<DeviceNameField*>(Alloc(sizeof(DeviceNameField) * size_t(count)));
  list->Addresses = static_cast<DeviceAddress*>(Alloc(sizeof(DeviceAddress) * size_t(count)));
  if (!list->Types || !list->Names || !list->Addresses) {
    FreeDeviceList(list);
    return nullptr;
  }
  list->Count = int16_t(count);
  for (int i = 0; i < count; ++i) {
    list->Types[i] = found[i].type;
    std::memcpy(list->Names[i], found[i].name, kDeviceNameSize);
    list->Addresses[i] = found[i].address;
  }
  return list;
}

void FreeScannerList(ScannerList* list) {
  if (!list) return;
  Free(list->Names);
  Free(list->Addresses);
  Free(list);
}

void FreeDeviceList(DeviceList* list) {
  if (!list) return;
  Free(list->Types);
  Free(list->Names);
  Free(list->Addresses);
  Free(list);
}

void ReplaceScannerList(ScannerList* list) {
  if (g_scan.scanners != list) FreeScannerList(g_scan.scanners);
  g_scan.scanners = list;
}

void ReplaceDeviceList(DeviceList* list) {
  if (g_scan.devices != list) FreeDeviceList(g_scan.devices);
  g_scan.devices = list;
}

}  // namespace wqscsi
