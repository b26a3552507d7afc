// Fills the scan path's platform records (files, memory, the progress
// window) and binds strip reading to the scanner library.
#pragma once

namespace wq {

void InstallScanShell();

}  // namespace wq
