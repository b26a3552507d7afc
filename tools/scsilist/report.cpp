// The SCSI information screen's rows (address, type word, vendor, product,
// revision, and the model and identity code of the family's scanners), adapter
// rows, raw line sizes by composition, and "A.T.L" addresses parsed.
#include "tools/scsilist/report.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string Field(const char* p, size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += (p[i] >= 0x20 && p[i] < 0x7F) ? p[i] : ' ';
  return s;
}

std::string Address(DeviceAddress a) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%u.%u.%u", a.HostAdapter, a.Target, a.Lun);
  return buf;
}

}  // namespace

const char* DeviceTypeWord(int type) {
  static const char* const kWords[] = {"DISK", "TAPE", "PRNT", "CPU", "WOM",
                                       "ROM",  "SCAN", "OPTI", "????"};
  int t = type & 31;
  if (t > 8) t = 8;
  return kWords[t];
}

int32_t ModelKindOf(const char* name32) {
  static const struct {
    const char* product;
    int32_t kind;
  } kModels[] = {{"WQ140", kModelWQ140}, {"WQ210", kModelWQ210}, {"WQ215", kModelWQ215},
                 {"WQ220", kModelWQ220}, {"WQ490", kModelWQ490}};
  for (const auto& m : kModels)
    if (std::memcmp(name32 + 8, m.product, 5) == 0) return m.kind;
  return kModelUnknown;
}

const char* ModelName(int32_t kind) {
  switch (kind) {
    case kModelWQ140: return "WQ140";
    case kModelWQ210: return "WQ210";
    case kModelWQ215: return "WQ215";
    case kModelWQ220: return "WQ220";
    case kModelWQ490: return "WQ490";
    default: return nullptr;
  }
}

const char* IdentityCode(const char* name32) {
  static const char* const kCodes[] = {"131", "121", "221", "081", "101"};
  for (const char* code : kCodes)
    for (size_t i = 0; i + 3 <= kDeviceNameSize; ++i)
      if (std::memcmp(name32 + i, code, 3) == 0) return code;
  return nullptr;
}

std::string DeviceRow(int16_t type, const char* name32, DeviceAddress address, bool family) {
  char head[64];
  std::snprintf(head, sizeof head, "  %-8s %-5s", Address(address).c_str(), DeviceTypeWord(type));
  std::string row = head;
  row += Field(name32, 8) + "  " + Field(name32 + 8, 16) + "  " + Field(name32 + 24, 4);
  if (family) {
    const char* model = ModelName(ModelKindOf(name32));
    const char* code = IdentityCode(name32);
    row += "  <- ";
    row += model ? model : "unknown model";
    row += " scanner";
    if (code) {
      row += " (code ";
      row += code;
      row += ")";
    } else {
      row += " (no identity code: not usable by the data source)";
    }
  }
  return row;
}

std::string AdapterRow(const char* name32, DeviceAddress address) {
  char head[96];
  std::snprintf(head, sizeof head, "Host adapter %u (own SCSI id %u): ", address.HostAdapter,
                address.Target);
  std::string row = head;
  row += Field(name32, 8);
  row += " ";
  row += Field(name32 + 8, 16);
  return row;
}

uint32_t RawLineBytes(int composition, uint32_t pixels) {
  if (pixels == 0) return 0;
  switch (composition) {
    case 0: return (pixels + 7) / 8;
    case 2: return pixels;
    case 3: return ((pixels - 1) / 8) * 3 + 3;
    case 5: return pixels * 3;
    default: return 0;
  }
}

bool ParseAddress(const char* text, DeviceAddress* address) {
  unsigned v[3] = {0, 0, 0};
  int n = 0;
  const char* p = text;
  for (;;) {
    if (n == 3 || *p < '0' || *p > '9') return false;
    char* end = nullptr;
    const unsigned long x = std::strtoul(p, &end, 10);
    if (x > 255) return false;
    v[n++] = unsigned(x);
    if (*end == 0) break;
    if (*end != '.') return false;
    p = end + 1;
  }
  if (n < 2 || v[1] > 7 || v[2] > 7) return false;
  *address = DeviceAddress{0, uint8_t(v[0]), uint8_t(v[1]), uint8_t(v[2])};
  return true;
}
