#pragma once

#include <QList>
#include <QStringList>
#include <array>
#include <functional>

#include "common/worksheet_window.h"
#include "triangles/triangle_solver.h"

class QLineEdit;
class QRadioButton;

namespace veltrano::triangles {

// The "Triangles" worksheet window, frmTriangles: five cases, six part fields
// that are inputs or outputs by case, and the area. Every change of a part
// field stores its value and solves again, including the solver's own writes,
// which re-enter it until the texts stop changing.
class TrianglesWindow : public WorksheetWindow {
  Q_OBJECT

 public:
  explicit TrianglesWindow(QWidget* parent = nullptr);

  const TriangleVariables& variables() const { return vars_; }

 protected:
  void writeWorksheetFile(WorksheetWriter& file) const override;
  std::function<void()> readWorksheetFile(WorksheetReader& file) override;
  QStringList printedLines() const override;
  QString printedCase() const override;
  std::optional<figure::Figure> currentFigure() const override;
  std::optional<working::Working> currentWorking() const override;
  void markResultsStale() override;

 private:
  void buildCaptions();
  void buildCaseFrame();
  void buildFields();
  void buildTabOrder();
  void connectHandlers();
  void loadVariables();

  QLineEdit* field(Part part) const { return fields_[static_cast<int>(part)]; }
  QString text(Part part) const;
  Real& variable(Part part);

  void chooseCase(std::int32_t task);
  void storeAndSolve(Part part);
  void solve();
  void showOutcome(const SolveOutcome& outcome);
  void putIntoFields(const QStringList& texts);

  TriangleVariables vars_;
  bool lastSolveStopped_ = false;
  std::array<QLineEdit*, kPartCount> fields_{};
  QList<QRadioButton*> caseButtons_;
};

}  // namespace veltrano::triangles
