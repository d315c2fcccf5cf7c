// The text form of a settings file: one file holds one settings key and its sub-keys.
//
//   ; comment
//   [\Software\Halvorn\Trimora\2.0]
//   "SourceDir"="/home/anna/Bilder"
//   "FormatID"=dword:00000001
//
//   [\Software\Halvorn\Trimora\2.0\ToolBar]
//   "Order"="12345"
//
// Each section is a key, named by its full path. Value names and strings are in double
// quotes; inside them "\\", "\"", "\n", "\r", "\t" and "\xHH" (other control bytes) are
// escaped, every other byte (UTF-8 included) stands as it is. Numbers are 32-bit, written
// as eight hexadecimal digits after "dword:" (negative numbers in two's complement). In
// section names, control bytes and "%" are written as "%HH". Key and value names compare
// without regard to ASCII case, as in the registry. Lines this code does not understand
// are kept as they are when the file is rewritten.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trimora {

// One stored value: a string or a 32-bit number.
struct SettingsValue {
  enum class Kind { kString, kNumber };
  Kind kind = Kind::kString;
  std::string text;         // for kString
  std::int32_t number = 0;  // for kNumber
};

// What a settings file holds for one value name.
struct SettingsLookup {
  bool hasKey = false;                 // the key has a section
  std::optional<SettingsValue> value;  // the value, when it is there and of a known kind
};

// A parsed settings file that can be changed and written back.
class SettingsDocument {
 public:
  // Parses a file's content; never fails (unreadable lines are kept as they are).
  static SettingsDocument Parse(std::string_view content);

  // Looks up one value straight from a file's content, the same as Parse(content).Find(...)
  // with HasKey, without building the document.
  static SettingsLookup Lookup(std::string_view content, std::string_view keyPath,
                               std::string_view name);

  // The file content.
  std::string Serialize() const;

  // The file content in pieces, the same bytes as Serialize() without copying them: where lines
  // stand as they were read, a piece is a range of `parsed`, the text this document was parsed
  // from (one range for every run of such lines); lines set or added since lie in the document.
  // The pieces are valid while `parsed` and the document are unchanged.
  std::vector<std::string_view> Pieces(std::string_view parsed) const;

  // True when the key `keyPath` has a section.
  bool HasKey(std::string_view keyPath) const;

  // Adds an empty section for `keyPath` unless there is one.
  void AddKey(std::string_view keyPath);

  // The value `name` of the key `keyPath`, if it is there.
  std::optional<SettingsValue> Find(std::string_view keyPath, std::string_view name) const;

  // Sets the value `name` of the key `keyPath`, adding key and value as needed.
  void Set(std::string_view keyPath, std::string_view name, const SettingsValue& value);

 private:
  static constexpr std::size_t kNoOrigin = static_cast<std::size_t>(-1);
  struct Line {
    std::string raw;                     // the line as written, without its line end
    std::optional<std::string> name;     // set for value lines
    std::optional<SettingsValue> value;  // set for value lines of a known kind
    // Where the parsed text held this line followed by exactly "\n" (kNoOrigin for lines made
    // here and lines that ended otherwise); `edited` once the line was set anew.
    std::size_t origin = kNoOrigin;
    bool edited = false;
  };
  struct Section {
    Line header;              // the "[...]" line as written
    std::string path;         // the key path it names
    std::vector<Line> lines;  // the lines below it
  };

  Section* FindSection(std::string_view keyPath);
  const Section* FindSection(std::string_view keyPath) const;

  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
};

}  // namespace trimora
