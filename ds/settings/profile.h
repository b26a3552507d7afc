// Access to the settings files. The Windows side fills this record with the
// private-profile functions; tests fill it with an in-memory table. `file`
// is passed on as given: a bare name means the Windows directory. By default
// no file exists: every key gives its default and writes go nowhere.
#pragma once
#include <cstddef>

namespace wq {

struct ProfileProcs {
  // The key's value as a whole number, or `def` when the key is missing.
  int (*GetInt)(const char* file, const char* section, const char* key, int def) = [](const char*, const char*, const char*, int def) { return def; };
  // The key's text (or `def`) into buf, always terminated; returns its length.
  size_t (*GetString)(const char* file, const char* section, const char* key, const char* def,
                      char* buf, size_t size) = [](const char*, const char*, const char*, const char* def, char* buf,
                                     size_t size) -> size_t {
    size_t n = 0;
    if (size) {
      for (; def && def[n] && n + 1 < size; ++n) buf[n] = def[n];
      buf[n] = 0;
    }
    return n;
  };
  // Writes one key; failures are not reported to the user.
  bool (*WriteString)(const char* file, const char* section, const char* key, const char* value) = [](const char*, const char*, const char*, const char*) { return false; };
  // Writes out whatever the profile functions keep cached for `file`.
  void (*Flush)(const char* file) = [](const char*) {};
  // Whether the file exists at all.
  bool (*Exists)(const char* file) = [](const char*) { return false; };
};
extern ProfileProcs g_Profile;

}  // namespace wq
