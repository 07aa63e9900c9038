#include "memory/lan_rw.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <optional>

#include "link/adapter.h"
#include "memory/device_memory_item.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_device.h"
#include "memory/user_questions.h"

namespace {

constexpr uint8_t kReadByteCommand = 85;
constexpr uint8_t kSlaveAddr = 4;

std::optional<TMemoryCommands> CommandsFor(const TDeviceMemoryItem* item) {
  if (!item || item->MemID() >= kMemoryLocationCount) return std::nullopt;
  return kMemoryCommands[item->MemID()];
}

uint8_t Low(int address) {
  return static_cast<uint8_t>(address & 0xFF);
}
uint8_t High(int address) {
  return static_cast<uint8_t>((address >> 8) & 0xFF);
}

}  // namespace

int TLanRW::GetPacketSize() const {
  return Device() ? Device()->PacketSize() : 1;
}

// One message per cause: the same error packet after packet (a module that stopped answering,
// an adapter that went away) is shown once, and how often it came again is told when another
// error comes, a packet gets through or the transfer ends.
void TLanRW::ShowError(const QString& text) {
  if (text == lastError_) {
    ++repeats_;
    return;
  }
  FlushRepeatedErrors();
  lastError_ = text;
  if (questions_) questions_->ShowError(text);
}

void TLanRW::FlushRepeatedErrors() {
  if (repeats_ > 0 && questions_) {
    questions_->ShowError(QStringLiteral("%1 (повторов: %2)").arg(lastError_).arg(repeats_));
  }
  repeats_ = 0;
  lastError_.clear();
}

void TLanRW::BeginOperation() {
  lineErrorsAtStart_ = adapter_ ? adapter_->LineErrors() : 0;
  answered_.clear();
  faults_.clear();
  lastFault_ = TFaultCause::None;
}

TFaultCause TLanRW::FaultOf(const TDeviceMemoryItem& area) const {
  const auto it = faults_.find(&area);
  return it == faults_.end() ? TFaultCause::None : it->second;
}

void TLanRW::NoteAnswered() {
  FlushRepeatedErrors();
  if (Device()) answered_.insert(Device()->LanAddr());
}

void TLanRW::NoteFault() {
  lastFault_ =
      ClassifyFault(adapter_->IsUnavailable(), adapter_->LineErrors() != lineErrorsAtStart_,
                    answered_.contains(Device()->LanAddr()));
  if (Item()) faults_[Item()] = lastFault_;
}

bool TLanRW::Read(int start, std::span<uint8_t> buffer) {
  if (!adapter_ || !Device()) return false;
  const uint64_t unexplained = adapter_->UnexplainedAnswers();
  const bool read =
      Device()->PacketSize() == 1 ? ReadByteByByte(start, buffer) : ReadPackets(start, buffer);
  if (!read) return false;
  // An answer came that no request still expected could have caused: later than the link
  // thought possible. One like it may have been taken for a packet of this read.
  if (adapter_->UnexplainedAnswers() != unexplained) return Fail();
  return true;
}

bool TLanRW::Fail() {
  NoteFault();
  ShowError(QStringLiteral("Ошибка чтения данных устройства, начните чтение с начала"));
  CountReadError();
  return false;
}

