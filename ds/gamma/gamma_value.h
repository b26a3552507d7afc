// The gamma editor's "Gamma:" field: a gamma value in hundredths shown as a
// decimal with the user's separator, and typed text taken back within 0.10
// to 9.99.
#pragma once
#include <cstddef>

namespace wq {

constexpr int kGammaValueMinimum = 10, kGammaValueMaximum = 999;

// "1.00" for 100 (with `separator`, "." when none).
void FormatGammaValue(int hundredths, const char* separator, char* buf, size_t size);
// True, with the value in hundredths, when `text` is a number from 0.10 to
// 9.99 (further decimals dropped); false for anything else.
bool ParseGammaValue(const char* text, const char* separator, int* hundredths);

}  // namespace wq
