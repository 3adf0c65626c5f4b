#include "help/viewer/chm_help_viewer.h"

#include <QFileInfo>

namespace veltrano::help {

ChmHelpViewer::ChmHelpViewer() = default;
ChmHelpViewer::~ChmHelpViewer() = default;

void ChmHelpViewer::showContents(QWidget* owner, const QString& path) {
  MessageRequest request;
  request.title = QStringLiteral("Veltrano");
  request.text = QStringLiteral("The help file \"%1\" cannot be opened.")
                     .arg(QFileInfo(path).absoluteFilePath());
  request.critical = true;
  platform().messages->show(owner, request);
}

}  // namespace veltrano::help
