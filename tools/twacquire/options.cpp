// TWACQUIRE's command line parsed with a reason for every refusal, the page
// format from the file name, page file names from '#' or a "-N" suffix,
// condition-code names, and TW_FIX32 from a real number.
#include "tools/twacquire/options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace wq {
namespace {

bool Number(const char* text, double lo, double hi, double* out) {
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  if (end == text || *end || !std::isfinite(v) || v < lo || v > hi) return false;
  *out = v;
  return true;
}

std::string Lower(std::string s) {
  for (char& c : s) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return s;
}

}  // namespace

const char* AcquireUsage() {
  return "usage: TWACQUIRE [--list] [--manager twaindsm|twain_32] [--source NAME]\n"
         "                 [--mode bw|gray|palette|color] [--dpi N]\n"
         "                 [--frame L,T,R,B] [--brightness N] [--contrast N] [--threshold N]\n"
         "                 [--xfer native|memory|file] [--feeder [N|all]] [--output FILE]\n"
         "                 [--timeout SECONDS] [--saved]\n"
         "  frame in inches; '#' in FILE is the page number (default scan###.bmp);\n"
         "  .bmp or .tif; defaults: \"KORVA TWAIN32\", color, 150 dpi, native, one page;\n"
         "  the manager is TWAINDSM.DLL where the system has one, else TWAIN_32.DLL;\n"
         "  --saved keeps the mode and resolution the source has saved\n";
}

bool ParseAcquireOptions(int argc, const char* const* argv, AcquireOptions* o, std::string* error) {
  auto fail = [error](const std::string& why) {
    *error = why;
    return false;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    auto needs = [&] {
      if (!value) return false;
      ++i;
      return true;
    };
    double v = 0;
    if (a == "--list" || a == "-l") {
      o->List = true;
    } else if (a == "--saved") {
      o->Saved = true;
    } else if (a == "--help" || a == "-h" || a == "/?") {
      o->Help = true;
    } else if (a == "--source" || a == "-s") {
      if (!needs() || !*value) return fail("--source needs a product name");
      if (std::strlen(value) > 33) return fail("a product name has at most 33 characters");
      o->Source = value;
    } else if (a == "--manager") {
      if (!needs()) return fail("--manager needs twaindsm or twain_32");
      const std::string m = Lower(value);
      if (m == "twaindsm" || m == "twaindsm.dll") o->Manager = ManagerChoice::kTwainDsm;
      else if (m == "twain_32" || m == "twain_32.dll") o->Manager = ManagerChoice::kTwain32;
      else return fail("unknown manager \"" + m + "\" (twaindsm, twain_32)");
    } else if (a == "--mode" || a == "-m") {
      if (!needs()) return fail("--mode needs bw, gray, palette or color");
      const std::string m = Lower(value);
      if (m == "bw" || m == "lineart") o->PixelType = TWPT_BW;
      else if (m == "gray" || m == "grey") o->PixelType = TWPT_GRAY;
      else if (m == "palette") o->PixelType = TWPT_PALETTE;
      else if (m == "color" || m == "colour" || m == "rgb") o->PixelType = TWPT_RGB;
      else return fail("unknown mode \"" + m + "\" (bw, gray, palette, color)");
    } else if (a == "--dpi" || a == "-r") {
      if (!needs() || !Number(value, 1, 9600, &o->Dpi))
        return fail("--dpi needs a resolution from 1 to 9600");
    } else if (a == "--frame" || a == "-f") {
      double f[4];
      char tail = 0;
      if (!needs() ||
          std::sscanf(value, "%lf,%lf,%lf,%lf%c", &f[0], &f[1], &f[2], &f[3], &tail) != 4)
        return fail("--frame needs left,top,right,bottom in inches");
      for (double x : f)
        if (!std::isfinite(x) || x < 0 || x > 100) return fail("--frame: values from 0 to 100 inches");
      if (f[2] <= f[0] || f[3] <= f[1]) return fail("--frame: right and bottom must lie beyond left and top");
      std::memcpy(o->Frame, f, sizeof f);
      o->HasFrame = true;
    } else if (a == "--brightness") {
      if (!needs() || !Number(value, -1000, 1000, &o->Brightness))
        return fail("--brightness needs a value from -1000 to 1000");
      o->HasBrightness = true;
    } else if (a == "--contrast") {
      if (!needs() || !Number(value, -1000, 1000, &o->Contrast))
        return fail("--contrast needs a value from -1000 to 1000");
      o->HasContrast = true;
    } else if (a == "--threshold") {
      if (!needs() || !Number(value, 0, 255, &o->Threshold))
        return fail("--threshold needs a value from 0 to 255");
      o->HasThreshold = true;
    } else if (a == "--xfer" || a == "-x") {
      if (!needs()) return fail("--xfer needs native, memory or file");
      const std::string m = Lower(value);
      if (m == "native") o->Mechanism = XferMech::kNative;
      else if (m == "memory") o->Mechanism = XferMech::kMemory;
      else if (m == "file") o->Mechanism = XferMech::kFile;
      else return fail("unknown transfer \"" + m + "\" (native, memory, file)");
    } else if (a == "--feeder") {
      o->Feeder = true;
      o->Pages = 0;
      // The count is optional: "--feeder 3", "--feeder all" or "--feeder".
      if (value && Lower(value) == "all") {
        ++i;
      } else if (value && value[0] >= '0' && value[0] <= '9') {
        ++i;
        if (!Number(value, 1, 32767, &v) || v != std::floor(v))
          return fail("--feeder needs a page count from 1 to 32767 or \"all\"");
        o->Pages = int(v);
      }
    } else if (a == "--output" || a == "-o") {
      if (!needs() || !*value) return fail("--output needs a file name");
      o->Output = value;
    } else if (a == "--timeout") {
      if (!needs() || !Number(value, 1, 3600, &v)) return fail("--timeout needs 1 to 3600 seconds");
      o->TimeoutSeconds = int(v);
    } else {
      return fail("unknown argument \"" + a + "\"");
    }
  }
  if (!FormatOfName(o->Output, &o->Format))
    return fail("the output file must end in .bmp or .tif (\"" + o->Output + "\")");
  return true;
}

