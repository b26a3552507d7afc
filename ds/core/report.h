// Telling the application and the user: the two requests sent back through
// the source manager and the condition-code box (the string-table messages
// are base/messages.h).
#pragma once
#include <cstddef>

#include "ds/base/messages.h"
#include "twain/twain.h"

namespace wq {

// Lead-in texts of the condition-code box, one per failing path.
namespace lead {
constexpr const char* kOpenDs = "General failure in response to MSG_OPENDS.  ";
constexpr const char* kCloseDs = "General failure in response to MSG_CLOSEDS.  ";
constexpr const char* kEnableDs = "General failure in response to MSG_ENABLEDS.  ";
constexpr const char* kDisableDs = "General failure in response to MSG_DISABLEDS.  ";
constexpr const char* kIdentity = "General failure in response to DAT_IDENTITY.  ";
constexpr const char* kUserInterface = "General failure in response to DAT_USERINTERFACE.  ";
constexpr const char* kStatus = "General failure in response to DAT_STATUS.  ";
constexpr const char* kPendingXfers = "General failure in response to DAT_PENDINGXFER.  ";
constexpr const char* kSetupFileXfer =
    "General failure in response to DAT_SETUPFILEXFER, not supported.  ";
constexpr const char* kXferGroup = "General failure in response to DAT_XFERGROUP, not supported.  ";
constexpr const char* kCaps = "General failure in response to DAT_CAPS.  ";
constexpr const char* kImageInfo = "General failure in response to DAT_IMAGEINFO.  ";
constexpr const char* kImageNativeXfer = "General failure in response to DAT_IMAGENATIVEXFER.  ";
constexpr const char* kTransfer = "General failure in transfer.  ";
constexpr const char* kColorMatch =
    "General failure in response to DAT_COLORMATCH, not supported.  ";
}  // namespace lead

// The description the condition-code box gives after its lead-in.
const char* ConditionCodeText(TW_UINT16 conditionCode);
// Lead-in and description as the box shows them.
void SourceErrorText(const char* leadIn, TW_UINT16 conditionCode, char* buf, size_t size);
// Shows the condition-code box when the "Debug" switch is 1.
void ShowSourceError(const char* leadIn, TW_UINT16 conditionCode);

// A scan is ready: state 6 (the pending count -1 if it was 0), and
// MSG_XFERREADY to the application.
void PostXferReady();
// The user closed the source's window: MSG_CLOSEDSREQ to the application.
void PostCloseRequest();

}  // namespace wq
