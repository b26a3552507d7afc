// The two-thumb scroll bar's records without a window: creation styles, ranges
// and bounds, positions, selection and style, and mouse tracking, where ordered
// thumbs never cross.
#include <gtest/gtest.h>

#include <cstring>

#include "controls/twoscroll.h"

using namespace wq;

namespace {

TwoScrollRecord Fresh(uint32_t windowStyle = 0) {
  TwoScrollRecord r = TwoScrollDefaults();
  TwoScrollCreate(r, windowStyle, false);
  return r;
}

uint32_t Range(int lo, int hi) { return uint32_t(hi) << 16 | uint32_t(lo); }

bool Same(const TwoScrollRecord& a, const TwoScrollRecord& b) {
  return a.Select == b.Select && a.Min == b.Min && a.Max == b.Max && a.Mid == b.Mid &&
         a.Scale == b.Scale && a.Style == b.Style && a.State == b.State &&
         std::memcmp(a.thumb, b.thumb, sizeof a.thumb) == 0;
}

// Client x that the painter centres a thumb of this value on.
int PixelOf(const TwoScrollRecord& r, int value) { return r.Scale * value + kTsMargin; }

}  // namespace

TEST(TwoScrollCreate, DefaultsAndCreationStyles) {
  TwoScrollRecord r = Fresh();
  EXPECT_EQ(TwoScrollGetRange(r), 0x7FFF0000u);
  EXPECT_EQ(r.Mid, 0x3FFF);
  EXPECT_EQ(r.Scale, 1);
  EXPECT_EQ(r.thumb[0].pos, 0);
  EXPECT_EQ(r.thumb[1].high, 0x7FFF);
  EXPECT_EQ(r.Style, 0);

  EXPECT_EQ(Fresh(1).Style, kTsOrdered);
  EXPECT_EQ(Fresh(2).Style, kTsTopLine);
  EXPECT_EQ(Fresh(0x50000007).Style, kTsOrdered | kTsTopLine);  // bit 2 is not a creation style
  TwoScrollRecord d = TwoScrollDefaults();
  TwoScrollCreate(d, 0, true);
  EXPECT_TRUE(d.State & kTsDisabled);
}

TEST(TwoScrollRange, RefusedUnlessMaxAboveMin) {
  TwoScrollRecord r = Fresh();
  TwoScrollSetRange(r, Range(10, 200), 206);
  TwoScrollSetPos(r, 0, 50);
  const TwoScrollRecord before = r;
  for (uint32_t bad : {Range(10, 10), Range(200, 10), Range(0, 0), Range(0xFFFF, 0xFFFE)}) {
    TsEffect e = TwoScrollSetRange(r, bad, 206);
    EXPECT_EQ(e.result, -1);
    EXPECT_FALSE(e.notify);
    EXPECT_TRUE(Same(r, before));
  }
}

TEST(TwoScrollRange, ReturnsPreviousAndNotifiesCurrentThumb) {
  TwoScrollRecord r = Fresh();
  TsEffect e = TwoScrollSetRange(r, Range(0, 255), 271);
  EXPECT_EQ(uint32_t(e.result), 0x7FFF0000u);
  EXPECT_TRUE(e.notify);
  EXPECT_EQ(e.notifyCode, kTsCodeSet);
  EXPECT_EQ(e.notifyPos, r.thumb[0].pos);

  TwoScrollSetPos(r, 1, 77);
  TwoScrollSetSelect(r, 1);
  e = TwoScrollSetRange(r, Range(1, 0xFFFF), 271);
  EXPECT_EQ(uint32_t(e.result), 0x00FF0000u);
  EXPECT_EQ(e.notifyPos, 77);  // thumb 1 is the current one
  // The widest range keeps all 16 bits of both ends.
  EXPECT_EQ(TwoScrollGetRange(r), 0xFFFF0001u);
}

