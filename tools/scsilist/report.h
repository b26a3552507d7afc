// Text of the SCSI information screen and the small facts the scan option
// needs: device type words, model names, identity codes, raw line sizes.
// Portable, so it is tested natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "scanlib/scanlib.h"

// "DISK", "TAPE", "PRNT", "CPU", "WOM", "ROM", "SCAN", "OPTI", "????" by
// peripheral type (type & 31, above 8 shown as 8); "HOST" for an adapter's
// own entry is the caller's business.
const char* DeviceTypeWord(int type);

// "WQ140" ... from the model kind; null for an unknown kind.
const char* ModelName(int32_t kind);
int32_t ModelKindOf(const char* name32);

// The data source's identity code found in a name ("131", "121", "221",
// "081", "101", tried in that order), or null.
const char* IdentityCode(const char* name32);

// One row: "  h.t.l  TYPE  vendor  product  rev" plus, for a family
// scanner, "  <- WQ140 scanner (code 131)".
std::string DeviceRow(int16_t type, const char* name32, DeviceAddress address, bool familyScanner);
// The header line of an adapter's own entry.
std::string AdapterRow(const char* name32, DeviceAddress address);

// Bytes of one raw scanner line for a composition (0 line art, 2 gray,
// 3 colour line art, 5 colour) and pixel count; 0 when unknown.
uint32_t RawLineBytes(int composition, uint32_t pixels);

// "h.t" or "h.t.l" into an address; false when malformed.
bool ParseAddress(const char* text, DeviceAddress* address);
