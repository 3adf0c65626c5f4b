#include "factors/factors_window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "common/dimension.h"
#include "common/result_list.h"
#include "common/runtime_error.h"
#include "common/testing/window_test.h"
#include "factors/tests/table_files.h"

using namespace veltrano;
using namespace veltrano::testing;
using veltrano::factors::FactorsWindow;

namespace {

class FactorsWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window_ = new FactorsWindow;
    window_->show();
    QApplication::setActiveWindow(window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    number_ = child<QLineEdit>(window_, "txtNumber");
    factor_ = child<QPushButton>(window_, "cmdFactor");
    list_ = child<ResultList>(window_, "lstFactors");
  }
  void TearDown() override {
    // Deleted here with its menus: the shared clean-up deletes every
    // top-level widget, and the window's menus are top-level widgets it owns.
    delete window_;
    WindowTest::TearDown();
  }

  // Types each number as a user would and presses the button.
  void factorise(const QStringList& numbers) {
    for (const QString& n : numbers) {
      retype(number_, n);
      factor_->click();
    }
  }
  void paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(number_, Qt::Key_V, Qt::ControlModifier);
  }
  void saveAs(const QString& file) {
    platform().files.saveAnswers.push_back(file);
    window_->saveAs();
  }
  void open(const QString& file) {
    platform().files.openAnswers.push_back(file);
    window_->open();
  }

  FactorsWindow* window_ = nullptr;
  QLineEdit* number_ = nullptr;
  QPushButton* factor_ = nullptr;
  ResultList* list_ = nullptr;
};

TEST_F(FactorsWindowTest, OpensReadyToTypeOverThePrompt) {
  EXPECT_EQ(window_->windowTitle(), "Prime Factors  www.veltrano.org");
  EXPECT_EQ(number_->toolTip(), "Enter number to be factored here");
  EXPECT_EQ(factor_->geometry(), QRect(0, 21, 83, 17));
  EXPECT_EQ(number_->nextInFocusChain(), factor_);
  EXPECT_TRUE(number_->hasFocus());
  EXPECT_EQ(number_->selectedText(), "Enter number here");
  EXPECT_EQ(list_->count(), 0);
}

TEST_F(FactorsWindowTest, RowsGoOnTopAndTheNumberIsSelectedForTheNext) {
  factor_->click();  // the prompt reads as 0
  factorise({"", "360", "97", "8"});
  EXPECT_EQ(list_->rows(),
            QStringList({"8= 2  2  2  ", "97= PRIME", "360= 2  2  2  3  3  5", "0= ILLEGAL", "0= ILLEGAL"}));
  EXPECT_TRUE(number_->hasFocus());
  EXPECT_EQ(number_->selectedText(), "8");
}

