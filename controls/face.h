// How a bitmap button's face is drawn, as a plan the painter in win/
// carries out with GDI: which look, up or down, where the glyph goes and
// which of the glyph steps apply.
#pragma once
#include <cstdint>

#include "controls/button.h"

namespace wq {

// Classic: cut-corner frame and a two-pixel shadow (Win32s, Windows NT 3.x).
// Flat: a light/dark frame with a one-pixel bevel (every later system).
enum class FaceLook : uint8_t { Classic, Flat };

// From GetVersion(): major version in the low byte.
FaceLook ChooseFaceLook(uint32_t version);

// The frame takes one pixel on every side.
constexpr int kFaceBorder = 1;

struct FacePlan {
  bool down;      // checked or pressed look: shadow top and left only
  bool focused;   // second frame inside the border
  int glyph;      // index into the record's glyph ids, -1 for none
  int glyphX;     // top-left of the glyph in client pixels, shift included
  int glyphY;
  bool copy;      // draw the glyph as it is
  bool emboss;    // draw it disabled
  bool checker;   // dither the face background
  int shift;      // 1 when down: glyph and checker brush move right and down
};

FacePlan PlanFace(const ButtonRecord& b, int clientWidth, int clientHeight);

}  // namespace wq
