// Loads the installed WQSCSI32.DLL and the virtual manager by path for the
// Wine tests and binds their exports by name.
#include "scanlib/win/tests/wine_harness.h"

namespace wt {

namespace {
typedef void (*AnyFn)();
template <typename F>
F Bind(HMODULE dll, LPCSTR name) {
  return reinterpret_cast<F>(reinterpret_cast<AnyFn>(GetProcAddress(dll, name)));
}
Library g_library;
}  // namespace

std::string WindowsDir() {
  char dir[MAX_PATH];
  const UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir, n);
}

std::string SystemDir() {
  char dir[MAX_PATH];
  const UINT n = GetSystemDirectoryA(dir, MAX_PATH);
  return std::string(dir, n);
}

Library& Load(bool bus) {
  Library& l = g_library;
  if (!l.dll) {
    // Short waits so a request that never completes costs little time.
    SetEnvironmentVariableA("WQSCSI_WAIT_MS", "1500");
    const std::string path = WindowsDir() + "\\TWAIN_32\\WQSCAN32\\WQSCSI32.DLL";
    l.dll = LoadLibraryA(path.c_str());
    if (l.dll) l.korva = Bind<KorvaScanLibProc>(l.dll, kScanLibExportName);
  }
  if (bus && !l.aspi) {
    // The same module the library binds: the system directory's manager.
    l.aspi = LoadLibraryA((SystemDir() + "\\WNASPI32.DLL").c_str());
    if (l.aspi) {
      l.configure = Bind<decltype(l.configure)>(l.aspi, "VscsiConfigure");
      l.wireCount = Bind<decltype(l.wireCount)>(l.aspi, "VscsiWireCount");
      l.wireGet = Bind<decltype(l.wireGet)>(l.aspi, "VscsiWireGet");
      l.wireClear = Bind<decltype(l.wireClear)>(l.aspi, "VscsiWireClear");
    }
  }
  return l;
}

void Configure(const char* text) {
  Library& l = Load(true);
  ASSERT_NE(l.configure, nullptr) << "the virtual bus is not installed";
  char err[200];
  ASSERT_TRUE(l.configure(text, err, sizeof err)) << err;
  l.wireClear();
}

std::vector<VscsiWireRecord> Wires() {
  std::vector<VscsiWireRecord> out;
  Library& l = Load(true);
  for (size_t i = 0, n = l.wireCount(); i < n; ++i) {
    VscsiWireRecord r{};
    l.wireGet(i, &r, nullptr, 0);
    out.push_back(r);
  }
  return out;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadText(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buf[4096];
  DWORD got = 0;
  while (::ReadFile(f, buf, sizeof buf, &got, nullptr) && got) text.append(buf, got);
  CloseHandle(f);
  return text;
}

}  // namespace wt
