#include "desktop/gui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void placeOnScreen(QWidget* window, WindowGeometryRule rule) {
  QScreen* primary = QGuiApplication::primaryScreen();
  QSize screen = primary ? primary->geometry().size() : QSize(1920, 1080);
  WindowGeometry g = rule(screen.width(), screen.height());
  window->resize(g.width, g.height);
  window->move(g.left, g.top);
}
