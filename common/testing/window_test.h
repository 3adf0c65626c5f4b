#pragma once

#include <gtest/gtest.h>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <functional>

#include "common/testing/fake_platform.h"
#include "common/testing/printers.h"

namespace veltrano::testing {

// The base of every test that touches windows or the platform (the test
// main installs fresh fakes): a first run's state, a private folder for
// files, and a check that every dialog answer the test queued was asked for.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  FakePlatform& platform() { return fakes(); }
  // A path in this test's own temporary folder.
  QString path(const QString& name) const { return folder_.filePath(name); }
  // Opens a worksheet file of the given lines ("|" between lines) through
  // the window's Open menu command.
  void openLines(QWidget* window, QString lines);
  static void trigger(QWidget* window, const char* action);
  // The changed state on one window: edit() (a new user change each call)
  // marks it, "*" in the title; Save clears it and names the file; Open
  // asks while it is set; what Open puts in is no change.
  void checkChangedState(QWidget* window, const QString& caption, const std::function<void()>& edit);
  static QByteArray readBytes(const QString& path);
  static void writeBytes(const QString& path, const QByteArray& bytes);

 private:
  QTemporaryDir folder_;
};

// The child of root with this object name; fails the test when it is missing.
template <typename T>
T* child(const QObject* root, const QString& name) {
  T* found = root->findChild<T*>(name);
  EXPECT_NE(found, nullptr) << "no child named " << name.toStdString();
  return found;
}

// The members of an indexed group (such as OptTask), ordered by their index.
template <typename T>
QList<T*> indexedGroup(const QObject* root, const QString& name) {
  QList<T*> members = root->findChildren<T*>(name);
  std::sort(members.begin(), members.end(),
            [](T* a, T* b) { return a->property("index").toInt() < b->property("index").toInt(); });
  return members;
}

// The title as the window manager shows it: "*" in place of "[*]" while
// the content is changed, nothing otherwise.
QString shownTitle(QWidget* window);

// Replaces a field's text by typing: select all, then type.
void retype(QWidget* field, const QString& text);

}  // namespace veltrano::testing
