#include "factors/factors_window.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/dimension.h"
#include "common/result_list.h"
#include "common/runtime_error.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"
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
    // Deleted here with its menus: the shared clean-up walks the top-level
    // widgets, and the window's menus are top-level widgets it owns.
    delete window_;
    WindowTest::TearDown();
  }

  // Types a number as a user would and presses the button.
  void factorise(const QString& text) {
    retype(number_, text);
    factor_->click();
  }
  void factoriseAll(const QStringList& texts) {
    for (const QString& text : texts) factorise(text);
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
  // Open through the menu command, as the user runs it, so that an error
  // reaches the error box.
  void openExpectingError(const QString& file) {
    platform().files.openAnswers.push_back(file);
    platform().messages.expect(MessageAnswer::Ok);
    window_->findChild<QAction*>("mnuOpen")->trigger();
  }

  FactorsWindow* window_ = nullptr;
  QLineEdit* number_ = nullptr;
  QPushButton* factor_ = nullptr;
  ResultList* list_ = nullptr;
};

TEST_F(FactorsWindowTest, ControlsAsDesigned) {
  EXPECT_EQ(window_->objectName(), "frmFactors");
  EXPECT_EQ(window_->windowTitle(), "Prime Factors  www.veltrano.org");
  EXPECT_EQ(style::background(window_->clientArea()), style::Cyan);

  EXPECT_EQ(number_->text(), "Enter number here");
  EXPECT_EQ(number_->toolTip(), "Enter number to be factored here");
  EXPECT_EQ(number_->geometry(), QRect(0, 0, 632, 21));
  EXPECT_EQ(style::background(number_), style::Green);
  EXPECT_EQ(number_->font().family(), "Verdana");
  EXPECT_FALSE(number_->isReadOnly());

  EXPECT_EQ(factor_->text(), "Factor");
  EXPECT_EQ(factor_->geometry(), QRect(0, 21, 83, 17));
  EXPECT_EQ(style::background(factor_), style::Orange);
  EXPECT_TRUE(factor_->font().bold());

  EXPECT_EQ(list_->geometry(), QRect(0, 38, 632, 392));
  EXPECT_EQ(style::background(list_), style::Yellow);
  EXPECT_EQ(list_->count(), 0);

  // The field is first in the tab order and has the focus with its prompt
  // selected, so typing replaces the prompt.
  EXPECT_TRUE(number_->hasFocus());
  EXPECT_EQ(number_->selectedText(), "Enter number here");
  EXPECT_EQ(number_->nextInFocusChain(), factor_);
}

TEST_F(FactorsWindowTest, EachRowGoesOnTopAndTheFieldIsReadyForTheNext) {
  factoriseAll({"360", "97", "8"});
  EXPECT_EQ(list_->rows(), QStringList({"8= 2  2  2  ", "97= PRIME", "360= 2  2  2  3  3  5"}));
  EXPECT_TRUE(number_->hasFocus());
  EXPECT_EQ(number_->selectedText(), "8");
  EXPECT_EQ(window_->statusText(), "");
}

TEST_F(FactorsWindowTest, PromptAndEmptyFieldAreIllegal) {
  factor_->click();
  retype(number_, "");
  factor_->click();
  EXPECT_EQ(list_->rows(), QStringList({"0= ILLEGAL", "0= ILLEGAL"}));
}

