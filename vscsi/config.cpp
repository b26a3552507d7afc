// The configuration text (format in vscsi/README.md): its statements by
// keyword, and the bus, adapter and device statements.
#include "vscsi/config.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "vscsi/config_faults.h"
#include "vscsi/config_tokens.h"

namespace vscsi {

using configtext::HexBytes;
using configtext::Number;
using configtext::ParseFault;
using configtext::ParseNumber;
using configtext::Parser;
using configtext::ReadLines;
using configtext::TextField;
using configtext::Token;
using configtext::Word;

namespace {

void FillText(uint8_t* field, size_t width, const char* text) {
  memset(field, ' ', width);
  memcpy(field, text, std::min(width, strlen(text)));
}

bool ParseBus(Parser& p, const std::vector<Token>& t) {
  if (p.cfg.statusGiven) return p.Fail("bus is given twice");
  for (size_t i = 1; i < t.size(); ++i) {
    uint64_t v;
    if (t[i].key == "status") {
      if (!Number(p, t[i], 0, 255, &v)) return false;
      p.cfg.supportStatus = uint8_t(v);
      p.cfg.statusGiven = true;
    } else {
      return p.Fail("unknown bus setting \"%s\"", t[i].key.c_str());
    }
  }
  if (!p.cfg.statusGiven) return p.Fail("bus needs status=N");
  return true;
}

bool ParseAdapter(Parser& p, const std::vector<Token>& t) {
  uint64_t index;
  if (t.size() < 2 || t[1].hasValue) return p.Fail("adapter needs its number");
  if (!Word(p, t[1].key, "adapter number", 0, 255, &index)) return false;
  if (index != p.cfg.adapters.size())
    return p.Fail("adapter %llu out of order: adapters are numbered from 0 up",
                  (unsigned long long)index);
  if (p.cfg.adapters.size() >= size_t(kMaxAdapters)) return p.Fail("more than %d adapters", kMaxAdapters);
  AdapterConfig a;
  FillText(a.managerId, 16, "ASPI for WIN32");
  char name[17];
  snprintf(name, sizeof name, "VSCSI HA %u", unsigned(index));
  FillText(a.identifier, 16, name);
  memset(a.unique, 0, 16);
  a.unique[2] = 0x02;  // residual byte count supported
  a.unique[3] = 8;
  wq::PutLE32(a.unique + 4, 0x00FFFFFF);
  int64_t targets = -1, maxTransfer = -1, align = -1;
  for (size_t i = 2; i < t.size(); ++i) {
    uint64_t v;
    const std::string& k = t[i].key;
    if (k == "id") {
      if (!Number(p, t[i], 0, 255, &v)) return false;
      a.scsiId = uint8_t(v);
    } else if (k == "manager") {
      char f[16];
      if (!TextField(p, t[i], f, 16)) return false;
      memcpy(a.managerId, f, 16);
    } else if (k == "identifier") {
      char f[16];
      if (!TextField(p, t[i], f, 16)) return false;
      memcpy(a.identifier, f, 16);
    } else if (k == "unique") {
      if (!HexBytes(p, t[i], a.unique, 16)) return false;
    } else if (k == "targets") {
      if (!Number(p, t[i], 1, kMaxTargets, &v)) return false;
      targets = int64_t(v);
    } else if (k == "maxtransfer") {
      if (!Number(p, t[i], 1, 0xFFFFFFFFu, &v)) return false;
      maxTransfer = int64_t(v);
    } else if (k == "align") {
      if (!Number(p, t[i], 0, 0xFFFF, &v)) return false;
      align = int64_t(v);
    } else {
      return p.Fail("unknown adapter setting \"%s\"", k.c_str());
    }
  }
  if (targets >= 0) a.unique[3] = uint8_t(targets);
  if (maxTransfer >= 0) wq::PutLE32(a.unique + 4, uint32_t(maxTransfer));
  if (align >= 0) wq::PutLE16(a.unique, uint32_t(align));
  p.cfg.adapters.push_back(a);
  return true;
}

struct TypeName {
  const char* name;
  uint8_t type;
  const char* product;
};
constexpr TypeName kTypes[] = {
    {"disk", 0, "VIRTUAL DISK"},        {"tape", 1, "VIRTUAL TAPE"},
    {"printer", 2, "VIRTUAL PRINTER"},  {"processor", 3, "VIRTUAL PROCESSOR"},
    {"worm", 4, "VIRTUAL WORM"},        {"cdrom", 5, "VIRTUAL CD-ROM"},
    {"scanner", 6, "VIRTUAL SCANNER"},  {"optical", 7, "VIRTUAL OPTICAL"},
    {"changer", 8, "VIRTUAL CHANGER"},  {"comm", 9, "VIRTUAL COMM"},
};

// Product identities that carry the data source's identity codes.
const char* DefaultProduct(uint16_t kind) {
  switch (kind) {
    case kWQ140: return "WQ140/131";
    case kWQ210: return "WQ210/205";
    case kWQ215: return "WQ215/121";
    case kWQ220: return "WQ220/221";
    case kWQ490: return "WQ490/101";
  }
  return "";
}

bool ParseAddress(Parser& p, const std::string& w, DeviceConfig* d) {
  uint64_t parts[3] = {0, 0, 0};
  size_t count = 0, start = 0;
  while (count < 3) {
    size_t colon = w.find(':', start);
    std::string part = w.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (!ParseNumber(part, 255, &parts[count]))
      return p.Fail("device address \"%s\" is not adapter:target[:lun]", w.c_str());
    ++count;
    if (colon == std::string::npos) break;
    start = colon + 1;
    if (count == 3) return p.Fail("device address \"%s\" is not adapter:target[:lun]", w.c_str());
  }
  if (count < 2) return p.Fail("device address \"%s\" is not adapter:target[:lun]", w.c_str());
  if (parts[0] >= p.cfg.adapters.size())
    return p.Fail("device on adapter %llu, which is not configured", (unsigned long long)parts[0]);
  const AdapterConfig& a = p.cfg.adapters[parts[0]];
  if (parts[1] >= uint64_t(AdapterMaxTargets(a)))
    return p.Fail("target %llu beyond the adapter's %d targets", (unsigned long long)parts[1],
                  AdapterMaxTargets(a));
  if (parts[1] == a.scsiId) return p.Fail("target %llu is the adapter's own id", (unsigned long long)parts[1]);
  if (parts[2] >= uint64_t(kMaxLuns)) return p.Fail("LUN %llu beyond 7", (unsigned long long)parts[2]);
  d->adapter = uint8_t(parts[0]);
  d->target = uint8_t(parts[1]);
  d->lun = uint8_t(parts[2]);
  for (const DeviceConfig& o : p.cfg.devices)
    if (o.adapter == d->adapter && o.target == d->target && o.lun == d->lun)
      return p.Fail("device %s is already configured on line %d", w.c_str(), o.line);
  return true;
}

bool ParseDevice(Parser& p, const std::vector<Token>& t) {
  if (t.size() < 3 || t[1].hasValue || t[2].hasValue)
    return p.Fail("device needs an address and a kind: device 0:2 scanner model=WQ220");
  DeviceConfig d;
  d.line = p.line;
  if (!ParseAddress(p, t[1].key, &d)) return false;
  if (t[2].key == "scanner") {
    d.scanner = true;
    d.type = 6;
  } else if (t[2].key != "generic") {
    return p.Fail("device kind \"%s\" is neither scanner nor generic", t[2].key.c_str());
  }
  bool haveModel = false, haveType = false, haveVendor = false, haveProduct = false, haveRevision = false;
  bool haveDescLength = false;
  memset(d.vendor, ' ', 8);
  memset(d.product, ' ', 16);
  memset(d.revision, ' ', 4);
  for (size_t i = 3; i < t.size(); ++i) {
    uint64_t v;
    const std::string& k = t[i].key;
    if (k == "vendor") {
      if (!TextField(p, t[i], d.vendor, 8)) return false;
      haveVendor = true;
    } else if (k == "product") {
      if (!TextField(p, t[i], d.product, 16)) return false;
      haveProduct = true;
    } else if (k == "revision") {
      if (!TextField(p, t[i], d.revision, 4)) return false;
      haveRevision = true;
    } else if (d.scanner && k == "model") {
      if (!t[i].hasValue) return p.Fail("model needs a value");
      uint16_t kind = ModelKindByName(t[i].value.data(), t[i].value.size());
      if (!kind || t[i].value.size() != 5)
        return p.Fail("unknown model \"%s\" (WQ140, WQ210, WQ215, WQ220 or WQ490)", t[i].value.c_str());
      d.options.kind = kind;
      haveModel = true;
    } else if (d.scanner && k == "adf") {
      if (!Number(p, t[i], 0, 3, &v)) return false;
      d.options.adfType = uint8_t(v);
    } else if (d.scanner && k == "sheets") {
      if (!Number(p, t[i], 0, 1000000, &v)) return false;
      d.options.sheets = uint32_t(v);
    } else if (d.scanner && k == "fsu") {
      if (!Number(p, t[i], 0, 5, &v)) return false;
      d.options.fsuType = uint8_t(v);
    } else if (d.scanner && k == "fsuready") {
      if (!Number(p, t[i], 0, 1, &v)) return false;
      d.options.fsuReady = v != 0;
    } else if (d.scanner && k == "desclen") {
      if (!Number(p, t[i], 68, 247, &v)) return false;
      d.options.descLength = uint8_t(v);
      haveDescLength = true;
    } else if (d.scanner && k == "caps") {
      if (!HexBytes(p, t[i], d.options.caps, 2)) return false;
    } else if (!d.scanner && k == "type") {
      if (!t[i].hasValue) return p.Fail("type needs a value");
      bool found = false;
      for (const TypeName& tn : kTypes)
        if (t[i].value == tn.name) {
          d.type = tn.type;
          found = true;
        }
      if (!found) {
        if (!ParseNumber(t[i].value, 31, &v))
          return p.Fail("type \"%s\" is neither a device type name nor 0..31", t[i].value.c_str());
        d.type = uint8_t(v);
      }
      haveType = true;
    } else if (!d.scanner && k == "removable") {
      if (!Number(p, t[i], 0, 1, &v)) return false;
      d.removable = v != 0;
    } else {
      return p.Fail("unknown %s setting \"%s\"", d.scanner ? "scanner" : "device", k.c_str());
    }
  }
  if (d.scanner) {
    if (!haveModel) return p.Fail("a scanner needs model=");
    if (d.options.kind == kWQ490 && d.options.adfType)
      return p.Fail("a WQ490 has no document feeder");
    if (haveDescLength && d.options.kind != kWQ140)
      return p.Fail("desclen applies to a WQ140 only");
    if (!haveVendor) memcpy(d.vendor, "KORVA   ", 8);
    if (!haveProduct) {
      const char* prod = DefaultProduct(d.options.kind);
      memcpy(d.product, prod, strlen(prod));
    }
  } else {
    if (!haveType) return p.Fail("a generic device needs type=");
    if (!haveVendor) memcpy(d.vendor, "VIRTUAL ", 8);
    if (!haveProduct) {
      const char* prod = "VIRTUAL DEVICE";
      for (const TypeName& tn : kTypes)
        if (tn.type == d.type) prod = tn.product;
      memcpy(d.product, prod, strlen(prod));
    }
  }
  if (!haveRevision) memcpy(d.revision, "1.00", 4);
  p.cfg.devices.push_back(std::move(d));
  return true;
}

// One line's statement, by its keyword.
bool ParseStatement(Parser& p, const std::vector<Token>& t) {
  const std::string& w = t[0].key;
  if (t[0].hasValue) return p.Fail("a line starts with a keyword, not \"%s=\"", w.c_str());
  if (w == "bus") return ParseBus(p, t);
  if (w == "adapter") return ParseAdapter(p, t);
  if (w == "device") return ParseDevice(p, t);
  if (w == "fault") return ParseFault(p, t);
  return p.Fail("unknown keyword \"%s\"", w.c_str());
}

}  // namespace

uint32_t AdapterMaxTransfer(const AdapterConfig& a) { return wq::GetLE32(a.unique + 4); }
uint16_t AdapterAlignMask(const AdapterConfig& a) { return wq::GetLE16(a.unique); }
int AdapterMaxTargets(const AdapterConfig& a) {
  int n = a.unique[3];
  if (n == 0) n = 8;
  return n > kMaxTargets ? kMaxTargets : n;
}

uint16_t ModelKindByName(const char* name, size_t len) {
  static const struct {
    const char* name;
    uint16_t kind;
  } kModels[] = {{"WQ140", kWQ140}, {"WQ210", kWQ210}, {"WQ215", kWQ215}, {"WQ220", kWQ220}, {"WQ490", kWQ490}};
  if (len < 5) return 0;
  for (const auto& m : kModels)
    if (memcmp(name, m.name, 5) == 0) return m.kind;
  return 0;
}

const char* ModelName(uint16_t kind) {
  switch (kind) {
    case kWQ140: return "WQ140";
    case kWQ210: return "WQ210";
    case kWQ215: return "WQ215";
    case kWQ220: return "WQ220";
    case kWQ490: return "WQ490";
  }
  return "?";
}

bool ParseConfig(const char* text, BusConfig* out, char* err, size_t errSize) {
  Parser p;
  p.err = err;
  p.errSize = errSize;
  if (err && errSize) err[0] = 0;
  if (!text) {
    p.line = 0;
    return p.Fail("no configuration text");
  }
  if (!ReadLines(p, text, ParseStatement)) return false;
  *out = std::move(p.cfg);
  return true;
}

}  // namespace vscsi
