// The harness that drives SCANWQ32.EXE under Wine: the settings file and
// country, starting the program with extra environment, waiting for its windows
// and boxes, pressing buttons, the common dialogs and reading files back.
#include "app/tests/win/app_harness.h"
#include "app/win/resource.h"

#include <dlgs.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace apptest {
namespace {

const wchar_t kTitle[] = L"ScanWQ32/WIN V1.01";

struct Search {
  DWORD pid;
  const wchar_t* cls;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK FindProc(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
  wchar_t cls[64] = L"";
  GetClassNameW(w, cls, 64);
  if (s->cls && wcscmp(cls, s->cls) != 0) return TRUE;
  if (s->title && Text(w) != s->title) return TRUE;
  s->found = w;
  return FALSE;
}

void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

}  // namespace

std::string WindowsDir() {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  return dir;
}

std::string IniPath() { return WindowsDir() + "\\SCANWQ32.INI"; }

std::string ScratchDir(const std::string& name) {
  const std::string dir = "C:\\wqtest\\" + name;
  CreateDirectoryA("C:\\wqtest", nullptr);
  CreateDirectoryA(dir.c_str(), nullptr);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileA((dir + "\\" + fd.cFileName).c_str());
    } while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  return dir;
}

void RemoveIni() {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());  // drop the cache
  DeleteFileA(IniPath().c_str());
}

void WriteIni(const std::string& autoAcquire, const std::string& blackIsZero,
              const std::string& workDrive) {
  RemoveIni();
  const std::string ini = IniPath();
  WritePrivateProfileStringA("File process", "List Files of Type", "BMP", ini.c_str());
  WritePrivateProfileStringA("File process", "Directories", "C:\\wqtest", ini.c_str());
  WritePrivateProfileStringA("File process", "Drives", "C:", ini.c_str());
  WritePrivateProfileStringA("File process", "Tiff option", "IBM PC", ini.c_str());
  WritePrivateProfileStringA("ScanWQ Optional Setting", "Workdrive", workDrive.c_str(), ini.c_str());
  WritePrivateProfileStringA("ScanWQ Optional Setting", "AutoAquire", autoAcquire.c_str(),
                             ini.c_str());
  WritePrivateProfileStringA("ScanWQ Optional Setting", "BlackIsZero", blackIsZero.c_str(),
                             ini.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
}

std::string IniValue(const char* section, const char* key) {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniPath().c_str());
  char value[300] = "";
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, IniPath().c_str());
  return value;
}

void SetCountry(int country) {
  WriteProfileStringA("intl", "iCountry", std::to_string(country).c_str());
}

bool Launch(App* app, const std::vector<std::string>& env) {
  *app = App{};
  // The environment of this process plus the extra variables.
  std::string block;
  for (const std::string& v : env) block += v + '\0';
  LPCH own = GetEnvironmentStringsA();
  for (const char* p = own; *p; p += strlen(p) + 1) block += std::string(p) + '\0';
  FreeEnvironmentStringsA(own);
  block += '\0';
  STARTUPINFOA si{};
  si.cb = sizeof si;
  char cmd[] = "C:\\KORVA\\SCANWQ32.exe";
  if (!CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, block.data(), "C:\\KORVA", &si,
                      &app->process))
    return false;
  WaitForInputIdle(app->process.hProcess, 10000);
  WaitUntil([&] {
    app->frame = FindTop(*app, L"MyDIBWClass");
    return app->frame || WaitForSingleObject(app->process.hProcess, 0) == WAIT_OBJECT_0;
  }, 15000);
  return app->frame != nullptr;
}

bool WaitExit(App* app, DWORD ms, DWORD* code) {
  if (!app->process.hProcess) return true;
  const DWORD start = GetTickCount();
  while (WaitForSingleObject(app->process.hProcess, 20) == WAIT_TIMEOUT) {
    Pump();
    if (GetTickCount() - start > ms) return false;
  }
  if (code) GetExitCodeProcess(app->process.hProcess, code);
  CloseHandle(app->process.hProcess);
  CloseHandle(app->process.hThread);
  app->process = PROCESS_INFORMATION{};
  return true;
}

void Kill(App* app) {
  if (!app->process.hProcess) return;
  TerminateProcess(app->process.hProcess, 1);
  WaitExit(app, 5000);
}

void CloseApp(App* app, DWORD ms) {
  if (!app->process.hProcess) return;
  CancelDialogs(*app);
  Command(*app, IDM_CLOSEALL);
  Box box;
  while (WaitBox(*app, &box, 300)) Press(box.window, IDNO);
  Command(*app, IDM_EXIT);
  if (!WaitExit(app, ms)) Kill(app);
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    Pump();
    Sleep(20);
  }
  return true;
}

HWND FindTop(const App& app, const wchar_t* cls, const wchar_t* title) {
  Search s{app.process.dwProcessId, cls, title, nullptr};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND WaitTop(const App& app, const wchar_t* cls, const wchar_t* title, DWORD ms) {
  HWND w = nullptr;
  WaitUntil([&] { return (w = FindTop(app, cls, title)) != nullptr; }, ms);
  return w;
}

std::wstring Text(HWND w) {
  wchar_t text[1024] = L"";
  const LRESULT n = SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                                        SMTO_ABORTIFHUNG, 5000, nullptr);
  return n ? std::wstring(text) : std::wstring();
}

