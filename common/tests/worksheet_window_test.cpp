#include "common/worksheet_window.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QLockFile>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QSysInfo>
#include <QTest>
#include <iostream>
#include <optional>

#include <sys/stat.h>

#include "common/dimension.h"
#include "common/figure_pane.h"
#include "common/file_access.h"
#include "common/numeric_text.h"
#include "common/program_settings.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"
#include "common/working_pane.h"
#include "common/worksheet_file.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

// A worksheet of two text lines. A change of its field writes twice the value
// into a second field, whose handler runs inside the first, as the solvers'
// writes do. Its figure is a line to (value, twice), recorded each time it is
// asked for; a negative value fails as a solve would. Its working is one step
// that ends in twice the value, recorded each time it is built.
class Sheet : public WorksheetWindow {
 public:
  explicit Sheet(const FrameSettings& settings = settingsOf(false)) : WorksheetWindow(settings) {
    field = new QLineEdit(clientArea());
    field->setObjectName("txtValue");
    second = new QLineEdit(clientArea());
    second->setObjectName("txtTwice");
    onFieldChanged(field, "value", [this] {
      value = TextToNumber(field->text());
      second->setText(QString::number(value * 2));
    });
    onFieldChanged(second, "twice", [this] { twice = TextToNumber(second->text()); });
  }
  static FrameSettings settingsOf(bool figure) {
    FrameSettings settings;
    settings.objectName = figure ? "frmFigureSheet" : "frmSheet";
    settings.caption = "Sheet";
    settings.helpFile = "\\Factors.chm";
    settings.hasFigure = figure;
    return settings;
  }
  void trigger(const char* name) { findChild<QAction*>(name)->trigger(); }
  QPointF drawnTo() { return figurePane()->figure().segments.value(0).to; }

  QStringList lines{"first", "second"};
  QString chosenCase;
  bool empty = false;
  QLineEdit* field;
  QLineEdit* second;
  double value = 0, twice = 0;
  bool resultsGreyed = false;
  mutable QList<QPointF> asked;
  mutable QList<double> workingsBuilt;

 protected:
  bool hasContentToWrite() const override { return !empty; }
  void writeWorksheetFile(WorksheetWriter& file) const override {
    file.numberLine(static_cast<int>(lines.size()));
    for (const QString& line : lines) file.textLine(line);
  }
  std::function<void()> readWorksheetFile(WorksheetReader& file) override {
    const QStringList read = file.readRows(100);
    // A watched field written by Open, as the solving worksheets do.
    return [this, read] {
      lines = read;
      field->setText(read.value(0));
    };
  }
  QStringList printedLines() const override { return lines; }
  QString printedCase() const override { return chosenCase; }
  void markResultsStale() override { resultsGreyed = true; }
  std::optional<figure::Figure> currentFigure() const override {
    asked << QPointF(value, twice);
    if (value < 0) return std::nullopt;
    figure::Figure drawn;
    drawn.segments.append({QPointF(0, 0), QPointF(value, twice)});
    return drawn;
  }
  std::optional<working::Working> currentWorking() const override {
    workingsBuilt << value;
    working::Working working{"Twice the value",
                             {{"Double it", {"2·" + field->text(), "= " + second->text()}}}};
    working.stopped = value < 0;
    return working;
  }
};

class FrameTest : public WindowTest {};

// Every caption of the menu bar and of the File menu has a letter for Alt
// (or for the key alone once the menu is open), and no two share one.
TEST_F(FrameTest, EveryMenuCaptionHasAMnemonicOfItsOwn) {
  FrameSettings settings = Sheet::settingsOf(true);
  settings.saveAsCaption = "SaveAs";
  Sheet sheet(settings);
  for (QWidget* menu : {static_cast<QWidget*>(sheet.menuBar()), sheet.findChild<QWidget*>("mnuFile")}) {
    QStringList letters;
    for (const QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      const QString mnemonic = QKeySequence::mnemonic(action->text()).toString();
      EXPECT_FALSE(mnemonic.isEmpty() || letters.contains(mnemonic)) << action->text().toStdString();
      letters << mnemonic;
    }
  }
}

