#include <gtest/gtest.h>
#include <QtEndian>

#include "common/testing/printers.h"
#include "help/chm/chm_file.h"
#include "help/chm/contents_file.h"

namespace veltrano::help {
namespace {

QByteArray systemEntry(quint16 code, const QByteArray& text) {
  const quint16 head[] = {qToLittleEndian(code), qToLittleEndian(quint16(text.size() + 1))};
  return QByteArray(reinterpret_cast<const char*>(head), sizeof head) + text + '\0';
}

TEST(ChmFile, ReadsTheSystemRecordUpToAnyDamageAndNormalisesObjectPaths) {
  QByteArray record = QByteArray("\x03\x00\x00\x00", 4) + systemEntry(9, "chmcmd") +
                      systemEntry(0, "toc.hhc") + systemEntry(3, "Veltrano Help") +
                      systemEntry(2, "pages\\start.htm");
  EXPECT_EQ(parseSystemInfo(record).defaultTopic, "/pages/start.htm");
  record.chop(4);  // the last entry now claims more bytes than there are
  const SystemInfo damaged = parseSystemInfo(record);
  EXPECT_EQ(damaged.contentsFile, "/toc.hhc");
  EXPECT_EQ(damaged.title, "Veltrano Help");
  EXPECT_TRUE(damaged.defaultTopic.isEmpty());
  EXPECT_TRUE(parseSystemInfo(QByteArray("\x03\x00", 2)).title.isEmpty());

  const std::pair<const char*, const char*> paths[] = {
      {"./a//./b.htm", "/a/b.htm"}, {"a/../b.htm", "/b.htm"}, {"../../up.htm", "/up.htm"}};
  for (const auto& [given, expected] : paths) EXPECT_EQ(normalisedObjectPath(given), expected) << given;
}

// The tree as "name>local" lines, children indented, so that a whole expected
// tree reads as one string in the table below.
QString outline(const std::vector<ContentsEntry>& entries) {
  QString text;
  walkContents(entries, QString(), [&text](const ContentsEntry& entry, const QString& indent) {
    text += indent + entry.name + '>' + entry.local + '\n';
    return indent + "  ";
  });
  return text;
}

QString item(const char* name, const char* local) {
  return QStringLiteral(
             R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="%1"><param name="Local" value="%2"></OBJECT>)")
      .arg(QLatin1String(name), QLatin1String(local));
}

TEST(ContentsFile, ReadsTheTreesThatHelpCompilersAndEditorsWrite) {
  const std::pair<QString, QString> cases[] = {
      // nested lists under a heading without a page
      {R"(<ul><li><object type="text/sitemap"><param name="Name" value="Heading"></object><ul>)" +
           item("A", "a.htm") + "<ul>" + item("A1", "a1.htm#part") + "</ul>" + item("B", "b.htm") + "</ul>" +
           item("End", "end.htm") + "</ul>",
       "Heading>\n  A>a.htm\n    A1>a1.htm#part\n  B>b.htm\nEnd>end.htm\n"},
      // loose HTML: any case, bare and single-quoted values, character references
      {R"(<Ul><lI><Object TYPE=text/sitemap><PARAM NAME=Name VALUE='Fish &amp; chips'><param name=local value=f.htm></object>)"
       R"(<li><object type="text/sitemap"><param name="Name" value="&quot;Q&quot; &#65;&#x42;"></object>)",
       "Fish & chips>f.htm\n\"Q\" AB>\n"},
      // comments, stray closing tags, site properties, empty items, a page without a name
      {"<!-- " + item("Hidden", "h.htm") +
           R"( --></UL></UL><OBJECT type="text/site properties"><param name="Name" value="No entry"></OBJECT><UL><UL>)"
           R"(<LI><OBJECT type="text/sitemap"></OBJECT><LI><OBJECT type="text/sitemap"><param name="Local" value="b.htm"></OBJECT></UL></UL></UL>)",
       "b.htm>b.htm\n"},
  };
  for (const auto& [sitemap, expected] : cases)
    EXPECT_EQ(outline(parseContents(sitemap).entries), expected) << sitemap.toStdString();
}

}  // namespace
}  // namespace veltrano::help
