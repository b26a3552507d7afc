// One SCSI command as it reaches a device, and what the device answers:
// target status, sense data, and the data phase checked against what the
// request block can carry.
#pragma once
#include <cstdint>

#include "vscsi/config.h"

namespace vscsi {

// Target status bytes.
constexpr uint8_t kGood = 0x00;
constexpr uint8_t kCheckCondition = 0x02;
constexpr uint8_t kBusy = 0x08;

// Sense keys.
constexpr uint8_t kNoSense = 0x0;
constexpr uint8_t kNotReady = 0x2;
constexpr uint8_t kMediumError = 0x3;
constexpr uint8_t kHardwareError = 0x4;
constexpr uint8_t kIllegalRequest = 0x5;
constexpr uint8_t kUnitAttention = 0x6;

// Additional sense codes used by the devices.
constexpr uint8_t kAscInvalidOpcode = 0x20;
constexpr uint8_t kAscInvalidCdbField = 0x24;
constexpr uint8_t kAscLunNotSupported = 0x25;
constexpr uint8_t kAscInvalidParamField = 0x26;
constexpr uint8_t kAscPowerOnReset = 0x29;
constexpr uint8_t kAscSequenceError = 0x2C;
constexpr uint8_t kAscSavingNotSupported = 0x39;

struct CommandIO {
  const uint8_t* cdb = nullptr;
  uint8_t cdbLength = 0;
  uint8_t flags = 0;         // request-block direction flags
  uint8_t* buffer = nullptr; // the request block's data buffer
  uint32_t bufferLength = 0;
  uint8_t lun = 0;
};

struct CommandResult {
  uint8_t targetStatus = kGood;
  uint8_t hostStatus = 0;     // adapter status (data phase faults)
  uint32_t transferred = 0;   // bytes moved in or out
  bool dataIn = false;        // the data phase was in (device to initiator)
  bool shortTransfer = false; // the device delivered less than it owed
  bool senseValid = false;
  uint8_t sense[kSenseBytes] = {};
};

// Fixed-format sense data.
void MakeSense(uint8_t* sense, uint8_t key, uint8_t asc, uint8_t ascq);

// CHECK CONDITION with the given sense.
void Fail(CommandResult* r, uint8_t key, uint8_t asc, uint8_t ascq = 0);
// ILLEGAL REQUEST naming the offending byte: in the CDB (ASC 0x24) or in
// the parameter list (ASC 0x26).
void FailCdbField(CommandResult* r, uint32_t byteOffset);
void FailParamField(CommandResult* r, uint32_t byteOffset);

// Data phase. DataIn checks that the request block takes n bytes in;
// DataOut that it supplies n bytes out. On failure they set an adapter
// fault in r and the command must do nothing further.
bool DataIn(const CommandIO& io, CommandResult* r, uint32_t n);
bool DataOut(const CommandIO& io, CommandResult* r, uint32_t n);
// Copies a short reply in (after DataIn semantics).
void ReplyIn(const CommandIO& io, CommandResult* r, const uint8_t* data, uint32_t n);

// Parts of the CDB that many commands share.
uint32_t CdbTransferLength(const uint8_t* cdb);  // READ/SEND/WINDOW bytes 6-8
uint16_t CdbQualifier(const uint8_t* cdb);       // bytes 4-5

// Length of a CDB by its opcode group (0xFF, the vendor initialise, is 10).
uint8_t CdbLengthFor(uint8_t opcode);

}  // namespace vscsi
