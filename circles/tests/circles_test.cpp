#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <vector>

#include "circles/circles_window.h"
#include "common/dimension.h"
#include "common/figure_pane.h"
#include "common/numeric_text.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"

namespace veltrano::circles {
namespace {

using testing::retype;

// Records the pointer; the root search writes no field.
class PointerView : public CircleView {
 public:
  PointerView() : solver(*this) { Dimension::SetConstants(); }
  void writeField(CircleField, const QString&) override {}
  void setBusy(bool busy) override { pointer.push_back(busy); }
  void solveEnded(const SolveOutcome&) override {}
  const CircleVariables& search(double arc, double chord) {
    solver.variables().Arc = arc;
    solver.variables().Chord = chord;
    solver.SolveArcAndChord();
    return solver.variables();
  }

  CircleSolver solver;
  std::vector<bool> pointer;
};

// Where Newton's iteration finds the root in (0, Pi), its half angle stays to
// the bit (values from an independent run in doubles); elsewhere the true root
// is found to the last bit, the neighbouring doubles lying on either side.
TEST(CircleRoot, FindsTheHalfAngleOfEveryRatioBetweenZeroAndOne) {
  const struct {
    double ratio, newtonHalfAngle, iterations;
  } cases[] = {{0.8, 1.1311025856513446, 6},
               {0.95, 0.5519109786220067, 5},
               {0.9999, 0.02449526486536953, 13},
               {0.743, 1.295050248238955, 8},
               {0.742, 0, 0},
               {0.6366197723675814, 0, 0},
               {0.5, 0, 0},
               {0.2, 0, 0},
               {0.01, 0, 0},
               {1e-9, 0, 0}};
  for (const auto& c : cases) {
    PointerView view;
    const CircleVariables& v = view.search(1, c.ratio);
    const double t = v.CentralAngle.value() / 2, r = v.ChordArcRatio.value();
    EXPECT_EQ(v.Converged, 1) << c.ratio;
    EXPECT_EQ(view.pointer, (std::vector<bool>{true, false}));
    if (c.newtonHalfAngle > 0) {
      EXPECT_EQ(t, c.newtonHalfAngle) << c.ratio;
      EXPECT_EQ(v.IterationCount.value(), c.iterations) << c.ratio;
      continue;
    }
    ASSERT_TRUE(t > 0 && t < Dimension::Pi) << c.ratio;
    EXPECT_GE(std::sin(std::nextafter(t, 0.0)) / std::nextafter(t, 0.0), r - 1e-16) << c.ratio;
    EXPECT_LE(std::sin(std::nextafter(t, 4.0)) / std::nextafter(t, 4.0), r + 1e-16) << c.ratio;
  }
  PointerView view;
  EXPECT_NEAR(view.search(1, 2 / Dimension::Pi).CentralAngle.value(), Dimension::Pi, 1e-15);
}

const QStringList kNames{"txtRadius", "txtArc", "txtChord", "txtCA", "txtSector", "txtSegment"};
// The texts of radius, arc, chord, central angle, sector and segment joined by
// "|"; a result marked stale reads "*" unless asked for as it stands.
const QString kInitial = "1|1|.9588510394096375|57.29577357044914|.5|7.926452985896049D-02";

class CirclesTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    makeWindow();
  }
  void makeWindow() {
    delete window;
    window = new CirclesWindow;
  }
  QLineEdit* text(int field) const { return testing::child<QLineEdit>(window, kNames[field]); }
  double value(int field) const { return TextToNumber(text(field)->text()); }
  QString texts(bool markStale = true) const {
    QStringList all;
    for (int i = 0; i < 6; ++i) all << (markStale && style::isStale(text(i)) ? "*" : text(i)->text());
    return all.join(u'|');
  }
  // Tokens such as "r=3" or "A=90": r radius, a arc, c chord, A central angle.
  void enter(const QString& parts) {
    for (const QString& token : parts.split(u' '))
      retype(text(QString("racA").indexOf(token[0])), token.mid(2));
  }
  void choose(int task) { testing::indexedGroup<QRadioButton>(window, "OptTask")[task]->click(); }
  void trigger(const char* action) { WindowTest::trigger(window, action); }
  void open(const QString& lines) { openLines(window, lines); }

