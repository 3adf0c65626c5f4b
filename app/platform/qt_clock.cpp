#include "app/platform/qt_clock.h"

#include <QThread>
#include <QTime>

namespace veltrano {

QDateTime QtClock::now() {
  QDateTime time = QDateTime::currentDateTime();
  const QTime t = time.time();
  time.setTime(QTime(t.hour(), t.minute(), t.second()));
  return time;
}

void QtClock::pause() { QThread::msleep(20); }

}  // namespace veltrano
