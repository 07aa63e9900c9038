#include "pages/main/output_programs.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using TRecord = std::array<uint8_t, TOutputProgram::kBytes>;

struct TRecordCase {
  const char* Name;
  TRecord Stored;
  TOutputProgram Program;
};

// Stored bytes, what they say, and the same bytes again when stored.
const TRecordCase kRecordCases[] = {
    {"conditions",
     {0x05, 0x14, 0, 20, 1, 1, 2, 3, 254, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
     {.Modes = 0x05, .Conditions = 0x14, .Times = {20, 1, 2, 3}, .PulseType = 1, .Repeat = 254}},
    {"by event, switched off by events",
     {0, 0, 251, 150, 3, 177, 228, 252, 255, 1, 161, 196, 200, 10, 0, 140, 242, 45, 0, 0, 51},
     {.OnEvent = 251,
      .Times = {150, 177, 228, 252},
      .PulseType = 3,
      .Repeat = 255,
      .OffEvents = {1, 161, 196, 200},
      .OffDelays = {10, 0, 140, 242},
      .CancelEvents = {45, 0, 0, 51}}},
    // Codes of a newer firmware's events (47, 160, 163) and time bytes no slider gives (110)
    // stay as they were read.
    {"unknown codes",
     {0, 0, 47, 110, 0, 0, 0, 0, 1, 160, 0, 0, 0, 0, 0, 0, 0, 163, 0, 0, 0},
     {.OnEvent = 47, .Times = {110, 0, 0, 0}, .Repeat = 1, .OffEvents = {160, 0, 0, 0},
      .CancelEvents = {163, 0, 0, 0}}},
};

TEST(OutputProgramRecordTest, DecodesAndStoresBackEveryByte) {
  for (const TRecordCase& c : kRecordCases) {
    SCOPED_TRACE(c.Name);
    const TOutputProgram program = TOutputProgram::FromBytes(c.Stored);
    EXPECT_EQ(program, c.Program);
    EXPECT_EQ(program.Bytes(), c.Stored);
  }
}

TEST(OutputProgramsLayoutTest, PlacesRecordBytesInTheSettingsImage) {
  struct TPlace {
    int Program;
    int Byte;
    int Address;
  };
  const TPlace places[] = {
      {7, 0, 336},  {8, 7, 351},   {1, 0, 352},   {6, 7, 399},   {9, 0, 562},  {16, 7, 625},
      {17, 0, 432}, {20, 7, 463},  {1, 8, 626},   {16, 8, 641},  {17, 8, 712}, {20, 8, 715},
      {1, 9, 768},  {16, 12, 831}, {17, 9, 464},  {20, 12, 479}, {1, 13, 832}, {16, 16, 895},
      {17, 13, 480}, {20, 16, 495}, {1, 17, 16},  {16, 20, 79},  {17, 17, 320}, {20, 20, 335},
  };
  for (const TPlace& place : places) {
    SCOPED_TRACE(testing::Message() << "program " << place.Program << " byte " << place.Byte);
    EXPECT_EQ(TOutputPrograms::Address(place.Program, place.Byte), place.Address);
  }
}

TEST(OutputProgramsLayoutTest, EveryRecordByteHasItsOwnAddress) {
  TOutputPrograms programs;
  std::set<int> addresses;
  for (int program = 1; program <= TOutputPrograms::kPrograms; ++program) {
    TOutputProgram record;
    record.Modes = static_cast<uint8_t>(program);
    record.CancelEvents[3] = static_cast<uint8_t>(100 + program);
    programs.SetProgram(program, record);
    for (int byte = 0; byte < TOutputProgram::kBytes; ++byte) {
      const int address = TOutputPrograms::Address(program, byte);
      EXPECT_TRUE(addresses.insert(address).second) << address;
      EXPECT_EQ(programs.ByteAt(address), programs.ByteAt(address));
    }
  }
  EXPECT_EQ(addresses.size(), 20U * 21U);
  EXPECT_EQ(*programs.ByteAt(352), 1);   // program 1 byte 0
  EXPECT_EQ(*programs.ByteAt(344), 8);   // program 8 byte 0
  EXPECT_EQ(*programs.ByteAt(335), 120); // program 20 byte 20
  EXPECT_EQ(programs.ByteAt(400), nullptr);
  EXPECT_EQ(programs.ByteAt(15), nullptr);
  EXPECT_THROW(TOutputPrograms::Address(21, 0), std::out_of_range);
}

}  // namespace
