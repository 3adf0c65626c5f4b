#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

#include "common/testing/window_test.h"
#include "help/chm/chm_file.h"
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
  EXPECT_FALSE(browser->loadResource(QTextDocument::HtmlResource, QUrl("file:///etc/hostname")).isValid());

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
  const std::pair<const char*, const char*> unusable[] = {{"nowhere.chm", "was not found"},
                                                          {"", "cannot be read"}};
  for (const auto& [name, says] : unusable) {
    SCOPED_TRACE(name);
    platform().messages.expect(MessageAnswer::Ok);
    viewer.showContents(nullptr, path(name));
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

}  // namespace
}  // namespace veltrano::help
