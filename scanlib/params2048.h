// The text-command model's mode-parameter text (READ data type 0x82): a run
// of entries, each a capital letter and its value, read into the same
// descriptor image a window scanner returns. Syntax in scanlib/README.md.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wqscsi {

// Bytes of descriptor image the parser fills (descriptor bytes 0..67).
constexpr size_t kDescriptorImageSize = 68;

// Fills descriptor fields from the text (stops at the length or a NUL),
// then sets the fixed bytes 22 = 128, 27 = 0, 28 = 1, 53 = 1, 54 = 0.
void ParseModeParameters(const uint8_t* text, size_t length, uint8_t* descriptor);

// The film-unit marker "O1" somewhere in the text.
bool HasFilmUnitMarker(const uint8_t* text, size_t length);

}  // namespace wqscsi
