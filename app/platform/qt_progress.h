#pragma once

#include <QPointer>
#include <QProgressDialog>

#include "common/platform.h"

namespace veltrano {

// A modal QProgressDialog with Cancel. It appears only when the job is still
// running after a moment, so that a short job does not flash a window.
class QtProgress : public Progress {
 public:
  void begin(QWidget* owner, const QString& label, int steps) override;
  bool advance(int done) override;
  void end() override;

 private:
  QPointer<QProgressDialog> dialog_;
};

}  // namespace veltrano
