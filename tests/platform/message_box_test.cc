#include "platform/message_box.h"

#include <gtest/gtest.h>

#include "tests/support/platform_doubles.h"

namespace {

TEST(MessageBoxes, HeadlessDefaultWritesOneLineAndAnswersOk) {
  ::testing::internal::CaptureStderr();
  platform::BoxAnswer answer = platform::showMessageBox("/tmp/x.dat", "PathName / Filename Error...");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "PathName / Filename Error...: /tmp/x.dat\n");
  EXPECT_EQ(answer, platform::BoxAnswer::Ok);
}

TEST(MessageBoxes, InstalledDoubleSeesEveryBox) {
  testing_support::RecordingBoxes boxes;
  boxes.answer = platform::BoxAnswer::No;
  EXPECT_EQ(platform::showMessageBox("t", "c", platform::BoxIcon::Warning, platform::BoxButtons::YesNoCancel),
            platform::BoxAnswer::No);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "c");
  EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Warning);
}

}  // namespace
