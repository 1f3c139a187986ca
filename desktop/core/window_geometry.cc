#include "desktop/core/window_geometry.h"

#include <algorithm>

namespace {

WindowGeometry geometryFor(const ScreenArea& area, const FrameSize& frame, int corner, int designWidth,
                           int designHeight) {
  const ScreenRect& screen = area.screen;
  const ScreenRect& free = area.available;
  int frameWidth = frame.left + frame.right;
  int frameHeight = frame.top + frame.bottom;
  WindowGeometry g;
  g.width = designWidth;
  g.height = designHeight;
  // Centred in the available part, frame included.
  g.left = free.left + (free.width - (designWidth + frameWidth)) / 2;
  g.top = free.top + (free.height - (designHeight + frameHeight)) / 2;
  if (screen.width >= 1200 && screen.height >= 900 && insideAvailableArea(area, frame, g)) return g;
  g.fitted = true;
  g.left = std::max(screen.left + corner, free.left);
  g.top = std::max(screen.top + corner, free.top);
  // Truncated toward zero; the products stay far inside int for any screen.
  g.height = static_cast<int>(screen.height * 0.95);
  g.width = static_cast<int>(screen.width * 0.98);
  // No further than the available part's right and bottom edges, frame included.
  g.height = std::max(1, std::min(g.height, free.top + free.height - g.top - frameHeight));
  g.width = std::max(1, std::min(g.width, free.left + free.width - g.left - frameWidth));
  return g;
}

}  // namespace

ScreenArea wholeScreen(int width, int height) {
  ScreenRect all{0, 0, width, height};
  return ScreenArea{all, all};
}

bool insideAvailableArea(const ScreenArea& area, const FrameSize& frame, const WindowGeometry& window) {
  const ScreenRect& free = area.available;
  return window.left >= free.left && window.top >= free.top &&
         window.left + frame.left + window.width + frame.right <= free.left + free.width &&
         window.top + frame.top + window.height + frame.bottom <= free.top + free.height;
}

WindowGeometry mainWindowGeometry(const ScreenArea& area, const FrameSize& frame) {
  return geometryFor(area, frame, 10, 1170, 972);
}

WindowGeometry plotWindowGeometry(const ScreenArea& area, const FrameSize& frame) {
  return geometryFor(area, frame, 1, 1200, 900);
}

WindowGeometry mainWindowGeometry(int screenWidth, int screenHeight) {
  return mainWindowGeometry(wholeScreen(screenWidth, screenHeight), FrameSize{});
}

WindowGeometry plotWindowGeometry(int screenWidth, int screenHeight) {
  return plotWindowGeometry(wholeScreen(screenWidth, screenHeight), FrameSize{});
}
