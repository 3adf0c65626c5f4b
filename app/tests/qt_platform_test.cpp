#include <gtest/gtest.h>
#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <clocale>
#include <functional>

#include "app/platform/qt_decimal_setting.h"
#include "app/platform/qt_message_boxes.h"
#include "common/testing/printers.h"

using namespace veltrano;

namespace {

TEST(QtDecimalSettingTest, FullStopForTheWholeProcessThenBackToWhatWasThere) {
  std::setlocale(LC_NUMERIC, "C.UTF-8");
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QtDecimalSetting setting{QLocale(QLocale::German, QLocale::Germany)};
  EXPECT_EQ(setting.read(), ",");
  setting.write(",");  // writing back before any change changes nothing
  EXPECT_EQ(QLocale().language(), QLocale::German);
  setting.write(".");
  setting.write(".");
  EXPECT_EQ(setting.read(), ".");
  EXPECT_EQ(QLocale().toString(2.5), "2.5");
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");

  setting.write(",");
  EXPECT_EQ(QLocale().toString(2.5), "2,5");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C.UTF-8");

  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
}

// Runs a modal box; answer() ends it as a user would.
MessageAnswer runBox(MessageButtons buttons, const std::function<void(QMessageBox*)>& answer) {
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "first\nsecond\n\nlast");
    answer(box);
  });
  return QtMessageBoxes().show(nullptr, {"Title", "first\rsecond\r\rlast", buttons, true});
}

TEST(QtMessageBoxesTest, YesIsTheDefaultAndClosingAnswersCancel) {
  auto close = [](QMessageBox* box) { box->close(); };
  EXPECT_EQ(runBox(MessageButtons::YesNoCancel, [](QMessageBox* box) { box->defaultButton()->click(); }),
            MessageAnswer::Yes);
  EXPECT_EQ(
      runBox(MessageButtons::YesNoCancel, [](QMessageBox* box) { box->button(QMessageBox::No)->click(); }),
      MessageAnswer::No);
  EXPECT_EQ(runBox(MessageButtons::YesNoCancel, close), MessageAnswer::Cancel);
  EXPECT_EQ(runBox(MessageButtons::Ok, close), MessageAnswer::Ok);
}

}  // namespace
