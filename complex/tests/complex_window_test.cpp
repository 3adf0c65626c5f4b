#include "complex/complex_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

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

// The shared tear-down deletes the windows.
class ComplexWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window = new ComplexWindow;
    window->show();
    QApplication::setActiveWindow(window);
  }

  QLineEdit* field(const QString& name, QWidget* in = nullptr) const {
    return child<QLineEdit>(in ? in : window, name);
  }
  QString text(const QString& name) const { return child<QLabel>(window, name)->text(); }
  QStringList results(QWidget* in) const {
    QStringList texts;
    for (const QString& name : kResults) texts << child<QLabel>(in, name)->text();
    return texts;
  }
  bool stale(const QString& name) const { return style::isStale(child<QLabel>(window, name)); }
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
  void saveAs(QWidget* in, const QString& name) {
    platform().files.saveAnswers.push_back(path(name));
    in->findChild<QAction*>("mnuSaveAs")->trigger();
  }

  ComplexWindow* window = nullptr;
};

TEST_F(ComplexWindowTest, TabGoesThroughTheInputsInOrder) {
  child<QGroupBox>(window, "fraN")->setEnabled(true);
  for (int i = 0; i + 1 < kInputs.size(); ++i) {
    QWidget* next = field(kInputs[i])->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus) || !next->isEnabled()) next = next->nextInFocusChain();
    EXPECT_EQ(next, field(kInputs[i + 1]));
  }
}

TEST_F(ComplexWindowTest, FailedRunsSayWhyAndMarkTheResultsTheyDidNotWrite) {
  type("txtA", "3");
  EXPECT_EQ(results(window).mid(0, 4), QStringList({"3", "3", "0", ""}));
  EXPECT_TRUE(stale("lblQuotient") && stale("lblPolar") && !stale("lblSum"));
  EXPECT_EQ(window->statusText(), "Division by zero: y is 0");

  fill({"3", "4", "1", "-2"});
  for (const QString& name : kResults) EXPECT_FALSE(stale(name)) << name.toStdString();
  EXPECT_EQ(window->statusText(), "");

  type("txtD", "");
  type("txtC", "");
  EXPECT_EQ(text("lblQuotient"), "3+4*i");  // from y = 1: a failed run keeps the older text
  EXPECT_TRUE(stale("lblQuotient"));
}

TEST_F(ComplexWindowTest, SwitchingTasksEmptiesWhatTheNewTaskDoesNotUse) {
  fill({"3", "4", "1", "-2"});
  chooseTask(2);  // two-number to two-number keeps the results
  EXPECT_EQ(text("lblSum"), "4+2*i");
  EXPECT_FALSE(enabled("fraN"));

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
  const QString power = text("lblXtoN");
  EXPECT_EQ(power, "-0.125-1.53080849893419E-17*i");
  type("txtA", "");  // x = 0 with n < 0: the power of the earlier x stays, marked
  EXPECT_TRUE(text("lblXtoN") == power && stale("lblXtoN"));
  EXPECT_EQ(window->statusText(), "Division by zero: x is 0 and n is negative");
}

TEST_F(ComplexWindowTest, SavesAFreshWindowAndThreePlusFourIAndOneMinusTwoI) {
  saveAs(window, "fresh.txt");
  EXPECT_EQ(readBytes(path("fresh.txt")), QByteArray("\r\n").repeated(12) + "\"\"\r\n\r\n 0 \r\n");
  fill({"3", "4", "1", "-2"});
  saveAs(window, "sum.txt");
  EXPECT_EQ(
      readBytes(path("sum.txt")),
      "3\r\n4\r\n1\r\n-2\r\n\r\n4+2*i\r\n2+6*i\r\n11-2*i\r\n-1+2*i\r\n932.139194643222-95.9465336603415*i\r\n"
      "-13.1287830814622-15.200784463068*i\r\n1.6094379124341+0.927295218001612*i\r\n"
      "\"5,0.927295218001612\"\r\n\r\n 0 \r\n");
}

TEST_F(ComplexWindowTest, CubeRootsSavedAndOpenedInATwoNumberTask) {
  chooseTask(9);
  fill({"-8", "", "", "", "3"});
  saveAs(window, "roots.txt");
  EXPECT_TRUE(
      readBytes(path("roots.txt"))
          .endsWith(" 3 \r\n1+1.73205080756888*i\r\n-2+2.44929359829471E-16*i\r\n1-1.73205080756888*i\r\n"));

  ComplexWindow* other = new ComplexWindow;
  platform().files.openAnswers.push_back(path("roots.txt"));
  other->findChild<QAction*>("mnuOpen")->trigger();
  EXPECT_EQ(field("txtN", other)->text(), "3");
  EXPECT_EQ(results(other), results(window));  // the file's texts, not those of the runs
  EXPECT_EQ(list(other)->rows(), list()->rows());
  EXPECT_TRUE(indexedGroup<QRadioButton>(other, "OptTask").at(0)->isChecked());
}

TEST_F(ComplexWindowTest, PrintsFiveLinesForExpInCourierNew) {
  chooseTask(5);
  type("txtA", "0");
  window->findChild<QAction*>("mnuPrint")->trigger();
  EXPECT_EQ(platform().printer.lastJobTexts(),
            QStringList({"x = 0 +  * i", "", "Exp(x) = 1", "Log(x) = NOT DEFINED FOR X = 0",
                         "Polar form of x = 0,0"}));
  EXPECT_EQ(platform().printer.jobs.at(0).at(0).fontName, "Courier New");
}

}  // namespace
