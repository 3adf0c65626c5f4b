#include "triangles/triangles_window.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "common/dimension.h"
#include "common/numeric_text.h"
#include "common/testing/window_test.h"
#include "common/ui_style.h"

using namespace veltrano;
using namespace veltrano::testing;
using veltrano::triangles::Part;
using veltrano::triangles::TrianglesWindow;

namespace {

const char* const kFieldNames[] = {"txtSidea", "txtSideb", "txtSidec", "txtAn", "txtBn", "txtCn", "txtArea"};
const QStringList kInitialTexts{"1", "1", "1", "60", "60", "60", "0.433012701892219"};

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
    window = new TrianglesWindow;
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
  void chooseCase(int index) { buttons[index]->click(); }
  void trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
  void openFile(const QByteArray& content) {
    const QString file = path("sheet.txt");
    writeBytes(file, content);
    platform().files.openAnswers.push_back(file);
    trigger("mnuOpen");
  }

  TrianglesWindow* window = nullptr;
  QList<QLineEdit*> fields;
  QList<QRadioButton*> buttons;
};

TEST_F(TrianglesTest, OpensWithTheEquilateralTriangleInTheFirstCase) {
  EXPECT_EQ(window->objectName(), "frmTriangles");
  EXPECT_EQ(window->windowTitle(), "Triangles  www.veltrano.org");
  EXPECT_EQ(texts(), kInitialTexts);
  EXPECT_EQ(window->focusWidget(), field(Part::SideA));
  EXPECT_EQ(window->findChild<QAction*>("mnuSaveAs")->text(), "SaveAs");
  EXPECT_EQ(child<QGroupBox>(window, "Frame1")->title(), "Solve a triangle given:");

  ASSERT_EQ(buttons.size(), 5);
  const QStringList captions{"a,b,c (SSS)", "a,b,A (SSA)", "a,b,C (SAS)", "a,B,C (ASA)", "a,A,C (SAA)"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(buttons[i]->text(), captions[i]);
    EXPECT_EQ(buttons[i]->isChecked(), i == 0);
    EXPECT_EQ(buttons[i]->parent()->objectName(), "Frame1");
  }
  EXPECT_EQ(window->variables().Task, 0);
  EXPECT_EQ(window->variables().AngleB, Real(60 * Dimension::Pi / 180));
  EXPECT_EQ(child<QLabel>(window, "Label1")->text(), "By convention call:         ");
  EXPECT_EQ(child<QLabel>(window, "Label10")->text(), " Area = ");
  EXPECT_TRUE(window->statusText().isEmpty());
}

TEST_F(TrianglesTest, TabGoesThroughTheFieldsThenTheCases) {
  QStringList order;
  QWidget* w = field(Part::SideA);
  do {
    if (w->focusPolicy() & Qt::TabFocus) order << w->objectName();
    w = w->nextInFocusChain();
  } while (w != field(Part::SideA) && order.size() < 20);
  const QStringList expected{"txtSidea", "txtSideb", "txtSidec", "txtAn", "txtBn", "txtCn",
                             "txtArea",  "OptTask",  "OptTask",  "OptTask", "OptTask", "OptTask"};
  EXPECT_EQ(order.mid(0, expected.size()), expected);
}

// Which part fields are inputs, case by case, in the order a, b, c, A, B, C.
TEST_F(TrianglesTest, ChoosingACaseChangesOnlyLocksAndColours) {
  const QList<QList<bool>> inputs{
      {true, true, true, false, false, false}, {true, true, false, true, false, false},
      {true, true, false, false, false, true}, {true, false, false, false, true, true},
      {true, false, false, true, false, true}};
  for (int i : {1, 2, 3, 4, 0}) {
    chooseCase(i);
    EXPECT_EQ(window->variables().Task, i);
    for (int f = 0; f < 6; ++f) {
      EXPECT_EQ(style::isInput(fields[f]), inputs[i][f]) << "case " << i << " field " << f;
      EXPECT_EQ(style::background(fields[f]), inputs[i][f] ? style::Green : style::Yellow);
    }
    EXPECT_FALSE(style::isInput(field(Part::Area)));
    EXPECT_EQ(style::background(field(Part::Area)), style::Yellow);
    EXPECT_EQ(texts(), kInitialTexts);
  }
}

TEST_F(TrianglesTest, OutputFieldsTakeNoTyping) {
  typeText(field(Part::AngleA), "9");
  typeText(field(Part::Area), "9");
  EXPECT_EQ(texts(), kInitialTexts);
}

// Given parts typed key by key, in the order of the case's caption, and the
// texts the window ends with.
struct TypedCase {
  const char* name;
  int task;
  QList<std::pair<Part, QString>> typed;
  QStringList final;
};

class TypedCases : public TrianglesTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedCases, TypingReachesTheSameResultsAsWholeTexts) {
  const TypedCase& c = GetParam();
  chooseCase(c.task);
  for (const auto& [part, text] : c.typed) retype(field(part), text);
  EXPECT_EQ(texts(), c.final);
  EXPECT_TRUE(window->statusText().isEmpty()) << window->statusText().toStdString();
  EXPECT_EQ(staleMarks(), QList<bool>(7, false));

