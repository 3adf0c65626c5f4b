#include "circles/circles_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

#include "circles/circle_figure.h"
#include "circles/circle_working.h"
#include "circles/circles_file.h"
#include "common/accessibility.h"
#include "common/dimension.h"
#include "common/event_guard.h"
#include "common/math_constants.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"

namespace veltrano::circles {

namespace {

FrameSettings frameSettings() {
  return {.objectName = QStringLiteral("frmCircles"),
          .caption = QStringLiteral("Circles"),
          .helpFile = QStringLiteral("\\circles.chm"),
          .printsInCourier = true,
          .hasFigure = true};
}

constexpr double kFontSize = 8.25;

QFont labelFont() { return style::font(QStringLiteral("MS Sans Serif"), kFontSize, true); }
QFont fieldFont() { return style::font(QStringLiteral("MS Sans Serif"), kFontSize, false); }

struct FieldDesign {
  const char* labelName;
  const char* caption;
  const char* fieldName;
  const char* initialText;
  const char* printLabel;  // 16 characters, aligned on the equals sign
};

// In the order of the fields, the file and the printed page.
constexpr std::array<FieldDesign, kCircleFieldCount> kFieldDesigns{{
    {"Label4", "Radius = ", "txtRadius", "1", "       Radius = "},
    {"Label1", "Arc = ", "txtArc", "1", "          Arc = "},
    {"Label5", "Chord = ", "txtChord", ".9588510394096375", "        Chord = "},
    {"Label6", "Central angle = ", "txtCA", "57.29577357044914", "Central angle = "},
    {"Label2", "Sector area = ", "txtSector", ".5", "  Sector area = "},
    {"Label3", "Segment area = ", "txtSegment", "7.926452985896049D-02", " Segment area = "},
}};

// What a screen reader says for each control.
constexpr accessibility::SpokenName kSpokenNames[] = {
    {"txtRadius", "Radius"},
    {"txtArc", "Arc"},
    {"txtChord", "Chord"},
    {"txtCA", "Central angle, degrees"},
    {"txtSector", "Sector area"},
    {"txtSegment", "Segment area"},
    {"Frame1", "Radius, arc, chord and central angle problems"},
};

constexpr std::array<const char*, 6> kTaskCaptions{
    "Radius and arc",        "Radius and chord",        "Radius and central angle",
    "Arc and central angle", "Chord and central angle", "Arc and chord",
};

// Positions in pixels within the 632 x 434 client area.
constexpr int kMargin = 8;
constexpr int kFrameHeight = 184;
constexpr int kTaskTop = 46;
constexpr int kTaskStep = 22;
constexpr int kFieldTop = 226;
constexpr int kFieldStep = 34;
constexpr int kLabelWidth = 200;
constexpr int kFieldLeft = kMargin + kLabelWidth + 6;
constexpr int kFieldWidth = 280;
constexpr int kFieldHeight = 24;

}  // namespace

CirclesWindow::CirclesWindow(QWidget* parent) : WorksheetWindow(frameSettings(), parent), solver_(*this) {
  QWidget* client = clientArea();
  client->setFont(style::font(QStringLiteral("Courier New"), kFontSize));
  style::setBackground(client, style::Cyan);
  buildCaseFrame();
  buildFields();
  connectHandlers();
  accessibility::nameControls(this, kSpokenNames);

  // The load handler: the constants, then the variables from the design-time
  // texts, without solving; the texts stay as they stand.
  Dimension::SetConstants();
  CircleVariables& v = solver_.variables();
  v.Radius = TextToNumber(field(CircleField::Radius)->text());
  v.Arc = TextToNumber(field(CircleField::Arc)->text());
  v.Chord = TextToNumber(field(CircleField::Chord)->text());
  v.CentralAngle = Real(TextToNumber(field(CircleField::CentralAngle)->text())) * math::Pi / 180;
  field(CircleField::Radius)->setFocus();
}

void CirclesWindow::buildCaseFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Radius, arc, chord and central angle problems"), clientArea());
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setFont(labelFont());
  frame->setGeometry(kMargin, 4, style::kWorksheetWidth - 2 * kMargin, kFrameHeight);

  auto* prompt = new QLabel(QStringLiteral("Solve for the other two given the following two:"), frame);
  prompt->setObjectName(QStringLiteral("Label7"));
  prompt->setFont(labelFont());
  prompt->setGeometry(12, 22, frame->width() - 24, 18);

  for (int i = 0; i < static_cast<int>(kTaskCaptions.size()); ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(kTaskCaptions[static_cast<std::size_t>(i)]), frame);
    button->setObjectName(QStringLiteral("OptTask"));
    button->setProperty("index", i);
    button->setFont(labelFont());
    button->setGeometry(24, kTaskTop + i * kTaskStep, 300, 20);
    tasks_.append(button);
  }
  tasks_.first()->setChecked(true);

  auto* advice = new QLabel(
      QStringLiteral("Angles should be entered in degrees. Results are given in degrees."), clientArea());
  advice->setObjectName(QStringLiteral("Label11"));
  advice->setFont(labelFont());
  advice->setGeometry(kMargin, kFrameHeight + 14, style::kWorksheetWidth - 2 * kMargin, 18);
}

