// The application-wide hourglass shown while a child program runs.
#pragma once

namespace platform {

class BusyCursor {
 public:
  virtual ~BusyCursor() = default;
  // Shows the hourglass and lets pending window messages be processed.
  virtual void begin() = 0;
  // Restores the default cursor.
  virtual void end() = 0;
};

// Installs the cursor in use (the desktop's); nullptr restores the default,
// which does nothing (headless use).
void setBusyCursor(BusyCursor* cursor);
BusyCursor& busyCursor();

// Shows the hourglass for the lifetime of the object.
class BusyScope {
 public:
  BusyScope() { busyCursor().begin(); }
  ~BusyScope() { busyCursor().end(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

}  // namespace platform
