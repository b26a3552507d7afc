// The string-table loader record, and LoadText, which always leaves a
// terminated text, empty when the loader has none.
#include "ds/base/text.h"

namespace wq {

TextProcs g_Text;

size_t LoadText(int id, char* buf, size_t size) {
  if (size == 0) return 0;
  buf[0] = 0;
  size_t n = g_Text.Load(id, buf, size);
  buf[size - 1] = 0;
  return n < size ? n : size - 1;
}

}  // namespace wq
