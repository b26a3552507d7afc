// The five file types of the dialogs (BMP, TIFF, EPSF, PCX, Targa): Open offers
// the first two, Save As those a writer exists for (no Targa below 8 bits), and
// a typed name without extension gets the chosen one.
#include "app/file_types.h"

#include "app/app_text.h"
#include "app/document.h"

namespace wq {
namespace {

constexpr FileType kTypes[] = {
    {FileKind::kBmp, "BMP (*.BMP)", "*.BMP", ".BMP"},
    {FileKind::kTiff, "TIFF (*.TIF)", "*.TIF", ".TIF"},
    {FileKind::kEps, "EPSF (*.EPS)", "*.EPS", ".EPS"},
    {FileKind::kPcx, "PCX (*.PCX)", "*.PCX", ".PCX"},
    {FileKind::kTarga, "Targa (*.TGA)", "*.TGA", ".TGA"},
};

}  // namespace

FileKind KindOfPath(std::string_view path) {
  const std::string_view title = FileTitle(path);
  const size_t dot = title.rfind('.');
  if (dot == std::string_view::npos) return FileKind::kOther;
  const std::string_view ext = title.substr(dot);
  for (const FileType& t : kTypes)
    if (SamePath(ext, t.ext)) return t.kind;
  return FileKind::kOther;
}

std::vector<FileType> OpenTypes() { return {kTypes[0], kTypes[1]}; }

const char* FileKindName(FileKind kind) {
  switch (kind) {
    case FileKind::kTiff: return "TIF";
    case FileKind::kEps: return "EPS";
    case FileKind::kPcx: return "PCX";
    case FileKind::kTarga: return "TGA";
    default: return "BMP";
  }
}

std::vector<FileType> SaveTypes(uint16_t bitCount, bool (*writable)(FileKind)) {
  std::vector<FileType> out;
  for (const FileType& t : kTypes) {
    if (t.kind == FileKind::kTarga && bitCount < 8) continue;
    if (writable && !writable(t.kind)) continue;
    out.push_back(t);
  }
  return out;
}

std::string WithExtension(std::string_view path, std::string_view ext) {
  const std::string_view title = FileTitle(path);
  const size_t dot = title.rfind('.');
  const size_t keep = dot == std::string_view::npos ? path.size() : path.size() - title.size() + dot;
  return std::string(path.substr(0, keep)) + std::string(ext);
}

std::string WithDefaultExtension(std::string_view path, std::string_view ext) {
  std::string out(path);
  if (FileTitle(path).find('.') == std::string_view::npos) out += ext;
  return out;
}

std::string FilterString(const std::vector<FileType>& types) {
  std::string out;
  for (const FileType& t : types) {
    out += t.label;
    out.push_back('\0');
    out += t.pattern;
    out.push_back('\0');
  }
  out.push_back('\0');
  return out;
}

}  // namespace wq
