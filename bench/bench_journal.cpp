// How fast the journal takes in bus messages, and what share of one core it would need if
// the bus delivered messages back to back at the adapter's full rate.
#include <time.h>

#include <QCoreApplication>
#include <QTextStream>
#include <chrono>
#include <vector>

#include "journal/logger.h"
#include "journal/message_decoder.h"
#include "journal/ui/log_model.h"

namespace {

// A share of a core is processor time: this thread's, so that other programs running on the
// machine do not count against the journal.
struct TClock {
  using time_point = std::chrono::duration<double>;
  static time_point now() {
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    return time_point(static_cast<double>(cpu.tv_sec) + static_cast<double>(cpu.tv_nsec) * 1e-9);
  }
};

constexpr int kRounds = 200000;
constexpr double kBaud = 115200;
// 8N2: a start bit, eight data bits and two stop bits.
constexpr double kBitsPerByte = 11;
// The shortest bus frame: a broadcast header of two bytes and no data. On the adapter link it
// travels as those two bytes, the length, the frame type, the checksum and the terminator.
constexpr double kShortestBusFrame = 2;
constexpr double kShortestAdapterFrame = kShortestBusFrame + 4;

TLanMsg Make(uint8_t source, uint8_t dest, uint8_t command, std::initializer_list<uint8_t> data) {
  TLanMsg msg;
  msg.Source = source;
  msg.Dest = dest;
  msg.Command = command;
  for (const uint8_t byte : data) msg.Data[msg.Length++] = byte;
  return msg;
}

// A mix of what a running system sends, and the shortest messages the journal keeps.
std::vector<TLanMsg> MixedTraffic() {
  return {
      Make(2, 0, 7, {0xC2, 0x05}), Make(2, 0, 3, {0x81}),
      Make(2, 0, 3, {0xC3}),       Make(2, 0, 118, {97}),
      Make(24, 0, 19, {0xA9}),     Make(2, 0, 15, {0xC9, 0x4E}),
      Make(3, 1, 39, {48, 80}),    Make(2, 0, 23, {0x12, 3, 2}),
      Make(2, 0, 26, {80, 84}),    Make(23, 0, 3, {0x05}),
      Make(2, 20, 0, {0x45}),      Make(24, 0, 35, {10, 1, 2, 3, 4, 5, 6, 7, 8}),
      Make(2, 0, 120, {23}),       Make(25, 2, 113, {0, 0, 0, 0, 0, 0x21}),
      Make(2, 0, 96, {}),          Make(11, 1, 39, {0xCD, 97}),
  };
}

std::vector<TLanMsg> ShortestFrames() {
  return {Make(2, 0, 96, {}), Make(2, 0, 98, {}), Make(25, 0, 108, {}), Make(2, 0, 106, {})};
}

double DecodesPerSecond(const std::vector<TLanMsg>& traffic) {
  TMessageDecoder decoder;
  std::vector<TLogData> entries(traffic.size());
  for (size_t i = 0; i < traffic.size(); ++i) entries[i].Assign(traffic[i]);
  qsizetype checksum = 0;
  const auto start = TClock::now();
  for (int i = 0; i < kRounds; ++i)
    checksum += decoder.DecodeEntry(entries[i % entries.size()]).size();
  const std::chrono::duration<double> elapsed = TClock::now() - start;
  return checksum > 0 ? kRounds / elapsed.count() : 0;
}

// Through the whole store and the journal window's model: drop rules, time stamps, numbering,
// decoding, the view test against the built-in filters and a few user filters, the restart at
// 10240 entries, and the model's rows with the repeats folded together.
double StoredPerSecond(const std::vector<TLanMsg>& traffic) {
  TLogger logger;
  TLogModel model(logger, TLogColors{});
  for (const uint8_t address : {20, 21, 22, 23})
    logger.ToggleFilter(TFilterData::ForSource(address), true);
  const auto start = TClock::now();
  for (int i = 0; i < kRounds; ++i) logger.Add(traffic[i % traffic.size()]);
  const std::chrono::duration<double> elapsed = TClock::now() - start;
  return logger.EntryCount() > 0 && model.rowCount() > 0 ? kRounds / elapsed.count() : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  const double bytesPerSecond = kBaud / kBitsPerByte;
  const double adapterRate = bytesPerSecond / kShortestAdapterFrame;
  const double busRate = bytesPerSecond / kShortestBusFrame;

  const struct {
    const char* name;
    std::vector<TLanMsg> traffic;
  } runs[] = {{"mixed traffic", MixedTraffic()}, {"shortest frames", ShortestFrames()}};
  out << QStringLiteral(
             "full rate at %1 baud 8N2: %2 messages/s over the adapter link "
             "(%3-byte frames), %4 messages/s on the bare bus (%5-byte frames)\n")
             .arg(kBaud, 0, 'f', 0)
             .arg(adapterRate, 0, 'f', 0)
             .arg(kShortestAdapterFrame)
             .arg(busRate, 0, 'f', 0)
             .arg(kShortestBusFrame);
  for (const auto& run : runs) {
    const double decoded = DecodesPerSecond(run.traffic);
    const double stored = StoredPerSecond(run.traffic);
    out << QStringLiteral(
               "%1: decoded %2 entries/s, decoded, stored and shown %3 entries/s; "
               "CPU share at full rate %4 % (adapter link), %5 % (bare bus)\n")
               .arg(QString::fromLatin1(run.name))
               .arg(decoded, 0, 'f', 0)
               .arg(stored, 0, 'f', 0)
               .arg(100 * adapterRate / stored, 0, 'f', 2)
               .arg(100 * busRate / stored, 0, 'f', 2);
  }
  return 0;
}
