#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include "app/installation_check.h"
#include "app/program_folder.h"
#include "common/runtime_error.h"
#include "common/testing/window_test.h"
#include "help/viewer/chm_help_viewer.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

class InstallationTest : public WindowTest {};

TEST_F(InstallationTest, ProgramFolderIsBesideTheExecutableOrTheInstalledDataFolder) {
  const struct {
    QStringList files;  // made in the test's folder before the look
    const char* found;  // relative to the test's folder
  } cases[] = {
      {{"bin/P100008.txt"}, "bin"},
      {{"bin/ortano.chm", "share/veltrano/P100008.txt"}, "bin"},
      {{"share/veltrano/Factors.chm"}, "share/veltrano"},
      {{"bin/notes.txt", "share/veltrano/P100008.txt"}, "share/veltrano"},
      {{"share/veltrano/notes.txt"}, "bin"},
      {{"bin/P100008.txt/", "share/veltrano/bases.chm"}, "share/veltrano"},  // a folder of that name
  };
  int run = 0;
  for (const auto& c : cases) {
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
  // A data folder that is there but cannot be searched, as a link to itself
  // is even for the administrator: its files are reported where they are.
  ASSERT_TRUE(QDir().mkpath(path("loop/bin")) && QDir().mkpath(path("loop/share")));
  ASSERT_TRUE(QFile::link("veltrano", path("loop/share/veltrano")));
  EXPECT_EQ(locateProgramFolder(path("loop/bin"), "../share/veltrano", programFiles()),
            path("loop/share/veltrano"));
}

// An installed data folder that cannot be read is named with the cause, and
// so is each file in it, rather than every file "not found" beside the program.
TEST_F(InstallationTest, CheckNamesAProgramFolderThatCannotBeReadAndWhy) {
  ASSERT_TRUE(QFile::link("veltrano", path("veltrano")));
  veltrano::platform().programFolder = path("veltrano");
  help::ChmHelpViewer viewer;
  veltrano::platform().help = &viewer;
  WorksheetFactories windows;
  windows.fill([] { return new QWidget; });
  QString text;
  QTextStream report(&text);
  EXPECT_EQ(CheckInstallation(windows, report), 1);
  const QString cause = "cannot be read: Too many levels of symbolic links.\n";
  EXPECT_TRUE(text.contains("The program folder \"" + path("veltrano") + "\" " + cause))
      << text.toStdString();
  EXPECT_TRUE(text.contains("The help file \"" + path("veltrano/ortano.chm") + "\" " + cause));
}

// Like the real viewer, it reports a file it cannot open in a message.
class MissingHelp : public HelpViewer {
 public:
  void showContents(QWidget* owner, const QString& path) override {
    veltrano::platform().messages->show(owner, {"Veltrano", "The help file \"" + path + "\" was not found."});
  }
};

// A window that cannot load, and a help file that cannot open: told in the
// report, never in a box (the fakes fail the test on any box), and the check
// fails. The installation test runs a check that passes.
TEST_F(InstallationTest, CheckReportsWhatCannotOpenAndFails) {
  veltrano::platform().programFolder = "/opt/v";
  WorksheetFactories failing;
  failing.fill([] { return new QWidget; });
  failing[0] = []() -> QWidget* { raise(ErrorNumber::FileNotFound, "P100008.txt was looked for in /x"); };
  MissingHelp missing;
  veltrano::platform().help = &missing;
  QString text;
  QTextStream report(&text);
  EXPECT_EQ(CheckInstallation(failing, report), 1);
  EXPECT_TRUE(text.contains("Find the prime factors of a number: Run-time error '53':\n\nFile not found"));
  EXPECT_TRUE(text.contains("The help file \"/opt/v/ortano.chm\" was not found.\n"));
  EXPECT_TRUE(text.endsWith("Not everything opened.\n"));
  EXPECT_EQ(veltrano::platform().messages, &platform().messages) << "the check's services stayed installed";
  EXPECT_EQ(veltrano::platform().help, &missing);
}

}  // namespace
