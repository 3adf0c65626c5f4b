#include "app/task_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStringList>
#include <algorithm>
#include <exception>
#include <utility>

#include "app/about_screen.h"
#include "app/shell_font.h"
#include "app/unload_all.h"
#include "common/accessibility.h"
#include "common/event_guard.h"
#include "common/platform.h"
#include "common/ui_style.h"
#include "common/window_place.h"

namespace veltrano {
namespace {

// What a screen reader says for each control; the options say their captions.
constexpr accessibility::SpokenName kSpokenNames[] = {
    {"frmTask", "Veltrano: select type of problem to solve"},
    {"cmdOK", "OK, open the selected worksheet"},
};

// Client area 3645 x 3735 twips. Controls stand one below the other.
constexpr int kClientWidth = style::twips(3645);
constexpr int kClientHeight = style::twips(3735);
constexpr int kMargin = 8;
constexpr int kLabelTop = 6;
constexpr int kLabelHeight = 40;
constexpr int kFirstOptionTop = 50;
constexpr int kOptionHeight = 26;
constexpr int kOptionPitch = 30;
constexpr int kButtonWidth = 89;
constexpr int kButtonHeight = 33;
constexpr int kButtonTop = 206;

// The whole green bar of an option answers a click, not just its caption.
class TaskOption : public QRadioButton {
 public:
  TaskOption(const QString& caption, QWidget* parent) : QRadioButton(caption, parent) {}

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// Why the selector shows although a file was given, naming the worksheets
// that could take it by their options' captions.
QString offeredFileMessage(const QString& name, const QList<int>& fitting) {
  if (fitting.isEmpty()) {
    return QStringLiteral(
               "The file \"%1\" does not look like any worksheet's file. Choose the worksheet "
               "to open it in anyway.")
        .arg(name);
  }
  QStringList captions;
  for (int task : fitting) captions << QStringLiteral("\"%1\"").arg(worksheetTable()[task].caption);
  const QString last = captions.takeLast();
  return QStringLiteral("The file \"%1\" could be a file of %2 or %3. Choose the worksheet to open it in.")
      .arg(name, captions.join(QStringLiteral(", ")), last);
}

}  // namespace

QStringList TaskWindow::taskCaptions() {
  QStringList captions;
  for (const WorksheetRow& row : worksheetTable()) captions << row.caption;
  return captions;
}

TaskWindow::TaskWindow(WorksheetFactories factories, QWidget* parent)
    : QMainWindow(parent), worksheets_(std::move(factories)) {
  setObjectName(QStringLiteral("frmTask"));
  setWindowTitle(QStringLiteral("Veltrano"));
  buildControls();
  buildMenus();
  setTabOrder();
  accessibility::nameControls(this, kSpokenNames);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  placeOnScreen(this, false);
}

void TaskWindow::buildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("clientArea"));
  client->setFixedSize(kClientWidth, kClientHeight);
  style::setBackground(client, style::Cyan);
  setCentralWidget(client);

  label1_ = new QLabel(QStringLiteral("Select type of problem to solve:"), client);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setFont(shellFont(9.75));
  label1_->setWordWrap(true);
  label1_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label1_->setGeometry(kMargin, kLabelTop, kClientWidth - 2 * kMargin, kLabelHeight);

  const QStringList captions = taskCaptions();
  for (int index = 0; index < captions.size(); ++index) {
    auto* option = new TaskOption(captions[index], client);
    option->setObjectName(QStringLiteral("OptTask"));
    option->setProperty("index", index);
    option->setFont(shellFont(8.25));
    style::setBackground(option, style::Green);
    option->setGeometry(kMargin, kFirstOptionTop + index * kOptionPitch, kClientWidth - 2 * kMargin,
                        kOptionHeight);
    option->installEventFilter(this);
    optTask_.append(option);
  }
  optTask_.first()->setChecked(true);

  cmdOK_ = new QPushButton(QStringLiteral("OK"), client);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setToolTip(QStringLiteral("Compute solution"));
  style::makeOrange(cmdOK_);
  cmdOK_->setGeometry((kClientWidth - kButtonWidth) / 2, kButtonTop, kButtonWidth, kButtonHeight);
  connect(cmdOK_, &QPushButton::clicked, this, guarded([this] { okClicked(); }));
}