// Help opens the window's own file from the program's folder, wherever the
// current folder is.
TEST_F(FrameTest, HelpOpensTheWindowsFileFromTheProgramsFolder) {
  Sheet sheet;
  const QString before = QDir::currentPath();
  QDir::setCurrent(QDir::tempPath());
  sheet.trigger("mnuHelp");
  QDir::setCurrent(before);
  EXPECT_EQ(platform().help.opened, QStringList{QCoreApplication::applicationDirPath() + "/Factors.chm"});
}

// Save asks for a name while there is none (a cancelled dialog leaves none),
// then writes without asking. Cancelled dialogs read nothing; empty content
// writes nothing, not even over a file.
TEST_F(FrameTest, SaveAsksForANameOnlyWhileThereIsNone) {
  Sheet sheet;
  const QString file = path("sheet.txt");
  platform().files.saveAnswers = {"", file};
  platform().files.openAnswers = {""};
  sheet.trigger("mnuSave");
  sheet.trigger("mnuOpen");
  EXPECT_EQ(sheet.lines, (QStringList{"first", "second"}));
  sheet.trigger("mnuSave");
  sheet.lines = {"changed"};
  sheet.trigger("mnuSave");
  EXPECT_EQ(readBytes(file), " 1 \r\nchanged\r\n");

  platform().files.saveAnswers = {"", file, path("new.txt")};
  sheet.trigger("mnuSaveAs");
  EXPECT_TRUE(Dimension::CurrentFileName.isEmpty());
  sheet.empty = true;
  sheet.trigger("mnuSave");
  sheet.trigger("mnuSaveAs");
  EXPECT_EQ(readBytes(file), " 1 \r\nchanged\r\n");
  EXPECT_FALSE(QFile::exists(path("new.txt")));
}

// What the file could not hold as shown is told after the save, until an Open.
TEST_F(FrameTest, SaveTellsWhatTheFileCouldNotHold) {
  Sheet sheet;
  Dimension::CurrentFileName = path("sheet.txt");
  sheet.lines = {QString::fromUtf8("\u4e2d"), "say \"hi\""};
  sheet.trigger("mnuSave");
  EXPECT_EQ(sheet.statusText(),
            "Saved with 1 character that Windows-1252 cannot hold as \"?\" and 2 double quotes as '");
  openLines(&sheet, " 1 |5");
  EXPECT_EQ(sheet.statusText(), "");
}

// Print sends the lines only when the dialog is accepted, in Courier New
// for a window that asks for it, and gives the printer its font back. The
// figure follows the lines only while the pane is shown, greyed as it shows.
TEST_F(FrameTest, PrintSendsTheLinesAndTheFigureShown) {
  FrameSettings settings = Sheet::settingsOf(true);
  settings.printsInCourier = true;
  Sheet sheet(settings);
  FakePrinter& printer = platform().printer;
  printer.font = "Times";
  QTest::keyClicks(sheet.field, "2");
  printer.dialogAnswer = false;
  sheet.trigger("mnuPrint");
  printer.dialogAnswer = true;
  sheet.trigger("mnuPrint");
  sheet.trigger("mnuFigure");
  sheet.trigger("mnuPrint");
  sheet.field->setText("4E999");
  sheet.trigger("mnuPrint");
  EXPECT_EQ(printer.font, "Times");
  ASSERT_EQ(printer.jobs.size(), 3u);
  EXPECT_EQ(printer.jobs[0].at(1).fontName, "Courier New");
  EXPECT_TRUE(printer.figureJobs[0].empty());
  EXPECT_EQ(printer.figureJobs[1].at(0).afterLines, 2);
  EXPECT_FALSE(printer.figureJobs[1][0].greyed);
  EXPECT_TRUE(printer.figureJobs[2].at(0).greyed);
}

