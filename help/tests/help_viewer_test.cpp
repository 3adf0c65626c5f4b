#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "common/testing/window_test.h"
#include "help/tests/qt_streaming.h"
#include "help/viewer/chm_browser.h"
#include "help/viewer/chm_help_viewer.h"
#include "help/viewer/help_window.h"

namespace veltrano::help {
namespace {

using veltrano::testing::WindowTest;

QString helpPath(const char* name) {
  return QDir(QStringLiteral(VELTRANO_HELP_FOLDER)).filePath(QLatin1String(name));
}

QStringList topLevelNames(const QTreeWidget* tree) {
  QStringList names;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) names.append(tree->topLevelItem(i)->text(0));
  return names;
}

QTreeWidgetItem* itemNamed(QTreeWidget* tree, const QString& name) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if ((*it)->text(0) == name) return *it;
  }
  return nullptr;
}

class HelpViewerTest : public WindowTest {
 protected:
  ChmHelpViewer viewer;
};

TEST_F(HelpViewerTest, AMissingOrDamagedFileIsReportedByNameAndOpensNoWindow) {
  const QString missing = path("nowhere.chm");
  const QString damaged = path("damaged.chm");
  writeBytes(damaged, QByteArray("not a help file\r\n").repeated(50));

  for (const QString& file : {missing, damaged}) {
    platform().messages.expect(MessageAnswer::Ok);
    viewer.showContents(nullptr, file);
    ASSERT_FALSE(platform().messages.shown.empty());
    const MessageRequest& shown = platform().messages.shown.back();
    EXPECT_EQ(shown.title, "Veltrano");
    EXPECT_TRUE(shown.text.contains(QDir::toNativeSeparators(file))) << shown.text;
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    EXPECT_EQ(viewer.window(), nullptr);
  }
  EXPECT_TRUE(platform().messages.shown[0].text.contains("not found"));
  EXPECT_TRUE(platform().messages.shown[1].text.contains("cannot be read"));
}

TEST_F(HelpViewerTest, OpensOnTheContentsTreeAndTheFirstPage) {
  viewer.showContents(nullptr, helpPath("Triangle.chm"));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->objectName(), "frmHelp");
  EXPECT_EQ(window->windowTitle(), "Veltrano Help: Triangles");
  EXPECT_EQ(topLevelNames(window->contents()), QStringList{"Solving a triangle"});
  EXPECT_TRUE(window->contents()->topLevelItem(0)->isExpanded());
  EXPECT_GE(window->contents()->topLevelItem(0)->childCount(), 4);
  EXPECT_EQ(window->browser()->source(), ChmBrowser::urlOf("/index.htm"));
  EXPECT_EQ(window->contents()->currentItem(), window->contents()->topLevelItem(0));
  EXPECT_TRUE(window->browser()->toPlainText().contains("Solving a triangle"));
}

TEST_F(HelpViewerTest, ANewWindowOpensOverItsOwnerAndOnTheScreen) {
  QWidget owner;
  owner.setGeometry(QRect(QPoint(-200, -150), QSize(320, 240)));  // partly off the screen
  owner.show();
  viewer.showContents(&owner, helpPath("ortano.chm"));
  ASSERT_NE(viewer.window(), nullptr);
  const QRect area = owner.screen()->availableGeometry();
  EXPECT_TRUE(area.contains(viewer.window()->geometry().topLeft()))
      << viewer.window()->geometry().x() << "," << viewer.window()->geometry().y();
}

TEST_F(HelpViewerTest, FollowsTheContentsTheLinksAndTheHistory) {
  viewer.showContents(nullptr, helpPath("Triangle.chm"));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  ChmBrowser* browser = window->browser();
  QTreeWidget* tree = window->contents();

  QTreeWidgetItem* cases = itemNamed(tree, "The five cases");
  ASSERT_NE(cases, nullptr);
  emit tree->itemClicked(cases, 0);
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/cases.htm"));
  EXPECT_TRUE(browser->toPlainText().contains("a,b,c (SSS)"));

  // A link in the page: the tree follows the page it leads to.
  emit browser->anchorClicked(QUrl("examples.htm"));
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/examples.htm"));
  EXPECT_EQ(tree->currentItem(), itemNamed(tree, "Worked examples"));

  QAction* back = window->findChild<QAction*>("mnuBack");
  ASSERT_NE(back, nullptr);
  ASSERT_TRUE(back->isEnabled());
  back->trigger();
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/cases.htm"));
  EXPECT_EQ(tree->currentItem(), cases);

  // A link to a page the file lacks leaves the page and says so.
  emit browser->anchorClicked(QUrl("no-such-page.htm"));
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/cases.htm"));
  EXPECT_TRUE(window->statusBar()->currentMessage().contains("/no-such-page.htm"));

  // Pages reach nothing outside the help file: no local files, no pages by path.
  emit browser->anchorClicked(QUrl("file:///etc/hostname"));
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/cases.htm"));
  EXPECT_FALSE(browser->loadResource(QTextDocument::HtmlResource, QUrl("file:///etc/hostname")).isValid());
  EXPECT_FALSE(browser->loadResource(QTextDocument::ImageResource, QUrl("/etc/hostname")).isValid());

  window->findChild<QAction*>("mnuHome")->trigger();
  EXPECT_EQ(browser->source(), ChmBrowser::urlOf("/index.htm"));
}

TEST_F(HelpViewerTest, TheKeyboardWalksTheContentsAndEscapeCloses) {
  viewer.showContents(nullptr, helpPath("Factors.chm"));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  QTreeWidget* tree = window->contents();

  QTest::keyClick(tree, Qt::Key_Down);
  EXPECT_EQ(tree->currentItem(), itemNamed(tree, "Worked examples"));
  EXPECT_EQ(window->browser()->source(), ChmBrowser::urlOf("/examples.htm"));
  QTest::keyClick(tree, Qt::Key_End);
  EXPECT_EQ(window->browser()->source(), ChmBrowser::urlOf("/files.htm"));
  QTest::keyClick(tree, Qt::Key_Home);
  EXPECT_EQ(window->browser()->source(), ChmBrowser::urlOf("/index.htm"));

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(tree, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(HelpViewerTest, HelpAgainReusesTheOneWindowWithTheNewFile) {
  viewer.showContents(nullptr, helpPath("Triangle.chm"));
  HelpWindow* first = viewer.window();
  ASSERT_NE(first, nullptr);
  emit first->browser()->anchorClicked(QUrl("cases.htm"));

  viewer.showContents(nullptr, helpPath("circles.chm"));
  EXPECT_EQ(viewer.window(), first);
  EXPECT_TRUE(first->windowTitle().endsWith("Circles"));
  EXPECT_FALSE(topLevelNames(first->contents()).contains("Solving a triangle"));
  EXPECT_TRUE(first->browser()->toPlainText().contains("central angle"));
  // The history of the previous file is gone: Back cannot lead into it.
  EXPECT_FALSE(first->findChild<QAction*>("mnuBack")->isEnabled());

  // A failed request leaves the window on the file it shows.
  platform().messages.expect(MessageAnswer::Ok);
  viewer.showContents(nullptr, path("missing.chm"));
  EXPECT_EQ(viewer.window(), first);
  EXPECT_TRUE(first->windowTitle().endsWith("Circles"));

  // Once the user closes the window, Help opens a fresh one.
  first->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(viewer.window(), nullptr);
  viewer.showContents(nullptr, helpPath("bases.chm"));
  ASSERT_NE(viewer.window(), nullptr);
  EXPECT_TRUE(viewer.window()->isVisible());
}

}  // namespace
}  // namespace veltrano::help
