// The installed WQSCSI32.DLL and WNASPI32.DLL as a program meets them:
// loaded by path, KorvaSCANLIB bound by name, the virtual bus configured
// through its own exports.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scanlib/scanlib.h"
#include "vscsi/vscsi.h"

namespace wt {

struct Library {
  HMODULE dll = nullptr;
  KorvaScanLibProc korva = nullptr;
  HMODULE aspi = nullptr;  // null when the test leaves the manager alone
  bool (*configure)(const char*, char*, size_t) = nullptr;
  size_t (*wireCount)() = nullptr;
  bool (*wireGet)(size_t, VscsiWireRecord*, uint8_t*, size_t) = nullptr;
  void (*wireClear)() = nullptr;
};

std::string WindowsDir();
std::string SystemDir();
// Loads WQSCSI32.DLL from the data source's folder (once per process); with
// `bus` also the virtual manager from the system directory.
Library& Load(bool bus);
void Configure(const char* text);
std::vector<VscsiWireRecord> Wires();
bool FileExists(const std::string& path);
std::string ReadText(const std::string& path);

}  // namespace wt
