#pragma once

#include <cstdint>

#include "bases/base_converter.h"
#include "common/shown_row.h"
#include "common/worksheet_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace veltrano {
class ResultList;
}

namespace veltrano::bases {

class RowWidthDelegate;

// The "Base Conversion" worksheet window, frmBases: a base, a number, and a
// list that collects one result line per conversion.
class BasesWindow : public WorksheetWindow {
  Q_OBJECT

 public:
  explicit BasesWindow(QWidget* parent = nullptr);

  // The base as the base field last set it: 0 until the focus first leaves
  // the field, and the refused value after a refusal.
  std::int32_t base() const { return base_; }

 protected:
  bool hasContentToWrite() const override;
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
  std::optional<working::Working> currentWorking() const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void convert();
  void appendResult(const QString& line);
  bool validateBase();
  bool baseFieldLeaving(const QFocusEvent& event) const;
  void baseFieldFocusOut(const QFocusEvent& event);
  bool numberFieldKey(const QKeyEvent& event);

  BaseConverter converter_;
  std::int32_t base_ = 0;
  QLineEdit* txtBase_ = nullptr;
  QLabel* lblPrecede_ = nullptr;
  QLineEdit* txtNumber_ = nullptr;
  QPushButton* cmdConvert_ = nullptr;
  ResultList* lstResults_ = nullptr;
  RowWidthDelegate* rowWidths_ = nullptr;
  std::optional<ShownRow> shownRow_;  // the row whose working is shown
};

}  // namespace veltrano::bases
