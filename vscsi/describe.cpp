// Device state as text.
#include "vscsi/describe.h"

#include <cstdarg>
#include <cstdio>

#include "vscsi/scanner.h"

namespace vscsi {
namespace {

struct Out {
  char* buf;
  size_t size;
  size_t len = 0;

  void Line(const char* fmt, ...) {
    if (len + 1 >= size) return;
    va_list ap;
    va_start(ap, fmt);
    int n = vsnprintf(buf + len, size - len, fmt, ap);
    va_end(ap);
    if (n < 0) return;
    len += size_t(n);
    if (len >= size) len = size - 1;
  }
};

const char* SourceName(Source s) {
  switch (s) {
    case Source::Feeder: return "feeder";
    case Source::Film: return "film";
    default: return "flatbed";
  }
}

void Gamma(Out& o, const char* name, const GammaChannel& g) {
  if (g.entries) o.Line("gamma_%s=table %u\n", name, unsigned(g.entries));
  else if (g.curve) o.Line("gamma_%s=curve %u\n", name, unsigned(g.curve));
  else o.Line("gamma_%s=linear\n", name);
}

void Scanner(Out& o, const ScannerState& s) {
  const ScanParams& p = s.params;
  o.Line("model=%s\nkind=%u\nunit=%u\n", ModelName(s.options.kind), unsigned(s.options.kind), unsigned(s.unit));
  o.Line("xres=%u\nyres=%u\nxfrac=%u\nyfrac=%u\n", unsigned(p.xres), unsigned(p.yres), unsigned(p.xfrac),
         unsigned(p.yfrac));
  o.Line("window=%u,%u,%u,%u\n", unsigned(p.left), unsigned(p.top), unsigned(p.width), unsigned(p.length));
  o.Line("brightness=%d\nthreshold=%u\ncomposition=%u\nbits=%u\nhalftone=%u\nreverse=%u\n", int(p.brightness),
         unsigned(p.threshold), unsigned(p.composition), unsigned(p.bits), unsigned(p.halftone),
         p.reverse ? 1u : 0u);
  o.Line("edge=%u\nlight_source=%u\nvendor_bits=%u\n", unsigned(p.edge), unsigned(p.lightSource),
         unsigned(p.vendorLow));
  o.Line("zoom=%u,%u\nzoom_enabled=%u\n", unsigned(p.zoomX), unsigned(p.zoomY), p.zoomEnabled ? 1u : 0u);
  o.Line("lightness=%d,%d,%d,%d\n", int(p.lightness[0]), int(p.lightness[1]), int(p.lightness[2]),
         int(p.lightness[3]));
  o.Line("gradation=%u,%u,%u,%u\n", unsigned(p.gradation[0]), unsigned(p.gradation[1]),
         unsigned(p.gradation[2]), unsigned(p.gradation[3]));
  o.Line("moire=%u\nvendor_flag=%u\nscanning_time=%u\nscanning_time_code=%u\ntransfer_code=%u\n",
         unsigned(p.moire), unsigned(p.vendorFlag), unsigned(p.scanningTime), unsigned(p.scanningTimeCode),
         unsigned(p.transferCode));
  o.Line("vendor_byte=%u\nmovement=%u\n", unsigned(p.vendorByte), unsigned(p.movement));
  Gamma(o, "red", s.gamma[kGammaRed]);
  Gamma(o, "green", s.gamma[kGammaGreen]);
  Gamma(o, "blue", s.gamma[kGammaBlue]);
  Gamma(o, "grey", s.gamma[kGammaGrey]);
  o.Line("adf_type=%u\nadf_selected=%u\nfsu_type=%u\nfsu_selected=%u\nfsu_ready=%u\nsource=%s\n",
         unsigned(s.options.adfType), s.adfSelect ? 1u : 0u, unsigned(s.options.fsuType), s.fsuSelect ? 1u : 0u,
         FilmReady(s) ? 1u : 0u, SourceName(EffectiveSource(s)));
  o.Line("sheets=%u\nsheet_loaded=%u\nsheets_fed=%u\nsheets_ejected=%u\n", unsigned(s.sheetsLeft),
         s.sheetLoaded ? 1u : 0u, unsigned(s.sheetNumber), unsigned(s.sheetsEjected));
  o.Line("reserved=%u\nstarts=%u\nscanning=%u\n", s.reserved ? 1u : 0u, unsigned(s.starts),
         s.job.active ? 1u : 0u);
  o.Line("pixels=%u\nlines=%u\nline_bytes=%u\nlines_read=%u\nreads=%u\n", unsigned(s.job.pixels),
         unsigned(s.job.lines), unsigned(s.job.lineBytes), unsigned(s.job.linesDone), unsigned(s.job.reads));
}

}  // namespace

size_t DescribeDevice(const Device& d, char* buf, size_t size) {
  if (!buf || !size) return 0;
  buf[0] = 0;
  Out o{buf, size};
  o.Line("type=%u\nvendor=%.8s\nproduct=%.16s\nrevision=%.4s\ncommands=%u\n", unsigned(d.config.type),
         d.config.vendor, d.config.product, d.config.revision, unsigned(d.commands));
  if (d.config.scanner) Scanner(o, d.scanner);
  return o.len;
}

}  // namespace vscsi
