// The EPS writer: the preview first (at offset 32), the PostScript after it
// with the comments, the prolog and the binary image data, the header last,
// once every length is known.
#include "imagefile/eps_writer.h"

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "imagefile/bmp_rows.h"
#include "imagefile/eps_preview.h"
#include "imagefile/export_class.h"
#include "imagefile/export_file.h"
#include "imagefile/export_out.h"

namespace wq {
namespace {

constexpr uint64_t kReadBlockBytes = 524288;

constexpr char kGreyProlog[] =
    "35 dict begin\n/_image systemdict /image get def\n/_setgray systemdict /setgray get def\n"
    "/_currentgray systemdict /currentgray get def\n/_settransfer systemdict /settransfer get def\n"
    "/_currenttransfer systemdict /currenttransfer get def\ngsave\n0 setgray\n";
constexpr char kGreyProcedure[] =
    "/getimage {currentfile exch readstring pop} def\n/beginimage\n{{gimage getimage} image}\ndef\n";

constexpr const char* kColourProlog[] = {
    "35 dict begin\n/_image systemdict /image get def\n/_setgray systemdict /setgray get def\n"
    "/_currentgray systemdict /currentgray get def\n/_settransfer systemdict /settransfer get def\n"
    "/_currenttransfer systemdict /currenttransfer get def\n/blank 0 _currenttransfer exec\n"
    "1 _currenttransfer exec eq def\n",
    "/negative blank\n{0 _currenttransfer exec 0.5 lt}\n{0 _currenttransfer exec 1 _currenttransfer exec gt}\n"
    "ifelse def\n/hascolor systemdict /setcmykcolor known def\n",
    "/eq4 {4 index eq 8 1 roll\n4 index eq 8 1 roll\n4 index eq 8 1 roll\n4 index eq 8 1 roll\n"
    "pop pop pop pop and and and} def\nhascolor {/colortype 0 def} {/colortype 5 def} ifelse\n",
    "/setcmykcolor where {pop\n1 0 0 0 setcmykcolor _currentgray 1 exch sub\n"
    "0 1 0 0 setcmykcolor _currentgray 1 exch sub\n0 0 1 0 setcmykcolor _currentgray 1 exch sub\n"
    "0 0 0 1 setcmykcolor _currentgray 1 exch sub\n",
    "4 {4 copy} repeat\n1 0 0 0 eq4 {/colortype 1 store} if\n0 1 0 0 eq4 {/colortype 2 store} if\n"
    "0 0 1 0 eq4 {/colortype 3 store} if\n0 0 0 1 eq4 {/colortype 4 store} if\n"
    "0 0 0 0 eq4 {/colortype 6 store} if} if\n",
    "/whiteimage {negative {{pop 0}} {{pop 1}} ifelse\n_settransfer _image} def\ngsave\n"};
constexpr char kColourProcedure[] =
    "/getimage {currentfile exch readstring pop} def\n/displayimage\ncolortype 0 eq\n"
    "{{{rimage getimage}\n{gimage getimage}\n{bimage getimage kimage getimage pop}\n"
    "true 3 colorimage}} if\ncolortype 4 eq colortype 5 eq or\n{{{rimage getimage pop\n"
    "gimage getimage pop\nbimage getimage pop\nkimage getimage} image}} if\n"
    "colortype 0 eq colortype 4 eq colortype 5 eq or or not\n{{{rimage getimage pop\n"
    "gimage getimage pop\nbimage getimage pop\nkimage getimage} whiteimage}} if\ndef\n";
constexpr char kTrailer[] = "\n%%EndBinary\ngrestore end\n";

std::string Format(const char* f, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* f, ...) {
  char text[512];
  va_list a;
  va_start(a, f);
  std::vsnprintf(text, sizeof text, f, a);
  va_end(a);
  return text;
}

void PutComments(ExportOut* out, const BmpImage& img, ExportClass k, std::string_view title, const std::tm& made) {
  const long dx = long(ExportDpi(img.header.xPelsPerMeter)), dy = long(ExportDpi(img.header.yPelsPerMeter));
  ExportPutText(out, "%!PS-Adobe-3.0 EPSF-3.0\n");
  ExportPutText(out, Format("%s %ld %ld %ld %ld\n", "%%BoundingBox:", 0L, 0L, long(img.width) * 72 / dx,
                            long(img.height) * 72 / dy));
  ExportPutText(out, "%%Title: ");
  ExportPutText(out, title);
  ExportPutText(out, std::string("\n%%Creator: ") + kExportCreator + "\n");
  ExportPutText(out, ExportCreationDateLine(made));
  if (k == ExportClass::kBilevel || k == ExportClass::kGrey) ExportPutText(out, "%%DocumentProcessColors: Black\n");
  ExportPutText(out, "%%EndComments\n");
}

// The image data: grey and bilevel rows as they are (bilevel with 0 black),
// colour rows as red, green, blue and grey planes.
FileStatus PutImage(ExportOut* out, BmpRowCursor* rows, ExportClass k, const ProgressSink& progress) {
  const BmpImage& img = *rows->image;
  const long w = long(img.width), h = long(img.height);
  const long dpi = long(ExportDpi(img.header.xPelsPerMeter)) * 65536;
  const bool plain = k == ExportClass::kBilevel || k == ExportClass::kGrey;
  const int bits = k == ExportClass::kBilevel ? 1 : 8;
  const size_t rowBytes = plain ? (size_t(w) * bits + 7) / 8 : 4 * size_t(w);
  const long data = long(rowBytes) * h;
  if (plain) {
    ExportPutText(out, Format("%%%%ImageData: %ld %ld %d 1 0 %d 1 \"beginimage\"\n%%%%ImageStyle: 1 %ld 1 2 2\n",
                              w, h, bits, int(rowBytes), dpi));
    ExportPutText(out, kGreyProlog);
    ExportPutText(out, Format("/pixels %ld def\n/lines %ld def\n/gimage %d string def\n", w, h, int(rowBytes)));
    ExportPutText(out, kGreyProcedure);
    ExportPutText(out, Format("72 65536 mul %ld div dup pixels mul exch lines mul scale\npixels lines %d "
                              "[pixels 0 0 lines neg 0 lines]\n%%%%BeginBinary: %ld\nbeginimage\n",
                              dpi, bits, data + 11));
  } else {
    ExportPutText(out, Format("%%%%ImageData: %ld %ld 8 3 1 %ld 1 \"displayimage\"\n%%%%ImageStyle: 1 %ld 1 2 2\n",
                              w, h, w, dpi));
    for (const char* t : kColourProlog) ExportPutText(out, t);
    ExportPutText(out, Format("/pixels %ld def\n/lines %ld def\n/rimage %ld string def\n/gimage %ld string def\n"
                              "/bimage %ld string def\n/kimage %ld string def\n",
                              w, h, w, w, w, w));
    ExportPutText(out, kColourProcedure);
    ExportPutText(out, Format("72 65536 mul %ld div dup pixels mul exch lines mul scale\npixels lines 8 "
                              "[pixels 0 0 lines neg 0 lines]\n%%%%BeginBinary: %ld\ndisplayimage\n",
                              dpi, data + 13));
  }
  const bool invert = k == ExportClass::kBilevel && ExportBilevelWhiteIsZero(img);
  std::vector<uint8_t> row(rowBytes);
  for (uint32_t y = 0; y < img.height; ++y) {
    const uint8_t* src = nullptr;
    const FileStatus st = BmpRowAt(rows, y, &src);
    if (st != FileStatus::kOk) return st;
    if (plain) {
      for (size_t i = 0; i < rowBytes; ++i) row[i] = invert ? uint8_t(~src[i]) : src[i];
    } else {
      uint8_t* r = row.data();
      uint8_t *g = r + w, *b = g + w, *kk = b + w;
      for (uint32_t x = 0; x < img.width; ++x) {
        uint8_t rgb[3];
        ExportPixelRgb(img, src, x, rgb);
        r[x] = rgb[0], g[x] = rgb[1], b[x] = rgb[2];
        kk[x] = uint8_t((rgb[1] * 59 + rgb[0] * 30 + rgb[2] * 11) / 100);
      }
    }
    ExportPut(out, row.data(), rowBytes);
    if (out->status != FileStatus::kOk) return out->status;
    if (!ProgressStep(progress, y + 1, img.height)) return FileStatus::kCancelled;
  }
  ExportPutText(out, kTrailer);
  return FileStatus::kOk;
}

void Put32(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

FileStatus Write(const WqIo& bmp, const WqIo& eps, std::string_view title, const std::tm& made,
                 const ProgressSink& progress) {
  BmpImage img;
  FileStatus st = BmpOpen(bmp, &img);
  if (st != FileStatus::kOk) return st;
  const ExportClass k = ExportClassOf(img);
  BmpRowCursor rows;
  st = BmpRowsBegin(&rows, bmp, img, kReadBlockBytes);
  if (st != FileStatus::kOk) return st;
  auto out = std::make_unique<ExportOut>();
  ExportOutBegin(out.get(), eps, kEpsHeaderBytes);
  st = EpsWritePreview(&rows, k, out.get());
  if (st != FileStatus::kOk) return st;
  const uint64_t preview = ExportTell(*out) - kEpsHeaderBytes;
  PutComments(out.get(), img, k, title, made);
  st = PutImage(out.get(), &rows, k, progress);
  if (st != FileStatus::kOk) return st;
  const uint64_t end = ExportTell(*out);
  st = ExportFlush(out.get());
  if (st != FileStatus::kOk) return st;
  if (end > 0xFFFFFFFFu) return FileStatus::kImageTooLarge;

  uint8_t header[kEpsHeaderBytes] = {0xC5, 0xD0, 0xD3, 0xC6};
  Put32(header + 4, kEpsHeaderBytes + preview);
  Put32(header + 8, end - (kEpsHeaderBytes + preview));
  Put32(header + 20, kEpsHeaderBytes);
  Put32(header + 24, preview);
  header[28] = header[29] = header[30] = header[31] = 0xFF;
  const IoStatus s = IoWrite(eps, 0, header, sizeof header);
  return s == IoStatus::kOk ? FileStatus::kOk : WriteFailure(s);
}

}  // namespace

FileStatus EpsWriteFromBmp(const WqIo& bmp, const WqIo& eps, std::string_view title, const std::tm& made,
                           const ProgressSink& progress) {
  try {
    return Write(bmp, eps, title, made, progress);
  } catch (const std::bad_alloc&) {
    return FileStatus::kNoMemory;
  }
}

FileStatus EpsWriteFile(const char* target, const char* sourceBmp, const ProgressSink& progress) {
  const std::tm now = ExportLocalTimeNow();
  std::string_view name(target);
  const size_t slash = name.find_last_of("\\/:");
  if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
  return ExportWriteFile(target, sourceBmp, [&](const WqIo& in, const WqIo& out) {
    return EpsWriteFromBmp(in, out, name, now, progress);
  });
}

}  // namespace wq
