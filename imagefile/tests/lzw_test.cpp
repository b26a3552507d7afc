// The LZW codecs against a plain reference decoder: the encoder's streams at
// every length, table restarts and long strings, a full table's oldest strings,
// corrupt streams, and decoding in pieces.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <vector>

#include "imagefile/lzw_decode.h"
#include "imagefile/lzw_encode.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A plain reading of the TIFF 6.0 LZW rules with a string table of vectors:
// the reader widens its codes once the next entry reaches 511, 1023 and 2047.
// Returns false unless the stream ends with EndOfInformation followed only by
// zero padding bits.
bool ReferenceDecode(const Bytes& in, Bytes* out) {
  size_t bit = 0;
  auto read = [&](int width, int* code) {
    if (bit + width > in.size() * 8) return false;
    int v = 0;
    for (int i = 0; i < width; ++i, ++bit) v = v << 1 | ((in[bit / 8] >> (7 - bit % 8)) & 1);
    *code = v;
    return true;
  };
  std::vector<Bytes> table;
  int width = 9, old = -1, code = 0;
  auto reset = [&] {
    table.assign(258, {});
    for (int i = 0; i < 256; ++i) table[i] = {uint8_t(i)};
    width = 9;
    old = -1;
  };
  reset();
  for (;;) {
    if (!read(width, &code)) return false;
    if (code == 257) break;
    if (code == 256) {
      reset();
      continue;
    }
    Bytes s;
    if (code < int(table.size()) && code != 256 && code != 257) s = table[code];
    else if (code == int(table.size()) && old >= 0) s = table[old], s.push_back(table[old][0]);
    else return false;
    out->insert(out->end(), s.begin(), s.end());
    if (old >= 0) {
      Bytes e = table[old];
      e.push_back(s[0]);
      table.push_back(e);
      if (table.size() >= size_t((1 << width) - 1) && width < 12) ++width;
    }
    old = code;
  }
  for (; bit < in.size() * 8; ++bit)
    if ((in[bit / 8] >> (7 - bit % 8)) & 1) return false;
  return true;
}

Bytes Encode(const Bytes& in, size_t piece = SIZE_MAX) {
  wq::LzwEncoder e;
  Bytes out;
  EXPECT_TRUE(wq::LzwEncodeBegin(&e, &out));
  for (size_t i = 0; i < in.size(); i += piece)
    EXPECT_TRUE(wq::LzwEncodeBytes(&e, in.data() + i, std::min(piece, in.size() - i)));
  EXPECT_TRUE(wq::LzwEncodeEnd(&e));
  return out;
}

Bytes RandomBytes(size_t n, int alphabet, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& v : b) v = uint8_t(rng() % alphabet);
  return b;
}

TEST(Lzw, EncoderOutputFollowsTheStandardAtEveryLength) {
  // Every strip length up to 3,000 random bytes: the string count passes the
  // 9/10, 10/11 and 11/12-bit boundaries at the end of some strip, where the
  // width of EndOfInformation matters.
  for (size_t n = 0; n <= 3000; n += (n < 300 ? 1 : 7)) {
    Bytes in = RandomBytes(n, 256, unsigned(n));
    Bytes decoded;
    ASSERT_TRUE(ReferenceDecode(Encode(in), &decoded)) << "length " << n;
    ASSERT_EQ(decoded, in) << "length " << n;
  }
}

TEST(Lzw, TableRestartsAndLongStringsSurviveARoundTrip) {
  // Large inputs of small alphabets make long strings and many Clear codes;
  // runs of one byte exercise the code that is defined by its own use.
  const Bytes inputs[] = {RandomBytes(200000, 256, 1), RandomBytes(200000, 3, 2),
                          Bytes(100000, 0x55), RandomBytes(50000, 16, 3)};
  for (const Bytes& in : inputs) {
    Bytes coded = Encode(in, 777);
    Bytes ref;
    ASSERT_TRUE(ReferenceDecode(coded, &ref));
    ASSERT_EQ(ref, in);
    // Our decoder, drawing the output in awkward pieces.
    wq::LzwDecoder d;
    wq::LzwDecodeBegin(&d, coded);
    Bytes out(in.size());
    size_t pos = 0, piece = 1;
    while (pos < out.size()) {
      size_t n = std::min(piece, out.size() - pos);
      ASSERT_EQ(wq::LzwDecode(&d, out.data() + pos, n), wq::LzwStatus::kOk) << pos;
      pos += n;
      piece = piece * 3 % 5000 + 1;
    }
    EXPECT_EQ(out, in);
    uint8_t extra;
    EXPECT_EQ(wq::LzwDecode(&d, &extra, 1), wq::LzwStatus::kShort);
  }
}

TEST(Lzw, RepeatedBytesCompress) {
  Bytes in(8192, 0);
  EXPECT_LT(Encode(in).size(), 200u);
}

// A stream of 9-bit codes, most significant bit first.
Bytes Codes9(std::initializer_list<int> codes) {
  Bytes out;
  uint32_t acc = 0;
  int n = 0;
  for (int c : codes) {
    acc = acc << 9 | uint32_t(c);
    n += 9;
    while (n >= 8) out.push_back(uint8_t(acc >> (n -= 8)));
  }
  if (n) out.push_back(uint8_t(acc << (8 - n)));
  return out;
}

