#pragma once

#include <QString>

#include "common/platform.h"

class QWidget;

namespace veltrano::help {

// Shows Compiled HTML Help files: a table of contents beside the page.
class ChmHelpViewer : public HelpViewer {
 public:
  ChmHelpViewer();
  ~ChmHelpViewer() override;

  void showContents(QWidget* owner, const QString& path) override;
};

}  // namespace veltrano::help
