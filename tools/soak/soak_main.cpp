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
  QString text = QStringLiteral("drop=%1,corrupt=%2:%3")
                     .arg(line.Drop)
                     .arg(line.Corrupt)
                     .arg(line.ChecksumKept);
  for (const TSimFaults::TLateness& late : line.Late) {
    text += QStringLiteral(",late=%1:%2").arg(late.Share).arg(late.By.count());
  }
  return text;
}

// The figures table: a module's name, then these columns; a bar opens the goal figures and
// the times.
struct TColumn {
  const char* Heading;
  int Width;
  double (*Value)(const TSoakFigures&);
  int Decimals = 0;
  bool BarBefore = false;
};

constexpr TColumn kColumns[] = {
    {"cycles", 6, [](const TSoakFigures& f) { return double(f.Cycles); }},
    {"writes", 6, [](const TSoakFigures& f) { return double(f.Writes); }},
    {"failed", 6, [](const TSoakFigures& f) { return double(f.WritesFailed); }},
    {"reads", 6, [](const TSoakFigures& f) { return double(f.Reads); }},
    {"failed", 6, [](const TSoakFigures& f) { return double(f.ReadsFailed); }},
    {"bytes", 7, [](const TSoakFigures& f) { return double(f.BytesFilled); }},
    {"silent", 6, [](const TSoakFigures& f) { return double(f.Silences); }},
    {"lost", 5, [](const TSoakFigures& f) { return double(f.LostPackets); }},
    {"noansw", 6, [](const TSoakFigures& f) { return double(f.NoAnswer); }},
    {"garbled", 7, [](const TSoakFigures& f) { return double(f.Garbled); }},
    {"sumOK", 5, [](const TSoakFigures& f) { return double(f.ChecksumKept); }},
    {"sumB", 5, [](const TSoakFigures& f) { return double(f.WrongBytesReadChecksumKept); }},
    {"wrongB", 6, [](const TSoakFigures& f) { return double(f.WrongBytesAfterDone); }, 0, true},
    {"falseD", 6, [](const TSoakFigures& f) { return double(f.FalseDones); }},
    {"lostM", 6, [](const TSoakFigures& f) { return double(f.LostMarks); }},
    {"readB", 6, [](const TSoakFigures& f) { return double(f.WrongBytesRead); }},
    {"notBack", 7, [](const TSoakFigures& f) { return double(f.NotFoundAgain); }},
    {"time s", 7, [](const TSoakFigures& f) { return f.Time.count() / 1000.0; }, 1, true},
    {"max ms", 6, [](const TSoakFigures& f) { return double(f.LongestCycle.count()); }},
};

constexpr int kTitleWidth = 24;

template <class Cell>
void PrintRow(const QString& title, Cell cell) {
  QString row = QStringLiteral("%1").arg(title, -kTitleWidth);
  for (const TColumn& column : kColumns) {
    row += column.BarBefore ? QStringLiteral(" | ") : QStringLiteral(" ");
    row += cell(column);
  }
  Out() << row << '\n';
  Out().flush();
}

void PrintHeader() {
  PrintRow(QStringLiteral("module"), [](const TColumn& column) {
    return QStringLiteral("%1").arg(QLatin1String(column.Heading), column.Width);
  });
}

void PrintLine(const QString& title, const TSoakFigures& f) {
  PrintRow(title, [&f](const TColumn& column) {
    return QStringLiteral("%1").arg(column.Value(f), column.Width, 'f', column.Decimals);
  });
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
  const QCommandLineOption line(
      QStringLiteral("line"),
      QStringLiteral("The line's faults as the simulator's options "
                     "drop=P,corrupt=P[:S],late=P:MS (late= more than once)."),
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
