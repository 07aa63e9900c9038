#include "pages/extension/radio_table.h"

#include <QString>

#include "pages/extension/extension_modules.h"

namespace {

// Byte registers show their value the way the radio's documentation writes it: addresses and
// sync words in hexadecimal, counts in decimal.
QString Hex(int position) {
  return QStringLiteral("0x%1").arg(position, 2, 16, QLatin1Char('0'));
}
QString TwoDigits(int position) {
  return QStringLiteral("%1").arg(position, 2, 10, QLatin1Char('0'));
}

constexpr TRadioItem kFour[] = {{0, "0"}, {1, "1"}, {2, "2"}, {3, "3"}};
constexpr TRadioItem kEight[] = {{0, "0"}, {1, "1"}, {2, "2"}, {3, "3"},
                                 {4, "4"}, {5, "5"}, {6, "6"}, {7, "7"}};
constexpr TRadioItem kSixteen[] = {
    {0, "0"}, {1, "1"}, {2, "2"},   {3, "3"},   {4, "4"},   {5, "5"},   {6, "6"},   {7, "7"},
    {8, "8"}, {9, "9"}, {10, "10"}, {11, "11"}, {12, "12"}, {13, "13"}, {14, "14"}, {15, "15"}};

// clang-format off
constexpr TRadioItem kAddressCheck[] = {
    {0, "нет"}, {1, "адрес"}, {2, "адрес и 0x00"}, {3, "адрес, 0x00 и 0xFF"}};
constexpr TRadioItem kLengthConfig[] = {
    {0, "фиксированная"}, {1, "в первом байте"}, {2, "бесконечная"}, {3, "резерв"}};
constexpr TRadioItem kPacketFormat[] = {
    {0, "FIFO"}, {1, "синхронный поток"}, {2, "случайные данные"}, {3, "асинхронный поток"}};
constexpr TRadioItem kSyncMode[] = {
    {0, "нет"}, {1, "15/16"}, {2, "16/16"}, {3, "30/32"},
    {4, "несущая"}, {5, "15/16 + несущая"}, {6, "16/16 + несущая"}, {7, "30/32 + несущая"}};
constexpr TRadioItem kModFormat[] = {
    {0, "2-FSK"}, {1, "GFSK"}, {2, "2 (резерв)"}, {3, "ASK/OOK"},
    {4, "4-FSK"}, {5, "5 (резерв)"}, {6, "6 (резерв)"}, {7, "MSK"}};
constexpr TRadioItem kPreambleBytes[] = {
    {0, "2"}, {1, "3"}, {2, "4"}, {3, "6"}, {4, "8"}, {5, "12"}, {6, "16"}, {7, "24"}};
constexpr TRadioItem kRxTime[] = {
    {0, "0"}, {1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}, {5, "5"}, {6, "6"}, {7, "до конца пакета"}};
constexpr TRadioItem kOffMode[] = {{0, "IDLE"}, {1, "FSTXON"}, {2, "TX"}, {3, "RX"}};
constexpr TRadioItem kCcaMode[] = {
    {0, "всегда"}, {1, "RSSI ниже порога"}, {2, "нет приёма пакета"},
    {3, "RSSI ниже порога и нет приёма"}};
constexpr TRadioItem kPoTimeout[] = {{0, "1"}, {1, "16"}, {2, "64"}, {3, "256"}};
constexpr TRadioItem kAutoCal[] = {
    {0, "нет"}, {1, "IDLE → RX/TX"}, {2, "RX/TX → IDLE"}, {3, "каждый 4-й RX/TX → IDLE"}};
constexpr TRadioItem kFocLimit[] = {{0, "0"}, {1, "BW/8"}, {2, "BW/4"}, {3, "BW/2"}};
constexpr TRadioItem kGainK[] = {{0, "K"}, {1, "2K"}, {2, "3K"}, {3, "4K"}};
constexpr TRadioItem kBsLimit[] = {{0, "0"}, {1, "3,125%"}, {2, "6,25%"}, {3, "12,5%"}};
constexpr TRadioItem kMagnTarget[] = {
    {0, "24 дБ"}, {1, "27 дБ"}, {2, "30 дБ"}, {3, "33 дБ"},
    {4, "36 дБ"}, {5, "38 дБ"}, {6, "40 дБ"}, {7, "42 дБ"}};
constexpr TRadioItem kMaxLnaGain[] = {
    {0, "0 дБ"}, {1, "-2,6 дБ"}, {2, "-6,1 дБ"}, {3, "-7,4 дБ"},
    {4, "-9,2 дБ"}, {5, "-11,5 дБ"}, {6, "-14,6 дБ"}, {7, "-17,1 дБ"}};
constexpr TRadioItem kMaxDvgaGain[] = {
    {0, "все"}, {1, "без 1 старшей"}, {2, "без 2 старших"}, {3, "без 3 старших"}};
// A four-bit two's complement threshold in dB relative to MAGN_TARGET; -8 switches it off.
constexpr TRadioItem kAbsThreshold[] = {
    {0, "0 дБ"}, {1, "+1"}, {2, "+2"}, {3, "+3"}, {4, "+4"}, {5, "+5"}, {6, "+6"}, {7, "+7"},
    {8, "выкл."}, {9, "-7"}, {10, "-6"}, {11, "-5"}, {12, "-4"}, {13, "-3"}, {14, "-2"}, {15, "-1"}};
constexpr TRadioItem kRelThreshold[] = {{0, "выкл."}, {1, "6 дБ"}, {2, "10 дБ"}, {3, "14 дБ"}};
constexpr TRadioItem kFilterLength[] = {{0, "8"}, {1, "16"}, {2, "32"}, {3, "64"}};
constexpr TRadioItem kAgcFreeze[] = {
    {0, "нет"}, {1, "после синхрослова"}, {2, "аналоговая часть"}, {3, "всё"}};
constexpr TRadioItem kWaitTime[] = {{0, "8"}, {1, "16"}, {2, "24"}, {3, "32"}};
constexpr TRadioItem kWorRes[] = {{0, "1"}, {1, "2^5"}, {2, "2^10"}, {3, "2^15"}};
constexpr TRadioItem kEvent1[] = {
    {0, "4"}, {1, "6"}, {2, "8"}, {3, "12"}, {4, "16"}, {5, "24"}, {6, "32"}, {7, "48"}};

// The defaults are the radio chip's own values after a reset.
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Настройки дисплея"},
    {.Name = "tbDisplayOff", .Kind = ckTrackBar, .Caption = "Задержка выключения дисплея",
     .Mem = mlInt, .Addr = 110, .Type = st2Bytes, .Max = 600, .Range = {60, 600}, .Default = 200},
    // The display's on/off switch would be bit 0 of byte 100 of the main module's internal
    // memory, which the main module does not have: a box for it could store nothing, so the
    // page has none.
    {.Kind = ckHeading, .Caption = "0x07 PKTCTRL1"},
    {.Name = "rgAdrCheck", .Kind = ckRadioGroup, .Caption = "ADR_CHECK",
     .Mem = mlInt, .Addr = 7, .Type = stBitArray, .Bit = 0, .Max = 2, .Items = kAddressCheck, .Columns = 4},
    {.Name = "cbWorAutosync", .Kind = ckCheckBox, .Caption = "WOR AUTOSYNC",
     .Mem = mlInt, .Addr = 7, .Type = stBit, .Bit = 4},
    {.Name = "cbAppendStatus", .Kind = ckCheckBox, .Caption = "APPEND_STATUS",
     .Mem = mlInt, .Addr = 7, .Type = stBit, .Bit = 2, .Default = 1},
    {.Name = "cbAutoflush", .Kind = ckCheckBox, .Caption = "SRC_AUTOFLUSH",
     .Mem = mlInt, .Addr = 7, .Type = stBit, .Bit = 3},
    {.Name = "rgPqt", .Kind = ckRadioGroup, .Caption = "PQT",
     .Mem = mlInt, .Addr = 7, .Type = stBitArray, .Bit = 5, .Max = 3, .Items = kEight, .Columns = 8},

