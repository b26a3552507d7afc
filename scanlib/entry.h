// The library's one entry: prologue (implicit open, per-call settings,
// implicit search), dispatch on the selector, epilogue (status and sense
// into the block). The DLL export and the native tests call this.
#pragma once
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

void ScanLibEntry(int32_t selector, ScanParamBlock* block);

// The log label of a selector, null for those without one.
const char* SelectorLabel(int32_t selector);

}  // namespace wqscsi

// Programs that link the core in-process (tests of the data source and the
// tools) call the entry by its plain name.
using wqscsi::ScanLibEntry;
