// The edge filter's sharpening and smoothing of grey and colour lines, flat
// areas and the other settings, and planar colour lines turned into triples.
#include <gtest/gtest.h>

#include <cstring>

#include "ds/pipeline/lines.h"
#include "ds/pipeline/tests/reference.h"
#include "ds/scan/edge.h"

namespace wq {
namespace {

using ref::Bytes;

// The vector forms (where the processor has them) and the plain ones.
class EdgeForms : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { g_LineOptions.Vector = GetParam(); }
  void TearDown() override { g_LineOptions.Vector = true; }
};
INSTANTIATE_TEST_SUITE_P(Forms, EdgeForms, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "Vector" : "Plain"); });

TEST_P(EdgeForms, SharpenAndSmoothGreyAndColour) {
  for (int channels : {1, 3}) {
    for (int edges : {2, 3, 4}) {
      // Lengths around the 16-byte steps, and a line of many of them.
      for (size_t pixels : {1u, 2u, 3u, 4u, 17u, 18u, 19u, 50u, 701u}) {
        const size_t n = pixels * channels;
        Bytes line[5];
        for (int k = 0; k < 5; ++k) line[k] = ref::Random(n, uint32_t(k + 10 * edges + pixels));
        // Lines 3, 4, 5 of an image sit in ring slots 0, 1, 2; u = 3.
        Bytes ring(3 * n);
        for (int k = 0; k < 3; ++k) memcpy(&ring[((3 + k) % 3) * n], line[k].data(), n);
        Bytes out(n, 0xEE);
        EdgeFilterLine(ring.data(), out.data(), n, 3, edges, channels == 3);
        ASSERT_EQ(out, ref::EdgeFilter(line[0], line[1], line[2], edges, channels))
            << channels << " " << edges << " " << pixels;
        // The ring turns: u = 4 takes slots 1, 2, 0.
        memcpy(&ring[0], line[3].data(), n);
        EdgeFilterLine(ring.data(), out.data(), n, 4, edges, channels == 3);
        ASSERT_EQ(out, ref::EdgeFilter(line[1], line[2], line[3], edges, channels));
      }
    }
  }
}

TEST(EdgeFilterLine, FlatAreasStayAndOtherSettingsCopy) {
  Bytes ring(3 * 9, 100);
  Bytes out(9);
  for (int edges : {2, 3, 4}) {
    EdgeFilterLine(ring.data(), out.data(), 9, 0, edges, false);
    EXPECT_EQ(out, Bytes(9, 100)) << edges;
  }
  ring[9 + 4] = 200;  // a spike in the centre line
  EdgeFilterLine(ring.data(), out.data(), 9, 0, 2, false);
  EXPECT_EQ(out[4], 255);  // (1600 - 400) >> 2 = 300
  EXPECT_EQ(out[3], 75);   // its neighbour: (800 - (100 + 200 + 100 + 100)) >> 2
  EdgeFilterLine(ring.data(), out.data(), 9, 0, 7, false);
  EXPECT_EQ(out[4], 200);
}

TEST_P(EdgeForms, PlanarLinesBecomeTriples) {
  // Short lines, lines around the 16-pixel steps, and a long one.
  for (size_t pixels : {1u, 4u, 15u, 16u, 17u, 33u, 1000u}) {
    const size_t bytes = 3 * pixels;
    const Bytes planar = ref::Random(2 * bytes, uint32_t(pixels));
    Bytes buffer = planar, scratch(bytes);
    PlanarToInterleaved(buffer.data(), 2, bytes, scratch.data());
    for (size_t line = 0; line < 2; ++line)
      for (size_t i = 0; i < pixels; ++i)
        for (size_t c = 0; c < 3; ++c)
          ASSERT_EQ(buffer[line * bytes + 3 * i + c], planar[line * bytes + c * pixels + i])
              << pixels << " " << line << " " << i << " " << c;
  }
}

}  // namespace
}  // namespace wq
