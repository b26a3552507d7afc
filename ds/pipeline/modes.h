// Pixel modes as the pipeline tells them apart (`Mode` of the settings: the
// low byte is the image kind, the high byte the bi-level method).
#pragma once
#include <cstdint>

namespace wq {

// Scanner grey data made into grey or bi-level output: 3 and 0x201-0x501.
constexpr bool IsGreyMode(int mode) {
  return mode == 3 || mode == 0x201 || mode == 0x301 || mode == 0x401 || mode == 0x501;
}

// Scanner colour data: 4, 5, 6 and the software eight-colour modes.
constexpr bool IsColourMode(int mode) {
  return mode == 4 || mode == 5 || mode == 6 || mode == 0x202 || mode == 0x302 ||
         mode == 0x402 || mode == 0x502;
}

// Every mode the pipeline knows.
constexpr bool IsKnownMode(int mode) {
  return mode == 0x101 || mode == 0x102 || IsGreyMode(mode) || IsColourMode(mode);
}

}  // namespace wq
