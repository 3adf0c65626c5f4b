#pragma once

#include <QPointer>
#include <QString>

#include "common/platform.h"

class QWidget;

namespace veltrano::help {

class HelpWindow;

// Shows Compiled HTML Help files in one help window: a second request brings
// that window to the front with the new file. A file that is missing,
// cannot be read, is damaged, no help file or without a page to show is
// reported in a message with the cause, and nothing else happens.
class ChmHelpViewer : public HelpViewer {
 public:
  ChmHelpViewer();
  ~ChmHelpViewer() override;
  ChmHelpViewer(const ChmHelpViewer&) = delete;
  ChmHelpViewer& operator=(const ChmHelpViewer&) = delete;

  void showContents(QWidget* owner, const QString& path) override;

  // The open help window, or null.
  HelpWindow* window() const;

 private:
  QPointer<HelpWindow> window_;
};

}  // namespace veltrano::help
