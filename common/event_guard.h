#pragma once

#include <exception>
#include <functional>
#include <utility>

namespace veltrano {

// Shows the run-time error box for an error that no handler trapped. The
// program goes on; only the handler that raised the error is abandoned.
void reportUntrapped(const std::exception_ptr& error) noexcept;

// Runs one event handler so that no exception crosses Qt's event loop.
template <typename F>
void runGuarded(F&& handler) noexcept {
  try {
    std::forward<F>(handler)();
  } catch (...) {
    reportUntrapped(std::current_exception());
  }
}

// Wraps a handler for connect(); every slot of the program goes through it.
// The wrapper takes exactly the arguments the handler takes, so Qt can
// connect it to signals with more arguments.
template <typename F>
auto guarded(F handler) {
  return
      [handler = std::move(handler)](
          auto&&... args) -> decltype(std::invoke(handler, std::forward<decltype(args)>(args)...), void()) {
        runGuarded([&] { std::invoke(handler, std::forward<decltype(args)>(args)...); });
      };
}

}  // namespace veltrano
