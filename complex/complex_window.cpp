#include "complex/complex_window.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <algorithm>

#include "common/accessibility.h"
#include "common/dimension.h"
#include "common/event_guard.h"
#include "common/numeric_text.h"
#include "common/result_list.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"
#include "complex/complex_figure.h"
#include "complex/complex_working.h"

namespace veltrano::complex {

namespace {

FrameSettings frameSettings() {
  return {.objectName = QStringLiteral("frmComplex"),
          .caption = QStringLiteral("Complex Numbers"),
          .helpFile = QStringLiteral("\\complex.chm"),
          .saveAsCaption = QStringLiteral("SaveAs"),
          .secondFileSeparator = false,
          .printsInCourier = true,
          .hasFigure = true};
}

QFont sansBold() { return style::font(QStringLiteral("MS Sans Serif"), 8.25, true); }
QFont sansRegular() { return style::font(QStringLiteral("MS Sans Serif"), 8.25); }
QFont courier(bool bold) { return style::font(QStringLiteral("Courier New"), 8.25, bold); }

QColor toolTipColour() { return QApplication::palette().color(QPalette::ToolTipBase); }

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font,
                  const QRect& place) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setFont(font);
  label->setGeometry(place);
  return label;
}

// A caption that names the field or result to its right.
QLabel* makeNamingLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& place) {
  QLabel* label = makeLabel(parent, name, caption, sansBold(), place);
  style::setBackground(label, toolTipColour());
  return label;
}

QLineEdit* makeInput(QWidget* parent, const QString& name, const QRect& place) {
  auto* field = new QLineEdit(parent);
  style::takeWholeTexts(field);
  field->setObjectName(name);
  field->setFont(sansRegular());
  field->setGeometry(place);
  style::setInput(field, true);
  return field;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, const QRect& place) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  frame->setFont(sansBold());
  frame->setGeometry(place);
  style::setBackground(frame, style::Cyan);
  return frame;
}

// What a screen reader says for each control and result: symbols spelled out.
constexpr accessibility::SpokenName kSpokenNames[] = {
    {"Frame1", "Select task"},
    {"fraX", "Enter x"},
    {"fraY", "Enter y"},
    {"fraN", "Enter n"},
    {"txtA", "Real part of x"},
    {"txtB", "Imaginary part of x"},
    {"txtC", "Real part of y"},
    {"txtD", "Imaginary part of y"},
    {"txtN", "n, the power or the number of roots"},
    {"lblSum", "x plus y"},
    {"lblDifference", "x minus y"},
    {"lblProduct", "x times y"},
    {"lblQuotient", "x divided by y"},
    {"lblYtoX", "y to the power x"},
    {"lblExp", "Exponential of x"},
    {"lblLog", "Logarithm of x"},
    {"lblPolar", "Polar form of x, length and argument in radians"},
    {"lblXtoN", "x to the power n"},
    {"lstResults", "nth roots of x"},
};

// Places, in pixels of the client area (style::kWorksheetWidth x kWorksheetHeight).
constexpr int kMargin = 8;
constexpr int kFramesTop = 24;
constexpr int kTaskFrameWidth = 290;
constexpr int kInputFramesLeft = kMargin + kTaskFrameWidth + 8;
constexpr int kInputFramesWidth = style::kWorksheetWidth - kMargin - kInputFramesLeft;
constexpr int kRowHeight = 20;
constexpr int kLineTop = 198;
constexpr int kResultsTop = 206;
constexpr int kResultStep = 17;
constexpr int kResultHeight = 16;
constexpr int kResultLeft = 152;
constexpr int kResultWidth = style::kWorksheetWidth - kMargin - kResultLeft;
constexpr int kNamingWidth = 140;

}  // namespace

ComplexWindow::ComplexWindow(QWidget* parent) : WorksheetWindow(frameSettings(), parent) {
  Dimension::SetConstants();

  QWidget* area = clientArea();
  area->setFont(courier(false));
  style::setBackground(area, style::Cyan);
  buildHeader(area);
  buildTaskFrame(area);
  buildInputFrames(area);
  buildResults(area);
  setTabOrder();
  accessibility::nameControls(this, kSpokenNames);

  solver_.a = TextToNumber(inputs_[A]->text());
  solver_.b = TextToNumber(inputs_[B]->text());
  solver_.c = TextToNumber(inputs_[C]->text());
  solver_.d = TextToNumber(inputs_[D]->text());
  solver_.n = TextToNumber(inputs_[N]->text());
  solver_.Task = 0;
  connectHandlers();
  // The first key typed goes into a.
  inputs_[A]->setFocus();
  inputs_[A]->selectAll();
}

