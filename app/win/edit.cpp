// Changing an image window's picture: the Image menu's rotations and flips,
// the cut tool's crop and the free rotation, made on the document's work
// file with the picture before kept as the undo copy, and undo (a second
// time redo) by exchanging the two.
#include <windows.h>

#include <string>

#include "app/file_messages.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"
#include "common/io_file.h"
#include "imagefile/bmp_reader.h"
#include "imageops/crop.h"
#include "imageops/rotate.h"
#include "imageops/turn.h"

namespace {

struct Files {
  std::string work, undo, swap;
};

Files FilesOf(const wq::ImageDocument& d) {
  return {wq::WorkFileName(g_app.workDirectory, d.number), wq::UndoFileName(g_app.workDirectory, d.number),
          g_app.swapPath};
}

// Renames a work file, waiting a little for another program (a virus
// scanner, a viewer) that has it open for a moment.
bool Rename(const std::string& from, const std::string& to) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (MoveFileA(from.c_str(), to.c_str())) return true;
    if (GetLastError() != ERROR_SHARING_VIOLATION && GetLastError() != ERROR_ACCESS_DENIED) return false;
    Sleep(50);
  }
  return false;
}

void ShowStatus(wq::FileStatus st) {
  const int n = wq::FileStatusMessage(st);
  if (n >= 0) ShowAppMessageForDrive(n, g_app.workDirectory[0]);
}

// The document takes the geometry of its current picture; the window, its
// title, scroll ranges and the frame's state follow.
void TakePicture(HWND child, const std::string& path, uint16_t undoCode, bool redo, uint16_t modFlags) {
  wq::BmpImage img;
  wq::FileReader f;
  bool read = false;
  if (wq::FileReaderOpen(&f, path.c_str()) == wq::IoStatus::kOk) {
    read = wq::BmpOpen(wq::FileReaderIo(&f), &img) == wq::FileStatus::kOk;
    wq::FileReaderClose(&f);
  }
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  doc->view.undoCode = undoCode;
  doc->view.redo = redo;
  doc->view.modFlags = modFlags;
  // A new picture: the tools' marks belonged to the old one.
  doc->hasSelection = false;
  doc->hasRefLine = false;
  KillTimer(child, IDT_SELECTION);
  if (read) {
    doc->width = uint16_t(img.width);
    doc->height = uint16_t(img.height);
    doc->pixelBytes = img.stride * img.height;
  }
  SetChildTitle(child, *doc);
  UpdateScrollRanges(child, doc);
  UnlockDocument(child);
  if (child == ActiveChild()) LoadDocumentState(child);
  InvalidateRect(child, nullptr, FALSE);
}

// The frame of every change: the first one copies the document's file into
// its work file; `op` writes the new picture from the work file into the
// swap file under its caption; then the picture before becomes the undo
// copy and the swap file the work file.
template <class Op>
void ChangePicture(HWND child, uint16_t code, int caption, Op op) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  const wq::ImageDocument d = *doc;
  UnlockDocument(child);
  const Files files = FilesOf(d);
  const char drive = g_app.workDirectory[0];
  const bool first = d.view.undoCode == wq::kUndoNothing;
  if (first) {
    if (FreeBytes(drive) < 2 * FileBytes(d.sourcePath)) {
      ShowAppMessageForDrive(33, drive);
      return;
    }
    StatusCaption(1, d.sourcePath);
    const wq::FileStatus st = CopyBmp(d.sourcePath, files.work.c_str());
    StatusSetMessage(L"");
    if (st != wq::FileStatus::kOk) {
      ShowStatus(st);
      return;
    }
  }
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  StatusCaption(caption, nullptr);
  const wq::FileStatus st = op(files.swap.c_str(), files.work.c_str(), StatusProgressSink());
  StatusSetMessage(L"");
  SetCursor(old);
  if (st != wq::FileStatus::kOk) {
    // Cancelled or failed: the picture and its undo copy stay as they were.
    if (first) DeleteFileA(files.work.c_str());
    ShowStatus(st);
    return;
  }
  DeleteFileA(files.undo.c_str());
  if (!Rename(files.work, files.undo) || !Rename(files.swap, files.work)) {
    if (GetFileAttributesA(files.work.c_str()) == INVALID_FILE_ATTRIBUTES) Rename(files.undo, files.work);
    DeleteFileA(files.swap.c_str());
    if (first) DeleteFileA(files.work.c_str());
    ShowAppMessageForDrive(13, drive);
    return;
  }
  TakePicture(child, files.work, code, false, wq::ModFlagsAfterEdit(d.view.modFlags));
}

}  // namespace

void EditCommand(HWND child, int command) {
  wq::Turn turn;
  uint16_t code;
  switch (command) {
    case IDM_ROTATERIGHT: turn = wq::Turn::kRight, code = wq::kUndoRotateRight; break;
    case IDM_ROTATELEFT: turn = wq::Turn::kLeft, code = wq::kUndoRotateLeft; break;
    case IDM_FLIPH: turn = wq::Turn::kHorizontal, code = wq::kUndoFlipHorizontal; break;
    case IDM_FLIPV: turn = wq::Turn::kVertical, code = wq::kUndoFlipVertical; break;
    default: return;
  }
  const bool rotation = turn == wq::Turn::kRight || turn == wq::Turn::kLeft;
  ChangePicture(child, code, rotation ? 3 : 4, [&](const char* target, const char* source, const wq::ProgressSink& p) {
    return wq::TurnBmpFile(target, source, turn, p);
  });
}

void CropCommand(HWND child, const wq::PixelRect& r) {
  ChangePicture(child, wq::kUndoCrop, 6, [&](const char* target, const char* source, const wq::ProgressSink& p) {
    return wq::CropBmpFile(target, source, wq::CropRect{r.x, r.y, r.width, r.height}, p);
  });
}

void FreeRotateCommand(HWND child, int degrees) {
  if (degrees % 360 == 0) return;  // parallel lines: nothing to do
  ChangePicture(child, wq::kUndoFreeRotation, 3, [&](const char* target, const char* source, const wq::ProgressSink& p) {
    // The outside takes the page's white.
    wq::BmpImage img;
    wq::FileReader f;
    uint32_t white = 0xFFFFFF;
    if (wq::FileReaderOpen(&f, source) == wq::IoStatus::kOk) {
      if (wq::BmpOpen(wq::FileReaderIo(&f), &img) == wq::FileStatus::kOk)
        white = wq::WhitestPixel(img.bits, img.colourTable.data(), img.colours);
      wq::FileReaderClose(&f);
    }
    return wq::RotateBmpFile(target, source, degrees, white, p);
  });
}

void UndoCommand(HWND child) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  const wq::ImageDocument d = *doc;
  UnlockDocument(child);
  if (d.view.undoCode == wq::kUndoNothing) return;
  const Files files = FilesOf(d);
  // The two pictures exchange their names through the swap file's.
  DeleteFileA(files.swap.c_str());
  if (!Rename(files.work, files.swap)) {
    ShowAppMessageForDrive(13, g_app.workDirectory[0]);
    return;
  }
  if (!Rename(files.undo, files.work)) {
    Rename(files.swap, files.work);
    ShowAppMessageForDrive(13, g_app.workDirectory[0]);
    return;
  }
  Rename(files.swap, files.undo);
  TakePicture(child, files.work, d.view.undoCode, !d.view.redo, wq::ModFlagsAfterUndo(d.view.modFlags));
}
