// The Windows side of the scanning window: what its window procedures share.
#pragma once
#include <windows.h>

#include <string>

#include "ds/ui/commands.h"
#include "ds/ui/menus.h"

namespace wq {

// Private messages of the scanning window and its tool windows.
constexpr UINT kMsgRefresh = WM_USER + 2;     // a tool window re-reads the settings
constexpr UINT kMsgAreaChoice = WM_USER + 5;  // wParam: the active list's paper index
constexpr UINT kMsgStartPreview = WM_USER + 7;

// The shell's one record beside the window table.
struct UiShellWindows {
  HMENU Menu;             // the model's menu: six sub-menus
  HFONT InfoFont;
  HFONT DialogFont;       // the Japanese windows' font
  bool Japanese;
  bool ClassesRegistered;
  bool MovementAlternate; // the WQ490's next movement mode
  bool ResolutionPlaced;  // the resolution window keeps its place for the session
  RECT ResolutionRect;
  bool Filling;           // a window writes its own fields: no change handling
};
extern UiShellWindows g_UiWin;

// Japanese windows: the template's face with the Shift-JIS character set
// (a template's character set is not carried into the font it makes), for
// the window and its controls.
void UseJapaneseFont(HWND dialog);
// A window text in the user's language (the Japanese twin of a window
// text is its id + 30).
std::wstring UiText(int englishId);
// The text of a menu command as the menu shows it, without a trailing "...".
std::wstring MenuText(int command);
// A message with %s arguments filled in, shown like ShowMessageById.
int ShowFormattedMessage(int id, const wchar_t* a, const wchar_t* b);

// The scanning window (mainwnd.cpp).
INT_PTR CALLBACK UserIFProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// After a tool window changed settings: the scanning window and the other
// windows catch up.
void ApplyEffects(uint32_t effects, HWND except = nullptr);
void UpdateMainTexts();
// The screen rectangle (work area) windows are kept inside.
RECT WorkArea();

// Tool windows (toolwnd_win.cpp).
void OpenTool(int tool);
void CloseTool(int tool);
HWND ToolHandle(int tool);
bool ToolExists(int tool);
void RefreshTools(HWND except);
bool ToolsValid();
void StoreToolPlacements();
void ShowTools(bool show);
void ReopenTools();
void DestroyTools();
// Where a new tool window goes: its saved place or one beside the others.
void PlaceToolWindow(HWND window, const struct SettingsRect* saved, int slot);

INT_PTR CALLBACK ZoomProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptResolutionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PreferenceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
bool ZoomEntriesValid(HWND dialog);
bool ResolutionEntriesValid(HWND dialog);

// The preview window (previewwnd.cpp) and the information window (infownd.cpp).
constexpr const wchar_t* kPreviewClassW = L"PreviewWndClass32";
constexpr const wchar_t* kInfoClassW = L"InfoWndClass32";
LRESULT CALLBACK PreScanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK InformationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreatePreviewWindow(HWND owner);
// Paints a window now, as a drag goes on.
void RedrawNow(HWND window);
// The system cursor of a FrameCursor (selection.h).
const wchar_t* CursorName(int cursor);
// The rulers along the top and left of `frame`, in the user's unit (inches
// for pixels), starting `offsetX`/`offsetY` frame pixels into the bed, each
// frame pixel `magnification` window pixels wide.
void DrawRulers(HDC dc, const RECT& frame, int model, int unit, int32_t offsetX, int32_t offsetY,
                int magnification);
void FitPreviewWindow();
void ErasePreviewFrame();
void RedrawPreviewWindow();
void ShowInfoWindow(bool show);

// The preview output window (preoutwnd.cpp): the zoom preview in a window
// of its own, in place of the preview window while it is open.
constexpr const wchar_t* kPreOutClassW = L"PreOutWndClass32";
LRESULT CALLBACK PreOutScanProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void OpenZoomWindow();
void CloseZoomWindow(bool showPreview);
bool ZoomWindowShown();
void RefreshZoomWindow();
// Shows or hides whichever of the two preview windows is in use.
void ShowPreviewPane(bool show);
void RefreshInfoWindow();

}  // namespace wq