void ComplexWindow::buildHeader(QWidget* area) {
  const QFont font = courier(true);
  const QColor colour = toolTipColour();
  const struct {
    const char* name;
    const char* caption;
    int left;
    int width;
  } labels[] = {{"Label9", "Convention:", kMargin, 92},
                {"Label8", " x = a + b*i ", 106, 110},
                {"Label7", " y = c + d*i ", 222, 110}};
  for (const auto& l : labels) {
    QLabel* label = makeLabel(area, QString::fromLatin1(l.name), QString::fromLatin1(l.caption), font,
                              QRect(l.left, 4, l.width, 16));
    style::setBackground(label, colour);
  }
}

namespace {

QString taskCaption(std::int32_t task) {
  static const char* const captions[] = {
      "x + y",  "x - y",  "x * y",           "x / y", "y ^ x",
      "Exp(x)", "Log(x)", "Polar form of x", "x ^ n", "Find all nth roots of x"};
  return QString::fromLatin1(captions[std::clamp(task, 0, 9)]);
}

}  // namespace

void ComplexWindow::buildTaskFrame(QWidget* area) {
  QGroupBox* frame = makeFrame(area, QStringLiteral("Frame1"), QStringLiteral("Select task:"),
                               QRect(kMargin, kFramesTop, kTaskFrameWidth, kLineTop - 6 - kFramesTop));
  for (int index = 0; index < 10; ++index) {
    auto* option = new QRadioButton(taskCaption(index), frame);
    option->setObjectName(QStringLiteral("OptTask"));
    option->setProperty("index", index);
    option->setFont(sansBold());
    style::setBackground(option, style::Green);
    const bool left = index < 5;
    const int row = index % 5;
    option->setGeometry(left ? 10 : 100, 22 + row * 28, left ? 80 : 182, kRowHeight);
    tasks_.append(option);
  }
  tasks_.first()->setChecked(true);
}

void ComplexWindow::buildInputFrames(QWidget* area) {
  const int labelWidth = 150;
  const int fieldLeft = 8 + labelWidth + 4;
  const int fieldWidth = kInputFramesWidth - fieldLeft - 8;
  auto row = [&](QGroupBox* frame, int line, const char* labelName, const char* caption,
                 const char* fieldName, Input input) {
    const int top = 17 + line * (kRowHeight + 2);
    makeNamingLabel(frame, QString::fromLatin1(labelName), QString::fromLatin1(caption),
                    QRect(8, top, labelWidth, kRowHeight));
    inputs_[input] =
        makeInput(frame, QString::fromLatin1(fieldName), QRect(fieldLeft, top, fieldWidth, kRowHeight));
  };

  fraX_ = makeFrame(area, QStringLiteral("fraX"), QStringLiteral("Enter x:"),
                    QRect(kInputFramesLeft, kFramesTop, kInputFramesWidth, 62));
  row(fraX_, 0, "Label10", "Real part (a) = ", "txtA", A);
  row(fraX_, 1, "Label11", "Imaginary part (b) = ", "txtB", B);

  fraY_ = makeFrame(area, QStringLiteral("fraY"), QStringLiteral("Enter y:"),
                    QRect(kInputFramesLeft, kFramesTop + 64, kInputFramesWidth, 62));
  row(fraY_, 0, "Label13", "Real part (c) = ", "txtC", C);
  row(fraY_, 1, "Label12", "Imaginary part (d) = ", "txtD", D);

  fraN_ = makeFrame(
      area, QStringLiteral("fraN"), QStringLiteral("Enter n:"),
      QRect(kInputFramesLeft, kFramesTop + 128, kInputFramesWidth, kLineTop - 6 - kFramesTop - 128));
  row(fraN_, 0, "Label14", "n = ", "txtN", N);
  fraN_->setEnabled(false);
}