void CirclesWindow::buildFields() {
  for (int i = 0; i < kCircleFieldCount; ++i) {
    const FieldDesign& design = kFieldDesigns[static_cast<std::size_t>(i)];
    const int top = kFieldTop + i * kFieldStep;

    auto* label = new QLabel(QString::fromLatin1(design.caption), clientArea());
    label->setObjectName(QString::fromLatin1(design.labelName));
    label->setFont(labelFont());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(kMargin, top, kLabelWidth, kFieldHeight);

    auto* text = new QLineEdit(QString::fromLatin1(design.initialText), clientArea());
    style::takeWholeTexts(text);
    text->setObjectName(QString::fromLatin1(design.fieldName));
    text->setFont(fieldFont());
    text->setGeometry(kFieldLeft, top, kFieldWidth, kFieldHeight);
    text->setCursorPosition(0);
    style::setInput(text, isInputOf(RadiusAndArc, static_cast<CircleField>(i)));
    label->setBuddy(text);
    fields_[static_cast<std::size_t>(i)] = text;
  }
  QWidget* previous = fields_.front();
  for (QWidget* next : fields_) {
    if (next != previous) setTabOrder(previous, next);
    previous = next;
  }
  for (QRadioButton* button : tasks_) {
    setTabOrder(previous, button);
    previous = button;
  }
}

void CirclesWindow::connectHandlers() {
  CircleVariables& v = solver_.variables();
  const auto watch = [this](CircleField which, std::function<void()> handler) {
    const QString caption = QString::fromLatin1(kFieldDesigns[static_cast<std::size_t>(which)].caption);
    onFieldChanged(field(which), caption.chopped(3), std::move(handler));
  };
  watch(CircleField::Radius, [this, &v] { store(v.Radius, field(CircleField::Radius)); });
  watch(CircleField::Arc, [this, &v] { store(v.Arc, field(CircleField::Arc)); });
  watch(CircleField::Chord, [this, &v] { store(v.Chord, field(CircleField::Chord)); });
  watch(CircleField::CentralAngle,
        [this, &v] { store(v.CentralAngle, field(CircleField::CentralAngle), math::Pi, 180); });
  for (QRadioButton* button : tasks_) {
    connect(button, &QRadioButton::toggled, this, guarded([this, button](bool checked) {
              if (checked) selectTask(button->property("index").toInt());
            }));
  }
}

// A text too large to read leaves the variable as it was; the frame greys the results.
void CirclesWindow::store(Real& variable, QLineEdit* source, Real scale, Real divisor) {
  variable = Real(TextToNumber(source->text())) * scale / divisor;
  solver_.SolveCircle();
}

void CirclesWindow::markResultsStale() {
  for (int i = 0; i < kCircleFieldCount; ++i) {
    const auto which = static_cast<CircleField>(i);
    if (!isInputOf(solver_.variables().Task, which)) style::setStale(field(which), true);
  }
}

void CirclesWindow::selectTask(int index) {
  solver_.variables().Task = index;
  constexpr std::array<CircleField, 4> quantities{CircleField::Radius, CircleField::Arc, CircleField::Chord,
                                                  CircleField::CentralAngle};
  for (CircleField which : quantities) style::setLocked(field(which), !isInputOf(index, which));
  for (CircleField which : quantities) {
    const bool input = isInputOf(index, which);
    style::setBackground(field(which), input ? style::Green : style::Yellow);
    // What the user types is never stale; results keep their marks.
    if (input) style::setStale(field(which), false);
  }
}

void CirclesWindow::writeField(CircleField which, const QString& text) { field(which)->setText(text); }

void CirclesWindow::setBusy(bool busy) {
  if (busy) {
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

void CirclesWindow::solveEnded(const SolveOutcome& outcome) {
  // Quantities no circle has draw none: the figure greys with the note.
  lastSolveFailed_ = !outcome.failure.isEmpty() || !outcome.impossibleInput.isEmpty();
  if (outcome.failure.isEmpty()) {
    clearFailure();
  } else {
    showFailure(outcome.failure);
  }
  setNote(QStringLiteral("impossibleInput"), outcome.impossibleInput);
  for (int i = 0; i < kCircleFieldCount; ++i) {
    style::setStale(fields_[static_cast<std::size_t>(i)], outcome.stale[static_cast<std::size_t>(i)]);
  }
}

std::optional<figure::Figure> CirclesWindow::currentFigure() const {
  if (lastSolveFailed_) return std::nullopt;
  const CircleVariables& v = solver_.variables();
  ShownCircle shown{v.Radius.value(), v.Arc.value(), v.Chord.value(), v.CentralAngle.value(), {}};
  for (int i = 0; i < kCircleFieldCount; ++i)
    shown.texts[static_cast<std::size_t>(i)] = fields_[static_cast<std::size_t>(i)]->text();
  figure::Figure figure = circleFigure(shown);
  figure.title = QStringLiteral("Circle, case ") +
                 QString::fromLatin1(kTaskCaptions[static_cast<std::size_t>(std::clamp(v.Task, 0, 5))]);
  return figure;
}

std::optional<working::Working> CirclesWindow::currentWorking() const {
  return circleWorking(solver_.variables());
}

void CirclesWindow::writeWorksheetFile(WorksheetWriter& file) const {
  for (const QLineEdit* text : fields_) file.textLine(text->text());
}

std::function<void()> CirclesWindow::readWorksheetFile(WorksheetReader& file) {
  const QStringList texts = readCirclesFile(file);
  // Each quantity written raises its change handler and solves the case that
  // is selected; the areas come last and keep the file's texts.
  return [this, texts] {
    for (int i = 0; i < kCircleFieldCount; ++i) fields_[static_cast<std::size_t>(i)]->setText(texts[i]);
  };
}

QString CirclesWindow::printedCase() const { return style::checkedCaption(tasks_); }

QStringList CirclesWindow::printedLines() const {
  QStringList lines;
  for (int i = 0; i < kCircleFieldCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    lines.append(QString::fromLatin1(kFieldDesigns[index].printLabel) + fields_[index]->text());
  }
  return lines;
}

}  // namespace veltrano::circles
