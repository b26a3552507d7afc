// The short scan of the tool at library level, written against the entry
// point only, so it runs the same over the DLL or the native core.
#pragma once
#include <cstdint>
#include <cstdio>

#include "scanlib/scanlib.h"

struct ScanRequest {
  DeviceAddress address;
  int composition;  // 0 line art, 2 gray, 3 colour line art, 5 colour
  int dpi;
  int32_t left, top, width, length;  // 1/25 inch
  int source;       // 0 flatbed, 1 feeder, 2 film unit
};

struct ScanOutcome {
  int failedSelector;  // 0 when the scan completed
  int16_t status;
  int16_t senseKey, senseCode, senseQualifier;
  uint32_t pixelsPerLine;
  uint32_t lines;
  uint32_t lineBytes;
  uint64_t bytesWritten;
};

// Finds the scanner at the address, sets the window and reads every line
// into `out` (selectors 4, 3, 10, 6, 12, 13/15/14, 19, 9...). The block must
// be zeroed and the library open.
ScanOutcome RunScan(KorvaScanLibProc entry, ScanParamBlock& block, const ScanRequest& request,
                    std::FILE* out);
