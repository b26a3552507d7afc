// Loading WQTOOL32.DLL from the source's directory and binding its ten
// scroll-bar functions by name; a library that lacks one is not kept.
#include "ds/ui/toollib.h"

#include <cstring>

#include "ds/base/host.h"
#include "ds/base/text.h"
#include "ds/settings/settings_store.h"

namespace wq {

ToolLibrary g_ToolLib;

const char* const kToolProcNames[kToolProcCount] = {
    "TSetScrollRange",   "TGetScrollRange",    "TSetLeftScrollPos",  "TGetLeftScrollPos",
    "TSetRightScrollPos", "TGetRightScrollPos", "TSetScrollSelect",   "TGetScrollSelect",
    "TSetScrollStyle",   "TGetScrollStyle",
};

bool LoadToolLibrary() {
  if (g_ToolLib.Module) return true;
    char dir[32], name[32], path[260];
  LoadText(text::kSourceDir, dir);
  LoadText(text::kToolLibrary, name);
  if (strlen(g_Env.WindowsDir) + strlen(dir) + strlen(name) + 1 > sizeof path) return false;
  strcpy(path, g_Env.WindowsDir);
  strcat(path, dir);
  strcat(path, name);
  void* module = g_Host.OpenModule(path);
  if (!module) return false;
  ToolLibrary lib{};
  lib.Module = module;
  for (int i = 0; i < kToolProcCount; ++i) {
    lib.Procs[i] = g_Host.FindProc(module, kToolProcNames[i]);
    if (!lib.Procs[i]) {
      g_Host.CloseModule(module);
      return false;
    }
  }
  g_ToolLib = lib;
  return true;
}

void UnloadToolLibrary() {
  if (g_ToolLib.Module) g_Host.CloseModule(g_ToolLib.Module);
  g_ToolLib = ToolLibrary{};
}

}  // namespace wq