TEST(TwoScrollRange, ScaleFromClientWidth) {
  TwoScrollRecord r = Fresh();
  TwoScrollSetRange(r, Range(0, 255), 255 + 16);
  EXPECT_EQ(r.Scale, 1);
  TwoScrollSetRange(r, Range(0, 100), 2 * 100 + 16);
  EXPECT_EQ(r.Scale, 2);
  TwoScrollSetRange(r, Range(0, 100), 3 * 100 + 15);
  EXPECT_EQ(r.Scale, 2);
  TwoScrollSetRange(r, Range(0, 1000), 300);  // wider than the client
  EXPECT_EQ(r.Scale, 1);
  TwoScrollSetRange(r, Range(0, 10), 4);      // narrower than the margins
  EXPECT_EQ(r.Scale, 1);
  TwoScrollResize(r, 10 * 5 + 16);
  EXPECT_EQ(r.Scale, 5);
}

TEST(TwoScrollRange, BoundsByStyle) {
  TwoScrollRecord plain = Fresh();
  TwoScrollSetRange(plain, Range(5, 50), 61);
  EXPECT_EQ(plain.thumb[0].low, 5);
  EXPECT_EQ(plain.thumb[0].high, 50);
  EXPECT_EQ(plain.thumb[1].low, 5);
  EXPECT_EQ(plain.thumb[1].high, 50);

  TwoScrollRecord ordered = Fresh(1);
  TwoScrollSetRange(ordered, Range(5, 50), 61);
  EXPECT_EQ(ordered.thumb[0].low, 5);
  EXPECT_EQ(ordered.thumb[0].high, 49);
  EXPECT_EQ(ordered.thumb[1].low, 6);
  EXPECT_EQ(ordered.thumb[1].high, 50);

  TwoScrollRecord single = Fresh(1);
  TwoScrollSetStyle(single, kTsSingle);  // single wins over ordered
  TwoScrollSetRange(single, Range(1, 254), 270);
  EXPECT_EQ(single.thumb[0].low, 1);
  EXPECT_EQ(single.thumb[0].high, 254);
}

TEST(TwoScrollRange, ThumbsOutsideGoToTheMiddleThumbsOnABoundStay) {
  TwoScrollRecord r = Fresh();
  TwoScrollSetStyle(r, kTsSingle);
  TwoScrollSetRange(r, Range(1, 254), 270);  // thumb at 0 lies below 1
  EXPECT_EQ(r.thumb[0].pos, (1 + 254) / 2);

  TwoScrollRecord o = Fresh(1);
  TwoScrollSetRange(o, Range(0, 255), 271);  // thumb 0 at 0 is on its bound
  EXPECT_EQ(o.thumb[0].pos, 0);
  EXPECT_EQ(o.thumb[1].pos, (1 + 255) / 2);  // thumb 1 at 0 is below 1
  EXPECT_EQ(o.Mid, (0 + 128) / 2);           // hit testing is right at once

  TwoScrollSetPos(o, 1, 255);
  TwoScrollSetRange(o, Range(0, 100), 117);
  EXPECT_EQ(o.thumb[1].pos, 50);
  EXPECT_EQ(o.thumb[0].pos, 0);
}

TEST(TwoScrollPos, ClampedToBoundsWithNotification) {
  TwoScrollRecord r = Fresh();
  TwoScrollSetRange(r, Range(20, 120), 116);
  TwoScrollSetPos(r, 0, 60);
  TsEffect e = TwoScrollSetPos(r, 0, 5);
  EXPECT_EQ(e.result, 60);
  EXPECT_EQ(TwoScrollGetPos(r, 0), 20);
  EXPECT_TRUE(e.notify);
  EXPECT_EQ(e.notifyCode, kTsCodeSet);
  EXPECT_EQ(e.notifyPos, 20);
  e = TwoScrollSetPos(r, 1, 0xFFFF);
  EXPECT_EQ(TwoScrollGetPos(r, 1), 120);
  EXPECT_EQ(e.notifyPos, 120);
  EXPECT_EQ(r.Mid, (20 + 120) / 2);
}

