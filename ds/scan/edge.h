// The software edge filter of the WQ140 and the colour-line rearrangement:
// line operations of strip reading.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

// Makes line u + 1 of the image into `out` from the ring of the last three
// scanner lines (line k in slot k mod 3; slots lineBytes apart): u above,
// u + 1 the centre, u + 2 below. Neighbours are one byte away in grey lines
// and three in colour lines (the same channel). edges: 2, 3 sharpen,
// 4 smooths; anything else copies the centre line.
void EdgeFilterLine(const uint8_t* ring, uint8_t* out, size_t lineBytes, uint32_t u, int edges,
                    bool colour);

// Rewrites colour lines sent as three planes (all red, all green, all blue)
// as red, green, blue triples, in place through `scratch` (lineBytes).
void PlanarToInterleaved(uint8_t* buffer, size_t lines, size_t lineBytes, uint8_t* scratch);

}  // namespace wq
