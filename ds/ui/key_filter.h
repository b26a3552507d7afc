// Which keys the keyboard filter of the numeric dialogs lets into a field:
// digits and the keys that move, edit and leave, plus the decimal
// separator where decimals are allowed.
#pragma once

namespace wq {

// The virtual-key codes the filter knows (the values Windows gives them).
namespace vk {
constexpr int kBack = 0x08, kTab = 0x09, kReturn = 0x0D, kShift = 0x10, kControl = 0x11,
              kAlt = 0x12, kEscape = 0x1B, kSpace = 0x20, kPageUp = 0x21, kPageDown = 0x22,
              kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28, kInsert = 0x2D,
              kDelete = 0x2E, kDigit0 = 0x30, kDigit9 = 0x39, kNumpad0 = 0x60, kNumpad9 = 0x69,
              kSeparator = 0x6C, kSubtract = 0x6D, kDecimal = 0x6E, kF1 = 0x70, kF4 = 0x73,
              kNumLock = 0x90, kComma = 0xBC, kMinus = 0xBD, kPeriod = 0xBE;
}  // namespace vk

// Whether a key going down passes. `keyChar` is the character the key
// gives without shift (0 when it gives none); `decimals` says whether the
// field takes a decimal separator, `separator` the user's ("sDecimal").
bool NumericKeyPasses(int virtualKey, int keyChar, bool decimals, const char* separator);

}  // namespace wq
