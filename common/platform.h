#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

namespace veltrano {

namespace figure {
struct Figure;
}

// The program reaches everything outside itself through these small
// interfaces: the Qt implementations serve the program, fakes serve the tests,
// so that every window runs headless.

// YesNo asks about something that cannot be undone: No is the default.
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
  QString title;
  QString text;
  MessageButtons buttons = MessageButtons::Ok;
  bool critical = true;  // the critical-stop icon
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Modal; closing the box answers Cancel (or Ok for a box with one button).
  virtual MessageAnswer show(QWidget* owner, const MessageRequest& request) = 0;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen full path, or the empty text when the user cancels.
  virtual QString openFileName(QWidget* owner) = 0;
  virtual QString saveFileName(QWidget* owner) = 0;
  // The name to save a figure under; its suffix (".svg" or ".png") says how.
  virtual QString saveFigureName(QWidget* owner) = 0;
  // The name to save a working under; ".htm" or ".html" saves HTML, any
  // other suffix plain text.
  virtual QString saveWorkingName(QWidget* owner) = 0;
};

// The default printer with a current font, as the worksheets print on it.
// A document is kept until endDoc() and then laid out whole, so that every
// page carries a header (the heading and the date of the Clock) and a
// footer "page 2 of 3" around the lines; a document with nothing in it goes
// out as an empty job, without them.
class Printer {
 public:
  virtual ~Printer() = default;
  virtual QString fontName() const = 0;
  virtual void setFontName(const QString& name) = 0;
  // The print dialog; false when the user cancels it.
  virtual bool showPrintDialog(QWidget* owner) = 0;
  // The heading of the pages of the document being printed (pageHeading()).
  virtual void setHeading(const QString& heading) = 0;
  virtual void printLine(const QString& text) = 0;
  // Draws a figure below the lines printed so far, on the same page when it
  // fits there, scaled to the width of the page; greyed as the pane shows it.
  virtual void printFigure(const figure::Figure& figure, bool greyed) = 0;
  // Ends the document and sends the job; a job of more than a page or two
  // shows its progress, and Cancel there stops it with nothing sent.
  virtual void endDoc() = 0;
};

// The progress of a long job, with a Cancel button; while it is shown the
// windows take no input, but they repaint.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void begin(QWidget* owner, const QString& label, int steps) = 0;
  // Moves on to done steps; false once the user has asked to cancel.
  virtual bool advance(int done) = 0;
  virtual void end() = 0;
};

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // Opens a help file on its table of contents; reports a missing file itself.
  virtual void showContents(QWidget* owner, const QString& path) = 0;
};

// The process's decimal separator, which the program reads at start-up and
// puts back when it ends.
class DecimalSetting {
 public:
  virtual ~DecimalSetting() = default;
  virtual QString read() = 0;
  virtual void write(const QString& separator) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // The date and time to the whole second.
  virtual QDateTime now() = 0;
  // A short sleep between two readings of a waiting loop.
  virtual void pause() = 0;
};

// What the worksheet windows ask of the application shell.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void showAboutScreen() = 0;
  virtual void shutDown() = 0;
};

struct Platform {
  MessageBoxes* messages = nullptr;
  FileDialogs* files = nullptr;
  Printer* printer = nullptr;
  HelpViewer* help = nullptr;
  DecimalSetting* decimal = nullptr;
  Clock* clock = nullptr;
  Shell* shell = nullptr;
  Progress* progress = nullptr;
  QString programFolder;  // the folder of the program, its data and help files
};

Platform& platform();
void installPlatform(const Platform& services);

}  // namespace veltrano
