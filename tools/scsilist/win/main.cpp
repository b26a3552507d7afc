// SCSILIST.EXE: lists what the installed scanner library finds on the SCSI
// buses, like a SCSI information screen, and optionally takes a short scan
// from one of this family's scanners and writes its raw lines to a file.
//   SCSILIST [--scan H.T[.L] FILE [--mode line|gray|colorline|color]
//            [--dpi N] [--area L,T,W,H] [--source flatbed|adf|fsu]]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/scsilist/report.h"
#include "tools/scsilist/scanjob.h"

namespace {

struct Options {
  bool scan = false;
  ScanRequest request{{0, 0, 0, 0}, 2, 100, 0, 0, 50, 50, 0};
  const char* file = nullptr;
};

int Usage() {
  std::fprintf(stderr,
               "usage: SCSILIST [--scan H.T[.L] FILE [--mode line|gray|colorline|color] "
               "[--dpi N] [--area L,T,W,H] [--source flatbed|adf|fsu]]\n"
               "  area in 1/25 inch; defaults: gray, 100 dpi, 0,0,50,50, flatbed\n");
  return 2;
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--scan" && i + 2 < argc) {
      o.scan = true;
      if (!ParseAddress(argv[++i], &o.request.address)) return false;
      o.file = argv[++i];
    } else if (a == "--mode" && hasValue) {
      const std::string m = argv[++i];
      if (m == "line") o.request.composition = 0;
      else if (m == "gray") o.request.composition = 2;
      else if (m == "colorline") o.request.composition = 3;
      else if (m == "color") o.request.composition = 5;
      else return false;
    } else if (a == "--dpi" && hasValue) {
      o.request.dpi = std::atoi(argv[++i]);
      if (o.request.dpi < 10 || o.request.dpi > 2400) return false;
    } else if (a == "--area" && hasValue) {
      long v[4];
      if (std::sscanf(argv[++i], "%ld,%ld,%ld,%ld", &v[0], &v[1], &v[2], &v[3]) != 4) return false;
      if (v[0] < 0 || v[1] < 0 || v[2] <= 0 || v[3] <= 0 || v[2] > 1000 || v[3] > 1000)
        return false;
      o.request.left = v[0];
      o.request.top = v[1];
      o.request.width = v[2];
      o.request.length = v[3];
    } else if (a == "--source" && hasValue) {
      const std::string s = argv[++i];
      if (s == "flatbed") o.request.source = 0;
      else if (s == "adf") o.request.source = 1;
      else if (s == "fsu") o.request.source = 2;
      else return false;
    } else {
      return false;
    }
  }
  return true;
}

void PrintFailure(const char* what, const ScanParamBlock& b) {
  std::printf("%s failed: status %d, sense key %02X, code %02X, qualifier %02X\n", what,
              b.Status, b.SenseKey & 0xFF, b.SenseCode & 0xFF, b.SenseQualifier & 0xFF);
}

bool IsListedScanner(const ScannerList* list, DeviceAddress a) {
  for (int i = 0; list && i < list->Count; ++i) {
    const DeviceAddress& s = list->Addresses[i];
    if (s.HostAdapter == a.HostAdapter && s.Target == a.Target && s.Lun == a.Lun) return true;
  }
  return false;
}

struct Row {
  int16_t type;
  DeviceAddress address;
  char name[kDeviceNameSize];
};

