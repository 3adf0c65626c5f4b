#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>
#include <functional>

#include "common/testing/printers.h"
#include "help/chm/chm_file.h"
#include "help/chm/contents_file.h"
#include "help/tests/qt_streaming.h"
#include "help/viewer/chm_browser.h"

namespace veltrano::help {
namespace {

// Each help file as the build leaves it in the program's folder, with a text
// its first page must show.
struct HelpFile {
  const char* name;
  const char* firstPageShows;
};

const HelpFile kHelpFiles[] = {
    {"ortano", "Find the prime factors of a number"},
    {"Factors", "prime factors"},
    {"Triangle", "0.433012701892219"},
    {"circles", "central angle"},
    {"complex", "x = a + b*i"},
    {"bases", "base"},
};

QString helpPath(const char* name) {
  return QDir(QStringLiteral(VELTRANO_HELP_FOLDER)).filePath(QLatin1String(name) + QLatin1String(".chm"));
}

std::string helpName(const ::testing::TestParamInfo<HelpFile>& info) { return info.param.name; }

void forEachEntry(const std::vector<ContentsEntry>& entries,
                  const std::function<void(const ContentsEntry&)>& visit) {
  for (const ContentsEntry& entry : entries) {
    visit(entry);
    forEachEntry(entry.children, visit);
  }
}

QStringList pagesOf(const ChmFile& file) {
  QStringList pages;
  for (const QString& object : file.objectPaths()) {
    if (object.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)) pages.append(object);
  }
  return pages;
}

class BuiltHelpFile : public ::testing::TestWithParam<HelpFile> {
 protected:
  void SetUp() override {
    file_ = ChmFile::open(helpPath(GetParam().name));
    ASSERT_NE(file_, nullptr) << "cannot open " << helpPath(GetParam().name).toStdString();
    const std::optional<QByteArray> sitemap = file_->read(file_->contentsFile());
    ASSERT_TRUE(sitemap.has_value()) << "no contents file";
    contents_ = parseContents(QString::fromLatin1(*sitemap));
  }

  std::shared_ptr<const ChmFile> file_;
  std::vector<ContentsEntry> contents_;
};

TEST_P(BuiltHelpFile, NamesVeltranoAndHasATableOfContentsWhosePagesExist) {
  EXPECT_TRUE(file_->title().startsWith(QLatin1String("Veltrano Help"))) << file_->title();
  ASSERT_FALSE(contents_.empty());
  int entries = 0;
  QSet<QString> listed;
  forEachEntry(contents_, [&](const ContentsEntry& entry) {
    ++entries;
    EXPECT_FALSE(entry.name.isEmpty());
    ASSERT_FALSE(entry.local.isEmpty()) << entry.name;
    const QString page = normalisedObjectPath(entry.local.section(QLatin1Char('#'), 0, 0));
    EXPECT_TRUE(file_->contains(page)) << entry.name << " -> " << entry.local;
    listed.insert(page.toLower());
  });
  EXPECT_GE(entries, 3);
  // Every page can be reached from the contents, not only through links.
  for (const QString& page : pagesOf(*file_)) EXPECT_TRUE(listed.contains(page.toLower())) << page;
}

TEST_P(BuiltHelpFile, ItsFirstPageRendersWithTextAndItsStyleSheet) {
  const QString topic = file_->defaultTopic();
  ASSERT_FALSE(topic.isEmpty());
  ChmBrowser browser;
  browser.showFile(file_, topic);
  EXPECT_EQ(browser.source(), ChmBrowser::urlOf(topic));
  const QString text = browser.toPlainText();
  EXPECT_GT(text.size(), 200) << text;
  EXPECT_TRUE(text.contains(QLatin1String(GetParam().firstPageShows))) << text;
  EXPECT_FALSE(browser.loadResource(QTextDocument::StyleSheetResource, QUrl(QStringLiteral("veltrano.css")))
                   .toByteArray()
                   .isEmpty());
}

TEST_P(BuiltHelpFile, EveryLinkAndPictureOfEveryPageResolvesInsideTheFile) {
  static const QRegularExpression reference(QStringLiteral(R"re((?:href|src)\s*=\s*"([^"]*)")re"),
                                            QRegularExpression::CaseInsensitiveOption);
  ChmBrowser browser;
  int links = 0;
  for (const QString& page : pagesOf(*file_)) {
    browser.showFile(file_, page);
    const QString html = QString::fromLatin1(*file_->read(page));
    for (const QRegularExpressionMatch& match : reference.globalMatch(html)) {
      const QUrl link(match.captured(1));
      ++links;
      EXPECT_TRUE(link.isRelative()) << page << ": " << match.captured(1) << " leads out of the file";
      if (link.path().isEmpty()) continue;  // an anchor on the same page
      EXPECT_TRUE(browser.leadsInside(link)) << page << ": " << match.captured(1);
      if (link.path().endsWith(QLatin1String(".png"))) {
        const QImage picture = browser.loadResource(QTextDocument::ImageResource, link).value<QImage>();
        EXPECT_FALSE(picture.isNull()) << page << ": " << match.captured(1);
      }
    }
    EXPECT_GT(browser.toPlainText().size(), 100) << page;
  }
  EXPECT_GT(links, 0);
}

INSTANTIATE_TEST_SUITE_P(EachFile, BuiltHelpFile, ::testing::ValuesIn(kHelpFiles), helpName);

}  // namespace
}  // namespace veltrano::help
