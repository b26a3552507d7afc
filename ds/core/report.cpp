// The condition-code box and its texts (shown only with the debug switch), and
// the MSG_XFERREADY and MSG_CLOSEDSREQ requests sent through the manager.
#include "ds/core/report.h"

#include <cstdio>

#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/core/session.h"
#include "ds/base/text.h"
#include "ds/settings/settings_store.h"

namespace wq {

const char* ConditionCodeText(TW_UINT16 cc) {
  switch (cc) {
    case TWCC_SUCCESS: return "Success message from detailed error request ??";
    case TWCC_BUMMER: return "Bummer error.";
    case TWCC_LOWMEMORY: return "Low Memory Condition encountered, free up some memory and try again.";
    case TWCC_NODS: return "No Data Source found error.";
    case TWCC_MAXCONNECTIONS: return "Source is connected to max possible apps.";
    case TWCC_OPERATIONERROR: return "An operation error just occurred.";
    case TWCC_BADCAP: return "Bad capabilities error.";
    case TWCC_BADPROTOCOL: return "Bad protocol error.";
    case TWCC_BADVALUE: return "Bad value error.";
    case TWCC_SEQERROR: return "DG DAT MSG is out of expected sequence.";
    default: return "Unknown Error value in condition code.";
  }
}

void SourceErrorText(const char* leadIn, TW_UINT16 cc, char* buf, size_t size) {
  snprintf(buf, size, "%s%s", leadIn ? leadIn : "", ConditionCodeText(cc));
}

void ShowSourceError(const char* leadIn, TW_UINT16 cc) {
  if (g_Main.Debug != 1) return;
  char text[256];
  SourceErrorText(leadIn, cc, text, sizeof text);
  g_Host.ErrorBox(g_Session.ParentWindow, text);
}

void PostXferReady() {
  g_Session.State = 6;
  if (g_Session.PendingCount == 0) g_Session.PendingCount = -1;
  g_Host.CallManager(&g_Session.SourceIdentity, &g_Session.AppIdentity, MSG_XFERREADY);
}

void PostCloseRequest() {
  g_Host.CallManager(&g_Session.SourceIdentity, &g_Session.AppIdentity, MSG_CLOSEDSREQ);
}

}  // namespace wq
