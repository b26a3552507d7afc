// The library core on the virtual bus: configure a bus, call selectors,
// read back what reached the devices and the state they are in.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "scanlib/entry.h"
#include "scanlib/scanlib.h"
#include "scanlib/tests/test_platform.h"
#include "vscsi/vscsi.h"

namespace lt {

struct Wire {
  VscsiWireRecord record;
  std::vector<uint8_t> data;
  uint8_t op() const { return record.cdb[0]; }
  uint8_t cdb(int i) const { return record.cdb[i]; }
  std::string text() const { return std::string(data.begin(), data.end()); }
  uint32_t length24() const {
    return uint32_t(record.cdb[6]) << 16 | uint32_t(record.cdb[7]) << 8 | record.cdb[8];
  }
};

// A fresh bus and a closed library on the test platform (small wait bounds).
class Bus : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void Configure(const char* text);

  // One call; returns the block's Status.
  int16_t Call(int32_t selector);
  // Searches for family scanners and verifies the one at a:t (selectors 4, 3).
  void UseScanner(int adapter, int target);

  std::vector<Wire> Wires() const;
  std::vector<Wire> WiresOf(uint8_t opcode) const;
  std::map<std::string, std::string> Describe(int adapter, int target) const;
  void ClearWires();

  ScanParamBlock block{};
};

// Bus texts used by more than one group of tests.
extern const char* const kOneOfEachBus;  // every model, options, other devices

}  // namespace lt
