#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <array>
#include <cstdio>

#include "app/ctl/ctl_codec.h"
#include "app/ctl/ctl_context.h"
#include "app/ctl/ctl_diff.h"
#include "app/ctl/ctl_files.h"
#include "app/ctl/ctl_journal.h"
#include "app/ctl/ctl_memory.h"
#include "app/ctl/ctl_set.h"
#include "app/ctl/ctl_settings.h"
#include "app/port_provider.h"
#include "version.h"

namespace {

constexpr std::array kCommands = {
    TCtlCommand{"encode", "encode [--answer] [--request] SRC DST CMD [BYTE ...]", RunEncode},
    TCtlCommand{"decode", "decode [HEX ...] | decode --file CAPTURE", RunDecode},
    TCtlCommand{"dump", "dump ADDR LOC [START [COUNT]]", RunDump},
    TCtlCommand{"poke", "poke ADDR LOC START BYTE ...", RunPoke},
    TCtlCommand{"scan", "scan", RunScan},
    TCtlCommand{"read", "read [--full] [--modules A,B,...] --out FILE", RunRead},
    TCtlCommand{"write",
                "write [--full] [--partial] [--verify] [--no-backup] FILE [--modules A,B,...]",
                RunWrite},
    TCtlCommand{"diff", "diff FILE_A [FILE_B] [--modules A,B,...]", RunDiff},
    TCtlCommand{"monitor", "monitor [--seconds N] [--save CAPTURE]", RunMonitor},
    TCtlCommand{"settings", "settings [--file FILE] [--modules A,B,...]", RunSettings},
    TCtlCommand{"set",
                "set [--file IN --out OUT] [--from TEXT_FILE | -] [--dry-run] [--no-backup] "
                "[LINE ...]",
                RunSet},
};

void PrintHelp(QTextStream& out) {
  out << "Usage: vardexctl [--port DESCRIPTION] COMMAND [ARGS ...]\n"
         "\n"
         "The command line side of Vardex: talks to the security system's bus through the\n"
         "adapter, or to the built-in virtual vehicle with --port sim.\n"
         "\n"
         "Commands:\n";
  for (const auto& command : kCommands) out << "  " << command.Usage << "\n";
  out << "\n"
         "Options:\n"
         "  --port DESCRIPTION  sim[:OPTIONS], a device path such as /dev/ttyUSB0, or the\n"
         "                      adapter's USB description (default: \""
      << kDefaultAdapterDescription
      << "\")\n"
         "  --help              this text\n"
         "  --version           the program version\n";
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);

  QStringList args = QCoreApplication::arguments().mid(1);
  // A name the system's encoding cannot spell would reach the files as another name; better to
  // say so than to save under a name the user did not give.
  for (int i = 1; i < argc && i - 1 < args.size(); ++i) {
    if (QFile::encodeName(args[i - 1]) != QByteArray(argv[i])) {
      err << "vardexctl: argument " << i
          << " is not valid text in the system's encoding; such a file name cannot be used\n";
      return kExitUsage;
    }
  }
  QString port = QString::fromUtf8(kDefaultAdapterDescription);
  while (!args.isEmpty() && args.front().startsWith(u"--")) {
    const QString option = args.takeFirst();
    if (option == u"--help") {
      PrintHelp(out);
      return kExitOk;
    }
    if (option == u"--version") {
      out << "vardexctl " << kVersionText << "\n";
      return kExitOk;
    }
    if (option == u"--port" && !args.isEmpty()) {
      port = args.takeFirst();
    } else if (option.startsWith(u"--port=")) {
      port = option.section(u'=', 1);
    } else {
      err << "vardexctl: unknown option " << option << "\n";
      return kExitUsage;
    }
  }
  if (args.isEmpty()) {
    PrintHelp(err);
    return kExitUsage;
  }
  // A mistyped simulator option would otherwise only show as an adapter that does not open.
  if (const QString error = TPortProvider::DescriptionError(port); !error.isEmpty()) {
    err << "vardexctl: --port " << port << ": " << error << "\n";
    return kExitUsage;
  }
  const QString name = args.takeFirst();
  for (const auto& command : kCommands) {
    if (name == QLatin1String(command.Name)) {
      TCtlContext context(out, err, port);
      return command.Run(context, args);
    }
  }
  err << "vardexctl: unknown command " << name << "\n";
  return kExitUsage;
}
