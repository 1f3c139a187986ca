#include <gtest/gtest.h>

#include <cstdlib>

#include "desktop/core/jpeg_image.h"
#include "desktop/core/toolkit_error.h"
#include "tests/desktop/core/jpeg_writer.h"
#include "tests/support/platform_doubles.h"

namespace {

using testing_support::TempDir;

TEST(DesktopJpegImage, DecodesToRgb) {
  TempDir dir;
  ASSERT_TRUE(writeSolidJpeg(dir.file("a.jpg"), 40, 30, 200, 40, 20));
  RgbImage image = decodeJpegFile(dir.file("a.jpg"));
  EXPECT_EQ(image.width, 40);
  EXPECT_EQ(image.height, 30);
  ASSERT_EQ(image.pixels.size(), 40u * 30u * 3u);
  EXPECT_NEAR(image.pixels[0], 200, 6);
  EXPECT_NEAR(image.pixels[1], 40, 6);
  EXPECT_NEAR(image.pixels[2], 20, 6);
}

TEST(DesktopJpegImage, BadFilesThrowInsteadOfEndingTheProgram) {
  TempDir dir;
  EXPECT_THROW(decodeJpegFile(dir.file("missing.jpg")), ToolkitError);
  testing_support::writeFile(dir.file("text.jpg"), "this is not a JPEG file at all");
  try {
    decodeJpegFile(dir.file("text.jpg"));
    FAIL() << "no exception";
  } catch (const ToolkitError& e) {
    EXPECT_NE(std::string(e.what()).find("text.jpg"), std::string::npos);
  }
  // A file cut short after its header.
  ASSERT_TRUE(writeSolidJpeg(dir.file("whole.jpg"), 64, 64, 1, 2, 3));
  std::string bytes = testing_support::readFile(dir.file("whole.jpg"));
  testing_support::writeFile(dir.file("cut.jpg"), bytes.substr(0, 200));
  // libjpeg pads a truncated stream with a warning; either way no exit and no crash.
  try {
    RgbImage image = decodeJpegFile(dir.file("cut.jpg"));
    EXPECT_EQ(image.width, 64);
  } catch (const ToolkitError&) {
  }
  testing_support::writeFile(dir.file("empty.jpg"), "");
  EXPECT_THROW(decodeJpegFile(dir.file("empty.jpg")), ToolkitError);
}

}  // namespace
