// The crop frame's arithmetic: the hit test's eight handles and their
// boundaries, new drags and the 3-pixel rule, resizing by every handle
// (across the opposite edge too), moving with the edge rules, the
// magnified view's mapping, zoom and scrolling, and the selection's round
// trip to the scan area.
#include "ds/ui/selection.h"

#include <gtest/gtest.h>

#include "ds/scan/geometry.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

constexpr PixelRect kFrame{8, 8, 181, 250};   // a WQ220's bed at 4 per 5, at margin 8
constexpr PixelRect kSel{40, 60, 100, 140};

TEST(SelectionHitTest, EachHandleAtItsCornerOrEdgeAndTheirBoundaries) {
  struct Case {
    PixelPoint p;
    int hit;
  };
  const Case cases[] = {
      {{40, 60}, 1},   {{38, 58}, 1},  {{41, 61}, 1},  {{37, 60}, kHitNew},
      {{70, 60}, 2},   {{42, 58}, 2},  {{97, 61}, 2},
      {{100, 60}, 3},  {{98, 58}, 3},  {{101, 61}, 3},
      {{40, 100}, 4},  {{38, 62}, 4},  {{41, 137}, 4},
      {{100, 100}, 5}, {{98, 62}, 5},
      {{40, 140}, 6},  {{70, 140}, 7}, {{100, 140}, 8}, {{101, 141}, 8},
      {{70, 100}, kHitMove}, {{43, 63}, kHitMove},
      {{102, 100}, kHitNew}, {{150, 200}, kHitNew},
      {{7, 100}, kHitOutside}, {{181, 100}, kHitOutside}, {{100, 250}, kHitOutside},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HitTest(kSel, kFrame, c.p), c.hit) << c.p.X << "," << c.p.Y;
}

TEST(SelectionHitTest, EmptyAndWholeFrameSelections) {
  // No selection: the frame takes a new one everywhere.
  EXPECT_EQ(HitTest(PixelRect{0, 0, 0, 0}, kFrame, {50, 50}), kHitNew);
  // The whole frame has handles on its edges but no move inside.
  EXPECT_EQ(HitTest(kFrame, kFrame, {100, 100}), kHitNew);
  EXPECT_EQ(HitTest(kFrame, kFrame, {9, 9}), 1);
  EXPECT_EQ(HitTest(kFrame, kFrame, {180, 249}), 8);
}

TEST(SelectionHitTest, CursorsOfTheHits) {
  EXPECT_EQ(CursorOfHit(1), kCursorNwSe);
  EXPECT_EQ(CursorOfHit(8), kCursorNwSe);
  EXPECT_EQ(CursorOfHit(2), kCursorNs);
  EXPECT_EQ(CursorOfHit(7), kCursorNs);
  EXPECT_EQ(CursorOfHit(3), kCursorNeSw);
  EXPECT_EQ(CursorOfHit(6), kCursorNeSw);
  EXPECT_EQ(CursorOfHit(4), kCursorWe);
  EXPECT_EQ(CursorOfHit(5), kCursorWe);
  EXPECT_EQ(CursorOfHit(kHitMove), kCursorMove);
  EXPECT_EQ(CursorOfHit(kHitNew), kCursorCross);
  EXPECT_EQ(CursorOfHit(kHitOutside), kCursorArrow);
}

TEST(SelectionDrag, ThreePixelRuleThenSpannedPixelsCutToTheFrame) {
  const PixelPoint start{50, 50};
  EXPECT_TRUE(IsEmpty(DragRectangle(start, {52, 52}, kFrame)));
  EXPECT_TRUE(IsEmpty(DragRectangle(start, {48, 48}, kFrame)));
  // 3 pixels in one direction is enough; both pixels are included.
  EXPECT_EQ(DragRectangle(start, {53, 50}, kFrame), (PixelRect{50, 50, 54, 51}));
  EXPECT_EQ(DragRectangle(start, {20, 30}, kFrame), (PixelRect{20, 30, 51, 51}));
  EXPECT_EQ(DragRectangle(start, {400, -5}, kFrame), (PixelRect{50, 8, 181, 51}));
}

