// The stand-in manager and host of the acquisition tests, and the message
// loop they drive the program with.
#include "app/tests/acquire_support.h"

#include <algorithm>
#include <cstring>

#include "app/batch.h"
#include "app/transfer.h"

namespace wqtest {

TestManager* g_manager = nullptr;

namespace {

TestHost* H(void* ctx) { return static_cast<TestHost*>(ctx); }

void* Alloc(void* ctx, size_t n) {
  TestHost* h = H(ctx);
  if (h->allocs++ == h->allocFailAt || n > h->allocLimit) return nullptr;
  auto b = std::make_unique<Block>();
  b->bytes.assign(n, 0);
  h->liveBytes += n;
  h->peakBytes = std::max(h->peakBytes, h->liveBytes);
  void* key = b.get();
  h->blocks[key] = std::move(b);
  return key;
}
Block* Find(void* ctx, void* block) {
  auto it = H(ctx)->blocks.find(block);
  return it == H(ctx)->blocks.end() ? nullptr : it->second.get();
}
void* Lock(void* ctx, void* block) {
  Block* b = Find(ctx, block);
  if (!b) return nullptr;
  ++b->locks;
  return b->bytes.data();
}
void Unlock(void* ctx, void* block) {
  if (Block* b = Find(ctx, block)) --b->locks;
}
void Release(void* ctx, void* block) {
  TestHost* h = H(ctx);
  auto it = h->blocks.find(block);
  if (it == h->blocks.end()) return;
  h->liveBytes -= it->second->bytes.size();
  h->blocks.erase(it);
}
size_t Size(void* ctx, void* block) {
  Block* b = Find(ctx, block);
  return b ? b->bytes.size() : 0;
}

DSMENTRYPROC Load(void* ctx) {
  if (!H(ctx)->managerPresent) return nullptr;
  ++H(ctx)->managerLoads;
  return ManagerEntry;
}
void Unload(void* ctx) { ++H(ctx)->managerUnloads; }

struct OpenFile {
  std::string path;
};
void* Create(void* ctx, const char* path) {
  H(ctx)->files[path].clear();
  return new OpenFile{path};
}
bool SetSize(void* ctx, void* f, uint64_t size) {
  if (H(ctx)->keepFiles) H(ctx)->files[static_cast<OpenFile*>(f)->path].resize(size_t(size));
  return true;
}
bool Write(void* ctx, void* f, uint64_t offset, const void* data, size_t n) {
  TestHost* h = H(ctx);
  if (h->writes++ == h->writeFailAt) return false;
  if (!h->keepFiles) return true;
  auto& bytes = h->files[static_cast<OpenFile*>(f)->path];
  if (bytes.size() < offset + n) bytes.resize(size_t(offset + n));
  std::memcpy(bytes.data() + offset, data, n);
  return true;
}
void Close(void*, void* f) { delete static_cast<OpenFile*>(f); }
void Remove(void* ctx, const char* path) { H(ctx)->files.erase(path); }

}  // namespace

wq::AcquireHost TestHost::Host() {
  wq::AcquireHost a;
  a.ctx = this;
  a.alloc = Alloc;
  a.lock = Lock;
  a.unlock = Unlock;
  a.release = Release;
  a.blockSize = Size;
  a.loadManager = Load;
  a.unloadManager = Unload;
  a.createFile = Create;
  a.setFileSize = SetSize;
  a.writeFile = Write;
  a.closeFile = Close;
  a.removeFile = Remove;
  a.freeBytes = [](void* ctx, char) { return H(ctx)->freeBytes; };
  a.availableMemory = [](void* ctx) { return H(ctx)->availableMemory; };
  a.driveWithRoom = [](void* ctx, uint64_t) { return H(ctx)->roomyDrive; };
  a.workDirectory = [](void* ctx) { return H(ctx)->workDirectory.c_str(); };
  a.setWorkDrive = [](void* ctx, char d) { H(ctx)->workDirectory = std::string(1, d) + ":\\"; };
  a.blackIsZero = [](void* ctx) { return H(ctx)->blackIsZero; };
  a.documentCount = [](void* ctx) { return H(ctx)->documents; };
  a.message = [](void* ctx, int n) { H(ctx)->messages.push_back(n); };
  a.messageForDrive = [](void* ctx, int n, char d) {
    H(ctx)->messages.push_back(n);
    H(ctx)->messageDrives.push_back(d);
  };
  a.askAdfMode = [](void* ctx) {
    ++H(ctx)->adfQuestions;
    return H(ctx)->adfAnswer;
  };
  a.askBatchFile = [](void* ctx, int bits) {
    TestHost* h = H(ctx);
    h->batchBits.push_back(bits);
    wq::g_Adf.batchName = h->batchFile;
    return !h->batchFile.empty();
  };
  a.askRetry = [](void* ctx, int n) {
    TestHost* h = H(ctx);
    h->messages.push_back(n);
    if (h->retryAnswers.empty()) return false;
    const bool retry = h->retryAnswers.front();
    h->retryAnswers.pop_front();
    if (retry && h->onRetry) h->onRetry();
    return retry;
  };
  a.checkTarget = [](void* ctx, const char* path) {
    TestHost* h = H(ctx);
    h->targets.push_back(path);
    return h->targets.size() != size_t(h->refuseTarget);
  };
  a.showPage = [](void* ctx, const char* text) { H(ctx)->pageFields.push_back(text); };
  a.enableAcquire = [](void* ctx, bool on) { H(ctx)->acquireEnabled = on; };
  a.waitCursor = [](void*, bool) {};
  a.showSize = [](void*, uint64_t) {};
  a.showCaption = [](void* ctx, int op, const char*) { H(ctx)->captions.push_back(op); };
  a.progress = [](void* ctx, uint32_t done, uint32_t total) {
    H(ctx)->progress.emplace_back(done, total);
  };
  a.clearStatus = [](void*) {};
  a.scannedImage = [](void* ctx, void* header) {
    TestHost* h = H(ctx);
    Scan scan;
    if (Block* b = Find(ctx, header)) scan.header = b->bytes;
    scan.file = h->files[h->workDirectory + "Scanning.dat"];
    h->scans.push_back(std::move(scan));
    Release(ctx, header);
    return h->scans.size() != size_t(h->dropScan);
  };
  a.realisePalette = [](void* ctx) { ++H(ctx)->palettesRealised; };
  return a;
}

void ManagerSetUp(TestManager* m, TestHost* host, const std::vector<wqfake::FakeConfig>& cfgs) {
  g_manager = m;
  m->host = host;
  for (const auto& cfg : cfgs) {
    auto s = std::make_unique<wqfake::FakeSource>();
    wqfake::FakeHost fh;
    fh.ctx = m;
    fh.alloc = [](void*, size_t n) { return Alloc(g_manager->host, n); };
    fh.lock = [](void*, void* b) { return Lock(g_manager->host, b); };
    fh.unlock = [](void*, void* b) { Unlock(g_manager->host, b); };
    fh.request = [](void* ctx, TW_UINT16 msg) {
      static_cast<TestManager*>(ctx)->requests.push_back(msg);
    };
    fh.log = [](void* ctx, const std::string& line) {
      static_cast<TestManager*>(ctx)->logs.push_back(line);
    };
    wqfake::FakeSourceInit(s.get(), cfg, fh);
    s->identity.Id = TW_UINT32(m->sources.size() + 1);
    m->sources.push_back(std::move(s));
  }
}

TW_UINT16 TW_CALLINGSTYLE ManagerEntry(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg,
                                      TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  TestManager* m = g_manager;
  if (dest) {
    if (!m->open || dest->Id != m->open->identity.Id) {
      m->condition = TWCC_BADDEST;
      return TWRC_FAILURE;
    }
    if (dg == DG_CONTROL && dat == DAT_EVENT && !m->requests.empty()) {
      static_cast<TW_EVENT*>(data)->TWMessage = m->requests.front();
      m->requests.pop_front();
      return TWRC_DSEVENT;
    }
    return wqfake::FakeSourceEntry(m->open, origin, dg, dat, msg, data);
  }
  if (dat == DAT_PARENT) {
    m->dsmOpen = msg == MSG_OPENDSM;
    return TWRC_SUCCESS;
  }
  if (dat == DAT_STATUS) {
    static_cast<TW_STATUS*>(data)->ConditionCode = m->condition;
    m->condition = TWCC_SUCCESS;
    return TWRC_SUCCESS;
  }
  if (dat != DAT_IDENTITY || !m->dsmOpen) return TWRC_FAILURE;
  auto* id = static_cast<TW_IDENTITY*>(data);
  switch (msg) {
    case MSG_GETDEFAULT:
    case MSG_GETFIRST:
      m->cursor = 0;
      [[fallthrough]];
    case MSG_GETNEXT:
      if (m->sources.empty() && msg != MSG_GETNEXT) {
        m->condition = TWCC_NODS;
        return TWRC_FAILURE;
      }
      if (m->cursor >= m->sources.size()) return TWRC_ENDOFLIST;
      *id = m->sources[m->cursor]->identity;
      if (msg != MSG_GETDEFAULT) ++m->cursor;
      return TWRC_SUCCESS;
    case MSG_OPENDS:
      for (auto& s : m->sources) {
        if (s->identity.Id != id->Id) continue;
        const TW_UINT16 rc = wqfake::FakeSourceEntry(s.get(), origin, dg, dat, msg, id);
        if (rc == TWRC_SUCCESS) m->open = s.get();
        else m->condition = s->condition;
        return rc;
      }
      m->condition = TWCC_NODS;
      return TWRC_FAILURE;
    case MSG_CLOSEDS: {
      if (!m->open) return TWRC_FAILURE;
      const TW_UINT16 rc = wqfake::FakeSourceEntry(m->open, origin, dg, dat, msg, id);
      if (rc == TWRC_SUCCESS) m->open = nullptr;
      return rc;
    }
    default:
      return TWRC_FAILURE;
  }
}

bool OfferEvent(wq::TwainLink* link, const wq::AcquireHost& host, void* msg) {
  const wq::TwainEventOutcome outcome = wq::ProcessTwainEvent(link, host, msg);
  if (outcome.transferReady) {
    wq::TransferPendingImages(link, host);
    wq::FinishTransfers(link, host);
  }
  return outcome.consumed;
}

void Pump(wq::TwainLink* link, const wq::AcquireHost& host) {
  int guard = 0;
  while (!g_manager->requests.empty() && guard++ < 100) {
    int msg = 0;  // stands in for a window message
    OfferEvent(link, host, &msg);
  }
}

}  // namespace wqtest
