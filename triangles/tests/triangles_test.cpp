#include <gtest/gtest.h>
#include <QAction>
#include <QLineEdit>
#include <QRadioButton>

#include "common/dimension.h"
#include "common/figure_pane.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"
#include "common/working_text.h"
#include "triangles/triangle_working.h"
#include "triangles/triangles_window.h"

using namespace veltrano;
using namespace veltrano::testing;
using namespace veltrano::triangles;

namespace {

const QString kNoTriangle = "No triangle has these parts";

// The texts of a, b, c, A, B, C and the area joined by "|", a result the last
// solve did not write marked with a trailing "*".
const QString kInitial = "1|1|1|60|60|60|0.433012701892219";
const QString kSolved345 = "3|4|5|36.869897645844|53.130102354156|90|6";

class TrianglesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    makeWindow();
  }
  void makeWindow() {
    delete window;
    window = new TrianglesWindow;
    fields.clear();
    for (const char* name : {"txtSidea", "txtSideb", "txtSidec", "txtAn", "txtBn", "txtCn", "txtArea"})
      fields << child<QLineEdit>(window, name);
    buttons = indexedGroup<QRadioButton>(window, "OptTask");
  }
  QString texts() const {
    QStringList all;
    for (const QLineEdit* f : fields) all << f->text() + (style::isStale(f) ? "*" : "");
    return all.join(u'|');
  }
  // Tokens such as "a=3" or "A=30": the part's letter, then its text.
  void enter(const QString& parts, bool byKey) {
    for (const QString& token : parts.split(u' ')) {
      QLineEdit* f = fields[QString("abcABC").indexOf(token[0])];
      byKey ? retype(f, token.mid(2)) : f->setText(token.mid(2));
    }
  }
  void trigger(const char* action) { WindowTest::trigger(window, action); }
  // Every result the fields show as current reads in the working of the
  // window's variables exactly as in its field.
  void expectWorkingAgrees(const QString& what) const {
    const QStringList lines = working::toPlainText(triangleWorking(window->variables())).split(u'\n');
    for (Part part : resultParts(window->variables().Task)) {
      const QLineEdit* f = fields[static_cast<int>(part)];
      if (style::isStale(f)) continue;
      const bool angle = part == Part::AngleA || part == Part::AngleB || part == Part::AngleC;
      const QString label = part == Part::Area ? QString("Area") : QString("abcABC")[static_cast<int>(part)];
      const QString line = "   " + label + " = " + f->text() + (angle ? "°" : "");
      EXPECT_TRUE(lines.contains(line)) << what.toStdString() << ": " << line.toStdString();
    }
    // The second triangle of a,b,A reads there as the status line tells it.
    const QString second = "A second triangle fits: ";
    if (!window->statusText().startsWith(second)) return;
    for (const QString& part : window->statusText().mid(second.size()).split(", "))
      EXPECT_TRUE(lines.join(u'\n').contains(part.section(" = ", 1)))
          << what.toStdString() << ": " << part.toStdString();
  }

  TrianglesWindow* window = nullptr;
  QList<QLineEdit*> fields;
  QList<QRadioButton*> buttons;
};

// Opens on the equilateral triangle, typing into a. A case switch solves
// nothing.
TEST_F(TrianglesTest, OpensReadyForTypingAndSwitchesCasesWithoutSolving) {
  EXPECT_EQ(texts(), kInitial);
  EXPECT_EQ(window->focusWidget(), fields[0]);
  retype(fields[0], "3");
  const QString shown = texts();
  buttons[2]->click();
  EXPECT_EQ(texts(), shown);
}

