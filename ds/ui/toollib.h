// The custom-controls library "WQTOOL32.DLL": loaded with the source, its
// window classes registered while it is loaded, its ten scroll-bar functions
// bound by name.
#pragma once

namespace wq {

constexpr int kToolProcCount = 10;

struct ToolLibrary {
  void* Module;
  void* Procs[kToolProcCount];  // in the order of kToolProcNames
};
extern ToolLibrary g_ToolLib;
extern const char* const kToolProcNames[kToolProcCount];

// Loads the library from the data source's directory and binds every
// function; on any failure nothing stays loaded.
bool LoadToolLibrary();
void UnloadToolLibrary();

}  // namespace wq
