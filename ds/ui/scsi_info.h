// The logic of the "SCSI Information" dialog: the devices of the last bus
// scan by adapter and SCSI id, which of them are scanners the user may
// choose, and what OK does with the choice. The dialog is win/scsiwnd.cpp.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ds/settings/settings_store.h"
#include "scanlib/scanlib.h"

namespace wq {

constexpr int kScsiIdCount = 8;          // rows per adapter: SCSI ids 0..7
constexpr int kBusDevicesMax = 16 * 8;   // what one search of 16 adapters can list
constexpr int kTypeTextFirst = 18064;    // "DISK"; 18072 "????" for every type above 8
constexpr int kTypeTextLast = 18072;

// A copy of the library's all-device list: the library frees its own list
// at the next search and when it is closed.
struct BusDevices {
  int Count;
  int16_t Types[kBusDevicesMax];          // peripheral device type; 3 for an adapter itself
  ScannerIdentity Devices[kBusDevicesMax];  // 32-byte name, then the address
};

// One SCSI id of one adapter as the dialog shows it; an empty row has
// Exists false and empty texts.
struct ScsiRow {
  bool Exists;
  int TypeText;       // string id of the type text, 0 for an empty row
  char Vendor[9];     // the name's 8, 16 and 4 characters, without trailing blanks
  char Product[17];
  char Revision[5];
  bool Candidate;     // a usable scanner of this family: its radio button is enabled
  int Model;          // model index, -1 when not usable
};

// Bounded copy; a null or inconsistent list gives an empty bus.
void CopyDeviceList(const DeviceList* list, BusDevices* bus);
// The string id of a type's text: 18064 + (type AND 31), 18072 above 8.
int TypeTextId(int16_t type);
// Whether a device is a scanner of this family that the source can drive:
// type 6, the family prefix "KORVA   WQ" and an identity code that gives a
// model index (written to *model, -1 otherwise).
bool IsScannerCandidate(int16_t type, const char* name, bool wq215, int* model);
// The adapters (entries of type 3) in the order listed; returns how many
// were written (at most max).
int BusAdapters(const BusDevices& bus, uint8_t* boards, int max);
// The adapter's identifier as its own entry carries it; empty when the
// adapter is not listed.
void AdapterName(const BusDevices& bus, uint8_t board, char* buf, size_t size);
// The eight rows of one adapter.
void AdapterRows(const BusDevices& bus, uint8_t board, bool wq215, ScsiRow rows[kScsiIdCount]);
// The listed device at an adapter and target (LUN 0 is the only one searched).
const ScannerIdentity* FindBusDevice(const BusDevices& bus, uint8_t board, uint8_t target,
                                     int16_t* type);

// The dialog's state from opening to OK or Cancel.
struct ScsiSelection {
  BusDevices Bus;
  bool SourceOpen;   // opened from the preference window: a scanner is in use
  bool WQ215;        // the [TWAIN] switch that lets "121" be model index 1
  uint8_t Board;     // the adapter shown
  bool HasChoice;    // a board and id are chosen (the remembered scanner at first)
  uint8_t ChoiceBoard, ChoiceTarget;
  bool Reacquire;    // set by OK: the source must be opened again to use the choice
};

// Starts from the remembered choice (BoardID2/TargetID2) and shows its
// adapter. Does not scan.
void BeginScsiSelection(ScsiSelection* sel, bool sourceOpen);
// Selector 5 and a fresh copy of its list (empty when it fails); the adapter
// shown stays unless it is gone.
bool RescanBus(ScsiSelection* sel);
// Shows another listed adapter; false when it is not listed.
bool ShowAdapter(ScsiSelection* sel, uint8_t board);
// The radio button of an id on the adapter shown; false (nothing changes)
// when that row is not a candidate.
bool ChooseId(ScsiSelection* sel, int id);
// The id whose radio button is checked on the adapter shown, or -1.
int CheckedId(const ScsiSelection& sel);
// OK is enabled when any adapter has a scanner row that can be chosen.
bool OkEnabled(const ScsiSelection& sel);

enum ScsiOkResult { kScsiOkClose = 0, kScsiOkStay = 1 };
// OK. The scanner in use again: re-read without a message. Another one (or
// the one in use changed behind the source's back): message 16006; Cancel
// restores the remembered choice and stays; OK stores the choice into both
// identity records, writes the main settings file and, when a scanner is in
// use, sets Reacquire.
ScsiOkResult ConfirmScsiChoice(ScsiSelection* sel);

}  // namespace wq