  // The same parts set as whole texts in a fresh window.
  makeWindow();
  chooseCase(c.task);
  for (const auto& [part, text] : c.typed) field(part)->setText(text);
  EXPECT_EQ(texts(), c.final);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedCases,
    ::testing::Values(
        TypedCase{"Sides", 0, {{Part::SideA, "3"}, {Part::SideB, "4"}, {Part::SideC, "5"}},
                  {"3", "4", "5", "36.869897645844", "53.130102354156", "90", "6"}},
        TypedCase{"SidesAndOppositeAngle", 1, {{Part::SideA, "3"}, {Part::SideB, "4"}, {Part::AngleA, "30"}},
                  {"3", "4", "5.70016959263755", "30", "41.8103148957786", "108.189685104221",
                   "5.70016959263754"}},
        TypedCase{"SidesAndIncludedAngle", 2, {{Part::SideA, "3"}, {Part::SideB, "4"}, {Part::AngleC, "90"}},
                  {"3", "4", "5", "36.869897645844", "53.130102354156", "90", "6"}},
        TypedCase{"SideAndAdjacentAngles", 3, {{Part::SideA, "2"}, {Part::AngleB, "30"}, {Part::AngleC, "60"}},
                  {"2", "1", "1.73205080756888", "90", "30", "60", "0.866025403784438"}},
        TypedCase{"SideAndTwoAngles", 4, {{Part::SideA, "5"}, {Part::AngleA, "90"}, {Part::AngleC, "30"}},
                  {"5", "4.33012701892219", "2.5", "90", "60", "30", "5.41265877365274"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Each written result re-enters the solver through its change handler; the
// nesting ends, and the texts are those a single solve writes.
TEST_F(TrianglesTest, ReentryEndsWithTheTextsOfOneSolve) {
  int changes = 0;
  for (QLineEdit* f : fields) QObject::connect(f, &QLineEdit::textChanged, [&] { ++changes; });
  field(Part::SideB)->setText("4");
  field(Part::SideC)->setText("5");
  changes = 0;
  field(Part::SideA)->setText("3");

  triangles::TriangleVariables copy = window->variables();
  QStringList once = texts();
  const auto outcome = triangles::SolveTriangle(
      copy, [&](Part part, const QString& text) { once[static_cast<int>(part)] = text; });
  EXPECT_FALSE(outcome.stopped);
  EXPECT_EQ(texts(), once);
  // txtSidea, then A, B and C once each, then the area.
  EXPECT_EQ(changes, 5);
}

TEST_F(TrianglesTest, NoTriangleLeavesTheResultsMarkedAndSaysWhy) {
  retype(field(Part::SideA), "3");
  QStringList expected = kInitialTexts;
  expected[0] = "3";
  EXPECT_EQ(texts(), expected);
  EXPECT_EQ(window->statusText(), "No triangle has these parts");
  EXPECT_EQ(staleMarks(), (QList<bool>{false, false, false, true, true, true, true}));

  retype(field(Part::SideA), "1.5");
  EXPECT_EQ(staleMarks(), QList<bool>(7, false));
  EXPECT_TRUE(window->statusText().isEmpty());
}

TEST_F(TrianglesTest, EmptyingASideSolvesWithZero) {
  retype(field(Part::SideB), "");
  QStringList expected = kInitialTexts;
  expected[1] = "";
  EXPECT_EQ(texts(), expected);
  EXPECT_EQ(window->variables().SideB, Real(0));
  EXPECT_EQ(window->statusText(), "A side is zero");
  EXPECT_TRUE(style::isStale(field(Part::AngleA)));
}

TEST_F(TrianglesTest, NoTriangleInTheSecondCaseKeepsTheEarlierResults) {
  chooseCase(1);
  retype(field(Part::SideA), "3");
  retype(field(Part::SideB), "4");
  retype(field(Part::AngleA), "30");
  const QStringList before = texts();
  // a = 1, b = 3, A = 60: b sin A > a. Typing passes through a = 1 and 13 on the way.
  field(Part::SideA)->setText("1");
  field(Part::SideB)->setText("3");
  field(Part::AngleA)->setText("60");
  QStringList expected = before;
  expected[0] = "1";
  expected[1] = "3";
  expected[3] = "60";
  EXPECT_EQ(texts(), expected);
  EXPECT_EQ(staleMarks(), (QList<bool>{false, false, true, false, true, true, true}));
  EXPECT_EQ(window->statusText(), "No triangle has these parts");
}

// Switching the case does not solve; the first edit afterwards solves the
// new case from the values the variables hold.
TEST_F(TrianglesTest, ACaseSwitchSolvesOnlyAtTheNextEdit) {
  retype(field(Part::SideA), "3");
  chooseCase(2);
  EXPECT_EQ(window->statusText(), "No triangle has these parts");
  retype(field(Part::SideB), "4");  // a = 3, b = 4, C = 60 from the start
  EXPECT_EQ(field(Part::SideC)->text(), "3.60555127546399");
  EXPECT_TRUE(window->statusText().isEmpty());
  EXPECT_EQ(field(Part::AngleC)->text(), "60");
}

TEST_F(TrianglesTest, ObtuseIncludedAngleCaseShowsTheTrueAngle) {
  chooseCase(2);
  retype(field(Part::SideA), "7");
  retype(field(Part::SideB), "5");
  retype(field(Part::AngleC), "21.7867892982618");
  EXPECT_NEAR(TextToNumber(field(Part::AngleA)->text()), 120, 1e-9);
  EXPECT_NEAR(TextToNumber(field(Part::AngleB)->text()), 38.2132107017382, 1e-9);
}

TEST_F(TrianglesTest, ANumberTooLargeToReadMarksTheResults) {
  typeText(field(Part::SideA), "E309");
  EXPECT_EQ(field(Part::SideA)->text(), "1E309");
  EXPECT_EQ(window->statusText(), "Number too large");
  EXPECT_TRUE(style::isStale(field(Part::AngleA)));
  EXPECT_TRUE(style::isStale(field(Part::Area)));
  EXPECT_TRUE(platform().messages.shown.empty());
}

TEST_F(TrianglesTest, SavesTheSevenTextsAsShown) {
  platform().files.saveAnswers.push_back(path("saved.txt"));
  trigger("mnuSave");
  EXPECT_EQ(readBytes(path("saved.txt")), "1\r\n1\r\n1\r\n60\r\n60\r\n60\r\n0.433012701892219\r\n");

  field(Part::SideB)->setText("");
  field(Part::SideC)->setText("x");
  trigger("mnuSave");
  EXPECT_EQ(readBytes(path("saved.txt")), "1\r\n\r\nx\r\n60\r\n60\r\n60\r\n0.433012701892219\r\n");
}

TEST_F(TrianglesTest, OpeningTheInitialFileChangesNothing) {
  int changes = 0;
  for (QLineEdit* f : fields) QObject::connect(f, &QLineEdit::textChanged, [&] { ++changes; });
  openFile("1\r\n1\r\n1\r\n60\r\n60\r\n60\r\n0.433012701892219\r\n");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(texts(), kInitialTexts);
  EXPECT_EQ(staleMarks(), QList<bool>(7, false));
  EXPECT_EQ(Dimension::CurrentFileName, path("sheet.txt"));
}

TEST_F(TrianglesTest, OpenSolvesTheCurrentCaseOverTheFilesOutputs) {
  openFile("3\r\n4\r\n5\r\n0\r\n0\r\n0\r\n6\r\n");
  EXPECT_EQ(texts(), (QStringList{"3", "4", "5", "36.869897645844", "53.130102354156", "90", "6"}));
  EXPECT_EQ(staleMarks(), QList<bool>(7, false));
  EXPECT_TRUE(window->statusText().isEmpty());
}

TEST_F(TrianglesTest, OpenKeepsTheFilesAreaButMarksIt) {
  openFile("3\r\n4\r\n5\r\n0\r\n0\r\n0\r\n7\r\n");
  EXPECT_EQ(texts(), (QStringList{"3", "4", "5", "36.869897645844", "53.130102354156", "90", "7"}));
  EXPECT_TRUE(style::isStale(field(Part::Area)));
  EXPECT_EQ(window->statusText(), "The area is the one read from the file, not computed");
}

TEST_F(TrianglesTest, OpenOfNoTriangleShowsTheFileAsItStands) {
  openFile("1\r\n1\r\n5\r\n10\r\n20\r\n30\r\n40\r\n");
  EXPECT_EQ(texts(), (QStringList{"1", "1", "5", "10", "20", "30", "40"}));
  EXPECT_EQ(staleMarks(), (QList<bool>{false, false, false, true, true, true, true}));
  EXPECT_EQ(window->statusText(), "No triangle has these parts");
}

TEST_F(TrianglesTest, ACommaInALineShiftsTheLaterFields) {
  openFile("1,5\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  EXPECT_EQ(texts(), (QStringList{"1", "5", "2", "3", "4", "5", "6"}));
}

TEST_F(TrianglesTest, AShortFileChangesNothing) {
  platform().messages.expect(MessageAnswer::Ok);
  openFile("3\r\n4\r\n5\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(texts(), kInitialTexts);
  EXPECT_TRUE(Dimension::CurrentFileName.isEmpty());
}

TEST_F(TrianglesTest, PrintsSevenLabelledLinesInCourier) {
  platform().printer.font = "Arial";
  trigger("mnuPrint");
  ASSERT_EQ(platform().printer.jobs.size(), 1u);
  EXPECT_EQ(platform().printer.lastJobTexts(),
            (QStringList{"   a = 1", "   b = 1", "   c = 1", "   A = 60", "   B = 60", "   C = 60",
                         "Area = 0.433012701892219"}));
  EXPECT_EQ(platform().printer.jobs[0][0].fontName, "Courier New");
  EXPECT_EQ(platform().printer.font, "Arial");
}

}  // namespace
