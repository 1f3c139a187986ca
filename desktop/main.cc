// Skelda: the desktop program. Unless another Skelda works in the same start
// folder, creates the main window and the (hidden) plot window and runs the
// message loop until the main window closes.
#include <filesystem>

#include "desktop/core/start_folder.h"
#include "desktop/core/toolkit_error.h"
#include "desktop/gui/curview.h"
#include "desktop/gui/parvixfscan.h"
#include "desktop/gui/qt_platform.h"
#include "desktop/gui/skelda_application.h"
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
    try {
      TForm1 mainWindow;
      Form1 = &mainWindow;
      TCurForm plotWindow;
      CurForm = &plotWindow;
      mainWindow.show();
      app.exec();
      CurForm = nullptr;
      Form1 = nullptr;
    } catch (const ToolkitError& e) {
      showException(e.what());
    } catch (...) {
      // Any other exception is shown as the front end's own with an empty message.
      showException("");
    }
    return 0;
  });
  platform::setBusyCursor(nullptr);
  platform::setMessageBoxes(nullptr);
  return 0;
}