// Every page carries the heading with the case chosen and the date, and the
// footer counts the pages; the lines are those of the window, in order. A
// window with nothing to print sends an empty job, without a header.
TEST_F(FrameTest, EveryPrintedPageHasTheHeadingDateAndPageOfPages) {
  Sheet sheet;
  FakePrinter& printer = platform().printer;
  platform().clock.time = QDateTime(QDate(2026, 3, 7), QTime(23, 59, 59));
  struct Case {
    int lines;
    QString chosenCase;
    QString heading;
    std::vector<int> linesPerPage;
  } cases[] = {
      {130, "a,b,A (SSA)", "Veltrano \u2013 Sheet \u2013 a,b,A (SSA)", {56, 56, 18}},
      {56, "", "Veltrano \u2013 Sheet", {56}},
      {0, "x + y", "", {}},
  };
  for (const Case& c : cases) {
    sheet.lines.clear();
    for (int i = 1; i <= c.lines; ++i) sheet.lines << QString::number(i);
    sheet.chosenCase = c.chosenCase;
    sheet.trigger("mnuPrint");
    EXPECT_EQ(printer.lastJobTexts(), sheet.lines);
    const std::vector<PrintedPage>& pages = printer.pageJobs.back();
    ASSERT_EQ(pages.size(), c.linesPerPage.size()) << c.lines;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      EXPECT_EQ(pages[i].heading, c.heading);
      EXPECT_EQ(pages[i].date, "2026-03-07");
      EXPECT_EQ(pages[i].footer, QStringLiteral("page %1 of %2").arg(i + 1).arg(pages.size()));
      EXPECT_EQ(pages[i].lines.size(), c.linesPerPage[i]) << i;
    }
  }
}

// The session manager's side, recording what the window asks of it.
struct FakeSession : SessionEnd {
  explicit FakeSession(bool interaction) : interaction(interaction) {}
  bool allowsInteraction() override {
    calls << "interaction";
    return interaction;
  }
  void cancel() override { calls << "cancel"; }
  void release() override { calls << "release"; }

  bool interaction;
  QStringList calls;
};

// A refused Open leaves the window, the name a later Save writes to, and the
// title as they were; so does a cancelled Save As for the title, which keeps
// naming the file whose content the window holds.
TEST_F(FrameTest, RefusedOpenAndCancelledSaveAsKeepTheWindowAndItsTitle) {
  Sheet sheet;
  const QString caption = "Sheet  www.veltrano.org";
  platform().files.saveAnswers = {path("first.txt"), ""};
  sheet.trigger("mnuSave");
  QTest::keyClicks(sheet.field, "2");
  const QString shortFile = path("short.txt");
  writeBytes(shortFile, " 3 \r\nonly one\r\n");
  platform().messages.answers = {MessageAnswer::No, MessageAnswer::Ok};
  platform().files.openAnswers = {shortFile};
  sheet.trigger("mnuOpen");
  EXPECT_EQ(sheet.lines, (QStringList{"first", "second"}));
  EXPECT_EQ(Dimension::CurrentFileName, path("first.txt"));
  EXPECT_EQ(shownTitle(&sheet), caption + " - first.txt*");
  sheet.trigger("mnuSaveAs");
  EXPECT_EQ(shownTitle(&sheet), caption + " - first.txt*");
}

