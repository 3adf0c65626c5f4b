#include "app/platform/qt_file_dialogs.h"

#include <QFileDialog>

#include "common/event_guard.h"

namespace veltrano {

QString QtFileDialogs::openFileName(QWidget* owner) { return QFileDialog::getOpenFileName(owner); }

QString QtFileDialogs::saveFileName(QWidget* owner) { return QFileDialog::getSaveFileName(owner); }

QString QtFileDialogs::saveFigureName(QWidget* owner) {
  const QString svg = QStringLiteral("SVG image (*.svg)");
  const QString png = QStringLiteral("PNG image (*.png)");
  QFileDialog dialog(owner, QStringLiteral("Save figure as"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({svg, png});
  dialog.setDefaultSuffix(QStringLiteral("svg"));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   guarded([&dialog, svg](const QString& filter) {
                     dialog.setDefaultSuffix(filter == svg ? QStringLiteral("svg") : QStringLiteral("png"));
                   }));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace veltrano
