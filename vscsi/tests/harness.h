// Sending requests to the virtual bus the way an ASPI caller does.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/aspi.h"
#include "common/bytes.h"
#include "vscsi/vscsi.h"

namespace vt {

inline void Configure(const char* text) {
  char err[200];
  ASSERT_TRUE(VscsiConfigure(text, err, sizeof err)) << err;
}

struct Reply {
  uint8_t status = 0xFF;  // request status
  uint8_t hostStatus = 0;
  uint8_t targetStatus = 0;
  uint8_t sense[20] = {};
  std::vector<uint8_t> data;
  uint32_t bufLen = 0;  // the block's length field afterwards

  uint8_t key() const { return sense[2] & 0x0F; }
  uint8_t asc() const { return sense[12]; }
  uint8_t ascq() const { return sense[13]; }
  uint16_t field() const { return wq::GetBE16(sense + 16); }
  bool good() const { return status == aspi::SS_COMP && targetStatus == 0 && hostStatus == 0; }
};

inline void FillBlock(aspi::SRB_ExecSCSICmd* srb, int ha, int target, const std::vector<uint8_t>& cdb,
                      uint8_t flags, uint8_t* buf, uint32_t len) {
  memset(srb, 0, sizeof *srb);
  srb->SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
  srb->SRB_HaId = uint8_t(ha);
  srb->SRB_Flags = flags;
  srb->SRB_Target = uint8_t(target);
  srb->SRB_BufLen = len;
  srb->SRB_BufPointer = buf;
  srb->SRB_SenseLen = 18;
  srb->SRB_CDBLen = uint8_t(cdb.size());
  memcpy(srb->CDBByte, cdb.data(), cdb.size());
}

inline Reply Finish(const aspi::SRB_ExecSCSICmd& srb, std::vector<uint8_t> data) {
  Reply r;
  r.status = srb.SRB_Status;
  r.hostStatus = srb.SRB_HaStat;
  r.targetStatus = srb.SRB_TargStat;
  memcpy(r.sense, srb.SenseArea, sizeof r.sense);
  r.data = std::move(data);
  r.bufLen = srb.SRB_BufLen;
  return r;
}

// A command with data in (inLen bytes of buffer), completed by polling.
inline Reply In(int ha, int target, const std::vector<uint8_t>& cdb, uint32_t inLen,
                uint8_t flags = aspi::SRB_DIR_IN) {
  aspi::SRB_ExecSCSICmd srb;
  std::vector<uint8_t> buf(inLen ? inLen : 1, 0xEE);
  FillBlock(&srb, ha, target, cdb, inLen ? flags : 0, inLen ? buf.data() : nullptr, inLen);
  VscsiSendCommand(&srb);
  for (int i = 0; i < 1000 && srb.SRB_Status == aspi::SS_PENDING; ++i) VscsiPoll();
  buf.resize(inLen);
  return Finish(srb, std::move(buf));
}

inline Reply Out(int ha, int target, const std::vector<uint8_t>& cdb, std::vector<uint8_t> data) {
  aspi::SRB_ExecSCSICmd srb;
  FillBlock(&srb, ha, target, cdb, data.empty() ? 0 : aspi::SRB_DIR_OUT, data.empty() ? nullptr : data.data(),
            uint32_t(data.size()));
  VscsiSendCommand(&srb);
  for (int i = 0; i < 1000 && srb.SRB_Status == aspi::SS_PENDING; ++i) VscsiPoll();
  return Finish(srb, {});
}

inline Reply Text(int ha, int target, const std::vector<uint8_t>& cdb, const std::string& text) {
  return Out(ha, target, cdb, std::vector<uint8_t>(text.begin(), text.end()));
}

inline Reply None(int ha, int target, const std::vector<uint8_t>& cdb) { return In(ha, target, cdb, 0); }

// CDBs.
inline std::vector<uint8_t> Cdb6(uint8_t op, uint8_t b1 = 0, uint8_t b2 = 0, uint8_t b3 = 0, uint8_t b4 = 0) {
  return {op, b1, b2, b3, b4, 0};
}
inline std::vector<uint8_t> Cdb10(uint8_t op, uint8_t type, uint16_t qualifier, uint32_t length) {
  std::vector<uint8_t> c(10, 0);
  c[0] = op;
  c[2] = type;
  wq::PutBE16(&c[4], qualifier);
  wq::PutBE24(&c[6], length);
  return c;
}
inline std::vector<uint8_t> Read10(uint8_t type, uint32_t length) { return Cdb10(0x28, type, 0, length); }
inline std::vector<uint8_t> Send10(uint8_t type, uint16_t qualifier, uint32_t length) {
  return Cdb10(0x2A, type, qualifier, length);
}
inline Reply SendText(int ha, int target, uint8_t type, uint16_t qualifier, const std::string& text) {
  return Text(ha, target, Send10(type, qualifier, uint32_t(text.size())), text);
}

// One value of VscsiDescribe.
inline std::string Describe(int ha, int target, const std::string& key) {
  char buf[4096];
  size_t n = VscsiDescribe(ha, target, buf, sizeof buf);
  std::string all(buf, n);
  size_t at = all.find(key + "=");
  while (at != std::string::npos && at != 0 && all[at - 1] != '\n') at = all.find(key + "=", at + 1);
  if (at == std::string::npos) return "<none>";
  size_t end = all.find('\n', at);
  return all.substr(at + key.size() + 1, end - at - key.size() - 1);
}

}  // namespace vt
