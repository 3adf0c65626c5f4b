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

class InstallationTest : public WindowTest {
 protected:
  void makeFolder(const QString& name) { ASSERT_TRUE(QDir().mkpath(path(name))); }
  void makeFile(const QString& name) { writeBytes(path(name), "x"); }
};

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
    makeFolder(root + "bin");
    for (const QString& file : c.files) {
      if (file.endsWith('/')) {
        makeFolder(root + file);
      } else {
        makeFolder(root + QFileInfo(file).path());
        makeFile(root + file);
      }
    }
    EXPECT_EQ(locateProgramFolder(path(root + "bin"), "../share/veltrano", programFiles()),
              path(root + c.found))
        << c.files.join(' ').toStdString();
  }
}

// Stands in for a worksheet: its Help opens a help file of its own.
QWidget* stubWorksheet(const QString& helpFile) {
  auto* window = new QWidget;
  auto* help = new QAction(window);
  help->setObjectName("mnuHelp");
  QObject::connect(help, &QAction::triggered, window, [window, helpFile] {
    veltrano::platform().help->showContents(window, veltrano::platform().programFolder + "/" + helpFile);
  });
  return window;
}

WorksheetFactories stubWorksheets() {
  WorksheetFactories factories;
  for (int task = 0; task < kWorksheetCount; ++task) {
    factories[task] = [task] { return stubWorksheet(QStringLiteral("task%1.chm").arg(task)); };
  }
  return factories;
}

// A help viewer that, like the real one, reports a file it cannot open in a message.
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
  EXPECT_TRUE(lines.contains("Task selector: opened"));
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
