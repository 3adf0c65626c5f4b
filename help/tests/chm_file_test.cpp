#include <gtest/gtest.h>
#include <QtEndian>
#include <algorithm>
#include <tuple>

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

  // A record that names a contents file and a first page the file does not
  // hold gives way to what the file does hold.
  const auto file = ChmFile::fromObjects(
      "named.chm", {{"/#SYSTEM", QByteArray("\x03\x00\x00\x00", 4) + systemEntry(0, "gone.hhc") +
                                     systemEntry(2, "gone.htm")},
                    {"/toc.hhc", "<ul></ul>"},
                    {"/index.htm", "<p>Index"}});
  EXPECT_EQ(file->contentsFile(), "/toc.hhc");
  EXPECT_EQ(file->defaultTopic(), "/index.htm");
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

// How deep and how many entries a tree holds, and the name of its last top-level entry.
std::tuple<int, int, QString> shapeOf(const std::vector<ContentsEntry>& entries) {
  int depth = 0, count = 0;
  walkContents(entries, 1, [&](const ContentsEntry&, int level) {
    depth = std::max(depth, level);
    ++count;
    return level + 1;
  });
  return {depth, count, entries.empty() ? QString() : entries.back().name};
}

TEST(ContentsFile, CutsTreesPastTheCapsAndKeepsWhatFollowsThem) {
  // Entries nested `levels` deep, then one more on the top level.
  const auto nested = [](int levels) {
    return (QStringLiteral("<ul>") + item("Level", "l.htm")).repeated(levels) +
           QStringLiteral("</ul>").repeated(levels - 1) + item("After", "after.htm") + "</ul>";
  };
  const auto flat = [](int count) {
    return "<ul>" +
           QStringLiteral("<object type=text/sitemap><param name=name value=Entry></object>")
               .repeated(count) +
           "</ul>";
  };
  constexpr int depth = Contents::kMaxDepth, most = Contents::kMaxEntries, chars = Contents::kMaxChars;
  const QString filler = QStringLiteral("<p>").repeated(chars / 3), first = "<ul>" + item("First", "f.htm"),
                last = item("Last", "l.htm");
  const struct {
    QString sitemap;
    std::tuple<int, int, QString> shape;
    bool tooDeep, tooMany, tooLong;
  } cases[] = {
      {nested(depth), {depth, depth + 1, "After"}, false, false, false},
      {nested(depth + 1), {depth, depth + 1, "After"}, true, false, false},
      {flat(most), {1, most, "Entry"}, false, false, false},
      {flat(most + 1), {1, most, "Entry"}, false, true, false},
      // lists that follow no entry stay on its level, however many there are
      {QStringLiteral("<ul>").repeated(100000) + item("Only", "o.htm"), {1, 1, "Only"}, false, false, false},
      // tags that make no entry count only against the length of text read
      // one exactly as long as the text read
      {first + filler.left(chars - first.size() - last.size()) + last, {1, 2, "Last"}, false, false, false},
      {first + filler + item("Past", "p.htm"), {1, 1, "First"}, false, false, true},
  };
  for (const auto& [sitemap, shape, tooDeep, tooMany, tooLong] : cases) {
    SCOPED_TRACE(sitemap.left(200).toStdString());
    const Contents contents = parseContents(sitemap);
    EXPECT_EQ(shapeOf(contents.entries), shape);
    EXPECT_EQ(std::tuple(contents.tooDeep, contents.tooMany, contents.tooLong),
              std::tuple(tooDeep, tooMany, tooLong));
  }
}

}  // namespace
}  // namespace veltrano::help
