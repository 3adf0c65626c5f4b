#include <gtest/gtest.h>
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QXmlStreamReader>

#include "common/testing/window_test.h"
#include "common/working_pane.h"
#include "common/working_text.h"

namespace veltrano::working {
namespace {

Working sss() {
  Working w;
  w.title = "Case a,b,c: a = 3, b = 4, c = 5";
  w.steps << Step{
      "Angle A by the law of cosines", {"cos A = (b^{2} + c^{2} − a^{2}) / (2·b·c)", "= 0.8"}, {}};
  w.steps << Step{"Area", {"s = 6"}, {}};
  return w;
}

Working withTable(int leftOut, int after) {
  Working w;
  w.title = "t";
  Table t{{"n", "t_{n}"}, {{"1", "0.785398163397448"}, {"2", "1.1"}, {"10", "1.13"}}, leftOut, after};
  w.steps << Step{"Newton's steps", {}, {t}};
  return w;
}

// Small workings to the plain text that copy, print and screen readers get.
TEST(WorkingText, PlainTextNumbersStepsIndentsLinesAndAlignsTables) {
  Working stopped = sss();
  stopped.stopped = true;
  Working marks;
  marks.title = "r^{1/n} and x_{k+y}, x_{k+1}, x^{-1}";
  const struct {
    Working working;
    Shown shown;
    QString plain;
  } cases[] = {
      {sss(), Shown::Current,
       "Case a,b,c: a = 3, b = 4, c = 5\n1. Angle A by the law of cosines\n   cos A = (b² + c² − a²) / "
       "(2·b·c)\n"
       "   = 0.8\n2. Area\n   s = 6\n"},
      {stopped, Shown::Current,
       "Case a,b,c: a = 3, b = 4, c = 5\nStopped: the last step says where and why.\n1. Angle A by the law "
       "of "
       "cosines\n   cos A = (b² + c² − a²) / (2·b·c)\n   = 0.8\n2. Area\n   s = 6\n"},
      {sss(), Shown::Greyed,
       "Case a,b,c: a = 3, b = 4, c = 5\nGreyed: the fields on show no longer read as these numbers.\n1. "
       "Angle A "
       "by the law of cosines\n   cos A = (b² + c² − a²) / (2·b·c)\n   = 0.8\n2. Area\n   s = 6\n"},
      // Only characters that all have a raised or lowered form become one.
      {marks, Shown::Current, "r^(1/n) and x_(k+y), xₖ₊₁, x⁻¹\n"},
      {withTable(0, 0), Shown::Current,
       "t\n1. Newton's steps\n    n |                tₙ\n    1 | 0.785398163397448\n    2 |               "
       "1.1\n"
       "   10 |              1.13\n"},
      {withTable(7, 2), Shown::Current,
       "t\n1. Newton's steps\n    n |                tₙ\n    1 | 0.785398163397448\n    2 |               "
       "1.1\n"
       "   … 7 more rows …\n   10 |              1.13\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(toPlainText(c.working, c.shown), c.plain) << c.plain.toStdString();
}

// The HTML is a well-formed document whatever the texts hold, with the
// reader's < > & escaped, marks raised or lowered, and grey when stopped.
// A table of up to 40 rows is set in cells; a longer one, which Qt would
// take too long to lay out cell by cell, as its plain text in a fixed font,
// escaped.
TEST(WorkingText, LongTablesAreSetAsTheirPlainText) {
  for (const int rows : {40, 41}) {
    Working long_ = withTable(0, 0);
    Table& table = long_.steps[0].tables[0];
    table.rows.clear();
    for (int r = 1; r <= rows; ++r) table.rows << QStringList{QString::number(r), "1 < 2"};
    const QString html = toRichText(long_);
    EXPECT_EQ(html.contains("<table"), rows == 40) << rows;
    EXPECT_EQ(html.contains("<pre>"), rows == 41) << rows;
    if (rows == 41) EXPECT_TRUE(html.contains("   41 | 1 &lt; 2"));
  }
}

TEST(WorkingText, RichTextIsWellFormedAndEscapesMarkup) {
  Working tricky = withTable(5, 1);
  tricky.title = "a < b & c > d";
  tricky.steps[0].rule = "<script>x^{2}</script>";
  tricky.steps[0].lines << "1 & 2 < 3"
                        << "x_{1} ^{unclosed";
  tricky.stopped = true;
  const QString html = toRichText(tricky);
  QXmlStreamReader xml(html);
  QStringList texts;
  int cells = 0;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isCharacters()) texts << xml.text().toString();
    if (xml.isStartElement() && xml.name() == QStringLiteral("script"))
      ADD_FAILURE() << "markup passed through";
    if (xml.isStartElement() && xml.name() == QStringLiteral("td")) ++cells;
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << "\n" << html.toStdString();
  const QString all = texts.join(QString());
  for (const char* shown : {"a < b & c > d", "<script>x", "1 & 2 < 3", "^{unclosed", "… 5 more rows …"})
    EXPECT_TRUE(all.contains(QString::fromUtf8(shown))) << shown;
  EXPECT_EQ(cells, 3 * 2 + 1);  // three rows of two cells and the gap
  EXPECT_TRUE(html.contains("<sup>2</sup>") && html.contains("<sub>1</sub>"));
  EXPECT_TRUE(html.contains("color:#808080"));
  EXPECT_FALSE(toRichText(sss()).contains("color:#808080"));
}

class WorkingPaneTest : public testing::WindowTest {};

// The pane shows the plain text to screen readers, greys with the results,
// copies both forms and saves by suffix through the checked file layer.
TEST_F(WorkingPaneTest, ShowsCopiesAndSavesTheWorking) {
  WorkingPane pane;
  EXPECT_EQ(pane.objectName(), "txtWorking");
  EXPECT_TRUE(pane.isReadOnly());
  pane.setWorking(sss());
  EXPECT_EQ(pane.accessibleDescription(), toPlainText(sss()));
  EXPECT_TRUE(pane.toPlainText().contains("1. Angle A by the law of cosines"));
  pane.setGreyed(true);
  EXPECT_EQ(pane.accessibleDescription(), toPlainText(sss(), Shown::Greyed));

  pane.show();
  pane.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));
  pane.setFocus();
  QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->text(), toPlainText(sss(), Shown::Greyed));
  EXPECT_EQ(copied->html(), toRichText(sss(), Shown::Greyed));

