// The Windows side of the data source: fills the core's records of
// platform functions.
#pragma once
#include <windows.h>

namespace wq {

extern HINSTANCE g_Instance;

// Host, texts, profile and trace sink, all at once (at process attach).
void InstallWindowsHost(HINSTANCE instance);

// MSG_OPENDS from code at `caller` succeeded: that is the source manager
// that opened the source, which its callbacks must reach. An application may hold
// several managers (the official TWAINDSM.DLL and TWAIN_32.DLL side by
// side); a request sent through one that did not open the source reaches
// no application, or crashes it.
void NoteOpeningManager(void* caller);

}  // namespace wq
