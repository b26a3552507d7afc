// Image windows: one MDI child per document, its record, scrolling and
// palette.
#include <windows.h>

#include <algorithm>
#include <new>

#include "app/app_text.h"
#include "app/view_math.h"
#include "app/win/app_shell.h"
#include "app/win/resource.h"
#include "imagefile/bmp.h"
#include "common/strutil.h"

namespace {

HPALETTE PaletteOf(const BITMAPINFOHEADER* bi) {
  if (bi->biBitCount > 8) return nullptr;
  const uint32_t colours = bi->biClrUsed ? bi->biClrUsed : 1u << bi->biBitCount;
  if (colours == 0 || colours > 256) return nullptr;
  const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(bi) + bi->biSize);
  struct {
    WORD version, count;
    PALETTEENTRY entries[256];
  } pal{};
  pal.version = 0x300;
  pal.count = WORD(colours);
  for (uint32_t i = 0; i < colours; ++i)
    pal.entries[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&pal));
}

LRESULT OnCreate(HWND w, const CREATESTRUCTW* cs) {
  const auto* mcs = static_cast<const MDICREATESTRUCTW*>(cs->lpCreateParams);
  const auto* cc = reinterpret_cast<const ChildCreate*>(mcs->lParam);
  HGLOBAL h = GlobalAlloc(GHND, sizeof(wq::ImageDocument));
  void* p = h ? GlobalLock(h) : nullptr;
  const auto* bi = static_cast<const BITMAPINFOHEADER*>(GlobalLock(cc->header));
  if (!p || !bi) {
    if (bi) GlobalUnlock(cc->header);
    if (h) GlobalFree(h);
    ShowAppMessage(17);
    return -1;
  }
  auto* doc = new (p) wq::ImageDocument();
  doc->compression = bi->biCompression;
  doc->bitCount = bi->biBitCount;
  doc->width = uint16_t(bi->biWidth);
  doc->height = uint16_t(bi->biHeight < 0 ? -bi->biHeight : bi->biHeight);
  doc->palette = PaletteOf(bi);
  GlobalUnlock(cc->header);
  wq::CopyString(doc->sourcePath, cc->sourcePath);
  wq::CopyString(doc->displayPath, cc->displayPath);
  doc->byteOrderCode = cc->byteOrderCode;
  doc->lzw = cc->lzw;
  doc->number = g_app.nextDocument++;
  doc->view.modFlags = cc->openedFromFile ? wq::kModClean : 0;
  doc->pixelBytes = cc->pixelBytes;
  doc->openedFromFile = cc->openedFromFile;
  doc->ownsSource = cc->ownsSource;
  GlobalUnlock(h);
  SetWindowLongPtrW(w, 0, reinterpret_cast<LONG_PTR>(h));
  ++g_app.documents;
  return 0;
}

