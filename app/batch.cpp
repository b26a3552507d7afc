// Numbering, checking and prompting for feeder batches.
#include "app/batch.h"

#include <cctype>
#include <cstdio>

#include "app/app_text.h"

namespace wq {

AdfSettings g_Adf;

namespace {

// A whole number in lo..hi, else -1.
int NumberIn(std::string_view text, int lo, int hi) {
  if (text.empty() || text.size() > 5) return -1;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
  }
  return v >= lo && v <= hi ? v : -1;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// Where the name (after the directory) starts and where its extension does.
struct NameParts {
  size_t name, ext;
};
NameParts Split(std::string_view path) {
  const size_t slash = path.find_last_of("\\/:");
  const size_t name = slash == std::string_view::npos ? 0 : slash + 1;
  const size_t dot = path.find_last_of('.');
  return {name, dot == std::string_view::npos || dot < name ? path.size() : dot};
}

bool EndsWithFourDigits(std::string_view stem) {
  if (stem.size() < 4) return false;
  for (size_t i = stem.size() - 4; i < stem.size(); ++i)
    if (stem[i] < '0' || stem[i] > '9') return false;
  return true;
}

// Writes s at text[at...] and a blank after it, within the text.
void Overwrite(std::u16string* text, size_t at, std::string_view s) {
  for (size_t i = 0; i <= s.size() && at + i < text->size(); ++i)
    (*text)[at + i] = i < s.size() ? char16_t(static_cast<unsigned char>(s[i])) : u' ';
}

}  // namespace

int AdfSettingsAccept(AdfSettings* s, int pageChoice, int mode, std::string_view pages,
                      std::string_view start, std::string_view increment) {
  const int p = NumberIn(pages, 1, 9999), st = NumberIn(start, 1, 9999), in = NumberIn(increment, 1, 10);
  if (pageChoice == kAdfPages && p < 0) return kAdfEditPages;
  if (mode == kAdfScanSave && st < 0) return kAdfEditStart;
  if (mode == kAdfScanSave && in < 0) return kAdfEditIncrement;
  s->pageChoice = pageChoice;
  s->mode = mode;
  if (pageChoice == kAdfPages) s->pageCount = p;
  if (mode == kAdfScanSave) {
    s->startNumber = st;
    s->increment = in;
  }
  return 0;
}

int BatchPageNumber(const AdfSettings& s, int k) { return s.startNumber + s.increment * k; }

std::string BatchNumberText(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%04d", (n < 0 ? -n : n) % 10000);
  return text;
}

std::string FeederImageName(int number) { return "WQ-image" + BatchNumberText(number); }

std::string BatchProposedName(int startNumber) { return FeederImageName(startNumber) + ".BMP"; }

int CheckBatchName(std::string_view path, int startNumber) {
  const NameParts p = Split(path);
  const std::string_view ext = path.substr(p.ext);
  bool known = false;
  for (const char* e : {".BMP", ".TIF", ".EPS", ".PCX", ".TGA"}) known = known || EqualNoCase(ext, e);
  if (!known) return 35;
  if (path.size() < 253) return 0;
  const std::string_view stem = path.substr(p.name, p.ext - p.name);
  const std::string digits = BatchNumberText(startNumber);
  const bool numbered = stem.size() >= 4 && stem.substr(stem.size() - 4) == digits;
  if (numbered && path.size() < 257) return 0;
  return path.size() == 256 && EndsWithFourDigits(stem) ? 34 : 8;
}

std::string NameBatchPage(std::string_view batchName, int n, bool firstPage) {
  const NameParts p = Split(batchName);
  const std::string digits = BatchNumberText(n);
  std::string stem(batchName.substr(p.name, p.ext - p.name));
  const std::string_view head = batchName.substr(0, p.name), ext = batchName.substr(p.ext);
  const bool endsWithN = stem.size() >= 4 && stem.compare(stem.size() - 4, 4, digits) == 0;
  if (firstPage && endsWithN) return std::string(batchName);
  if (firstPage && batchName.size() < 253) {
    stem += digits;
  } else if (stem.size() >= 4) {
    stem.replace(stem.size() - 4, 4, digits);
  } else {
    stem = digits;  // a name shorter than the number gives way to it
  }
  return std::string(head) + stem + std::string(ext);
}

std::string BatchPageField(const AdfSettings& s) {
  return BatchNumberText(s.pagesScanned + 1) + "/" +
         (s.pageChoice == kAdfPages ? BatchNumberText(s.pageCount) : std::string("ALL"));
}

std::string BatchLastSaved(const AdfSettings& s) {
  if (s.pagesScanned < 1) return "";
  const std::string path = NameBatchPage(s.batchName, BatchPageNumber(s, s.pagesScanned - 1), false);
  return std::string(FileTitle(path));
}

std::u16string FillBatchPrompt(std::u16string text, std::string_view target, std::string_view page,
                               std::string_view lastSaved) {
  if (!target.empty()) {
    const size_t at = text.find(std::u16string(16, u' '));
    // A field after a word keeps one blank before the name.
    if (at != std::u16string::npos) Overwrite(&text, at == 0 ? 0 : at + 1, ShortenName(target, 16));
  }
  size_t from = 0;
  for (int field = 0; field < 2; ++field) {
    const size_t open = text.find(u"< ", from);
    if (open == std::u16string::npos) break;
    const size_t colon = text.find(u" : ", open);
    if (colon == std::u16string::npos) break;
    if (field == 0) Overwrite(&text, colon + 3, page);
    else if (!lastSaved.empty()) Overwrite(&text, colon + 3, ShortenName(lastSaved, 16));
    from = colon + 3;
  }
  return text;
}

}  // namespace wq
