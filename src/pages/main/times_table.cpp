#include "pages/main/times_table.h"

#include "link/lan_msg.h"

namespace {

// clang-format off
// The door and lock drives store a pulse code whose shortest pulse (0.5 s) is code 8; the
// window lifts count from the second length (0.8 s) at code 0.
constexpr TPositionCoding kDoorPulse{.Kind = pcDoorPulse};
constexpr TPositionCoding kFromSecondLength{.Kind = pcOffset, .Offset = 1};
constexpr TPositionCoding kTimeByte{.Kind = pcTimeByte};

constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Длительность импульсов управления приводами дверей"},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Отпирание",
     .Mem = mlExt, .Addr = 200, .Type = stByteLo, .Max = 2, .Range = {0, 8}, .Guard = {259, 2}, .Default = 1, .Coding = &kDoorPulse},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "Запирание",
     .Mem = mlExt, .Addr = 200, .Type = stByteHi, .Max = 7, .Range = {0, 8}, .Guard = {259, 3}, .Default = 1, .Coding = &kDoorPulse},
    {.Kind = ckHeading, .Caption = "Длительность импульсов на стеклоподъемники, замки капота и багажника"},
    {.Name = "VDTrackBar9", .Kind = ckTrackBar, .Caption = "Игнорировать вход зажигания при постановке в охрану",
     .Mem = mlExt, .Addr = 647, .Type = stByteLo, .Max = 15, .Guard = {259, 4}, .Hidden = true, .Disabled = true},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Стеклоподъемники",
     .Mem = mlExt, .Addr = 201, .Type = stByteHi, .Max = 9, .Range = {1, 10}, .Guard = {259, 4}, .Default = 1, .Coding = &kFromSecondLength},
    {.Name = "VDTrackBar4", .Kind = ckTrackBar, .Caption = "Замок капота",
     .Mem = mlExt, .Addr = 203, .Type = stByteLo, .Max = 7, .Range = {1, 8}, .Guard = {259, 5}, .Default = 1, .Coding = &kDoorPulse},
    {.Name = "VDTrackBar5", .Kind = ckTrackBar, .Caption = "Замок багажника",
     .Mem = mlExt, .Addr = 203, .Type = stByteHi, .Max = 7, .Range = {0, 8}, .Guard = {259, 6}, .Default = 1, .Coding = &kDoorPulse},
    {.Kind = ckHeading, .Caption = "Управление светом"},
    {.Name = "VDTrackBar8", .Kind = ckTrackBar, .Caption = "Таймер на алгоритм Импульсным управлением левого поворотника",
     .Mem = mlExt, .Addr = 556, .Type = stByte, .Max = 200, .Range = {2, 5}, .Default = 4},
    {.Name = "tbLightRoad", .Kind = ckTrackBar, .Caption = "Световая дорожка и свободные руки",
     .Mem = mlExt, .Addr = 210, .Type = stByte, .Max = 210, .Range = {100, 210}, .Guard = {258, 4}, .Default = 150, .Hidden = true, .Coding = &kTimeByte},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr const char* kPulseLengths[] = {
    "0,5 секунды", "0,8 секунды", "1,2 секунды", "5 секунд",  "10 секунд", "15 секунд",
    "20 секунд",   "25 секунд",   "30 секунд",   "40 секунд", "50 секунд"};
constexpr const char* kIgnitionIgnoreTimes[] = {
    "0 сек", "1 сек", "2 сек",  "3 сек",  "4 сек",  "5 сек",  "6 сек",  "7 сек",
    "8 сек", "9 сек", "10 сек", "12 сек", "15 сек", "17 сек", "20 сек", "30 сек"};

constexpr TValueLabelRow kValueLabels[] = {
    {.Name = "VDTrackBar1", .Texts = kPulseLengths},
    {.Name = "VDTrackBar2", .Texts = kPulseLengths},
    {.Name = "VDTrackBar3", .Texts = kPulseLengths},
    {.Name = "VDTrackBar4", .Texts = kPulseLengths},
    {.Name = "VDTrackBar5", .Texts = kPulseLengths},
    {.Name = "VDTrackBar8", .Scale = 0.05, .Format = "%4.2f c"},
    // 0.05 s steps up to 5 s, half seconds above: 5 to 60 s.
    {.Name = "tbLightRoad", .Scale = 0.05, .Format = "%4.2f c", .KneePosition = 100, .KneeScale = 0.5},
    {.Name = "VDTrackBar9", .Texts = kIgnitionIgnoreTimes},
};
static_assert(CheckValueLabels(kValueLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& MainTimesTable() {
  static constexpr TPageTable kTable = {.Name = "MainTimes",
                                        .LanAddr = kMainModuleAddr,
                                        .Rows = kRows,
                                        .Title = "Времена",
                                        .HelpTopic = "main_times",
                                        .Labels = kValueLabels};
  return kTable;
}
