#include "app/platform/qt_file_dialogs.h"

#include <QFileDialog>

namespace veltrano {

QString QtFileDialogs::openFileName(QWidget* owner) { return QFileDialog::getOpenFileName(owner); }

QString QtFileDialogs::saveFileName(QWidget* owner) { return QFileDialog::getSaveFileName(owner); }

}  // namespace veltrano
