// One device on the virtual bus: its configuration, the state every SCSI
// device keeps (pending sense, unit attention, fault counts) and, for this
// family's scanners, the scanner's own state.
#pragma once
#include <cstdint>
#include <vector>

#include "vscsi/command.h"
#include "vscsi/config.h"
#include "vscsi/geometry.h"
#include "vscsi/page.h"
#include "vscsi/params.h"
#include "vscsi/tone.h"

namespace vscsi {

// A scan in progress: started by START/STOP UNIT, read line by line.
struct ScanJob {
  bool active = false;
  Source source = Source::Flatbed;
  uint32_t pixels = 0, lines = 0, lineBytes = 0;
  uint32_t linesDone = 0;
  uint32_t reads = 0;          // READs of image data since the start
  double rowOrigin = 0, rowStep = 0;  // page y of row i = origin + (i + 0.5) * step
  ScanParams params;           // as they were at the start
  ToneTables tone;
  PageRenderer renderer;
  std::vector<uint8_t> planes; // one row as three planes
};

struct ScannerState {
  ScannerOptions options;
  uint16_t unit = 1200;        // measurement-unit divisor
  ScanParams params;
  GammaChannel gamma[4];
  bool adfSelect = false, fsuSelect = false;  // source choice as last written
  uint32_t sheetsLeft = 0;     // in the feeder's tray
  bool sheetLoaded = false;
  uint32_t sheetNumber = 0;    // sheets fed so far
  uint32_t sheetsEjected = 0;
  bool reserved = false;
  uint32_t starts = 0;
  ScanJob job;
};

struct Device {
  DeviceConfig config;
  std::vector<FaultRule> faults;  // counts left in `times`
  uint32_t commands = 0;          // commands that reached the device
  bool senseValid = false;        // sense kept for REQUEST SENSE
  uint8_t sense[kSenseBytes] = {};
  bool unitAttention = false;
  ScannerState scanner;           // this family's scanners only
};

// Sets a device up as configured (power on).
void InitDevice(Device* d, const DeviceConfig& c);
// Bus device reset: ends any scan, back to power-on parameters, unit
// attention for the next command.
void ResetDevice(Device* d);

// Runs one command on a device: unit attention, injected faults, then the
// command itself; keeps the sense of a CHECK CONDITION.
void ExecuteOnDevice(Device* d, const CommandIO& io, CommandResult* r);
// A command for a LUN the target does not have.
void ExecuteOnAbsentLun(const CommandIO& io, CommandResult* r);

// Commands every device answers: TEST UNIT READY, REQUEST SENSE, INQUIRY.
// Returns false when the opcode is none of them.
bool CommonCommand(Device* d, const CommandIO& io, CommandResult* r);

}  // namespace vscsi