// A file that looks like another worksheet's is taken only on Yes, and then
// a plain Save asks before it turns the file into this worksheet. A file
// another program changed since it was opened or saved is not written over
// unasked either. Save As, a deliberate choice, never asks.
TEST_F(FrameTest, AFileThatMayHoldOtherWorkIsNotTakenOrWrittenOverUnasked) {
  const QString foreign = path("foreign.txt");
  const QByteArray other = " 1 \r\nrow\r\nmore\r\nlines\r\n";
  const struct {
    const char* what;
    QByteArray before;      // the file as Open finds it
    QByteArray meanwhile;   // written by another program after Open; empty: none
    MessageAnswer openIt;   // to "Open it anyway?", where asked
    MessageAnswer replace;  // to the question before Save, where asked
    bool opened, written;
  } cases[] = {
      {"foreign, declined", other, "", MessageAnswer::No, MessageAnswer::No, false, false},
      {"foreign, opened, not replaced", other, "", MessageAnswer::Yes, MessageAnswer::No, true, false},
      {"foreign, opened, replaced", other, "", MessageAnswer::Yes, MessageAnswer::Yes, true, true},
      {"changed, not replaced", " 1 \r\nmine\r\n", " 1 \r\ntheirs too\r\n", MessageAnswer::Ok,
       MessageAnswer::No, true, false},
      {"changed, replaced", " 1 \r\nmine\r\n", " 1 \r\ntheirs too\r\n", MessageAnswer::Ok, MessageAnswer::Yes,
       true, true},
      {"own and unchanged", " 1 \r\nmine\r\n", "", MessageAnswer::Ok, MessageAnswer::Ok, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    resetFakes();
    Dimension::CurrentFileName.clear();
    writeBytes(foreign, c.before);
    Sheet sheet;
    FakePlatform& fakes = platform();
    const bool looksForeign = c.before == other;
    if (looksForeign) fakes.messages.expect(c.openIt);
    fakes.files.openAnswers = {foreign};
    sheet.trigger("mnuOpen");
    ASSERT_EQ(sheet.lines.size() == 1, c.opened);
    EXPECT_EQ(Dimension::CurrentFileName, c.opened ? foreign : "");
    if (looksForeign) {
      EXPECT_TRUE(fakes.messages.shown.at(0).buttons == MessageButtons::YesNo);
      EXPECT_EQ(
          fakes.messages.shown.at(0).text,
          "The file \"foreign.txt\" does not look like a Sheet worksheet (line 3: 2 more lines were not "
          "read). Open it anyway?");
    }
    if (!c.opened) continue;
    if (!c.meanwhile.isEmpty()) writeBytes(foreign, c.meanwhile);
    const FileIdentity found = FileIdentity::of(foreign);  // a save gives the file a new inode
    const bool asked = looksForeign || !c.meanwhile.isEmpty();
    if (asked) fakes.messages.expect(c.replace);
    sheet.trigger("mnuSave");
    EXPECT_EQ(fakes.messages.shown.size(), (looksForeign ? 1u : 0u) + (asked ? 1u : 0u));
    if (asked && !looksForeign)
      EXPECT_EQ(fakes.messages.shown.back().text,
                "\"foreign.txt\" has been changed by another program since it was opened. Replace it?");
    EXPECT_EQ(FileIdentity::of(foreign) != found, c.written);
    // Save As writes without a question; the file is the window's from then on.
    fakes.files.saveAnswers = {foreign};
    sheet.trigger("mnuSaveAs");
    writeBytes(foreign, "changed once more\r\n");
    fakes.messages.expect(MessageAnswer::No);
    sheet.trigger("mnuSave");
    EXPECT_EQ(fakes.messages.shown.back().text,
              "\"foreign.txt\" has been changed by another program since it was saved. Replace it?");
    EXPECT_TRUE(fakes.messages.answers.empty());
  }
}

// Open tells of the backup that a save stopped while it wrote in place left
// beside the file: the old content is there, whole.
TEST_F(FrameTest, OpenTellsOfABackupAStoppedSaveLeft) {
  const QString file = path("sheet.txt");
  writeBytes(file, " 1 \r\nrow\r\n");
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &status), 0);
  const QString backup = path(QStringLiteral(".veltrano-%1-abcdefghij.bak").arg(status.st_ino, 0, 16));
  writeBytes(backup, " 1 \r\nold row\r\n");
  ASSERT_EQ(leftoverBackupOf(file), backup);
  Sheet sheet;
  platform().messages.expect(MessageAnswer::Ok);
  platform().files.openAnswers = {file};
  sheet.trigger("mnuOpen");
  ASSERT_EQ(platform().messages.shown.size(), 1u);
  EXPECT_TRUE(platform().messages.shown[0].text.endsWith(backup));
  EXPECT_EQ(sheet.lines, QStringList{"row"});
}

