// The two-thumb scroll bar's records: range and positions kept within the
// thumbs' bounds (ordered thumbs never pass each other), which thumb a click
// takes, and the notifications sent.
#include "controls/twoscroll.h"

namespace wq {
namespace {

// An empty interval (hi < lo) yields lo.
int32_t Clamp(int32_t v, int32_t lo, int32_t hi) {
  if (v > hi) v = hi;
  if (v < lo) v = lo;
  return v;
}

bool Single(const TwoScrollRecord& r) { return (r.Style & kTsSingle) != 0; }
bool Ordered(const TwoScrollRecord& r) { return !Single(r) && (r.Style & kTsOrdered) != 0; }

void UpdateMid(TwoScrollRecord& r) { r.Mid = (r.thumb[0].pos + r.thumb[1].pos) >> 1; }

// Bounds and midpoint after thumb i moved.
void AfterMove(TwoScrollRecord& r, int i) {
  if (Single(r)) return;
  if (Ordered(r)) {
    if (i == 1)
      r.thumb[0].high = r.thumb[1].pos - 1;
    else
      r.thumb[1].low = r.thumb[0].pos + 1;
  }
  UpdateMid(r);
}

void MoveThumb(TwoScrollRecord& r, int i, int32_t pos) {
  r.thumb[i].prev = r.thumb[i].pos;
  r.thumb[i].pos = pos;
  AfterMove(r, i);
}

// Where the mouse may put thumb i: the range, and in the ordered style its
// own bounds and never past the other thumb, which a range change may have
// left outside those bounds.
int32_t MouseTarget(const TwoScrollRecord& r, int i, int32_t v) {
  v = Clamp(v, r.Min, r.Max);
  if (!Ordered(r)) return v;
  int32_t lo = r.thumb[i].low, hi = r.thumb[i].high;
  if (i == 0 && r.thumb[1].pos - 1 < hi) hi = r.thumb[1].pos - 1;
  if (i == 1 && r.thumb[0].pos + 1 > lo) lo = r.thumb[0].pos + 1;
  return Clamp(v, lo, hi);
}

uint16_t MouseCode(const TwoScrollRecord& r) {
  return (r.State & kTsClickRight) ? kTsCodeRight : kTsCodeLeft;
}

TsEffect Notify(const TwoScrollRecord& r, int i, uint16_t code) {
  TsEffect e;
  e.notify = true;
  e.notifyPos = uint16_t(r.thumb[i].pos);
  e.notifyCode = code;
  e.repaint = true;
  return e;
}

}  // namespace

TwoScrollRecord TwoScrollDefaults() {
  TwoScrollRecord r{};
  r.Min = 0;
  r.Max = kTsDefaultMax;
  r.Mid = 0x3FFF;
  r.Scale = 1;
  for (auto& t : r.thumb) t.high = kTsDefaultMax;
  return r;
}

void TwoScrollCreate(TwoScrollRecord& r, uint32_t windowStyle, bool disabled) {
  if (disabled) r.State |= kTsDisabled;
  if (windowStyle & 1) r.Style |= kTsOrdered;
  if (windowStyle & 2) r.Style |= kTsTopLine;
}

void TwoScrollResize(TwoScrollRecord& r, int clientWidth) {
  int64_t span = int64_t(r.Max) - r.Min;
  int64_t s = span > 0 ? (int64_t(clientWidth) - kTsThumbWidth) / span : 1;
  r.Scale = s < 1 ? 1 : int32_t(s);
}

TsEffect TwoScrollSetRange(TwoScrollRecord& r, uint32_t minMax, int clientWidth) {
  TsEffect e;
  int32_t lo = int32_t(minMax & 0xFFFF), hi = int32_t(minMax >> 16);
  if (hi <= lo) {
    e.result = -1;
    return e;
  }
  uint32_t previous = uint32_t(r.Max & 0xFFFF) << 16 | uint32_t(r.Min & 0xFFFF);
  r.Min = lo;
  r.Max = hi;
  TwoScrollResize(r, clientWidth);
  for (auto& t : r.thumb) {
    t.low = lo;
    t.high = hi;
  }
  if (Ordered(r)) {
    r.thumb[0].high = hi - 1;
    r.thumb[1].low = lo + 1;
  }
  // A thumb on its bound is valid and stays; one outside goes to the middle.
  for (auto& t : r.thumb)
    if (t.pos < t.low || t.pos > t.high) {
      t.prev = t.pos;
      t.pos = (t.low + t.high) >> 1;
    }
  UpdateMid(r);
  e = Notify(r, r.Select, kTsCodeSet);
  e.result = int32_t(previous);
  return e;
}

uint32_t TwoScrollGetRange(const TwoScrollRecord& r) {
  return uint32_t(r.Max & 0xFFFF) << 16 | uint32_t(r.Min & 0xFFFF);
}

TsEffect TwoScrollSetPos(TwoScrollRecord& r, int thumb, uint16_t pos) {
  int i = thumb ? 1 : 0;
  int32_t previous = r.thumb[i].pos;
  MoveThumb(r, i, Clamp(pos, r.thumb[i].low, r.thumb[i].high));
  TsEffect e = Notify(r, i, kTsCodeSet);
  e.result = previous;
  return e;
}

uint16_t TwoScrollGetPos(const TwoScrollRecord& r, int thumb) {
  return uint16_t(r.thumb[thumb ? 1 : 0].pos);
}

TsEffect TwoScrollSetSelect(TwoScrollRecord& r, uint32_t select) {
  TsEffect e;
  if (select > 1) {
    e.result = -1;
    return e;
  }
  e.result = r.Select;
  r.Select = int16_t(select);
  return e;
}

TsEffect TwoScrollSetStyle(TwoScrollRecord& r, uint32_t bits) {
  TsEffect e;
  e.result = r.Style;
  r.Style |= int32_t(bits & 0xFFFF);
  e.repaint = r.Style != e.result;
  return e;
}

int32_t TwoScrollValueAt(const TwoScrollRecord& r, int x) {
  if (x < 0) x = 0;
  int32_t d = x - kTsMargin;
  if (d <= 0 || r.Scale <= 1) return d;
  return (d + r.Scale / 2) / r.Scale;
}

int64_t TwoScrollThumbCentre(const TwoScrollRecord& r, int thumb) {
  return int64_t(r.Scale) * r.thumb[thumb ? 1 : 0].pos + kTsMargin;
}

TsEffect TwoScrollMouseDown(TwoScrollRecord& r, int x) {
  int32_t v = TwoScrollValueAt(r, x);
  int i;
  if (Single(r))
    i = 0;
  else if (r.thumb[0].pos < r.thumb[1].pos)
    i = v > r.Mid ? 1 : 0;
  else  // equal or crossed: thumb 1 is the left one
    i = v < r.Mid ? 1 : 0;
  r.Select = int16_t(i);
  r.State &= uint16_t(~(kTsClickRight | kTsClickLeft));
  r.State |= v > r.thumb[i].pos ? kTsClickRight : kTsClickLeft;
  MoveThumb(r, i, MouseTarget(r, i, v));
  r.State |= kTsTracking | kTsCaptured;
  return Notify(r, i, MouseCode(r));
}

TsEffect TwoScrollMouseMove(TwoScrollRecord& r, int x) {
  if (!(r.State & kTsTracking)) return {};
  int i = r.Select ? 1 : 0;
  MoveThumb(r, i, MouseTarget(r, i, TwoScrollValueAt(r, x)));
  return Notify(r, i, MouseCode(r));
}

TsEffect TwoScrollMouseUp(TwoScrollRecord& r) {
  TsEffect e;
  if (!(r.State & kTsTracking)) return e;
  r.State &= uint16_t(~(kTsTracking | kTsCaptured));
  e.release = true;
  return e;
}

}  // namespace wq
