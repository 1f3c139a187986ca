// Window sizes: a screen less than 1200 pixels wide or 900 high gets windows of
// 98 % of its width and 95 % of its height at a corner; larger screens keep the
// design size, centred, as long as the window with its frame fits the part of
// the screen that windows may use. Where it does not, the window is fitted as
// on a small screen. A fitted window is made smaller still where its frame
// would otherwise reach beyond that part.
#pragma once

// A rectangle in screen coordinates.
struct ScreenRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// The screen, and the part of it that windows may use (the screen without
// panels and task bars).
struct ScreenArea {
  ScreenRect screen;
  ScreenRect available;
};

// The width of a window's frame on each side (title bar and borders); all 0
// while the window manager has not framed the window yet.
struct FrameSize {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct WindowGeometry {
  bool fitted = false;  // sized to the screen at its corner; else design size, centred
  int left = 0, top = 0;  // where the window's frame goes (its top-left corner), on the screen
  int width = 0, height = 0;  // the window without its frame
};

// A whole screen of that size at 0, 0, all of it available.
ScreenArea wholeScreen(int width, int height);

// Whether the window at `window`, with the frame around it, lies within the
// screen's available part.
bool insideAvailableArea(const ScreenArea& area, const FrameSize& frame, const WindowGeometry& window);

// The main window: fitted at 10, 10, else 1170 x 972.
WindowGeometry mainWindowGeometry(const ScreenArea& area, const FrameSize& frame);
// The plot window: fitted at 1, 1, else 1200 x 900.
WindowGeometry plotWindowGeometry(const ScreenArea& area, const FrameSize& frame);

// The same on a whole screen of that size, for a window not framed yet.
WindowGeometry mainWindowGeometry(int screenWidth, int screenHeight);
WindowGeometry plotWindowGeometry(int screenWidth, int screenHeight);
