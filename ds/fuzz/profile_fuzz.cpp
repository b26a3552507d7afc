// Hostile settings files: every key answers with the fuzzer's text; the
// text formats on their own.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/strutil.h"
#include "ds/tests/builtin_text.h"
#include "ds/settings/profile.h"
#include "ds/settings/settings_store.h"

namespace {

std::string g_text;

int GetInt(const char*, const char*, const char*, int def) {
  return g_text.empty() ? def : int(strtol(g_text.c_str(), nullptr, 10));
}
size_t GetString(const char*, const char*, const char*, const char*, char* buf, size_t size) {
  wq::CopyString(buf, size, g_text.c_str());
  return strlen(buf);
}
bool Write(const char*, const char*, const char*, const char*) { return true; }
void Flush(const char*) {}
bool Exists(const char*) { return true; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  g_text.assign(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
  wq::test::UseBuiltinTexts();
  wq::g_Profile = wq::ProfileProcs{GetInt, GetString, Write, Flush, Exists};

  uint32_t number;
  wq::SettingsRect rect;
  uint8_t values[8];
  wq::ParseProfileNumber(g_text.c_str(), &number);
  wq::ParseRect(g_text.c_str(), &rect);
  wq::DecodeGammaKey(g_text.c_str(), values);

  static wq::ScanSettings s;
  static wq::MainFileValues m;
  wq::SettingsEnvironment env{};
  wq::CopyString(env.SourceDir, "C:\\WINDOWS\\TWAIN_32\\WQSCAN32\\");
  wq::SettingsDefaults(s, env);
  wq::MainValuesDefaults(m, env);
  wq::ReadMainFile(s, m, env);
  if (m.ScanMemory < wq::kScanMemoryMin || m.ScanMemory > wq::kScanMemoryMax) __builtin_trap();
  for (int16_t model = 0; model < 4; ++model) {
    s.Model = model;
    wq::ReadPresetFile(s, env);
    wq::ReadGammaFile(s, env);
  }
  return 0;
}
