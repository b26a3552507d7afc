// What every capability's handler shares: the enumeration templates, replies as
// one value, range or list, the application's container read on MSG_SET, and
// the geometry recomputed after a change.
#include "ds/core/capcall.h"

#include "ds/core/session.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

constexpr uint16_t kPixelTypes[] = {TWPT_BW, TWPT_GRAY, TWPT_RGB, TWPT_PALETTE};
constexpr uint16_t kUnits[] = {TWUN_INCHES, TWUN_CENTIMETERS, TWUN_PIXELS};
constexpr uint16_t kXferMechs[] = {TWSX_NATIVE, TWSX_FILE, TWSX_MEMORY};
constexpr uint16_t kFileFormats[] = {TWFF_BMP, TWFF_TIFF};
constexpr uint16_t kLightSources[] = {TWLS_RED, TWLS_GREEN, TWLS_BLUE, TWLS_WHITE};
constexpr uint16_t kLightPaths[] = {TWLP_REFLECTIVE, TWLP_TRANSMISSIVE};

}  // namespace

// The item types are the standard's for these capabilities (TWTY_UINT16):
// clients that read only that type could not see these lists otherwise.
CapTemplates g_CapTemplates = {
    {TWTY_UINT16, 4, 2, 2, kPixelTypes},
    {TWTY_UINT16, 3, 0, 0, kUnits},
    {TWTY_UINT16, 3, 0, 0, kXferMechs},
    {TWTY_UINT16, 2, 0, 0, kFileFormats},
    {TWTY_UINT16, 4, 3, 3, kLightSources},
    {TWTY_UINT16, 2, 0, 0, kLightPaths},
    {TWTY_UINT16, 1, 0, 0, g_CapTemplates.SizeItems},
    {TWSS_NONE},
};

ScanSettings& Settings() { return *g_Settings; }
bool ScannerHasFeeder() { return g_ScanJob.AdfAvailable == 1; }
bool ScannerHasFilmUnit() { return g_ScanJob.FsuAvailable == 1; }

TW_UINT16 ReplyU16(CapCall* c, uint16_t v) {
  PutOneValue(&c->Reply, TWTY_UINT16, v);
  return TWCC_SUCCESS;
}

TW_UINT16 ReplyI16(CapCall* c, int16_t v) {
  PutOneValue(&c->Reply, TWTY_INT16, uint16_t(v));
  return TWCC_SUCCESS;
}

TW_UINT16 ReplyBool(CapCall* c, bool v) {
  PutOneValue(&c->Reply, TWTY_BOOL, v ? 1 : 0);
  return TWCC_SUCCESS;
}

TW_UINT16 ReplyFix32(CapCall* c, double v) {
  PutFix32(&c->Reply, v);
  return TWCC_SUCCESS;
}

TW_UINT16 ReplyRange(CapCall* c, double min, double max, double step, double def, double cur) {
  PutRange(&c->Reply, min, max, step, def, cur);
  return TWCC_SUCCESS;
}

TW_UINT16 ReplyEnum(CapCall* c, EnumTemplate* t, uint32_t currentIndex) {
  t->CurrentIndex = currentIndex;
  c->Items = t;
  if (!PutEnumeration(&c->Reply, t->ItemType, t->Items, t->NumItems, t->CurrentIndex,
                      t->DefaultIndex))
    return TWCC_BUMMER;  // a list the reply cannot hold: a fault of the table itself
  return TWCC_SUCCESS;
}

uint32_t IndexOf(const EnumTemplate& t, uint16_t value, uint32_t fallback) {
  for (uint32_t i = 0; i < t.NumItems; ++i)
    if (t.Items[i] == value) return i;
  return fallback;
}

TW_UINT16 ReadSetContainer(CapCall* c, unsigned kinds, TW_UINT16 badKind, AppContainer* out) {
  unsigned kind = 0;
  switch (c->ConType) {
    case TWON_ONEVALUE: kind = kTakesOne; break;
    case TWON_RANGE: kind = kTakesRange; break;
    case TWON_ENUMERATION: kind = kTakesEnum; break;
    default: break;
  }
  if (!(kind & kinds)) return badKind;
  return ReadAppContainer(c->ConType, c->Block, c->BlockSize, out);
}

TW_UINT16 SetInteger(CapCall* c, unsigned kinds, TW_UINT16 badKind, const EnumTemplate* list,
                     int32_t* value) {
  AppContainer a;
  TW_UINT16 cc = ReadSetContainer(c, kinds, badKind, &a);
  if (cc != TWCC_SUCCESS) return cc;
  if (a.ConType == TWON_ENUMERATION) {
    c->Items = list;
    // The application's items are not used: its index picks one of ours,
    // and an index past our list picks nothing.
    if (!list || a.CurrentIndex >= list->NumItems) return TWCC_BADVALUE;
    *value = list->Items[a.CurrentIndex];
    return TWCC_SUCCESS;
  }
  *value = OneValueInteger(a);
  return TWCC_SUCCESS;
}

TW_UINT16 SetNumber(CapCall* c, unsigned kinds, int scale, int32_t* value) {
  AppContainer a;
  TW_UINT16 cc = ReadSetContainer(c, kinds, TWCC_BADCAP, &a);
  if (cc != TWCC_SUCCESS) return cc;
  if (a.ConType == TWON_RANGE) *value = Fix32Whole(a.Range[4]);
  else *value = Fix32Truncated(a.Item, scale);
  return TWCC_SUCCESS;
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }

void RecomputeGeometry(bool area) {
  if (!g_Settings) return;
  if (area) SetAreaFromPaper(*g_Settings);
  RecomputeXferGeometry();
}

}  // namespace wq
