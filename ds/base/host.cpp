// The data source's one host record, every entry at its default until the
// Windows side or a test fills it.
#include "ds/base/host.h"

namespace wq {
DsHost g_Host;
}  // namespace wq
