#pragma once

#include "common/shown_row.h"
#include "common/worksheet_window.h"
#include "factors/factoriser.h"
#include "factors/prime_table.h"

class QPushButton;

namespace veltrano {
class ResultList;
}

namespace veltrano::factors {

class NumberField;

// The "Prime Factors" worksheet window, frmFactors: a number field, the
// "Factor" button and the list of result rows, newest first. Opening the
// window reads the prime table; a missing or damaged table raises a
// run-time error and the window is not created.
class FactorsWindow : public WorksheetWindow {
  Q_OBJECT

 public:
  explicit FactorsWindow(QWidget* parent = nullptr);

  // Factorises the number in the field and puts its row at the top of the
  // list, as the "Factor" button and the Enter key do.
  void factorise();

 protected:
  bool hasContentToWrite() const override;
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
  std::optional<working::Working> currentWorking() const override;

 private:
  void buildControls();
  void connectNotes();
  void addRow(const QString& row);
  void focusNumber();

  PrimeTable table_;
  Factoriser factoriser_;
  NumberField* txtNumber_ = nullptr;
  QPushButton* cmdFactor_ = nullptr;
  ResultList* lstFactors_ = nullptr;
  std::optional<ShownRow> shownRow_;  // the row whose working is shown
};

}  // namespace veltrano::factors
