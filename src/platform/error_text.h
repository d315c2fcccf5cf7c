// The catalogue of the program's error texts: the words a user reads for an error, made from
// its code and arguments. Presenters and the command-line tool call it where they show an
// error; nothing below them makes error texts.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "platform/error.h"

namespace trimora {

// The text of a code with its arguments (UTF-8, German where the program speaks German).
std::string ErrorText(ErrorCode code, const std::vector<std::string>& args);

// The text of an error, with the texts of the errors it wraps.
std::string ErrorText(const Error& error);

// The text of any exception: ours from the catalogue, running out of memory in our words, and
// anything else as an unexpected error with the library's own words.
std::string ErrorText(const std::exception& exception);

}  // namespace trimora