    {.Kind = ckHeading, .Caption = "0x08 PKTCTRL0"},
    {.Name = "rgLengthConfig", .Kind = ckRadioGroup, .Caption = "LENGTH_CONFIG",
     .Mem = mlInt, .Addr = 8, .Type = stBitArray, .Bit = 0, .Max = 2, .Items = kLengthConfig, .Default = 1,
     .Columns = 4},
    {.Name = "cbCrcEn", .Kind = ckCheckBox, .Caption = "CRC_EN",
     .Mem = mlInt, .Addr = 8, .Type = stBit, .Bit = 2, .Default = 1},
    {.Name = "cbWhiteData", .Kind = ckCheckBox, .Caption = "WHITE_DATA",
     .Mem = mlInt, .Addr = 8, .Type = stBit, .Bit = 6, .Default = 1},
    {.Name = "rgPktFormat", .Kind = ckRadioGroup, .Caption = "PKT_FORMAT",
     .Mem = mlInt, .Addr = 8, .Type = stBitArray, .Bit = 4, .Max = 2, .Items = kPacketFormat, .Columns = 4},

    {.Kind = ckHeading, .Caption = "PKT_LEN, SYNC1, SYNC0, ADDR, CHANNEL"},
    {.Name = "tbPacketLen", .Kind = ckTrackBar, .Caption = "PACKET_LEN",
     .Mem = mlInt, .Addr = 6, .Type = stByte, .Max = 255, .Default = 255},
    {.Name = "tbSyncHigh", .Kind = ckTrackBar, .Caption = "SYNC0 (high)",
     .Mem = mlInt, .Addr = 4, .Type = stByte, .Max = 255, .Default = 0xD3},
    {.Name = "tbSyncLow", .Kind = ckTrackBar, .Caption = "SYNC1 (low)",
     .Mem = mlInt, .Addr = 5, .Type = stByte, .Max = 255, .Default = 0x91},
    {.Name = "tbDeviceAddr", .Kind = ckTrackBar, .Caption = "DEVICE_ADDR",
     .Mem = mlInt, .Addr = 9, .Type = stByte, .Max = 255},
    {.Name = "tbChannel", .Kind = ckTrackBar, .Caption = "CHANNR",
     .Mem = mlInt, .Addr = 10, .Type = stByte, .Max = 255},