// The cases and their edge cases, typed key by key and set as whole texts in a
// fresh window: both end alike. A part read only in part solves as the number
// read, and the status area says what was read until the text reads whole
// again; the solve's failure comes first.
TEST_F(TrianglesTest, TypingKeyByKeyEndsAsWholeTextsDo) {
  const QString aComma = "a is read as 3: ',5' is not part of a number (the decimal separator is a point)";
  const struct {
    int task;
    QString typed, final, why;
  } cases[] = {
      {0, "a=3 b=4 c=5", kSolved345, ""},
      {0, "a=2", "2|1|1|180|0|0|0", "These sides make a flat triangle: 1 + 1 = 2"},
      {0, "a=1E200 b=1E200 c=1E200", "1E200|1E200|1E200|60*|60*|60*|0.433012701892219*",
       "A number is too large to solve with"},
      {0, "b=", "1||1|60*|60*|60*|0.433012701892219*", "A side is zero"},
      {0, "a=1E309", "1E309|1|1|60*|60*|60*|0.433012701892219*", "Number too large"},
      {0, "b=4 c=5 a=3,5", "3,5|4|5|36.869897645844|53.130102354156|90|6", aComma},
      {0, "b=4 c=5 a=3,5 a=3", kSolved345, ""},
      {0, "a=3,5", "3,5|1|1|60*|60*|60*|0.433012701892219*", kNoTriangle},
      {0, "b=4 c=5 a=-", "-|4|5|0*|0*|180*|0*", kNoTriangle},  // on the way to a number: nothing to say
      // Of the two triangles, the one with B at most 90 degrees; the other is told.
      {1, "a=3 b=4 A=30", "3|4|5.70016959263755|30|41.8103148957786|108.189685104221|5.70016959263754",
       "A second triangle fits: B = 138.189685104221, C = 11.8103148957786, c = 1.22803363763797, "
       "area = 1.22803363763797"},
      {1, "a=2 b=2.02 A=100",
       "2|2.02|0.144276909649987|100|84.0738677069438|-4.07386770694381|0.143505869395989",
       "A + B reaches 180 degrees: with A at 90 degrees or more, a must be longer than b, and 2 is not "
       "longer "
       "than 2.02"},
      // b sin A > a: the last triangle's results stay, marked.
      {1, "a=3 b=4 A=30 a=1 b=3",
       "1|3|5.70016959263755*|30|41.8103148957786*|108.189685104221*|5.70016959263754*", kNoTriangle},
      // The true angle A, obtuse as a^2 > b^2 + c^2; and a sine a hair above 1.
      {2, "a=7 b=5 C=21.7867892982618", "7|5|3|120|38.2132107017382|21.7867892982618|6.49519052838329", ""},
      {2, "a=5 b=4 C=36.869897645844", "5|4|3|90|53.130102354156|36.869897645844|6", ""},
      {2, "C=0", "1|1|1*|60*|60*|0|0.433012701892219*", "Side c comes out zero: no triangle"},
      {3, "a=2 B=30 C=60", "2|1|1.73205080756888|90|30|60|0.866025403784438", ""},
      // A zero side first keeps the angles typed on the way from solving.
      {3, "a=0 B=10 C=180 a=1", "1|-1|-7.05245983920612E-16|-9.99999999999999|10|180|0*",
       "No area: the parts found make no triangle"},
      // A zero side given is told as such, not as a negative part.
      {3, "a=0 B=30 C=60", "0|0|0|90|30|60|0", "A side must be above 0: a = 0"},
      {4, "a=0 A=90 C=30", "0|0|0|90|60|30|0", "A side must be above 0: a = 0"},
      {4, "a=5 A=90 C=30", "5|4.33012701892219|2.5|90|60|30|5.41265877365274", ""},
      {4, "a=2 A=0 C=30", "2|2*|2*|0|60*|30|1.73205080756888*", "The angles leave no room for a triangle"},
  };
  for (const auto& c : cases) {
    for (bool byKey : {true, false}) {
      makeWindow();
      buttons[c.task]->click();
      enter(c.typed, byKey);
      EXPECT_EQ(texts(), c.final) << c.typed.toStdString() << (byKey ? " key by key" : " as whole texts");
      EXPECT_EQ(window->statusText(), c.why) << c.typed.toStdString();
      expectWorkingAgrees(c.typed);
    }
  }
}

