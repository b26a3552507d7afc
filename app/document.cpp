// Rules of an image document: the modification flags after an edit and an undo,
// when closing asks to save, the Undo and Redo item's text, and the names of
// its work files (WQtmpNNN.$$$ and its undo twin).
#include "app/document.h"

#include <cstdio>

namespace wq {

uint16_t ModFlagsAfterEdit(uint16_t flags) { return (flags & 1) ? (flags & 0x1000) : 0; }

uint16_t ModFlagsAfterUndo(uint16_t flags) {
  if (flags == kModClean) return 0x1000;
  if (flags & 0x1000) return kModClean;
  return 0;
}

bool AskOnClose(const ImageDocument& doc) {
  if (doc.loadFailed) return false;
  if (!doc.openedFromFile) return true;
  return !(doc.view.modFlags & 1) && doc.view.undoCode != kUndoNothing;
}

UndoText UndoMenuText(uint16_t undoCode, bool redo) {
  if (undoCode == kUndoNothing) return UndoText::kCantUndo;
  switch (undoCode >> 12) {
    case 1: return redo ? UndoText::kRedoFlip : UndoText::kUndoFlip;
    case 2: return redo ? UndoText::kRedoCrop : UndoText::kUndoCrop;
    default: return redo ? UndoText::kRedoRotate : UndoText::kUndoRotate;
  }
}

std::string WorkFileName(std::string_view workDirectory, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "WQtmp%03d.$$$", number);
  return std::string(workDirectory) + name;
}

std::string CurrentImagePath(const ImageDocument& doc, std::string_view workDirectory) {
  return doc.view.undoCode == kUndoNothing ? std::string(doc.sourcePath)
                                           : WorkFileName(workDirectory, doc.number);
}

std::string UndoFileName(std::string_view workDirectory, int number) {
  std::string path = WorkFileName(workDirectory, number);
  const int n = number % 1000;
  char ext[8];
  if (n < 10)
    std::snprintf(ext, sizeof ext, "$$%d", n);
  else if (n < 100)
    std::snprintf(ext, sizeof ext, "$%d", n);
  else
    std::snprintf(ext, sizeof ext, "%d", n);
  return path.substr(0, path.size() - 3) + ext;
}

std::string ScannedImageName(int number) { return "Scanned image No" + std::to_string(number); }

bool ScannedImagePathFits(std::string_view workDirectory, int number) {
  return workDirectory.size() + ScannedImageName(number).size() < 257;
}

bool SamePath(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = char(x - 32);
    if (y >= 'a' && y <= 'z') y = char(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace wq
