// The bitmap buttons' glyph table by class and style, and their state machine:
// what the mouse, the space key, focus and the set messages do to a button's
// state, and when it notifies its parent.
#include "controls/button.h"

#include <array>

namespace wq {
namespace {

struct GlyphRow {
  ButtonKind kind;
  uint16_t style;
  ButtonGlyphs glyphs;
};

constexpr std::array<GlyphRow, 13> kGlyphTable{{
    {ButtonKind::Graph, 64, {{3051, 3051, 3051}, 1, 24, 25}},
    {ButtonKind::Graph, 96, {{3061, 3061, 3061}, 1, 24, 25}},
    {ButtonKind::Graph, 640, {{3601, 3601, 3601}, 1, 24, 25}},
    {ButtonKind::Graph, 704, {{3071, 3071, 3071}, 1, 24, 25}},
    {ButtonKind::Graph, 736, {{3501, 3501, 3501}, 1, 24, 25}},
    {ButtonKind::Graph, 896, {{4401, 4401, 4401}, 1, 10, 11}},
    {ButtonKind::Popup, 32, {{3901, 3901, 3901}, 1, 10, 11}},
    {ButtonKind::Switch, 32, {{4101, 4103, 4105}, 3, 36, 7}},
    {ButtonKind::Switch, 64, {{4301, 4301, 4301}, 3, 16, 17}},
    {ButtonKind::Lock, 576, {{3201, 3203, 3203}, 2, 24, 25}},
    {ButtonKind::Lock, 672, {{3301, 3303, 3303}, 2, 16, 17}},
    {ButtonKind::Lock, 800, {{4603, 4603, 4603}, 2, 16, 17}},
    {ButtonKind::Lock, 832, {{4611, 4611, 4611}, 2, 16, 17}},
}};

constexpr std::array<GlyphSize, 17> kGlyphList{{
    {3051, 24, 25}, {3061, 24, 25}, {3601, 24, 25}, {3071, 24, 25}, {3501, 24, 25},
    {4401, 10, 11}, {3901, 10, 11}, {4101, 36, 7},  {4103, 36, 7},  {4105, 36, 7},
    {4301, 16, 17}, {3201, 24, 25}, {3203, 24, 25}, {3301, 16, 17}, {3303, 16, 17},
    {4603, 16, 17}, {4611, 16, 17},
}};

void Set(uint16_t& s, uint16_t bits, bool on) {
  if (on)
    s |= bits;
  else
    s &= uint16_t(~bits);
}

// The pointer crossed the edge of the client area while tracking.
void Cross(ButtonRecord& b, bool inside) {
  Set(b.State, kBsInside | kBsPressed, inside);
  if (b.kind == ButtonKind::Popup) b.State ^= kBsChecked;
}

void ButtonDown(ButtonRecord& b, ButtonAction& a) {
  a.capture = true;
  if (b.kind == ButtonKind::Popup) b.State ^= kBsChecked;
  b.State |= kBsTracking | kBsPressed | kBsInside;
}

// Release inside; the pressed look ends and the class decides the rest.
void ButtonClick(ButtonRecord& b, ButtonAction& a) {
  b.State &= uint16_t(~kBsPressed);
  switch (b.kind) {
    case ButtonKind::Graph:  // latches: a checked button stays quiet
      if (!(b.State & kBsChecked)) {
        b.State |= kBsChecked;
        a.notify = true;
      }
      break;
    case ButtonKind::Popup:
      a.notify = (b.State & kBsChecked) != 0;
      break;
    case ButtonKind::Switch:
      b.State ^= kBsChecked;
      a.notify = true;
      break;
    case ButtonKind::Lock:
      b.State |= kBsChecked;
      a.notify = true;
      break;
  }
}

void SpaceUp(ButtonRecord& b, ButtonAction& a) {
  b.State &= uint16_t(~kBsPressed);
  bool focused = (b.State & kBsFocused) != 0;
  if (b.kind == ButtonKind::Popup) {
    a.notify = focused && (b.State & kBsChecked);
    return;
  }
  b.State ^= kBsChecked;
  a.notify = focused;
}

void EndTracking(ButtonRecord& b, ButtonAction& a) {
  b.State &= uint16_t(~(kBsTracking | kBsInside));
  a.release = true;
}

}  // namespace

ButtonGlyphs ButtonGlyphsForStyle(ButtonKind kind, uint32_t windowStyle) {
  uint32_t style = windowStyle & kGlyphStyleMask;
  for (const auto& row : kGlyphTable)
    if (row.kind == kind && row.style == style) return row.glyphs;
  return ButtonGlyphs{{0, 0, 0}, 0, 0, 0};
}

int ButtonGlyphList(const GlyphSize** list) {
  *list = kGlyphList.data();
  return int(kGlyphList.size());
}

ButtonRecord ButtonCreate(ButtonKind kind, uint32_t windowStyle, bool disabled) {
  ButtonRecord b{};
  b.kind = kind;
  b.glyphs = ButtonGlyphsForStyle(kind, windowStyle);
  if (disabled) b.State |= kBsDisabled;
  return b;
}

ButtonAction ButtonInput(ButtonRecord& b, ButtonEvent ev, bool inside) {
  ButtonAction a;
  uint16_t before = b.State;
  bool tracking = (b.State & kBsTracking) != 0;
  switch (ev) {
    case ButtonEvent::MouseDown:
      ButtonDown(b, a);
      break;
    case ButtonEvent::MouseMove:
      if (tracking && inside != ((b.State & kBsInside) != 0)) Cross(b, inside);
      break;
    case ButtonEvent::MouseUp:
      if (!tracking) break;
      // Judge by where the button went up, whether or not a move said so.
      if (inside != ((b.State & kBsInside) != 0)) Cross(b, inside);
      if (inside) ButtonClick(b, a);
      EndTracking(b, a);
      break;
    case ButtonEvent::CancelMode:
      if (!tracking) break;
      if (b.State & kBsInside) Cross(b, false);  // undo the press
      EndTracking(b, a);
      break;
    case ButtonEvent::SpaceDown:
      if (b.kind == ButtonKind::Popup && !(b.State & kBsChecked)) b.State |= kBsChecked;
      b.State |= kBsPressed;
      break;
    case ButtonEvent::SpaceUp:
      SpaceUp(b, a);
      break;
    case ButtonEvent::SetFocus:
      b.State |= kBsFocused;
      break;
    case ButtonEvent::KillFocus:
      b.State &= uint16_t(~(kBsFocused | kBsPressed));
      if (b.kind == ButtonKind::Popup) b.State &= uint16_t(~kBsChecked);
      break;
    case ButtonEvent::Enable:
      b.State &= uint16_t(~kBsDisabled);
      break;
    case ButtonEvent::Disable:
      b.State |= kBsDisabled;
      break;
    case ButtonEvent::SetCheck:
      Set(b.State, kBsChecked, inside);
      if (!inside && tracking) {  // unchecking ends a tracking
        b.State &= uint16_t(~kBsPressed);
        EndTracking(b, a);
      }
      break;
    case ButtonEvent::SetPressed:
      Set(b.State, kBsPressed, inside);
      break;
  }
  a.repaint = b.State != before;
  return a;
}

int ButtonGlyphIndex(const ButtonRecord& b) {
  if (b.glyphs.count == 0) return -1;
  switch (b.kind) {
    case ButtonKind::Switch:
      if (b.State & kBsDisabled) return 0;
      if (b.State & kBsPressed) return 2;
      if (b.State & kBsChecked) return 1;
      return 0;
    case ButtonKind::Lock:
      return (b.State & (kBsChecked | kBsPressed)) ? 1 : 0;
    default:
      return 0;
  }
}

}  // namespace wq
