#include "complex/complex_window.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "common/dimension.h"
#include "common/result_list.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"

using namespace veltrano;
using namespace veltrano::testing;
using veltrano::complex::ComplexWindow;

namespace {

const char* kResultNames[] = {"lblSum", "lblDifference", "lblProduct", "lblQuotient", "lblYtoX",
                              "lblExp", "lblLog",        "lblPolar",   "lblXtoN"};
const char* kInputNames[] = {"txtA", "txtB", "txtC", "txtD", "txtN"};

QWidget* nextTabStop(QWidget* from) {
  QWidget* next = from->nextInFocusChain();
  while (next != from && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled())) next = next->nextInFocusChain();
  return next;
}

class ComplexWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window = std::make_unique<ComplexWindow>();
    window->show();
    QApplication::setActiveWindow(window.get());
  }
  void TearDown() override {
    window.reset();
    WindowTest::TearDown();
  }

  QLineEdit* field(const char* name) const { return child<QLineEdit>(window.get(), name); }
  QLabel* result(const char* name) const { return child<QLabel>(window.get(), name); }
  QString text(const char* name) const { return result(name)->text(); }
  ResultList* list() const { return child<ResultList>(window.get(), "lstResults"); }
  bool stale(const char* name) const { return style::isStale(result(name)); }
  QString status() const { return window->statusText(); }
  void chooseTask(int index) const { indexedGroup<QRadioButton>(window.get(), "OptTask").at(index)->click(); }
  void type(const char* name, const QString& text) const { retype(field(name), text); }
  void trigger(const char* name) const { window->findChild<QAction*>(name)->trigger(); }

  void saveAs(const QString& file) {
    platform().files.saveAnswers.push_back(file);
    trigger("mnuSaveAs");
  }
  void open(const QString& file) {
    platform().files.openAnswers.push_back(file);
    trigger("mnuOpen");
  }

  std::unique_ptr<ComplexWindow> window;
};

TEST_F(ComplexWindowTest, LoadsWithItsControlsCaptionsAndColours) {
  EXPECT_EQ(window->objectName(), "frmComplex");
  EXPECT_EQ(window->windowTitle(), "Complex Numbers  www.veltrano.org");
  EXPECT_DOUBLE_EQ(Dimension::HalfPi, 2 * std::atan(1.0));

  const QList<QRadioButton*> tasks = indexedGroup<QRadioButton>(window.get(), "OptTask");
  const QStringList captions = {"x + y",  "x - y",  "x * y",           "x / y", "y ^ x",
                                "Exp(x)", "Log(x)", "Polar form of x", "x ^ n", "Find all nth roots of x"};
  ASSERT_EQ(tasks.size(), 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(tasks[i]->text(), captions[i]);
    EXPECT_EQ(tasks[i]->parentWidget()->objectName(), "Frame1");
    EXPECT_EQ(tasks[i]->isChecked(), i == 0);
    EXPECT_EQ(tasks[i]->x() < tasks[5]->x(), i < 5) << "two columns";
  }
  EXPECT_TRUE(child<QGroupBox>(window.get(), "fraX")->isEnabled());
  EXPECT_TRUE(child<QGroupBox>(window.get(), "fraY")->isEnabled());
  EXPECT_FALSE(child<QGroupBox>(window.get(), "fraN")->isEnabled());
  EXPECT_EQ(child<QGroupBox>(window.get(), "fraX")->title(), "Enter x:");

  for (const char* name : kInputNames) {
    EXPECT_TRUE(field(name)->text().isEmpty());
    EXPECT_EQ(style::background(field(name)), style::Green);
  }
  for (const char* name : kResultNames) {
    EXPECT_TRUE(text(name).isEmpty()) << name;
    EXPECT_EQ(style::background(result(name)), style::Yellow) << name;
    EXPECT_EQ(result(name)->font().family(), "Courier New") << name;
    EXPECT_EQ(result(name)->x(), result("lblSum")->x()) << name;
    EXPECT_EQ(result(name)->width(), result("lblSum")->width()) << name;
  }
  EXPECT_EQ(child<QLabel>(window.get(), "Label8")->text(), " x = a + b*i ");
  EXPECT_EQ(child<QLabel>(window.get(), "Label22")->text(), "Polar form of x = ");
  EXPECT_EQ(result("lblPolar")->toolTip(), "Length,Argument (radians)");
  EXPECT_EQ(list()->toolTip(), "nth roots of x");
  EXPECT_EQ(list()->count(), 0);
  QFrame* line = child<QFrame>(window.get(), "Line1");
  EXPECT_EQ(line->height(), 2);
  EXPECT_EQ(style::background(line), style::Blue);
  EXPECT_EQ(window->findChild<QAction*>("mnuSaveAs")->text(), "SaveAs");
  EXPECT_EQ(window->findChild<QAction*>("mnuFileBar2"), nullptr);

  // Tab order of the fields: txtA, txtB, txtC, txtD, txtN.
  child<QGroupBox>(window.get(), "fraN")->setEnabled(true);
  for (int i = 0; i + 1 < 5; ++i) EXPECT_EQ(nextTabStop(field(kInputNames[i])), field(kInputNames[i + 1]));
}

