#include "common/status_line.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <functional>

#include "common/testing/accessibility_check.h"

using namespace veltrano;

namespace {

TEST(StatusLineTest, ShowsTheFailureFirstThenTheNewestNote) {
  QStatusBar bar;
  StatusLine status(&bar);
  status.setNote("a", "a is misread");
  status.showFailure("No triangle");
  status.setNote("b", "b is misread");
  status.setNoteBehind("news", "news");  // gives way to the other notes
  EXPECT_EQ(status.text(), "No triangle");
  status.clearFailure();
  EXPECT_EQ(status.text(), "b is misread");
  status.clearNote("b");
  EXPECT_EQ(status.text(), "a is misread");
  status.setNote("a", "");
  EXPECT_EQ(status.text(), "news");
}

// A window with two fields, the first focused, and its status line.
struct FieldWindow {
  FieldWindow() : status(window.statusBar()) {
    window.setCentralWidget(new QWidget);
    first = new QLineEdit(window.centralWidget());
    first->setToolTip("Enter the first value here");
    second = new QLineEdit(window.centralWidget());
    second->move(0, 40);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
  }
  QMainWindow window;
  StatusLine status;
  QLineEdit* first;
  QLineEdit* second;
};

TEST(StatusLineTest, EachNewTextIsSpokenOnTheFocusedFieldOnce) {
  FieldWindow w;
  veltrano::testing::AccessibilityRecorder events;
  const struct {
    const char* step;
    std::function<void(StatusLine&)> act;
    QString description;  // of the focused field afterwards
    int events;           // description changes sent for it
  } steps[] = {
      {"a note", [](StatusLine& s) { s.setNote("a", "a is read as 4"); }, "a is read as 4", 1},
      {"the same text again", [](StatusLine& s) { s.setNote("a", "a is read as 4"); }, "a is read as 4", 0},
      {"a failure", [](StatusLine& s) { s.showFailure("No triangle"); }, "No triangle", 1},
      {"a note behind the failure", [](StatusLine& s) { s.setNote("b", "b"); }, "No triangle", 0},
      {"everything cleared",
       [](StatusLine& s) {
         s.clearFailure();
         s.clearNote("a");
         s.clearNote("b");
       },
       "Enter the first value here", 2},
  };
  for (const auto& step : steps) {
    events.clear();
    step.act(w.status);
    EXPECT_EQ(veltrano::testing::spokenDescription(w.first), step.description) << step.step;
    EXPECT_EQ(events.count(w.first, QAccessible::DescriptionChanged), step.events) << step.step;
  }
}

TEST(StatusLineTest, TheFieldLeftBehindLosesTheOldText) {
  FieldWindow w;
  w.status.setNote("a", "a is read as 4");
  w.second->setFocus();
  w.status.setNote("b", "b is read as 5");
  EXPECT_EQ(w.first->accessibleDescription(), "");
  EXPECT_EQ(w.second->accessibleDescription(), "b is read as 5");
}

}  // namespace
