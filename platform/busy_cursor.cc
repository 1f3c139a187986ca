#include "platform/busy_cursor.h"

namespace platform {
namespace {

class NoCursor : public BusyCursor {
 public:
  void begin() override {}
  void end() override {}
};

NoCursor noCursor;
BusyCursor* installed = nullptr;

}  // namespace

void setBusyCursor(BusyCursor* cursor) { installed = cursor; }
BusyCursor& busyCursor() { return installed ? *installed : noCursor; }

}  // namespace platform
