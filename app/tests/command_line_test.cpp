#include "app/command_line.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QProcess>

#include "common/testing/printers.h"

using namespace veltrano;
using Action = CommandLine::Action;

namespace {

TEST(CommandLineTest, OwnOptionsQtOptionsAndRefusals) {
  const struct {
    QStringList arguments;  // after the program's name
    Action action;
    const char* answerHolds;
  } cases[] = {
      {{}, Action::Run, ""},
      {{"--check"}, Action::Check, ""},
      {{"-platform", "offscreen", "--check"}, Action::Check, ""},
      {{"--help", "--version", "--bogus"}, Action::Refuse, "Unknown option 'bogus'."},
      {{"--version", "--help"}, Action::ShowHelp, "--check"},
      // Qt's own options, with their values in either form, are left to Qt.
      {{"-style", "Fusion", "-reverse", "--platform=offscreen", "-display", ":9", "-session", "1a2b",
        "-qwindowgeometry", "300x200+0+0", "-stylesheet=x.qss", "-nograb"},
       Action::Run,
       ""},
      {{"-pl"}, Action::Refuse, "Unknown option 'pl'."},
      {{"-platform"}, Action::Refuse, "Missing value after '-platform'."},
      {{"--version=2"}, Action::Refuse, "Unexpected value after '--version'."},
      {{"results.txt"}, Action::Refuse, "Unexpected argument 'results.txt'."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const CommandLine line(QStringList{"veltrano"} + c.arguments);
    EXPECT_EQ(line.action(), c.action);
    EXPECT_TRUE(line.answer().contains(c.answerHolds)) << line.answer().toStdString();
    EXPECT_EQ(line.exitStatus(), c.action == Action::Refuse ? 1 : 0);
    if (c.action == Action::Refuse) {
      EXPECT_TRUE(line.answer().endsWith(CommandLine::usage()));
    }
  }
}

// The program itself, with no display to reach and no platform chosen: it
// must answer before Qt looks for one (the installation test asks its version).
TEST(CommandLineTest, AnswersWithoutADisplayAndWithoutAWindow) {
  const struct {
    QStringList arguments;
    int exitCode;
    const char* out;  // what standard output starts with
    const char* err;  // what standard error holds
  } cases[] = {
      {{"-h"}, 0, "Usage: veltrano [options]\n", ""},
      {{"--frobnicate"}, 1, "", "veltrano: Unknown option 'frobnicate'.\n\nUsage: veltrano [options]\n"},
  };
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationDirPath() + "/veltrano", c.arguments);
    ASSERT_TRUE(program.waitForFinished(20000));
    const std::string out = program.readAllStandardOutput().toStdString();
    const std::string err = program.readAllStandardError().toStdString();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), c.exitCode) << err;
    EXPECT_TRUE(out.starts_with(c.out)) << out;
    EXPECT_TRUE(*c.err ? err.starts_with(c.err) : err.empty()) << err;
  }
}

}  // namespace
