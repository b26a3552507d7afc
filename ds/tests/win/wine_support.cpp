// Paths of the Wine prefix and the source tree, the virtual bus reached through
// the installed wnaspi32.dll's own exports, the settings files removed or set,
// the country, and files hidden for a test.
#include "ds/tests/win/wine_support.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "vscsi/description.h"

namespace wq::wine {

std::string WindowsDir() {
  char dir[MAX_PATH];
  UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
  std::string d(dir, n);
  if (!d.empty() && d.back() == '\\') d.pop_back();
  return d;
}

std::string SourceDir() { return WindowsDir() + "\\TWAIN_32\\WQSCAN32\\"; }
std::string MainIni() { return WindowsDir() + "\\@WQSC32.INI"; }

std::string WindowsPathOf(const std::string& unixPath) {
  std::string path = "Z:";
  for (char c : unixPath) path += c == '/' ? '\\' : c;
  return path;
}

std::string SourceTreePath(const char* relative) {
  const char* root = getenv("WQ_SOURCE_DIR");
  return WindowsPathOf(std::string(root ? root : "/") + "/" + relative);
}

namespace {
typedef bool (*ConfigureFn)(const char*, char*, size_t);
typedef const char* (*DefaultFn)();

// The installed manager of the system directory, the module the scanner
// library will bind too.
HMODULE Aspi() {
  static HMODULE aspi = [] {
    char dir[MAX_PATH];
    UINT n = GetSystemDirectoryA(dir, MAX_PATH);
    return LoadLibraryA((std::string(dir, n) + "\\wnaspi32.dll").c_str());
  }();
  return aspi;
}
}  // namespace

bool ConfigureBus(const char* text) {
  auto configure = reinterpret_cast<ConfigureFn>(
      reinterpret_cast<void*>(GetProcAddress(Aspi(), "VscsiConfigure")));
  if (!configure) return false;
  char err[200];
  return configure(text, err, sizeof err);
}

std::map<std::string, std::string> Describe() {
  typedef size_t (*DescribeFn)(int, int, char*, size_t);
  auto describe = reinterpret_cast<DescribeFn>(
      reinterpret_cast<void*>(GetProcAddress(Aspi(), "VscsiDescribe")));
  char buf[8192] = "";
  if (describe) describe(0, 4, buf, sizeof buf);
  return vscsi::ParseDescription(buf);
}

bool LoadSheets(uint32_t sheets) {
  typedef bool (*LoadFn)(int, int, uint32_t);
  auto load = reinterpret_cast<LoadFn>(
      reinterpret_cast<void*>(GetProcAddress(Aspi(), "VscsiLoadSheets")));
  return load && load(0, 4, sheets);
}

const char* DefaultBus() {
  auto def = reinterpret_cast<DefaultFn>(
      reinterpret_cast<void*>(GetProcAddress(Aspi(), "VscsiDefaultConfig")));
  return def ? def() : "";
}

void RemoveSettingsFiles() {
  std::vector<std::string> files = {MainIni()};
  for (const char* pattern : {"@PRE*.INI", "@GMA*.INI"}) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((SourceDir() + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) continue;
    do files.push_back(SourceDir() + fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
  }
  for (const std::string& f : files) {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, f.c_str());
    DeleteFileA(f.c_str());
  }
}

void SetIni(const std::string& file, const char* section, const char* key, const char* value) {
  WritePrivateProfileStringA(section, key, value, file.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
}

std::string GetIni(const std::string& file, const char* section, const char* key) {
  char buf[512];
  GetPrivateProfileStringA(section, key, "<missing>", buf, sizeof buf, file.c_str());
  return buf;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path) {
  std::string text;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return text;
  char buf[4096];
  DWORD got = 0;
  while (::ReadFile(f, buf, sizeof buf, &got, nullptr) && got) text.append(buf, got);
  CloseHandle(f);
  return text;
}

void SetCountry(int country) {
  WriteProfileStringA("intl", "iCountry", std::to_string(country).c_str());
}

void SetIntl(const char* key, const char* value) { WriteProfileStringA("intl", key, value); }

bool EnsureToolLibrary() {
  // The controls library is installed beside the source by the build.
  return FileExists(SourceDir() + "WQTOOL32.DLL");
}

HiddenFile::HiddenFile(const std::string& p) : path(p) {
  hidden = MoveFileExA(path.c_str(), (path + ".hidden").c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

HiddenFile::~HiddenFile() {
  if (hidden) MoveFileExA((path + ".hidden").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace wq::wine