TEST(SelectionResize, EveryHandleMovesItsEdgesOnly) {
  const PixelPoint p{30, 50};
  const PixelPoint q{120, 160};
  EXPECT_EQ(ResizeByHandle(kSel, 1, p, kFrame), (PixelRect{30, 50, 100, 140}));
  EXPECT_EQ(ResizeByHandle(kSel, 2, p, kFrame), (PixelRect{40, 50, 100, 140}));
  EXPECT_EQ(ResizeByHandle(kSel, 3, {120, 50}, kFrame), (PixelRect{40, 50, 121, 140}));
  EXPECT_EQ(ResizeByHandle(kSel, 4, p, kFrame), (PixelRect{30, 60, 100, 140}));
  EXPECT_EQ(ResizeByHandle(kSel, 5, q, kFrame), (PixelRect{40, 60, 121, 140}));
  EXPECT_EQ(ResizeByHandle(kSel, 6, {30, 160}, kFrame), (PixelRect{30, 60, 100, 161}));
  EXPECT_EQ(ResizeByHandle(kSel, 7, q, kFrame), (PixelRect{40, 60, 100, 161}));
  EXPECT_EQ(ResizeByHandle(kSel, 8, q, kFrame), (PixelRect{40, 60, 121, 161}));
  // Repeated moves to the same place give the same rectangle: the extra
  // pixel never accumulates on the edges that stay.
  PixelRect r = kSel;
  for (int i = 0; i < 5; ++i) r = ResizeByHandle(kSel, 4, p, kFrame);
  EXPECT_EQ(r, (PixelRect{30, 60, 100, 140}));
}

TEST(SelectionResize, AcrossTheOppositeEdgeAndOutOfTheFrame) {
  // The left handle dragged right of the right edge: the rectangle turns over.
  EXPECT_EQ(ResizeByHandle(kSel, 4, {150, 100}, kFrame), (PixelRect{99, 60, 151, 140}));
  // The top-left handle above and left of the frame: cut to it.
  EXPECT_EQ(ResizeByHandle(kSel, 1, {0, 0}, kFrame), (PixelRect{8, 8, 100, 140}));
}

TEST(SelectionMove, SmallStepsIgnoredAndEdgesHold) {
  PixelRect s = kSel;
  PixelPoint ref{70, 100};
  EXPECT_FALSE(MoveStep(&s, &ref, {71, 101}, kFrame));
  EXPECT_EQ(s, kSel);
  EXPECT_EQ(ref.X, 70);
  // 2 across, or 2 down, is a step.
  EXPECT_TRUE(MoveStep(&s, &ref, {72, 100}, kFrame));
  EXPECT_EQ(s, (PixelRect{42, 60, 102, 140}));
  EXPECT_TRUE(MoveStep(&s, &ref, {72, 102}, kFrame));
  EXPECT_EQ(s, (PixelRect{42, 62, 102, 142}));
  // Against each edge, the size kept.
  for (PixelPoint far : {PixelPoint{-500, 102}, PixelPoint{900, 102}, PixelPoint{72, -500},
                         PixelPoint{72, 900}}) {
    PixelRect m = s;
    PixelPoint r = ref;
    ASSERT_TRUE(MoveStep(&m, &r, far, kFrame));
    EXPECT_EQ(m.Right - m.Left, 60);
    EXPECT_EQ(m.Bottom - m.Top, 80);
    EXPECT_GE(m.Left, kFrame.Left);
    EXPECT_LE(m.Right, kFrame.Right);
    EXPECT_GE(m.Top, kFrame.Top);
    EXPECT_LE(m.Bottom, kFrame.Bottom);
    EXPECT_TRUE(m.Left == kFrame.Left || m.Right == kFrame.Right || m.Top == kFrame.Top ||
                m.Bottom == kFrame.Bottom);
  }
}

TEST(FrameViewTest, MappingAtEachMagnification) {
  for (int level = 0; level <= kMaxViewLevel; ++level) {
    FrameView v{kFrame, level, 0, 0};
    const int m = 1 << level;
    EXPECT_EQ(Magnification(v), m);
    v.OffsetX = 10;
    v.OffsetY = 4;
    ClampView(&v);
    if (level == 0) {
      // Nothing to scroll unmagnified.
      EXPECT_EQ(v.OffsetX, 0);
      EXPECT_EQ(v.OffsetY, 0);
    }
    const PixelPoint f = ViewToFrame(v, {kFrame.Left + 3 * m + m - 1, kFrame.Top + 5 * m});
    EXPECT_EQ(f.X, kFrame.Left + v.OffsetX + 3);
    EXPECT_EQ(f.Y, kFrame.Top + v.OffsetY + 5);
    const PixelPoint back = FrameToView(v, f);
    EXPECT_EQ(back.X, kFrame.Left + 3 * m);
    EXPECT_EQ(back.Y, kFrame.Top + 5 * m);
  }
}

