#include "triangles/triangles_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "common/dimension.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"

using namespace veltrano;
using namespace veltrano::testing;
using veltrano::triangles::Part;

namespace {

const char* const kFieldNames[] = {"txtSidea", "txtSideb", "txtSidec", "txtAn", "txtBn", "txtCn", "txtArea"};
const QStringList kInitial{"1", "1", "1", "60", "60", "60", "0.433012701892219"};
const QList<bool> kFresh(7, false);
const QList<bool> kAnglesStale{false, false, false, true, true, true, true};

class TrianglesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    makeWindow();
  }
  // The window goes first: its menus are top-level widgets too, and the
  // shared clean-up would otherwise delete them twice.
  void TearDown() override {
    delete window;
    window = nullptr;
    WindowTest::TearDown();
  }
  void makeWindow() {
    delete window;
    window = new triangles::TrianglesWindow;
    fields.clear();
    for (const char* name : kFieldNames) fields.append(child<QLineEdit>(window, name));
    buttons = indexedGroup<QRadioButton>(window, "OptTask");
  }

  QLineEdit* field(Part part) const { return fields[static_cast<int>(part)]; }
  QStringList texts() const {
    QStringList all;
    for (const QLineEdit* f : fields) all << f->text();
    return all;
  }
  QList<bool> staleMarks() const {
    QList<bool> marks;
    for (const QLineEdit* f : fields) marks << style::isStale(f);
    return marks;
  }
  void trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
  void openFile(const QByteArray& content) {
    writeBytes(path("sheet.txt"), content);
    platform().files.openAnswers.push_back(path("sheet.txt"));
    trigger("mnuOpen");
  }

  triangles::TrianglesWindow* window = nullptr;
  QList<QLineEdit*> fields;
  QList<QRadioButton*> buttons;
};

TEST_F(TrianglesTest, OpensOnTheEquilateralTriangleReadyForTyping) {
  EXPECT_EQ(window->windowTitle(), "Triangles  www.veltrano.org");
  EXPECT_EQ(texts(), kInitial);
  EXPECT_EQ(window->focusWidget(), field(Part::SideA));
  EXPECT_EQ(window->findChild<QAction*>("mnuSaveAs")->text(), "SaveAs");
  EXPECT_EQ(window->variables().AngleB, Real(60 * Dimension::Pi / 180));
  EXPECT_EQ(child<QLabel>(window, "Label1")->text(), "By convention call:         ");
  ASSERT_EQ(buttons.size(), 5);
  EXPECT_TRUE(buttons[0]->isChecked());
  EXPECT_EQ(buttons[4]->text(), "a,A,C (SAA)");
  EXPECT_EQ(buttons[4]->parent()->objectName(), "Frame1");

  QStringList order;
  QWidget* w = field(Part::SideA);
  do {
    if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
    w = w->nextInFocusChain();
  } while (w != field(Part::SideA) && order.size() < 12);
  EXPECT_EQ(order, (QStringList{"txtSidea", "txtSideb", "txtSidec", "txtAn", "txtBn", "txtCn", "txtArea",
                                "OptTask", "OptTask", "OptTask", "OptTask", "OptTask"}));
}

// Which part fields are inputs, case by case, in the order a, b, c, A, B, C.
TEST_F(TrianglesTest, ChoosingACaseChangesOnlyLocksAndColours) {
  const QList<QList<bool>> inputs{
      {1, 1, 1, 0, 0, 0}, {1, 1, 0, 1, 0, 0}, {1, 1, 0, 0, 0, 1}, {1, 0, 0, 0, 1, 1}, {1, 0, 0, 1, 0, 1}};
  retype(field(Part::SideA), "3");
  QStringList shown = kInitial;
  shown[0] = "3";
  for (int i : {1, 2, 3, 4, 0}) {
    buttons[i]->click();
    EXPECT_EQ(window->variables().Task, i);
    for (int f = 0; f < 6; ++f) {
      EXPECT_EQ(style::isInput(fields[f]), inputs[i][f]) << "case " << i << " field " << f;
      EXPECT_EQ(style::background(fields[f]), inputs[i][f] ? style::Green : style::Yellow);
    }
    EXPECT_FALSE(style::isInput(field(Part::Area)));
    EXPECT_EQ(texts(), shown);
    EXPECT_EQ(window->statusText(), "No triangle has these parts") << "no solve on a switch";
  }
  typeText(field(Part::AngleA), "9");
  EXPECT_EQ(texts(), shown) << "an output takes no typing";
}

