// The one error type of the program: an operation that fails throws it with the text
// that the user is shown.
#pragma once

#include <stdexcept>
#include <string>

namespace trimora {

// An error whose what() is the message in the program's own words (German, UTF-8).
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace trimora
