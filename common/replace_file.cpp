// Replacing a file on POSIX systems, where rename already replaces the target.
#include "common/replace_file.h"

#include <cstdio>

namespace wq {

// POSIX rename replaces the target atomically.
bool ReplaceFileWith(const char* from, const char* to) { return std::rename(from, to) == 0; }

}  // namespace wq
