#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <clocale>
#include <functional>
#include <gtest/gtest.h>

#include "app/platform/qt_decimal_setting.h"
#include "app/platform/qt_message_boxes.h"
#include "common/testing/printers.h"

using namespace veltrano;

namespace {

// Leaves the process locale as the test main set it up.
class QtDecimalSettingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::setlocale(LC_NUMERIC, "C.UTF-8");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  void TearDown() override {
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
  }
  static QString cNumeric() { return QString::fromLatin1(std::setlocale(LC_NUMERIC, nullptr)); }
};

TEST_F(QtDecimalSettingTest, FullStopForTheWholeProcessThenBackToWhatWasThere) {
  QtDecimalSetting setting{QLocale(QLocale::German, QLocale::Germany)};
  EXPECT_EQ(setting.read(), ",");

  setting.write(".");
  EXPECT_EQ(setting.read(), ".");
  EXPECT_EQ(QLocale().decimalPoint(), ".");
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  EXPECT_EQ(QLocale().toString(2.5), "2.5");

  setting.write(".");  // writing the same value again is harmless
  setting.write(",");
  EXPECT_EQ(setting.read(), ",");
  EXPECT_EQ(QLocale().decimalPoint(), ",");
  EXPECT_EQ(QLocale().language(), QLocale::German);
  EXPECT_EQ(cNumeric(), "C.UTF-8");
}

TEST_F(QtDecimalSettingTest, WritingBackBeforeAnyChangeChangesNothing) {
  QtDecimalSetting setting{QLocale(QLocale::German, QLocale::Germany)};
  setting.write(",");
  EXPECT_EQ(QLocale().language(), QLocale::German);
  EXPECT_EQ(cNumeric(), "C.UTF-8");
}

// Runs a modal box and lets inspect() look at it and end it as a user would.
MessageAnswer runBox(const MessageRequest& request, const std::function<void(QMessageBox*)>& inspect) {
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    inspect(box);
  });
  QtMessageBoxes boxes;
  return boxes.show(nullptr, request);
}

const MessageRequest kQuestion{"Decimal Comma Warning!", "first\rsecond\r\rlast", MessageButtons::YesNoCancel,
                               true};

TEST(QtMessageBoxesTest, YesNoCancelBoxHasYesAsDefaultAndTheCriticalIcon) {
  const MessageAnswer answer = runBox(kQuestion, [](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), "Decimal Comma Warning!");
    EXPECT_EQ(box->text(), "first\nsecond\n\nlast");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    box->defaultButton()->click();
  });
  EXPECT_EQ(answer, MessageAnswer::Yes);
}

TEST(QtMessageBoxesTest, EachButtonAndClosingGiveTheirAnswers) {
  EXPECT_EQ(runBox(kQuestion, [](QMessageBox* box) { box->button(QMessageBox::No)->click(); }),
            MessageAnswer::No);
  EXPECT_EQ(runBox(kQuestion, [](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); }),
            MessageAnswer::Cancel);
  EXPECT_EQ(runBox(kQuestion, [](QMessageBox* box) { box->close(); }), MessageAnswer::Cancel);
  EXPECT_EQ(runBox({"Veltrano", "Run-time error '6':\n\nOverflow", MessageButtons::Ok, true},
                   [](QMessageBox* box) {
                     EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
                     box->close();
                   }),
            MessageAnswer::Ok);
}

}  // namespace
