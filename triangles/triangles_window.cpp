#include "triangles/triangles_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

#include "common/accessibility.h"
#include "common/dimension.h"
#include "common/event_guard.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"
#include "triangles/triangle_figure.h"
#include "triangles/triangle_working.h"
#include "triangles/triangles_file.h"

namespace veltrano::triangles {

namespace {

FrameSettings frameSettings() {
  return {.objectName = QStringLiteral("frmTriangles"),
          .caption = QStringLiteral("Triangles"),
          .helpFile = QStringLiteral("\\Triangle.chm"),
          .saveAsCaption = QStringLiteral("SaveAs"),
          .printsInCourier = true,
          .hasFigure = true};
}

constexpr double kPoints = 8.25;

QFont courierBold() { return style::font(QStringLiteral("Courier New"), kPoints, true); }
QFont sansBold() { return style::font(QStringLiteral("MS Sans Serif"), kPoints, true); }
QFont sansRegular() { return style::font(QStringLiteral("MS Sans Serif"), kPoints, false); }

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, const QFont& font) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(font);
  style::setBackground(label, QApplication::palette().color(QPalette::ToolTipBase));
  return label;
}

struct FieldPlace {
  Part part;
  const char* fieldName;
  const char* labelName;
  const char* caption;
  const char* initialText;
  QRect labelRect;
  QRect fieldRect;
};

// Sides in the left column, each angle beside its opposite side, the area
// centred below both.
const FieldPlace kFieldPlaces[kPartCount] = {
    {Part::SideA, "txtSidea", "Label4", " a = ", "1", {70, 224, 50, 24}, {124, 224, 170, 24}},
    {Part::SideB, "txtSideb", "Label5", "b = ", "1", {70, 266, 50, 24}, {124, 266, 170, 24}},
    {Part::SideC, "txtSidec", "Label6", " c = ", "1", {70, 308, 50, 24}, {124, 308, 170, 24}},
    {Part::AngleA, "txtAn", "Label7", " A = ", "60", {358, 224, 50, 24}, {412, 224, 170, 24}},
    {Part::AngleB, "txtBn", "Label8", " B = ", "60", {358, 266, 50, 24}, {412, 266, 170, 24}},
    {Part::AngleC, "txtCn", "Label9", " C = ", "60", {358, 308, 50, 24}, {412, 308, 170, 24}},
    {Part::Area, "txtArea", "Label10", " Area = ", "1", {180, 364, 76, 24}, {260, 364, 190, 24}},
};

// What a screen reader says for each control: symbols spelled out.
constexpr accessibility::SpokenName kSpokenNames[] = {
    {"txtSidea", "side a"},        {"txtSideb", "side b"},
    {"txtSidec", "side c"},        {"txtAn", "angle A, degrees"},
    {"txtBn", "angle B, degrees"}, {"txtCn", "angle C, degrees"},
    {"txtArea", "Area"},           {"Frame1", "Solve a triangle given"},
};

const char* const kCaseCaptions[] = {"a,b,c (SSS)", "a,b,A (SSA)", "a,b,C (SAS)", "a,B,C (ASA)",
                                     "a,A,C (SAA)"};

// Printed labels: seven characters each, so the values line up in Courier.
const char* const kPrintLabels[kPartCount] = {
    "   a = ", "   b = ", "   c = ", "   A = ", "   B = ", "   C = ", "Area = "};

bool isAngle(Part part) { return part == Part::AngleA || part == Part::AngleB || part == Part::AngleC; }

}  // namespace

TrianglesWindow::TrianglesWindow(QWidget* parent) : WorksheetWindow(frameSettings(), parent) {
  clientArea()->setFont(style::font(QStringLiteral("Courier New"), kPoints));
  style::setBackground(clientArea(), style::Cyan);
  buildCaptions();
  buildCaseFrame();
  buildFields();
  buildTabOrder();
  accessibility::nameControls(this, kSpokenNames);
  loadVariables();
  connectHandlers();
  field(Part::SideA)->setFocus();
}