bool WaitBox(const App& app, Box* box, DWORD ms) {
  *box = Box{};
  box->window = WaitTop(app, L"#32770", kTitle, ms);
  if (!box->window) return false;
  // The text is the box's longest static control.
  for (HWND c = GetWindow(box->window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = L"";
    GetClassNameW(c, cls, 32);
    const std::wstring t = Text(c);
    if (_wcsicmp(cls, L"Static") == 0 && t.size() > box->text.size()) box->text = t;
  }
  return true;
}

void Press(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

HWND WaitDialog(const App& app, const wchar_t* caption, DWORD ms) {
  return WaitTop(app, L"#32770", caption, ms);
}

void CancelDialogs(const App& app) {
  for (int round = 0; round < 10; ++round) {
    HWND dlg = FindTop(app, L"#32770");
    if (!dlg) return;
    Press(dlg, GetDlgItem(dlg, IDCANCEL) ? IDCANCEL : IDNO);
    WaitUntil([&] { return !IsWindow(dlg); }, 3000);
  }
}

bool ChooseFile(HWND dialog, const std::string& path) {
  const std::wstring wide(path.begin(), path.end());
  HWND edit = GetDlgItem(dialog, edt1);
  if (!edit) edit = GetDlgItem(dialog, cmb13);
  if (!edit) return false;
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  Press(dialog, IDOK);
  return true;
}

namespace {

// The Scan button of the data source's scanning window.
constexpr int kScanButtonId = 130;

struct ButtonSearch {
  HWND found = nullptr;
};
BOOL CALLBACK FindScan(HWND w, LPARAM lp) {
  wchar_t cls[32] = L"";
  GetClassNameW(w, cls, 32);
  std::wstring text = Text(w);
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  if ((_wcsicmp(cls, L"Button") == 0 && text == L"Scan") ||
      (_wcsicmp(cls, L"GraphButton32") == 0 && GetDlgCtrlID(w) == kScanButtonId)) {
    reinterpret_cast<ButtonSearch*>(lp)->found = w;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool UsesRealSource() {
  const char* s = std::getenv("WQ_APP_SOURCE");
  return s && std::string(s) == "real";
}

HWND FindBoxWithText(const App& app, const std::wstring& part) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[32] = L"";
    GetClassNameW(w, cls, 32);
    if (pid != app.process.dwProcessId || wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(w)) continue;
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (Text(c).find(part) != std::wstring::npos) return w;
  }
  return nullptr;
}

HWND FindSourceScanButton(const App& app) {
  ButtonSearch s;
  for (HWND w = GetTopWindow(nullptr); w && !s.found; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == app.process.dwProcessId && w != app.frame && IsWindowVisible(w))
      EnumChildWindows(w, FindScan, reinterpret_cast<LPARAM>(&s));
  }
  return s.found;
}

HWND SourceScanButton(const App& app) {
  HWND button = nullptr;
  WaitUntil([&] { return (button = FindSourceScanButton(app)) != nullptr; }, 20000);
  return button;
}

bool PressSourceScan(const App& app) {
  HWND button = SourceScanButton(app);
  if (!button) return false;
  wchar_t cls[32] = L"";
  GetClassNameW(button, cls, 32);
  if (_wcsicmp(cls, L"GraphButton32") == 0) {  // pressed with the mouse
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    return true;
  }
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return true;
}

bool NativeReference(const std::string& options, const std::string& output) {
  std::string cmd = "C:\\KORVA\\TWACQUIRE.exe " + options + " -o \"" + output + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &si, &pi))
    return false;
  DWORD code = 1;
  if (WaitForSingleObject(pi.hProcess, 180000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  else TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code == 0;
}

void Command(const App& app, int id) { PostMessageW(app.frame, WM_COMMAND, id, 0); }

HWND MdiClient(const App& app) { return FindWindowExW(app.frame, nullptr, L"MDIClient", nullptr); }

std::vector<std::wstring> ChildTitles(const App& app) {
  std::vector<std::wstring> out;
  HWND client = MdiClient(app);
  for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[64] = L"";
    GetClassNameW(c, cls, 64);
    if (wcscmp(cls, L"MyDIBMDI") == 0) out.push_back(Text(c));
  }
  std::sort(out.begin(), out.end());
  return out;
}

bool WaitChildTitles(const App& app, const std::vector<std::wstring>& titles, DWORD ms) {
  std::vector<std::wstring> want = titles;
  std::sort(want.begin(), want.end());
  return WaitUntil([&] { return ChildTitles(app) == want; }, ms);
}

HWND ActiveChild(const App& app) {
  return reinterpret_cast<HWND>(SendMessageW(MdiClient(app), WM_MDIGETACTIVE, 0, 0));
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>* bytes) {
  bytes->clear();
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes->insert(bytes->end(), buf, buf + n);
  std::fclose(f);
  return true;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace apptest
