// One capability message on its way through the capability table, the
// enumeration templates, and the helpers every capability's procs share.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/core/container.h"
#include "twain/twain.h"

namespace wq {

struct ScanSettings;

// An enumerated capability's own item list and its template. The templates
// are process-wide; the current index is updated in place before a reply is
// built, so the last value stays in the template between calls. The same
// list interprets an application's enumeration on MSG_SET.
struct EnumTemplate {
  TW_UINT16 ItemType;
  uint32_t NumItems;
  uint32_t CurrentIndex;
  uint32_t DefaultIndex;
  const uint16_t* Items;
};

struct CapTemplates {
  EnumTemplate PixelType;
  EnumTemplate Units;
  EnumTemplate XferMech;
  EnumTemplate FileFormat;
  EnumTemplate LightSource;
  EnumTemplate LightPath;  // its list depends on the model
  EnumTemplate Sizes;      // its list depends on the model and the options
  uint16_t SizeItems[6];
};
extern CapTemplates g_CapTemplates;

struct CapCall {
  TW_UINT16 Msg;
  TW_UINT16 Cap;
  TW_UINT16 ConType;          // kind of the application's container (MSG_SET)
  const uint8_t* Block;       // the application's container; null when none
  size_t BlockSize;
  CapContainer Reply;         // built by MSG_GET, GETCURRENT, GETDEFAULT, RESET
  const EnumTemplate* Items;  // the enumeration whose item list the trace shows
};

// A capability's handler: answers the message in `call->Msg` with
// TWCC_SUCCESS or the failure's condition code.
typedef TW_UINT16 (*CapProc)(CapCall* call);
// Messages a capability's row lists; any other is TWCC_BADCAP for it.
enum CapMessages : unsigned {
  kMsgGet = 1,
  kMsgCurrent = 2,
  kMsgDefault = 4,
  kMsgSet = 8,
  kMsgReset = 16,
  kMsgGets = kMsgGet | kMsgCurrent | kMsgDefault,
  kMsgAll = kMsgGets | kMsgSet | kMsgReset,
};
struct CapRow {
  TW_UINT16 Cap;
  unsigned Messages;
  CapProc Proc;
};
// The bit of a DAT_CAPABILITY message; 0 for the messages it does not handle.
unsigned CapMessageBit(TW_UINT16 msg);

// The 27 capabilities the source negotiates, then five read-only ones that
// clients ask every source about.
constexpr uint32_t kSupportedCapCount = 32;
extern const uint16_t kSupportedCaps[kSupportedCapCount];
const CapRow* FindCapability(TW_UINT16 cap);

// The settings record of the open source.
ScanSettings& Settings();
bool ScannerHasFeeder();
bool ScannerHasFilmUnit();

// Replies.
TW_UINT16 ReplyU16(CapCall* c, uint16_t v);
TW_UINT16 ReplyI16(CapCall* c, int16_t v);
TW_UINT16 ReplyBool(CapCall* c, bool v);
TW_UINT16 ReplyFix32(CapCall* c, double v);
TW_UINT16 ReplyRange(CapCall* c, double min, double max, double step, double def, double cur);
// Updates the template's current index, then builds the enumeration.
TW_UINT16 ReplyEnum(CapCall* c, EnumTemplate* t, uint32_t currentIndex);
// Position of `value` in the template's list; `fallback` when absent.
uint32_t IndexOf(const EnumTemplate& t, uint16_t value, uint32_t fallback);

// Container kinds a capability takes on MSG_SET.
enum CapKinds : unsigned { kTakesOne = 1, kTakesRange = 2, kTakesEnum = 4 };
// Checks the kind against `kinds` (else `badKind`) and reads the container
// (TWCC_BADVALUE when it cannot be read safely).
TW_UINT16 ReadSetContainer(CapCall* c, unsigned kinds, TW_UINT16 badKind, AppContainer* out);
// The integer a MSG_SET carries: a one-value's item by its type, or the item
// of the source's own list that an enumeration's CurrentIndex selects (an
// index outside that list is TWCC_BADVALUE).
TW_UINT16 SetInteger(CapCall* c, unsigned kinds, TW_UINT16 badKind, const EnumTemplate* list,
                     int32_t* value);
// The number a MSG_SET carries for a real-valued capability: a one-value's
// TW_FIX32 times `scale`, truncated; a range's CurrentValue Whole part.
TW_UINT16 SetNumber(CapCall* c, unsigned kinds, int scale, int32_t* value);

int32_t Clamp(int32_t v, int32_t lo, int32_t hi);

// After a change of mode, resolution, mechanism, paper or light source: the
// final resolutions and image size, and the transfer geometry; with `area`
// the scan area first (the largest area depends on the light source).
void RecomputeGeometry(bool area);

}  // namespace wq
