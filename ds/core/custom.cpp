// The source's two custom DG_CONTROL data types: 0xFF00 chooses the colour
// correction (plain gamma 2.2 or one of the two colour-matching tables),
// 0xFF01 the edge enhancement level. Their record: NumItems, Current and
// Reserved (u32 each, little-endian), then NumItems u16 choices. Neither
// writes the triplet trace.
#include <cstring>

#include "common/bytes.h"
#include "ds/core/capprocs.h"
#include "ds/core/dsentry.h"
#include "ds/core/report.h"
#include "ds/core/session.h"
#include "ds/pipeline/clrmatch.h"
#include "ds/settings/settings.h"

namespace wq {
namespace {

constexpr int16_t kPlainGamma = 220;  // x 100

void WriteRecord(TW_MEMREF data, uint32_t items, uint32_t current, bool withItems) {
  uint8_t* p = static_cast<uint8_t*>(data);
  PutLE32(p, items);
  PutLE32(p + 4, current);
  PutLE32(p + 8, 1);
  if (withItems)
    for (uint32_t i = 0; i < items; ++i) PutLE16(p + 12 + 2 * i, i);
}

uint32_t ReadCurrent(TW_MEMREF data) { return GetLE32(static_cast<const uint8_t*>(data) + 4); }

// Message and state checks shared by both types; 0 when the call may go on.
TW_UINT16 Check(TW_UINT16 msg, TW_MEMREF data) {
  g_Session.Status.ConditionCode = TWCC_SUCCESS;
  switch (msg) {
    case MSG_GET:
      if (!InStates(g_Session.State, 4, 5, 6, 7)) return TWCC_SEQERROR;
      break;
    case MSG_SET:
    case MSG_RESET:
      if (g_Session.State != 4) return TWCC_SEQERROR;
      break;
    default:
      return TWCC_BADPROTOCOL;
  }
  if (!data || !g_Settings) return TWCC_BADVALUE;
  return TWCC_SUCCESS;
}

// 0: gamma 2.2 without colour matching; 1, 2: the first or second table.
bool ChooseCorrection(uint32_t choice) {
  ScanSettings& s = *g_Settings;
  if (choice == 0) {
    ApplyGamma(kPlainGamma);
    return true;
  }
  // A table that cannot be had is refused rather than claimed.
  char file[32];
  if (!SelectColourMatch(int(choice - 1), file)) return false;
  memcpy(s.ColorMatchFile, file, sizeof s.ColorMatchFile);
  g_Session.StoredGamma = kPlainGamma;
  s.Gamma = 2;
  s.ColorMatch = int16_t(choice - 1);
  return true;
}

}  // namespace

// DG_CONTROL / 0xFF00 (colour correction) / MSG_GET, MSG_SET, MSG_RESET
TW_UINT16 ColourCorrectionProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF data) {
  if (TW_UINT16 cc = Check(msg, data)) return Refuse(cc, lead::kColorMatch);
  switch (msg) {
    case MSG_GET:
      WriteRecord(data, 3, uint32_t(g_Session.ColorCorrection), true);
      break;
    case MSG_SET: {
      const uint32_t choice = ReadCurrent(data);
      if (choice > 2 || !ChooseCorrection(choice)) return Refuse(TWCC_BADVALUE, lead::kCaps);
      g_Session.ColorCorrection = int16_t(choice);
      break;
    }
    case MSG_RESET:
      g_Session.ColorCorrection = 1;
      WriteRecord(data, 3, 1, false);
      break;
  }
  return TWRC_SUCCESS;
}

// DG_CONTROL / 0xFF01 (edge enhancement) / MSG_GET, MSG_SET, MSG_RESET
TW_UINT16 EdgeEnhancementProc(pTW_IDENTITY, TW_UINT32, TW_UINT16, TW_UINT16 msg, TW_MEMREF data) {
  if (TW_UINT16 cc = Check(msg, data)) return Refuse(cc, lead::kColorMatch);
  ScanSettings& s = *g_Settings;
  switch (msg) {
    case MSG_GET:
      WriteRecord(data, 4, uint32_t(s.Edges - 1), true);
      break;
    case MSG_SET: {
      const uint32_t level = ReadCurrent(data);
      if (level > 3) return Refuse(TWCC_BADVALUE, lead::kCaps);
      s.Edges = int16_t(level + 1);
      break;
    }
    case MSG_RESET:
      s.Edges = 2;
      WriteRecord(data, 4, 1, false);
      break;
  }
  return TWRC_SUCCESS;
}

}  // namespace wq
