// TWACQUIRE's command line: what to acquire, from which source, by which
// transfer, into which files; the page files' names; the texts of the
// condition codes a failure is reported with.
#pragma once
#include <cstdint>
#include <string>

#include "twain/twain.h"

namespace wq {

enum class XferMech : uint8_t { kNative, kMemory, kFile };
enum class PageFormat : uint8_t { kBmp, kTiff };
// The source manager: the one a Windows application of this word size
// loads first (TWAINDSM.DLL where there is one, else TWAIN_32.DLL), or one
// of the two by name.
enum class ManagerChoice : uint8_t { kDefault, kTwainDsm, kTwain32 };

struct AcquireOptions {
  bool List = false;                   // --list: the sources, nothing else
  bool Help = false;
  std::string Source = "KORVA TWAIN32";
  ManagerChoice Manager = ManagerChoice::kDefault;
  bool Saved = false;                  // --saved: the source's own mode and resolution
  uint16_t PixelType = TWPT_RGB;
  double Dpi = 150;
  bool HasFrame = false;
  double Frame[4] = {0, 0, 0, 0};      // left, top, right, bottom in inches
  bool HasBrightness = false, HasContrast = false, HasThreshold = false;
  double Brightness = 0, Contrast = 0, Threshold = 128;
  XferMech Mechanism = XferMech::kNative;
  bool Feeder = false;
  int Pages = 1;                       // with the feeder: 0 for all it holds
  std::string Output = "scan###.bmp";  // '#'s become the page number
  PageFormat Format = PageFormat::kBmp;
  int TimeoutSeconds = 60;             // for the source to offer a page
};

// False with a one-line reason for anything it does not understand.
bool ParseAcquireOptions(int argc, const char* const* argv, AcquireOptions* o, std::string* error);
const char* AcquireUsage();

// The file of page `page` (1-based): the run of '#' in the name becomes the
// number, zero-padded to the run's length; a name without '#' is used as
// it stands for the first page and gets "-N" before its extension after.
std::string PageFileName(const std::string& pattern, int page);

// The format a file name asks for by its extension (.bmp, .dib, .tif,
// .tiff, any case); false for anything else.
bool FormatOfName(const std::string& name, PageFormat* format);

// "TWCC_BADVALUE" and the like; "condition N" for codes TWAIN does not
// define.
std::string ConditionName(uint16_t cc);

// The process exit status of a failure: the source's condition code when
// it gave one, else 1. Bad command lines exit with 64.
constexpr int kExitUsage = 64;
constexpr int FailureExitCode(uint16_t cc) { return cc ? cc : 1; }

TW_FIX32 ToFix32(double v);

}  // namespace wq
