#include "common/testing/window_test.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <QWindow>

#include "common/dimension.h"
#include "common/program_settings.h"
#include "common/worksheet_window.h"

namespace veltrano::testing {

void WindowTest::SetUp() {
  Dimension::CurrentFileName.clear();
  Dimension::SavedPrinterFontName.clear();
  programSettings()->clear();  // each test starts as on a first run
  startSettingsRun();
  ASSERT_TRUE(folder_.isValid());
}

void WindowTest::TearDown() {
  const FakeFileDialogs& files = fakes().files;
  EXPECT_TRUE(fakes().messages.answers.empty()) << "a queued message box answer was not used";
  EXPECT_TRUE(files.openAnswers.empty() && files.saveAnswers.empty() && files.figureAnswers.empty() &&
              files.workingAnswers.empty())
      << "a queued file dialog answer was not used";
  // Menus and dialogs are top-level widgets too, owned by their window: only
  // windows without a parent are deleted here, each once.
  QList<QPointer<QWidget>> windows;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->parent() == nullptr) windows << widget;
  }
  for (const QPointer<QWidget>& window : windows) delete window.data();
}

void WindowTest::openLines(QWidget* window, QString lines) {
  writeBytes(path("opened.txt"), lines.append(u'|').replace(u'|', "\r\n").toLatin1());
  fakes().files.openAnswers.push_back(path("opened.txt"));
  trigger(window, "mnuOpen");
}

void WindowTest::trigger(QWidget* window, const char* action) {
  QAction* found = window->findChild<QAction*>(action);
  ASSERT_NE(found, nullptr) << action;
  found->trigger();
}

void WindowTest::checkChangedState(QWidget* window, const QString& caption,
                                   const std::function<void()>& edit) {
  SCOPED_TRACE(caption.toStdString());
  window->show();
  EXPECT_EQ(shownTitle(window), caption) << "a fresh window";
  edit();
  EXPECT_EQ(shownTitle(window), caption + "*");
  platform().files.saveAnswers.push_back(path("changed.txt"));
  trigger(window, "mnuSave");
  EXPECT_EQ(shownTitle(window), caption + " - changed.txt");

  edit();
  platform().messages.expect(MessageAnswer::No);  // the question must come
  platform().files.openAnswers.push_back(path("changed.txt"));
  trigger(window, "mnuOpen");
  EXPECT_FALSE(window->isWindowModified()) << "what Open puts in";
  edit();
  EXPECT_TRUE(window->isWindowModified()) << "a change after Open";
}

QByteArray WindowTest::readBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WindowTest::writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QString shownTitle(QWidget* window) {
  window->winId();  // the native window carries the title as shown
  return window->windowHandle()->title();
}

void retype(QWidget* field, const QString& text) {
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) {
    QTest::keyClick(field, Qt::Key_Delete);
  } else {
    QTest::keyClicks(field, text);
  }
}

}  // namespace veltrano::testing
