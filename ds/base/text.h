// Texts of the data source's string table, reached through one loader that
// the Windows side fills with its resource loader and the tests with the
// table the resources are built from.
#pragma once
#include <cstddef>

namespace wq {

struct TextProcs {
  // Copies text `id` into buf (always terminated); returns its length, or 0
  // when the id does not exist.
  size_t (*Load)(int id, char* buf, size_t size) = [](int, char* buf, size_t size) -> size_t {
    if (size) buf[0] = 0;
    return 0;
  };
};
extern TextProcs g_Text;

// Text `id`, or the empty string when there is no loader or no such text.
size_t LoadText(int id, char* buf, size_t size);
template <size_t N>
inline size_t LoadText(int id, char (&buf)[N]) { return LoadText(id, buf, N); }

// Ids the code names.
namespace text {
constexpr int kManufacturer = 0;
constexpr int kProductFamily = 1;
constexpr int kProductName = 2;  // also the caption of the source's message boxes
constexpr int kVersionInfo = 3;
constexpr int kFallbackXferFile = 10;  // "\TWAIN\TWAIN000.TMP"
constexpr int kDefaultXferFile = 11;   // "\TWAIN_32\TWAIN000.TMP"
constexpr int kSourceDir = 14;         // "\TWAIN_32\WQSCAN32\"
constexpr int kToolLibrary = 21;
constexpr int kScannerLibrary = 24;
constexpr int kMainSettingsFile = 32;
constexpr int kPresetFiles[4] = {38, 40, 41, 45};  // by model index
constexpr int kGammaFiles[4] = {46, 48, 49, 53};
constexpr int kJapaneseOffset = 1000;  // message twin = id + 1000
constexpr int kFamilyPrefix = 18073;   // "KORVA   WQ"
}  // namespace text

// Messages shown by `ShowMessageById`.
namespace msg {
constexpr int kNoWorkMemory = 16000;
constexpr int kScannerChanged = 16006;
constexpr int kScannerError = 16010;
constexpr int kNoScanner = 16011;
constexpr int kAdfEmpty = 16021;
constexpr int kPaperJam = 16022;
constexpr int kAdfCoverOpenRead = 16023;
constexpr int kFsuOpenRead = 16024;
constexpr int kAdfCoverOpen = 16025;
constexpr int kAdfWillLoad = 16026;
constexpr int kImageTooLong = 16027;
constexpr int kNoXferMemory = 16028;
constexpr int kNoScsiManager = 16029;
constexpr int kNoDosMemory = 16030;
constexpr int kAdfUnitOpen = 16040;
constexpr int kFsuUnitOpen = 16041;
constexpr int kAdfUnitOpenRead = 16042;
constexpr int kFilmMisplaced = 16043;
constexpr int kFilmOrBoardMisplaced = 16044;
constexpr int kDiskError = 16045;     // "%s": the drive, in quotes
constexpr int kGammaFileLocked = 16033;   // "%s": the file that cannot be written
constexpr int kGammaFileRefused = 16046;  // "%s": a file that is no gamma table
constexpr int kNoDiskSpace = 16005;
}  // namespace msg

}  // namespace wq
