#include "app/command_line.h"

#include <QCommandLineParser>
#include <cstdio>

#ifndef VELTRANO_VERSION
#define VELTRANO_VERSION "0"
#endif

namespace veltrano {
namespace {

struct QtOption {
  const char* name;
  const char* value;  // the name of its value, or null for a switch
};

// The options that QGuiApplication, QApplication and the X11 platform plugin
// take out of the command line themselves.
constexpr QtOption kQtOptions[] = {
    {"platform", "name"},
    {"platformpluginpath", "path"},
    {"platformtheme", "name"},
    {"plugin", "name"},
    {"qwindowgeometry", "geometry"},
    {"geometry", "geometry"},
    {"qwindowtitle", "title"},
    {"title", "title"},
    {"qwindowicon", "file"},
    {"icon", "file"},
    {"session", "id"},
    {"display", "display"},
    {"name", "name"},
    {"visual", "id"},
    {"style", "style"},
    {"stylesheet", "file"},
    {"qmljsdebugger", "port"},
    {"reverse", nullptr},
    {"nograb", nullptr},
    {"dograb", nullptr},
    {"sync", nullptr},
    {"widgetcount", nullptr},
};

}  // namespace

CommandLine::CommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // Qt's own options are words after a single dash: "-platform", not "-p".
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")}, QString());
  const QCommandLineOption checkOption(QStringLiteral("check"), QString());
  parser.addOptions({helpOption, versionOption, checkOption});
  for (const QtOption& option : kQtOptions) {
    parser.addOption(
        option.value ? QCommandLineOption(QLatin1String(option.name), QString(), QLatin1String(option.value))
                     : QCommandLineOption(QLatin1String(option.name)));
  }

  QString refusal;
  if (!parser.parse(arguments)) {
    refusal = parser.errorText();
  } else {
    refusal = takeFile(parser.positionalArguments(), parser.isSet(checkOption));
  }
  if (!refusal.isEmpty()) {
    action_ = Action::Refuse;
    answer_ = QStringLiteral("veltrano: %1\n\n%2").arg(refusal, usage());
  } else if (parser.isSet(helpOption)) {
    action_ = Action::ShowHelp;
    answer_ = usage();
  } else if (parser.isSet(versionOption)) {
    action_ = Action::ShowVersion;
    answer_ = version() + QLatin1Char('\n');
  } else if (parser.isSet(checkOption)) {
    action_ = Action::Check;
  }
}

// One file may follow the options; the check opens no file, so there it is
// refused as any other stray argument is.
QString CommandLine::takeFile(const QStringList& positional, bool checking) {
  const qsizetype allowed = checking ? 0 : 1;
  if (positional.size() > allowed)
    return QStringLiteral("Unexpected argument '%1'.").arg(positional[allowed]);
  if (!positional.isEmpty()) file_ = positional.constFirst();
  return {};
}

QStringList CommandLine::fromMain(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

int CommandLine::printAnswer() const {
  std::FILE* stream = action_ == Action::Refuse ? stderr : stdout;
  std::fputs(answer_.toLocal8Bit().constData(), stream);
  std::fflush(stream);
  return exitStatus();
}

QString CommandLine::version() { return QStringLiteral("Veltrano " VELTRANO_VERSION); }

QString CommandLine::usage() {
  return QStringLiteral(
      "Usage: veltrano [options] [FILE]\n"
      "A toolbox of elementary mathematics: pick a task (prime factors, plane\n"
      "triangles, circle arcs and chords, complex numbers, base conversion) and\n"
      "work it in its own worksheet window.\n"
      "\n"
      "FILE, a saved worksheet, opens in the worksheet whose file it is, without\n"
      "the task selector. A file that could be more than one worksheet's, or is\n"
      "none's, opens the task selector, and the worksheet chosen there opens it.\n"
      "\n"
      "Options:\n"
      "  -h, --help     Show this help and end.\n"
      "  -v, --version  Show the version and end.\n"
      "  --check        Check the installation: open every worksheet window and\n"
      "                 every help file as the program would, without showing the\n"
      "                 worksheets, tell which files were used, and end; the exit\n"
      "                 status is 0 when all of them opened and 1 otherwise.\n"
      "\n"
      "Qt's standard options are accepted as well, among them -platform NAME,\n"
      "-display DISPLAY, -style STYLE and -reverse. See veltrano(1).\n");
}

}  // namespace veltrano
