#include "sim/factory_images.h"

#include <algorithm>

#include "sim/virtual_module.h"  // TSimLocation

namespace {

using enum TBoardGeneration;

std::vector<uint8_t> Filled(size_t count, uint8_t value) {
  return std::vector<uint8_t>(count, value);
}

// A recording of the slave module's event 1 (15 time columns of a byte per input): inputs 2
// to 5 idle high, as their polarity 0 has it, and input 1 active for a while in the middle.
std::vector<uint8_t> SlaveRecording() {
  constexpr size_t kInputs = 6;
  std::vector<uint8_t> bytes(90);
  for (size_t column = 0; column < bytes.size() / kInputs; ++column) {
    for (size_t input = 2; input <= 5; ++input) bytes[column * kInputs + input - 1] = 0xFF;
  }
  bytes[4 * kInputs] = 0xF0;
  bytes[5 * kInputs] = 0xFF;
  bytes[6 * kInputs] = 0xFF;
  bytes[7 * kInputs] = 0x0F;
  return bytes;
}

}  // namespace

// Every byte a factory-fresh module holds that is not zero. A row names the module's bus
// address, the board generation it applies to, the memory, the first byte and the bytes.
const std::vector<TImagePatch>& FactoryImagePatches() {
  static const std::vector<TImagePatch> kPatches = {
      // Main module, settings EEPROM: configuration byte (bit 2 set: a third-generation board
      // of the Mirelon/Tarskon line; the second-generation module is a "Veltra 2.5").
      {2, Third, kSimExt, 0, {0x04}},
      {2, Second, kSimExt, 0, {0x22}},
      // Feature bytes: each bit enables one group of settings on the pages; a factory module
      // offers every feature of its firmware.
      {2, Any, kSimExt, 256, Filled(14, 0xFF)},
      {2, Any, kSimExt, 270, {0x03}},
      // A car that has lived: the last alarms (door, boot), a failure, and the restart causes
      // "normal start" twice and one watchdog restart; the rest of the ring is empty.
      {2, Any, kSimExt, 176, {11, 12, 0, 0, 24, 0, 0, 0}},
      {2, Any, kSimExt, 400, {0x1C, 0x00, 0x1C, 0x00, 0x17, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                              0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                              0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      // Installed on 15.03.2009 by the first firmware's count of years.
      {2, Any, kSimExt, 504, {14, 0x62, 14, 0x62}},
      // Alarm counters: three door alarms, one by the shock sensor.
      {2, Any, kSimInt, 96, {3}},
      {2, Any, kSimInt, 96 + 18, {1}},
      // Main module, flash: which modules it supervises (GSM, shock and tilt sensors; CAN
      // module and tag transceiver).
      {2, Third, kSimFlash, 64000, {0x25, 0x03}},
      // The pins of the output functions 1 to 16 on the third-generation board: each on its
      // usual wire, the pager, ignition support, starter and ACC on none.
      {2,
       Third,
       kSimFlash,
       62464,
       {204, 169, 140, 137, 108, 233, 0, 77, 45, 24, 44, 0, 0, 0, 152, 156}},
      // Board record: type 16 first shipped with firmware 05.20 of 14.02.2019, a "Tarsk 4".
      {2, Third, kSimFlash, 65408, {0x00, 16, 0x05, 0x20, 0x14, 0x02, 0x19, 0x00}},
      {2, Second, kSimFlash, 65408, {0x00, 16, 0x04, 0x44, 0x00, 0x09, 0x11, 0x00}},
      // Firmware generation stored in flash.
      {2, Third, kSimFlash, 65474, {3}},
      {2, Second, kSimFlash, 65474, {0xFF}},
      // Slave module: polarities, every input counted in every event, events 1 and 2 with
      // their commands, the others with none; the recordings 128 bytes apart from 0x1A00 and
      // the sequences from 0x1800, as its address records say.
      {4, Any, kSimInt, 1, {0x0F}},
      {4, Any, kSimInt, 6, Filled(8, 63)},
      {4, Any, kSimInt, 14, {98, 100, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
      {4,
       Any,
       kSimInt,
       22,
       {0x00, 0x1A, 0x80, 0x1A, 0x00, 0x1B, 0x80, 0x1B, 0x00, 0x1C, 0x80, 0x1C, 0x00, 0x1D, 0x80,
        0x1D}},
      {4, Any, kSimInt, 44, {0x00, 0x18}},
      {4, Any, kSimInt, 43, {133}},
      {4, Any, kSimFlash, 0x1A00, SlaveRecording()},
      // Validator: line polarities, code of lines 3 and 4, service PIN 1-2-3, line 5 asks for
      // the code, line 6 the horn relay, no line puts the request off, both ladders in full.
      {14, Any, kSimInt, 1, {0xFA}},
      {14, Any, kSimInt, 6, Filled(8, 0xF6)},
      {14, Any, kSimInt, 54, {1, 2, 3}},
      {14, Any, kSimInt, 60, {3, 1}},
      {14, Any, kSimInt, 69, {4}},
      {14, Any, kSimInt, 79, {0xFF, 0xFF}},
      // Its timing: 15 s to enter the code, 10 s, 20 s pulse, 50 ms bounce, 3 averages,
      // 40 mV spread, 1.5 s between presses; the code entered without a request; quiet on a
      // wrong code and no programming by the PIN button.
      {14, Any, kSimInt, 43, {150}},
      {14, Any, kSimInt, 64, {20, 10, 15}},
      {14, Any, kSimInt, 77, {0x01}},
      {14, Any, kSimInt, 84, {0x60, 0, 5, 3, 2}},
      // Engine start module: polarities and the commands of the eight combinations.
      {13, Any, kSimInt, 1, {0xFA}},
      {13, Any, kSimInt, 14, {108, 99, 100, 62, 74, 103, 104, 105}},
      // Its timing in the layouts of both generations.
      {13, Any, kSimInt, 43, {150}},
      {13, Any, kSimInt, 88, {10, 3, 2, 4}},
      {13, Any, kSimInt, 104, {0, 48, 4}},
      // Input extender: polarities, event commands, inputs 1 to 3 the door, trunk and hood
      // switches (byte 0 is input 6), every button in every event's mask.
      {15, Any, kSimInt, 1, {0x0F}},
      {15, Any, kSimInt, 14, {108, 99, 100, 62, 102, 103, 104, 105}},
      {15, Any, kSimInt, 44, {33, 33, 33, 2, 1, 0}},
      {15, Any, kSimInt, 76, Filled(8, 0xFF)},
      {15, Any, kSimInt, 53, {4}},
      {15, Any, kSimInt, 74, {48}},
      // Tilt sensor: noise 5, critical tilt 7, door locking at 4, acceleration threshold 12
      // twice, 20 for the speed and 3 for the disturbance.
      {23, Any, kSimInt, 22, {5, 0, 7, 4, 12, 2, 20, 3}},
      // Tag transceiver: tilt and shock sensors and motion used, the tag function in the key
      // fob allowed, power 8 in every mode, temperature measured, both zones at 1.
      {25, Any, kSimInt, 1, {0x47}},
      {25, Any, kSimInt, 6, {0x77, 0x77}},
      {25, Any, kSimInt, 12, {0x20, 0x11}},
      // Transceiver at address 5: its radio chip's registers 4 to 10 and 16 to 32 at the values
      // the chip takes after a reset, and the display switched off after 10 seconds.
      {5, Any, kSimInt, 4, {0xD3, 0x91, 0xFF, 0x04, 0x45, 0x00, 0x00}},
      {5,
       Any,
       kSimInt,
       16,
       {0x8C, 0x22, 0x02, 0x22, 0xF8, 0x47, 0x07, 0x30, 0x04, 0x36, 0x6C, 0x03, 0x40, 0x91, 0x87,
        0x6B, 0xF8}},
      {5, Any, kSimInt, 110, {200, 0}},
  };
  return kPatches;
}

// The version records of the status answers (command 48).
const std::vector<TStatusRecord>& FactoryStatusRecords() {
  static const std::vector<TStatusRecord> kRecords = {
      // Main module: firmware major, minor, day, month, year (BCD), board revision.
      {2, Third, {0x05, 0x34, 0x15, 0x03, 0x24, 0x04}},
      {2, Second, {0x04, 0x75, 0x21, 0x10, 0x13, 0x02}},
      // CAN module as the main module relays it: internal version 1.8.3.134, protocol 2.1,
      // group 12, subgroup 3.
      {24, Any, {1, 8, 3, 134, 2, 1, 12, 3, 0, 0, 0, 0, 0, 0, 0, 0}},
      // GSM: firmware 27.14 of 12.03.23 (decimal), board version 5.
      {3, Any, {27, 14, 12, 3, 23, 5}},
      // GPS: firmware 3.2 of 05.06.22 (decimal), one reserved byte.
      {11, Any, {3, 2, 5, 6, 22, 0}},
      // Two-byte records: major, minor.
      {4, Any, {2, 7}},
      {5, Any, {2, 1}},
      {13, Any, {3, 1}},
      {14, Any, {7, 2}},
      {15, Any, {1, 4}},
      {20, Any, {3, 4}},
      {21, Any, {2, 0}},
      {22, Any, {2, 0}},
      {23, Any, {1, 5}},
      // Tag transceiver: major, minor, board version.
      {25, Any, {4, 4, 2}},
  };
  return kRecords;
}

bool FitsBoard(TBoardGeneration board, bool gen2) {
  return board == Any || (board == Second) == gen2;
}

std::span<const uint8_t> StatusRecord(uint8_t module, bool gen2) {
  const auto& records = FactoryStatusRecords();
  const auto it = std::find_if(records.begin(), records.end(), [&](const TStatusRecord& r) {
    return r.Module == module && FitsBoard(r.Board, gen2);
  });
  if (it == records.end()) return {};
  return it->Bytes;
}