TEST_F(ComplexWindowTest, TypingXWhileYIsEmptyShowsWhatCanBeComputedAndSaysWhyTheRestCannot) {
  type("txtA", "3");
  EXPECT_EQ(text("lblSum"), "3");
  EXPECT_EQ(text("lblDifference"), "3");
  EXPECT_EQ(text("lblProduct"), "0");
  for (const char* name : {"lblQuotient", "lblYtoX", "lblExp", "lblLog", "lblPolar"}) {
    EXPECT_EQ(text(name), "") << name;
    EXPECT_TRUE(stale(name)) << name;
  }
  EXPECT_FALSE(stale("lblSum"));
  EXPECT_EQ(status(), "Division by zero: y is 0");

  type("txtC", "1");
  type("txtD", "-2");
  type("txtB", "4");
  EXPECT_EQ(text("lblSum"), "4+2*i");
  EXPECT_EQ(text("lblDifference"), "2+6*i");
  EXPECT_EQ(text("lblProduct"), "11-2*i");
  EXPECT_EQ(text("lblQuotient"), "-1+2*i");
  EXPECT_EQ(text("lblLog"), "1.6094379124341+0.927295218001612*i");
  EXPECT_EQ(text("lblPolar"), "5,0.927295218001612");
  for (const char* name : kResultNames) EXPECT_FALSE(stale(name)) << name;
  EXPECT_EQ(status(), "");

  // Emptying y again: the quotient and what follows keep the texts of the
  // earlier y, marked as not current.
  type("txtD", "");
  type("txtC", "");
  EXPECT_EQ(text("lblSum"), "3+4*i");
  EXPECT_EQ(text("lblQuotient"), "3+4*i");  // from y = 1, the last y it could divide by
  EXPECT_TRUE(stale("lblQuotient"));
  EXPECT_TRUE(stale("lblPolar"));
  EXPECT_EQ(status(), "Division by zero: y is 0");
}

TEST_F(ComplexWindowTest, ANumberTooLargeToReadMarksTheResultsAndTypingGoesOn) {
  type("txtA", "2");
  type("txtB", "1E309");
  EXPECT_EQ(status(), "Number too large");
  EXPECT_TRUE(stale("lblSum"));
  EXPECT_EQ(text("lblSum"), "2+1E+30*i");
  QTest::keyClick(field("txtB"), Qt::Key_Backspace);  // "1E30"
  EXPECT_EQ(text("lblSum"), "2+1E+30*i");
  EXPECT_FALSE(stale("lblSum"));
}

