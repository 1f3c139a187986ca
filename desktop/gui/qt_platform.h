// The platform services the desktop program gives the shared code: Qt message
// boxes and the application-wide hourglass, and the blocking of the windows'
// input while a scan or a plot runs.
#pragma once

#include "platform/busy_cursor.h"
#include "platform/message_box.h"

class QFontMetrics;
class QString;
class QWidget;

// Boxes are at least captionFittingWidth(caption) wide, as far as the screen
// allows: Qt sizes a box by its text, and a window manager cuts a caption
// longer than the window. Every character of a box's text is shown: lines of a
// long path break after a '/', and where that is not enough inside a name
// (breakableText).
class QtMessageBoxes : public platform::MessageBoxes {
 public:
  platform::BoxAnswer show(const std::string& text, const std::string& caption, platform::BoxIcon icon,
                           platform::BoxButtons buttons) override;
};

// The hourglass also blocks the windows' input (blockWindowInput) while it is
// shown, so that the pending messages it lets through cannot start a second
// run.
class QtBusyCursor : public platform::BusyCursor {
 public:
  void begin() override;
  void end() override;
};

// Between a block and its unblock, mouse and key input to the windows that were
// shown at the outermost block is dropped: the program takes no input while a
// scan or a plot runs. Boxes and dialogs opened meanwhile are answered as
// usual. The outermost unblock first drops the input queued meanwhile, so a
// click made during a run does not start another run after it. Blocks nest.
void blockWindowInput();
void unblockWindowInput();
bool windowInputBlocked();

// Blocks the windows' input for the lifetime of the object.
class WindowInputBlock {
 public:
  WindowInputBlock() { blockWindowInput(); }
  ~WindowInputBlock() { unblockWindowInput(); }
  WindowInputBlock(const WindowInputBlock&) = delete;
  WindowInputBlock& operator=(const WindowInputBlock&) = delete;
};

// A double click on the button counts as one click: the second press of a
// double click is dropped, also when the run of the first click is already
// over (a quick scan).
void takeDoubleClickAsOneClick(QWidget* button);

// Enter and Return press the focused push button of the window, as Space does
// (Qt gives that only to the buttons of dialogs). Call it once the window's
// buttons are made.
void pressFocusedButtonsWithEnter(QWidget* window);

// The window a box or file dialog of the program is stacked on: the top-most shown window of
// the program (the always-on-top plot window while it is shown), whatever
// window Qt last activated; nullptr when none is shown.
QWidget* boxParentWindow();
// Gives a dialog the stacking level of its parent window: above an
// always-on-top window too, and on top when it has no parent window. Call it
// after the dialog's modality is set.
void keepOnTheParentsLevel(QWidget* dialog);

// The shown text of a box: `text` with a zero-width space, where Qt may break
// a line, after every '/' and inside every run without such a place that would
// be wider than `pieceWidth` in `metrics`. Only the box shows it; what the
// program reports is the text as given.
QString breakableText(const QString& text, const QFontMetrics& metrics, int pieceWidth);
// The widest run of a box's text that may stand on a line of its own on a
// screen `screenWidth` pixels wide: it fits the narrowest box Qt makes for a
// text that needs more than one line.
int boxTextPieceWidth(int screenWidth);

// The width a window needs for the window manager's title bar to show its whole
// caption: the caption in the bold title font, and room for the title bar's
// icon and three buttons and for the frame's edges.
int captionFittingWidth(const QString& caption);
