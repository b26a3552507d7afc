// Bitmap buttons: glyph tables and the state machine of the four classes.
// The window procedures in win/ turn messages into ButtonInput calls and
// carry out the returned action.
#pragma once
#include <cstdint>

namespace wq {

enum class ButtonKind : uint8_t { Graph, Popup, Switch, Lock };

// State bits.
constexpr uint16_t kBsTracking = 0x01;
constexpr uint16_t kBsChecked = 0x02;
constexpr uint16_t kBsDisabled = 0x04;
constexpr uint16_t kBsPressed = 0x08;
constexpr uint16_t kBsFocused = 0x10;
constexpr uint16_t kBsInside = 0x20;  // pointer inside while tracking

// Window style bits 9-5 choose the glyphs.
constexpr uint32_t kGlyphStyleMask = 992;

// Up to three bitmap resource ids (switch: off, on, pressed; lock: open,
// locked), unused entries repeating the last. count 0: no glyph.
struct ButtonGlyphs {
  uint16_t id[3];
  uint8_t count;
  uint8_t width, height;
};

struct ButtonRecord {
  ButtonKind kind;
  ButtonGlyphs glyphs;
  uint16_t State;
};

ButtonGlyphs ButtonGlyphsForStyle(ButtonKind kind, uint32_t windowStyle);

// Every glyph id the library's resources must hold, with its size.
struct GlyphSize {
  uint16_t id;
  uint8_t width, height;
};
int ButtonGlyphList(const GlyphSize** list);

ButtonRecord ButtonCreate(ButtonKind kind, uint32_t windowStyle, bool disabled);

enum class ButtonEvent : uint8_t {
  MouseDown,   // also a double click
  MouseMove,   // inside: the pointer is in the client area
  MouseUp,     // inside: likewise, at the release point
  CancelMode,  // cancel mode or capture taken away
  SpaceDown,   // first press only, not auto-repeat
  SpaceUp,
  SetFocus,
  KillFocus,
  Enable,
  Disable,
  SetCheck,    // inside carries the new check
  SetPressed,  // inside carries the new pressed state
};

struct ButtonAction {
  bool capture = false;  // take the mouse capture and the focus
  bool release = false;  // give the capture back
  bool notify = false;   // WM_COMMAND to the parent
  bool repaint = false;
};

ButtonAction ButtonInput(ButtonRecord& b, ButtonEvent ev, bool inside = true);

// Which of the record's glyphs the face shows (index into glyphs.id).
int ButtonGlyphIndex(const ButtonRecord& b);

}  // namespace wq
