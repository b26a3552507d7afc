// Fuzz target for the device model: arbitrary configuration texts, and
// arbitrary request blocks (CDBs, directions, lengths, parameter data)
// against a bus with every scanner model. No input may crash it or make it
// touch memory outside the buffers it was given.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/aspi.h"
#include "vscsi/vscsi.h"

namespace {

const char* kBus =
    "adapter 0\n"
    "device 0:1 scanner model=WQ140 adf=1 sheets=3 fsu=1\n"
    "device 0:2 scanner model=WQ210 adf=2 sheets=2\n"
    "device 0:3 scanner model=WQ215 fsu=2\n"
    "device 0:4 scanner model=WQ220 adf=1 sheets=2 fsu=4\n"
    "fault busy 1 after=40\n"
    "fault jam read=3\n"
    "device 0:5 scanner model=WQ490 fsu=2\n"
    "fault pending 2 times=5 after=10\n"
    "device 0:6 generic type=disk\n"
    "adapter 1 id=3\n"
    "device 1:0 scanner model=WQ220\n"
    "fault short 7 times=always\n"
    "fault hang op=0x17\n";

struct Reader {
  const uint8_t* p;
  size_t n;
  uint8_t Byte() {
    if (!n) return 0;
    --n;
    return *p++;
  }
  uint16_t Word() { return uint16_t(Byte() | Byte() << 8); }
};

// Every block and buffer stays alive until the input is done: a pending
// request may complete on a later poll.
struct Request {
  aspi::SRB_ExecSCSICmd srb;
  std::vector<uint8_t> buffer;
};

void Commands(Reader r) {
  char err[200];
  VscsiConfigure(kBus, err, sizeof err);
  std::deque<std::unique_ptr<Request>> requests;
  while (r.n && requests.size() < 256) {
    uint8_t head = r.Byte();
    if (head == 0xFF) {
      VscsiPoll();
      continue;
    }
    if (head == 0xFE && !requests.empty()) {
      aspi::SRB_Abort a{};
      a.SRB_Cmd = aspi::SC_ABORT_SRB;
      a.SRB_ToAbort = &requests[r.Byte() % requests.size()]->srb;
      VscsiSendCommand(&a);
      continue;
    }
    auto q = std::make_unique<Request>();
    aspi::SRB_ExecSCSICmd& s = q->srb;
    memset(&s, 0, sizeof s);
    s.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
    s.SRB_HaId = head >> 6;
    s.SRB_Target = head & 0x0F;
    s.SRB_Flags = r.Byte();
    s.SRB_Lun = r.Byte() & 7;
    s.SRB_SenseLen = r.Byte();
    s.SRB_CDBLen = r.Byte() % 18;
    for (int i = 0; i < 16; ++i) s.CDBByte[i] = i < s.SRB_CDBLen ? r.Byte() : 0;
    uint16_t length = r.Word();
    q->buffer.resize(length);
    // Data out comes from the input.
    if (s.SRB_Flags & aspi::SRB_DIR_OUT)
      for (size_t i = 0; i < length && r.n; ++i) q->buffer[i] = r.Byte();
    s.SRB_BufLen = length;
    s.SRB_BufPointer = length ? q->buffer.data() : nullptr;
    VscsiSendCommand(&s);
    requests.push_back(std::move(q));
  }
  for (int i = 0; i < 4; ++i) VscsiPoll();
  char state[4096];
  for (int t = 0; t < 8; ++t) VscsiDescribe(0, t, state, sizeof state);
}

void Configuration(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  char err[200];
  if (!VscsiConfigure(text.c_str(), err, sizeof err)) return;
  VscsiGetSupportInfo();
  // Ask every position what is there.
  for (int ha = 0; ha < 4; ++ha) {
    for (int t = 0; t < 16; ++t) {
      uint8_t buf[36];
      aspi::SRB_ExecSCSICmd s{};
      s.SRB_Cmd = aspi::SC_EXEC_SCSI_CMD;
      s.SRB_HaId = uint8_t(ha);
      s.SRB_Target = uint8_t(t);
      s.SRB_Flags = aspi::SRB_DIR_IN;
      s.SRB_BufLen = sizeof buf;
      s.SRB_BufPointer = buf;
      s.SRB_SenseLen = 18;
      s.SRB_CDBLen = 6;
      s.CDBByte[0] = 0x12;
      s.CDBByte[4] = 36;
      VscsiSendCommand(&s);
    }
  }
  VscsiConfigure("", err, sizeof err);  // forget pending requests of this input
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if (data[0] & 1) Commands(Reader{data + 1, size - 1});
  else Configuration(data + 1, size - 1);
  return 0;
}
