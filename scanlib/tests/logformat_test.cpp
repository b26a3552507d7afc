// Log lines against the formats written out by hand.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "scanlib/logformat.h"

using namespace wqscsi;

namespace {

std::string Target(DeviceAddress a, const char* note) {
  LogLine l;
  FormatTargetLine(l, a, note);
  return l.text;
}

std::string Command(std::initializer_list<uint8_t> bytes, const char* note) {
  uint8_t cdb[12] = {};
  size_t i = 0;
  for (uint8_t b : bytes) cdb[i++] = b;
  LogLine l;
  FormatCommandLine(l, cdb, note);
  return l.text;
}

std::string Status(int st) {
  LogLine l;
  FormatStatusLine(l, st);
  return l.text;
}

std::string Sense(const uint8_t* sense, int index) {
  LogLine l;
  FormatSenseLine(l, sense, index);
  return l.text;
}

void FillInquiry(uint8_t* inq, uint8_t type, const char* vpr28) {
  std::memset(inq, 0, 36);
  inq[0] = type;
  std::memcpy(inq + 8, vpr28, 28);
}

std::string Device(DeviceAddress a, const uint8_t* inq) {
  LogLine l;
  FormatDeviceLine(l, a, inq);
  return l.text;
}

}  // namespace

TEST(LogFormat, TargetLineWithAndWithoutNote) {
  EXPECT_EQ(Target({0, 1, 3, 0}, nullptr), "  Bus ID: 1.3.0");
  EXPECT_EQ(Target({0, 0, 6, 2}, "Measurement Unit"), "  Bus ID: 0.6.2, Measurement Unit");
  EXPECT_EQ(Target({0, 12, 7, 0}, "Read 4Bytes"), "  Bus ID: 12.7.0, Read 4Bytes");
}

