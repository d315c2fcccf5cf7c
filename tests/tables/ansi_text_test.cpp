// Windows-1252 <-> UTF-8 for the names in table files.
#include "tables/ansi_text.h"

#include <gtest/gtest.h>

namespace trimora {
namespace {

TEST(AnsiText, GermanNamesHaveTheirWindowsBytes) {
  EXPECT_EQ(Utf8ToAnsi("opt. Höhe"), "opt. H\xF6he");
  EXPECT_EQ(AnsiToUtf8("opt. H\xF6he"), "opt. Höhe");
  EXPECT_EQ(Utf8ToAnsi("Größe €"),
            "Gr\xF6\xDF"
            "e \x80");
}

TEST(AnsiText, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = AnsiToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_TRUE(FitsAnsi(utf8));
  EXPECT_EQ(Utf8ToAnsi(utf8), all);
}

TEST(AnsiText, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_FALSE(FitsAnsi("日本"));
  EXPECT_EQ(Utf8ToAnsi("a日b"), "a?b");
  EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");       // a cut sequence
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // an overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a surrogate
}

}  // namespace
}  // namespace trimora
