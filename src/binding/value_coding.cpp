#include "binding/value_coding.h"

#include <stdexcept>

#include "binding/component_data.h"
#include "memory/base_device_memory_item.h"
#include "text/code_page_1251.h"

QString DecodeString(const QByteArray& bytes) {
  const qsizetype end = bytes.indexOf('\0');
  return FromCp1251(end < 0 ? bytes : bytes.left(end));
}

QByteArray EncodeString(const QString& text, int maxVal) {
  QByteArray bytes = ToCp1251(text.left(maxVal));
  bytes.resize(maxVal, '\0');
  return bytes;
}

bool IsIntegerType(TDataType dataType) {
  return dataType != stString && dataType != stDate && dataType != stArray;
}

int LoadValue(TBaseDeviceMemoryItem& mem, const TComponentData& data) {
  const int addr = data.Addr();
  const uint8_t b = mem.GetByte(addr);
  switch (data.DataType()) {
    case stBit:
      return GetBit(b, data.StartBit());
    case stBits:
      return GetBitsState(b, data.StartBit());
    case stByteLo:
      return GetLowHalf(b);
    case stByteHi:
      return GetHighHalf(b);
    case stByte:
    case stFloat:
      return b;
    case st2Bytes:
      return Decode2Bytes(b, mem.GetByte(addr + 1));
    case stHL:
      return DecodeHL(b, mem.GetByte(addr + 1));
    case stBitArray:
      return GetBitField(b, data.StartBit(), data.MaxVal());
    default:
      throw std::invalid_argument("no integer coding");
  }
}

void StoreValue(TBaseDeviceMemoryItem& mem, const TComponentData& data, int v) {
  const int addr = data.Addr();
  const auto modify = [&](auto change) { mem.SetByte(addr, change(mem.GetByte(addr))); };
  switch (data.DataType()) {
    case stBit:
      modify([&](uint8_t b) { return PutBit(b, data.StartBit(), v == 1); });
      return;
    case stBits:
      modify([&](uint8_t b) { return PutBitsState(b, data.StartBit(), v); });
      return;
    case stByteLo:
      modify([&](uint8_t b) { return PutLowHalf(b, v); });
      return;
    case stByteHi:
      modify([&](uint8_t b) { return PutHighHalf(b, v); });
      return;
    case stBitArray:
      modify([&](uint8_t b) { return PutBitField(b, data.StartBit(), data.MaxVal(), v); });
      return;
    case st2Bytes:
      mem.SetByte(addr, static_cast<uint8_t>(v & 0xFF));
      mem.SetByte(addr + 1, static_cast<uint8_t>((v >> 8) & 0xFF));
      return;
    case stHL:
      mem.SetByte(addr, static_cast<uint8_t>((v >> 8) & 0xFF));
      mem.SetByte(addr + 1, static_cast<uint8_t>(v & 0xFF));
      return;
    case stByte:
    case stFloat:
      mem.SetByte(addr, static_cast<uint8_t>(v & 0xFF));
      return;
    default:
      throw std::invalid_argument("no integer coding");
  }
}

QString LoadString(TBaseDeviceMemoryItem& mem, const TComponentData& data) {
  QByteArray bytes;
  // The whole cell is read so that every byte a later store writes counts as read.
  bool ended = false;
  for (int i = 0; i < data.MaxVal(); ++i) {
    const uint8_t b = mem.GetByte(data.Addr() + i);
    ended = ended || b == 0;
    if (!ended) bytes.append(static_cast<char>(b));
  }
  return FromCp1251(bytes);
}

void StoreString(TBaseDeviceMemoryItem& mem, const TComponentData& data, const QString& text) {
  const QByteArray bytes = EncodeString(text, data.MaxVal());
  for (int i = 0; i < data.MaxVal(); ++i) {
    mem.SetByte(data.Addr() + i, static_cast<uint8_t>(bytes[i]));
  }
}
