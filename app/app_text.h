// Texts the program builds from parts: the status bar's size field, the
// operation captions, shortened names, and the drive placeholder of the
// disk-error messages.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wq {

// Memory size of an image for the size field: "1K" below one kilobyte,
// "500K", "1.5M" (tenths truncated). Empty for 0 bytes: the field is left
// as it is.
std::string SizeFieldText(uint64_t bytes);

// The name with its extension: what follows the last '\', '/' or ':'.
std::string_view FileTitle(std::string_view path);
// The file title cut at its first '.' (SCAN0001.BMP gives SCAN0001).
std::string_view CaptionName(std::string_view path);
// A name longer than `limit` characters becomes its first limit - 3
// characters and "...".
std::string ShortenName(std::string_view name, size_t limit);

// Puts name into a text with one "%s" (the caption and question templates
// of the string table). A template without "%s" is returned as it is.
std::u16string FormatWithName(std::u16string_view pattern, std::string_view name);

// The program's table of numbered messages.
constexpr int kAppMessageCount = 43;
// Messages 8, 9, 34 and 35 carry the information icon; all others the stop icon.
bool AppMessageIsInformation(int n);
// Messages 2 and 13 to 16 name a drive in their first run of four blanks.
bool AppMessageNamesDrive(int n);
// Replaces the four blanks that end the first run of four or more blanks
// by "X:" in double quotes ("drive     ." becomes "drive "X:"."). A text
// without such a run is returned unchanged.
std::u16string FillDrivePlaceholder(std::u16string text, char letter);

// ASCII text (file names, numbers) as UTF-16 for the wide message texts.
std::u16string Widen(std::string_view ascii);

}  // namespace wq
