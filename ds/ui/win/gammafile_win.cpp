// The gamma editor's file dialogs and file writing under Windows.
#include "ds/ui/win/gammafile_win.h"

#include <commdlg.h>

#include <string>

#include "ds/core/win/host_win.h"
#include "ds/res/ui_ids.h"
#include "ds/ui/win/uiwin.h"

namespace wq {

namespace {

// The dialogs' library is loaded only while a dialog is up. Linked in, it and
// what it pulls in (the shell, the common controls) would be loaded and set up
// each time a manager loads the source, which managers do several times
// before a scan only to read its identity.
BOOL RunFileDialog(bool saving, OPENFILENAMEW* ofn) {
  HMODULE library = LoadLibraryA("comdlg32.dll");
  if (!library) return FALSE;
  using DialogFn = BOOL(WINAPI*)(LPOPENFILENAMEW);
  const auto dialog = reinterpret_cast<DialogFn>(reinterpret_cast<void*>(
      GetProcAddress(library, saving ? "GetSaveFileNameW" : "GetOpenFileNameW")));
  const BOOL chosen = dialog ? dialog(ofn) : FALSE;
  FreeLibrary(library);
  return chosen;
}

}  // namespace

bool AskGammaFile(HWND owner, bool saving, char* path, size_t size) {
  if (!size) return false;
  wchar_t file[MAX_PATH] = L"";
  if (path[0]) MultiByteToWideChar(CP_ACP, 0, path, -1, file, MAX_PATH);
  else wcsncpy(file, UiText(IDS_GAMMA_DEFAULT_NAME).c_str(), MAX_PATH - 1);
  // The titles' Japanese twins follow them at + 1.
  const int titleId = (saving ? IDS_GAMMA_SAVE_TITLE : IDS_GAMMA_LOAD_TITLE) + (g_UiWin.Japanese ? 1 : 0);
  wchar_t title[128] = L"";
  LoadStringW(g_Instance, UINT(titleId), title, 128);
  // "name\0pattern\0\0"
  std::wstring filter = UiText(IDS_GAMMA_FILTER);
  filter += L'\0';
  filter += UiText(IDS_GAMMA_PATTERN);
  filter += L'\0';
  filter += L'\0';
  const std::wstring extension = UiText(IDS_GAMMA_EXTENSION);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = title;
  ofn.lpstrDefExt = extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
              (saving ? 0 : OFN_FILEMUSTEXIST);
  if (!RunFileDialog(saving, &ofn)) return false;
  const int n = WideCharToMultiByte(CP_ACP, 0, file, -1, path, int(size), nullptr, nullptr);
  if (n <= 0) {
    path[0] = 0;
    return false;
  }
  return true;
}

GammaWrite WriteGammaBytes(const char* path, const uint8_t* data, size_t size) {
  // An existing file must be writable and open for writing before anything
  // is replaced (the read-only flag is checked itself: an administrator's
  // process may open such a file all the same).
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return GammaWrite::kLocked;
    HANDLE probe = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
    if (probe == INVALID_HANDLE_VALUE) return GammaWrite::kLocked;
    CloseHandle(probe);
  }
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return GammaWrite::kLocked;
  DWORD written = 0;
  const bool ok = WriteFile(file, data, DWORD(size), &written, nullptr) && written == size;
  const bool closed = CloseHandle(file) != 0;
  if (ok && closed) return GammaWrite::kWritten;
  DeleteFileA(path);
  return GammaWrite::kFailed;
}

}  // namespace wq
