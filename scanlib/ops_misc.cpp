// Device selection for the operations, reserve and release, carriage
// movement and the adapter identifier.
#include <cstring>

#include "scanlib/command.h"
#include "scanlib/model.h"
#include "scanlib/ops.h"
#include "scanlib/search.h"
#include "scanlib/sendtext.h"
#include "scanlib/state.h"
#include "scanlib/trace.h"

namespace wqscsi {

bool SelectDevice(ScanParamBlock*) {
  const ScannerList* list = g_scan.scanners;
  if (!list || list->Count <= 0 || list->Selected < 0 || list->Selected >= list->Count)
    return false;
  LibraryState* s = g_scan.state;
  s->target = list->Addresses[list->Selected];
  s->kind = ModelKindOfName(list->Names[list->Selected]);
  return true;
}

int16_t NotSupported() {
  TraceText("\tNot Support Scanner");
  return kScanNotFound;
}

int16_t ReserveUnit(bool reserve) {
  const int16_t st = TestUnitReady();
  if (st != kScanOk) return st;
  return IssueCommand(CmdSimple(reserve ? kOpReserve : kOpRelease));
}

int16_t SetMovement(ScanParamBlock* b) {
  if (g_scan.state->kind != kModelWQ490 || (b->Movement != 1 && b->Movement != 2))
    return kScanNotFound;
  int16_t st = TestUnitReady();
  if (st != kScanOk) return st;
  st = IssueCommand(CmdSend(kSendMovement, uint16_t(b->Movement), nullptr, 0, nullptr));
  if (st != kScanOk) return st;
  return TestUnitReady();
}

int16_t AdapterIdentifier(ScanParamBlock* b) {
  const ScannerList* list = g_scan.scanners;
  if (!list || list->Count <= 0 || !b->ReadBuffer) return kScanNotFound;
  const int adapter = list->Addresses[0].HostAdapter;
  AdapterTable table;
  FillAdapterTable(table);
  if (adapter >= table.count) return kScanNotFound;
  // The identifier is 16 bytes; a larger request gets those 16.
  const uint32_t n = b->ReadSize < 16 ? b->ReadSize : 16;
  std::memcpy(b->ReadBuffer, table.entries[adapter] + 36, n);
  return kScanOk;
}

}  // namespace wqscsi
