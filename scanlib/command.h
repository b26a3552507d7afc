// One SCSI command as the library sends it: CDB builders for the command
// set, and issuing a command with its trace lines, the BUSY retries of
// TEST UNIT READY and READ, and REQUEST SENSE when the caller asks for it.
#pragma once
#include <cstdint>

#include "scanlib/state.h"

namespace wqscsi {

struct ScsiCommand {
  uint8_t cdb[kCdbSize];
  uint8_t* data;
  uint32_t length;
  DataDirection direction;
  const char* targetNote;  // after the address on the target line
  const char* label;       // before "Command" on the command line
  bool countBusy;          // log how often a BUSY target was retried
  uint32_t busySpacingMs;  // wait between BUSY retries
};

constexpr uint8_t kOpTestUnitReady = 0x00;
constexpr uint8_t kOpRequestSense = 0x03;
constexpr uint8_t kOpInquiry = 0x12;
constexpr uint8_t kOpModeSelect = 0x15;
constexpr uint8_t kOpReserve = 0x16;
constexpr uint8_t kOpRelease = 0x17;
constexpr uint8_t kOpModeSense = 0x1A;
constexpr uint8_t kOpStartStop = 0x1B;
constexpr uint8_t kOpSetWindow = 0x24;
constexpr uint8_t kOpGetWindow = 0x25;
constexpr uint8_t kOpRead = 0x28;
constexpr uint8_t kOpSend = 0x2A;
constexpr uint8_t kOpObjectPosition = 0x31;
constexpr uint8_t kOpInitialize = 0xFF;

constexpr uint32_t kInquiryLength = 36;
constexpr uint32_t kMaxTransferLength = 0xFFFFFF;  // CDB bytes 6-8

ScsiCommand CmdSimple(uint8_t opcode);  // no data, CDB all 0 but the opcode
ScsiCommand CmdInquiry(uint8_t* reply36);
ScsiCommand CmdRequestSense(uint8_t* reply, uint8_t length);
ScsiCommand CmdModeSense(uint8_t page, uint8_t* reply, uint8_t allocation);
ScsiCommand CmdModeSelect(uint8_t* list, uint8_t length);
ScsiCommand CmdObjectPosition(uint8_t function);
ScsiCommand CmdGetWindow(uint8_t* reply, uint32_t allocation);
ScsiCommand CmdSetWindow(uint8_t* data, uint32_t length);
ScsiCommand CmdRead(uint8_t typeCode, uint16_t qualifier, uint8_t* reply, uint32_t length);
ScsiCommand CmdSend(uint8_t typeCode, uint16_t qualifier, uint8_t* data, uint32_t length,
                    const char* label);

// Issues the command at the state's target; the state's status becomes the
// result. BUSY is retried (TEST UNIT READY and READ only) until the busy
// bound runs out.
int16_t IssueCommand(const ScsiCommand& command);

// TEST UNIT READY; a UNIT ATTENTION counts as success.
int16_t TestUnitReady();

}  // namespace wqscsi
