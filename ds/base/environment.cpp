// The one environment record of the source.
#include "ds/base/environment.h"

namespace wq {

SettingsEnvironment g_Env;

}  // namespace wq
