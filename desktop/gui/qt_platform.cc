#include "desktop/gui/qt_platform.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
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
// The application owns it (it is the application's child), and with it the
// depth of the blocks.
class InputBlock : public QObject {
 public:
  explicit InputBlock(QObject* application) : QObject(application) {}

  // The application's input block, made at its first use.
  static InputBlock& of(QCoreApplication* application) {
    for (QObject* child : application->children())
      if (InputBlock* block = dynamic_cast<InputBlock*>(child)) return *block;
    return *new InputBlock(application);
  }

  void block() {
    if (depth_++ == 0) start();
  }

  void unblock() {
    if (depth_ == 0) return;
    if (depth_ == 1) {
      // What the user did during the run is still queued: let it arrive while
      // it is dropped.
      QApplication::processEvents();
    }
    if (--depth_ == 0) stop();
  }

  bool blocked() const { return depth_ > 0; }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (!isUserInput(event->type()) || !receiver->isWidgetType()) return false;
    QWidget* window = static_cast<QWidget*>(receiver)->window();
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
  }

 private:
  void start() {
    windows_.clear();
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->isVisible()) windows_.emplace_back(widget);
    parent()->installEventFilter(this);
  }
  void stop() {
    parent()->removeEventFilter(this);
    windows_.clear();
  }

  int depth_ = 0;
  std::vector<QPointer<QWidget>> windows_;
};

// Drops the second press of a double click (and so its click); owned by the
// button it filters.
class DoubleClickFilter : public QObject {
 public:
  explicit DoubleClickFilter(QObject* button) : QObject(button) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::MouseButtonDblClick; }
};

// The room a box's frame and layout margins take beside the widest spacer.
const int kBoxScreenMargin = 64;
// The room the icon, the margins and the spacing take beside a box's text.
const int kBoxTextChrome = 120;
// A piece of text no narrower than this may stand on a line of its own,
// however small the screen.
const int kNarrowestTextPiece = 100;
// The screen width taken when Qt knows no screen.
const int kUnknownScreenWidth = 1024;
// Where a line of a box's text may break: a zero-width space.
const QChar kLineBreakHere(0x200B);

}  // namespace

int boxTextPieceWidth(int screenWidth) {
  // Qt gives a box's text half the screen, at most 500 px, with the icon and
  // the margins, before it makes the box wider.
  return std::max(kNarrowestTextPiece, std::min(screenWidth / 2, 500) - kBoxTextChrome);
}

QString breakableText(const QString& text, const QFontMetrics& metrics, int pieceWidth) {
  QString shown;
  shown.reserve(text.size() + text.size() / 8);
  QString run;  // the text since the last place a line may break
  for (QChar c : text) {
    if (c.isSpace()) {
      shown += c;
      run.clear();
      continue;
    }
    // A character's second half or an accent stays with the character before it.
    bool startsCharacter = !c.isLowSurrogate() && !c.isMark();
    if (startsCharacter && !run.isEmpty() && metrics.horizontalAdvance(run + c) > pieceWidth) {
      shown += kLineBreakHere;
      run.clear();
    }
    shown += c;
    run += c;
    if (c == '/') {
      shown += kLineBreakHere;
      run.clear();
    }
  }
  return shown;
}

void blockWindowInput() { InputBlock::of(qApp).block(); }

void unblockWindowInput() { InputBlock::of(qApp).unblock(); }

bool windowInputBlocked() { return InputBlock::of(qApp).blocked(); }

void takeDoubleClickAsOneClick(QWidget* button) { button->installEventFilter(new DoubleClickFilter(button)); }

void pressFocusedButtonsWithEnter(QWidget* window) {
  // A button that is its own default on Enter clicks itself when it has the
  // focus; outside a dialog there is no other default button to take Enter.
  for (QPushButton* button : window->findChildren<QPushButton*>()) button->setAutoDefault(true);
}

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
  // A dialog without a window of ours to stand on (a second Skelda's refusal
  // to start) stands on top: otherwise another Skelda's always-on-top plot
  // window would hide the only window this process shows.
  if (!parent || parent->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
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
  QMessageBox box(qtIcon, fromLocalBytes(caption), QString(), qtButtons, parent);
  box.setTextFormat(Qt::PlainText);  // paths and log lines show as they are
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  int screenWidth = screen ? screen->availableGeometry().width() : kUnknownScreenWidth;
  // Qt wraps the text at word boundaries only: long paths get places to break.
  QLabel* label = box.findChild<QLabel*>("qt_msgbox_label");
  if (label) label->ensurePolished();
  QFontMetrics textMetrics(label ? label->font() : box.font());
  box.setText(breakableText(fromLocalBytes(text), textMetrics, boxTextPieceWidth(screenWidth)));
  // Qt fixes the box's size from its layout when it is shown: a spacer across
  // the layout makes room for the caption, as far as the screen allows.
  if (QGridLayout* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(std::min(captionFittingWidth(box.windowTitle()), screenWidth - kBoxScreenMargin), 0,
                                  QSizePolicy::Fixed, QSizePolicy::Minimum),
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