TEST_F(FactorsWindowTest, EnterFactorisesLikeTheButtonAndSelectsTheText) {
  int clicks = 0;
  QObject::connect(factor_, &QPushButton::clicked, [&] { ++clicks; });
  retype(number_, "12");
  QTest::keyClick(number_, Qt::Key_Return);
  QTest::keyClick(number_, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(list_->rows(), QStringList({"12= 2  2  3", "12= 2  2  3"}));
  EXPECT_EQ(number_->selectedText(), "12");
  // Typing now replaces the number.
  typeText(number_, "49");
  EXPECT_EQ(number_->text(), "49");
}

TEST_F(FactorsWindowTest, TypedKeysOtherThanDigitsAreDiscarded) {
  const struct {
    const char* typed;
    const char* field;
  } cases[] = {
      {"123", "123"},
      {"1.5", "15"},
      {"-12", "12"},
      {"+1e5", "15"},
      {"1 000,5", "10005"},
      {"abc", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    retype(number_, "");
    typeText(number_, QString::fromLatin1(c.typed));
    EXPECT_EQ(number_->text(), QString::fromLatin1(c.field));
  }
}

TEST_F(FactorsWindowTest, EditingAndMovingKeysStillWork) {
  retype(number_, "1234");
  QTest::keyClick(number_, Qt::Key_Backspace);
  EXPECT_EQ(number_->text(), "123");
  QTest::keyClick(number_, Qt::Key_Home);
  QTest::keyClick(number_, Qt::Key_Delete);
  EXPECT_EQ(number_->text(), "23");
  QTest::keyClick(number_, Qt::Key_Right);
  typeText(number_, "9");
  EXPECT_EQ(number_->text(), "293");
  QTest::keyClick(number_, Qt::Key_Escape);
  QTest::keyClick(number_, Qt::Key_Space);
  EXPECT_EQ(number_->text(), "293");
  QTest::keyClick(number_, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(number_->selectedText(), "293");
}

TEST_F(FactorsWindowTest, PastedTextKeepsOnlyItsDigits) {
  const struct {
    const char* pasted;
    const char* field;
  } cases[] = {
      {"360", "360"},
      {"1.5", "15"},
      {"-12 abc 34", "1234"},
      {"1E+20", "120"},
      {"no digits", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pasted);
    retype(number_, "");
    paste(QString::fromLatin1(c.pasted));
    EXPECT_EQ(number_->text(), QString::fromLatin1(c.field));
  }
  // Into the middle of a number, with the cursor after the pasted digits.
  retype(number_, "19");
  QTest::keyClick(number_, Qt::Key_Left);
  paste("x2.3y");
  EXPECT_EQ(number_->text(), "1239");
  EXPECT_EQ(number_->cursorPosition(), 3);
  // The context menu's Paste takes the same way in.
  retype(number_, "");
  QApplication::clipboard()->setText("4,5");
  number_->paste();
  EXPECT_EQ(number_->text(), "45");
}

TEST_F(FactorsWindowTest, NumberTooLongToReadIsToldWithoutARow) {
  retype(number_, "");
  paste(QString(400, u'9'));
  factor_->click();
  EXPECT_EQ(list_->count(), 0);
  EXPECT_TRUE(window_->statusText().contains("too large")) << window_->statusText().toStdString();
  factorise("6");
  EXPECT_EQ(list_->rows(), QStringList({"6= 2  3"}));
  EXPECT_EQ(window_->statusText(), "");
}

TEST_F(FactorsWindowTest, SavedRowsReopenInTheSameOrder) {
  factoriseAll({"8", "97", "360"});
  const QStringList shown = list_->rows();
  saveAs(path("factors.txt"));
  EXPECT_EQ(readBytes(path("factors.txt")), QByteArray(" 3 \r\n"
                                                       "360= 2  2  2  3  3  5\r\n"
                                                       "97= PRIME\r\n"
                                                       "8= 2  2  2  \r\n"));
  factoriseAll({"15", "4"});
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

TEST_F(FactorsWindowTest, OpenReadsOnlyCountRows) {
  factorise("12");
  const struct {
    const char* file;
    QStringList rows;
  } cases[] = {
      {" 2 \r\nA\r\nB\r\nC\r\nD\r\n", {"A", "B"}},
      {" 0 \r\nA\r\n", {}},
      {"-3 \r\nA\r\n", {}},
      {"1\r\n  6= 2  3\r\n", {"6= 2  3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    writeBytes(path("rows.txt"), c.file);
    open(path("rows.txt"));
    EXPECT_EQ(list_->rows(), c.rows);
  }
}

// A bad file raises the error box and leaves the list and the file name as
// they were, so a later Save does not write over the bad file.
TEST_F(FactorsWindowTest, BadFileChangesNothing) {
  factoriseAll({"12", "15"});
  saveAs(path("good.txt"));
  const QStringList before = list_->rows();
  const struct {
    const char* file;
    ErrorNumber error;
  } cases[] = {
      {" 3 \r\nA\r\nB\r\n", ErrorNumber::InputPastEndOfFile},
      {"three\r\nA\r\n", ErrorNumber::TypeMismatch},
      {" 32768 \r\nA\r\n", ErrorNumber::Overflow},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    writeBytes(path("bad.txt"), c.file);
    openExpectingError(path("bad.txt"));
    ASSERT_FALSE(platform().messages.shown.empty());
    EXPECT_TRUE(platform().messages.shown.back().text.contains(QStringLiteral("'%1'").arg(static_cast<int>(c.error))))
        << platform().messages.shown.back().text.toStdString();
    EXPECT_EQ(list_->rows(), before);
    EXPECT_EQ(Dimension::CurrentFileName, path("good.txt"));
  }
}

TEST_F(FactorsWindowTest, FullListKeepsItsRowsAndShowsTheNewOne) {
  QByteArray file = " 32767 \r\n";
  for (int i = 0; i < ResultList::kMaxRows; ++i) file += "2= PRIME\r\n";
  writeBytes(path("full.txt"), file);
  open(path("full.txt"));
  ASSERT_EQ(list_->count(), ResultList::kMaxRows);

  factorise("360");
  EXPECT_EQ(list_->count(), ResultList::kMaxRows);
  EXPECT_EQ(list_->row(0), "2= PRIME");
  EXPECT_TRUE(window_->statusText().contains("List full")) << window_->statusText().toStdString();
  EXPECT_TRUE(window_->statusText().contains("360= 2  2  2  3  3  5")) << window_->statusText().toStdString();

  // Save keeps every row; the list is whole again after Open.
  window_->save();
  EXPECT_EQ(readBytes(path("full.txt")), file);
}

TEST_F(FactorsWindowTest, PrintsRowsNewestFirstInThePrintersFont) {
  factoriseAll({"4", "6"});
  platform().printer.font = "Arial";
  window_->print();
  EXPECT_EQ(platform().printer.lastJobTexts(), QStringList({"6= 2  3", "4= 2  2  "}));
  for (const PrintedLine& line : platform().printer.jobs.back()) EXPECT_EQ(line.fontName, "Arial");
  EXPECT_EQ(platform().printer.font, "Arial");
}

TEST_F(FactorsWindowTest, MissingTableStopsTheWindowWithTheError) {
  QTemporaryDir empty;
  factors::testing::CurrentDirectory here(empty.path());
  veltrano::platform().programFolder = empty.path();
  try {
    FactorsWindow window;
    FAIL() << "the window opened without its table";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), ErrorNumber::FileNotFound);
    EXPECT_TRUE(e.message().contains("P100008.txt")) << e.message().toStdString();
  }
}

}  // namespace
