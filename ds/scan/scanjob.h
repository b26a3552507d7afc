// The scan job: binding the scanner command library, finding and attaching
// the scanner, choosing its light source, starting final scans and previews
// with every field of the parameter block, and turning the library's status
// and sense data into the user's messages.
#pragma once
#include <cstdint>

#include "ds/settings/settings_store.h"
#include "scanlib/scanlib.h"

namespace wq {

enum AttachResult { kAttachReady = 0, kAttachSearchFailed = 1, kAttachNoScanner = 2 };
enum ScanKind { kFinalScan = 0, kPreviewScan = 1, kZoomPreviewScan = 3 };

struct ScanJobState {
  void* Library;
  KorvaScanLibProc Entry;
  int AttachResult;
  bool FoundConfigured;  // the scanner the settings name answered
  bool FoundFirst;       // the first usable scanner of the search answered
  int Model;             // model index of the attached scanner, -1 unknown
  int16_t AdfAvailable;
  int16_t FsuAvailable;
  int16_t FsuKind;
  int16_t AdfInUse, FsuInUse;
  int16_t AdfReportedActive;
  ScannerIdentity Remembered;  // the scanner found by the last attach
  int16_t LastScanEnd;         // progress status the last scan ended in
  bool InvertOutput;           // final bi-level output is inverted
  int16_t ZoomPreviewResolution;
  bool PackLines;              // previews: lines packed for the preview file
  uint32_t ImageLines;         // lines of the window set by the last start
  uint8_t Tone[4][256];        // download tables R, G, B, W
};
extern ScanJobState g_ScanJob;
// The one parameter block of every library call; zero at start.
extern ScanParamBlock g_ParamBlock;

// Path, load, bind "KorvaSCANLIB", selector 1. False when any step fails
// (no library is kept then).
bool LoadScannerLibrary();
// Selector 2 and unload, when loaded.
bool UnloadScannerLibrary();
bool ScannerLibraryLoaded();
// One call through the library; false when not loaded or Status non-zero.
bool CallScanner(int32_t selector);

// The attach sequence; sets AttachResult and the two found flags.
bool AttachScanner();
// The model index of the attached scanner from its identity.
int IdentifyModel();

// The scanner's answer to a call, as CheckScannerStatus judges it.
struct ScannerResult {
  int16_t Status;
  int16_t SenseKey;
  int16_t SenseCode;
  int16_t SenseQualifier;
};
ScannerResult LastScannerResult();
// 0 no error; 1 an error was shown to the user (and the scanner reset,
// except after 16030 and 16011). With retryJam a paper jam is asked with OK
// and Cancel and retried after a reset.
int CheckScannerStatus(const ScannerResult& r, bool duringRead, bool retryJam);

// Light source preparation.
int PrepareAdf();    // selectors 15, 18 when a feeder exists: -1 on failure
bool PrepareFsu();   // selectors 14, 17 when a film unit exists
void SetAdfSelected(int16_t v);
void SetFsuSelected(int16_t v);
// Whether the feeder holds paper (no feeder: no paper).
bool FeederHasPaper();
// Whether the scanner found at the attach still answers at its address.
bool ScannerResponds();
// The progress statuses a scan can end in that need no reset afterwards.
bool LastScanNeedsReset();

// The WQ490's carriage movement mode (1, or 2 when alternate); true when
// the scanner took it. The caller shows the wait cursor meanwhile.
bool SetMovement(bool alternate);

// Fills every field of the parameter block for the job and starts it.
bool StartScanJob(int kind);

// Identity download tables (until the tone pipeline replaces them).
void ResetToneTables();

}  // namespace wq