    {.Kind = ckHeading, .Caption = "Modem configuration"},
    {.Name = "rgChanBwE", .Kind = ckRadioGroup, .Caption = "CHANBW_E",
     .Mem = mlInt, .Addr = 16, .Type = stBitArray, .Bit = 6, .Max = 2, .Items = kFour, .Default = 2, .Columns = 4},
    {.Name = "rgChanBwM", .Kind = ckRadioGroup, .Caption = "CHANBW_M",
     .Mem = mlInt, .Addr = 16, .Type = stBitArray, .Bit = 4, .Max = 2, .Items = kFour, .Columns = 4},
    {.Name = "rgDrateE", .Kind = ckRadioGroup, .Caption = "DRATE_E",
     .Mem = mlInt, .Addr = 16, .Type = stBitArray, .Bit = 0, .Max = 4, .Items = kSixteen, .Default = 12, .Columns = 16},
    {.Name = "tbDrateM", .Kind = ckTrackBar, .Caption = "DRATE_M",
     .Mem = mlInt, .Addr = 17, .Type = stByte, .Max = 255, .Default = 34},
    {.Name = "rgSyncMode", .Kind = ckRadioGroup, .Caption = "SYNC_MODE",
     .Mem = mlInt, .Addr = 18, .Type = stBitArray, .Bit = 0, .Max = 3, .Items = kSyncMode, .Default = 2, .Columns = 2},
    {.Name = "cbManchester", .Kind = ckCheckBox, .Caption = "MANCHESTER_EN",
     .Mem = mlInt, .Addr = 18, .Type = stBit, .Bit = 3},
    {.Name = "cbDcFilterOff", .Kind = ckCheckBox, .Caption = "DEM_DCFILT_OFF",
     .Mem = mlInt, .Addr = 18, .Type = stBit, .Bit = 7},
    {.Name = "rgModFormat", .Kind = ckRadioGroup, .Caption = "MOD_FORMAT",
     .Mem = mlInt, .Addr = 18, .Type = stBitArray, .Bit = 4, .Max = 3, .Items = kModFormat, .Columns = 2},
    {.Name = "rgChanSpcE", .Kind = ckRadioGroup, .Caption = "CHANSPC_E",
     .Mem = mlInt, .Addr = 19, .Type = stBitArray, .Bit = 0, .Max = 2, .Items = kFour, .Default = 2, .Columns = 4},
    {.Name = "rgNumPreamble", .Kind = ckRadioGroup, .Caption = "NUM_PREAMBLE",
     .Mem = mlInt, .Addr = 19, .Type = stBitArray, .Bit = 4, .Max = 3, .Items = kPreambleBytes, .Default = 2,
     .Columns = 8},
    {.Name = "cbFecEn", .Kind = ckCheckBox, .Caption = "FEC_EN",
     .Mem = mlInt, .Addr = 19, .Type = stBit, .Bit = 7},
    {.Name = "tbChanSpcM", .Kind = ckTrackBar, .Caption = "CHANSPC_M",
     .Mem = mlInt, .Addr = 20, .Type = stByte, .Max = 255, .Default = 248},
    {.Name = "rgDeviationM", .Kind = ckRadioGroup, .Caption = "DEVIATION_M",
     .Mem = mlInt, .Addr = 21, .Type = stBitArray, .Bit = 0, .Max = 3, .Items = kEight, .Default = 7, .Columns = 8},
    {.Name = "rgDeviationE", .Kind = ckRadioGroup, .Caption = "DEVIATION_E",
     .Mem = mlInt, .Addr = 21, .Type = stBitArray, .Bit = 4, .Max = 3, .Items = kEight, .Default = 4, .Columns = 8},

