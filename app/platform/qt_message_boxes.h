#pragma once

#include "common/platform.h"

namespace veltrano {

// Modal QMessageBox: a Yes/No/Cancel box has Yes as its default button and
// answers Cancel when it is closed; an OK box answers Ok however it ends.
class QtMessageBoxes : public MessageBoxes {
 public:
  MessageAnswer show(QWidget* owner, const MessageRequest& request) override;
};

}  // namespace veltrano
