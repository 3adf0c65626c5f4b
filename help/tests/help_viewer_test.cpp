#include <gtest/gtest.h>
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QTreeWidget>
#include <optional>
#include <vector>

#include "common/testing/failing_file_calls.h"
#include "common/testing/pipe_probe.h"
#include "common/testing/window_test.h"
#include "help/chm/chm_file.h"
#include "help/chm/page_nesting.h"
#include "help/viewer/chm_browser.h"
#include "help/viewer/chm_help_viewer.h"
#include "help/viewer/help_window.h"

namespace veltrano::help {
namespace {

constexpr char kTriangles[] = VELTRANO_HELP_FOLDER "/Triangle.chm";

class HelpViewerTest : public veltrano::testing::WindowTest {
 protected:
  ChmHelpViewer viewer;
};

TEST_F(HelpViewerTest, OpensOverItsOwnerOnTheContentsAndGoesNowhereOutsideTheFile) {
  QWidget owner;
  owner.setGeometry(QRect(QPoint(-200, -150), QSize(320, 240)));  // partly off the screen
  owner.show();
  viewer.showContents(&owner, kTriangles);
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(owner.screen()->availableGeometry().contains(window->geometry().topLeft()));
  ChmBrowser* browser = window->browser();
  QTreeWidget* tree = window->contents();
  QTreeWidgetItem* top = tree->topLevelItem(0);
  ASSERT_TRUE(top && top->childCount() >= 5);
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/index.htm"));

  emit tree->itemClicked(top->child(4), 0);

  emit browser->anchorClicked(QUrl("file:///etc/hostname"));
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/files.htm"));
  EXPECT_TRUE(
      browser->loadResource(QTextDocument::HtmlResource, QUrl("file:///etc/hostname")).toString().isEmpty());

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(tree, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  viewer.showContents(nullptr, kTriangles);  // Help again once the window is gone
  EXPECT_TRUE(viewer.window() && viewer.window()->isVisible());
}

// Every way a file can be unreadable is in the file reader's own test; here
// the viewer names it in the message.
TEST_F(HelpViewerTest, ReportsAFileItCannotShowByNameAndReusesItsOneWindowForTheNextFile) {
  writeBytes(path("locked.chm"), readBytes(kTriangles));
  const struct {
    const char* name;
    const char* says;
    int openFails;  // the error opening the file gives, as for a file of another user
  } unusable[] = {{"nowhere.chm", "was not found", 0},
                  {"", "cannot be read", 0},
                  {"locked.chm", "cannot be read: Permission denied.", EACCES}};
  for (const auto& [name, says, openFails] : unusable) {
    SCOPED_TRACE(name);
    platform().messages.expect(MessageAnswer::Ok);
    {
      std::optional<testing::FailingFileCalls> denied;
      if (openFails) denied.emplace(testing::FailingFileCalls::Step::Open, 1, openFails);
      viewer.showContents(nullptr, path(name));
    }
    ASSERT_FALSE(platform().messages.shown.empty());
    const QString text = platform().messages.shown.back().text;
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path(name))) && text.contains(says))
        << text.toStdString();
    EXPECT_EQ(viewer.window(), nullptr);
  }

  const QString copy = path(QStringLiteral("Hilfe \u00fcber \u0394reiecke.chm"));  // a name beyond ASCII
  writeBytes(copy, readBytes(VELTRANO_HELP_FOLDER "/bases.chm"));
  viewer.showContents(nullptr, kTriangles);
  HelpWindow* first = viewer.window();
  ASSERT_NE(first, nullptr);
  emit first->browser()->anchorClicked(QUrl("cases.htm"));
  viewer.showContents(nullptr, copy);
  EXPECT_EQ(viewer.window(), first);
  EXPECT_EQ(first->windowTitle(), "Veltrano Help: Base Conversion");
  EXPECT_FALSE(first->findChild<QAction*>("mnuBack")->isEnabled());  // no way back into the old file
}

// Contents cut at a cap, the deep one that overflowed the stack among them,
// go through this window in the help file fuzz inputs run on every build.

