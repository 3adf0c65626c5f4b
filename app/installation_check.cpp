#include "app/installation_check.h"

#include <QAction>
#include <QDir>
#include <QTextStream>
#include <exception>
#include <memory>

#include "app/program_folder.h"
#include "app/task_window.h"
#include "common/event_guard.h"
#include "common/platform.h"

namespace veltrano {
namespace {

// Writes each message to the report instead of showing a box, and counts them.
class ReportedMessages : public MessageBoxes {
 public:
  explicit ReportedMessages(QTextStream& report) : report_(report) {}

  MessageAnswer show(QWidget*, const MessageRequest& request) override {
    ++count;
    QString text = request.text;
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    report_ << text << Qt::endl;
    return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
  }

  int count = 0;

 private:
  QTextStream& report_;
};

// Opens help files with the installed viewer and tells which were opened.
class ReportedHelp : public HelpViewer {
 public:
  ReportedHelp(HelpViewer& viewer, ReportedMessages& messages, QTextStream& report)
      : viewer_(viewer), messages_(messages), report_(report) {}

  void showContents(QWidget* owner, const QString& path) override {
    const int before = messages_.count;
    viewer_.showContents(owner, path);
    if (messages_.count == before) report_ << QDir::toNativeSeparators(path) << ": opened" << Qt::endl;
  }

 private:
  HelpViewer& viewer_;
  ReportedMessages& messages_;
  QTextStream& report_;
};

// The check's services stand in for the installed ones while it runs.
class ServicesDuringCheck {
 public:
  explicit ServicesDuringCheck(QTextStream& report)
      : saved_(platform()), messages_(report), help_(*saved_.help, messages_, report) {
    platform().messages = &messages_;
    platform().help = &help_;
  }
  ~ServicesDuringCheck() { installPlatform(saved_); }
  ServicesDuringCheck(const ServicesDuringCheck&) = delete;
  ServicesDuringCheck& operator=(const ServicesDuringCheck&) = delete;

  int messagesShown() const { return messages_.count; }

 private:
  Platform saved_;
  ReportedMessages messages_;
  ReportedHelp help_;
};

void openHelp(QWidget* window) {
  if (auto* help = window->findChild<QAction*>(QStringLiteral("mnuHelp"))) help->trigger();
}

}  // namespace

int CheckInstallation(const WorksheetFactories& factories, QTextStream& report) {
  ServicesDuringCheck services(report);
  const QString programFolder = QDir::toNativeSeparators(platform().programFolder);
  report << "Program folder: " << programFolder << Qt::endl;
  if (const QString cause = unreadableFolderCause(platform().programFolder); !cause.isEmpty())
    report << "The program folder \"" << programFolder << "\" cannot be read: " << cause << "." << Qt::endl;
  report << "Current folder: " << QDir::toNativeSeparators(QDir::currentPath()) << Qt::endl;

  int misnamed = 0;
  for (int task = 0; task < kWorksheetCount; ++task) {
    const WorksheetRow& row = worksheetTable()[task];
    report << row.caption << ": ";
    std::unique_ptr<QWidget> window;
    try {
      window.reset(factories[task]());
      report << "opened" << Qt::endl;
    } catch (...) {
      reportUntrapped(std::current_exception());
    }
    if (!window) continue;
    // Its remembered settings are found under the name the table gives it.
    if (window->objectName() != row.windowName) {
      report << "The window is named " << window->objectName() << ", not " << row.windowName << Qt::endl;
      ++misnamed;
    }
    openHelp(window.get());
  }
  TaskWindow selector(factories);
  report << "Task selector: opened" << Qt::endl;
  openHelp(&selector);

  const bool passed = services.messagesShown() == 0 && misnamed == 0;
  report << (passed ? "Every window and help file opened." : "Not everything opened.") << Qt::endl;
  return passed ? 0 : 1;
}

}  // namespace veltrano
