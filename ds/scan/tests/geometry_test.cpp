// The bed and paper rectangles of every model, light source and film-unit
// type, row by row, and the frame scale, as the scanners' own tables give
// them (1/25 inch, absolute, the bed's usable origin at 3, 10).
#include "ds/scan/geometry.h"

#include <gtest/gtest.h>

#include "ds/settings/settings.h"

namespace wq {
namespace {

struct BedRow {
  int model;
  bool adf, film;
  int filmType;
  int32_t right, bottom;
};

TEST(GeometryTables, EveryBedRow) {
  const BedRow rows[] = {
      {0, false, false, 0, 216, 303}, {0, true, false, 0, 216, 360}, {0, false, true, 0, 216, 285},
      {1, false, false, 0, 216, 303}, {1, false, true, 0, 216, 285}, {1, false, true, 1, 211, 285},
      {1, false, true, 2, 107, 285},  {2, false, false, 0, 216, 360}, {2, false, true, 3, 211, 285},
      {2, false, true, 4, 107, 285},  {3, false, false, 0, 303, 435},
  };
  for (const BedRow& r : rows) {
    const AreaRect bed = BedRect(r.model, r.adf, r.film, r.filmType);
    SCOPED_TRACE(testing::Message() << "model " << r.model << " adf " << r.adf << " film " << r.film
                                    << " type " << r.filmType);
    EXPECT_EQ(bed.Left, 3);
    EXPECT_EQ(bed.Top, 10);
    EXPECT_EQ(bed.Right, r.right);
    EXPECT_EQ(bed.Bottom, r.bottom);
  }
  // The WQ215's narrow film unit: 104 units across.
  const AreaRect narrow = BedRect(1, false, true, 2);
  EXPECT_EQ(narrow.Right - narrow.Left, 104);
}

TEST(GeometryTables, EveryPaperRowOfBothLists) {
  struct Paper {
    int index;
    int32_t right, bottom;
  };
  // Models 0-2: A4, B5, Legal, Letter, Invoice, 4 x 5.
  const Paper small[] = {{1, 210, 303}, {2, 183, 263}, {3, 216, 360},
                         {4, 216, 285}, {5, 216, 148}, {6, 103, 135}};
  // Model 3: A3, A4, B4, B5, Double Letter, Legal, Letter, Invoice, 4 x 5.
  const Paper large[] = {{1, 296, 424}, {2, 210, 303}, {3, 256, 369}, {4, 183, 263}, {5, 278, 435},
                         {6, 216, 360}, {7, 216, 285}, {8, 213, 148}, {9, 103, 135}};
  for (int model = 0; model <= 2; ++model)
    for (const Paper& p : small) {
      AreaRect r{};
      ASSERT_TRUE(PaperRect(model, p.index, &r)) << model << " " << p.index;
      EXPECT_EQ(r.Left, 3);
      EXPECT_EQ(r.Top, 10);
      EXPECT_EQ(r.Right, p.right) << model << " " << p.index;
      EXPECT_EQ(r.Bottom, p.bottom) << model << " " << p.index;
    }
  for (const Paper& p : large) {
    AreaRect r{};
    ASSERT_TRUE(PaperRect(3, p.index, &r)) << p.index;
    EXPECT_EQ(r.Right, p.right) << p.index;
    EXPECT_EQ(r.Bottom, p.bottom) << p.index;
  }
  // "Optional..." is the free rectangle: no paper.
  AreaRect r{};
  EXPECT_FALSE(PaperRect(0, OptionalPaperIndex(0), &r));
  EXPECT_FALSE(PaperRect(3, OptionalPaperIndex(3), &r));
  EXPECT_EQ(OptionalPaperIndex(2), 7);
  EXPECT_EQ(OptionalPaperIndex(3), 10);
}

TEST(GeometryTables, FrameScaleAndTheSelectionsArea) {
  for (int model = 0; model <= 3; ++model) {
    int n, d;
    FrameScale(model, &n, &d);
    EXPECT_EQ(n, 5);
    EXPECT_EQ(d, model == 3 ? 3 : 4);
  }
  // A selection of 30 x 30 frame pixels from the frame's corner, on each
  // scale; its area is cut at the bed's right edge.
  ScanSettings s{};
  s.PreScanRect = SettingsRect{8, 8, 0, 0};
  s.PreCropRect = SettingsRect{8 + 12, 8 + 12, 8 + 42, 8 + 42};
  s.Model = 3;
  SelectionToArea(s);
  EXPECT_EQ(s.AreaLeft, 3 + 20);
  EXPECT_EQ(s.AreaTop, 10 + 20);
  EXPECT_EQ(s.AreaWidth, 50);
  s.Model = 1;
  s.Mirror = 1;
  s.MirrorType = 2;  // the narrow film unit: 104 units across
  s.PreCropRect = SettingsRect{8 + 60, 8, 8 + 200, 8 + 40};
  SelectionToArea(s);
  EXPECT_EQ(s.AreaLeft, 3 + 75);
  EXPECT_EQ(s.AreaLeft + s.AreaWidth, 107);
  EXPECT_EQ(s.AreaHeight, 50);
  // No selection: the whole bed, to its last unit.
  s.PreCropRect = SettingsRect{0, 0, 0, 0};
  SelectionToArea(s);
  EXPECT_EQ(s.AreaLeft, 3);
  EXPECT_EQ(s.AreaWidth, 104);
  EXPECT_EQ(s.AreaHeight, 275);
}

}  // namespace
}  // namespace wq
