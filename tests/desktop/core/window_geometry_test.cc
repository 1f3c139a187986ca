#include <gtest/gtest.h>

#include "desktop/core/window_geometry.h"

namespace {

TEST(DesktopMainWindowGeometry, SmallScreensGetAFittedWindowAtTenTen) {
  WindowGeometry g = mainWindowGeometry(1024, 768);
  EXPECT_TRUE(g.fitted);
  EXPECT_EQ(g.width, 1003);
  EXPECT_EQ(g.height, 729);
  EXPECT_EQ(g.left, 10);
  EXPECT_EQ(g.top, 10);
  g = mainWindowGeometry(1200, 899);  // one dimension under its limit suffices
  EXPECT_TRUE(g.fitted);
  EXPECT_EQ(g.width, 1176);
  EXPECT_EQ(g.height, 854);
  EXPECT_TRUE(mainWindowGeometry(1199, 2000).fitted);
}

TEST(DesktopMainWindowGeometry, LargeScreensKeepTheDesignSize) {
  for (auto [w, h] : {std::pair{1920, 1080}, std::pair{1200, 900}, std::pair{3840, 2160}}) {
    WindowGeometry g = mainWindowGeometry(w, h);
    EXPECT_FALSE(g.fitted);
    EXPECT_EQ(g.width, 1170);
    EXPECT_EQ(g.height, 972);
  }
}

TEST(DesktopPlotWindowGeometry, SmallAndLargeScreens) {
  WindowGeometry g = plotWindowGeometry(1280, 800);
  EXPECT_TRUE(g.fitted);
  EXPECT_EQ(g.width, 1254);
  EXPECT_EQ(g.height, 760);
  EXPECT_EQ(g.left, 1);
  EXPECT_EQ(g.top, 1);
  g = plotWindowGeometry(1920, 1080);
  EXPECT_FALSE(g.fitted);
  EXPECT_EQ(g.width, 1200);
  EXPECT_EQ(g.height, 900);
}

}  // namespace
