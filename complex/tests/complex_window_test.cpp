#include "complex/complex_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <memory>

#include "common/dimension.h"
#include "common/result_list.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"

using namespace veltrano;
using namespace veltrano::testing;
using veltrano::complex::ComplexWindow;

namespace {

const QStringList kResults = {"lblSum", "lblDifference", "lblProduct", "lblQuotient", "lblYtoX",
                              "lblExp", "lblLog",        "lblPolar",   "lblXtoN"};
const QStringList kInputs = {"txtA", "txtB", "txtC", "txtD", "txtN"};

class ComplexWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    owned = std::make_unique<ComplexWindow>();
    window = owned.get();
    window->show();
    QApplication::setActiveWindow(window);
  }
  // Our windows go first: the shared tear-down deletes every top-level
  // widget, the windows' own menus included.
  void TearDown() override {
    owned.reset();
    other.reset();
    WindowTest::TearDown();
  }

  QLineEdit* field(const QString& name, QWidget* in = nullptr) const {
    return child<QLineEdit>(in ? in : window, name);
  }
  QLabel* label(const QString& name) const { return child<QLabel>(window, name); }
  QString text(const QString& name) const { return label(name)->text(); }
  QStringList results(QWidget* in) const {
    QStringList texts;
    for (const QString& name : kResults) texts << child<QLabel>(in, name)->text();
    return texts;
  }
  bool stale(const QString& name) const { return style::isStale(label(name)); }
  ResultList* list(QWidget* in = nullptr) const { return child<ResultList>(in ? in : window, "lstResults"); }
  bool enabled(const char* frame) const { return child<QGroupBox>(window, frame)->isEnabled(); }
  void chooseTask(int index) const {
    QRadioButton* task = indexedGroup<QRadioButton>(window, "OptTask").at(index);
    task->setFocus();  // as a mouse click does
    task->click();
  }
  void type(const QString& name, const QString& text) const { retype(field(name), text); }
  void fill(const QStringList& texts) const {
    for (int i = 0; i < texts.size(); ++i) type(kInputs[i], texts[i]);
  }
  void command(QWidget* in, const char* name, const QString& file) {
    if (QString(name) == "mnuOpen") platform().files.openAnswers.push_back(file);
    if (QString(name) == "mnuSaveAs") platform().files.saveAnswers.push_back(file);
    in->findChild<QAction*>(name)->trigger();
  }

  std::unique_ptr<ComplexWindow> owned;
  std::unique_ptr<ComplexWindow> other;
  ComplexWindow* window = nullptr;
};

TEST_F(ComplexWindowTest, LoadsWithItsControlsColoursAndTabOrder) {
  EXPECT_EQ(window->windowTitle(), "Complex Numbers  www.veltrano.org");
  EXPECT_DOUBLE_EQ(Dimension::HalfPi, 2 * std::atan(1.0));
  const QList<QRadioButton*> tasks = indexedGroup<QRadioButton>(window, "OptTask");
  ASSERT_EQ(tasks.size(), 10);
  EXPECT_EQ(tasks[9]->text(), "Find all nth roots of x");
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(tasks[i]->isChecked(), i == 0);
    EXPECT_EQ(tasks[i]->x() < tasks[9]->x(), i < 5) << "two columns";
  }
  EXPECT_TRUE(enabled("fraX") && enabled("fraY"));
  EXPECT_FALSE(enabled("fraN"));
  for (const QString& name : kResults) {
    EXPECT_EQ(style::background(label(name)), style::Yellow) << name.toStdString();
    EXPECT_EQ(label(name)->font().family(), "Courier New") << name.toStdString();
    EXPECT_EQ(label(name)->geometry().left(), label("lblSum")->geometry().left()) << name.toStdString();
  }
  EXPECT_EQ(label("lblPolar")->toolTip(), "Length,Argument (radians)");
  EXPECT_EQ(style::background(child<QFrame>(window, "Line1")), style::Blue);
  EXPECT_EQ(window->findChild<QAction*>("mnuSaveAs")->text(), "SaveAs");

  child<QGroupBox>(window, "fraN")->setEnabled(true);
  for (int i = 0; i + 1 < kInputs.size(); ++i) {
    EXPECT_EQ(style::background(field(kInputs[i])), style::Green);
    QWidget* next = field(kInputs[i])->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled()) next = next->nextInFocusChain();
    EXPECT_EQ(next, field(kInputs[i + 1]));
  }
}

TEST_F(ComplexWindowTest, FailedRunsSayWhyAndMarkTheResultsTheyDidNotWrite) {
  type("txtA", "3");
  EXPECT_EQ(results(window).mid(0, 4), QStringList({"3", "3", "0", ""}));
  EXPECT_TRUE(stale("lblQuotient") && stale("lblPolar"));
  EXPECT_FALSE(stale("lblSum"));
  EXPECT_EQ(window->statusText(), "Division by zero: y is 0");

  fill({"3", "4", "1", "-2"});
  for (const QString& name : kResults) EXPECT_FALSE(stale(name)) << name.toStdString();
  EXPECT_EQ(window->statusText(), "");

  type("txtB", "1E309");  // typing goes on; the results no longer match
  EXPECT_EQ(window->statusText(), "Number too large");
  EXPECT_TRUE(stale("lblSum"));
  type("txtB", "4");
  type("txtD", "");
  type("txtC", "");
  EXPECT_EQ(text("lblQuotient"), "3+4*i");  // from y = 1: a failed run keeps the older text
  EXPECT_TRUE(stale("lblQuotient"));
}

