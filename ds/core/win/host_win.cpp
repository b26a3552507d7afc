// The core's platform functions under Windows.
#include "ds/core/win/host_win.h"

#include <cstring>
#include <cwchar>

#include "common/io_file.h"

#include "ds/base/host.h"
#include "ds/base/text.h"
#include "ds/core/trace.h"
#include "ds/res/resource.h"
#include "ds/scan/progress.h"
#include "ds/core/stripbind.h"
#include "ds/pipeline/win/pipeline_win.h"
#include "ds/ui/win/uishell_win.h"
#include "ds/settings/settings.h"
#include "ds/settings/settings_store.h"
#include "ds/settings/win/profile_win.h"
#include "ds/base/win/source_windows.h"

namespace wq {

HINSTANCE g_Instance;


namespace {

constexpr const char* kErrorCaption = "KORVA TWAIN 2.0";

uint32_t CurrentProcess() { return GetCurrentProcessId(); }
uint32_t CurrentThread() { return GetCurrentThreadId(); }

bool OfferEvent(void* msg) { return OfferToWindows(static_cast<MSG*>(msg)); }

void ErrorBox(void* owner, const char* text) {
  HWND window = static_cast<HWND>(owner);
  if (window && !IsWindow(window)) window = nullptr;
  MessageBoxA(window, text, kErrorCaption, MB_OK);
}

// Messages are loaded as UTF-16 so the Japanese twins survive whatever the
// system's ANSI code page is.
int MessageById(int id, int buttons) {
  wchar_t text[1024];
  wchar_t caption[64];
  if (LoadStringW(g_Instance, UINT(id), text, 1024) == 0) text[0] = 0;
  if (LoadStringW(g_Instance, UINT(text::kProductName), caption, 64) == 0) caption[0] = 0;
  MessageBeep(MB_ICONHAND);
  UINT style = MB_TASKMODAL | MB_ICONSTOP | (buttons == kButtonsOkCancel ? MB_OKCANCEL : MB_OK);
  return MessageBoxW(nullptr, text, caption, style) == IDOK ? kAnswerOk : kAnswerCancel;
}

int MessageWith(int id, const char* arg, int buttons) {
  wchar_t format[1024], caption[64], text[1400], wideArg[300];
  if (LoadStringW(g_Instance, UINT(id), format, 1024) == 0) format[0] = 0;
  if (LoadStringW(g_Instance, UINT(text::kProductName), caption, 64) == 0) caption[0] = 0;
  if (MultiByteToWideChar(CP_ACP, 0, arg ? arg : "", -1, wideArg, 300) == 0) wideArg[0] = 0;
  // The one "%s" of the text takes the argument; nothing else is formatted.
  const wchar_t* at = wcsstr(format, L"%s");
  if (at) {
    _snwprintf(text, 1400, L"%.*ls%ls%ls", int(at - format), format, wideArg, at + 2);
    text[1399] = 0;
  } else {
    wcscpy(text, format);
  }
  MessageBeep(MB_ICONHAND);
  UINT style = MB_TASKMODAL | MB_ICONSTOP | (buttons == kButtonsOkCancel ? MB_OKCANCEL : MB_OK);
  return MessageBoxW(nullptr, text, caption, style) == IDOK ? kAnswerOk : kAnswerCancel;
}

// The file transfer's one output file at a time.
FileWriter g_Output;

bool CreateOutputFile(const char* path, WqIo* io) {
  if (g_Output.f) FileWriterAbandon(&g_Output);
  if (FileWriterCreate(&g_Output, path) != IoStatus::kOk) return false;
  *io = FileWriterIo(&g_Output);
  return true;
}
bool CommitOutputFile() { return g_Output.f && FileWriterCommit(&g_Output) == IoStatus::kOk; }
void AbandonOutputFile() {
  if (g_Output.f) FileWriterAbandon(&g_Output);
}

// The module whose code sent MSG_OPENDS, when it exports DSM_Entry.
struct OpeningManager {
  wchar_t Path[MAX_PATH];
};
OpeningManager g_OpeningManager;

// The manager is loaded around each call and released again: the one that
// opened the source, else one of the documented names already serving the
// application (a manager this process has not loaded knows no application
// to pass the request to). 64-bit Windows has no "TWAIN_32.DLL": there the
// TWAIN Working Group's manager comes first.
HMODULE LoadCallbackManager() {
  if (g_OpeningManager.Path[0]) {
    if (HMODULE m = LoadLibraryW(g_OpeningManager.Path)) return m;
  }
#if defined(_WIN64)
  static constexpr const char* kNames[] = {"TWAINDSM.DLL", "TWAIN_32.DLL"};
#else
  static constexpr const char* kNames[] = {"TWAIN_32.DLL", "TWAINDSM.DLL"};
#endif
  for (const char* name : kNames)
    if (GetModuleHandleA(name)) return LoadLibraryA(name);
  return nullptr;
}

void CallManager(TW_IDENTITY* source, TW_IDENTITY* application, TW_UINT16 msg) {
  HMODULE manager = LoadCallbackManager();
  if (!manager) return;
  auto entry = reinterpret_cast<DSMENTRYPROC>(
      reinterpret_cast<void*>(GetProcAddress(manager, "DSM_Entry")));
  if (entry) entry(source, application, DG_CONTROL, DAT_NULL, msg, nullptr);
  FreeLibrary(manager);
}

}  // namespace

void NoteOpeningManager(void* caller) {
  g_OpeningManager.Path[0] = 0;
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCWSTR>(caller), &module) ||
      !module || module == g_Instance || !GetProcAddress(module, "DSM_Entry"))
    return;
  const DWORD n = GetModuleFileNameW(module, g_OpeningManager.Path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) g_OpeningManager.Path[0] = 0;
}

