#include "link/lan_msg.h"

#include <algorithm>

const std::array<const char*, kModuleNameCount> ModuleNames = {
    "",
    "PC",
    "Главный модуль",
    "GSM",
    "Slave-модуль",
    "Трансивер",
    "GSM-Пейджер",
    "Расширитель-1",
    "Расширитель-2",
    "Расширитель-3",
    "Расширитель-4",
    "Модуль GPS",
    "Модуль GPS",
    "Модуль запуска",
    "Validator/Расширитель выходов",
    "Расширитель входов",
    "А16",
    "А17",
    "А18",
    "А19",
    "Датчик удара",
    "МКВ датчик-1",
    "МКВ датчик-2",
    "Датчик наклона",
    "CAN-модуль",
    "Трансивер метки",
    "Датчик наклона 2",
    "А27",
    "А28",
    "А29",
    "А30",
    "А31",
    "RL1",
    "RL2",
    "RL3",
    "RL4",
    "RL5",
    "RL6",
    "RO1",
    "RO2",
};

QString ModuleName(int index) {
  if (index < 0 || index >= kModuleNameCount) return {};
  return QString::fromUtf8(ModuleNames[static_cast<size_t>(index)]);
}

void TLanMsg::Assign(const TLanMsg& from) {
  Source = from.Source;
  Dest = from.Dest;
  Command = from.Command;
  Length = std::min<uint8_t>(from.Length, kMaxMsgData);
  // Ring slots are reused: copying all bytes keeps stale data of an earlier, longer message
  // out of this one.
  Data = from.Data;
  IsAnswer = from.IsAnswer;
  AnswerRequested = from.AnswerRequested;
}

bool BuildFrame(const TLanMsg& msg, TBusFrame& frame) {
  frame = {};
  if (msg.Source > kMaxBusAddr || msg.Dest > kMaxBusAddr || msg.Command > kMaxCommand) {
    return false;
  }
  const bool broadcast = msg.Dest == kBroadcastAddr;
  if (msg.Length > (broadcast ? kMaxBroadcastBuildData : kMaxMsgData)) return false;

  const uint8_t answerBit = msg.IsAnswer ? 0x04 : 0x00;
  const uint8_t commandByte =
      static_cast<uint8_t>((msg.AnswerRequested ? 0x80 : 0x00) | msg.Command);
  size_t pos = 0;
  if (broadcast) {
    frame.Bytes[pos++] = static_cast<uint8_t>((msg.Source << 3) | answerBit | 0x02);
    frame.Bytes[pos++] = commandByte;
  } else {
    frame.Bytes[pos++] =
        static_cast<uint8_t>((msg.Source << 3) | answerBit | ((msg.Length >> 3) & 0x01));
    frame.Bytes[pos++] = static_cast<uint8_t>((msg.Dest << 3) | (msg.Length & 0x07));
    frame.Bytes[pos++] = commandByte;
  }
  std::copy_n(msg.Data.begin(), msg.Length, frame.Bytes.begin() + static_cast<long>(pos));
  frame.Size = static_cast<uint8_t>(pos + msg.Length);
  return true;
}

bool ParseFrame(std::span<const uint8_t> frame, TLanMsg& msg) {
  msg.Data.fill(0);
  msg.Length = 0;
  if (frame.size() < 2) return false;
  msg.Source = frame[0] >> 3;
  msg.IsAnswer = (frame[0] >> 2) & 0x01;
  const bool broadcast = (frame[0] & 0x02) != 0;
  size_t header = 0;
  size_t length = 0;
  if (broadcast) {
    msg.Dest = kBroadcastAddr;
    header = 2;
    if (frame.size() > header + kMaxMsgData) return false;
    length = frame.size() - header;
  } else {
    header = 3;
    if (frame.size() < header) return false;
    msg.Dest = frame[1] >> 3;
    length = static_cast<size_t>(((frame[0] & 0x01) << 3) | (frame[1] & 0x07));
    if (length > kMaxMsgData) return false;
  }
  const uint8_t commandByte = frame[header - 1];
  msg.Command = commandByte & 0x7F;
  msg.AnswerRequested = commandByte >> 7;
  if (frame.size() < header + length) return false;
  std::copy_n(frame.begin() + static_cast<long>(header), length, msg.Data.begin());
  msg.Length = static_cast<uint8_t>(length);
  return true;
}

bool MatchesPending(const TLanMsg& request, const TLanMsg& msg) {
  if (msg.Source != request.Dest || msg.Dest != request.Source || msg.Command != request.Command) {
    return false;
  }
  if (!request.AnswerRequested) return true;
  if (!msg.IsAnswer) return false;
  if (request.Command >= 80 && request.Command <= 83) {
    // A write answer that names another address confirms another packet: one of an earlier
    // write, held up past every answer window, must not confirm a packet the module never got.
    const bool otherAddress =
        msg.Length >= 3 && (msg.Data[1] != request.Data[0] || msg.Data[2] != request.Data[1]);
    return request.Length >= 2 && request.Length - 2 == msg.Data[0] && !otherAddress;
  }
  if (request.Command >= 87 && request.Command <= 90) {
    return msg.Length == request.Data[0];
  }
  return true;
}

TLanMsg MakeMsg(uint8_t source, uint8_t dest, bool isAnswer, bool answerRequested,
                std::span<const uint8_t> data, uint8_t command) {
  TLanMsg msg;
  msg.Source = source;
  msg.Dest = dest;
  msg.Command = command;
  msg.IsAnswer = isAnswer ? 1 : 0;
  msg.AnswerRequested = answerRequested ? 1 : 0;
  msg.Length = static_cast<uint8_t>(std::min<size_t>(data.size(), kMaxMsgData));
  std::copy_n(data.begin(), msg.Length, msg.Data.begin());
  return msg;
}