    {.Kind = ckHeading, .Caption = "Main state machine"},
    {.Name = "rgRxTime", .Kind = ckRadioGroup, .Caption = "RX_TIME",
     .Mem = mlInt, .Addr = 22, .Type = stBitArray, .Bit = 0, .Max = 3, .Items = kRxTime, .Default = 7, .Columns = 8},
    {.Name = "cbRxTimeQual", .Kind = ckCheckBox, .Caption = "RX_TIME_QUAL",
     .Mem = mlInt, .Addr = 22, .Type = stBit, .Bit = 3},
    {.Name = "cbRxTimeRssi", .Kind = ckCheckBox, .Caption = "RX_TIME_RSSI",
     .Mem = mlInt, .Addr = 22, .Type = stBit, .Bit = 4},
    {.Name = "rgTxOffMode", .Kind = ckRadioGroup, .Caption = "TXOFF_MODE",
     .Mem = mlInt, .Addr = 23, .Type = stBitArray, .Bit = 0, .Max = 2, .Items = kOffMode, .Columns = 4},
    {.Name = "rgRxOffMode", .Kind = ckRadioGroup, .Caption = "RXOFF_MODE",
     .Mem = mlInt, .Addr = 23, .Type = stBitArray, .Bit = 2, .Max = 2, .Items = kOffMode, .Columns = 4},
    {.Name = "rgCcaMode", .Kind = ckRadioGroup, .Caption = "CCA_MODE",
     .Mem = mlInt, .Addr = 23, .Type = stBitArray, .Bit = 4, .Max = 2, .Items = kCcaMode, .Default = 3, .Columns = 2},
    {.Name = "cbPinCtrl", .Kind = ckCheckBox, .Caption = "PIN_CTRL_EN",
     .Mem = mlInt, .Addr = 24, .Type = stBit, .Bit = 1},
    {.Name = "cbXoscForceOn", .Kind = ckCheckBox, .Caption = "XOSC_FORCE_ON",
     .Mem = mlInt, .Addr = 24, .Type = stBit, .Bit = 0},
    {.Name = "rgPoTimeout", .Kind = ckRadioGroup, .Caption = "PO_TIMEOUT",
     .Mem = mlInt, .Addr = 24, .Type = stBitArray, .Bit = 2, .Max = 2, .Items = kPoTimeout, .Default = 1, .Columns = 4},
    {.Name = "rgFsAutocal", .Kind = ckRadioGroup, .Caption = "FS_AUTOCAL",
     .Mem = mlInt, .Addr = 24, .Type = stBitArray, .Bit = 4, .Max = 2, .Items = kAutoCal, .Columns = 2},