void ComplexWindow::buildResults(QWidget* area) {
  auto* line = new QFrame(area);
  line->setObjectName(QStringLiteral("Line1"));
  line->setFrameShape(QFrame::NoFrame);
  line->setGeometry(0, kLineTop, style::kWorksheetWidth, 2);
  style::setBackground(line, style::Blue);

  const struct {
    const char* labelName;
    const char* caption;
    const char* resultName;
  } rows[kTargetCount] = {{"Label4", "x + y = ", "lblSum"},     {"Label3", "x - y = ", "lblDifference"},
                          {"Label1", "x * y = ", "lblProduct"}, {"Label6", "x / y = ", "lblQuotient"},
                          {"Label18", "y ^ x = ", "lblYtoX"},   {"Label20", "Exp(x) = ", "lblExp"},
                          {"Label24", "Log(x) = ", "lblLog"},   {"Label22", "Polar form of x = ", "lblPolar"},
                          {"Label16", "x ^ n = ", "lblXtoN"}};
  for (int i = 0; i < kTargetCount; ++i) {
    const int top = kResultsTop + i * kResultStep;
    makeNamingLabel(area, QString::fromLatin1(rows[i].labelName), QString::fromLatin1(rows[i].caption),
                    QRect(kMargin, top, kNamingWidth, kResultHeight));
    auto* result = new QLabel(area);
    result->setObjectName(QString::fromLatin1(rows[i].resultName));
    result->setGeometry(kResultLeft, top, kResultWidth, kResultHeight);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    style::setBackground(result, style::Yellow);
    results_[static_cast<std::size_t>(i)] = result;
  }
  label(Target::Polar)->setToolTip(QStringLiteral("Length,Argument (radians)"));

  const int listTop = kResultsTop + kTargetCount * kResultStep + 1;
  makeNamingLabel(area, QStringLiteral("Label2"), QStringLiteral("nth roots of x = "),
                  QRect(kMargin, listTop, kNamingWidth, kResultHeight));
  lstResults_ = new ResultList(area);
  lstResults_->setObjectName(QStringLiteral("lstResults"));
  lstResults_->setFont(sansRegular());
  lstResults_->setToolTip(QStringLiteral("nth roots of x"));
  lstResults_->setGeometry(kResultLeft, listTop, kResultWidth, style::kWorksheetHeight - 4 - listTop);
  style::setBackground(lstResults_, style::Yellow);
}

void ComplexWindow::setTabOrder() {
  QWidget* previous = tasks_.last();
  for (QLineEdit* field : inputs_) {
    QWidget::setTabOrder(previous, field);
    previous = field;
  }
  QWidget::setTabOrder(previous, lstResults_);
}

void ComplexWindow::connectHandlers() {
  for (int index = 0; index < tasks_.size(); ++index) {
    connect(tasks_[index], &QRadioButton::toggled, this, guarded([this, index](bool checked) {
              if (!checked) return;
              // Emptied fields tell the frame themselves; emptied results and
              // roots are changed content too.
              const ComplexContents before = contents();
              selectTask(index);
              if (contents() != before) markChanged();
            }));
  }
  // Each field by the letter its label gives it: "Real part (a) = ".
  const char* const names[] = {"a", "b", "c", "d", "n"};
  for (Input input : {A, B, C, D, N}) {
    onFieldChanged(inputs_[input], QString::fromLatin1(names[input]), [this, input] { inputChanged(input); });
  }
}

// Each emptying of a field that held text runs that field's change handler
// there and then, with the new task already set.
void ComplexWindow::selectTask(int index) {
  solver_.Task = index;
  const TaskGroup group = groupOf(index);
  const QList<Target> twoNumberResults = {Target::Sum, Target::Difference, Target::Product, Target::Quotient,
                                          Target::YtoX};
  fraX_->setEnabled(true);
  fraY_->setEnabled(group == TaskGroup::TwoNumber);
  fraN_->setEnabled(group == TaskGroup::Power);
  if (group == TaskGroup::TwoNumber) {
    inputs_[N]->setText(QString());
    emptyResult(Target::XtoN);
    clearRoots();
    shownValuesMayHaveChanged();
    return;
  }
  inputs_[C]->setText(QString());
  inputs_[D]->setText(QString());
  for (Target target : twoNumberResults) emptyResult(target);
  if (group == TaskGroup::OneNumber) {
    inputs_[N]->setText(QString());
    emptyResult(Target::XtoN);
  }
  clearRoots();
  shownValuesMayHaveChanged();
}

void ComplexWindow::markResultsStale() { markStale(runTargets(groupOf(solver_.Task)), true); }

void ComplexWindow::inputChanged(Input input) {
  // A text too large to read leaves the input as it was; the frame greys the results.
  const double value = TextToNumber(inputs_[input]->text());
  switch (input) {
    case A: solver_.a = value; break;
    case B: solver_.b = value; break;
    case C: solver_.c = value; break;
    case D: solver_.d = value; break;
    case N:
      solver_.n = value;
      emptyResult(Target::XtoN);
      clearRoots();
      break;
  }
  solve();
}

void ComplexWindow::solve() {
  const SolveOutcome outcome = solver_.SolveComplex(*this);
  const TaskGroup group = groupOf(solver_.Task);
  markStale(runTargets(group), false);
  markStale(unwrittenTargets(group, outcome), true);
  lastRunFailed_ = !outcome.complete();
  if (outcome.complete()) {
    clearFailure();
  } else {
    showFailure(failureText(outcome, solver_));
  }
  // An empty n is not typed yet: nothing to explain.
  const bool nTyped = !inputs_[N]->text().isEmpty();
  setNote(QStringLiteral("roots"), nTyped ? rootsNote(solver_.Task, solver_.n) : QString());
}

void ComplexWindow::markStale(const QList<Target>& targets, bool stale) {
  for (Target target : targets) style::setStale(label(target), stale);
}

