// The front end's own failure, shown by the application's exception box with
// its message (a file that cannot be opened or decoded as an image, for example).
#pragma once

#include <stdexcept>
#include <string>

class ToolkitError : public std::runtime_error {
 public:
  explicit ToolkitError(const std::string& message) : std::runtime_error(message) {}
};
