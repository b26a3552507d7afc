// Which model of the family a device is, from its 32-byte name (INQUIRY
// vendor, product and revision).
#pragma once
#include <cstdint>

#include "scanlib/scanlib.h"

namespace wqscsi {

// First five product characters (name byte 8 on) against the model table;
// kModelUnknown when none matches.
int32_t ModelKindOfName(const char* name);

// Window-descriptor models (1, 2, 4, 8) as opposed to the text-command one.
inline bool IsWindowModel(int32_t kind) {
  return kind == kModelWQ140 || kind == kModelWQ210 || kind == kModelWQ215 || kind == kModelWQ220;
}

}  // namespace wqscsi

// The data source tells the family's scanners apart by the same table.
using wqscsi::ModelKindOfName;
