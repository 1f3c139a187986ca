// The application object: an exception that escapes an event handler is shown
// in a box instead of ending the program; the front end's own exceptions
// (ToolkitError) with their message, any other with an empty one. Numbers are
// formatted and read in the C locale, whatever the user's locale.
#pragma once

#include <QApplication>
#include <string>

#include "desktop/core/toolkit_error.h"

class SkeldaApplication : public QApplication {
  Q_OBJECT

 public:
  SkeldaApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The application's exception display: an error box with the message.
void showException(const std::string& message);

// Runs `work`; an exception that escapes it is shown as the application shows
// it (showException) and false is returned.
template <typename Work>
bool runShowingExceptions(Work&& work) {
  try {
    work();
    return true;
  } catch (const ToolkitError& e) {
    showException(e.what());
  } catch (...) {
    // Any other exception is shown as the front end's own with an empty message.
    showException("");
  }
  return false;
}
