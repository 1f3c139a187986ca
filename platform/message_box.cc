#include "platform/message_box.h"

#include <cstdio>

namespace platform {
namespace {

class StderrBoxes : public MessageBoxes {
 public:
  BoxAnswer show(const std::string& text, const std::string& caption, BoxIcon, BoxButtons) override {
    std::string line = caption + ": " + text + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    return BoxAnswer::Ok;
  }
};

StderrBoxes stderrBoxes;
MessageBoxes* installed = nullptr;

}  // namespace

void setMessageBoxes(MessageBoxes* boxes) { installed = boxes; }

BoxAnswer showMessageBox(const std::string& text, const std::string& caption, BoxIcon icon, BoxButtons buttons) {
  return (installed ? installed : &stderrBoxes)->show(text, caption, icon, buttons);
}

}  // namespace platform
