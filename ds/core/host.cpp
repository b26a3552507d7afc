#include "ds/core/host.h"

namespace wq {
DsHost g_Host;
}  // namespace wq
