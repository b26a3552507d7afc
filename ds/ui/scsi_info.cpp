// The "SCSI Information" dialog's rows, candidates and OK, over the
// all-device list of the scanner library's bus scan (selector 5).
#include "ds/ui/scsi_info.h"

#include <cstring>

#include "common/strutil.h"
#include "ds/base/host.h"
#include "ds/base/messages.h"
#include "ds/base/text.h"
#include "ds/scan/geometry.h"
#include "ds/scan/scanjob.h"

namespace wq {
namespace {

constexpr size_t kPrefixLength = 10;
// The part of a name that selector 3 compares: vendor, product, revision
// less its last character.
constexpr size_t kComparedName = 27;

// One field of a device name as text. Devices answer with any bytes; the
// dialog shows printable characters only.
void FieldText(const char* name, size_t from, size_t n, char* out) {
  size_t len = 0;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char c = uint8_t(name[from + i]);
    out[i] = c >= 0x20 && c < 0x7F ? char(c) : ' ';
    if (out[i] != ' ') len = i + 1;
  }
  out[len] = 0;
}

bool Listed(const BusDevices& bus, uint8_t board) {
  uint8_t boards[kBusDevicesMax];
  const int n = BusAdapters(bus, boards, kBusDevicesMax);
  for (int i = 0; i < n; ++i)
    if (boards[i] == board) return true;
  return false;
}

void ShowListedOrFirst(ScsiSelection* sel, uint8_t board) {
  if (Listed(sel->Bus, board)) {
    sel->Board = board;
    return;
  }
  uint8_t first;
  if (BusAdapters(sel->Bus, &first, 1) == 1) sel->Board = first;
}

bool CandidateAt(const ScsiSelection& sel, uint8_t board, uint8_t target, int* model) {
  int16_t type = 0;
  const ScannerIdentity* d = FindBusDevice(sel.Bus, board, target, &type);
  return d && IsScannerCandidate(type, d->Name, sel.WQ215, model);
}

// The choice names the scanner the source is using, unchanged: the same
// identity and model, still answering, with the feeder and film unit the
// settings were fitted to.
bool StillTheScannerInUse(const ScannerIdentity& chosen, int model) {
  if (memcmp(chosen.Name, g_ScanJob.Remembered.Name, kComparedName) != 0 ||
      model != g_ScanJob.Model)
    return false;
  memcpy(g_ParamBlock.DeviceName, chosen.Name, sizeof g_ParamBlock.DeviceName);
  memcpy(&g_ParamBlock.DeviceAddress, chosen.Address, sizeof g_ParamBlock.DeviceAddress);
  if (!CallScanner(kSelDeviceEqlByte)) return false;
  g_ScanJob.Model = model;
  if (!CallScanner(kSelGetScannerType)) return false;
  const bool adf = g_ParamBlock.AdfType != 0;
  const bool fsu = g_ParamBlock.FsuType != 0;
  return adf == (g_ScanJob.AdfAvailable == 1) && fsu == (g_ScanJob.FsuAvailable == 1);
}

// Both identity records take the choice, and the settings file keeps it
// at once: the next open starts from ScannerName/BoardID/TargetID.
void RememberChoice(const ScannerIdentity& chosen) {
  g_Main.Scanner = chosen;
  g_Main.Scanner2 = chosen;
  if (g_Settings) WriteMainFile(*g_Settings, g_Main);
}

void RestoreRememberedChoice(ScsiSelection* sel) {
  const ScannerIdentity& r = g_Main.Scanner2;
  sel->HasChoice = r.Name[0] != 0;
  sel->ChoiceBoard = r.Address[1];
  sel->ChoiceTarget = r.Address[2];
  ShowListedOrFirst(sel, sel->ChoiceBoard);
}

}  // namespace

void CopyDeviceList(const DeviceList* list, BusDevices* bus) {
  bus->Count = 0;
  if (!list || list->Count <= 0 || !list->Types || !list->Names || !list->Addresses) return;
  const int n = list->Count < kBusDevicesMax ? list->Count : kBusDevicesMax;
  for (int i = 0; i < n; ++i) {
    bus->Types[i] = list->Types[i];
    memcpy(bus->Devices[i].Name, list->Names[i], sizeof bus->Devices[i].Name);
    memcpy(bus->Devices[i].Address, &list->Addresses[i], sizeof bus->Devices[i].Address);
  }
  bus->Count = n;
}

int TypeTextId(int16_t type) {
  const int t = type & 31;
  return kTypeTextFirst + (t > 8 ? 8 : t);
}

bool IsScannerCandidate(int16_t type, const char* name, bool wq215, int* model) {
  *model = -1;
  char prefix[16];
  // The family prefix is the string table's; a table without it still
  // knows the family.
  if (LoadText(text::kFamilyPrefix, prefix) != kPrefixLength) CopyString(prefix, "KORVA   WQ");
  if (type != 6 || memcmp(name, prefix, kPrefixLength) != 0) return false;
  *model = ModelFromIdentity(name, kDeviceNameSize, wq215);
  return *model >= 0;
}

