// Colour matching: per-model correction tables read from ".CLM" files, the
// list of those files offered to the user, and the correction of pixels.
#pragma once
#include <cstddef>
#include <cstdint>

namespace wq {

// The file: 4 bytes not read, English title (20 bytes), Japanese title
// (20 bytes), u32 data length, then table A and table B, each 32768
// entries of three signed bytes indexed by a 15-bit colour.
constexpr size_t kClmHeaderBytes = 48;
constexpr uint32_t kClmHalfBytes = 98304;
constexpr uint32_t kClmTableBytes = 2 * kClmHalfBytes;
constexpr size_t kClmTitleBytes = 20;

enum ClmStatus {
  kClmOk = 0,
  kClmUnreadable,    // cannot be opened or read
  kClmShortHeader,   // fewer than 48 bytes
  kClmTooLong,       // the header claims more than the table holds
  kClmShortData,     // the file ends before the length the header claims
  kClmNoMemory,
};

struct ClmHeader {
  char English[kClmTitleBytes + 1];
  char Japanese[kClmTitleBytes + 1];
  uint32_t Length;
};

// Decodes the header from its 48 bytes (fewer: kClmShortHeader). A length
// above the two tables is refused.
ClmStatus ParseClmHeader(const uint8_t* bytes, size_t size, ClmHeader* header);
// A whole file image: header, then exactly the data it claims (a longer
// file keeps its tail unread). The tables (kClmTableBytes, zero beyond the
// data) are written to `table`.
ClmStatus ParseClmFile(const uint8_t* bytes, size_t size, uint8_t* table);

// The colour-matching list, one block as the user interface keeps it.
constexpr int kClmMaxEntries = 20;
constexpr uint16_t kClmNoneLoaded = 65535;
struct ColourMatchEntry {
  char Title[32];
  char FileName[32];
  uint32_t CommandId;
};
struct ColourMatchList {
  uint8_t Header[4];
  uint16_t Count;
  uint16_t Loaded;
  ColourMatchEntry Entries[kClmMaxEntries];
};
static_assert(sizeof(ColourMatchEntry) == 68);
static_assert(sizeof(ColourMatchList) == 1368);

// The list and the one table loaded from it.
struct ColourMatching {
  ColourMatchList* List;  // null: no files, colour matching unavailable
  uint8_t* Table;         // kClmTableBytes, null while none is loaded
  char Directory[260];    // where the files were found
};
extern ColourMatching g_ColourMatch;

// Lists the files matching `pattern` (a name pattern with its leading
// backslash) in `directory`: at most 20, titles in the chosen language,
// one ordering pass on the sixth character of the file name, menu
// commands from firstCommand on. False, and no list, when none is found.
bool BuildColourMatchListIn(const char* directory, const char* pattern, bool japanese,
                            uint32_t firstCommand);
// The same for the scanner model: the directory and pattern the string
// table gives (model indexes 0, 2 and 3 have files; others none).
bool BuildColourMatchList(int model, bool japanese, uint32_t firstCommand);
// Loads the entry's table (unless it is the one loaded). False when there
// is no list, no such entry, or its file cannot be read whole; no table is
// loaded then. On success `fileName` (32 bytes, may be null) receives the
// entry's file name.
bool SelectColourMatch(int index, char* fileName);
void ReleaseColourMatch();
// Drops the list and any table (the source closes).
void DiscardColourMatchList();

// One pixel: c0 is the pixel's third byte in memory, c2 its first.
void ColourMatchPixel(const uint8_t* table, uint8_t* c0, uint8_t* c1, uint8_t* c2);
// Every pixel of `rows` rows of `pixels` colour pixels, rows rowBytes apart.
void ColourMatchStrip(const uint8_t* table, uint8_t* buffer, size_t rowBytes, size_t rows,
                      size_t pixels);

}  // namespace wq

namespace wq {

struct ScanSettings;
// When the source opens: the list for the settings' model and the entry
// the settings choose (ColorMatch), its file name into ColorMatchFile.
// False when there is no list or the entry cannot be loaded.
bool OpenColourMatching(ScanSettings& settings, bool japanese);
// First command id of the colour-matching menu entries.
constexpr uint32_t kColourMatchFirstCommand = 10073;

}  // namespace wq
