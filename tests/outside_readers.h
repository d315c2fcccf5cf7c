// The outside programs that tests compare our files with (exiftool, exiv2, tiffinfo, tiffdump,
// pngcheck, ImageMagick, libjpeg's tools). A test that needs one fails when it is missing;
// scripts/setup installs every one of them.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace trimora::test {

// True when a program of that name is found through the PATH.
inline bool ProgramOnPath(const std::string& name) {
  const std::string command = "command -v '" + name + "' >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

// True when the reader `program` can be run; otherwise the current test fails, naming it.
inline bool RequireReader(const std::string& program) {
  if (ProgramOnPath(program)) return true;
  ADD_FAILURE() << "The outside reader \"" << program
                << "\" is missing; scripts/setup installs it.";
  return false;
}

}  // namespace trimora::test
