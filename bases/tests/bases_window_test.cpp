#include "bases/bases_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "common/dimension.h"
#include "common/result_list.h"
#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

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
    cmdConvert = child<QPushButton>(window, "cmdConvert");
    lblPrecede = child<QLabel>(window, "lblPrecede");
    lstResults = child<ResultList>(window, "lstResults");
  }
  // The window goes first, with the menus it owns: deleting every top-level
  // widget in one sweep could reach a menu that its window already deleted.
  void TearDown() override {
    delete window;
    WindowTest::TearDown();
  }

  void trigger(const char* action) { child<QAction>(window, action)->trigger(); }
  // Types the base and tabs on, as a user does.
  void enterBase(const QString& text) {
    retype(txtBase, text);
    QTest::keyClick(txtBase, Qt::Key_Tab);
  }
  void enterNumber(const QString& text) {
    retype(txtNumber, text);
    QTest::keyClick(txtNumber, Qt::Key_Return);
  }
  QStringList rows() const { return lstResults->rows(); }

  bases::BasesWindow* window = nullptr;
  QLineEdit* txtBase = nullptr;
  QLineEdit* txtNumber = nullptr;
  QPushButton* cmdConvert = nullptr;
  QLabel* lblPrecede = nullptr;
  ResultList* lstResults = nullptr;
};

TEST_F(BasesWindowTest, StartsInTheBaseFieldAndChecksTheBaseWhenTheFocusLeavesIt) {
  EXPECT_EQ(QApplication::focusWidget(), txtBase);
  EXPECT_EQ(txtBase->selectedText(), "16");
  EXPECT_EQ(window->base(), 0);

  const struct {
    const char* typed;
    bool accepted;
    int base;
  } cases[] = {
      {"40", false, 40}, {"1.5", true, 2},         {"2.5", true, 2},    {"36.5", true, 36},
      {"37", false, 37}, {"1", false, 1},          {"-16", false, -16}, {"abc", false, 0},
      {"36", true, 36},  {"4294967298", false, 0}, {"1E400", false, 0},
  };
  for (const auto& c : cases) {
    lblPrecede->clear();
    enterBase(c.typed);
    EXPECT_EQ(window->base(), c.base) << c.typed;
    EXPECT_EQ(QApplication::focusWidget(), c.accepted ? txtNumber : txtBase) << c.typed;
    EXPECT_EQ(lblPrecede->text(),
              c.accepted ? QString("Precede BASE %1 numbers with #").arg(c.typed) : QString());
  }
}

TEST_F(BasesWindowTest, AClickOnConvertWithARefusedBaseConvertsNothing) {
  retype(txtBase, "40");
  QTest::mouseClick(cmdConvert, Qt::LeftButton);
  EXPECT_TRUE(rows().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), txtBase);

  retype(txtBase, "2");
  txtNumber->setText("11");
  QTest::mouseClick(cmdConvert, Qt::LeftButton);
  EXPECT_EQ(rows(), QStringList{"11 = #1011 (BASE2)"});
}

TEST_F(BasesWindowTest, EnterConvertsAndLeavesTheUpperCasedNumberSelected) {
  enterBase("16");
  enterNumber("255");
  enterNumber("#ff");
  EXPECT_EQ(rows(), QStringList({"255 = #FF (BASE16)", "#FF (BASE16) = 255"}));
  EXPECT_EQ(QApplication::focusWidget(), txtNumber);
  EXPECT_EQ(txtNumber->selectedText(), "#FF");

  retype(txtNumber, "a-,x " + QString(120, u'1'));  // no filter, but 100 characters at most
  EXPECT_EQ(txtNumber->text(), "a-,x " + QString(95, u'1'));
}

TEST_F(BasesWindowTest, AnIllegalNumberIsToldInABoxAndAddsNoLine) {
  enterBase("8");
  platform().messages.expect(MessageAnswer::Ok);
  enterNumber("#8");
  ASSERT_EQ(platform().messages.shown.size(), 1u);
  const MessageRequest& box = platform().messages.shown.front();
  EXPECT_EQ(box.title, "Veltrano");
  EXPECT_EQ(box.text, "Illegal Number");
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
  EXPECT_TRUE(box.critical);
  EXPECT_TRUE(rows().isEmpty());
  EXPECT_EQ(QApplication::focusWidget(), txtNumber);
  EXPECT_EQ(txtNumber->selectedText(), "#8");
}

TEST_F(BasesWindowTest, ALongLineIsScrolledSidewaysNotCutOff) {
  enterBase("2");
  enterNumber(QString(100, u'9'));  // 333 binary digits
  enterNumber("10");                // a list sized by one sample row would measure this one
  QCoreApplication::processEvents();
  const int lineWidth = lstResults->fontMetrics().horizontalAdvance(lstResults->row(0));
  EXPECT_GE(lstResults->visualRect(lstResults->model()->index(0, 0)).width(), lineWidth);
  EXPECT_GE(lstResults->horizontalScrollBar()->maximum(), lineWidth - lstResults->viewport()->width());
}

TEST_F(BasesWindowTest, SavesTheLinesAndOpensThemAgainInPlaceOfTheList) {
  enterBase("16");
  enterNumber("255");
  enterNumber("");
  const QString file = path("two.txt");
  platform().files.saveAnswers.push_back(file);
  trigger("mnuSave");
  EXPECT_EQ(readBytes(file), QByteArray(" 2 \r\n255 = #FF (BASE16)\r\n = #0 (BASE16)\r\n"));

  enterNumber("1");
  platform().files.openAnswers.push_back(file);
  trigger("mnuOpen");
  // The line that began with a blank comes back without it.
  EXPECT_EQ(rows(), QStringList({"255 = #FF (BASE16)", "= #0 (BASE16)"}));
  enterNumber("3.75");
  EXPECT_EQ(rows(), QStringList({"255 = #FF (BASE16)", "= #0 (BASE16)", "3.75 = #3.C (BASE16)"}));
}

TEST_F(BasesWindowTest, SavingAnEmptyListLeavesNoFile) {
  platform().files.saveAnswers.push_back(path("empty.txt"));
  trigger("mnuSave");
  EXPECT_FALSE(QFile::exists(path("empty.txt")));
  EXPECT_EQ(Dimension::CurrentFileName, path("empty.txt"));
}

TEST_F(BasesWindowTest, ABadFileChangesNothing) {
  enterBase("2");
  enterNumber("11");
  for (const QByteArray& bytes : {QByteArray(" 3 \r\none\r\ntwo\r\n"), QByteArray(" 40000 \r\none\r\n"),
                                  QByteArray("lines\r\none\r\n")}) {
    writeBytes(path("bad.txt"), bytes);
    platform().files.openAnswers.push_back(path("bad.txt"));
    platform().messages.expect(MessageAnswer::Ok);  // the run-time error box
    trigger("mnuOpen");
    EXPECT_EQ(rows(), QStringList{"11 = #1011 (BASE2)"}) << bytes.toStdString();
  }
  EXPECT_TRUE(Dimension::CurrentFileName.isEmpty());
}

TEST_F(BasesWindowTest, PrintsTheLinesInThePrintersOwnFont) {
  enterBase("2");
  enterNumber("11");
  enterNumber("#0.1");
  platform().printer.font = "Times New Roman";
  trigger("mnuPrint");
  EXPECT_EQ(platform().printer.lastJobTexts(), QStringList({"11 = #1011 (BASE2)", "#0.1 (BASE2) = 0.5"}));
  EXPECT_EQ(platform().printer.jobs.back().front().fontName, "Times New Roman");
}

}  // namespace
