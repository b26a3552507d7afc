// Replacing a file on Windows, where the C runtime's rename refuses an existing
// target.
#include <windows.h>

#include "common/replace_file.h"

namespace wq {

// The C runtime's rename refuses an existing target on Windows.
bool ReplaceFileWith(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace wq
