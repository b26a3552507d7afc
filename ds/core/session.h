// The data source's one session record: the TWAIN state, the two identities,
// the status, the owner, the pending and page counts and the TWAIN-side
// values of the transfer and the image. The source serves one application at
// a time; everything reaches the record through `g_Session`.
#pragma once
#include <cstdint>

#include "ds/core/xfergeom.h"
#include "twain/twain.h"

namespace wq {

struct DsSession {
  int State;  // 3 closed, 4 open, 5 enabled, 6 transfer ready (7 accepted, never entered)
  TW_IDENTITY AppIdentity;     // Id 0: no application
  TW_IDENTITY SourceIdentity;  // what DAT_IDENTITY MSG_GET reports
  TW_STATUS Status;
  uint32_t OwnerProcess, OwnerThread;  // 0: none
  void* ParentWindow;
  bool ShowUI;
  int16_t PendingCount;  // -1: as many as the user or the feeder gives
  uint32_t PageIndex;
  uint32_t BatchCount;
  uint16_t XferMech;    // TWSX_
  uint16_t FileFormat;  // TWFF_TIFF or TWFF_BMP
  char FileDir[260];    // file-transfer target: directory part ...
  char FileName[32];    // ... and file name
  uint32_t MemXferMin, MemXferPref, MemXferMax;
  uint16_t TwUnits;
  int16_t TwBrightness, TwContrast, TwThreshold;
  int16_t XScalePercent, YScalePercent;
  bool XScaleSet, YScaleSet;
  bool FeederLoaded, FeederSetByApp;
  bool FilmUnitOn, FilmUnitSetByApp;
  uint32_t TotalPhysMemory;

  bool Indicators;
  uint16_t PixelFlavor;
  int16_t StoredGamma;       // x 100
  int16_t ColorCorrection;   // choice of DAT 0xFF00
  uint16_t PaperSize;        // TWSS_
  bool AutoFeed;
  uint32_t ProgressCount;    // rows delivered in the current page
  XferGeometry Geometry;
  int32_t DefaultFrameWidth, DefaultFrameHeight;  // the default area in pixels ...
  int32_t DefaultFrameRes;                        // ... at the optical resolution N

  // The adjustment windows' cached placement, reset when enabled without UI.
  int32_t AdjustRect[4];
  int16_t AdjustRectValid;

};
extern DsSession g_Session;

// The source's identity built from the string table, as at load.
void BuildSourceIdentity(TW_IDENTITY* id);
// The state the library starts in when it is loaded into a process.
void ResetSessionAtLoad();
// The file-transfer target: Windows directory + string-table text `id`,
// kept as its directory and its file name.
void SetDefaultFileName(int id);
// Image size, transfer geometry and memory-transfer sizes from the settings.
void RecomputeXferGeometry();
// The image the next transfer delivers: in state 6 without the source's
// window the TWAIN-side values go into the settings first (as the transfer
// itself will do), then the geometry is recomputed.
void DescribeImage();

}  // namespace wq
