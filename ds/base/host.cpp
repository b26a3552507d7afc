#include "ds/base/host.h"

namespace wq {
DsHost g_Host;
}  // namespace wq