// Open and closing ask while the content is changed. Yes saves first and
// goes on only when the save did; No goes on; Cancel keeps everything.
TEST_F(FrameTest, ChangedContentIsNeverDroppedWithoutAsking) {
  const QString opened = path("opened.txt");
  writeBytes(opened, " 1 \r\nfrom file\r\n");
  const struct {
    const char* what;
    MessageAnswer answer;
    const char* saveAs;  // the name given in the save dialog; null: no dialog
    bool goesOn;
  } cases[] = {
      {"Yes, then a name", MessageAnswer::Yes, "saved.txt", true},
      {"Yes, then the name dialog cancelled", MessageAnswer::Yes, "", false},
      {"Yes, then a save that fails", MessageAnswer::Yes, "no/such/folder/x.txt", false},
      {"No", MessageAnswer::No, nullptr, true},
      {"Cancel", MessageAnswer::Cancel, nullptr, false},
  };
  for (const bool closing : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(closing ? "close, " : "Open, ") + c.what);
      resetFakes();
      Dimension::CurrentFileName.clear();
      Sheet sheet;  // never shown: Qt lets a shown window close only once
      QTest::keyClicks(sheet.field, "5");
      FakePlatform& fakes = platform();
      fakes.messages.expect(c.answer);
      const bool fails = c.saveAs && QString(c.saveAs).contains('/');
      if (c.saveAs) fakes.files.saveAnswers = {*c.saveAs ? path(c.saveAs) : ""};
      if (fails) fakes.messages.expect(MessageAnswer::Ok);
      if (!closing && c.goesOn) fakes.files.openAnswers = {opened};

      closing ? void(sheet.close()) : sheet.trigger("mnuOpen");

      EXPECT_TRUE(fakes.messages.shown.at(0).buttons == MessageButtons::YesNoCancel);
      EXPECT_EQ(fakes.messages.shown.size(), fails ? 2u : 1u);
      const bool saved = c.saveAs && *c.saveAs && !fails;
      EXPECT_EQ(QFile::exists(path("saved.txt")), saved);
      QFile::remove(path("saved.txt"));
      EXPECT_EQ(fakes.shell.shutDowns, closing && c.goesOn ? 1 : 0);
      const QStringList lines =
          !closing && c.goesOn ? QStringList{"from file"} : QStringList{"first", "second"};
      EXPECT_EQ(sheet.lines, lines);
      EXPECT_EQ(sheet.isWindowModified(), !c.goesOn || (closing && !saved));
      // A name that could not be written is not kept: the next Save asks.
      const QString name = !closing && c.goesOn ? opened : saved ? path("saved.txt") : "";
      EXPECT_EQ(Dimension::CurrentFileName, name);
      if (closing && c.goesOn) {
        sheet.close();  // the shutdown closes the window once more, unasked
        EXPECT_EQ(fakes.messages.shown.size(), 1u);
      }
    }
  }
}