// A stream of codes at the widths a reader expects: the width grows once the
// next free code reaches 511, 1023 and 2047; entries stop at 4096.
Bytes CodesGrowing(const std::vector<int>& codes) {
  Bytes out;
  uint64_t acc = 0;
  int n = 0, width = 9, next = 258;
  bool first = true;
  for (int c : codes) {
    acc = acc << width | uint64_t(c);
    n += width;
    while (n >= 8) out.push_back(uint8_t(acc >> (n -= 8)));
    if (c == 256) {
      width = 9, next = 258, first = true;
      continue;
    }
    if (!first && next < 4096 && ++next >= (1 << width) - 1 && width < 12) ++width;
    first = false;
  }
  if (n) out.push_back(uint8_t(acc << (8 - n)));
  return out;
}

TEST(Lzw, AFullTableKeepsItsOldestStringsLongAfterTheyWereWritten) {
  // Encoders clear the table when it fills, but a stream need not: its first
  // strings stay valid however much output follows them.
  std::vector<int> codes = {256};
  std::mt19937 rng(11);
  for (int i = 0; i < 3839; ++i) codes.push_back(int(rng() % 256));  // fills 258..4095
  for (int i = 0; i < 240000; ++i) codes.push_back(i % 3 == 0 ? 258 : i % 3 == 1 ? 4095 : 1000 + i % 3000);
  codes.push_back(257);
  const Bytes coded = CodesGrowing(codes);
  Bytes ref;
  ASSERT_TRUE(ReferenceDecode(coded, &ref));
  ASSERT_GT(ref.size(), size_t(3) * wq::LzwDecoder::kHistory);
  auto d = std::make_unique<wq::LzwDecoder>();
  wq::LzwDecodeBegin(d.get(), coded);
  Bytes out(ref.size());
  for (size_t pos = 0; pos < out.size(); pos += 4093)
    ASSERT_EQ(wq::LzwDecode(d.get(), out.data() + pos, std::min<size_t>(4093, out.size() - pos)),
              wq::LzwStatus::kOk);
  EXPECT_EQ(out, ref);
}

TEST(Lzw, CorruptStreamsAreReported) {
  uint8_t out[16];
  wq::LzwDecoder d;
  // 'A', then code 300 while the next free code is 259.
  Bytes bad = Codes9({256, 65, 300, 257});
  wq::LzwDecodeBegin(&d, bad);
  EXPECT_EQ(wq::LzwDecode(&d, out, 4), wq::LzwStatus::kBadCode);
  // The first code after Clear must be a byte.
  Bytes badFirst = Codes9({256, 258, 257});
  wq::LzwDecodeBegin(&d, badFirst);
  EXPECT_EQ(wq::LzwDecode(&d, out, 1), wq::LzwStatus::kBadCode);
  // Fewer bytes than asked for.
  Bytes shortStream = Codes9({256, 65, 66, 257});
  wq::LzwDecodeBegin(&d, shortStream);
  EXPECT_EQ(wq::LzwDecode(&d, out, 3), wq::LzwStatus::kShort);
  // Input that stops without EndOfInformation.
  Bytes cut = Codes9({256, 65, 66});
  cut.pop_back();
  wq::LzwDecodeBegin(&d, cut);
  EXPECT_EQ(wq::LzwDecode(&d, out, 2), wq::LzwStatus::kShort);
  // Pre-6.0 streams (Clear written least significant bit first).
  const Bytes old = {0x00, 0x01, 0x12, 0x34};
  wq::LzwDecodeBegin(&d, old);
  EXPECT_EQ(wq::LzwDecode(&d, out, 2), wq::LzwStatus::kOldStyle);
  // Without a leading Clear the stream still starts with a fresh table.
  Bytes noClear = Codes9({65, 66, 258, 257});
  wq::LzwDecodeBegin(&d, noClear);
  ASSERT_EQ(wq::LzwDecode(&d, out, 4), wq::LzwStatus::kOk);
  EXPECT_EQ(Bytes(out, out + 4), (Bytes{65, 66, 65, 66}));
}

TEST(Lzw, GarbageDecodesTheSameInOneGoAndInPieces) {
  // Random codes mostly hit an undefined code at some point; wherever that
  // happens, drawing the output in pieces must reach the same bytes and status.
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) {
    Bytes in = RandomBytes(rng() % 300, 256, rng());
    if (!in.empty()) in[0] = 0x80;  // a Clear code first
    const size_t n = 3000;
    Bytes whole(n, 0xEE), pieces(n, 0xEE);
    wq::LzwDecoder a, b;
    wq::LzwDecodeBegin(&a, in);
    wq::LzwStatus sa = wq::LzwDecode(&a, whole.data(), n);
    wq::LzwDecodeBegin(&b, in);
    wq::LzwStatus sb = wq::LzwStatus::kOk;
    for (size_t pos = 0; pos < n && sb == wq::LzwStatus::kOk; pos += 13)
      sb = wq::LzwDecode(&b, pieces.data() + pos, std::min<size_t>(13, n - pos));
    ASSERT_EQ(sa, sb) << i;
    if (sa == wq::LzwStatus::kOk) EXPECT_EQ(whole, pieces) << i;
  }
}

}  // namespace