TEST(TwoScrollPos, OrderedMovesTieTheOtherThumbsBound) {
  TwoScrollRecord r = Fresh(1);
  TwoScrollSetRange(r, Range(0, 255), 271);
  TwoScrollSetPos(r, 0, 40);
  EXPECT_EQ(r.thumb[1].low, 41);
  TwoScrollSetPos(r, 1, 90);
  EXPECT_EQ(r.thumb[0].high, 89);
  TwoScrollSetPos(r, 0, 200);  // held below the right thumb
  EXPECT_EQ(TwoScrollGetPos(r, 0), 89);
  TwoScrollSetPos(r, 1, 3);
  EXPECT_EQ(TwoScrollGetPos(r, 1), 90);
  EXPECT_EQ(r.Mid, (89 + 90) / 2);
}

TEST(TwoScrollSelectAndStyle, SetReturnsPreviousAndStyleOnlyGrows) {
  TwoScrollRecord r = Fresh();
  EXPECT_EQ(TwoScrollSetSelect(r, 1).result, 0);
  EXPECT_EQ(TwoScrollSetSelect(r, 0).result, 1);
  EXPECT_EQ(TwoScrollSetSelect(r, 2).result, -1);  // no third thumb
  EXPECT_EQ(r.Select, 0);

  EXPECT_EQ(TwoScrollSetStyle(r, kTsSingle).result, 0);
  EXPECT_EQ(TwoScrollSetStyle(r, kTsOrdered).result, kTsSingle);
  EXPECT_EQ(TwoScrollSetStyle(r, 0).result, kTsSingle | kTsOrdered);
  EXPECT_EQ(r.Style, kTsSingle | kTsOrdered);
}

TEST(TwoScrollMouse, PicksTheNearerThumb) {
  TwoScrollRecord r = Fresh();
  TwoScrollSetRange(r, Range(0, 255), 271);
  TwoScrollSetPos(r, 0, 50);
  TwoScrollSetPos(r, 1, 150);
  TwoScrollRecord a = r;
  TwoScrollMouseDown(a, PixelOf(a, 95));
  EXPECT_EQ(a.Select, 0);
  EXPECT_EQ(a.thumb[0].pos, 95);
  TwoScrollRecord b = r;
  TwoScrollMouseDown(b, PixelOf(b, 105));
  EXPECT_EQ(b.Select, 1);
  EXPECT_EQ(b.thumb[1].pos, 105);
  // Just past the midpoint, but well left of the right thumb's drawing.
  TwoScrollRecord c = r;
  TwoScrollMouseDown(c, PixelOf(c, 100) + 3);
  EXPECT_EQ(c.Select, 1);
  TwoScrollRecord d = r;
  TwoScrollMouseDown(d, PixelOf(d, 100) - 3);
  EXPECT_EQ(d.Select, 0);

  // Crossed thumbs: thumb 1 is the left one.
  TwoScrollRecord x = Fresh();
  TwoScrollSetRange(x, Range(0, 255), 271);
  TwoScrollSetPos(x, 0, 200);
  TwoScrollSetPos(x, 1, 20);
  TwoScrollMouseDown(x, PixelOf(x, 30));
  EXPECT_EQ(x.Select, 1);
  EXPECT_EQ(x.thumb[1].pos, 30);

  TwoScrollRecord s = Fresh();
  TwoScrollSetStyle(s, kTsSingle);
  TwoScrollSetRange(s, Range(0, 255), 271);
  TwoScrollSetSelect(s, 1);
  TwoScrollMouseDown(s, PixelOf(s, 250));
  EXPECT_EQ(s.Select, 0);
  EXPECT_EQ(s.thumb[0].pos, 250);
}

TEST(TwoScrollMouse, CodeTellsTheSideOfTheClickAndLastsTheDrag) {
  TwoScrollRecord r = Fresh();
  TwoScrollSetStyle(r, kTsSingle);
  TwoScrollSetRange(r, Range(0, 255), 271);
  TwoScrollSetPos(r, 0, 100);
  TsEffect e = TwoScrollMouseDown(r, PixelOf(r, 130));
  EXPECT_TRUE(e.notify);
  EXPECT_EQ(e.notifyCode, kTsCodeRight);
  EXPECT_EQ(e.notifyPos, 130);
  EXPECT_EQ(r.State & (kTsTracking | kTsCaptured), kTsTracking | kTsCaptured);
  e = TwoScrollMouseMove(r, PixelOf(r, 10));
  EXPECT_EQ(e.notifyCode, kTsCodeRight);
  EXPECT_EQ(e.notifyPos, 10);
  e = TwoScrollMouseUp(r);
  EXPECT_TRUE(e.release);
  EXPECT_FALSE(e.notify);
  EXPECT_EQ(r.State & (kTsTracking | kTsCaptured), 0);

  e = TwoScrollMouseDown(r, PixelOf(r, 5));
  EXPECT_EQ(e.notifyCode, kTsCodeLeft);
  e = TwoScrollMouseDown(r, PixelOf(r, 5));  // on the thumb itself
  EXPECT_EQ(e.notifyCode, kTsCodeLeft);
}

