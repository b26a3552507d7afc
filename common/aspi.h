// ASPI for Win32 request blocks and codes, as the published interface
// defines them. Shared by the scanner library (which sends requests) and the
// virtual SCSI bus (which answers them). Portable: no <windows.h>.
#pragma once
#include <cstdint>

namespace aspi {

// Commands (SRB_Cmd).
constexpr uint8_t SC_HA_INQUIRY = 0x00;
constexpr uint8_t SC_GET_DEV_TYPE = 0x01;
constexpr uint8_t SC_EXEC_SCSI_CMD = 0x02;
constexpr uint8_t SC_ABORT_SRB = 0x03;
constexpr uint8_t SC_RESET_DEV = 0x04;
constexpr uint8_t SC_GET_DISK_INFO = 0x06;

// Request status (SRB_Status).
constexpr uint8_t SS_PENDING = 0x00;
constexpr uint8_t SS_COMP = 0x01;
constexpr uint8_t SS_ABORTED = 0x02;
constexpr uint8_t SS_ABORT_FAIL = 0x03;
constexpr uint8_t SS_ERR = 0x04;
constexpr uint8_t SS_INVALID_CMD = 0x80;
constexpr uint8_t SS_INVALID_HA = 0x81;
constexpr uint8_t SS_NO_DEVICE = 0x82;
constexpr uint8_t SS_INVALID_SRB = 0xE0;
constexpr uint8_t SS_BUFFER_ALIGN = 0xE1;
constexpr uint8_t SS_ILLEGAL_MODE = 0xE2;
constexpr uint8_t SS_NO_ASPI = 0xE3;
constexpr uint8_t SS_FAILED_INIT = 0xE4;
constexpr uint8_t SS_ASPI_IS_BUSY = 0xE5;
constexpr uint8_t SS_BUFFER_TO_BIG = 0xE6;
constexpr uint8_t SS_MISMATCHED_COMPONENTS = 0xE7;
constexpr uint8_t SS_NO_ADAPTERS = 0xE8;
constexpr uint8_t SS_INSUFFICIENT_RESOURCES = 0xE9;
constexpr uint8_t SS_ASPI_IS_SHUTDOWN = 0xEA;
constexpr uint8_t SS_BAD_INSTALL = 0xEB;

// Request flags (SRB_Flags).
constexpr uint8_t SRB_DIR_SCSI = 0x00;
constexpr uint8_t SRB_POSTING = 0x01;
constexpr uint8_t SRB_ENABLE_RESIDUAL_COUNT = 0x04;
constexpr uint8_t SRB_DIR_IN = 0x08;
constexpr uint8_t SRB_DIR_OUT = 0x10;
constexpr uint8_t SRB_EVENT_NOTIFY = 0x40;

// Host-adapter status (SRB_HaStat).
constexpr uint8_t HASTAT_OK = 0x00;
constexpr uint8_t HASTAT_SEL_TO = 0x11;
constexpr uint8_t HASTAT_DO_DU = 0x12;
constexpr uint8_t HASTAT_BUS_FREE = 0x13;
constexpr uint8_t HASTAT_PHASE_ERR = 0x14;
constexpr uint8_t HASTAT_TIMEOUT = 0x09;
constexpr uint8_t HASTAT_COMMAND_TIMEOUT = 0x0B;
constexpr uint8_t HASTAT_MESSAGE_REJECT = 0x0D;
constexpr uint8_t HASTAT_BUS_RESET = 0x0E;
constexpr uint8_t HASTAT_PARITY_ERROR = 0x0F;
constexpr uint8_t HASTAT_REQUEST_SENSE_FAILED = 0x10;

// Target status (SRB_TargStat).
constexpr uint8_t STATUS_GOOD = 0x00;
constexpr uint8_t STATUS_CHKCOND = 0x02;
constexpr uint8_t STATUS_BUSY = 0x08;
constexpr uint8_t STATUS_RESCONF = 0x18;

// The published header sizes the sense area as SENSE_LEN (14) + 2 bytes, but
// the scanner library asks for 18 sense bytes; a manager honouring that would
// write past a 16-byte area. The area sits at the end of the block, so making
// it large enough changes no offset a manager relies on.
constexpr int SENSE_LEN = 18;

#pragma pack(push, 1)

struct SRB_Header {
  uint8_t SRB_Cmd;
  uint8_t SRB_Status;
  uint8_t SRB_HaId;
  uint8_t SRB_Flags;
  uint32_t SRB_Hdr_Rsvd;
};

struct SRB_HAInquiry {
  uint8_t SRB_Cmd;
  uint8_t SRB_Status;
  uint8_t SRB_HaId;
  uint8_t SRB_Flags;
  uint32_t SRB_Hdr_Rsvd;
  uint8_t HA_Count;
  uint8_t HA_SCSI_ID;
  uint8_t HA_ManagerId[16];
  uint8_t HA_Identifier[16];
  uint8_t HA_Unique[16];
  uint16_t HA_Rsvd1;
};

struct SRB_GDEVBlock {
  uint8_t SRB_Cmd;
  uint8_t SRB_Status;
  uint8_t SRB_HaId;
  uint8_t SRB_Flags;
  uint32_t SRB_Hdr_Rsvd;
  uint8_t SRB_Target;
  uint8_t SRB_Lun;
  uint8_t SRB_DeviceType;
  uint8_t SRB_Rsvd1;
};

struct SRB_ExecSCSICmd {
  uint8_t SRB_Cmd;
  uint8_t SRB_Status;
  uint8_t SRB_HaId;
  uint8_t SRB_Flags;
  uint32_t SRB_Hdr_Rsvd;
  uint8_t SRB_Target;
  uint8_t SRB_Lun;
  uint16_t SRB_Rsvd1;
  uint32_t SRB_BufLen;
  uint8_t* SRB_BufPointer;
  uint8_t SRB_SenseLen;
  uint8_t SRB_CDBLen;
  uint8_t SRB_HaStat;
  uint8_t SRB_TargStat;
  void* SRB_PostProc;
  uint8_t SRB_Rsvd2[20];
  uint8_t CDBByte[16];
  uint8_t SenseArea[SENSE_LEN + 2];
};

struct SRB_Abort {
  uint8_t SRB_Cmd;
  uint8_t SRB_Status;
  uint8_t SRB_HaId;
  uint8_t SRB_Flags;
  uint32_t SRB_Hdr_Rsvd;
  void* SRB_ToAbort;
};

struct SRB_BusDeviceReset {
  uint8_t SRB_Cmd;
  uint8_t SRB_Status;
  uint8_t SRB_HaId;
  uint8_t SRB_Flags;
  uint32_t SRB_Hdr_Rsvd;
  uint8_t SRB_Target;
  uint8_t SRB_Lun;
  uint8_t SRB_Rsvd1[12];
  uint8_t SRB_HaStat;
  uint8_t SRB_TargStat;
  void* SRB_PostProc;
  uint8_t SRB_Rsvd2[36];
};

#pragma pack(pop)

static_assert(sizeof(SRB_HAInquiry) == 60, "host-adapter inquiry block is 60 bytes");
static_assert(sizeof(SRB_Header) == 8);
#if UINTPTR_MAX == 0xFFFFFFFFu
// 32-bit layout of the published interface.
static_assert(sizeof(SRB_ExecSCSICmd) == 64 + SENSE_LEN + 2);
static_assert(__builtin_offsetof(SRB_ExecSCSICmd, SRB_BufPointer) == 16);
static_assert(__builtin_offsetof(SRB_ExecSCSICmd, SRB_SenseLen) == 20);
static_assert(__builtin_offsetof(SRB_ExecSCSICmd, SRB_PostProc) == 24);
static_assert(__builtin_offsetof(SRB_ExecSCSICmd, CDBByte) == 48);
#endif

// Ordinal 1: low byte adapter count, bits 15-8 the status.
typedef uint32_t (*GetASPI32SupportInfoFn)();
// Ordinal 2: the request block, any kind; returns its status.
typedef uint32_t (*SendASPI32CommandFn)(void* srb);

}  // namespace aspi