// At the end of the session the window asks only when it may; Cancel keeps
// the session going. Without leave to ask, nothing is written and the
// changes stay marked, so a close that follows still asks.
TEST_F(FrameTest, TheEndOfTheSessionFollowsTheSameRule) {
  const struct {
    const char* what;
    bool interaction;
    std::optional<MessageAnswer> answer;
    QStringList calls;
    bool saved;
    bool closeAsks;
  } cases[] = {
      {"Yes", true, MessageAnswer::Yes, {"interaction", "release"}, true, false},
      {"Cancel", true, MessageAnswer::Cancel, {"interaction", "cancel", "release"}, false, true},
      {"no leave to ask", false, {}, {"interaction"}, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    resetFakes();
    Dimension::CurrentFileName = path("session.txt");
    Sheet sheet;
    QTest::keyClicks(sheet.field, "5");
    if (c.answer) platform().messages.expect(*c.answer);
    FakeSession session(c.interaction);
    sheet.endSession(session);
    EXPECT_EQ(session.calls, c.calls);
    EXPECT_EQ(QFile::exists(path("session.txt")), c.saved);
    QFile::remove(path("session.txt"));
    if (c.closeAsks) platform().messages.expect(MessageAnswer::No);
    const auto boxes = platform().messages.shown.size();
    sheet.close();
    EXPECT_EQ(platform().messages.shown.size() - boxes, c.closeAsks ? 1u : 0u);
  }
}

TEST_F(FrameTest, FigureCommandShowsThePaneBesideTheClientAreaAndIsRemembered) {
  auto* sheet = new Sheet(Sheet::settingsOf(true));
  sheet->show();
  QAction* command = sheet->findChild<QAction*>("mnuFigure");
  EXPECT_FALSE(sheet->isFigureShown()) << "hidden on the first run";
  const QSize hidden = sheet->size();
  const QPoint clientAt = sheet->clientArea()->mapTo(sheet, QPoint(0, 0));

  command->trigger();
  EXPECT_EQ(sheet->size(), hidden + QSize(FigurePane::kWidth, 0));
  EXPECT_EQ(sheet->clientArea()->mapTo(sheet, QPoint(0, 0)), clientAt);
  EXPECT_EQ(sheet->figurePane()->mapTo(sheet, QPoint(0, 0)), clientAt + QPoint(style::kWorksheetWidth, 0));
  delete sheet;

  sheet = new Sheet(Sheet::settingsOf(true));
  EXPECT_TRUE(sheet->isFigureShown()) << "remembered from the last window";
  sheet->show();
  sheet->showFigure(false);
  EXPECT_EQ(sheet->size(), hidden);
  delete sheet;
  EXPECT_FALSE(Sheet(Sheet::settingsOf(true)).isFigureShown());
}

// The settings file's lock left where it cannot be removed, a folder of its
// name, or a lock another writer holds: the Figure command waits only a
// moment, the pane stays as chosen for the run, and the status line says
// once that the choice will not be remembered; nothing more is written.
TEST_F(FrameTest, AFigureChoiceThatCannotBeWrittenHoldsForTheRunAndIsToldOnce) {
  enum class Lock { Folder, Held, StaleInReadOnlyFolder };
  const struct {
    const char* what;
    Lock lock;
  } cases[] = {
      {"a folder of the lock's name", Lock::Folder},
      {"a lock another writer holds", Lock::Held},
      {"a stale lock in a folder that cannot be written", Lock::StaleInReadOnlyFolder},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.lock == Lock::StaleInReadOnlyFolder && geteuid() == 0) {
      std::cout << "Skipped the stale lock: root removes it from a read-only folder.\n";
      continue;
    }
    startSettingsRun();
    const QString file = programSettings()->fileName();
    const QString lockName = file + ".lock";
    const QString folder = QFileInfo(file).path();
    QDir().mkpath(folder);
    QLockFile held(lockName);
    if (c.lock == Lock::Folder) ASSERT_TRUE(QDir().mkdir(lockName));
    if (c.lock == Lock::Held) ASSERT_TRUE(held.tryLock());
    if (c.lock == Lock::StaleInReadOnlyFolder) {
      // No process has a number above the largest the system gives out.
      const QByteArray pidMax = readBytes("/proc/sys/kernel/pid_max").trimmed();
      writeBytes(lockName, QByteArray::number(pidMax.toLongLong() + 1) + "\nveltrano\n" +
                               QSysInfo::machineHostName().toUtf8() + "\n");
      QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }

    Sheet sheet(Sheet::settingsOf(true));
    QElapsedTimer timer;
    timer.start();
    sheet.trigger("mnuFigure");
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(sheet.isFigureShown());
    EXPECT_EQ(sheet.statusText(), notRememberedNote());
    sheet.clearNote("settings");
    sheet.showFigure(false);
    sheet.showFigure(true);
    EXPECT_EQ(sheet.statusText(), "") << "told once";
    EXPECT_TRUE(Sheet(Sheet::settingsOf(true)).isFigureShown()) << "kept for the run";

    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    held.unlock();
    QDir().rmdir(lockName);
    QFile::remove(lockName);
    EXPECT_FALSE(programSettings()->contains("frmFigureSheet/figureShown")) << "written after all";
  }
}

