#include "scanner/scan_messages.h"

namespace {

consteval bool everyCodeHasText() {
  for (std::string_view text : scan_messages_detail::texts())
    if (text.empty()) return false;
  return true;
}
static_assert(everyCodeHasText(), "the catalogue holds one text per code");

}  // namespace

constexpr ScanMessageCatalogue ScanMessages;
