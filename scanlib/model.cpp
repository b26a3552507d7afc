// The model table: which family model a device's INQUIRY name is.
#include "scanlib/model.h"

#include <array>
#include <cstring>

namespace wqscsi {

namespace {
struct ModelEntry {
  const char* product;
  int32_t kind;
};
constexpr std::array<ModelEntry, 5> kModels = {{
    {"WQ140", kModelWQ140},
    {"WQ210", kModelWQ210},
    {"WQ215", kModelWQ215},
    {"WQ220", kModelWQ220},
    {"WQ490", kModelWQ490},
}};
}  // namespace

int32_t ModelKindOfName(const char* name) {
  for (const ModelEntry& m : kModels)
    if (std::memcmp(name + 8, m.product, 5) == 0) return m.kind;
  return kModelUnknown;
}

}  // namespace wqscsi
