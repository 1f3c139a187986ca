// The calendar date, behind an interface so that tests can fix "today".
#pragma once

namespace platform {

struct CalendarDate {
  int year = 0;   // four digits
  int month = 0;  // 1-12
  int day = 0;    // 1-31
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Today's local calendar date.
  virtual CalendarDate today() = 0;
};

// The clock in use: the system's, unless a test installed another.
Clock& clock();
// Installs a clock; nullptr restores the system's.
void setClock(Clock* clock);

}  // namespace platform
