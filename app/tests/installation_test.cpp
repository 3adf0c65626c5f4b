#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QTextStream>

#include "app/installation_check.h"
#include "app/program_folder.h"
#include "common/runtime_error.h"
#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class InstallationTest : public WindowTest {};

struct FolderCase {
  QStringList files;  // made in the test's folder before the look
  const char* found;  // relative to the test's folder
};

TEST_F(InstallationTest, ProgramFolderIsBesideTheExecutableOrTheInstalledDataFolder) {
  const FolderCase cases[] = {
      {{"bin/P100008.txt"}, "bin"},
      {{"bin/ortano.chm", "share/veltrano/P100008.txt"}, "bin"},
      {{"share/veltrano/Factors.chm"}, "share/veltrano"},
      {{"bin/notes.txt", "share/veltrano/P100008.txt"}, "share/veltrano"},
      {{"share/veltrano/notes.txt"}, "bin"},
      {{"share/other/P100008.txt"}, "bin"},
      {{"bin/P100008.txt/", "share/veltrano/bases.chm"}, "share/veltrano"},  // a folder of that name
  };
  int run = 0;
  for (const FolderCase& c : cases) {
    const QString root = QStringLiteral("run%1/").arg(++run);
    ASSERT_TRUE(QDir().mkpath(path(root + "bin")));
    for (const QString& file : c.files) {
      ASSERT_TRUE(QDir().mkpath(path(root + (file.endsWith('/') ? file : QFileInfo(file).path()))));
      if (!file.endsWith('/')) writeBytes(path(root + file), "x");
    }
    EXPECT_EQ(locateProgramFolder(path(root + "bin"), "../share/veltrano", programFiles()),
              path(root + c.found))
        << c.files.join(' ').toStdString();
  }
}

// Stand-ins for the worksheets: each one's Help opens a help file of its own.
WorksheetFactories stubWorksheets() {
  WorksheetFactories factories;
  for (int task = 0; task < kWorksheetCount; ++task) {
    factories[task] = [task] {
      auto* window = new QWidget;
      auto* help = new QAction(window);
      help->setObjectName("mnuHelp");
      QObject::connect(help, &QAction::triggered, window, [window, task] {
        veltrano::platform().help->showContents(window, QStringLiteral("/opt/v/task%1.chm").arg(task));
      });
      return window;
    };
  }
  return factories;
}

// Like the real viewer, it reports a file it cannot open in a message.
class MissingHelp : public HelpViewer {
 public:
  void showContents(QWidget* owner, const QString& path) override {
    veltrano::platform().messages->show(owner, {"Veltrano", "The help file \"" + path + "\" was not found."});
  }
};

TEST_F(InstallationTest, CheckReportsEveryWindowAndHelpFileAndFailsOnAnyMessage) {
  veltrano::platform().programFolder = "/opt/v";
  QString text;
  QTextStream report(&text);
  EXPECT_EQ(CheckInstallation(stubWorksheets(), report), 0);
  const QStringList lines = text.split('\n');
  EXPECT_EQ(lines.mid(0, 1), QStringList{"Program folder: /opt/v"});
  EXPECT_TRUE(lines.contains("Find the prime factors of a number: opened"));
  EXPECT_EQ(platform().help.opened,
            (QStringList{"/opt/v/task0.chm", "/opt/v/task1.chm", "/opt/v/task2.chm", "/opt/v/task3.chm",
                         "/opt/v/task4.chm", "/opt/v/ortano.chm"}));
  for (const QString& opened : platform().help.opened) EXPECT_TRUE(lines.contains(opened + ": opened"));
  EXPECT_EQ(lines.at(lines.size() - 2), "Every window and help file opened.");

  // A window that cannot load, and help files that cannot open: told in the
  // report, never in a box, and the check fails. The fakes fail the test on
  // any box they are asked to show.
  WorksheetFactories failing = stubWorksheets();
  failing[0] = []() -> QWidget* { raise(ErrorNumber::FileNotFound, "P100008.txt was looked for in /x"); };
  MissingHelp missing;
  veltrano::platform().help = &missing;
  text.clear();
  EXPECT_EQ(CheckInstallation(failing, report), 1);
  EXPECT_TRUE(text.contains("Find the prime factors of a number: Run-time error '53':\n\nFile not found"));
  EXPECT_TRUE(text.contains("The help file \"/opt/v/ortano.chm\" was not found.\n"));
  EXPECT_FALSE(text.contains(".chm: opened"));
  EXPECT_TRUE(text.endsWith("Not everything opened.\n"));
  EXPECT_EQ(veltrano::platform().messages, &platform().messages) << "the check's services stayed installed";
  EXPECT_EQ(veltrano::platform().help, &missing);
}

}  // namespace