// Typing runs the handler of the second field inside the first: the figure is
// asked for once, after both, with both values; never while the pane is hidden.
// A failed solve or a number too large keeps the last figure, greyed.
TEST_F(FrameTest, FigureFollowsTheOutermostChangeAndGreysAfterAFailure) {
  Sheet sheet(Sheet::settingsOf(true));
  QTest::keyClicks(sheet.field, "3");
  EXPECT_TRUE(sheet.asked.isEmpty());
  sheet.showFigure(true);
  EXPECT_EQ(sheet.drawnTo(), QPointF(3, 6));
  sheet.asked.clear();
  QTest::keyClicks(sheet.field, "1");
  EXPECT_EQ(sheet.asked, QList<QPointF>{QPointF(31, 62)});

  sheet.field->setText("-2");
  EXPECT_EQ(sheet.drawnTo(), QPointF(31, 62));
  EXPECT_TRUE(sheet.figurePane()->isGreyed());
  retype(sheet.field, "4");
  EXPECT_FALSE(sheet.figurePane()->isGreyed());
  sheet.field->setText("4E999");
  EXPECT_EQ(sheet.drawnTo(), QPointF(4, 8));
  EXPECT_TRUE(sheet.figurePane()->isGreyed());
}

// The Working command in a window with a figure and in one without: F7,
// its own mnemonic, the pane beside the client area (below the figure, with
// a splitter between them), remembered for the next window.
TEST_F(FrameTest, WorkingCommandShowsThePaneBelowTheFigureAndIsRemembered) {
  for (const bool withFigure : {false, true}) {
    SCOPED_TRACE(withFigure ? "with a figure" : "without a figure");
    auto* sheet = new Sheet(Sheet::settingsOf(withFigure));
    sheet->show();
    auto* command = sheet->findChild<QAction*>("mnuWorking");
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), "&Working");
    EXPECT_EQ(command->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_TRUE(command->isCheckable());
    EXPECT_EQ(sheet->menuBar()->actions().indexOf(command),
              sheet->menuBar()->actions().indexOf(
                  sheet->findChild<QAction*>(withFigure ? "mnuFigure" : "mnuPrint")) +
                  1);
    EXPECT_FALSE(sheet->isWorkingShown()) << "hidden on the first run";
    const QSize hidden = sheet->size();
    const QPoint clientAt = sheet->clientArea()->mapTo(sheet, QPoint(0, 0));

    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    QTest::keyClick(sheet, Qt::Key_F7);
    EXPECT_TRUE(command->isChecked());
    WorkingPane* pane = sheet->workingPane();
    EXPECT_EQ(pane->objectName(), "txtWorking");
    EXPECT_EQ(sheet->size(), hidden + QSize(FigurePane::kWidth, 0));
    EXPECT_EQ(sheet->clientArea()->mapTo(sheet, QPoint(0, 0)), clientAt);
    EXPECT_EQ(pane->mapTo(sheet, QPoint(0, 0)), clientAt + QPoint(style::kWorksheetWidth, 0));
    EXPECT_EQ(pane->height(), style::kWorksheetHeight);
    if (withFigure) {
      sheet->showFigure(true);
      EXPECT_EQ(sheet->size(), hidden + QSize(FigurePane::kWidth, 0)) << "one column for both";
      auto* splitter = qobject_cast<QSplitter*>(pane->parentWidget());
      ASSERT_NE(splitter, nullptr);
      EXPECT_EQ(splitter->orientation(), Qt::Vertical);
      EXPECT_EQ(splitter->indexOf(sheet->figurePane()), 0) << "the figure above the working";
      EXPECT_TRUE(splitter->handle(1)->isVisible());
      EXPECT_EQ(sheet->figurePane()->mapTo(sheet, QPoint(0, 0)).y(), clientAt.y());
      EXPECT_GT(pane->mapTo(sheet, QPoint(0, 0)).y(), clientAt.y() + style::kWorksheetHeight / 3);
      EXPECT_EQ(sheet->figurePane()->height() + splitter->handleWidth() + pane->height(),
                style::kWorksheetHeight);
      sheet->showFigure(false);
      EXPECT_EQ(pane->height(), style::kWorksheetHeight) << "the working alone takes the column";
    }
    delete sheet;

    sheet = new Sheet(Sheet::settingsOf(withFigure));
    EXPECT_TRUE(sheet->isWorkingShown()) << "remembered from the last window";
    sheet->show();
    EXPECT_EQ(sheet->findChild<WorkingPane*>("txtWorking")->working().title, "Twice the value")
        << "filled when the window shows";
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    QTest::keyClick(sheet, Qt::Key_F7);
    EXPECT_EQ(sheet->size(), hidden);
    delete sheet;
    EXPECT_FALSE(Sheet(Sheet::settingsOf(withFigure)).isWorkingShown());
  }
}

