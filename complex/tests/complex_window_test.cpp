#include "complex/complex_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "common/figure_pane.h"
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
    window = new ComplexWindow;
    window->show();
    QApplication::setActiveWindow(window);
  }

  QLineEdit* field(const QString& name) const { return child<QLineEdit>(window, name); }
  QString text(const QString& name) const { return child<QLabel>(window, name)->text(); }
  bool stale(const QString& name) const { return style::isStale(child<QLabel>(window, name)); }
  ResultList* list(QWidget* in) const { return child<ResultList>(in, "lstResults"); }
  void chooseTask(int index) const {
    QRadioButton* task = indexedGroup<QRadioButton>(window, "OptTask").at(index);
    task->setFocus();  // as a mouse click does
    task->click();
  }
  void type(const QString& name, const QString& text) const { retype(field(name), text); }
  void fill(const QStringList& texts) const {
    for (int i = 0; i < texts.size(); ++i) type(kInputs[i], texts[i]);
  }
  void saveAs(const QString& name) {
    platform().files.saveAnswers.push_back(path(name));
    window->findChild<QAction*>("mnuSaveAs")->trigger();
  }

  ComplexWindow* window = nullptr;  // the shared tear-down deletes the windows
};

TEST_F(ComplexWindowTest, PowerTasksMoveTheFocusToNButNeverAwayFromTheFieldBeingTyped) {
  fill({"3", "", "1"});
  chooseTask(9);
  EXPECT_EQ(text("lblXtoN"), "1");  // emptying y ran the new task with n = 0
  EXPECT_EQ(window->focusWidget(), field("txtN"));
  type("txtN", "-1");
  type("txtA", "-8");  // a run per keystroke; a focus moved by one would show here
  EXPECT_EQ(window->focusWidget(), field("txtA"));
  EXPECT_EQ(text("lblXtoN"), "-0.125-1.53080849893419E-17*i");
}

// A fresh window saves its empty texts. While c is too large to read, the
// runs that d sets off answer the c last read: their results stay marked.
TEST_F(ComplexWindowTest, FreshWindowSavedAndResultsMarkedWhileCCannotBeRead) {
  saveAs("fresh.txt");
  EXPECT_EQ(readBytes(path("fresh.txt")), QByteArray("\r\n").repeated(12) + "\"\"\r\n\r\n 0 \r\n");
  fill({"3", "4", "1E309", "5"});
  for (const QString& name : kResults.mid(0, 8)) EXPECT_TRUE(stale(name)) << name.toStdString();
  EXPECT_EQ(window->statusText(), "Number too large");
}

// A y whose square is too small for a double, in one part only: the quotient
// divides by 0, but y itself is no 0. Typed key by key, each task of the
// group shows the same, the later results kept from a shorter exponent.
TEST_F(ComplexWindowTest, ATinyYInOnePartIsTooSmallButNotZero) {
  const struct {
    QString c, d;
    QStringList shown;
  } cases[] = {
      {"1E-200",
       "",
       {"1", "1", "1E-200", "1E+20", "9.99999999999999E-21", "2.71828182845905", "0", "1,0", ""}},
      {"",
       "1E-200",
       {"1+1E-200*i", "1-1E-200*i", "0+1E-200*i", "0-1E+20*i", "6.12323399573676E-37+9.99999999999999E-21*i",
        "2.71828182845905", "0", "1,0", ""}},
  };
  for (int task = 0; task <= 4; ++task) {
    for (const auto& c : cases) {
      delete window;
      window = new ComplexWindow;
      chooseTask(task);
      fill({"1", "", c.c, c.d});
      const std::string what =
          QStringLiteral("task %1, c = %2, d = %3").arg(task).arg(c.c, c.d).toStdString();
      QStringList shown;
      for (const QString& name : kResults) shown << text(name);
      EXPECT_EQ(shown, c.shown) << what;
      EXPECT_EQ(window->statusText(), "Division by zero: y is too small") << what;
      for (int i = 0; i < kResults.size(); ++i) {
        EXPECT_EQ(stale(kResults[i]), i >= 3 && i <= 7) << what << " " << kResults[i].toStdString();
      }
    }
  }
}

// A task choice is a change when it empties a field or a result that is
// saved, and none when it empties nothing.
TEST_F(ComplexWindowTest, TaskChoiceIsAChangeWhenItEmptiesWhatIsSaved) {
  const struct {
    int from;
    QStringList typed;  // a, b, c, d, n
    int to;
    bool changes;
  } choices[] = {
      {0, {"3", "4", "1", "-2"}, 5, true},    // empties c and d
      {9, {"-8", "", "", "", "3"}, 8, true},  // empties the roots only
      {0, {"3", "4"}, 2, false},
  };
  for (const auto& c : choices) {
    SCOPED_TRACE(c.to);
    chooseTask(c.from);
    fill(c.typed);
    saveAs("choices.txt");
    chooseTask(c.to);
    EXPECT_EQ(window->isWindowModified(), c.changes);
  }
}

