#include "desktop/core/window_geometry.h"

namespace {

WindowGeometry geometryFor(int screenWidth, int screenHeight, int corner, int designWidth, int designHeight) {
  WindowGeometry g;
  if (screenWidth < 1200 || screenHeight < 900) {
    g.fitted = true;
    g.left = g.top = corner;
    // Truncated toward zero; the products stay far inside int for any screen.
    g.height = static_cast<int>(screenHeight * 0.95);
    g.width = static_cast<int>(screenWidth * 0.98);
  } else {
    g.width = designWidth;
    g.height = designHeight;
    // Centred; a window taller than the screen stands as far above it as below.
    g.left = (screenWidth - g.width) / 2;
    g.top = (screenHeight - g.height) / 2;
  }
  return g;
}

}  // namespace

WindowGeometry mainWindowGeometry(int screenWidth, int screenHeight) {
  return geometryFor(screenWidth, screenHeight, 10, 1170, 972);
}

WindowGeometry plotWindowGeometry(int screenWidth, int screenHeight) {
  return geometryFor(screenWidth, screenHeight, 1, 1200, 900);
}