// The working is built after the outermost change handler, with both
// values, and never while the pane is hidden; a pane shown catches up. A
// number too large to read greys it, and its last step says which field
// stopped it; the field read again, it is current again.
TEST_F(FrameTest, WorkingFollowsTheOutermostChangeAndGreysWhileAFieldCannotBeRead) {
  Sheet sheet;
  QTest::keyClicks(sheet.field, "3");
  EXPECT_TRUE(sheet.workingsBuilt.isEmpty());
  sheet.showWorking(true);
  EXPECT_EQ(sheet.workingsBuilt, QList<double>{3});
  EXPECT_EQ(sheet.workingPane()->working().steps.value(0).lines.value(1), "= 6");
  sheet.workingsBuilt.clear();
  QTest::keyClicks(sheet.field, "1");
  EXPECT_EQ(sheet.workingsBuilt, QList<double>{31});
  EXPECT_EQ(sheet.workingPane()->working().steps.value(0).lines.value(1), "= 62");
  EXPECT_FALSE(sheet.workingPane()->isGreyed());

  sheet.field->setText("4E999");
  WorkingPane* pane = sheet.workingPane();
  EXPECT_TRUE(pane->isGreyed());
  EXPECT_TRUE(pane->working().stopped);
  EXPECT_EQ(
      pane->working().steps.last().lines,
      QStringList{
          "value cannot be read: Number too large. The steps above are for the value value last read."});
  retype(sheet.field, "4");
  EXPECT_FALSE(pane->isGreyed());
  EXPECT_FALSE(pane->working().stopped);
  EXPECT_EQ(pane->working().steps.size(), 1);

  sheet.showWorking(false);
  sheet.workingsBuilt.clear();
  retype(sheet.field, "5");
  EXPECT_TRUE(sheet.workingsBuilt.isEmpty()) << "a hidden pane costs the typing nothing";
}

// Hidden, the working is not printed; shown, its plain text follows the
// lines and the figure, after a blank line, as the pane shows it.
TEST_F(FrameTest, PrintAddsTheWorkingShownAfterTheLinesAndTheFigure) {
  Sheet sheet(Sheet::settingsOf(true));
  FakePrinter& printer = platform().printer;
  QTest::keyClicks(sheet.field, "2");
  const QStringList working = {"Twice the value", "1. Double it", "   2·2", "   = 4"};
  const struct {
    const char* what;
    bool figure, working;
    QStringList printed;
  } cases[] = {
      {"neither", false, false, {"first", "second"}},
      {"the working", false, true, QStringList{"first", "second", ""} + working},
      {"both", true, true, QStringList{"first", "second", ""} + working},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    sheet.showFigure(c.figure);
    sheet.showWorking(c.working);
    sheet.trigger("mnuPrint");
    EXPECT_EQ(printer.lastJobTexts(), c.printed);
    ASSERT_EQ(printer.figureJobs.back().size(), c.figure ? 1u : 0u);
    if (c.figure) EXPECT_EQ(printer.figureJobs.back()[0].afterLines, 2) << "the figure before the working";
  }
  sheet.lines.clear();
  sheet.showFigure(false);
  sheet.trigger("mnuPrint");
  EXPECT_EQ(printer.lastJobTexts(), working) << "nothing printed before it, no blank line";
}

}  // namespace
