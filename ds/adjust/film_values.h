// What the film window shows and sets: the film type in use per mode, the
// seven values of a type, their ranges, "Default", "Cancel" and the checks
// made before the window closes.
#pragma once
#include <cstdint>

#include "ds/adjust/field.h"

namespace wq {

struct ScanSettings;
struct ToneRestorePoint;

// The window's seven values of a film type, in the order of its controls.
enum FilmField {
  kFilmRed = 0,
  kFilmGreen,
  kFilmBlue,
  kFilmTone,
  kFilmHighlight,
  kFilmMidTone,
  kFilmShadow,
  kFilmFields
};

struct FilmRange {
  int Minimum, Maximum, Page, Default;
};
// Colour balance 50..150 (page 10), the adjustments 0..10 (page 1); 100
// and 5 by default.
FilmRange FilmFieldRange(int field);
inline bool FilmColourField(int field) { return field >= kFilmRed && field <= kFilmBlue; }

// Grey modes scan with the black-and-white film, type 3.
bool FilmGrey(int mode);
// The type the window edits in `mode`: 3 in grey, else FilmType with the
// black-and-white type 3 (or anything outside 1..2) taken as 1.
int FilmTypeForMode(int mode, int filmType);
// Puts FilmType right for the mode (the window's opening and mode changes).
void SettleFilmType(ScanSettings& s);

// The setting behind a field of film type 1..3.
int16_t* FilmSetting(ScanSettings& s, int type, int field);
int FilmValue(const ScanSettings& s, int type, int field);
// A typed number as stored: saturated to 16 bits, so that closing refuses
// what lies out of range.
int16_t FilmFromField(int n);

// "Default": colour balance of types 1 and 2 = 100, the four adjustments of
// types 1-3 = 5.
void DefaultFilm(ScanSettings& s);
// "Cancel": every film value and the type from the restore point, the type
// then settled for the mode.
void CancelFilm(ScanSettings& s, const ToneRestorePoint& r);

// The window stays open while the mode is grey or colour (3-6) and the
// film is a negative.
bool FilmWindowApplies(const ScanSettings& s);

// The first field that keeps the window open, or kFilmFields: in colour
// modes red, green, blue must be numbers and their settings 50..150; in all
// modes the four adjustments numbers and 0..10.
int FirstBadFilmField(const ScanSettings& s, const FieldNumber fields[kFilmFields]);

}  // namespace wq
