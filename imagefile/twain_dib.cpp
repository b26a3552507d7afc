// TWAIN images into DIB rows and colour tables.
#include "imagefile/twain_dib.h"

#include <algorithm>
#include <cstring>

#include "imagefile/bmp.h"

namespace wq {

bool DescribeTwainImage(const TW_IMAGEINFO& info, XferImage* out, DibRefusal* why) {
  *out = XferImage{};
  if (info.ImageWidth <= 0 || info.ImageLength <= 0 || info.ImageWidth > 32767 ||
      info.ImageLength > 32767) {
    *why = DibRefusal::kSize;
    return false;
  }
  const int16_t bits = info.BitsPerPixel;
  bool ok = info.Compression == TWCP_NONE;
  switch (info.PixelType) {
    case TWPT_BW: ok = ok && bits == 1; break;
    case TWPT_GRAY: ok = ok && (bits == 4 || bits == 8); break;
    case TWPT_RGB: ok = ok && bits == 24 && !info.Planar; break;
    case TWPT_PALETTE: ok = ok && (bits == 1 || bits == 4 || bits == 8); break;
    default: ok = false;
  }
  if (!ok) {
    *why = DibRefusal::kKind;
    return false;
  }
  out->width = uint32_t(info.ImageWidth);
  out->height = uint32_t(info.ImageLength);
  out->bits = uint16_t(bits);
  out->pixelType = uint16_t(info.PixelType);
  out->stride = BmpStride(out->bits, out->width);
  out->imageSize = out->stride * out->height;
  out->rowBytes = uint32_t(BmpRowBytes(out->bits, out->width));
  return true;
}

int32_t PelsPerMeter(uint16_t units, TW_FIX32 resolution) {
  const double value = resolution.Whole + resolution.Frac / 65536.0;
  double ppm;
  if (units == TWUN_INCHES) ppm = value * 10000 / 254;
  else if (units == TWUN_CENTIMETERS) ppm = value * 100;
  else return 0;
  if (!(ppm > -2147483648.0 && ppm < 2147483647.0)) return 0;
  return int32_t(ppm);
}

ColourPlan PlanColours(const XferImage& image, bool blackIsZero, const TW_PALETTE8* palette) {
  ColourPlan plan;
  auto put = [&plan](uint32_t i, uint8_t r, uint8_t g, uint8_t b) {
    plan.table[i * 4] = b;
    plan.table[i * 4 + 1] = g;
    plan.table[i * 4 + 2] = r;
  };
  auto ramp = [&](uint32_t n) {
    plan.colours = n;
    for (uint32_t i = 0; i < n; ++i) {
      const uint8_t v = uint8_t(i * 255 / (n - 1));
      put(i, v, v, v);
    }
  };
  switch (image.pixelType) {
    case TWPT_BW:
      plan.colours = 2;
      put(blackIsZero ? 1 : 0, 255, 255, 255);
      plan.invert = !blackIsZero;
      break;
    case TWPT_GRAY:
      ramp(1u << image.bits);
      break;
    case TWPT_RGB:
      plan.swapRgb = true;
      break;
    default: {
      const uint32_t most = 1u << image.bits;
      if (!palette || palette->NumColors == 0) {
        ramp(most);  // a usable picture rather than a table the file cannot have
        break;
      }
      plan.colours = std::min<uint32_t>(palette->NumColors, most);
      for (uint32_t i = 0; i < plan.colours; ++i) {
        const TW_ELEMENT8& e = palette->Colors[i];
        put(i, e.Channel1, e.Channel2, e.Channel3);
      }
    }
  }
  return plan;
}

void ConvertRow(const XferImage& image, const ColourPlan& colours, const uint8_t* in,
                uint8_t* out) {
  const uint32_t n = image.rowBytes;
  if (colours.swapRgb) {
    for (uint32_t i = 0; i + 2 < n; i += 3) {
      out[i] = in[i + 2];
      out[i + 1] = in[i + 1];
      out[i + 2] = in[i];
    }
  } else if (colours.invert) {
    for (uint32_t i = 0; i < n; ++i) out[i] = uint8_t(255 - in[i]);
  } else {
    std::memcpy(out, in, n);
  }
  std::memset(out + n, 0, size_t(image.stride - n));
}

}  // namespace wq
