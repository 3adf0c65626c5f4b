#pragma once

#include <gtest/gtest.h>
#include <functional>

#include "common/runtime_error.h"

namespace veltrano::testing {

// The run-time error that step raises; a step that raises none fails the test.
inline RuntimeError raisedError(const std::function<void()>& step) {
  try {
    step();
  } catch (const RuntimeError& e) {
    return e;
  }
  ADD_FAILURE() << "no run-time error was raised";
  return RuntimeError(ErrorNumber::InvalidCall);
}

}  // namespace veltrano::testing
