// Colour-matching files of any content: the header, the list built from a
// directory of such files, the selection of each entry and the correction
// of a strip with whatever table loads.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ds/pipeline/clrmatch.h"
#include "ds/pipeline/files.h"

namespace {

std::vector<std::pair<std::string, std::vector<uint8_t>>> g_Files;

bool List(const char*, void* user, void (*found)(void*, const char*)) {
  for (auto& f : g_Files) found(user, f.first.c_str() + f.first.rfind('\\') + 1);
  return true;
}

int64_t Read(const char* path, uint64_t offset, void* buffer, uint32_t size) {
  for (auto& f : g_Files) {
    if (f.first != path) continue;
    if (offset >= f.second.size()) return 0;
    const size_t n = std::min<size_t>(size, f.second.size() - offset);
    memcpy(buffer, f.second.data() + offset, n);
    return int64_t(n);
  }
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wq;
  static std::vector<uint8_t> table(kClmTableBytes);
  ParseClmFile(data, size, table.data());

  // The input as up to five files: a length byte pair, then the bytes.
  g_Files.clear();
  size_t at = 0;
  for (int i = 0; i < 5 && at < size; ++i) {
    size_t n = size - at;
    if (at + 2 <= size) {
      n = size_t(data[at]) << 10 | size_t(data[at + 1]) << 2;
      at += 2;
      if (n > size - at) n = size - at;
    }
    std::string name = "C:\\CLRMATCH\\WQC0" + std::to_string(10 + i) + ".CLM";
    if (i == 4) name = "C:\\CLRMATCH\\" + std::string(40, 'X');  // longer than its field
    g_Files.emplace_back(name, std::vector<uint8_t>(data + at, data + at + n));
    at += n;
  }
  g_FileAccess = FileAccessProcs{List, Read};
  if (BuildColourMatchListIn("C:\\CLRMATCH", "\\WQC0??.CLM", size % 2 == 0, 100)) {
    uint8_t strip[3 * 64];
    for (size_t i = 0; i < sizeof strip; ++i) strip[i] = uint8_t(i * 37 + size);
    for (int index = -1; index <= 21; ++index) {
      char name[32];
      if (SelectColourMatch(index, name) && g_ColourMatch.Table)
        ColourMatchStrip(g_ColourMatch.Table, strip, 3 * 16, 4, 16);
    }
  }
  DiscardColourMatchList();
  return 0;
}
