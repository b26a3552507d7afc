// The virtual bus as its configuration text describes it: host adapters,
// the devices on their targets, and the faults injected into each device.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vscsi {

// Model kinds, numbered as the scanner library numbers them.
enum ModelKind : uint16_t {
  kWQ140 = 1,
  kWQ210 = 2,
  kWQ215 = 4,
  kWQ220 = 8,
  kWQ490 = 2048,
};

constexpr int kMaxAdapters = 16;
constexpr int kMaxTargets = 16;
constexpr int kMaxLuns = 8;
constexpr int kMaxFaults = 64;
constexpr int kSenseBytes = 18;

enum class FaultKind : uint8_t {
  Pending,   // the request stays pending for `polls` polls
  Hang,      // the request never completes (until aborted or reset)
  AspiBusy,  // the manager answers SS_ASPI_IS_BUSY; nothing reaches the device
  Busy,      // target status BUSY
  Check,     // CHECK CONDITION with the given sense
  Short,     // a data-in transfer delivers only `shortBytes`
};

struct FaultRule {
  FaultKind kind = FaultKind::Check;
  uint32_t polls = 0;
  uint8_t key = 0, asc = 0, ascq = 0;
  bool sparesInquiry = false;  // unit attention: INQUIRY and REQUEST SENSE pass
  uint32_t shortBytes = 0;
  int16_t opcode = -1;    // only this opcode (-1: any)
  int16_t dataType = -1;  // only this READ/SEND data type code (-1: any)
  uint32_t after = 0;     // only once this many commands have reached the device
  uint32_t readIndex = 0; // only the n-th READ of image data since START (0: any)
  uint32_t sheet = 0;     // only while the feeder's n-th sheet is in (0: any)
  int32_t times = 1;      // how often it fires (-1: every time)
};

struct ScannerOptions {
  uint16_t kind = kWQ140;
  uint8_t adfType = 0;   // feeder type bits, 0 = none
  uint32_t sheets = 0;   // sheets in the feeder
  uint8_t fsuType = 0;   // film-unit type bits, 0 = none
  bool fsuReady = true;
  uint8_t descLength = 68;  // kind 1 window descriptor length
  uint8_t caps[2] = {0x80, 0x35};  // kind 1 sub-device page bytes 13-14
};

struct DeviceConfig {
  uint8_t adapter = 0, target = 0, lun = 0;
  bool scanner = false;  // one of this family's scanners
  uint8_t type = 0;      // peripheral device type
  bool removable = false;
  char vendor[8];        // blank padded, no terminator
  char product[16];
  char revision[4];
  ScannerOptions options;
  std::vector<FaultRule> faults;
  int line = 0;          // where it was configured
};

struct AdapterConfig {
  uint8_t scsiId = 7;
  uint8_t managerId[16];
  uint8_t identifier[16];
  uint8_t unique[16];    // alignment mask, flags, max targets, max transfer
};

struct BusConfig {
  bool statusGiven = false;
  uint8_t supportStatus = 1;
  std::vector<AdapterConfig> adapters;
  std::vector<DeviceConfig> devices;
};

// Parses a configuration text. On error returns false and writes
// "line N: reason" to err.
bool ParseConfig(const char* text, BusConfig* out, char* err, size_t errSize);

// Facts of the adapter's unique bytes.
uint32_t AdapterMaxTransfer(const AdapterConfig& a);
uint16_t AdapterAlignMask(const AdapterConfig& a);
int AdapterMaxTargets(const AdapterConfig& a);

// Model name ("WQ140"...) and its kind; 0 when unknown.
uint16_t ModelKindByName(const char* name, size_t len);
const char* ModelName(uint16_t kind);

}  // namespace vscsi
