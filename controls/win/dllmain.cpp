// Library entry and class registration: the five classes exist exactly
// while the library is loaded.
#include <windows.h>

#include <array>

#include "controls/win/toollib.h"
#include "controls/win/wqtool32.h"

namespace wq {

ToolLib g_tool;

namespace {

struct ToolClass {
  const char* name;
  WNDPROC proc;
};

const std::array<ToolClass, 5> kClasses{{
    {kTwoScrollBarClass, TwoScrollBarProc},
    {kGraphButtonClass, GraphButtonWndFunc},
    {kSwitchButtonClass, SwitchButtonWndFunc},
    {kPopupButtonClass, PopupButtonWndFunc},
    {kLockButtonClass, LockButtonWndFunc},
}};

// Redraw on both size changes, double clicks, usable from every module.
constexpr UINT kToolClassStyle = 0x4083;

}  // namespace

BOOL RegisterToolClasses(HINSTANCE inst) {
  WNDCLASSA button{};
  if (!GetClassInfoA(nullptr, "Button", &button)) return FALSE;
  g_tool.inst = inst;
  g_tool.look = ChooseFaceLook(GetVersion());
  g_tool.clsSlot = button.cbClsExtra;
  g_tool.wndSlot = button.cbWndExtra;
  for (size_t i = 0; i < kClasses.size(); ++i) {
    WNDCLASSA wc = button;
    wc.style = kToolClassStyle;
    wc.lpfnWndProc = kClasses[i].proc;
    wc.cbClsExtra = button.cbClsExtra + int(sizeof(LONG_PTR));
    wc.cbWndExtra = button.cbWndExtra + int(sizeof(LONG_PTR));
    wc.hInstance = inst;
    wc.lpszClassName = kClasses[i].name;
    if (!RegisterClassA(&wc)) {
      while (i-- > 0) UnregisterClassA(kClasses[i].name, inst);
      return FALSE;
    }
  }
  return TRUE;
}

void UnregisterToolClasses() {
  for (const auto& c : kClasses) UnregisterClassA(c.name, g_tool.inst);
}

}  // namespace wq

extern "C" BOOL WINAPI DllMain(HINSTANCE inst, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(inst);
      return wq::RegisterToolClasses(inst);
    case DLL_PROCESS_DETACH:
      wq::UnregisterToolClasses();
      break;
    default:
      break;
  }
  return TRUE;
}