namespace {

HGLOBAL g_SettingsMemory;

ScanSettings* AllocSettings() {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ScanSettings));
  if (!memory) return nullptr;
  void* p = GlobalLock(memory);
  if (!p) {
    GlobalFree(memory);
    return nullptr;
  }
  g_SettingsMemory = memory;
  return static_cast<ScanSettings*>(p);
}

void FreeSettings(ScanSettings*) {
  if (!g_SettingsMemory) return;
  GlobalUnlock(g_SettingsMemory);
  GlobalFree(g_SettingsMemory);
  g_SettingsMemory = nullptr;
}

void* OpenModule(const char* path) { return LoadLibraryA(path); }
void* FindProc(void* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}
void CloseModule(void* module) { FreeLibrary(static_cast<HMODULE>(module)); }

void ReadEnvironment(SettingsEnvironment* env) {
  char dir[MAX_PATH];
  UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) dir[0] = 0;
  // The root directory comes back with its separator; the paths add their own.
  size_t len = strlen(dir);
  if (len && dir[len - 1] == '\\') dir[len - 1] = 0;
  strncpy(env->WindowsDir, dir, sizeof env->WindowsDir - 1);
  env->WindowsDir[sizeof env->WindowsDir - 1] = 0;
  env->Country = int(GetProfileIntA("intl", "iCountry", 1));
  env->Measure = int(GetProfileIntA("intl", "iMeasure", 1));
  GetProfileStringA("intl", "sDecimal", ".", env->Decimal, sizeof env->Decimal);
  env->SmallScreen = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFULLSCREEN) < 481;
  env->PlatformVersion = GetVersion();
}

uint32_t TotalPhysMemory() {
  MEMORYSTATUS status;
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  return status.dwTotalPhys > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(status.dwTotalPhys);
}

// The scanning window arrives with the user-interface work.
bool CreateMainWindow(void*) { return g_Windows.Main != nullptr; }
bool MainWindowExists() { return g_Windows.Main && IsWindow(g_Windows.Main); }

void DestroyWindows() {
  HWND* all[] = {&g_Windows.Progress,   &g_Windows.Search,     &g_Windows.Preference,
                 &g_Windows.Film,       &g_Windows.Lightness,  &g_Windows.Threshold,
                 &g_Windows.ImageAdjustPage, &g_Windows.ImageAdjust, &g_Windows.Gamma,
                 &g_Windows.ZoomPreview, &g_Windows.Main};
  for (HWND* w : all) {
    if (*w && IsWindow(*w)) DestroyWindow(*w);
    *w = nullptr;
  }
}

void HideWindows() {
  HWND all[] = {g_Windows.Main,      g_Windows.ZoomPreview, g_Windows.Gamma,
                g_Windows.ImageAdjust, g_Windows.Threshold, g_Windows.Lightness,
                g_Windows.Film,      g_Windows.Preference};
  for (HWND w : all)
    if (w && IsWindow(w)) ShowWindow(w, SW_HIDE);
}


