// The scan path's Windows side, installed with the rest of the host.
#include "ds/scan/win/scanshell_win.h"

#include "ds/pipeline/win/pipeline_win.h"
#include "ds/scan/stripbind.h"
#include "ds/scan/win/progress_win.h"

namespace wq {

void InstallScanShell() {
  InstallPipelineFiles();
  InstallPipelineMemory();
  InstallProgressWindow();
  UseScannerForStrips();
}

}  // namespace wq
