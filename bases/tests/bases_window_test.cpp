#include "bases/bases_window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "common/result_list.h"
#include "common/testing/window_test.h"
#include "common/working_pane.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

const QString kBaseRange = "The base must be a whole number from 2 to 36";

class BasesWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window = new bases::BasesWindow;
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    txtBase = child<QLineEdit>(window, "txtBase");
    txtNumber = child<QLineEdit>(window, "txtNumber");
    lstResults = child<ResultList>(window, "lstResults");
  }
  void enterNumber(const QString& text) {
    retype(txtNumber, text);
    QTest::keyClick(txtNumber, Qt::Key_Return);
  }

  bases::BasesWindow* window = nullptr;
  QLineEdit* txtBase = nullptr;
  QLineEdit* txtNumber = nullptr;
  ResultList* lstResults = nullptr;
};

// A refused base keeps the focus in its field and the status area says
// why, also when Convert is clicked.
TEST_F(BasesWindowTest, ChecksTheBaseWhenTheFocusLeavesItsField) {
  EXPECT_TRUE(QApplication::focusWidget() == txtBase && txtBase->selectedText() == "16");
  const std::tuple<QString, bool, int> cases[] = {
      {"1.5", true, 2}, {"2.5", true, 2},  {"36.5", true, 36},       {"37", false, 37},
      {"1", false, 1},  {"abc", false, 0}, {"4294967298", false, 0}, {"1E400", false, 0}};
  for (const auto& [typed, accepted, base] : cases) {
    retype(txtBase, typed);
    QTest::keyClick(txtBase, Qt::Key_Tab);
    EXPECT_EQ(window->base(), base) << typed.toStdString();
    EXPECT_EQ(QApplication::focusWidget(), accepted ? txtNumber : txtBase) << typed.toStdString();
    EXPECT_EQ(window->statusText(), accepted ? "" : kBaseRange) << typed.toStdString();
  }
  // The mouse takes the focus from an accepted base to Convert: the base is
  // checked on the way.
  retype(txtBase, "16");
  QTest::keyClick(txtBase, Qt::Key_Tab);
  txtBase->setFocus(Qt::MouseFocusReason);
  retype(txtBase, "40");
  QTest::mouseClick(child<QPushButton>(window, "cmdConvert"), Qt::LeftButton);
  EXPECT_TRUE(lstResults->rows().isEmpty());
  EXPECT_TRUE(QApplication::focusWidget() == txtBase && txtBase->text() == "40");
  EXPECT_EQ(window->statusText(), kBaseRange);
}

// An illegal number gets the box and adds no line, nor a change. A long
// line scrolls.
TEST_F(BasesWindowTest, EnterConvertsAndLeavesTheUpperCasedNumberSelected) {
  platform().messages.expect(MessageAnswer::Ok);
  enterNumber("#g");
  const MessageRequest& box = platform().messages.shown.at(0);
  EXPECT_TRUE(box.text == "Illegal Number" && box.critical);
  EXPECT_EQ(txtNumber->selectedText(), "#G");
  EXPECT_FALSE(window->isWindowModified());
  EXPECT_EQ(window->statusText(), "'G' is a digit too large for base 16");
  QTest::keyClick(txtNumber, Qt::Key_F);  // mended: the reason goes
  EXPECT_EQ(window->statusText(), "");
  enterNumber(QString(100, u'9'));  // 84 digits, scrolled sideways, not cut off
  enterNumber("10");                // a list sized by one sample row would measure this one
  QCoreApplication::processEvents();
  const int lineWidth = lstResults->fontMetrics().horizontalAdvance(lstResults->row(0));
  EXPECT_GE(lstResults->visualRect(lstResults->model()->index(0, 0)).width(), lineWidth);
  EXPECT_GE(lstResults->horizontalScrollBar()->maximum(), lineWidth - lstResults->viewport()->width());
}

