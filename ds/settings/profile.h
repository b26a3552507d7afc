// Access to the settings files. The Windows side fills this record with the
// private-profile functions; tests fill it with an in-memory table. `file`
// is passed on as given: a bare name means the Windows directory.
#pragma once
#include <cstddef>

namespace wq {

struct ProfileProcs {
  // The key's value as a whole number, or `def` when the key is missing.
  int (*GetInt)(const char* file, const char* section, const char* key, int def);
  // The key's text (or `def`) into buf, always terminated; returns its length.
  size_t (*GetString)(const char* file, const char* section, const char* key, const char* def,
                      char* buf, size_t size);
  // Writes one key; failures are not reported to the user.
  bool (*WriteString)(const char* file, const char* section, const char* key, const char* value);
  // Writes out whatever the profile functions keep cached for `file`.
  void (*Flush)(const char* file);
  // Whether the file exists at all.
  bool (*Exists)(const char* file);
};
extern ProfileProcs g_Profile;

}  // namespace wq
