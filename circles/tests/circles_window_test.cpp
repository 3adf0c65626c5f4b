#include "circles/circles_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "common/dimension.h"
#include "common/numeric_text.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"

namespace veltrano::circles {
namespace {

using testing::child;
using testing::retype;

const QStringList kNames{"txtRadius", "txtArc", "txtChord", "txtCA", "txtSector", "txtSegment"};
const QStringList kInitial{"1", "1", ".9588510394096375", "57.29577357044914", ".5", "7.926452985896049D-02"};
const QByteArray kInitialFile =
    "1\r\n1\r\n.9588510394096375\r\n57.29577357044914\r\n.5\r\n7.926452985896049D-02\r\n";

class CirclesTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window = new CirclesWindow;
  }
  void TearDown() override {
    // The window takes its menus with it before the base fixture walks the
    // top-level widgets, among which those menus are listed too.
    delete window;
    WindowTest::TearDown();
  }

  QLineEdit* text(const QString& name) const { return child<QLineEdit>(window, name); }
  double value(const QString& name) const { return TextToNumber(text(name)->text()); }
  QStringList texts() const {
    QStringList all;
    for (const QString& name : kNames) all << text(name)->text();
    return all;
  }
  QStringList stale() const {
    QStringList marked;
    for (const QString& name : kNames) {
      if (style::isStale(text(name))) marked << name;
    }
    return marked;
  }
  void choose(int task) { testing::indexedGroup<QRadioButton>(window, "OptTask")[task]->click(); }
  void open(const QByteArray& bytes, const QString& name = "open.txt") {
    writeBytes(path(name), bytes);
    platform().files.openAnswers.push_back(path(name));
    child<QAction>(window, "mnuOpen")->trigger();
  }

  CirclesWindow* window = nullptr;
};

TEST_F(CirclesTest, OpensAsDesignedWithoutSolving) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Circles  www.veltrano.org"));
  EXPECT_EQ(texts(), kInitial);
  EXPECT_EQ(child<QLabel>(window, "Label7")->parent(), child<QGroupBox>(window, "Frame1"));
  EXPECT_EQ(child<QLabel>(window, "Label6")->text(), QStringLiteral("Central angle = "));
  EXPECT_EQ(window->focusWidget(), text("txtRadius"));
  QWidget* step = text("txtRadius");
  for (const QString& name : kNames.mid(1)) {
    do step = step->nextInFocusChain();
    while (!(step->focusPolicy() & Qt::TabFocus));
    EXPECT_EQ(step, text(name));
  }
  EXPECT_EQ(window->variables().CentralAngle.value(), 57.29577357044914 * Dimension::Pi / 180);

  // Choosing a case relocks and recolours the quantity fields and nothing else.
  const auto tasks = testing::indexedGroup<QRadioButton>(window, "OptTask");
  ASSERT_EQ(tasks.size(), 6);
  EXPECT_EQ(tasks[5]->text(), QStringLiteral("Arc and chord"));
  const QList<QList<int>> inputs{{0, 1}, {0, 2}, {0, 3}, {1, 3}, {2, 3}, {1, 2}};
  for (int task : {1, 2, 3, 4, 5, 0}) {
    choose(task);
    EXPECT_EQ(window->variables().Task, task);
    EXPECT_EQ(texts(), kInitial);
    for (int i = 0; i < 6; ++i) {
      const bool input = inputs[task].contains(i);
      EXPECT_EQ(text(kNames[i])->isReadOnly(), !input) << task << " " << i;
      EXPECT_EQ(style::background(text(kNames[i])), input ? style::Green : style::Yellow) << task << " " << i;
    }
  }
}

TEST_F(CirclesTest, RadiusAndArcOfOneGivesTheKnownTexts) {
  retype(text("txtRadius"), "2");
  retype(text("txtRadius"), "1");
  EXPECT_EQ(texts(),
            (QStringList{"1", "1", "0.958851077208406", "57.2957795130823", "0.5", "0.0792645075960517"}));
}

