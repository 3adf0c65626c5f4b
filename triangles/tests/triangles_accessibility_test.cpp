#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <iostream>

#include "common/dimension.h"
#include "common/figure_pane.h"
#include "common/numeric_text.h"
#include "common/testing/accessibility_check.h"
#include "common/testing/window_test.h"
#include "triangles/tests/triangle_cases.h"
#include "triangles/triangle_figure.h"
#include "triangles/triangles_window.h"

using namespace veltrano;
using namespace veltrano::testing;
using namespace veltrano::triangles;

using veltrano::triangles::testing::shown;
using veltrano::triangles::testing::solved;

namespace {

class TrianglesAccessibilityTest : public WindowTest {
 protected:
  static QLineEdit* sideA(const TrianglesWindow& window) { return child<QLineEdit>(&window, "txtSidea"); }
  // The object names the focus visits on Tab from the first field, one round.
  static QStringList tabRound(TrianglesWindow& window) {
    sideA(window)->setFocus();
    QStringList visited;
    for (int i = 0; i < 12; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
      if (QApplication::focusWidget() == sideA(window)) break;
    }
    return visited;
  }
};

TEST_F(TrianglesAccessibilityTest, EveryControlIsNamedForAListener) {
  TrianglesWindow window;
  expectSpokenNames(&window, {{"txtSidea", "side a"},
                              {"txtSideb", "side b"},
                              {"txtSidec", "side c"},
                              {"txtAn", "angle A, degrees"},
                              {"txtBn", "angle B, degrees"},
                              {"txtCn", "angle C, degrees"},
                              {"txtArea", "Area"},
                              {"Frame1", "Solve a triangle given"},
                              {"lblStatus", "Status"},
                              {"picFigure", "Figure"}});
  expectEveryControlNamed(&window);
}

// The words follow the figure cases: the right angle of 3-4-5 at C, the
// second triangle of an ambiguous a,b,A told with its own parts.
TEST_F(TrianglesAccessibilityTest, TheFigureIsToldInWords) {
  const TriangleVariables ambiguous = solved(SSA, 5, 7, 30);
  const struct {
    ShownTriangle shown;
    std::optional<SecondTriangle> second;
    QString words;
  } cases[] = {
      {shown(solved(SSS, 3, 4, 5)), std::nullopt,
       "Triangle with a = 3 along the bottom, b = 4, c = 5; angles A = 36.869897645844, "
       "B = 53.130102354156, C = 90 degrees; right angle at C"},
      {shown(solved(SSS, 1, 1, 1)), std::nullopt,
       "Triangle with a = 1 along the bottom, b = 1, c = 1; angles A = 60, B = 60, C = 60 degrees"},
      {shown(ambiguous), secondTriangle(ambiguous),
       "Triangle with a = 5 along the bottom, b = 7, c = 9.6328920407625; angles A = 30, "
       "B = 44.4270040008057, C = 105.572995999194 degrees. Second triangle, dashed: "
       "c = 2.49146361221965, B = 135.572995999194, C = 14.4270040008057 degrees"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(triangleFigure(c.shown, c.second).description, c.words);
  }
}

// Shown, the pane is the last tab stop after the window's own, unchanged;
// it follows each key in words, shows a focus frame and opens its menu from
// the keyboard.
TEST_F(TrianglesAccessibilityTest, TheFigurePaneIsReachedAndUsedByKeyboard) {
  TrianglesWindow window;
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const QStringList hidden = tabRound(window);
  window.showFigure(true);
  QStringList shownRound = tabRound(window);
  ASSERT_EQ(shownRound.size(), hidden.size() + 1);
  EXPECT_EQ(shownRound.takeAt(shownRound.size() - 2), "picFigure");
  EXPECT_EQ(shownRound, hidden);

  FigurePane* pane = window.figurePane();
  const QImage unfocused = pane->grab().toImage();
  pane->setFocus(Qt::TabFocusReason);
  EXPECT_NE(pane->grab().toImage(), unfocused) << "a focus frame";

  for (auto [key, modifiers] : {std::pair{Qt::Key_F10, Qt::ShiftModifier}, {Qt::Key_Menu, Qt::NoModifier}}) {
    QTest::keyClick(pane, key, modifiers);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << key;
    EXPECT_EQ(menu->actions().size(), 2);
    menu->close();
  }

  sideA(window)->setText("1.5");
  EXPECT_TRUE(spokenDescription(window.figurePane()).startsWith("Triangle with a = 1.5 along the bottom"))
      << spokenDescription(pane).toStdString();
}

// Drawn pixels (not the paper's cyan) of the figure as the pane shows it.
int inkedPixels(FigurePane* pane) {
  const QImage image = pane->grab().toImage();
  int inked = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) inked += QColor(image.pixel(x, y)) != QColor(0, 255, 255);
  return inked;
}

// With the figure shown the window can be made larger (for a projector):
// the client area keeps its size and place, the figure takes the rest and
// is drawn larger. Hidden, the window is of fixed size again.
TEST_F(TrianglesAccessibilityTest, WithTheFigureShownTheWindowResizesAndTheFigureScales) {
  TrianglesWindow window;
  window.show();
  const QSize hidden = window.size();
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed while the figure is hidden";
  window.showFigure(true);
  auto* client = child<QWidget>(&window, "clientArea");
  const QRect clientPlace = client->geometry();
  FigurePane* pane = window.figurePane();
  const int inkedBefore = inkedPixels(pane);
  window.resize(window.size() + QSize(500, 300));
  window.layout()->activate();
  EXPECT_EQ(client->geometry(), clientPlace);
  EXPECT_EQ(pane->width(), FigurePane::kWidth + 500);
  EXPECT_GT(pane->height(), clientPlace.height() + 250);
  EXPECT_GT(inkedPixels(pane), inkedBefore * 3 / 2) << "the figure is drawn larger";

  window.showFigure(false);
  EXPECT_EQ(window.size(), hidden);
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

// Under a dark desktop theme every text keeps its contrast on the window's
// own colours (green, yellow, cyan, the label colour).
TEST_F(TrianglesAccessibilityTest, TextsReadUnderADarkTheme) {
  DarkTheme dark;
  TrianglesWindow window;
  const SmallestContrast smallest = smallestTextContrast(&window);
  std::cout << "smallest contrast " << smallest.ratio << " at " << smallest.where.toStdString() << "\n";
  EXPECT_GE(smallest.ratio, 4.5) << smallest.where.toStdString();
}

}  // namespace