    {.Kind = ckHeading, .Caption = "Freq offset comp"},
    {.Name = "rgFocLimit", .Kind = ckRadioGroup, .Caption = "FOC_LIMIT",
     .Mem = mlInt, .Addr = 25, .Type = stBitArray, .Bit = 0, .Max = 2, .Items = kFocLimit, .Default = 2, .Columns = 4},
    {.Name = "cbFocPostK", .Kind = ckCheckBox, .Caption = "FOC_POST_K",
     .Mem = mlInt, .Addr = 25, .Type = stBit, .Bit = 2, .Default = 1},
    {.Name = "cbFocGate", .Kind = ckCheckBox, .Caption = "FOC_BS_CS_GATE",
     .Mem = mlInt, .Addr = 25, .Type = stBit, .Bit = 5, .Default = 1},
    {.Name = "rgFocPreK", .Kind = ckRadioGroup, .Caption = "FOC_PRE_K",
     .Mem = mlInt, .Addr = 25, .Type = stBitArray, .Bit = 3, .Max = 2, .Items = kGainK, .Default = 2, .Columns = 4},

    {.Kind = ckHeading, .Caption = "0x1A: BSCFG – Bit Synchronization configuration"},
    {.Name = "rgBsLimit", .Kind = ckRadioGroup, .Caption = "BS_LIMIT",
     .Mem = mlInt, .Addr = 26, .Type = stBitArray, .Bit = 0, .Max = 2, .Items = kBsLimit, .Columns = 4},
    {.Name = "cbBsPostKp", .Kind = ckCheckBox, .Caption = "BS_POST_KP",
     .Mem = mlInt, .Addr = 26, .Type = stBit, .Bit = 2, .Default = 1},
    {.Name = "cbBsPostKi", .Kind = ckCheckBox, .Caption = "BS_POST_KI",
     .Mem = mlInt, .Addr = 26, .Type = stBit, .Bit = 3, .Default = 1},
    {.Name = "rgBsPreKp", .Kind = ckRadioGroup, .Caption = "BS_PRE_KP",
     .Mem = mlInt, .Addr = 26, .Type = stBitArray, .Bit = 4, .Max = 2, .Items = kGainK, .Default = 2, .Columns = 4},
    {.Name = "rgBsPreKi", .Kind = ckRadioGroup, .Caption = "BS_PRE_KI",
     .Mem = mlInt, .Addr = 26, .Type = stBitArray, .Bit = 6, .Max = 2, .Items = kGainK, .Default = 1, .Columns = 4},

