// Feeder batches inside the acquisition: the batch file, the paper checks
// and the page names, with the numbering rules of batch.cpp.
#include "app/feeder.h"

#include "app/batch.h"
#include "app/twain_link.h"

namespace wq {
namespace {

bool ScanAndSave(const TwainLink& link) {
  return link.adfChoice == kAdfUse && g_Adf.mode == kAdfScanSave;
}

// Waits for paper: true once the feeder is loaded, false when the user
// cancels message 9 or the source cannot say.
bool AwaitPaper(TwainLink* link, const AcquireHost& host) {
  for (;;) {
    const int loaded = FeederLoaded(link, host);
    if (loaded < 0) return false;
    if (loaded == 1) return true;
    if (!host.askRetry(host.ctx, 9)) return false;
  }
}

}  // namespace

int FeederLoaded(TwainLink* link, const AcquireHost& host) {
  TW_UINT32 item = 0;
  if (!GetOneValueItem(link, host, CAP_FEEDERLOADED, MSG_GET, &item)) return -1;
  return (item & 0xFFFF) == 1 ? 1 : 0;
}

bool StartFeederBatch(TwainLink* link, const AcquireHost& host) {
  g_Adf.pagesScanned = 0;
  if (g_Adf.mode == kAdfScanSave) {
    TW_IMAGEINFO info{};
    if (TwainCall(link, true, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info) != TWRC_SUCCESS) return false;
    g_Adf.batchName.clear();
    if (!host.askBatchFile(host.ctx, info.BitsPerPixel)) return false;
  }
  return AwaitPaper(link, host);
}

std::string NextPageName(const TwainLink& link, const AcquireHost& host) {
  if (link.adfChoice != kAdfUse) return "";
  if (g_Adf.mode == kAdfScanSave) return g_Adf.batchName;
  return std::string(host.workDirectory(host.ctx)) + FeederImageName(link.feederPageCount + 1);
}

bool PrepareBatchPage(TwainLink* link, const AcquireHost& host) {
  if (!ScanAndSave(*link)) return true;
  const int k = g_Adf.pagesScanned;
  g_Adf.batchName = NameBatchPage(g_Adf.batchName, BatchPageNumber(g_Adf, k), k == 0);
  return host.checkTarget(host.ctx, g_Adf.batchName.c_str());
}

bool FeederBatchGoesOn(TwainLink* link, const AcquireHost& host) {
  const bool counted = g_Adf.pageChoice == kAdfPages;
  const bool missing = counted && g_Adf.pagesScanned < g_Adf.pageCount;
  if (counted && !missing) return false;
  const int loaded = FeederLoaded(link, host);
  if (loaded == 1 || !counted) return true;
  // "Page" mode with pages still to come and no paper: the user decides.
  while (host.askRetry(host.ctx, 9)) {
    if (FeederLoaded(link, host) == 1) return true;
  }
  return false;
}

}  // namespace wq
