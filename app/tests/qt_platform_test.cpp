#include <gtest/gtest.h>
#include <QLocale>
#include <clocale>

#include "app/platform/qt_decimal_setting.h"
#include "common/testing/printers.h"

using namespace veltrano;

namespace {

TEST(QtDecimalSettingTest, FullStopForTheWholeProcessThenBackToWhatWasThere) {
  std::setlocale(LC_NUMERIC, "C.UTF-8");
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QtDecimalSetting setting{QLocale(QLocale::German, QLocale::Germany)};
  EXPECT_EQ(setting.read(), ",");
  setting.write(".");
  EXPECT_EQ(QLocale().toString(2.5), "2.5");
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");

  setting.write(",");
  EXPECT_EQ(QLocale().toString(2.5), "2,5");
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C.UTF-8");

  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
}

}  // namespace
