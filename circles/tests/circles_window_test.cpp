#include "circles/circles_window.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <cmath>
#include <gtest/gtest.h>

#include "common/dimension.h"
#include "common/numeric_text.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"

namespace veltrano::circles {
namespace {

using testing::child;
using testing::indexedGroup;
using testing::retype;

const QStringList kFieldNames{"txtRadius", "txtArc", "txtChord", "txtCA", "txtSector", "txtSegment"};
const QStringList kInitialTexts{"1", "1", ".9588510394096375", "57.29577357044914", ".5", "7.926452985896049D-02"};

class CirclesTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window = new CirclesWindow;
  }
  void TearDown() override {
    // Deleting the window takes its menus with it, before the base fixture
    // walks the list of top-level widgets, which holds those menus too.
    delete window;
    WindowTest::TearDown();
  }

  QLineEdit* text(const QString& name) const { return child<QLineEdit>(window, name); }
  double value(const QString& name) const { return TextToNumber(text(name)->text()); }
  QStringList texts() const {
    QStringList all;
    for (const QString& name : kFieldNames) all << text(name)->text();
    return all;
  }
  void choose(int task) { indexedGroup<QRadioButton>(window, "OptTask")[task]->click(); }
  void trigger(const char* name) { child<QAction>(window, name)->trigger(); }
  QStringList staleFields() const {
    QStringList stale;
    for (const QString& name : kFieldNames) {
      if (style::isStale(text(name))) stale << name;
    }
    return stale;
  }
  // The half angle t of the shown circle, from the central angle in degrees.
  double shownHalfAngle() const { return value("txtCA") * Dimension::Pi / 180 / 2; }

  CirclesWindow* window = nullptr;
};

