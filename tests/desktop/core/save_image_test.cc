#include <gtest/gtest.h>

#include <filesystem>

#include "desktop/core/plot_files.h"
#include "desktop/core/save_image.h"
#include "desktop/core/shared_state.h"
#include "tests/desktop/core/desktop_fixture.h"

namespace {

using platform::BoxAnswer;
using testing_support::readFile;
using testing_support::writeFile;

TEST(DesktopSaveNames, SuggestedNames) {
  EXPECT_EQ(suggestedImageName("O3_SITE_20180315_R0.dat", PlotImage::Curtain), "O3_SITE_20180315_R0_curtain.jpg");
  EXPECT_EQ(suggestedImageName("O3_SITE_20180315_R0.dat", PlotImage::Profile), "O3_SITE_20180315_R0_profile.jpg");
  EXPECT_EQ(suggestedImageName("a.b.dat", PlotImage::Curtain), "a.b_curtain.jpg");
  EXPECT_EQ(suggestedImageName("noextension", PlotImage::Curtain), "_curtain.jpg");
  EXPECT_EQ(suggestedImageName(".hidden", PlotImage::Profile), "_profile.jpg");
  EXPECT_EQ(suggestedImageName("", PlotImage::Profile), "_profile.jpg");
}

// The images are named after the file they were made from, not after a later scan.
TEST(DesktopSaveNames, NamesFollowThePlottedFile) {
  SharedState state;
  state.DataFileName = "O3_SITE_20180316_R0.dat";
  EXPECT_EQ(plottedFileName(state), "O3_SITE_20180316_R0.dat");  // no plot made yet
  state.PlottedFile = "/d/O3_SITE_20180315_R0.dat";
  EXPECT_EQ(plottedFileName(state), "O3_SITE_20180315_R0.dat");
  state.PlottedFile = "C:\\d\\O3_SITE_20180314_R0.dat";
  EXPECT_EQ(plottedFileName(state), "O3_SITE_20180314_R0.dat");
}

TEST(DesktopSaveNames, TargetNames) {
  EXPECT_EQ(imageTargetName("/x/plot"), "/x/plot.jpg");
  EXPECT_EQ(imageTargetName("/x/plot.jpg"), "/x/plot.jpg");
  EXPECT_EQ(imageTargetName("/x/plot.JPEG"), "/x/plot.JPEG");
  EXPECT_EQ(imageTargetName("/x/plot.png"), "/x/plot.png.jpg");
  EXPECT_EQ(imageTargetName("/x.jpg/plot"), "/x.jpg/plot.jpg");  // the folder's dot does not count
  EXPECT_EQ(imageTargetName("C:\\x.jpg\\plot"), "C:\\x.jpg\\plot.jpg");
}

class DesktopSaveImage : public DesktopTest {
 protected:
  DesktopSaveImage() {
    writeFile(startDirFile(state.StartDir, kCurtainImageName), "curtain bytes");
    writeFile(startDirFile(state.StartDir, kProfileImageName), "profile bytes");
  }
  testing_support::TempDir target;
};

TEST_F(DesktopSaveImage, CopiesTheChosenImage) {
  EXPECT_TRUE(saveImage(state.StartDir, PlotImage::Curtain, target.file("c")));
  EXPECT_EQ(readFile(target.file("c.jpg")), "curtain bytes");
  EXPECT_TRUE(saveImage(state.StartDir, PlotImage::Profile, target.file("p.jpeg")));
  EXPECT_EQ(readFile(target.file("p.jpeg")), "profile bytes");
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DesktopSaveImage, ReplacesTheFileTheDialogAskedAbout) {
  writeFile(target.file("c.jpg"), "old");
  EXPECT_TRUE(saveImage(state.StartDir, PlotImage::Curtain, target.file("c.jpg")));
  EXPECT_EQ(readFile(target.file("c.jpg")), "curtain bytes");
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(DesktopSaveImage, AsksBeforeReplacingANameMadeLonger) {
  writeFile(target.file("plot.png.jpg"), "old");
  boxes.answer = BoxAnswer::No;
  EXPECT_FALSE(saveImage(state.StartDir, PlotImage::Curtain, target.file("plot.png")));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Warning);
  EXPECT_EQ(boxes.boxes[0].buttons, platform::BoxButtons::YesNoCancel);
  EXPECT_NE(boxes.boxes[0].text.find("plot.png.jpg"), std::string::npos);
  EXPECT_EQ(readFile(target.file("plot.png.jpg")), "old");
  boxes.answer = BoxAnswer::Yes;
  EXPECT_TRUE(saveImage(state.StartDir, PlotImage::Curtain, target.file("plot.png")));
  EXPECT_EQ(readFile(target.file("plot.png.jpg")), "curtain bytes");
}

TEST_F(DesktopSaveImage, CopyFailureNamesTheImageAndShowsTheErrorCode) {
  struct Case {
    PlotImage image;
    const char* source;
    const char* text;
    const char* caption;
  };
  const Case cases[] = {
      {PlotImage::Curtain, kCurtainImageName, "Saving Curtain Plot Image Failed (Err = 2).",  // ENOENT
       "Saving Curtain Plot Failed??"},
      {PlotImage::Profile, kProfileImageName, "Saving Profile Plot Image Failed (Err = 2).",
       "Saving Profile Plot Failed??"},
  };
  for (const Case& c : cases) {
    boxes.boxes.clear();
    std::filesystem::remove(startDirFile(state.StartDir, c.source));
    EXPECT_FALSE(saveImage(state.StartDir, c.image, target.file("p.jpg"))) << c.caption;
    ASSERT_EQ(boxes.boxes.size(), 1u) << c.caption;
    EXPECT_EQ(boxes.boxes[0].text, c.text);
    EXPECT_EQ(boxes.boxes[0].caption, c.caption);
    EXPECT_EQ(boxes.boxes[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes.boxes[0].buttons, platform::BoxButtons::Ok);
  }
}

}  // namespace
