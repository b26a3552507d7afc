// The program's one record of frame-wide state and the small services the
// windows share: the language, string-table texts, the status bar and the
// numbered messages.
#pragma once
#include <windows.h>

#include <string>

#include "app/document.h"
#include "app/tool_rules.h"
#include "imagefile/file_status.h"
#include "app/settings.h"
#include "app/twain_link.h"

// The frame-wide state.
struct AppShell {
  HINSTANCE instance = nullptr;
  HWND frame = nullptr;
  HWND client = nullptr;     // the MDI client
  HWND statusBar = nullptr;
  HACCEL accel = nullptr;
  HICON icon = nullptr;
  HFONT japaneseFont = nullptr;  // "MS UI Gothic", SHIFTJIS_CHARSET
  HFONT englishFont = nullptr;
  wq::AppSettings settings;
  wq::SpaceEstimate space;      // for the settings-file writes at start-up
  char programDir[MAX_PATH] = "";
  char startupDir[MAX_PATH] = "";
  char iniPath[MAX_PATH] = "";
  char workDirectory[4] = "C:\\";
  char swapPath[MAX_PATH] = "";
  int displayClass = 24;        // 8 with a palette device
  // State of the active document as the menus see it.
  bool closingAll = false;
  uint16_t undoCode = wq::kUndoNothing;
  bool redo = false;
  uint16_t fitFlag = 0;
  int zoomStep = 0;
  bool toolsVisible = false;
  uint16_t modFlags = 0;
  int documents = 0;            // open image windows
  int nextDocument = 1;         // running number of the next document
  bool inPaletteChange = false;
  UINT msgSetRange = 0;
  UINT msgValidRange = 0;
  wq::TwainLink twain;
};
extern AppShell g_app;

#define WM_SCANNEDIMAGE (WM_USER + 10)
#define WM_REBUILDPALETTE (WM_USER + 1)
#define WM_REALISEPALETTE (WM_USER + 2)

// The language, read from [intl] iCountry at each use: 81 is Japanese.
bool IsJapanese();
HFONT UiFont();
// At WM_INITDIALOG: in Japanese the dialog's controls take the program's
// Japanese font.
void UseDialogFont(HWND dlg);
// A text of the string table (UTF-16).
std::wstring LoadText(UINT id);
// One of the program's other texts (TXT_ numbers) in the current language.
std::wstring AppText(int k);
std::string Narrow(const std::wstring& text);

// The numbered message table: beep, then a box captioned with the title.
int ShowAppMessage(int n);
int ShowAppMessageForDrive(int n, char drive);

// Status bar (statusbar.cpp).
bool RegisterStatusBar(HINSTANCE instance);
HWND CreateStatusBar(HWND frame);
int StatusBarHeight(HWND bar);
void StatusSetMessage(const std::wstring& text);
void StatusSetSize(uint64_t bytes);
void StatusClearSize();
void StatusSetPage(const std::wstring& text);
void StatusCaption(int operation, const char* path);
void StatusProgress(uint32_t done, uint32_t total);
void StatusClear();
// Progress of a long file operation on the status bar; ESC cancels.
wq::ProgressSink StatusProgressSink();

// Settings file (profile.cpp).
void ReadSettingsAtStart();
// After the Open and Save dialogs: type, directory and drive of the file.
void RememberFileDialog(const char* path, const char* type);
void RememberTiffOption(int byteOrderCode);

// NoAlpha digit-only edit class (noalpha.cpp).
bool RegisterNoAlpha(HINSTANCE instance);

// Frame (frame.cpp, frame_menu.cpp, close.cpp).
LRESULT CALLBACK FrameWndProc(HWND, UINT, WPARAM, LPARAM);
void InitMenuPopup(HMENU menu);
void PrepareMenuBar(HWND frame);
bool MeasureMenuItem(MEASUREITEMSTRUCT* m);
bool DrawMenuItem(const DRAWITEMSTRUCT* d);
// Close (Close, Close All, Exit): false when the user cancelled.
bool CloseActiveChild();
bool CloseAllChildren();

// Frame state (frame_state.cpp): the active image window, and undo, zoom
// and change flags back to those of a frame without images.
HWND ActiveChild();
void ResetFrameState();

// Image windows (child.cpp, child_paint.cpp).
LRESULT CALLBACK ChildWndProc(HWND, UINT, WPARAM, LPARAM);
void PaintImage(HWND child, HDC dc, const RECT& dirty, wq::ImageDocument* doc);