void ComplexWindow::emptyResult(Target target) {
  label(target)->clear();
  style::setStale(label(target), false);
}

QString ComplexWindow::result(Target target) const { return label(target)->text(); }

void ComplexWindow::setResult(Target target, const QString& text) { label(target)->setText(text); }

void ComplexWindow::clearRoots() {
  roots_ = {};
  lstResults_->clear();
}

// The list writes the rows it shows; Save and Print ask it for all of them.
void ComplexWindow::setRoots(const RootSeries& roots) {
  roots_ = roots;
  lstResults_->setRows(RowSource{roots.count, [roots](int k) { return roots.row(k); }});
}

// The field the user is typing in keeps the keyboard focus; from anywhere
// else (a task button, the menu) the focus goes on to n.
void ComplexWindow::focusExponent() {
  const QWidget* current = focusWidget();
  for (Input input : {A, B, C, D}) {
    if (current == inputs_[input]) return;
  }
  inputs_[N]->setFocus();
}

ComplexContents ComplexWindow::contents() const {
  ComplexContents contents;
  for (std::size_t i = 0; i < inputs_.size(); ++i) contents.inputs[i] = inputs_[i]->text();
  for (std::size_t i = 0; i < results_.size(); ++i) contents.results[i] = results_[i]->text();
  contents.roots = lstResults_->rows();
  return contents;
}

void ComplexWindow::writeWorksheetFile(WorksheetWriter& file) const { writeComplexFile(contents(), file); }

std::function<void()> ComplexWindow::readWorksheetFile(WorksheetReader& file) {
  const ComplexContents read = readComplexFile(file);
  return [this, read] { restore(read); };
}

// The fields first, one by one, so their change handlers run for the task
// selected now; then the file's results replace whatever those runs wrote.
void ComplexWindow::restore(const ComplexContents& file) {
  for (std::size_t i = 0; i < inputs_.size(); ++i) inputs_[i]->setText(file.inputs[i]);
  for (std::size_t i = 0; i < results_.size(); ++i) results_[i]->setText(file.results[i]);
  clearRoots();
  const bool complete = lstResults_->setRows(file.roots);
  lastRunFailed_ = false;  // what shows now is the file's
  for (QLabel* result : results_) style::setStale(result, false);
  if (complete) {
    clearFailure();
  } else {
    showFailure(
        QStringLiteral("The list is full: it shows the first %1 roots").arg(ComplexSolver::kMaxRoots));
  }
}

namespace {

constexpr std::int32_t kRootsTask = 9;

Target resultOf(std::int32_t task) {
  constexpr Target kResults[] = {Target::Sum,  Target::Difference, Target::Product, Target::Quotient,
                                 Target::YtoX, Target::Exp,        Target::Log,     Target::Polar,
                                 Target::XtoN, Target::XtoN};
  return kResults[std::clamp(task, 0, 9)];
}

}  // namespace

// The plane from what the window shows: x and y as typed, the result as its
// label reads, the roots as the list holds them.
std::optional<figure::Figure> ComplexWindow::currentFigure() const {
  if (lastRunFailed_) return std::nullopt;
  ShownComplex shown;
  shown.task = solver_.Task;
  shown.x = QPointF(solver_.a, solver_.b);
  if (groupOf(solver_.Task) == TaskGroup::TwoNumber) shown.y = QPointF(solver_.c, solver_.d);
  const Target target = resultOf(solver_.Task);
  shown.resultText = label(target)->text();
  shown.result = target == Target::Polar ? std::optional<QPointF>(shown.x) : pointOfText(shown.resultText);
  if (roots_.count > 0) {
    shown.roots.reserve(roots_.count);
    for (int k = 0; k < roots_.count; ++k) shown.roots.append(QPointF(roots_.re(k), roots_.im(k)));
  } else if (solver_.Task == kRootsTask) {
    for (const QString& row : lstResults_->rows()) {  // rows read from a file
      if (const std::optional<QPointF> root = pointOfText(row)) shown.roots.append(*root);
    }
  }
  shown.firstRootText = lstResults_->row(0);
  if (shown.resultText.isEmpty()) shown.result.reset();
  figure::Figure figure = complexFigure(shown);
  figure.title = QStringLiteral("Complex numbers, task ") + taskCaption(solver_.Task);
  return figure;
}

// A field that cannot be read stops the working where its value is needed.
std::optional<working::Working> ComplexWindow::currentWorking() const {
  return ComplexWorking(solver_, unreadableFieldName());
}

QString ComplexWindow::printedCase() const { return style::checkedCaption(tasks_); }

QStringList ComplexWindow::printedLines() const { return complexPrintedLines(contents(), solver_.Task); }

}  // namespace veltrano::complex
