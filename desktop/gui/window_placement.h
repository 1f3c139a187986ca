// Sizes and places a window on the primary screen by one of the rules of
// desktop/core/window_geometry.h (a 1920 x 1080 screen when there is none).
//
// The window manager frames a window only when it is first shown, so the rule
// is applied first without a frame. Once the frame is known, a window that
// with its frame reaches beyond the screen's available part is placed again by
// the rule, frame included, unless it was sized otherwise meanwhile; a window
// that fits stays where it is.
#pragma once

#include "desktop/core/window_geometry.h"

class QWidget;

using WindowGeometryRule = WindowGeometry (*)(const ScreenArea& area, const FrameSize& frame);

void placeOnScreen(QWidget* window, WindowGeometryRule rule);
