// A device's state as "key=value" lines, for tests (keys in vscsi/README.md).
#pragma once
#include <cstddef>

#include "vscsi/device.h"

namespace vscsi {

// Returns the length written (always terminated, cut short to fit).
size_t DescribeDevice(const Device& d, char* buf, size_t size);

}  // namespace vscsi
