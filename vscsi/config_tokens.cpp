// Reading configuration text: lines into words, words into numbers and
// fields, and the error that names the line.
#include "vscsi/config_tokens.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace vscsi::configtext {
namespace {

// Splits one line into words; a double-quoted part keeps its blanks. A word
// "key=value" is split at its first '=' outside quotes.
bool Tokenize(Parser& p, const std::string& text, std::vector<Token>* out) {
  size_t i = 0, n = text.size();
  while (i < n) {
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r')) ++i;
    if (i >= n || text[i] == '#') break;
    std::string word;
    size_t eq = std::string::npos;
    while (i < n && text[i] != ' ' && text[i] != '\t' && text[i] != '\r') {
      if (text[i] == '"') {
        size_t close = text.find('"', i + 1);
        if (close == std::string::npos) return p.Fail("unterminated quoted text");
        word.append(text, i + 1, close - i - 1);
        i = close + 1;
        continue;
      }
      if (text[i] == '=' && eq == std::string::npos) eq = word.size();
      word.push_back(text[i++]);
    }
    Token t;
    if (eq != std::string::npos) {
      t.key = word.substr(0, eq);
      t.value = word.substr(eq + 1);
      t.hasValue = true;
    } else {
      t.key = word;
    }
    out->push_back(std::move(t));
  }
  return true;
}

}  // namespace

bool Parser::Fail(const char* fmt, ...) {
  if (failed) return false;
  failed = true;
  if (err && errSize) {
    char msg[200];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(msg, sizeof msg, fmt, ap);
    va_end(ap);
    snprintf(err, errSize, "line %d: %s", line, msg);
  }
  return false;
}

bool ReadLines(Parser& p, const char* text, Statement statement) {
  const char* s = text;
  while (*s || s == text) {
    ++p.line;
    const char* e = strchr(s, '\n');
    size_t len = e ? size_t(e - s) : strlen(s);
    std::string line(s, len);
    std::vector<Token> tokens;
    if (!Tokenize(p, line, &tokens)) return false;
    if (!tokens.empty() && !statement(p, tokens)) return false;
    if (!e) break;
    s = e + 1;
  }
  return true;
}

bool ParseNumber(const std::string& s, uint64_t maxValue, uint64_t* v) {
  if (s.empty() || s.size() > 20) return false;
  uint64_t r = 0;
  size_t i = 0;
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    i = 2;
  }
  for (; i < s.size(); ++i) {
    char c = s[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    r = r * base + d;
    if (r > maxValue) return false;
  }
  *v = r;
  return true;
}

bool Number(Parser& p, const Token& t, uint64_t lo, uint64_t hi, uint64_t* v) {
  if (!t.hasValue) return p.Fail("%s needs a value", t.key.c_str());
  if (!ParseNumber(t.value, hi, v) || *v < lo)
    return p.Fail("%s: \"%s\" is not a number from %llu to %llu", t.key.c_str(), t.value.c_str(),
                  (unsigned long long)lo, (unsigned long long)hi);
  return true;
}

bool Word(Parser& p, const std::string& w, const char* what, uint64_t lo, uint64_t hi, uint64_t* v) {
  if (!ParseNumber(w, hi, v) || *v < lo)
    return p.Fail("%s: \"%s\" is not a number from %llu to %llu", what, w.c_str(),
                  (unsigned long long)lo, (unsigned long long)hi);
  return true;
}

// A text field of fixed width, blank padded.
bool TextField(Parser& p, const Token& t, char* field, size_t width) {
  if (!t.hasValue) return p.Fail("%s needs a value", t.key.c_str());
  if (t.value.size() > width) return p.Fail("%s is longer than %zu characters", t.key.c_str(), width);
  for (char c : t.value)
    if (c < 0x20 || c > 0x7E) return p.Fail("%s holds a character that is not printable ASCII", t.key.c_str());
  memset(field, ' ', width);
  memcpy(field, t.value.data(), t.value.size());
  return true;
}

bool HexBytes(Parser& p, const Token& t, uint8_t* out, size_t count) {
  if (!t.hasValue || t.value.size() != count * 2)
    return p.Fail("%s needs exactly %zu hex digits", t.key.c_str(), count * 2);
  for (size_t i = 0; i < count; ++i) {
    uint64_t v;
    if (!ParseNumber("0x" + t.value.substr(i * 2, 2), 255, &v))
      return p.Fail("%s needs exactly %zu hex digits", t.key.c_str(), count * 2);
    out[i] = uint8_t(v);
  }
  return true;
}

}  // namespace vscsi::configtext
