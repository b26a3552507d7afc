// Reading colour-matching files: the header and the two tables, with every
// length checked against what the file holds and what the table can take.
#include <cstring>

#include "common/bytes.h"
#include "ds/pipeline/clrmatch.h"

namespace wq {

namespace {

void Title(const uint8_t* field, char* out) {
  size_t n = 0;
  while (n < kClmTitleBytes && field[n]) ++n;
  memcpy(out, field, n);
  out[n] = 0;
}

}  // namespace

ClmStatus ParseClmHeader(const uint8_t* bytes, size_t size, ClmHeader* h) {
  if (!bytes || size < kClmHeaderBytes) return kClmShortHeader;
  Title(bytes + 4, h->English);
  Title(bytes + 24, h->Japanese);
  h->Length = GetLE32(bytes + 44);
  return h->Length > kClmTableBytes ? kClmTooLong : kClmOk;
}

ClmStatus ParseClmFile(const uint8_t* bytes, size_t size, uint8_t* table) {
  ClmHeader h;
  const ClmStatus st = ParseClmHeader(bytes, size, &h);
  if (st != kClmOk) return st;
  if (size - kClmHeaderBytes < h.Length) return kClmShortData;
  memcpy(table, bytes + kClmHeaderBytes, h.Length);
  memset(table + h.Length, 0, kClmTableBytes - h.Length);
  return kClmOk;
}

}  // namespace wq