void ReleaseScanButton() {}

void DeleteWorkFile(const char* path) { DeleteFileA(path); }

HWND g_ConnectBox;

INT_PTR CALLBACK ConnectStatusProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

void ConnectStatus(bool show) {
  if (g_ConnectBox) {
    DestroyWindow(g_ConnectBox);
    g_ConnectBox = nullptr;
  }
  if (!show) return;
  const bool japanese = g_Env.JapaneseUI;
  g_ConnectBox = CreateDialogParamW(
      g_Instance, MAKEINTRESOURCEW(japanese ? IDD_CONNECT_STATUS_JA : IDD_CONNECT_STATUS), nullptr,
      ConnectStatusProc, 0);
  if (!g_ConnectBox) return;
  wchar_t text[128];
  if (LoadStringW(g_Instance, japanese ? 18024 : 18021, text, 128) > 0)
    SetDlgItemTextW(g_ConnectBox, IDC_CONNECT_TEXT, text);
  ShowWindow(g_ConnectBox, SW_SHOWNOACTIVATE);
  UpdateWindow(g_ConnectBox);
}

size_t LoadTextA(int id, char* buf, size_t size) {
  if (size == 0) return 0;
  int n = LoadStringA(g_Instance, UINT(id), buf, int(size > 0x7FFFFFFF ? 0x7FFFFFFF : size));
  if (n <= 0) {
    buf[0] = 0;
    return 0;
  }
  return size_t(n);
}

// Trace output.
void DebugOutput(const char* text) { OutputDebugStringA(text); }

bool AppendToFile(const char* path, const char* text) {
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD length = DWORD(strlen(text));
  DWORD written = 0;
  bool ok = SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
            WriteFile(file, text, length, &written, nullptr) && written == length;
  CloseHandle(file);
  if (!ok) DeleteFileA(path);
  return ok;
}

bool FreeSpace(const char* dir, uint64_t* bytes) {
  ULARGE_INTEGER available;
  if (!GetDiskFreeSpaceExA(dir, &available, nullptr, nullptr)) return false;
  *bytes = available.QuadPart;
  return true;
}

void LocalTime(TraceTime* t) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  t->Weekday = now.wDayOfWeek;
  t->Month = now.wMonth - 1;
  t->Day = now.wDay;
  t->Hour = now.wHour;
  t->Minute = now.wMinute;
  t->Second = now.wSecond;
  t->Year = now.wYear;
}

size_t LoadData(int id, const uint8_t** data) {
  HRSRC found = FindResourceA(g_Instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(g_Instance, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return 0;
  *data = static_cast<const uint8_t*>(bytes);
  return SizeofResource(g_Instance, found);
}

}  // namespace

void InstallWindowsHost(HINSTANCE instance) {
  g_Instance = instance;
  g_Host = DsHost{.CurrentProcess = CurrentProcess,
                  .CurrentThread = CurrentThread,
                  .OfferEvent = OfferEvent,
                  .ErrorBox = ErrorBox,
                  .ShowMessage = MessageById,
                  .CallManager = CallManager,
                  .AllocSettings = AllocSettings,
                  .FreeSettings = FreeSettings,
                  .OpenModule = OpenModule,
                  .FindProc = FindProc,
                  .CloseModule = CloseModule,
                  .ReadEnvironment = ReadEnvironment,
                  .TotalPhysMemory = TotalPhysMemory,
                  .CreateMainWindow = CreateMainWindow,
                  .MainWindowExists = MainWindowExists,
                  .DestroyWindows = DestroyWindows,
                  .HideWindows = HideWindows,
                  .ReleaseScanButton = ReleaseScanButton,
                  .ConnectStatus = ConnectStatus,
                  .DeleteWorkFile = DeleteWorkFile,
                  .ShowMessageWith = MessageWith,
                  .CreateOutputFile = CreateOutputFile,
                  .CommitOutputFile = CommitOutputFile,
                  .AbandonOutputFile = AbandonOutputFile,
                  .FreeSpace = FreeSpace,
                  .LocalTime = LocalTime,
                  .LoadData = LoadData};
  g_Text.Load = LoadTextA;
  g_TraceSink = TraceSinkProcs{DebugOutput, AppendToFile, FreeSpace, LocalTime};
  UseWindowsProfile();
  InstallPipelineFiles();
  UseScannerForStrips();
  InstallUiShell();
}

}  // namespace wq
