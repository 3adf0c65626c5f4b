#include "common/worksheet_window.h"

#include <gtest/gtest.h>

#include "common/testing/window_test.h"

using namespace veltrano;
using namespace veltrano::testing;

namespace {
class FrameTest : public WindowTest {};

TEST_F(FrameTest, Placeholder) { SUCCEED(); }
}  // namespace