TEST_F(FactorsWindowTest, EnterFactorisesLikeTheButton) {
  int clicks = 0;
  QObject::connect(factor_, &QPushButton::clicked, [&] { ++clicks; });
  retype(number_, "12");
  QTest::keyClick(number_, Qt::Key_Return);
  QTest::keyClick(number_, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(list_->rows(), QStringList({"12= 2  2  3", "12= 2  2  3"}));
  typeText(number_, "49");  // the selected number is replaced
  EXPECT_EQ(number_->text(), "49");
}

// Digits, Backspace, Delete and the cursor keys work; other keys do nothing.
TEST_F(FactorsWindowTest, TypedKeysOtherThanDigitsAreDiscarded) {
  const struct {
    const char* typed;
    QList<Qt::Key> keys;
    const char* field;
  } cases[] = {
      {"1.5-2+e ,x", {}, "152"},
      {"1234", {Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete}, "23"},
      {"19", {Qt::Key_Left, Qt::Key_2, Qt::Key_Escape, Qt::Key_Space}, "129"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    retype(number_, QString::fromLatin1(c.typed));
    for (Qt::Key key : c.keys) QTest::keyClick(number_, key);
    EXPECT_EQ(number_->text(), QString::fromLatin1(c.field));
  }
}

TEST_F(FactorsWindowTest, PastedTextKeepsOnlyItsDigits) {
  const struct {
    const char* before;
    int cursor;
    const char* pasted;
    const char* field;
  } cases[] = {
      {"", 0, "1.5", "15"},
      {"", 0, "-12 abc 34", "1234"},
      {"", 0, "no digits", ""},
      {"19", 1, "x2.3y", "1239"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pasted);
    retype(number_, QString::fromLatin1(c.before));
    number_->setCursorPosition(c.cursor);
    paste(QString::fromLatin1(c.pasted));
    EXPECT_EQ(number_->text(), QString::fromLatin1(c.field));
  }
  number_->paste();                      // as the context menu pastes
  EXPECT_EQ(number_->text(), "123239");  // after the digits pasted before
}

TEST_F(FactorsWindowTest, NumberTooLongToReadIsToldWithoutARow) {
  retype(number_, "");
  paste(QString(400, u'9'));
  factor_->click();
  EXPECT_EQ(list_->count(), 0);
  EXPECT_TRUE(window_->statusText().contains("too large")) << window_->statusText().toStdString();
  factorise({"6"});
  EXPECT_EQ(window_->statusText(), "");
}

TEST_F(FactorsWindowTest, SavedRowsReopenInTheSameOrder) {
  factorise({"8", "97", "360"});
  const QStringList shown = list_->rows();
  saveAs(path("factors.txt"));
  EXPECT_EQ(readBytes(path("factors.txt")), " 3 \r\n360= 2  2  2  3  3  5\r\n97= PRIME\r\n8= 2  2  2  \r\n");
  factorise({"15"});
  open(path("factors.txt"));
  EXPECT_EQ(list_->rows(), shown);
}

TEST_F(FactorsWindowTest, EmptyListWritesNoFile) {
  saveAs(path("new.txt"));
  EXPECT_FALSE(QFile::exists(path("new.txt")));
  writeBytes(path("old.txt"), "keep me\r\n");
  saveAs(path("old.txt"));
  EXPECT_EQ(readBytes(path("old.txt")), "keep me\r\n");
}

TEST_F(FactorsWindowTest, OpenReadsCountRowsOnly) {
  factorise({"12"});
  const struct {
    const char* file;
    QStringList rows;
  } cases[] = {
      {" 2 \r\nA\r\nB\r\nC\r\n", {"A", "B"}},
      {" 0 \r\nA\r\n", {}},
      {"-3 \r\nA\r\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    writeBytes(path("rows.txt"), c.file);
    open(path("rows.txt"));
    EXPECT_EQ(list_->rows(), c.rows);
  }
}

// A bad file gets the error box and leaves the list and the file name as
// they were, so a later Save does not write over the bad file.
TEST_F(FactorsWindowTest, BadFileChangesNothing) {
  factorise({"12", "15"});
  saveAs(path("good.txt"));
  const QStringList before = list_->rows();
  const char* files[] = {" 3 \r\nA\r\nB\r\n", "three\r\nA\r\n", " 32768 \r\nA\r\n"};
  for (const char* file : files) {
    SCOPED_TRACE(file);
    writeBytes(path("bad.txt"), file);
    platform().files.openAnswers.push_back(path("bad.txt"));
    platform().messages.expect(MessageAnswer::Ok);
    window_->findChild<QAction*>("mnuOpen")->trigger();
    EXPECT_EQ(list_->rows(), before);
    EXPECT_EQ(Dimension::CurrentFileName, path("good.txt"));
  }
}

TEST_F(FactorsWindowTest, FullListKeepsItsRowsAndShowsTheNewOne) {
  const QByteArray file = " 32767 \r\n" + QByteArray("2= PRIME\r\n").repeated(ResultList::kMaxRows);
  writeBytes(path("full.txt"), file);
  open(path("full.txt"));
  factorise({"360"});
  EXPECT_EQ(list_->count(), ResultList::kMaxRows);
  EXPECT_EQ(list_->row(0), "2= PRIME");
  EXPECT_EQ(window_->statusText(), "List full (32767 rows), row not added: 360= 2  2  2  3  3  5");
  window_->save();
  EXPECT_EQ(readBytes(path("full.txt")), file);
}

TEST_F(FactorsWindowTest, PrintsRowsNewestFirstInThePrintersFont) {
  factorise({"4", "6"});
  window_->print();
  ASSERT_EQ(platform().printer.jobs.size(), 1u);
  EXPECT_EQ(platform().printer.lastJobTexts(), QStringList({"6= 2  3", "4= 2  2  "}));
  EXPECT_EQ(platform().printer.jobs[0][0].fontName, "Arial");
}

TEST_F(FactorsWindowTest, NoWindowWithoutTheTable) {
  QTemporaryDir empty;
  factors::testing::CurrentDirectory here(empty.path());
  veltrano::platform().programFolder = empty.path();
  EXPECT_THROW(FactorsWindow(), RuntimeError);
}

}  // namespace
