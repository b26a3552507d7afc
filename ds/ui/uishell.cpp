// The UI shell record, the scanning window's state, and the menu context of
// now: the model, its feeder and film unit, the colour-matching list, whether a
// scan runs and which tool windows are available.
#include "ds/ui/uishell.h"

#include "ds/pipeline/clrmatch.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings.h"

namespace wq {

UiShellProcs g_UiShell;
MainWindowState g_MainWnd;

MenuContext CurrentMenuContext() {
  MenuContext c{};
  c.Model = g_ScanJob.Model;
  c.AdfAvailable = g_ScanJob.AdfAvailable == 1;
  c.FsuAvailable = g_ScanJob.FsuAvailable == 1;
  c.FsuKind = g_ScanJob.FsuKind;
  const ColourMatchList* list = g_ColourMatch.List;
  c.ColourMatchCount = list ? list->Count : 0;
  c.ColourMatchLoaded =
      list && g_ColourMatch.Table && list->Loaded < list->Count ? int(list->Loaded) : -1;
  c.ScanRunning = g_Settings && g_Settings->ScanRunning;
  for (int i = 0; i < kToolCount; ++i)
    c.ToolAvailable[i] = g_UiShell.ToolAvailable(i);
  return c;
}

}  // namespace wq
