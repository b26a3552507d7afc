// Strip reading bound to the scan job: ReadData and ScannerReset through
// the scanner library, errors judged by CheckScannerStatus, the progress
// window's cancel, and the job's sizes from the parameter block and the
// settings.
#pragma once
#include <cstdint>

#include "ds/scan/strips.h"

namespace wq {

// Fills g_ScanRead with the library and the progress window.
void UseScannerForStrips();

// The settings in effect and every table of the job (the download tables
// also go where the scan job sends them from), and the pipeline job with
// its colour matching. Called first by every scan.
void PrepareScanTables(bool pack);

// The image's reading as the scanner started it: pixels and lines from
// the control words, memory values from the settings file.
StripGeometry ScanStripGeometry(bool pack, bool swapRedBlue, uint32_t width, uint32_t height,
                                uint32_t rowBytes);

// Tells the user and the application what ended a read: too little memory
// shows 16028 and sets the low-memory condition; a scanner that cannot be
// read as asked is an operation error (its own errors were reported by the
// status check). Cancel and the sink's own failures add nothing.
void ReportStripResult(StripResult result);

}  // namespace wq
