// The session record, the source's identity as the string table gives it, the
// record's state at load, and the policy that holds message boxes back during
// an unattended transfer.
#include "ds/core/session.h"

#include <cstring>

#include "ds/base/messages.h"
#include "ds/base/text.h"

namespace wq {

DsSession g_Session;

namespace {
// A transfer with the source's window hidden and the indicators off runs
// unattended: its message boxes are held back.
bool TransferUnattended() {
  return g_Session.State >= 6 && !g_Session.ShowUI && !g_Session.Indicators;
}
}  // namespace

void BuildSourceIdentity(TW_IDENTITY* id) {
  TW_IDENTITY s;
  memset(&s, 0, sizeof s);
  s.Id = 0;
  s.Version.MajorNum = 2;
  s.Version.MinorNum = 0;
  s.Version.Language = TWLG_USA;
  s.Version.Country = TWCY_JAPAN;
  LoadText(text::kVersionInfo, s.Version.Info, sizeof s.Version.Info);
  s.ProtocolMajor = 1;
  s.ProtocolMinor = 5;
  s.SupportedGroups = DG_CONTROL | DG_IMAGE;
  LoadText(text::kManufacturer, s.Manufacturer, sizeof s.Manufacturer);
  LoadText(text::kProductFamily, s.ProductFamily, sizeof s.ProductFamily);
  LoadText(text::kProductName, s.ProductName, sizeof s.ProductName);
  memcpy(id, &s, sizeof s);
}

void ResetSessionAtLoad() {
  memset(&g_Session, 0, sizeof g_Session);
  g_Session.State = 3;
  BuildSourceIdentity(&g_Session.SourceIdentity);
  g_Session.PendingCount = -1;
  g_Session.XferMech = TWSX_NATIVE;
  g_Session.FileFormat = TWFF_BMP;
  g_Session.XScalePercent = g_Session.YScalePercent = 100;
  g_MessagePolicy.Muted = TransferUnattended;
}

}  // namespace wq