TEST_F(ComplexWindowTest, SwitchingTasksEmptiesWhatTheNewTaskDoesNotUse) {
  fill({"3", "4", "1", "-2"});
  chooseTask(2);  // two-number to two-number keeps the results
  EXPECT_EQ(text("lblSum"), "4+2*i");

  chooseTask(5);
  EXPECT_EQ(field("txtC")->text() + field("txtD")->text(), "");
  EXPECT_EQ(results(window).mid(0, 5).join(""), "");
  EXPECT_EQ(text("lblLog"), "1.6094379124341+0.927295218001612*i");
  EXPECT_FALSE(enabled("fraY") || enabled("fraN"));

  chooseTask(8);  // nothing to empty, so nothing is computed yet
  EXPECT_TRUE(enabled("fraN"));
  EXPECT_EQ(text("lblXtoN"), "");
  type("txtN", "3");
  EXPECT_EQ(text("lblXtoN"), "-117+44*i");
  EXPECT_EQ(list()->count(), 3);

  chooseTask(9);
  EXPECT_EQ(list()->count(), 0);
  EXPECT_EQ(field("txtN")->text(), "3");

  chooseTask(0);
  EXPECT_EQ(field("txtN")->text() + text("lblXtoN"), "");
  EXPECT_TRUE(enabled("fraY"));
}

TEST_F(ComplexWindowTest, PowerTasksMoveTheFocusToNButNeverAwayFromTheFieldBeingTyped) {
  fill({"3", "", "1"});
  chooseTask(9);
  EXPECT_EQ(text("lblXtoN"), "1");  // emptying y ran the new task with n = 0
  EXPECT_EQ(window->focusWidget(), field("txtN"));

  type("txtN", "-1");
  field("txtA")->clear();
  field("txtA")->setFocus();
  for (const QString key : {"-", "8"}) {
    typeText(field("txtA"), key);
    EXPECT_EQ(window->focusWidget(), field("txtA"));
  }
  EXPECT_EQ(text("lblXtoN"), "-0.125-1.53080849893419E-17*i");
  type("txtA", "");  // x = 0 with n < 0: the power of the earlier x stays, marked
  EXPECT_EQ(text("lblXtoN"), "-0.125-1.53080849893419E-17*i");
  EXPECT_TRUE(stale("lblXtoN"));
  EXPECT_EQ(window->statusText(), "Division by zero: x is 0 and n is negative");
  EXPECT_EQ(field("txtN")->text(), "-1");
}

TEST_F(ComplexWindowTest, SavesAFreshWindowAndThreePlusFourIAndOneMinusTwoI) {
  command(window, "mnuSaveAs", path("fresh.txt"));
  EXPECT_EQ(readBytes(path("fresh.txt")), QByteArray("\r\n").repeated(12) + "\"\"\r\n\r\n 0 \r\n");
  fill({"3", "4", "1", "-2"});
  command(window, "mnuSaveAs", path("sum.txt"));
  EXPECT_EQ(
      readBytes(path("sum.txt")),
      "3\r\n4\r\n1\r\n-2\r\n\r\n4+2*i\r\n2+6*i\r\n11-2*i\r\n-1+2*i\r\n932.139194643222-95.9465336603415*i\r\n"
      "-13.1287830814622-15.200784463068*i\r\n1.6094379124341+0.927295218001612*i\r\n"
      "\"5,0.927295218001612\"\r\n\r\n 0 \r\n");
}

TEST_F(ComplexWindowTest, CubeRootsSavedAndOpenedInATwoNumberTask) {
  chooseTask(9);
  fill({"-8", "", "", "", "3"});
  command(window, "mnuSaveAs", path("roots.txt"));
  EXPECT_TRUE(
      readBytes(path("roots.txt"))
          .endsWith(" 3 \r\n1+1.73205080756888*i\r\n-2+2.44929359829471E-16*i\r\n1-1.73205080756888*i\r\n"));

  other = std::make_unique<ComplexWindow>();
  command(other.get(), "mnuOpen", path("roots.txt"));
  EXPECT_EQ(field("txtN", other.get())->text(), "3");
  EXPECT_EQ(results(other.get()), results(window));  // the file's texts, not those of the runs
  EXPECT_EQ(list(other.get())->rows(), list()->rows());
  EXPECT_TRUE(indexedGroup<QRadioButton>(other.get(), "OptTask").at(0)->isChecked());
  EXPECT_FALSE(child<QGroupBox>(other.get(), "fraN")->isEnabled());
}

TEST_F(ComplexWindowTest, OpeningTheFileOfTheSameStateRunsNoChangeHandler) {
  fill({"3", "4", "1", "-2"});
  command(window, "mnuSaveAs", path("same.txt"));
  const QStringList before = results(window);
  std::vector<std::unique_ptr<QSignalSpy>> spies;
  for (const QString& name : kInputs)
    spies.push_back(std::make_unique<QSignalSpy>(field(name), &QLineEdit::textChanged));
  command(window, "mnuOpen", path("same.txt"));
  for (const auto& spy : spies) EXPECT_EQ(spy->count(), 0);
  EXPECT_EQ(results(window), before);
}

TEST_F(ComplexWindowTest, PrintsFiveLinesForExpInCourierNew) {
  chooseTask(5);
  type("txtA", "0");
  window->findChild<QAction*>("mnuPrint")->trigger();
  EXPECT_EQ(platform().printer.lastJobTexts(),
            QStringList({"x = 0 +  * i", "", "Exp(x) = 1", "Log(x) = NOT DEFINED FOR X = 0",
                         "Polar form of x = 0,0"}));
  EXPECT_EQ(platform().printer.jobs.at(0).at(0).fontName, "Courier New");
  EXPECT_EQ(platform().printer.font, "Arial");
}

}  // namespace