TEST_F(ComplexWindowTest, SwitchingTasksEmptiesTheFieldsAndResultsTheNewTaskDoesNotUse) {
  type("txtA", "3");
  type("txtB", "4");
  type("txtC", "1");
  type("txtD", "-2");

  chooseTask(2);  // two-number to two-number: the results stay
  EXPECT_EQ(text("lblSum"), "4+2*i");

  chooseTask(5);  // Exp(x)
  EXPECT_EQ(field("txtC")->text(), "");
  EXPECT_EQ(field("txtD")->text(), "");
  for (const char* name : {"lblSum", "lblDifference", "lblProduct", "lblQuotient", "lblYtoX"}) {
    EXPECT_EQ(text(name), "") << name;
  }
  EXPECT_EQ(text("lblLog"), "1.6094379124341+0.927295218001612*i");
  EXPECT_FALSE(child<QGroupBox>(window.get(), "fraY")->isEnabled());
  EXPECT_FALSE(child<QGroupBox>(window.get(), "fraN")->isEnabled());

  // Nothing to empty on the way to a power task: nothing is computed yet.
  chooseTask(8);
  EXPECT_TRUE(child<QGroupBox>(window.get(), "fraN")->isEnabled());
  EXPECT_EQ(text("lblXtoN"), "");
  type("txtN", "3");
  EXPECT_EQ(text("lblXtoN"), "-117+44*i");
  EXPECT_EQ(list()->count(), 3);

  chooseTask(9);  // the list empties and fills again at the next edit
  EXPECT_EQ(list()->count(), 0);
  EXPECT_EQ(field("txtN")->text(), "3");
  type("txtA", "-8");
  type("txtB", "");
  EXPECT_EQ(list()->count(), 3);

  chooseTask(0);
  EXPECT_EQ(field("txtN")->text(), "");
  EXPECT_EQ(text("lblXtoN"), "");
  EXPECT_EQ(list()->count(), 0);
  EXPECT_TRUE(child<QGroupBox>(window.get(), "fraY")->isEnabled());
}

TEST_F(ComplexWindowTest, ChoosingAPowerTaskWithYFilledComputesXToTheZeroAndMovesTheFocusToN) {
  type("txtA", "3");
  type("txtC", "1");
  chooseTask(8);
  EXPECT_EQ(text("lblXtoN"), "1");
  EXPECT_EQ(list()->count(), 0);
  EXPECT_EQ(text("lblSum"), "");
  EXPECT_EQ(window->focusWidget(), field("txtN"));
}

TEST_F(ComplexWindowTest, TypingInAPowerTaskKeepsTheFocusWhereTheUserTypes) {
  chooseTask(9);
  type("txtN", "3");
  field("txtA")->setFocus();
  for (QChar key : QStringLiteral("-8")) {
    typeText(field("txtA"), QString(key));
    EXPECT_EQ(window->focusWidget(), field("txtA"));
  }
  field("txtB")->setFocus();
  typeText(field("txtB"), QStringLiteral("0"));
  EXPECT_EQ(window->focusWidget(), field("txtB"));
  EXPECT_EQ(field("txtA")->text(), "-8");
  EXPECT_EQ(field("txtN")->text(), "3");
  EXPECT_EQ(list()->rows(),
            QStringList({"1+1.73205080756888*i", "-2+2.44929359829471E-16*i", "1-1.73205080756888*i"}));
}

TEST_F(ComplexWindowTest, RootsOnlyForAWholePositiveN) {
  chooseTask(8);
  type("txtA", "1");
  type("txtN", "4");
  EXPECT_EQ(list()->rows(), QStringList({"1", "6.12323399573677E-17+1*i", "-1+1.22464679914735E-16*i",
                                         "-1.83697019872103E-16-1*i"}));
  const struct {
    const char* n;
    const char* power;
  } cases[] = {{"2.5", "1"}, {"0", "1"}, {"-2", "1"}};
  for (const auto& c : cases) {
    type("txtN", c.n);
    EXPECT_EQ(text("lblXtoN"), c.power) << c.n;
    EXPECT_EQ(list()->count(), 0) << c.n;
    EXPECT_EQ(status(), "") << c.n;
  }
  type("txtA", "0");
  type("txtN", "0");
  EXPECT_EQ(text("lblXtoN"), "1");
}

