// The fault statement: a kind from the table of kinds, the values that kind
// takes, then the conditions every kind shares.
#include "vscsi/config_faults.h"

#include <iterator>
#include <string>

namespace vscsi::configtext {
namespace {

// The member of the rule a number read for a fault goes to.
enum class Slot : uint8_t { Polls, Key, Asc, Ascq, ShortBytes, Opcode, DataType, After, ReadIndex, Sheet, Times };

void Store(FaultRule& f, Slot slot, uint64_t v) {
  switch (slot) {
    case Slot::Polls: f.polls = uint32_t(v); break;
    case Slot::Key: f.key = uint8_t(v); break;
    case Slot::Asc: f.asc = uint8_t(v); break;
    case Slot::Ascq: f.ascq = uint8_t(v); break;
    case Slot::ShortBytes: f.shortBytes = uint32_t(v); break;
    case Slot::Opcode: f.opcode = int16_t(v); break;
    case Slot::DataType: f.dataType = int16_t(v); break;
    case Slot::After: f.after = uint32_t(v); break;
    case Slot::ReadIndex: f.readIndex = uint32_t(v); break;
    case Slot::Sheet: f.sheet = uint32_t(v); break;
    case Slot::Times: f.times = int32_t(v); break;
  }
}

// A number a fault takes: a value after the kind, named in errors by name,
// or a condition, written name=N.
struct Field {
  const char* name;
  uint32_t lo, hi;
  Slot slot;
};

constexpr int32_t kAlways = -1;
constexpr Field kCount = {"count", 1, 1000000, Slot::Times};
constexpr Field kQualifier = {"qualifier", 0, 255, Slot::Ascq};

// The kinds as vscsi/README.md lists them. A kind takes `required` values
// and then optionally the rest of `values` (an entry without a name ends
// them). key and asc are the sense a CHECK CONDITION kind reports unless its
// values say otherwise; times is how often it fires unless a count or
// times= says otherwise.
struct KindRow {
  const char* name;
  FaultKind kind;
  size_t required;
  Field values[3];
  uint8_t key, asc;
  bool sparesInquiry;
  int32_t times;
};

constexpr KindRow kKinds[] = {
    {"pending", FaultKind::Pending, 1, {{"polls", 1, 1000000, Slot::Polls}}, 0, 0, false, kAlways},
    {"hang", FaultKind::Hang, 0, {}, 0, 0, false, 1},
    {"aspibusy", FaultKind::AspiBusy, 0, {kCount}, 0, 0, false, 1},
    {"busy", FaultKind::Busy, 0, {kCount}, 0, 0, false, 1},
    {"check", FaultKind::Check, 2,
     {{"sense key", 0, 15, Slot::Key}, {"sense code", 0, 255, Slot::Asc}, kQualifier}, 0, 0, false, 1},
    {"unitattention", FaultKind::Check, 0, {}, 6, 0x29, true, 1},
    {"jam", FaultKind::Check, 0, {}, 3, 0x53, false, 1},
    {"empty", FaultKind::Check, 0, {}, 3, 0x3A, false, 1},
    {"adfcover", FaultKind::Check, 0, {kQualifier}, 2, 0x80, false, 1},
    {"fsucover", FaultKind::Check, 0, {kQualifier}, 2, 0x81, false, 1},
    {"lamp", FaultKind::Check, 0, {}, 4, 0x60, false, 1},
    {"short", FaultKind::Short, 1, {{"bytes", 0, 0xFFFFFF, Slot::ShortBytes}}, 0, 0, false, 1},
};

// The conditions, in any order after the values; times= also takes "always".
constexpr Field kConditions[] = {
    {"op", 0, 255, Slot::Opcode},
    {"type", 0, 255, Slot::DataType},
    {"after", 0, 0xFFFFFFFF, Slot::After},
    {"read", 1, 0xFFFFFFFF, Slot::ReadIndex},
    {"sheet", 1, 0xFFFFFFFF, Slot::Sheet},
    {"times", 1, 0x7FFFFFFF, Slot::Times},
};

constexpr size_t ValueCount(const KindRow& k) {
  size_t n = 0;
  while (n < std::size(k.values) && k.values[n].name) ++n;
  return n;
}

constexpr bool RequiredWithinValues() {
  for (const KindRow& k : kKinds)
    if (k.required > ValueCount(k)) return false;
  return true;
}
static_assert(RequiredWithinValues(), "a kind requires more values than it lists");

template <typename Row, size_t N>
const Row* Find(const Row (&rows)[N], const std::string& name) {
  for (const Row& r : rows)
    if (name == r.name) return &r;
  return nullptr;
}

}  // namespace

bool ParseFault(Parser& p, const std::vector<Token>& t) {
  if (p.cfg.devices.empty()) return p.Fail("fault before any device");
  DeviceConfig& d = p.cfg.devices.back();
  if (d.faults.size() >= size_t(kMaxFaults)) return p.Fail("more than %d faults on one device", kMaxFaults);
  if (t.size() < 2 || t[1].hasValue) return p.Fail("fault needs a kind");
  const std::string& name = t[1].key;
  const KindRow* k = Find(kKinds, name);
  if (!k) return p.Fail("unknown fault \"%s\"", name.c_str());

  // Values follow the kind, then key=value conditions.
  size_t first = 2, end = first;
  while (end < t.size() && !t[end].hasValue) ++end;
  size_t given = end - first, most = ValueCount(*k);
  if (given < k->required || given > most) {
    if (k->required == most) return p.Fail("fault %s takes %zu value(s)", name.c_str(), most);
    return p.Fail("fault %s takes %zu to %zu values", name.c_str(), k->required, most);
  }

  FaultRule f;
  f.kind = k->kind;
  f.key = k->key;
  f.asc = k->asc;
  f.sparesInquiry = k->sparesInquiry;
  f.times = k->times;
  uint64_t v;
  for (size_t i = 0; i < given; ++i) {
    const Field& value = k->values[i];
    if (!Word(p, t[first + i].key, value.name, value.lo, value.hi, &v)) return false;
    Store(f, value.slot, v);
  }
  for (size_t i = end; i < t.size(); ++i) {
    const std::string& key = t[i].key;
    if (!t[i].hasValue) return p.Fail("fault setting \"%s\" needs a value", key.c_str());
    const Field* c = Find(kConditions, key);
    if (!c) return p.Fail("unknown fault setting \"%s\"", key.c_str());
    if (c->slot == Slot::Times && t[i].value == "always") {
      f.times = kAlways;
      continue;
    }
    if (!Number(p, t[i], c->lo, c->hi, &v)) return false;
    Store(f, c->slot, v);
  }
  d.faults.push_back(f);
  return true;
}

}  // namespace vscsi::configtext