// Parts typed key by key in one case, and what the window ends with.
struct Typing {
  const char* name;
  int task;
  QList<std::pair<Part, QString>> typed;
  QStringList final;
  QList<bool> stale;
  QString why;
};

class Typed : public TrianglesTest, public ::testing::WithParamInterface<Typing> {};

TEST_P(Typed, KeyByKeyEndsAsWholeTextsDo) {
  const Typing& c = GetParam();
  buttons[c.task]->click();
  for (const auto& [part, text] : c.typed) retype(field(part), text);
  EXPECT_EQ(texts(), c.final);
  EXPECT_EQ(staleMarks(), c.stale);
  EXPECT_EQ(window->statusText(), c.why);

  makeWindow();
  buttons[c.task]->click();
  for (const auto& [part, text] : c.typed) field(part)->setText(text);
  EXPECT_EQ(texts(), c.final);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Typed,
    ::testing::Values(Typing{"Sides",
                             0,
                             {{Part::SideA, "3"}, {Part::SideB, "4"}, {Part::SideC, "5"}},
                             {"3", "4", "5", "36.869897645844", "53.130102354156", "90", "6"},
                             kFresh,
                             ""},
                      Typing{"SidesAndOppositeAngle",
                             1,
                             {{Part::SideA, "3"}, {Part::SideB, "4"}, {Part::AngleA, "30"}},
                             {"3", "4", "5.70016959263755", "30", "41.8103148957786", "108.189685104221",
                              "5.70016959263754"},
                             kFresh,
                             ""},
                      Typing{"SidesAndIncludedAngle",
                             2,
                             {{Part::SideA, "3"}, {Part::SideB, "4"}, {Part::AngleC, "90"}},
                             {"3", "4", "5", "36.869897645844", "53.130102354156", "90", "6"},
                             kFresh,
                             ""},
                      Typing{"SideAndAdjacentAngles",
                             3,
                             {{Part::SideA, "2"}, {Part::AngleB, "30"}, {Part::AngleC, "60"}},
                             {"2", "1", "1.73205080756888", "90", "30", "60", "0.866025403784438"},
                             kFresh,
                             ""},
                      Typing{"SideAndTwoAngles",
                             4,
                             {{Part::SideA, "5"}, {Part::AngleA, "90"}, {Part::AngleC, "30"}},
                             {"5", "4.33012701892219", "2.5", "90", "60", "30", "5.41265877365274"},
                             kFresh,
                             ""},
                      Typing{"SideTooLong",
                             0,
                             {{Part::SideA, "3"}},
                             {"3", "1", "1", "60", "60", "60", "0.433012701892219"},
                             kAnglesStale,
                             "No triangle has these parts"},
                      Typing{"SideEmptied",
                             0,
                             {{Part::SideB, ""}},
                             {"1", "", "1", "60", "60", "60", "0.433012701892219"},
                             kAnglesStale,
                             "A side is zero"},
                      // b sin A > a: the results of the last triangle stay, marked.
                      Typing{"SideTooShortAfterATriangle",
                             1,
                             {{Part::SideA, "3"},
                              {Part::SideB, "4"},
                              {Part::AngleA, "30"},
                              {Part::SideA, "1"},
                              {Part::SideB, "3"}},
                             {"1", "3", "5.70016959263755", "30", "41.8103148957786", "108.189685104221",
                              "5.70016959263754"},
                             {false, false, true, false, true, true, true},
                             "No triangle has these parts"},
                      // C = 60 as the window opened: a switch keeps the variables.
                      Typing{"IncludedAngleFromTheStart",
                             2,
                             {{Part::SideB, "4"}, {Part::SideA, "3"}},
                             {"3", "4", "3.60555127546399", "46.102113751986", "73.897886248014", "60",
                              "5.19615242270663"},
                             kFresh,
                             ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Each written result re-enters the solver through its change handler; the
// nesting ends, and the texts are those of a single solve.
TEST_F(TrianglesTest, ReentryEndsWithTheTextsOfOneSolve) {
  int changes = 0;
  for (QLineEdit* f : fields) QObject::connect(f, &QLineEdit::textChanged, [&] { ++changes; });
  field(Part::SideB)->setText("4");
  field(Part::SideC)->setText("5");
  changes = 0;
  field(Part::SideA)->setText("3");

  triangles::TriangleVariables copy = window->variables();
  QStringList once = texts();
  triangles::SolveTriangle(copy, [&](Part part, const QString& text) { once[int(part)] = text; });
  EXPECT_EQ(texts(), once);
  EXPECT_EQ(changes, 5) << "side a, then A, B, C and the area once each";
}

TEST_F(TrianglesTest, ANumberTooLargeToReadMarksTheResults) {
  typeText(field(Part::SideA), "E309");
  EXPECT_EQ(window->statusText(), "Number too large");
  EXPECT_EQ(staleMarks(), kAnglesStale);
}

TEST_F(TrianglesTest, SavesAndPrintsTheSevenTextsAsShown) {
  platform().files.saveAnswers.push_back(path("saved.txt"));
  trigger("mnuSave");
  EXPECT_EQ(readBytes(path("saved.txt")), "1\r\n1\r\n1\r\n60\r\n60\r\n60\r\n0.433012701892219\r\n");

  trigger("mnuPrint");
  EXPECT_EQ(platform().printer.lastJobTexts(),
            (QStringList{"   a = 1", "   b = 1", "   c = 1", "   A = 60", "   B = 60", "   C = 60",
                         "Area = 0.433012701892219"}));
  EXPECT_EQ(platform().printer.jobs.at(0).at(0).fontName, "Courier New");
}

struct Opening {
  const char* name;
  QByteArray file;
  QStringList final;
  QList<bool> stale;
  QString why;
};

class Opened : public TrianglesTest, public ::testing::WithParamInterface<Opening> {};

// Open writes the fields one by one in case 0, each solving as if typed.
TEST_P(Opened, FieldsAreWrittenInTurnAndSolved) {
  const Opening& c = GetParam();
  openFile(c.file);
  EXPECT_EQ(texts(), c.final);
  EXPECT_EQ(staleMarks(), c.stale);
  EXPECT_EQ(window->statusText(), c.why);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Opened,
    ::testing::Values(Opening{"TheInitialWindow", "1\r\n1\r\n1\r\n60\r\n60\r\n60\r\n0.433012701892219\r\n",
                              kInitial, kFresh, ""},
                      Opening{"SolvedOverTheFilesAngles",
                              "3\r\n4\r\n5\r\n0\r\n0\r\n0\r\n6\r\n",
                              {"3", "4", "5", "36.869897645844", "53.130102354156", "90", "6"},
                              kFresh,
                              ""},
                      Opening{"AreaAsInTheFile",
                              "3\r\n4\r\n5\r\n0\r\n0\r\n0\r\n7\r\n",
                              {"3", "4", "5", "36.869897645844", "53.130102354156", "90", "7"},
                              {false, false, false, false, false, false, true},
                              "The area is the one read from the file, not computed"},
                      Opening{"NoTriangleAsItStands",
                              "1\r\n1\r\n5\r\n10\r\n20\r\n30\r\n40\r\n",
                              {"1", "1", "5", "10", "20", "30", "40"},
                              kAnglesStale,
                              "No triangle has these parts"},
                      Opening{"CommaShiftsTheFields",
                              "1,5\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n",
                              {"1", "5", "2", "3", "4", "5", "6"},
                              kAnglesStale,
                              "No triangle has these parts"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrianglesTest, AShortFileChangesNothing) {
  platform().messages.expect(MessageAnswer::Ok);
  openFile("3\r\n4\r\n5\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(texts(), kInitial);
  EXPECT_TRUE(Dimension::CurrentFileName.isEmpty());
}

}  // namespace
