// The in-memory profile files: files, sections and keys without regard to case,
// answered as the private-profile functions answer, with writes and flushes
// counted.
#include "ds/tests/memory_profile.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "common/strutil.h"

namespace wq::test {

MemoryProfile g_MemoryProfile;

namespace {

std::string Lower(const char* s) {
  std::string r(s ? s : "");
  for (char& c : r) c = char(tolower(uint8_t(c)));
  return r;
}

const std::string* Find(const char* file, const char* section, const char* key) {
  auto f = g_MemoryProfile.files.find(Lower(file));
  if (f == g_MemoryProfile.files.end()) return nullptr;
  auto s = f->second.find(Lower(section));
  if (s == f->second.end()) return nullptr;
  auto k = s->second.find(Lower(key));
  if (k == s->second.end()) return nullptr;
  return &k->second;
}

// As the private-profile functions answer: a missing key gives the default,
// otherwise the leading number of the text (none gives 0).
int GetIntProc(const char* file, const char* section, const char* key, int def) {
  const std::string* v = Find(file, section, key);
  if (!v || v->empty()) return def;
  return int(strtol(v->c_str(), nullptr, 10));
}

size_t GetStringProc(const char* file, const char* section, const char* key, const char* def,
                     char* buf, size_t size) {
  const std::string* v = Find(file, section, key);
  CopyString(buf, size, v ? v->c_str() : def);
  return strlen(buf);
}

bool WriteStringProc(const char* file, const char* section, const char* key, const char* value) {
  ++g_MemoryProfile.writes;
  g_MemoryProfile.files[Lower(file)][Lower(section)][Lower(key)] = value;
  return true;
}

void FlushProc(const char*) { ++g_MemoryProfile.flushes; }

bool ExistsProc(const char* file) { return g_MemoryProfile.files.count(Lower(file)) != 0; }

}  // namespace

void UseMemoryProfile() {
  g_MemoryProfile = MemoryProfile{};
  g_Profile = ProfileProcs{GetIntProc, GetStringProc, WriteStringProc, FlushProc, ExistsProc};
}

void SetValue(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value) {
  g_MemoryProfile.files[Lower(file.c_str())][Lower(section.c_str())][Lower(key.c_str())] = value;
}

bool GetValue(const std::string& file, const std::string& section, const std::string& key,
              std::string* value) {
  const std::string* v = Find(file.c_str(), section.c_str(), key.c_str());
  if (v && value) *value = *v;
  return v != nullptr;
}

}  // namespace wq::test
