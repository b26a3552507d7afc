// The Windows side of the data source: fills the core's records of
// platform functions.
#pragma once
#include <windows.h>

namespace wq {

extern HINSTANCE g_Instance;

// Host, texts, profile and trace sink, all at once (at process attach).
void InstallWindowsHost(HINSTANCE instance);

}  // namespace wq
