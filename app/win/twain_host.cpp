// The acquisition's platform: global memory, the source manager library
// from the Windows directory, the scan file, disks, and the frame.
#include <windows.h>

#include "app/win/app_shell.h"
#include "app/win/resource.h"
#include "common/strutil.h"

namespace {

struct ManagerLibrary {
  HMODULE module = nullptr;
};
ManagerLibrary g_manager;

DSMENTRYPROC Bind(HMODULE module) {
  FARPROC entry = GetProcAddress(module, MAKEINTRESOURCEA(1));
  if (!entry) entry = GetProcAddress(module, "DSM_Entry");
  return reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(entry));
}

std::string InFolder(UINT(WINAPI* folder)(LPSTR, UINT), int name) {
  char dir[MAX_PATH];
  const UINT n = folder(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return "";
  std::string path(dir, n);
  if (path.back() != '\\') path += '\\';
  return path + Narrow(LoadText(name));
}

HMODULE LoadFile(const std::string& path) {
  if (path.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
  return LoadLibraryA(path.c_str());
}

// The TWAIN Working Group's TWAINDSM.DLL from the system directory where
// the system has one, as current TWAIN applications load it; else
// TWAIN_32.DLL from the Windows directory. That file is 32-bit on 64-bit
// Windows (which has no other): a 64-bit build then takes a TWAIN_32.DLL of
// its own word size where the loader finds one (Wine's 64-bit manager).
DSMENTRYPROC LoadManager(void*) {
  g_manager.module = LoadFile(InFolder(GetSystemDirectoryA, IDS_TWAINDSM));
  if (!g_manager.module) g_manager.module = LoadFile(InFolder(GetWindowsDirectoryA, IDS_TWAIN32));
#if defined(_WIN64)
  if (!g_manager.module) g_manager.module = LoadLibraryA(Narrow(LoadText(IDS_TWAIN32)).c_str());
#endif
  if (!g_manager.module) return nullptr;
  DSMENTRYPROC entry = Bind(g_manager.module);
  if (!entry) {
    FreeLibrary(g_manager.module);
    g_manager.module = nullptr;
  }
  return entry;
}

void UnloadManager(void*) {
  if (g_manager.module) FreeLibrary(g_manager.module);
  g_manager.module = nullptr;
}

void* CreateScanFile(void*, const char* path) {
  HANDLE f = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return f == INVALID_HANDLE_VALUE ? nullptr : f;
}

bool SetScanFileSize(void*, void* f, uint64_t size) {
  LARGE_INTEGER at;
  at.QuadPart = LONGLONG(size);
  return SetFilePointerEx(f, at, nullptr, FILE_BEGIN) && SetEndOfFile(f);
}

bool WriteScanFile(void*, void* f, uint64_t offset, const void* data, size_t n) {
  LARGE_INTEGER at;
  at.QuadPart = LONGLONG(offset);
  if (!SetFilePointerEx(f, at, nullptr, FILE_BEGIN)) return false;
  DWORD written = 0;
  return WriteFile(f, data, DWORD(n), &written, nullptr) && written == n;
}

char DriveWithRoom(void*, uint64_t bytes) {
  const DWORD drives = GetLogicalDrives();
  for (int i = 2; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    const char root[4] = {char('A' + i), ':', '\\', 0};
    if (GetDriveTypeA(root) == DRIVE_FIXED && FreeBytes(root[0]) >= bytes) return root[0];
  }
  return 0;
}

void SetWorkDrive(void*, char drive) {
  g_app.workDirectory[0] = drive;
  wq::CopyString(g_app.swapPath, (std::string(g_app.workDirectory) + "wqswap.$n$").c_str());
}

wq::AcquireHost MakeHost() {
  wq::AcquireHost h;
  h.alloc = [](void*, size_t n) -> void* { return GlobalAlloc(GHND, n); };
  h.lock = [](void*, void* b) { return GlobalLock(b); };
  h.unlock = [](void*, void* b) { GlobalUnlock(b); };
  h.release = [](void*, void* b) { GlobalFree(b); };
  h.blockSize = [](void*, void* b) -> size_t { return GlobalSize(b); };
  h.loadManager = LoadManager;
  h.unloadManager = UnloadManager;
  h.createFile = CreateScanFile;
  h.setFileSize = SetScanFileSize;
  h.writeFile = WriteScanFile;
  h.closeFile = [](void*, void* f) { CloseHandle(f); };
  h.removeFile = [](void*, const char* path) { DeleteFileA(path); };
  h.freeBytes = [](void*, char drive) { return FreeBytes(drive); };
  h.availableMemory = [](void*) -> uint64_t {
    MEMORYSTATUSEX m{};
    m.dwLength = sizeof m;
    GlobalMemoryStatusEx(&m);
    return m.ullAvailPhys + m.ullAvailPageFile;
  };
  h.driveWithRoom = DriveWithRoom;
  h.workDirectory = [](void*) -> const char* { return g_app.workDirectory; };
  h.setWorkDrive = SetWorkDrive;
  h.blackIsZero = [](void*) { return g_app.settings.blackIsZero == '1'; };
  h.documentCount = [](void*) { return g_app.documents; };
  // Message 5 comes from a batch and carries its fields.
  h.message = [](void*, int n) {
    if (n == 5) ShowBatchMessage(n, "", MB_OK);
    else ShowAppMessage(n);
  };
  h.messageForDrive = [](void*, int n, char d) { ShowAppMessageForDrive(n, d); };
  h.askAdfMode = [](void*) { return AskAdfMode(g_app.frame); };
  h.askBatchFile = [](void*, int bits) { return AskBatchFile(bits); };
  h.askRetry = [](void*, int n) { return ShowBatchMessage(n, "", MB_RETRYCANCEL) == IDRETRY; };
  h.checkTarget = [](void*, const char* path) { return CheckBatchTarget(path); };
  h.showPage = [](void*, const char* text) {
    const std::string t = *text ? "Page : " + std::string(text) : std::string();
    StatusSetPage(std::wstring(t.begin(), t.end()));
  };
  h.enableAcquire = [](void*, bool) {};  // the File menu reads the state when it opens
  h.waitCursor = [](void*, bool wait) { SetCursor(LoadCursor(nullptr, wait ? IDC_WAIT : IDC_ARROW)); };
  h.showSize = [](void*, uint64_t bytes) { StatusSetSize(bytes); };
  h.showCaption = [](void*, int op, const char* path) { StatusCaption(op, path); };
  h.progress = [](void*, uint32_t done, uint32_t total) { StatusProgress(done, total); };
  h.clearStatus = [](void*) { StatusClear(); };
  h.scannedImage = [](void*, void* header) {
    return SendMessageW(g_app.frame, WM_SCANNEDIMAGE, reinterpret_cast<WPARAM>(header), 0) != 0;
  };
  h.realisePalette = [](void*) { PostMessageW(g_app.frame, WM_QUERYNEWPALETTE, 0, 0); };
  return h;
}

}  // namespace

const wq::AcquireHost& TwainHost() {
  static const wq::AcquireHost host = MakeHost();
  return host;
}

void AppStartAcquire(bool showUI) { wq::StartAcquire(&g_app.twain, TwainHost(), showUI); }
