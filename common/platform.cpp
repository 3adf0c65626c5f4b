#include "common/platform.h"

namespace veltrano {
namespace {
Platform& current() {
  static Platform services;
  return services;
}
}  // namespace

Platform& platform() { return current(); }
void installPlatform(const Platform& services) { current() = services; }

}  // namespace veltrano
