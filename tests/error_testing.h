// What an operation throws, for tests that compare error codes (and, where the program's
// words are fixed, the catalogue's text).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/error_text.h"

namespace trimora::test {

struct Thrown {
  std::vector<ErrorCode> codes;   // the error and the errors it wraps, outermost first
  std::vector<std::string> args;  // the outermost error's arguments
  std::string text;               // what the user reads

  ErrorCode code() const { return codes.front(); }
};

// The trimora::Error that `f` throws, or nothing when it throws none.
template <typename F>
std::optional<Thrown> ThrownBy(F&& f) {
  try {
    f();
  } catch (const Error& e) {
    Thrown thrown;
    for (const Error* at = &e; at != nullptr; at = at->cause()) thrown.codes.push_back(at->code());
    thrown.args = e.args();
    thrown.text = ErrorText(e);
    return thrown;
  }
  return std::nullopt;
}

// The outermost code of what `f` throws; ErrorCode::kCount when it throws nothing.
template <typename F>
ErrorCode CodeOf(F&& f) {
  const std::optional<Thrown> thrown = ThrownBy(f);
  return thrown ? thrown->code() : ErrorCode::kCount;
}

}  // namespace trimora::test
