// The settings files through the Windows private-profile functions.
#include <windows.h>

#include <cstring>

#include "ds/settings/profile.h"
#include "ds/settings/win/profile_win.h"

namespace wq {
namespace {

int GetInt(const char* file, const char* section, const char* key, int def) {
  return int(GetPrivateProfileIntA(section, key, def, file));
}

size_t GetString(const char* file, const char* section, const char* key, const char* def, char* buf,
                 size_t size) {
  if (size == 0) return 0;
  DWORD n = GetPrivateProfileStringA(section, key, def, buf, DWORD(size), file);
  buf[size - 1] = 0;
  return n;
}

bool WriteString(const char* file, const char* section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section, key, value, file) != 0;
}

void Flush(const char* file) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, file); }

// A bare name is looked for in the Windows directory, as the profile
// functions do.
bool Exists(const char* file) {
  char path[MAX_PATH + 64];
  if (!strchr(file, '\\') && !strchr(file, '/')) {
    UINT n = GetWindowsDirectoryA(path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    if (path[n - 1] != '\\') path[n++] = '\\';
    path[n] = 0;
    if (n + strlen(file) + 1 > sizeof path) return false;
    strcat(path, file);
    file = path;
  }
  DWORD attributes = GetFileAttributesA(file);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void UseWindowsProfile() { g_Profile = ProfileProcs{GetInt, GetString, WriteString, Flush, Exists}; }

}  // namespace wq