// Every case on one circle: radius 2 and 60 degrees, so the chord is 2 too.
TEST_F(CirclesTest, EachCaseSolvesTheSameCircle) {
  const double arc = 2 * Dimension::Pi / 3;
  const double segment = arc - 2 * std::cos(Dimension::Pi / 6);
  const QList<double> circle{2, arc, 2, 60, arc, segment};
  for (int task = 0; task < 6; ++task) {
    choose(task);
    for (int i = 0; i < 4; ++i) text(kNames[i])->setText("7");  // every result must be written anew
    for (int i = 0; i < 4; ++i) {
      if (isInputOf(task, static_cast<CircleField>(i))) retype(text(kNames[i]), NumberToText(circle[i]));
    }
    for (int i = 0; i < 6; ++i)
      EXPECT_NEAR(value(kNames[i]), circle[i], 1e-12 * circle[i]) << task << " " << i;
    EXPECT_EQ(window->statusText(), QString()) << task;
    EXPECT_TRUE(stale().isEmpty()) << task;
  }
}

TEST_F(CirclesTest, ChordUpToTheDiameter) {
  choose(1);
  retype(text("txtRadius"), "3");
  retype(text("txtChord"), "6");
  EXPECT_EQ(text("txtCA")->text(), QStringLiteral("180"));
  EXPECT_EQ(text("txtArc")->text(), NumberToText(3 * Dimension::Pi));

  // Longer: nothing is written, and the old results are marked.
  const QStringList before = texts();
  retype(text("txtChord"), "7");
  EXPECT_EQ(texts().mid(3), before.mid(3));
  EXPECT_EQ(text("txtArc")->text(), before[1]);
  EXPECT_EQ(window->statusText(), QStringLiteral("The chord is longer than the diameter"));
  EXPECT_EQ(stale(), (QStringList{"txtArc", "txtCA", "txtSector", "txtSegment"}));

  retype(text("txtChord"), "5");
  EXPECT_EQ(window->statusText(), QString());
  EXPECT_TRUE(stale().isEmpty());
}

