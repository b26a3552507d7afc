// Tone-curve downloads into a scanner's four curves (red, green, blue, grey).
#pragma once
#include <cstdint>

#include "vscsi/command.h"
#include "vscsi/params.h"

namespace vscsi {

// Word form: 256 big-endian words, qualifier 16 grey, 17 red, 18 green,
// 19 blue (the caller has checked the qualifier).
void GammaWords(GammaChannel gamma[4], uint16_t qualifier, const uint8_t* data, uint32_t n,
                CommandResult* r);
// Text form: "R///", "/G//", "//B/", "///W" with 256, 1024 or 4096
// decimal entries 0..255 joined by ','.
void GammaText(GammaChannel gamma[4], const uint8_t* text, uint32_t n, CommandResult* r);
// A built-in curve for every channel.
void GammaFixed(GammaChannel gamma[4], uint8_t curve);

}  // namespace vscsi
