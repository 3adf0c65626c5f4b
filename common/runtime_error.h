#pragma once

#include <QString>
#include <exception>
#include <string>

namespace veltrano {

// The run-time errors of the program, numbered as users of the original
// worksheets know them from the error box.
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

// The one error type of the program. File errors carry the file's path so
// that the error box can name it.
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(ErrorNumber number, QString path = {});

  ErrorNumber number() const { return number_; }
  int code() const { return static_cast<int>(number_); }
  QString name() const { return errorName(number_); }
  const QString& path() const { return path_; }

  // "Run-time error '53':" and the name, then the path when there is one.
  QString message() const;
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  ErrorNumber number_;
  QString path_;
  std::string what_;
};

[[noreturn]] void raise(ErrorNumber number, const QString& path = {});

}  // namespace veltrano
