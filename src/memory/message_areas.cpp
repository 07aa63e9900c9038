#include "memory/message_areas.h"

#include "memory/lan_device.h"
#include "memory/lan_devices.h"

// Each class maps its module's messages onto its image, as that module's firmware sends
// them. d0, d1, ... below are the message's data bytes.
namespace {

constexpr uint8_t kStatus = 48;
constexpr uint8_t kState = 3;

bool IsBroadcast(const TLanMsg& msg) {
  return msg.Dest == kBroadcastAddr;
}

class TMainMMI final : public TMsgMemoryItem {
 protected:
  bool Handle(const TLanMsg& msg) override {
    const auto& d = msg.Data;
    if (IsBroadcast(msg)) {
      switch (msg.Command) {
        case kState: {
          // Output or algorithm number in bits 5..0 (bit 6 adds 64), its state in bit 7.
          const int index = (d[0] & 0x3F) + ((d[0] & 0x40) ? 64 : 0);
          SetByte(index, d[0] >> 7);
          return true;
        }
        case 7:
          SetByte(129, d[0]);
          return true;
        case 53:
          if (d[0] == 1) SetByte(148, d[1]);
          if (d[0] == 2) SetByte(149, d[1]);
          return false;
        case 55:
          SetByte(144, d[0]);
          return true;
        case 56:
          SetByte(145, d[0]);
          return true;
        default:
          return false;
      }
    }
    switch (msg.Command) {
      case 0:
        // Operating mode sent to a sensor.
        if (msg.Dest < 20 || msg.Dest > 22) return false;
        SetByte(135 + msg.Dest - 20, d[0]);
        return true;
      case kStatus:
        if (msg.Length == 12) {
          Put(154, msg, 0, 12);
        } else if (msg.Length == 4) {
          Put(166, msg, 0, 4);
        } else {
          Put(130, msg, 0, 5);
          SetByte(147, d[5]);
        }
        return true;
      case 53:
        if (msg.Length == 3) {
          StoreSensorStates(d[0], d[1], d[2]);
        } else {
          Put(140, msg, 0, 4);
          SetByte(146, d[4]);
          SetByte(148, d[5]);
          SetByte(149, d[6]);
          Put(150, msg, 7, 4);
        }
        return true;
      case 35:
        if (d[0] == 9) Put(172, msg, 1, 6);
        if (d[0] == 11) Put(182, msg, 1, 8);
        if (d[0] == 13) Put(178, msg, 1, 4);
        return true;
      default:
        return false;
    }
  }

  TRequests Requests() const override {
    static constexpr uint8_t kCommands[] = {kStatus};
    return {kMainModuleAddr, kCommands};
  }

 private:
  // Two bits a sensor; only the state 01 counts as set.
  void StoreSensorStates(uint8_t first, uint8_t second, uint8_t third) {
    const auto isSet = [](uint8_t byte, int j) { return ((byte >> (2 * j)) & 3) == 1; };
    uint8_t states = 0;
    uint8_t more = 0;
    for (int j = 0; j < 4; ++j) {
      if (isSet(first, j)) states |= static_cast<uint8_t>(1 << j);
      if (isSet(second, j)) states |= static_cast<uint8_t>(1 << (j + 4));
      if (isSet(third, j)) more |= static_cast<uint8_t>(1 << j);
    }
    SetByte(170, states);
    SetByte(171, more);
  }
};

class TCanMMI final : public TMsgMemoryItem {
 protected:
  bool Handle(const TLanMsg& msg) override {
    if (!IsBroadcast(msg) || (msg.Command != 32 && msg.Command != 33)) return false;
    // 32: the CAN command was accepted, 33: it was sent.
    SetByte(msg.Data[0] & 0x7F, msg.Command == 33 ? 1 : 0);
    return true;
  }
  TRequests Requests() const override { return {}; }
};

class TGSMMMI final : public TMsgMemoryItem {
 protected:
  bool Handle(const TLanMsg& msg) override {
    const auto& d = msg.Data;
    if (msg.Command == kState) {
      SetByte(57, d[0]);
      SetByte(58, d[1]);
      if (Device()) {
        // The GSM pages follow the module's power mode, which bit 6 flips.
        TLanDevices& registry = Device()->Owner();
        if (((d[0] ^ registry.GsmState()) & 0x40) != 0) registry.SetGsmState(d[0]);
      }
      return true;
    }
    if (IsBroadcast(msg)) return false;
    switch (msg.Command) {
      case 38:
        PutAll(59, msg);
        return true;
      case 40:
        if (msg.Length != 7) return false;
        Put(19, msg, 0, 7);
        return true;
      case 43:
        for (int i = 70; i <= 83; ++i) SetByte(i, 255);
        PutAll(70, msg);
        return true;
      case 44:
        Put(49, msg, 0, 7);
        return true;
      case kStatus:
        if (msg.Length == 6) {
          Put(2, msg, 0, 6);
        } else {
          Put(2, msg, 0, 2);
          for (int i = 4; i <= 7; ++i) SetByte(i, 0);
        }
        return true;
      case 64:
      case 65:
      case 66:
      case 67:
        Put(33 + 4 * (msg.Command - 64), msg, 0, 4);
        return true;
      case 70:
        PutAll(85, msg);
        return true;
      default:
        return false;
    }
  }

