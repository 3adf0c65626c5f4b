#pragma once

#include <QList>
#include <array>

#include "circles/circle_solver.h"
#include "common/worksheet_window.h"

class QLineEdit;
class QRadioButton;

namespace veltrano::circles {

// The "Circles" worksheet window, frmCircles: six case buttons, four quantity
// fields that are inputs or results by case, and the two area fields. Every
// change of a quantity field solves at once.
class CirclesWindow : public WorksheetWindow, private CircleView {
  Q_OBJECT

 public:
  explicit CirclesWindow(QWidget* parent = nullptr);

  const CircleVariables& variables() const { return solver_.variables(); }

 protected:
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
  QString printedCase() const override;
  std::optional<figure::Figure> currentFigure() const override;
  std::optional<working::Working> currentWorking() const override;
  void markResultsStale() override;

 private:
  void buildCaseFrame();
  void buildFields();
  void connectHandlers();
  void selectTask(int index);
  // Stores a typed value; a number too large to read leaves the results stale.
  void store(Real& variable, QLineEdit* field, Real scale = 1, Real divisor = 1);

  // CircleView
  void writeField(CircleField field, const QString& text) override;
  void setBusy(bool busy) override;
  void solveEnded(const SolveOutcome& outcome) override;

  QLineEdit* field(CircleField which) const { return fields_[static_cast<std::size_t>(which)]; }

  CircleSolver solver_;
  std::array<QLineEdit*, kCircleFieldCount> fields_{};
  QList<QRadioButton*> tasks_;
  bool lastSolveFailed_ = false;
};

}  // namespace veltrano::circles