  CirclesWindow* window = nullptr;
};

// Opens as designed without solving, the fields first in tab order; choosing
// a case changes only which quantity fields take input.
TEST_F(CirclesTest, OpensWithoutSolvingAndSwitchesCasesByInputsOnly) {
  EXPECT_EQ(texts(), kInitial);
  EXPECT_EQ(window->variables().CentralAngle.value(), 57.29577357044914 * Dimension::Pi / 180);
  EXPECT_EQ(window->focusWidget(), text(0));
  QWidget* step = text(0);
  for (int i = 1; i < 6; ++i) {
    do step = step->nextInFocusChain();
    while (!(step->focusPolicy() & Qt::TabFocus));
    EXPECT_EQ(step, text(i));
  }
  const char* inputs[] = {"110000", "101000", "100100", "010100", "001100", "011000"};
  for (int task : {1, 2, 3, 4, 5, 0}) {
    choose(task);
    QString marks;
    for (int i = 0; i < 6; ++i) marks += style::isInput(text(i)) ? u'1' : u'0';
    EXPECT_EQ(marks, inputs[task]);
    EXPECT_EQ(texts(), kInitial);
  }
}

// Every case on one circle: radius 2 and 60 degrees, so the chord is 2 too.
TEST_F(CirclesTest, EachCaseSolvesTheSameCircle) {
  const double arc = 2 * Dimension::Pi / 3;
  const QList<double> circle{2, arc, 2, 60, arc, arc - 2 * std::cos(Dimension::Pi / 6)};
  for (int task = 0; task < 6; ++task) {
    choose(task);
    for (int i = 0; i < 4; ++i) text(i)->setText("7");  // every result must be written anew
    for (int i = 0; i < 4; ++i)
      if (isInputOf(task, CircleField(i))) retype(text(i), NumberToText(circle[i]));
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(value(i), circle[i], 1e-12 * circle[i]) << task << " " << i;
    EXPECT_EQ(window->statusText(), QString()) << task;
    EXPECT_FALSE(texts().contains(u'*')) << task;
  }
}

// Known circles, and failures told in plain words, typed in a fresh window.
TEST_F(CirclesTest, TypedQuantitiesEndInTheseTexts) {
  const struct {
    int task;
    QString typed, final, why;
  } cases[] = {
      {0, "r=2 r=1", "1|1|0.958851077208406|57.2957795130823|0.5|0.0792645075960517", ""},
      {1, "r=3 c=6", "3|9.42477796076938|6|180|14.1371669411541|14.1371669411541", ""},
      {1, "r=3 c=6 c=7", "3|*|7|*|*|*", "The chord is longer than the diameter"},
      {0, "a=1 r=0", "0|1|*|*|*|*", "The radius is zero"},
      {1, "c=1 r=0", "0|*|1|*|*|*", "The radius is zero"},
      {3, "A=90 A=0", "*|1|*|0|*|*", "The central angle is zero"},
      {4, "c=1 A=0", "*|*|1|0|*|*", "The central angle is zero"},
      {5, "c=0 a=1", "*|1|0|*|*|*", "The chord is zero"},
      {5, "c=1 a=0", "*|0|1|No result|*|*", "The arc is zero"},
      {5, "c=-1 a=2", "*|2|-1|*|*|*", "No circle has this arc and chord"},
      {5, "c=1 a=1", "*|1|1|*|*|*", "The chord equals the arc, so the arc is a straight line"},
      {2, "A=90 r=1E307", "1E307|1.5707963267949E+307|1.41421356237309E+307|90|*|*",
       "The result is too large"},
      {2, "r=1 A=1E308", "1|*|*|1E308|*|*", "Number too large"},  // times Pi leaves the double range
      // Solves with the radius last read answer no radius on show until it reads again.
      {0, "r=1E400 a=1", "1E400|1|*|*|*|*", "Number too large"},
      {0, "r=1E400 a=1 r=1", "1|1|0.958851077208406|57.2957795130823|0.5|0.0792645075960517", ""},
  };
  for (const auto& c : cases) {
    makeWindow();
    choose(c.task);
    enter(c.typed);
    EXPECT_EQ(texts(), c.final) << c.typed.toStdString();
    EXPECT_EQ(window->statusText(), c.why) << c.typed.toStdString();
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
  }
  // Beyond the diameter nothing is written: the last circle's texts stay.
  makeWindow();
  choose(1);
  enter("r=3 c=6 c=7");
  EXPECT_EQ(texts(false), "3|9.42477796076938|7|180|14.1371669411541|14.1371669411541");
}

