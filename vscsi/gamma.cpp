// Tone-curve downloads: the WQ140's word tables (SEND data type 3,
// qualifiers 16-19) and the text tables of the other models (qualifier 0,
// channel chosen by its place among four '/'-separated fields).
#include <cstring>
#include <vector>

#include "common/bytes.h"
#include "vscsi/gamma.h"
#include "vscsi/textparse.h"

namespace vscsi {
namespace {

constexpr uint32_t kWordTableBytes = 512;

bool ValidEntryCount(size_t n) { return n == 256 || n == 1024 || n == 4096; }

// An 8-bit sample v reads the entry at the same place on the table's scale.
void Reduce(GammaChannel* g, const std::vector<uint8_t>& table) {
  size_t n = table.size();
  g->entries = uint16_t(n);
  g->curve = 0;
  for (size_t v = 0; v < 256; ++v) g->map[v] = table[v * (n - 1) / 255];
}

}  // namespace

void GammaWords(GammaChannel gamma[4], uint16_t qualifier, const uint8_t* data, uint32_t n,
                CommandResult* r) {
  if (n != kWordTableBytes) return FailCdbField(r, 6);
  std::vector<uint8_t> table(256);
  for (uint32_t i = 0; i < 256; ++i) {
    uint16_t w = wq::GetBE16(data + 2 * i);
    if (w > 255) return FailParamField(r, 2 * i);
    table[i] = uint8_t(w);
  }
  static const int kChannel[4] = {kGammaGrey, kGammaRed, kGammaGreen, kGammaBlue};
  Reduce(&gamma[kChannel[qualifier - 16]], table);
}

void GammaText(GammaChannel gamma[4], const uint8_t* text, uint32_t n, CommandResult* r) {
  Field fields[4];
  if (!SplitFour(text, n, fields)) return FailParamField(r, 0);
  std::vector<uint8_t> tables[4];
  bool any = false;
  for (int f = 0; f < 4; ++f) {
    if (fields[f].length == 0) continue;
    TextCursor c{text + fields[f].start, fields[f].length};
    std::vector<uint8_t>& t = tables[f];
    t.reserve(256);
    do {
      uint32_t v;
      if (t.size() >= 4096 || !ReadUnsigned(&c, 255, &v))
        return FailParamField(r, fields[f].start + c.pos);
      t.push_back(uint8_t(v));
    } while (Expect(&c, ','));
    if (!AtEnd(c)) return FailParamField(r, fields[f].start + c.pos);
    if (!ValidEntryCount(t.size())) return FailParamField(r, fields[f].start);
    any = true;
  }
  if (!any) return FailParamField(r, 0);
  for (int f = 0; f < 4; ++f)
    if (!tables[f].empty()) Reduce(&gamma[f], tables[f]);
}

void GammaFixed(GammaChannel gamma[4], uint8_t curve) {
  for (int c = 0; c < 4; ++c) SetFixedCurve(&gamma[c], curve);
}

}  // namespace vscsi
