#include "desktop/gui/skelda_application.h"

#include <exception>

#include "desktop/core/shared_state.h"
#include "platform/message_box.h"

SkeldaApplication::SkeldaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool SkeldaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    showException(e.what());
  } catch (...) {
    showException("");
  }
  return false;
}

void showException(const std::string& message) { platform::showMessageBox(message, kApplicationTitle); }
