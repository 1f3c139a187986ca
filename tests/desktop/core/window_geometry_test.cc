#include <gtest/gtest.h>

#include "desktop/core/window_geometry.h"

#include <string>

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
  for (auto [w, h] : {std::pair{1920, 1080}, std::pair{1200, 972}, std::pair{3840, 2160}}) {
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

// The frame of a window manager: 1 pixel left and right, a 20-pixel title bar
// and a 5-pixel bottom edge.
const FrameSize kFrame{1, 20, 1, 5};

ScreenArea withPanel(int width, int height, int panelTop, int panelBottom) {
  ScreenArea area = wholeScreen(width, height);
  area.available = ScreenRect{0, panelTop, width, height - panelTop - panelBottom};
  return area;
}

TEST(DesktopWindowGeometry, DesignSizeOnlyWhereItFitsWithItsFrame) {
  struct Case {
    const char* label;
    ScreenArea area;
    FrameSize frame;
    WindowGeometry main, plot;  // fitted, left, top, width, height
  };
  const Case cases[] = {
      // Centred with its frame, 1170 x 972 under a 20-pixel title bar just fits
      // 1000 pixels; under a 30-pixel one it does not, and is fitted.
      {"1600x1000 framed", wholeScreen(1600, 1000), kFrame, {false, 214, 1, 1170, 972}, {false, 199, 37, 1200, 900}},
      {"1600x1000 thick frame", wholeScreen(1600, 1000), FrameSize{4, 30, 4, 4}, {true, 10, 10, 1568, 950},
       {false, 196, 33, 1200, 900}},
      // Not framed yet (a window before it is shown): the design fits.
      {"1600x1000", wholeScreen(1600, 1000), FrameSize{}, {false, 215, 14, 1170, 972}, {false, 200, 50, 1200, 900}},
      {"1920x1200 framed", wholeScreen(1920, 1200), kFrame, {false, 374, 101, 1170, 972},
       {false, 359, 137, 1200, 900}},
      // Centred in what the task bar leaves free.
      {"1920x1080 framed, task bar", withPanel(1920, 1080, 0, 40), FrameSize{4, 30, 4, 4},
       {false, 371, 17, 1170, 972}, {false, 356, 53, 1200, 900}},
      // 1202 pixels of plot window with its frame do not fit 1200.
      {"1200x960 framed", wholeScreen(1200, 960), kFrame, {true, 10, 10, 1176, 912}, {true, 1, 1, 1176, 912}},
      {"1200x900", wholeScreen(1200, 900), FrameSize{}, {true, 10, 10, 1176, 855}, {false, 0, 0, 1200, 900}},
      {"1200x900 framed", wholeScreen(1200, 900), kFrame, {true, 10, 10, 1176, 855}, {true, 1, 1, 1176, 855}},
      // Small screens: 98 % x 95 % at the corner, as long as the frame stays in
      // the available part.
      {"1280x800 framed", wholeScreen(1280, 800), kFrame, {true, 10, 10, 1254, 760}, {true, 1, 1, 1254, 760}},
      {"1280x800 framed, top panel", withPanel(1280, 800, 32, 0), kFrame, {true, 10, 32, 1254, 743},
       {true, 1, 32, 1254, 743}},
      {"1024x768 framed", wholeScreen(1024, 768), kFrame, {true, 10, 10, 1003, 729}, {true, 1, 1, 1003, 729}},
      {"1024x768 thick frame", wholeScreen(1024, 768), FrameSize{2, 40, 2, 20}, {true, 10, 10, 1003, 698},
       {true, 1, 1, 1003, 707}},
  };
  for (const Case& c : cases) {
    for (bool main : {true, false}) {
      WindowGeometry g = main ? mainWindowGeometry(c.area, c.frame) : plotWindowGeometry(c.area, c.frame);
      const WindowGeometry& want = main ? c.main : c.plot;
      std::string label = std::string(c.label) + (main ? " main" : " plot");
      EXPECT_EQ(g.fitted, want.fitted) << label;
      EXPECT_EQ(g.left, want.left) << label;
      EXPECT_EQ(g.top, want.top) << label;
      EXPECT_EQ(g.width, want.width) << label;
      EXPECT_EQ(g.height, want.height) << label;
      EXPECT_TRUE(insideAvailableArea(c.area, c.frame, g)) << label;
    }
  }
}

TEST(DesktopWindowGeometry, APlacementMadeBeforeTheFrameWasKnown) {
  // Placed unframed on a 1600 x 1000 screen, the main window with its frame
  // reaches below the screen; the plot window does not. Placed again with its
  // frame, the main window fits.
  ScreenArea area = wholeScreen(1600, 1000);
  EXPECT_FALSE(insideAvailableArea(area, kFrame, mainWindowGeometry(area, FrameSize{})));
  EXPECT_TRUE(insideAvailableArea(area, kFrame, plotWindowGeometry(area, FrameSize{})));
  EXPECT_TRUE(insideAvailableArea(area, kFrame, mainWindowGeometry(area, kFrame)));
  // Each edge counts.
  WindowGeometry g{false, 0, 0, 1598, 975};
  EXPECT_TRUE(insideAvailableArea(area, kFrame, g));
  for (WindowGeometry out : {WindowGeometry{false, -1, 0, 1598, 975}, WindowGeometry{false, 0, -1, 1598, 975},
                             WindowGeometry{false, 0, 0, 1599, 975}, WindowGeometry{false, 0, 0, 1598, 976}})
    EXPECT_FALSE(insideAvailableArea(area, kFrame, out));
  EXPECT_FALSE(insideAvailableArea(withPanel(1600, 1000, 30, 0), kFrame, g));
}

}  // namespace