void PrintDevices(KorvaScanLibProc entry, ScanParamBlock& b) {
  entry(kSelDeviceAllSearch, &b);
  if (b.Status != kScanOk || !b.DeviceList) {
    std::printf("No device answers on the SCSI buses (status %d).\n", b.Status);
    return;
  }
  // Keep a copy of the all-device list while the family search runs.
  std::vector<Row> rows(size_t(b.DeviceList->Count));
  for (size_t i = 0; i < rows.size(); ++i) {
    rows[i].type = b.DeviceList->Types[i];
    rows[i].address = b.DeviceList->Addresses[i];
    std::memcpy(rows[i].name, b.DeviceList->Names[i], kDeviceNameSize);
  }
  entry(kSelDeviceSearch, &b);
  const ScannerList* family = b.Status == kScanOk ? b.ScannerList : nullptr;

  int devices = 0, scanners = 0, lastAdapter = -1;
  for (const Row& r : rows) {
    if (r.address.HostAdapter != lastAdapter) {
      lastAdapter = r.address.HostAdapter;
      std::printf("\n");
      for (const Row& h : rows)
        if (h.type == 3 && h.address.HostAdapter == lastAdapter)
          std::printf("%s\n", AdapterRow(h.name, h.address).c_str());
      std::printf("  %-8s %-5s%-8s  %-16s  %s\n", "ID", "TYPE", "VENDOR", "PRODUCT", "REV");
    }
    if (r.type == 3) continue;
    const bool isFamily = IsListedScanner(family, r.address);
    ++devices;
    scanners += isFamily ? 1 : 0;
    std::printf("%s\n", DeviceRow(r.type, r.name, r.address, isFamily).c_str());
  }
  std::printf("\n%d device(s), %d scanner(s) of the KORVA WQ family.\n", devices, scanners);
}

int Scan(KorvaScanLibProc entry, ScanParamBlock& b, const Options& o) {
  std::FILE* out = std::fopen(o.file, "wb");
  if (!out) {
    std::printf("Cannot create %s\n", o.file);
    return 1;
  }
  LARGE_INTEGER t0, t1, freq;
  QueryPerformanceCounter(&t0);
  const ScanOutcome r = RunScan(entry, b, o.request, out);
  const bool closed = std::fclose(out) == 0;
  QueryPerformanceCounter(&t1);
  QueryPerformanceFrequency(&freq);
  if (r.failedSelector != 0 || !closed) {
    std::remove(o.file);  // no half-written file
    if (r.failedSelector == kSelDeviceSearch && r.status == kScanNotFound) {
      std::printf("No KORVA WQ scanner at %u.%u.%u\n", o.request.address.HostAdapter,
                  o.request.address.Target, o.request.address.Lun);
      return 1;
    }
    std::printf("Scan failed at selector %d: status %d, sense key %02X, code %02X, qualifier %02X\n",
                r.failedSelector, r.status, r.senseKey & 0xFF, r.senseCode & 0xFF,
                r.senseQualifier & 0xFF);
    return 1;
  }
  // The time from the device search to the file closed: the
  // transfer benchmark's measure of the device alone.
  std::printf("Scanned %u lines of %u pixels (%u bytes a line, %llu bytes) into %s in %.3f s\n",
              r.lines, r.pixelsPerLine, r.lineBytes, static_cast<unsigned long long>(r.bytesWritten),
              o.file, double(t1.QuadPart - t0.QuadPart) / double(freq.QuadPart));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) return Usage();

  char path[MAX_PATH + 64];
  const UINT n = GetWindowsDirectoryA(path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 1;
  std::strcat(path, "\\TWAIN_32\\WQSCAN32\\WQSCSI32.DLL");
  HMODULE lib = LoadLibraryA(path);
  if (!lib) {
    std::printf("Cannot load %s\n", path);
    return 1;
  }
  auto entry = reinterpret_cast<KorvaScanLibProc>(
      reinterpret_cast<void*>(GetProcAddress(lib, kScanLibExportName)));
  if (!entry) {
    std::printf("%s has no %s\n", path, kScanLibExportName);
    FreeLibrary(lib);
    return 1;
  }

  static ScanParamBlock block;
  entry(kSelOpen, &block);
  int rc = 0;
  if (block.Status != kScanOk) {
    PrintFailure("Opening the scanner library (is an ASPI manager installed?)", block);
    rc = 1;
  } else {
    std::printf("SCSI information (%s)\n", path);
    if (options.scan) rc = Scan(entry, block, options);
    else PrintDevices(entry, block);
  }
  entry(kSelClose, &block);
  FreeLibrary(lib);
  return rc;
}
