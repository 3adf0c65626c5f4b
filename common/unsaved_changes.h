#pragma once

#include <functional>

class QWidget;

namespace veltrano {

class SessionEnd;

// Whether a worksheet's content changed since it was last saved, opened or
// loaded (Qt's window-modified state, "*" in the title), and the question
// that comes before such changes would be dropped.
class UnsavedChanges {
 public:
  // save runs the window's Save; it may ask for a name, and raises when the
  // write fails.
  UnsavedChanges(QWidget* window, std::function<void()> save);

  // The content changed where the user can see it.
  void mark();
  // The content is that of a file now: saved or opened.
  void clear();
  bool isMarked() const;

  // Asks whether to save unsaved changes and saves on Yes; true when the
  // caller may go on and replace or drop the content.
  bool settle();
  // The window is closing: the closes that follow (the shutdown unloading
  // every window, the end of the session) do not ask again.
  void letGo() { letGo_ = true; }
  // Answers the end of the session: while changes are unsaved, asks as
  // closing does, and keeps the session going on Cancel.
  void answer(SessionEnd& session);

 private:
  QWidget* window_;
  std::function<void()> save_;
  // The user let the unsaved changes go (No when the window closes or the
  // session ends): the closes that follow do not ask again.
  bool letGo_ = false;
};

}  // namespace veltrano
