// Splitting a Windows path into drive, directory, base name and extension.
#pragma once
#include <string>

namespace wq {

struct PathParts {
  std::string Drive;  // "C:" or empty
  std::string Dir;    // up to and including the last separator
  std::string Base;   // file name without its extension
  std::string Ext;    // from the last dot of the file name on
};

PathParts SplitPath(const char* path);

}  // namespace wq

namespace wq {

// Upper-cases the ASCII letters of a path in place. The byte after a
// double-byte lead byte (0x81-0x9F, 0xE0-0xFC) is left alone: it may be
// the second half of a Japanese character that merely looks like a letter.
void UpperCasePath(char* path);

}  // namespace wq
