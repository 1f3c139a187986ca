// The platform services the desktop program gives the shared code: Qt message
// boxes and the application-wide hourglass.
#pragma once

#include "platform/busy_cursor.h"
#include "platform/message_box.h"

class QtMessageBoxes : public platform::MessageBoxes {
 public:
  platform::BoxAnswer show(const std::string& text, const std::string& caption, platform::BoxIcon icon,
                           platform::BoxButtons buttons) override;
};

class QtBusyCursor : public platform::BusyCursor {
 public:
  void begin() override;
  void end() override;
};
