#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "common/figure.h"
#include "common/page_layout.h"
#include "common/platform.h"

namespace veltrano::testing {

// Message boxes answer from a queue of expected answers; a box that no test
// expected fails the test, so an unexpected dialog never goes unnoticed.
class FakeMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer show(QWidget* owner, const MessageRequest& request) override;
  void expect(MessageAnswer answer) { answers.push_back(answer); }

  std::deque<MessageAnswer> answers;
  std::vector<MessageRequest> shown;
};

// The next answer of a dialog's queue; an unexpected dialog fails the test.
QString nextAnswer(std::deque<QString>& answers, const char* dialog);

// File dialogs answer from queues of paths ("" for Cancel).
class FakeFileDialogs : public FileDialogs {
 public:
  QString openFileName(QWidget*) override { return nextAnswer(openAnswers, "file-open"); }
  QString saveFileName(QWidget*) override { return nextAnswer(saveAnswers, "file-save"); }
  QString saveFigureName(QWidget*) override { return nextAnswer(figureAnswers, "save-figure"); }
  QString saveWorkingName(QWidget*) override { return nextAnswer(workingAnswers, "save-working"); }

  std::deque<QString> openAnswers;
  std::deque<QString> saveAnswers;
  std::deque<QString> figureAnswers;
  std::deque<QString> workingAnswers;
};

struct PrintedLine {
  QString text;
  QString fontName;
};

struct PrintedFigure {
  figure::Figure figure;
  bool greyed = false;
  int afterLines = 0;  // the number of lines printed before it
};

// One page of a document as the fake printer lays it out.
struct PrintedPage {
  QString heading;
  QString date;
  QString footer;
  QStringList lines;  // the pieces of lines on the page
  int figures = 0;
};

// Lays pages out as the real printer does, in characters and lines.
class FakePrinter : public Printer {
 public:
  QString fontName() const override { return font; }
  void setFontName(const QString& name) override { font = name; }
  bool showPrintDialog(QWidget*) override { return dialogAnswer; }
  void setHeading(const QString& text) override { heading = text; }
  // Wraps a line longer than the page as the real printer does.
  void printLine(const QString& text) override;
  void printFigure(const figure::Figure& figure, bool greyed) override;
  void endDoc() override;

  QString font = QStringLiteral("Arial");
  QString heading;
  int pageWidth = 80;   // in characters
  int pageHeight = 60;  // in lines, the header's two and the footer's two included
  bool dialogAnswer = true;
  std::vector<PrintedLine> page;                       // the document being printed
  std::vector<std::vector<PrintedLine>> jobs;          // the documents sent
  std::vector<PrintedFigure> figures;                  // in the document being printed
  std::vector<std::vector<PrintedFigure>> figureJobs;  // beside jobs
  std::vector<std::vector<PrintedPage>> pageJobs;      // beside jobs: their pages
  QStringList lastJobTexts() const;

 private:
  std::vector<PrintEntry> entries_;  // of the document being printed
};

// Records a job's progress; Cancel is pressed when the job reaches cancelAt.
class FakeProgress : public Progress {
 public:
  void begin(QWidget*, const QString& text, int total) override {
    label = text;
    steps = total;
    ++begun;
  }
  bool advance(int done) override {
    advanced.push_back(done);
    return cancelAt < 0 || done < cancelAt;
  }
  void end() override { ++ended; }

  int cancelAt = -1;
  QString label;
  int steps = 0;
  int begun = 0;
  int ended = 0;
  std::vector<int> advanced;
};

class FakeHelpViewer : public HelpViewer {
 public:
  void showContents(QWidget*, const QString& path) override { opened.push_back(path); }
  QStringList opened;
};

class FakeDecimalSetting : public DecimalSetting {
 public:
  QString read() override { return separator; }
  void write(const QString& value) override {
    separator = value;
    ++writes;
  }
  QString separator = QStringLiteral(".");
  int writes = 0;
};

// A clock that stands still until pause() moves it on by step milliseconds.
class FakeClock : public Clock {
 public:
  QDateTime now() override;
  void pause() override {
    time = time.addMSecs(stepMs);
    ++pauses;
  }

  QDateTime time = QDateTime(QDate(2026, 1, 1), QTime(12, 0, 0, 0));
  int stepMs = 10;
  int pauses = 0;
};

class FakeShell : public Shell {
 public:
  void showAboutScreen() override {}
  void shutDown() override { ++shutDowns; }
  int shutDowns = 0;
};

// One set of fakes, installed afresh for each test by the test main.
struct FakePlatform {
  FakeMessageBoxes messages;
  FakeFileDialogs files;
  FakePrinter printer;
  FakeHelpViewer help;
  FakeDecimalSetting decimal;
  FakeClock clock;
  FakeShell shell;
  FakeProgress progress;

  void install();
};

// The fakes of the running test; resetFakes() installs a fresh set.
FakePlatform& fakes();
void resetFakes();

}  // namespace veltrano::testing
