// The status bar's size field (K, or M with tenths), file titles and captions,
// names cut short with "...", message patterns filled with a name, and the
// quoted drive letter put into the blanks of the disk-error messages.
#include "app/app_text.h"

#include <cstdio>

namespace wq {

std::string SizeFieldText(uint64_t bytes) {
  if (bytes == 0) return {};
  const uint64_t k = bytes / 1024;
  char text[32];
  if (k == 0) return "1K";
  if (k < 1024) {
    std::snprintf(text, sizeof text, "%lluK", static_cast<unsigned long long>(k));
  } else {
    const uint64_t tenths = (k % 1024) * 10 / 1024;
    std::snprintf(text, sizeof text, "%llu.%lluM", static_cast<unsigned long long>(k / 1024),
                  static_cast<unsigned long long>(tenths));
  }
  return text;
}

std::string_view FileTitle(std::string_view path) {
  const size_t cut = path.find_last_of("\\/:");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string_view CaptionName(std::string_view path) {
  std::string_view title = FileTitle(path);
  return title.substr(0, title.find('.'));
}

std::string ShortenName(std::string_view name, size_t limit) {
  if (name.size() <= limit || limit < 3) return std::string(name);
  return std::string(name.substr(0, limit - 3)) + "...";
}

std::u16string Widen(std::string_view ascii) {
  std::u16string out;
  out.reserve(ascii.size());
  for (unsigned char c : ascii) out.push_back(char16_t(c));
  return out;
}

std::u16string FormatWithName(std::u16string_view pattern, std::string_view name) {
  const size_t at = pattern.find(u"%s");
  if (at == std::u16string_view::npos) return std::u16string(pattern);
  std::u16string out(pattern.substr(0, at));
  out += Widen(name);
  out += pattern.substr(at + 2);
  return out;
}

bool AppMessageIsInformation(int n) { return n == 8 || n == 9 || n == 34 || n == 35; }

bool AppMessageNamesDrive(int n) { return n == 2 || (n >= 13 && n <= 16); }

std::u16string FillDrivePlaceholder(std::u16string text, char letter) {
  // The placeholder is the last four blanks of the first run of four or more.
  size_t at = text.find(u"    ");
  if (at == std::u16string::npos) return text;
  while (at + 4 < text.size() && text[at + 4] == u' ') ++at;
  const char16_t drive[4] = {u'"', char16_t(static_cast<unsigned char>(letter)), u':', u'"'};
  text.replace(at, 4, drive, 4);
  return text;
}

}  // namespace wq
