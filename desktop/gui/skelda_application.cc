#include "desktop/gui/skelda_application.h"

#include <clocale>

#include "desktop/core/shared_state.h"
#include "platform/message_box.h"

SkeldaApplication::SkeldaApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Qt has set the process locale from the environment. The toolkit's texts
  // (the scan report, the boxes, the command lines) write and read numbers
  // with a decimal point, as the console programs do, whatever the desktop's
  // language: numbers follow the C locale.
  std::setlocale(LC_NUMERIC, "C");
}

bool SkeldaApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  runShowingExceptions([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

void showException(const std::string& message) { platform::showMessageBox(message, kApplicationTitle); }
