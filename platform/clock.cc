#include "platform/clock.h"

#include <ctime>

namespace platform {
namespace {

class SystemClock : public Clock {
 public:
  CalendarDate today() override {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return CalendarDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  }
};

SystemClock systemClock;
Clock* installed = nullptr;

}  // namespace

Clock& clock() { return installed ? *installed : systemClock; }
void setClock(Clock* c) { installed = c; }

}  // namespace platform