void OnDestroy(HWND w) {
  HGLOBAL h = reinterpret_cast<HGLOBAL>(GetWindowLongPtrW(w, 0));
  if (!h) return;
  if (auto* doc = static_cast<wq::ImageDocument*>(GlobalLock(h))) {
    const std::string work = wq::WorkFileName(g_app.workDirectory, doc->number);
    if (GetFileAttributesA(work.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(work.c_str()))
      ShowAppMessageForDrive(14, g_app.workDirectory[0]);
    DeleteFileA(wq::UndoFileName(g_app.workDirectory, doc->number).c_str());
    // Only files the document made itself: a scan, a converted TIFF.
    if (doc->ownsSource) DeleteFileA(doc->sourcePath);
    if (doc->palette) DeleteObject(static_cast<HPALETTE>(doc->palette));
    GlobalUnlock(h);
  }
  GlobalFree(h);
  SetWindowLongPtrW(w, 0, 0);
  --g_app.documents;
}

void OnScroll(HWND w, int bar, WORD code) {
  wq::ImageDocument* doc = LockDocument(w);
  if (!doc) return;
  RECT rc;
  GetClientRect(w, &rc);
  const bool h = bar == SB_HORZ;
  const uint32_t client = uint32_t(h ? rc.right : rc.bottom);
  const uint32_t range =
      wq::ScrollRange(wq::ZoomedLength(h ? doc->width : doc->height, doc->view.zoomStep), client);
  uint32_t& pos = h ? doc->scrollX : doc->scrollY;
  int64_t next = pos;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  switch (code) {
    case SB_LINEUP: next -= 16; break;
    case SB_LINEDOWN: next += 16; break;
    case SB_PAGEUP: next -= client; break;
    case SB_PAGEDOWN: next += client; break;
    case SB_TOP: next = 0; break;
    case SB_BOTTOM: next = range; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      GetScrollInfo(w, bar, &si);
      next = si.nTrackPos;
      break;
    default: break;
  }
  next = std::clamp<int64_t>(next, 0, range);
  const int delta = int(int64_t(pos) - next);
  pos = uint32_t(next);
  UnlockDocument(w);
  if (delta == 0) return;
  SetScrollPos(w, bar, int(next), TRUE);
  ScrollWindowEx(w, h ? delta : 0, h ? 0 : delta, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  UpdateWindow(w);
}

}  // namespace

wq::ImageDocument* LockDocument(HWND child) {
  HGLOBAL h = reinterpret_cast<HGLOBAL>(GetWindowLongPtrW(child, 0));
  if (!h) return nullptr;
  auto* doc = static_cast<wq::ImageDocument*>(GlobalLock(h));
  if (!doc) ShowAppMessage(18);
  return doc;
}

void UnlockDocument(HWND child) {
  if (HGLOBAL h = reinterpret_cast<HGLOBAL>(GetWindowLongPtrW(child, 0))) GlobalUnlock(h);
}

void SetChildTitle(HWND child, const wq::ImageDocument& doc) {
  SetWindowTextA(child, wq::ZoomTitle(wq::FileTitle(doc.displayPath), doc.view.zoomStep).c_str());
}

void UpdateScrollRanges(HWND child, wq::ImageDocument* doc) {
  RECT rc;
  GetClientRect(child, &rc);
  const struct {
    int bar;
    uint64_t zoomed;
    uint32_t client;
    uint32_t* pos;
  } axes[2] = {
      {SB_HORZ, wq::ZoomedLength(doc->width, doc->view.zoomStep), uint32_t(rc.right), &doc->scrollX},
      {SB_VERT, wq::ZoomedLength(doc->height, doc->view.zoomStep), uint32_t(rc.bottom), &doc->scrollY},
  };
  for (const auto& a : axes) {
    *a.pos = std::min(*a.pos, wq::ScrollRange(a.zoomed, a.client));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = int(std::min<uint64_t>(a.zoomed, 0x7FFFFFFF)) - 1;
    si.nPage = a.client;
    si.nPos = int(*a.pos);
    SetScrollInfo(child, a.bar, &si, TRUE);
  }
}

void ScrollImageTo(HWND child, int64_t x, int64_t y) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  RECT rc;
  GetClientRect(child, &rc);
  const uint32_t rangeX = wq::ScrollRange(wq::ZoomedLength(doc->width, doc->view.zoomStep), uint32_t(rc.right));
  const uint32_t rangeY = wq::ScrollRange(wq::ZoomedLength(doc->height, doc->view.zoomStep), uint32_t(rc.bottom));
  const uint32_t nx = uint32_t(std::clamp<int64_t>(x, 0, rangeX)), ny = uint32_t(std::clamp<int64_t>(y, 0, rangeY));
  const int dx = int(int64_t(doc->scrollX) - nx), dy = int(int64_t(doc->scrollY) - ny);
  doc->scrollX = nx;
  doc->scrollY = ny;
  UnlockDocument(child);
  if (dx == 0 && dy == 0) return;
  SetScrollPos(child, SB_HORZ, int(nx), TRUE);
  SetScrollPos(child, SB_VERT, int(ny), TRUE);
  ScrollWindowEx(child, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
  UpdateWindow(child);
}

void LoadDocumentState(HWND child) {
  wq::ImageDocument* doc = LockDocument(child);
  if (!doc) return;
  g_app.undoCode = doc->view.undoCode;
  g_app.redo = doc->view.redo;
  g_app.modFlags = doc->view.modFlags;
  g_app.zoomStep = doc->view.zoomStep;
  g_app.fitFlag = doc->view.fitFlag;
  const uint64_t size = doc->pixelBytes;
  UnlockDocument(child);
  StatusSetSize(size);
  ToolBoxFollowZoom();
}

LRESULT CALLBACK ChildWndProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT toolResult = 0;
  if (ToolMessage(w, msg, wp, lp, &toolResult)) return toolResult;
  switch (msg) {
    case WM_CREATE:
      return OnCreate(w, reinterpret_cast<const CREATESTRUCTW*>(lp));
    case WM_DESTROY:
      OnDestroy(w);
      break;
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(lp) == w) LoadDocumentState(w);
      break;
    case WM_SIZE:
      if (wq::ImageDocument* doc = LockDocument(w)) {
        UpdateScrollRanges(w, doc);
        UnlockDocument(w);
      }
      break;
    case WM_HSCROLL:
      OnScroll(w, SB_HORZ, LOWORD(wp));
      return 0;
    case WM_VSCROLL:
      OnScroll(w, SB_VERT, LOWORD(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting fills what the image does not cover
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      if (wq::ImageDocument* doc = LockDocument(w)) {
        PaintImage(w, dc, ps.rcPaint, doc);
        PaintToolMarks(w, dc, *doc);
        UnlockDocument(w);
      } else {
        FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
      }
      EndPaint(w, &ps);
      return 0;
    }
    case WM_APP + 17:
      // A paint found no memory for its strip: said once per window.
      if (!GetPropW(w, L"WqMemoryShort")) {
        SetPropW(w, L"WqMemoryShort", reinterpret_cast<HANDLE>(1));
        ShowAppMessage(17);
      }
      return 0;
    case WM_NCDESTROY:
      RemovePropW(w, L"WqMemoryShort");
      break;
    case WM_REBUILDPALETTE:
      if (wq::ImageDocument* doc = LockDocument(w)) {
        if (doc->palette) DeleteObject(static_cast<HPALETTE>(doc->palette));
        doc->palette = nullptr;
        HANDLE f = CreateFileA(doc->sourcePath, GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (f != INVALID_HANDLE_VALUE) {
          BYTE head[14 + 40 + 1024] = {};
          DWORD got = 0;
          ReadFile(f, head, sizeof head, &got, nullptr);
          CloseHandle(f);
          if (got >= 54) doc->palette = PaletteOf(reinterpret_cast<BITMAPINFOHEADER*>(head + 14));
        }
        UnlockDocument(w);
      }
      InvalidateRect(w, nullptr, FALSE);
      return 0;
    case WM_REALISEPALETTE: {
      wq::ImageDocument* doc = LockDocument(w);
      if (!doc) return 0;
      UINT changed = 0;
      if (doc->palette) {
        HDC dc = GetDC(w);
        HPALETTE old = SelectPalette(dc, static_cast<HPALETTE>(doc->palette), FALSE);
        changed = RealizePalette(dc);
        SelectPalette(dc, old, FALSE);
        ReleaseDC(w, dc);
      }
      UnlockDocument(w);
      if (changed) InvalidateRect(w, nullptr, FALSE);
      return changed;
    }
    case WM_PALETTECHANGED:
      if (reinterpret_cast<HWND>(wp) != w) {
        if (wq::ImageDocument* doc = LockDocument(w)) {
          if (doc->palette) {
            HDC dc = GetDC(w);
            HPALETTE old = SelectPalette(dc, static_cast<HPALETTE>(doc->palette), TRUE);
            RealizePalette(dc);
            UpdateColors(dc);
            SelectPalette(dc, old, TRUE);
            ReleaseDC(w, dc);
          }
          UnlockDocument(w);
        }
      }
      return 0;
  }
  return DefMDIChildProcW(w, msg, wp, lp);
}