void TaskWindow::buildMenus() {
  QAction* help = menuBar()->addAction(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  help->setShortcut(QKeySequence::HelpContents);
  connect(help, &QAction::triggered, this, guarded([this] { helpClicked(); }));

  QAction* about = menuBar()->addAction(QStringLiteral("&About"));
  about->setObjectName(QStringLiteral("mnuAbout"));
  connect(about, &QAction::triggered, this, guarded([] { AboutVeltrano::ShowAboutScreen(); }));
}

// The options in the places the table of worksheets gives them, with OK
// right after the first ("Complex numbers", OK, "Base conversion", then the
// options upwards to "Find the prime factors of a number").
void TaskWindow::setTabOrder() {
  QList<QRadioButton*> order = optTask_;
  std::stable_sort(order.begin(), order.end(), [](const QRadioButton* a, const QRadioButton* b) {
    const auto& table = worksheetTable();
    return table[a->property("index").toInt()].tabPlace < table[b->property("index").toInt()].tabPlace;
  });
  order.insert(1, nullptr);  // OK's place
  QWidget* previous = order.first();
  for (qsizetype i = 1; i < order.size(); ++i) {
    QWidget* next = order[i] ? static_cast<QWidget*>(order[i]) : cmdOK_;
    QWidget::setTabOrder(previous, next);
    previous = next;
  }
  // The first in the tab order has the focus when the window first shows.
  order.first()->setFocus();
}

void TaskWindow::okClicked() {
  for (QRadioButton* option : optTask_) {
    if (option->isChecked()) {
      openTask(option->property("index").toInt(), offeredFile_);
      return;
    }
  }
}

void TaskWindow::openTask(int task, QString path) {
  SelectedTask = task;
  try {
    worksheets_.show(SelectedTask);
  } catch (...) {
    // The worksheet could not load. Nothing is visible any more and no work
    // exists yet, so the program ends after telling why.
    reportUntrapped(std::current_exception());
    UnloadAll::ShutDown();
    return;
  }
  hide();
  offeredFile_.clear();
  // A file that cannot be read leaves the worksheet open and empty, as its
  // Open would, after the error box.
  if (!path.isEmpty()) runGuarded([&] { worksheets_.openFile(SelectedTask, path); });
}

void TaskWindow::offerFile(const QString& path, const QList<int>& fitting) {
  offeredFile_ = path;
  const QString name = QFileInfo(path).fileName();
  label1_->setText(QStringLiteral("Open \"%1\" in:")
                       .arg(label1_->fontMetrics().elidedText(name, Qt::ElideMiddle, label1_->width() / 2)));
  label1_->setToolTip(QDir::toNativeSeparators(path));
  if (!fitting.isEmpty()) chooseOption(fitting.first());
  platform().messages->show(
      this, {QStringLiteral("Veltrano"), offeredFileMessage(name, fitting), MessageButtons::Ok, false});
}

void TaskWindow::helpClicked() {
  platform().help->showContents(
      this, QDir::cleanPath(platform().programFolder + QLatin1Char('/') + selectorHelpFile()));
}

// Up and Down choose the option above or below, as in any group of radio
// buttons, whichever option has the focus; a double click on an option opens
// its task as OK does.
bool TaskWindow::eventFilter(QObject* watched, QEvent* event) {
  const qsizetype index = optTask_.indexOf(qobject_cast<QRadioButton*>(watched));
  bool consumed = false;
  if (index >= 0) {
    runGuarded([&] {
      if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
          chooseOption(key == Qt::Key_Up ? index - 1 : index + 1);
          consumed = true;
        }
      } else if (event->type() == QEvent::MouseButtonDblClick &&
                 static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        optTask_[index]->setChecked(true);
        cmdOK_->click();
        consumed = true;
      }
    });
  }
  return consumed || QMainWindow::eventFilter(watched, event);
}

void TaskWindow::chooseOption(qsizetype index) {
  if (index < 0 || index >= optTask_.size()) return;
  optTask_[index]->setChecked(true);
  optTask_[index]->setFocus(Qt::OtherFocusReason);
}

// Enter chooses, as the OK button would in a dialog.
void TaskWindow::keyPressEvent(QKeyEvent* event) {
  runGuarded([this, event] {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      cmdOK_->animateClick();
    } else {
      QMainWindow::keyPressEvent(event);
    }
  });
}

void TaskWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  runGuarded([] { UnloadAll::ShutDown(); });
}

}  // namespace veltrano
