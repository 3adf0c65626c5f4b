#include "common/page_layout.h"

#include <gtest/gtest.h>

#include "common/testing/printers.h"

using namespace veltrano;

namespace {

// A job written as text: "L7" is a line of 7 characters, "F" a figure.
std::vector<PrintEntry> jobOf(const QStringList& items) {
  std::vector<PrintEntry> job;
  int figures = 0;
  for (const QString& item : items) {
    if (item == "F") {
      job.push_back({QString(), figures++});
    } else {
      job.push_back({QString(item.mid(1).toInt(), u'x')});
    }
  }
  return job;
}

// Each page as "entry:top+height" of what it holds.
QStringList pagesOf(const std::vector<PageBody>& pages) {
  QStringList shown;
  for (const PageBody& page : pages) {
    QStringList placed;
    for (const PlacedEntry& entry : page)
      placed << QStringLiteral("%1:%2+%3").arg(entry.entry).arg(entry.top).arg(entry.height);
    shown << placed.join(' ');
  }
  return shown;
}

// Pages of 8 characters by 4 lines: a figure wants 6 lines and needs at
// least 2.67 of them.
TEST(PageLayoutTest, FillsEachPageBeforeStartingTheNext) {
  struct Case {
    const char* what;
    QStringList job;
    QStringList pages;
  } cases[] = {
      {"nothing to print: no page", {}, {}},
      {"lines that just fill a page", {"L1", "L2", "L3", "L4"}, {"0:0+1 1:1+1 2:2+1 3:3+1"}},
      {"one line more starts page two", {"L1", "L2", "L3", "L4", "L5"}, {"0:0+1 1:1+1 2:2+1 3:3+1", "4:0+1"}},
      {"a wrapped line goes on on the next page",
       {"L1", "L2", "L3", "L10"},
       {"0:0+1 1:1+1 2:2+1 3:3+1", "3:0+1"}},
      {"a figure takes what is left of the page", {"F"}, {"0:0+4"}},
      {"a figure after a line still has enough room", {"L1", "F"}, {"0:0+1 1:1+3"}},
      {"a figure with too little room starts a page", {"L1", "L2", "F"}, {"0:0+1 1:1+1", "2:0+4"}},
      {"lines after a figure go on below it", {"F", "L1"}, {"0:0+4", "1:0+1"}},
  };
  const PageMeasures page{
      .width = 8, .height = 4, .lineHeight = 1, .textWidth = [](const QString& text) { return text.size(); }};
  for (const Case& c : cases) EXPECT_EQ(pagesOf(layOutPages(jobOf(c.job), page)), c.pages) << c.what;
}

// A page lower than one line still takes one line each, with no empty page
// between them, so that a job always ends.
TEST(PageLayoutTest, APageLowerThanALineTakesOneLineEach) {
  const PageMeasures page{.width = 10, .height = 0.5, .lineHeight = 1, .textWidth = [](const QString& text) {
                            return text.size();
                          }};
  EXPECT_EQ(pagesOf(layOutPages(jobOf({"L1", "L2"}), page)), QStringList({"0:0+1", "1:0+1"}));
}

TEST(PageLayoutTest, HeadingDateAndFooterTexts) {
  struct Case {
    QString text;
    QString expected;
  } cases[] = {
      {pageHeading("Triangles", "a,b,A (SSA)"), "Veltrano \u2013 Triangles \u2013 a,b,A (SSA)"},
      {pageHeading("Prime Factors", ""), "Veltrano \u2013 Prime Factors"},
      {pageDate(QDate(2026, 3, 7)), "2026-03-07"},
      {pageFooter(2, 3), "page 2 of 3"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.text, c.expected);
}

}  // namespace
