#include "desktop/gui/qt_platform.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QSpacerItem>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "desktop/gui/curview.h"
#include "desktop/gui/local_text.h"
#include "desktop/gui/parvixfscan.h"

namespace {

bool isUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

// Drops the input meant for the windows that were shown when blocking began.
class InputFilter : public QObject {
 public:
  void start() {
    windows_.clear();
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->isVisible()) windows_.emplace_back(widget);
    qApp->installEventFilter(this);
  }
  void stop() {
    qApp->removeEventFilter(this);
    windows_.clear();
  }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (!isUserInput(event->type()) || !receiver->isWidgetType()) return false;
    QWidget* window = static_cast<QWidget*>(receiver)->window();
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
  }

 private:
  std::vector<QPointer<QWidget>> windows_;
};

InputFilter inputFilter;
int blockDepth = 0;

// Drops the second press of a double click (and so its click).
class DoubleClickFilter : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::MouseButtonDblClick; }
};

DoubleClickFilter doubleClickFilter;

}  // namespace

void blockWindowInput() {
  if (blockDepth++ == 0) inputFilter.start();
}

void unblockWindowInput() {
  if (blockDepth == 0) return;
  if (blockDepth == 1) {
    // What the user did during the run is still queued: let it arrive while it
    // is dropped.
    QApplication::processEvents();
  }
  if (--blockDepth == 0) inputFilter.stop();
}

bool windowInputBlocked() { return blockDepth > 0; }

void takeDoubleClickAsOneClick(QWidget* button) { button->installEventFilter(&doubleClickFilter); }

QWidget* boxParentWindow() {
  // The plot window stays on top of the others: a box under it could not be
  // seen or answered. Of several shown windows of a kind, the active one.
  QWidget* active = QApplication::activeWindow();
  QWidget* plotWindow = nullptr;
  QWidget* mainWindow = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible()) continue;
    QWidget** kind = nullptr;
    if (qobject_cast<TCurForm*>(window))
      kind = &plotWindow;
    else if (qobject_cast<TForm1*>(window))
      kind = &mainWindow;
    if (kind && (!*kind || window == active)) *kind = window;
  }
  if (plotWindow) return plotWindow;
  if (mainWindow) return mainWindow;
  return active && active->isVisible() ? active : nullptr;
}

void keepOnTheParentsLevel(QWidget* dialog) {
  QWidget* parent = dialog->parentWidget();
  if (parent && parent->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

int captionFittingWidth(const QString& caption) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  font.setBold(true);
  QFontMetrics metrics(font);
  // Title bar buttons are squares about as high as the bar: the text's height
  // and a margin.
  const int kTitleBarButtons = 4;  // icon, iconify, maximise, close
  const int kButtonMargin = 8;
  const int kFrameEdges = 32;
  return metrics.horizontalAdvance(caption) + kTitleBarButtons * (metrics.height() + kButtonMargin) + kFrameEdges;
}

platform::BoxAnswer QtMessageBoxes::show(const std::string& text, const std::string& caption, platform::BoxIcon icon,
                                         platform::BoxButtons buttons) {
  QMessageBox::Icon qtIcon = QMessageBox::Critical;
  if (icon == platform::BoxIcon::Warning) qtIcon = QMessageBox::Warning;
  if (icon == platform::BoxIcon::Information) qtIcon = QMessageBox::Information;
  QMessageBox::StandardButtons qtButtons =
      buttons == platform::BoxButtons::YesNoCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                                   : QMessageBox::StandardButtons(QMessageBox::Ok);
  QWidget* parent = boxParentWindow();
  QMessageBox box(qtIcon, fromLocalBytes(caption), fromLocalBytes(text), qtButtons, parent);
  box.setTextFormat(Qt::PlainText);  // paths and log lines show as they are
  // Qt fixes the box's size from its layout when it is shown: a spacer across
  // the layout makes room for the caption.
  if (QGridLayout* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(captionFittingWidth(box.windowTitle()), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  box.setWindowModality(Qt::ApplicationModal);  // (this resets the window flags)
  keepOnTheParentsLevel(&box);
  switch (box.exec()) {
    case QMessageBox::Yes: return platform::BoxAnswer::Yes;
    case QMessageBox::No: return platform::BoxAnswer::No;
    case QMessageBox::Cancel: return platform::BoxAnswer::Cancel;
    default: return buttons == platform::BoxButtons::YesNoCancel ? platform::BoxAnswer::Cancel : platform::BoxAnswer::Ok;
  }
}

void QtBusyCursor::begin() {
  blockWindowInput();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QApplication::processEvents();
}

void QtBusyCursor::end() {
  QApplication::restoreOverrideCursor();
  unblockWindowInput();
}
