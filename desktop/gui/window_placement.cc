#include "desktop/gui/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

ScreenRect rectOf(const QRect& r) { return ScreenRect{r.x(), r.y(), r.width(), r.height()}; }

ScreenArea primaryScreenArea() {
  QScreen* primary = QGuiApplication::primaryScreen();
  if (!primary) return wholeScreen(1920, 1080);
  return ScreenArea{rectOf(primary->geometry()), rectOf(primary->availableGeometry())};
}

void apply(QWidget* window, const WindowGeometry& g) {
  window->resize(g.width, g.height);
  window->move(g.left, g.top);  // a window's position is that of its frame
}

// Watches the window until the window manager has framed it, then places it
// again where it does not fit with its frame. The frame becomes known with the
// window's first move or resize after it is shown. A window that was sized
// otherwise meanwhile keeps that size.
class FrameWatch : public QObject {
 public:
  FrameWatch(QWidget* window, WindowGeometryRule rule, QSize placed)
      : QObject(window), window_(window), rule_(rule), placed_(placed) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    QEvent::Type type = event->type();
    if (watched == window_ && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show))
      check();
    return false;
  }

 private:
  void check() {
    QWindow* handle = window_->windowHandle();
    QMargins margins = handle ? handle->frameMargins() : QMargins();
    if (margins.isNull()) return;  // not framed yet
    // Framed now: this is the one check.
    window_->removeEventFilter(this);
    deleteLater();
    if (window_->size() != placed_) return;
    FrameSize frame{margins.left(), margins.top(), margins.right(), margins.bottom()};
    ScreenArea area = primaryScreenArea();
    QRect framed = window_->frameGeometry();
    WindowGeometry now{false, framed.x(), framed.y(), window_->width(), window_->height()};
    if (!insideAvailableArea(area, frame, now)) apply(window_, rule_(area, frame));
  }

  QWidget* window_;
  WindowGeometryRule rule_;
  QSize placed_;  // the size the window was given without its frame
};

}  // namespace

void placeOnScreen(QWidget* window, WindowGeometryRule rule) {
  WindowGeometry g = rule(primaryScreenArea(), FrameSize{});
  apply(window, g);
  new FrameWatch(window, rule, QSize(g.width, g.height));  // owned by the window, gone after its check
}
