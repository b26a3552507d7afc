// Appending one line to the log file with Win32 file calls.
#include <windows.h>

#include <cstring>

#include "scanlib/win/platform_win.h"

namespace wqscsi {

namespace {
bool WriteAll(HANDLE file, const char* text, DWORD length) {
  DWORD written = 0;
  return WriteFile(file, text, length, &written, nullptr) && written == length;
}
}  // namespace

bool WinAppendLine(const char* path, const char* text) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  SetFilePointer(file, 0, nullptr, FILE_END);
  const bool ok = WriteAll(file, text, DWORD(std::strlen(text))) && WriteAll(file, "\r\n", 2);
  CloseHandle(file);
  // A log cut short would mislead; no log is better.
  if (!ok) DeleteFileA(path);
  return ok;
}

}  // namespace wqscsi
