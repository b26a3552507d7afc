// Two-thumb scroll bar: values, bounds, hit testing and mouse tracking.
// The window procedure in win/ only moves these records and paints them.
#pragma once
#include <cstdint>

namespace wq {

// Style bits; window style bits 0 and 1 set the first two at creation.
constexpr int32_t kTsOrdered = 0x01;  // the left thumb stays below the right one
constexpr int32_t kTsTopLine = 0x02;  // a line along the top edge
constexpr int32_t kTsSingle = 0x04;   // only thumb 0

// State bits.
constexpr uint16_t kTsTracking = 0x01;
constexpr uint16_t kTsDisabled = 0x04;
constexpr uint16_t kTsFocused = 0x10;
constexpr uint16_t kTsCaptured = 0x20;
constexpr uint16_t kTsClickRight = 0x40;
constexpr uint16_t kTsClickLeft = 0x80;

// Codes of the WM_HSCROLL notification.
constexpr uint16_t kTsCodeRight = 0;  // mouse; the click was right of the thumb
constexpr uint16_t kTsCodeLeft = 1;   // mouse; otherwise
constexpr uint16_t kTsCodeSet = 5;    // changed by the parent

// One unit per pixel (times Scale) from this many pixels in; thumbs are 16
// pixels wide and centred on their value.
constexpr int kTsMargin = 8;
constexpr int kTsThumbWidth = 16;

constexpr int32_t kTsDefaultMax = 0x7FFF;

struct TsThumb {
  int32_t low;    // lower bound
  int32_t prev;   // position before the last change
  int32_t pos;
  int32_t drawn;  // position at the last paint
  int32_t high;   // upper bound
};

struct TwoScrollRecord {
  int16_t Select;  // the current thumb
  int32_t Min, Max;
  int32_t Mid;     // between the two thumbs, for hit testing
  int32_t Scale;   // pixels per unit
  int32_t Style;
  uint16_t State;
  TsThumb thumb[2];
};

// What a call asks of the window besides its result.
struct TsEffect {
  int32_t result = 0;
  bool notify = false;  // WM_HSCROLL to the parent
  uint16_t notifyPos = 0;
  uint16_t notifyCode = 0;
  bool repaint = false;
  bool release = false;  // give the mouse capture back
};

TwoScrollRecord TwoScrollDefaults();
// Completes a record copied from the defaults from the window's style.
void TwoScrollCreate(TwoScrollRecord& r, uint32_t windowStyle, bool disabled);

// lParam layout of the set-range message: low word min, high word max.
// Result: previous max * 65536 + previous min, or -1 when max <= min.
TsEffect TwoScrollSetRange(TwoScrollRecord& r, uint32_t minMax, int clientWidth);
uint32_t TwoScrollGetRange(const TwoScrollRecord& r);
// Result: the previous position.
TsEffect TwoScrollSetPos(TwoScrollRecord& r, int thumb, uint16_t pos);
uint16_t TwoScrollGetPos(const TwoScrollRecord& r, int thumb);
// Result: the previous selection, or -1 for anything but 0 and 1.
TsEffect TwoScrollSetSelect(TwoScrollRecord& r, uint32_t select);
// ORs bits in; result: the previous style.
TsEffect TwoScrollSetStyle(TwoScrollRecord& r, uint32_t bits);
void TwoScrollResize(TwoScrollRecord& r, int clientWidth);

// Mouse, x in client pixels. Up also serves cancel mode and a lost capture.
TsEffect TwoScrollMouseDown(TwoScrollRecord& r, int x);
TsEffect TwoScrollMouseMove(TwoScrollRecord& r, int x);
TsEffect TwoScrollMouseUp(TwoScrollRecord& r);

// The value under client x, and the client x a thumb is drawn centred at.
int32_t TwoScrollValueAt(const TwoScrollRecord& r, int x);
int64_t TwoScrollThumbCentre(const TwoScrollRecord& r, int thumb);

}  // namespace wq