void TrianglesWindow::buildCaptions() {
  QWidget* area = clientArea();
  makeLabel(area, "Label1", QStringLiteral("By convention call:         "), courierBold())->move(16, 16);
  makeLabel(area, "Label2", QStringLiteral("Sides: a, b, c "), courierBold())->move(16, 44);
  makeLabel(area, "Label3", QStringLiteral("Corresponding opposite angles: A, B, C "), courierBold())
      ->move(16, 72);
  QLabel* units = makeLabel(
      area, "Label11", QStringLiteral("Angles should be entered in degrees. Results are given in degrees."),
      sansBold());
  units->setAlignment(Qt::AlignCenter);
  units->setGeometry(16, 184, style::kWorksheetWidth - 32, 22);
}

void TrianglesWindow::buildCaseFrame() {
  auto* frame = new QGroupBox(QStringLiteral("Solve a triangle given:"), clientArea());
  frame->setObjectName(QStringLiteral("Frame1"));
  frame->setFont(sansBold());
  style::setBackground(frame, style::Cyan);
  frame->setGeometry(392, 8, 224, 166);
  for (int i = 0; i < 5; ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(kCaseCaptions[i]), frame);
    button->setObjectName(QStringLiteral("OptTask"));
    button->setProperty("index", i);
    button->setFont(sansBold());
    style::setBackground(button, style::Green);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Base, Qt::white);  // the indicator stays white on green
    button->setPalette(palette);
    button->setGeometry(16, 26 + 27 * i, 192, 22);
    caseButtons_.append(button);
  }
  caseButtons_.first()->setChecked(true);
}

void TrianglesWindow::buildFields() {
  for (const FieldPlace& place : kFieldPlaces) {
    QLabel* label = makeLabel(clientArea(), place.labelName, QString::fromLatin1(place.caption), sansBold());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(place.labelRect);
    auto* edit = new QLineEdit(QString::fromLatin1(place.initialText), clientArea());
    style::takeWholeTexts(edit);
    edit->setObjectName(QString::fromLatin1(place.fieldName));
    edit->setFont(sansRegular());
    edit->setGeometry(place.fieldRect);
    label->setBuddy(edit);
    fields_[static_cast<int>(place.part)] = edit;
  }
  for (Part part : {Part::SideA, Part::SideB, Part::SideC}) style::setInput(field(part), true);
  for (Part part : {Part::AngleA, Part::AngleB, Part::AngleC, Part::Area})
    style::setInput(field(part), false);
}

