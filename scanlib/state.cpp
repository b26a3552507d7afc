// The library's one global record and the platform it runs on.
#include "scanlib/state.h"

namespace wqscsi {

ScanLibGlobals g_scan = {};

void ScanLibSetPlatform(const ScanPlatform* platform) { g_scan.platform = platform; }

}  // namespace wqscsi