TEST(FrameViewTest, ZoomKeepsThePixelUnderThePointer) {
  FrameView v{kFrame, 0, 0, 0};
  const PixelPoint p{100, 120};
  const PixelPoint under = ViewToFrame(v, p);
  ASSERT_TRUE(ZoomView(&v, 1, p));
  EXPECT_EQ(v.Level, 1);
  EXPECT_EQ(ViewToFrame(v, p).X, under.X);
  EXPECT_EQ(ViewToFrame(v, p).Y, under.Y);
  ASSERT_TRUE(ZoomView(&v, 2, p));
  EXPECT_EQ(v.Level, 3);
  EXPECT_FALSE(ZoomView(&v, 1, p));  // 8 times is the most
  ASSERT_TRUE(ZoomView(&v, -3, p));
  EXPECT_EQ(v.OffsetX, 0);
  EXPECT_EQ(v.OffsetY, 0);
}

TEST(FrameViewTest, ScrollsOneStepTowardThePointerWithinTheFrame) {
  FrameView v{kFrame, 2, 0, 0};  // 4 times: 43 x 60 frame pixels visible
  EXPECT_EQ(VisibleWidth(v), 43);
  EXPECT_FALSE(ScrollToward(&v, {100, 100}));    // inside: nothing
  EXPECT_FALSE(ScrollToward(&v, {0, 0}));        // at the top-left already
  ASSERT_TRUE(ScrollToward(&v, {500, 100}));
  EXPECT_EQ(v.OffsetX, 1);
  EXPECT_EQ(v.OffsetY, 0);
  ASSERT_TRUE(ScrollToward(&v, {500, 900}));
  EXPECT_EQ(v.OffsetX, 2);
  EXPECT_EQ(v.OffsetY, 1);
  for (int i = 0; i < 1000; ++i) ScrollToward(&v, {500, 900});
  EXPECT_EQ(v.OffsetX, (kFrame.Right - kFrame.Left) - VisibleWidth(v));
  EXPECT_EQ(v.OffsetY, (kFrame.Bottom - kFrame.Top) - VisibleHeight(v));
  EXPECT_FALSE(ScrollToward(&v, {500, 900}));
  FrameView flat{kFrame, 0, 0, 0};
  EXPECT_FALSE(ScrollToward(&flat, {500, 900}));
}

TEST(SelectionArea, AreaToSelectionRoundsUpAndWholeBedIsEmpty) {
  ScanSettings s{};
  s.Model = 2;
  s.PreScanRect = SettingsRect{8, 8, 181, 288};
  const AreaRect bed = BedRect(2, false, false, 0);
  s.AreaLeft = bed.Left;
  s.AreaTop = bed.Top;
  s.AreaWidth = bed.Right - bed.Left;
  s.AreaHeight = bed.Bottom - bed.Top;
  AreaToSelection(s);
  EXPECT_EQ(s.PreCropRect.Right, 0);
  // 4 x 5 inches at one inch from the origin: 20 pixels per inch.
  s.AreaLeft = bed.Left + 25;
  s.AreaTop = bed.Top + 26;  // 20.8 pixels: up to 21
  s.AreaWidth = 100;
  s.AreaHeight = 125;
  AreaToSelection(s);
  EXPECT_EQ(s.PreCropRect.Left, 8 + 20);
  EXPECT_EQ(s.PreCropRect.Top, 8 + 21);
  EXPECT_EQ(s.PreCropRect.Right, 8 + 100);
  EXPECT_EQ(s.PreCropRect.Bottom, 8 + 121);
  // And back through the frame scale.
  SelectionToArea(s);
  EXPECT_EQ(s.AreaLeft, bed.Left + 25);
  EXPECT_EQ(s.AreaTop, bed.Top + 26);
  EXPECT_EQ(s.AreaWidth, 100);
  EXPECT_EQ(s.AreaHeight, 125);
}

}  // namespace
}  // namespace wq