TEST_F(CirclesTest, ArcAndChordShowsTheCircleOfEveryRatio) {
  choose(5);
  for (const char* chord : {"0.5", "0.2", "0.01", "0.8"}) {
    retype(text("txtChord"), chord);
    const double t = value("txtCA") * Dimension::Pi / 360;
    EXPECT_GT(t, 0.0);
    EXPECT_LT(t, Dimension::Pi);
    EXPECT_NEAR(std::sin(t) / t, TextToNumber(chord), 1e-13) << chord;
    EXPECT_NEAR(value("txtRadius") * 2 * t, 1.0, 1e-13) << chord;
    EXPECT_TRUE(stale().isEmpty()) << chord;
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
  }
  EXPECT_NEAR(value("txtCA"), 129.6148, 1e-4);
  EXPECT_NEAR(value("txtRadius"), 0.4420466, 1e-7);

  // No circle: the radius from the old angle, then "No result" reads as angle
  // 0 and the segment uses cos(0) = 1.
  const double oldAngle = window->variables().CentralAngle.value();
  text("txtChord")->setText("1.25");  // in one change, not key by key
  EXPECT_EQ(text("txtCA")->text(), QStringLiteral("No result"));
  const double radius = value("txtRadius");
  EXPECT_NEAR(radius, 1 / oldAngle, 1e-13);
  EXPECT_NEAR(value("txtSegment"), radius / 2 - 1.25 * radius / 2, 1e-13);
  EXPECT_EQ(window->statusText(), QStringLiteral("The chord is longer than the arc"));
  EXPECT_EQ(stale(), (QStringList{"txtRadius", "txtSector", "txtSegment"}));
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

// A failed solve says why; the results it did not write are marked.
TEST_F(CirclesTest, FailuresAreToldInPlainWords) {
  struct Case {
    int task;
    const char* first;
    const char* firstText;
    const char* second;
    const char* secondText;
    const char* failure;
  };
  const Case cases[] = {
      {0, "txtArc", "1", "txtRadius", "0", "The radius is zero"},
      {1, "txtChord", "1", "txtRadius", "0", "The radius is zero"},
      {3, "txtArc", "2", "txtCA", "0", "The central angle is zero"},
      {4, "txtChord", "1", "txtCA", "0", "The central angle is zero"},
      {5, "txtChord", "0", "txtArc", "1", "The chord is zero"},
      {5, "txtChord", "1", "txtArc", "0", "The arc is zero"},
      {5, "txtChord", "-1", "txtArc", "2", "No circle has this arc and chord"},
      {5, "txtChord", "1", "txtArc", "1", "The chord equals the arc, so the arc is a straight line"},
      {2, "txtCA", "90", "txtRadius", "1E307", "The result is too large"},
      {2, "txtRadius", "1", "txtCA", "1E308", "Number too large"},  // times Pi leaves the double range
  };
  for (const Case& c : cases) {
    choose(c.task);
    retype(text(c.first), c.firstText);
    retype(text(c.second), c.secondText);
    EXPECT_EQ(window->statusText(), QString::fromLatin1(c.failure)) << c.task << " " << c.secondText;
    EXPECT_FALSE(stale().isEmpty()) << c.task << " " << c.secondText;
  }
  // Angle 0 with "Arc and central angle" stops before writing anything.
  choose(3);
  retype(text("txtCA"), "90");
  const QStringList before = texts();
  retype(text("txtCA"), "0");
  EXPECT_EQ(texts().mid(0, 3) + texts().mid(4), before.mid(0, 3) + before.mid(4));
  EXPECT_EQ(stale(), (QStringList{"txtRadius", "txtChord", "txtSector", "txtSegment"}));
}

TEST_F(CirclesTest, SavesAndPrintsTheSixTextsAsTheyStand) {
  platform().files.saveAnswers.push_back(path("saved.txt"));
  child<QAction>(window, "mnuSave")->trigger();
  EXPECT_EQ(readBytes(path("saved.txt")), kInitialFile);

  platform().printer.font = "Times New Roman";
  child<QAction>(window, "mnuPrint")->trigger();
  EXPECT_EQ(platform().printer.lastJobTexts(),
            (QStringList{"       Radius = 1", "          Arc = 1", "        Chord = .9588510394096375",
                         "Central angle = 57.29577357044914", "  Sector area = .5",
                         " Segment area = 7.926452985896049D-02"}));
  EXPECT_EQ(platform().printer.jobs.at(0).at(0).fontName, QStringLiteral("Courier New"));
  EXPECT_EQ(platform().printer.font, QStringLiteral("Times New Roman"));

  for (const QString& name : kNames) {
    const QSignalBlocker quiet(text(name));
    text(name)->clear();
  }
  child<QAction>(window, "mnuSave")->trigger();
  EXPECT_EQ(readBytes(path("saved.txt")), QByteArray("\r\n\r\n\r\n\r\n\r\n\r\n"));
}

TEST_F(CirclesTest, OpenPutsTheFieldsBackOneByOne) {
  open(kInitialFile);  // the untouched window: no text differs, nothing solves
  EXPECT_EQ(texts(), kInitial);

  retype(text("txtRadius"), "2");
  open(kInitialFile);
  EXPECT_EQ(texts(),
            (QStringList{"1", "1", "0.958851077208406", "57.2957795130823", ".5", "7.926452985896049D-02"}));

  // "1,5" is two fields: the arc becomes 5 and the rest shift by one.
  open("1,5\r\n" + kInitialFile.mid(3));
  EXPECT_EQ(texts(), (QStringList{"1", "5", NumberToText(2 * std::sin(2.5)), "286.478897565412",
                                  "57.29577357044914", ".5"}));

  const QStringList before = texts();
  platform().messages.expect(MessageAnswer::Ok);
  open("3\r\n4\r\n5\r\n", "short.txt");  // checked whole before anything changes
  EXPECT_EQ(texts(), before);
  EXPECT_EQ(Dimension::CurrentFileName, path("open.txt"));
}

}  // namespace
}  // namespace veltrano::circles
