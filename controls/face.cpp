// Planning a button's face: the look by Windows version, up or down, the glyph
// centred and shifted when down, and whether it is embossed (disabled) or
// checkered (checked).
#include "controls/face.h"

namespace wq {

FaceLook ChooseFaceLook(uint32_t version) {
  return (version & 0xFF) <= 3 ? FaceLook::Classic : FaceLook::Flat;
}

FacePlan PlanFace(const ButtonRecord& b, int clientWidth, int clientHeight) {
  FacePlan p{};
  uint16_t s = b.State;
  bool pressed = (s & kBsPressed) != 0;
  bool disabled = (s & kBsDisabled) != 0;
  // A switch shows its state by its glyphs only.
  bool checked = (s & kBsChecked) != 0 && b.kind != ButtonKind::Switch;
  p.down = checked || pressed;
  p.focused = (s & kBsFocused) != 0;
  p.shift = p.down ? 1 : 0;
  p.glyph = ButtonGlyphIndex(b);
  if (p.glyph < 0) return p;
  int faceW = clientWidth - 2 * kFaceBorder, faceH = clientHeight - 2 * kFaceBorder;
  p.glyphX = kFaceBorder + (faceW - b.glyphs.width - 1) / 2 + p.shift;
  p.glyphY = kFaceBorder + (faceH - b.glyphs.height) / 2 + p.shift;
  p.copy = pressed || !disabled;
  if (pressed) return p;
  p.emboss = disabled;
  p.checker = checked;
  return p;
}

}  // namespace wq