TEST(LogFormat, CommandLineShowsNameAndCdbBytesByGroup) {
  EXPECT_EQ(Command({0x12, 0, 0, 0, 0x24, 0}, nullptr),
            "  Command  (Inquiry) = 12 00 00 00 24 00");
  EXPECT_EQ(Command({0x2A, 0, 0x81, 0, 0, 0, 0, 0, 0x0E, 0}, "VRCL Scan Range"),
            "VRCL Scan Range, Command  (Send) = 2A 00 81 00 00 00 00 00 0E 00");
  EXPECT_EQ(Command({0xFF}, nullptr), "  Command  (Initialize) = FF 00 00 00 00 00 00 00 00 00");
  // Opcodes outside the known groups: no name, twelve bytes.
  EXPECT_EQ(Command({0xC0, 1, 2}, nullptr),
            "  Command  = C0 01 02 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(Command({0x60}, nullptr), "  Command  = 60 00 00 00 00 00 00 00 00 00 00 00");
  // Known group, unknown opcode: no name, group length.
  EXPECT_EQ(Command({0x08, 0xAB}, nullptr), "  Command  = 08 AB 00 00 00 00");
}

TEST(LogFormat, ParameterListSixteenBytesALineWithCommasBetweenAll) {
  uint8_t data[17];
  for (int i = 0; i < 17; ++i) data[i] = uint8_t(i * 0x11 & 0xFF);
  ASSERT_EQ(ParameterListLineCount(17), 2u);
  LogLine l;
  FormatParameterListLine(l, data, 17, 0);
  EXPECT_STREQ(l.text,
               "  Parameter List = 00,11,22,33,44,55,66,77,88,99,AA,BB,CC,DD,EE,FF,");
  FormatParameterListLine(l, data, 17, 1);
  EXPECT_STREQ(l.text, "                   10");

  ASSERT_EQ(ParameterListLineCount(16), 1u);
  FormatParameterListLine(l, data, 16, 0);
  EXPECT_STREQ(l.text,
               "  Parameter List = 00,11,22,33,44,55,66,77,88,99,AA,BB,CC,DD,EE,FF");
  EXPECT_EQ(ParameterListLineCount(0), 0u);
  const uint8_t one = 0x5A;
  FormatParameterListLine(l, &one, 1, 0);
  EXPECT_STREQ(l.text, "  Parameter List = 5A");
}

TEST(LogFormat, StatusTexts) {
  EXPECT_EQ(Status(0), "  Status -> Successful");
  EXPECT_EQ(Status(-17), "  Status -> Busy");
  EXPECT_EQ(Status(-18), "  Status -> Check Condition");
  EXPECT_EQ(Status(2), "  Status -> No Device");
  EXPECT_EQ(Status(4), "  Status -> Param Error");
  EXPECT_EQ(Status(5), "  Status -> Phase Error");
  EXPECT_EQ(Status(10), "  Status -> Bad Phase");
  // Anything else carries an empty quoted text and an extra line end.
  EXPECT_EQ(Status(-36), "  Status -> System Error -36, \"\"\r\n");
  EXPECT_EQ(Status(-1), "  Status -> System Error -1, \"\"\r\n");
  EXPECT_EQ(Status(7), "  Status -> System Error 7, \"\"\r\n");
}

TEST(LogFormat, SenseLinesDecodeKeyFlagsCodeAndPointers) {
  uint8_t s[18] = {};
  s[0] = 0x70;
  s[2] = 0x62;  // end of media, illegal length, key 2
  s[12] = 0x80;
  s[13] = 0x01;
  s[15] = 0xCD;
  s[16] = 0x12;
  s[17] = 0x34;
  EXPECT_EQ(Sense(s, 0), "  Error Code    : 70");
  EXPECT_EQ(Sense(s, 1), "  Sence Key     : 02, Not ready, Illegal Logical Length, End of Media");
  EXPECT_EQ(Sense(s, 2), "  Sence Code    : 80, ADF Jam release Cover Open");
  EXPECT_EQ(Sense(s, 3), "  Bit Pointer   : 05");
  EXPECT_EQ(Sense(s, 4), "  Field Pointer : 34");

  s[2] = 0x85;  // file mark, key 5
  s[12] = 0x26;
  EXPECT_EQ(Sense(s, 1), "  Sence Key     : 05, Illegal request, File Mark");
  EXPECT_EQ(Sense(s, 2), "  Sence Code    : 26, Invalid Field in Parameter List");
  // The error code line does not depend on the buffer.
  s[0] = 0x71;
  EXPECT_EQ(Sense(s, 0), "  Error Code    : 70");
}

TEST(LogFormat, AdditionalSenseTextsByKeyCodeAndQualifier) {
  EXPECT_STREQ(AdditionalSenseText(2, 0x80, 0), "ADF Cover Open");
  EXPECT_STREQ(AdditionalSenseText(2, 0x80, 3), "ADF Jam release Cover Open");
  EXPECT_STREQ(AdditionalSenseText(2, 0x81, 0), "FSU Cover Open");
  EXPECT_STREQ(AdditionalSenseText(2, 0x81, 1), "FSU Dispersion board detection");
  EXPECT_STREQ(AdditionalSenseText(2, 0x04, 9), "Scanner Not Ready");
  EXPECT_STREQ(AdditionalSenseText(0, 0x55, 0x66), "No additional sense information");
  EXPECT_STREQ(AdditionalSenseText(3, 0x3A, 0), "ADF Nedia Not Present");
  EXPECT_STREQ(AdditionalSenseText(3, 0x53, 0), "ADF Nedia Load or Eject failed");
  EXPECT_STREQ(AdditionalSenseText(4, 0x60, 0), "Scanner Lamp failure");
  EXPECT_STREQ(AdditionalSenseText(5, 0x20, 0), "Invalid command operation code");
  EXPECT_STREQ(AdditionalSenseText(6, 0x29, 0), "Power on reset or bus device reaset Message Detected");
  EXPECT_STREQ(AdditionalSenseText(9, 0x12, 0x34), "Data Remains");
  EXPECT_STREQ(AdditionalSenseText(11, 0x47, 0), "Aborted Command");
  // Combinations not listed: no text, the separator stays.
  EXPECT_EQ(AdditionalSenseText(3, 0x11, 0), nullptr);
  EXPECT_EQ(AdditionalSenseText(6, 0x3A, 0), nullptr);
  uint8_t s[18] = {};
  s[2] = 3;
  s[12] = 0x11;
  EXPECT_EQ(Sense(s, 2), "  Sence Code    : 11, ");
}

TEST(LogFormat, SenseKeyTextsCoverAllSixteenKeys) {
  EXPECT_STREQ(SenseKeyText(0), "No Sence");
  EXPECT_STREQ(SenseKeyText(6), "Unit attention");
  EXPECT_STREQ(SenseKeyText(9), "DATA Remains");
  EXPECT_STREQ(SenseKeyText(11), "Command aborted");
  EXPECT_STREQ(SenseKeyText(15), "Reserved");
}

TEST(LogFormat, DeviceLineTypeNamesAndQuotedIdentity) {
  uint8_t inq[36];
  FillInquiry(inq, 6, "KORVA   WQ140/131       1.00");
  EXPECT_EQ(Device({0, 0, 3, 0}, inq),
            "  0.3.0: \"Scanner          \", \"KORVA   \", \"WQ140/131       \", \"1.00\"\r\n");
  FillInquiry(inq, 3, "ACME    PROCESSOR       0001");
  EXPECT_EQ(Device({0, 1, 2, 0}, inq),
            "  1.2.0: \"Proc.   \", \"ACME    \", \"PROCESSOR       \", \"0001\"\r\n");
  FillInquiry(inq, 0x7F, "ACME    NOTHING HERE    0001");
  EXPECT_EQ(Device({0, 1, 2, 0}, inq),
            "  1.2.0: Missing device or logical unit , \"ACME    \", \"NOTHING HERE    \", "
            "\"0001\"\r\n");
  FillInquiry(inq, 0x0C, "ACME    ARRAY           0001");
  EXPECT_EQ(Device({0, 1, 2, 0}, inq),
            "  1.2.0: Reserved or unknown device type (0C), \"ACME    \", \"ARRAY           \", "
            "\"0001\"\r\n");
  FillInquiry(inq, 0x05, "ACME    CD              0001");
  EXPECT_NE(Device({0, 0, 4, 0}, inq).find("\"CD-ROM           \""), std::string::npos);
  FillInquiry(inq, 0x0B, "ACME    GA              0001");
  EXPECT_NE(Device({0, 0, 4, 0}, inq).find("\"Graphics Arts 0B \""), std::string::npos);
}

TEST(LogFormat, DeviceLineKeepsItsQuotesWhenTheIdentityHoldsZeroBytes) {
  uint8_t inq[36] = {};
  inq[0] = 0;
  std::memcpy(inq + 8, "DISK", 4);  // the rest zero
  EXPECT_EQ(Device({0, 0, 0, 0}, inq),
            "  0.0.0: \"Disk   \", \"DISK    \", \"                \", \"    \"\r\n");
}

TEST(LogFormat, CountTransferAndBusLines) {
  LogLine l;
  FormatBusyCountLine(l, 3);
  EXPECT_STREQ(l.text, "  Status -> Scanner Busy Count -> 3");
  FormatTransferSizeLine(l, 32768);
  EXPECT_STREQ(l.text, "  Read Transfer Size -> 32768 Bytes");
  FormatNotTerminatedLine(l, {0, 1, 5, 0});
  EXPECT_STREQ(l.text, "  1.5.0  Bus Not Terminated");
}

TEST(LogFormat, ModePageNames) {
  EXPECT_STREQ(ModePageName(0x02), "Disconnect/Reconnect");
  EXPECT_STREQ(ModePageName(0x03), "Measurement Unit");
  EXPECT_STREQ(ModePageName(0x20), "Sub Device");
  EXPECT_STREQ(ModePageName(0x3F), "All page");
  EXPECT_STREQ(ModePageName(0x04), "Inval Parameter");
}

TEST(LogFormat, LongAppendsTruncateInsteadOfOverflowing) {
  LogLine l;
  LineClear(l);
  std::string big(1000, 'x');
  LineAppend(l, big.c_str());
  EXPECT_EQ(l.length, kLogLineMax - 1);
  EXPECT_EQ(std::strlen(l.text), kLogLineMax - 1);
}
