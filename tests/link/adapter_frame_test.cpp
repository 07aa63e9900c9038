#include "link/adapter_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<uint8_t> Wire(uint8_t type, std::vector<uint8_t> payload) {
  const auto wire = EncodeAdapterFrame(type, payload);
  return {wire->Bytes.begin(), wire->Bytes.begin() + wire->Size};
}

std::vector<TAdapterFrame> DecodeAll(const std::vector<uint8_t>& bytes,
                                     const std::vector<size_t>& chunkSizes = {}) {
  TFrameDecoder decoder;
  std::vector<TAdapterFrame> frames;
  TAdapterFrame frame;
  size_t pos = 0;
  size_t chunk = 0;
  // The decoder keeps its state between calls: feed it in the given pieces.
  while (pos < bytes.size()) {
    const size_t size = chunkSizes.empty() ? bytes.size() : chunkSizes[chunk++ % chunkSizes.size()];
    const size_t end = std::min(bytes.size(), pos + size);
    for (; pos < end; ++pos) {
      if (decoder.Feed(bytes[pos], frame)) frames.push_back(frame);
    }
  }
  return frames;
}

TEST(AdapterFrame, EncodesTheWorkedExample) {
  EXPECT_EQ(Wire(0x16, {0x08, 0x10, 0x81}),
            (std::vector<uint8_t>{0x81, 0x10, 0x08, 0x03, 0x16, 0x4E, 0x0D}));
}

TEST(AdapterFrame, EscapesPayloadAndChecksum) {
  struct Case {
    const char* name;
    std::vector<uint8_t> payload;
    std::vector<uint8_t> wire;
  };
  const std::vector<Case> cases = {
      {"0x40 in payload", {0x08, 0x10, 0x40}, {0x40, 0x00, 0x10, 0x08, 0x03, 0x16, 0x8F, 0x0D}},
      {"0x0D in payload", {0x08, 0x10, 0x0D}, {0x40, 0xCD, 0x10, 0x08, 0x03, 0x16, 0xC2, 0x0D}},
      // 0x16 + 3 + 0x08 + 0x10 + 0x8F = 0xC0: the checksum is 0x40.
      {"checksum 0x40", {0x08, 0x10, 0x8F}, {0x8F, 0x10, 0x08, 0x03, 0x16, 0x40, 0x00, 0x0D}},
      // ... and 0x0D for a sum of 0xF3.
      {"checksum 0x0D", {0x08, 0x10, 0xC2}, {0xC2, 0x10, 0x08, 0x03, 0x16, 0x40, 0xCD, 0x0D}},
  };
  for (const auto& c : cases) {
    const auto wire = Wire(0x16, c.payload);
    EXPECT_EQ(wire, c.wire) << c.name;
    EXPECT_EQ(std::count(wire.begin(), wire.end(), 0x0D), 1) << c.name;

    const auto frames = DecodeAll(wire);
    ASSERT_EQ(frames.size(), 1u) << c.name;
    EXPECT_EQ(frames[0].Fault, TFrameFault::None) << c.name;
    EXPECT_EQ(std::vector<uint8_t>(frames[0].View().begin(), frames[0].View().end()), c.payload)
        << c.name;
  }
}

TEST(AdapterFrame, RefusesPayloadsLongerThanABusFrame) {
  EXPECT_FALSE(EncodeAdapterFrame(0x19, std::vector<uint8_t>(18, 1)).has_value());
  EXPECT_TRUE(EncodeAdapterFrame(0x19, std::vector<uint8_t>(17, 1)).has_value());
}

TEST(FrameDecoder, SameFramesWhateverTheChunks) {
  // Escapes everywhere, so that chunks split escaped pairs.
  std::vector<uint8_t> stream;
  const std::vector<std::vector<uint8_t>> payloads = {
      {0x08, 0x10, 0x81},
      {0x40, 0x0D, 0x40, 0x0D},
      {0x12, 0x07, 0x40, 0x40, 0x0D, 0x0D, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
      {0x08, 0x10, 0x8F},
  };
  for (const auto& p : payloads) {
    const auto w = Wire(0x19, p);
    stream.insert(stream.end(), w.begin(), w.end());
  }
  const auto whole = DecodeAll(stream);
  ASSERT_EQ(whole.size(), payloads.size());
  for (const std::vector<size_t>& chunks :
       std::vector<std::vector<size_t>>{{1}, {2}, {3, 1}, {7, 5, 11}}) {
    const auto split = DecodeAll(stream, chunks);
    ASSERT_EQ(split.size(), whole.size());
    for (size_t i = 0; i < whole.size(); ++i) {
      EXPECT_EQ(split[i].Type, whole[i].Type);
      EXPECT_EQ(split[i].Fault, TFrameFault::None);
      EXPECT_EQ(std::vector<uint8_t>(split[i].View().begin(), split[i].View().end()), payloads[i]);
    }
  }
}

TEST(FrameDecoder, ReportsEachFault) {
  auto badChecksum = Wire(0x19, {0x10, 0x08, 0x01});
  badChecksum[0] ^= 0x01;
  // N says 5 but three payload bytes came; the checksum is made right for what came.
  std::vector<uint8_t> countMismatch = {0x01, 0x08, 0x10, 0x05, 0x19};
  uint8_t sum = 0;
  for (auto b : countMismatch) sum = static_cast<uint8_t>(sum + b);
  countMismatch.push_back(static_cast<uint8_t>(-sum));
  countMismatch.push_back(0x0D);
  std::vector<uint8_t> tooLong(18, 0x01);
  for (const uint8_t b : {0x12, 0x19, 0x00, 0x0D}) tooLong.push_back(b);

  struct Case {
    const char* name;
    std::vector<uint8_t> wire;
    TFrameFault fault;
    int error;
  };
  const std::vector<Case> cases = {
      {"terminator alone", {0x0D}, TFrameFault::TooShort, -1},
      {"two bytes", {0x16, 0x01, 0x0D}, TFrameFault::TooShort, -1},
      {"N of 1", Wire(0x19, {0x10}), TFrameFault::BadLength, 6},
      {"N of 0 on an acknowledgement", Wire(0x17, {}), TFrameFault::BadLength, 6},
      {"bad checksum", badChecksum, TFrameFault::BadChecksum, 6},
      {"count differs from N", countMismatch, TFrameFault::CountMismatch, -1},
      {"18 payload bytes", tooLong, TFrameFault::TooLong, 8},
      {"status report is exempt from length tests", Wire(0x13, {0x05}), TFrameFault::None, -1},
      {"good frame", Wire(0x19, {0x10, 0x08, 0x01}), TFrameFault::None, -1},
  };
  for (const auto& c : cases) {
    const auto frames = DecodeAll(c.wire);
    ASSERT_EQ(frames.size(), 1u) << c.name;
    EXPECT_EQ(frames[0].Fault, c.fault) << c.name;
    EXPECT_EQ(AdapterErrorFor(frames[0].Fault), c.error) << c.name;
  }
}

TEST(FrameDecoder, RecoversAfterGarbage) {
  std::vector<uint8_t> stream(300, 0x55);  // more than the stack holds, no terminator
  stream.push_back(0x0D);
  const auto good = Wire(0x19, {0x10, 0x08, 0x01});
  stream.insert(stream.end(), good.begin(), good.end());
  const auto frames = DecodeAll(stream);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_NE(frames[0].Fault, TFrameFault::None);
  EXPECT_EQ(frames[1].Fault, TFrameFault::None);
}

}  // namespace
