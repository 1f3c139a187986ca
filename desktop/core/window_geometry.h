// Window sizes: a screen less than 1200 pixels wide or 900 high gets windows of
// 98 % of its width and 95 % of its height; larger screens keep the design size.
#pragma once

struct WindowGeometry {
  bool fitted = false;  // sized to the screen at its corner; else design size, centred
  int left = 0, top = 0;  // where the window goes, on the screen
  int width = 0, height = 0;
};

// The main window: fitted at 10, 10, else 1170 x 972.
WindowGeometry mainWindowGeometry(int screenWidth, int screenHeight);
// The plot window: fitted at 1, 1, else 1200 x 900.
WindowGeometry plotWindowGeometry(int screenWidth, int screenHeight);
