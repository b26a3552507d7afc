// The file types of the Open and Save As dialogs: their filter lists, the
// extension a typed name gets, and which writer a target's extension picks.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wq {

enum class FileKind : uint8_t { kBmp, kTiff, kEps, kPcx, kTarga, kOther };

struct FileType {
  FileKind kind;
  const char* label;    // "BMP (*.BMP)"
  const char* pattern;  // "*.BMP"
  const char* ext;      // ".BMP"
};

// The kind a target's extension asks for (case-insensitive); anything
// else is kOther, which is saved as a BMP copy.
FileKind KindOfPath(std::string_view path);

// The type the settings file remembers for a kind: "BMP", "TIF", "EPS", "PCX", "TGA".
const char* FileKindName(FileKind kind);

// Open: BMP and TIFF.
std::vector<FileType> OpenTypes();
// Save As: BMP, TIFF, EPSF, PCX, and Targa for 8 bits and more. Kinds for
// which `writable` says no are left out (their writers may be missing).
std::vector<FileType> SaveTypes(uint16_t bitCount, bool (*writable)(FileKind));

// A name without an extension gets ext ("SCAN" with ".TIF" gives SCAN.TIF).
std::string WithDefaultExtension(std::string_view path, std::string_view ext);

// The name with its extension replaced by ext, or ext added when it has none.
std::string WithExtension(std::string_view path, std::string_view ext);

// The filter string of the common dialogs: label, NUL, pattern, NUL, ...,
// NUL (returned with its embedded NULs).
std::string FilterString(const std::vector<FileType>& types);

}  // namespace wq
