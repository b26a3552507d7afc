// The Scan button: the checks before a scan, the settings files written,
// and the transfer-ready request that hands control to the application.
#pragma once
#include <cstdint>

namespace wq {

struct ScanSettings;

enum ScanCommandResult {
  kScanStarted = 0,      // state 6, MSG_XFERREADY sent
  kScanIgnored,          // a scan is running already
  kScanInvalidEntry,     // a tool window holds an entry out of range
  kScanTooLong,          // more than 32767 output lines (16027 shown)
  kScanFeederNotReady,   // the feeder could not be readied (its message shown)
  kScanNoSettings,
};

// The longest image the source delivers.
constexpr int32_t kMaxOutputLines = 32767;
// Lines of the image the scan would deliver (the zoomed height when the
// zoom is on).
int32_t OutputLines(const ScanSettings& s);

ScanCommandResult RunScanCommand();
// The scan is over (or will not come): the button released, the marks cleared.
void ReleaseScanMark();

}  // namespace wq