// The field has no character filter, but a number text that would pass 100
// characters is refused whole, typed or pasted, and the status area says so
// until the next edit.
TEST_F(BasesWindowTest, ANumberTextPastOneHundredCharactersIsRefusedWhole) {
  const QString tooLong = "Not taken: a number can have at most 100 characters, and this one would have ";
  const QString typed100 = "a-,x " + QString(95, u'1');
  const std::tuple<QString, QString, QString, QString> cases[] = {
      {"12", QString(99, u'7'), "12", tooLong + "101"},
      {"", QString(100, u'7'), QString(100, u'7'), ""},
      {typed100, "", typed100, tooLong + "101"},             // the 101st key
      {"", QString(100000, u'7'), "", tooLong + "100000"}};  // not cut to Qt's 32767 first
  for (const auto& [typed, pasted, shown, status] : cases) {
    retype(txtNumber, typed);
    txtNumber->end(false);
    QApplication::clipboard()->setText(pasted);
    if (pasted.isEmpty()) {
      QTest::keyClick(txtNumber, Qt::Key_7);
    } else {
      QTest::keyClick(txtNumber, Qt::Key_V, Qt::ControlModifier);
    }
    EXPECT_EQ(txtNumber->text(), shown) << pasted.size();
    EXPECT_EQ(window->statusText(), status) << pasted.size();
  }
}

// A row wider than the page goes on in the printed lines below it, indented:
// every character of a 300-character row is on paper, in order.
TEST_F(BasesWindowTest, PrintWrapsARowWiderThanThePage) {
  const QString longRow = QString(100, u'9') + " = #" + QString(188, u'F') + " (BASE16)";
  openLines(window, " 1 |" + longRow);
  window->print();
  const QStringList printed = platform().printer.lastJobTexts();
  QString joined = printed.value(0);
  for (const QString& line : printed.mid(1)) {
    EXPECT_TRUE(line.startsWith("    ")) << line.toStdString();
    joined += line.mid(4);
  }
  EXPECT_EQ(joined, longRow);
  for (const QString& line : printed) EXPECT_LE(line.size(), platform().printer.pageWidth);
}

// Each line added is a change.
TEST_F(BasesWindowTest, UnsavedLinesAreNotDroppedWithoutAsking) {
  checkChangedState(window, "Base Conversion  www.veltrano.org", [this] { enterNumber("255"); });
}

// The largest file a worksheet writes, a full list of the longest line Convert
// writes (98 digits, a point and one more in base 2), reopens whole without a
// box; the next result finds the list full.
TEST_F(BasesWindowTest, OpensAFullListOfTheLongestLines) {
  retype(txtBase, "2");
  QTest::keyClick(txtBase, Qt::Key_Tab);
  enterNumber(QString(98, u'9') + ".1");
  const QByteArray line = lstResults->rows().last().toLatin1();
  EXPECT_EQ(line.size(), 100 + 4 + 326 + 1 + 100 + 8);
  writeBytes(path("full.txt"), " 32767 \r\n" + (line + "\r\n").repeated(ResultList::kMaxRows));
  platform().files.openAnswers = {path("full.txt")};
  platform().messages.expect(MessageAnswer::No);  // the conversion is not saved
  trigger(window, "mnuOpen");
  enterNumber("1");
  EXPECT_TRUE(lstResults->count() == ResultList::kMaxRows &&
              lstResults->row(ResultList::kMaxRows - 1) == line);
  EXPECT_EQ(window->statusText(), "The list is full: the result was not added");
}

// The working is of the newest row, at the bottom, or of the row chosen in
// the list by a click or the arrow keys; a row added is the one shown again,
// a refused number leaves it. Its last line is the row itself.
TEST_F(BasesWindowTest, WorkingShowsTheNewestRowOrTheOneChosen) {
  window->showWorking(true);
  const WorkingPane* pane = child<WorkingPane>(window, "txtWorking");
  EXPECT_TRUE(pane->working().isEmpty()) << "no row, no working";
  for (const char* number : {"255", "0.1", "#FF"}) enterNumber(number);
  const auto click = [this](int row) {
    QTest::mouseClick(lstResults->viewport(), Qt::LeftButton, {},
                      lstResults->visualRect(lstResults->model()->index(row, 0)).center());
  };
  const struct {
    const char* what;
    std::function<void()> act;
    int row;
  } cases[] = {
      {"the newest row", [] {}, 2},
      {"a row clicked", [&] { click(0); }, 0},
      {"the row below, by key", [&] { QTest::keyClick(lstResults, Qt::Key_Down); }, 1},
      {"a row added", [&] { enterNumber("10"); }, 3},
      {"a number refused",
       [&] {
         platform().messages.expect(MessageAnswer::Ok);
         enterNumber("#G");
       },
       3},
  };
  for (const auto& c : cases) {
    c.act();
    ASSERT_FALSE(pane->working().steps.isEmpty()) << c.what;
    EXPECT_EQ(pane->working().steps.last().lines.last(), lstResults->row(c.row)) << c.what;
    EXPECT_FALSE(pane->working().stopped) << c.what;
  }
}

}  // namespace
