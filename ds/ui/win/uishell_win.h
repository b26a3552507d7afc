// Installs the scanning window's platform side into the core's host record
// and the UI shell record (at process attach, with the rest of the host).
#pragma once

namespace wq {

void InstallUiShell();
// The scanning window closes itself during its initialisation (no scanner).
void MarkMainWindowFailed();

}  // namespace wq
