#pragma once

#include <functional>

class QObject;

namespace veltrano {

// The session manager's request when the desktop session ends (a logout),
// as a window answers it.
class SessionEnd {
 public:
  virtual ~SessionEnd() = default;
  // Asks for leave to show a box; false when nobody may be asked.
  virtual bool allowsInteraction() = 0;
  // Keeps the session from ending.
  virtual void cancel() = 0;
  // Gives the leave to show boxes back.
  virtual void release() = 0;
};

// Hands each request of the application's session manager to answer, for as
// long as context lives; nothing where the program runs without one.
void onSessionEnd(QObject* context, std::function<void(SessionEnd&)> answer);

}  // namespace veltrano
