// Skelda: the desktop program. Unless another Skelda works in the same start
// folder, creates the main window and the (hidden) plot window with the state
// they share and runs the message loop until the main window closes.
#include <filesystem>

#include "desktop/core/shared_state.h"
#include "desktop/core/start_folder.h"
#include "desktop/gui/curview.h"
#include "desktop/gui/parvixfscan.h"
#include "desktop/gui/qt_platform.h"
#include "desktop/gui/skelda_application.h"
#include "desktop/gui/window_links.h"
#include "platform/busy_cursor.h"
#include "platform/message_box.h"

int main(int argc, char** argv) {
  SkeldaApplication app(argc, argv);
  QtMessageBoxes boxes;
  QtBusyCursor cursor;
  platform::setMessageBoxes(&boxes);
  platform::setBusyCursor(&cursor);
  std::error_code ec;
  runInStartFolder(std::filesystem::current_path(ec).string(), [&app] {
    runShowingExceptions([&app] {
      SharedState state;
      TForm1 mainWindow(state);
      TCurForm plotWindow(state);
      linkWindows(mainWindow, plotWindow);
      mainWindow.show();
      app.exec();
    });
    return 0;
  });
  platform::setBusyCursor(nullptr);
  platform::setMessageBoxes(nullptr);
  return 0;
}
