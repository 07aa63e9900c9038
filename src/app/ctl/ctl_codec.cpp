#include "app/ctl/ctl_codec.h"

#include <vector>

#include "app/ctl/ctl_journal.h"
#include "journal/message_decoder.h"
#include "link/adapter_errors.h"
#include "link/adapter_frame.h"
#include "link/lan_msg.h"

namespace {

QString Hex(std::span<const uint8_t> bytes) {
  QStringList parts;
  for (const uint8_t b : bytes) parts << QStringLiteral("%1").arg(b, 2, 16, QChar(u'0')).toUpper();
  return parts.join(u' ');
}

QString FaultText(TFrameFault fault) {
  const int error = AdapterErrorFor(fault);
  if (error >= 0) return AdapterErrorText(error);
  switch (fault) {
    case TFrameFault::TooShort:
      return QStringLiteral("fewer than three bytes before the terminator");
    case TFrameFault::CountMismatch:
      return QStringLiteral("the length byte does not match the payload");
    default:
      return {};
  }
}

// Hex pairs with optional white space between them.
std::optional<std::vector<uint8_t>> ParseHex(const QString& text) {
  QString digits;
  for (const QChar c : text) {
    if (!c.isSpace()) digits += c;
  }
  if (digits.size() % 2 != 0) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (qsizetype i = 0; i < digits.size(); i += 2) {
    bool ok = false;
    const uint value = digits.mid(i, 2).toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(value));
  }
  return bytes;
}

}  // namespace

int RunEncode(TCtlContext& context, const QStringList& args) {
  TLanMsg msg;
  QStringList positional;
  for (const QString& arg : args) {
    if (arg == u"--answer") {
      msg.IsAnswer = 1;
    } else if (arg == u"--request") {
      msg.AnswerRequested = 1;
    } else if (arg.startsWith(u"--")) {
      context.Err() << "vardexctl encode: unknown option " << arg << "\n";
      return kExitUsage;
    } else {
      positional << arg;
    }
  }
  if (positional.size() < 3) {
    context.Err() << "vardexctl encode: expected SRC DST CMD [BYTE ...]\n";
    return kExitUsage;
  }
  std::vector<unsigned> values;
  for (const QString& text : positional) {
    const auto value = ParseCtlNumber(text);
    if (!value) {
      context.Err() << "vardexctl encode: '" << text << "' is not a number\n";
      return kExitUsage;
    }
    values.push_back(*value);
  }
  if (values[0] > kMaxBusAddr || values[1] > kMaxBusAddr) {
    context.Err() << "vardexctl encode: a bus address is 0..31\n";
    return kExitUsage;
  }
  if (values[2] > kMaxCommand) {
    context.Err() << "vardexctl encode: a command is 0..127\n";
    return kExitUsage;
  }
  const size_t dataCount = values.size() - 3;
  const size_t maxData = values[1] == kBroadcastAddr ? kMaxBroadcastBuildData : kMaxMsgData;
  if (dataCount > maxData) {
    context.Err() << "vardexctl encode: at most " << maxData
                  << " data bytes for this destination\n";
    return kExitUsage;
  }
  msg.Source = static_cast<uint8_t>(values[0]);
  msg.Dest = static_cast<uint8_t>(values[1]);
  msg.Command = static_cast<uint8_t>(values[2]);
  for (size_t i = 0; i < dataCount; ++i) {
    if (values[3 + i] > 0xFF) {
      context.Err() << "vardexctl encode: a data byte is 0..255\n";
      return kExitUsage;
    }
    msg.Data[i] = static_cast<uint8_t>(values[3 + i]);
  }
  msg.Length = static_cast<uint8_t>(dataCount);

  TBusFrame frame;
  if (!BuildFrame(msg, frame)) {
    context.Err() << "vardexctl encode: " << AdapterErrorText(kErrBadFormat) << "\n";
    return kExitUsage;
  }
  const auto wire = EncodeAdapterFrame(kFrameToBus, frame.View());
  context.Out() << Hex(wire->View()) << "\n";
  return kExitOk;
}

int RunDecode(TCtlContext& context, const QStringList& args) {
  if (!args.isEmpty() && args[0].startsWith(u"--file")) return RunDecodeCapture(context, args);
  const QString text = args.isEmpty() ? context.ReadStdin() : args.join(u' ');
  const auto bytes = ParseHex(text);
  if (!bytes) {
    context.Err() << "vardexctl decode: the input is not a sequence of hexadecimal byte pairs\n";
    return kExitUsage;
  }
  int status = kExitOk;
  TFrameDecoder decoder;
  // One decoder for the whole input: the journal text of a message can depend on earlier ones.
  TMessageDecoder journal;
  TAdapterFrame frame;
  bool pending = false;
  for (const uint8_t byte : *bytes) {
    pending = true;
    if (!decoder.Feed(byte, frame)) continue;
    pending = false;
    if (frame.Fault != TFrameFault::None) {
      context.Out() << "invalid: " << FaultText(frame.Fault) << "\n";
      status = kExitFailed;
      continue;
    }
    if (frame.Type != kFrameToBus && frame.Type != kFrameFromBus) {
      context.Out() << QStringLiteral("T=%1").arg(frame.Type, 2, 16, QChar(u'0')).toUpper() << "\n";
      continue;
    }
    TLogData entry;
    TLanMsg& msg = entry;
    if (!ParseFrame(frame.View(), msg)) {
      context.Out() << "invalid: " << AdapterErrorText(kErrBadFormat) << "\n";
      status = kExitFailed;
      continue;
    }
    context.Out() << QStringLiteral("T=%1 S=%2 D=%3 C=%4 A=%5 R=%6 L=%7 DATA=%8")
                         .arg(frame.Type, 2, 16, QChar(u'0'))
                         .toUpper()
                         .arg(msg.Source)
                         .arg(msg.Dest)
                         .arg(msg.Command)
                         .arg(msg.IsAnswer)
                         .arg(msg.AnswerRequested)
                         .arg(msg.Length)
                         .arg(Hex(msg.Payload()))
                  << " | " << journal.DecodeEntry(entry) << "\n";
  }
  if (pending) {
    context.Out() << "invalid: no terminator after the last frame\n";
    status = kExitFailed;
  }
  return status;
}
