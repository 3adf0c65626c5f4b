#include "bench/keystrokes.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <memory>

#include "common/figure_pane.h"
#include "common/working_pane.h"

namespace veltrano::bench {

QLineEdit* field(QWidget* window, const char* name) {
  auto* found = window->findChild<QLineEdit*>(QString::fromLatin1(name));
  if (found == nullptr) qFatal("no field %s in the window", name);
  return found;
}

void showFigure(QWidget* window) {
  auto* command = window->findChild<QAction*>(QStringLiteral("mnuFigure"));
  if (command == nullptr) qFatal("no Figure command in the window");
  command->setChecked(true);
  QCoreApplication::processEvents();
}

std::function<QString()> figureRepainted(QWidget* window) {
  auto* pane = window->findChild<FigurePane*>();
  if (pane == nullptr || pane->isHidden()) qFatal("no figure pane shown in the window");
  auto last = std::make_shared<int>(pane->paints());
  return [pane, last]() -> QString {
    if (pane->paints() == *last) return QStringLiteral("the figure was not repainted");
    *last = pane->paints();
    return {};
  };
}

void showWorking(QWidget* window) {
  auto* command = window->findChild<QAction*>(QStringLiteral("mnuWorking"));
  if (command == nullptr) qFatal("no Working command in the window");
  command->setChecked(true);
  QCoreApplication::processEvents();
}

namespace {
// Counts the paints of the widget it watches.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QObject* parent) : QObject(parent) {}
  int paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};
}  // namespace

std::function<QString()> workingRepainted(QWidget* window) {
  auto* pane = window->findChild<WorkingPane*>();
  if (pane == nullptr || pane->isHidden()) qFatal("no working pane shown in the window");
  auto* counter = new PaintCounter(pane->viewport());
  pane->viewport()->installEventFilter(counter);
  auto last = std::make_shared<int>(0);
  return [counter, last]() -> QString {
    if (counter->paints == *last) return QStringLiteral("the working was not repainted");
    *last = counter->paints;
    return {};
  };
}

std::function<QString()> bothRepainted(QWidget* window) {
  return [figure = figureRepainted(window), working = workingRepainted(window)] {
    const QString wrong = figure();
    return wrong.isEmpty() ? working() : wrong;
  };
}

void selectTask(QWidget* window, int index) {
  for (QAbstractButton* task : window->findChildren<QAbstractButton*>(QStringLiteral("OptTask"))) {
    if (task->property("index").toInt() == index) {
      task->click();
      return;
    }
  }
  qFatal("no task %d in the window", index);
}

void press(QWidget* widget, int key, const QString& text) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &down);
  QApplication::sendEvent(widget, &up);
}

void alternateKeystrokes(benchmark::State& state, QLineEdit* field, char digit,
                         const std::function<QString()>& failure) {
  field->setFocus();
  field->end(false);
  QCoreApplication::processEvents();
  bool appended = false;
  for (auto _ : state) {
    if (appended) {
      press(field, Qt::Key_Backspace);
    } else {
      press(field, Qt::Key_0 + (digit - '0'), QString(QChar::fromLatin1(digit)));
    }
    appended = !appended;
    QCoreApplication::processEvents();
    const QString wrong = failure();
    if (!wrong.isEmpty()) {
      state.SkipWithError(wrong.toUtf8().constData());
      break;
    }
  }
}

}  // namespace veltrano::bench