TEST_F(TrianglesTest, SavesAndReopensTheSevenTextsAsShown) {
  // A comma or a leading blank would split or lose a field: such a line is
  // quoted, and every field reopens in its own place.
  fields[0]->setText("3,5");
  fields[1]->setText(" 4");
  const QString typed = texts();
  platform().files.saveAnswers.push_back(path("comma.txt"));
  trigger("mnuSaveAs");
  EXPECT_TRUE(readBytes(path("comma.txt")).startsWith("\"3,5\"\r\n\" 4\"\r\n1\r\n"));
  makeWindow();
  platform().files.openAnswers.push_back(path("comma.txt"));
  trigger("mnuOpen");
  EXPECT_EQ(texts(), typed);
}

// Open writes the fields one by one in case 0, each solving as if typed,
// notes and all.
TEST_F(TrianglesTest, OpenWritesTheFieldsInTurnAndSolves) {
  const struct {
    QString file, final, why;
  } cases[] = {
      {"3|4|5|0|0|0|7", kSolved345.chopped(1) + "7*", "The area is the one read from the file, not computed"},
      {"3|4x|5|0|0|0|6", "3|4x|5|36.869897645844|53.130102354156|90|6",
       "b is read as 4: 'x' is not part of a number"},
      // A result read in part is solved and written anew inside its own
      // change handler: its note goes with its text.
      {"3|4|5|0x|0|0|6", kSolved345, ""},
  };
  for (const auto& c : cases) {
    makeWindow();
    openLines(window, c.file);
    EXPECT_EQ(texts(), c.final) << c.file.toStdString();
    EXPECT_EQ(window->statusText(), c.why) << c.file.toStdString();
  }
}

// The printed pages are headed with the case chosen; the lines stay the seven
// labelled fields.
TEST_F(TrianglesTest, PrintedPagesAreHeadedWithTheCaseChosen) {
  struct Case {
    int task;
    QString heading;
  } cases[] = {
      {1, "Veltrano \u2013 Triangles \u2013 a,b,A (SSA)"},
      {4, "Veltrano \u2013 Triangles \u2013 a,A,C (SAA)"},
  };
  for (const Case& c : cases) {
    buttons[c.task]->click();
    window->print();
    const std::vector<PrintedPage>& pages = platform().printer.pageJobs.back();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].heading, c.heading);
    EXPECT_EQ(pages[0].lines.size(), 7);
  }
}

// Parts that make no proper triangle are told, behind any failure, until
// they are mended; the results stay as computed.
TEST_F(TrianglesTest, ImpossiblePartsAreToldUntilMended) {
  const struct {
    int task;
    QString typed, note, mended;
  } cases[] = {
      {0, "a=1 b=2 c=3", "These sides make a flat triangle: 1 + 2 = 3", "c=2.5"},
      {1, "a=2 b=2.02 A=100",
       "A + B reaches 180 degrees: with A at 90 degrees or more, a must be longer than b, and 2 is not "
       "longer "
       "than 2.02",
       "a=3"},
      {3, "a=2 B=100 C=90", "B + C must be below 180 degrees: 100 + 90 = 190", "C=40"},
      {4, "a=2 A=100 C=80", "A + C must be below 180 degrees: 100 + 80 = 180", "C=30"},
      {2, "a=2 b=1 C=200", "An angle must be above 0 and below 180 degrees: C = 200", "C=20"},
      {4, "a=-2 A=30 C=30", u8"A side must be above 0: a = −2", "a=2"},
  };
  for (const auto& c : cases) {
    makeWindow();
    buttons[c.task]->click();
    enter(c.typed, false);
    EXPECT_EQ(window->statusText(), c.note) << c.typed.toStdString();
    enter(c.mended, false);
    EXPECT_EQ(window->statusText(), "") << c.typed.toStdString();
  }
}