  TRequests Requests() const override {
    static constexpr uint8_t kCommands[] = {kStatus, 64, 65, 66, 67};
    return {3, kCommands};
  }
};

class TSlaveMMI : public TMsgMemoryItem {
 protected:
  bool Handle(const TLanMsg& msg) override {
    const auto& d = msg.Data;
    if (IsBroadcast(msg)) {
      if (msg.Command == kState)
        SetByte(2, d[0]);
      else if (msg.Command == 4)
        SetByte(3, d[0]);
      else
        return false;
      return true;
    }
    if (msg.Command == kState) {
      SetByte(2, d[0]);
    } else if (msg.Command == kStatus) {
      Put(0, msg, 0, 2);
    } else {
      return false;
    }
    return true;
  }

  TRequests Requests() const override {
    static constexpr uint8_t kCommands[] = {kStatus, kState};
    return {4, kCommands};
  }
};

// The transceiver reports like the slave module but is never asked.
class TTSMMI final : public TSlaveMMI {
 protected:
  TRequests Requests() const override { return {}; }
};

class TValidatorMMI : public TMsgMemoryItem {
 protected:
  bool Handle(const TLanMsg& msg) override {
    if (IsBroadcast(msg)) {
      switch (msg.Command) {
        case kState:
          Put(2, msg, 0, 3);
          return true;
        case 4:
          Put(5, msg, 0, 1);
          return true;
        case 114:
          Put(6, msg, 0, 1);
          return true;
        default:
          return false;
      }
    }
    if (msg.Command == kState) {
      Put(2, msg, 0, 4);
    } else if (msg.Command == kStatus) {
      Put(0, msg, 0, 2);
    } else {
      return false;
    }
    return true;
  }

  TRequests Requests() const override {
    static constexpr uint8_t kCommands[] = {kStatus, kState};
    return {14, kCommands};
  }
};

class TRelayIOMMI final : public TValidatorMMI {
 protected:
  bool Handle(const TLanMsg& msg) override {
    if (msg.Dest == kPcAddr && msg.Command == 53) {
      Put(7, msg, 0, 3);
      return true;
    }
    if (IsBroadcast(msg) && msg.Command == 55) {
      Put(10, msg, 0, 1);
      return true;
    }
    if (IsBroadcast(msg) && msg.Command == 56) {
      Put(11, msg, 0, 3);
      return true;
    }
    return TValidatorMMI::Handle(msg);
  }

  TRequests Requests() const override {
    static constexpr uint8_t kCommands[] = {kStatus};
    return {13, kCommands};
  }
};

class TRemoteInputsMMI final : public TMsgMemoryItem {
 protected:
  bool Handle(const TLanMsg& msg) override {
    if (msg.Dest == kPcAddr && msg.Command == 53) {
      Put(5, msg, 0, 1);
      return true;
    }
    if (!IsBroadcast(msg)) {
      if (msg.Command != kStatus) return false;
      Put(0, msg, 0, 2);
      return true;
    }
    switch (msg.Command) {
      // The inputs changed: their controls read them again.
      case kState:
        return true;
      case 55:
        Put(2, msg, 0, 1);
        return true;
      case 56:
        Put(3, msg, 0, 1);
        return true;
      default:
        return false;
    }
  }

