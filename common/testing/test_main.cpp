// The main of every test executable: a headless QApplication, the C locale's
// full stop, fresh fakes for the platform before each test, and settings in a
// folder of this run's own, never the user's.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <clocale>

#include "common/testing/fake_platform.h"

namespace {
class FreshFakes : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { veltrano::testing::resetFakes(); }
};
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  const QTemporaryDir settings;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  QApplication::setStyle(QStringLiteral("Fusion"));
  std::setlocale(LC_NUMERIC, "C");
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshFakes);
  return RUN_ALL_TESTS();
}
