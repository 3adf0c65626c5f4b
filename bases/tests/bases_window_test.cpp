#include "bases/bases_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "common/dimension.h"
#include "common/result_list.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"

using namespace veltrano;
using namespace veltrano::bases;
using namespace veltrano::testing;

namespace {

class BasesWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window = new BasesWindow;
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

  // Sets the base as a user does: types it and tabs on to the number field.
  void enterBase(const QString& text) {
    retype(txtBase, text);
    QTest::keyClick(txtBase, Qt::Key_Tab);
  }
  // Types a number and presses Enter in the number field.
  void enterNumber(const QString& text) {
    retype(txtNumber, text);
    QTest::keyClick(txtNumber, Qt::Key_Return);
  }
  bool numberSelected() const {
    return txtNumber->hasSelectedText() && txtNumber->selectedText() == txtNumber->text();
  }

  BasesWindow* window = nullptr;
  QLineEdit* txtBase = nullptr;
  QLineEdit* txtNumber = nullptr;
  QPushButton* cmdConvert = nullptr;
  QLabel* lblPrecede = nullptr;
  ResultList* lstResults = nullptr;
};

TEST_F(BasesWindowTest, OpensWithItsControlsAndTheFocusOnTheSelectedBase) {
  EXPECT_EQ(window->windowTitle(), "Base Conversion  www.veltrano.org");
  EXPECT_EQ(child<QLabel>(window, "lblBase")->text(), "Enter BASE:");
  EXPECT_EQ(child<QLabel>(window, "Label1")->text(), "Enter NUMBER:");
  EXPECT_EQ(cmdConvert->text(), "Convert");
  EXPECT_EQ(txtBase->text(), "16");
  EXPECT_EQ(txtBase->toolTip(), "Enter BASE here");
  EXPECT_EQ(txtNumber->text(), "Enter number here");
  EXPECT_EQ(txtNumber->toolTip(), "Enter number to be converted here");
  EXPECT_EQ(txtNumber->maxLength(), 100);
  EXPECT_TRUE(lblPrecede->text().isEmpty());
  EXPECT_EQ(lstResults->count(), 0);
  EXPECT_EQ(window->base(), 0);

  for (QLineEdit* field : {txtBase, txtNumber}) {
    EXPECT_EQ(style::background(field), style::Green) << field->objectName().toStdString();
    EXPECT_FALSE(field->isReadOnly());
  }
  EXPECT_EQ(style::background(lstResults), style::Yellow);
  EXPECT_EQ(txtBase->font().family(), "Verdana");
  EXPECT_EQ(lstResults->font().family(), "Verdana");
  EXPECT_EQ(lblPrecede->font().family(), "MS Sans Serif");
  EXPECT_TRUE(lblPrecede->font().bold());
  EXPECT_TRUE(cmdConvert->font().bold());
  EXPECT_DOUBLE_EQ(txtNumber->font().pointSizeF(), 8.25);

  EXPECT_EQ(QApplication::focusWidget(), txtBase);
  EXPECT_EQ(txtBase->selectedText(), "16");
  QTest::keyClick(txtBase, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), txtNumber);
  QTest::keyClick(txtNumber, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), cmdConvert);
}

TEST_F(BasesWindowTest, ChecksTheBaseWhenTheFocusLeavesIt) {
  struct Case {
    const char* typed;
    bool accepted;
    int base;
  };
  const Case cases[] = {
      {"40", false, 40},  {"1.5", true, 2},  {"2.5", true, 2},    {"36.5", true, 36},
      {"37", false, 37},  {"1", false, 1},   {"-16", false, -16}, {"abc", false, 0},
      {"8", true, 8},     {"36", true, 36},  {"4294967298", false, 0}, {"1E400", false, 0},
  };
  for (const Case& c : cases) {
    lblPrecede->clear();
    enterBase(c.typed);
    EXPECT_EQ(window->base(), c.base) << c.typed;
    if (c.accepted) {
      EXPECT_EQ(QApplication::focusWidget(), txtNumber) << c.typed;
      EXPECT_EQ(lblPrecede->text(), QString("Precede BASE %1 numbers with #").arg(c.typed));
    } else {
      EXPECT_EQ(QApplication::focusWidget(), txtBase) << c.typed;
      EXPECT_TRUE(lblPrecede->text().isEmpty()) << c.typed;
    }
  }
}

TEST_F(BasesWindowTest, AClickOnConvertWithARefusedBaseConvertsNothing) {
  retype(txtBase, "40");
  QTest::mouseClick(cmdConvert, Qt::LeftButton);
  EXPECT_EQ(lstResults->count(), 0);
  EXPECT_EQ(QApplication::focusWidget(), txtBase);

  retype(txtBase, "2");
  txtNumber->setText("11");  // as the field showed it before the click
  QTest::mouseClick(cmdConvert, Qt::LeftButton);
  EXPECT_EQ(lstResults->rows(), QStringList{"11 = #1011 (BASE2)"});
}

TEST_F(BasesWindowTest, EnterConvertsAndLeavesTheUpperCasedNumberSelected) {
  enterBase("16");
  enterNumber("255");
  enterNumber("#ff");
  EXPECT_EQ(lstResults->rows(), QStringList({"255 = #FF (BASE16)", "#FF (BASE16) = 255"}));
  EXPECT_EQ(txtNumber->text(), "#FF");
  EXPECT_EQ(QApplication::focusWidget(), txtNumber);
  EXPECT_TRUE(numberSelected());

  // The field filters nothing: any key reaches it.
  retype(txtNumber, "a-,x ");
  EXPECT_EQ(txtNumber->text(), "a-,x ");
}

