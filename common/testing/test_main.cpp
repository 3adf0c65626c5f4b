// The main of every test executable: a headless QApplication, the C locale's
// full stop, and fresh fakes for the platform before each test.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLocale>
#include <clocale>

#include "common/testing/fake_platform.h"

namespace {
class FreshFakes : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { veltrano::testing::resetFakes(); }
};
}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  std::setlocale(LC_NUMERIC, "C");
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshFakes);
  return RUN_ALL_TESTS();
}
