#include "common/current_file.h"

#include <QFileInfo>

#include "common/dimension.h"

namespace veltrano {

bool useChosenFile(const QString& chosen, const std::function<void()>& use) {
  const QString previous = Dimension::CurrentFileName;
  Dimension::CurrentFileName = chosen;
  if (chosen.isEmpty()) return false;
  try {
    use();
  } catch (...) {
    Dimension::CurrentFileName = previous;
    throw;
  }
  return true;
}

QString worksheetTitle(const QString& caption, const QString& webAddress, const QString& path) {
  QString title = caption + QStringLiteral("  ") + webAddress;
  if (!path.isEmpty()) title += QStringLiteral(" - ") + QFileInfo(path).fileName();
  return title + QStringLiteral("[*]");
}

}  // namespace veltrano
