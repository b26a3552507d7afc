// The string tables of both languages compiled in from the resources' .inc
// files, and a loader over them for the tests.
#include "ds/tests/builtin_text.h"

#include "common/strutil.h"
#include "ds/base/text.h"

namespace wq::test {
namespace {

#define WQ_TEXT(id, text) {id, text},
constexpr BuiltinText kTexts[] = {
#include "ds/res/strings_en.inc"
#include "ds/res/strings_ja.inc"
#include "ds/res/strings_ui_en.inc"
#include "ds/res/strings_ui_ja.inc"
};
#undef WQ_TEXT

size_t LoadProc(int id, char* buf, size_t size) {
  const char* t = FindBuiltinText(id);
  if (!t) {
    if (size) buf[0] = 0;
    return 0;
  }
  CopyString(buf, size, t);
  return FieldLength(buf, size);
}

}  // namespace

const BuiltinText* BuiltinTexts(size_t* count) {
  *count = sizeof kTexts / sizeof kTexts[0];
  return kTexts;
}

const char* FindBuiltinText(int id) {
  for (const BuiltinText& t : kTexts)
    if (t.id == id) return t.text;
  return nullptr;
}

void UseBuiltinTexts() { g_Text.Load = LoadProc; }

}  // namespace wq::test