int BusAdapters(const BusDevices& bus, uint8_t* boards, int max) {
  int n = 0;
  for (int i = 0; i < bus.Count && n < max; ++i) {
    if (bus.Types[i] != 3) continue;
    const uint8_t b = bus.Devices[i].Address[1];
    bool seen = false;
    for (int j = 0; j < n; ++j) seen = seen || boards[j] == b;
    if (!seen) boards[n++] = b;
  }
  return n;
}

void AdapterName(const BusDevices& bus, uint8_t board, char* buf, size_t size) {
  if (size) buf[0] = 0;
  for (int i = 0; i < bus.Count; ++i) {
    if (bus.Types[i] != 3 || bus.Devices[i].Address[1] != board) continue;
    // An adapter's own entry carries its identifier where a device has its
    // product.
    char text[17];
    FieldText(bus.Devices[i].Name, 8, 16, text);
    CopyString(buf, size, text);
    return;
  }
}

const ScannerIdentity* FindBusDevice(const BusDevices& bus, uint8_t board, uint8_t target,
                                     int16_t* type) {
  for (int i = 0; i < bus.Count; ++i) {
    const ScannerIdentity& d = bus.Devices[i];
    if (d.Address[1] == board && d.Address[2] == target) {
      if (type) *type = bus.Types[i];
      return &d;
    }
  }
  return nullptr;
}

void AdapterRows(const BusDevices& bus, uint8_t board, bool wq215, ScsiRow rows[kScsiIdCount]) {
  for (int id = 0; id < kScsiIdCount; ++id) {
    ScsiRow& r = rows[id];
    r = ScsiRow{};
    r.Model = -1;
    int16_t type = 0;
    const ScannerIdentity* d = FindBusDevice(bus, board, uint8_t(id), &type);
    if (!d) continue;
    r.Exists = true;
    r.TypeText = TypeTextId(type);
    FieldText(d->Name, 0, 8, r.Vendor);
    FieldText(d->Name, 8, 16, r.Product);
    FieldText(d->Name, 24, 4, r.Revision);
    r.Candidate = IsScannerCandidate(type, d->Name, wq215, &r.Model);
  }
}

void BeginScsiSelection(ScsiSelection* sel, bool sourceOpen) {
  memset(sel, 0, sizeof *sel);
  sel->SourceOpen = sourceOpen;
  sel->WQ215 = g_Main.WQ215 == 1;
  RestoreRememberedChoice(sel);
  sel->Board = sel->ChoiceBoard;
}

bool RescanBus(ScsiSelection* sel) {
  const bool ok = CallScanner(kSelDeviceAllSearch);
  CopyDeviceList(ok ? g_ParamBlock.DeviceList : nullptr, &sel->Bus);
  ShowListedOrFirst(sel, sel->Board);
  return ok;
}

bool ShowAdapter(ScsiSelection* sel, uint8_t board) {
  if (!Listed(sel->Bus, board)) return false;
  sel->Board = board;
  return true;
}

bool ChooseId(ScsiSelection* sel, int id) {
  int model;
  if (id < 0 || id >= kScsiIdCount || !CandidateAt(*sel, sel->Board, uint8_t(id), &model))
    return false;
  sel->HasChoice = true;
  sel->ChoiceBoard = sel->Board;
  sel->ChoiceTarget = uint8_t(id);
  return true;
}

int CheckedId(const ScsiSelection& sel) {
  int model;
  if (!sel.HasChoice || sel.ChoiceBoard != sel.Board || sel.ChoiceTarget >= kScsiIdCount ||
      !CandidateAt(sel, sel.Board, sel.ChoiceTarget, &model))
    return -1;
  return sel.ChoiceTarget;
}

bool OkEnabled(const ScsiSelection& sel) {
  for (int i = 0; i < sel.Bus.Count; ++i) {
    int model;
    if (IsScannerCandidate(sel.Bus.Types[i], sel.Bus.Devices[i].Name, sel.WQ215, &model))
      return true;
  }
  return false;
}

ScsiOkResult ConfirmScsiChoice(ScsiSelection* sel) {
  int model = -1;
  // Nothing that can be chosen is checked (the remembered scanner is not on
  // the bus and the user picked none): there is nothing to apply.
  if (!sel->HasChoice || !CandidateAt(*sel, sel->ChoiceBoard, sel->ChoiceTarget, &model))
    return kScsiOkClose;
  const ScannerIdentity chosen =
      *FindBusDevice(sel->Bus, sel->ChoiceBoard, sel->ChoiceTarget, nullptr);
  const ScannerIdentity& remembered = g_Main.Scanner2;
  const bool same = remembered.Address[1] == sel->ChoiceBoard &&
                    remembered.Address[2] == sel->ChoiceTarget;
  if (same) {
    if (!sel->SourceOpen) {
      // No scanner in use: the choice is only kept for the next open.
      RememberChoice(chosen);
      return kScsiOkClose;
    }
    if (StillTheScannerInUse(chosen, model)) return kScsiOkClose;
    // Another device or other options behind the same address: the
    // settings no longer fit it, so the source restarts as for a new one.
  }
  if (ShowMessageById(msg::kScannerChanged, kButtonsOkCancel) != kAnswerOk) {
    RestoreRememberedChoice(sel);
    return kScsiOkStay;
  }
  RememberChoice(chosen);
  sel->Reacquire = sel->SourceOpen;
  return kScsiOkClose;
}

}  // namespace wq
