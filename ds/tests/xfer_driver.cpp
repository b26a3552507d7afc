// The three transfers as an application drives them: native (the block decoded
// as a DIB), memory (buffers gathered by their row offsets, by pointer or
// handle) and file (BMP or TIFF read back), and pending transfers.
#include "ds/tests/xfer_driver.h"

#include <cstring>

#include "common/strutil.h"

namespace wq::test {

TW_UINT16 Condition(const XferChannel& c) {
  TW_STATUS st{};
  st.ConditionCode = 0xFFFF;
  c.Call(DG_CONTROL, DAT_STATUS, MSG_GET, &st);
  return st.ConditionCode;
}

namespace {

void Finish(const XferChannel& c, XferResult* r) {
  r->Cc = r->Rc == TWRC_SUCCESS || r->Rc == TWRC_XFERDONE ? TW_UINT16(TWCC_SUCCESS) : Condition(c);
}

void GetInfo(const XferChannel& c, XferResult* r) {
  memset(&r->Info, 0, sizeof r->Info);
  c.Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &r->Info);
}

}  // namespace

XferResult NativeXfer(const XferChannel& c) {
  XferResult r;
  GetInfo(c, &r);
  void* handle = nullptr;
  r.Rc = c.Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
  Finish(c, &r);
  if (r.Rc != TWRC_XFERDONE) return r;
  if (!handle) {
    r.Error = "no handle";
    return r;
  }
  const size_t size = c.Size(handle);
  const uint8_t* p = static_cast<const uint8_t*>(c.Lock(handle));
  if (p) {
    r.Bytes.assign(p, p + size);
    ReadDibInfo(p, size, &r.Dib);
    DecodeDib(p, size, &r.Page, &r.Error);
    c.Unlock(handle);
  } else {
    r.Error = "the block cannot be locked";
  }
  c.Free(handle);
  return r;
}

XferResult MemoryXfer(const XferChannel& c, uint32_t length, bool handle) {
  XferResult r;
  GetInfo(c, &r);
  c.Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &r.Setup);
  if (length == 0) length = r.Setup.Preferred;
  std::vector<uint8_t> own(length);
  void* block = handle ? c.Alloc(length) : nullptr;
  std::vector<uint8_t> rows;
  uint32_t bytesPerRow = 0;
  // Bounded: a source that never finishes cannot keep the test waiting.
  for (int call = 0; call < 100000; ++call) {
    TW_IMAGEMEMXFER x;
    memset(&x, 0xEE, sizeof x);
    x.Memory.Flags = TWMF_APPOWNS | (handle ? TWMF_HANDLE : TWMF_POINTER);
    x.Memory.Length = length;
    x.Memory.TheMem = handle ? block : own.data();
    r.Rc = c.Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &x);
    r.Strips.push_back(StripReply{x.Compression, x.BytesPerRow, x.Columns, x.Rows, x.XOffset, x.YOffset,
                                  x.BytesWritten});
    if (r.Rc != TWRC_SUCCESS && r.Rc != TWRC_XFERDONE) break;
    const uint8_t* data = handle ? static_cast<const uint8_t*>(c.Lock(block)) : own.data();
    if (x.BytesPerRow) bytesPerRow = x.BytesPerRow;
    const size_t at = size_t(x.YOffset) * x.BytesPerRow;
    if (rows.size() < at + x.BytesWritten) rows.resize(at + x.BytesWritten);
    if (x.BytesWritten <= length) memcpy(rows.data() + at, data, x.BytesWritten);
    if (handle) c.Unlock(block);
    if (r.Rc == TWRC_XFERDONE) break;
  }
  if (block) c.Free(block);
  Finish(c, &r);
  r.Bytes = rows;
  if (r.Rc != TWRC_XFERDONE) return r;
  TW_PALETTE8 palette{};
  c.Call(DG_IMAGE, DAT_PALETTE8, MSG_GET, &palette);
  DecodeMemory(rows, uint32_t(r.Info.ImageWidth), uint32_t(r.Info.ImageLength), bytesPerRow,
               r.Info.PixelType, r.Info.BitsPerPixel, palette, &r.Page, &r.Error);
  return r;
}

XferResult FileXfer(const XferChannel& c, const std::string& path, TW_UINT16 format,
                    const std::string& readPath) {
  XferResult r;
  TW_SETUPFILEXFER setup{};
  CopyString(setup.FileName, path.c_str());
  setup.Format = format;
  setup.VRefNum = 0;
  r.Rc = c.Call(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup);
  if (r.Rc != TWRC_SUCCESS) {
    Finish(c, &r);
    r.Error = "DAT_SETUPFILEXFER refused";
    return r;
  }
  GetInfo(c, &r);
  r.Rc = c.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr);
  Finish(c, &r);
  if (r.Rc != TWRC_XFERDONE) return r;
  if (!c.ReadFile(readPath.empty() ? path : readPath, &r.Bytes)) {
    r.Error = "the file cannot be read";
    return r;
  }
  if (format == TWFF_BMP) {
    if (r.Bytes.size() >= 54) ReadDibInfo(&r.Bytes[14], r.Bytes.size() - 14, &r.Dib);
    DecodeBmp(r.Bytes, &r.Page, &r.Error);
  } else {
    DecodeTiff(r.Bytes, &r.Page, &r.Error);
  }
  return r;
}

int16_t PendingXfers(const XferChannel& c, TW_UINT16 msg, TW_UINT16* rc) {
  TW_PENDINGXFERS p{};
  p.Count = 0x5555;
  const TW_UINT16 r = c.Call(DG_CONTROL, DAT_PENDINGXFERS, msg, &p);
  if (rc) *rc = r;
  return int16_t(p.Count);
}

}  // namespace wq::test
