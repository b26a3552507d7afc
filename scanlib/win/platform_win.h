// The Win32 side of the library's platform record.
#pragma once
#include "scanlib/platform.h"

namespace wqscsi {

// Filled once, on first use.
const ScanPlatform* WinPlatform();

// Binding the ASPI manager from the system directory (aspi_bind.cpp).
bool WinBindAspi(aspi::GetASPI32SupportInfoFn* supportInfo, aspi::SendASPI32CommandFn* sendCommand);

// Appending one line to the log file (logfile_win.cpp).
bool WinAppendLine(const char* path, const char* text);

}  // namespace wqscsi
