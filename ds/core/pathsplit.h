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
