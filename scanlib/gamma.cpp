// Gamma downloads: the computed curve, the word and text forms, and the
// SENDs that carry them.
#include "scanlib/gamma.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/bytes.h"
#include "scanlib/command.h"
#include "scanlib/sendtext.h"

namespace wqscsi {

namespace {

constexpr size_t kCurveEntries = 256;
constexpr size_t kMaxTextEntries = 4096;
// One text download at a time; the library is single-threaded.
char g_gammaText[GammaTextCapacity(kMaxTextEntries)];

const char* kDownloadLabel = "Gammar Down load";
const char* kFixedLabel = "Fixed Gammar";

bool ValidEntries(int entries, bool textForm) {
  if (entries == 256) return true;
  return textForm && (entries == 1024 || entries == 4096);
}

int16_t SendChannel(const uint8_t* entries, size_t count, GammaChannel channel, bool textForm) {
  if (!textForm) {
    uint8_t words[512];
    BuildGammaWords(entries, words);
    return IssueCommand(CmdSend(kSendGamma, GammaWordQualifier(channel), words, sizeof words,
                                kDownloadLabel));
  }
  const size_t n = BuildGammaText(entries, count, channel, g_gammaText, sizeof g_gammaText);
  return IssueCommand(CmdSend(kSendGamma, 0, reinterpret_cast<uint8_t*>(g_gammaText),
                              uint32_t(n), kDownloadLabel));
}

}  // namespace

void ComputeGammaCurve(int gammaMode, uint8_t* table) {
  const double exponent = 100.0 / gammaMode;
  table[0] = 0;
  for (int i = 1; i < 256; ++i) {
    // The tolerance keeps exact results (a straight line) from rounding up.
    double v = std::ceil(std::pow(i / 255.0, exponent) * 255.0 - 1e-9);
    if (!(v >= 0)) v = 0;
    if (v > 255) v = 255;
    table[i] = uint8_t(v);
  }
}

void BuildGammaWords(const uint8_t* entries, uint8_t* words) {
  for (size_t i = 0; i < kCurveEntries; ++i) wq::PutBE16(words + 2 * i, entries[i]);
}

uint16_t GammaWordQualifier(GammaChannel channel) {
  switch (channel) {
    case kGammaRed: return 17;
    case kGammaGreen: return 18;
    case kGammaBlue: return 19;
    default: return 16;
  }
}

size_t BuildGammaText(const uint8_t* entries, size_t count, GammaChannel channel, char* out,
                      size_t capacity) {
  if (capacity < GammaTextCapacity(count)) return 0;
  static const char* const kBefore[] = {"///", "", "/", "//"};
  static const char* const kAfter[] = {"", "///", "//", "/"};
  size_t n = 0;
  auto put = [&](const char* s) {
    const size_t len = std::strlen(s);
    std::memcpy(out + n, s, len);
    n += len;
  };
  put(kBefore[channel]);
  for (size_t i = 0; i < count; ++i) {
    char num[8];
    std::snprintf(num, sizeof num, i + 1 < count ? "%u," : "%u", unsigned(entries[i]));
    put(num);
  }
  put(kAfter[channel]);
  out[n] = 0;
  return n;
}

int16_t DownloadGamma(const ScanParamBlock& b, bool textForm) {
  const int composition = b.ImageComposition;
  if (composition == 0 || composition == 3) return kScanOk;
  const bool colour = composition == 4 || composition == 5;

  if (textForm && b.VendorByte != 0) {
    const int16_t st =
        IssueCommand(CmdSend(kSendGamma, uint16_t(b.VendorByte), nullptr, 0, kFixedLabel));
    if (st != kScanOk) return st;
  }

  uint8_t computed[kCurveEntries];
  const uint8_t* tables[3] = {};
  size_t count = kCurveEntries;
  if (b.GammaMode != 0) {
    if (textForm && b.GammaMode == 100)
      return IssueCommand(CmdSend(kSendGamma, 1, nullptr, 0, kFixedLabel));
    ComputeGammaCurve(b.GammaMode, computed);
    tables[0] = tables[1] = tables[2] = computed;
  } else {
    if (!ValidEntries(b.GammaEntries, textForm)) return kScanOk;
    count = size_t(b.GammaEntries);
    if (colour) {
      if (!b.GammaTable[0]) return kScanOk;
      tables[0] = b.GammaTable[0];
      tables[1] = b.GammaTable[1] ? b.GammaTable[1] : b.GammaTable[0];
      tables[2] = b.GammaTable[2] ? b.GammaTable[2] : b.GammaTable[0];
    } else {
      if (!b.GammaTable[3]) return kScanOk;
      tables[0] = b.GammaTable[3];
    }
  }

  if (!colour) return SendChannel(tables[0], count, kGammaGray, textForm);
  const GammaChannel channels[3] = {kGammaRed, kGammaGreen, kGammaBlue};
  for (int i = 0; i < 3; ++i) {
    const int16_t st = SendChannel(tables[i], count, channels[i], textForm);
    if (st != kScanOk) return st;
  }
  return kScanOk;
}

}  // namespace wqscsi
