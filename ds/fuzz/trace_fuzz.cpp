// The trace on whatever an application hands in: capability containers of
// any kind and size, and the structures of every data type.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ds/core/trace.h"
#include "ds/tests/builtin_text.h"

namespace {
void Sink(const char*) {}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  wq::test::UseBuiltinTexts();
  wq::g_TraceSink = wq::TraceSinkProcs{};
  wq::g_TraceSink.DebugOutput = Sink;
  wq::g_Trace.Switch = 1;
  const uint16_t cap = uint16_t(data[0] | data[1] << 8);
  const uint16_t conType = uint16_t(data[2] | data[3] << 8);
  const uint16_t msg = uint16_t(data[4] | data[5] << 8);
  // The container exactly as long as the input: reads past it are caught.
  std::vector<uint8_t> container(data + 6, data + size);
  wq::TraceCapability(msg, cap, conType, container.empty() ? nullptr : container.data(),
                      container.size(), nullptr, uint16_t(cap & 7), uint16_t(conType & 15));
  // Every data type with a structure filled from the input.
  static const uint16_t kDats[] = {DAT_IDENTITY, DAT_USERINTERFACE, DAT_STATUS,
                                   DAT_PENDINGXFERS, DAT_SETUPMEMXFER, DAT_SETUPFILEXFER,
                                   DAT_XFERGROUP, DAT_IMAGEINFO, DAT_IMAGELAYOUT,
                                   DAT_IMAGEMEMXFER, DAT_PALETTE8, DAT_IMAGENATIVEXFER};
  std::vector<uint8_t> record(sizeof(TW_PALETTE8), 0);
  memcpy(record.data(), data, size < record.size() ? size : record.size());
  TW_IDENTITY id;
  memcpy(&id, record.data(), sizeof id);
  for (uint16_t dat : kDats)
    wq::TraceTriplet(DG_CONTROL, dat, msg, record.data(), uint16_t(msg & 7), cap, &id, &id);
  return 0;
}
