#include "bases/bases_window.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <functional>

#include "bases/base_working.h"
#include "bases/bases_file.h"
#include "bases/row_width_delegate.h"
#include "common/accessibility.h"
#include "common/event_guard.h"
#include "common/numeric_text.h"
#include "common/platform.h"
#include "common/real.h"
#include "common/result_list.h"
#include "common/runtime_error.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"

namespace veltrano::bases {

namespace {
FrameSettings frameSettings() {
  return {.objectName = QStringLiteral("frmBases"),
          .caption = QStringLiteral("Base Conversion"),
          .helpFile = QStringLiteral("\\bases.chm")};
}

const QString kLabelFont = QStringLiteral("MS Sans Serif");
const QString kFieldFont = QStringLiteral("Verdana");
constexpr double kPointSize = 8.25;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, QRect place) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setFont(style::font(kLabelFont, kPointSize, true));
  label->setGeometry(place);
  return label;
}

QLineEdit* makeField(QWidget* parent, const QString& name, const QString& text, const QString& tip,
                     QRect place) {
  auto* field = new QLineEdit(text, parent);
  style::takeWholeTexts(field);
  field->setObjectName(name);
  field->setToolTip(tip);
  field->setFont(style::font(kFieldFont, kPointSize));
  style::setInput(field, true);
  field->setGeometry(place);
  return field;
}

bool isEnter(const QKeyEvent& event) { return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter; }

// Refuses, whole, an edit that would make the text longer than the number
// texts the converter reads, rather than cut off what was pasted.
class LengthLimit : public QValidator {
 public:
  LengthLimit(qsizetype limit, std::function<void(qsizetype)> refused, QObject* parent)
      : QValidator(parent), limit_(limit), refused_(std::move(refused)) {}

  State validate(QString& text, int&) const override {
    if (text.size() <= limit_) return Acceptable;
    refused_(text.size());
    return Invalid;
  }

 private:
  qsizetype limit_;
  std::function<void(qsizetype)> refused_;
};

// What a screen reader says for each control.
constexpr accessibility::SpokenName kSpokenNames[] = {
    {"txtBase", "Enter BASE"},
    {"txtNumber", "Enter NUMBER"},
    {"cmdConvert", "Convert"},
    {"lstResults", "Conversions"},
};

const QString kBaseRange = QStringLiteral("The base must be a whole number from 2 to 36");
}  // namespace

BasesWindow::BasesWindow(QWidget* parent) : WorksheetWindow(frameSettings(), parent) {
  buildControls();
  accessibility::nameControls(this, kSpokenNames);
  // The focus starts in the base field with its text selected; it reaches the
  // other controls only through the base field's check.
  txtBase_->setFocus(Qt::OtherFocusReason);
  txtBase_->selectAll();
}

void BasesWindow::buildControls() {
  QWidget* area = clientArea();
  style::setBackground(area, style::Cyan);

  makeLabel(area, QStringLiteral("lblBase"), QStringLiteral("Enter BASE:"), {8, 12, 112, 20});
  txtBase_ = makeField(area, QStringLiteral("txtBase"), QStringLiteral("16"),
                       QStringLiteral("Enter BASE here"), {124, 10, 72, 24});
  lblPrecede_ = makeLabel(area, QStringLiteral("lblPrecede"), QString(), {124, 38, 500, 18});
  makeLabel(area, QStringLiteral("Label1"), QStringLiteral("Enter NUMBER:"), {8, 64, 112, 20});
  txtNumber_ = makeField(area, QStringLiteral("txtNumber"), QStringLiteral("Enter number here"),
                         QStringLiteral("Enter number to be converted here"), {124, 62, 396, 24});
  txtNumber_->setValidator(new LengthLimit(
      BaseConverter::kMaxTextLength,
      [this](qsizetype length) {
        setNote(
            txtNumber_->objectName(),
            QStringLiteral("Not taken: a number can have at most %1 characters, and this one would have %2")
                .arg(BaseConverter::kMaxTextLength)
                .arg(length));
      },
      txtNumber_));
  connect(txtNumber_, &QLineEdit::textEdited, this, [this] { clearNote(txtNumber_->objectName()); });

  cmdConvert_ = new QPushButton(QStringLiteral("Convert"), area);
  cmdConvert_->setObjectName(QStringLiteral("cmdConvert"));
  cmdConvert_->setFont(style::font(kLabelFont, kPointSize, true));
  style::makeOrange(cmdConvert_);
  cmdConvert_->setGeometry(532, 60, 92, 28);

  lstResults_ = new ResultList(area);
  lstResults_->setObjectName(QStringLiteral("lstResults"));
  lstResults_->setFont(style::font(kFieldFont, kPointSize));
  style::setBackground(lstResults_, style::Yellow);
  // A line can run to a thousand digits: it is scrolled sideways, not cut off.
  rowWidths_ = new RowWidthDelegate(lstResults_);
  lstResults_->setItemDelegate(rowWidths_);
  lstResults_->setTextElideMode(Qt::ElideNone);
  lstResults_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  lstResults_->setGeometry(0, 98, style::kWorksheetWidth, style::kWorksheetHeight - 98);

  setTabOrder(txtBase_, txtNumber_);
  setTabOrder(txtNumber_, cmdConvert_);
  setTabOrder(cmdConvert_, lstResults_);

  txtBase_->installEventFilter(this);
  txtNumber_->installEventFilter(this);
  connect(cmdConvert_, &QPushButton::clicked, this, guarded([this] { convert(); }));
  shownRow_.emplace(lstResults_, ShownRow::Newest::Bottom, [this] { shownValuesMayHaveChanged(); });
}

