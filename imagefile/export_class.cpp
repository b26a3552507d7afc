// The exporters' shared classification and texts.
#include "imagefile/export_class.h"

#include <cstdio>

namespace wq {

ExportClass ExportClassOf(const BmpImage& image) {
  switch (image.bits) {
    case 1: return ExportClass::kBilevel;
    case 4: return ExportClass::kColour16;
    case 24: return ExportClass::kTrueColour;
    default: break;
  }
  const uint8_t* t = image.colourTable.data();
  for (uint32_t i = 0; i < image.colours; ++i)
    if (t[4 * i] != i || t[4 * i + 1] != i || t[4 * i + 2] != i) return ExportClass::kColour256;
  return ExportClass::kGrey;
}

uint32_t ExportDpi(int32_t pelsPerMeter) {
  const uint64_t ppm = pelsPerMeter > 0 ? uint64_t(pelsPerMeter) : 2834;
  return uint32_t((ppm * 254 + 9999) / 10000);
}

bool ExportBilevelWhiteIsZero(const BmpImage& image) {
  const uint8_t* t = image.colourTable.data();
  return image.bits == 1 && t[0] + t[1] + t[2] > t[4] + t[5] + t[6];
}

uint8_t ExportPixelIndex(const BmpImage& image, const uint8_t* row, uint32_t x) {
  switch (image.bits) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4: return x & 1 ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    default: return row[x];
  }
}

void ExportPixelRgb(const BmpImage& image, const uint8_t* row, uint32_t x, uint8_t rgb[3]) {
  const uint8_t* bgr = image.bits == 24 ? row + 3 * size_t(x)
                                        : image.colourTable.data() + 4 * ExportPixelIndex(image, row, x);
  rgb[0] = bgr[2];
  rgb[1] = bgr[1];
  rgb[2] = bgr[0];
}

std::string ExportCreationDateLine(const std::tm& t) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[64];
  std::snprintf(text, sizeof text, "%%%%CreationDate: %s %s %02d %04d %02d:%02d:%02d\n",
                kDays[unsigned(t.tm_wday) % 7], kMonths[unsigned(t.tm_mon) % 12], t.tm_mday,
                t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

std::tm ExportLocalTimeNow() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
#ifdef _WIN32
  localtime_s(&t, &now);
#else
  localtime_r(&now, &t);
#endif
  return t;
}

}  // namespace wq
