// The fault statement: its kind, the kind's values, then the conditions.
#include "vscsi/config_faults.h"

namespace vscsi::configtext {

bool ParseFault(Parser& p, const std::vector<Token>& t) {
  if (p.cfg.devices.empty()) return p.Fail("fault before any device");
  DeviceConfig& d = p.cfg.devices.back();
  if (d.faults.size() >= size_t(kMaxFaults)) return p.Fail("more than %d faults on one device", kMaxFaults);
  if (t.size() < 2 || t[1].hasValue) return p.Fail("fault needs a kind");
  FaultRule f;
  const std::string& kind = t[1].key;
  // Positional arguments follow the kind, then key=value settings.
  std::vector<std::string> args;
  size_t i = 2;
  for (; i < t.size() && !t[i].hasValue; ++i) args.push_back(t[i].key);
  auto want = [&](size_t lo, size_t hi) {
    if (args.size() < lo || args.size() > hi) {
      if (lo == hi) return p.Fail("fault %s takes %zu value(s)", kind.c_str(), lo);
      return p.Fail("fault %s takes %zu to %zu values", kind.c_str(), lo, hi);
    }
    return true;
  };
  uint64_t v;
  auto check = [&](uint8_t key, uint8_t asc) {
    f.kind = FaultKind::Check;
    f.key = key;
    f.asc = asc;
  };
  if (kind == "pending") {
    if (!want(1, 1) || !Word(p, args[0], "polls", 1, 1000000, &v)) return false;
    f.kind = FaultKind::Pending;
    f.polls = uint32_t(v);
    f.times = -1;
  } else if (kind == "hang") {
    if (!want(0, 0)) return false;
    f.kind = FaultKind::Hang;
  } else if (kind == "aspibusy" || kind == "busy") {
    if (!want(0, 1)) return false;
    f.kind = kind == "busy" ? FaultKind::Busy : FaultKind::AspiBusy;
    if (!args.empty()) {
      if (!Word(p, args[0], "count", 1, 1000000, &v)) return false;
      f.times = int32_t(v);
    }
  } else if (kind == "check") {
    if (!want(2, 3)) return false;
    uint64_t key, asc, ascq = 0;
    if (!Word(p, args[0], "sense key", 0, 15, &key) || !Word(p, args[1], "sense code", 0, 255, &asc))
      return false;
    if (args.size() > 2 && !Word(p, args[2], "qualifier", 0, 255, &ascq)) return false;
    check(uint8_t(key), uint8_t(asc));
    f.ascq = uint8_t(ascq);
  } else if (kind == "unitattention") {
    if (!want(0, 0)) return false;
    check(6, 0x29);
    f.sparesInquiry = true;
  } else if (kind == "jam") {
    if (!want(0, 0)) return false;
    check(3, 0x53);
  } else if (kind == "empty") {
    if (!want(0, 0)) return false;
    check(3, 0x3A);
  } else if (kind == "lamp") {
    if (!want(0, 0)) return false;
    check(4, 0x60);
  } else if (kind == "adfcover" || kind == "fsucover") {
    if (!want(0, 1)) return false;
    check(2, kind == "adfcover" ? 0x80 : 0x81);
    if (!args.empty()) {
      if (!Word(p, args[0], "qualifier", 0, 255, &v)) return false;
      f.ascq = uint8_t(v);
    }
  } else if (kind == "short") {
    if (!want(1, 1) || !Word(p, args[0], "bytes", 0, 0xFFFFFF, &v)) return false;
    f.kind = FaultKind::Short;
    f.shortBytes = uint32_t(v);
  } else {
    return p.Fail("unknown fault \"%s\"", kind.c_str());
  }
  for (; i < t.size(); ++i) {
    const std::string& k = t[i].key;
    if (!t[i].hasValue) return p.Fail("fault setting \"%s\" needs a value", k.c_str());
    if (k == "op") {
      if (!Number(p, t[i], 0, 255, &v)) return false;
      f.opcode = int16_t(v);
    } else if (k == "type") {
      if (!Number(p, t[i], 0, 255, &v)) return false;
      f.dataType = int16_t(v);
    } else if (k == "after") {
      if (!Number(p, t[i], 0, 0xFFFFFFFFu, &v)) return false;
      f.after = uint32_t(v);
    } else if (k == "read") {
      if (!Number(p, t[i], 1, 0xFFFFFFFFu, &v)) return false;
      f.readIndex = uint32_t(v);
    } else if (k == "times") {
      if (t[i].value == "always") {
        f.times = -1;
      } else {
        if (!Number(p, t[i], 1, 0x7FFFFFFF, &v)) return false;
        f.times = int32_t(v);
      }
    } else {
      return p.Fail("unknown fault setting \"%s\"", k.c_str());
    }
  }
  d.faults.push_back(f);
  return true;
}

}  // namespace vscsi::configtext