TEST(TwoScrollMouse, MovesOnlyWhileTrackingAndStayInRange) {
  TwoScrollRecord r = Fresh();
  TwoScrollSetStyle(r, kTsSingle);
  TwoScrollSetRange(r, Range(10, 60), 66);
  TwoScrollSetPos(r, 0, 30);
  TsEffect e = TwoScrollMouseMove(r, PixelOf(r, 50));
  EXPECT_FALSE(e.notify);
  EXPECT_EQ(r.thumb[0].pos, 30);
  EXPECT_FALSE(TwoScrollMouseUp(r).release);

  TwoScrollMouseDown(r, PixelOf(r, 40));
  TwoScrollMouseMove(r, -500);
  EXPECT_EQ(r.thumb[0].pos, 10);
  TwoScrollMouseMove(r, 30000);
  EXPECT_EQ(r.thumb[0].pos, 60);
}

TEST(TwoScrollMouse, PointerAndDrawingAgreeAtEveryScale) {
  for (int scale = 1; scale <= 4; ++scale) {
    TwoScrollRecord r = Fresh();
    TwoScrollSetStyle(r, kTsSingle);
    TwoScrollSetRange(r, Range(0, 60), 60 * scale + 16);
    ASSERT_EQ(r.Scale, scale);
    for (int v = 0; v <= 60; ++v) {
      TwoScrollSetPos(r, 0, uint16_t(v));
      int64_t centre = TwoScrollThumbCentre(r, 0);
      EXPECT_EQ(TwoScrollValueAt(r, int(centre)), v) << "scale " << scale;
      // A click on the drawn thumb leaves it where it is.
      TwoScrollMouseDown(r, int(centre));
      EXPECT_EQ(r.thumb[0].pos, v);
      TwoScrollMouseUp(r);
    }
  }
}

// Drags from every kind of start, including thumbs left crossed or with
// loose bounds by programmatic calls, never cross the ordered thumbs.
TEST(TwoScrollMouse, OrderedThumbsNeverCrossByMouse) {
  uint32_t seed = 12345;
  auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 16) % uint32_t(n));
  };
  for (int round = 0; round < 300; ++round) {
    TwoScrollRecord r = Fresh(1);
    TwoScrollSetRange(r, Range(0, 255), 271);
    // A range change between the two sets loosens the bounds and may leave
    // the thumbs crossed.
    TwoScrollSetPos(r, 1, uint16_t(next(256)));
    if (next(2)) TwoScrollSetRange(r, Range(0, 255), 271);
    TwoScrollSetPos(r, 0, uint16_t(next(256)));
    if (next(2)) TwoScrollSetRange(r, Range(0, 255), 271);
    for (int step = 0; step < 20; ++step) {
      int x = next(320) - 30;
      if (next(3) == 0) {
        TwoScrollMouseUp(r);
        TwoScrollMouseDown(r, x);
      } else {
        TwoScrollMouseMove(r, x);
      }
      if (r.State & kTsTracking) {
        int moved = r.Select;
        // The thumb under the mouse ends on its own side of the other one.
        if (moved == 0)
          EXPECT_LT(r.thumb[0].pos, r.thumb[1].pos);
        else
          EXPECT_GT(r.thumb[1].pos, r.thumb[0].pos);
        EXPECT_GE(r.thumb[moved].pos, r.Min);
        EXPECT_LE(r.thumb[moved].pos, r.Max);
      }
    }
  }
}
