#include "pages/main/output_programs.h"

#include <stdexcept>

namespace {

// Where each run of record bytes sits: the programs `FirstProgram`..`LastProgram` keep record
// bytes `FirstByte`..`LastByte` side by side from `Address` on.
struct TBlock {
  int FirstProgram;
  int LastProgram;
  int FirstByte;
  int LastByte;
  int Address;
};

// clang-format off
constexpr TBlock kBlocks[] = {
    {7, 8, 0, 7, 336},     {1, 6, 0, 7, 352},     {9, 16, 0, 7, 562},    {17, 20, 0, 7, 432},
    {1, 16, 8, 8, 626},    {17, 20, 8, 8, 712},
    {1, 16, 9, 12, 768},   {17, 20, 9, 12, 464},
    {1, 16, 13, 16, 832},  {17, 20, 13, 16, 480},
    {1, 16, 17, 20, 16},   {17, 20, 17, 20, 320},
};
// clang-format on

}  // namespace

TOutputProgram TOutputProgram::FromBytes(const std::array<uint8_t, kBytes>& bytes) {
  TOutputProgram p;
  p.Modes = bytes[0];
  p.Conditions = bytes[1];
  p.OnEvent = bytes[2];
  p.Times = {bytes[3], bytes[5], bytes[6], bytes[7]};
  p.PulseType = bytes[4];
  p.Repeat = bytes[8];
  for (int i = 0; i < kOffWays; ++i) {
    p.OffEvents[i] = bytes[9 + i];
    p.OffDelays[i] = bytes[13 + i];
    p.CancelEvents[i] = bytes[17 + i];
  }
  return p;
}

std::array<uint8_t, TOutputProgram::kBytes> TOutputProgram::Bytes() const {
  std::array<uint8_t, kBytes> bytes{};
  bytes[0] = Modes;
  bytes[1] = Conditions;
  bytes[2] = OnEvent;
  bytes[3] = Times[0];
  bytes[4] = PulseType;
  bytes[5] = Times[1];
  bytes[6] = Times[2];
  bytes[7] = Times[3];
  bytes[8] = Repeat;
  for (int i = 0; i < kOffWays; ++i) {
    bytes[9 + i] = OffEvents[i];
    bytes[13 + i] = OffDelays[i];
    bytes[17 + i] = CancelEvents[i];
  }
  return bytes;
}

int TOutputPrograms::Address(int program, int byte) {
  for (const TBlock& block : kBlocks) {
    if (program < block.FirstProgram || program > block.LastProgram) continue;
    if (byte < block.FirstByte || byte > block.LastByte) continue;
    const int width = block.LastByte - block.FirstByte + 1;
    return block.Address + (program - block.FirstProgram) * width + (byte - block.FirstByte);
  }
  throw std::out_of_range("no such output program byte");
}

uint8_t* TOutputPrograms::ByteAt(int address) {
  for (const TBlock& block : kBlocks) {
    const int width = block.LastByte - block.FirstByte + 1;
    const int offset = address - block.Address;
    const int programs = block.LastProgram - block.FirstProgram + 1;
    if (offset < 0 || offset >= width * programs) continue;
    const int program = block.FirstProgram + offset / width;
    return &records_[static_cast<size_t>(program - 1)]
                    [static_cast<size_t>(block.FirstByte + offset % width)];
  }
  return nullptr;
}

TOutputProgram TOutputPrograms::Program(int program) const {
  return TOutputProgram::FromBytes(records_.at(static_cast<size_t>(program - 1)));
}

void TOutputPrograms::SetProgram(int program, const TOutputProgram& value) {
  records_.at(static_cast<size_t>(program - 1)) = value.Bytes();
}
