// vardex-soak: writes random settings into every module kind of the virtual vehicle over a
// failing line and checks that no write is reported done when it was not and no changed mark
// is lost. Prints the figures; exits 1 when a goal figure is not 0, 2 on bad options.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>

#include "soak/fault_soak.h"

namespace {

QTextStream& Out() {
  static QTextStream out(stdout);
  return out;
}

std::optional<int> PositiveNumber(const QString& text) {
  bool ok = false;
  const int value = text.toInt(&ok, 0);
  return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
}

std::optional<std::vector<int>> ModuleList(const QString& text) {
  const std::vector<int> known = SoakModules();
  std::vector<int> modules;
  for (const QString& item : text.split(u',', Qt::SkipEmptyParts)) {
    const auto address = PositiveNumber(item.trimmed());
    if (!address || std::find(known.begin(), known.end(), *address) == known.end()) {
      return std::nullopt;
    }
    modules.push_back(*address);
  }
  return modules;
}

QString LineText(const TSimFaults& line) {
  return QStringLiteral("drop=%1,corrupt=%2,late=%3:%4")
      .arg(line.Drop)
      .arg(line.Corrupt)
      .arg(line.Late)
      .arg(line.LateBy.count());
}

void PrintHeader() {
  Out() << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
               .arg(QStringLiteral("module"), -24)
               .arg(QStringLiteral("cycles"), 6)
               .arg(QStringLiteral("writes"), 6)
               .arg(QStringLiteral("failed"), 6)
               .arg(QStringLiteral("reads"), 6)
               .arg(QStringLiteral("failed"), 6)
               .arg(QStringLiteral("bytes"), 7)
               .arg(QStringLiteral("silent"), 6)
               .arg(QStringLiteral("lost"), 5)
        << QStringLiteral(" %1 %2 | %3 %4 %5 %6 %7 | %8 %9\n")
               .arg(QStringLiteral("noansw"), 6)
               .arg(QStringLiteral("garbled"), 7)
               .arg(QStringLiteral("wrongB"), 6)
               .arg(QStringLiteral("falseD"), 6)
               .arg(QStringLiteral("lostM"), 6)
               .arg(QStringLiteral("readB"), 6)
               .arg(QStringLiteral("notBack"), 7)
               .arg(QStringLiteral("time s"), 7)
               .arg(QStringLiteral("max ms"), 6);
}

void PrintLine(const QString& title, const TSoakFigures& f) {
  Out() << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
               .arg(title, -24)
               .arg(f.Cycles, 6)
               .arg(f.Writes, 6)
               .arg(f.WritesFailed, 6)
               .arg(f.Reads, 6)
               .arg(f.ReadsFailed, 6)
               .arg(f.BytesFilled, 7)
               .arg(f.Silences, 6)
               .arg(f.LostPackets, 5)
        << QStringLiteral(" %1 %2 | %3 %4 %5 %6 %7 | %8 %9\n")
               .arg(f.NoAnswer, 6)
               .arg(f.Garbled, 7)
               .arg(f.WrongBytesAfterDone, 6)
               .arg(f.FalseDones, 6)
               .arg(f.LostMarks, 6)
               .arg(f.WrongBytesRead, 6)
               .arg(f.NotFoundAgain, 7)
               .arg(static_cast<double>(f.Time.count()) / 1000.0, 7, 'f', 1)
               .arg(f.LongestCycle.count(), 6);
  Out().flush();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Writes random settings into the modules of the virtual vehicle over a failing line and "
      "checks every write and read against the modules' memories."));
  parser.addHelpOption();
  const TSoakOptions defaults;
  const QCommandLineOption cycles(QStringLiteral("cycles"),
                                  QStringLiteral("Write/read cycles per module kind."),
                                  QStringLiteral("N"), QString::number(defaults.Cycles));
  const QCommandLineOption seed(QStringLiteral("seed"),
                                QStringLiteral("Seed of the contents and of the line's faults."),
                                QStringLiteral("N"), QString::number(defaults.Seed));
  const QCommandLineOption modules(QStringLiteral("modules"),
                                   QStringLiteral("Bus addresses of the modules (default: every "
                                                  "module with settings memory)."),
                                   QStringLiteral("A,B,..."));
  const QCommandLineOption bytes(QStringLiteral("bytes"),
                                 QStringLiteral("Longest run of random bytes per area and cycle."),
                                 QStringLiteral("N"), QString::number(defaults.MaxRunBytes));
  const QCommandLineOption line(QStringLiteral("line"),
                                QStringLiteral("The line's faults as the simulator's options "
                                               "drop=P,corrupt=P,late=P:MS."),
                                QStringLiteral("FAULTS"), LineText(defaults.Line));
  parser.addOptions({cycles, seed, modules, bytes, line});
  parser.process(app);

  TSoakOptions options;
  const auto cycleCount = PositiveNumber(parser.value(cycles));
  const auto runBytes = PositiveNumber(parser.value(bytes));
  bool seedOk = false;
  options.Seed = parser.value(seed).toUInt(&seedOk, 0);
  const auto listed = parser.isSet(modules) ? ModuleList(parser.value(modules))
                                            : std::optional<std::vector<int>>(std::vector<int>{});
  QString lineError;
  const auto faults = TSimOptions::Parse(parser.value(line), &lineError);
  if (!cycleCount || !runBytes || !seedOk || !listed || !faults) {
    QTextStream(stderr) << "vardex-soak: bad options" << (lineError.isEmpty() ? "" : ": ")
                        << lineError << "\n"
                        << parser.helpText();
    return 2;
  }
  options.Cycles = *cycleCount;
  options.MaxRunBytes = *runBytes;
  options.Modules = *listed;
  options.Line = faults->Faults;

  Out() << "vardex-soak: seed " << options.Seed << ", " << options.Cycles
        << " cycles per module kind, runs of up to " << options.MaxRunBytes << " bytes, line "
        << LineText(options.Line) << ", one packet lost whole in " << options.LostPacketShare * 100
        << "% of the cycles, silent for " << options.SilenceFor << " cycles in every "
        << options.SilenceEvery << "\n";
  PrintHeader();
  TSoakFigures total;
  try {
    total = RunFaultSoak(options, [](int address, const QString& name, const TSoakFigures& f) {
      PrintLine(QStringLiteral("%1 %2").arg(address).arg(name), f);
    });
  } catch (const std::exception& error) {
    QTextStream(stderr) << "vardex-soak: " << error.what() << "\n";
    return 1;
  }
  PrintLine(QStringLiteral("total"), total);
  Out() << "goals (all 0): bytes wrong after a write reported done " << total.WrongBytesAfterDone
        << ", writes reported done that were not " << total.FalseDones << ", changed marks lost "
        << total.LostMarks << ", bytes wrong after a read reported done " << total.WrongBytesRead
        << ", silences after which the module was not read again " << total.NotFoundAgain
        << (total.GoalsMet() ? " - met\n" : " - NOT MET\n");
  return total.GoalsMet() ? 0 : 1;
}