bool FormatOfName(const std::string& name, PageFormat* format) {
  const size_t dot = name.find_last_of('.');
  const size_t slash = name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  const std::string ext = Lower(name.substr(dot + 1));
  if (ext == "bmp" || ext == "dib") *format = PageFormat::kBmp;
  else if (ext == "tif" || ext == "tiff") *format = PageFormat::kTiff;
  else return false;
  return true;
}

std::string PageFileName(const std::string& pattern, int page) {
  const size_t slash = pattern.find_last_of("/\\");
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t first = pattern.find('#', nameStart);
  if (first != std::string::npos) {
    size_t last = first;
    while (last < pattern.size() && pattern[last] == '#') ++last;
    std::string number = std::to_string(page);
    if (number.size() < last - first) number.insert(0, last - first - number.size(), '0');
    return pattern.substr(0, first) + number + pattern.substr(last);
  }
  if (page == 1) return pattern;
  size_t dot = pattern.find_last_of('.');
  if (dot == std::string::npos || dot < nameStart) dot = pattern.size();
  return pattern.substr(0, dot) + "-" + std::to_string(page) + pattern.substr(dot);
}

std::string ConditionName(uint16_t cc) {
  static const char* const kNames[] = {
      "TWCC_SUCCESS",     "TWCC_BUMMER",       "TWCC_LOWMEMORY",    "TWCC_NODS",
      "TWCC_MAXCONNECTIONS", "TWCC_OPERATIONERROR", "TWCC_BADCAP",  "",
      "",                 "TWCC_BADPROTOCOL",  "TWCC_BADVALUE",     "TWCC_SEQERROR",
      "TWCC_BADDEST",     "TWCC_CAPUNSUPPORTED", "TWCC_CAPBADOPERATION", "TWCC_CAPSEQERROR"};
  if (cc < sizeof kNames / sizeof kNames[0] && kNames[cc][0]) return kNames[cc];
  return "condition " + std::to_string(cc);
}

TW_FIX32 ToFix32(double v) {
  const int32_t bits = int32_t(std::lround(v * 65536.0));
  TW_FIX32 f;
  f.Whole = TW_INT16(bits >> 16);
  f.Frac = TW_UINT16(bits & 0xFFFF);
  return f;
}

}  // namespace wq
