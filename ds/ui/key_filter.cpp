// The numeric dialogs' key filter: a fixed list of keys, and the separator's
// keys by the user's decimal separator.
#include "ds/ui/key_filter.h"

#include <cstring>

namespace wq {

bool NumericKeyPasses(int key, int keyChar, bool decimals, const char* separator) {
  if ((key >= vk::kDigit0 && key <= vk::kDigit9) || (key >= vk::kNumpad0 && key <= vk::kNumpad9))
    return true;
  switch (key) {
    case vk::kBack: case vk::kTab: case vk::kReturn: case vk::kShift: case vk::kControl:
    case vk::kAlt: case vk::kEscape: case vk::kSpace: case vk::kPageUp: case vk::kPageDown:
    case vk::kLeft: case vk::kUp: case vk::kRight: case vk::kDown: case vk::kInsert:
    case vk::kDelete: case vk::kSubtract: case vk::kF4: case vk::kNumLock: case vk::kMinus:
      return true;
  }
  if (!decimals) return false;
  const char* sep = separator && *separator ? separator : ".";
  if (strcmp(sep, ",") == 0) {
    if (key == vk::kComma || key == vk::kSeparator) return true;
  } else if (key == vk::kPeriod || key == vk::kDecimal) {
    return true;
  }
  // Any other key that types the separator (a layout's own key for it).
  return keyChar != 0 && sep[1] == 0 && keyChar == static_cast<unsigned char>(sep[0]);
}

}  // namespace wq
