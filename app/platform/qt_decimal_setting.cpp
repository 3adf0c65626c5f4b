#include "app/platform/qt_decimal_setting.h"

#include <clocale>

namespace veltrano {

QtDecimalSetting::QtDecimalSetting(const QLocale& userLocale) : userLocale_(userLocale) {}

QString QtDecimalSetting::read() { return before_ ? QStringLiteral(".") : userLocale_.decimalPoint(); }

void QtDecimalSetting::write(const QString& separator) {
  if (separator == QStringLiteral(".")) {
    useFullStop();
  } else {
    // The only other separator this process can have is the user's own.
    restore();
  }
}

void QtDecimalSetting::useFullStop() {
  if (!before_) {
    const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
    before_ = ProcessLocale{QByteArray(numeric ? numeric : "C"), QLocale()};
  }
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
}

void QtDecimalSetting::restore() {
  if (!before_) return;
  std::setlocale(LC_NUMERIC, before_->numeric.constData());
  QLocale::setDefault(before_->qtDefault);
  before_.reset();
}

}  // namespace veltrano
