// A device description (VscsiDescribe's "key=value" lines) as a map, for
// the tests that read the virtual scanner's state.
#pragma once
#include <map>
#include <sstream>
#include <string>

namespace vscsi {

inline std::map<std::string, std::string> ParseDescription(const char* text) {
  std::map<std::string, std::string> m;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) m[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return m;
}

}  // namespace vscsi
