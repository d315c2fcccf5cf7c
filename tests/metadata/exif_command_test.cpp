#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>

#include "metadata/info_text.h"

namespace trimora::metadata {
namespace {

const std::string kPhotos = std::string(TRIMORA_TESTDATA_DIR) + "/photos/";
const std::string kTool = std::string(TRIMORA_PROGRAM_DIR) + "/trimora";

// Runs the tool; returns its standard output and sets the exit code.
std::string RunTool(const std::string& arguments, int& exitCode) {
  std::string out;
  std::FILE* p = popen((kTool + " exif " + arguments + " 2>/dev/null").c_str(), "r");
  if (p == nullptr) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
  const int status = pclose(p);
  exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

TEST(ExifCommand, PrintsTheInformationTextOfEachFile) {
  int code = -1;
  const std::string a = kPhotos + "canon-ixus.jpg", b = kPhotos + "not-a-jpeg.jpg";
  const std::string out = RunTool("'" + a + "' '" + b + "'", code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(out, BuildInfoText(a) + BuildInfoText(b));
}

TEST(ExifCommand, NamesMissingFilesAndFails) {
  int code = -1;
  const std::string out = RunTool("/nonexistent/x.jpg", code);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(out, "-- All EXIF-Data -------------- \r\nErrStr = \r\n");
}

}  // namespace
}  // namespace trimora::metadata
