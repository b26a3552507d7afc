// The fake source's answers: its configuration text parsed, the few
// capabilities the program negotiates, image information, memory transfers of
// the computed test image, pending transfers and the palette.
#include "app/tests/fakeds/fake_source.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

#include "imagefile/bmp.h"
#include "common/strutil.h"

namespace wqfake {
namespace {

bool ParseBool(const std::string& v) { return v == "1" || v == "true" || v == "yes"; }

uint8_t Sample(uint32_t x, uint32_t y, uint32_t c) {
  return uint8_t(x * 7 + y * 13 + c * 85 + (x * y) % 31);
}

uint32_t Stride(const FakeConfig& cfg) {
  return uint32_t(wq::BmpStride(uint32_t(cfg.bits), uint32_t(cfg.width)));
}
uint32_t RowPitch(const FakeConfig& cfg) { return cfg.padRows ? Stride(cfg) : FakeRowBytes(cfg); }

std::string Name(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg) {
  std::ostringstream s;
  s << (dg == DG_IMAGE ? "IMAGE" : "CONTROL") << ' ' << dat << ' ' << msg;
  return s.str();
}

// One-value containers the source hands out; the application frees them.
void* OneValue(FakeSource* s, TW_UINT16 type, TW_UINT32 item) {
  void* block = s->host.alloc(s->host.ctx, sizeof(TW_ONEVALUE));
  if (!block) return nullptr;
  auto* p = static_cast<uint8_t*>(s->host.lock(s->host.ctx, block));
  std::memcpy(p + offsetof(TW_ONEVALUE, ItemType), &type, sizeof type);
  std::memcpy(p + offsetof(TW_ONEVALUE, Item), &item, sizeof item);
  s->host.unlock(s->host.ctx, block);
  return block;
}

bool ReadOneValue(FakeSource* s, const TW_CAPABILITY& cap, TW_UINT32* item) {
  if (cap.ConType != TWON_ONEVALUE || !cap.hContainer) return false;
  auto* p = static_cast<const uint8_t*>(s->host.lock(s->host.ctx, cap.hContainer));
  if (!p) return false;
  std::memcpy(item, p + offsetof(TW_ONEVALUE, Item), sizeof *item);
  s->host.unlock(s->host.ctx, cap.hContainer);
  return true;
}

TW_UINT16 Fail(FakeSource* s, TW_UINT16 cc) {
  s->condition = cc;
  return TWRC_FAILURE;
}

TW_UINT16 Capability(FakeSource* s, TW_UINT16 msg, TW_CAPABILITY* cap) {
  TW_UINT32 item = 0;
  switch (cap->Cap) {
    case ICAP_XFERMECH:
      if (msg != MSG_SET || !ReadOneValue(s, *cap, &item)) return Fail(s, TWCC_BADVALUE);
      s->memoryMech = item == TWSX_MEMORY;
      return TWRC_SUCCESS;
    case CAP_FEEDERENABLED:
      if (!s->cfg.feeder) return Fail(s, TWCC_BADCAP);
      if (msg == MSG_GET) {
        cap->ConType = TWON_ONEVALUE;
        cap->hContainer = OneValue(s, TWTY_BOOL, s->feederEnabled);
        return cap->hContainer ? TWRC_SUCCESS : Fail(s, TWCC_LOWMEMORY);
      }
      if (msg != MSG_SET || !ReadOneValue(s, *cap, &item)) return Fail(s, TWCC_BADVALUE);
      s->feederEnabled = item != 0;
      return TWRC_SUCCESS;
    case CAP_FEEDERLOADED:
      if (!s->cfg.feeder || msg != MSG_GET) return Fail(s, TWCC_BADCAP);
      cap->ConType = TWON_ONEVALUE;
      cap->hContainer = OneValue(s, TWTY_BOOL, s->tray > 0);
      return cap->hContainer ? TWRC_SUCCESS : Fail(s, TWCC_LOWMEMORY);
    case CAP_INDICATORS:
      if (s->cfg.indicatorsBadCap) return Fail(s, TWCC_BADCAP);
      return msg == MSG_SET ? TWRC_SUCCESS : Fail(s, TWCC_BADPROTOCOL);
    case ICAP_UNITS:
      if (msg != MSG_GETCURRENT && msg != MSG_GET) return Fail(s, TWCC_BADPROTOCOL);
      cap->ConType = TWON_ONEVALUE;
      cap->hContainer = OneValue(s, TWTY_UINT16, s->cfg.units);
      return cap->hContainer ? TWRC_SUCCESS : Fail(s, TWCC_LOWMEMORY);
    default:
      return Fail(s, TWCC_BADCAP);
  }
}

TW_UINT16 ImageInfo(FakeSource* s, TW_IMAGEINFO* info) {
  if (s->state < 6) return Fail(s, TWCC_SEQERROR);
  if (s->cfg.imageInfoFails) return Fail(s, TWCC_BUMMER);
  *info = TW_IMAGEINFO{};
  info->XResolution.Whole = s->cfg.xres;
  info->YResolution.Whole = s->cfg.yres;
  info->ImageWidth = s->cfg.width;
  info->ImageLength = s->cfg.height;
  const bool rgb = s->cfg.pixelType == TWPT_RGB;
  info->SamplesPerPixel = rgb ? 3 : 1;
  for (int i = 0; i < (rgb ? 3 : 1); ++i) info->BitsPerSample[i] = rgb ? 8 : s->cfg.bits;
  info->BitsPerPixel = s->cfg.bits;
  info->Planar = 0;
  info->PixelType = TW_INT16(s->cfg.pixelType);
  info->Compression = s->cfg.compression;
  return TWRC_SUCCESS;
}

TW_UINT16 MemoryTransfer(FakeSource* s, TW_IMAGEMEMXFER* x) {
  if (s->state < 6 || s->pending == 0) return Fail(s, TWCC_SEQERROR);
  if (!(x->Memory.Flags & TWMF_POINTER) || !x->Memory.TheMem) return Fail(s, TWCC_BADVALUE);
  const uint32_t pitch = RowPitch(s->cfg);
  if (x->Memory.Length < pitch || x->Memory.Length < s->cfg.minBuf) return Fail(s, TWCC_BADVALUE);
  if (s->state == 6 && s->tray > 0) --s->tray;  // the feeder takes a sheet
  s->state = 7;
  if (s->buffers == s->cfg.failAfter) return Fail(s, TWCC_OPERATIONERROR);
  if (s->buffers == s->cfg.cancelAfter) return TWRC_CANCEL;
  uint32_t rows = x->Memory.Length / pitch;
  if (s->cfg.rowsPerBuffer && rows > s->cfg.rowsPerBuffer) rows = s->cfg.rowsPerBuffer;
  const uint32_t height = uint32_t(s->cfg.height);
  if (rows > height - s->nextRow) rows = height - s->nextRow;
  auto* out = static_cast<uint8_t*>(x->Memory.TheMem);
  std::memset(out, 0, x->Memory.Length);
  for (uint32_t r = 0; r < rows; ++r) FakeRow(s->cfg, s->nextRow + r, out + size_t(r) * pitch);
  x->Compression = TWCP_NONE;
  x->BytesPerRow = pitch;
  x->Columns = uint32_t(s->cfg.width);
  x->Rows = rows;
  x->XOffset = 0;
  x->YOffset = s->nextRow;
  x->BytesWritten = rows * pitch;
  s->nextRow += rows;
  ++s->buffers;
  if (s->host.log) s->host.log(s->host.ctx, "memxfer length=" + std::to_string(x->Memory.Length) +
                                                " rows=" + std::to_string(rows));
  return s->nextRow >= height ? TWRC_XFERDONE : TWRC_SUCCESS;
}

TW_UINT16 Pending(FakeSource* s, TW_UINT16 msg, TW_PENDINGXFERS* p) {
  switch (msg) {
    case MSG_GET: p->Count = s->pending; return TWRC_SUCCESS;
    case MSG_ENDXFER:
      if (s->state < 6) return Fail(s, TWCC_SEQERROR);
      // A feeder's count follows its tray.
      if (s->cfg.feeder && s->feederEnabled) s->pending = TW_UINT16(s->tray);
      else if (s->pending) --s->pending;
      s->nextRow = 0;
      s->buffers = 0;
      s->state = s->pending ? 6 : 5;
      p->Count = s->pending;
      return TWRC_SUCCESS;
    case MSG_RESET:
      if (s->state != 6) return Fail(s, TWCC_SEQERROR);
      s->pending = 0;
      s->state = 5;
      p->Count = 0;
      return TWRC_SUCCESS;
    default: return Fail(s, TWCC_BADPROTOCOL);
  }
}

TW_UINT16 Dispatch(FakeSource* s, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  if (dg == DG_CONTROL) {
    switch (dat) {
      case DAT_IDENTITY:
        if (msg == MSG_GET) {
          *static_cast<TW_IDENTITY*>(data) = s->identity;
          return TWRC_SUCCESS;
        }
        if (msg == MSG_OPENDS) {
          if (s->cfg.openBummer) return Fail(s, TWCC_BUMMER);
          s->identity.Id = static_cast<TW_IDENTITY*>(data)->Id;
          s->state = 4;
          return TWRC_SUCCESS;
        }
        if (msg == MSG_CLOSEDS) {
          if (s->state != 4) return Fail(s, TWCC_SEQERROR);
          s->state = 3;
          return TWRC_SUCCESS;
        }
        return Fail(s, TWCC_BADPROTOCOL);
      case DAT_STATUS: {
        auto* st = static_cast<TW_STATUS*>(data);
        st->ConditionCode = s->condition;
        st->Reserved = 0;
        s->condition = TWCC_SUCCESS;
        return TWRC_SUCCESS;
      }
      case DAT_CAPABILITY:
        if (s->state != 4 && msg == MSG_SET) return Fail(s, TWCC_SEQERROR);
        return Capability(s, msg, static_cast<TW_CAPABILITY*>(data));
      case DAT_USERINTERFACE:
        if (msg == MSG_ENABLEDS) {
          if (s->state != 4) return Fail(s, TWCC_SEQERROR);
          s->state = 5;
          const auto* ui = static_cast<const TW_USERINTERFACE*>(data);
          if (s->host.showWindow) s->host.showWindow(s->host.ctx, ui->ShowUI != 0);
          return TWRC_SUCCESS;
        }
        if (msg == MSG_DISABLEDS) {
          if (s->state != 5) return Fail(s, TWCC_SEQERROR);
          s->state = 4;
          if (s->host.showWindow) s->host.showWindow(s->host.ctx, false);
          return TWRC_SUCCESS;
        }
        return Fail(s, TWCC_BADPROTOCOL);
      case DAT_EVENT:
        static_cast<TW_EVENT*>(data)->TWMessage = MSG_NULL;
        return TWRC_NOTDSEVENT;
      case DAT_SETUPMEMXFER: {
        if (s->state < 6) return Fail(s, TWCC_SEQERROR);
        auto* setup = static_cast<TW_SETUPMEMXFER*>(data);
        const uint32_t whole = RowPitch(s->cfg) * uint32_t(s->cfg.height);
        setup->MinBufSize = s->cfg.minBuf ? s->cfg.minBuf : RowPitch(s->cfg);
        setup->MaxBufSize = s->cfg.maxBuf ? s->cfg.maxBuf : whole;
        setup->Preferred = setup->MaxBufSize;
        return TWRC_SUCCESS;
      }
      case DAT_PENDINGXFERS:
        return Pending(s, msg, static_cast<TW_PENDINGXFERS*>(data));
      default:
        return Fail(s, TWCC_BADPROTOCOL);
    }
  }
  if (dg == DG_IMAGE && msg == MSG_GET) {
    if (dat == DAT_IMAGEINFO) return ImageInfo(s, static_cast<TW_IMAGEINFO*>(data));
    if (dat == DAT_IMAGEMEMXFER) return MemoryTransfer(s, static_cast<TW_IMAGEMEMXFER*>(data));
    if (dat == DAT_PALETTE8) {
      if (s->cfg.pixelType != TWPT_PALETTE) return Fail(s, TWCC_BADPROTOCOL);
      auto* pal = static_cast<TW_PALETTE8*>(data);
      pal->NumColors = TW_UINT16(FakePaletteSize(s->cfg));
      pal->PaletteType = TWPA_RGB;
      for (uint32_t i = 0; i < pal->NumColors; ++i) {
        uint8_t rgb[3];
        FakePaletteEntry(i, rgb);
        pal->Colors[i] = TW_ELEMENT8{uint8_t(i), rgb[0], rgb[1], rgb[2]};
      }
      return TWRC_SUCCESS;
    }
  }
  return Fail(s, TWCC_BADPROTOCOL);
}

}  // namespace

bool FakeConfigParse(const std::string& text, FakeConfig* cfg, std::string* bad) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) {
      *bad = line;
      return false;
    }
    const std::string k = line.substr(0, eq), v = line.substr(eq + 1);
    const long n = std::strtol(v.c_str(), nullptr, 0);
    if (k == "product") wq::CopyString(cfg->product, v.c_str());
    else if (k == "width") cfg->width = int32_t(n);
    else if (k == "height") cfg->height = int32_t(n);
    else if (k == "type") {
      if (v == "bw") cfg->pixelType = TWPT_BW, cfg->bits = 1;
      else if (v == "gray4") cfg->pixelType = TWPT_GRAY, cfg->bits = 4;
      else if (v == "gray") cfg->pixelType = TWPT_GRAY, cfg->bits = 8;
      else if (v == "rgb") cfg->pixelType = TWPT_RGB, cfg->bits = 24;
      else if (v == "palette4") cfg->pixelType = TWPT_PALETTE, cfg->bits = 4;
      else if (v == "palette") cfg->pixelType = TWPT_PALETTE, cfg->bits = 8;
      else if (v == "cmyk") cfg->pixelType = TWPT_CMYK, cfg->bits = 32;
      else { *bad = line; return false; }
    }
    else if (k == "compression") cfg->compression = uint16_t(n);
    else if (k == "minbuf") cfg->minBuf = uint32_t(n);
    else if (k == "maxbuf") cfg->maxBuf = uint32_t(n);
    else if (k == "rows_per_buffer") cfg->rowsPerBuffer = uint32_t(n);
    else if (k == "pad_rows") cfg->padRows = ParseBool(v);
    else if (k == "feeder") cfg->feeder = ParseBool(v);
    else if (k == "indicators_badcap") cfg->indicatorsBadCap = ParseBool(v);
    else if (k == "open_bummer") cfg->openBummer = ParseBool(v);
    else if (k == "imageinfo_fails") cfg->imageInfoFails = ParseBool(v);
    else if (k == "fail_after") cfg->failAfter = int(n);
    else if (k == "cancel_after") cfg->cancelAfter = int(n);
    else if (k == "images") cfg->images = int(n);
    else if (k == "units") cfg->units = uint16_t(n);
    else if (k == "xres") cfg->xres = int16_t(n);
    else if (k == "yres") cfg->yres = int16_t(n);
    else if (k == "palette_colours") cfg->paletteColours = uint16_t(n);
    else if (k == "log") cfg->log = v;
    else { *bad = line; return false; }
  }
  return true;
}