  const struct {
    QString name;
    bool html;
  } files[] = {{"w.htm", true}, {"w.HTML", true}, {"w.txt", false}, {"w", false}, {"w.htm.txt", false}};
  for (const auto& f : files) {
    platform().files.workingAnswers.push_back(path(f.name));
    QTest::keyClick(&pane, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
    const QString saved = QString::fromUtf8(readBytes(path(f.name)));
    EXPECT_EQ(saved, f.html ? pane.richWorking() : pane.plainWorking()) << f.name.toStdString();
  }
  platform().files.workingAnswers.push_back("");  // cancelled: nothing written, nothing asked
  pane.saveWorkingAs();
  EXPECT_TRUE(platform().messages.shown.empty());
}

// A file that cannot be written is told in the error box, with its cause.
TEST_F(WorkingPaneTest, ASaveThatFailsIsTold) {
  WorkingPane pane;
  pane.setWorking(sss());
  platform().files.workingAnswers.push_back(path("missing/w.txt"));
  platform().messages.expect(MessageAnswer::Ok);
  testing::child<QAction>(&pane, "mnuSaveWorking")->trigger();
  ASSERT_EQ(platform().messages.shown.size(), 1u);
  EXPECT_TRUE(platform().messages.shown[0].text.contains("Path not found"))
      << platform().messages.shown[0].text.toStdString();
}

}  // namespace
}  // namespace veltrano::working
