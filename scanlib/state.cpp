#include "scanlib/state.h"

ScanLibGlobals g_scan = {};

void ScanLibSetPlatform(const ScanPlatform* platform) { g_scan.platform = platform; }
