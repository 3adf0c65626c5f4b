#include <gtest/gtest.h>

#include "common/testing/printers.h"
#include "help/chm/contents_file.h"

namespace veltrano::help {
namespace {

// The tree written out as "name>local" lines, children indented, so that a
// whole expected tree reads as one string in the table below.
QString outline(const std::vector<ContentsEntry>& entries, int depth = 0) {
  QString text;
  for (const ContentsEntry& entry : entries) {
    text += QString(depth * 2, QLatin1Char(' ')) + entry.name + QLatin1Char('>') + entry.local +
            QLatin1Char('\n');
    text += outline(entry.children, depth + 1);
  }
  return text;
}

QString item(const char* name, const char* local) {
  return QStringLiteral(
             R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="%1"><param name="Local" value="%2"></OBJECT>)")
      .arg(QLatin1String(name), QLatin1String(local));
}

struct SitemapCase {
  const char* what;
  QString sitemap;
  QString expected;
};

TEST(ContentsFile, ReadsTheTreesThatHelpCompilersAndEditorsWrite) {
  const SitemapCase cases[] = {
      {"nested lists",
       "<HTML><BODY><UL>" + item("Start", "index.htm") + "<UL>" + item("One", "one.htm") +
           item("Two", "two.htm") + "</UL>" + item("End", "end.htm") + "</UL></BODY></HTML>",
       "Start>index.htm\n  One>one.htm\n  Two>two.htm\nEnd>end.htm\n"},
      {"a heading without a page and two levels deep",
       R"(<ul><li><object type="text/sitemap"><param name="Name" value="Heading"></object><ul>)" +
           item("A", "a.htm") + "<ul>" + item("A1", "sub/a1.htm#part") + "</ul></ul></ul>",
       "Heading>\n  A>a.htm\n    A1>sub/a1.htm#part\n"},
      {"loose HTML: any case, bare and single-quoted values, entities, no closing tags",
       R"(<Ul><lI><Object TYPE=text/sitemap><PARAM NAME=Name VALUE='Fish &amp; chips'><param name=local value=fish.htm></object>)"
       R"(<li><object type="text/sitemap"><param name="Name" value="&quot;Q&quot; &#65;&#x42;"><param name="Local" value="q.htm"></object>)",
       "Fish & chips>fish.htm\n\"Q\" AB>q.htm\n"},
      {"site properties and empty items are no entries",
       R"(<OBJECT type="text/site properties"><param name="Name" value="Not an entry"></OBJECT><UL>)"
       R"(<LI><OBJECT type="text/sitemap"></OBJECT>)" +
           item("Only", "only.htm") + "</UL>",
       "Only>only.htm\n"},
      {"a page without a name is listed by its page",
       R"(<UL><LI><OBJECT type="text/sitemap"><param name="Local" value="bare.htm"></OBJECT></UL>)",
       "bare.htm>bare.htm\n"},
      {"commented-out items and stray closing tags",
       "</UL></UL><UL><!-- " + item("Hidden", "hidden.htm") + " -->" + item("Shown", "shown.htm") +
           "</UL></UL>",
       "Shown>shown.htm\n"},
      {"a list opened before any item stays on the top level",
       "<UL><UL>" + item("Top", "top.htm") + "</UL></UL>", "Top>top.htm\n"},
      {"nothing but text", "This is not a contents file", ""},
  };
  for (const SitemapCase& c : cases) {
    EXPECT_EQ(outline(parseContents(c.sitemap)), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace veltrano::help
