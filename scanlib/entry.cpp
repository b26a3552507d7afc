// The library's entry: prologue, dispatch on the selector, epilogue; the
// open, close and start-scan selectors themselves.
#include "scanlib/entry.h"

#include <cstring>

#include "common/bytes.h"
#include "scanlib/lists.h"
#include "scanlib/ops.h"
#include "scanlib/search.h"
#include "scanlib/state.h"
#include "scanlib/trace.h"
#include "scanlib/transport.h"

namespace wqscsi {

namespace {

void OpenLibrary(ScanParamBlock* b) {
  if (g_scan.open) return;
  if (!g_scan.platform) {
    b->Status = kScanNoManager;
    return;
  }
  // A state left by an earlier failed open is used again, not leaked.
  if (!g_scan.state) {
    g_scan.state = static_cast<LibraryState*>(g_scan.platform->Alloc(sizeof(LibraryState)));
    if (!g_scan.state) {
      b->Status = kScanNoManager;
      return;
    }
  }
  LibraryState* s = g_scan.state;
  s->aspiAvailable = BindManager(s);
  g_scan.open = s->aspiAvailable;
  b->Status = g_scan.open ? kScanOk : kScanNoManager;
}

void CloseLibrary(ScanParamBlock* b) {
  ReplaceScannerList(nullptr);
  ReplaceDeviceList(nullptr);
  if (g_scan.state) g_scan.platform->Free(g_scan.state);
  g_scan.state = nullptr;
  g_scan.open = false;
  b->ScannerList = nullptr;
  b->DeviceList = nullptr;
}

void ClearSense(ScanParamBlock* b) {
  b->SenseKey = b->SenseCode = b->SenseQualifier = 0;
  b->SenseKeySpecific = b->SenseFieldPointer = 0;
}

// The operation of a selector 3..23 (1 and 2 are handled by the caller).
int16_t Operate(int32_t selector, ScanParamBlock* b) {
  switch (selector) {
    case kSelDeviceEqlByte: return VerifyDevice(b);
    case kSelDeviceSearch: return DeviceSearch(1);
    case kSelDeviceAllSearch: return DeviceSearch(0);
    case kSelAdapterIdentifier: return AdapterIdentifier(b);
    default: break;
  }
  if (!SelectDevice(b)) return kScanNotFound;
  switch (selector) {
    case kSelGetParameters: return GetParameters(b);
    case kSelSetParameters: return SetParameters(b);
    case kSelReadControl: return ReadControl(b);
    case kSelReadData: return ReadData(b);
    case kSelScannerReset: return ResetScanner(b);
    case kSelSetScannerType: return SetScannerType(b);
    case kSelGetScannerType: return GetScannerType(b);
    case kSelSetScannerRefl: return SelectFlatbed(b);
    case kSelSetScannerFsu: return SelectFilmUnit(b);
    case kSelSetScannerAdf: return SelectFeeder(b);
    case kSelSetScannerAuto: return SelectAutomatic(b);
    case kSelScannerReadyFsu: return FilmUnitReady(b);
    case kSelScannerReadyAdf: return FeederReady(b);
    case kSelScannerReserve: return ReserveUnit(true);
    case kSelScannerRelease: return ReserveUnit(false);
    case kSelSetMovement: return SetMovement(b);
    default: return kScanOk;
  }
}

// Status and sense into the block: a command's failure (kept in the state)
// wins over a status the operation chose itself.
void Finish(ScanParamBlock* b, int16_t result) {
  ClearSense(b);
  const LibraryState* s = g_scan.state;
  if (s && s->status != kScanOk) {
    b->Status = s->status;
    b->SenseKey = s->sense[2];
    b->SenseCode = s->sense[12];
    b->SenseQualifier = s->sense[13];
    b->SenseKeySpecific = s->sense[15];
    b->SenseFieldPointer = int16_t(wq::GetBE16(s->sense + 16));
  } else {
    b->Status = result;
  }
}

// One labelled operation: label line, the operation, closing blank line.
void RunLabelled(int32_t selector, ScanParamBlock* b) {
  const char* label = SelectorLabel(selector);
  if (label) TraceText(label);
  g_scan.state->status = kScanOk;
  const int16_t result = Operate(selector, b);
  Finish(b, result);
  if (label) TraceText(" ");
}

}  // namespace

const char* SelectorLabel(int32_t selector) {
  switch (selector) {
    case 3: return "Select -> DeviceEqlByteSCANLIB";
    case 4: return "Select -> DeviceSearchSCANLIB";
    case 5: return "Select -> kDeviceAllSearchSCANLIB";
    case 6: return "Select -> GetParametersSCANLIB";
    case 7: return "Select -> SetParametersSCANLIB";
    case 8: return "Select -> ReadControllSCANLIB";
    case 9: return "Select -> ReadDataSCANLIB";
    case 10: return "Select -> ScannerResetSCANLIB";
    case 11: return "Select -> SetScannerTypeSCANLIB";
    case 12: return "Select -> GetScannerTypeSCANLIB";
    case 13: return "Select -> SetScannerReflSCANLIB";
    case 14: return "Select -> SetScannerFSUSCANLIB";
    case 15: return "Select -> SetScannerADFSCANLIB";
    case 16: return "Select -> SetScannerAUTOSCANLIB";
    case 17: return "Select -> ScannerReadyFSUSCANLIB";
    case 18: return "Select -> ScannerReadyADFSCANLIB";
    case 20: return "Select -> ScannerReserveSCANLIB";
    case 21: return "Select -> ScannerReleaseSCANLIB";
    case 22: return "Select -> SetMovementSCANLIB";
    default: return nullptr;
  }
}

void ScanLibEntry(int32_t selector, ScanParamBlock* b) {
  if (!b) return;
  if (selector == kSelClose) {
    // Closing needs no manager: free whatever is there.
    CloseLibrary(b);
    b->Status = kScanOk;
    ClearSense(b);
    return;
  }
  if (selector != kSelOpen && !g_scan.open) {
    OpenLibrary(b);
    if (g_scan.state) g_scan.state->explicitSense = b->ExplicitSense;
    if (!g_scan.open) {
      // Without a manager no operation can run.
      ClearSense(b);
      b->Status = kScanNoManager;
      return;
    }
  }
  if (!g_scan.open) {  // selector 1 on a closed library
    OpenLibrary(b);
    ClearSense(b);
    return;
  }

  LibraryState* s = g_scan.state;
  s->debugScsi = b->DebugSCSI;
  s->explicitSense = b->ExplicitSense;
  s->reservedA0 = b->ReservedA0;
  s->status = kScanOk;
  b->Status = kScanOk;
  // Device operations need a list to pick from; the selectors that open,
  // search or verify build their own.
  if (selector > kSelDeviceAllSearch && !g_scan.scanners) {
    const int16_t st = DeviceSearch(s->searchMode);
    s->status = kScanOk;
    b->ScannerList = g_scan.scanners;
    b->DeviceList = g_scan.devices;
    if (st != kScanOk) {
      ClearSense(b);
      b->Status = st;
      return;
    }
  }

  switch (selector) {
    case kSelOpen:
      ClearSense(b);
      break;
    case kSelStartScan:
      RunLabelled(kSelSetScannerType, b);
      if (b->Status == kScanOk) RunLabelled(kSelSetParameters, b);
      if (b->Status == kScanOk) RunLabelled(kSelReadControl, b);
      break;
    default:
      if (selector >= kSelDeviceEqlByte && selector <= kSelAdapterIdentifier) {
        RunLabelled(selector, b);
      } else {
        Finish(b, kScanOk);
      }
      break;
  }
  b->ScannerList = g_scan.scanners;
  b->DeviceList = g_scan.devices;
}

}  // namespace wqscsi
