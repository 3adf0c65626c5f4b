#pragma once

#include <QString>
#include <QStringList>

namespace veltrano {

// The program's command line. The program has no arguments of its own
// beyond its help, its version, the installation check and one saved
// worksheet to open; Qt's standard
// options (-platform, -display, -style, -reverse ...) are accepted and left to
// the application object. Parsing needs no application object, so that help,
// version and a refused command line work without a display.
class CommandLine {
 public:
  enum class Action {
    Run,          // the program as usual
    Check,        // the installation check, then the end
    ShowHelp,     // the usage on standard output, exit status 0
    ShowVersion,  // "Veltrano 1.0" on standard output, exit status 0
    Refuse,       // why, and the usage, on standard error, exit status 1
  };

  explicit CommandLine(const QStringList& arguments);

  // The arguments of main() as text, the program's name first.
  static QStringList fromMain(int argc, char** argv);

  Action action() const { return action_; }
  // The saved worksheet to open at the start, as given; empty when none was.
  const QString& file() const { return file_; }
  // Whether the program ends after printing its answer, before any window.
  bool endsAtOnce() const { return action_ != Action::Run && action_ != Action::Check; }
  // What the program prints when it ends at once, and its exit status.
  QString answer() const { return answer_; }
  int exitStatus() const { return action_ == Action::Refuse ? 1 : 0; }
  // Prints the answer on standard output, or standard error when refused;
  // returns the exit status.
  int printAnswer() const;

  static QString usage();
  static QString version();

 private:
  // Keeps the one file a run may open; why the arguments are refused, or empty.
  QString takeFile(const QStringList& positional, bool checking);

  Action action_ = Action::Run;
  QString answer_;
  QString file_;
};

}  // namespace veltrano
