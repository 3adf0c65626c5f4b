#include <gtest/gtest.h>
#include <QElapsedTimer>

#include "common/testing/printers.h"
#include "help/chm/page_nesting.h"

namespace veltrano::help {
namespace {

QString repeated(const QString& text, int times) { return text.repeated(times); }

QString nested(const QString& open, const QString& close, int depth) {
  return repeated(open, depth) + QStringLiteral("deepest") + repeated(close, depth);
}

QString tables(int depth) {
  return nested(QStringLiteral("<table><tr><td>"), QStringLiteral("</td></tr></table>"), depth);
}

// The elements each page keeps, counted by their start and end tags, and
// whether the page was flattened; the text always stays.
TEST(PageNesting, KeepsWhatTheCapsAllowAndFlattensThePartPastThem) {
  const int tableCap = kMaxTableDepth, depthCap = kMaxElementDepth;
  const QString row = QStringLiteral("<tr><td>cell<td>cell");
  struct Case {
    const char* name;
    QString page;
    const char* tag;
    int kept;  // -1: the page comes back as it was
    bool flattened;
  } cases[] = {
      {"tables at the cap", tables(tableCap), "table", tableCap, false},
      {"tables one past it", tables(tableCap + 1), "table", tableCap, true},
      {"rows and cells of a flattened table go too", tables(tableCap + 1), "td", tableCap, true},
      {"3000 tables", tables(3000), "table", tableCap, true},
      {"quotations at the cap", nested("<BLOCKQUOTE>", "</blockquote>", depthCap), "blockquote", depthCap,
       false},
      {"quotations one past it", nested("<blockquote>", "</blockquote>", depthCap + 1), "blockquote",
       depthCap, true},
      {"inline elements count too", nested("<b>", "</b>", 3000), "b", depthCap, true},
      {"tables inside the element cap", repeated("<div>", depthCap - 2) + tables(2), "table", 1, true},
      // Items, rows, cells and paragraphs end where the next one starts.
      {"unclosed items", "<ul>" + repeated("<li>item", 500) + "</ul>", "li", 500, false},
      {"unclosed rows and cells", "<table>" + repeated(row, 500) + "</table>", "td", 1000, false},
      {"unclosed paragraphs", repeated("<p>text", 500) + repeated("<div>text</div>", 10), "p", 500, false},
      {"definitions", "<dl>" + repeated("<dt>term<dd>meaning", 500) + "</dl>", "dd", 500, false},
      // Markup that opens nothing.
      {"comments, styles and scripts",
       "<!--" + repeated("<div>", 100) + "--><style>" + repeated("<div>", 100) + "</style><SCRIPT>" +
           repeated("<div>", 100) + "</script>",
       "div", -1, false},
      {"a '>' in a quoted value", repeated("<div title=\"a>b\" class='>'>", depthCap) + "</div>", "div",
       depthCap, false},
      {"void and self-closed elements", repeated("<br><img src=x.png><hr/><div/>", 500), "div", 0, false},
      {"stray end tags", repeated("</div></table>", 500) + tables(1), "table", 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CappedPage capped = capNesting(c.page);
    const QString tag = QString::fromLatin1(c.tag);
    const auto count = [&](const QString& pattern) {
      return capped.html.count(pattern.arg(tag), Qt::CaseInsensitive);
    };
    EXPECT_EQ(capped.flattened, c.flattened);
    if (c.kept < 0) {  // nothing is taken out
      EXPECT_EQ(capped.html, c.page);
      continue;
    }
    EXPECT_EQ(count(QStringLiteral("<%1>")) + count(QStringLiteral("<%1 ")), c.kept);
    if (c.flattened) EXPECT_EQ(count(QStringLiteral("</%1>")), c.kept);
    EXPECT_EQ(capped.html.contains(QStringLiteral("deepest")), c.page.contains(QStringLiteral("deepest")));
  }
}

TEST(PageNesting, AMegabyteOfNestingIsReadInOnePass) {
  const QString page = tables(20000) + nested("<ul><li>", "</li></ul>", 20000);
  QElapsedTimer clock;
  clock.start();
  const CappedPage capped = capNesting(page);
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_TRUE(capped.flattened);
  EXPECT_LT(capped.html.size(), page.size());
}

}  // namespace
}  // namespace veltrano::help
