// Negative film correction: the inverting download curves and per-channel
// exposures that turn a colour or black-and-white negative into a positive
// in the scanner, from the film settings, the scanner's preset base levels
// and the colour film model.
#pragma once
#include <cstdint>

namespace wq {

struct SettingsInEffect;
struct ToneTables;

// One film type's settings.
struct FilmValues {
  int Tone, Highlight, MidTone, Shadow;  // 0..10
  int Colour[3];                         // red, green, blue balance, 50..150
};

// The colour film model's 24 words (gain, highlight slopes, exposure bases
// and growth, highlight offsets, the curve exponent by mid-tone).
struct ColourFilmModel {
  int16_t Words[24];
};
// The model resource for a colour film type (22007 for type 2, else 22006).
int ColourFilmModelId(int filmType);
// The model of the resource, or the built-in one when it is missing or short.
ColourFilmModel LoadColourFilmModel(int filmType);

// The resource of the scanner's base levels (0 when the model has none):
// seven words per film type 1-3, the first three red, green, blue.
int FilmPresetId(int model, int mirrorType);
// The base levels of a film type (1-3) for the scanner: from the resource,
// or the built-in ones.
void LoadFilmPreset(int model, int mirrorType, int filmType, int base[3]);

// Tables of red, green and blue and the exposure values R, G, B.
void BuildColourFilmTables(const FilmValues& v, const int base[3], const ColourFilmModel& m,
                           uint8_t tables[3][256], int16_t exposure[3]);
// The black-and-white film's table and exposure W.
void BuildGreyFilmTable(const FilmValues& v, uint8_t table[256], int16_t* exposure);

// The download tables and exposures of a negative: grey modes the
// black-and-white film (the type-3 values), other modes the colour film of
// FilmType; the tables the film does not use are straight lines.
void BuildFilmTables(const SettingsInEffect& e, ToneTables* t);

}  // namespace wq
