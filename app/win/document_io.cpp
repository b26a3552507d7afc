// Documents and their files: Open (with the TIFF conversion), new image
// windows, Save and Save As, scans arriving from the acquisition, zoom and
// screen fit.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "app/file_messages.h"
#include "app/app_text.h"
#include "app/batch.h"
#include "imagefile/bmp_reader.h"
#include "imagefile/eps_writer.h"
#include "imagefile/pcx_writer.h"
#include "imagefile/tga_writer.h"
#include "app/file_types.h"
#include "imagefile/tiff_to_bmp.h"
#include "imagefile/tiff_writer.h"
#include "app/transfer.h"
#include "app/view_math.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"
#include "common/io_file.h"
#include "common/strutil.h"

uint64_t FreeBytes(char drive) {
  const char root[4] = {drive, ':', '\\', 0};
  ULARGE_INTEGER free{};
  return GetDiskFreeSpaceExA(root, &free, nullptr, nullptr) ? free.QuadPart : 0;
}

uint64_t FileBytes(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
  return (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

namespace {

char DriveOf(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' ? path[0] : g_app.workDirectory[0];
}

void ShowFileStatus(wq::FileStatus status, char drive) {
  const int n = wq::FileStatusMessage(status);
  if (n >= 0) ShowAppMessageForDrive(n, drive);
}

}  // namespace

HWND ChildShowing(const std::string& path) {
  for (HWND c = GetWindow(g_app.client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    bool same = false;
    if (wq::ImageDocument* doc = LockDocument(c)) {
      same = wq::SamePath(doc->displayPath, path);
      UnlockDocument(c);
    }
    if (same) return c;
  }
  return nullptr;
}

namespace {

bool SourceInUse(const std::string& path) {
  for (HWND c = GetWindow(g_app.client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    bool same = false;
    if (wq::ImageDocument* doc = LockDocument(c)) {
      same = wq::SamePath(doc->sourcePath, path);
      UnlockDocument(c);
    }
    if (same) return true;
  }
  return false;
}

// The work file of a TIFF; a second TIFF of the same name elsewhere gets
// its own rather than overwriting the one an open window shows.
std::string TiffWorkFile(const std::string& tiff) {
  const std::string base = wq::TiffWorkFileName(g_app.workDirectory, tiff);
  std::string name = base;
  for (int n = 2; SourceInUse(name) && n < 1000; ++n)
    name = base.substr(0, base.size() - 4) + "~" + std::to_string(n) + ".$T$";
  return name;
}

// The header block of a document: BITMAPINFOHEADER and its colour table.
HGLOBAL HeaderBlock(const wq::BmpImage& img) {
  const size_t colours = img.colours;
  HGLOBAL h = GlobalAlloc(GHND, sizeof(BITMAPINFOHEADER) + colours * 4);
  auto* p = h ? static_cast<uint8_t*>(GlobalLock(h)) : nullptr;
  if (!p) {
    if (h) GlobalFree(h);
    return nullptr;
  }
  auto* bi = reinterpret_cast<BITMAPINFOHEADER*>(p);
  bi->biSize = sizeof(BITMAPINFOHEADER);
  bi->biWidth = LONG(img.width);
  bi->biHeight = img.topDown ? -LONG(img.height) : LONG(img.height);
  bi->biPlanes = 1;
  bi->biBitCount = img.bits;
  bi->biCompression = BI_RGB;
  bi->biSizeImage = DWORD(img.stride * img.height);
  bi->biXPelsPerMeter = img.header.xPelsPerMeter;
  bi->biYPelsPerMeter = img.header.yPelsPerMeter;
  bi->biClrUsed = img.colours;
  std::memcpy(p + sizeof(BITMAPINFOHEADER), img.colourTable.data(), colours * 4);
  GlobalUnlock(h);
  return h;
}

}  // namespace

wq::FileStatus CopyBmp(const char* source, const char* target) {
  wq::FileReader in;
  wq::IoStatus s = wq::FileReaderOpen(&in, source);
  if (s != wq::IoStatus::kOk) return wq::ReadFailure(s);
  wq::FileWriter out;
  s = wq::FileWriterCreate(&out, target);
  if (s != wq::IoStatus::kOk) {
    wq::FileReaderClose(&in);
    return wq::WriteFailure(s);
  }
  wq::FileWriterGuard guard{&out};
  const wq::WqIo rio = wq::FileReaderIo(&in), wio = wq::FileWriterIo(&out);
  const wq::ProgressSink progress = StatusProgressSink();
  std::vector<uint8_t> buffer(256 * 1024);
  const uint64_t size = in.size;
  const uint32_t total = uint32_t((size + buffer.size() - 1) / buffer.size());
  wq::FileStatus status = wq::FileStatus::kOk;
  uint32_t done = 0;
  for (uint64_t at = 0; at < size; at += buffer.size()) {
    const size_t n = size_t(std::min<uint64_t>(buffer.size(), size - at));
    if ((s = wq::IoReadExact(rio, at, buffer.data(), n)) != wq::IoStatus::kOk) {
      status = wq::ReadFailure(s);
      break;
    }
    if ((s = wq::IoWrite(wio, at, buffer.data(), n)) != wq::IoStatus::kOk) {
      status = wq::WriteFailure(s);
      break;
    }
    if (!wq::ProgressStep(progress, ++done, total)) {
      status = wq::FileStatus::kCancelled;
      break;
    }
  }
  wq::FileReaderClose(&in);
  if (status != wq::FileStatus::kOk) return status;  // the guard drops the temporary file
  s = wq::FileWriterCommit(&out);
  return s == wq::IoStatus::kOk ? status : wq::WriteFailure(s);
}


HWND CreateImageWindow(const ChildCreate& create) {
  const auto* bi = static_cast<const BITMAPINFOHEADER*>(GlobalLock(create.header));
  if (!bi) {
    GlobalFree(create.header);
    ShowAppMessage(18);
    return nullptr;
  }
  const long width = bi->biWidth, height = bi->biHeight < 0 ? -bi->biHeight : bi->biHeight;
  GlobalUnlock(create.header);
  if (width >= 32768 || height >= 32768) {
    GlobalFree(create.header);
    ShowAppMessage(41);
    return nullptr;
  }
  // The window fits the image, within the client area.
  RECT r{0, 0, int(width), int(height)};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL, FALSE, WS_EX_MDICHILD);
  RECT client;
  GetClientRect(g_app.client, &client);
  const int cx = std::min<int>(r.right - r.left, client.right);
  const int cy = std::min<int>(r.bottom - r.top, client.bottom);
  const std::string narrowTitle = wq::ZoomTitle(wq::FileTitle(create.displayPath), 0);
  const std::wstring title(narrowTitle.begin(), narrowTitle.end());
  MDICREATESTRUCTW mcs{};
  mcs.szClass = L"MyDIBMDI";
  mcs.szTitle = title.c_str();
  mcs.hOwner = g_app.instance;
  const bool first = g_app.documents == 0;
  mcs.x = first ? 0 : CW_USEDEFAULT;
  mcs.y = first ? 0 : CW_USEDEFAULT;
  mcs.cx = cx;
  mcs.cy = cy;
  mcs.lParam = reinterpret_cast<LPARAM>(&create);
  HWND child = reinterpret_cast<HWND>(SendMessageW(g_app.client, WM_MDICREATE, 0,
                                                   reinterpret_cast<LPARAM>(&mcs)));
  GlobalFree(create.header);
  if (!child) {
    ShowAppMessage(19);
    return nullptr;
  }
  LoadDocumentState(child);
  return child;
}

void OpenCommand() {
  const std::string path = AskOpenPath(g_app.frame);
  if (path.empty()) return;
  const wq::FileKind kind = wq::KindOfPath(path);
  RememberFileDialog(path.c_str(), kind == wq::FileKind::kTiff ? "TIF" : "BMP");
  if (HWND open = ChildShowing(path)) {
    SendMessageW(g_app.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(open), 0);
    ShowAppMessage(12);
    return;
  }
  std::string source = path;
  bool owns = false;
  wq::TiffSourceInfo info;
  if (kind == wq::FileKind::kTiff) {
    if (FreeBytes(g_app.workDirectory[0]) < FileBytes(path.c_str())) {
      ShowAppMessageForDrive(33, g_app.workDirectory[0]);
      return;
    }
    uint8_t head[8] = {};
    DWORD got = 0;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f != INVALID_HANDLE_VALUE) {
      ReadFile(f, head, 8, &got, nullptr);
      CloseHandle(f);
    }
    const bool intel = head[0] == 'I' && head[1] == 'I' && head[2] == 42 && head[3] == 0;
    const bool motorola = head[0] == 'M' && head[1] == 'M' && head[2] == 0 && head[3] == 42;
    if (got < 8 || !(intel || motorola)) {
      ShowAppMessage(11);
      return;
    }
    source = TiffWorkFile(path);
    StatusCaption(1, path.c_str());
    const wq::FileStatus status =
        wq::TiffConvertFile(source.c_str(), path.c_str(), StatusProgressSink(), &info);
    StatusSetMessage(L"");
    if (status != wq::FileStatus::kOk) {
      ShowFileStatus(status, g_app.workDirectory[0]);
      return;
    }
    owns = true;
  }

  wq::FileReader file;
  wq::BmpImage img;
  wq::FileStatus status = wq::FileStatus::kReadError;
  if (wq::FileReaderOpen(&file, source.c_str()) == wq::IoStatus::kOk) {
    status = wq::BmpOpen(wq::FileReaderIo(&file), &img);
    wq::FileReaderClose(&file);
  }
  HGLOBAL header = status == wq::FileStatus::kOk ? HeaderBlock(img) : nullptr;
  if (status == wq::FileStatus::kOk && !header) status = wq::FileStatus::kNoMemory;
  if (status != wq::FileStatus::kOk) {
    if (owns) DeleteFileA(source.c_str());
    ShowFileStatus(status, DriveOf(source));
    return;
  }
  ChildCreate create;
  create.header = header;
  create.sourcePath = source.c_str();
  create.displayPath = path.c_str();
  create.openedFromFile = true;
  create.ownsSource = owns;
  create.byteOrderCode = info.byteOrderCode;
  create.lzw = info.lzw;
  create.pixelBytes = img.stride * img.height;
  if (!CreateImageWindow(create) && owns) DeleteFileA(source.c_str());
}

bool WriteImageFile(const std::string& source, const std::string& target, int byteOrder, bool lzw) {
  const wq::FileKind kind = wq::KindOfPath(target);
  wq::FileStatus status;
  StatusCaption(2, target.c_str());
  if (kind == wq::FileKind::kTiff) {
    status = wq::TiffWriteFile(target.c_str(), source.c_str(), byteOrder, lzw, StatusProgressSink());
  } else if (kind == wq::FileKind::kBmp || kind == wq::FileKind::kOther) {
    StatusSetSize(FileBytes(source.c_str()));
    status = CopyBmp(source.c_str(), target.c_str());
  } else {
    StatusSetSize(FileBytes(source.c_str()));
    const wq::ProgressSink progress = StatusProgressSink();
    status = kind == wq::FileKind::kEps   ? wq::EpsWriteFile(target.c_str(), source.c_str(), progress)
             : kind == wq::FileKind::kPcx ? wq::PcxWriteFile(target.c_str(), source.c_str(), progress)
                                          : wq::TgaWriteFile(target.c_str(), source.c_str(), progress);
    StatusSetMessage(L"");
    if (status != wq::FileStatus::kOk) {
      // A source that cannot be read names its own drive.
      const int n = wq::ExportStatusMessage(status);
      if (n >= 0) ShowAppMessageForDrive(n, DriveOf(status == wq::FileStatus::kReadError ? source : target));
      return false;
    }
  }
  StatusSetMessage(L"");
  if (status != wq::FileStatus::kOk) {
    ShowFileStatus(status, DriveOf(target));
    return false;
  }
  return true;
}

bool SaveCommand(HWND child, bool asNew) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return false;
  const wq::ImageDocument d = *doc;  // the dialogs below run message loops
  UnlockDocument(child);
  // An edited image lives in its work file.
  const std::string source = wq::CurrentImagePath(d, g_app.workDirectory);
  std::string target = d.displayPath;
  if (asNew || !d.openedFromFile) {
    target = AskSavePath(g_app.frame, d.displayPath, d.bitCount);
    if (target.empty()) return false;
  }
  const wq::FileKind kind = wq::KindOfPath(target);
  int byteOrder = d.byteOrderCode;
  bool lzw = false;
  if (kind == wq::FileKind::kTiff && (asNew || !d.openedFromFile)) {
    lzw = d.lzw;
    if (!AskTiffOptions(g_app.frame, &byteOrder, &lzw)) return false;
  }
  if (!WriteImageFile(source, target, byteOrder, lzw)) return false;
  if (kind == wq::FileKind::kTiff) RememberTiffOption(byteOrder);
  if ((doc = LockDocument(child)) != nullptr) {
    doc->view.modFlags = wq::kModClean;
    wq::CopyString(doc->displayPath, target.c_str());
    doc->openedFromFile = true;  // from now on it has a file of its own
    // Saved over its own temporary file: that file is now the user's.
    if (wq::SamePath(doc->sourcePath, target)) doc->ownsSource = false;
    if (kind == wq::FileKind::kTiff) {
      doc->lzw = lzw;
      doc->byteOrderCode = byteOrder;
    }
    SetChildTitle(child, *doc);
    UnlockDocument(child);
  }
  if (child == ActiveChild()) g_app.modFlags = wq::kModClean;
  RememberFileDialog(target.c_str(), wq::FileKindName(kind));
  return true;
}

bool ScannedImageArrived(HGLOBAL header) {
  wq::TwainLink& link = g_app.twain;
  const bool feeder = link.adfChoice == wq::kAdfUse;
  const std::string name = feeder ? wq::FeederImageName(link.feederPageCount + 1)
                                  : wq::ScannedImageName(link.singlePageCount + 1);
  const std::string path = std::string(g_app.workDirectory) + name;
  const std::string scan = std::string(g_app.workDirectory) + wq::kScanFileName;
  DeleteFileA(path.c_str());
  if (!MoveFileExA(scan.c_str(), path.c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_REPLACE_EXISTING)) {
    GlobalFree(header);
    ShowAppMessageForDrive(13, g_app.workDirectory[0]);
    return false;
  }
  if (feeder && wq::g_Adf.mode == wq::kAdfScanSave) {
    // Straight to its numbered file; no window.
    GlobalFree(header);
    const bool saved = WriteImageFile(path, wq::g_Adf.batchName, wq::g_Adf.byteOrderCode, wq::g_Adf.lzw);
    DeleteFileA(path.c_str());
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return saved;
  }
  ++(feeder ? link.feederPageCount : link.singlePageCount);
  const uint64_t bytes = FileBytes(path.c_str());
  if (bytes == 0) {
    GlobalFree(header);
    DeleteFileA(path.c_str());
    ShowAppMessageForDrive(13, g_app.workDirectory[0]);
    return false;
  }
  uint64_t pixels = 0;
  if (const auto* bi = static_cast<const BITMAPINFOHEADER*>(GlobalLock(header))) {
    pixels = bi->biSizeImage;
    GlobalUnlock(header);
  }
  ChildCreate create;
  create.header = header;
  create.sourcePath = path.c_str();
  create.displayPath = path.c_str();
  create.openedFromFile = false;
  create.ownsSource = true;
  create.pixelBytes = pixels;
  if (CreateImageWindow(create)) return true;
  DeleteFileA(path.c_str());
  return false;
}

void ZoomCommand(HWND child, int step) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  MEMORYSTATUSEX mem{};
  mem.dwLength = sizeof mem;
  GlobalMemoryStatusEx(&mem);
  if (!wq::ZoomMemoryOk(mem.ullAvailPhys, wq::BmpStride(doc->bitCount, doc->width), step)) {
    UnlockDocument(child);
    ShowAppMessage(17);
    return;
  }
  // Keep the middle of the window where it was.
  RECT rc;
  GetClientRect(child, &rc);
  const int old = doc->view.zoomStep;
  auto keep = [&](uint32_t pos, int client, uint32_t length) {
    const double centre = (pos + client / 2.0) / double(wq::ZoomedLength(length, old));
    const double next = centre * double(wq::ZoomedLength(length, step)) - client / 2.0;
    return uint32_t(std::max(0.0, next));
  };
  doc->scrollX = keep(doc->scrollX, rc.right, doc->width);
  doc->scrollY = keep(doc->scrollY, rc.bottom, doc->height);
  doc->view.zoomStep = step;
  doc->view.fitFlag = 0;
  SetChildTitle(child, *doc);
  UpdateScrollRanges(child, doc);
  UnlockDocument(child);
  g_app.zoomStep = step;
  g_app.fitFlag = 0;
  ToolBoxFollowZoom();
  InvalidateRect(child, nullptr, FALSE);
}

