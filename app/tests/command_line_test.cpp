#include "app/command_line.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QProcess>

#include "common/testing/printers.h"

using namespace veltrano;
using Action = CommandLine::Action;

namespace {

TEST(CommandLineTest, OwnOptionsQtOptionsAFileAndRefusals) {
  const struct {
    QStringList arguments;  // after the program's name
    Action action;
    const char* answerHolds;
    const char* file;  // the file to open
  } cases[] = {
      {{}, Action::Run, "", ""},
      {{"-platform", "offscreen", "--check"}, Action::Check, "", ""},
      {{"--help", "--version", "--bogus"}, Action::Refuse, "Unknown option 'bogus'.", ""},
      {{"--version", "--help"}, Action::ShowHelp, "--check", ""},
      // Qt's own options, with their values in either form, are left to Qt.
      {{"-style", "Fusion", "-reverse", "--platform=offscreen", "-display", ":9", "-session", "1a2b",
        "-qwindowgeometry", "300x200+0+0", "-stylesheet=x.qss", "-nograb"},
       Action::Run,
       "",
       ""},
      {{"-pl"}, Action::Refuse, "Unknown option 'pl'.", ""},
      {{"-platform"}, Action::Refuse, "Missing value after '-platform'.", ""},
      {{"--version=2"}, Action::Refuse, "Unexpected value after '--version'.", ""},
      // One saved worksheet, before or after the options; "--" ends them.
      {{"results.txt"}, Action::Run, "", "results.txt"},
      {{"/home/anna/my results.txt", "-platform", "offscreen"}, Action::Run, "", "/home/anna/my results.txt"},
      {{"--", "-triangle.txt"}, Action::Run, "", "-triangle.txt"},
      {{"--help", "results.txt"}, Action::ShowHelp, "[FILE]", "results.txt"},
      {{"results.txt", "more.txt"}, Action::Refuse, "Unexpected argument 'more.txt'.", ""},
      {{"--check", "results.txt"}, Action::Refuse, "Unexpected argument 'results.txt'.", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const CommandLine line(QStringList{"veltrano"} + c.arguments);
    EXPECT_EQ(line.action(), c.action);
    EXPECT_TRUE(line.answer().contains(c.answerHolds)) << line.answer().toStdString();
    EXPECT_EQ(line.exitStatus(), c.action == Action::Refuse ? 1 : 0);
    EXPECT_TRUE(c.action != Action::Refuse || line.answer().endsWith(CommandLine::usage()));
    if (c.action != Action::Refuse) {
      EXPECT_EQ(line.file(), c.file);
    }
  }
}

// The program itself, with no display to reach and no platform chosen: it
// must answer before Qt looks for one.
TEST(CommandLineTest, RefusesWithoutADisplayAndWithoutAWindow) {
  const struct {
    QStringList arguments;
    const char* refusal;
  } cases[] = {
      {{"--frobnicate"}, "Unknown option 'frobnicate'."},
      {{"results.txt", "more.txt"}, "Unexpected argument 'more.txt'."},
      {{"--check", "results.txt"}, "Unexpected argument 'results.txt'."},
  };
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationDirPath() + "/veltrano", c.arguments);
    ASSERT_TRUE(program.waitForFinished(20000));
    const std::string err = program.readAllStandardError().toStdString();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1) << err;
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(
        err.starts_with(std::string("veltrano: ") + c.refusal + "\n\nUsage: veltrano [options] [FILE]\n"))
        << err;
  }
}

}  // namespace