TEST_F(ComplexWindowTest, XZeroWithNegativeNLeavesThePowerEmptyAndSaysWhy) {
  chooseTask(8);
  type("txtA", "2");
  type("txtN", "-1");
  EXPECT_EQ(text("lblXtoN"), "0.5");
  EXPECT_EQ(text("lblPolar"), "2,0");
  type("txtA", "");
  EXPECT_EQ(text("lblXtoN"), "0.5");  // the power of the earlier x, not current
  EXPECT_TRUE(stale("lblXtoN"));
  EXPECT_TRUE(stale("lblPolar"));
  EXPECT_EQ(status(), "Division by zero: x is 0 and n is negative");
  type("txtN", "-2");  // the change of n empties the power first
  EXPECT_EQ(text("lblXtoN"), "");
  EXPECT_EQ(list()->count(), 0);
  type("txtA", "1");
  EXPECT_EQ(text("lblXtoN"), "1");
  EXPECT_FALSE(stale("lblPolar"));
  EXPECT_EQ(status(), "");
}

TEST_F(ComplexWindowTest, AListBeyondItsLimitShowsTheFirstRootsAndSaysItIsFull) {
  chooseTask(9);
  type("txtA", "1");
  type("txtN", "40000");
  EXPECT_EQ(list()->count(), ResultList::kMaxRows);
  EXPECT_EQ(status(), "The list is full: it shows the first 32767 roots");
  EXPECT_TRUE(stale("lblExp"));
}

TEST_F(ComplexWindowTest, FreshWindowSavedAtOnce) {
  saveAs(path("fresh.txt"));
  EXPECT_EQ(readBytes(path("fresh.txt")), QByteArray("\r\n").repeated(12) + "\"\"\r\n\r\n 0 \r\n");
}

TEST_F(ComplexWindowTest, SavesTheTwoNumberTaskOfThreePlusFourIAndOneMinusTwoI) {
  type("txtA", "3");
  type("txtB", "4");
  type("txtC", "1");
  type("txtD", "-2");
  saveAs(path("sum.txt"));
  const QList<QByteArray> lines = readBytes(path("sum.txt")).split('\n');
  ASSERT_EQ(lines.size(), 16);
  const QList<QByteArray> start = {"3\r", "4\r", "1\r", "-2\r", "\r", "4+2*i\r", "2+6*i\r", "11-2*i\r", "-1+2*i\r"};
  EXPECT_EQ(lines.mid(0, 9), start);
  EXPECT_EQ(lines[9], text("lblYtoX").toLatin1() + "\r");
  EXPECT_EQ(lines[10], "-13.1287830814622-15.200784463068*i\r");
  EXPECT_EQ(lines[11], "1.6094379124341+0.927295218001612*i\r");
  EXPECT_EQ(lines[12], "\"5,0.927295218001612\"\r");
  EXPECT_EQ(lines[13], "\r");
  EXPECT_EQ(lines[14], " 0 \r");
  EXPECT_EQ(lines[15], "");
}

TEST_F(ComplexWindowTest, CubeRootsSavedAndOpenedInATwoNumberTask) {
  chooseTask(9);
  type("txtA", "-8");
  type("txtN", "3");
  const QString xToN = text("lblXtoN");
  saveAs(path("roots.txt"));
  EXPECT_TRUE(readBytes(path("roots.txt"))
                  .endsWith(" 3 \r\n1+1.73205080756888*i\r\n-2+2.44929359829471E-16*i\r\n1-1.73205080756888*i\r\n"));

  ComplexWindow other;
  other.show();
  Dimension::CurrentFileName.clear();
  platform().files.openAnswers.push_back(path("roots.txt"));
  other.findChild<QAction*>("mnuOpen")->trigger();
  EXPECT_EQ(child<QLineEdit>(&other, "txtA")->text(), "-8");
  EXPECT_EQ(child<QLineEdit>(&other, "txtN")->text(), "3");
  EXPECT_EQ(child<QLabel>(&other, "lblXtoN")->text(), xToN);
  EXPECT_EQ(child<ResultList>(&other, "lstResults")->rows(), list()->rows());
  EXPECT_EQ(child<QLabel>(&other, "lblPolar")->text(), "8,3.14159265358979");
  EXPECT_EQ(child<QLabel>(&other, "lblSum")->text(), "");  // the file's, not the run's
  EXPECT_TRUE(indexedGroup<QRadioButton>(&other, "OptTask").at(0)->isChecked());
  EXPECT_FALSE(child<QGroupBox>(&other, "fraN")->isEnabled());
  EXPECT_EQ(Dimension::CurrentFileName, path("roots.txt"));
}