void FitCommand(HWND child) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  if (doc->view.fitFlag) {
    doc->view.fitFlag = 0;
    g_app.fitFlag = 0;
    UnlockDocument(child);
    return;
  }
  RECT client, frame{0, 0, 0, 0};
  GetClientRect(g_app.client, &client);
  const DWORD style = DWORD(GetWindowLongPtrW(child, GWL_STYLE)) & ~DWORD(WS_HSCROLL | WS_VSCROLL);
  AdjustWindowRectEx(&frame, style, FALSE, DWORD(GetWindowLongPtrW(child, GWL_EXSTYLE)));
  const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
  const int step = wq::FitZoomStep(uint32_t(std::max(1, int(client.right) - fw)),
                                   uint32_t(std::max(1, int(client.bottom) - fh)), doc->width,
                                   doc->height);
  const uint32_t w = doc->width, h = doc->height;
  UnlockDocument(child);
  ZoomCommand(child, step);
  if ((doc = LockDocument(child)) == nullptr) return;
  if (doc->view.zoomStep == step) {
    doc->view.fitFlag = 8;
    g_app.fitFlag = 8;
  }
  UnlockDocument(child);
  SetWindowPos(child, nullptr, 0, 0, int(wq::ZoomedLength(w, step)) + fw,
               int(wq::ZoomedLength(h, step)) + fh, SWP_NOZORDER | SWP_NOACTIVATE);
}
