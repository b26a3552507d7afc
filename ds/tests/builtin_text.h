// The data source's string table as the resources are built from it, for
// tests that run without the resources.
#pragma once
#include <cstddef>

namespace wq::test {

struct BuiltinText {
  int id;
  const char* text;
};
// Every entry of the English and Japanese tables, in file order.
const BuiltinText* BuiltinTexts(size_t* count);
const char* FindBuiltinText(int id);
// Points g_Text at the table.
void UseBuiltinTexts();

}  // namespace wq::test
