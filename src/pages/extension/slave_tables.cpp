#include "pages/extension/slave_tables.h"

#include "pages/extension/extension_modules.h"
#include "pages/extension/slave_records.h"

namespace {

// clang-format off
constexpr TControlRow kPropertiesRows[] = {
    {.Name = "vddUpDown", .Kind = ckData, .Mem = mlInt, .Addr = 1, .Type = stArray, .Max = 1},
    {.Name = "vddLearned", .Kind = ckData, .Mem = mlInt, .Addr = 2, .Type = stArray, .Max = 1},
    {.Name = "vddMask", .Kind = ckData, .Mem = mlInt, .Addr = 6, .Type = stArray, .Max = 8},
    {.Name = "vddCmd", .Kind = ckData, .Mem = mlInt, .Addr = 14, .Type = stArray, .Max = 8},
    {.Name = "vddSeqEvent", .Kind = ckData, .Mem = mlInt, .Addr = 42, .Type = stArray, .Max = 1},
    {.Name = "vddLearnEvent", .Kind = ckData, .Mem = mlMsg, .Addr = 3, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vddInputs", .Kind = ckData, .Mem = mlMsg, .Addr = 2, .Type = stArray, .Max = 1, .Live = true},
    {.Name = "vddSlaveV", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2, .Live = true},
};
static_assert(CheckTable(kPropertiesRows).Row == -1);

// The module keeps 2000 divided by the recording time in tenths of a second; position p
// stands for 2000 / p, which gives every position of the range a byte of its own.
constexpr int kRecordTimeBytes[] = {0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  200, 181, 166,
                                    153, 142, 133, 125, 117, 111, 105, 100, 95,  90, 86,  83,  80};
constexpr TPositionCoding kRecordTime{.Kind = pcMap, .Values = kRecordTimeBytes};

constexpr TControlRow kOptionsRows[] = {
    {.Kind = ckHeading, .Caption = "Параметры записи"},
    {.Name = "VDData1", .Kind = ckTrackBar, .Caption = "Длительность записи события",
     .Mem = mlInt, .Addr = 43, .Type = stByte, .Max = 255, .Range = {10, 25}, .Default = 15, .Coding = &kRecordTime},
};
static_assert(CheckTable(kOptionsRows).Row == -1);

constexpr TValueLabelRow kOptionsLabels[] = {
    {.Name = "VDData1", .Scale = 0.1, .Format = "%3.1f [c]"},
};
static_assert(CheckValueLabels(kOptionsLabels) == -1);

constexpr int kRecordBytes = kSlaveRecordBytes;
constexpr int kSequenceBytes = kSlaveSequenceBytes;
constexpr TControlRow kDataRows[] = {
    {.Name = "vddA1", .Kind = ckData, .Mem = mlInt, .Addr = 22, .Type = stArray, .Max = 2},
    {.Name = "vddA2", .Kind = ckData, .Mem = mlInt, .Addr = 24, .Type = stArray, .Max = 2},
    {.Name = "vddA3", .Kind = ckData, .Mem = mlInt, .Addr = 26, .Type = stArray, .Max = 2},
    {.Name = "vddA4", .Kind = ckData, .Mem = mlInt, .Addr = 28, .Type = stArray, .Max = 2},
    {.Name = "vddA5", .Kind = ckData, .Mem = mlInt, .Addr = 30, .Type = stArray, .Max = 2},
    {.Name = "vddA6", .Kind = ckData, .Mem = mlInt, .Addr = 32, .Type = stArray, .Max = 2},
    {.Name = "vddA7", .Kind = ckData, .Mem = mlInt, .Addr = 34, .Type = stArray, .Max = 2},
    {.Name = "vddA8", .Kind = ckData, .Mem = mlInt, .Addr = 36, .Type = stArray, .Max = 2},
    {.Name = "vddSA1", .Kind = ckData, .Mem = mlInt, .Addr = 44, .Type = stArray, .Max = 2},
    {.Name = "vddSeqLens", .Kind = ckData, .Mem = mlInt, .Addr = 46, .Type = stArray, .Max = 8},
    // The recordings and sequences sit where the address records above point; these are the
    // places the module leaves the factory with.
    {.Name = "vddM1", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1A00, .Type = stArray, .Max = kRecordBytes},
    {.Name = "vddM2", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1A80, .Type = stArray, .Max = kRecordBytes},
    {.Name = "vddM3", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1B00, .Type = stArray, .Max = kRecordBytes},
    {.Name = "vddM4", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1B80, .Type = stArray, .Max = kRecordBytes},
    {.Name = "vddM5", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1C00, .Type = stArray, .Max = kRecordBytes},
    {.Name = "vddM6", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1C80, .Type = stArray, .Max = kRecordBytes},
    {.Name = "vddM7", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1D00, .Type = stArray, .Max = kRecordBytes},
    {.Name = "vddM8", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1D80, .Type = stArray, .Max = kRecordBytes},
    {.Name = "vddMS1", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1800, .Type = stArray, .Max = kSequenceBytes},
    {.Name = "vddMS2", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1840, .Type = stArray, .Max = kSequenceBytes},
    {.Name = "vddMS3", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1880, .Type = stArray, .Max = kSequenceBytes},
    {.Name = "vddMS4", .Kind = ckData, .Mem = mlFlash, .Addr = 0x18C0, .Type = stArray, .Max = kSequenceBytes},
    {.Name = "vddMS5", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1900, .Type = stArray, .Max = kSequenceBytes},
    {.Name = "vddMS6", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1940, .Type = stArray, .Max = kSequenceBytes},
    {.Name = "vddMS7", .Kind = ckData, .Mem = mlFlash, .Addr = 0x1980, .Type = stArray, .Max = kSequenceBytes},
    {.Name = "vddMS8", .Kind = ckData, .Mem = mlFlash, .Addr = 0x19C0, .Type = stArray, .Max = kSequenceBytes},
};
static_assert(CheckTable(kDataRows).Row == -1);
// clang-format on

}  // namespace

const TPageTable& SlavePropertiesTable() {
  static constexpr TPageTable kTable = {.Name = "SlaveProperties",
                                        .LanAddr = kSlaveAddr,
                                        .Rows = kPropertiesRows,
                                        .Title = "Свойства"};
  return kTable;
}

const TPageTable& SlaveOptionsTable() {
  static constexpr TPageTable kTable = {.Name = "SlaveOptions",
                                        .LanAddr = kSlaveAddr,
                                        .Rows = kOptionsRows,
                                        .Title = "Настройки",
                                        .Labels = kOptionsLabels};
  return kTable;
}

const TPageTable& SlaveDataTable() {
  static constexpr TPageTable kTable = {
      .Name = "SlaveData", .LanAddr = kSlaveAddr, .Rows = kDataRows, .Title = "Графики"};
  return kTable;
}
