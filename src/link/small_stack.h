#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Fixed byte stack; the adapter frames travel reversed, so pushing a frame's bytes in wire
// order and popping them yields payload byte 0 first.
class TSmallStack {
 public:
  static constexpr size_t kCapacity = 255;

  // A push on a full stack is ignored.
  void Push(uint8_t byte) {
    if (size_ < kCapacity) bytes_[size_++] = byte;
  }
  // Callers test IsEmpty first; an empty stack yields 0.
  uint8_t Pop() { return size_ == 0 ? 0 : bytes_[--size_]; }
  void Clear() { size_ = 0; }
  bool IsEmpty() const { return size_ == 0; }
  size_t Size() const { return size_; }

 private:
  std::array<uint8_t, kCapacity> bytes_{};
  size_t size_ = 0;
};