// A file that names no first page opens on its index page, though its
// contents list another page first; a file with no page to show leaves the
// window as it was.
TEST_F(HelpViewerTest, AFileWithNoFirstPageOpensOnItsIndexAndOneWithNoPageLeavesTheWindowAsItWas) {
  viewer.showContents(nullptr, VELTRANO_HELP_FIXTURES "/no_topic.chm");
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->browser()->source(), ChmBrowser::urlOf("/index.htm"));
  EXPECT_TRUE(window->browser()->toPlainText().contains("This is the index page."));

  const QString title = window->windowTitle();
  // The contents list a page the file does not hold.
  const std::shared_ptr<const ChmFile> pageless = ChmFile::fromObjects(
      "pageless.chm",
      {{"/toc.hhc",
        R"(<ul><li><object type="text/sitemap"><param name="Local" value="gone.htm"></object></ul>)"},
       {"/picture.png", "\x89PNG"}});
  EXPECT_FALSE(window->showFile(pageless));
  EXPECT_EQ(window->windowTitle(), title);
  EXPECT_EQ(window->browser()->source(), ChmBrowser::urlOf("/index.htm"));
}

QByteArray png(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// Every picture of the page laid out and painted, by its name, with the size it shows.
std::vector<std::pair<QString, QSize>> picturesShown(ChmBrowser& browser) {
  QTextDocument* page = browser.document();
  page->documentLayout()->documentSize();
  browser.viewport()->grab();
  std::vector<std::pair<QString, QSize>> pictures;
  for (QTextBlock block = page->begin(); block != page->end(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QString name = format.toImageFormat().name();
      pictures.emplace_back(name,
                            page->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>().size());
    }
  }
  return pictures;
}

// A page may show the pictures of its own file only: a file: URL, a path or
// a pipe shows one empty pixel, and nothing is read from the disk. A device
// (file:///dev/zero, which filled the memory) is among the fuzz inputs.
TEST_F(HelpViewerTest, APageShowsPicturesOfItsOwnFileAndReadsNothingElse) {
  const QString picture = path("picture.png"), pipe = path("pipe");
  writeBytes(picture, png(40, 30));
  const testing::PipeProbe probe(pipe);
  const QString page = QStringLiteral(
                           "<p>Pictures: <img src=\"file://%1\"> <img src=\"%1\"> <img src=\"file://%2\"> "
                           "<img src=\"data:image/png;base64,%3\"> "
                           "<img src=\"inside.png\"> <img src=\"index.htm\"> <img src=\"missing.png\">")
                           .arg(picture, pipe, QString::fromLatin1(png(40, 30).toBase64()));
  HelpWindow window;
  ASSERT_TRUE(window.showFile(
      ChmFile::fromObjects("hostile.chm", {{"/index.htm", page.toUtf8()}, {"/inside.png", png(5, 4)}})));
  window.show();
  const std::vector<std::pair<QString, QSize>> pictures = picturesShown(*window.browser());
  ASSERT_EQ(pictures.size(), 7u);
  for (const auto& [name, size] : pictures) {
    SCOPED_TRACE(name.left(40).toStdString());
    EXPECT_EQ(size, name == "inside.png" ? QSize(5, 4) : QSize(1, 1));
  }
  EXPECT_FALSE(probe.opened());
}

int tablesDeep(const QTextDocument& page) {
  int deepest = 0;
  std::vector<std::pair<QTextFrame*, int>> pending{{page.rootFrame(), 0}};
  while (!pending.empty()) {
    const auto [frame, depth] = pending.back();
    pending.pop_back();
    deepest = std::max(deepest, depth);
    for (QTextFrame* child : frame->childFrames())
      pending.emplace_back(child, depth + (qobject_cast<QTextTable*>(child) ? 1 : 0));
  }
  return deepest;
}

// Tables nested past the cap, which took seconds from 18 levels on and
// overflowed the stack at 3000, are shown flattened with a note.
TEST_F(HelpViewerTest, APageNestedPastTheCapIsShownFlattenedWithANote) {
  HelpWindow window;
  window.show();
  for (const int depth : {kMaxTableDepth, kMaxTableDepth + 1, 3000}) {
    SCOPED_TRACE(depth);
    const QByteArray page = QByteArray("<table><tr><td>").repeated(depth) + "deepest" +
                            QByteArray("</td></tr></table>").repeated(depth);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(window.showFile(ChmFile::fromObjects("deep.chm", {{"/index.htm", page}})));
    window.browser()->document()->documentLayout()->documentSize();
    window.browser()->viewport()->grab();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(tablesDeep(*window.browser()->document()), std::min(depth, kMaxTableDepth));
    EXPECT_TRUE(window.browser()->toPlainText().contains("deepest"));
    EXPECT_EQ(window.pageNote()->isVisible(), depth > kMaxTableDepth);
  }
}

}  // namespace
}  // namespace veltrano::help
