// The film model's curves and exposures, in double precision with a
// ceiling before every conversion to an integer.
#include "ds/pipeline/film.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ds/base/host.h"
#include "ds/pipeline/effect.h"
#include "ds/pipeline/modes.h"
#include "ds/pipeline/tone.h"

namespace wq {

namespace {

// Base levels by film type when the scanner's resource is missing.
constexpr int kBuiltInBase[3][3] = {{100, 49, 25}, {100, 40, 25}, {100, 57, 32}};
constexpr double kGreyExponent[11] = {5.18, 3.84, 2.88, 2.12, 1.53, 1.00,
                                      0.75, 0.56, 0.41, 0.29, 0.18};
constexpr ColourFilmModel kBuiltInModel{{100,                    // gain 1.00
                                         50, 50, 50,             // slopes 0.05
                                         13500, 13500, 13500,    // bases 135
                                         114, 114, 114,          // growth 1.14
                                         50, 100, 100,           // offsets
                                         518, 442, 384, 334, 288, 249, 212, 181, 153, 124, 100}};

int Ceil(double v) { return int(std::ceil(v)); }
int Word(const uint8_t* p) { return int16_t(uint16_t(p[0] | p[1] << 8)); }
uint8_t Byte(double v) { return uint8_t(v > 255.0 ? 255 : std::max(Ceil(v), 0)); }

}  // namespace

int ColourFilmModelId(int filmType) { return filmType == 2 ? 22007 : 22006; }

ColourFilmModel LoadColourFilmModel(int filmType) {
  const uint8_t* data = nullptr;
  const size_t size = g_Host.LoadData(ColourFilmModelId(filmType), &data);
  if (!data || size < 48) return kBuiltInModel;
  ColourFilmModel m;
  for (int i = 0; i < 24; ++i) m.Words[i] = int16_t(Word(data + 2 * i));
  return m;
}

int FilmPresetId(int model, int mirrorType) {
  switch (model) {
    case 0: return 22005;
    case 1: return mirrorType == 0 ? 22002 : 22003;
    case 2: return 22004;
    default: return 0;
  }
}

void LoadFilmPreset(int model, int mirrorType, int filmType, int base[3]) {
  const int type = std::clamp(filmType, 1, 3) - 1;
  const int id = FilmPresetId(model, mirrorType);
  const uint8_t* data = nullptr;
  const size_t size = id ? g_Host.LoadData(id, &data) : 0;
  for (int c = 0; c < 3; ++c)
    base[c] = data && size >= 42 ? Word(data + 2 * (type * 7 + c)) : kBuiltInBase[type][c];
}

void BuildColourFilmTables(const FilmValues& v, const int base[3], const ColourFilmModel& m,
                           uint8_t tables[3][256], int16_t exposure[3]) {
  const int16_t* w = m.Words;
  const double k = w[0] / 100.0;
  const int mid = std::clamp(v.MidTone, 0, 10);
  const double p = w[13 + mid] / 100.0;
  const double s = (v.Shadow + 5) / 10.0;
  double level[3];
  for (int c = 0; c < 3; ++c) level[c] = base[c] * (k * (v.Colour[c] - 100) + 100) / 100.0;
  for (int c = 0; c < 3; ++c) {
    // Exposure: the base (whole part of its hundredths) grown per tone step.
    const int d = 10 - v.Tone;
    const double n = double(w[4 + c] / 100), b = w[7 + c] / 100.0;
    const double e = d == 0 ? n : n * std::pow(b, d);
    exposure[c] = int16_t(std::clamp(Ceil(e) - 100, -32768, 32767));
    // The cut-off relative to red; a red level of nothing leaves the ratio 1.
    const double ratio = level[0] > 0 ? level[c] / level[0] : 1.0;
    const double t = ratio * s * 255.0;
    const double h = v.Highlight * (w[1 + c] / 1000.0) + w[10 + c] / 100.0;
    uint8_t* table = tables[c];
    table[0] = uint8_t(std::min(Ceil(255.0 * h), 255));
    for (int i = 1; i < 256; ++i) {
      if (t <= 0 || int(t) < i) {
        table[i] = 0;
        continue;
      }
      const double x = (t - i) / t;
      const double value = h > 1 ? 255.0 * std::pow(x * h, p) : h * 255.0 * std::pow(x, p);
      table[i] = Byte(value);
    }
  }
}

void BuildGreyFilmTable(const FilmValues& v, uint8_t table[256], int16_t* exposure) {
  *exposure = int16_t(Ceil(60.0 * std::pow(1.22, 10 - v.Tone)) - 100);
  const double l = 255.0 * (v.Shadow + 5) / 10.0;
  const double h = v.MidTone * 0.1 + 0.5;
  const double p = kGreyExponent[std::clamp(v.Highlight, 0, 10)];
  table[0] = 255.0 * h > 255.0 ? 255 : Byte(255.0 * std::pow(h, p));
  for (int i = 1; i < 256; ++i) {
    if (l <= 0 || int(l) < i) {
      table[i] = 0;
      continue;
    }
    table[i] = Byte(255.0 * std::pow((l - i) * h / l, p));
  }
}

void BuildFilmTables(const SettingsInEffect& e, ToneTables* t) {
  for (auto& table : t->Download) IdentityTable(table);
  for (int16_t& x : t->FilmExposure) x = 0;
  const bool grey = IsGreyMode(e.Mode);
  const int type = grey ? 3 : std::clamp<int>(e.FilmType, 1, 3);
  FilmValues v;
  v.Tone = e.FilmTone[type - 1][0];
  v.Highlight = e.FilmTone[type - 1][1];
  v.MidTone = e.FilmTone[type - 1][2];
  v.Shadow = e.FilmTone[type - 1][3];
  for (int c = 0; c < 3; ++c) v.Colour[c] = e.FilmColor[type - 1][c];
  if (grey) {
    BuildGreyFilmTable(v, t->Download[kToneW], &t->FilmExposure[3]);
    return;
  }
  int base[3];
  LoadFilmPreset(e.Model, e.MirrorType, type, base);
  BuildColourFilmTables(v, base, LoadColourFilmModel(type), t->Download, t->FilmExposure);
}

}  // namespace wq
