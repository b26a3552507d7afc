// Splitting a path into drive, directory, base and extension, and upper-casing
// a path without touching the second byte of a Shift-JIS character.
#include "ds/core/pathsplit.h"

#include <cctype>

namespace wq {

PathParts SplitPath(const char* path) {
  PathParts p;
  std::string s = path ? path : "";
  size_t i = 0;
  if (s.size() >= 2 && s[1] == ':' && isalpha(uint8_t(s[0]))) {
    p.Drive = s.substr(0, 2);
    i = 2;
  }
  size_t lastSep = s.find_last_of("\\/");
  size_t nameStart = i;
  if (lastSep != std::string::npos && lastSep >= i) {
    p.Dir = s.substr(i, lastSep + 1 - i);
    nameStart = lastSep + 1;
  }
  std::string name = s.substr(nameStart);
  size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) {
    p.Base = name;
  } else {
    p.Base = name.substr(0, dot);
    p.Ext = name.substr(dot);
  }
  return p;
}

}  // namespace wq

namespace wq {

void UpperCasePath(char* p) {
  for (; p && *p; ++p) {
    const uint8_t c = uint8_t(*p);
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      if (!p[1]) break;
      ++p;
      continue;
    }
    if (c >= 'a' && c <= 'z') *p = char(c - 'a' + 'A');
  }
}

}  // namespace wq
