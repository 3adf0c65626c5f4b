#include "factors/factors_window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "common/file_access.h"
#include "common/platform.h"
#include "common/result_list.h"
#include "common/runtime_error.h"
#include "common/testing/raised_error.h"
#include "common/testing/window_test.h"

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
    list_ = child<ResultList>(window_, "lstFactors");
  }
  void factorise(const QStringList& numbers) {
    for (const QString& n : numbers) {
      retype(number_, n);
      child<QPushButton>(window_, "cmdFactor")->click();
    }
  }
  void paste(const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(number_, Qt::Key_V, Qt::ControlModifier);
  }

  FactorsWindow* window_ = nullptr;
  QLineEdit* number_ = nullptr;
  ResultList* list_ = nullptr;
};

TEST_F(FactorsWindowTest, ButtonAndEnterPutRowsOnTopAndSelectTheNumber) {
  EXPECT_TRUE(number_->hasFocus() && number_->selectedText() == "Enter number here");
  child<QPushButton>(window_, "cmdFactor")->click();  // the prompt reads as 0, as the empty field does
  factorise({"", "360"});
  retype(number_, "12");
  QTest::keyClick(number_, Qt::Key_Return);
  QTest::keyClick(number_, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(list_->rows(),
            QStringList({"12= 2  2  3", "12= 2  2  3", "360= 2  2  2  3  3  5", "0= ILLEGAL", "0= ILLEGAL"}));
  EXPECT_TRUE(number_->hasFocus() && number_->selectedText() == "12");
}

// Digits, Backspace, Delete and the cursor keys work; other keys are
// discarded, and pasted text with more than digits and blanks is refused
// whole. The status area says what was left out until the next
// factorisation, however the typing goes on.
TEST_F(FactorsWindowTest, OnlyDigitsGetInAndWhatIsLeftOutIsTold) {
  // Pasted into the prompt, a number replaces it; anything else leaves it.
  number_->setCursorPosition(number_->text().size());
  paste("77");
  EXPECT_EQ(number_->text(), "77");
  const QString digitsOnly = "Only whole numbers from 1 to 1689550229929 can be factored: digits only";
  const QString refused =
      "' was refused: only whole numbers from 1 to 1689550229929 can be factored, digits only";
  const Qt::Key left = Qt::Key_Left;
  const std::tuple<QString, QList<Qt::Key>, QString, QString, QString> cases[] = {
      {"1.5-2+e ,x3", {Qt::Key_Escape}, "", "1523", digitsOnly},
      {"1234", {Qt::Key_Backspace, Qt::Key_Home, Qt::Key_Delete}, "", "23", ""},
      {"19", {left}, "-12 abc 34", "19", "'-12 abc 34" + refused},
      {"19", {left}, " 1 000\t", "110009", ""},
      {"9", {Qt::Key_Minus}, "1", "91", digitsOnly},
      // Typed in the middle, each digit goes where the cursor stands, after the one before.
      {"1234", {left, left, Qt::Key_5, Qt::Key_6}, "", "125634", ""},
      {"1234", {left, left, Qt::Key_Minus, Qt::Key_5, Qt::Key_6}, "", "125634", digitsOnly}};
  for (const auto& [typed, keys, pasted, field, status] : cases) {
    retype(number_, typed);
    for (Qt::Key key : keys) QTest::keyClick(number_, key);
    if (!pasted.isEmpty()) paste(pasted);
    EXPECT_EQ(number_->text(), field) << (typed + " | " + pasted).toStdString();
    EXPECT_EQ(window_->statusText(), status) << (typed + " | " + pasted).toStdString();
    QTest::keyClick(number_, Qt::Key_Return);
    EXPECT_EQ(window_->statusText(), "");
  }
  // After a paste in the middle, typing goes on after what got in.
  retype(number_, "19");
  QTest::keyClick(number_, left);
  paste(" 2 3");
  QTest::keyClick(number_, Qt::Key_4);
  EXPECT_EQ(number_->text(), QString("12349"));
}

// A number beyond the table is told until the next factorisation.
TEST_F(FactorsWindowTest, ANumberTooLargeIsExplainedUntilTheNext) {
  factorise({"100000000000000000000"});
  EXPECT_EQ(list_->rows().first(), "1E+20= TOO LARGE");
  EXPECT_EQ(
      window_->statusText(),
      "Numbers above 1689550229929 are too large for the prime table (the square of its largest prime)");
  factorise({"12"});
  EXPECT_EQ(window_->statusText(), "");
}

// Rows are saved newest first. A full list reopens whole, and a
// new row is then shown in the status area instead.
TEST_F(FactorsWindowTest, SavesPrintsAndReopensRowsUpToTheListsLimit) {
  platform().files.saveAnswers = {path("factors.txt")};
  const QStringList shown = {"360= 2  2  2  3  3  5", "97= PRIME", "8= 2  2  2  "};
  factorise({"8", "97", "360"});
  window_->saveAs();
  EXPECT_EQ(readBytes(path("factors.txt")), " 3 \r\n" + shown.join("\r\n").toLatin1() + "\r\n");
  platform().messages.expect(MessageAnswer::Yes);  // rows of "A" look like no Factors file: opened anyway
  openLines(window_, " 32767 " + QString("|A").repeated(ResultList::kMaxRows));
  factorise({"360"});
  EXPECT_TRUE(list_->count() == ResultList::kMaxRows && list_->row(0) == "A");
  EXPECT_EQ(window_->statusText(), "List full (32767 rows), row not added: 360= 2  2  2  3  3  5");
}

// Each row added is a change; a number too large to give a row is none.
TEST_F(FactorsWindowTest, UnsavedRowsAreNotDroppedWithoutAsking) {
  factorise({QString(400, u'9')});
  EXPECT_EQ(list_->count(), 0);
  checkChangedState(window_, "Prime Factors  www.veltrano.org", [this] { factorise({"12"}); });
}

// A table planted in the current folder without 7 would make 49 a prime: it
// is refused with a box naming it and its first wrong entry, and the window
// works with the program's own table, whose folder the box names. A table
// too large to read is refused as a prime table, not as a worksheet file.
TEST_F(FactorsWindowTest, APlantedPrimeTableIsRefusedForTheProgramsOwn) {
  const QByteArray built = readBytes(QCoreApplication::applicationDirPath() + "/P100008.txt");
  const QString table = QDir(path("")).canonicalPath() + "/P100008.txt";
  const QString ownTable =
      "\n\nThis prime table is not used; Veltrano reads its own table from the program's "
      "folder " +
      QCoreApplication::applicationDirPath() + " instead.";
  const struct {
    QByteArray bytes;
    qint64 size;  // a file this large, without its bytes being written
    QString says;
  } planted[] = {
      {QByteArray(built).replace("\n7\r\n", "\n") + "1299833\r\n", 0,
       "Run-time error '13':\n\nType mismatch\n\n" + table +
           "\nnumber 4 of the table is 11, where the prime 7 belongs" + ownTable},
      {"", kMaxReadableFileBytes + 1,
       "Run-time error '75':\n\nPath/File access error\n\n" + table +
           "\nThe file is too large: 67108865 bytes, where no prime table has more than 67108864" + ownTable},
  };
  for (const auto& p : planted) {
    writeBytes(path("P100008.txt"), p.bytes);
    if (p.size) ASSERT_TRUE(QFile::resize(path("P100008.txt"), p.size));
    const QString before = QDir::currentPath();
    QDir::setCurrent(path(""));
    platform().messages.expect(MessageAnswer::Ok);
    FactorsWindow window;
    QDir::setCurrent(before);
    ASSERT_EQ(platform().messages.shown.size(), 1u);
    EXPECT_EQ(platform().messages.shown[0].text, p.says);
    platform().messages.shown.clear();
    retype(child<QLineEdit>(&window, "txtNumber"), "49");
    child<QPushButton>(&window, "cmdFactor")->click();
    EXPECT_EQ(child<ResultList>(&window, "lstFactors")->rows(), QStringList{"49= 7  7  "});
  }
}

// The program's own table, in the folder the program was started from, is
// one table, not two: when it is damaged its error comes once, and no box
// says that another table takes its place.
TEST_F(FactorsWindowTest, ADamagedTableOfTheProgramStartedFromItsFolderIsRefusedOnce) {
  const QByteArray built = readBytes(QCoreApplication::applicationDirPath() + "/P100008.txt");
  writeBytes(path("P100008.txt"), QByteArray(built).replace("\n7\r\n", "\n") + "1299833\r\n");
  const QString before = QDir::currentPath();
  const QString programFolder = veltrano::platform().programFolder;
  QDir::setCurrent(path(""));
  veltrano::platform().programFolder = path("");
  const std::size_t boxes = platform().messages.shown.size();
  const RuntimeError error = raisedError([] { FactorsWindow damaged; });
  QDir::setCurrent(before);
  veltrano::platform().programFolder = programFolder;
  EXPECT_EQ(platform().messages.shown.size(), boxes);
  EXPECT_EQ(error.message(), "Run-time error '13':\n\nType mismatch\n\n" + QDir(path("")).canonicalPath() +
                                 "/P100008.txt\nnumber 4 of the table is 11, where the prime 7 belongs");
}

}  // namespace
