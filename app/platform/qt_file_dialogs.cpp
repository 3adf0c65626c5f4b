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

QString QtFileDialogs::saveWorkingName(QWidget* owner) {
  const QString html = QStringLiteral("HTML page (*.htm *.html)");
  const QString text = QStringLiteral("Plain text (*.txt)");
  QFileDialog dialog(owner, QStringLiteral("Save working as"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({html, text});
  dialog.setDefaultSuffix(QStringLiteral("htm"));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   guarded([&dialog, html](const QString& filter) {
                     dialog.setDefaultSuffix(filter == html ? QStringLiteral("htm") : QStringLiteral("txt"));
                   }));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace veltrano
