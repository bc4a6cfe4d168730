#include "qt/command_line.h"

#include <cstdio>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include "platform/version.h"

namespace quillet {
namespace {

constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "usage: quillet [--folder DIR] [--trace-startup]\n";
constexpr char kDetails[] =
    "The feeder conductor calculator.\n"
    "\n"
    "  --folder DIR      keep the settings file Quillet32.ini in DIR (default: the\n"
    "                    program's folder when writable, else the user's\n"
    "                    configuration folder)\n"
    "  --trace-startup   print how long the first results took to show\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n";

// Qt reads these itself when the application starts; they must not be
// refused here. Names with a value come first.
constexpr const char* kQtValueOptions[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                           "style", "stylesheet", "display", "geometry"};
constexpr const char* kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void AddHidden(QCommandLineParser& parser, const char* name, bool takesValue) {
  QCommandLineOption option(QString::fromLatin1(name));
  if (takesValue) option.setValueName(QStringLiteral("value"));
  option.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(option);
}

void Print(std::FILE* to, const QString& text) { std::fputs(text.toLocal8Bit().constData(), to); }

}  // namespace

DesktopCommandLine ParseDesktopCommandLine(int argc, char** argv) {
  QCommandLineParser parser;
  // "-platform offscreen" is one Qt option, not eight letters.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption folder(QStringLiteral("folder"), QString(), QStringLiteral("DIR"));
  const QCommandLineOption trace(QStringLiteral("trace-startup"));
  const QCommandLineOption help(QStringList{QStringLiteral("help"), QStringLiteral("h")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOptions({folder, trace, help, version});
  for (const char* name : kQtValueOptions) AddHidden(parser, name, true);
  for (const char* name : kQtFlagOptions) AddHidden(parser, name, false);

  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);

  DesktopCommandLine result;
  auto stop = [&result](int status) {
    result.exit = true;
    result.status = status;
    return result;
  };
  QString error;
  if (!parser.parse(args)) error = parser.errorText();
  else if (!parser.positionalArguments().isEmpty())
    error = QStringLiteral("unexpected argument ") + parser.positionalArguments().constFirst();
  if (!error.isEmpty()) {
    Print(stderr, QStringLiteral("quillet: ") + error + u'\n');
    std::fputs(kUsage, stderr);
    std::fputs("Try 'quillet --help' for more information.\n", stderr);
    return stop(kExitUsage);
  }
  if (parser.isSet(help)) {
    std::fputs(kUsage, stdout);
    std::fputs(kDetails, stdout);
    return stop(0);
  }
  if (parser.isSet(version)) {
    std::printf("quillet %s\n", ProgramVersionText().c_str());
    return stop(0);
  }
  if (parser.isSet(folder)) result.options.folder = parser.value(folder).toStdString();
  result.options.traceStartup = parser.isSet(trace);
  return result;
}

}  // namespace quillet
