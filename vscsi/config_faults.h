// The fault statement of the configuration text: a fault injected into the
// device configured last.
#pragma once
#include <vector>

#include "vscsi/config_tokens.h"

namespace vscsi::configtext {

bool ParseFault(Parser& p, const std::vector<Token>& t);

}  // namespace vscsi::configtext
