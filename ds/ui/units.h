// Measurements as the windows show and take them: inches and centimetres
// with two decimals and the user's decimal separator, or whole pixels.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

// Any other value of the settings' Units is taken as inches.
enum DisplayUnit { kUnitInches = 0, kUnitCm = 1, kUnitPixels = 2 };

// A value in hundredths as text: the sign, at least one digit before the
// separator and two after it ("0,05" with a comma).
void FormatHundredths(int64_t hundredths, const char* separator, char* buf, size_t size);
// Blanks around, an optional sign, digits with at most one separator; the
// value in hundredths (further decimals are dropped). False for anything
// else, an empty text included.
bool ParseHundredths(const char* text, const char* separator, int64_t* hundredths);
// The same for whole numbers (no separator).
bool ParseWhole(const char* text, int64_t* value);

// Area units (1/25 inch) shown in a unit: hundredths of an inch or of a
// centimetre, or pixels at `resolution`.
int64_t AreaUnitsToDisplay(int64_t units, int unit, int resolution);
// And back, rounded to the nearest unit.
int64_t DisplayToAreaUnits(int64_t value, int unit, int resolution);

// Output pixels at `resolution` dpi shown in a unit (hundredths for inches
// and centimetres), and back; both round to the nearest.
int64_t PixelsToDisplay(int64_t pixels, int unit, int resolution);
int64_t DisplayToPixels(int64_t value, int unit, int resolution);

// The text of a value of the unit: two decimals or whole pixels.
void FormatDisplayValue(int64_t value, int unit, const char* separator, char* buf, size_t size);
bool ParseDisplayValue(const char* text, int unit, const char* separator, int64_t* value);

}  // namespace wq
