// Message boxes: one small interface, so that the scanner and the front end run
// headless in tests.
#pragma once

#include <string>

namespace platform {

enum class BoxIcon { Error, Warning, Information };
enum class BoxButtons { Ok, YesNoCancel };
enum class BoxAnswer { Ok, Yes, No, Cancel };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a task-modal box and returns the button the user chose.
  virtual BoxAnswer show(const std::string& text, const std::string& caption, BoxIcon icon,
                         BoxButtons buttons) = 0;
};

// Installs the boxes in use (the desktop's Qt boxes, or a test double); nullptr
// restores the headless default, which writes "caption: text" as one line to
// standard error and answers Ok.
void setMessageBoxes(MessageBoxes* boxes);

// Shows a box through the installed implementation.
BoxAnswer showMessageBox(const std::string& text, const std::string& caption,
                         BoxIcon icon = BoxIcon::Error, BoxButtons buttons = BoxButtons::Ok);

}  // namespace platform
