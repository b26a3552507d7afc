// Feeder batches to numbered files: the ADF settings of the run, the page
// numbers and their four-digit texts, the proposed and checked batch file
// name, the name of each page, and the prompt texts whose blank fields are
// overwritten with the page, the page count and the file names.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace wq {

constexpr int kAdfAll = 222, kAdfPages = 223;
constexpr int kAdfScanSave = 225, kAdfScanDisplay = 226;
// The ADF Setting dialog's edits.
constexpr int kAdfEditPages = 230, kAdfEditStart = 231, kAdfEditIncrement = 232;

struct AdfSettings {
  int pageChoice = kAdfAll;
  int mode = kAdfScanSave;
  int pageCount = 1;     // 1-9999
  int startNumber = 1;   // 1-9999
  int increment = 1;     // 1-10
  std::string batchName; // full path of the page being saved
  int pagesScanned = 0;  // pages finished in the current batch
  int byteOrderCode = 1; // a TIFF batch's options: 1 Intel, 2 Motorola
  bool lzw = false;
};
extern AdfSettings g_Adf;

// The ADF Setting dialog's OK: the first edit whose text is not a number in
// its range (pages only with "Page", start and increment only with "Scan &
// Save"), or 0 when all hold and the values have been taken into `s`.
int AdfSettingsAccept(AdfSettings* s, int pageChoice, int mode, std::string_view pages,
                      std::string_view start, std::string_view increment);

// Page k (from 0) of a batch: start + increment x k; its text the last four digits.
int BatchPageNumber(const AdfSettings& s, int k);
std::string BatchNumberText(int n);
// "WQ-image" + the start number in four digits + ".BMP".
std::string BatchProposedName(int startNumber);
// The name of a feeder page's image window: "WQ-image" + the number in four digits.
std::string FeederImageName(int number);

// The save dialog's checks of a chosen name: 35 for an extension other
// than the five, 34 or 8 for a long path that the numbering does not fit
// (a path of 253 characters or more must end with the start number and be
// shorter than 257), else 0.
int CheckBatchName(std::string_view path, int startNumber);

// The name of the page numbered n: on the first page a name already ending
// in n keeps it, a shorter path gets the four digits appended, a long one
// has its last four characters replaced; later pages replace them.
std::string NameBatchPage(std::string_view batchName, int n, bool firstPage);

// The "Scanning page" field: pages scanned + 1 in four digits, "/" and the
// page count in four digits or "ALL".
std::string BatchPageField(const AdfSettings& s);
// The name and extension of the last page saved, or "" before the first.
std::string BatchLastSaved(const AdfSettings& s);

// Overwrites the blank fields of messages 5, 9, 32 and 36 in place: with
// `target` non-empty the first run of 16 or more blanks (names longer than
// 16 characters cut to 13 and "..."), then after the first "< ... : " the
// page field, after the second the last saved name (when there is one).
// Each insertion's end becomes a blank, so the rest of the text stays.
std::u16string FillBatchPrompt(std::u16string text, std::string_view target, std::string_view page,
                               std::string_view lastSaved);

}  // namespace wq