// A square or Heron's product that leaves the double range at the small end
// stops the solve with its reason: the results it could not trust are greyed.
// Right results stay: at 1E-150 the angles, and the area once the sides allow.
TEST_F(TrianglesTest, SidesTooSmallForDoublePrecisionGreyWhatTheyCannotGive) {
  const QString square = "The sides are too small to square in double precision";
  const QString area = "The sides are too small to multiply for the area in double precision";
  const struct {
    int task;
    QString typed, final, why;
  } cases[] = {
      {0, "a=1E-170 b=1E-170 c=1E-170", "1E-170|1E-170|1E-170|60*|60*|60*|0.433012701892219*", square},
      {0, "a=1E-300 b=1E-300 c=1E-300", "1E-300|1E-300|1E-300|60*|60*|60*|0.433012701892219*", square},
      {0, "a=1E-160 b=1E-160 c=1E-160", "1E-160|1E-160|1E-160|60*|60*|60*|0.433012701892219*", square},
      {0, "a=1E-150 b=1E-150 c=1E-150", "1E-150|1E-150|1E-150|60|60|60|0*", area},
      {0, "a=1E-70 b=1E-70 c=1E-70", "1E-70|1E-70|1E-70|60|60|60|4.33012701892219E-141", ""},
      {2, "a=1E-160 b=1E-160 C=90", "1E-160|1E-160|1*|60*|60*|90|0.433012701892219*", square},
      {3, "a=1E-300 B=60 C=60", "1E-300|1E-300|1E-300|60|60|60|0.433012701892219*", area},
  };
  for (const auto& c : cases) {
    makeWindow();
    window->showFigure(true);
    buttons[c.task]->click();
    enter(c.typed, false);
    EXPECT_EQ(texts(), c.final) << c.typed.toStdString();
    EXPECT_EQ(window->statusText(), c.why) << c.typed.toStdString();
    EXPECT_EQ(window->figurePane()->isGreyed(), !c.why.isEmpty()) << c.typed.toStdString();
  }
}

// The condition each case names first, on the parts as given (degrees) and,
// after a solve, on the parts it found.
TEST(ImpossiblePartsNote, NamesTheFirstConditionThatFails) {
  Dimension::SetConstants();
  const struct {
    std::int32_t task;
    double a, b, c, A, B, C;
    QString note;
  } cases[] = {
      {SSS, 3, 4, 5, 0, 0, 0, ""},
      {SSS, 3, 1, 2, 0, 0, 0, "These sides make a flat triangle: 1 + 2 = 3"},
      // 0.1 + 0.2 is not 0.3 in doubles, but the angle found is 0.
      {SSS, 0.1, 0.2, 0.3, 0, 0, 0, "These parts make a flat triangle: A = 0"},
      {SSS, 3, 0, 5, 0, 0, 0, "A side must be above 0: b = 0"},
      {SSA, 1, 1, 0, 90, 0, 0,
       "A + B reaches 180 degrees: with A at 90 degrees or more, a must be longer than b, and 1 is not "
       "longer "
       "than 1"},
      {SSA, 3, 2, 0, 100, 0, 0, ""},
      {SSA, 3, 4, 0, 180, 0, 0, "An angle must be above 0 and below 180 degrees: A = 180"},
      {SAS, 1, 1, 0, 0, 0, -5, u8"An angle must be above 0 and below 180 degrees: C = −5"},
      {ASA, 1, 0, 0, 0, 90, 89.5, ""},
      {ASA, 1, 0, 0, 0, 90, 90, "B + C must be below 180 degrees: 90 + 90 = 180"},
      {SAA, 1, 0, 0, 120, 0, 70, "A + C must be below 180 degrees: 120 + 70 = 190"},
  };
  for (const auto& c : cases) {
    TriangleVariables v;
    v.Task = c.task;
    v.SideA = c.a, v.SideB = c.b, v.SideC = c.c;
    v.AngleA = DegreesToRadians(c.A), v.AngleB = DegreesToRadians(c.B), v.AngleC = DegreesToRadians(c.C);
    const SolveOutcome outcome = SolveTriangle(v, [](Part, const QString&) {});
    EXPECT_EQ(outcome.note, c.note) << c.task << " " << c.note.toStdString();
  }
}

}  // namespace