// The window opens with the focus in a. A field in a disabled frame is drawn as
// the platform draws a disabled field, and green again once enabled.
TEST_F(ComplexWindowTest, OpensTypingIntoAAndGreysTheFieldsOfDisabledFrames) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_EQ(QApplication::focusWidget(), field("txtA"));
  auto drawn = [this](const char* name) {
    QLineEdit* f = field(name);
    return f->grab().toImage().pixelColor(f->width() / 2, f->height() / 2);
  };
  const QColor disabled = QApplication::palette(field("txtN")).color(QPalette::Disabled, QPalette::Base);
  ASSERT_NE(disabled, style::Green);
  chooseTask(5);
  EXPECT_EQ(drawn("txtC"), disabled);
  EXPECT_EQ(drawn("txtA"), style::Green);
  chooseTask(8);
  EXPECT_EQ(drawn("txtN"), style::Green);
}

// Open puts the fields in as typing would; a count of roots that is no whole
// number reads as the nearest one, and says so.
TEST_F(ComplexWindowTest, OpenTellsFieldsAndCountsReadOnlyInPart) {
  // a, then the other four inputs and seven results empty, the polar form, x ^ n.
  const QString head = (QStringList{"2x"} + QStringList(11, QString()) + QStringList{"\"\"", ""}).join(u'|');
  platform().messages.expect(MessageAnswer::Yes);  // the row left over makes it look foreign: opened anyway
  openLines(window, head + "|2.6|r1|r2|r3|r4");
  EXPECT_EQ(field("txtA")->text(), "2x");
  EXPECT_EQ(list(window)->rows(), QStringList({"r1", "r2", "r3"}));
  EXPECT_EQ(window->statusText(), "The count '2.6' in the file is read as 3");
}

// The list writes its rows as it shows them, yet Save gets every one; the
// pane draws every root.
TEST_F(ComplexWindowTest, AllRootsListedSavedAndDrawn) {
  window->showFigure(true);
  chooseTask(9);
  fill({"1", "", "", "", "32767"});
  EXPECT_EQ(list(window)->count(), 32767);
  EXPECT_EQ(list(window)->row(32766), "0.999999981615307-0.000191753449161976*i");
  EXPECT_EQ(window->figurePane()->figure().dots.value(0).at.size(), 32767);
  saveAs("many.txt");
  const QByteArray saved = readBytes(path("many.txt"));
  EXPECT_EQ(saved.count("\r\n"), 15 + 32767);
  EXPECT_TRUE(saved.endsWith("\r\n0.999999981615307-0.000191753449161976*i\r\n"));
}

// The printed pages are headed with the task chosen; 32767 roots of x take
// many pages, each with its heading and footer.
TEST_F(ComplexWindowTest, PrintedPagesAreHeadedWithTheTaskChosen) {
  struct Case {
    int task;
    QString n;
    QString heading;
    std::size_t pages;
  } cases[] = {
      {3, "", "Veltrano \u2013 Complex Numbers \u2013 x / y", 1},
      {9, "32767", "Veltrano \u2013 Complex Numbers \u2013 Find all nth roots of x", 586},
  };
  fill({"1", "0", "1", "0"});
  for (const Case& c : cases) {
    chooseTask(c.task);
    if (!c.n.isEmpty()) type("txtN", c.n);
    window->print();
    const std::vector<PrintedPage>& pages = platform().printer.pageJobs.back();
    ASSERT_EQ(pages.size(), c.pages);
    EXPECT_EQ(pages.back().heading, c.heading);
    EXPECT_EQ(pages.back().footer, QStringLiteral("page %1 of %1").arg(c.pages));
  }
}

// An n that lists no roots is told while it stands; a task without roots,
// an empty n and a whole n have nothing to tell.
TEST_F(ComplexWindowTest, AnNWithoutRootsIsToldUntilMended) {
  chooseTask(9);
  type("txtA", "1");
  EXPECT_EQ(window->statusText(), "");
  type("txtN", "2.5");
  EXPECT_EQ(list(window)->count(), 0);
  EXPECT_EQ(window->statusText(), "Roots need a whole n from 1 to 32767: n = 2.5 gives none");
  type("txtN", "2");
  EXPECT_EQ(list(window)->count(), 2);
  EXPECT_EQ(window->statusText(), "");
  type("txtN", "-1");
  EXPECT_EQ(window->statusText(), "Roots need a whole n from 1 to 32767: n = -1 gives none");
  chooseTask(5);
  EXPECT_EQ(window->statusText(), "");
}

}  // namespace
