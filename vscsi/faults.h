// Injected faults: which configured fault a command meets.
#pragma once
#include <cstdint>

#include "vscsi/device.h"

namespace vscsi {

enum class FaultStage {
  Submit,   // at the manager: ASPI busy, pending, never completing
  Execute,  // at the target: BUSY, CHECK CONDITION, short transfer
};

// The first fault of this stage that matches the command; its count is
// taken. imageRead is the 1-based number of this READ of image data since
// START (0 when the command is not one). Returns null when none fires.
const FaultRule* TakeFault(Device* d, const uint8_t* cdb, FaultStage stage, uint32_t imageRead);

}  // namespace vscsi
