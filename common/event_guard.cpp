#include "common/event_guard.h"

#include <QString>
#include <cstdio>
#include <new>

#include "common/platform.h"
#include "common/runtime_error.h"

namespace veltrano {
namespace {

QString describe(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const RuntimeError& e) {
    return e.message();
  } catch (const std::bad_alloc&) {
    return RuntimeError(ErrorNumber::OutOfMemory).message();
  } catch (const std::exception& e) {
    return QStringLiteral("Run-time error:\n\n") + QString::fromLocal8Bit(e.what());
  } catch (...) {
    return QStringLiteral("Run-time error:\n\nUnknown error");
  }
}

}  // namespace

void reportUntrapped(const std::exception_ptr& error) noexcept {
  try {
    const QString text = describe(error);
    if (MessageBoxes* boxes = platform().messages) {
      boxes->show(nullptr, {QStringLiteral("Veltrano"), text, MessageButtons::Ok, true});
    } else {
      std::fprintf(stderr, "%s\n", qPrintable(text));
    }
  } catch (...) {
    std::fprintf(stderr, "Veltrano: an error occurred while reporting an error\n");
  }
}

}  // namespace veltrano