TEST_F(BasesWindowTest, AnIllegalNumberIsToldInABoxAndAddsNoLine) {
  enterBase("8");
  platform().messages.expect(MessageAnswer::Ok);
  retype(txtNumber, "#8");
  QTest::mouseClick(cmdConvert, Qt::LeftButton);

  ASSERT_EQ(platform().messages.shown.size(), 1u);
  const MessageRequest& box = platform().messages.shown.front();
  EXPECT_EQ(box.title, "Veltrano");
  EXPECT_EQ(box.text, "Illegal Number");
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
  EXPECT_TRUE(box.critical);
  EXPECT_EQ(lstResults->count(), 0);
  EXPECT_EQ(QApplication::focusWidget(), txtNumber);
  EXPECT_TRUE(numberSelected());
}

TEST_F(BasesWindowTest, TheNumberFieldTakesAtMostOneHundredCharacters) {
  enterBase("2");
  retype(txtNumber, QString(120, u'1'));
  EXPECT_EQ(txtNumber->text().size(), 100);
  QTest::keyClick(txtNumber, Qt::Key_Enter);
  ASSERT_EQ(lstResults->count(), 1);
  EXPECT_TRUE(lstResults->row(0).startsWith(QString(100, u'1') + " = #"));
}

TEST_F(BasesWindowTest, ALongLineIsScrolledSidewaysNotCutOff) {
  enterBase("2");
  enterNumber("1");
  enterNumber(QString(100, u'9'));  // 333 binary digits
  enterNumber("10");  // a list sized by one sample row would measure this one
  QCoreApplication::processEvents();
  const int lineWidth = lstResults->fontMetrics().horizontalAdvance(lstResults->row(1));
  EXPECT_GE(lstResults->visualRect(lstResults->model()->index(1, 0)).width(), lineWidth);
  EXPECT_GE(lstResults->horizontalScrollBar()->maximum(), lineWidth - lstResults->viewport()->width());

  // A list read from a file is measured anew.
  const QString file = path("short.txt");
  writeBytes(file, " 1 \r\nshort\r\n");
  platform().files.openAnswers.push_back(file);
  trigger("mnuOpen");
  QCoreApplication::processEvents();
  EXPECT_EQ(lstResults->horizontalScrollBar()->maximum(), 0);
}

TEST_F(BasesWindowTest, SavesTheCountAndTheLinesAndOpensThemAgain) {
  enterBase("16");
  enterNumber("255");
  enterNumber("#ff");
  const QString file = path("two.txt");
  platform().files.saveAnswers.push_back(file);
  trigger("mnuSave");
  EXPECT_EQ(readBytes(file), QByteArray(" 2 \r\n255 = #FF (BASE16)\r\n#FF (BASE16) = 255\r\n"));

  enterNumber("3.75");
  platform().files.openAnswers.push_back(file);
  trigger("mnuOpen");
  EXPECT_EQ(lstResults->rows(), QStringList({"255 = #FF (BASE16)", "#FF (BASE16) = 255"}));

  // Converting after Open appends below the lines read.
  enterNumber("3.75");
  EXPECT_EQ(lstResults->rows(),
            QStringList({"255 = #FF (BASE16)", "#FF (BASE16) = 255", "3.75 = #3.C (BASE16)"}));
  EXPECT_EQ(Dimension::CurrentFileName, file);
}

TEST_F(BasesWindowTest, ALineThatBeganWithABlankComesBackWithoutIt) {
  enterBase("16");
  enterNumber("");
  EXPECT_EQ(lstResults->rows(), QStringList{" = #0 (BASE16)"});
  const QString file = path("blank.txt");
  platform().files.saveAnswers.push_back(file);
  trigger("mnuSaveAs");
  platform().files.openAnswers.push_back(file);
  trigger("mnuOpen");
  EXPECT_EQ(lstResults->rows(), QStringList{"= #0 (BASE16)"});
}

TEST_F(BasesWindowTest, SavingAnEmptyListLeavesNoFile) {
  const QString file = path("empty.txt");
  platform().files.saveAnswers.push_back(file);
  trigger("mnuSave");
  EXPECT_FALSE(QFile::exists(file));
  EXPECT_EQ(Dimension::CurrentFileName, file);
}

TEST_F(BasesWindowTest, ABadFileChangesNothing) {
  enterBase("2");
  enterNumber("11");
  const struct {
    const char* name;
    QByteArray bytes;
  } files[] = {
      {"short.txt", " 3 \r\none\r\ntwo\r\n"},
      {"toomany.txt", " 40000 \r\none\r\n"},
      {"notcount.txt", "lines\r\none\r\n"},
  };
  for (const auto& f : files) {
    const QString file = path(f.name);
    writeBytes(file, f.bytes);
    platform().files.openAnswers.push_back(file);
    platform().messages.expect(MessageAnswer::Ok);  // the run-time error box
    trigger("mnuOpen");
    EXPECT_EQ(lstResults->rows(), QStringList{"11 = #1011 (BASE2)"}) << f.name;
  }
  EXPECT_EQ(platform().messages.shown.size(), 3u);
  EXPECT_TRUE(Dimension::CurrentFileName.isEmpty());
}

TEST_F(BasesWindowTest, PrintsTheLinesInThePrintersOwnFont) {
  enterBase("2");
  enterNumber("11");
  enterNumber("#0.1");
  platform().printer.font = "Times New Roman";
  trigger("mnuPrint");
  EXPECT_EQ(platform().printer.lastJobTexts(),
            QStringList({"11 = #1011 (BASE2)", "#0.1 (BASE2) = 0.5"}));
  for (const PrintedLine& line : platform().printer.jobs.back()) {
    EXPECT_EQ(line.fontName, "Times New Roman");
  }
}

}  // namespace
