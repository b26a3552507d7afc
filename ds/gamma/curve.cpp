// Curves of the gamma editor: gamma values, lines and the fixed-point
// spline through the control points, and the edits of a click.
#include "ds/gamma/curve.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ds/settings/settings.h"

namespace wq {

GammaEditor g_GammaEditor;

namespace {

// Fixed point, 1.0 = 16384; a product of two is (a / 128) x (b / 128).
constexpr int64_t kOne = 16384;
int64_t Mul(int64_t a, int64_t b) { return (a / 128) * (b / 128); }
int64_t Round(int64_t v) { return (v + 8192) / 16384; }

enum Segment { kFirst, kMiddle, kLast };

// The four weights of a segment at t (fixed point); each set sums to 1.
void Weights(Segment s, int64_t t, int64_t w[4]) {
  const int64_t u = t - kOne;  // t - 1
  switch (s) {
    case kFirst: {
      const int64_t u2 = Mul(u, u);
      w[0] = -Mul(u, u2 - 4 * u + 5 * kOne) / 10;
      w[1] = Mul(t, 3 * u2 - 10 * u + 10 * kOne) / 10;
      w[2] = Mul(Mul(t, u), 5 * kOne - 3 * u) / 10;
      w[3] = Mul(t, u2) / 10;
      break;
    }
    case kMiddle: {
      const int64_t t2 = Mul(t, t);
      w[0] = -Mul(t, Mul(u, u)) / 2;
      w[1] = Mul(u, 3 * t2 - 2 * t - 2 * kOne) / 2;
      w[2] = Mul(t, -3 * t2 + 4 * t + kOne) / 2;
      w[3] = Mul(t2, u) / 2;
      break;
    }
    case kLast: {
      const int64_t v = t + kOne;  // t + 1
      const int64_t v2 = Mul(v, v);
      w[0] = -Mul(Mul(t, t), u) / 10;
      w[1] = Mul(Mul(t, u), 3 * t + 5 * kOne) / 10;
      w[2] = -Mul(u, 3 * v2 + 4 * v + 3 * kOne) / 10;
      w[3] = Mul(t, v2 + 2 * v + 2 * kOne) / 10;
      break;
    }
  }
}

struct Knot {
  int X, Y;
};

// Samples one segment over knots p[0..3] at t = k / 8; each sample whose
// (clamped) x is a level without a value gives it its y.
void SampleSegment(const CurveGrid& g, Segment s, const Knot* p, int16_t* y, bool* has) {
  for (int k = 0; k <= 8; ++k) {
    int64_t w[4];
    Weights(s, k * kOne / 8, w);
    int64_t sx = 0, sy = 0;
    for (int j = 0; j < 4; ++j) {
      sx += Mul(w[j], int64_t(p[j].X) * kOne);
      sy += Mul(w[j], int64_t(p[j].Y) * kOne);
    }
    const int x = std::clamp(int(Round(sx)), g.Left, g.Right - 1);
    const int i = x - g.Left;
    if (!has[i]) {
      has[i] = true;
      y[i] = int16_t(std::clamp<int64_t>(Round(sy), -32768, 32767));
    }
  }
}

void StraightLine(const Knot& a, const Knot& b, const CurveGrid& g, int16_t* y) {
  const int ia = a.X - g.Left, ib = b.X - g.Left;
  const int s = ib > ia ? ((a.Y - b.Y) * 100) / (ib - ia) : 0;
  for (int i = 0; i < 256; ++i) {
    if (i <= ia) y[i] = int16_t(a.Y);
    else if (i >= ib) y[i] = int16_t(b.Y);
    else y[i] = int16_t((a.Y * 100 - (i - ia) * s) / 100);
  }
}

bool OnOneLine(const Knot& a, const Knot& b, const Knot& c) {
  if (b.X == a.X || c.X == a.X) return false;
  return (b.Y - a.Y) * 1000 / (b.X - a.X) == (c.Y - a.Y) * 1000 / (c.X - a.X);
}

}  // namespace

int ValueOfY(const CurveGrid& g, int y) {
  if (y >= g.Bottom) return 0;
  if (y < g.Top) return 255;
  return std::clamp(g.Bottom - 1 - y, 0, 255);
}

int YOfValue(const CurveGrid& g, int value) { return g.Bottom - 1 - std::clamp(value, 0, 255); }

void MakeGammaCurve(const CurveGrid& g, int gammaValue, CurveState* c) {
  const double exponent = 100.0 / std::clamp(gammaValue, 10, 999);
  for (int i = 0; i < 256; ++i) {
    const int v = i == 0 ? 0 : int(std::ceil(255.0 * std::pow(i / 255.0, exponent)));
    c->Y[i] = int16_t(YOfValue(g, std::min(v, 255)));
    c->X[i] = int16_t(g.Left + i);
    c->Point[i] = i == 0 || i == 255;
  }
  c->PointCount = 2;
}

void RegenerateCurve(const CurveGrid& g, CurveState* c) {
  std::vector<Knot> knots;
  for (int i = 0; i < 256; ++i) {
    c->X[i] = int16_t(g.Left + i);
    if (c->Point[i]) knots.push_back({g.Left + i, c->Y[i]});
  }
  c->PointCount = int(knots.size());
  if (knots.empty()) return;
  if (knots.size() == 1) {
    std::fill(c->Y, c->Y + 256, int16_t(knots[0].Y));
    return;
  }
  if (knots.size() == 2) {
    StraightLine(knots[0], knots[1], g, c->Y);
    return;
  }
  if (knots.size() == 3) {
    // Three in a row: the line through them (with the end points at the
    // corners, the diagonal).
    if (OnOneLine(knots[0], knots[1], knots[2])) {
      StraightLine(knots[0], knots[2], g, c->Y);
      return;
    }
    // A fourth beyond the right edge, the middle one mirrored about it.
    knots.push_back({2 * g.Right - knots[1].X, knots[1].Y});
  }

  int16_t y[256];
  bool has[256] = {};
  for (const Knot& k : knots)
    if (k.X >= g.Left && k.X < g.Right) {
      has[k.X - g.Left] = true;
      y[k.X - g.Left] = int16_t(k.Y);
    }
  int counted = int(c->PointCount);
  while (counted < 256) {
    const size_t n = knots.size();
    if (n < 4) break;
    SampleSegment(g, kFirst, &knots[0], y, has);
    for (size_t j = 0; j + 3 < n; ++j) SampleSegment(g, kMiddle, &knots[j], y, has);
    SampleSegment(g, kLast, &knots[n - 4], y, has);
    counted += 8 * int(n - 3);
    // Every level that holds a value is a knot of the next pass.
    std::vector<Knot> next;
    for (int i = 0; i < 256; ++i)
      if (has[i]) next.push_back({g.Left + i, y[i]});
    knots.swap(next);
  }

  // Outside the points: flat. Gaps: the nearest value to the right.
  int first = 0, last = 255;
  while (first < 255 && !c->Point[first]) ++first;
  while (last > 0 && !c->Point[last]) --last;
  for (int i = 0; i < first; ++i) {
    y[i] = c->Y[first];
    has[i] = true;
  }
  for (int i = last + 1; i < 256; ++i) {
    y[i] = c->Y[last];
    has[i] = true;
  }
  for (int i = 254; i >= 0; --i)
    if (!has[i]) {
      y[i] = y[i + 1];
      has[i] = true;
    }
  memcpy(c->Y, y, sizeof y);
}

void LoadEditor(const ScanSettings& s, const CurveGrid& g, GammaEditor* e) {
  e->Grid = g;
  for (int ch = 0; ch < kCurveChannels; ++ch) {
    CurveState& c = e->Curves[ch];
    if (s.GammaInput[ch] == 1) {
      MakeGammaCurve(g, s.GammaVal[ch], &c);
      continue;
    }
    int points = 0;
    for (int i = 0; i < 256; ++i) {
      c.X[i] = int16_t(g.Left + i);
      c.Y[i] = int16_t(YOfValue(g, s.Curves[ch].Data[i]));
      c.Point[i] = s.Curves[ch].Points[i] ? 1 : 0;
      points += c.Point[i];
    }
    c.PointCount = points;
  }
}

void StoreEditor(const GammaEditor& e, ScanSettings& s) {
  for (int ch = 0; ch < kCurveChannels; ++ch) {
    const CurveState& c = e.Curves[ch];
    for (int i = 0; i < 256; ++i) {
      s.Curves[ch].Data[i] = uint8_t(ValueOfY(e.Grid, c.Y[i]));
      s.Curves[ch].Points[i] = c.Point[i];
    }
  }
}

void AddPoint(GammaEditor* e, ScanSettings& s, int channel, int x, int y) {
  if (channel < 1 || channel > kCurveChannels) return;
  CurveState& c = e->Curves[channel - 1];
  const int i = std::clamp(x - e->Grid.Left, 0, 255);
  for (int j = std::max(i - 12, 0); j <= std::min(i + 12, 255); ++j) c.Point[j] = 0;
  c.Point[i] = 1;
  c.Y[i] = int16_t(y);
  RegenerateCurve(e->Grid, &c);
  if (channel == 4)
    for (int ch = 0; ch < 3; ++ch) e->Curves[ch] = c;
  StoreEditor(*e, s);
}

void ResetCurve(GammaEditor* e, ScanSettings& s, int channel) {
  if (channel < 1 || channel > kCurveChannels) return;
  s.GammaInput[channel - 1] = 0;
  if (channel == 4)
    for (int ch = 0; ch < 3; ++ch) s.GammaInput[ch] = 0;
  StoreEditor(*e, s);
}

}  // namespace wq
