#include "ds/core/capmemory.h"

namespace wq {
CapMemoryProcs g_CapMemory;
}  // namespace wq