    {.Kind = ckHeading, .Caption = "0x1B: AGC control"},
    {.Name = "rgMagnTarget", .Kind = ckRadioGroup, .Caption = "MAGN_TARGET",
     .Mem = mlInt, .Addr = 27, .Type = stBitArray, .Bit = 0, .Max = 3, .Items = kMagnTarget, .Default = 3, .Columns = 8},
    {.Name = "rgMaxLnaGain", .Kind = ckRadioGroup, .Caption = "MAX_LNA_GAIN",
     .Mem = mlInt, .Addr = 27, .Type = stBitArray, .Bit = 3, .Max = 3, .Items = kMaxLnaGain, .Columns = 8},
    {.Name = "rgMaxDvgaGain", .Kind = ckRadioGroup, .Caption = "MAX_DVGA_GAIN",
     .Mem = mlInt, .Addr = 27, .Type = stBitArray, .Bit = 6, .Max = 2, .Items = kMaxDvgaGain, .Columns = 4},
    {.Name = "rgCsAbsThr", .Kind = ckRadioGroup, .Caption = "CARRIER_SENSE_ABS_THR",
     .Mem = mlInt, .Addr = 28, .Type = stBitArray, .Bit = 0, .Max = 4, .Items = kAbsThreshold, .Columns = 16},
    {.Name = "rgCsRelThr", .Kind = ckRadioGroup, .Caption = "CARRIER_SENSE_REL_THR",
     .Mem = mlInt, .Addr = 28, .Type = stBitArray, .Bit = 4, .Max = 2, .Items = kRelThreshold, .Columns = 4},
    {.Name = "cbLnaPriority", .Kind = ckCheckBox, .Caption = "AGC_LNA_PRIORITY",
     .Mem = mlInt, .Addr = 28, .Type = stBit, .Bit = 6, .Default = 1},
    {.Name = "rgFilterLength", .Kind = ckRadioGroup, .Caption = "FILTER_LENGTH",
     .Mem = mlInt, .Addr = 29, .Type = stBitArray, .Bit = 0, .Max = 2, .Items = kFilterLength, .Default = 1, .Columns = 4},
    {.Name = "rgAgcFreeze", .Kind = ckRadioGroup, .Caption = "AGC_FREEZE",
     .Mem = mlInt, .Addr = 29, .Type = stBitArray, .Bit = 2, .Max = 2, .Items = kAgcFreeze, .Columns = 4},
    {.Name = "rgWaitTime", .Kind = ckRadioGroup, .Caption = "WAIT_TIME",
     .Mem = mlInt, .Addr = 29, .Type = stBitArray, .Bit = 4, .Max = 2, .Items = kWaitTime, .Default = 1, .Columns = 4},

    {.Kind = ckHeading, .Caption = "Wake on radio"},
    {.Name = "tbEvent0", .Kind = ckTrackBar, .Caption = "EVENT0",
     .Mem = mlInt, .Addr = 30, .Type = stByte, .Max = 255, .Default = 0x87},
    {.Name = "tbEvent0Low", .Kind = ckTrackBar, .Caption = "EVENT0-low",
     .Mem = mlInt, .Addr = 31, .Type = stByte, .Max = 255, .Default = 0x6B},
    {.Name = "rgWorRes", .Kind = ckRadioGroup, .Caption = "WOR_RES",
     .Mem = mlInt, .Addr = 32, .Type = stBitArray, .Bit = 0, .Max = 2, .Items = kWorRes, .Columns = 4},
    {.Name = "cbRcCal", .Kind = ckCheckBox, .Caption = "RC_CAL",
     .Mem = mlInt, .Addr = 32, .Type = stBit, .Bit = 3, .Default = 1},
    {.Name = "cbRcPd", .Kind = ckCheckBox, .Caption = "RC_PD",
     .Mem = mlInt, .Addr = 32, .Type = stBit, .Bit = 7, .Default = 1},
    {.Name = "rgEvent1", .Kind = ckRadioGroup, .Caption = "EVENT1",
     .Mem = mlInt, .Addr = 32, .Type = stBitArray, .Bit = 4, .Max = 3, .Items = kEvent1, .Default = 7, .Columns = 8},
};
static_assert(CheckTable(kRows).Row == -1);

constexpr TValueLabelRow kLabels[] = {
    {.Name = "tbDisplayOff", .Scale = 50.0 / 1000, .Format = "%d сек"},
    {.Name = "tbPacketLen", .Formula = TwoDigits},
    {.Name = "tbSyncHigh", .Formula = Hex},
    {.Name = "tbSyncLow", .Formula = Hex},
    {.Name = "tbDeviceAddr", .Formula = Hex},
    {.Name = "tbChannel", .Formula = TwoDigits},
    {.Name = "tbDrateM", .Formula = TwoDigits},
    {.Name = "tbChanSpcM", .Formula = TwoDigits},
    {.Name = "tbEvent0", .Formula = Hex},
    {.Name = "tbEvent0Low", .Formula = Hex},
};
static_assert(CheckValueLabels(kLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& TSPropertiesTable() {
  static constexpr TPageTable kTable = {.Name = "TSProperties",
                                        .LanAddr = kRadioTransceiverAddr,
                                        .Rows = kRows,
                                        .Title = "Свойства",
                                        .Labels = kLabels};
  return kTable;
}
