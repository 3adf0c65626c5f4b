#include "common/field_change_tracker.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QWidget>

#include "common/numeric_text.h"
#include "common/status_line.h"
#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {

// Two watched fields: a change of the first writes twice its value into the
// second, whose handler runs inside the first, as the solvers' writes do. It
// records what the tracker tells it, and the values seen when a change settled.
class Fields {
 public:
  Fields()
      : status(&bar),
        tracker(&context, status,
                {[this] { ++changes; }, [this] { resultsGreyed = true; },
                 [this] { settled << QPointF(value, twice); }}) {
    field = new QLineEdit(&context);
    field->setObjectName("txtValue");
    second = new QLineEdit(&context);
    second->setObjectName("txtTwice");
    tracker.watch(field, "value", [this] {
      value = TextToNumber(field->text());
      second->setText(QString::number(value * 2));
    });
    tracker.watch(second, "twice", [this] { twice = TextToNumber(second->text()); });
  }
  void changeSecond(const char* text) {
    status.clearFailure();
    resultsGreyed = false;
    second->setText(text);
  }

  QWidget context;
  QStatusBar bar;
  StatusLine status;
  FieldChangeTracker tracker;
  QLineEdit* field;
  QLineEdit* second;
  double value = 0, twice = 0;
  int changes = 0;
  bool resultsGreyed = false;
  QList<QPointF> settled;
};

class FieldChangeTrackerTest : public WindowTest {};

// The nested handler runs inside the first; the change settles once, after
// both, with both values, and each run marks the content changed. A failed
// solve tells the next settling that its values were never solved.
TEST_F(FieldChangeTrackerTest, AChangeSettlesOnceAfterTheOutermostHandler) {
  Fields fields;
  QTest::keyClicks(fields.field, "3");
  EXPECT_EQ(fields.settled, QList<QPointF>{QPointF(3, 6)});
  EXPECT_EQ(fields.changes, 2);
  EXPECT_FALSE(fields.tracker.lastChangeFailed());
  fields.field->setText("4E999");
  EXPECT_TRUE(fields.tracker.lastChangeFailed());
  EXPECT_EQ(fields.status.text(), "Number too large");
  fields.field->setText("4");
  EXPECT_FALSE(fields.tracker.lastChangeFailed());
  EXPECT_EQ(fields.settled.last(), QPointF(4, 8));
}

// A field too large to read keeps the value it last read, and solves that
// other fields set off go on with it: they answer a number no longer on show.
TEST_F(FieldChangeTrackerTest, ResultsStayGreyedWhileAFieldInUseCannotBeRead) {
  Fields fields;
  fields.field->setText("1E309");
  EXPECT_TRUE(fields.resultsGreyed);
  fields.changeSecond("5");
  EXPECT_TRUE(fields.resultsGreyed);
  EXPECT_EQ(fields.status.text(), "Number too large");
  fields.field->setEnabled(false);
  fields.changeSecond("6");
  EXPECT_FALSE(fields.resultsGreyed);
  fields.field->setEnabled(true);
  fields.field->setText("3");
  fields.changeSecond("7");
  EXPECT_FALSE(fields.resultsGreyed);
}

}  // namespace
