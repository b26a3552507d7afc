// The "SCSI Information" dialog, where the user picks the scanner the source
// uses, and the box shown while it scans the buses.
#pragma once
#include <windows.h>

namespace wq {

// Runs the dialog modally. sourceOpen: a scanner is in use (the Preferences
// window); otherwise the open found none. True when the user chose another
// scanner and the source must be opened again for it.
bool RunScsiInformation(HWND owner, bool sourceOpen);
// From the Preferences window: the scanning window waits meanwhile, and a
// new choice asks the application to close the source.
void ChooseScannerFromPreferences(HWND preferences);
// The core's entry for an open that found no scanner of the family.
void InstallScsiInformation();

}  // namespace wq
