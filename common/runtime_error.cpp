#include "common/runtime_error.h"

#include <cstring>

namespace veltrano {

QString errorName(ErrorNumber number) {
  switch (number) {
    case ErrorNumber::InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case ErrorNumber::Overflow: return QStringLiteral("Overflow");
    case ErrorNumber::OutOfMemory: return QStringLiteral("Out of memory");
    case ErrorNumber::SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case ErrorNumber::DivisionByZero: return QStringLiteral("Division by zero");
    case ErrorNumber::TypeMismatch: return QStringLiteral("Type mismatch");
    case ErrorNumber::FileNotFound: return QStringLiteral("File not found");
    case ErrorNumber::InputPastEndOfFile: return QStringLiteral("Input past end of file");
    case ErrorNumber::PathFileAccess: return QStringLiteral("Path/File access error");
    case ErrorNumber::PathNotFound: return QStringLiteral("Path not found");
  }
  return QStringLiteral("Application-defined or object-defined error");
}

// The C library's own English text, whatever the user's language: the rest
// of the error box is English too.
QString systemCause(int errorCode) {
  if (const char* text = strerrordesc_np(errorCode)) return QString::fromLatin1(text);
  return QStringLiteral("System error %1").arg(errorCode);
}

RuntimeError::RuntimeError(ErrorNumber number, QString path, QString cause)
    : number_(number), path_(std::move(path)), cause_(std::move(cause)), what_(message().toStdString()) {}

QString RuntimeError::message() const {
  QString text = QStringLiteral("Run-time error '%1':\n\n%2").arg(code()).arg(name());
  if (!path_.isEmpty()) text += QStringLiteral("\n\n") + path_;
  if (!cause_.isEmpty()) text += (path_.isEmpty() ? QStringLiteral("\n\n") : QStringLiteral("\n")) + cause_;
  return text;
}

void raise(ErrorNumber number, const QString& path, const QString& cause) {
  throw RuntimeError(number, path, cause);
}

}  // namespace veltrano
