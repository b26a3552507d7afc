// The feeder batch as the acquisition runs it: preparing a batch when the
// source has pages (the save dialog in Scan and Save), the feeder checks
// before the first page and between pages, the name each page gets and the
// check of its target.
#pragma once
#include <string>

#include "app/acquire_host.h"

namespace wq {

struct TwainLink;

// CAP_FEEDERLOADED: 1 paper in the feeder, 0 empty, -1 the query failed.
int FeederLoaded(TwainLink* link, const AcquireHost& host);

// On MSG_XFERREADY in feeder mode: a new batch (nothing scanned yet), the
// batch file asked for in Scan and Save, then paper in the feeder (message
// 9 with Retry while it is empty). False when the batch does not start.
bool StartFeederBatch(TwainLink* link, const AcquireHost& host);

// The name shown while the next page is scanned: the batch file of Scan
// and Save, the image window's path of Scan and Display, or "" for a
// single page.
std::string NextPageName(const TwainLink& link, const AcquireHost& host);

// Before each page of Scan and Save: the batch file name numbered for the
// page about to be scanned, and its target checked. False stops the batch.
bool PrepareBatchPage(TwainLink* link, const AcquireHost& host);

// After a page: whether the batch goes on (the feeder has paper, or the
// user loaded some after message 9, and pages are still wanted). In "ALL"
// mode an empty feeder is left to the source's pending count.
bool FeederBatchGoesOn(TwainLink* link, const AcquireHost& host);

}  // namespace wq
