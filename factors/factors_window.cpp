#include "factors/factors_window.h"

#include <QDir>
#include <QPushButton>

#include "common/accessibility.h"
#include "common/event_guard.h"
#include "common/input_notes.h"
#include "common/numeric_text.h"
#include "common/platform.h"
#include "common/result_list.h"
#include "common/runtime_error.h"
#include "common/ui_style.h"
#include "common/worksheet_file.h"
#include "factors/factor_working.h"
#include "factors/factors_file.h"
#include "factors/number_field.h"

namespace veltrano::factors {

namespace {
FrameSettings frameSettings() {
  return {.objectName = QStringLiteral("frmFactors"),
          .caption = QStringLiteral("Prime Factors"),
          .helpFile = QStringLiteral("\\Factors.chm")};
}

// What a screen reader says for each control.
constexpr accessibility::SpokenName kSpokenNames[] = {
    {"txtNumber", "Enter number to be factored"},
    {"cmdFactor", "Factor"},
    {"lstFactors", "Prime factors"},
};

// A table in the current folder that will not do is told before the
// program's own table takes its place.
void tellRefusedTable(const RuntimeError& why) {
  const QString ownFolder = QDir::toNativeSeparators(QDir(platform().programFolder).absolutePath());
  platform().messages->show(
      nullptr, {QStringLiteral("Veltrano"),
                why.message() + QStringLiteral("\n\nThis prime table is not used; Veltrano reads its own "
                                               "table from the program's folder %1 instead.")
                                    .arg(ownFolder)});
}
}  // namespace

FactorsWindow::FactorsWindow(QWidget* parent)
    : WorksheetWindow(frameSettings(), parent),
      table_(PrimeTable::load(platform().programFolder, tellRefusedTable)),
      factoriser_(table_) {
  buildControls();
  accessibility::nameControls(this, kSpokenNames);
}

void FactorsWindow::buildControls() {
  using style::twips;
  QWidget* area = clientArea();
  style::setBackground(area, style::Cyan);

  txtNumber_ = new NumberField(QStringLiteral("Enter number here"), area);
  style::takeWholeTexts(txtNumber_);
  txtNumber_->setObjectName(QStringLiteral("txtNumber"));
  txtNumber_->setGeometry(0, 0, style::kWorksheetWidth, twips(315));
  txtNumber_->setToolTip(QStringLiteral("Enter number to be factored here"));
  txtNumber_->setFont(style::font(QStringLiteral("Verdana"), 8.25));
  style::setBackground(txtNumber_, style::Green);

  cmdFactor_ = new QPushButton(QStringLiteral("Factor"), area);
  cmdFactor_->setObjectName(QStringLiteral("cmdFactor"));
  cmdFactor_->setGeometry(0, twips(315), twips(1245), twips(255));
  cmdFactor_->setFont(style::font(QStringLiteral("MS Sans Serif"), 8.25, true));
  style::makeOrange(cmdFactor_);

  lstFactors_ = new ResultList(area);
  lstFactors_->setObjectName(QStringLiteral("lstFactors"));
  lstFactors_->setGeometry(0, twips(570), style::kWorksheetWidth, twips(5880));
  lstFactors_->setFont(style::font(QStringLiteral("Verdana"), 8.25));
  style::setBackground(lstFactors_, style::Yellow);

  setTabOrder(txtNumber_, cmdFactor_);
  setTabOrder(cmdFactor_, lstFactors_);
  txtNumber_->setFocus();

  connect(cmdFactor_, &QPushButton::clicked, this, guarded([this] { factorise(); }));
  connect(txtNumber_, &NumberField::enterPressed, cmdFactor_, guarded([this] { cmdFactor_->click(); }));
  connectNotes();
  shownRow_.emplace(lstFactors_, ShownRow::Newest::Top, [this] { shownValuesMayHaveChanged(); });
}

// Whatever the number field leaves out is said in the status area until the
// next factorisation: the digits typed after a discarded key do not hide it.
void FactorsWindow::connectNotes() {
  const QString key = txtNumber_->objectName();
  const QString digitsOnly = QStringLiteral("Only whole numbers from 1 to %1 can be factored")
                                 .arg(NumberToText(factoriser_.largest()));
  connect(txtNumber_, &NumberField::keyDiscarded, this,
          [this, key, digitsOnly] { setNote(key, digitsOnly + QStringLiteral(": digits only")); });
  connect(txtNumber_, &NumberField::insertRefused, this, [this, key, digitsOnly](const QString& text) {
    setNote(key, QuotedExcerpt(text) + QStringLiteral(" was refused: ") + digitsOnly.toLower() +
                     QStringLiteral(", digits only"));
  });
}

void FactorsWindow::factorise() {
  clearFailure();
  clearNote(txtNumber_->objectName());
  double number = 0.0;
  try {
    number = TextToNumber(txtNumber_->text());
  } catch (const RuntimeError& e) {
    if (e.number() != ErrorNumber::Overflow) throw;
    // Hundreds of digits cannot even be read as a number; say so plainly
    // rather than stop the user with an error box.
    showFailure(QStringLiteral("Number too large to read: no row added"));
    focusNumber();
    return;
  }
  addRow(factoriser_.rowFor(number));
  setNote(txtNumber_->objectName(), factoriser_.noteFor(number));
  focusNumber();
}

void FactorsWindow::addRow(const QString& row) {
  if (!lstFactors_->insertTop(row)) {
    // The list counts its rows in 16 bits. Rather than push out an old row,
    // the new one is shown here and the user can save the list.
    showFailure(QStringLiteral("List full (%1 rows), row not added: %2").arg(ResultList::kMaxRows).arg(row));
    return;
  }
  markChanged();
  lstFactors_->scrollToTop();
  shownRow_->followNewest();
}

void FactorsWindow::focusNumber() {
  txtNumber_->setFocus();
  txtNumber_->selectAll();
}

bool FactorsWindow::hasContentToWrite() const { return lstFactors_->count() > 0; }

void FactorsWindow::writeWorksheetFile(WorksheetWriter& file) const {
  file.numberLine(lstFactors_->count());
  for (const QString& row : lstFactors_->rows()) file.textLine(row);
}

std::function<void()> FactorsWindow::readWorksheetFile(WorksheetReader& file) {
  // No list can hold more; the rows beyond would be lost without a word.
  const QStringList rows = readFactorsFile(file);
  return [this, rows] {
    lstFactors_->setRows(rows);
    lstFactors_->scrollToTop();
    shownRow_->followNewest();
    clearFailure();
  };
}

QStringList FactorsWindow::printedLines() const { return lstFactors_->rows(); }

std::optional<working::Working> FactorsWindow::currentWorking() const {
  const std::optional<QString> row = shownRow_->text();
  if (!row) return std::nullopt;
  return FactorWorkingForRow(factoriser_, *row);
}

}  // namespace veltrano::factors