TEST_F(ComplexWindowTest, OpeningTheFileOfTheSameStateRunsNoChangeHandler) {
  type("txtA", "3");
  type("txtB", "4");
  type("txtC", "1");
  type("txtD", "-2");
  saveAs(path("same.txt"));
  std::vector<std::unique_ptr<QSignalSpy>> spies;
  for (const char* name : kInputNames) spies.push_back(std::make_unique<QSignalSpy>(field(name), &QLineEdit::textChanged));
  QStringList before;
  for (const char* name : kResultNames) before << text(name);

  open(path("same.txt"));
  for (const auto& spy : spies) EXPECT_EQ(spy->count(), 0);
  QStringList after;
  for (const char* name : kResultNames) after << text(name);
  EXPECT_EQ(after, before);
}

TEST_F(ComplexWindowTest, OpenPutsTheFileResultsOverWhatTheRunsWroteAndClearsTheMarks) {
  type("txtA", "5");  // y empty: the quotient and the rest are marked
  writeBytes(path("given.txt"), "1\r\n2\r\n3\r\n4\r\n\r\nS\r\nD\r\nP\r\nQ\r\nY\r\nE\r\nL\r\n\"1,2\"\r\nX\r\n 1 \r\nrow\r\n");
  open(path("given.txt"));
  QStringList shown;
  for (const char* name : kResultNames) shown << text(name);
  EXPECT_EQ(shown, QStringList({"S", "D", "P", "Q", "Y", "E", "L", "1,2", "X"}));
  EXPECT_EQ(list()->rows(), QStringList{"row"});
  for (const char* name : kResultNames) EXPECT_FALSE(stale(name)) << name;
  EXPECT_EQ(status(), "");
}

TEST_F(ComplexWindowTest, AShortFileChangesNothing) {
  type("txtA", "7");
  writeBytes(path("short.txt"), "1\r\n2\r\n3\r\n");
  platform().messages.expect(MessageAnswer::Ok);
  open(path("short.txt"));
  EXPECT_EQ(field("txtA")->text(), "7");
  EXPECT_EQ(text("lblSum"), "7");
  EXPECT_EQ(Dimension::CurrentFileName, "");
}

TEST_F(ComplexWindowTest, PrintsThePageOfTheSelectedTaskInCourierNew) {
  type("txtA", "0");
  chooseTask(5);
  type("txtA", "");
  platform().printer.font = "Arial";
  trigger("mnuPrint");
  ASSERT_EQ(platform().printer.jobs.size(), 1u);
  EXPECT_EQ(platform().printer.lastJobTexts(),
            QStringList({"x =  +  * i", "", "Exp(x) = 1", "Log(x) = NOT DEFINED FOR X = 0", "Polar form of x = 0,0"}));
  for (const PrintedLine& line : platform().printer.jobs.front()) EXPECT_EQ(line.fontName, "Courier New");
  EXPECT_EQ(platform().printer.font, "Arial");

  chooseTask(9);
  type("txtA", "1");
  type("txtN", "2");
  trigger("mnuPrint");
  EXPECT_EQ(platform().printer.lastJobTexts().mid(0, 7),
            QStringList({"x = 1 +  * i", "n = 2", "", "x ^ n = 1", "nth roots of x:", "1", "-1+1.22464679914735E-16*i"}));
}

}  // namespace