uint32_t FakeRowBytes(const FakeConfig& cfg) {
  return uint32_t(wq::BmpRowBytes(uint32_t(cfg.bits), uint32_t(cfg.width)));
}

uint32_t FakePaletteSize(const FakeConfig& cfg) {
  const uint32_t most = 1u << cfg.bits;
  return cfg.paletteColours && cfg.paletteColours < most ? cfg.paletteColours : most;
}

void FakePaletteEntry(uint32_t i, uint8_t rgb[3]) {
  rgb[0] = uint8_t(i * 3);
  rgb[1] = uint8_t(255 - i);
  rgb[2] = uint8_t(i * 7 + 11);
}

void FakeRow(const FakeConfig& cfg, uint32_t y, uint8_t* out) {
  const uint32_t w = uint32_t(cfg.width);
  std::memset(out, 0, FakeRowBytes(cfg));
  switch (cfg.bits) {
    case 1:
      for (uint32_t x = 0; x < w; ++x)
        if ((x / 3 + y / 2) % 3 == 0) out[x / 8] |= uint8_t(0x80 >> (x % 8));
      break;
    case 4: {
      const uint32_t colours = cfg.pixelType == TWPT_PALETTE ? FakePaletteSize(cfg) : 16;
      for (uint32_t x = 0; x < w; ++x)
        out[x / 2] |= uint8_t((Sample(x, y, 0) % colours) << (x % 2 ? 0 : 4));
      break;
    }
    case 8: {
      const uint32_t colours = cfg.pixelType == TWPT_PALETTE ? FakePaletteSize(cfg) : 256;
      for (uint32_t x = 0; x < w; ++x) out[x] = uint8_t(Sample(x, y, 0) % colours);
      break;
    }
    default: {
      const uint32_t channels = uint32_t(cfg.bits) / 8;
      for (uint32_t x = 0; x < w; ++x)
        for (uint32_t c = 0; c < channels; ++c) out[x * channels + c] = Sample(x, y, c);
    }
  }
}

