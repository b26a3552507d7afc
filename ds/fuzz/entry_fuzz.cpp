// Triplets of every kind with hostile structures, in any order, against the
// source on the virtual bus. Each step: DG (1 byte), DAT (2), MSG (2), then
// 48 bytes spread over a structure of the largest size a triplet may use.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ds/core/dsentry.h"
#include "ds/core/session.h"
#include "ds/tests/test_host.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = false;
  if (!ready) {
    wq::test::ResetDataSource();
    ready = true;
  }
  TW_IDENTITY app = wq::test::AppIdentity(7);
  constexpr size_t kStep = 5 + 48;
  for (size_t at = 0; at + kStep <= size; at += kStep) {
    const uint8_t* p = data + at;
    TW_UINT32 dg = p[0] & 3;
    TW_UINT16 dat = TW_UINT16(p[1] | p[2] << 8);
    TW_UINT16 msg = TW_UINT16(p[3] | p[4] << 8);
    // Keep the identity's product name as a manager would send it.
    alignas(8) uint8_t block[sizeof(TW_PALETTE8)];
    for (size_t i = 0; i < sizeof block; ++i) block[i] = p[5 + i % 48];
    // No pointers inside: the handlers must not follow any.
    wq::DsEntryProc(&app, dg, dat, msg, (p[5] & 0x80) ? nullptr : block);
  }
  // Leave the source closed for the next input.
  TW_IDENTITY src = wq::test::ManagerSourceIdentity();
  wq::DsEntryProc(&app, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &src);
  if (wq::g_Session.State != 3) __builtin_trap();
  return 0;
}
