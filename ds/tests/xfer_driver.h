// An application's side of the three transfers, shared by the native tests
// (straight into the source's entry) and the Wine tests (through Wine's
// TWAIN manager): the triplets in the order an application sends them, and
// each result read back as RGB pixels.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ds/tests/image_decode.h"
#include "twain/twain.h"

namespace wq::test {

struct XferChannel {
  // A triplet to the source.
  TW_UINT16 (*Call)(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data);
  // The application's global memory (the native bitmap, handle buffers).
  void* (*Alloc)(size_t size);
  void* (*Lock)(void* handle);
  void (*Unlock)(void* handle);
  size_t (*Size)(void* handle);
  void (*Free)(void* handle);
  // A file the file transfer wrote.
  bool (*ReadFile)(const std::string& path, std::vector<uint8_t>* bytes);
};

TW_UINT16 Condition(const XferChannel& c);

// One DAT_IMAGEMEMXFER reply, unpacked.
struct StripReply {
  uint32_t Compression, BytesPerRow, Columns, Rows, XOffset, YOffset, BytesWritten;
};

struct XferResult {
  TW_UINT16 Rc = 0;      // the last transfer call's return code
  TW_UINT16 Cc = 0;      // and the condition code after it
  RgbPage Page;          // decoded when the transfer was done
  std::string Error;     // why decoding failed
  TW_IMAGEINFO Info{};   // DAT_IMAGEINFO just before the transfer
  // Native transfer and BMP file: the bitmap header.
  DibInfo Dib{};
  // Memory transfer: the sizes it offered and each strip's reply.
  TW_SETUPMEMXFER Setup{};
  std::vector<StripReply> Strips;
  // The raw bytes: the native block or the file.
  std::vector<uint8_t> Bytes;
};

// DAT_IMAGEINFO, then DAT_IMAGENATIVEXFER; the block is read and freed.
XferResult NativeXfer(const XferChannel& c);
// DAT_IMAGEINFO, DAT_SETUPMEMXFER, then DAT_IMAGEMEMXFER until the page is
// done, with buffers of `length` bytes (0: the preferred size); with
// `handle` the buffer is a global block given as TWMF_HANDLE.
XferResult MemoryXfer(const XferChannel& c, uint32_t length = 0, bool handle = false);
// DAT_SETUPFILEXFER MSG_SET (path, format), DAT_IMAGEINFO, then
// DAT_IMAGEFILEXFER; the file is read back from `readPath` (the path as the
// test sees it; "" for `path`).
XferResult FileXfer(const XferChannel& c, const std::string& path, TW_UINT16 format,
                    const std::string& readPath = "");

// DAT_PENDINGXFERS with this message; the count (rc optional).
int16_t PendingXfers(const XferChannel& c, TW_UINT16 msg, TW_UINT16* rc = nullptr);

}  // namespace wq::test