TEST_F(CirclesTest, ArcAndChordShowsTheCircleOfEveryRatio) {
  choose(5);
  for (const char* chord : {"0.5", "0.2", "0.01", "0.8"}) {
    enter(QString("c=") + chord);
    const double t = value(3) * Dimension::Pi / 360;
    ASSERT_TRUE(t > 0 && t < Dimension::Pi) << chord;
    EXPECT_NEAR(std::sin(t) / t, TextToNumber(chord), 1e-13) << chord;
    EXPECT_NEAR(value(0) * 2 * t, 1.0, 1e-13) << chord;
    EXPECT_FALSE(texts().contains(u'*')) << chord;
  }
  EXPECT_NEAR(value(3), 129.6148, 1e-4);
  EXPECT_NEAR(value(0), 0.4420466, 1e-7);

  // No circle: the radius from the old angle, then "No result" reads as angle
  // 0 and the segment uses cos(0) = 1.
  const double oldAngle = window->variables().CentralAngle.value();
  text(2)->setText("1.25");  // in one change, not key by key
  const double radius = value(0);
  EXPECT_NEAR(radius, 1 / oldAngle, 1e-13);
  EXPECT_NEAR(value(5), radius / 2 - 1.25 * radius / 2, 1e-13);
  EXPECT_EQ(texts().section(u'|', 3, 3), QStringLiteral("No result"));
  EXPECT_EQ(window->statusText(), QStringLiteral("The chord is longer than the arc"));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(style::isStale(text(i)), i == 0 || i > 3) << i;
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

// The six texts as they stand; Open puts them back one by one, each solving.
TEST_F(CirclesTest, SavesPrintsAndOpensTheSixTextsAsTheyStand) {
  platform().files.saveAnswers.push_back(path("saved.txt"));
  trigger("mnuSave");
  EXPECT_EQ(readBytes(path("saved.txt")), QString(kInitial + u'|').replace(u'|', "\r\n").toLatin1());
  trigger("mnuPrint");
  EXPECT_EQ(platform().printer.lastJobTexts().join(u'|'),
            "       Radius = 1|          Arc = 1|        Chord = .9588510394096375|"
            "Central angle = 57.29577357044914|  Sector area = .5| Segment area = 7.926452985896049D-02");
  EXPECT_EQ(platform().printer.jobs.at(0).at(0).fontName, QStringLiteral("Courier New"));
  trigger("mnuHelp");  // its own help file, from the program's folder
  EXPECT_EQ(platform().help.opened, QStringList{QCoreApplication::applicationDirPath() + "/circles.chm"});

  open(kInitial);  // the untouched window: no text differs, nothing solves
  EXPECT_EQ(texts(), kInitial);
  enter("r=2");
  platform().messages.expect(MessageAnswer::No);  // the edit is let go
  open(kInitial);
  EXPECT_EQ(texts(), "1|1|0.958851077208406|57.2957795130823|.5|7.926452985896049D-02");
  // "1,5" is two fields: the arc becomes 5 and the rest shift by one.
  open("1,5|1|.9588510394096375|57.29577357044914|.5|7.926452985896049D-02");
  EXPECT_EQ(texts(), "1|5|" + NumberToText(2 * std::sin(2.5)) + "|286.478897565412|57.29577357044914|.5");
  const QString before = texts();
  platform().messages.expect(MessageAnswer::Ok);
  open("3|4|5");  // checked whole before anything changes
  EXPECT_EQ(texts(), before);

  // Saved, such a text goes into quotes and reopens in its own field.
  text(0)->setText("1,5");
  text(1)->setText(" 2");
  const QString typed = texts();
  platform().files.saveAnswers.push_back(path("comma.txt"));
  trigger("mnuSaveAs");
  EXPECT_TRUE(readBytes(path("comma.txt")).startsWith("\"1,5\"\r\n\" 2\"\r\n"));
  makeWindow();
  platform().files.openAnswers.push_back(path("comma.txt"));
  trigger("mnuOpen");
  EXPECT_EQ(texts(), typed);
}

// A quantity read only in part solves exactly as the number read, and the
// status area says so, a failure of the solve first.
TEST_F(CirclesTest, QuantitiesReadOnlyInPartSolveAsReadAndAreTold) {
  const struct {
    int task;
    QString typed, asRead, status;
  } cases[] = {
      {0, "r=2,5", "r=2",
       "Radius is read as 2: ',5' is not part of a number (the decimal separator is a point)"},
      {2, "A=90deg", "A=90", "Central angle is read as 90: 'deg' is not part of a number"},
      {3, "a=1.2.3 A=60", "a=1.2 A=60", "Arc is read as 1.2: '.3' is not part of a number"},
      {1, "c=1e", "c=1", "Chord is read as 1: 'e' is not part of a number"},
      {5, "c=2 a=3x", "c=2 a=3", "Arc is read as 3: 'x' is not part of a number"},
      {5, "c=2 a=3x a=3", "c=2 a=3", ""},
  };
  for (const auto& c : cases) {
    makeWindow();
    choose(c.task);
    enter(c.asRead);
    QStringList expected = texts().split(u'|');
    for (const QString& token : c.typed.split(u' '))
      expected[QString("racA").indexOf(token[0])] = token.mid(2);
    makeWindow();
    choose(c.task);
    enter(c.typed);
    EXPECT_EQ(texts(), expected.join(u'|')) << c.typed.toStdString();
    EXPECT_EQ(window->statusText(), c.status) << c.typed.toStdString();
  }
}

// The pane shows the circle the fields show: at first the window's own texts;
// a solve that fails ("No result" included) keeps the last figure, greyed.
TEST_F(CirclesTest, FigureShowsTheFieldsAndGreysAfterAFailedSolve) {
  window->showFigure(true);
  FigurePane* pane = window->figurePane();
  EXPECT_EQ(pane->figure().labels.value(5).text, "segment = 7.926452985896049D-02");
  retype(text(1), "3.14159265358979");
  EXPECT_EQ(pane->figure().labels.value(3).text, "180\u00B0");
  retype(text(0), "0");
  EXPECT_TRUE(pane->isGreyed());
  EXPECT_EQ(pane->figure().labels.value(0).text, "r = 1");
  retype(text(0), "2");
  EXPECT_FALSE(pane->isGreyed());
  choose(ArcAndChord);
  retype(text(2), "5");
  EXPECT_EQ(text(3)->text(), "No result");
  EXPECT_TRUE(pane->isGreyed());
}

}  // namespace
// A typed quantity is a change, the solve it sets off included; choosing a
// case changes nothing that is saved.
TEST_F(CirclesTest, UnsavedQuantitiesAreNotDroppedWithoutAsking) {
  choose(4);
  choose(0);
  int typed = 1;
  checkChangedState(window, "Circles  www.veltrano.org", [&] { enter(QStringLiteral("r=%1").arg(++typed)); });
}

}  // namespace veltrano::circles