  TRequests Requests() const override {
    static constexpr uint8_t kCommands[] = {kStatus};
    return {15, kCommands};
  }
};

class TLabelMMI final : public TMsgMemoryItem {
 protected:
  bool Handle(const TLanMsg& msg) override {
    if (IsBroadcast(msg) || msg.Command != kStatus) return false;
    Put(0, msg, 0, 3);
    return true;
  }

  TRequests Requests() const override {
    static constexpr uint8_t kCommands[] = {kStatus};
    return {25, kCommands};
  }
};

class TShockMMI final : public TMsgMemoryItem {
 protected:
  bool Handle(const TLanMsg& msg) override {
    const auto& d = msg.Data;
    if (IsBroadcast(msg)) {
      if (msg.Command != kState) return false;
      SetByte(2, d[0]);
      return true;
    }
    switch (msg.Command) {
      case 0:
        SetByte(3, d[0]);
        return true;
      case kState:
        SetByte(2, d[0]);
        return true;
      case kStatus:
        SetByte(0, d[0]);
        if (msg.Length == 2) SetByte(1, d[1]);
        return true;
      default:
        return false;
    }
  }

  // Every sensor kind shares the class; each is asked at its own address.
  TRequests Requests() const override {
    static constexpr uint8_t kCommands[] = {kStatus};
    return {Device() ? Device()->LanAddr() : 0, kCommands};
  }
};

class TGPSMMI final : public TMsgMemoryItem {
 protected:
  bool Handle(const TLanMsg& msg) override {
    if (IsBroadcast(msg)) return false;
    if (msg.Command == 40) {
      Put(0, msg, 0, 1);
    } else if (msg.Command == kStatus) {
      Put(2, msg, 0, 6);
    } else {
      return false;
    }
    return true;
  }

  TRequests Requests() const override {
    static constexpr uint8_t kCommands[] = {kStatus};
    return {11, kCommands};
  }
};

}  // namespace

std::unique_ptr<TMsgMemoryItem> MakeMessageArea(TAreaClass areaClass) {
  switch (areaClass) {
    case TAreaClass::MainMsg:
      return std::make_unique<TMainMMI>();
    case TAreaClass::CanMsg:
      return std::make_unique<TCanMMI>();
    case TAreaClass::GsmMsg:
      return std::make_unique<TGSMMMI>();
    case TAreaClass::SlaveMsg:
      return std::make_unique<TSlaveMMI>();
    case TAreaClass::RemoteInputsMsg:
      return std::make_unique<TRemoteInputsMMI>();
    case TAreaClass::LabelMsg:
      return std::make_unique<TLabelMMI>();
    case TAreaClass::RelayIOMsg:
      return std::make_unique<TRelayIOMMI>();
    case TAreaClass::ValidatorMsg:
      return std::make_unique<TValidatorMMI>();
    case TAreaClass::TSMsg:
      return std::make_unique<TTSMMI>();
    case TAreaClass::ShockMsg:
      return std::make_unique<TShockMMI>();
    case TAreaClass::GpsMsg:
      return std::make_unique<TGPSMMI>();
    case TAreaClass::Ee:
    case TAreaClass::Ram:
      return nullptr;
  }
  return nullptr;
}

namespace {

constexpr uint8_t kSpeedUnknown = 255;

QString SpeedText(uint8_t low, uint8_t high, const char* unit) {
  if (high == kSpeedUnknown) return QStringLiteral("<не определена>");
  return QString::number(low + 256 * high) + QString::fromUtf8(unit);
}

}  // namespace

TCanSpeeds DecodeCanSpeeds(std::span<const uint8_t, 4> bytes) {
  return {.Engine = SpeedText(bytes[0], bytes[1], " об/мин"),
          .Road = SpeedText(bytes[2], bytes[3], " км/час"),
          .RevsPresent = bytes[1] != kSpeedUnknown && (bytes[0] != 0 || bytes[1] != 0)};
}
