#pragma once

#include <QList>
#include <array>

#include "common/worksheet_window.h"
#include "complex/complex_file.h"
#include "complex/complex_solver.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace veltrano {
class ResultList;
}

namespace veltrano::complex {

// The "Complex Numbers" worksheet window, frmComplex.
class ComplexWindow : public WorksheetWindow, private ComplexSheet {
  Q_OBJECT

 public:
  explicit ComplexWindow(QWidget* parent = nullptr);

 protected:
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
  QString printedCase() const override;
  std::optional<figure::Figure> currentFigure() const override;
  std::optional<working::Working> currentWorking() const override;
  void markResultsStale() override;

 private:
  enum Input { A, B, C, D, N };

  void buildHeader(QWidget* area);
  void buildTaskFrame(QWidget* area);
  void buildInputFrames(QWidget* area);
  void buildResults(QWidget* area);
  void setTabOrder();
  void connectHandlers();

  void selectTask(int index);
  void inputChanged(Input input);
  void solve();
  void markStale(const QList<Target>& targets, bool stale);
  void emptyResult(Target target);
  ComplexContents contents() const;
  void restore(const ComplexContents& file);

  // ComplexSheet: where the solver writes.
  QString result(Target target) const override;
  void setResult(Target target, const QString& text) override;
  void clearRoots() override;
  void setRoots(const RootSeries& roots) override;
  void focusExponent() override;

  QLabel* label(Target target) const { return results_[static_cast<std::size_t>(target)]; }

  ComplexSolver solver_;
  QList<QRadioButton*> tasks_;
  QGroupBox* fraX_ = nullptr;
  QGroupBox* fraY_ = nullptr;
  QGroupBox* fraN_ = nullptr;
  std::array<QLineEdit*, 5> inputs_{};
  std::array<QLabel*, kTargetCount> results_{};
  ResultList* lstResults_ = nullptr;
  RootSeries roots_;  // the listed roots while a run wrote them, not a file
  bool lastRunFailed_ = false;
};

}  // namespace veltrano::complex
