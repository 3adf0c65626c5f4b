#include <gtest/gtest.h>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "circles/circles_window.h"
#include "common/dimension.h"
#include "common/figure_pane.h"
#include "common/numeric_text.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"
#include "common/working_pane.h"

namespace veltrano::circles {
namespace {

using testing::retype;

// The root search alone: it writes no field.
class SearchView : public CircleView {
 public:
  SearchView() : solver(*this) { Dimension::SetConstants(); }
  void writeField(CircleField, const QString&) override {}
  void setBusy(bool) override {}
  void solveEnded(const SolveOutcome&) override {}
  const CircleVariables& search(double arc, double chord) {
    solver.variables().Arc = arc;
    solver.variables().Chord = chord;
    solver.SolveArcAndChord();
    return solver.variables();
  }

  CircleSolver solver;
};

// Where Newton's iteration finds the root in (0, Pi), its half angle stays to
// the bit (values from an independent run in doubles); elsewhere the true root
// is found to the last bit, the neighbouring doubles lying on either side.
TEST(CircleRoot, FindsTheHalfAngleOfEveryRatioBetweenZeroAndOne) {
  const struct {
    double ratio, newtonHalfAngle, iterations;
  } cases[] = {{0.8, 1.1311025856513446, 6}, {0.742, 0, 0}, {1e-9, 0, 0}};
  for (const auto& c : cases) {
    SearchView view;
    const CircleVariables& v = view.search(1, c.ratio);
    const double t = v.CentralAngle.value() / 2, r = v.ChordArcRatio.value();
    EXPECT_EQ(v.Converged, 1) << c.ratio;
    if (c.newtonHalfAngle > 0) {
      EXPECT_EQ(t, c.newtonHalfAngle) << c.ratio;
      EXPECT_EQ(v.IterationCount.value(), c.iterations) << c.ratio;
      continue;
    }
    ASSERT_TRUE(t > 0 && t < Dimension::Pi) << c.ratio;
    EXPECT_GE(std::sin(std::nextafter(t, 0.0)) / std::nextafter(t, 0.0), r - 1e-16) << c.ratio;
    EXPECT_LE(std::sin(std::nextafter(t, 4.0)) / std::nextafter(t, 4.0), r + 1e-16) << c.ratio;
  }
  SearchView view;
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
    window->showWorking(true);  // so that it follows every key typed
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
  // Every result the fields show as current reads in the working the window
  // shows exactly as in its field.
  void expectWorkingAgrees(const QString& what) const {
    const QString working = testing::child<WorkingPane>(window, "txtWorking")->plainWorking();
    const QStringList lines = working.split(u'\n');
    const QStringList labels{"r", "arc", "chord", "θ", "Sector area", "Segment area"};
    for (int i = 0; i < 6; ++i) {
      if (isInputOf(window->variables().Task, CircleField(i)) || style::isStale(text(i))) continue;
      if (text(i)->text() == "No result") {
        EXPECT_TRUE(working.contains("No result: ")) << what.toStdString();
        continue;
      }
      const QString line = "   " + labels[i] + " = " + text(i)->text() + (i == 3 ? "°" : "");
      EXPECT_TRUE(lines.contains(line)) << what.toStdString() << ": " << line.toStdString();
    }
  }
  void choose(int task) { testing::indexedGroup<QRadioButton>(window, "OptTask")[task]->click(); }

  CirclesWindow* window = nullptr;
};

// Opens as designed, typing into the radius; choosing a case solves nothing.
// Every case solves one circle: radius 2 and 60 degrees, so the chord is 2 too.
TEST_F(CirclesTest, OpensUnsolvedAndEachCaseSolvesTheSameCircle) {
  EXPECT_EQ(window->focusWidget(), text(0));
  choose(5);
  EXPECT_EQ(texts(), kInitial);
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
    expectWorkingAgrees(QString::number(task));
  }
}

// Known circles, and failures told in plain words, typed in a fresh window. A
// quantity read only in part solves as the number read, and is told.
TEST_F(CirclesTest, TypedQuantitiesEndInTheseTexts) {
  const struct {
    int task;
    QString typed, final, why;
  } cases[] = {
      {1, "r=3 c=6", "3|9.42477796076938|6|180|14.1371669411541|14.1371669411541", ""},
      {1, "r=3 c=6 c=7", "3|*|7|*|*|*", "The chord is longer than the diameter"},
      {0, "a=1 r=0", "0|1|*|*|*|*", "The radius is zero"},
      {3, "A=90 A=0", "*|1|*|0|*|*", "The central angle is zero"},
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
      {0, "r=2,5", "2,5|1|0.989615837018092|28.6478897565412|1|0.041148922791594",
       "Radius is read as 2: ',5' is not part of a number (the decimal separator is a point)"},
  };
  for (const auto& c : cases) {
    makeWindow();
    choose(c.task);
    enter(c.typed);
    EXPECT_EQ(texts(), c.final) << c.typed.toStdString();
    EXPECT_EQ(window->statusText(), c.why) << c.typed.toStdString();
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
    expectWorkingAgrees(c.typed);
  }
  // Beyond the diameter nothing is written: the last circle's texts stay.
  makeWindow();
  choose(1);
  enter("r=3 c=6 c=7");
  EXPECT_EQ(texts(false), "3|9.42477796076938|7|180|14.1371669411541|14.1371669411541");
}

// The arc and chord show the circle the root search finds; beyond the arc
// there is none, and the figure keeps the last circle, greyed.
TEST_F(CirclesTest, ArcAndChordShowsTheCircleOrSaysThereIsNone) {
  window->showFigure(true);
  choose(5);
  enter("c=0.8");
  EXPECT_FALSE(texts().contains(u'*'));

  text(2)->setText("1.25");  // in one change, not key by key
  EXPECT_EQ(texts().section(u'|', 3, 3), QStringLiteral("No result"));
  EXPECT_EQ(window->statusText(), QStringLiteral("The chord is longer than the arc"));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(style::isStale(text(i)), i == 0 || i > 3) << i;
  EXPECT_TRUE(window->figurePane()->isGreyed());
}

// The printed pages are headed with the case chosen.
TEST_F(CirclesTest, PrintedPagesAreHeadedWithTheCaseChosen) {
  struct Case {
    int task;
    QString heading;
  } cases[] = {
      {0, "Veltrano \u2013 Circles \u2013 Radius and arc"},
      {5, "Veltrano \u2013 Circles \u2013 Arc and chord"},
  };
  for (const Case& c : cases) {
    choose(c.task);
    window->print();
    EXPECT_EQ(platform().printer.pageJobs.back().at(0).heading, c.heading);
  }
}

// The edges of what a circle allows, on the variables as a solve leaves them.
TEST(ImpossibleInputNote, NamesTheGivenQuantityNoCircleHas) {
  Dimension::SetConstants();
  const double degree = Dimension::Pi / 180;
  const QString angle = u8"A central angle must be above 0 and at most 360 degrees: ";
  const struct {
    std::int32_t task;
    double radius, arc, chord, centralAngle;
    QString note;
  } cases[] = {
      {RadiusAndCentralAngle, 2, 1, 1, 360 * degree, ""},
      {RadiusAndCentralAngle, 2, 1, 1e-300, 1e-300, ""},
      {RadiusAndCentralAngle, 2, 13.96, -1.3680805733, 400 * degree, angle + u8"400 gives a chord of −1.368"},
      {RadiusAndCentralAngle, 2, 0, 0, 0, angle + "0 gives an arc of 0"},
      {ArcAndCentralAngle, -5.73, 1, -1, -10 * degree, angle + u8"−10 gives a radius of −5.73"},
      {RadiusAndCentralAngle, 2, 9, 1, 720 * degree, angle + "720"},
      {RadiusAndArc, 0, 1, 1, 1, "A radius must be above 0"},
      {RadiusAndChord, 1, 1, -2, 1, "A chord must be above 0"},
      {ArcAndChord, 1, -1, -2, 1, "An arc must be above 0"},
      {ChordAndCentralAngle, 1, 1, 0, 400 * degree, "A chord must be above 0"},
      {ArcAndChord, -1, 1, 0.5, 400 * degree, ""},  // results are the solve's own business
  };
  for (const auto& c : cases) {
    CircleVariables v;
    v.Task = c.task;
    v.Radius = c.radius;
    v.Arc = c.arc;
    v.Chord = c.chord;
    v.CentralAngle = c.centralAngle;
    EXPECT_EQ(impossibleInputNote(v), c.note) << c.task << " " << c.note.toStdString();
  }
}

// The note stands behind any failure, greys the figure, and goes when the
// input is mended.
TEST_F(CirclesTest, ImpossibleQuantitiesAreToldAndGreyTheFigure) {
  window->showFigure(true);
  const struct {
    int task;
    QString typed, status, mended;
  } cases[] = {
      {2, "r=2 A=400",
       u8"A central angle must be above 0 and at most 360 degrees: 400 gives a chord of −1.368", "A=40"},
      {0, "a=1 r=-1", "A radius must be above 0", "r=1"},
      {0, "a=1 r=0", "The radius is zero", "r=1"},  // the failure first
      {4, "c=1 A=-90",
       u8"A central angle must be above 0 and at most 360 degrees: −90 gives a radius of −0.7071", "A=90"},
  };
  for (const auto& c : cases) {
    makeWindow();
    window->showFigure(true);
    choose(c.task);
    enter(c.typed);
    EXPECT_EQ(window->statusText(), c.status) << c.typed.toStdString();
    EXPECT_TRUE(window->figurePane()->isGreyed()) << c.typed.toStdString();
    enter(c.mended);
    EXPECT_EQ(window->statusText(), "") << c.typed.toStdString();
    EXPECT_FALSE(window->figurePane()->isGreyed()) << c.typed.toStdString();
  }
}

}  // namespace
}  // namespace veltrano::circles