bool TLanRW::ReadPackets(int start, std::span<uint8_t> buffer) {
  const auto commands = CommandsFor(Item());
  if (!commands) return false;
  const int packet = std::min<int>(Device()->PacketSize(), kMaxMsgData);
  int address = start;
  const auto request = [&](int count) {
    return std::array<uint8_t, 3>{static_cast<uint8_t>(count), Low(address), High(address)};
  };
  for (size_t done = 0; done < buffer.size();) {
    if (CancelRequested()) return false;
    const int whole = std::min(packet, static_cast<int>(buffer.size() - done));
    // A read answer names only its length. While an answer to an earlier read of some length
    // may still come, this packet is asked in a length no such answer has, so that none can
    // pass for it; when every length has one, in the length the link frees first.
    int n = whole;
    auto heldUntil = std::chrono::steady_clock::time_point::max();
    for (int length = whole; length >= 1; --length) {
      const auto until =
          adapter_->HeldBackUntil(kPcAddr, Device()->LanAddr(), request(length), commands->Read);
      if (until < heldUntil) {
        heldUntil = until;
        n = length;
      }
      if (until <= std::chrono::steady_clock::now()) break;
    }
    const auto answer =
        adapter_->GetAnswer(kPcAddr, Device()->LanAddr(), request(n), commands->Read);
    if (!answer.Answered) return Fail();
    NoteAnswered();
    std::copy_n(answer.Data.begin(), n, buffer.begin() + static_cast<long>(done));
    address += n;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool TLanRW::ReadByteByByte(int start, std::span<uint8_t> buffer) {
  int address = start;
  for (uint8_t& byte : buffer) {
    if (CancelRequested()) return false;
    const uint8_t request[] = {Low(address)};
    const auto answer =
        adapter_->GetAnswer(kPcAddr, Device()->LanAddr(), request, kReadByteCommand);
    // A lost answer must not pass for a byte of 0. A single-byte answer names neither
    // address nor length: the link holds the request back while an earlier one may still be
    // answered.
    if (!answer.Answered) return Fail();
    NoteAnswered();
    byte = answer.Data[0];
    ++address;
  }
  return true;
}

TClusterList TLanRW::Write(int start, std::span<const uint8_t> bytes) {
  const int count = static_cast<int>(bytes.size());
  const TClusterList nothingWritten = {{start, count}};
  const auto commands = CommandsFor(Item());
  // Modules read byte by byte take no memory writes.
  if (!adapter_ || !Device() || Device()->PacketSize() <= 1 || !commands) {
    return count > 0 ? nothingWritten : TClusterList{};
  }
  // The slave module's flash must confirm exactly what was written.
  const bool verify = Device()->LanAddr() == kSlaveAddr && Item()->MemID() == mlFlash;
  const int packet = std::min<int>(Device()->PacketSize(), kMaxMsgData - 2);
  TClusterList unconfirmed;
  int address = start;
  for (int done = 0; done < count;) {
    if (CancelRequested()) {
      // Nothing of the rest went out: it stays to be written.
      unconfirmed.push_back({address, count - done});
      break;
    }
    const int n = std::min(packet, count - done);
    std::array<uint8_t, kMaxMsgData> request{Low(address), High(address)};
    std::copy_n(bytes.begin() + done, n, request.begin() + 2);
    const auto answer =
        adapter_->GetAnswer(kPcAddr, Device()->LanAddr(),
                            std::span(request.data(), static_cast<size_t>(n + 2)), commands->Write);
    if (!answer.Answered) {
      NoteFault();
      ShowError(QStringLiteral("Не удалось записать данные в устройство, повторите запись"));
      if (!unconfirmed.empty() && unconfirmed.back().Start + unconfirmed.back().Count == address) {
        unconfirmed.back().Count += n;
      } else {
        unconfirmed.push_back({address, n});
      }
    } else {
      NoteAnswered();
      if (verify && (answer.Length < 3 || answer.Data[0] != n || answer.Data[1] != Low(address) ||
                     answer.Data[2] != High(address))) {
        throw ELanDev(QStringLiteral("%1 : %2 - ошибка при записи данных")
                          .arg(Device()->Name(), Item()->Name()));
      }
    }
    address += n;
    done += n;
  }
  return unconfirmed;
}

void TLanRW::Finish() {
  if (!adapter_ || !Device() || Device()->EndCommand() == kNoEndCommand) return;
  const uint8_t data[] = {Device()->EndParam()};
  adapter_->SendMsg(kPcAddr, Device()->LanAddr(), false, false, data, Device()->EndCommand());
}
