#include <gtest/gtest.h>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>

#include "common/testing/printers.h"
#include "help/chm/chm_file.h"
#include "help/chm/contents_file.h"
#include "help/viewer/chm_browser.h"

namespace veltrano::help {
namespace {

// Each help file as the build leaves it in the program's folder, with a text its first page must show.
TEST(BuiltHelpFiles, OpenOnTheirContentsAndEveryPageRendersWithItsLinksInsideTheFile) {
  const std::pair<const char*, const char*> files[] = {{"ortano", "Find the prime factors of a number"},
                                                       {"Factors", "prime factors"},
                                                       {"Triangle", "0.433012701892219"},
                                                       {"circles", "central angle"},
                                                       {"complex", "x = a + b*i"},
                                                       {"bases", "base"}};
  static const QRegularExpression reference(R"re((?:href|src)\s*=\s*"([^"]*)")re",
                                            QRegularExpression::CaseInsensitiveOption);
  for (const auto& [name, firstPageShows] : files) {
    SCOPED_TRACE(name);
    std::shared_ptr<const ChmFile> file =
        ChmFile::open(QStringLiteral(VELTRANO_HELP_FOLDER "/%1.chm").arg(name));
    ASSERT_NE(file, nullptr);
    QSet<QString> listed;
    walkContents(parseContents(QString::fromLatin1(file->read(file->contentsFile()).value_or(""))).entries, 0,
                 [&listed](const ContentsEntry& entry, int) {
                   listed.insert(normalisedObjectPath(entry.local.section('#', 0, 0)).toLower());
                   return 0;
                 });
    EXPECT_FALSE(listed.isEmpty());
    for (const QString& page : listed) EXPECT_TRUE(file->contains(page)) << page.toStdString();

    ChmBrowser browser;
    browser.showFile(file, file->defaultTopic());
    EXPECT_TRUE(browser.toPlainText().contains(firstPageShows)) << browser.toPlainText().toStdString();
    for (const QString& page : file->objectPaths()) {
      if (!page.endsWith(".htm", Qt::CaseInsensitive)) continue;
      EXPECT_TRUE(listed.contains(page.toLower())) << page.toStdString() << " is missing from the contents";
      browser.showFile(file, page);
      EXPECT_GT(browser.toPlainText().size(), 100) << page.toStdString();
      for (const QRegularExpressionMatch& match :
           reference.globalMatch(QString::fromLatin1(*file->read(page)))) {
        const QUrl link(match.captured(1));
        if (link.isRelative() && link.path().isEmpty()) continue;  // an anchor on the same page
        EXPECT_TRUE(browser.leadsInside(link)) << page.toStdString() << ": " << link.toString().toStdString();
        EXPECT_TRUE(!link.path().endsWith(".png") ||
                    !browser.loadResource(QTextDocument::ImageResource, link).value<QImage>().isNull());
      }
    }
  }
}

}  // namespace
}  // namespace veltrano::help