bool BasesWindow::eventFilter(QObject* watched, QEvent* event) {
  bool consumed = false;
  runGuarded([&] {
    const QEvent::Type type = event->type();
    if (watched == txtBase_ && type == QEvent::FocusIn) {
      txtBase_->selectAll();
    } else if (watched == txtBase_ && type == QEvent::FocusOut) {
      baseFieldFocusOut(static_cast<const QFocusEvent&>(*event));
    } else if (watched == txtNumber_ && type == QEvent::FocusIn) {
      txtNumber_->selectAll();
    } else if (watched == txtNumber_ && type == QEvent::KeyPress) {
      consumed = numberFieldKey(static_cast<const QKeyEvent&>(*event));
    }
  });
  return consumed || WorksheetWindow::eventFilter(watched, event);
}

// The focus goes to another control of this window: the base is checked
// then. Opening a menu or switching to another window is no such move.
bool BasesWindow::baseFieldLeaving(const QFocusEvent& event) const {
  switch (event.reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason: break;
    default: return false;
  }
  QWidget* next = QApplication::focusWidget();
  return next != nullptr && next != txtBase_ && isAncestorOf(next);
}

void BasesWindow::baseFieldFocusOut(const QFocusEvent& event) {
  if (!baseFieldLeaving(event)) return;
  if (!validateBase()) {
    // The focus stays in the base field, and the status area says why.
    txtBase_->setFocus(Qt::OtherFocusReason);
    return;
  }
  lblPrecede_->setText(QStringLiteral("Precede BASE ") + txtBase_->text() +
                       QStringLiteral(" numbers with #"));
}

bool BasesWindow::validateBase() {
  try {
    base_ = ToLong(TextToNumber(txtBase_->text()));
  } catch (const RuntimeError& e) {
    if (e.number() != ErrorNumber::Overflow) throw;
    base_ = 0;  // beyond 32 bits: no base at all
  }
  const bool valid = BaseConverter::isValidBase(base_);
  setNote(txtBase_->objectName(), valid ? QString() : kBaseRange);
  return valid;
}

bool BasesWindow::numberFieldKey(const QKeyEvent& event) {
  if (!isEnter(event)) return false;
  txtNumber_->selectAll();
  cmdConvert_->click();
  return true;
}

void BasesWindow::convert() {
  // A click on the button whose focus move the base field refused.
  if (!BaseConverter::isValidBase(base_)) {
    setNote(txtBase_->objectName(), kBaseRange);
    txtBase_->setFocus(Qt::OtherFocusReason);
    return;
  }
  const QString text = txtNumber_->text().toUpper();
  if (text != txtNumber_->text()) txtNumber_->setText(text);
  const std::optional<QString> line = converter_.convert(text, base_);
  if (line) {
    appendResult(*line);
  } else {
    platform().messages->show(
        this, {QStringLiteral("Veltrano"), QStringLiteral("Illegal Number"), MessageButtons::Ok, true});
    // The box has no room for the reason; the status line keeps it until the next edit.
    setNote(txtNumber_->objectName(), converter_.illegalReason(text, base_));
  }
  txtNumber_->setFocus(Qt::OtherFocusReason);
  txtNumber_->selectAll();
}

void BasesWindow::appendResult(const QString& line) {
  if (!lstResults_->append(line)) {
    showFailure(QStringLiteral("The list is full: the result was not added"));
    return;
  }
  markChanged();
  clearFailure();
  rowWidths_->fit(line, lstResults_->fontMetrics());
  lstResults_->scrollToBottom();
  shownRow_->followNewest();
}

bool BasesWindow::hasContentToWrite() const { return lstResults_->count() > 0; }

void BasesWindow::writeWorksheetFile(WorksheetWriter& file) const {
  file.numberLine(lstResults_->count());
  const QStringList lines = lstResults_->rows();
  for (const QString& line : lines) file.textLine(line);
}

std::function<void()> BasesWindow::readWorksheetFile(WorksheetReader& file) {
  // More lines than the list can hold would be lost on the way in.
  const QStringList lines = readBasesFile(file);
  return [this, lines] {
    lstResults_->setRows(lines);
    rowWidths_->refit(lines, lstResults_->fontMetrics());
    clearFailure();
    shownRow_->followNewest();
  };
}

QStringList BasesWindow::printedLines() const { return lstResults_->rows(); }

std::optional<working::Working> BasesWindow::currentWorking() const {
  const std::optional<QString> row = shownRow_->text();
  if (!row) return std::nullopt;
  return BaseWorkingForRow(converter_, *row);
}

}  // namespace veltrano::bases
