// Bounded string helpers: every copy into a fixed field says how big it is.
#pragma once
#include <cstddef>
#include <cstring>

namespace wq {

// Copies at most n-1 characters and always terminates (n > 0).
inline void CopyString(char* dst, size_t n, const char* src) {
  if (n == 0) return;
  size_t i = 0;
  if (src)
    for (; i + 1 < n && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
}

// Length of a string in a field of n bytes that may lack its terminator.
inline size_t FieldLength(const char* s, size_t n) {
  size_t i = 0;
  while (i < n && s[i]) ++i;
  return i;
}

template <size_t N>
inline void CopyString(char (&dst)[N], const char* src) { CopyString(dst, N, src); }

}  // namespace wq
