// Shared libraries loaded at run time, and the loaded modules' files and segments.
#include "platform/shared_library.h"

#include <gtest/gtest.h>

#include <string>

namespace trimora {
namespace {

TEST(SharedLibraryTest, LoadsLooksUpAndUnloads) {
  std::string error;
  auto library = SharedLibrary::Open("libm.so.6", &error);
  ASSERT_TRUE(library) << error;
  EXPECT_TRUE(library->IsOpen());
  const auto cosine = library->Function<double (*)(double)>("cos");
  ASSERT_NE(cosine, nullptr);
  EXPECT_EQ(cosine(0.0), 1.0);
  EXPECT_EQ(library->Symbol("no_such_function_here"), nullptr);
  EXPECT_EQ(library->Symbol(nullptr), nullptr);

  SharedLibrary moved = std::move(*library);
  EXPECT_FALSE(library->IsOpen());
  EXPECT_TRUE(moved.IsOpen());
  moved.Close();
  EXPECT_FALSE(moved.IsOpen());
  EXPECT_EQ(moved.Symbol("cos"), nullptr);
  moved.Close();
}

TEST(SharedLibraryTest, AFileThatIsNoLibraryIsRefusedWithTheLoadersReason) {
  for (const std::string path : {"/no/such/libDoesNotExist.so", "/etc/hostname", ""}) {
    std::string error;
    EXPECT_FALSE(SharedLibrary::Open(path, &error)) << path;
    EXPECT_FALSE(error.empty()) << path;
    EXPECT_FALSE(SharedLibrary::Open(path));
  }
}

TEST(SharedLibraryTest, TheModuleOfAnAddressIsDescribed) {
  const void* code = reinterpret_cast<const void*>(&ModuleFileOf);
  const std::string file = ModuleFileOf(code);
  EXPECT_NE(file.find("platform_tests"), std::string::npos) << file;
  EXPECT_EQ(ModuleFileOf(nullptr), "");

  const auto image = DescribeModule(code);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->file, file);
  bool holds = false;
  for (const ModuleSegment& segment : image->segments) {
    const auto address = reinterpret_cast<std::uintptr_t>(code);
    if (address >= segment.address && address - segment.address < segment.size) {
      holds = true;
      EXPECT_TRUE(segment.executable);
      EXPECT_TRUE(segment.readable);
      EXPECT_FALSE(segment.writable);
    }
  }
  EXPECT_TRUE(holds);
  EXPECT_FALSE(DescribeModule(nullptr));
}

}  // namespace
}  // namespace trimora