void TrianglesWindow::buildTabOrder() {
  QList<QWidget*> order(fields_.begin(), fields_.end());
  for (QRadioButton* button : caseButtons_) order.append(button);
  for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

// The window's load: the shared constants, the variables from the initial
// texts, and the area of the initial triangle written directly.
void TrianglesWindow::loadVariables() {
  Dimension::SetConstants();
  for (int i = 0; i < kSidesAndAngles; ++i) {
    const auto part = static_cast<Part>(i);
    const Real value = TextToNumber(text(part));
    variable(part) = isAngle(part) ? DegreesToRadians(value) : value;
  }
  field(Part::Area)->setText(NumberToText(std::sqrt(0.75) / 2));
  vars_.Task = SSS;
}

void TrianglesWindow::connectHandlers() {
  for (int i = 0; i < kSidesAndAngles; ++i) {
    const auto part = static_cast<Part>(i);
    const QString name = QString::fromLatin1(kFieldPlaces[i].caption).remove(u'=').trimmed();
    onFieldChanged(field(part), name, [this, part] { storeAndSolve(part); });
  }
  for (QRadioButton* button : caseButtons_) {
    const int index = button->property("index").toInt();
    connect(button, &QRadioButton::toggled, this, guarded([this, index](bool checked) {
              if (checked) chooseCase(index);
            }));
  }
}

QString TrianglesWindow::text(Part part) const { return field(part)->text(); }

Real& TrianglesWindow::variable(Part part) {
  switch (part) {
    case Part::SideA: return vars_.SideA;
    case Part::SideB: return vars_.SideB;
    case Part::SideC: return vars_.SideC;
    case Part::AngleA: return vars_.AngleA;
    case Part::AngleB: return vars_.AngleB;
    case Part::AngleC: return vars_.AngleC;
    case Part::Area: break;
  }
  veltrano::raise(ErrorNumber::SubscriptOutOfRange);
}

// Only locks and colours change; the shown numbers stay until the next edit.
void TrianglesWindow::chooseCase(std::int32_t task) {
  vars_.Task = task;
  const QList<Part> results = resultParts(task);
  for (int i = 0; i < kSidesAndAngles; ++i)
    style::setLocked(fields_[i], results.contains(static_cast<Part>(i)));
  for (int i = 0; i < kSidesAndAngles; ++i) {
    style::setBackground(fields_[i], results.contains(static_cast<Part>(i)) ? style::Yellow : style::Green);
  }
}

// A text too large to read leaves the part as it was; the frame greys the results.
void TrianglesWindow::storeAndSolve(Part part) {
  const Real value = TextToNumber(text(part));
  variable(part) = isAngle(part) ? DegreesToRadians(value) : value;
  solve();
}

void TrianglesWindow::solve() {
  const SolveOutcome outcome =
      SolveTriangle(vars_, [this](Part part, const QString& shown) { field(part)->setText(shown); });
  showOutcome(outcome);
}

// Nested solves finish first, so the outermost solve sets the final marks.
void TrianglesWindow::showOutcome(const SolveOutcome& outcome) {
  const QList<Part> results = resultParts(vars_.Task);
  for (int i = 0; i < kPartCount; ++i) {
    const auto part = static_cast<Part>(i);
    style::setStale(field(part), results.contains(part) && !outcome.written.contains(part));
  }
  if (outcome.why.isEmpty()) {
    clearFailure();
  } else {
    showFailure(outcome.why);
  }
  setNote(QStringLiteral("impossibleParts"), outcome.note);
  lastSolveStopped_ = outcome.stopped;
  const std::optional<SecondTriangle> second = outcome.stopped ? std::nullopt : secondTriangle(vars_);
  // News, not a warning: what a typed part was read as goes before it.
  setNoteBehind(QStringLiteral("secondTriangle"), second ? secondTriangleNote(*second) : QString());
}

// The parts as the fields show them; the second triangle of the ambiguous
// case beside them.
std::optional<figure::Figure> TrianglesWindow::currentFigure() const {
  if (lastSolveStopped_) return std::nullopt;
  ShownTriangle shown{{vars_.SideA.value(), vars_.SideB.value(), vars_.SideC.value(), vars_.AngleA.value(),
                       vars_.AngleB.value(), vars_.AngleC.value()},
                      {text(Part::SideA), text(Part::SideB), text(Part::SideC), text(Part::AngleA),
                       text(Part::AngleB), text(Part::AngleC)}};
  figure::Figure figure = triangleFigure(shown, secondTriangle(vars_));
  figure.title =
      QStringLiteral("Triangle, case ") + QString::fromLatin1(kCaseCaptions[std::clamp(vars_.Task, 0, 4)]);
  return figure;
}

std::optional<working::Working> TrianglesWindow::currentWorking() const { return triangleWorking(vars_); }

void TrianglesWindow::markResultsStale() {
  for (Part part : resultParts(vars_.Task)) style::setStale(field(part), true);
}

void TrianglesWindow::writeWorksheetFile(WorksheetWriter& file) const {
  for (QLineEdit* edit : fields_) file.textLine(edit->text());
}

std::function<void()> TrianglesWindow::readWorksheetFile(WorksheetReader& file) {
  const QStringList texts = readTrianglesFile(file);
  return [this, texts] { putIntoFields(texts); };
}

// Each part field is overwritten in turn and so solves as if typed; the area
// comes last and keeps the file's text whatever the solves found.
void TrianglesWindow::putIntoFields(const QStringList& texts) {
  for (int i = 0; i < kSidesAndAngles; ++i) fields_[i]->setText(texts[i]);
  QLineEdit* area = field(Part::Area);
  if (area->text() == texts[kSidesAndAngles]) return;
  area->setText(texts[kSidesAndAngles]);
  if (!style::isStale(area)) {
    style::setStale(area, true);
    showFailure(QStringLiteral("The area is the one read from the file, not computed"));
  }
}

QString TrianglesWindow::printedCase() const { return style::checkedCaption(caseButtons_); }

QStringList TrianglesWindow::printedLines() const {
  QStringList lines;
  for (int i = 0; i < kPartCount; ++i)
    lines.append(QString::fromLatin1(kPrintLabels[i]) + fields_[i]->text());
  return lines;
}

}  // namespace veltrano::triangles
