// Driving SCANWQ32.EXE from a test as a user would: starting it in its
// prefix with a given settings file, finding its windows, sending it
// commands, answering its message boxes and dialogs, and reading what its
// windows show.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace apptest {

struct App {
  PROCESS_INFORMATION process{};
  HWND frame = nullptr;
};

// Paths of the installed program and its settings file.
std::string WindowsDir();
std::string IniPath();
// A scratch directory on C: for a test's files (emptied first).
std::string ScratchDir(const std::string& name);

// The settings file before a start: removed (first run), or written with
// these keys of "ScanWQ Optional Setting" (and the File process defaults).
void RemoveIni();
void WriteIni(const std::string& autoAcquire, const std::string& blackIsZero = "1",
              const std::string& workDrive = "C:");
std::string IniValue(const char* section, const char* key);
// [intl] iCountry of the user profile: 81 is Japanese.
void SetCountry(int country);

// Starts the program with extra environment ("NAME=value") and waits for
// its frame. The program's current directory is C:\KORVA.
bool Launch(App* app, const std::vector<std::string>& env = {});
// Waits for the process to end; false on timeout.
bool WaitExit(App* app, DWORD ms, DWORD* code = nullptr);
// Ends what is left of it (only the process this test started).
void Kill(App* app);
// The end of a test: every dialog cancelled, every image closed without
// saving, Exit; killed when it does not end within `ms`.
void CloseApp(App* app, DWORD ms = 15000);

bool WaitUntil(const std::function<bool()>& done, DWORD ms = 10000);
// Top-level windows of the program: by class and, when given, title.
HWND FindTop(const App& app, const wchar_t* cls, const wchar_t* title = nullptr);
HWND WaitTop(const App& app, const wchar_t* cls, const wchar_t* title, DWORD ms = 10000);
std::wstring Text(HWND w);

// A message box of the program (captioned with its title): its text.
struct Box {
  HWND window = nullptr;
  std::wstring text;
};
bool WaitBox(const App& app, Box* box, DWORD ms = 10000);
// Presses a button of a dialog or message box by its id.
void Press(HWND dialog, int id);
// Dialog boxes of the program with this caption (a common dialog, the TIFF
// Options).
HWND WaitDialog(const App& app, const wchar_t* caption, DWORD ms = 10000);
// Cancels every dialog and box the program shows (before ending a test).
void CancelDialogs(const App& app);
// Types a path into a common file dialog and presses OK.
bool ChooseFile(HWND dialog, const std::string& path);

// The frame's commands and its image windows.
void Command(const App& app, int id);
HWND MdiClient(const App& app);
// Titles of the image windows, sorted.
std::vector<std::wstring> ChildTitles(const App& app);
bool WaitChildTitles(const App& app, const std::vector<std::wstring>& titles, DWORD ms = 10000);
HWND ActiveChild(const App& app);

// The source the acquisition tests run against: WQ_APP_SOURCE "real"
// (WQSCAN32.ds on the virtual scanner), else the test source.
bool UsesRealSource();
// The first message box or dialog of the program whose text holds `part`.
HWND FindBoxWithText(const App& app, const std::wstring& part);

// The data source's window: its Scan button (the test source's push
// button or the real source's picture button), and pressing it as a user
// would; false when no such window shows within 20 s.
HWND SourceScanButton(const App& app);
HWND FindSourceScanButton(const App& app);  // without waiting
bool PressSourceScan(const App& app);
// TWACQUIRE in the same prefix with these options, writing `output`
// (a '#' there is the page number): the source's own transfer as the
// reference of what the program got.
bool NativeReference(const std::string& options, const std::string& output);

// Files.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool Exists(const std::string& path);

}  // namespace apptest
