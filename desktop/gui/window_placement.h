// Sizes and places a window on the primary screen by one of the rules of
// desktop/core/window_geometry.h (a 1920 x 1080 screen when there is none).
#pragma once

#include "desktop/core/window_geometry.h"

class QWidget;

using WindowGeometryRule = WindowGeometry (*)(int screenWidth, int screenHeight);

void placeOnScreen(QWidget* window, WindowGeometryRule rule);