TEST_F(CirclesTest, OpensWithTheDesignedControlsAndWithoutSolving) {
  EXPECT_EQ(window->objectName(), QStringLiteral("frmCircles"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Circles  www.veltrano.org"));
  EXPECT_EQ(texts(), kInitialTexts);
  EXPECT_EQ(window->statusText(), QString());

  EXPECT_EQ(child<QGroupBox>(window, "Frame1")->title(),
            QStringLiteral("Radius, arc, chord and central angle problems"));
  EXPECT_EQ(child<QLabel>(window, "Label7")->parent(), child<QGroupBox>(window, "Frame1"));
  EXPECT_EQ(child<QLabel>(window, "Label11")->text(),
            QStringLiteral("Angles should be entered in degrees. Results are given in degrees."));
  const QList<QPair<QString, QString>> labels{{"Label4", "Radius = "},        {"Label1", "Arc = "},
                                               {"Label5", "Chord = "},         {"Label6", "Central angle = "},
                                               {"Label2", "Sector area = "},   {"Label3", "Segment area = "}};
  for (const auto& [name, caption] : labels) {
    const QLabel* label = child<QLabel>(window, name);
    EXPECT_EQ(label->text(), caption);
    EXPECT_TRUE(label->font().bold()) << name.toStdString();
  }

  const QList<QRadioButton*> tasks = indexedGroup<QRadioButton>(window, "OptTask");
  const QStringList captions{"Radius and arc",        "Radius and chord",        "Radius and central angle",
                             "Arc and central angle", "Chord and central angle", "Arc and chord"};
  ASSERT_EQ(tasks.size(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(tasks[i]->property("index").toInt(), i);
    EXPECT_EQ(tasks[i]->text(), captions[i]);
    EXPECT_EQ(tasks[i]->isChecked(), i == 0);
    if (i > 0) {
      EXPECT_GT(tasks[i]->y(), tasks[i - 1]->y());
    }
  }

  // Radius and arc are inputs; the rest are locked yellow results.
  for (const QString& name : kFieldNames) {
    const bool input = name == "txtRadius" || name == "txtArc";
    EXPECT_EQ(text(name)->isReadOnly(), !input) << name.toStdString();
    EXPECT_EQ(style::background(text(name)), input ? style::Green : style::Yellow) << name.toStdString();
    EXPECT_FALSE(text(name)->font().bold());
  }
  EXPECT_EQ(window->focusWidget(), text("txtRadius"));
  QWidget* step = text("txtRadius");
  for (const QString& name : kFieldNames.mid(1)) {
    step = step->nextInFocusChain();
    while (!(step->focusPolicy() & Qt::TabFocus)) step = step->nextInFocusChain();
    EXPECT_EQ(step, text(name));
  }

  const CircleVariables& v = window->variables();
  EXPECT_EQ(v.Task, 0);
  EXPECT_EQ(v.Chord.value(), 0.9588510394096375);
  EXPECT_EQ(v.CentralAngle.value(), 57.29577357044914 * Dimension::Pi / 180);
}

TEST_F(CirclesTest, ChoosingACaseOnlyRelocksAndRecolours) {
  for (int task = 0; task < 6; ++task) {
    choose(task);
    EXPECT_EQ(window->variables().Task, task);
    EXPECT_EQ(texts(), kInitialTexts);
    for (int i = 0; i < 6; ++i) {
      const bool input = isInputOf(task, static_cast<CircleField>(i));
      EXPECT_EQ(text(kFieldNames[i])->isReadOnly(), !input) << task << " " << i;
      EXPECT_EQ(style::background(text(kFieldNames[i])), input ? style::Green : style::Yellow);
    }
  }
}

TEST_F(CirclesTest, RadiusAndArcOfOneGivesTheKnownCircle) {
  retype(text("txtRadius"), "2");
  retype(text("txtRadius"), "1");
  EXPECT_EQ(texts(), (QStringList{"1", "1", "0.958851077208406", "57.2957795130823", "0.5",
                                  NumberToText(value("txtSegment"))}));
  EXPECT_NEAR(value("txtSegment"), 0.0792645075960517, 1e-15);
  EXPECT_EQ(window->statusText(), QString());
  EXPECT_TRUE(staleFields().isEmpty());
}

// Every case on one circle: radius 2, central angle 60 degrees, so that the
// chord equals the radius.
TEST_F(CirclesTest, EachCaseSolvesTheSameKnownCircle) {
  const double radius = 2;
  const double angle = Dimension::Pi / 3;
  const double arc = radius * angle;
  const double chord = 2.0;
  const double sector = radius * arc / 2;
  const double segment = sector - chord * radius / 2 * std::cos(angle / 2);
  const QMap<QString, double> circle{{"txtRadius", radius}, {"txtArc", arc},       {"txtChord", chord},
                                     {"txtCA", 60.0},       {"txtSector", sector}, {"txtSegment", segment}};
  for (int task = 0; task < 6; ++task) {
    choose(task);
    for (int i = 0; i < 4; ++i) {
      if (isInputOf(task, static_cast<CircleField>(i))) {
        retype(text(kFieldNames[i]), NumberToText(circle[kFieldNames[i]]));
      }
    }
    for (const QString& name : kFieldNames) {
      EXPECT_NEAR(value(name), circle[name], 1e-12 * std::max(1.0, circle[name])) << task << " " << name.toStdString();
    }
    EXPECT_EQ(window->statusText(), QString()) << task;
    EXPECT_TRUE(staleFields().isEmpty()) << task;
    // Start the next case from other numbers, so every result is written anew.
    for (int i = 0; i < 4; ++i) text(kFieldNames[i])->setText("7");
  }
}

TEST_F(CirclesTest, ChordEqualToTheDiameterIsAHalfCircle) {
  choose(1);
  retype(text("txtRadius"), "3");
  retype(text("txtChord"), "6");
  EXPECT_EQ(text("txtCA")->text(), QStringLiteral("180"));
  EXPECT_EQ(text("txtArc")->text(), NumberToText(3 * Dimension::Pi));
  EXPECT_NEAR(value("txtSector"), 4.5 * Dimension::Pi, 1e-12);
  EXPECT_NEAR(value("txtSegment"), value("txtSector"), 1e-12);
}

TEST_F(CirclesTest, ChordLongerThanTheDiameterWritesNothingAndMarksTheResults) {
  choose(1);
  retype(text("txtRadius"), "1");
  retype(text("txtChord"), "1");
  const QStringList before = texts();
  retype(text("txtChord"), "3");
  QStringList expected = before;
  expected[2] = "3";
  EXPECT_EQ(texts(), expected);
  EXPECT_EQ(window->statusText(), QStringLiteral("The chord is longer than the diameter"));
  EXPECT_EQ(staleFields(), (QStringList{"txtArc", "txtCA", "txtSector", "txtSegment"}));
  EXPECT_EQ(child<QLineEdit>(window, "txtArc")->font().italic(), true);

  retype(text("txtChord"), "1.5");
  EXPECT_EQ(window->statusText(), QString());
  EXPECT_TRUE(staleFields().isEmpty());
}

TEST_F(CirclesTest, ArcAndChordSettlesOnTheCircleOfEveryRatio) {
  choose(5);
  struct Case {
    const char* chord;
    double ratio;
  };
  for (const Case& c : {Case{"0.8", 0.8}, Case{"0.5", 0.5}, Case{"0.2", 0.2}, Case{"0.01", 0.01}}) {
    retype(text("txtArc"), "1");
    retype(text("txtChord"), c.chord);
    const double t = shownHalfAngle();
    EXPECT_GT(t, 0.0) << c.chord;
    EXPECT_LT(t, Dimension::Pi) << c.chord;
    EXPECT_NEAR(std::sin(t) / t, c.ratio, 1e-13) << c.chord;
    EXPECT_NEAR(value("txtRadius") * 2 * t, 1.0, 1e-13) << c.chord;
    EXPECT_EQ(window->statusText(), QString());
    EXPECT_TRUE(staleFields().isEmpty()) << c.chord;
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
  }
  retype(text("txtChord"), "0.8");
  EXPECT_NEAR(value("txtCA"), 129.6, 0.05);
  EXPECT_NEAR(value("txtRadius"), 0.442, 0.001);
}

TEST_F(CirclesTest, ArcAndChordWithoutACircleSaysNoResultAndRestoresThePointer) {
  choose(5);
  retype(text("txtArc"), "1");
  retype(text("txtChord"), "0.8");
  // In one change: typed key by key, "1" and "1.2" would solve first.
  text("txtChord")->setText("1.25");
  EXPECT_EQ(text("txtCA")->text(), QStringLiteral("No result"));
  EXPECT_EQ(window->variables().CentralAngle.value(), 0.0);
  EXPECT_EQ(window->statusText(), QStringLiteral("The chord is longer than the arc"));
  EXPECT_EQ(staleFields(), (QStringList{"txtRadius", "txtSector", "txtSegment"}));
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);

  // A zero arc fails inside the iteration before it starts.
  retype(text("txtArc"), "0");
  EXPECT_EQ(window->statusText(), QStringLiteral("The arc is zero"));
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CirclesTest, ZeroAngleInArcAndCentralAngleStopsBeforeWriting) {
  choose(3);
  retype(text("txtArc"), "2");
  retype(text("txtCA"), "90");
  const QStringList before = texts();
  retype(text("txtCA"), "0");
  QStringList expected = before;
  expected[3] = "0";
  EXPECT_EQ(texts(), expected);
  EXPECT_EQ(window->statusText(), QStringLiteral("The central angle is zero"));
  EXPECT_EQ(staleFields(), (QStringList{"txtRadius", "txtChord", "txtSector", "txtSegment"}));
}

TEST_F(CirclesTest, AnAngleTooLargeForRadiansIsToldWithoutABox) {
  choose(2);
  retype(text("txtCA"), "1E308");
  EXPECT_EQ(window->statusText(), QStringLiteral("Number too large"));
  EXPECT_EQ(staleFields(), (QStringList{"txtArc", "txtChord", "txtSector", "txtSegment"}));
  EXPECT_TRUE(platform().messages.shown.empty());
}

TEST_F(CirclesTest, EachEditEndsAfterAFewNestedSolves) {
  // Every written text differs from the old one at most once, so the nested
  // solves end; count the changes one edit causes.
  QList<QSignalSpy*> spies;
  for (const QString& name : kFieldNames) spies << new QSignalSpy(text(name), &QLineEdit::textChanged);
  retype(text("txtArc"), "2");
  int changes = 0;
  for (QSignalSpy* spy : spies) changes += static_cast<int>(spy->count());
  qDeleteAll(spies);
  EXPECT_LE(changes, 12);
  EXPECT_EQ(text("txtCA")->text(), QStringLiteral("114.591559026165"));
}

TEST_F(CirclesTest, SavesTheSixTextsAsTheyStand) {
  platform().files.saveAnswers.push_back(path("initial.txt"));
  trigger("mnuSave");
  EXPECT_EQ(readBytes(path("initial.txt")),
            QByteArray("1\r\n1\r\n.9588510394096375\r\n57.29577357044914\r\n.5\r\n7.926452985896049D-02\r\n"));

  // Empty fields are written too, as empty lines.
  for (const QString& name : kFieldNames) {
    const QSignalBlocker quiet(text(name));
    text(name)->clear();
  }
  trigger("mnuSave");
  EXPECT_EQ(readBytes(path("initial.txt")), QByteArray("\r\n\r\n\r\n\r\n\r\n\r\n"));
}

TEST_F(CirclesTest, OpenSolvesForEachQuantityAndKeepsTheFilesAreas) {
  writeBytes(path("initial.txt"),
             "1\r\n1\r\n.9588510394096375\r\n57.29577357044914\r\n.5\r\n7.926452985896049D-02\r\n");
  retype(text("txtRadius"), "2");
  platform().files.openAnswers.push_back(path("initial.txt"));
  trigger("mnuOpen");
  EXPECT_EQ(texts(), (QStringList{"1", "1", "0.958851077208406", "57.2957795130823", ".5", "7.926452985896049D-02"}));
  EXPECT_EQ(Dimension::CurrentFileName, path("initial.txt"));
}

TEST_F(CirclesTest, OpenOfTheSameTextsInTheUntouchedWindowChangesNothing) {
  writeBytes(path("initial.txt"),
             "1\r\n1\r\n.9588510394096375\r\n57.29577357044914\r\n.5\r\n7.926452985896049D-02\r\n");
  platform().files.openAnswers.push_back(path("initial.txt"));
  trigger("mnuOpen");
  // No text changed, so no handler ran: the unsolved design-time texts remain.
  EXPECT_EQ(texts(), kInitialTexts);
  EXPECT_EQ(window->variables().Chord.value(), 0.9588510394096375);
}

TEST_F(CirclesTest, OpenOfALineWithACommaShiftsTheFields) {
  writeBytes(path("comma.txt"),
             "1,5\r\n1\r\n.9588510394096375\r\n57.29577357044914\r\n.5\r\n7.926452985896049D-02\r\n");
  platform().files.openAnswers.push_back(path("comma.txt"));
  trigger("mnuOpen");
  // Arc 5 solves the angle and chord; the file's chord and angle are each
  // solved over; the areas keep the shifted texts.
  EXPECT_EQ(texts(), (QStringList{"1", "5", NumberToText(2 * std::sin(2.5)), "286.478897565412",
                                  "57.29577357044914", ".5"}));
}

TEST_F(CirclesTest, ShortFileChangesNothing) {
  Dimension::CurrentFileName = path("before.txt");
  writeBytes(path("short.txt"), "3\r\n4\r\n5\r\n");
  platform().files.openAnswers.push_back(path("short.txt"));
  platform().messages.expect(MessageAnswer::Ok);
  trigger("mnuOpen");
  EXPECT_EQ(texts(), kInitialTexts);
  EXPECT_EQ(Dimension::CurrentFileName, path("before.txt"));
}

TEST_F(CirclesTest, PrintsSixLabelledLinesInCourierAndRestoresTheFont) {
  platform().printer.font = "Times New Roman";
  trigger("mnuPrint");
  ASSERT_EQ(platform().printer.jobs.size(), 1u);
  EXPECT_EQ(platform().printer.lastJobTexts(),
            (QStringList{"       Radius = 1", "          Arc = 1", "        Chord = .9588510394096375",
                         "Central angle = 57.29577357044914", "  Sector area = .5",
                         " Segment area = 7.926452985896049D-02"}));
  for (const auto& line : platform().printer.jobs.front()) EXPECT_EQ(line.fontName, QStringLiteral("Courier New"));
  EXPECT_EQ(platform().printer.font, QStringLiteral("Times New Roman"));
}

}  // namespace
}  // namespace veltrano::circles
