#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>

#include "common/testing/window_test.h"
#include "help/viewer/chm_browser.h"
#include "help/viewer/chm_help_viewer.h"
#include "help/viewer/help_window.h"

namespace veltrano::help {
namespace {

class HelpViewerTest : public veltrano::testing::WindowTest {
 protected:
  ChmHelpViewer viewer;
};

TEST_F(HelpViewerTest, AFileItCannotShowIsReportedByNameAndOpensNoWindow) {
  writeBytes(path("damaged.chm"), QByteArray("not a help file\r\n").repeated(50));
  writeBytes(path("empty.chm"), {});
  const std::pair<const char*, const char*> cases[] = {{"nowhere.chm", "was not found"},
                                                       {"damaged.chm", "cannot be read"},
                                                       {"empty.chm", "cannot be read"},
                                                       {"", "cannot be read"}};
  for (const auto& [name, says] : cases) {
    platform().messages.expect(MessageAnswer::Ok);
    viewer.showContents(nullptr, path(name));
    ASSERT_FALSE(platform().messages.shown.empty());
    const QString text = platform().messages.shown.back().text;
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path(name))) && text.contains(says))
        << text.toStdString();
    EXPECT_EQ(viewer.window(), nullptr);
  }
}

TEST_F(HelpViewerTest, OpensOverItsOwnerOnTheContentsAndGoesNowhereOutsideTheFile) {
  QWidget owner;
  owner.setGeometry(QRect(QPoint(-200, -150), QSize(320, 240)));  // partly off the screen
  owner.show();
  viewer.showContents(&owner, QStringLiteral(VELTRANO_HELP_FOLDER "/Triangle.chm"));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(owner.screen()->availableGeometry().contains(window->geometry().topLeft()));
  EXPECT_EQ(window->windowTitle(), "Veltrano Help: Triangles");
  ChmBrowser* browser = window->browser();
  QTreeWidget* tree = window->contents();
  QTreeWidgetItem* top = tree->topLevelItem(0);
  ASSERT_TRUE(top && top->childCount() >= 5);
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/index.htm"));

  QTest::keyClick(tree, Qt::Key_Down);  // the arrow keys read the pages on the way
  EXPECT_TRUE(browser->toPlainText().contains("a,b,c (SSS)"));
  emit tree->itemClicked(top->child(4), 0);
  emit browser->anchorClicked(QUrl("examples.htm"));  // the tree follows the page a link leads to
  EXPECT_EQ(tree->currentItem(), top->child(1));
  window->findChild<QAction*>("mnuBack")->trigger();
  EXPECT_EQ(tree->currentItem(), top->child(4));

  emit browser->anchorClicked(QUrl("no-such-page.htm"));
  EXPECT_TRUE(window->statusBar()->currentMessage().contains("/no-such-page.htm"));
  emit browser->anchorClicked(QUrl("file:///etc/hostname"));
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/files.htm"));
  EXPECT_FALSE(browser->loadResource(QTextDocument::HtmlResource, QUrl("file:///etc/hostname")).isValid());

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(tree, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(HelpViewerTest, HelpAgainReusesTheOneWindowWithTheNewFile) {
  viewer.showContents(nullptr, QStringLiteral(VELTRANO_HELP_FOLDER "/Triangle.chm"));
  HelpWindow* first = viewer.window();
  ASSERT_NE(first, nullptr);
  emit first->browser()->anchorClicked(QUrl("cases.htm"));

  viewer.showContents(nullptr, QStringLiteral(VELTRANO_HELP_FOLDER "/circles.chm"));
  EXPECT_EQ(viewer.window(), first);
  EXPECT_TRUE(first->browser()->toPlainText().contains("central angle"));
  EXPECT_FALSE(first->findChild<QAction*>("mnuBack")->isEnabled());  // no way back into the old file

  platform().messages.expect(MessageAnswer::Ok);
  viewer.showContents(nullptr, path("missing.chm"));
  EXPECT_TRUE(first->windowTitle().endsWith("Circles"));  // a failed request leaves the window as it was

  // Once closed, Help opens a fresh window, also from a folder named beyond ASCII.
  first->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const QString copy = path(QStringLiteral("Hilfe \u00fcber \u0394reiecke/bases.chm"));
  ASSERT_TRUE(QDir().mkpath(QFileInfo(copy).path()) &&
              QFile::copy(QStringLiteral(VELTRANO_HELP_FOLDER "/bases.chm"), copy));
  viewer.showContents(nullptr, copy);
  ASSERT_NE(viewer.window(), nullptr);
  EXPECT_TRUE(viewer.window()->isVisible());
}

}  // namespace
}  // namespace veltrano::help
