// The application object: an exception that escapes an event handler is shown
// in a box instead of ending the program; the front end's own exceptions
// (ToolkitError) with their message, any other with an empty one. Numbers are
// formatted and read in the C locale, whatever the user's locale.
#pragma once

#include <QApplication>
#include <string>

class SkeldaApplication : public QApplication {
  Q_OBJECT

 public:
  SkeldaApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The application's exception display: an error box with the message.
void showException(const std::string& message);
