// SEND: tone curves, and the parameter commands of the text-driven models
// (data type code in CDB byte 2, qualifier in bytes 4-5, an optional
// ASCII text as data).
#include "common/bytes.h"
#include "vscsi/gamma.h"
#include "vscsi/scanner.h"
#include "vscsi/textparse.h"

namespace vscsi {
namespace {

struct Send {
  ScannerState* s;
  uint16_t qualifier;
  const uint8_t* text;
  uint32_t length;
  CommandResult* r;
};

// Commands that take no text refuse one.
bool NoText(const Send& c) {
  if (c.length == 0) return true;
  FailCdbField(c.r, 6);
  return false;
}

bool NeedText(const Send& c) {
  if (c.length) return true;
  FailCdbField(c.r, 6);
  return false;
}

bool QualifierIn(const Send& c, uint16_t lo, uint16_t hi) {
  if (c.qualifier >= lo && c.qualifier <= hi) return true;
  FailCdbField(c.r, 4);
  return false;
}

// A text fully read by `read`, or ILLEGAL REQUEST at the first bad byte.
template <typename Read>
bool ParseText(const Send& c, Read read) {
  TextCursor cur{c.text, c.length};
  if (read(&cur) && AtEnd(cur)) return true;
  FailParamField(c.r, cur.pos);
  return false;
}

void Brightness(const Send& c) {
  int32_t v = 0;
  if (!NeedText(c)) return;
  // A sign is required: "+12", "-128".
  if (c.text[0] != '+' && c.text[0] != '-') return FailParamField(c.r, 0);
  if (!ParseText(c, [&](TextCursor* t) { return ReadSigned(t, -128, 127, &v); })) return;
  c.s->params.brightness = int16_t(v);
}

void ToneCurve(const Send& c) {
  if (c.qualifier == 0) {
    if (NeedText(c)) GammaText(c.s->gamma, c.text, c.length, c.r);
  } else if (c.qualifier == 255) {
    Brightness(c);
  } else if (c.qualifier < 255) {
    if (NoText(c)) GammaFixed(c.s->gamma, uint8_t(c.qualifier));
  } else {
    FailCdbField(c.r, 4);
  }
}

void ScanRange(const Send& c) {
  uint32_t v[4];  // left, width, top, length
  size_t at[4];
  if (!QualifierIn(c, 0, 0) || !NeedText(c)) return;
  if (!ParseText(c, [&](TextCursor* t) {
        for (int i = 0; i < 4; ++i) {
          if (i && !Expect(t, ',')) return false;
          at[i] = t->pos;
          if (!ReadUnsigned(t, 0x7FFFFFFF, &v[i])) return false;
        }
        return true;
      }))
    return;
  BedSize bed = CurrentBed(*c.s);
  uint64_t maxW = ToUnits(bed.width, c.s->unit), maxL = ToUnits(bed.length, c.s->unit);
  if (v[0] >= maxW) return FailParamField(c.r, at[0]);
  if (v[1] == 0 || uint64_t(v[0]) + v[1] > maxW) return FailParamField(c.r, at[1]);
  if (v[2] >= maxL) return FailParamField(c.r, at[2]);
  if (v[3] == 0 || uint64_t(v[2]) + v[3] > maxL) return FailParamField(c.r, at[3]);
  ScanParams& p = c.s->params;
  p.left = v[0];
  p.width = v[1];
  p.top = v[2];
  p.length = v[3];
}

// Four '/'-separated fields of numbers: "a/b/c/" or "///d".
template <typename Take>
bool SlashFields(const Send& c, int32_t lo, int32_t hi, Take take) {
  Field f[4];
  if (!SplitFour(c.text, c.length, f)) {
    FailParamField(c.r, 0);
    return false;
  }
  int32_t values[4];
  bool given[4] = {};
  for (int i = 0; i < 4; ++i) {
    if (f[i].length == 0) continue;
    TextCursor t{c.text + f[i].start, f[i].length};
    if (!ReadSigned(&t, lo, hi, &values[i]) || !AtEnd(t)) {
      FailParamField(c.r, f[i].start + t.pos);
      return false;
    }
    given[i] = true;
  }
  if (!given[0] && !given[1] && !given[2] && !given[3]) {
    FailParamField(c.r, 0);
    return false;
  }
  for (int i = 0; i < 4; ++i)
    if (given[i]) take(i, values[i]);
  return true;
}

void Gradation(const Send& c) {
  ScanParams& p = c.s->params;
  switch (c.qualifier) {
    case 1:
    case 2:
      if (NoText(c)) p.reverse = c.qualifier == 1;
      return;
    case 0:
    case 3:
    case 4:
    case 255: break;
    default: return FailCdbField(c.r, 4);
  }
  if (!NeedText(c)) return;
  // Fields 0-2 are the colour thresholds, field 3 the line-art threshold.
  for (uint32_t i = 0; i < c.length; ++i)
    if (c.text[i] == '+' || c.text[i] == '-') return FailParamField(c.r, i);
  if (!SlashFields(c, 0, 255, [&](int i, int32_t v) {
        if (i < 3) p.gradation[1 + i] = uint8_t(v);
        else p.threshold = uint8_t(v);
      }))
    return;
  if (c.qualifier != 255) p.gradation[0] = c.qualifier == 0 ? 8 : c.qualifier == 3 ? 10 : 12;
}

void DataFormat(const Send& c) {
  if (!QualifierIn(c, 1, 4) || !NoText(c)) return;
  static const uint8_t kComposition[5] = {0, 5, 3, 2, 0};
  ScanParams& p = c.s->params;
  p.composition = kComposition[c.qualifier];
  p.bits = CompositionBits(p.composition);
}

void Resolution(const Send& c) {
  static const uint16_t kPresets[10] = {0, 300, 200, 150, 100, 75, 400, 600, 1200, 2400};
  ScanParams& p = c.s->params;
  uint16_t kind = c.s->options.kind;
  // The WQ490 has no preset for 1200 and 2400.
  if (!QualifierIn(c, 0, kind == kWQ490 ? 7 : 9)) return;
  uint16_t lo = MinResolution(kind), hi = MaxResolution(kind);
  if (c.qualifier) {
    if (!NoText(c)) return;
    uint16_t dpi = kPresets[c.qualifier];
    if (dpi < lo || dpi > hi) return FailCdbField(c.r, 5);
    p.xres = p.yres = dpi;
    p.xfrac = p.yfrac = 0;
    return;
  }
  if (!NeedText(c)) return;
  uint32_t x, y;
  uint16_t xf, yf;
  size_t yAt = 0;
  if (!ParseText(c, [&](TextCursor* t) {
        if (!ReadDecimal(t, 0xFFFF, &x, &xf) || !Expect(t, ',')) return false;
        yAt = t->pos;
        return ReadDecimal(t, 0xFFFF, &y, &yf);
      }))
    return;
  if (x < lo || x > hi || (x == hi && xf)) return FailParamField(c.r, 0);
  if (y < lo || y > hi || (y == hi && yf)) return FailParamField(c.r, yAt);
  p.xres = uint16_t(x);
  p.yres = uint16_t(y);
  p.xfrac = xf;
  p.yfrac = yf;
}

void ScanningTime(const Send& c) {
  ScanParams& p = c.s->params;
  uint32_t v = 0;
  if (c.qualifier > 255) return FailCdbField(c.r, 4);
  if (c.length && !ParseText(c, [&](TextCursor* t) { return ReadUnsigned(t, 999999999u, &v); })) return;
  p.scanningTimeCode = uint8_t(c.qualifier);
  p.scanningTime = v;
}

void Lightness(const Send& c) {
  ScanParams& p = c.s->params;
  if (!QualifierIn(c, 0, 0) || !NeedText(c)) return;
  SlashFields(c, -32768, 32767, [&](int i, int32_t v) { p.lightness[i] = int16_t(v); });
}

void Zoom(const Send& c) {
  ScanParams& p = c.s->params;
  if (!QualifierIn(c, 0, 2)) return;
  if (c.qualifier) {
    if (NoText(c)) p.zoomEnabled = c.qualifier == 2;
    return;
  }
  if (!NeedText(c)) return;
  uint32_t x, y;
  if (!ParseText(c, [&](TextCursor* t) {
        return ReadUnsigned(t, 1000, &x) && Expect(t, ',') && ReadUnsigned(t, 1000, &y);
      }))
    return;
  p.zoomX = uint16_t(x);
  p.zoomY = uint16_t(y);
}

void TextCommand(const Send& c, uint8_t code) {
  ScanParams& p = c.s->params;
  switch (code) {
    case 0x03: return ToneCurve(c);
    case 0x80:
      if (QualifierIn(c, 0, 0) && NoText(c)) InitialiseScanner(c.s);
      return;
    case 0x81: return ScanRange(c);
    case 0x82: return Gradation(c);
    case 0x83: return DataFormat(c);
    case 0x84: return Resolution(c);
    case 0x85:
      if (QualifierIn(c, 1, 4) && NoText(c)) p.edge = uint8_t(c.qualifier - 1);
      return;
    case 0x86:
      if (c.qualifier != 3 && c.qualifier != 7) return FailCdbField(c.r, 4);
      if (NoText(c)) p.transferCode = uint8_t(c.qualifier);
      return;
    case 0x87:
      if (c.s->options.kind != kWQ490) break;
      if (QualifierIn(c, 1, 2) && NoText(c)) p.movement = uint8_t(c.qualifier);
      return;
    case 0x88:
      if (QualifierIn(c, 1, 4) && NoText(c)) p.lightSource = uint8_t(c.qualifier - 1);
      return;
    case 0x90:
      if (!QualifierIn(c, 0, 255) || !NoText(c)) return;
      // A pattern turns line art into halftone.
      p.halftone = c.qualifier;
      if (p.composition == 0) p.composition = 1;
      if (p.composition == 3) p.composition = 4;
      return;
    case 0x91: return ScanningTime(c);
    case 0x93: return Lightness(c);
    case 0x94: return Zoom(c);
    case 0x95:
      if (QualifierIn(c, 1, 4) && NoText(c)) p.moire = uint16_t((c.qualifier - 1) << 8);
      return;
  }
  FailCdbField(c.r, 2);
}

}  // namespace

void SendCommand(ScannerState* s, const CommandIO& io, CommandResult* r) {
  uint8_t code = io.cdb[2];
  uint32_t n = CdbTransferLength(io.cdb);
  if (!DataOut(io, r, n)) return;
  Send c{s, CdbQualifier(io.cdb), io.buffer, n, r};
  if (UsesTextCommands(s->options.kind)) return TextCommand(c, code);
  // The WQ140 takes word tables and the initialise only.
  if (code == 0x03) {
    if (!QualifierIn(c, 16, 19)) return;
    return GammaWords(s->gamma, c.qualifier, c.text, n, r);
  }
  if (code == 0x80) {
    if (QualifierIn(c, 0, 0) && NoText(c)) InitialiseScanner(s);
    return;
  }
  FailCdbField(r, 2);
}

}  // namespace vscsi
