#pragma once

#include <QString>
#include <exception>
#include <string>

namespace veltrano {

// The run-time errors of the program, each with its fixed number, which the
// error box shows and the help pages explain.
enum class ErrorNumber : int {
  InvalidCall = 5,
  Overflow = 6,
  OutOfMemory = 7,
  SubscriptOutOfRange = 9,
  DivisionByZero = 11,
  TypeMismatch = 13,
  FileNotFound = 53,
  InputPastEndOfFile = 62,
  PathFileAccess = 75,
  PathNotFound = 76,
};

QString errorName(ErrorNumber number);

// The system's reason for a failed file operation (an errno value) in plain
// words, such as "No space left on device".
QString systemCause(int errorCode);

// The one error type of the program. File errors carry the file's path so
// that the error box can name it, and the cause in plain words: what the
// system said, or which line of the file is wrong and why.
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(ErrorNumber number, QString path = {}, QString cause = {});

  ErrorNumber number() const { return number_; }
  int code() const { return static_cast<int>(number_); }
  QString name() const { return errorName(number_); }
  const QString& path() const { return path_; }
  const QString& cause() const { return cause_; }

  // "Run-time error '53':" and the name, then the path and the cause when
  // there are any.
  QString message() const;
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  ErrorNumber number_;
  QString path_;
  QString cause_;
  std::string what_;
};

[[noreturn]] void raise(ErrorNumber number, const QString& path = {}, const QString& cause = {});

}  // namespace veltrano
