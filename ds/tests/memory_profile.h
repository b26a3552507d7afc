// An in-memory set of profile files for the native tests: the same calls the
// Windows side makes, answered from a table of files, sections and keys.
#pragma once
#include <map>
#include <string>

#include "ds/settings/profile.h"

namespace wq::test {

struct MemoryProfile {
  // file name (case-blind) -> section (case-blind) -> key (case-blind) -> value
  std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> files;
  int writes = 0;
  int flushes = 0;
};
extern MemoryProfile g_MemoryProfile;

// Points g_Profile at the table and empties it.
void UseMemoryProfile();
// Sets or reads one value directly (no file created by reading).
void SetValue(const std::string& file, const std::string& section, const std::string& key,
              const std::string& value);
bool GetValue(const std::string& file, const std::string& section, const std::string& key,
              std::string* value);

}  // namespace wq::test
