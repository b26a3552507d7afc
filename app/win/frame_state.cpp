// The active image window and the frame's state without images, on their
// own so that the frame, its menu, Close and the documents can use them
// without calling into one another.
#include <windows.h>

#include "app/win/app_shell.h"

HWND ActiveChild() {
  if (!g_app.client) return nullptr;
  return reinterpret_cast<HWND>(SendMessageW(g_app.client, WM_MDIGETACTIVE, 0, 0));
}

// Undo, zoom and change flags of a frame without images.
void ResetFrameState() {
  g_app.undoCode = wq::kUndoNothing;
  g_app.redo = false;
  g_app.fitFlag = 0;
  g_app.zoomStep = 0;
  g_app.modFlags = 0;
  g_app.closingAll = false;
  ToolBoxFollowZoom();
}
