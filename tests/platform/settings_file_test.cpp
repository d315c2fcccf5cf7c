// The text form of settings files: what is written and what is understood when read.
#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace trimora {
namespace {

constexpr std::string_view kKey = "\\Software\\Halvorn\\Trimora\\2.0";

TEST(SettingsFileTest, WritesKeysAsSectionsAndValuesInTheirKinds) {
  SettingsDocument document;
  document.Set(kKey, "SourceDir", {SettingsValue::Kind::kString, "/home/anna/Bilder", 0});
  document.Set(kKey, "Top", {SettingsValue::Kind::kNumber, {}, -9999});
  document.Set(std::string(kKey) + "\\ToolBar", "Order",
               {SettingsValue::Kind::kString, "12345", 0});
  EXPECT_EQ(document.Serialize(),
            "[\\Software\\Halvorn\\Trimora\\2.0]\n"
            "\"SourceDir\"=\"/home/anna/Bilder\"\n"
            "\"Top\"=dword:ffffd8f1\n"
            "\n"
            "[\\Software\\Halvorn\\Trimora\\2.0\\ToolBar]\n"
            "\"Order\"=\"12345\"\n");
}

TEST(SettingsFileTest, EscapesWhatWouldBreakALine) {
  SettingsDocument document;
  document.Set(kKey, "a \"name\"\n", {SettingsValue::Kind::kString, "x\\y\t\r\n\x01\"=[]ä", 0});
  document.Set(std::string(kKey) + "\\odd%\nkey]", "v", {SettingsValue::Kind::kNumber, {}, 1});
  const std::string text = document.Serialize();
  EXPECT_EQ(text,
            "[\\Software\\Halvorn\\Trimora\\2.0]\n"
            "\"a \\\"name\\\"\\n\"=\"x\\\\y\\t\\r\\n\\x01\\\"=[]ä\"\n"
            "\n"
            "[\\Software\\Halvorn\\Trimora\\2.0\\odd%25%0akey]]\n"
            "\"v\"=dword:00000001\n");
  const SettingsDocument back = SettingsDocument::Parse(text);
  ASSERT_TRUE(back.Find(kKey, "A \"NAME\"\n"));
  EXPECT_EQ(back.Find(kKey, "a \"name\"\n")->text, "x\\y\t\r\n\x01\"=[]ä");
  ASSERT_TRUE(back.Find(std::string(kKey) + "\\odd%\nkey]", "v"));
  EXPECT_EQ(back.Find(std::string(kKey) + "\\odd%\nkey]", "v")->number, 1);
}

TEST(SettingsFileTest, ReadsWhatPeopleMayWriteByHand) {
  const SettingsDocument document = SettingsDocument::Parse(
      "[\\Software\\Halvorn\\Trimora\\2.0]\r\n"
      "  \"Spaced\" = \"yes\"  \r\n"
      "\"Upper\"=DWORD:0000002A\n"
      "\"Short\"=dword:7\n"
      "\"TooLong\"=dword:123456789\n"
      "\"Broken\"=\"unterminated\n"
      "\"BadEscape\"=\"\\q\"\n"
      "Unquoted=1\n");
  EXPECT_EQ(document.Find(kKey, "Spaced")->text, "yes");
  EXPECT_EQ(document.Find(kKey, "Upper")->number, 42);
  EXPECT_EQ(document.Find(kKey, "Short")->number, 7);
  EXPECT_FALSE(document.Find(kKey, "TooLong"));
  EXPECT_FALSE(document.Find(kKey, "Broken"));
  EXPECT_FALSE(document.Find(kKey, "BadEscape"));
  EXPECT_FALSE(document.Find(kKey, "Unquoted"));
}

TEST(SettingsFileTest, TheFirstOfTwoEqualNamesHoldsAndIsTheOneReplaced) {
  SettingsDocument document = SettingsDocument::Parse(
      "[\\Software\\Halvorn\\Trimora\\2.0]\n\"A\"=\"one\"\n\"a\"=\"two\"\n");
  EXPECT_EQ(document.Find(kKey, "a")->text, "one");
  document.Set(kKey, "a", {SettingsValue::Kind::kString, "three", 0});
  EXPECT_EQ(document.Serialize(),
            "[\\Software\\Halvorn\\Trimora\\2.0]\n\"A\"=\"three\"\n\"a\"=\"two\"\n");
}

TEST(SettingsFileTest, AValueOutsideAnySectionBelongsToNoKey) {
  const SettingsDocument document = SettingsDocument::Parse("\"ZoomLevel\"=dword:00000001\n");
  EXPECT_FALSE(document.HasKey(kKey));
  EXPECT_FALSE(document.Find(kKey, "ZoomLevel"));
}

TEST(SettingsFileTest, TheQuickLookupAgreesWithTheParsedFile) {
  const std::string content =
      "\"Stray\"=dword:00000001\n"
      "[\\Software\\Halvorn\\Trimora\\2.0]\n"
      "\"A\"=\"one\"\n"
      "\"a\"=\"two\"\n"
      "\"Odd\"=hex:01\n"
      "[\\Software\\Halvorn\\Trimora\\2.0\\ToolBar]\n"
      "\"Order\"=\"54321\"\n"
      "[\\SOFTWARE\\Halvorn\\Trimora\\2.0]\n"
      "\"Late\"=\"in a second section of the same key\"\n";
  const SettingsDocument document = SettingsDocument::Parse(content);
  const std::string toolBar = std::string(kKey) + "\\ToolBar";
  const std::pair<std::string, std::string> lookups[] = {
      {std::string(kKey), "a"},    {std::string(kKey), "Odd"}, {std::string(kKey), "Stray"},
      {std::string(kKey), "Late"}, {toolBar, "order"},         {toolBar, "A"},
      {"\\Software\\Other", "A"}};
  for (const auto& [key, name] : lookups) {
    const SettingsLookup quick = SettingsDocument::Lookup(content, key, name);
    const auto full = document.Find(key, name);
    EXPECT_EQ(quick.hasKey, document.HasKey(key)) << key << " " << name;
    ASSERT_EQ(quick.value.has_value(), full.has_value()) << key << " " << name;
    if (full) {
      EXPECT_EQ(quick.value->text, full->text) << key << " " << name;
    }
  }
  EXPECT_EQ(SettingsDocument::Lookup(content, kKey, "a").value->text, "one");
}

// The pieces a file is written from are the serialized bytes, whatever was read and changed.
TEST(SettingsFileTest, ThePiecesOfAFileAreItsSerializedBytes) {
  const std::string toolBar = std::string(kKey) + "\\ToolBar";
  const SettingsValue two{SettingsValue::Kind::kNumber, {}, 2};
  const SettingsValue one{SettingsValue::Kind::kNumber, {}, 1};
  struct Case {
    const char* name;
    std::string text;
    std::function<void(SettingsDocument&)> change;
  };
  const std::string plain =
      "; notes\n[\\Software\\Halvorn\\Trimora\\2.0]\n\"A\"=dword:00000001\n\"B\"=\"b\"\n\n"
      "[\\Software\\Halvorn\\Trimora\\2.0\\ToolBar]\n\"Order\"=\"12345\"\n";
  const std::vector<Case> cases = {
      {"unchanged", plain, [](SettingsDocument&) {}},
      {"a value changed", plain, [&](SettingsDocument& d) { d.Set(kKey, "A", two); }},
      {"changed and set back", plain,
       [&](SettingsDocument& d) {
         d.Set(kKey, "A", two);
         d.Set(kKey, "a", one);
       }},
      {"values and keys added", plain,
       [&](SettingsDocument& d) {
         d.Set(toolBar, "Files", one);
         d.Set(std::string(kKey) + "\\EXIF", "Width", two);
       }},
      {"Windows line ends and no last line end",
       "[\\Software\\Halvorn\\Trimora\\2.0]\r\n\"A\"=dword:00000001\r\n\"B\"=\"b\"",
       [&](SettingsDocument& d) { d.Set(kKey, "C", two); }},
      {"a line end of its own", "\r\n\n\r\r\n[x]", [&](SettingsDocument& d) { d.AddKey(kKey); }},
      {"empty", "", [&](SettingsDocument& d) { d.Set(kKey, "A", one); }},
  };
  for (const Case& c : cases) {
    SettingsDocument document = SettingsDocument::Parse(c.text);
    c.change(document);
    std::string joined;
    const std::vector<std::string_view> pieces = document.Pieces(c.text);
    for (const std::string_view piece : pieces) joined += piece;
    EXPECT_EQ(joined, document.Serialize()) << c.name;
  }
  // Lines kept as they were read are one range of the text read.
  SettingsDocument document = SettingsDocument::Parse(plain);
  document.Set(kKey, "B", {SettingsValue::Kind::kString, "changed", 0});
  const std::vector<std::string_view> pieces = document.Pieces(plain);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0].data(), plain.data());
  EXPECT_EQ(pieces[1], "\"B\"=\"changed\"");
  EXPECT_EQ(pieces[3].data() + pieces[3].size(), plain.data() + plain.size());
}

}  // namespace
}  // namespace trimora
