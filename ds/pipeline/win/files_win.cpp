// Directory listing and file reading of the pipeline's files under Windows.
#include <windows.h>

#include "ds/pipeline/files.h"
#include "ds/pipeline/win/pipeline_win.h"

namespace wq {

namespace {

bool ListFiles(const char* wildcard, void* user, void (*found)(void*, const char*)) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(wildcard, &data);
  if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) found(user, data.cFileName);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return true;
}

int64_t ReadFileAt(const char* path, uint64_t offset, void* buffer, uint32_t size) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  LARGE_INTEGER at;
  at.QuadPart = LONGLONG(offset);
  int64_t total = -1;
  if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) {
    total = 0;
    auto* p = static_cast<uint8_t*>(buffer);
    while (uint32_t(total) < size) {
      DWORD got = 0;
      if (!::ReadFile(file, p + total, DWORD(size - uint32_t(total)), &got, nullptr)) {
        total = -1;
        break;
      }
      if (got == 0) break;  // end of file
      total += got;
    }
  }
  CloseHandle(file);
  return total;
}

}  // namespace

void InstallPipelineFiles() { g_FileAccess = FileAccessProcs{ListFiles, ReadFileAt}; }

}  // namespace wq
