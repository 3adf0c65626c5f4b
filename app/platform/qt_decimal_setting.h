#pragma once

#include <QLocale>
#include <QString>
#include <optional>

#include "common/platform.h"

namespace veltrano {

// The decimal separator of this process. Linux has no per-user setting that a
// program may change, so the full stop is given to the whole process: the C
// library's numeric locale and Qt's default locale. What was there before is
// kept and put back when any other separator is written back.
class QtDecimalSetting : public DecimalSetting {
 public:
  // The user's locale; the system locale unless a test hands in another.
  explicit QtDecimalSetting(const QLocale& userLocale = QLocale::system());

  QString read() override;
  void write(const QString& separator) override;

 private:
  struct ProcessLocale {
    QByteArray numeric;  // setlocale(LC_NUMERIC) as it was
    QLocale qtDefault;
  };

  void useFullStop();
  void restore();

  QLocale userLocale_;
  std::optional<ProcessLocale> before_;
};

}  // namespace veltrano
