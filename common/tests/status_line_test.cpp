#include "common/status_line.h"

#include <gtest/gtest.h>
#include <QStatusBar>

using namespace veltrano;

namespace {

TEST(StatusLineTest, ShowsTheFailureFirstThenTheNewestNote) {
  QStatusBar bar;
  StatusLine status(&bar);
  status.setNote("a", "a is misread");
  status.showFailure("No triangle");
  status.setNote("b", "b is misread");
  status.setNoteBehind("news", "news");  // gives way to the other notes
  EXPECT_EQ(status.text(), "No triangle");
  status.clearFailure();
  EXPECT_EQ(status.text(), "b is misread");
  status.clearNote("b");
  EXPECT_EQ(status.text(), "a is misread");
  status.setNote("a", "");
  EXPECT_EQ(status.text(), "news");
}

}  // namespace