void FakeSourceInit(FakeSource* s, const FakeConfig& cfg, const FakeHost& host) {
  *s = FakeSource{};
  s->cfg = cfg;
  s->host = host;
  TW_IDENTITY& id = s->identity;
  id.Version.MajorNum = 1;
  id.Version.Language = TWLG_USA;
  id.Version.Country = TWCY_USA;
  wq::CopyString(id.Version.Info, "test source");
  id.ProtocolMajor = 1;
  id.ProtocolMinor = 5;
  id.SupportedGroups = DG_CONTROL | DG_IMAGE;
  wq::CopyString(id.Manufacturer, "Test");
  wq::CopyString(id.ProductFamily, "Test");
  wq::CopyString(id.ProductName, cfg.product);
}

TW_UINT16 FakeSourceEntry(FakeSource* s, pTW_IDENTITY, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                          TW_MEMREF data) {
  if (!data && !(dg == DG_CONTROL && dat == DAT_NULL)) return Fail(s, TWCC_BADVALUE);
  const TW_UINT16 rc = Dispatch(s, dg, dat, msg, data);
  if (s->host.log && dat != DAT_EVENT)
    s->host.log(s->host.ctx, Name(dg, dat, msg) + " -> " + std::to_string(rc));
  return rc;
}

void FakeSourceScan(FakeSource* s) {
  if (s->state != 5) return;
  s->pending = TW_UINT16(s->cfg.images);
  if (s->cfg.feeder) s->tray = s->cfg.images;
  s->nextRow = 0;
  s->buffers = 0;
  s->state = 6;
  s->host.request(s->host.ctx, MSG_XFERREADY);
}

void FakeSourceClose(FakeSource* s) {
  if (s->state == 5) s->host.request(s->host.ctx, MSG_CLOSEDSREQ);
}

}  // namespace wqfake
