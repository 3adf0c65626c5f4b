#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <functional>

class QLineEdit;
class QObject;

namespace veltrano {

class StatusLine;

// What a worksheet does when its watched fields change.
struct FieldChangeHooks {
  std::function<void()> contentChanged;  // marks the content unsaved
  std::function<void()> resultsStale;    // greys the results on show
  std::function<void()> settled;         // after the outermost handler returned
};

// Runs the change handlers of the fields of a worksheet that solves on every
// change. The solvers' writes run change handlers inside change handlers;
// what follows a change (the figure drawn once, the results held greyed) waits
// until the outermost has returned, so it sees the values finally on show.
class FieldChangeTracker {
 public:
  FieldChangeTracker(QObject* context, StatusLine& status, FieldChangeHooks hooks);

  // A number too large to read (Overflow) is told in the status line instead
  // of a box, so typing goes on; other errors get the usual box. A text read
  // only in part gets a note that calls the field by name.
  void watch(QLineEdit* field, const QString& name, std::function<void()> handler);

  // A handler of the last change raised an error: its values were never solved.
  bool lastChangeFailed() const { return changeFailed_; }
  // The name of a field in use whose text is too large to read ("c"), whose
  // last value read the results still answer; empty when every field reads.
  QString unreadableFieldName() const;

 private:
  void run(QLineEdit* field, const QString& name, const std::function<void()>& handler);
  void holdResultsWhileAFieldCannotBeRead();

  QObject* context_;
  StatusLine& status_;
  FieldChangeHooks hooks_;
  int depth_ = 0;                            // change handlers running, nested by the solvers' writes
  bool changeFailed_ = false;                // a handler of the last change raised an error
  QSet<const QLineEdit*> unreadableFields_;  // watched fields whose text is too large to read
  QHash<const QLineEdit*, QString> names_;   // each watched field's name, as the notes call it
};

}  // namespace veltrano
