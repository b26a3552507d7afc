// The words of a configuration line, the numbers and fields read from them,
// and the "line N: reason" error every statement parser reports through.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vscsi/config.h"

namespace vscsi::configtext {

struct Token {
  std::string key;    // "key" of key=value, or the whole word
  std::string value;  // value of key=value
  bool hasValue = false;
};

// One parse: the bus read so far, the line being read and where its error
// goes. Only the first failure is reported; it stops the parse.
struct Parser {
  BusConfig cfg;
  int line = 0;
  char* err = nullptr;
  size_t errSize = 0;
  bool failed = false;

  bool Fail(const char* fmt, ...);
};

// A statement parser: the line's words, the keyword first.
using Statement = bool (*)(Parser& p, const std::vector<Token>& t);

// Hands each line of text that holds words to statement, with p.line its
// number (from 1); stops at the first line that fails.
bool ReadLines(Parser& p, const char* text, Statement statement);

// Decimal or 0x hexadecimal, at most maxValue.
bool ParseNumber(const std::string& s, uint64_t maxValue, uint64_t* v);
// The value of key=value as a number from lo to hi.
bool Number(Parser& p, const Token& t, uint64_t lo, uint64_t hi, uint64_t* v);
// A bare word as a number from lo to hi; what names it in the error.
bool Word(Parser& p, const std::string& w, const char* what, uint64_t lo, uint64_t hi, uint64_t* v);
// The value as a text field of fixed width, blank padded.
bool TextField(Parser& p, const Token& t, char* field, size_t width);
// The value as exactly count bytes in hex digits.
bool HexBytes(Parser& p, const Token& t, uint8_t* out, size_t count);

}  // namespace vscsi::configtext
