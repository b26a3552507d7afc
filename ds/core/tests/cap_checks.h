// Checks of every capability's replies against the expected values of a
// scanner configuration, through whatever way the test reaches the source:
// natively through the entry, or through Wine's source manager.
#pragma once
#include <cstdint>
#include <vector>

#include "ds/core/tests/cap_bytes.h"
#include "ds/core/tests/cap_configs.h"

namespace wq::test {

// How a test sends capability messages to an open source (state 4).
struct CapChannel {
  Reply (*Message)(TW_UINT16 msg, TW_UINT16 cap);
  Reply (*Set)(TW_UINT16 cap, TW_UINT16 conType, const std::vector<uint8_t>& container);
};

// Container kind, item type, values, current and default index.
void ExpectOne(const Reply& r, TW_UINT16 type, int32_t value, const char* what);
void ExpectFix(const Reply& r, double value, const char* what);
void ExpectRange(const Reply& r, std::vector<double> values, const char* what);
void ExpectEnum(const Reply& r, TW_UINT16 type, std::vector<int32_t> items, uint32_t cur,
                uint32_t def, const char* what);
void ExpectRefused(const Reply& r, TW_UINT16 cc, const char* what);
void ExpectDone(const Reply& r, const char* what);

// MSG_GET, MSG_GETCURRENT and MSG_GETDEFAULT of every capability right
// after the open, by group.
void CheckTransferAndFormat(const CapChannel& ch, const Config& c);
void CheckImageQuality(const CapChannel& ch, const Config& c);
void CheckGeometry(const CapChannel& ch, const Config& c);
void CheckFeederAndFilmUnit(const CapChannel& ch, const Config& c);
// MSG_SET of a value and MSG_RESET of every capability, each checked by the
// replies that follow. Leaves the source changed.
void CheckSetAndReset(const CapChannel& ch, const Config& c);

}  // namespace wq::test
