// Reads whole settings areas through the link and the virtual vehicle with the link model on,
// and sets the time taken against the least time the line allows: the wire time of every
// request, acknowledgement and answer frame plus the modules' reply delay.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdio>
#include <memory>

#include "link/adapter.h"
#include "sim/sim_port.h"

namespace {

constexpr uint8_t kPc = 1;
constexpr int kPacket = 8;

struct TArea {
  const char* Title;
  uint8_t Module;
  uint8_t Command;
  int Size;
};

struct TFigures {
  int Requests = 0;
  int Bytes = 0;
  int Failures = 0;
  double WallMs = 0;
  double ModelledMs = 0;
};

double WireMs(uint8_t frameType, std::span<const uint8_t> payload) {
  const auto wire = EncodeAdapterFrame(frameType, payload);
  return std::chrono::duration<double, std::milli>(TVirtualAdapter::WireTime(wire ? wire->Size : 0))
      .count();
}

// The least time one request can take: request, acknowledgement and answer cross the line one
// after the other, and the module waits its reply delay in between.
double ModelledMs(const TLanMsg& request, const TLanMsg& answer) {
  TBusFrame requestFrame;
  TBusFrame answerFrame;
  BuildFrame(request, requestFrame);
  BuildFrame(answer, answerFrame);
  const uint8_t ack[] = {0, 0};
  return WireMs(kFrameToBus, requestFrame.View()) +
         WireMs(TVirtualAdapter::kAcknowledgementType, ack) +
         WireMs(kFrameFromBus, answerFrame.View()) +
         std::chrono::duration<double, std::milli>(TVirtualAdapter::kModuleReplyDelay).count();
}

TFigures ReadArea(TAdapter& adapter, const TArea& area) {
  TFigures figures;
  QElapsedTimer timer;
  timer.start();
  for (int address = 0; address < area.Size; address += kPacket) {
    const uint8_t data[] = {kPacket, static_cast<uint8_t>(address),
                            static_cast<uint8_t>(address >> 8)};
    const auto answer = adapter.GetAnswer(kPc, area.Module, data, area.Command);
    ++figures.Requests;
    if (!answer.Answered) {
      ++figures.Failures;
      continue;
    }
    figures.Bytes += answer.Length;

    TLanMsg request;
    request.Source = kPc;
    request.Dest = area.Module;
    request.Command = area.Command;
    request.AnswerRequested = 1;
    request.Length = sizeof data;
    std::copy_n(data, sizeof data, request.Data.begin());
    TLanMsg reply;
    reply.Source = area.Module;
    reply.Dest = kPc;
    reply.Command = area.Command;
    reply.IsAnswer = 1;
    reply.Length = answer.Length;
    reply.Data = answer.Data;
    figures.ModelledMs += ModelledMs(request, reply);
  }
  figures.WallMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  TSimOptions options;
  options.LinkModel = true;
  // Broadcasts would share the line with the answers; the figure is about the requests.
  options.Live = false;
  auto vehicle = std::make_shared<TVirtualAdapter>(options);
  TAdapter adapter([&](const QString&) { return std::make_unique<TSimPort>(vehicle); });
  adapter.SetDescription(QStringLiteral("sim"));
  if (!adapter.IsConnected()) {
    std::fprintf(stderr, "bench_sim_read: the virtual adapter did not open\n");
    return 1;
  }

  const TArea areas[] = {
      {"main module settings (address 2, mlExt, command 88)", 2, 88, 1024},
      {"GSM settings (address 3, mlInt, command 87)", 3, 87, 2048},
  };
  bool ok = true;
  for (const auto& area : areas) {
    const auto f = ReadArea(adapter, area);
    std::printf("%s\n", area.Title);
    std::printf("  requests %d, bytes %d, failures %d\n", f.Requests, f.Bytes, f.Failures);
    std::printf("  wall %.1f ms, modelled %.1f ms, ratio wall/modelled %.3f\n", f.WallMs,
                f.ModelledMs, f.ModelledMs > 0 ? f.WallMs / f.ModelledMs : 0.0);
    std::printf("  per request: wall %.3f ms, modelled %.3f ms\n", f.WallMs / f.Requests,
                f.ModelledMs / f.Requests);
    ok = ok && f.Failures == 0 && f.Bytes == area.Size;
  }
  return ok ? 0 : 1;
}