// What a new image window is made from. The header block (BITMAPINFOHEADER
// and colour table) is the caller's; it is freed once the window exists.
struct ChildCreate {
  HGLOBAL header = nullptr;
  const char* sourcePath = "";
  const char* displayPath = "";
  bool openedFromFile = false;
  bool ownsSource = false;
  int byteOrderCode = 1;
  bool lzw = false;
  uint64_t pixelBytes = 0;
};

// Documents (document_io.cpp).
HWND CreateImageWindow(const ChildCreate& create);
void OpenCommand();
bool SaveCommand(HWND child, bool asNew);
// A finished scan arrives: header block handle from the acquisition. In a
// Scan and Save batch the page is saved to the batch file, else it opens
// in a window; false when it could not be kept.
bool ScannedImageArrived(HGLOBAL header);
// The image window showing this path, if any.
HWND ChildShowing(const std::string& path);
// Writes a document's BMP to a target by the target's extension (a BMP
// copy, the TIFF writer, the exporters) with the "Saving" caption and the
// progress; a failure is shown and leaves no partial target.
bool WriteImageFile(const std::string& source, const std::string& target, int byteOrder, bool lzw);
// Free bytes of a drive's root; a file's size (0 when it cannot be read).
uint64_t FreeBytes(char drive);
uint64_t FileBytes(const char* path);
// Copies a BMP to a target, which is replaced only once the copy is complete.
wq::FileStatus CopyBmp(const char* source, const char* target);

// Editing (edit.cpp): rotation by 90 degrees (IDM_ROTATERIGHT, IDM_ROTATELEFT),
// flips (IDM_FLIPH, IDM_FLIPV), and undo, which a second time is redo.
void EditCommand(HWND child, int command);
// The cut tool's crop to image pixels r; the free rotation by whole degrees.
void CropCommand(HWND child, const wq::PixelRect& r);
void FreeRotateCommand(HWND child, int degrees);
void UndoCommand(HWND child);
void ZoomCommand(HWND child, int newStep);
void FitCommand(HWND child);
void LoadDocumentState(HWND child);
// Locks the document of a child window (null for a window without one).
wq::ImageDocument* LockDocument(HWND child);
void UnlockDocument(HWND child);
void SetChildTitle(HWND child, const wq::ImageDocument& doc);
void UpdateScrollRanges(HWND child, wq::ImageDocument* doc);

// The tool box (toolbox.cpp): made hidden at start-up, shown and hidden
// by the Image menu and its close button, its caption strip following the
// frame's focus, its zoom buttons the active image's zoom.
bool CreateToolBox(HINSTANCE instance, HWND frame);
void ShowToolBox(bool show);
void ToolBoxActive(bool active);
void ToolBoxFollowZoom();
// The selected tool (IDC_TOOL_...), 0 for none, and its cursor (the
// alternate one: the cut tool over a selection, the rotation while drawing).
int ActiveTool();
HCURSOR ToolCursor(int tool, bool alternate);

// The tools in image windows (child_tools.cpp): the mouse messages, the
// cursor, the marks drawn over the picture, and the end of a tool's marks
// when another tool is chosen.
bool ToolMessage(HWND child, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
void PaintToolMarks(HWND child, HDC dc, const wq::ImageDocument& doc);
void ToolChanged();
// Scrolling an image window to a position (window pixels), within its ranges.
void ScrollImageTo(HWND child, int64_t x, int64_t y);

// Dialogs (dialogs.cpp, filedlg.cpp).
void ShowAbout(HWND owner);
// TIFF Options: false when cancelled.
bool AskTiffOptions(HWND owner, int* byteOrderCode, bool* lzw);
// "Do you want to use ADF?" with the ADF Setting dialog behind "Use ADF":
// 217, 218 (the settings taken into g_Adf) or 2 when cancelled.
int AskAdfMode(HWND owner);
// Open: the chosen path, or "" when cancelled.
std::string AskOpenPath(HWND owner);
// Save As for an image of this depth: the chosen path, or "" when cancelled.
std::string AskSavePath(HWND owner, const char* proposed, uint16_t bitCount);

// Feeder batches (batch_save.cpp): a batch prompt (5, 9, 32, 36) with its
// fields filled, naming `target` where the text has room for a name; the
// batch file (false when cancelled); the check of a page's target.
int ShowBatchMessage(int n, const std::string& target, UINT buttons);
bool AskBatchFile(int bitsPerPixel);
bool CheckBatchTarget(const char* path);
// The batch's save dialog: the chosen path, or "" when cancelled or when
// its hook refused the name (then `refused`, and the batch ends).
std::string AskBatchPath(HWND owner, const std::string& proposed, uint16_t bitCount, bool* refused);

// TWAIN (twain_host.cpp).
const wq::AcquireHost& TwainHost();
void AppStartAcquire(bool showUI);
